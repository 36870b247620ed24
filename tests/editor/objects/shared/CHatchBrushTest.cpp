#include <gtest/gtest.h>

#include "editor/objects/shared/CHatchBrush.h"
#include "platform/gfx/PixelArithmetic.h"
#include "platform/gfx/Surface.h"

namespace {

constexpr uint32_t kFore = 0xFFFFFFFF;
constexpr uint32_t kBack = 0xFF000000;

TEST(CHatchBrush, LinesRiseToTheRightEveryFourPixels)
{
    const CHatchBrush brush(kFore, kBack);
    for (int32_t y = 0; y < 8; ++y)
        for (int32_t x = 0; x < 8; ++x)
            EXPECT_EQ(brush.ColourAt(x, y), (x + y) % 4 == 3 ? kFore : kBack) << x << "," << y;
    EXPECT_EQ(brush.ColourAt(-2, 1), kFore);   // the pattern continues left of the origin
    EXPECT_EQ(brush.ColourAt(-1, 0), brush.ColourAt(3, 0));
}

TEST(CHatchBrush, FieldFrameCoversTheOutlineOnlyAndBlends)
{
    gfx::Surface surface(6, 5);
    const gfx::PixelBuffer pixels = surface.pixels();
    const CHatchBrush brush(CHatchBrush::kFieldForeground, CHatchBrush::kFieldBackground);
    brush.FrameRect(pixels, {0, 0, 6, 5});
    for (int32_t y = 0; y < 5; ++y)
        for (int32_t x = 0; x < 6; ++x) {
            const bool edge = x == 0 || y == 0 || x == 5 || y == 4;
            const uint32_t expected = edge ? gfx::premultiplyArgb(brush.ColourAt(x, y)) : 0u;
            EXPECT_EQ(pixels.row(y)[x], expected) << x << "," << y;
        }
    // Painting twice blends again: the frame is drawn over what is there.
    brush.Paint(pixels, 0, 0);
    EXPECT_EQ(pixels.row(0)[0] >> 24, 0xC0u);
}

TEST(CHatchBrush, NothingOutsideThePicture)
{
    gfx::Surface surface(2, 2);
    const CHatchBrush brush(kFore, kBack);
    brush.FrameRect(surface.pixels(), {-5, -5, 10, 10});
    brush.VerticalLine(surface.pixels(), 7, -3, 9);
    EXPECT_EQ(surface.pixel(0, 0), 0u);
    EXPECT_EQ(surface.pixel(1, 1), 0u);
}

} // namespace
