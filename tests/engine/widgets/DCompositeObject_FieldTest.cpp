#include <gtest/gtest.h>

#include <climits>

#include "engine/primitives/DBaseObject_Text.h"
#include "engine/tags/DCharsetTable.h"
#include "engine/widgets/DCompositeObject_DateTimeField.h"
#include "engine/widgets/DCompositeObject_NumericField.h"
#include "engine/widgets/DCompositeObject_TextField.h"
#include "foundation/target/TargetFieldWords.h"
#include "foundation/target/TargetFields.h"
#include "foundation/target/TargetPage.h"
#include "tests/support/engine/TextTestSupport.h"
#include "tests/support/engine/WidgetRecords.h"

using namespace texttest;
using target::TagReference;
using target::WidgetType;
using vx::test::TargetBuilder;
using Format = DCompositeObject_NumericField::Format;

namespace {

constexpr int32_t kWidth = 120, kHeight = 60;
constexpr uint32_t kWhite = 0xFFFFFFFFu;

const TagReference kNumber = localTag(1, target::kValueType32, 4);
const TagReference kOther = localTag(2, target::kValueType32, 4);

// A field of the page: editable and numeric on tag kNumber unless a test says otherwise.
struct FieldSpec : vx::test::FieldRecord {
    FieldSpec()
    {
        type = WidgetType::EditableNumericField;
        tag = kNumber;
        flags = kEditableFlags;
    }
};

// One page: the fields in order (widget numbers 0, 1, ...) over a white background; the
// page takes the keys, its initial focus on the first field.
std::vector<uint8_t> fieldPage(const std::vector<FieldSpec>& fields)
{
    TargetBuilder builder(kWidth, kHeight, 1);
    const uint32_t font = builder.font(sansBytes());
    builder.page(uint32_t(target::PageType::Normal), 0, [&](TargetBuilder::Page& page) {
        for (const FieldSpec& field : fields)
            vx::test::writeField(page, font, field);
        page.backgroundColour(kWhite, kWidth, kHeight);
    });
    return builder.finish();
}

Format format(uint32_t decimals, uint32_t digits, bool zeros = false, int32_t multiplier = 1, int32_t divisor = 1,
              int32_t offset = 0)
{
    return {decimals, digits, zeros, multiplier, divisor, offset};
}

std::u16string shown(int32_t value, const Format& f)
{
    char16_t text[DCompositeObject_NumericField::kMaxWidth + 2];
    const uint32_t length =
        DCompositeObject_NumericField::formatNumber(DCompositeObject_NumericField::scaledValue(value, f), f, text);
    return {text, length};
}

class Fields : public ProjectHarness {
public:
    DBaseObject_Text& text(std::size_t number)
    {
        auto* field = widget<DCompositeObject_Field>(number);
        EXPECT_NE(field, nullptr);
        EXPECT_NE(field->textPrimitive(), nullptr);
        return *field->textPrimitive();
    }
    std::u16string textOf(std::size_t number) { return std::u16string(text(number).text().view()); }
    void keys(std::initializer_list<uint32_t> codes)
    {
        for (uint32_t code : codes)
            key(code);
    }
    void setString(const TagReference& reference, std::vector<uint8_t> bytes)
    {
        DValue& value = item(reference)->value();
        value.setBytes(bytes);
        value.markWritten();
        settle();
    }
};

} // namespace

