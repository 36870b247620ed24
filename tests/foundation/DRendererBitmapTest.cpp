#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <thread>

#include "foundation/text/DRendererBitmap.h"
#include "tests/foundation/TextFixtures.h"

namespace {

using namespace textfixtures;
using foundation::DBitmap;
using foundation::DPoint;
using foundation::DRect;
using foundation::DRendererBitmap;
using foundation::DSize;
using AlphaMode = DRendererBitmap::AlphaMode;
using Line = DRendererBitmap::Line;

// A bitmap whose pixel (x, y) is 0xFF000000 | y << 8 | x, to tell source pixels apart.
void paintCoordinates(DBitmap& bitmap)
{
    for (int32_t y = 0; y < bitmap.height(); ++y)
        for (int32_t x = 0; x < bitmap.width(); ++x)
            bitmap.row32(y)[x] = 0xFF000000u | uint32_t(y) << 8 | uint32_t(x);
}

TEST(DRendererBitmapPixels, BlendMovesEachColourChannelByTheSourceAlpha)
{
    struct Case {
        uint32_t source, target, expected;
    };
    const Case cases[] = {
        {0x80000000u, 0xFFFFFFFFu, 0xFF7F7F7Fu}, // 255 + floor(128 x -255 / 256) = 127
        {0x80FFFFFFu, 0x00000000u, 0x007F7F7Fu}, // the target's alpha stays
        {0xFF123456u, 0x80ABCDEFu, 0xFF123456u}, // opaque: all four bytes copied
        {0x00123456u, 0x80ABCDEFu, 0x80ABCDEFu}, // transparent: unchanged
        {0x40FF0000u, 0xC00000FFu, 0xC03F00BFu}, // blue: 255 + floor(-63.75)
    };
    for (const Case& c : cases)
        EXPECT_EQ(DRendererBitmap::blend(c.source, c.target), c.expected) << std::hex << c.source;
    EXPECT_EQ(DRendererBitmap::premultiply(0x80FF8040u), 0x807F4020u);
    EXPECT_EQ(DRendererBitmap::premultiply(0xFFFF8040u), 0xFFFE7F3Fu);
}

TEST(DRendererBitmapPixels, IntersectIsInclusiveAndTouchingEdgesMeet)
{
    struct Case {
        DRect a, b;
        bool meet;
        DRect expected;
    };
    const Case cases[] = {
        {{0, 0, 9, 9}, {5, 5, 20, 20}, true, {5, 5, 9, 9}},
        {{0, 0, 9, 9}, {9, 9, 12, 12}, true, {9, 9, 9, 9}},
        {{0, 0, 9, 9}, {10, 0, 12, 9}, false, {}},
        {{0, 0, 9, 9}, {2, -5, 3, 20}, true, {2, 0, 3, 9}},
        {{5, 5, 4, 9}, {0, 0, 20, 20}, false, {}},
    };
    for (const Case& c : cases) {
        DRect out{-1, -1, -1, -1};
        EXPECT_EQ(DRendererBitmap::intersect(c.a, c.b, &out), c.meet);
        if (c.meet) {
            EXPECT_EQ(out, c.expected);
        }
        EXPECT_EQ(DRendererBitmap::intersect(c.a, c.b), c.meet);
    }
}

TEST(DRendererBitmapPixels, BlitClipsToBothBitmapsAndMovesTheSourcePointWithTheClip)
{
    DBitmap source(6, 5);
    paintCoordinates(source);
    struct Case {
        DRect targetRect;
        DPoint sourcePoint;
        DRect drawn;          // what of the 8 x 8 target changes
        DPoint sourceAtDrawn; // the source pixel at the drawn area's top-left
    };
    const Case cases[] = {
        {{1, 1, 3, 2}, {0, 0}, {1, 1, 3, 2}, {0, 0}},
        {{-2, -1, 2, 2}, {0, 0}, {0, 0, 2, 2}, {2, 1}},  // cut at the left and top
        {{5, 5, 20, 20}, {1, 1}, {5, 5, 7, 7}, {1, 1}},  // cut at the target's edges
        {{0, 0, 7, 7}, {3, 2}, {0, 0, 2, 2}, {3, 2}},    // cut where the source ends
        {{2, 2, 7, 7}, {-1, -2}, {3, 4, 7, 7}, {0, 0}},  // no source before its origin
    };
    for (const Case& c : cases) {
        DBitmap target(8, 8);
        DRendererBitmap::blit(c.targetRect, target, source, c.sourcePoint, AlphaMode::Blend);
        for (int32_t y = 0; y < 8; ++y)
            for (int32_t x = 0; x < 8; ++x) {
                uint32_t expected = 0;
                if (c.drawn.contains({x, y})) {
                    int32_t sx = c.sourceAtDrawn.x + x - c.drawn.left;
                    int32_t sy = c.sourceAtDrawn.y + y - c.drawn.top;
                    expected = 0xFF000000u | uint32_t(sy) << 8 | uint32_t(sx);
                }
                ASSERT_EQ(target.pixel(x, y), expected) << x << "," << y << " of case " << c.targetRect.left;
            }
    }
}

TEST(DRendererBitmapPixels, BlitModesByPixelFormat)
{
    DBitmap colour(1, 1);
    colour.row32(0)[0] = 0x80FFFFFFu;
    DBitmap target(1, 1);
    target.row32(0)[0] = 0x20000000u;
    DRendererBitmap::blit({0, 0, 0, 0}, target, colour, {}, AlphaMode::Blend);
    EXPECT_EQ(target.pixel(0, 0), 0x207F7F7Fu);
    target.row32(0)[0] = 0x20000000u;
    DRendererBitmap::blit({0, 0, 0, 0}, target, colour, {}, AlphaMode::CopyAlpha);
    EXPECT_EQ(target.pixel(0, 0), 0x807F7F7Fu);

    DBitmap grey(2, 1, 1);
    grey.pixels()[0] = 0x40;
    grey.pixels()[1] = 0xC0;
    DBitmap wide(2, 1);
    DRendererBitmap::blit({0, 0, 1, 0}, wide, grey, {}, AlphaMode::Blend);
    EXPECT_EQ(wide.pixel(0, 0), 0u); // grey only copies
    DRendererBitmap::blit({0, 0, 1, 0}, wide, grey, {}, AlphaMode::CopyAlpha);
    EXPECT_EQ(wide.pixel(0, 0), 0xFF404040u);
    EXPECT_EQ(wide.pixel(1, 0), 0xFFC0C0C0u);
    DBitmap narrow(2, 1, 1);
    DRendererBitmap::blit({0, 0, 1, 0}, narrow, grey, {}, AlphaMode::CopyAlpha);
    EXPECT_EQ(narrow.pixels()[1], 0xC0);
    DRendererBitmap::blit({0, 0, 1, 0}, narrow, wide, {}, AlphaMode::CopyAlpha);
    EXPECT_EQ(narrow.pixels()[0], 0x40); // 4-byte into 1-byte draws nothing

    DBitmap empty;
    DRendererBitmap::blit({0, 0, 1, 0}, wide, empty, {}, AlphaMode::CopyAlpha);
    DRendererBitmap::blit({0, 0, 1, 0}, empty, wide, {}, AlphaMode::CopyAlpha);
    EXPECT_EQ(wide.pixel(1, 0), 0xFFC0C0C0u);
}

TEST(DRendererBitmapPixels, FillSetsTheRectangleClippedToTheBitmap)
{
    DBitmap bitmap(4, 3);
    DRendererBitmap::fill(bitmap, 0x80112233u, {2, -5, 9, 1});
    for (int32_t y = 0; y < 3; ++y)
        for (int32_t x = 0; x < 4; ++x)
            EXPECT_EQ(bitmap.pixel(x, y), x >= 2 && y <= 1 ? 0x80112233u : 0u) << x << "," << y;
    DRendererBitmap::fill(bitmap, 0xFFFFFFFFu, {5, 0, 9, 2});
    EXPECT_EQ(bitmap.pixel(3, 2), 0u);
}

TEST(DRendererBitmapPixels, MadeBitmapsAreOwnedUntilReleased)
{
    DRendererBitmap renderer(catalogueOver(systemWith({})));
    DBitmap* first = renderer.create(10, 4);
    DBitmap* second = renderer.create(3, 3);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(first->pixel(9, 3), 0u);
    EXPECT_EQ(renderer.bitmapCount(), 2u);
    EXPECT_EQ(renderer.create(0, 4), nullptr);
    EXPECT_EQ(renderer.create(100000, 100000), nullptr);
    EXPECT_EQ(renderer.bitmapCount(), 2u);
    renderer.release(first);
    EXPECT_EQ(renderer.bitmapCount(), 1u);
    EXPECT_EQ(second->pixel(2, 2), 0u);
    DBitmap stranger(3, 3);
    renderer.release(&stranger);
    EXPECT_EQ(renderer.bitmapCount(), 1u);
    renderer.releaseAll();
    EXPECT_EQ(renderer.bitmapCount(), 0u);
}

class TextLayoutTest : public testing::Test {
protected:
    void SetUp() override
    {
        forgetFontCache();
        m_renderer = std::make_unique<DRendererBitmap>(
            catalogueOver(systemWith({kDejaVu + "DejaVuSans.ttf", kDejaVu + "DejaVuSansMono.ttf"})));
        m_renderer->textRenderer().enumFonts();
        m_mono = requestFor(text(), u"DejaVu Sans Mono", 20);
        ASSERT_EQ(baseName(m_mono.face), "DejaVuSansMono.ttf");
        ASSERT_EQ(text().setupScaler(m_mono), 0);
        DTextTexture glyph;
        ASSERT_EQ(text().getGlyphTexture('a', glyph), 0);
        A = glyph.advanceX;
        b = text().lineHeight();
        ASSERT_GT(A, 0);
    }

