#include <gtest/gtest.h>

#include <cairo.h>

#include "platform/gfx/Surface.h"

using gfx::Surface;

TEST(Surface, StartsTransparentWithCairoLayout)
{
    Surface surface(5, 3);
    ASSERT_TRUE(surface.isValid());
    EXPECT_EQ(surface.width(), 5);
    EXPECT_EQ(surface.height(), 3);
    EXPECT_EQ(surface.stride(), cairo_format_stride_for_width(CAIRO_FORMAT_ARGB32, 5));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(surface.pixel(x, y), 0u);
    surface.pixels().row(2)[4] = 0xFF102030;
    EXPECT_EQ(surface.pixel(4, 2), 0xFF102030u);
    EXPECT_EQ(surface.pixel(5, 2), 0u);
    EXPECT_EQ(surface.pixel(-1, 0), 0u);
}

TEST(Surface, ImpossibleSizesGiveAnInvalidSurface)
{
    for (auto [w, h] : {std::pair{0, 1}, {1, 0}, {-3, 4}, {40000, 1}}) {
        Surface surface(w, h);
        EXPECT_FALSE(surface.isValid()) << w << "x" << h;
        EXPECT_FALSE(surface.pixels().isValid());
    }
}

TEST(Surface, MovesOwnership)
{
    Surface a(2, 2);
    a.pixels().row(0)[0] = 0xFFFFFFFF;
    Surface b(std::move(a));
    EXPECT_FALSE(a.isValid());
    EXPECT_EQ(b.pixel(0, 0), 0xFFFFFFFFu);
    a = std::move(b);
    EXPECT_EQ(a.pixel(0, 0), 0xFFFFFFFFu);
}