TEST(NumericFieldFormat, ScaledValuesShowWithTheirDigitsAndDecimals)
{
    struct Case {
        int32_t value;
        Format format;
        const char16_t* expected;
    };
    const Case cases[] = {
        {5, format(2, 3), u"0.05"},
        {-1234, format(2, 3), u"-12.34"},
        {12345, format(0, 3), u"345"},                    // digits beyond the width are dropped
        {0, format(0, 3), u"0"},                          // zero is a digit of its own
        {0, format(0, 0), u""},                           // no width, nothing to show
        {0, format(1, 2), u"0.0"},
        {42, format(0, 5, true), u"00042"},
        {7, format(0, 5, false, 1, 0), u"7"},             // divisor 0 skips the division
        {5, format(0, 5, false, -1), u"-5"},
        {7, format(0, 5, false, 1, 2), u"3"},             // truncated toward zero
        {-7, format(0, 5, false, 1, 2), u"-3"},
        {10, format(0, 5, false, 1, 1, -3), u"7"},
        {100000, format(0, 9, false, 100000, 1000), u"10000000"}, // no 32-bit overflow in between
        {INT32_MIN, format(0, 10), u"-2147483648"},
        {INT32_MIN, format(0, 10, false, 1, -1), u"-2147483648"}, // 2^31 cut back to 32 bits
        {1, format(40, 40), u"00000000000000000000000000000001"}, // at most 32 places, no point left
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(int(&test - cases));
        EXPECT_EQ(shown(test.value, test.format), std::u16string(test.expected));
    }
}

TEST(NumericFieldFormat, EnteredTextConvertsBackThroughTheInverseScale)
{
    struct Case {
        const char16_t* text;
        Format format;
        int32_t raw;
    };
    const Case cases[] = {
        {u"345", format(0, 3), 345},
        {u"-12", format(0, 3), -12},
        {u"0.07", format(2, 3), 7},            // the point stands where the display put it
        {u"12", format(2, 3), 1200},           // no fraction: whole units
        {u"1.234", format(2, 3), 123},         // beyond the field's decimals
        {u"30", format(0, 3, false, 2, 1, 10), 10},
        {u"30", format(0, 3, false, 1, 0, 0), 30}, // divisor 0 was skipped on display
        {u"30", format(0, 3, false, 0, 1, 0), 30}, // and so is a multiplier of 0
        {u"99999999999999999999", format(0, 20), INT32_MAX},
        {u"", format(0, 3), 0},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(int(&test - cases));
        const int32_t entered = DCompositeObject_NumericField::parseEntry(test.text, test.format.decimals);
        EXPECT_EQ(DCompositeObject_NumericField::rawValue(entered, test.format), test.raw);
    }
}

TEST(DateTimeFieldFormat, PatternsPutTheirPartsTogetherWithTheSeparator)
{
    constexpr int32_t kMarch7th2024 = 1709769600; // 00:00 UTC
    constexpr int32_t k1305 = 13 * 3600 + 5 * 60 + 9, k1230 = 12 * 3600 + 30 * 60, k0015 = 15 * 60,
                      k1159 = 11 * 3600 + 59 * 60;
    struct Case {
        uint32_t code;
        const char16_t* separator;
        int32_t value;
        const char16_t* expected;
    };
    const Case cases[] = {
        {0, u"/", kMarch7th2024, u"7/3/24"},
        {1, u".", kMarch7th2024, u"07.03.24"},
        {3, u".", kMarch7th2024, u"07.03.2024"},
        {17, u"/", kMarch7th2024, u"03/07/24"},
        {18, u"-", kMarch7th2024, u"3-7-2024"},
        {32, u"", kMarch7th2024, u"2437"},
        {35, u"-", kMarch7th2024, u"2024-03-07"},
        {65537, u":", k1305, u"13:05:09"},
        {65538, u":", k1305, u"13:5"},
        {65553, u":", k1305, u"01:05 pm"},
        {65553, u":", k1230, u"12:30 pm"},        // noon is 12 pm
        {65553, u":", k0015, u"12:15 am"},        // midnight is 12 am
        {65553, u":", k1159, u"11:59 am"},
        {65556, u":", k1230, u"12:30"},
        {65559, u".", k1305, u"1.5.9 pm"},
        {131072, u":", 100 * 360000, u"100:00:00"}, // hours do not wrap at 24
        {131073, u":", 123456, u"00:20:34:56"},
        {131077, u"h", 6000 * 61, u"1h1"},
        {65537, u"%s%", k1305, u"13%s%05%s%09"},    // a separator is text, never a format
        {131076, u"%n", -1, u"11930%n27%n52%n95"},  // a counter is a count: never below zero
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(int(&test - cases));
        const auto* pattern = DCompositeObject_DateTimeField::findPattern(test.code);
        ASSERT_NE(pattern, nullptr);
        DString out;
        ASSERT_TRUE(DCompositeObject_DateTimeField::formatValue(*pattern, test.separator, test.value, out));
        EXPECT_EQ(std::u16string(out.view()), std::u16string(test.expected));
    }
    EXPECT_EQ(DCompositeObject_DateTimeField::findPattern(4), nullptr);
    EXPECT_EQ(DCompositeObject_DateTimeField::findPattern(0xFFFFF), nullptr);
    // The text stops at 31 characters.
    DString out;
    ASSERT_TRUE(DCompositeObject_DateTimeField::formatValue(*DCompositeObject_DateTimeField::findPattern(131076),
                                                            u"abcdefghij", 0, out));
    EXPECT_EQ(out.length(), DCompositeObject_DateTimeField::kMaxLength);
}

