#include <gtest/gtest.h>

#include <memory>

#include "engine/core/DFile_Memory.h"
#include "engine/render/DRendererBitmap.h"
#include "foundation/target/TargetElement.h"
#include "foundation/text/DTextDescriptor.h"
#include "tests/support/engine/TextTestSupport.h"

using namespace texttest;
using target::TextStyle;

namespace {

constexpr uint32_t kRed = 0xFFFF0000u;

class DrawTextTest : public testing::Test {
protected:
    void SetUp() override
    {
        vx::test::TargetBuilder builder(16, 16, 1);
        builder.font(sansBytes());
        builder.page(uint32_t(target::PageType::Normal), -1, [](auto& page) { page.backgroundColour(0, 16, 16); });
        file = std::make_unique<DFile_Memory>(builder.finish());
        ASSERT_EQ(file->open(DString(u"text.ddd")), 0);
        ASSERT_EQ(file->seek(target::ChunkHeader::kSize, DFile::FromStart), 0);
        ASSERT_EQ(renderer.loadFonts(*file, file->size()), 1u);
        descriptor.size = 20;
        descriptor.colour = 0xFF000000u;
    }

    // Draws into a fresh width x height bitmap and keeps it.
    DBitmap& draw(std::u16string_view text, TextStyle style, int32_t width = 100, int32_t height = 30,
                  int32_t cursor = -1, uint32_t blink = 0)
    {
        bitmap = renderer.drawText(nullptr, descriptor, {0, 0, width - 1, height - 1}, style.word(), DString(text),
                                   DTextClear::ClearFirst, cursor, blinkPhase(blink));
        return *bitmap;
    }
    uint32_t at(int x, int y) const { return reinterpret_cast<const uint32_t*>(bitmap->row(y))[x]; }
    // The columns and rows that hold any drawn pixel (ignoring pure red caret pixels).
    DRect inked(bool countCaret = false) const
    {
        DRect box{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
        for (int y = 0; y < bitmap->size().height; ++y)
            for (int x = 0; x < bitmap->size().width; ++x) {
                const uint32_t p = at(x, y);
                if (!p || (!countCaret && p == kRed))
                    continue;
                box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x), std::max(box.bottom, y)};
            }
        return box;
    }
    bool sameAs(const DBitmap& other) const
    {
        for (int y = 0; y < bitmap->size().height; ++y)
            for (int x = 0; x < bitmap->size().width; ++x)
                if (at(x, y) != reinterpret_cast<const uint32_t*>(other.row(y))[x])
                    return false;
        return true;
    }

    std::unique_ptr<DFile_Memory> file;
    DRendererBitmap renderer;
    DTextDescriptor descriptor;
    std::unique_ptr<DBitmap> bitmap;
};

TextStyle aligned(uint32_t horizontal, uint32_t vertical = 0)
{
    TextStyle style;
    style.alignment = horizontal;
    style.lineAlignment = vertical;
    return style;
}

} // namespace

TEST_F(DrawTextTest, GlyphsArePremultipliedInTheTextColour)
{
    draw(u"I", aligned(0));
    const DRect box = inked();
    ASSERT_LE(box.left, box.right);
    uint32_t strongest = 0;
    for (int y = box.top; y <= box.bottom; ++y)
        for (int x = box.left; x <= box.right; ++x)
            strongest = std::max(strongest, at(x, y));
    EXPECT_EQ(strongest, 0xFF000000u); // the stem is fully covered, black

    // Alpha 128: coverage 255 gives alpha 127, and red 255 premultiplied by it 126.
    descriptor.colour = 0x80FF0000u;
    draw(u"I", aligned(0));
    strongest = 0;
    for (int y = box.top; y <= box.bottom; ++y)
        for (int x = box.left; x <= box.right; ++x)
            strongest = std::max(strongest, at(x, y));
    EXPECT_EQ(strongest, 0x7F7E0000u);
}

TEST_F(DrawTextTest, AlignmentPlacesTheLineInTheRect)
{
    draw(u"ab", aligned(0, 0));
    const DRect left = inked();
    draw(u"ab", aligned(2, 0));
    const DRect right = inked();
    draw(u"ab", aligned(1, 1));
    const DRect centred = inked();
    draw(u"ab", aligned(0, 2));
    const DRect bottom = inked();

    EXPECT_LE(left.left, 2);
    EXPECT_GE(right.right, 95);
    EXPECT_LE(right.right, 99);
    EXPECT_EQ(right.right - right.left, left.right - left.left);
    EXPECT_NEAR((centred.left + centred.right) / 2, 50, 3);
    EXPECT_NEAR((centred.top + centred.bottom) / 2, 15, 4);
    EXPECT_GT(bottom.bottom, left.bottom + 5);
    EXPECT_LE(bottom.bottom, 29);
}

