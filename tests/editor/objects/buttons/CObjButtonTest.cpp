#include <gtest/gtest.h>

#include "editor/objects/buttons/CObjButton.h"
#include "foundation/image/CWinFreeImage.h"
#include "foundation/target/TargetTag.h"
#include "foundation/xml/DXMLElement.h"
#include "tests/editor/objects/buttons/ButtonTestSupport.h"

namespace {

using vx::test::ButtonFixture;
using vx::test::kNav;
using vx::test::kNone;

// Element flags: visible, meets nothing written before, touchable (buttons are focusable).
constexpr uint32_t kFirst = 8 | 4 | 16;
constexpr uint32_t kOverlapping = 8 | 16;

struct CObjButtonTest : ::testing::Test, ButtonFixture {};

TEST_F(CObjButtonTest, ButtonWordByWord)
{
    harness.AddTag(u"T1", u"integer", 4, u"10");
    vx::test::writePng(folder / "icon.png", 32, 32, 0x00FF00);
    auto button = Make(17, 10, 20, 110, 60);
    Set(*button, u"Appearance", u"Icon", CPropertyValue(u"icon.png"));
    Set(*button, u"Behavior", u"Button type", CPropertyValue(u"Toggle"));
    Set(*button, u"Data", u"Button state tag", CPropertyValue(u"T1"));
    const auto words = Compile(*button);
    ASSERT_EQ(collected, 7u);   // five states, icon, text
    const target::TagReference t1 = harness.tags.Resolve(u"T1");
    const std::vector<uint32_t> expected = {
        0, 0, 17, 0, kNav, kNav, kNav, kNav,                       // header
        2,                                                         // "Toggle"
        Entry(0), Entry(1), Entry(2), Entry(3), Entry(4), 0,       // state pictures, unused word
        Entry(5), Entry(6),                                        // icon, text
        t1.low, t1.high, kNone, kNone,                             // state tag, no disable tag
        32, 3, 10, 20, 109, 59, kFirst, 0,                         // text over the object
        32, 3, 12, 24, 43, 55, kOverlapping, 0,                    // icon at its place
        32, 3, 10, 20, 109, 59, kOverlapping, 0,                   // body
    };
    EXPECT_EQ(words, expected);
    for (std::size_t i = 0; i < collected; ++i)
        EXPECT_NE(Entry(i), 0u) << i;
    EXPECT_TRUE(harness.output.lines.empty());
}

TEST_F(CObjButtonTest, IndicatorButtonWordByWord)
{
    harness.AddTag(u"V", u"integer", 4, u"20");
    auto indicator = Make(11, 0, 0, 100, 40);
    Set(*indicator, u"Appearance", u"Text", CPropertyValue(u""));
    Set(*indicator, u"Behavior", u"Nr of color states", CPropertyValue(int32_t(2)));
    Set(*indicator, u"Behavior", u"Indicator colors", CPropertyValue(u"ff\u0001ff00\u0001ff0000\u0001"));
    Set(*indicator, u"Data", u"Value tag", CPropertyValue(u"V"));
    const auto words = Compile(*indicator);
    ASSERT_EQ(collected, 7u);   // five states, two of the three colours
    const target::TagReference v = harness.tags.Resolve(u"V");
    const std::vector<uint32_t> expected = {
        0, 0, 11, 0, kNav, kNav, kNav, kNav,
        1,                                                         // "Normal"
        Entry(0), Entry(1), Entry(2), Entry(3), Entry(4), 0,
        0, 0,                                                      // no icon, no text
        kNone, kNone, kNone, kNone,
        2, 0, Entry(5), Entry(6), v.low, v.high,                   // indicator pictures and tag
        0, 6,                                                      // no text
        0, 6,                                                      // no icon
        32, 3, 79, 1, 98, 20, kFirst, 0,                           // indicator: the placeholders meet nothing
        32, 3, 0, 0, 99, 39, kOverlapping, 0,                      // body
    };
    EXPECT_EQ(words, expected);
}

struct EdgeCase {
    const char* name;
    int32_t type;
    gfx::Rect rect;
    std::vector<std::tuple<std::u16string_view, std::u16string_view, CPropertyValue>> settings;
    std::size_t collected;        // entries the collection appended
    uint32_t mode;                // the first class word
    bool icon;                    // icon word non-zero and a bitmap record
    uint32_t indicators;          // the indicator count (type 11)
    uint32_t indicatorKind;       // the indicator's element kind (type 11)
    bool warned;                  // a picture of no size was reported
};

TEST_F(CObjButtonTest, EdgeCases)
{
    vx::test::writePng(folder / "icon.png", 32, 32, 0xFF0000);
    using S = std::tuple<std::u16string_view, std::u16string_view, CPropertyValue>;
    const S withIcon{u"Appearance", u"Icon", CPropertyValue(u"icon.png")};
    const EdgeCase cases[] = {
        {"icon size 0 is no icon", 17, {0, 0, 100, 40},
         {withIcon, S{u"Appearance", u"Icon size [%]", CPropertyValue(int32_t(0))}}, 5, 1, false, 0, 0, false},
        {"an empty icon path is no icon", 17, {0, 0, 100, 40}, {}, 5, 1, false, 0, 0, false},
        {"an icon that does not load is no icon", 17, {0, 0, 100, 40},
         {S{u"Appearance", u"Icon", CPropertyValue(u"missing.png")}}, 5, 1, false, 0, 0, false},
        {"an icon that cannot be made larger than 9 pixels is dropped", 17, {0, 0, 100, 13}, {withIcon}, 5, 1, false,
         0, 0, false},
        {"another button type compiles as normal", 17, {0, 0, 100, 40},
         {S{u"Behavior", u"Button type", CPropertyValue(u"Latch")}}, 5, 1, false, 0, 0, false},
        {"toggle", 17, {0, 0, 100, 40}, {S{u"Behavior", u"Button type", CPropertyValue(u"Toggle")}}, 5, 2, false, 0,
         0, false},
        {"lower than 16 pixels: no indicator pictures, the record stays", 11, {0, 0, 100, 15}, {}, 5, 1, false, 0, 3,
         false},
        {"fewer states than colours", 11, {0, 0, 100, 40},
         {S{u"Behavior", u"Nr of color states", CPropertyValue(int32_t(1))}}, 6, 1, false, 1, 3, false},
        {"states below 1 count 1", 11, {0, 0, 100, 40},
         {S{u"Behavior", u"Nr of color states", CPropertyValue(int32_t(-3))}}, 6, 1, false, 1, 3, false},
        {"more states than colours", 11, {0, 0, 100, 40},
         {S{u"Behavior", u"Nr of color states", CPropertyValue(int32_t(9))}}, 8, 1, false, 3, 3, false},
        // An indicator of factor 0 has no size: no picture is made, its record is a placeholder.
        {"indicator of factor 0", 11, {0, 0, 100, 40},
         {S{u"Appearance", u"Indicator size", CPropertyValue(int32_t(0))}}, 5, 1, false, 0, 6, true},
    };
    for (const EdgeCase& c : cases) {
        SCOPED_TRACE(c.name);
        harness.resources.Begin(32, target::kTargetFlagsDefault);
        harness.output.lines.clear();
        harness.elementRects.clear();
        auto button = Make(c.type, c.rect.left, c.rect.top, c.rect.right, c.rect.bottom);
        Set(*button, u"Appearance", u"Text", CPropertyValue(u""));
        for (const auto& [category, caption, value] : c.settings)
            Set(*button, category, caption, value);
        const auto words = Compile(*button);
        EXPECT_EQ(collected, c.collected);
        ASSERT_GT(words.size(), 21u);
        EXPECT_EQ(words[8], c.mode);
        EXPECT_EQ(words[15] != 0, c.icon);
        std::size_t element = 21;
        if (c.type == 11) {
            EXPECT_EQ(words[21], c.indicators);
            element = 21 + 2 + c.indicators + 2;
        }
        // text placeholder, then the icon record
        EXPECT_EQ(words[element + 1], 6u);
        EXPECT_EQ(words[element + 3], c.icon ? 3u : 6u);
        if (c.type == 11) {
            EXPECT_EQ(words[element + (c.icon ? 11 : 5)], c.indicatorKind);
        }
        EXPECT_EQ(!harness.output.lines.empty(), c.warned);
        if (c.warned && !harness.output.lines.empty()) {
            EXPECT_NE(harness.output.lines[0].text.find(u"Warning in obj"), std::u16string::npos);
        }
    }
}

TEST_F(CObjButtonTest, IndicatorPicturesAreGlowsAndTheBodyHasTheOutline)
{
    gfx::Surface fill(20, 20);
    CObjButton::DrawIndicator(fill, {0, 0, 20, 20}, 0x0000FF, 0, CObjButton::IndicatorSteps::Fill);
    // The gradient's centre is 6 above the ellipse's bottom (19), at x 9.5: nearly full
    // red on both pixels beside it, alike.
    EXPECT_GT(fill.pixel(10, 13) >> 24, 240u);
    EXPECT_EQ(fill.pixel(10, 13), fill.pixel(9, 13));
    EXPECT_EQ(fill.pixel(10, 13) & 0xFFFF, 0u);
    EXPECT_LT(fill.pixel(10, 0) >> 24, 40u);
    EXPECT_EQ(fill.pixel(0, 0), 0u);

    gfx::Surface outline(20, 20);
    CObjButton::DrawIndicator(outline, {0, 0, 20, 20}, 0x0000FF, 0, CObjButton::IndicatorSteps::Outline);
    // The pen is 0xE0E0E0 at alpha 255 × 5 / 16; the inside stays clear.
    EXPECT_EQ(outline.pixel(10, 10), 0u);
    const uint32_t rim = outline.pixel(10, 0);
    EXPECT_GT(rim >> 24, 0u);
    EXPECT_LE(rim >> 24, 79u);

    // The state pictures of an indicator button carry the outline, not the fill.
    auto indicator = Make(11, 0, 0, 100, 40);
    themes.themes[u"Vista-like"]->frame = 0;   // a clear frame shows the outline alone
    const CObjectPicture state = As<CObjButton>(indicator).RenderState(0, PictureAlpha::Premultiplied);
    const gfx::Rect place = As<CObjButton>(indicator).PlaceIndicator();
    EXPECT_EQ(state.Surface().pixel((place.left + place.right) / 2, (place.top + place.bottom) / 2), 0u);
    EXPECT_NE(state.Surface().pixel((place.left + place.right) / 2, place.top), 0u);
}

TEST_F(CObjButtonTest, PreviewDrawsFrameIconAndIndicator)
{
    vx::test::writePng(folder / "icon.png", 32, 32, 0x00FF00);
    auto indicator = Make(11, 0, 0, 100, 40);
    Set(*indicator, u"Appearance", u"Icon", CPropertyValue(u"icon.png"));
    const gfx::Surface preview = indicator->RenderPreview();
    ASSERT_TRUE(preview.isValid());
    EXPECT_EQ(preview.pixel(1, 1), themes.themes[u"Vista-like"]->frame);   // the frame
    EXPECT_EQ(preview.pixel(18, 20), 0xFF00FF00u);                         // the icon at {2, 4, 34, 36}
    // The indicator's centre is lit in the first colour, yellow (0x00FFFF stored).
    const uint32_t lit = preview.pixel(89, 14);
    EXPECT_GT(lit >> 16 & 0xFF, 240u);
    EXPECT_GT(lit >> 8 & 0xFF, 240u);
    EXPECT_LT(lit & 0xFF, 20u);
    EXPECT_EQ(themes.themes[u"Vista-like"]->draws, 1);
    EXPECT_TRUE(indicator->IsWritableTagProperty(u"Button state tag"));
    EXPECT_FALSE(indicator->IsWritableTagProperty(u"Value tag"));
    EXPECT_TRUE(indicator->IsFocusable());
    EXPECT_FALSE(indicator->HasScaling());
}

TEST_F(CObjButtonTest, XmlKeepsTheStyleAndTheProperties)
{
    auto button = Make(17, 10, 10, 90, 50);
    EXPECT_EQ(button->GetStyleName(), u"Vista-like");
    button->OnStyleChanged(u"Aqua");
    Set(*button, u"Appearance", u"Text", CPropertyValue(u"Go"));
    DXMLElement root(u"objects");
    button->WriteXml(root);
    const DXMLElement* element = root.getChild(u"object");
    ASSERT_NE(element, nullptr);
    ASSERT_NE(element->getChild(u"style"), nullptr);
    EXPECT_EQ(element->getChild(u"style")->getText(), u"Aqua");
    EXPECT_EQ(element->getChild(u"type")->getText(), u"button");

    auto read = CEditorObject::CreateObject(17, &page);
    ASSERT_TRUE(read->ReadXml(*element));
    EXPECT_EQ(read->GetStyleName(), u"Aqua");
    EXPECT_EQ(read->FindProperty(u"Appearance", u"Text")->GetValueText(), u"Go");
    EXPECT_EQ(read->GetRect().right, 90);
    EXPECT_EQ(read->GetRoundness(), 100);
}

} // namespace
