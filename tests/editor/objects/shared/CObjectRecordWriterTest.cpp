#include <gtest/gtest.h>

#include "editor/document/CObjectTypeTable.h"
#include "editor/document/CPropertyBase.h"
#include "editor/objects/CEditorObject.h"
#include "editor/objects/shared/CObjectRecordWriter.h"
#include "foundation/target/TargetPage.h"
#include "tests/support/editor/ObjectCompileHarness.h"

namespace {

using target::ObjectRecordHeader;
using target::WidgetType;
using vx::test::ObjectCompileHarness;
using vx::test::RecordReader;

struct CObjectRecordWriterTest : ::testing::Test {
    CSelectable page{kPageObjectType};
    ObjectCompileHarness harness;
};

TEST_F(CObjectRecordWriterTest, HeaderTakesTheTypeTheClassChoosesAndNoNavigationWithoutFocus)
{
    auto text = CEditorObject::CreateObject(2, &page);
    const auto bytes = harness.Write([&](DRIFFFile& file, CObjectCompileContext& context) {
        CObjectRecordWriter::WriteHeader(file, *text, WidgetType::MessageField, context);
    });
    RecordReader reader(bytes);
    const auto header = reader.Next<ObjectRecordHeader>();
    ASSERT_TRUE(reader.Ok());
    EXPECT_EQ(bytes.size(), ObjectRecordHeader::kSize);
    EXPECT_EQ(header.recordSize, 0u);
    EXPECT_EQ(header.actionBlockOffset, 0u);
    EXPECT_EQ(header.type, uint32_t(WidgetType::MessageField));
    EXPECT_EQ(header.left, -1);
    EXPECT_EQ(header.down, -1);
}

TEST_F(CObjectRecordWriterTest, FocusableHeaderNamesItsNeighboursByTargetIndex)
{
    auto field = CEditorObject::CreateObject(4, &page);   // editable numeric field: focusable
    ASSERT_TRUE(field->IsFocusable());
    field->FindProperty(u"Navigation", u"Object left")->SetValue(CPropertyValue(u"west"));
    field->FindProperty(u"Navigation", u"Object down")->SetValue(CPropertyValue(u"gone"));
    harness.scope.objects[u"west"] = 3;
    const auto bytes = harness.Write([&](DRIFFFile& file, CObjectCompileContext& context) {
        CObjectRecordWriter::WriteHeader(file, *field, WidgetType::EditableNumericField, context);
    });
    RecordReader reader(bytes);
    const auto header = reader.Next<ObjectRecordHeader>();
    EXPECT_EQ(header.left, 3);
    EXPECT_EQ(header.up, -1);
    EXPECT_EQ(header.down, -1);   // names no object
}

TEST_F(CObjectRecordWriterTest, EmptyRecordNamesNoWidget)
{
    const auto bytes = harness.Write([&](DRIFFFile& file, CObjectCompileContext&) {
        CObjectRecordWriter::WriteEmptyRecord(file);
    });
    ASSERT_EQ(bytes.size(), ObjectRecordHeader::kSize);
    const auto header = RecordReader(bytes).Next<ObjectRecordHeader>();
    EXPECT_EQ(header.type, CObjectRecordWriter::kNoWidget);
    EXPECT_EQ(header.left, -1);
    EXPECT_EQ(header.right, -1);
}

TEST_F(CObjectRecordWriterTest, ScalingTripleWithEmptyValuesZero)
{
    auto field = CEditorObject::CreateObject(3, &page);
    field->FindProperty(u"Scaling", u"A1")->SetValue(CPropertyValue(int32_t(-7)));
    field->FindProperty(u"Scaling", u"A2")->SetValue(CPropertyValue(u""));
    field->FindProperty(u"Scaling", u"B")->SetValue(CPropertyValue(u"12"));
    const ScalingTriple scaling = CObjectRecordWriter::ReadScaling(*field);
    EXPECT_EQ(scaling.multiplier, -7);
    EXPECT_EQ(scaling.divisor, 0);
    EXPECT_EQ(scaling.offset, 12);
    target::ScaleWords<0> words;
    scaling.ApplyTo(words);
    EXPECT_EQ(words.multiplier, -7);
    EXPECT_EQ(words.offset, 12);
}

TEST(PackedHalves, EachHalfIsMaskedBeforeTheyAreJoined)
{
    EXPECT_EQ(target::packHalves(-1, 0), 0x0000FFFFu);
    EXPECT_EQ(target::packHalves(0x12345, 2), 0x00022345u);
    EXPECT_EQ(target::lowHalf(target::packHalves(-300, 7)), -300);
    EXPECT_EQ(target::highHalf(target::packHalves(-300, 7)), 7);
}

} // namespace

namespace {

TEST(CObjectRecordWriterTag, AStringTagOnANumericPropertyIsReportedAndStillResolved)
{
    CSelectable page{kPageObjectType};
    ObjectCompileHarness harness;
    harness.AddTag(u"Label", u"UTF-8", 20, u"0x40");
    auto message = CEditorObject::CreateObject(8, &page);
    message->FindProperty(u"none", u"Name")->SetValue(CPropertyValue(u"msg"));
    message->FindProperty(u"Data", u"Value tag")->SetValue(CPropertyValue(u"Label"));
    target::TagReference tag;
    harness.Write([&](DRIFFFile&, CObjectCompileContext& context) {
        tag = CObjectRecordWriter::ResolveTag(*message, u"Value tag", context);
    });
    EXPECT_FALSE(tag.isNone());
    EXPECT_TRUE(tag.isString());
    ASSERT_EQ(harness.Lines().size(), 1u);
    EXPECT_NE(harness.Lines()[0].find(u"Tag type mismatch (object property Label)"), std::u16string::npos);
}

} // namespace
