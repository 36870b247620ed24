#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "engine/render/DRendererBitmap.h"
#include "engine/render/DRendererComposed.h"

namespace {

struct Pixels {
    explicit Pixels(int width, int height, uint32_t fill = 0, uint32_t bytes = 4)
    {
        EXPECT_EQ(bitmap.allocate({width, height}, bytes), 0);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                set(x, y, fill);
    }
    uint32_t at(int x, int y) const
    {
        return bitmap.bytesPerPixel() == 4 ? reinterpret_cast<const uint32_t*>(bitmap.row(y))[x] : bitmap.row(y)[x];
    }
    void set(int x, int y, uint32_t value)
    {
        if (bitmap.bytesPerPixel() == 4)
            reinterpret_cast<uint32_t*>(bitmap.row(y))[x] = value;
        else
            bitmap.row(y)[x] = uint8_t(value);
    }
    int count(uint32_t value) const
    {
        int n = 0;
        for (int y = 0; y < bitmap.size().height; ++y)
            for (int x = 0; x < bitmap.size().width; ++x)
                n += at(x, y) == value;
        return n;
    }
    DBitmap bitmap;
};

} // namespace

TEST(DRendererBitmap, BlendOverIsPremultipliedOver)
{
    struct Case {
        uint32_t source, destination, result;
    };
    const Case cases[] = {
        {0x00000000, 0xFF123456, 0xFF123456}, // transparent: unchanged
        {0xFF0000FF, 0xFFFFFFFF, 0xFF0000FF}, // opaque: replaced
        {0x80000000, 0xFFFFFFFF, 0xFF7F7F7F}, // 128 over white: 0 + 128 * 255 >> 8
        {0x80400000, 0xFF000000, 0xFF400000},
    };
    for (const Case& c : cases)
        EXPECT_EQ(blendOver(c.source, c.destination), c.result) << std::hex << c.source;
}

TEST(DRendererBitmap, FillRectClipsAndBlendsWithTheStoredColour)
{
    DRendererBitmap renderer;
    Pixels pixels(4, 4, 0xFF000000);
    renderer.fillRectOn(&pixels.bitmap, 0xFF00FF00, {-5, -5, 1, 1}, DFillMode::Blend);
    EXPECT_EQ(pixels.at(1, 1), 0xFF00FF00u);
    EXPECT_EQ(pixels.at(2, 2), 0xFF000000u);
    EXPECT_EQ(pixels.count(0xFF00FF00), 4);
    // Not opaque: c + ((256 - a) * d >> 8), the colour's channels as stored.
    renderer.fillRectOn(&pixels.bitmap, 0x80FF0000, {2, 2, 3, 3}, DFillMode::Blend);
    EXPECT_EQ(pixels.at(3, 3), 0xFFFF0000u);
    renderer.fillRectOn(&pixels.bitmap, 0x80FF0000, {3, 0, 3, 0}, DFillMode::Opaque);
    EXPECT_EQ(pixels.at(3, 0), 0x80FF0000u);
    renderer.fillRectOn(&pixels.bitmap, 0xFF000000, {9, 9, 20, 20}, DFillMode::Opaque); // outside: nothing
    Pixels grey(2, 1, 0, 1);
    renderer.fillRectOn(&grey.bitmap, 0xFFFFFFFF, {0, 0, 1, 0}, DFillMode::Opaque);
    EXPECT_EQ(grey.at(1, 0), uint32_t(63 + 127 + 63));
}

