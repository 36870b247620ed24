#include <gtest/gtest.h>

#include "editor/document/CObjectTypeTable.h"
#include "editor/objects/CObjectFonts.h"
#include "editor/objects/fields/CDateTimeFormats.h"
#include "editor/objects/fields/CObjField.h"
#include "foundation/target/TargetFieldText.h"
#include "foundation/target/TargetFieldWords.h"
#include "foundation/text/DRendererBitmap.h"
#include "foundation/xml/DXMLElement.h"

namespace {

using Words = target::NumericFieldWords;

std::unique_ptr<CObjField> makeField(int32_t type, CSelectable& page)
{
    auto object = CEditorObject::CreateObject(type, &page);
    auto* field = dynamic_cast<CObjField*>(object.get());
    EXPECT_NE(field, nullptr);
    object.release();
    return std::unique_ptr<CObjField>(field);
}

void set(CSelectable& object, std::u16string_view category, std::u16string_view caption, std::u16string_view value)
{
    CPropertyBase* property = object.FindProperty(category, caption);
    ASSERT_NE(property, nullptr) << std::string(caption.begin(), caption.end());
    property->SetValue(CPropertyValue(value));
}

struct CObjFieldTest : ::testing::Test {
    CSelectable page{kPageObjectType};
};

TEST_F(CObjFieldTest, EachTypeHasItsGroupsAndTextDefaults)
{
    struct Case {
        int32_t type;
        bool digits, dateTime, scaling, navigation, stringTag;
        int32_t alignment;
    };
    const Case cases[] = {
        {3, true, false, true, false, false, 2},  {4, true, false, true, true, false, 2},
        {5, false, false, false, false, true, 0}, {6, false, false, false, true, true, 0},
        {7, false, true, false, false, false, 0},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.type);
        auto field = makeField(test.type, page);
        EXPECT_EQ(field->FindProperty(u"Appearance", u"Nr of digits") != nullptr, test.digits);
        EXPECT_EQ(field->FindProperty(u"Appearance", u"DTC format") != nullptr, test.dateTime);
        EXPECT_EQ(field->GetProperties().FindCategory(u"Scaling") != nullptr, test.scaling);
        EXPECT_EQ(field->GetProperties().FindCategory(u"Navigation") != nullptr, test.navigation);
        EXPECT_EQ(field->IsStringTagProperty(u"Value tag"), test.stringTag);
        EXPECT_NE(field->FindProperty(u"Data", u"Value tag"), nullptr);
        EXPECT_NE(field->FindProperty(u"Appearance", u"Transparency"), nullptr);
        EXPECT_EQ(field->GetFormat().FindProperty(u"Format", u"Size")->GetInt(), 20);
        EXPECT_EQ(field->GetFormat().FindProperty(u"Format", u"Alignment")->GetInt(), test.alignment);
        EXPECT_FALSE(field->CanDeferRender());
        EXPECT_FALSE(field->HasMultiLineText());
    }
    auto clock = makeField(7, page);
    EXPECT_EQ(clock->FindProperty(u"Appearance", u"DTC format")->GetValueText(), u"d m yy");
    EXPECT_EQ(clock->FindProperty(u"Appearance", u"DTC format")->GetOptionsText(), u"<dtc>");
    EXPECT_EQ(clock->FindProperty(u"Appearance", u"Separator")->GetValueText(), u":");
}