    DTextRenderer& text() { return m_renderer->textRenderer(); }

    std::vector<Line> layout(const std::u16string& string, DRect& rect, const DTextDescriptor& descriptor,
                             DRendererBitmap::Glyphs* glyphsOut = nullptr)
    {
        DRendererBitmap::Glyphs glyphs;
        std::vector<Line> lines;
        uint32_t count = DRendererBitmap::layoutText(DString(string), text(), rect, glyphs, lines, descriptor);
        EXPECT_EQ(glyphs.size(), count);
        if (glyphsOut)
            *glyphsOut = std::move(glyphs);
        return lines;
    }

    std::unique_ptr<DRendererBitmap> m_renderer;
    DTextDescriptor m_mono;
    int32_t A = 0; // every advance of the monospaced face
    int32_t b = 0; // its line height
};

TEST_F(TextLayoutTest, LinesBreakAtSpacesOrBeforeTheGlyphThatOverflows)
{
    struct Expected {
        int32_t last, glyphs; // a width of glyphs x A + 1
    };
    struct Case {
        std::u16string text;
        int32_t wrap, rightToLeft;
        int32_t widthInAdvances, widthExtra;
        std::vector<Expected> lines;
    };
    const Case cases[] = {
        // The first word, the space and one more letter fit: the break is at the space.
        {u"ab cd", 1, 0, 5, 1, {{2, 2}, {4, 2}}},
        {u"ab cd ef", 1, 0, 4, 1, {{2, 2}, {5, 2}, {7, 2}}},
        {u"ab cd ef", 1, 0, 6, 1, {{5, 5}, {7, 2}}},
        // A word wider than the rectangle: each later glyph that overflows starts a line.
        {u"abcdef", 1, 0, 2, 0, {{0, 1}, {1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}}},
        {u"abcdef", 1, 0, 3, 0, {{1, 2}, {3, 2}, {5, 2}}},
        // Wider than the wrap width itself: one glyph a line, and no empty lines.
        {u"abc", 1, 0, 0, 1, {{0, 1}, {1, 1}, {2, 1}}},
        {u"\nab", 1, 0, 0, 1, {{-1, 0}, {1, 1}, {2, 1}}},
        // Line feeds end lines; a last one leaves an empty line of width 1.
        {u"ab\n", 1, 0, 20, 0, {{1, 2}, {2, 0}}},
        {u"a\n\nb", 1, 0, 20, 0, {{0, 1}, {1, 0}, {3, 1}}},
        // Carriage returns and glyphs the face lacks take no room.
        {u"a\rb\u0378c", 1, 0, 20, 0, {{4, 3}}},
        // Without wrap only the first line is laid out.
        {u"ab\ncd", 0, 0, 20, 0, {{1, 2}}},
        {u"ab cd", 0, 0, 5, 1, {{2, 2}}},
        {u"abcdef", 0, 0, 3, 0, {{1, 2}}},
        // Right to left visits from the last code point.
        {u"ab cd", 1, 1, 5, 1, {{2, 2}, {4, 2}}},
        {u"", 1, 0, 20, 0, {{-1, 0}}},
    };
    for (const Case& c : cases) {
        DTextDescriptor descriptor = m_mono;
        descriptor.wrap = c.wrap;
        descriptor.rightToLeft = c.rightToLeft;
        DRect rect{0, 0, c.widthInAdvances * A + c.widthExtra - 1, 40 * b};
        std::vector<Line> lines = layout(c.text, rect, descriptor);
        ASSERT_EQ(lines.size(), c.lines.size()) << wideToUtf8(c.text);
        for (std::size_t k = 0; k < lines.size(); ++k) {
            EXPECT_EQ(lines[k].last, c.lines[k].last) << wideToUtf8(c.text) << " line " << k;
            EXPECT_EQ(lines[k].width, c.lines[k].glyphs * A + 1) << wideToUtf8(c.text) << " line " << k;
            EXPECT_EQ(lines[k].top, int32_t(k) * b);
            EXPECT_EQ(lines[k].left, 0);
        }
    }
}

TEST_F(TextLayoutTest, RightToLeftVisitsTheCodePointsFromLastToFirst)
{
    DTextDescriptor descriptor = m_mono;
    descriptor.rightToLeft = 1;
    DRect rect{0, 0, 399, 99};
    DRendererBitmap::Glyphs glyphs;
    layout(u"abc", rect, descriptor, &glyphs);
    ASSERT_EQ(glyphs.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        DTextTexture expected;
        ASSERT_EQ(text().getGlyphTexture(U"cba"[i], expected), 0);
        ASSERT_TRUE(glyphs[i].has_value());
        EXPECT_EQ(glyphs[i]->pixels.get(), expected.pixels.get()) << i;
    }
}

TEST_F(TextLayoutTest, AlignmentPlacesLinesAndTheBlockInTheRectangle)
{
    const int32_t left = 10, top = 20, right = 10 + 10 * A, bottom = 20 + 10 * b, spacing = 3;
    const int32_t widths[] = {A + 1, 2 * A + 1, 3 * A + 1};
    const int32_t blockHeight = 3 * b + 2 * spacing;
    const int32_t blockWidth = 3 * A + 1;
    for (int32_t horizontal : {0, 1, 2})
        for (int32_t vertical : {0, 1, 2}) {
            DTextDescriptor descriptor = m_mono;
            descriptor.wrap = 1;
            descriptor.lineSpacing = spacing;
            descriptor.horizontalAlignment = horizontal;
            descriptor.verticalAlignment = vertical;
            DRect rect{left, top, right, bottom};
            std::vector<Line> lines = layout(u"a\nbb\nccc", rect, descriptor);
            ASSERT_EQ(lines.size(), 3u);
            auto placed = [&](int32_t width) {
                return horizontal == 0 ? left : horizontal == 1 ? left + (right - width - left + 1) / 2 : right - width;
            };
            int32_t blockTop = vertical == 0 ? top
                               : vertical == 1 ? top + (bottom - top - blockHeight + 1) / 2
                                               : bottom - blockHeight;
            for (int32_t k = 0; k < 3; ++k) {
                EXPECT_EQ(lines[k].width, widths[k]);
                EXPECT_EQ(lines[k].left, placed(widths[k])) << horizontal << vertical << k;
                EXPECT_EQ(lines[k].top, blockTop + k * (b + spacing)) << horizontal << vertical << k;
            }
            EXPECT_EQ(rect, (DRect{placed(blockWidth), blockTop, placed(blockWidth) + blockWidth, blockTop + blockHeight}))
                << horizontal << vertical;
        }
}

TEST_F(TextLayoutTest, LineSpacingAndTheRectangleHeightBoundTheLines)
{
    DTextDescriptor descriptor = m_mono;
    descriptor.wrap = 1;

    DRect twoLines{0, 0, 399, 2 * b - 1};
    EXPECT_EQ(layout(u"a\nb\nc", twoLines, descriptor).size(), 2u);
    DRect almostTwo{0, 0, 399, 2 * b - 2};
    EXPECT_EQ(layout(u"a\nb\nc", almostTwo, descriptor).size(), 1u);
    descriptor.lineSpacing = 5;
    DRect spaced{0, 0, 399, 2 * (b + 5) - 1};
    std::vector<Line> lines = layout(u"a\nb\nc", spaced, descriptor);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1].top, b + 5);

    // Lines that do not advance all fit; nothing divides by zero.
    for (int32_t spacing : {-b, -2 * b, -b - 1000000}) {
        descriptor.lineSpacing = spacing;
        DRect rect{0, 0, 399, b};
        lines = layout(u"a\nb\nc", rect, descriptor);
        ASSERT_EQ(lines.size(), 3u) << spacing;
        EXPECT_EQ(lines[1].top, b + spacing);
        EXPECT_EQ(lines[2].top, 2 * (b + spacing));
    }
}

