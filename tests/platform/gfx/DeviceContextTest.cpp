#include <gtest/gtest.h>

#include <vector>

#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Surface.h"

using namespace gfx;

namespace {

// Rows of a surface as text: '.' for 0, '#' for the given pixel, '?' for anything else.
std::string mask(const Surface& surface, uint32_t pixel)
{
    std::string out;
    for (int y = 0; y < surface.height(); ++y) {
        for (int x = 0; x < surface.width(); ++x) {
            const uint32_t p = surface.pixel(x, y);
            out += p == 0 ? '.' : p == pixel ? '#' : '?';
        }
        out += '\n';
    }
    return out;
}

struct Bitmap {
    int width;
    int height;
    std::vector<uint32_t> pixels;
    Bitmap(int w, int h, uint32_t fill = 0) : width(w), height(h), pixels(std::size_t(w * h), fill) {}
    uint32_t& at(int x, int y) { return pixels[std::size_t(y * width + x)]; }
    ConstPixelBuffer view() const { return {pixels.data(), width, height, width * 4}; }
};

} // namespace

TEST(PixelArithmetic, BlendsExactly)
{
    EXPECT_EQ(divide255(0), 0u);
    EXPECT_EQ(divide255(127), 0u);
    EXPECT_EQ(divide255(128), 1u);
    EXPECT_EQ(divide255(255 * 255), 255u);
    EXPECT_EQ(premultiplyArgb(0x80FF8000), 0x80804000u);
    EXPECT_EQ(premultiplyArgb(0x00FFFFFF), 0x00000000u);
    // Half-transparent black over white: 255 × 127 / 255 = 127.
    EXPECT_EQ(blendOver(0x80000000, 0xFFFFFFFF), 0xFF7F7F7Fu);
    EXPECT_EQ(blendOver(0xFF123456, 0xFFFFFFFF), 0xFF123456u);
    EXPECT_EQ(blendOver(0x00000000, 0xFFABCDEF), 0xFFABCDEFu);
    // A colour above its alpha saturates instead of carrying into the next channel.
    EXPECT_EQ(blendOver(0x10FF0000, 0xFFFF0000), 0xFFFF0000u);
    EXPECT_EQ(scalePixel(0xFF804020, 128), 0x80402010u);
    EXPECT_EQ(Colour::fromColorRef(0xFF8080).argb, 0xFF8080FFu);
}

TEST(DeviceContext, FillExcludesRightAndBottomEdges)
{
    Surface surface(5, 4);
    DeviceContext dc(surface);
    ASSERT_TRUE(dc.isValid());
    dc.fillRect({1, 1, 3, 3}, Colour::fromArgb(0xFF00FF00));
    EXPECT_EQ(mask(surface, 0xFF00FF00), ".....\n.##..\n.##..\n.....\n");
    // Empty and inverted rectangles draw nothing.
    dc.fillRect({4, 0, 4, 4}, Colour::fromArgb(0xFFFFFFFF));
    dc.fillRect({4, 3, 2, 1}, Colour::fromArgb(0xFFFFFFFF));
    EXPECT_EQ(mask(surface, 0xFF00FF00), ".....\n.##..\n.##..\n.....\n");
}

TEST(DeviceContext, OriginAndClipApplyToFills)
{
    Surface surface(6, 4);
    DeviceContext dc(surface);
    dc.setViewportOrigin({-2, 1});
    EXPECT_EQ(dc.clipBox(), (Rect{2, -1, 8, 3}));
    dc.intersectClipRect({3, 0, 7, 2});
    EXPECT_EQ(dc.clipBox(), (Rect{3, 0, 7, 2}));
    dc.fillRect({0, -5, 100, 100}, Colour::fromArgb(0xFF0000FF));
    EXPECT_EQ(mask(surface, 0xFF0000FF), "......\n.####.\n.####.\n......\n");
    dc.resetClip();
    dc.fillRect({2, -1, 3, 0}, Colour::fromArgb(0xFF0000FF));
    EXPECT_EQ(surface.pixel(0, 0), 0xFF0000FFu);
}