TEST(Fields, NumericFieldShowsItsTagAndDrawsIt)
{
    Fields f;
    FieldSpec field;
    field.type = WidgetType::NumericField;
    field.format = format(2, 3);
    ASSERT_EQ(f.load(fieldPage({field})), 0);
    f.setTag(kNumber, 5);
    EXPECT_EQ(f.textOf(0), u"0.05");
    f.setTag(kNumber, -1234);
    EXPECT_EQ(f.textOf(0), u"-12.34");

    f.project.render();
    int dark = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 60; ++x)
            dark += (f.pixel(x, y) & 0xFF) < 0x40;
    EXPECT_GT(dark, 20);
    for (int y = 0; y < kHeight; ++y)
        EXPECT_EQ(f.pixel(100, y), kWhite);
    // A display field takes the focus, but no text entry.
    f.project.currentPage()->setFocus(0);
    EXPECT_EQ(f.project.currentPage()->focusIndex(), 0);
    f.key(13);
    EXPECT_FALSE(f.text(0).isEditing());
}

TEST(Fields, SettingTheSameTextCausesNoRedraw)
{
    Fields f;
    FieldSpec field;
    field.format = format(0, 5);
    ASSERT_EQ(f.load(fieldPage({field})), 0);
    f.setTag(kNumber, 17);
    f.project.render();
    ASSERT_TRUE(f.project.dirtyRectangles().empty());
    f.item(kNumber)->notify();
    EXPECT_TRUE(f.project.dirtyRectangles().empty());
    f.setTag(kNumber, 18);
    EXPECT_FALSE(f.project.dirtyRectangles().empty());
}

namespace {

struct Script {
    WidgetType type;
    bool rightToLeft;
    std::vector<uint8_t> initial; // UTF-16LE bytes of a text tag, or "" for numbers
    int32_t number;
    std::vector<uint32_t> keys;
    const char16_t* expected;
    int32_t cursor;
};

std::vector<uint8_t> utf16(std::u16string_view text)
{
    std::vector<uint8_t> bytes;
    for (char16_t unit : text) {
        bytes.push_back(uint8_t(unit));
        bytes.push_back(uint8_t(unit >> 8));
    }
    return bytes;
}

const TagReference kText = localTag(1, DCharsetTable::kUtf16LE, 32);

// One editable field on a page, holding its first value and focused.
std::unique_ptr<Fields> editable(WidgetType type, bool rightToLeft, const std::vector<uint8_t>& text, int32_t number,
                                 Format numberFormat = format(0, 5))
{
    auto f = std::make_unique<Fields>();
    FieldSpec field;
    field.type = type;
    field.format = numberFormat;
    target::TextStyle style;
    style.rightToLeft = rightToLeft;
    field.style = style.word();
    field.tag = type == WidgetType::EditableNumericField ? kNumber : kText;
    EXPECT_EQ(f->load(fieldPage({field})), 0);
    if (type == WidgetType::EditableNumericField)
        f->setTag(kNumber, number);
    else
        f->setString(kText, text);
    f->project.currentPage()->setFocus(0);
    return f;
}

} // namespace

