#include <gtest/gtest.h>

#include "editor/objects/scales/CMeterGeometry.h"

namespace {

constexpr gfx::Rect kDial{0, 0, 200, 200};

TEST(CMeterGeometry, NeedleSizeIsClampedTo20And100)
{
    struct Case {
        int32_t size, length, squareSide;
    };
    const Case cases[] = {{80, 80, 160}, {10, 20, 40}, {150, 100, 200}, {20, 20, 40}, {100, 100, 200}};
    for (const Case& c : cases) {
        MeterNeedleSettings needle;
        needle.size = c.size;
        const CMeterGeometry geometry(kDial, needle);
        EXPECT_EQ(geometry.NeedleLength(), c.length) << c.size;
        EXPECT_EQ(geometry.NeedleSquare().width(), c.squareSide) << c.size;
        EXPECT_EQ(geometry.NeedleSquare().height(), c.squareSide) << c.size;
    }
}

TEST(CMeterGeometry, BaseAndOffsetAreShareOfTheNeedleLength)
{
    MeterNeedleSettings needle;
    needle.size = 80; // length 80
    const CMeterGeometry defaults(kDial, needle);
    EXPECT_EQ(defaults.NeedleBase(), 24) << "30 % of 80";
    EXPECT_EQ(defaults.NeedleOffset(), 12) << "15 % of 80";
    needle.basePercent = 2;
    needle.offsetPercent = 150;
    const CMeterGeometry clamped(kDial, needle);
    EXPECT_EQ(clamped.NeedleBase(), 4) << "at least 5 %";
    EXPECT_EQ(clamped.NeedleOffset(), 80) << "at most 100 %";
}

TEST(CMeterGeometry, TheNeedleSquareIsCentredOnTheLongerSide)
{
    MeterNeedleSettings needle;
    needle.size = 50;
    EXPECT_EQ(CMeterGeometry({0, 0, 300, 100}, needle).NeedleSquare(), (gfx::Rect{125, 25, 175, 75}));
    EXPECT_EQ(CMeterGeometry({10, 0, 110, 300}, needle).NeedleSquare(), (gfx::Rect{35, 125, 85, 175}));
}

TEST(CMeterGeometry, TheNeedlePictureFitsWithItsPivotAtTheSquaresCentre)
{
    MeterNeedleSettings needle;
    needle.size = 100;
    needle.pivot = {0, -26};
    const CMeterGeometry geometry(kDial, needle);
    // 20 × 80 extended to 20 × 132, fitted into 200: 30 × 200, centred at x 85.
    const NeedlePicture picture = geometry.FitNeedlePicture(20, 80);
    const int32_t scaledHeight = 80 * 200 / 132;
    EXPECT_EQ(picture.rect, gfx::Rect::fromSize(85, 2 * 26 * 200 / 132, 30, scaledHeight));
    EXPECT_EQ(picture.pivot, (gfx::Point{15, scaledHeight * 14 / 80}));
    // The pivot lands on the centre of the square (within a pixel of rounding).
    EXPECT_NEAR(picture.rect.left + picture.pivot.x, 100, 1);
    EXPECT_NEAR(picture.rect.top + picture.pivot.y, 100, 1);
}

TEST(CMeterGeometry, AMissingNeedlePictureKeepsTheSquareAndPivotZero)
{
    MeterNeedleSettings needle;
    needle.size = 80;
    needle.pivot = {5, -26};
    const CMeterGeometry geometry(kDial, needle);
    for (const auto& [width, height] : {std::pair{0, 80}, std::pair{20, 0}, std::pair{-1, -1}}) {
        const NeedlePicture picture = geometry.FitNeedlePicture(width, height);
        EXPECT_EQ(picture.rect, geometry.NeedleSquare());
        EXPECT_EQ(picture.pivot, (gfx::Point{0, 0}));
    }
}

TEST(CMeterGeometry, TickRadiiFollowTheAlignmentTable)
{
    struct Case {
        DialTickAlignment alignment;
        TickRadii shortTick;
    };
    // r = 100, t = 10: V = 10; offset 3: S = 99 − 3 = 96; label ticks 86 .. 96.
    const Case cases[] = {{DialTickAlignment::Inner, {86, 91}},
                          {DialTickAlignment::Centre, {89, 94}},
                          {DialTickAlignment::Outer, {91, 96}}};
    for (const Case& c : cases) {
        const RadialTickLayout layout = CMeterGeometry(kDial, {}).TickLayout({true, 10, 3, c.alignment}, {60, 240});
        EXPECT_EQ(layout.centre, (gfx::Point{100, 100}));
        EXPECT_EQ(layout.label.inner, 86);
        EXPECT_EQ(layout.label.outer, 96);
        EXPECT_EQ(layout.shortTick.inner, c.shortTick.inner);
        EXPECT_EQ(layout.shortTick.outer, c.shortTick.outer);
    }
    // The offset keeps within 90 − t; a dial of no size keeps its ticks at the centre.
    const RadialTickLayout far = CMeterGeometry(kDial, {}).TickLayout({true, 80, 50, DialTickAlignment::Inner}, {});
    EXPECT_EQ(far.label.outer, 99 - 10);
    const RadialTickLayout none = CMeterGeometry({0, 0, 1, 1}, {}).TickLayout({true, 10, 3, DialTickAlignment::Inner}, {});
    EXPECT_EQ(none.label.outer, 0);
    EXPECT_EQ(none.label.inner, 0);
}

} // namespace
