#include <climits>
#include <string>
#include <vector>

#include "engine/primitives/DBaseObject_Graph.h"
#include "engine/widgets/DCompositeObject_Trend.h"
#include "tests/support/engine/ScrollingWidgetHarness.h"
#include "tests/support/engine/WidgetRecords.h"

using namespace target;
using vx::test::TargetBuilder;

namespace {

// The plot lies over (0, 0, 20, 10) on a frame picture of the same size.
constexpr int32_t kPlotWidth = 20, kPlotHeight = 10;
constexpr uint32_t kLine = 0xFFFF0000, kFrame = 0xFF101010;
const TagReference kValue = localTag(5);

struct TrendSetup {
    uint32_t mode = 0;
    uint32_t rate = 10;
    int32_t step = 2;
    int32_t minimum = 0;
    int32_t maximum = 100;
    int32_t multiplier = 1;
    int32_t divisor = 1;
    int32_t offset = 0;
    int32_t plotWidth = kPlotWidth;
};

std::vector<uint8_t> trendPage(const TrendSetup& setup)
{
    TargetBuilder builder(ScrollingWidgetHarness::kWidth, ScrollingWidgetHarness::kHeight, 1);
    const uint32_t frame = ScrollingWidgetHarness::solidImage(builder, kPlotWidth, kPlotHeight, kFrame);
    builder.page(uint32_t(PageType::Normal), -1, [&](TargetBuilder::Page& page) {
        vx::test::TrendRecord trend;
        DCompositeObject_Trend::ClassWords& words = trend.words;
        words.frameImage = frame;
        words.lineColour = kLine;
        words.mode = setup.mode;
        words.sampleRate = setup.rate;
        words.step = setup.step;
        words.minimum = setup.minimum;
        words.maximum = setup.maximum;
        words.lowLimit = 10;
        words.highLimit = 90;
        words.multiplier = setup.multiplier;
        words.divisor = setup.divisor;
        words.offset = setup.offset;
        trend.tag = kValue;
        trend.plot = {0, 0, setup.plotWidth, kPlotHeight};
        trend.frameArea = {0, 0, kPlotWidth, kPlotHeight};
        vx::test::writeTrend(page, trend);
    });
    return builder.finish();
}

class TrendTest : public ScrollingWidgetHarness {
protected:
    void show(const TrendSetup& setup)
    {
        ASSERT_NO_FATAL_FAILURE(loadWidget(trendPage(setup), trend, graph, &DCompositeObject_Trend::graph));
    }
    // The tag takes the value, the next tick samples it and the frame after draws it.
    void plot(int32_t value, uint32_t period = 100)
    {
        setNumber(kValue, value);
        frame(period);
        project.render();
    }
    bool lit(int x, int y) { return pixel(x, y) == kLine; }

    DCompositeObject_Trend* trend = nullptr;
    DBaseObject_Graph* graph = nullptr;
};

struct RateCase {
    uint32_t rate;
    uint32_t period;
    std::size_t samplesIn999;
};

class TrendRate : public TrendTest, public testing::WithParamInterface<RateCase> {};

} // namespace

TEST_P(TrendRate, SamplesAtTheRate)
{
    const RateCase& c = GetParam();
    TrendSetup setup;
    setup.rate = c.rate;
    show(setup);
    EXPECT_EQ(trend->samplePeriod(), c.period);
    EXPECT_EQ(trend->tickEnabled(), c.period != 0);
    for (uint32_t ms = 1; ms <= 999; ++ms)
        project.tickTime(platform.now + ms);
    EXPECT_EQ(trend->queued(), c.samplesIn999);
}

INSTANTIATE_TEST_SUITE_P(Trend, TrendRate,
                         testing::Values(RateCase{4, 250, 4}, RateCase{3, 333, 3}, RateCase{1000, 1, 999},
                                         RateCase{2000, 1, 999}, RateCase{0, 0, 0}),
                         [](const auto& info) { return "Rate" + std::to_string(info.param.rate); });

