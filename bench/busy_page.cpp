// Frame time of a busy 800 x 480 page: four meters with picture needles, two line trends
// sampling 20 times a second, a list box of 100 rows that coasts to a far row whenever it
// comes to rest, a wrapping ticker and 50 numeric fields.
//
// Changing: every frame writes new values to the meters', trends' and fields' tags.
// Idle, ticker and trends moving by themselves: no tag is written, the clock runs; the
//   ticker scrolls and the trends go on sampling their unchanged values.
// Idle, nothing moves: no tag is written and the clock stands, so no time work falls due.
#include <benchmark/benchmark.h>

#include <vector>

#include "bench/PageBench.h"
#include "engine/primitives/DBaseObject_ScrollingList.h"
#include "engine/widgets/DCompositeObject_Listbox.h"
#include "engine/widgets/DCompositeObject_Meter.h"
#include "engine/widgets/DCompositeObject_NumericField.h"
#include "engine/widgets/DCompositeObject_Ticker.h"
#include "engine/widgets/DCompositeObject_Trend.h"
#include "tests/support/engine/WidgetRecords.h"

using namespace target;
using namespace vx::test;

namespace {

using Bench = PageBench<800, 480>;
using Motion = DBaseObject_ScrollingList::Motion;

constexpr uint32_t kFrameMs = 16;
constexpr uint32_t kMeters = 4, kTrends = 2, kFields = 50, kFieldColumns = 10;
constexpr int32_t kDial = 160, kTrendWidth = 320, kTrendHeight = 120;
constexpr int32_t kListLeft = 640, kListWidth = 160, kListHeight = 240, kRowHeight = 24;
constexpr uint32_t kRows = 100, kRowImages = 10;
constexpr int32_t kFieldsTop = 290, kFieldWidth = 80, kFieldHeight = 30;
constexpr int32_t kTickerTop = 450, kTickerOverflow = 800;
// Tag addresses: meters from 0, trends from 10, the list's selection 20, fields from 100.
constexpr uint32_t kMeterTags = 0, kTrendTags = 10, kSelectionTag = 20, kFieldTags = 100;
// The list coasts between these rows (selection values are rows - 1).
constexpr int32_t kNearRow = 0, kFarRow = 49;

TagReference local(uint32_t address)
{
    return TagReference::make(Controller::Local, address, kValueType32, 4);
}

uint32_t solidImage(TargetBuilder& builder, int32_t width, int32_t height, uint32_t argb)
{
    const std::vector<uint32_t> pixels(std::size_t(width) * height, argb);
    return builder.image(uint32_t(width), uint32_t(height), pixels);
}

// Stripes 40 pixels wide, so the ticker's every step shows.
uint32_t stripImage(TargetBuilder& builder, int32_t width, int32_t height)
{
    std::vector<uint32_t> pixels(std::size_t(width) * height);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            pixels[std::size_t(y) * width + x] = (x / 40) % 2 ? 0xFFF0F0F0u : 0xFF102060u;
    return builder.image(uint32_t(width), uint32_t(height), pixels);
}

// The image and font chunks, written before the page that refers to them.
struct Chunks {
    explicit Chunks(TargetBuilder& builder)
        : dial(solidImage(builder, kDial, kDial, 0xFF303030u)), needle(solidImage(builder, 8, 60, 0xFFE04020u)),
          trendFrame(solidImage(builder, kTrendWidth, kTrendHeight, 0xFF101010u)),
          normalRow(solidImage(builder, kListWidth, kRowHeight, 0xFF404040u)),
          selectedRow(solidImage(builder, kListWidth, kRowHeight, 0xFF2040C0u)),
          focusedRow(solidImage(builder, kListWidth, kRowHeight, 0xFF20C040u)),
          strip(stripImage(builder, Bench::kWidth + kTickerOverflow, Bench::kHeight - kTickerTop)),
          font(builder.font(sansBytes()))
    {
        for (uint32_t i = 0; i < kRowImages; ++i)
            rows.push_back(solidImage(builder, kListWidth / 2, kRowHeight, 0xFF000000u | (0x182838u * (i + 1))));
    }
    uint32_t dial, needle, trendFrame, normalRow, selectedRow, focusedRow, strip, font;
    std::vector<uint32_t> rows;
};

void meters(const Chunks& chunks, TargetBuilder::Page& page)
{
    for (uint32_t i = 0; i < kMeters; ++i) {
        const int32_t left = int32_t(i) * kDial;
        MeterRecord meter;
        meter.words.dialImage = chunks.dial;
        meter.words.needle = chunks.needle;
        meter.words.angles = packHalves(60, 300);
        meter.words.pivot = packHalves(kDial / 2, kDial / 2);
        meter.words.needlePivot = packHalves(4, 8);
        meter.words.maximum = 1000;
        meter.words.lowLimit = 100;
        meter.words.highLimit = 900;
        meter.tag = local(kMeterTags + i);
        meter.needle = ElementKind::RotatingBitmap;
        meter.area = {left, 0, left + kDial, kDial};
        writeMeter(page, meter);
    }
}

void trends(const Chunks& chunks, TargetBuilder::Page& page)
{
    for (uint32_t i = 0; i < kTrends; ++i) {
        const int32_t left = int32_t(i) * kTrendWidth;
        TrendRecord trend;
        trend.words.frameImage = chunks.trendFrame;
        trend.words.lineColour = 0xFFFF8000u;
        trend.words.mode = TrendWords::kModeLine; // scrolling
        trend.words.sampleRate = 20;
        trend.words.step = 2;
        trend.words.maximum = 100;
        trend.words.lowLimit = 10;
        trend.words.highLimit = 90;
        trend.tag = local(kTrendTags + i);
        trend.plot = trend.frameArea = {left, kDial, left + kTrendWidth, kDial + kTrendHeight};
        writeTrend(page, trend);
    }
}

void list(const Chunks& chunks, TargetBuilder::Page& page)
{
    ListboxRecord box;
    box.normal = chunks.normalRow;
    box.selected = chunks.selectedRow;
    box.focusedSelected = chunks.focusedRow;
    for (uint32_t i = 0; i < kRows; ++i)
        box.rows.push_back(chunks.rows[i % chunks.rows.size()]);
    box.selectionTag = local(kSelectionTag);
    box.list.area = {kListLeft, 0, kListLeft + kListWidth, kListHeight};
    box.list.mode = ScrollingWords::kModeWrapping;
    box.list.maximum = kRows;
    box.list.rowHeight = kRowHeight;
    box.list.slowDown = 1;
    writeListbox(page, box);
}

void fields(const Chunks& chunks, TargetBuilder::Page& page)
{
    for (uint32_t i = 0; i < kFields; ++i) {
        const int32_t left = int32_t(i % kFieldColumns) * kFieldWidth;
        const int32_t top = kFieldsTop + int32_t(i / kFieldColumns) * kFieldHeight;
        FieldRecord field;
        field.format.digits = 4;
        field.format.decimals = 1;
        field.tag = local(kFieldTags + i);
        field.rect = {left + 2, top + 2, left + kFieldWidth - 2, top + kFieldHeight - 2};
        writeField(page, chunks.font, field);
    }
}

std::vector<uint8_t> busyPage()
{
    TargetBuilder builder(Bench::kWidth, Bench::kHeight, 1);
    const Chunks chunks(builder);
    builder.page(uint32_t(PageType::Normal), -1, [&](TargetBuilder::Page& page) {
        meters(chunks, page);
        trends(chunks, page);
        list(chunks, page);
        fields(chunks, page);
        TickerRecord ticker;
        ticker.speed = 2;
        ticker.period = 20;
        ticker.overflow = kTickerOverflow;
        ticker.strip = chunks.strip;
        ticker.mode = ScrollingWords::kModeWrapping;
        ticker.area = {0, kTickerTop, Bench::kWidth, Bench::kHeight};
        writeTicker(page, ticker);
        page.backgroundColour(0xFFD8D8D8u, Bench::kWidth, Bench::kHeight);
    });
    return builder.finish();
}

// The loaded page, its tags and the widgets the frames watch.
struct BusyPage {
    [[nodiscard]] bool load()
    {
        if (sansBytes().empty() || bench.load(busyPage()) != 0)
            return false;
        const auto listboxes = bench.widgets<DCompositeObject_Listbox>();
        const auto tickers = bench.widgets<DCompositeObject_Ticker>();
        if (bench.widgets<DCompositeObject_Meter>().size() != kMeters ||
            bench.widgets<DCompositeObject_Trend>().size() != kTrends ||
            bench.widgets<DCompositeObject_NumericField>().size() != kFields || listboxes.size() != 1 ||
            !listboxes[0]->list() || tickers.size() != 1)
            return false;
        rows = listboxes[0]->list();
        ticker = tickers[0];
        meterTags = bench.localTags(kMeterTags, kMeters);
        trendTags = bench.localTags(kTrendTags, kTrends);
        fieldTags = bench.localTags(kFieldTags, kFields);
        selection = bench.localTags(kSelectionTag, 1).front();
        return true;
    }