TEST_F(TextLayoutTest, ABlockTallerThanTheRectangleKeepsTheRectanglesTopAndBottom)
{
    DTextDescriptor descriptor = m_mono;
    descriptor.verticalAlignment = 1;
    DRect rect{5, 5, 300, 5 + b / 2};
    std::vector<Line> lines = layout(u"ab", rect, descriptor);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(rect, (DRect{5, 5, 5 + 2 * A + 1, 5 + b / 2}));
    EXPECT_EQ(lines[0].top, 5 + (b / 2 - b + 1) / 2);
}

TEST_F(TextLayoutTest, WithoutAFaceTheLayoutIsEmpty)
{
    DTextDescriptor none;
    DRect rect{1, 2, 30, 40};
    DRendererBitmap::Glyphs glyphs;
    std::vector<Line> lines;
    EXPECT_EQ(DRendererBitmap::layoutText(DString(u"abc"), text(), rect, glyphs, lines, none), 0u);
    EXPECT_EQ(rect, DRect{});
    EXPECT_TRUE(lines.empty());
    EXPECT_EQ(m_renderer->renderText({40, 40}, DString(u"abc"), text(), {0, 0, 39, 39}, none, AlphaMode::CopyAlpha)
                  ->pixel(20, 20),
              0u);
}