TEST(Fields, TextEntryKeyScripts)
{
    constexpr uint32_t kSmile = 0xDE00D83Du; // U+1F600 as its two units
    constexpr auto text = WidgetType::EditableTextField;
    constexpr auto number = WidgetType::EditableNumericField;
    const Script scripts[] = {
        {text, false, utf16(u"abc"), 0, {13, 1, 'X'}, u"abXc", 3},
        {text, true, utf16(u"abc"), 0, {13, 2, 'X'}, u"abXc", 3},     // the arrows swap
        {text, false, utf16(u"abc"), 0, {13, 5, 'Y', 12}, u"Ybc", 1},
        {text, true, utf16(u"abc"), 0, {13, 6, 'Y', 12}, u"Ybc", 1},
        {text, true, utf16(u"abc"), 0, {13, 1, 1, 'Z'}, u"abcZ", 4},  // left is the end
        {text, false, utf16(u"abc"), 0, {13, 8, 8, 8, 8, 7}, u"", 0}, // a control key does nothing
        {text, false, utf16(u"abc"), 0, {13, kSmile, 1, 'a'}, u"abca\U0001F600", 4},
        {text, false, utf16(u"ab"), 0, {13, 0x00410000u, '-'}, u"ab-", 3}, // no such character
        {number, false, {}, 12, {13, '3', 'a', 45, 1, 8}, u"-13", 2},
        {number, false, {}, 12, {13, 45, 45}, u"12", 2},
        {number, false, {}, 5, {13, 8, 45}, u"", 0},
        {number, false, {}, -5, {13, 8}, u"", 0}, // "-" alone goes
        {number, true, {}, 12, {13, 2, 2, '9'}, u"912", 1},
    };
    for (const Script& script : scripts) {
        SCOPED_TRACE(int(&script - scripts));
        auto f = editable(script.type, script.rightToLeft, script.initial, script.number);
        for (uint32_t code : script.keys)
            f->key(code);
        EXPECT_TRUE(f->text(0).isEditing());
        EXPECT_EQ(f->textOf(0), std::u16string(script.expected));
        EXPECT_EQ(f->text(0).cursor(), script.cursor);
    }
}

TEST(Fields, EnterCommitsTheNumberThroughTheInverseScale)
{
    auto f = editable(WidgetType::EditableNumericField, false, {}, 5, format(2, 3));
    ASSERT_EQ(f->textOf(0), u"0.05");
    f->keys({13, 8, '7', 13});
    EXPECT_FALSE(f->text(0).isEditing());
    DValue& value = f->item(kNumber)->value();
    EXPECT_TRUE(value.isWritten());
    EXPECT_EQ(value.number(), 7);

    auto scaled = editable(WidgetType::EditableNumericField, false, {}, 5, format(0, 3, false, 2, 1, 10));
    ASSERT_EQ(scaled->textOf(0), u"20");
    scaled->keys({13, 8, 8, '3', '0', 13});
    EXPECT_EQ(scaled->item(kNumber)->value().number(), 10);
    scaled->local.update(scaled->platform.now);
    EXPECT_EQ(scaled->textOf(0), u"30");
}

TEST(Fields, EscapeWritesBackOnlyWhatChanged)
{
    auto f = editable(WidgetType::EditableNumericField, false, {}, 12);
    f->keys({13, '3'});
    EXPECT_EQ(f->textOf(0), u"123");
    f->key(27);
    EXPECT_EQ(f->textOf(0), u"12");
    EXPECT_FALSE(f->text(0).isEditing());
    EXPECT_FALSE(f->item(kNumber)->value().isWritten());
    EXPECT_EQ(f->item(kNumber)->value().number(), 12);

    // The tag changed while the text was edited: escape puts the old text back into it.
    f->keys({13, '4'});
    f->item(kNumber)->value().setNumber(99);
    f->key(27);
    EXPECT_TRUE(f->item(kNumber)->value().isWritten());
    EXPECT_EQ(f->item(kNumber)->value().number(), 12);
}

