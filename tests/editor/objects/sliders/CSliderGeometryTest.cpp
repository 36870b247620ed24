#include <gtest/gtest.h>

#include "editor/objects/sliders/CKnobGeometry.h"
#include "editor/objects/sliders/CSliderGeometry.h"
#include "editor/objects/sliders/CTrendGeometry.h"

namespace {

constexpr DSize kSquareThumb{64, 64};

SliderSettings horizontal(gfx::Rect rect = {0, 0, 200, 40})
{
    SliderSettings s;
    s.rect = rect;
    s.direction = 1;
    s.thumbSize = 60;
    s.channelOffset = 30;
    s.thumbPicture = kSquareThumb;
    return s;
}

struct ThumbCase {
    const char* name;
    SliderSettings settings;
    gfx::Rect face;
    gfx::Rect thumb;
    int32_t margin;
    bool cut;
};

TEST(CSliderGeometry, ThumbFaceAndMargin)
{
    auto with = [](SliderSettings s, auto change) {
        change(s);
        return s;
    };
    const ThumbCase cases[] = {
        {"defaults", horizontal(), {0, 0, 200, 40}, {18, 8, 42, 32}, 30, false},
        {"margin raised to half the thumb", with(horizontal(), [](auto& s) { s.channelOffset = 5; }), {0, 0, 200, 40},
         {0, 8, 24, 32}, 12, false},
        {"far start", with(horizontal(), [](auto& s) { s.direction = 2; }), {0, 0, 200, 40}, {158, 8, 182, 32}, 30, false},
        {"vertical", with(horizontal({0, 0, 40, 200}), [](auto& s) { s.direction = 3; }), {0, 0, 40, 200},
         {8, 18, 32, 42}, 30, false},
        {"bottom start", with(horizontal({0, 0, 40, 200}), [](auto& s) { s.direction = 4; }), {0, 0, 40, 200},
         {8, 158, 32, 182}, 30, false},
        // The track narrows to half the cross extent; the thumb keeps all of it.
        {"thumb 200 %", with(horizontal(), [](auto& s) { s.thumbSize = 200; }), {0, 10, 200, 30}, {10, 0, 50, 40}, 30, false},
        {"margin wider than half the track", with(horizontal({0, 0, 50, 40}), [](auto&) {}), {0, 0, 50, 40},
         {12, 8, 36, 32}, 24, true},
        {"no thumb picture", with(horizontal(), [](auto& s) { s.thumbPicture.reset(); }), {0, 0, 200, 40}, {0, 0, 200, 40}, 0,
         false},
        {"click kept within the margins", with(horizontal({100, 50, 300, 90}), [](auto& s) { s.click = gfx::Point{110, 60}; }),
         {100, 50, 300, 90}, {118, 58, 142, 82}, 30, false},
        {"click on the track", with(horizontal({100, 50, 300, 90}), [](auto& s) { s.click = gfx::Point{250, 60}; }),
         {100, 50, 300, 90}, {238, 58, 262, 82}, 30, false},
        // Outer ticks on the near side: k = 2 + 4 pixels off the track and the thumb's region.
        {"outer ticks", with(horizontal(), [](auto& s) {
             s.placement = TickPlacement::Outer;
             s.tickSize = 20;
             s.tickOffset = 10;
             s.alignment = SliderTickAlignment::TopLeft;
         }),
         {0, 6, 200, 40}, {20, 12, 40, 32}, 30, false},
    };
    for (const ThumbCase& c : cases) {
        SCOPED_TRACE(c.name);
        const SliderLayout layout = CSliderGeometry(c.settings).Layout();
        EXPECT_EQ(layout.face, c.face);
        EXPECT_EQ(layout.thumb, c.thumb);
        EXPECT_EQ(layout.margin, c.margin);
        EXPECT_EQ(layout.marginCut, c.cut);
    }
}

TEST(CSliderGeometry, TheMarginAlwaysLeavesTravel)
{
    for (int32_t length : {0, 1, 2, 3, 24, 25}) {
        SliderSettings s = horizontal({0, 0, length, 40});
        const SliderLayout layout = CSliderGeometry(s).Layout();
        SCOPED_TRACE(length);
        EXPECT_GE(layout.margin, 0);
        if (length > 0) {
            EXPECT_GT(length - 2 * layout.margin, 0);
        }
    }
}

struct BandCase {
    const char* name;
    SliderTickAlignment alignment;
    TickPlacement placement;
    std::vector<std::pair<int32_t, int32_t>> across;
};

TEST(CSliderGeometry, TickBandsFromTheCentreOrTheBorder)
{
    const BandCase cases[] = {
        {"centre", SliderTickAlignment::Centre, TickPlacement::Inner, {{17, 21}}},
        {"inner top", SliderTickAlignment::TopLeft, TickPlacement::Inner, {{13, 17}}},
        {"inner bottom", SliderTickAlignment::BottomRight, TickPlacement::Inner, {{21, 25}}},
        {"outer top", SliderTickAlignment::TopLeft, TickPlacement::Outer, {{0, 4}}},
        {"outer dual", SliderTickAlignment::Dual, TickPlacement::Outer, {{0, 4}, {35, 39}}},
    };
    for (const BandCase& c : cases) {
        SCOPED_TRACE(c.name);
        SliderSettings s = horizontal();
        s.tickSize = 20;
        s.tickOffset = 10;
        s.alignment = c.alignment;
        s.placement = c.placement;
        const CSliderGeometry geometry(s);
        const std::vector<SliderTickBand> bands = geometry.TickBands(geometry.Layout());
        ASSERT_EQ(bands.size(), c.across.size());
        for (std::size_t i = 0; i < bands.size(); ++i) {
            // Along the track the margins stay free: pixels 30 to 169.
            EXPECT_EQ(bands[i].alongStart, 30);
            EXPECT_EQ(bands[i].alongEnd, 169);
            EXPECT_EQ(bands[i].nearEdge, c.across[i].first);
            EXPECT_EQ(bands[i].farEdge, c.across[i].second);
        }
    }
    SliderSettings none = horizontal();
    none.tickSize = 0;
    EXPECT_TRUE(CSliderGeometry(none).TickBands(CSliderGeometry(none).Layout()).empty());
}

TEST(CSliderGeometry, ChannelRunsBetweenTheMargins)
{
    const CSliderGeometry flat(horizontal());
    EXPECT_EQ(flat.Channel(flat.Layout(), 4), gfx::Rect::fromSize(30, 18, 140, 4));
    SliderSettings upright = horizontal({0, 0, 40, 200});
    upright.direction = 4;
    const CSliderGeometry vertical(upright);
    EXPECT_EQ(vertical.Channel(vertical.Layout(), 4), gfx::Rect::fromSize(18, 30, 4, 140));
    EXPECT_TRUE(flat.Channel(flat.Layout(), 0).isEmpty());
}

KnobSettings knob(gfx::Rect rect = {0, 0, 200, 200})
{
    KnobSettings s;
    s.rect = rect;
    s.startAngle = 0;
    s.endAngle = 300;
    s.thumbSize = 60;
    s.thumbOffset = 5;
    s.thumbPicture = DSize{64, 64};
    return s;
}

TEST(CKnobGeometry, AnglesAreNormalisedIntoOneTurn)
{
    const std::pair<int64_t, int32_t> cases[] = {{420, 60}, {660, 300}, {-30, 330}, {-360, 0}, {359, 359}, {-721, 359}};
    for (const auto& [given, normalised] : cases)
        EXPECT_EQ(CKnobGeometry::NormalisedAngle(given), normalised) << given;
}

TEST(CKnobGeometry, SquareAboutTheCentre)
{
    EXPECT_EQ(CKnobGeometry::Square({0, 0, 300, 200}), gfx::Rect(50, 0, 250, 200));
    EXPECT_EQ(CKnobGeometry::Square({0, 0, 200, 300}), gfx::Rect(0, 50, 200, 250));
    EXPECT_EQ(CKnobGeometry::Square({10, 10, 50, 50}), gfx::Rect(10, 10, 50, 50));
}

TEST(CKnobGeometry, ThumbOnItsCircle)
{
    // r = 100, thumb side 60, offset 5: travel radius 100 - 30 - 5 = 65.
    const CKnobGeometry geometry(knob());
    const KnobLayout below = geometry.LayoutAt(0);
    EXPECT_EQ(below.radius, 65);
    EXPECT_EQ(below.thumb, gfx::Rect(70, 135, 130, 195));
    EXPECT_EQ(geometry.LayoutAt(90).thumb, gfx::Rect(5, 70, 65, 130));    // to the left
    EXPECT_EQ(geometry.LayoutAt(180).thumb, gfx::Rect(70, 5, 130, 65));   // above

    KnobSettings wide = knob();
    wide.thumbSize = 95;   // as 90; the offset then has no room
    const KnobLayout widest = CKnobGeometry(wide).LayoutAt(0);
    EXPECT_EQ(widest.thumb.width(), 90);
    EXPECT_EQ(widest.radius, 100 - 45);

    KnobSettings start = knob();
    start.startAngle = 420;
    EXPECT_EQ(CKnobGeometry(start).Layout().angle, 60);

    // Without a thumb picture the thumb is the whole rectangle and does not travel.
    KnobSettings bare = knob({10, 20, 210, 120});
    bare.thumbPicture.reset();
    const KnobLayout still = CKnobGeometry(bare).LayoutAt(90);
    EXPECT_EQ(still.thumb, gfx::Rect(10, 20, 210, 120));
    EXPECT_EQ(still.radius, 0);
}

TEST(CKnobGeometry, ClickFollowsTheArcOrFallsBackToTheStart)
{
    KnobSettings s = knob();
    s.startAngle = 60;
    s.endAngle = 300;
    const CKnobGeometry geometry(s);
    EXPECT_EQ(geometry.AngleOfClick({10, 100}), 90);
    EXPECT_EQ(geometry.AngleOfClick({100, 10}), 180);
    EXPECT_EQ(geometry.AngleOfClick({100, 190}), 60);   // straight down: the gap
    s.sense = RotationSense::Counterclockwise;
    EXPECT_EQ(CKnobGeometry(s).AngleOfClick({100, 190}), 360);
    EXPECT_EQ(CKnobGeometry(s).AngleOfClick({10, 100}), 60);
}

TEST(CKnobGeometry, TicksThroughZeroAndTheirRadii)
{
    KnobSettings s = knob();
    s.startAngle = 300;
    s.endAngle = 60;
    s.tickSize = 10;
    s.tickOffset = 3;
    const std::optional<RadialTickLayout> inner = CKnobGeometry(s).Ticks();
    ASSERT_TRUE(inner);
    EXPECT_EQ(inner->arc, (RadialArc{-60, 120}));
    EXPECT_EQ(inner->centre, (gfx::Point{100, 100}));
    EXPECT_EQ(inner->label.inner, 87);
    EXPECT_EQ(inner->label.outer, 97);
    EXPECT_EQ(inner->shortTick.inner, 92);
    EXPECT_EQ(inner->shortTick.outer, 97);
    s.placement = TickPlacement::Outer;
    const std::optional<RadialTickLayout> outer = CKnobGeometry(s).Ticks();
    EXPECT_EQ(outer->label.outer, 100);
    EXPECT_EQ(outer->shortTick.inner, 90);
    EXPECT_EQ(outer->shortTick.outer, 95);
    s.tickSize = 0;
    EXPECT_FALSE(CKnobGeometry(s).Ticks());
}

struct TrendCase {
    const char* name;
    TrendSettings settings;
    gfx::Rect plot;
    gfx::Rect band;
};

TEST(CTrendGeometry, PlotAreaAndTickBand)
{
    const gfx::Rect whole{0, 0, 200, 100};
    const TrendCase cases[] = {
        {"no border, hidden, centred", {whole, 0, 0, TrendTickAlignment::Centre}, whole, {0, 0, 0, 100}},
        {"no border, hidden, top/left", {whole, 0, 0, TrendTickAlignment::TopLeft}, {5, 0, 200, 100}, {0, 0, 0, 100}},
        {"top/left", {whole, 10, 10, TrendTickAlignment::TopLeft}, {24, 10, 190, 90}, {12, 10, 22, 90}},
        {"bottom/right", {whole, 10, 10, TrendTickAlignment::BottomRight}, {10, 10, 176, 90}, {178, 10, 188, 90}},
        {"centre", {whole, 10, 10, TrendTickAlignment::Centre}, {10, 10, 190, 90}, {94, 10, 106, 90}},
        {"narrow: the band fills the inner rectangle", {{0, 0, 3, 20}, 0, 90, TrendTickAlignment::Centre}, {0, 0, 3, 20},
         {0, 0, 3, 20}},
    };
    for (const TrendCase& c : cases) {
        SCOPED_TRACE(c.name);
        const TrendLayout layout = CTrendGeometry::Layout(c.settings);
        EXPECT_EQ(layout.plot, c.plot);
        EXPECT_EQ(layout.band, c.band);
    }
}

TEST(CTrendGeometry, MinimumOnTheLastRowMaximumOnTheFirst)
{
    const gfx::Rect band{12, 10, 22, 90};
    EXPECT_EQ(CTrendGeometry::RowOf(band, 0), 89);
    EXPECT_EQ(CTrendGeometry::RowOf(band, band.height() - 1), 10);
}

} // namespace