TEST(DeviceContext, TranslucentFillBlendsOver)
{
    Surface surface(2, 1);
    DeviceContext dc(surface);
    dc.fillRect({0, 0, 2, 1}, Colour::fromArgb(0xFFFFFFFF));
    dc.fillRect({1, 0, 2, 1}, Colour::fromArgb(0x80FF0000));
    EXPECT_EQ(surface.pixel(0, 0), 0xFFFFFFFFu);
    // Premultiplied red 0x80800000 over white: each channel 255 × 127 / 255 = 127, red 128 + 127.
    EXPECT_EQ(surface.pixel(1, 0), 0xFFFF7F7Fu);
}

TEST(DeviceContext, AlphaBlendUsesPerPixelAndConstantAlpha)
{
    Bitmap source(3, 1);
    source.at(0, 0) = 0xFF112233; // opaque: copied
    source.at(1, 0) = 0x80400000; // half-covering dark red
    source.at(2, 0) = 0x00000000; // transparent: skipped
    Surface surface(4, 2);
    DeviceContext dc(surface);
    dc.fillRect({0, 0, 4, 2}, Colour::fromArgb(0xFF808080));

    ASSERT_EQ(dc.alphaBlend({1, 0, 4, 1}, source.view(), {0, 0, 3, 1}), 0);
    EXPECT_EQ(surface.pixel(0, 0), 0xFF808080u);
    EXPECT_EQ(surface.pixel(1, 0), 0xFF112233u);
    // 0x40 + 128 × 127 / 255 = 64 + 64; 0 + 64 for green and blue.
    EXPECT_EQ(surface.pixel(2, 0), 0xFF804040u);
    EXPECT_EQ(surface.pixel(3, 0), 0xFF808080u);

    // Constant alpha 51 (a fifth): 0xFF112233 becomes 0x3303070A, and over grey each
    // channel adds 128 × 204 / 255 = 102.
    ASSERT_EQ(dc.alphaBlend({0, 1, 1, 2}, source.view(), {0, 0, 1, 1}, 51), 0);
    EXPECT_EQ(scalePixel(0xFF112233, 51), 0x3303070Au);
    EXPECT_EQ(surface.pixel(0, 1), 0xFF696D70u);
}

TEST(DeviceContext, AlphaBlendStretchesByNearestPixel)
{
    Bitmap source(2, 2);
    source.at(0, 0) = 0xFF0000FF;
    source.at(1, 0) = 0xFF00FF00;
    source.at(0, 1) = 0xFFFF0000;
    source.at(1, 1) = 0xFFFFFFFF;
    Surface surface(5, 5);
    DeviceContext dc(surface);
    ASSERT_EQ(dc.alphaBlend({0, 0, 4, 4}, source.view(), {0, 0, 2, 2}), 0);
    const uint32_t expected[4][4] = {
        {0xFF0000FF, 0xFF0000FF, 0xFF00FF00, 0xFF00FF00},
        {0xFF0000FF, 0xFF0000FF, 0xFF00FF00, 0xFF00FF00},
        {0xFFFF0000, 0xFFFF0000, 0xFFFFFFFF, 0xFFFFFFFF},
        {0xFFFF0000, 0xFFFF0000, 0xFFFFFFFF, 0xFFFFFFFF},
    };
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(surface.pixel(x, y), expected[y][x]) << x << "," << y;
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(surface.pixel(4, i), 0u);
        EXPECT_EQ(surface.pixel(i, 4), 0u);
    }

    // Clipped on the left: the visible part still samples as in the unclipped drawing.
    Surface clipped(4, 4);
    DeviceContext clippedDc(clipped);
    clippedDc.intersectClipRect({3, 0, 4, 4});
    ASSERT_EQ(clippedDc.alphaBlend({0, 0, 4, 4}, source.view(), {0, 0, 2, 2}), 0);
    EXPECT_EQ(clipped.pixel(2, 0), 0u);
    EXPECT_EQ(clipped.pixel(3, 0), 0xFF00FF00u);
    EXPECT_EQ(clipped.pixel(3, 3), 0xFFFFFFFFu);
}

