#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "engine/widgets/DScaledValue.h"
#include "engine/widgets/DValueAlarms.h"
#include "engine/primitives/DWidgetMath.h"

namespace {

DScaledValue scaling(int32_t multiplier, int32_t divisor, int32_t offset)
{
    DScaledValue scale;
    scale.multiplier = multiplier;
    scale.divisor = divisor;
    scale.offset = offset;
    return scale;
}

DScaledValue ranged(int32_t minimum, int32_t maximum, uint32_t step)
{
    DScaledValue scale;
    scale.minimum = minimum;
    scale.maximum = maximum;
    scale.step = step;
    return scale;
}

} // namespace

TEST(DScaledValue, ScalesInWideIntermediatesAndKeepsThirtyTwoBits)
{
    struct Case {
        int32_t value, multiplier, divisor, offset, scaled;
    };
    const Case cases[] = {
        {10, 1, 1, 0, 10},
        {10, 3, 2, 1, 16},
        {-7, 1, 2, 0, -3},               // truncated toward zero
        {5, 4, 0, 2, 22},                // a divisor of 0 is skipped
        {100000, 100000, 1000, 0, 10000000}, // the product does not fit in 32 bits
        {INT_MIN, 1, -1, 0, INT_MIN},    // no trap: 2^31 wraps to the low word
        {INT_MAX, 1, 1, 1, INT_MIN},     // the offset wraps as 32-bit arithmetic does
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(scaling(c.multiplier, c.divisor, c.offset).scaled(c.value), c.scaled);
    }
}

TEST(DScaledValue, UnscalesTheWayBack)
{
    struct Case {
        int32_t value, multiplier, divisor, offset, unscaled;
    };
    const Case cases[] = {
        {100, 2, 1, 0, 50},
        {16, 3, 2, 1, 10},
        {7, 0, 1, 3, 4},     // a multiplier of 0 is no divisor
        {7, 2, 0, 1, 3},     // a divisor of 0 is skipped here too, as in scaled()
        {INT_MIN, -1, 1, 0, INT_MIN},
        {INT_MAX, 1, INT_MIN, INT_MIN, INT_MIN}, // (2^32 - 1) x -2^31 fits in 64 bits
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(scaling(c.multiplier, c.divisor, c.offset).unscaled(c.value), c.unscaled);
    }
}

TEST(DScaledValue, StepsRoundToTheNearerStepInsideTheRange)
{
    struct Case {
        uint32_t step;
        uint64_t position, rounded;
    };
    const Case cases[] = {
        {5, 97, 95}, {5, 98, 100}, {5, 100, 100}, {5, 0, 0}, {5, 2, 0}, {5, 3, 5},
        {30, 100, 90}, // up would pass the range: down instead
        {30, 80, 90},  {30, 74, 60}, {1, 42, 42},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.step << " " << c.position);
        EXPECT_EQ(ranged(0, 100, c.step).rounded(c.position), c.rounded);
    }
}

TEST(DScaledValue, PositionsClampToTheRange)
{
    const DScaledValue scale = ranged(-50, 50, 10);
    EXPECT_EQ(scale.range(), 100u);
    EXPECT_EQ(scale.positionOf(-51), 0u);
    EXPECT_EQ(scale.positionOf(-50), 0u);
    EXPECT_EQ(scale.positionOf(-34), 20u);
    EXPECT_EQ(scale.positionOf(51), 100u);
    EXPECT_EQ(scale.valueAt(20), -30);

    const DScaledValue full = ranged(INT_MIN, INT_MAX, 1);
    EXPECT_EQ(full.range(), 0xFFFFFFFFull);
    EXPECT_EQ(full.positionOf(INT_MAX), 0xFFFFFFFFull);
    EXPECT_EQ(full.valueAt(0xFFFFFFFFull), INT_MAX);
}

TEST(DScaledValue, NoRangeOrNoStepIsNotUsable)
{
    EXPECT_TRUE(ranged(0, 1, 1).isUsable());
    EXPECT_FALSE(ranged(5, 5, 1).isUsable());
    EXPECT_FALSE(ranged(6, 5, 1).isUsable());
    EXPECT_FALSE(ranged(0, 100, 0).isUsable());
}

TEST(DWidgetMath, ProductsAndCoordinatesDoNotOverflow)
{
    EXPECT_EQ(mulDiv(0xFFFFFFFFll, 0x1FFFFFFFFll, 0xFFFFFFFFll), 0x1FFFFFFFFll);
    EXPECT_EQ(mulDiv(-7, 1, 2), -3);
    EXPECT_EQ(toCoordinate(int64_t(1) << 40), INT_MAX);
    EXPECT_EQ(toCoordinate(-1e300), INT_MIN);
    EXPECT_EQ(toCoordinate(-2.9), -2);
    EXPECT_EQ(pointOf(0xFFFE0003u), (DPoint{3, -2}));
}

TEST(DValueAlarms, LowAndHighTurnOnAtTheirLimitsAndOffPastThem)
{
    struct Step {
        int64_t value;
        std::vector<uint32_t> events;
    };
    const Step steps[] = {
        {50, {}},
        {10, {DValueAlarms::kLowOn}},   // at the low limit: on
        {10, {}},                       // stays on, fires once
        {11, {DValueAlarms::kLowOff}},  // off only above it
        {90, {DValueAlarms::kHighOn}},  // at the high limit: on
        {89, {DValueAlarms::kHighOff}}, // off below it
        {95, {DValueAlarms::kHighOn}},
        {5, {DValueAlarms::kLowOn, DValueAlarms::kHighOff}}, // low first, then high
    };
    DValueAlarms alarms;
    alarms.setLimits(10, 90);
    for (const Step& step : steps) {
        SCOPED_TRACE(step.value);
        const DValueAlarms::Events events = alarms.update(step.value);
        EXPECT_EQ(std::vector<uint32_t>(events.codes.begin(), events.codes.begin() + events.count), step.events);
    }
    EXPECT_TRUE(alarms.lowActive());
    EXPECT_FALSE(alarms.highActive());
}
