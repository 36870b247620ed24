#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "editor/objects/ticks/CTickGenerator.h"

namespace {

constexpr TickKind S = TickKind::Short;
constexpr TickKind L = TickKind::Label;

std::vector<Tick> allTicks(int64_t range, int64_t distance, int64_t labelDistance, int64_t positions)
{
    std::vector<Tick> ticks;
    CTickGenerator generator(range, distance, labelDistance, positions);
    for (Tick tick; generator.Next(tick);)
        ticks.push_back(tick);
    return ticks;
}

struct TickCase {
    const char* what;
    int64_t range, distance, labelDistance, positions;
    std::vector<Tick> expected;
};

TEST(CTickGenerator, TicksOfAScaleTable)
{
    const TickCase cases[] = {
        {"the default scale: every tenth value, every second tick a label", 100, 10, 2, 100,
         {{0, 0, L}, {10, 10, S}, {20, 20, L}, {30, 30, S}, {40, 40, L}, {50, 50, S},
          {60, 60, L}, {70, 70, S}, {80, 80, L}, {90, 90, S}, {100, 100, L}}},
        {"a step that does not divide the range ends on the range", 100, 30, 2, 100,
         {{0, 0, L}, {30, 30, S}, {60, 60, L}, {90, 90, S}, {100, 100, L}}},
        {"positions are truncated", 3, 1, 1, 10, {{0, 0, L}, {1, 3, L}, {2, 6, L}, {3, 10, L}}},
        {"a shorter scale scales the positions", 100, 25, 2, 50,
         {{0, 0, L}, {25, 12, S}, {50, 25, L}, {75, 37, S}, {100, 50, L}}},
        {"a step of 0 is the range", 100, 0, 2, 100, {{0, 0, L}, {100, 100, L}}},
        {"a negative step is the range", 100, -5, 2, 100, {{0, 0, L}, {100, 100, L}}},
        {"a step beyond the range", 100, 500, 2, 100, {{0, 0, L}, {100, 100, L}}},
        {"a label distance of 0 makes every tick a label", 100, 25, 0, 100,
         {{0, 0, L}, {25, 25, L}, {50, 50, L}, {75, 75, L}, {100, 100, L}}},
        {"a negative label distance too", 100, 50, -3, 100, {{0, 0, L}, {50, 50, L}, {100, 100, L}}},
        {"a label distance beyond the range leaves 0 and the range", 100, 50, 1000, 100,
         {{0, 0, L}, {50, 50, S}, {100, 100, L}}},
        {"values sharing a position give one tick, a label when any is", 10, 1, 3, 5,
         {{0, 0, L}, {2, 1, L}, {4, 2, S}, {6, 3, L}, {8, 4, L}, {10, 5, L}}},
        {"no length: the tick at the range alone", 100, 10, 2, 0, {{100, 0, L}}},
        {"a negative length counts as none", 100, 10, 2, -7, {{100, 0, L}}},
        {"an empty range has no ticks", 0, 10, 2, 100, {}},
        {"a negative range has no ticks", -100, 10, 2, 100, {}},
    };
    for (const TickCase& c : cases)
        EXPECT_EQ(allTicks(c.range, c.distance, c.labelDistance, c.positions), c.expected) << c.what;
}

// The whole int32 value range with a step of 1 over a 100-pixel scale: 100 ticks, not 2^32.
TEST(CTickGenerator, AStepOfOneOverTheWholeIntegerRangeGivesOneTickPerPixel)
{
    const int64_t range = int64_t(INT32_MAX) - INT32_MIN;
    const std::vector<Tick> ticks = allTicks(range, 1, 2, 99);
    ASSERT_EQ(ticks.size(), 100u);
    for (size_t i = 0; i < ticks.size(); ++i) {
        EXPECT_EQ(ticks[i].position, int64_t(i));
        EXPECT_EQ(ticks[i].kind, L) << "every position holds an even value";
    }
    EXPECT_EQ(ticks.front().value, 0);
    EXPECT_EQ(ticks.back().value, range);
}

TEST(CTickGenerator, RangesAndLengthsBeyondTheLimitsAreClamped)
{
    CTickGenerator generator(INT64_MAX, 1, INT64_MAX, INT64_MAX);
    EXPECT_EQ(generator.Range(), CTickGenerator::kMaxRange);
    EXPECT_EQ(generator.Positions(), CTickGenerator::kMaxPositions);
    Tick first, second;
    ASSERT_TRUE(generator.Next(first));
    ASSERT_TRUE(generator.Next(second));
    EXPECT_EQ(first, (Tick{0, 0, L}));
    // 2 × (2^31 − 1) / 2^32 still truncates to position 0; 3 is the first value past it.
    EXPECT_EQ(second.value, 3);
    EXPECT_EQ(second.position, 1);
}

// Over a grid of scales: rising positions, one tick a position at most, every value a
// multiple of the step but the last, which is the range at the last position.
TEST(CTickGenerator, EveryScaleKeepsItsInvariants)
{
    for (int64_t range : std::initializer_list<int64_t>{1, 7, 100, 1000, 65536, 4000000000LL})
        for (int64_t distance : std::initializer_list<int64_t>{-1, 0, 1, 3, 10, 99, 100000})
            for (int64_t labelDistance : std::initializer_list<int64_t>{-1, 0, 1, 2, 7})
                for (int64_t positions : std::initializer_list<int64_t>{0, 1, 2, 9, 100, 640}) {
                    const std::vector<Tick> ticks = allTicks(range, distance, labelDistance, positions);
                    const std::string what = std::to_string(range) + "/" + std::to_string(distance) + "/" +
                                             std::to_string(labelDistance) + "/" + std::to_string(positions);
                    ASSERT_FALSE(ticks.empty()) << what;
                    ASSERT_LE(ticks.size(), size_t(positions + 1)) << what;
                    EXPECT_EQ(ticks.back(), (Tick{range, positions, L})) << what;
                    const int64_t step = distance <= 0 ? range : std::min(distance, range);
                    for (size_t i = 0; i + 1 < ticks.size(); ++i) {
                        EXPECT_LT(ticks[i].position, ticks[i + 1].position) << what;
                        EXPECT_EQ(ticks[i].value % step, 0) << what;
                        EXPECT_EQ(ticks[i].position, ticks[i].value * positions / range) << what;
                    }
                }
}

} // namespace