TEST(Fields, FocusMovingAwayKeepsTheCursorAndAReleaseElsewhereCommits)
{
    Fields f;
    FieldSpec first;
    first.format = format(0, 5);
    FieldSpec second = first;
    second.tag = kOther;
    second.rect = {0, 30, 60, 50};
    ASSERT_EQ(f.load(fieldPage({first, second})), 0);
    f.setTag(kNumber, 4);
    DPage& page = *f.project.currentPage();
    page.setFocus(0);
    f.keys({13, '5', 1});
    ASSERT_EQ(f.text(0).cursor(), 1);

    // Arrow-key focus moves leave editing without a commit and keep the cursor.
    page.setFocus(1);
    EXPECT_FALSE(f.text(0).isEditing());
    EXPECT_EQ(f.text(0).savedCursor(), 1);
    EXPECT_FALSE(f.item(kNumber)->value().isWritten());
    page.setFocus(0);
    f.key(13);
    EXPECT_EQ(f.text(0).cursor(), 1);
    EXPECT_EQ(f.textOf(0), u"45");

    // A press on the other field takes the focus; its release commits the first one's text.
    f.project.onPointerDown({10, 40});
    f.project.onPointerUp({10, 40});
    EXPECT_EQ(page.focusIndex(), 1);
    EXPECT_TRUE(f.item(kNumber)->value().isWritten());
    EXPECT_EQ(f.item(kNumber)->value().number(), 45);
    EXPECT_EQ(f.text(0).savedCursor(), -1);
    // The release on the second field started its editing.
    EXPECT_TRUE(f.text(1).isEditing());
}

TEST(Fields, TheCaretBlinksOnTheWidgetsTick)
{
    auto f = editable(WidgetType::EditableNumericField, false, {}, 1);
    f->key(13);
    const uint32_t start = f->text(0).blinkCounter();
    for (int i = 0; i < 4; ++i) {
        f->platform.now += 500;
        f->project.tickTime(f->platform.now);
    }
    EXPECT_GE(f->text(0).blinkCounter(), start + 3);
    f->key(13);
    const uint32_t stopped = f->text(0).blinkCounter();
    f->platform.now += 5000;
    f->project.tickTime(f->platform.now);
    EXPECT_EQ(f->text(0).blinkCounter(), stopped);
}