// Where each glyph of a laid-out text lands, as renderText places it.
struct PlacedGlyph {
    DRect box;
    const DTextTexture* glyph;
};

std::vector<PlacedGlyph> placeGlyphs(const DRendererBitmap::Glyphs& glyphs, const std::vector<Line>& lines,
                                     int32_t ascender)
{
    std::vector<PlacedGlyph> placed;
    int32_t start = 0;
    for (const Line& line : lines) {
        int32_t x = line.left, y = line.top;
        for (int32_t p = start; p <= line.last; ++p) {
            if (!glyphs[p])
                continue;
            const DTextTexture& glyph = *glyphs[p];
            if (glyph.hasPixels()) {
                int32_t left = x + glyph.left, top = y + ascender - glyph.top;
                placed.push_back({{left, top, left + glyph.width - 1, top + glyph.rows - 1}, &glyph});
            }
            x += glyph.advanceX;
        }
        start = std::max(start, line.last + 1);
    }
    return placed;
}

uint32_t coverageAt(const PlacedGlyph& placed, int32_t x, int32_t y)
{
    return placed.glyph->pixel(x - placed.box.left, y - placed.box.top) >> 24;
}

class RenderTextTest : public testing::Test {
protected:
    void SetUp() override
    {
        forgetFontCache();
        m_renderer = std::make_unique<DRendererBitmap>(catalogueOver(
            systemWith({kDejaVu + "DejaVuSans.ttf", kDejaVu + "DejaVuSans-Oblique.ttf", kLiberation + "LiberationSans-Regular.ttf"})));
        m_renderer->textRenderer().enumFonts();
    }
    DTextRenderer& text() { return m_renderer->textRenderer(); }

