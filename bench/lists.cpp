// Frame time of a coasting list and of a sampling trend: each iteration is one frame,
// the motion or sample step and the drawing of the widget's window into an 800 x 480 target.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "engine/primitives/DBaseObject_Graph.h"
#include "engine/primitives/DBaseObject_ScrollingList.h"
#include "engine/core/DFile_Memory.h"
#include "engine/render/DRendererBitmap.h"
#include "foundation/target/TargetBytes.h"
#include "foundation/target/TargetElement.h"
#include "tests/support/TargetBuilder.h"

namespace {

using namespace target;

constexpr int32_t kPageWidth = 800, kPageHeight = 480;
constexpr int32_t kListWidth = 400, kListHeight = 240, kRowHeight = 30;
constexpr uint32_t kRows = 100;

using vx::test::ByteWriter;

template <class Kind>
std::unique_ptr<Kind> primitive(const ByteWriter& record)
{
    DFile_Memory file(record.out);
    if (file.open(DString(u"element")) != 0)
        return nullptr;
    return std::unique_ptr<Kind>(dynamic_cast<Kind*>(DBaseObject::create(nullptr, nullptr, file)));
}

std::unique_ptr<DBaseObject_ScrollingList> wrappingList()
{
    ByteWriter record;
    writeRecord(record, makeElementRecord(ElementKind::ScrollingList, 0, 0, kListWidth, kListHeight,
                                          kElementFlagVisible | kElementFlagTouchable));
    ScrollingWords mode;
    mode.mode = ScrollingWords::kModeWrapping;
    writeRecord(record, mode);
    ScrollingListWords words;
    words.maximumItems = kRows;
    words.itemHeight = kRowHeight;
    words.firstItemOffset =
        ScrollingListWords::firstItemOffsetFor(kRowHeight, 0, kListHeight - 1, ListSelection::OnTouch);
    words.slowDown = 1;
    writeRecord(record, words);
    return primitive<DBaseObject_ScrollingList>(record);
}

std::unique_ptr<DBaseObject_Graph> graph()
{
    ByteWriter record;
    writeRecord(record, makeElementRecord(ElementKind::Graph, 0, 0, kListWidth, kListHeight, kElementFlagVisible));
    return primitive<DBaseObject_Graph>(record);
}

void BM_CoastingList(benchmark::State& state)
{
    DRendererBitmap renderer;
    if (renderer.init(nullptr, nullptr, kPageWidth, kPageHeight) != 0)
        return state.SkipWithError("no target");
    auto list = wrappingList();
    std::vector<std::unique_ptr<DBitmap>> images;
    for (uint32_t i = 0; i < 4; ++i) {
        images.push_back(std::unique_ptr<DBitmap>(renderer.createBitmap(kListWidth, kRowHeight, 0)));
        renderer.fillRectOn(images.back().get(), 0xFF000000u | (i * 0x304050u), {0, 0, kListWidth, kRowHeight},
                            DFillMode::Opaque);
    }
    for (uint32_t i = 0; i < kRows; ++i)
        list->setRowImage(i, images[i % images.size()].get());
    list->setRowCount(kRows);
    list->select(1, DBaseObject_ScrollingList::Middle);
    const DRect window = list->bounds();
    list->draw(renderer, window); // the rows are drawn once, before the frames
    uint32_t now = 1, target = 50;
    for (auto _ : state) {
        if (list->motion() == DBaseObject_ScrollingList::Motion::Idle) {
            list->scrollToRow(target); // coasts the short way round
            target = target == 50 ? 1 : 50;
        }
        now += DBaseObject_ScrollingList::kMotionPeriod;
        if (list->motionTick(now))
            list->setMotion(DBaseObject_ScrollingList::Motion::Idle);
        list->draw(renderer, window);
        benchmark::DoNotOptimize(renderer.target()->pixels());
    }
}
BENCHMARK(BM_CoastingList);

// Arguments: style (0 dots, 1 line), sweeping (0 scrolling, 1 sweeping).
void BM_SamplingTrend(benchmark::State& state)
{
    DRendererBitmap renderer;
    if (renderer.init(nullptr, nullptr, kPageWidth, kPageHeight) != 0)
        return state.SkipWithError("no target");
    auto plot = graph();
    plot->setStyle(state.range(0) ? DBaseObject_Graph::Line : DBaseObject_Graph::Dots);
    plot->setColour(0xFFFF8000u);
    plot->setStep(2);
    const bool sweeping = state.range(1) != 0;
    const DRect window = plot->bounds();
    int32_t value = 0, direction = 7;
    for (auto _ : state) {
        value += direction;
        if (value <= 0 || value >= kListHeight - 1)
            direction = -direction;
        if (sweeping)
            plot->writeAtCursor(value);
        else
            plot->append(value);
        plot->draw(renderer, window);
        benchmark::DoNotOptimize(renderer.target()->pixels());
    }
}
BENCHMARK(BM_SamplingTrend)->Args({0, 0})->Args({1, 0})->Args({0, 1})->Args({1, 1});

} // namespace
