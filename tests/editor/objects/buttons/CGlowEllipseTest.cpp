#include <gtest/gtest.h>

#include "editor/objects/buttons/CGlowEllipse.h"
#include "platform/gfx/Surface.h"

namespace {

TEST(CGlowEllipse, StopsFollowTheTransparency)
{
    EXPECT_EQ(CGlowEllipse::StopsFor(0), (CGlowEllipse::Stops{15, 175, 255}));
    EXPECT_EQ(CGlowEllipse::StopsFor(128), (CGlowEllipse::Stops{7, 87, 127}));
    EXPECT_EQ(CGlowEllipse::StopsFor(255), (CGlowEllipse::Stops{0, 0, 0}));
    // Outside 0..255 the transparency is clamped.
    EXPECT_EQ(CGlowEllipse::StopsFor(-40), CGlowEllipse::StopsFor(0));
    EXPECT_EQ(CGlowEllipse::StopsFor(900), CGlowEllipse::StopsFor(255));
}

TEST(CGlowEllipse, BlendRunsFromTheRimToAnOffCentrePoint)
{
    const CGlowEllipse::Ellipse e{0, 0, 40, 40};
    const CGlowEllipse::Stops stops{16, 176, 255};
    // Centre 15 below the middle: full there, the rim's alpha on the rim in every direction.
    EXPECT_DOUBLE_EQ(CGlowEllipse::AlphaAt(e, 20, 35, stops, 20, 35), 255);
    EXPECT_NEAR(CGlowEllipse::AlphaAt(e, 20, 35, stops, 20, 0), 16, 1e-9);
    EXPECT_NEAR(CGlowEllipse::AlphaAt(e, 20, 35, stops, 0, 20), 16, 1e-9);
    EXPECT_NEAR(CGlowEllipse::AlphaAt(e, 20, 35, stops, 20, 40), 16, 1e-9);
    // Half-way from the centre to the top rim is the middle stop.
    EXPECT_NEAR(CGlowEllipse::AlphaAt(e, 20, 35, stops, 20, 17.5), 176, 1e-9);
    // A quarter of the way from the rim lies between rim and middle.
    EXPECT_NEAR(CGlowEllipse::AlphaAt(e, 20, 35, stops, 20, 8.75), 96, 1e-9);
}

TEST(CGlowEllipse, FillProbesCentreRimAndOutside)
{
    gfx::Surface surface(40, 40);
    CGlowEllipse::Fill(surface.pixels(), {0, 0, 40, 40}, 20, 35, 0x0000FF, CGlowEllipse::StopsFor(0));
    // The centre is the opaque colour (red, stored as 0xBBGGRR 0x0000FF).
    EXPECT_EQ(surface.pixel(20, 35), 0xFFFF0000u);
    // Near the top rim only the faint rim alpha, and the corners stay empty.
    EXPECT_LT(surface.pixel(20, 1) >> 24, 40u);
    EXPECT_GT(surface.pixel(20, 1) >> 24, 0u);
    for (const auto& [x, y] : {std::pair{0, 0}, {39, 0}, {0, 39}, {39, 39}})
        EXPECT_EQ(surface.pixel(x, y), 0u) << x << "," << y;
    // Brighter towards the centre along the middle column.
    EXPECT_LT(surface.pixel(20, 5) >> 24, surface.pixel(20, 20) >> 24);
    EXPECT_LT(surface.pixel(20, 20) >> 24, surface.pixel(20, 34) >> 24);
    // The colour stays red, premultiplied.
    const uint32_t middle = surface.pixel(20, 20);
    EXPECT_EQ(middle >> 16 & 0xFF, middle >> 24);
    EXPECT_EQ(middle & 0xFFFF, 0u);
}

TEST(CGlowEllipse, NothingIsDrawnForNoAreaOrOffThePicture)
{
    gfx::Surface surface(10, 10);
    CGlowEllipse::Fill(surface.pixels(), {0, 0, 0, 10}, 0, 5, 0xFFFFFF, CGlowEllipse::StopsFor(0));
    CGlowEllipse::Fill(surface.pixels(), {2, 2, 5, -1}, 4, 1, 0xFFFFFF, CGlowEllipse::StopsFor(0));
    CGlowEllipse::Fill(surface.pixels(), {50, 50, 10, 10}, 55, 55, 0xFFFFFF, CGlowEllipse::StopsFor(0));
    CGlowEllipse::Fill(gfx::PixelBuffer{}, {0, 0, 10, 10}, 5, 5, 0xFFFFFF, CGlowEllipse::StopsFor(0));
    for (int32_t y = 0; y < 10; ++y)
        for (int32_t x = 0; x < 10; ++x)
            EXPECT_EQ(surface.pixel(x, y), 0u);
    // Partly off the picture: the part on it is drawn, nothing is written outside.
    CGlowEllipse::Fill(surface.pixels(), {-5, -5, 20, 20}, 5, 5, 0xFFFFFF, CGlowEllipse::StopsFor(0));
    EXPECT_EQ(surface.pixel(5, 5), 0xFFFFFFFFu);
}

} // namespace