    // Renders and lays out the same text; checks every pixel against the glyphs the
    // layout placed: ink only inside glyph boxes and the rect, each glyph's coverage as
    // the alpha where it alone covers, at least the largest coverage where boxes overlap.
    void renderAndCheck(const std::u16string& string, DSize size, DRect rect, const DTextDescriptor& descriptor,
                        std::size_t minimumGlyphs)
    {
        DBitmap* bitmap = m_renderer->renderText(size, DString(string), text(), rect, descriptor, AlphaMode::CopyAlpha);
        ASSERT_NE(bitmap, nullptr);
        std::scoped_lock lock(text().renderLock());
        DRect box = rect;
        DRendererBitmap::Glyphs glyphs;
        std::vector<Line> lines;
        ASSERT_EQ(DRendererBitmap::layoutText(DString(string), text(), box, glyphs, lines, descriptor), string.size());
        std::vector<PlacedGlyph> placed = placeGlyphs(glyphs, lines, text().ascender());
        ASSERT_GE(placed.size(), minimumGlyphs);

        const uint32_t rgb = descriptor.colour & 0xFFFFFF;
        std::vector<int> inked(placed.size(), 0);
        for (int32_t y = 0; y < size.height; ++y)
            for (int32_t x = 0; x < size.width; ++x) {
                uint32_t pixel = bitmap->pixel(x, y);
                uint32_t largest = 0;
                int covering = 0;
                const PlacedGlyph* only = nullptr;
                if (rect.contains({x, y}))
                    for (const PlacedGlyph& glyph : placed)
                        if (glyph.box.contains({x, y})) {
                            ++covering;
                            only = &glyph;
                            largest = std::max(largest, coverageAt(glyph, x, y));
                        }
                if (covering == 0) {
                    ASSERT_EQ(pixel, 0u) << "ink outside every glyph at " << x << "," << y;
                    continue;
                }
                uint32_t alpha = pixel >> 24;
                if (covering == 1) {
                    ASSERT_EQ(alpha, largest) << x << "," << y;
                    uint32_t expected = 0;
                    if (alpha == 255)
                        expected = 0xFF000000u | rgb;
                    else if (alpha) {
                        expected = alpha << 24;
                        for (int shift = 0; shift < 24; shift += 8)
                            expected |= (((rgb >> shift) & 0xFF) * alpha >> 8) << shift;
                    }
                    ASSERT_EQ(pixel, expected) << x << "," << y;
                } else {
                    ASSERT_GE(alpha, largest) << "an overlapping glyph erased ink at " << x << "," << y;
                }
                if (alpha)
                    ++inked[std::size_t((only ? only : &placed[0]) - placed.data())];
            }
        std::size_t withInk = std::count_if(inked.begin(), inked.end(), [](int n) { return n > 0; });
        EXPECT_GE(withInk, minimumGlyphs);
        m_renderer->release(bitmap);
    }

