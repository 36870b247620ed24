#include <gtest/gtest.h>

#include <string>

#include "editor/document/CObjectTypeTable.h"
#include "editor/document/CPropertyBase.h"
#include "editor/objects/CObjectFonts.h"
#include "editor/objects/text/CObjText.h"
#include "foundation/target/TargetPage.h"
#include "foundation/target/TargetTextWords.h"
#include "foundation/text/DRendererBitmap.h"
#include "foundation/xml/DXMLElement.h"
#include "tests/support/editor/ObjectCompileHarness.h"

namespace {

using target::ObjectRecordHeader;
using target::WidgetType;
using vx::test::ObjectCompileHarness;

constexpr int32_t kText = 2;
constexpr int32_t kMessage = 8;

std::u16string list(std::u16string_view text)
{
    std::u16string out(text);
    for (char16_t& unit : out)
        if (unit == u'|')
            unit = u'\u0001';
    return out;
}

struct CObjTextTest : ::testing::Test {
    CObjTextTest()
    {
        renderer.textRenderer().enumFonts();
        CObjectFonts::Use(&renderer);
    }
    ~CObjTextTest() override { CObjectFonts::Use(nullptr); }

    std::unique_ptr<CEditorObject> make(int32_t type, int32_t width = 60, int32_t height = 20)
    {
        auto object = CEditorObject::CreateObject(type, &page);
        object->FindProperty(u"none", u"Name")->SetValue(CPropertyValue(u"txt"));
        object->GetFormat().FindProperty(u"Format", u"Text")->SetValue(CPropertyValue(u"DejaVu Sans"));
        object->SetMinimumSize(-1, -1);   // a document may hold any size
        object->SetRect(10, 20, 10 + width, 20 + height);
        return object;
    }
    static void set(CEditorObject& object, std::u16string_view category, std::u16string_view caption,
                    CPropertyValue value)
    {
        object.FindProperty(category, caption)->SetValue(std::move(value));
    }
    std::vector<uint32_t> compile(CEditorObject& object) { return harness.CompileObject(object); }

    foundation::DRendererBitmap renderer;
    CSelectable page{kPageObjectType};
    ObjectCompileHarness harness;
};

struct CountCase {
    const char* name;
    int32_t type;
    std::u16string_view text;       // "Text" (2) or "Text messages" (8), "|" for the separator
    std::u16string_view count;      // "Nr of color states" or "Nr of text messages"
    std::u16string_view colors;     // "Extra text colors" (2)
    int32_t pictures;
    uint32_t compiledType;          // 0: the empty record
};

TEST_F(CObjTextTest, PictureCountChoosesTheCompiledType)
{
    const CountCase cases[] = {
        {"two states of three colours", kText, u"Hi", u"2", u"ff|ff00|ff0000|", 3, 8},
        {"no states", kText, u"Hi", u"0", u"ff|ff00|", 1, 2},
        {"empty states", kText, u"Hi", u"", u"ff|", 1, 2},
        {"more states than colours", kText, u"Hi", u"9", u"ff|", 2, 8},
        {"empty text", kText, u"", u"2", u"ff|ff00|", 0, 0},
        {"one message", kMessage, u"a|b|c|", u"1", u"", 1, 2},
        {"default count", kMessage, u"a|b|c|", u"3", u"", 3, 8},
        {"count not above 0", kMessage, u"a|b|", u"-4", u"", 1, 2},
        {"empty count", kMessage, u"a|b|", u"", u"", 1, 2},
        {"no closing separator", kMessage, u"a|b|c", u"3", u"", 2, 8},
        {"empty message kept", kMessage, u"a||c|", u"3", u"", 3, 8},
        {"no messages", kMessage, u"", u"3", u"", 0, 0},
    };
    for (const CountCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto object = make(c.type);
        if (c.type == kText) {
            set(*object, u"Appearance", u"Text", CPropertyValue(c.text));
            set(*object, u"Behavior", u"Nr of color states", CPropertyValue(c.count));
            set(*object, u"Behavior", u"Extra text colors", CPropertyValue(list(c.colors)));
        } else {
            set(*object, u"Behavior", u"Text messages", CPropertyValue(list(c.text)));
            set(*object, u"Behavior", u"Nr of text messages", CPropertyValue(c.count));
        }
        harness.resources.Begin(32, target::kTargetFlagsDefault);
        const std::vector<uint32_t> words = compile(*object);
        EXPECT_EQ(static_cast<CObjText&>(*object).PictureCount(), c.pictures);
        EXPECT_EQ(harness.resources.Entries().size(), std::size_t(c.pictures));
        EXPECT_EQ(harness.resources.Cursor(), std::size_t(c.pictures));   // compile takes what collection added
        ASSERT_GE(words.size(), ObjectRecordHeader::kSize / 4);
        EXPECT_EQ(words[ObjectRecordHeader::kTypeOffset / 4], c.compiledType);
        if (c.compiledType == 0) {
            EXPECT_EQ(words.size(), ObjectRecordHeader::kSize / 4);   // a header and nothing of its own
        }
        if (c.compiledType == 8) {
            EXPECT_EQ(words[8 + target::MessageFieldHead::kCountOffset / 4], uint32_t(c.pictures));
        }
    }
}

TEST_F(CObjTextTest, MessageFieldCompilesWordByWord)
{
    harness.AddTag(u"level", u"integer", 4, u"10");
    auto message = make(kMessage, 60, 20);
    set(*message, u"Data", u"Value tag", CPropertyValue(u"level"));
    const std::vector<uint32_t> words = compile(*message);
    const auto pictures = harness.resources.Entries();
    ASSERT_EQ(pictures.size(), 3u);
    CActionCompileContext actions = harness.Context();
    const target::TagReference level = CActionCompiler(actions).ResolveTagId(u"level");
    ASSERT_FALSE(level.isNone());
    const uint32_t none = 0xFFFFFFFF;
    const std::vector<uint32_t> expected = {
        0, 0, uint32_t(WidgetType::MessageField), 0, none, none, none, none,   // header, patched by the page
        0, 3, pictures[0], pictures[1], pictures[2],                           // no frame, three messages
        level.low, level.high,                                                 // the value tag
        32, 3, 10, 20, 69, 39, 12, 0,                                          // the picture over the object
        0, 6,                                                                  // in the frame's place
    };
    EXPECT_EQ(words, expected);
}

TEST_F(CObjTextTest, OneMessageCompilesAsAStaticTextWithoutTag)
{
    auto message = make(kMessage, 30, 10);
    set(*message, u"Behavior", u"Nr of text messages", CPropertyValue(int32_t(1)));
    const std::vector<uint32_t> words = compile(*message);
    const std::vector<uint32_t> expected = {
        0, 0, uint32_t(WidgetType::StaticText), 0, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF,
        0, harness.resources.Entries()[0],
        32, 3, 10, 20, 39, 29, 12, 0,
        0, 6,
    };
    EXPECT_EQ(words, expected);
}

TEST_F(CObjTextTest, ColourPicturesShowTheirColour)
{
    auto text = make(kText, 80, 30);
    set(*text, u"Appearance", u"Text", CPropertyValue(u"HH"));
    set(*text, u"Behavior", u"Nr of color states", CPropertyValue(int32_t(2)));
    set(*text, u"Behavior", u"Extra text colors", CPropertyValue(list(u"ff|ff0000|")));
    auto& object = static_cast<CObjText&>(*text);
    const auto texts = object.PictureTexts();
    ASSERT_EQ(texts.size(), 3u);
    const uint32_t expected[] = {0xFFFFFFFF, 0xFFFF0000, 0xFF0000FF};   // font colour white, then red, then blue
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const gfx::Surface picture = object.RenderText(texts[i]);
        ASSERT_TRUE(picture.isValid());
        EXPECT_EQ(picture.width(), 80);
        bool found = false;
        for (int32_t y = 0; y < picture.height() && !found; ++y)
            for (int32_t x = 0; x < picture.width() && !found; ++x)
                found = picture.pixel(x, y) == expected[i];
        EXPECT_TRUE(found) << i;
        EXPECT_EQ(picture.pixel(0, 0), 0u);   // cleared around the text
    }
}