TEST_F(CObjFieldTest, NumericSampleAndFormatWordsFollowTheDigits)
{
    struct Case {
        const char16_t* digits;
        const char16_t* decimals;
        const char16_t* zeros;
        const char16_t* sample;
        uint32_t format;
        uint32_t flags;
    };
    const Case cases[] = {
        {u"5", u"0", u"Hide", u"987", 0x04000500, 0},
        {u"5", u"0", u"Show", u"00987", 0x04000500, Words::kFlagLeadingZeros},
        {u"5", u"2", u"Hide", u"9.87", 0x04000302, Words::kFlagDecimals},
        {u"5", u"4", u"Hide", u"0.0987", 0x04000104, Words::kFlagDecimals},
        {u"2", u"0", u"Hide", u"87", 0x04000200, 0},
        // More decimals than digits: no negative count before the point.
        {u"2", u"4", u"Hide", u".0987", 0x04000004, Words::kFlagDecimals},
        // Empty digits: nothing to show unless decimals are set.
        {u"", u"", u"Hide", u"", 0x04000000, 0},
        {u"", u"2", u"Hide", u".87", 0x04000002, Words::kFlagDecimals},
        {u"-3", u"-1", u"Show", u"", 0x04000000, Words::kFlagLeadingZeros},
        // A count beyond a byte is cut to 255, which the panel shows at its widest 32.
        {u"100000", u"0", u"Show", u"00000000000000000000000000000987", 0x0400FF00, Words::kFlagLeadingZeros},
        {u"9999999999", u"300", u"Hide", u"", 0x0400FFFF, Words::kFlagDecimals},
    };
    auto field = makeField(3, page);
    for (const Case& test : cases) {
        SCOPED_TRACE(int(&test - cases));
        set(*field, u"Appearance", u"Nr of digits", test.digits);
        set(*field, u"Appearance", u"Nr of decimal digits", test.decimals);
        set(*field, u"Appearance", u"Leading zeros", test.zeros);
        const Words words = field->GetNumericWords();
        EXPECT_EQ(words.format, test.format);
        EXPECT_EQ(words.flags, test.flags);
        if (test.decimals == std::u16string_view(u"300"))
            EXPECT_EQ(field->GetSampleText().size(), target::kFieldNumberMaxWidth);
        else
            EXPECT_EQ(field->GetSampleText(), test.sample);
    }
}

TEST_F(CObjFieldTest, ScalingAndAccessWords)
{
    auto field = makeField(4, page);
    Words words = field->GetNumericWords();
    EXPECT_EQ(words.multiplier, 1);
    EXPECT_EQ(words.divisor, 1);
    EXPECT_EQ(words.offset, 0);
    EXPECT_EQ(words.access, Words::kAccessRead);
    set(*field, u"Scaling", u"A1", u"-7");
    set(*field, u"Scaling", u"A2", u"");
    set(*field, u"Scaling", u"B", u"x");
    words = field->GetNumericWords();
    EXPECT_EQ(words.multiplier, -7);
    EXPECT_EQ(words.divisor, 0);   // empty reads 0
    EXPECT_EQ(words.offset, 0);    // unreadable reads 0
    EXPECT_EQ(words.frameImage, 0u);
}

TEST_F(CObjFieldTest, FormatCodesComeFromTheTable)
{
    ASSERT_EQ(CDateTimeFormats::Rows().size(), 30u);
    EXPECT_EQ(CDateTimeFormats::CodeOf(u"d m yy"), 0u);
    EXPECT_EQ(CDateTimeFormats::CodeOf(u"yyyy mm dd"), 0x23u);
    EXPECT_EQ(CDateTimeFormats::CodeOf(u"h m s (AP) 12 hour"), 0x10017u);
    EXPECT_EQ(CDateTimeFormats::CodeOf(u"h m"), 0x20005u);
    EXPECT_EQ(CDateTimeFormats::CodeOf(u""), CDateTimeFormats::kNoFormat);
    EXPECT_EQ(CDateTimeFormats::CodeOf(u"D M YY"), CDateTimeFormats::kNoFormat);
    // Every code the editor writes is one the panel formats.
    for (const CDateTimeFormat& row : CDateTimeFormats::Rows())
        EXPECT_NE(target::findDateTimePattern(row.code), nullptr) << row.code;

    auto field = makeField(7, page);
    EXPECT_EQ(field->GetDateTimeWords().formatCode, 0u);
    set(*field, u"Appearance", u"DTC format", u"hh mm ss 24 hour");
    EXPECT_EQ(field->GetDateTimeWords().formatCode, 0x10001u);
    set(*field, u"Appearance", u"DTC format", u"");
    EXPECT_EQ(field->GetDateTimeWords().formatCode, CDateTimeFormats::kNoFormat);
}