TEST_F(TrendTest, ScrollingDotsPutTheMinimumAtTheBottomAndTheMaximumAtTheTop)
{
    show({});
    EXPECT_EQ(graph->sampleCount(), 10u);
    EXPECT_EQ(graph->style(), DBaseObject_Graph::Dots);
    plot(0);
    EXPECT_TRUE(lit(18, 9));
    plot(100);
    // The picture moved left by one step; the new sample is at the right.
    EXPECT_TRUE(lit(16, 9));
    EXPECT_TRUE(lit(18, 0));
    EXPECT_EQ(pixel(18, 9), kFrame);
    EXPECT_EQ(pixel(17, 5), kFrame); // dots only
    EXPECT_EQ(pixel(10, 5), kFrame);
    EXPECT_EQ(pixel(kPlotWidth, 0), 0u);
}

TEST_F(TrendTest, ScrollingLineJoinsTheSamples)
{
    TrendSetup setup;
    setup.mode = TrendWords::kModeLine;
    show(setup);
    EXPECT_EQ(graph->style(), DBaseObject_Graph::Line);
    plot(0); // a line needs two samples
    plot(0);
    EXPECT_TRUE(lit(16, 9));
    EXPECT_TRUE(lit(17, 9));
    EXPECT_TRUE(lit(18, 9));
    plot(100);
    EXPECT_TRUE(lit(14, 9));
    EXPECT_TRUE(lit(16, 9));
    EXPECT_TRUE(lit(18, 0));
    EXPECT_EQ(pixel(18, 9), kFrame);
    int column = 0;
    for (int y = 0; y < kPlotHeight; ++y)
        column += lit(17, y);
    EXPECT_GE(column, 3); // a steep line crosses the column between them
    EXPECT_EQ(pixel(10, 5), kFrame);
}

TEST_F(TrendTest, SamplesQueuedBetweenFramesAreAllDrawnInOrder)
{
    TrendSetup setup;
    setup.rate = 1000;
    show(setup);
    for (int32_t value : {0, 50, 100}) {
        setNumber(kValue, value);
        platform.now += 1;
        for (DController_Local& controller : controllers)
            controller.update(platform.now);
        project.tickTime(platform.now);
    }
    EXPECT_EQ(trend->queued(), 3u);
    project.render();
    EXPECT_EQ(trend->queued(), 0u);
    EXPECT_TRUE(lit(14, 9));
    EXPECT_TRUE(lit(16, 5));
    EXPECT_TRUE(lit(18, 0));
}

TEST_F(TrendTest, AFullQueueDropsItsOldestSamples)
{
    // Sweeping over 10 samples: the cursor tells how many were drawn.
    TrendSetup setup;
    setup.mode = TrendWords::kModeOverlapping;
    setup.rate = 1000;
    show(setup);
    const auto tickWith = [&](int32_t value) {
        setNumber(kValue, value);
        platform.now += 1;
        for (DController_Local& controller : controllers)
            controller.update(platform.now);
        project.tickTime(platform.now);
    };
    constexpr std::size_t kCapacity = DCompositeObject_Trend::kQueueCapacity, kOver = 5;
    // No frame is drawn: the top row until the last sample, which is on the bottom row.
    for (std::size_t i = 0; i < kCapacity + kOver - 1; ++i)
        tickWith(100);
    tickWith(0);
    EXPECT_EQ(trend->queued(), kCapacity);
    project.render();
    EXPECT_EQ(trend->queued(), 0u);
    // 1024 writes round the 10 samples: the newest at 3, the gap at the cursor after it.
    EXPECT_EQ(graph->cursor(), kCapacity % graph->sampleCount());
    ASSERT_TRUE(graph->sample(3).valid);
    EXPECT_EQ(graph->sample(3).y, kPlotHeight - 1);
    EXPECT_EQ(graph->sample(2).y, 0);
    EXPECT_FALSE(graph->sample(4).valid);
    EXPECT_TRUE(lit(6, 9));
    EXPECT_TRUE(lit(4, 0));
    // Sampling goes on after the overflow.
    tickWith(0);
    EXPECT_EQ(trend->queued(), 1u);
}

