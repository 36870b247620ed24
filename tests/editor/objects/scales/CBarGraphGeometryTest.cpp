#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "editor/objects/scales/CBarGraphGeometry.h"

namespace {

using A = BarTickAlignment;
constexpr gfx::Rect kVertical{0, 0, 40, 200};   // grows up or down: cross extent 40
constexpr gfx::Rect kHorizontal{0, 0, 200, 40}; // grows sideways: cross extent 40
constexpr int32_t kFromLeft = 1, kFromRight = 2, kFromTop = 3, kFromBottom = 4;

struct BandCase {
    const char* what;
    gfx::Rect rect;
    int32_t direction;
    BarGraphTickSettings ticks;
    std::optional<gfx::Rect> band;
    BarArea area;
};

TEST(CBarGraphGeometry, TickBandAndBarAreaTable)
{
    const BandCase cases[] = {
        {"inner top/left keeps 2 from the near edge, s × c / 200 + 1 wide", kVertical, kFromBottom,
         {true, 10, false, A::TopLeft}, gfx::Rect{2, 0, 5, 200}, {kVertical, 0}},
        {"inner bottom/right", kVertical, kFromBottom, {true, 10, false, A::BottomRight}, gfx::Rect{35, 0, 38, 200},
         {kVertical, 0}},
        {"inner centre cuts half the rest from both sides", kVertical, kFromTop, {true, 10, false, A::Centre},
         gfx::Rect{17, 0, 23, 200}, {kVertical, 0}},
        {"outer top/left: no gap, the bar gives way", kVertical, kFromBottom, {true, 10, true, A::TopLeft},
         gfx::Rect{0, 0, 3, 200}, {{2, 0, 40, 200}, 0}},
        {"outer bottom/right", kVertical, kFromBottom, {true, 10, true, A::BottomRight}, gfx::Rect{37, 0, 40, 200},
         {{0, 0, 38, 200}, 0}},
        {"outer dual: the whole rectangle, the bar cut on both sides", kVertical, kFromBottom,
         {true, 10, true, A::Dual}, kVertical, {{2, 0, 38, 200}, 0}},
        {"outer centre splits the bar around its middle", kVertical, kFromBottom, {true, 10, true, A::Centre},
         gfx::Rect{18, 0, 22, 200}, {kVertical, 2}},
        {"a horizontal bar's cross axis is vertical", kHorizontal, kFromLeft, {true, 10, false, A::TopLeft},
         gfx::Rect{0, 2, 200, 5}, {kHorizontal, 0}},
        {"outer ticks of a horizontal bar cut its top", kHorizontal, kFromRight, {true, 20, true, A::TopLeft},
         gfx::Rect{0, 0, 200, 5}, {{0, 4, 200, 40}, 0}},
        {"a tick size of 95 counts 90", kVertical, kFromBottom, {true, 95, false, A::TopLeft}, gfx::Rect{2, 0, 21, 200},
         {kVertical, 0}},
        {"hidden ticks have no band and leave the bar whole", kVertical, kFromBottom, {false, 10, true, A::TopLeft},
         std::nullopt, {kVertical, 0}},
        {"a tick size of 0 has no band", kVertical, kFromBottom, {true, 0, true, A::TopLeft}, std::nullopt,
         {kVertical, 0}},
        {"no room for a band across a narrow bar", gfx::Rect{0, 0, 3, 100}, kFromBottom, {true, 10, false, A::TopLeft},
         std::nullopt, {{0, 0, 3, 100}, 0}},
    };
    for (const BandCase& c : cases) {
        const CBarGraphGeometry geometry(c.rect, c.direction, c.ticks);
        EXPECT_EQ(geometry.TickBand(), c.band) << c.what;
        EXPECT_EQ(geometry.Area(), c.area) << c.what;
    }
}

// The minimum's tick and the maximum's at both ends of the band, for every direction.
TEST(CBarGraphGeometry, TicksRunFromTheMinimumEndToTheFarEnd)
{
    struct Case {
        gfx::Rect rect;
        int32_t direction;
        gfx::Point minimumFrom, maximumFrom;
    };
    const Case cases[] = {
        {kHorizontal, kFromLeft, {0, 2}, {199, 2}},
        {kHorizontal, kFromRight, {199, 2}, {0, 2}},
        {kVertical, kFromTop, {2, 0}, {2, 199}},
        {kVertical, kFromBottom, {2, 199}, {2, 0}},
    };
    for (const Case& c : cases) {
        const CBarGraphGeometry geometry(c.rect, c.direction, {true, 10, false, A::TopLeft});
        const std::optional<gfx::Rect> band = geometry.TickBand();
        ASSERT_TRUE(band);
        const std::vector<TickLine> lines =
            CLinearTickDrawer(geometry.TickLayout(*band, A::TopLeft)).Lines({100, 10, 2});
        ASSERT_EQ(lines.size(), 11u) << c.direction;
        EXPECT_EQ(lines.front().from, c.minimumFrom) << c.direction;
        EXPECT_EQ(lines.back().from, c.maximumFrom) << c.direction;
        EXPECT_EQ(lines.front().kind, TickKind::Label);
        // A label tick crosses the band's three pixels; the far edge is its last pixel.
        const gfx::Point across{lines.front().to.x - lines.front().from.x, lines.front().to.y - lines.front().from.y};
        EXPECT_EQ(std::abs(across.x) + std::abs(across.y), 2) << c.direction;
    }
}

} // namespace
