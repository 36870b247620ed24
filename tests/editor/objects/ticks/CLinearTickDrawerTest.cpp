#include <gtest/gtest.h>

#include <vector>

#include "editor/objects/ticks/CLinearTickDrawer.h"
#include "platform/gfx/Surface.h"

namespace {

constexpr TickKind S = TickKind::Short;
constexpr TickKind L = TickKind::Label;
constexpr TickScale kDefaultScale{100, 10, 2};

TEST(CLinearTickDrawer, AHorizontalScaleRunsFromTheOriginToItsLength)
{
    // A band 100 pixels long, 21 across (rows 0 to 20): the range lands on column 99.
    const CLinearTickDrawer ticks({TickAxis::Horizontal, 0, 99, TickSense::Forward, 0, 20, TickAlignment::TopLeft});
    const std::vector<TickLine> lines = ticks.Lines(kDefaultScale);
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_EQ(lines.front(), (TickLine{{0, 0}, {0, 20}, L}));
    EXPECT_EQ(lines[1], (TickLine{{9, 9}, {9, 20}, S})) << "10 × 99 / 100, short from the middle − 1";
    EXPECT_EQ(lines[2], (TickLine{{19, 0}, {19, 20}, L}));
    EXPECT_EQ(lines.back(), (TickLine{{99, 0}, {99, 20}, L}));
}

TEST(CLinearTickDrawer, AVerticalScaleBackwardsPutsTheMinimumAtTheOrigin)
{
    // As a graph axis: the minimum on the band's bottom edge, the maximum one below its top.
    const CLinearTickDrawer ticks({TickAxis::Vertical, 50, 49, TickSense::Backward, 10, 30, TickAlignment::BottomRight});
    const std::vector<TickLine> lines = ticks.Lines({100, 50, 2});
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], (TickLine{{10, 50}, {30, 50}, L}));
    EXPECT_EQ(lines[1], (TickLine{{10, 26}, {21, 26}, S})) << "50 − 24; short from the near edge to the middle + 1";
    EXPECT_EQ(lines[2], (TickLine{{10, 1}, {30, 1}, L}));
}

TEST(CLinearTickDrawer, ShortTicksFollowTheAlignmentTable)
{
    struct Case {
        TickAlignment alignment;
        int32_t from, to;
    };
    // Across 0 .. 20: the middle 10, a quarter 5.
    const Case cases[] = {{TickAlignment::TopLeft, 9, 20}, {TickAlignment::Centre, 4, 16}, {TickAlignment::BottomRight, 0, 11}};
    for (const Case& c : cases) {
        const CLinearTickDrawer ticks({TickAxis::Horizontal, 0, 10, TickSense::Forward, 0, 20, c.alignment});
        const std::vector<TickLine> lines = ticks.Lines({10, 5, 2});
        ASSERT_EQ(lines.size(), 3u);
        EXPECT_EQ(lines[1], (TickLine{{5, c.from}, {5, c.to}, S})) << int(c.alignment);
        EXPECT_EQ(lines[0].from.y, 0);
        EXPECT_EQ(lines[0].to.y, 20);
    }
}

TEST(CLinearTickDrawer, AStepOfOneOverAWideRangeDrawsOneTickPerPixel)
{
    const CLinearTickDrawer ticks({TickAxis::Horizontal, 0, 199, TickSense::Forward, 0, 10, TickAlignment::Centre});
    const std::vector<TickLine> lines = ticks.Lines({int64_t(INT32_MAX) - INT32_MIN, 1, 10});
    ASSERT_EQ(lines.size(), 200u);
    for (size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(lines[i].from.x, int32_t(i));
}

TEST(CLinearTickDrawer, AnEmptyRangeDrawsNothing)
{
    const CLinearTickDrawer ticks({TickAxis::Horizontal, 0, 99, TickSense::Forward, 0, 20, TickAlignment::TopLeft});
    EXPECT_TRUE(ticks.Lines({0, 10, 2}).empty());
    EXPECT_TRUE(ticks.Lines({-5, 10, 2}).empty());
}

TEST(CLinearTickDrawer, DrawnTicksStandAtBothEndsOfTheScale)
{
    gfx::Surface surface(100, 21);
    gfx::DeviceContext dc(surface);
    const CLinearTickDrawer ticks({TickAxis::Horizontal, 0, 99, TickSense::Forward, 0, 20, TickAlignment::TopLeft});
    ticks.Draw(dc, CTickPen(1, gfx::Colour::fromArgb(0xFF00FF00)), kDefaultScale);
    const auto alpha = [&](int32_t x, int32_t y) { return surface.pixel(x, y) >> 24; };
    EXPECT_GT(alpha(0, 10), 0u) << "the minimum's tick on the first column";
    EXPECT_GT(alpha(99, 10), 0u) << "the range's tick on the last column";
    EXPECT_GT(alpha(19, 2), 0u) << "a label tick crosses the band";
    EXPECT_EQ(alpha(9, 2), 0u) << "a short tick keeps to the far half";
    EXPECT_GT(alpha(9, 15), 0u);
    EXPECT_EQ(alpha(5, 10), 0u) << "nothing between ticks";
    EXPECT_EQ(surface.pixel(19, 10) & 0xFFFFFF, 0x00FF00u) << "in the pen's colour";
}

TEST(CTickPen, AWideLineCoversItsColumnAndHalfOfItsNeighbours)
{
    gfx::Surface surface(12, 12);
    gfx::DeviceContext dc(surface);
    CTickPen(2, gfx::Colour::fromArgb(0xFFFFFFFF)).DrawLine(dc, {5, 1}, {5, 10});
    const auto alpha = [&](int32_t x, int32_t y) { return int(surface.pixel(x, y) >> 24); };
    EXPECT_EQ(alpha(5, 5), 255);
    EXPECT_NEAR(alpha(4, 5), 128, 2);
    EXPECT_NEAR(alpha(6, 5), 128, 2);
    EXPECT_EQ(alpha(3, 5), 0);
    EXPECT_EQ(alpha(7, 5), 0);
    EXPECT_NEAR(alpha(5, 1), 128, 2) << "flat ends at the end pixels' centres";
    EXPECT_EQ(alpha(5, 0), 0);
    EXPECT_EQ(CTickPen(0, gfx::Colour{}).Width(), 1) << "a width of 0 is the thinnest line";
    EXPECT_EQ(CTickPen(-3, gfx::Colour{}).Width(), 1);
}

} // namespace