TEST_F(DrawTextTest, RightToLeftDrawsTheLastCharacterFirst)
{
    TextStyle style = aligned(0);
    draw(u"ab", style);
    const std::unique_ptr<DBitmap> forward = std::move(bitmap);
    draw(u"ba", style);
    const std::unique_ptr<DBitmap> swapped = std::move(bitmap);
    style.rightToLeft = true;
    draw(u"ab", style);
    EXPECT_TRUE(sameAs(*swapped));
    EXPECT_FALSE(sameAs(*forward));
}

TEST_F(DrawTextTest, TheCaretShowsWhileTheBlinkCounterIsOdd)
{
    draw(u"12", aligned(0), 100, 30, 0, 1);
    // Cursor 0 at the left edge: x 0 becomes 1.
    EXPECT_EQ(at(1, 5), kRed);
    EXPECT_NE(at(0, 5), kRed);
    draw(u"12", aligned(0), 100, 30, 0, 2);
    EXPECT_NE(at(1, 5), kRed);

    // At the end of the text the caret stands just after its last glyph.
    draw(u"12", aligned(0), 100, 30, 2, 1);
    const DRect ink = inked();
    int caretX = -1;
    for (int x = 0; x < 100; ++x)
        if (at(x, 5) == kRed)
            caretX = x;
    EXPECT_GE(caretX, ink.right - 1);
    EXPECT_LE(caretX, ink.right + 4);
}

TEST_F(DrawTextTest, ALongLineKeepsTheCursorInView)
{
    const std::u16string_view text = u"0123456789012345678901234567890123456789";
    // Cursor at the end: the line is moved so the caret sits at the right edge.
    draw(text, aligned(0), 60, 30, int32_t(text.size()), 1);
    EXPECT_EQ(at(58, 5), kRed);
    EXPECT_NE(inked().right, INT32_MIN);
    // Cursor at the start: the line starts at the left edge.
    draw(text, aligned(0), 60, 30, 0, 1);
    EXPECT_EQ(at(1, 5), kRed);
    EXPECT_LE(inked().left, 3);
    EXPECT_EQ(inked().right, 59); // cut at the rect
}

TEST_F(DrawTextTest, UnderlineIsABarInTheTextColourBelowTheGlyphs)
{
    TextStyle style = aligned(0);
    draw(u"ab", style);
    const DRect plain = inked();
    style.underline = true;
    draw(u"ab", style);
    const DRect underlined = inked();
    EXPECT_GT(underlined.bottom, plain.bottom);
    // The bar runs along the line.
    int bar = 0;
    for (int x = 0; x < 100; ++x)
        bar += at(x, underlined.bottom) == 0xFF000000u;
    EXPECT_GE(bar, plain.right - plain.left - 2);
}

TEST_F(DrawTextTest, WithoutAMatchingFaceNothingIsDrawn)
{
    descriptor.size = 100000; // no scaler this size
    draw(u"ab", aligned(0));
    EXPECT_EQ(inked().right, INT32_MIN);
    // A rect outside the bitmap draws nothing and does not fail.
    descriptor.size = 20;
    DBitmap& target = draw(u"", aligned(0));
    EXPECT_EQ(renderer.drawText(&target, descriptor, {200, 200, 300, 300}, 0, DString(u"ab"),
                                DTextClear::ClearFirst, -1, DCaretBlink::Off),
              nullptr);
    EXPECT_EQ(inked().right, INT32_MIN);
}

TEST_F(DrawTextTest, EveryPixelPathDrawsTheSameText)
{
    // Over a picture, so the glyphs' edges blend rather than land on clear pixels.
    const auto drawOver = [&](DPixelPath path) {
        renderer.setPixelPath(path);
        auto target = std::make_unique<DBitmap>();
        EXPECT_EQ(target->allocate({100, 30}, 4), 0);
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 100; ++x)
                reinterpret_cast<uint32_t*>(target->row(y))[x] = 0xFF000000u | uint32_t(x * 0x020305 + y * 0x050301);
        descriptor.colour = 0xC0FF8000u;
        TextStyle style = aligned(1, 1);
        style.underline = true;
        (void)renderer.drawText(target.get(), descriptor, {3, 2, 96, 27}, style.word(),
                                DString(u"Wag 0.5 m³/h"), DTextClear::Keep, 4, DCaretBlink::On);
        return target;
    };
    bitmap = drawOver(DPixelPath::Plain);
    for (DPixelPath path : {DPixelPath::Sse2, DPixelPath::Avx2}) {
        if (!DPixelLoops::available(path))
            continue;
        EXPECT_TRUE(sameAs(*drawOver(path))) << int(path);
    }
}