TEST_F(CObjFieldTest, SeparatorKeepsThreeBytesAndAZero)
{
    struct Case {
        const char16_t* text;
        std::array<uint8_t, 4> bytes;
    };
    const Case cases[] = {
        {u":", {':', 0, 0, 0}},
        {u"", {0, 0, 0, 0}},
        {u" : ", {' ', ':', ' ', 0}},
        {u"abcde", {'a', 'b', 'c', 0}},
        {u"\u20AC-", {0x80, '-', 0, 0}},   // the euro sign in the Windows code page
    };
    auto field = makeField(7, page);
    for (const Case& test : cases) {
        SCOPED_TRACE(int(&test - cases));
        set(*field, u"Appearance", u"Separator", test.text);
        EXPECT_EQ(field->GetDateTimeWords().separator.bytes, test.bytes);
    }
}

std::tm localTime(int hour, int minute, int second)
{
    std::tm time{};
    time.tm_year = 2024 - 1900;
    time.tm_mon = 2;
    time.tm_mday = 7;
    time.tm_hour = hour;
    time.tm_min = minute;
    time.tm_sec = second;
    return time;
}

TEST_F(CObjFieldTest, DateTimeSampleShowsWhatThePanelShows)
{
    struct Case {
        const char16_t* format;
        const char16_t* separator;
        std::tm time;
        const char16_t* sample;
    };
    const Case cases[] = {
        {u"d m yy", u"/", localTime(9, 0, 0), u"7/3/24"},
        {u"dd mm yyyy", u".", localTime(9, 0, 0), u"07.03.2024"},
        {u"mm dd yy", u"-", localTime(9, 0, 0), u"03-07-24"},
        {u"yyyy m d", u"", localTime(9, 0, 0), u"202437"},
        {u"hh mm ss 24 hour", u":", localTime(13, 5, 9), u"13:05:09"},
        {u"h m 24 hour", u":", localTime(13, 5, 9), u"13:5"},
        // The 12-hour clock runs 12, 1 ... 11, and "pm" starts at noon.
        {u"hh mm (AP) 12 hour", u":", localTime(13, 5, 9), u"01:05 pm"},
        {u"hh mm (AP) 12 hour", u":", localTime(12, 30, 0), u"12:30 pm"},
        {u"hh mm (AP) 12 hour", u":", localTime(0, 15, 0), u"12:15 am"},
        {u"hh mm (AP) 12 hour", u":", localTime(11, 59, 0), u"11:59 am"},
        {u"hh mm 12 hour", u":", localTime(12, 0, 0), u"12:00"},
        {u"h m s (AP) 12 hour", u".", localTime(23, 5, 9), u"11.5.9 pm"},
        // Clocks show the fixed sample.
        {u"hh mm ss", u":", localTime(1, 2, 3), u"12:34:56"},
        {u"hh mm ss ss", u":", localTime(1, 2, 3), u"12:34:56:78"},
        {u"h m", u"h", localTime(1, 2, 3), u"12h34"},
        // The separator as compiled: three bytes at most.
        {u"hh mm 24 hour", u"abcde", localTime(8, 7, 0), u"08abc07"},
        {u"", u":", localTime(8, 7, 0), u""},
    };
    auto field = makeField(7, page);
    for (const Case& test : cases) {
        SCOPED_TRACE(int(&test - cases));
        set(*field, u"Appearance", u"DTC format", test.format);
        set(*field, u"Appearance", u"Separator", test.separator);
        EXPECT_EQ(field->GetDateTimeSample(test.time), test.sample);
    }
    set(*field, u"Appearance", u"DTC format", u"d m yy");
    EXPECT_EQ(field->GetDateTimeSample(std::nullopt), CObjField::kNoTimeText);
    set(*field, u"Appearance", u"DTC format", u"hh mm ss");
    EXPECT_EQ(field->GetDateTimeSample(std::nullopt), u"12:34:56");   // a clock needs no time
}

TEST_F(CObjFieldTest, TextFieldsShowTheirSampleText)
{
    EXPECT_EQ(makeField(5, page)->GetSampleText(), u"Dynamic text");
    EXPECT_EQ(makeField(6, page)->GetSampleText(), u"Dynamic text");
}

