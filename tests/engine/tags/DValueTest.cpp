#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "engine/tags/DValue.h"

namespace {

constexpr uint32_t kUtf8 = 10;
constexpr uint32_t kUtf16LE = 11;
constexpr uint32_t kUtf32LE = 15;
constexpr uint32_t kLatin1 = 23;
constexpr uint32_t kCP1131 = 46;

void setText(DValue& value, const std::string& bytes)
{
    value.setBytes({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()});
}

void setText(DValue& value, const std::u16string& text)
{
    value.setBytes({reinterpret_cast<const uint8_t*>(text.data()), text.size() * 2});
}

// A text value of size bytes in the character set, filled with these bytes (or UTF-16 units).
template <class Text>
void initText(DValue& value, uint16_t size, uint32_t charset, const Text& text)
{
    value.init(nullptr, size, charset);
    setText(value, text);
}

std::string bytesOf(const DValue& value)
{
    return {reinterpret_cast<const char*>(value.bytes().data()), value.bytes().size()};
}

} // namespace

TEST(DValue, InitGivesZeroOrAZeroFilledStringBuffer)
{
    DValue value;
    EXPECT_EQ(value.type(), DValue::kNotSet);
    value.init(nullptr, 0, DValue::kShort);
    EXPECT_EQ(value.number(), 0);
    EXPECT_TRUE(value.bytes().empty());

    value.init(nullptr, 6, kUtf8);
    ASSERT_EQ(value.bytes().size(), 6u);
    for (int i = 0; i < 6 + int(DValue::kSpareBytes); ++i)
        EXPECT_EQ(value.bytes().data()[i], 0) << i;
    setText(value, std::string("abcdefgh")); // longer than the size: cut
    EXPECT_EQ(bytesOf(value), "abcdef");
    EXPECT_EQ(value.bytes().data()[6], 0); // still terminated
    setText(value, std::string("xy"));    // shorter: the rest becomes zero
    EXPECT_EQ(bytesOf(value), std::string("xy\0\0\0\0", 6));

    // A type without values keeps its size but holds nothing.
    value.init(nullptr, 5, 4);
    EXPECT_TRUE(value.bytes().empty());
    value.setNumber(7);
    EXPECT_EQ(value.number(), 0);
}

TEST(DValue, NumbersCompareAndEqualByTheirWidth)
{
    DValue shortValue, other, integer;
    shortValue.init(nullptr, 0, DValue::kShort);
    other.init(nullptr, 0, DValue::kShort);
    integer.init(nullptr, 0, DValue::kInteger);

    shortValue.setNumber(0x1FFFF); // only the low half counts
    other.setNumber(-1);
    EXPECT_TRUE(shortValue.equals(other));
    EXPECT_EQ(shortValue.compare(other), 0);
    EXPECT_EQ(shortValue.shownNumber(), 65535);
    EXPECT_FALSE(shortValue.equals(integer)); // different types

    struct Case {
        int32_t value, reference;
        int expected;
    };
    // Subtraction would overflow on these: the sign comes from the order.
    for (const Case c : {Case{INT32_MAX, -1, 1}, Case{INT32_MIN, 1, -1}, Case{5, 5, 0}, Case{-3, 2, -1}}) {
        DValue reference;
        reference.init(nullptr, 0, DValue::kInteger);
        integer.setNumber(c.value);
        reference.setNumber(c.reference);
        EXPECT_EQ(integer.compare(reference), c.expected) << c.value << " vs " << c.reference;
    }
    shortValue.setNumber(32767);
    other.setNumber(-1);
    EXPECT_EQ(shortValue.compare(other), 1);
}

TEST(DValue, AssignTakesNumbersByWidthAndNeverCrossesKinds)
{
    DValue shortValue, integer, text;
    shortValue.init(nullptr, 0, DValue::kShort);
    integer.init(nullptr, 0, DValue::kInteger);
    initText(text, 4, kUtf8, std::string("12"));

    integer.setNumber(70000);
    shortValue.assign(integer);
    EXPECT_EQ(shortValue.shownNumber(), 4464);
    shortValue.setNumber(-2);
    integer.assign(shortValue);
    EXPECT_EQ(integer.number(), -2);

    integer.assign(text); // a string never becomes a number
    EXPECT_EQ(integer.number(), -2);
    text.assign(integer); // nor a number a string
    EXPECT_EQ(bytesOf(text), std::string("12\0\0", 4));
}

