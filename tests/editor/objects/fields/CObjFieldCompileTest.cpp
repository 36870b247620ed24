// Each field kind compiled word by word against hand-written words.

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "editor/document/CObjectTypeTable.h"
#include "editor/objects/fields/CObjField.h"
#include "editor/objects/shared/CResourceAlignment.h"
#include "foundation/target/TargetTag.h"
#include "tests/support/editor/ObjectCompileHarness.h"

namespace {

using vx::test::ObjectCompileHarness;

constexpr uint32_t kFont = 0x1230;   // the font entry the collector appended
constexpr uint32_t kNone = 0xFFFFFFFF;
constexpr uint32_t kOpaqueWhite = 0xFFFFFFFF;
// Size 20 points at 96 dots per inch; style: render mode 2, line alignment 1, alignment.
constexpr uint32_t kPixelSize = 27;
constexpr uint32_t styleWord(uint32_t alignment)
{
    return 2u << 12 | 1u << 10 | alignment << 8;
}
// Element flags: visible, no overlap, touchable.
constexpr uint32_t kShown = 8 | 4;
constexpr uint32_t kTouchable = kShown | 16;

std::vector<uint32_t> words(const std::vector<uint8_t>& bytes)
{
    std::vector<uint32_t> out(bytes.size() / 4);
    std::memcpy(out.data(), bytes.data(), out.size() * 4);
    return out;
}

// The text element over (10, 20)-(110, 50) and the frame's placeholder.
std::vector<uint32_t> elements(uint32_t flags, uint32_t alignment)
{
    std::vector<uint32_t> out = {128, 5, 10, 20, 109, 49, flags, 0};
    out.insert(out.end(), 16, 0);   // the face name, left empty
    const std::vector<uint32_t> text = {kFont, kPixelSize, styleWord(alignment), 256, kOpaqueWhite, 0, 0, 0, 0, 6};
    out.insert(out.end(), text.begin(), text.end());
    return out;
}

std::vector<uint32_t> concat(std::vector<uint32_t> a, const std::vector<uint32_t>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct CObjFieldCompile : ::testing::Test {
    CObjFieldCompile()
    {
        harness.AddTag(u"level", u"integer", 4, u"100");
        harness.AddTag(u"label", u"UTF-16LE", 20, u"200");
        harness.scope.page = &page;
        harness.resources.Append(kFont);
    }
    std::unique_ptr<CObjField> field(int32_t type, std::u16string_view tag)
    {
        auto object = CEditorObject::CreateObject(type, &page);
        auto* raw = dynamic_cast<CObjField*>(object.release());
        raw->FindProperty(u"none", u"Name")->SetValue(CPropertyValue(u"field"));
        raw->FindProperty(u"Data", u"Value tag")->SetValue(CPropertyValue(tag));
        raw->SetRect(10, 20, 110, 50);
        return std::unique_ptr<CObjField>(raw);
    }
    std::vector<uint32_t> compile(CObjField& object)
    {
        return words(harness.Write([&](DRIFFFile& file, CObjectCompileContext& context) {
            EXPECT_EQ(object.Compile(file, context), 0);
        }));
    }
    target::TagReference tag(std::u16string_view name) { return harness.tags.Resolve(name); }

    CSelectable page{kPageObjectType};
    ObjectCompileHarness harness;
};

TEST_F(CObjFieldCompile, EditableNumericField)
{
    auto object = field(4, u"level");
    object->FindProperty(u"Appearance", u"Nr of digits")->SetValue(CPropertyValue(u"6"));
    object->FindProperty(u"Appearance", u"Nr of decimal digits")->SetValue(CPropertyValue(u"2"));
    object->FindProperty(u"Appearance", u"Leading zeros")->SetValue(CPropertyValue(u"Show"));
    object->FindProperty(u"Scaling", u"A1")->SetValue(CPropertyValue(u"3"));
    object->FindProperty(u"Scaling", u"A2")->SetValue(CPropertyValue(u"2"));
    object->FindProperty(u"Scaling", u"B")->SetValue(CPropertyValue(u"-4"));
    const target::TagReference level = tag(u"level");
    const std::vector<uint32_t> expected = concat(
        {0, 0, 4, 0, kNone, kNone, kNone, kNone,                              // header: no navigation set
         0, 0x04000402, 0xC0000000, 3, 2, uint32_t(-4), 1, level.low, level.high},
        elements(kTouchable, 2));
    EXPECT_EQ(compile(*object), expected);
    EXPECT_TRUE(harness.output.lines.empty());
}

TEST_F(CObjFieldCompile, NumericField)
{
    auto object = field(3, u"");
    const std::vector<uint32_t> expected =
        concat({0, 0, 3, 0, kNone, kNone, kNone, kNone, 0, 0x04000500, 0, 1, 1, 0, 1, kNone, kNone}, elements(kShown, 2));
    EXPECT_EQ(compile(*object), expected);
}

TEST_F(CObjFieldCompile, TextFields)
{
    const target::TagReference label = tag(u"label");
    auto shown = field(5, u"label");
    EXPECT_EQ(compile(*shown), concat({0, 0, 5, 0, kNone, kNone, kNone, kNone, 0, label.low, label.high},
                                      elements(kShown, 0)));
    harness.resources.Append(kFont);
    harness.elementRects.clear();
    auto editable = field(6, u"label");
    EXPECT_EQ(compile(*editable), concat({0, 0, 6, 0, kNone, kNone, kNone, kNone, 0, label.low, label.high},
                                         elements(kTouchable, 0)));
    EXPECT_TRUE(harness.output.lines.empty());
}

TEST_F(CObjFieldCompile, DateTimeField)
{
    auto object = field(7, u"level");
    object->FindProperty(u"Appearance", u"DTC format")->SetValue(CPropertyValue(u"hh mm (AP) 12 hour"));
    object->FindProperty(u"Appearance", u"Separator")->SetValue(CPropertyValue(u" : x"));
    const target::TagReference level = tag(u"level");
    const uint32_t separator = ' ' | ':' << 8 | ' ' << 16;   // three bytes, then the zero
    EXPECT_EQ(compile(*object), concat({0, 0, 7, 0, kNone, kNone, kNone, kNone, 0, 0x10011, separator, level.low,
                                        level.high},
                                       elements(kShown, 0)));
}

TEST_F(CObjFieldCompile, TextFieldOnANumericTagIsAMismatch)
{
    auto object = field(5, u"level");
    const std::vector<uint32_t> compiled = compile(*object);
    EXPECT_EQ(compiled[9], tag(u"level").low);   // the words are written all the same
    ASSERT_EQ(harness.output.lines.size(), 1u);
    const std::u16string& line = harness.output.lines[0].text;
    EXPECT_NE(line.find(u"Tag type mismatch"), std::u16string::npos);
    EXPECT_NE(line.find(u"(object property level)"), std::u16string::npos);
    // And a numeric field on a text tag.
    harness.output.lines.clear();
    harness.resources.Append(kFont);
    auto numeric = field(3, u"label");
    (void)compile(*numeric);
    EXPECT_EQ(harness.output.lines.size(), 1u);
}

TEST_F(CObjFieldCompile, CompileTakesTheOneFontEntryItsCollectionAdded)
{
    harness.resources.Begin(32, target::kTargetFlagsDefault);
    auto first = field(3, u"");
    auto second = field(7, u"");
    CResourceAlignment alignment(harness.resources);
    const auto bytes = harness.Write([&](DRIFFFile& file, CObjectCompileContext& context) {
        EXPECT_EQ(alignment.Collect(*first, file), 1u);
        EXPECT_EQ(alignment.Collect(*second, file), 1u);
        EXPECT_EQ(alignment.Compile(*first, file, context), 0);
        EXPECT_EQ(alignment.Compile(*second, file, context), 0);
    });
    EXPECT_EQ(alignment.Mismatches(), 0u);
    EXPECT_EQ(harness.resources.Cursor(), 2u);
    EXPECT_FALSE(bytes.empty());
}

} // namespace