// Whole rows are filled as one run when nothing lies between them; rows whose stride
// leaves a gap are filled one by one, the gap untouched.
TEST(DRendererBitmap, FillOverWholeRowsKeepsToThoseRows)
{
    constexpr int32_t kWidth = 6, kHeight = 5;
    constexpr uint32_t kPage = 0xFF204060, kGap = 0x12345678;
    const struct {
        uint32_t colour, filled;
        DFillMode fill;
    } fills[] = {
        {0xFF00FF00, 0xFF00FF00, DFillMode::Blend},
        {0x80400000, 0xFF502030, DFillMode::Blend}, // red 0x40 + (128 * 0x20 >> 8), and so on
        {0x80400000, 0x80400000, DFillMode::Opaque},
    };
    for (const uint32_t strideWords : {uint32_t(kWidth), uint32_t(kWidth + 3)})
        for (const auto& fill : fills) {
            std::vector<uint32_t> words(std::size_t(strideWords) * kHeight, kGap);
            DBitmap bitmap;
            bitmap.adopt({kWidth, kHeight}, strideWords * 4, 4, reinterpret_cast<uint8_t*>(words.data()), true);
            for (int32_t y = 0; y < kHeight; ++y)
                std::fill_n(words.begin() + y * strideWords, kWidth, kPage);
            DRendererBitmap renderer;
            renderer.fillRectOn(&bitmap, fill.colour, {-3, 1, kWidth + 4, 3}, fill.fill);
            for (int32_t y = 0; y < kHeight; ++y)
                for (uint32_t x = 0; x < strideWords; ++x) {
                    const uint32_t expected = x >= kWidth ? kGap : (y >= 1 && y <= 3) ? fill.filled : kPage;
                    ASSERT_EQ(words[y * strideWords + x], expected)
                        << std::hex << "colour " << fill.colour << std::dec << ", stride " << strideWords << ", at "
                        << x << ", " << y;
                }
        }
}

