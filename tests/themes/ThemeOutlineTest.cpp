#include <gtest/gtest.h>

#include "themes/ThemeOutline.h"

namespace {

TEST(ThemeOutline, FullRoundnessOnASquareIsACircle)
{
    for (int32_t side : {10, 64, 201}) {
        const ThemeOutline outline = ThemeOutline::roundedRectangle(side, side, 0, 100);
        ASSERT_EQ(outline.kind, ThemeOutline::Kind::Arcs);
        // Four quarters of one circle's square, one after the other round it.
        const double starts[] = {180, 270, 360, 90};
        for (std::size_t i = 0; i < 4; ++i) {
            EXPECT_DOUBLE_EQ(outline.arcs[i].x, 0);
            EXPECT_DOUBLE_EQ(outline.arcs[i].y, 0);
            EXPECT_DOUBLE_EQ(outline.arcs[i].size, side);
            EXPECT_DOUBLE_EQ(outline.arcs[i].startDegrees, starts[i]);
        }
    }
    // Inset 2 on a square: the circle one pixel in.
    const ThemeOutline inner = ThemeOutline::roundedRectangle(40, 40, 2, 100);
    for (const ThemeArc& arc : inner.arcs) {
        EXPECT_DOUBLE_EQ(arc.x, 1);
        EXPECT_DOUBLE_EQ(arc.y, 1);
        EXPECT_DOUBLE_EQ(arc.size, 38);
    }
}

TEST(ThemeOutline, ArcsSitInTheCornersOfTheInsetFrame)
{
    struct Row {
        int32_t width, height, inset, roundness;
        double e, x2, y2;
    };
    const Row rows[] = {
        {100, 50, 0, 30, 15, 85, 35},    // e = 50 × 30 / 100
        {100, 50, 2, 30, 14.4, 84.6, 34.6}, // d = 1, e = 48 × 30 / 100
        {39, 29, 0, 15, 4.35, 34.65, 24.65},
        {30, 80, 2, 35, 9.8, 19.2, 69.2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.width << "x" << row.height << " inset " << row.inset);
        const ThemeOutline outline = ThemeOutline::roundedRectangle(row.width, row.height, row.inset, row.roundness);
        ASSERT_EQ(outline.kind, ThemeOutline::Kind::Arcs);
        const double d = row.inset / 2;
        const double corners[4][2] = {{d, d}, {row.x2, d}, {row.x2, row.y2}, {d, row.y2}};
        for (std::size_t i = 0; i < 4; ++i) {
            EXPECT_NEAR(outline.arcs[i].x, corners[i][0], 1e-9);
            EXPECT_NEAR(outline.arcs[i].y, corners[i][1], 1e-9);
            EXPECT_NEAR(outline.arcs[i].size, row.e, 1e-9);
        }
    }
}

TEST(ThemeOutline, NoArcSizeGivesAPlainRectangle)
{
    struct Row {
        int32_t width, height, inset, roundness;
    };
    for (const Row& row : {Row{40, 30, 0, 0}, Row{2, 30, 2, 100}, Row{1, 1, 2, 50}, Row{40, 30, 0, -20}}) {
        const ThemeOutline outline = ThemeOutline::roundedRectangle(row.width, row.height, row.inset, row.roundness);
        EXPECT_EQ(outline.kind, ThemeOutline::Kind::Rectangle);
        EXPECT_DOUBLE_EQ(outline.left, row.inset / 2);
        EXPECT_DOUBLE_EQ(outline.right, row.width + row.inset / 2 - row.inset);
        EXPECT_DOUBLE_EQ(outline.bottom, row.height + row.inset / 2 - row.inset);
    }
}

} // namespace