TEST_F(CObjTextTest, AnObjectOfNoSizeMakesNoPictureAndSaysSo)
{
    auto text = make(kText, 0, 20);
    set(*text, u"Appearance", u"Text", CPropertyValue(u"Hi"));
    const std::vector<uint32_t> words = compile(*text);
    EXPECT_TRUE(harness.resources.Entries().empty());
    ASSERT_EQ(words.size(), ObjectRecordHeader::kSize / 4);
    EXPECT_EQ(words[2], 0u);
    ASSERT_EQ(harness.Lines().size(), 1u);
    EXPECT_NE(harness.Lines()[0].find(u"Warning in txt object: Picture of no size left out (object size 0 x 20)"),
              std::u16string::npos);
}

TEST_F(CObjTextTest, XmlKeepsPropertiesFontAndPosition)
{
    auto text = make(kText, 40, 16);
    set(*text, u"Appearance", u"Text", CPropertyValue(u"two\nlines"));
    text->GetFormat().FindProperty(u"Format", u"Size")->SetValue(CPropertyValue(int32_t(11)));
    DXMLElement root(u"page");
    text->WriteXml(root);
    const DXMLElement* element = root.getChild(u"object");
    ASSERT_NE(element, nullptr);
    EXPECT_EQ(element->getChild(u"type")->getText(), u"text");
    EXPECT_EQ(element->getChild(u"fontSize")->getText(), u"11");
    EXPECT_EQ(element->getChild(u"posRight")->getText(), u"50");

    auto copy = CEditorObject::CreateObject(kText, &page);
    ASSERT_TRUE(copy->ReadXml(*element));
    EXPECT_EQ(copy->FindProperty(u"Appearance", u"Text")->GetValueText(), u"two\nlines");
    EXPECT_EQ(copy->GetFormat().FindProperty(u"Format", u"Size")->GetInt(), 11);
    EXPECT_EQ(copy->GetRect().right, 50);
}

TEST_F(CObjTextTest, AnswersOfTheClass)
{
    auto text = make(kText);
    EXPECT_FALSE(text->CanDeferRender());
    EXPECT_TRUE(text->HasMultiLineText());
    EXPECT_FALSE(text->IsFocusable());
    EXPECT_FALSE(text->HasScaling());
    EXPECT_EQ(text->FindProperty(u"Appearance", u"Line alignment")->GetListValue(), u"Center");
    EXPECT_EQ(make(kMessage)->FindProperty(u"Appearance", u"Line alignment")->GetListValue(), u"Top");
}

} // namespace
