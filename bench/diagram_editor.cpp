// The page editor: painting a page of 500 entities, and how many drag events a second
// the interaction controller takes.
#include <benchmark/benchmark.h>

#include <memory>

#include "diagram/editor/CDiagramEditor.h"
#include "editor/project/document/CHeadlessConnection.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Surface.h"

// A program without views: the model's changes keep their marks on the project alone.
const CHeadlessConnection g_headlessConnection;

namespace {

constexpr int kColumns = 25;
constexpr int kRows = 20;
constexpr CDiagramPoint kPaper{800, 480};
constexpr CDiagramPoint kClient{1024, 768};

// 500 entities in a grid of 32 by 24 cells, with a few of them selected.
struct Page {
    CDiagramEntityContainer container;
    CDiagramEditor editor;

    Page()
    {
        container.SetPaperSize(kPaper.x, kPaper.y);
        editor.Create(&container, nullptr, kClient);
        for (int row = 0; row < kRows; ++row) {
            for (int column = 0; column < kColumns; ++column) {
                auto entity = std::make_unique<CDiagramEntity>();
                entity->SetRect(column * 32 + 2, row * 24 + 2, column * 32 + 30, row * 24 + 22);
                entity->Select((row * kColumns + column) % 50 == 0);
                container.Add(std::move(entity));
            }
        }
    }
};

void BM_PaintPage(benchmark::State& state)
{
    Page page;
    page.editor.SetZoom(double(state.range(0)));
    page.editor.SetMarginsVisible(Toggle::On);
    gfx::Surface surface(kClient.x, kClient.y);
    for (auto _ : state) {
        gfx::DeviceContext dc(surface);
        page.editor.Paint(dc);
        benchmark::DoNotOptimize(surface.pixel(10, 10));
    }
    state.SetItemsProcessed(state.iterations() * page.container.GetSize());
}
BENCHMARK(BM_PaintPage)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// One press, a sweep of moves across the page and the release; items are events.
void BM_DragAcross(benchmark::State& state)
{
    Page page;
    const bool all = state.range(0) != 0;
    if (all)
        page.editor.SelectAll();
    else
        page.editor.UnselectAll();
    constexpr int kMoves = 400;
    for (auto _ : state) {
        page.editor.OnLButtonDown({{16, 12}});
        for (int i = 1; i <= kMoves; ++i)
            page.editor.OnMouseMove({{16 + i, 12 + i / 2}});
        page.editor.OnLButtonUp({{16 + kMoves, 12 + kMoves / 2}});
        state.PauseTiming();
        page.container.Undo(); // back to the start, so every round drags the same
        page.container.ClearRedo();
        if (all)
            page.editor.SelectAll();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * (kMoves + 2));
}
BENCHMARK(BM_DragAcross)->ArgName("allSelected")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