    std::unique_ptr<DRendererBitmap> m_renderer;
};

TEST_F(RenderTextTest, HelloPanelInDejaVuSans24PixelsLandsWhereTheLayoutSays)
{
    // DejaVu's regular face is "Book": the family alone finds it.
    DTextDescriptor descriptor = requestFor(text(), u"DejaVu Sans", 24, 0xFF2040C0u);
    ASSERT_NE(descriptor.face, nullptr);
    EXPECT_EQ(baseName(descriptor.face), "DejaVuSans.ttf");
    renderAndCheck(u"Hello, panel", {320, 60}, {4, 6, 315, 55}, descriptor, 11);

    // The text block sits inside the rectangle and the ink inside the block.
    DBitmap* bitmap =
        m_renderer->renderText({320, 60}, DString(u"Hello, panel"), text(), {4, 6, 315, 55}, descriptor, AlphaMode::CopyAlpha);
    DRect block{4, 6, 315, 55};
    DRendererBitmap::Glyphs glyphs;
    std::vector<Line> lines;
    DRendererBitmap::layoutText(DString(u"Hello, panel"), text(), block, glyphs, lines, descriptor);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(block.left, 4);
    EXPECT_EQ(block.top, 6);
    EXPECT_EQ(block.bottom, 6 + text().lineHeight());
    int32_t inkLeft = 320, inkRight = -1, inkTop = 60, inkBottom = -1;
    for (int32_t y = 0; y < 60; ++y)
        for (int32_t x = 0; x < 320; ++x)
            if (bitmap->pixel(x, y) >> 24) {
                inkLeft = std::min(inkLeft, x);
                inkRight = std::max(inkRight, x);
                inkTop = std::min(inkTop, y);
                inkBottom = std::max(inkBottom, y);
            }
    EXPECT_GE(inkLeft, block.left);
    EXPECT_LE(inkRight, block.right);
    EXPECT_GE(inkTop, block.top);
    EXPECT_LE(inkBottom, block.bottom);
    EXPECT_GT(inkRight - inkLeft, 100); // a line of text, not a dot
}