TEST(DRendererBitmap, BlitClippedAtLeftAndTopShiftsTheSource)
{
    DRendererBitmap renderer;
    Pixels source(4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            source.set(x, y, 0xFF000000u | uint32_t(y * 16 + x));
    Pixels target(4, 4, 0xFFFFFFFF);
    renderer.blit(&target.bitmap, &source.bitmap, {-1, -2, 2, 1}, {0, 0}, 0);
    EXPECT_EQ(target.at(0, 0), 0xFF000000u | (2 * 16 + 1)); // source (1, 2) lands at (0, 0)
    EXPECT_EQ(target.at(2, 1), 0xFF000000u | (3 * 16 + 3));
    EXPECT_EQ(target.at(3, 0), 0xFFFFFFFFu);
    // The source ends before the clip does.
    Pixels wide(8, 2, 0xFFFFFFFF);
    renderer.blit(&wide.bitmap, &source.bitmap, {0, 0, 7, 1}, {2, 0}, 1);
    EXPECT_EQ(wide.at(1, 0), 0xFF000003u);
    EXPECT_EQ(wide.at(2, 0), 0xFFFFFFFFu);
    // A grey source copied into colour pixels.
    Pixels grey(1, 1, 100, 1);
    renderer.blit(&wide.bitmap, &grey.bitmap, {5, 1, 5, 1}, {0, 0}, 1);
    EXPECT_EQ(wide.at(5, 1), 0xFF646464u);
}

TEST(DRendererBitmap, TrianglesAndLinesStayInsideWhateverTheirPoints)
{
    DRendererBitmap renderer;
    Pixels pixels(10, 10);
    renderer.fillTriangle(&pixels.bitmap, 0xFFFF0000, {0, 0}, {9, 0}, {0, 9});
    EXPECT_EQ(pixels.at(0, 0), 0xFFFF0000u);
    EXPECT_EQ(pixels.at(9, 0), 0xFFFF0000u);
    EXPECT_EQ(pixels.at(0, 9), 0xFFFF0000u);
    EXPECT_EQ(pixels.at(9, 9), 0u);
    // Points far outside: only the visible rows are walked, nothing is written outside.
    renderer.fillTriangle(&pixels.bitmap, 0xFF00FF00, {-2000000000, -2000000000}, {2000000000, 5},
                          {5, 2000000000});
    renderer.drawLine(&pixels.bitmap, 0xFF0000FF, {-2000000000, 3}, {2000000000, 3});
    for (int x = 0; x < 10; ++x)
        EXPECT_EQ(pixels.at(x, 3), 0xFF0000FFu);

    Pixels line(5, 5);
    renderer.drawLine(&line.bitmap, 0xFFFFFFFF, {0, 0}, {4, 2});
    EXPECT_EQ(line.count(0xFFFFFFFF), 5);
    EXPECT_EQ(line.at(0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(line.at(4, 2), 0xFFFFFFFFu);
    EXPECT_EQ(line.at(2, 1), 0xFFFFFFFFu);
    renderer.setPixel(&line.bitmap, 0xFF010203, {4, 4});
    renderer.setPixel(&line.bitmap, 0xFF010203, {5, 4}); // outside: nothing
    EXPECT_EQ(line.at(4, 4), 0xFF010203u);
}

TEST(DRendererBitmap, TransformedCopyTurnsAboutThePivot)
{
    DRendererBitmap renderer;
    Pixels needle(1, 3, 0xFFFFFFFF); // a vertical bar, pivot at its top
    Pixels target(9, 9);
    renderer.drawTransformed(&target.bitmap, &needle.bitmap, {4, 4}, {0, 0}, 0.0);
    EXPECT_EQ(target.at(4, 4), 0xFFFFFFFFu);
    EXPECT_EQ(target.at(4, 6), 0xFFFFFFFFu);
    Pixels turned(9, 9);
    renderer.drawTransformed(&turned.bitmap, &needle.bitmap, {4, 4}, {0, 0}, std::numbers::pi / 2);
    // A quarter turn clockwise lays the bar to the left of the pivot.
    EXPECT_EQ(turned.at(2, 4) | turned.at(3, 4), 0xFFFFFFFFu);
    EXPECT_EQ(turned.at(4, 6), 0u);
}

TEST(DRendererComposed, PresentLaysTheTargetOverTheCheckerboard)
{
    struct Window : DPresentTarget {
        void presentPixels(const DBitmap& composed, const DRect& rect) override
        {
            last = rect;
            corner = reinterpret_cast<const uint32_t*>(composed.row(0))[0];
            cell = reinterpret_cast<const uint32_t*>(composed.row(0))[8];
            ++calls;
        }
        DRect last;
        uint32_t corner = 0, cell = 0;
        int calls = 0;
    } window;
    DRendererComposed renderer(window);
    ASSERT_EQ(renderer.init(nullptr, nullptr, 16, 16), 0);
    renderer.fillRect(0xFF112233, {0, 0, 0, 0}, DFillMode::Opaque);
    renderer.present({-4, -4, 100, 100});
    EXPECT_EQ(window.calls, 1);
    EXPECT_EQ(window.last, (DRect{0, 0, 15, 15}));
    EXPECT_EQ(window.corner, 0xFF112233u);
    EXPECT_EQ(window.cell, 0xFFC0C0C0u); // transparent target shows the light cell
    renderer.present({20, 20, 30, 30});
    EXPECT_EQ(window.calls, 1);
}

TEST(DRendererBitmap, InvertedRectanglesDrawNothing)
{
    DRendererBitmap renderer;
    Pixels pixels(8, 8, 0xFF000000);
    renderer.fillRectOn(&pixels.bitmap, 0xFFFFFFFF, {6, 1, 2, 5}, DFillMode::Opaque); // right left of left
    renderer.fillRectOn(&pixels.bitmap, 0xFFFFFFFF, {1, 6, 5, 2}, DFillMode::Blend); // bottom above top
    Pixels source(4, 4, 0xFFFFFFFF);
    renderer.blit(&pixels.bitmap, &source.bitmap, {5, 5, 1, 1}, {0, 0}, 1);
    EXPECT_EQ(pixels.count(0xFF000000), 64);
}