    // New values for every meter, trend and field; a far row for the list once it rests.
    void change()
    {
        ++count;
        for (uint32_t i = 0; i < kMeters; ++i)
            Bench::write(*meterTags[i], (count * 7 + int32_t(i) * 250) % 1000);
        for (uint32_t i = 0; i < kTrends; ++i)
            Bench::write(*trendTags[i], (count * 3 + int32_t(i) * 40) % 100);
        for (uint32_t i = 0; i < kFields; ++i)
            Bench::write(*fieldTags[i], (count * 7 + int32_t(i) * 37) % 100000);
        if (rows->motion() == Motion::Idle) {
            Bench::write(*selection, target);
            target = target == kFarRow ? kNearRow : kFarRow;
        }
    }

    Bench bench;
    DBaseObject_ScrollingList* rows = nullptr;
    DCompositeObject_Ticker* ticker = nullptr;
    std::vector<DItem*> meterTags, trendTags, fieldTags;
    DItem* selection = nullptr;
    int32_t count = 0;
    int32_t target = kFarRow;
};

// The first frames decode the pictures and match the font; they are not measured.
void warmUp(BusyPage& page)
{
    for (int frame = 0; frame < 3; ++frame) {
        page.change();
        page.bench.frame(kFrameMs);
    }
}

void BM_BusyPageChanging(benchmark::State& state)
{
    BusyPage page;
    if (!page.load())
        return state.SkipWithError("the page did not load");
    warmUp(page);
    if (page.rows->motion() == Motion::Idle)
        return state.SkipWithError("the list does not coast");
    int64_t coasting = 0;
    for (auto _ : state) {
        page.change();
        page.bench.frame(kFrameMs);
        coasting += page.rows->motion() != Motion::Idle;
        benchmark::DoNotOptimize(page.bench.renderer.target()->pixels());
    }
    // How many of the measured frames the list spent moving.
    state.counters["list_moving"] = benchmark::Counter(double(coasting) / double(state.iterations()));
}

// Idle from a page drawn at rest: the frames before were drawn, the list has stopped.
void settle(BusyPage& page)
{
    warmUp(page);
    for (int frame = 0; frame < 500 && page.rows->motion() != Motion::Idle; ++frame)
        page.bench.frame(kFrameMs);
    page.bench.frame(kFrameMs);
}

void BM_BusyPageIdle_TickerAndTrendsMoveByThemselves(benchmark::State& state)
{
    BusyPage page;
    if (!page.load())
        return state.SkipWithError("the page did not load");
    settle(page);
    const int64_t before = page.ticker->position();
    page.bench.frame(kFrameMs);
    page.bench.frame(kFrameMs);
    if (page.ticker->position() == before)
        return state.SkipWithError("the ticker does not move");
    for (auto _ : state) {
        page.bench.frame(kFrameMs);
        benchmark::DoNotOptimize(page.bench.renderer.target()->pixels());
    }
}

void BM_BusyPageIdle_NothingMoves(benchmark::State& state)
{
    BusyPage page;
    if (!page.load())
        return state.SkipWithError("the page did not load");
    settle(page);
    page.bench.frame(0);
    if (!page.bench.project.dirtyRectangles().empty())
        return state.SkipWithError("something still moves");
    for (auto _ : state) {
        page.bench.frame(0);
        benchmark::DoNotOptimize(page.bench.renderer.target()->pixels());
    }
}

} // namespace

BENCHMARK(BM_BusyPageChanging)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BusyPageIdle_TickerAndTrendsMoveByThemselves)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BusyPageIdle_NothingMoves)->Unit(benchmark::kMicrosecond);
