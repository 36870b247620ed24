#include <gtest/gtest.h>

#include "editor/document/CObjectTypeTable.h"
#include "editor/objects/CEditorObject.h"
#include "foundation/target/TargetElement.h"
#include "foundation/target/TargetTag.h"
#include "tests/support/editor/ObjectCompileHarness.h"

namespace {

using target::ElementKind;
using target::ElementRecord;
using vx::test::ObjectCompileHarness;
using vx::test::RecordReader;

std::unique_ptr<CEditorObject> makeObject(int32_t type, CSelectable& page)
{
    auto object = CEditorObject::CreateObject(type, &page);
    object->FindProperty(u"none", u"Name")->SetValue(CPropertyValue(u"obj"));
    return object;
}

void setFormat(CEditorObject& object, std::u16string_view caption, CPropertyValue value)
{
    object.GetFormat().FindProperty(u"Format", caption)->SetValue(std::move(value));
}

struct CEditorObjectCompile : ::testing::Test {
    CSelectable page{kPageObjectType};
    ObjectCompileHarness harness;
};

TEST_F(CEditorObjectCompile, TextElementReadsBackWithTheFormatGroup)
{
    auto button = makeObject(17, page);   // focusable, multi-line text
    setFormat(*button, u"Size", CPropertyValue(int32_t(12)));
    setFormat(*button, u"Bold", CPropertyValue(int32_t(1)));
    setFormat(*button, u"RTL", CPropertyValue(int32_t(1)));
    setFormat(*button, u"Alignment", CPropertyValue(int32_t(2)));
    setFormat(*button, u"Color", CPropertyValue(int32_t(0x0000FF)));   // red, stored order
    button->FindProperty(u"Appearance", u"Transparency")->SetValue(CPropertyValue(int32_t(55)));
    harness.resources.Append(0x1234);   // the font entry the collector appended

    const auto bytes = harness.Write([&](DRIFFFile& file, CObjectCompileContext& context) {
        button->CompileElement(file, ElementKind::Text, {10, 20, 110, 60}, context);
    });
    ASSERT_EQ(bytes.size(), target::elementRecordSize(ElementKind::Text));
    RecordReader reader(bytes);
    const auto record = reader.Next<ElementRecord>();
    const auto words = reader.Next<target::TextElementWords>();
    ASSERT_TRUE(reader.Ok());
    EXPECT_EQ(record.recordSize, target::elementRecordSize(ElementKind::Text));
    EXPECT_EQ(record.kind, uint32_t(ElementKind::Text));
    EXPECT_EQ(record.left, 10);
    EXPECT_EQ(record.top, 20);
    EXPECT_EQ(record.right, 109);
    EXPECT_EQ(record.bottom, 59);
    EXPECT_EQ(record.flags, target::kElementFlagVisible | target::kElementFlagNoOverlap | target::kElementFlagTouchable);
    EXPECT_EQ(record.extra, 0u);
    EXPECT_EQ(words.fontReference, 0x1234u);
    EXPECT_EQ(words.pixelSize, 16u);   // 12 points at 96 dots per inch
    const target::TextStyle style = target::TextStyle::fromWord(words.style);
    EXPECT_TRUE(style.bold);
    EXPECT_FALSE(style.italic);
    EXPECT_TRUE(style.multiLine);
    EXPECT_TRUE(style.rightToLeft);
    EXPECT_EQ(style.alignment, 2u);
    EXPECT_EQ(style.renderMode, target::TextStyle::kRenderModeAntiAliased);
    EXPECT_EQ(words.word256, target::TextElementWords::kWord256);
    EXPECT_EQ(words.color, 0xC8FF0000u);   // alpha 255 - 55, red on top
}

TEST_F(CEditorObjectCompile, FlagsFollowOverlapDepthAndFocusTracking)
{
    auto image = makeObject(1, page);
    harness.resources.Begin(8, target::kTargetFlagsDefault | target::kTargetFlagFocusTracking);
    const auto bytes = harness.Write([&](DRIFFFile& file, CObjectCompileContext& context) {
        image->CompileElement(file, ElementKind::UnscaledBitmap, {0, 0, 10, 10}, context);
        image->CompileElement(file, ElementKind::UnscaledBitmap, {10, 0, 20, 10}, context);   // touches only
        image->CompileElement(file, ElementKind::UnscaledBitmap, {5, 5, 15, 15}, context);    // overlaps both
        context.firstObjectOfWindowPage = true;
        image->CompileElement(file, ElementKind::SolidRect, {100, 100, 110, 110}, context);
    });
    RecordReader reader(bytes);
    const uint32_t base = target::kElementFlagVisible | target::kElementFlagGreyscale;
    EXPECT_EQ(reader.Next<ElementRecord>().flags, base | target::kElementFlagNoOverlap);
    EXPECT_EQ(reader.Next<ElementRecord>().flags, base | target::kElementFlagNoOverlap);
    EXPECT_EQ(reader.Next<ElementRecord>().flags, base);
    EXPECT_EQ(reader.Next<ElementRecord>().flags, base | target::kElementFlagNoOverlap | target::kElementFlagTouchable
                                                      | target::kElementFlagFocusTracking);
    EXPECT_TRUE(reader.Ok());
    EXPECT_EQ(reader.Position(), bytes.size());
    EXPECT_EQ(harness.elementRects.size(), 4u);
}

TEST_F(CEditorObjectCompile, PlaceholderIsTwoWordsAndScrollingKindsAddTheirWords)
{
    auto window = makeObject(22, page);
    window->FindProperty(u"Behavior", u"Scrolling type")->SetValue(CPropertyValue(u"Scrolling"));
    auto list = makeObject(20, page);
    const auto bytes = harness.Write([&](DRIFFFile& file, CObjectCompileContext& context) {
        window->CompileElement(file, ElementKind::Placeholder, {0, 0, 5, 5}, context);
        window->CompileElement(file, ElementKind::ScrollingBitmap, {0, 0, 50, 50}, context);
        list->CompileElement(file, ElementKind::ScrollingList, {0, 10, 100, 110}, context);
    });
    RecordReader reader(bytes);
    const auto placeholder = reader.Next<target::PlaceholderRecord>();
    EXPECT_EQ(placeholder.recordSize, 0u);
    EXPECT_EQ(placeholder.kind, uint32_t(ElementKind::Placeholder));
    const auto scrolling = reader.Next<ElementRecord>();
    EXPECT_EQ(scrolling.recordSize, target::elementRecordSize(ElementKind::ScrollingBitmap));
    EXPECT_EQ(reader.Next<target::ScrollingWords>().mode, target::ScrollingWords::kModeScrolling);
    const auto listRecord = reader.Next<ElementRecord>();
    EXPECT_EQ(listRecord.kind, uint32_t(ElementKind::ScrollingList));
    reader.Next<target::ScrollingWords>();
    const auto listWords = reader.Next<target::ScrollingListWords>();
    EXPECT_EQ(listWords.maximumItems, 10u);
    EXPECT_EQ(listWords.firstItemOffset, -1);   // "On touch", the first choice
    EXPECT_EQ(listWords.slowDown, 1u);          // "Slow down", the first choice
    EXPECT_TRUE(reader.Ok());
    EXPECT_EQ(reader.Position(), bytes.size());
}

TEST_F(CEditorObjectCompile, TagWordsReadBackAndATypeMismatchIsReported)
{
    harness.AddTag(u"level", u"integer", 4, u"10");
    harness.AddTag(u"label", u"UTF-8", 16, u"");
    auto meter = makeObject(14, page);
    harness.scope.page = &page;
    const auto compileWith = [&](std::u16string_view tag) {
        meter->FindProperty(u"Data", u"Value tag")->SetValue(CPropertyValue(tag));
        return harness.Write([&](DRIFFFile& file, CObjectCompileContext& context) {
            meter->CompileTagProperty(file, u"Value tag", context);
        });
    };
    RecordReader numeric(compileWith(u"level"));
    EXPECT_EQ(numeric.Next<target::TagReference>(), harness.tags.Resolve(u"level"));
    EXPECT_TRUE(harness.output.lines.empty());

    RecordReader text(compileWith(u"label"));
    EXPECT_EQ(text.Next<target::TagReference>(), harness.tags.Resolve(u"label"));
    ASSERT_EQ(harness.output.lines.size(), 1u);
    const std::u16string& line = harness.output.lines[0].text;
    EXPECT_NE(line.find(u"Tag type mismatch"), std::u16string::npos);
    EXPECT_NE(line.find(u"(object property label)"), std::u16string::npos);

    RecordReader none(compileWith(u""));
    EXPECT_TRUE(none.Next<target::TagReference>().isNone());
    RecordReader unknown(compileWith(u"ghost"));
    EXPECT_TRUE(unknown.Next<target::TagReference>().isNone());
    EXPECT_EQ(harness.output.lines.size(), 1u);
}

TEST(CEditorObjectTags, MissingTagsAreCreatedOnceAndKnownOnesLeft)
{
    CSelectable page(kPageObjectType);
    CTagsModel tags;
    auto meter = CEditorObject::CreateObject(14, &page);
    meter->FindProperty(u"Data", u"Value tag")->SetValue(CPropertyValue(u"speed"));
    EXPECT_EQ(meter->CreateMissingTags(tags), 1);
    EXPECT_TRUE(tags.HasTag(u"speed"));
    EXPECT_EQ(meter->CreateMissingTags(tags), 0);
    EXPECT_EQ(tags.RowCount(), 1);
    meter->FindProperty(u"Data", u"Value tag")->SetValue(CPropertyValue(u"sysSeconds"));
    EXPECT_EQ(meter->CreateMissingTags(tags), 0);
}

} // namespace