TEST_F(CObjFieldTest, XmlKeepsPropertiesFontAndPositionInThatOrder)
{
    auto field = makeField(7, page);
    set(*field, u"Appearance", u"DTC format", u"hh mm ss 24 hour");
    set(*field, u"Appearance", u"Separator", u".");
    set(*field, u"Data", u"Value tag", u"clock");
    field->GetFormat().FindProperty(u"Format", u"Size")->SetValue(CPropertyValue(u"14"));
    field->SetRect(10, 20, 110, 50);
    DXMLElement root(u"objects");
    field->WriteXml(root);
    const DXMLElement* element = root.getChild(u"object");
    ASSERT_NE(element, nullptr);
    std::vector<std::u16string> names;
    for (const auto& child : element->children())
        names.push_back(child->name());
    ASSERT_FALSE(names.empty());
    EXPECT_EQ(names.front(), u"type");
    const auto at = [&](std::u16string_view name) { return std::find(names.begin(), names.end(), name) - names.begin(); };
    EXPECT_LT(at(u"format"), at(u"fontFamily"));
    EXPECT_LT(at(u"fontRTL"), at(u"posGroup"));
    EXPECT_EQ(at(u"posLock"), std::ptrdiff_t(names.size()) - 1);
    EXPECT_EQ(element->getChild(u"type")->getText(), u"dateTimeField");

    auto read = makeField(7, page);
    ASSERT_TRUE(read->ReadXml(*element));
    EXPECT_EQ(read->FindProperty(u"Appearance", u"DTC format")->GetValueText(), u"hh mm ss 24 hour");
    EXPECT_EQ(read->FindProperty(u"Appearance", u"Separator")->GetValueText(), u".");
    EXPECT_EQ(read->FindProperty(u"Data", u"Value tag")->GetValueText(), u"clock");
    EXPECT_EQ(read->GetFormat().FindProperty(u"Format", u"Size")->GetInt(), 14);
    EXPECT_EQ(read->GetRect().left, 10);
    EXPECT_EQ(read->GetRect().bottom, 50);
}

struct CObjFieldPreview : CObjFieldTest {
    void SetUp() override
    {
        renderer.textRenderer().enumFonts();
        CObjectFonts::Use(&renderer);
    }
    void TearDown() override { CObjectFonts::Use(nullptr); }
    foundation::DRendererBitmap renderer;
};

TEST_F(CObjFieldPreview, PreviewIsTheSampleInsideAHatchedFrame)
{
    auto field = makeField(3, page);
    field->GetFormat().FindProperty(u"Format", u"Text")->SetValue(CPropertyValue(u"DejaVu Sans"));
    field->SetRect(0, 0, 80, 30);
    const gfx::Surface picture = field->RenderPreview();
    ASSERT_TRUE(picture.isValid());
    ASSERT_EQ(picture.width(), 80);
    ASSERT_EQ(picture.height(), 30);
    // The frame runs round the edges, half-transparent white and black.
    int frame = 0;
    for (int32_t x = 0; x < 80; ++x)
        for (const int32_t y : {0, 29})
            frame += (picture.pixel(x, y) >> 24) == 0x80;
    EXPECT_EQ(frame, 160);
    // Opaque text inside, right-aligned ("987" at alignment 2); the left part is clear.
    int text = 0;
    for (int32_t y = 1; y < 29; ++y)
        for (int32_t x = 1; x < 79; ++x)
            text += (picture.pixel(x, y) >> 24) == 0xFF;
    EXPECT_GT(text, 20);
    for (int32_t y = 1; y < 29; ++y)
        for (int32_t x = 1; x < 20; ++x)
            ASSERT_EQ(picture.pixel(x, y), 0u) << x << "," << y;

    // An empty sample still shows the field's extent.
    field->FindProperty(u"Appearance", u"Nr of digits")->SetValue(CPropertyValue(u""));
    const gfx::Surface empty = field->RenderPreview();
    ASSERT_TRUE(empty.isValid());
    EXPECT_EQ(empty.pixel(0, 0) >> 24, 0x80u);
    EXPECT_EQ(empty.pixel(40, 15), 0u);
}

TEST_F(CObjFieldPreview, NoPictureForAFieldOfNoSize)
{
    auto field = makeField(5, page);
    field->SetMinimumSize(-1, -1);   // as a document may leave it
    for (const auto& [width, height] : {std::pair{0, 30}, {80, 0}, {-5, 10}}) {
        field->SetRect(10, 10, 10 + width, 10 + height);
        EXPECT_FALSE(field->RenderPreview().isValid()) << width << "x" << height;
    }
}

} // namespace
