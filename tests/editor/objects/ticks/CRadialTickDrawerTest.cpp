#include <gtest/gtest.h>

#include <vector>

#include "editor/objects/ticks/CRadialTickDrawer.h"
#include "platform/gfx/Surface.h"

namespace {

constexpr TickKind S = TickKind::Short;
constexpr TickKind L = TickKind::Label;
constexpr RotationSense CW = RotationSense::Clockwise;
constexpr RotationSense CCW = RotationSense::Counterclockwise;

TEST(CRadialTickDrawer, NormaliseArcTable)
{
    struct Case {
        int32_t start, end;
        RotationSense sense;
        RadialArc expected;
    };
    const Case cases[] = {
        {60, 300, CW, {60, 240}},   // the default dial, over the top
        {300, 60, CW, {-60, 120}},  // the short way clockwise, through straight down
        {60, 300, CCW, {420, -120}},
        {300, 60, CCW, {300, -240}},
        {60, 60, CW, {-300, 360}},  // a full turn, as the engine turns its needle
        {60, 60, CCW, {420, -360}},
        {INT32_MIN, INT32_MAX, CW, {INT32_MIN, CRadialTickDrawer::kMaxSpan}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CRadialTickDrawer::NormaliseArc(c.start, c.end, c.sense), c.expected) << c.start << " " << c.end;
}

TEST(CRadialTickDrawer, AngleOfTruncatesTowardZero)
{
    EXPECT_EQ(CRadialTickDrawer::AngleOf({60, 240}, 0, 100), 60);
    EXPECT_EQ(CRadialTickDrawer::AngleOf({60, 240}, 50, 100), 180);
    EXPECT_EQ(CRadialTickDrawer::AngleOf({60, 240}, 100, 100), 300);
    EXPECT_EQ(CRadialTickDrawer::AngleOf({0, -100}, 1, 3), -33);
    EXPECT_EQ(CRadialTickDrawer::AngleOf({0, 100}, 1, 3), 33);
    EXPECT_EQ(CRadialTickDrawer::AngleOf({60, 240}, 500, 100), 300) << "kept within the range";
    EXPECT_EQ(CRadialTickDrawer::AngleOf({60, 240}, -5, 100), 60);
    EXPECT_EQ(CRadialTickDrawer::AngleOf({60, 240}, 5, 0), 60) << "no range: the start";
}

TEST(CRadialTickDrawer, PointAtMeasuresFromStraightDownClockwise)
{
    const gfx::Point centre{100, 100};
    EXPECT_EQ(CRadialTickDrawer::PointAt(centre, 50, 0), (gfx::Point{100, 150}));
    EXPECT_EQ(CRadialTickDrawer::PointAt(centre, 50, 90), (gfx::Point{50, 100}));
    EXPECT_EQ(CRadialTickDrawer::PointAt(centre, 50, 180), (gfx::Point{100, 50}));
    EXPECT_EQ(CRadialTickDrawer::PointAt(centre, 50, 270), (gfx::Point{150, 100}));
    EXPECT_EQ(CRadialTickDrawer::PointAt(centre, 50, -90), (gfx::Point{150, 100}));
    // 100 − 50 × sin 60° = 56.70..., 100 + 50 × cos 60° = 125: truncated.
    EXPECT_EQ(CRadialTickDrawer::PointAt(centre, 50, 60), (gfx::Point{56, 125}));
}

RadialTickLayout defaultDial()
{
    // A 100-pixel dial: S = 46, V = 4 for the label ticks, inner-aligned short ticks.
    return {{50, 50}, {60, 240}, {42, 46}, {42, 44}};
}

TEST(CRadialTickDrawer, TicksStandAtBothEndsOfTheArc)
{
    const std::vector<TickLine> lines = CRadialTickDrawer(defaultDial()).Lines({100, 10, 2});
    ASSERT_EQ(lines.size(), 11u);
    const gfx::Point centre{50, 50};
    EXPECT_EQ(lines.front(), (TickLine{CRadialTickDrawer::PointAt(centre, 42, 60), CRadialTickDrawer::PointAt(centre, 46, 60), L}));
    EXPECT_EQ(lines[1], (TickLine{CRadialTickDrawer::PointAt(centre, 42, 84), CRadialTickDrawer::PointAt(centre, 44, 84), S}));
    EXPECT_EQ(lines.back(), (TickLine{CRadialTickDrawer::PointAt(centre, 42, 300), CRadialTickDrawer::PointAt(centre, 46, 300), L}));
    // The default dial is symmetric about the vertical through its centre.
    EXPECT_EQ(lines.front().to.y, lines.back().to.y);
    EXPECT_NEAR(lines.front().to.x - 50, 50 - lines.back().to.x, 1);
}

TEST(CRadialTickDrawer, AStepOfOneOverAWideRangeDrawsAtMostOneTickPerDegreeAndPixel)
{
    const TickScale wide{int64_t(INT32_MAX) - INT32_MIN, 1, 5};
    const std::vector<TickLine> big = CRadialTickDrawer(defaultDial()).Lines(wide);
    EXPECT_LE(big.size(), 193u) << "240° of a 46-pixel rim are 192 pixels";
    EXPECT_GT(big.size(), 150u);
    // 240° over a rim of 100 pixels' radius hold 418 pixels, but the ticks stand on whole degrees.
    const std::vector<TickLine> wideDial = CRadialTickDrawer({{100, 100}, {60, 240}, {90, 100}, {90, 95}}).Lines(wide);
    EXPECT_EQ(wideDial.size(), 241u);
    // A dial of radius 10: 240° of arc are 41 pixels.
    const std::vector<TickLine> small = CRadialTickDrawer({{10, 10}, {60, 240}, {6, 10}, {6, 8}}).Lines(wide);
    EXPECT_LE(small.size(), 42u) << "one a pixel";
    EXPECT_EQ(small.back().to, CRadialTickDrawer::PointAt({10, 10}, 10, 300)) << "the last at the end";
    for (size_t i = 0; i + 1 < small.size(); ++i)
        EXPECT_NE(small[i].to, small[i + 1].to) << "one line on a pixel of the rim";
}

TEST(CRadialTickDrawer, ADialOfNoSizeDrawsTheTickAtTheRangeAlone)
{
    const std::vector<TickLine> lines = CRadialTickDrawer({{5, 5}, {60, 240}, {0, 0}, {0, 0}}).Lines({100, 10, 2});
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].kind, L);
    EXPECT_TRUE(CRadialTickDrawer(defaultDial()).Lines({0, 10, 2}).empty());
}

TEST(CRadialTickDrawer, DrawnTicksLightTheArcAndNotTheCentre)
{
    gfx::Surface surface(100, 100);
    gfx::DeviceContext dc(surface);
    CRadialTickDrawer(defaultDial()).Draw(dc, CTickPen(2, gfx::Colour::fromArgb(0xFFFFFF00)), {100, 10, 2});
    const gfx::Point start = CRadialTickDrawer::PointAt({50, 50}, 44, 60);
    const gfx::Point end = CRadialTickDrawer::PointAt({50, 50}, 44, 300);
    const gfx::Point top = CRadialTickDrawer::PointAt({50, 50}, 43, 180);
    EXPECT_GT(surface.pixel(start.x, start.y) >> 24, 0u);
    EXPECT_GT(surface.pixel(end.x, end.y) >> 24, 0u);
    EXPECT_GT(surface.pixel(top.x, top.y) >> 24, 0u) << "the middle value stands straight up";
    EXPECT_EQ(surface.pixel(50, 50), 0u);
    EXPECT_EQ(surface.pixel(50, 95), 0u) << "nothing below, outside the arc";
}

} // namespace
