#include <gtest/gtest.h>

#include <vector>

#include "engine/tags/DGeneralTimer.h"

namespace {

// Drives one timer the way the system controller does: the value tag takes what step
// returns, the other tags stay as set.
struct Driven {
    DGeneralTimer timer;
    DGeneralTimer::Tags tags;

    uint32_t at(uint32_t now)
    {
        tags.value = timer.step(now, tags);
        return tags.value;
    }
};

Driven armed(uint32_t mode, uint32_t start, uint32_t stop, uint32_t value, uint32_t step, uint32_t now)
{
    Driven d{{}, {value, start, stop, mode, step}};
    d.at(now);
    return d;
}

} // namespace

TEST(DGeneralTimer, EachModeCountsInItsPattern)
{
    struct Case {
        uint32_t mode, start, stop, first;
        std::vector<uint32_t> values; // after each period
    };
    const Case cases[] = {
        {1, 0, 3, 0, {1, 2, 3, 0, 1}},       // up and wrap
        {2, 0, 3, 0, {1, 2, 3, 3, 3}},       // up and stop
        {3, 0, 3, 0, {1, 2, 3, 2, 1, 0, 1}}, // up and down
        {4, 0, 3, 2, {1, 0, 3, 2}},          // down and wrap
        {5, 0, 3, 2, {1, 0, 0}},             // down and stop
        {6, 2, 5, 0, {1, 2, 3, 4, 5, 5}},    // from start towards a higher stop, unclamped
        {6, 5, 2, 5, {4, 3, 2, 2}},          // towards a lower stop
        {6, 5, 2, 9, {2, 2}},                // above the start: straight to the stop
        {7, 0, 3, 2, {2, 2}},                // unknown mode: no change
        {2, 0, 0xFFFFFFFF, 0xFFFFFFFE, {0xFFFFFFFF, 0xFFFFFFFF}}, // stops at the top, no wrap to 0
    };
    for (const Case& c : cases) {
        uint32_t now = 5000;
        Driven d = armed(c.mode, c.start, c.stop, c.first, 100, now);
        std::vector<uint32_t> seen;
        for (std::size_t i = 0; i < c.values.size(); ++i) {
            const uint32_t before = d.tags.value;
            EXPECT_EQ(d.at(now + 99), before) << "stepped early, mode " << c.mode;
            now += 100;
            seen.push_back(d.at(now));
        }
        EXPECT_EQ(seen, c.values) << "mode " << c.mode << " start " << c.start << " stop " << c.stop;
    }
}

TEST(DGeneralTimer, ValueIsClampedIntoTheBoundsUnsigned)
{
    // A negative start is a very large unsigned bound: the value is pulled up to it,
    // and the first count then finds it past the stop.
    Driven d = armed(2, uint32_t(-5), 10, 3, 100, 1000);
    EXPECT_EQ(d.tags.value, uint32_t(-5));
    EXPECT_EQ(d.at(1100), 10u);

    // Mode 6 counts from wherever the value is.
    Driven free = armed(6, 2, 5, 100, 100, 1000);
    EXPECT_EQ(free.tags.value, 100u);
}

TEST(DGeneralTimer, ALongFrameCatchesUpEveryStep)
{
    Driven d = armed(1, 0, 100, 0, 100, 1000);
    EXPECT_EQ(d.at(1350), 3u);
    EXPECT_EQ(d.at(1399), 3u);
    EXPECT_EQ(d.at(1400), 4u);
}

TEST(DGeneralTimer, ChangingStepOrModeRestartsThePeriod)
{
    Driven d = armed(1, 0, 100, 0, 100, 1000);
    EXPECT_EQ(d.at(1150), 1u); // due again at 1200
    d.tags.step = 300;
    EXPECT_EQ(d.at(1160), 1u); // re-armed: due at 1460
    EXPECT_EQ(d.at(1459), 1u);
    EXPECT_EQ(d.at(1460), 2u);

    // Mode 0 freezes the value; a mode set again starts a full period later.
    d.tags.mode = 0;
    EXPECT_EQ(d.at(5000), 2u);
    EXPECT_EQ(d.timer.lastMode(), 0u);
    d.tags.mode = 1;
    EXPECT_EQ(d.at(6000), 2u);
    EXPECT_EQ(d.at(6299), 2u);
    EXPECT_EQ(d.at(6300), 3u);
}

TEST(DGeneralTimer, PeriodsStayWithinWhatTheClockCanCompare)
{
    // A step of 0 counts every millisecond instead of without end.
    Driven zero = armed(2, 0, 1000, 0, 0, 1000);
    EXPECT_EQ(zero.timer.period(), 1u);
    EXPECT_EQ(zero.at(1001), 1u);
    EXPECT_EQ(zero.at(1005), 5u);

    // A step whose milliseconds times 1000 would not fit 32 bits keeps its length.
    Driven longStep = armed(2, 0, 1000, 0, 5000000, 0);
    EXPECT_EQ(longStep.at(705032), 0u);
    EXPECT_EQ(longStep.at(5000000), 1u);

    // The longest step is cut to half the clock, so it is never taken as already due.
    Driven longest = armed(2, 0, 1000, 0, 0xFFFFFFFF, 0);
    EXPECT_EQ(longest.timer.period(), DGeneralTimer::kLongestPeriod);
    EXPECT_EQ(longest.at(1000), 0u);
    EXPECT_EQ(longest.at(0x7FFFFFFF), 1u);
}

TEST(DGeneralTimer, CountsOnAcrossTheWrapOfTheClock)
{
    Driven d = armed(1, 0, 100, 0, 100, 0xFFFFFF9Cu); // due at 0
    EXPECT_EQ(d.at(0xFFFFFFFFu), 0u);
    EXPECT_EQ(d.at(0), 1u);
    EXPECT_EQ(d.at(99), 1u);
    EXPECT_EQ(d.at(100), 2u);
}