TEST(DValue, SetNumberKeepsWhatTheTagsWidthHolds)
{
    struct Case {
        int32_t set, asShort, shownShort;
    };
    for (const Case c : {Case{70000, 4464, 4464}, Case{32768, -32768, 32768}, Case{-1, -1, 65535},
                         Case{INT32_MIN, 0, 0}, Case{-70000, -4464, 61072}}) {
        SCOPED_TRACE(c.set);
        DValue shortValue, integer, text;
        shortValue.init(nullptr, 0, DValue::kShort);
        integer.init(nullptr, 0, DValue::kInteger);
        text.init(nullptr, 4, kUtf8);
        shortValue.setNumber(c.set);
        integer.setNumber(c.set);
        text.setNumber(c.set);
        EXPECT_EQ(shortValue.number(), c.asShort);
        EXPECT_EQ(shortValue.shownNumber(), c.shownShort);
        EXPECT_EQ(integer.number(), c.set);
        EXPECT_EQ(text.number(), 0);
    }
}

TEST(DValue, AssignWithinOneCharacterSetOverwritesOnlyTheSourceBytes)
{
    DValue target, source;
    initText(target, 5, kUtf8, std::string("hello"));
    initText(source, 2, kUtf8, std::string("HE"));
    target.assign(source);
    EXPECT_EQ(bytesOf(target), "HEllo");

    DValue longer;
    initText(longer, 8, kUtf8, std::string("abcdefgh"));
    target.assign(longer); // cut at the target's size
    EXPECT_EQ(bytesOf(target), "abcde");
}

TEST(DValue, AssignBetweenCharacterSetsConverts)
{
    DValue wide, narrow;
    initText(wide, 12, kUtf16LE, std::u16string(u"Caf\u00e9"));
    initText(narrow, 8, kLatin1, std::string("xxxxxxxx"));
    narrow.assign(wide);
    // The source's zero units convert too, so the old text is cleared behind it.
    EXPECT_EQ(bytesOf(narrow), std::string("Caf\xe9\0\0\0\0", 8));

    DValue back;
    back.init(nullptr, 8, kUtf16LE);
    back.assign(narrow);
    EXPECT_EQ(std::memcmp(back.bytes().data(), u"Caf\u00e9", 8), 0);

    // A row this C library has no converter for leaves the target as it was.
    DValue unconvertible;
    initText(unconvertible, 4, kCP1131, std::string("keep"));
    unconvertible.assign(wide);
    EXPECT_EQ(bytesOf(unconvertible), "keep");
    wide.assign(unconvertible);
    EXPECT_EQ(std::memcmp(wide.bytes().data(), u"Caf\u00e9", 8), 0);
}

TEST(DValue, AppendAddsNumbersWithoutOverflow)
{
    DValue integer, step;
    integer.init(nullptr, 0, DValue::kInteger);
    step.init(nullptr, 0, DValue::kInteger);
    integer.setNumber(INT32_MAX);
    step.setNumber(1);
    integer.append(step);
    EXPECT_EQ(integer.number(), INT32_MIN);
}

TEST(DValue, AppendPutsTextBehindTheContentMeasuredInUnits)
{
    DValue text, tail;
    initText(text, 6, kUtf8, std::string("ab"));
    initText(tail, 3, kUtf8, std::string("cde"));
    text.append(tail);
    EXPECT_EQ(bytesOf(text), std::string("abcde\0", 6));
    text.append(tail); // one byte of room left
    EXPECT_EQ(bytesOf(text), "abcdec");
    text.append(tail); // full: nothing happens
    EXPECT_EQ(bytesOf(text), "abcdec");

    // UTF-32: the content ends at the first zero unit of four bytes, not at a zero byte.
    DValue wide;
    wide.init(nullptr, 16, kUtf32LE);
    const char32_t start[] = {U'A', 0};
    wide.setBytes({reinterpret_cast<const uint8_t*>(start), 8});
    wide.append(tail); // converted from UTF-8
    const char32_t expected[] = {U'A', U'c', U'd', U'e'};
    EXPECT_EQ(std::memcmp(wide.bytes().data(), expected, 16), 0);
}

TEST(DValue, StringsCompareAsUnsignedBytesOverTheReferenceSize)
{
    DValue text, reference;
    initText(text, 2, kUtf8, std::string("\xff" "a"));
    initText(reference, 5, kUtf8, std::string("\x01" "aaaa"));
    EXPECT_EQ(text.compare(reference), 1); // 0xFF is above 0x01
    setText(reference, std::string("\xff" "a"));
    EXPECT_EQ(text.compare(reference), 0); // bytes past the shorter value count as zero
    setText(reference, std::string("\xff" "a" "b"));
    EXPECT_EQ(text.compare(reference), -1);
    EXPECT_FALSE(text.equals(reference)); // sizes differ
}
