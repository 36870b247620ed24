// Frame time of an 800 x 480 page of 50 widgets whose tags all change every frame: ten
// each of numeric fields, colour bar graphs, indicator lights, dynamic images and message
// fields. A frame writes the tags, lets the controller tell the widgets, draws and
// presents the dirty rectangles and runs the page's time work.
#include <benchmark/benchmark.h>

#include <vector>

#include "bench/PageBench.h"
#include "engine/widgets/DCompositeObject_Bargraph.h"
#include "engine/widgets/DCompositeObject_DynamicImage.h"
#include "engine/widgets/DCompositeObject_IndicatorLight.h"
#include "engine/widgets/DCompositeObject_MessageField.h"
#include "engine/widgets/DCompositeObject_NumericField.h"
#include "tests/support/engine/WidgetRecords.h"

using namespace target;
using namespace vx::test;

namespace {

using Bench = PageBench<800, 480>;

// One row of ten widgets of a kind per 96 pixels; a widget's tag is its number.
constexpr int32_t kCell = 80, kRowHeight = 96, kPerRow = 10;
constexpr uint32_t kKinds = 5, kWidgets = kKinds * kPerRow;
constexpr uint32_t kFrameMs = 16;
constexpr uint32_t kStates = 3, kPictures = 4, kMessages = 3;

DRect cell(uint32_t number, int32_t width, int32_t height)
{
    const int32_t left = int32_t(number % kPerRow) * kCell + (kCell - width) / 2;
    const int32_t top = int32_t(number / kPerRow) * kRowHeight + (kRowHeight - height) / 2;
    return {left, top, left + width, top + height};
}

// Count pictures of one colour each, the colours numbered from first.
std::vector<uint32_t> solidImages(TargetBuilder& builder, uint32_t count, int32_t width, int32_t height,
                                  uint32_t first = 1)
{
    std::vector<uint32_t> offsets;
    for (uint32_t i = first; i < first + count; ++i) {
        const std::vector<uint32_t> pixels(std::size_t(width) * height, 0xFF000000u | (0x3050A0u * i));
        offsets.push_back(builder.image(uint32_t(width), uint32_t(height), pixels));
    }
    return offsets;
}

std::vector<uint8_t> changingPage()
{
    TargetBuilder builder(Bench::kWidth, Bench::kHeight, 1);
    const uint32_t font = builder.font(sansBytes());
    const std::vector<uint32_t> states = solidImages(builder, kStates, 40, 40);
    const uint32_t lampFrame = solidImages(builder, 1, 48, 48, kStates + 1).front();
    const std::vector<uint32_t> pictures = solidImages(builder, kPictures, 64, 64);
    const std::vector<uint32_t> messages = solidImages(builder, kMessages, 76, 24);
    auto tag = [](uint32_t number) { return TagReference::make(Controller::Local, number, kValueType32, 4); };
    builder.page(uint32_t(PageType::Normal), -1, [&](TargetBuilder::Page& page) {
        uint32_t number = 0;
        for (; number < kPerRow; ++number) {
            FieldRecord field;
            field.format.digits = 4;
            field.format.decimals = 1;
            field.tag = tag(number);
            field.rect = cell(number, 76, 28);
            writeField(page, font, field);
        }
        for (; number < 2 * kPerRow; ++number) {
            BarGraphRecord bar;
            bar.words.bar = 0xFF20C040u;
            bar.words.direction = DCompositeObject_Bargraph::Up;
            bar.words.maximum = 100;
            bar.words.lowLimit = 10;
            bar.words.highLimit = 90;
            bar.tag = tag(number);
            bar.area = cell(number, 24, 88);
            writeBarGraph(page, bar);
        }
        for (; number < 3 * kPerRow; ++number) {
            const DRect frame = cell(number, 48, 48);
            writeIndicatorLight(page, {lampFrame, states, kStates, tag(number), 0, 0, cell(number, 40, 40), frame});
        }
        for (; number < 4 * kPerRow; ++number)
            writeDynamicImage(page, {pictures, kPictures, tag(number), cell(number, 64, 64)});
        for (; number < kWidgets; ++number)
            writeMessageField(page, {0, messages, kMessages, tag(number), cell(number, 76, 24)});
        page.backgroundColour(0xFFD8D8D8u, Bench::kWidth, Bench::kHeight);
    });
    return builder.finish();
}

// The value widget n shows in frame f: a different one every frame.
int32_t valueOf(uint32_t number, int32_t frame)
{
    const int32_t n = int32_t(number);
    switch (number / kPerRow) {
    case 0: return (frame * 7 + n * 37) % 100000;
    case 1: return (frame * 3 + n * 7) % 101;
    case 2: return (frame + n) % int32_t(kStates);
    case 3: return (frame + n) % int32_t(kPictures);
    default: return (frame + n) % int32_t(kMessages);
    }
}

bool everyKindLoaded(Bench& bench)
{
    return bench.widgets<DCompositeObject_NumericField>().size() == kPerRow &&
           bench.widgets<DCompositeObject_Bargraph>().size() == kPerRow &&
           bench.widgets<DCompositeObject_IndicatorLight>().size() == kPerRow &&
           bench.widgets<DCompositeObject_DynamicImage>().size() == kPerRow &&
           bench.widgets<DCompositeObject_MessageField>().size() == kPerRow;
}

void BM_ChangingWidgets(benchmark::State& state)
{
    if (sansBytes().empty())
        return state.SkipWithError("no DejaVu Sans font for the fields");
    Bench bench;
    if (bench.load(changingPage()) != 0 || !everyKindLoaded(bench))
        return state.SkipWithError("the page did not load");
    const std::vector<DItem*> tags = bench.localTags(0, kWidgets);
    int32_t frame = 0;
    auto writeTags = [&] {
        ++frame;
        for (uint32_t number = 0; number < kWidgets; ++number)
            Bench::write(*tags[number], valueOf(number, frame));
    };
    // The first frames decode the pictures and match the font; they are not measured.
    for (int warm = 0; warm < 3; ++warm) {
        writeTags();
        bench.frame(kFrameMs);
    }
    writeTags();
    bench.local.update(bench.platform.now);
    if (bench.project.dirtyRectangles().empty())
        return state.SkipWithError("the tag changes reached no widget");
    bench.project.render();
    for (auto _ : state) {
        writeTags();
        bench.frame(kFrameMs);
        benchmark::DoNotOptimize(bench.renderer.target()->pixels());
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * kWidgets);
    state.SetLabel("50 widgets, every tag changed each frame");
}

} // namespace

BENCHMARK(BM_ChangingWidgets)->Unit(benchmark::kMicrosecond);