TEST(DeviceContext, BadSourcesAreRefused)
{
    Bitmap source(2, 2, 0xFFFFFFFF);
    Surface surface(2, 2);
    DeviceContext dc(surface);
    EXPECT_EQ(dc.alphaBlend({0, 0, 2, 2}, source.view(), {1, 1, 3, 3}), 1);
    EXPECT_EQ(dc.alphaBlend({0, 0, 2, 2}, source.view(), {0, 0, 0, 2}), 1);
    EXPECT_EQ(dc.alphaBlend({2, 0, 0, 2}, source.view(), {0, 0, 2, 2}), 1);
    EXPECT_EQ(dc.alphaBlend({0, 0, 2, 2}, ConstPixelBuffer(), {0, 0, 2, 2}), 1);
    EXPECT_EQ(dc.bitBlt({0, 0}, source.view(), {-1, 0, 1, 1}), 1);
    EXPECT_EQ(dc.drawImageScaled({0, 0, -2, 2}, source.view()), 1);
    EXPECT_EQ(mask(surface, 0), "..\n..\n");

    DeviceContext invalid(PixelBuffer{});
    EXPECT_FALSE(invalid.isValid());
    invalid.fillRect({0, 0, 1, 1}, Colour{});
    EXPECT_EQ(invalid.alphaBlend({0, 0, 2, 2}, source.view(), {0, 0, 2, 2}), 1);
}

TEST(DeviceContext, BitBltCopiesAlphaAndClips)
{
    Bitmap source(2, 2);
    source.at(0, 0) = 0x10203040;
    source.at(1, 0) = 0x00000001;
    source.at(0, 1) = 0x7F7F7F7F;
    source.at(1, 1) = 0xFFFFFFFF;
    Surface surface(3, 3);
    DeviceContext dc(surface);
    dc.fillRect({0, 0, 3, 3}, Colour::fromArgb(0xFF000000));
    ASSERT_EQ(dc.bitBlt({-1, 2}, source.view(), {0, 0, 2, 2}), 0);
    EXPECT_EQ(surface.pixel(0, 2), 0x00000001u); // source (1, 0), copied, not blended
    EXPECT_EQ(surface.pixel(1, 2), 0xFF000000u);
    EXPECT_EQ(surface.pixel(0, 1), 0xFF000000u);
}

TEST(DeviceContext, DrawImageScaledFiltersInsideTheDestination)
{
    Bitmap source(1, 1, 0xFFFF0000);
    Surface surface(6, 6);
    DeviceContext dc(surface);
    dc.setViewportOrigin({1, 1});
    ASSERT_EQ(dc.drawImageScaled({0, 0, 4, 4}, source.view()), 0);
    EXPECT_EQ(mask(surface, 0xFFFF0000), "......\n.####.\n.####.\n.####.\n.####.\n......\n");

    // Half opacity over nothing: premultiplied half red.
    Surface faded(2, 2);
    DeviceContext fadedDc(faded);
    ASSERT_EQ(fadedDc.drawImageScaled({0, 0, 2, 2}, source.view(), 0.5), 0);
    const uint32_t pixel = faded.pixel(1, 1);
    EXPECT_NEAR(double(pixel >> 24), 127.5, 1.0);
    EXPECT_EQ(pixel >> 16 & 0xFF, pixel >> 24);
    EXPECT_EQ(pixel & 0xFFFF, 0u);

    // A 2 by 1 gradient scaled to 4 by 1 keeps its ends and mixes between them.
    Bitmap ramp(2, 1);
    ramp.at(0, 0) = 0xFF000000;
    ramp.at(1, 0) = 0xFFFFFFFF;
    Surface wide(4, 1);
    DeviceContext wideDc(wide);
    ASSERT_EQ(wideDc.drawImageScaled({0, 0, 4, 1}, ramp.view()), 0);
    EXPECT_EQ(wide.pixel(0, 0), 0xFF000000u);
    EXPECT_EQ(wide.pixel(3, 0), 0xFFFFFFFFu);
    const uint32_t middle = wide.pixel(1, 0) & 0xFF;
    EXPECT_GT(middle, 0u);
    EXPECT_LT(middle, 255u);
}

