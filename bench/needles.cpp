// Frame time of an 800 x 480 page of 24 meters whose needles turn every frame: the tags
// change, the controller tells the meters, the needles redraw their pictures and the
// dirty rectangles are drawn. Picture needles turn a bitmap; triangle needles fill two
// triangles.
#include <benchmark/benchmark.h>

#include <vector>

#include "bench/PageBench.h"
#include "foundation/target/TargetMeterWords.h"
#include "tests/support/engine/WidgetRecords.h"
#include "tests/support/TargetBuilder.h"

using namespace target;
using vx::test::TargetBuilder;

namespace {

constexpr int32_t kWidth = 800, kHeight = 480, kSide = 120, kColumns = 6, kRows = 4;
constexpr uint32_t kMeters = kColumns * kRows;

std::vector<uint8_t> meterPage(bool pictures)
{
    TargetBuilder builder(kWidth, kHeight, 1);
    std::vector<uint32_t> dial(kSide * kSide, 0xFF303030u), needle(8 * 50, 0xFFE04020u);
    const uint32_t dialImage = builder.image(kSide, kSide, dial);
    const uint32_t needleImage = builder.image(8, 50, needle);
    builder.page(uint32_t(PageType::Normal), -1, [&](TargetBuilder::Page& page) {
        for (uint32_t i = 0; i < kMeters; ++i) {
            const int32_t left = int32_t(i % kColumns) * (kSide + 10), top = int32_t(i / kColumns) * kSide;
            vx::test::MeterRecord meter;
            MeterWords& words = meter.words;
            words.dialImage = dialImage;
            words.needle = pictures ? needleImage : MeterWords::triangleNeedle(12, 50);
            words.needleColour = 0xFFE04020u;
            words.angles = packHalves(60, 300);
            words.pivot = packHalves(kSide / 2, kSide / 2);
            words.needlePivot = pictures ? packHalves(4, 8) : packHalves(6, 42);
            words.maximum = 1000;
            words.lowLimit = 100;
            words.highLimit = 900;
            meter.tag = TagReference::make(Controller::Local, i, kValueType32, 4);
            meter.needle = pictures ? ElementKind::RotatingBitmap : ElementKind::SolidTriangle;
            meter.area = {left, top, left + kSide, top + kSide};
            vx::test::writeMeter(page, meter);
        }
        page.backgroundColour(0xFF000000u, kWidth, kHeight);
    });
    return builder.finish();
}

void runMeters(benchmark::State& state, bool pictures)
{
    PageBench<kWidth, kHeight> bench;
    if (bench.load(meterPage(pictures)) != 0) {
        state.SkipWithError("the page did not load");
        return;
    }
    const std::vector<DItem*> items = bench.localTags(0, kMeters);
    bench.project.render();
    int32_t frame = 0;
    for (auto _ : state) {
        ++frame;
        for (uint32_t i = 0; i < kMeters; ++i)
            bench.write(*items[i], (frame * 7 + int32_t(i) * 37) % 1000);
        bench.local.update(bench.platform.now);
        bench.project.render();
        benchmark::DoNotOptimize(bench.renderer.target()->pixels());
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * kMeters);
}

void BM_PictureNeedles(benchmark::State& state)
{
    runMeters(state, true);
}

void BM_TriangleNeedles(benchmark::State& state)
{
    runMeters(state, false);
}

} // namespace

BENCHMARK(BM_PictureNeedles)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TriangleNeedles)->Unit(benchmark::kMicrosecond);