TEST_F(RenderTextTest, WrappedAlignedAndRightToLeftTextLandsWhereTheLayoutSays)
{
    DTextDescriptor descriptor = requestFor(text(), u"Liberation Sans", 18, 0xFFFFFFFFu);
    descriptor.wrap = 1;
    descriptor.horizontalAlignment = 1;
    descriptor.verticalAlignment = 2;
    descriptor.lineSpacing = 2;
    renderAndCheck(u"Pressure too high\nvalve 3 open", {120, 100}, {0, 0, 119, 99}, descriptor, 20);
    descriptor.rightToLeft = 1;
    renderAndCheck(u"Pressure too high\nvalve 3 open", {120, 100}, {0, 0, 119, 99}, descriptor, 20);
}

TEST_F(RenderTextTest, GlyphsAreClippedToTheRectangleFromTheMatchingSourcePoint)
{
    // A rectangle lower than the line, the line centred on it: ascenders and descenders
    // are cut at the top and the bottom; the rectangle also runs off the bitmap's left.
    DTextDescriptor descriptor = requestFor(text(), u"DejaVu Sans", 30, 0xFF000000u);
    descriptor.verticalAlignment = 1;
    renderAndCheck(u"Hgjy", {100, 50}, {-7, 20, 90, 29}, descriptor, 3);
}

TEST_F(RenderTextTest, OverlappingGlyphsKeepEachOthersInk)
{
    // Slanted glyphs reach into their neighbours' boxes.
    DTextDescriptor descriptor = requestFor(text(), u"DejaVu Sans", 40, 0xFF000000u, 1);
    ASSERT_EQ(baseName(descriptor.face), "DejaVuSans-Oblique.ttf");
    ASSERT_EQ(text().setupScaler(descriptor), 0);
    descriptor.wrap = 1;
    descriptor.lineSpacing = -text().lineHeight() / 2;
    renderAndCheck(u"fff\nggg\nWAVE", {200, 120}, {0, 0, 199, 119}, descriptor, 10);
}

