// The tags dialog's refresh of 4,096 tags per tick (nothing changed, and every value
// changed), and the paint of a full grid window against the number of rows, which should
// stay flat: only the visible rows are drawn.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QScrollBar>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "engine/core/DFile_Memory.h"
#include "engine/tagmonitor/qt/CDlgTags.h"
#include "engine/tagmonitor/qt/CGridCtrl.h"
#include "tests/support/TagsFileWriter.h"

namespace {

constexpr int kTags = 4096;
constexpr uint32_t kStringBytes = 16;

// Every second tag an integer, the others UTF-16 strings, side by side in the memory.
std::string manyTags()
{
    std::vector<vx::test::TagsFileEntry> entries;
    uint32_t address = 0;
    for (int i = 0; i < kTags; ++i) {
        const bool number = i % 2 == 0;
        char hex[16];
        std::snprintf(hex, sizeof hex, "%x", address);
        const std::string name = "tag" + std::to_string(i);
        entries.push_back({number ? u"integer" : u"UTF-16LE", std::u16string(name.begin(), name.end()),
                           std::u16string(hex, hex + std::strlen(hex)),
                           number ? std::u16string() : std::u16string(u"16"), {}});
        address += number ? 4 : kStringBytes;
    }
    return vx::test::writeTagsFile(entries);
}

void TagsRefresh(benchmark::State& state)
{
    const bool changing = state.range(0) != 0;
    std::vector<uint8_t> memory(kTags * kStringBytes);
    const std::string text = manyTags();
    DFile_Memory file(std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
    (void)file.open(DString());
    CDlgTags dialog(file, [&] { return CTagMemory{memory.data(), uint32_t(memory.size())}; });
    (void)dialog.refresh();
    uint8_t tick = 0;
    for (auto _ : state) {
        if (changing) {
            ++tick;
            for (std::size_t at = 0; at < memory.size(); at += 4)
                memory[at] = tick | 1; // every integer and the first unit of every string
        }
        benchmark::DoNotOptimize(dialog.refresh());
    }
    state.SetItemsProcessed(state.iterations() * kTags);
}
BENCHMARK(TagsRefresh)->Arg(0)->Arg(1)->ArgNames({"changing"})->Unit(benchmark::kMicrosecond);

void GridPaint(benchmark::State& state)
{
    const int rows = int(state.range(0));
    CGridCtrl grid;
    CGridModel& model = grid.model();
    (void)model.setColumnCount(4);
    (void)model.setRowCount(rows);
    (void)model.setFixedRowCount(1);
    (void)model.setFixedColumnCount(3);
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < 4; ++column)
            (void)model.setItemText(row, column, u"12345");
    grid.resize(480, 640);
    grid.verticalScrollBar()->setValue(grid.verticalScrollBar()->maximum() / 2);
    QImage picture(grid.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        grid.viewport()->render(&picture);
        benchmark::DoNotOptimize(picture.constBits());
    }
}
BENCHMARK(GridPaint)->RangeMultiplier(16)->Range(16, 1 << 20)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