TEST(Fields, StringTagsAreShownAndWrittenInTheirOwnCharacterSet)
{
    struct Case {
        uint32_t type;
        std::vector<uint8_t> bytes;
        const char16_t* shown;
    };
    const Case cases[] = {
        {DCharsetTable::kUtf8, {0xC3, 0xA9, 't', 0xC3, 0xA9}, u"\u00e9t\u00e9"},
        {uint32_t(DCharsetTable::find("CP1252")), {0xE9, 't', 0xE9}, u"\u00e9t\u00e9"},
        {uint32_t(DCharsetTable::find("ISO-8859-5")), {0xB0, 0xB1}, u"\u0410\u0411"},
        {DCharsetTable::kUtf16LE, utf16(u"\u00e9t\u00e9"), u"\u00e9t\u00e9"},
        {DCharsetTable::kUtf8, {'a', 0, 'b'}, u"a"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(int(&test - cases));
        Fields f;
        FieldSpec field;
        field.type = WidgetType::EditableTextField;
        field.tag = localTag(1, test.type, 16);
        ASSERT_EQ(f.load(fieldPage({field})), 0);
        f.setString(field.tag, test.bytes);
        EXPECT_EQ(f.textOf(0), std::u16string(test.shown));
    }

    // An entered text goes into a UTF-8 tag as UTF-8.
    Fields f;
    FieldSpec field;
    field.type = WidgetType::EditableTextField;
    field.tag = localTag(1, DCharsetTable::kUtf8, 16);
    ASSERT_EQ(f.load(fieldPage({field})), 0);
    f.setString(field.tag, {0xC3, 0xA9, 't', 0xC3, 0xA9});
    f.project.currentPage()->setFocus(0);
    f.keys({13, 0x00E9, 13});
    DValue& value = f.item(field.tag)->value();
    EXPECT_TRUE(value.isWritten());
    const std::vector<uint8_t> expected{0xC3, 0xA9, 't', 0xC3, 0xA9, 0xC3, 0xA9, 0};
    EXPECT_EQ(std::vector<uint8_t>(value.bytes().begin(), value.bytes().begin() + 8), expected);
}

TEST(Fields, ATextFieldWithoutRoomInItsTagTakesNoEntry)
{
    Fields f;
    FieldSpec field;
    field.type = WidgetType::EditableTextField;
    field.tag = localTag(1, DCharsetTable::kUtf8, 0);
    ASSERT_EQ(f.load(fieldPage({field})), 0);
    auto* widget = f.widget<DCompositeObject_TextField>(0);
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->editText(), nullptr);
    f.project.currentPage()->setFocus(0);
    f.key(13);
    EXPECT_FALSE(f.text(0).isEditing());
}

TEST(Fields, DateTimeFieldReadsItsSeparatorWithinItsBounds)
{
    struct Case {
        std::array<uint8_t, 4> separator;
        uint32_t code;
        const char16_t* expected;
    };
    constexpr int32_t k1305 = 13 * 3600 + 5 * 60 + 9;
    const Case cases[] = {
        {{':', 0, 0, 0}, 65537, u"13:05:09"},
        {{'%', 'd', '%', 's'}, 65537, u"13%d%05%d%09"}, // no terminator: three characters at most
        {{0xB0, 0, 0, 0}, 65538, u"13\u00b05"},            // the Windows code page
        {{':', 0, 0, 0}, 12345, u""},                    // no such format: empty text
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(int(&test - cases));
        Fields f;
        FieldSpec field;
        field.type = WidgetType::DateTimeField;
        field.dateCode = test.code;
        field.separator.bytes = test.separator;
        ASSERT_EQ(f.load(fieldPage({field})), 0);
        f.setTag(kNumber, k1305);
        EXPECT_EQ(f.textOf(0), std::u16string(test.expected));
        // It takes no focus.
        f.project.currentPage()->setFocus(0);
        EXPECT_EQ(f.project.currentPage()->focusIndex(), -1);
    }
}

TEST(Fields, TheTextRecordsNameFieldNeedsNoTerminator)
{
    TargetBuilder builder(kWidth, kHeight, 1);
    const uint32_t font = builder.font(sansBytes());
    const std::u16string name(32, u'N');
    builder.page(uint32_t(target::PageType::Normal), -1, [&](TargetBuilder::Page& page) {
        page.object(uint32_t(WidgetType::NumericField), [&](DRIFFFile& file) {
            target::NumericFieldWords numeric;
            numeric.format = target::NumericFieldWords::formatWord(3, 0);
            numeric.access = target::NumericFieldWords::kAccessRead;
            numeric.valueTag = kNumber;
            target::writeRecord(file, numeric);
            TextWords words;
            words.font = font;
            words.name = name;
            textElement(page, 0, 0, 60, 20, target::kElementFlagVisible, words);
            vx::test::writePlaceholder(page);
        });
        page.backgroundColour(kWhite, kWidth, kHeight);
    });
    Fields f;
    ASSERT_EQ(f.load(builder.finish()), 0);
    EXPECT_EQ(std::u16string(f.text(0).descriptor().family.view()), name);
    // The reference still finds the face, so the text draws.
    f.setTag(kNumber, 345);
    f.project.render();
    EXPECT_NE(f.text(0).descriptor().face, nullptr);
}
