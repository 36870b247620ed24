#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>

#include "engine/tagmonitor/CTagValue.h"

namespace {

constexpr int kShort = 0, kInteger = 1, kUtf8 = 10, kUtf16 = 11, kUtf32 = 15, kLatin1 = 23;

class TagValueTest : public testing::Test {
protected:
    CTagMemory memory() { return {bytes.data(), uint32_t(bytes.size())}; }
    std::u16string shown(const CTagPlace& place)
    {
        std::u16string text = u"unchanged";
        EXPECT_TRUE(values.format(memory(), place, text));
        return text;
    }
    std::array<uint8_t, 64> bytes{};
    CTagValue values;
};

TEST_F(TagValueTest, NumbersShowAsTheirTypesRead)
{
    bytes[0] = 0xFF;
    bytes[1] = 0xFF;
    EXPECT_EQ(shown({kShort, 0, 2}), u"65535");
    std::memset(bytes.data() + 4, 0xFF, 4);
    EXPECT_EQ(shown({kInteger, 4, 4}), u"-1");
    bytes[8] = 0x39;
    bytes[9] = 0x30;
    EXPECT_EQ(shown({kInteger, 8, 4}), u"12345");
}

struct TypedCase {
    int type;
    const char16_t* typed;
    uint32_t stored;
};

class TypedNumber : public TagValueTest, public testing::WithParamInterface<TypedCase> {};

TEST_P(TypedNumber, KeepsItsLowBits)
{
    const TypedCase& c = GetParam();
    std::memset(bytes.data(), 0xAA, bytes.size());
    ASSERT_TRUE(values.write(memory(), {c.type, 8, 0}, c.typed));
    const uint32_t width = c.type == kShort ? 2 : 4;
    uint32_t stored = 0;
    for (uint32_t i = 0; i < width; ++i)
        stored |= uint32_t(bytes[8 + i]) << (8 * i);
    EXPECT_EQ(stored, c.stored);
    EXPECT_EQ(bytes[8 + width], 0xAA) << "a byte past the tag was written";
    EXPECT_EQ(bytes[7], 0xAA);
}

INSTANTIATE_TEST_SUITE_P(, TypedNumber,
                         testing::Values(TypedCase{kShort, u"70000", 4464}, TypedCase{kShort, u"0x1F", 31},
                                         TypedCase{kShort, u"010", 8}, TypedCase{kShort, u"abc", 0},
                                         TypedCase{kShort, u"-1", 0xFFFF}, TypedCase{kInteger, u"-1", 0xFFFFFFFF},
                                         TypedCase{kInteger, u"4294967297", 1},
                                         TypedCase{kInteger, u"2147483648", 0x80000000}));

TEST_F(TagValueTest, StringsRoundTripThroughTheirCharacterSet)
{
    ASSERT_TRUE(values.write(memory(), {kUtf8, 16, 10}, u"h\u00e9llo"));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes.data() + 16)), "h\xc3\xa9llo");
    EXPECT_EQ(shown({kUtf8, 16, 10}), u"h\u00e9llo");
    ASSERT_TRUE(values.write(memory(), {kLatin1, 32, 8}, u"caf\u00e9"));
    EXPECT_EQ(bytes[35], 0xE9);
    EXPECT_EQ(shown({kLatin1, 32, 8}), u"caf\u00e9");
}

TEST_F(TagValueTest, AStringStaysWithinItsSize)
{
    std::memset(bytes.data(), 0xAA, bytes.size());
    // Longer than the tag: only what fits, without a terminator.
    ASSERT_TRUE(values.write(memory(), {kUtf8, 4, 4}, u"abcdefgh"));
    EXPECT_EQ(std::memcmp(bytes.data() + 4, "abcd", 4), 0);
    EXPECT_EQ(bytes[8], 0xAA);
    EXPECT_EQ(shown({kUtf8, 4, 4}), u"abcd");
    // Shorter: one zero byte ends it and the bytes after keep their content.
    ASSERT_TRUE(values.write(memory(), {kUtf8, 4, 4}, u"xy"));
    EXPECT_EQ(std::memcmp(bytes.data() + 4, "xy\0d", 4), 0);
    // A byte set with one byte left still gets its terminator.
    ASSERT_TRUE(values.write(memory(), {kUtf8, 4, 4}, u"xyz"));
    EXPECT_EQ(std::memcmp(bytes.data() + 4, "xyz\0", 4), 0);
}

TEST_F(TagValueTest, TerminatorsHaveTheSetsUnitWidth)
{
    std::memset(bytes.data(), 0xAA, bytes.size());
    // A 32-bit set ends with four zero bytes, not two.
    ASSERT_TRUE(values.write(memory(), {kUtf32, 0, 16}, u"ab"));
    const uint8_t utf32[12] = {'a', 0, 0, 0, 'b', 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(std::memcmp(bytes.data(), utf32, sizeof utf32), 0);
    EXPECT_EQ(bytes[12], 0xAA);
    EXPECT_EQ(shown({kUtf32, 0, 16}), u"ab");
    // Room for less than a unit: no terminator at all.
    std::memset(bytes.data(), 0xAA, bytes.size());
    ASSERT_TRUE(values.write(memory(), {kUtf32, 0, 10}, u"ab"));
    EXPECT_EQ(bytes[8], 0xAA);
    // An empty text (a cut cell) is an empty string.
    ASSERT_TRUE(values.write(memory(), {kUtf16, 20, 6}, u"xyz"));
    ASSERT_TRUE(values.write(memory(), {kUtf16, 20, 6}, u""));
    EXPECT_EQ(shown({kUtf16, 20, 6}), u"");
    EXPECT_EQ(bytes[22], 'y');
}

TEST_F(TagValueTest, NothingOutsideTheMemoryOrOfAnUnknownTypeIsTouched)
{
    std::memset(bytes.data(), 0xAA, bytes.size());
    std::u16string text = u"unchanged";
    for (const CTagPlace place : {CTagPlace{kInteger, 61, 4}, CTagPlace{kShort, 63, 2}, CTagPlace{kUtf8, 60, 5},
                                  CTagPlace{kUtf8, 0xFFFFFFFF, 2}, CTagPlace{-1, 0, 4}, CTagPlace{5, 0, 4},
                                  CTagPlace{200, 0, 4}}) {
        SCOPED_TRACE(testing::Message() << place.typeIndex << " at " << place.address);
        EXPECT_FALSE(values.format(memory(), place, text));
        EXPECT_FALSE(values.write(memory(), place, u"1"));
    }
    EXPECT_EQ(text, u"unchanged");
    EXPECT_FALSE(values.format({}, {kInteger, 0, 4}, text));
    for (uint8_t byte : bytes)
        ASSERT_EQ(byte, 0xAA);
}

} // namespace