TEST_F(TrendTest, SweepingKeepsABlankSampleAfterTheCursor)
{
    TrendSetup setup;
    setup.mode = TrendWords::kModeOverlapping;
    show(setup);
    EXPECT_TRUE(trend->sweeps());
    for (int i = 0; i < 3; ++i)
        plot(100, 100);
    EXPECT_TRUE(lit(0, 0));
    EXPECT_TRUE(lit(2, 0));
    EXPECT_EQ(graph->cursor(), 3u);
    for (int i = 0; i < 12; ++i) {
        plot(100, 100);
        ASSERT_FALSE(graph->sample(graph->cursor()).valid);
        const int gap = int(graph->cursorX());
        EXPECT_EQ(pixel(gap, 0), kFrame) << "after write " << i;
    }
    // 15 writes on 10 samples: round once, the cursor at 5.
    EXPECT_EQ(graph->cursor(), 5u);
    EXPECT_TRUE(lit(8, 0));
    EXPECT_TRUE(lit(12, 0));
}

TEST_F(TrendTest, AlarmsSwitchAtTheirLimits)
{
    show({});
    EXPECT_TRUE(trend->lowAlarm()); // the tag starts at 0
    struct Step {
        int32_t value;
        bool low;
        bool high;
    };
    const Step steps[] = {{50, false, false}, {10, true, false}, {11, false, false}, {90, false, true},
                          {89, false, false}, {5, true, false},  {95, false, true}};
    for (const Step& step : steps) {
        setNumber(kValue, step.value);
        frame();
        EXPECT_EQ(trend->lowAlarm(), step.low) << step.value;
        EXPECT_EQ(trend->highAlarm(), step.high) << step.value;
    }
}

namespace {

struct ScalingCase {
    const char* name;
    TrendSetup setup;
    int32_t value;
    int32_t row; // the current sample, counted up from the bottom
};

TrendSetup scaling(int32_t multiplier, int32_t divisor, int32_t offset, int32_t minimum = 0, int32_t maximum = 100)
{
    TrendSetup setup;
    setup.multiplier = multiplier;
    setup.divisor = divisor;
    setup.offset = offset;
    setup.minimum = minimum;
    setup.maximum = maximum;
    return setup;
}

const ScalingCase kScalingCases[] = {
    {"Plain", scaling(1, 1, 0), 50, 4},
    {"MultiplierDivisorOffset", scaling(3, 2, 10), 20, 3},
    {"DivisorZeroIsSkipped", scaling(1, 0, 0), 20, 1},
    {"ProductBeyond32BitsWraps", scaling(4, 1, 0), INT32_MAX, 0},
    {"RangeZeroShowsTheMinimum", scaling(1, 1, 0, 50, 50), 70, 0},
    {"FarAboveTheRange", scaling(1, 1, 0, INT32_MIN, INT32_MAX), INT32_MAX, 9},
    {"BelowTheMinimum", scaling(1, 1, 0), -50, -5},
};

class TrendScaling : public TrendTest, public testing::WithParamInterface<ScalingCase> {};

} // namespace

TEST_P(TrendScaling, SampleRowOfTheScaledValue)
{
    const ScalingCase& c = GetParam();
    show(c.setup);
    setNumber(kValue, c.value);
    frame();
    EXPECT_EQ(trend->currentSample(), c.row);
}

INSTANTIATE_TEST_SUITE_P(Trend, TrendScaling, testing::ValuesIn(kScalingCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(TrendTest, StepZeroLeavesTheGraphEmpty)
{
    TrendSetup setup;
    setup.step = 0;
    show(setup);
    EXPECT_EQ(graph->sampleCount(), 0u);
    for (int i = 0; i < 5; ++i)
        plot(100);
    EXPECT_EQ(pixel(18, 0), kFrame);
    EXPECT_EQ(pixel(0, 0), kFrame);
}

TEST_F(TrendTest, GraphLargerThanAnyPageDrawsNothing)
{
    TrendSetup setup;
    setup.plotWidth = 1 << 30;
    show(setup);
    EXPECT_FALSE(graph->isUsable());
    EXPECT_EQ(graph->sampleCount(), 0u);
    for (int i = 0; i < 3; ++i)
        plot(100);
    EXPECT_EQ(pixel(18, 0), kFrame);
}

TEST_F(TrendTest, StepWiderThanThePlotKeepsOneSample)
{
    TrendSetup setup;
    setup.step = INT32_MAX;
    show(setup);
    EXPECT_EQ(graph->sampleCount(), 1u);
    plot(100);
    EXPECT_TRUE(lit(0, 0));
    plot(0); // the one sample is replaced
    EXPECT_TRUE(lit(0, 9));
    EXPECT_EQ(pixel(0, 0), kFrame);
}
