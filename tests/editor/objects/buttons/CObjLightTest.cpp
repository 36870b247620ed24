#include <gtest/gtest.h>

#include "editor/objects/buttons/CObjLight.h"
#include "foundation/target/TargetTag.h"
#include "tests/editor/objects/buttons/ButtonTestSupport.h"

namespace {

using vx::test::ButtonFixture;
using vx::test::kNav;
using vx::test::kNone;

// A lamp is not focusable: visible, and for the first record meets nothing before it.
constexpr uint32_t kFirst = 8 | 4;
constexpr uint32_t kOverlapping = 8;

struct CObjLightTest : ::testing::Test, ButtonFixture {};

TEST_F(CObjLightTest, LampWordByWord)
{
    harness.AddTag(u"V", u"integer", 4, u"20");
    vx::test::writePng(folder / "icon.png", 16, 16, 0x0000FF);
    auto lamp = Make(10, 0, 0, 40, 40);
    Set(*lamp, u"Appearance", u"Icon", CPropertyValue(u"icon.png"));
    Set(*lamp, u"Data", u"Value tag", CPropertyValue(u"V"));
    const auto words = Compile(*lamp);
    ASSERT_EQ(collected, 6u);   // body, three glows, icon, text
    const target::TagReference v = harness.tags.Resolve(u"V");
    const std::vector<uint32_t> expected = {
        0, 0, 10, 0, kNav, kNav, kNav, kNav,
        Entry(0),                                  // body
        3, 0, Entry(1), Entry(2), Entry(3),        // the glows
        v.low, v.high,
        Entry(4), Entry(5),                        // icon, text
        32, 3, 0, 0, 39, 39, kFirst, 0,            // text
        32, 3, 7, 12, 22, 27, kOverlapping, 0,     // icon
        32, 3, 0, 0, 39, 39, kOverlapping, 0,      // state picture
        32, 3, 0, 0, 39, 39, kOverlapping, 0,      // body
    };
    EXPECT_EQ(words, expected);
    // Three colours, three different pictures.
    EXPECT_NE(Entry(1), Entry(2));
    EXPECT_NE(Entry(2), Entry(3));
}

struct LampCase {
    const char* name;
    gfx::Rect rect;
    std::u16string_view icon;
    std::u16string_view text;
    CPropertyValue states;
    std::u16string_view colors;
    uint32_t count;
    bool hasIcon;
    bool hasText;
    bool warned = false;   // a picture of no size was left out
};

TEST_F(CObjLightTest, EdgeCases)
{
    vx::test::writePng(folder / "icon.png", 16, 16, 0x0000FF);
    const LampCase cases[] = {
        {"narrower than its icon", {0, 0, 12, 40}, u"icon.png", u"a", CPropertyValue(int32_t(3)), u"ff\u0001", 1, false,
         true},
        {"too low for its icon", {0, 0, 40, 5}, u"icon.png", u"a", CPropertyValue(int32_t(3)), u"ff\u0001", 1, false,
         true, true},
        {"more colours than states", {0, 0, 40, 40}, u"", u"a", CPropertyValue(int32_t(2)),
         u"ff\u0001ff00\u0001ff0000\u0001", 2, false, true},
        {"empty states count 1", {0, 0, 40, 40}, u"", u"a", CPropertyValue(u""), u"ff\u0001ff00\u0001", 1, false, true},
        {"no colours", {0, 0, 40, 40}, u"", u"a", CPropertyValue(int32_t(3)), u"", 0, false, true},
        {"no text", {0, 0, 40, 40}, u"icon.png", u"", CPropertyValue(int32_t(3)), u"ff\u0001", 1, true, false},
    };
    for (const LampCase& c : cases) {
        SCOPED_TRACE(c.name);
        harness.resources.Begin(32, target::kTargetFlagsDefault);
        harness.elementRects.clear();
        harness.output.lines.clear();
        auto lamp = Make(10, c.rect.left, c.rect.top, c.rect.right, c.rect.bottom);
        Set(*lamp, u"Appearance", u"Icon", CPropertyValue(c.icon));
        Set(*lamp, u"Appearance", u"Text", CPropertyValue(c.text));
        Set(*lamp, u"Behavior", u"Nr of color states", c.states);
        Set(*lamp, u"Behavior", u"Light colors", CPropertyValue(c.colors));
        const auto words = Compile(*lamp);
        EXPECT_EQ(collected, 1 + c.count + (c.hasIcon ? 1 : 0) + (c.hasText ? 1 : 0));
        ASSERT_GT(words.size(), 11 + c.count + 4);
        EXPECT_EQ(words[9], c.count);
        const std::size_t tail = 11 + c.count;
        EXPECT_EQ(words[tail + 2] != 0, c.hasIcon);
        EXPECT_EQ(words[tail + 3] != 0, c.hasText);
        const std::size_t text = tail + 4;
        EXPECT_EQ(words[text + 1], c.hasText ? 3u : 6u);
        const std::size_t icon = text + (c.hasText ? 8 : 2);
        EXPECT_EQ(words[icon + 1], c.hasIcon ? 3u : 6u);
        EXPECT_EQ(harness.output.lines.size(), c.warned ? 1u : 0u);
    }
}

TEST_F(CObjLightTest, GlowIsFullAtItsCentreAndFaintAtTheRim)
{
    auto lamp = Make(10, 0, 0, 40, 40);
    const CObjectPicture glow = As<CObjLight>(lamp).RenderGlow(0x00FF00, PictureAlpha::Premultiplied);
    ASSERT_TRUE(glow.IsValid());
    // The centre is 5 above the bottom, in the middle: opaque green.
    EXPECT_EQ(glow.Surface().pixel(20, 35), 0xFF00FF00u);
    EXPECT_LT(glow.Surface().pixel(20, 0) >> 24, 40u);
    EXPECT_EQ(glow.Surface().pixel(0, 0), 0u);

    // Transparency scales every stop.
    Set(*lamp, u"Appearance", u"Transparency", CPropertyValue(int32_t(128)));
    const CObjectPicture faint = As<CObjLight>(lamp).RenderGlow(0x00FF00, PictureAlpha::Premultiplied);
    EXPECT_EQ(faint.Surface().pixel(20, 35) >> 24, 127u);
    // Straight pictures keep the full colour under a lower alpha.
    const CObjectPicture straight = As<CObjLight>(lamp).RenderGlow(0x00FF00, PictureAlpha::Straight);
    const std::unique_ptr<CWinFreeImage> image = straight.ToImage();
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->pixels().row(35)[20], 0x7F00FF00u);
}

TEST_F(CObjLightTest, PreviewDrawsFrameGlowIconAndTheFrameIsAnEllipse)
{
    vx::test::writePng(folder / "icon.png", 16, 16, 0x0000FF);
    auto lamp = Make(10, 0, 0, 40, 40);
    Set(*lamp, u"Appearance", u"Icon", CPropertyValue(u"icon.png"));
    EXPECT_EQ(lamp->GetStyleName(), u"Aqua");
    const gfx::Surface preview = lamp->RenderPreview();
    ASSERT_TRUE(preview.isValid());
    EXPECT_EQ(preview.pixel(15, 20), 0xFF0000FFu);   // the icon at {7, 12, 23, 28}
    // The glow of the first colour, yellow, lights the bottom middle.
    const uint32_t lit = preview.pixel(20, 35);
    EXPECT_GT(lit >> 16 & 0xFF, 240u);
    EXPECT_GT(lit >> 8 & 0xFF, 240u);
    EXPECT_FALSE(lamp->IsFocusable());
    EXPECT_FALSE(lamp->IsWritableTagProperty(u"Value tag"));
}

} // namespace