TEST_F(RenderTextTest, UnderlineIsABarUnderEachLine)
{
    DTextDescriptor descriptor = requestFor(text(), u"DejaVu Sans", 32, 0x80FF0000u);
    descriptor.underline = 1;
    descriptor.wrap = 1;
    for (auto form : {DRendererBitmap::ColourForm::Straight, DRendererBitmap::ColourForm::Premultiplied}) {
        DBitmap* bitmap = m_renderer->renderText({200, 100}, DString(u"ab\ncd"), text(), {2, 2, 197, 97}, descriptor,
                                                 AlphaMode::CopyAlpha, form);
        ASSERT_NE(bitmap, nullptr);
        DRect box{2, 2, 197, 97};
        DRendererBitmap::Glyphs glyphs;
        std::vector<Line> lines;
        DRendererBitmap::layoutText(DString(u"ab\ncd"), text(), box, glyphs, lines, descriptor);
        ASSERT_EQ(lines.size(), 2u);
        const int32_t b = text().lineHeight();
        const uint32_t colour = form == DRendererBitmap::ColourForm::Premultiplied ? 0x807F0000u : 0x80FF0000u;
        for (const Line& line : lines) {
            int32_t barTop = line.top + b - b / 8;
            for (int32_t y = barTop; y <= barTop + b / 32; ++y)
                for (int32_t x = line.left; x <= line.left + line.width; ++x)
                    ASSERT_EQ(bitmap->pixel(x, y), colour) << x << "," << y;
            EXPECT_NE(bitmap->pixel(line.left + line.width + 1, barTop), colour);
        }
    }
}

TEST_F(RenderTextTest, NothingIsMadeForEmptyTextOrAnEmptySize)
{
    DTextDescriptor descriptor = requestFor(text(), u"DejaVu Sans", 16);
    EXPECT_EQ(m_renderer->renderText({10, 10}, DString(u""), text(), {0, 0, 9, 9}, descriptor, AlphaMode::Blend), nullptr);
    EXPECT_EQ(m_renderer->renderText({0, 10}, DString(u"a"), text(), {0, 0, 9, 9}, descriptor, AlphaMode::Blend), nullptr);
    EXPECT_EQ(m_renderer->bitmapCount(), 0u);
}

TEST_F(RenderTextTest, TwoThreadsRenderWhatEachWouldAlone)
{
    struct Job {
        std::u16string text;
        std::u16string family;
        int32_t size;
        uint32_t colour;
    };
    const Job jobs[] = {
        {u"Tank level 42 %", u"DejaVu Sans", 17, 0xFF103050u},
        {u"Motor stopped", u"Liberation Sans", 23, 0x90C02000u},
    };
    auto render = [&](const Job& job) {
        DTextDescriptor descriptor = requestFor(text(), job.family, job.size, job.colour);
        descriptor.wrap = 1;
        return m_renderer->renderText({90, 80}, DString(job.text), text(), {0, 0, 89, 79}, descriptor, AlphaMode::CopyAlpha);
    };
    std::vector<std::vector<uint8_t>> expected;
    for (const Job& job : jobs) {
        DBitmap* alone = render(job);
        ASSERT_NE(alone, nullptr);
        expected.emplace_back(alone->pixels(), alone->pixels() + alone->stride() * alone->height());
        m_renderer->release(alone);
    }
    // Fresh glyphs, so both threads also fill the cache while the other reads it.
    ASSERT_EQ(text().clear(), 0);
    ASSERT_EQ(text().init(), 0);
    text().enumFonts();

    std::atomic<int> mismatches{0};
    auto worker = [&](int which) {
        for (int round = 0; round < 40; ++round) {
            DBitmap* bitmap = render(jobs[which]);
            if (!bitmap || std::memcmp(bitmap->pixels(), expected[std::size_t(which)].data(), expected[std::size_t(which)].size()))
                ++mismatches;
            m_renderer->release(bitmap);
        }
    };
    std::thread ui(worker, 0);
    std::thread background(worker, 1);
    ui.join();
    background.join();
    EXPECT_EQ(mismatches.load(), 0);
    EXPECT_EQ(m_renderer->bitmapCount(), 0u);
}

} // namespace