TEST(DeviceContext, DrawsIntoCallerPixels)
{
    std::vector<uint32_t> pixels(3 * 2, 0);
    DeviceContext dc(PixelBuffer{pixels.data(), 3, 2, 12});
    ASSERT_TRUE(dc.isValid());
    dc.fillRect({1, 1, 3, 2}, Colour::fromArgb(0xFF445566));
    EXPECT_EQ(pixels, (std::vector<uint32_t>{0, 0, 0, 0, 0xFF445566, 0xFF445566}));
    // A stride too small for the width is refused.
    DeviceContext narrow(PixelBuffer{pixels.data(), 3, 2, 8});
    EXPECT_FALSE(narrow.isValid());
}

TEST(DeviceContext, LinesLeaveOutTheirEndPoint)
{
    struct Case {
        Point from, to;
        LineStyle style;
        const char* expected;
    };
    const Case cases[] = {
        {{1, 1}, {4, 1}, LineStyle::Solid, "......\n.###..\n......\n......\n"},
        {{4, 2}, {1, 2}, LineStyle::Solid, "......\n......\n..###.\n......\n"}, // right to left
        {{0, 0}, {0, 3}, LineStyle::Solid, "#.....\n#.....\n#.....\n......\n"},
        {{5, 3}, {5, 0}, LineStyle::Solid, "......\n.....#\n.....#\n.....#\n"},
        {{0, 0}, {3, 3}, LineStyle::Solid, "#.....\n.#....\n..#...\n......\n"},
        {{2, 2}, {2, 2}, LineStyle::Solid, "......\n......\n......\n......\n"},
        {{0, 0}, {6, 0}, LineStyle::Dot, "###...\n......\n......\n......\n"},
    };
    for (const Case& c : cases) {
        Surface surface(6, 4);
        DeviceContext dc(surface);
        dc.drawLine(c.from, c.to, Colour::fromArgb(0xFF00FF00), c.style);
        EXPECT_EQ(mask(surface, 0xFF00FF00), c.expected) << c.from.x << "," << c.from.y << " -> " << c.to.x << ","
                                                         << c.to.y;
    }
}

TEST(DeviceContext, LinesKeepToOriginAndClip)
{
    Surface surface(5, 3);
    DeviceContext dc(surface);
    dc.setViewportOrigin({1, 1});
    dc.intersectClipRect({0, 0, 2, 2});
    dc.drawLine({-1, 0}, {4, 0}, Colour::fromArgb(0xFF0000FF), LineStyle::Solid);
    dc.drawLine({-1, 1}, {4, 1}, Colour::fromArgb(0xFF0000FF), LineStyle::DashDot);
    EXPECT_EQ(mask(surface, 0xFF0000FF), ".....\n.##..\n.##..\n");
}

TEST(DeviceContext, FocusRectInvertsEveryOtherOutlinePixelAndUndoesItself)
{
    Surface surface(6, 5);
    DeviceContext dc(surface);
    dc.fillRect({0, 0, 6, 5}, Colour::fromArgb(0xFFFFFFFF));
    dc.drawFocusRect({1, 1, 6, 5});
    EXPECT_EQ(mask(surface, 0xFF000000), "??????\n?#?#?#\n??????\n?#???#\n??#?#?\n");
    dc.drawFocusRect({1, 1, 6, 5});
    EXPECT_EQ(mask(surface, 0xFFFFFFFF), "######\n######\n######\n######\n######\n");

    // A translucent pixel stays a valid premultiplied one.
    Surface glass(1, 1);
    DeviceContext glassDc(glass);
    glassDc.fillRect({0, 0, 1, 1}, Colour::fromArgb(0x80FF0000));
    glassDc.drawFocusRect({0, 0, 1, 1});
    EXPECT_EQ(glass.pixel(0, 0), 0x80008080u);
}

TEST(DeviceContext, EllipseStaysInsideItsRectangle)
{
    Surface surface(11, 11);
    DeviceContext dc(surface);
    dc.drawEllipse({0, 0, 11, 11}, Colour::fromArgb(0xFF808080), Colour::fromArgb(0xFFC0C0C0));
    EXPECT_EQ(surface.pixel(5, 5), 0xFFC0C0C0u);
    EXPECT_EQ(surface.pixel(0, 0), 0u);
    EXPECT_NE(surface.pixel(5, 0), 0u); // the outline touches the top edge
    dc.drawEllipse({20, 20, 20, 30}, Colour::fromArgb(0xFF000000), Colour::fromArgb(0xFF000000)); // empty: nothing
}
