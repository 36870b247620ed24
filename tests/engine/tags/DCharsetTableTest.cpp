#include <gtest/gtest.h>

#include <array>
#include <clocale>
#include <cstring>
#include <string>

#include "engine/tags/DCharsetTable.h"

namespace {

constexpr uint8_t kUntouched = 0xAA;

template <std::size_t N>
std::array<uint8_t, N> untouched()
{
    std::array<uint8_t, N> bytes;
    bytes.fill(kUntouched);
    return bytes;
}

} // namespace

TEST(DCharsetTable, RowsAreNamedByTypeCode)
{
    EXPECT_EQ(DCharsetTable::name(0), "short");
    EXPECT_EQ(DCharsetTable::name(1), "integer");
    EXPECT_EQ(DCharsetTable::name(9), "native-encoding");
    EXPECT_EQ(DCharsetTable::name(11), "UTF-16LE");
    EXPECT_EQ(DCharsetTable::name(18), "UCS-4BE");
    EXPECT_EQ(DCharsetTable::name(22), "ASCII");
    EXPECT_EQ(DCharsetTable::name(46), "CP1131");
    EXPECT_EQ(DCharsetTable::name(51), "CP862");
    for (uint32_t type : {2u, 8u, 19u, 21u, 52u, 104u, 105u, 1000u})
        EXPECT_TRUE(DCharsetTable::name(type).empty()) << type;

    EXPECT_EQ(DCharsetTable::find("UTF-8"), 10);
    EXPECT_EQ(DCharsetTable::find("KOI8-RU"), 37);
    EXPECT_EQ(DCharsetTable::find("utf-8"), -1); // exact comparison
    EXPECT_EQ(DCharsetTable::find(""), -1);      // empty rows are not found
}

TEST(DCharsetTable, ConvertsOnceAndTerminatesWhereTheOutputStopped)
{
    const std::string text = "h\xc3\xa9llo"; // UTF-8
    auto target = untouched<16>();
    std::size_t written = 0;
    EXPECT_EQ(convertCharset(11, text.data(), 10, target.data(), text.size(), target.size(), &written), 0);
    EXPECT_EQ(written, 10u);
    const std::u16string expected = u"h\u00e9llo";
    EXPECT_EQ(std::memcmp(target.data(), expected.data(), 10), 0);
    EXPECT_EQ(target[10], 0);
    EXPECT_EQ(target[11], 0);
    EXPECT_EQ(target[12], kUntouched);

    // A target the output fills gets no terminator.
    auto full = untouched<10>();
    EXPECT_EQ(convertCharset(11, text.data(), 10, full.data(), text.size(), 10), 0);
    EXPECT_EQ(std::memcmp(full.data(), expected.data(), 10), 0);

    // A target too small keeps what fitted; the room is never exceeded.
    auto small = untouched<8>();
    EXPECT_EQ(convertCharset(11, text.data(), 10, small.data(), text.size(), 7), -1);
    EXPECT_EQ(std::memcmp(small.data(), expected.data(), 6), 0);
    EXPECT_EQ(small[6], kUntouched);
    EXPECT_EQ(small[7], kUntouched);
}

TEST(DCharsetTable, AStopAtAnUnconvertibleCharacterKeepsWhatCameBefore)
{
    const std::u16string text = u"ab\u00e9cd";
    auto target = untouched<8>();
    EXPECT_EQ(convertCharset(22, text.data(), 11, target.data(), text.size() * 2, target.size()), -1);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(target.data())), "ab");
}

TEST(DCharsetTable, PairsThatCannotBeOpenedConvertNothing)
{
    const std::u16string text = u"abc";
    struct Case {
        uint32_t to, from;
    };
    // An empty row, a row the C library lacks, and types past the table.
    for (const Case c : {Case{2, 11}, Case{11, 2}, Case{46, 11}, Case{11, 46}, Case{105, 11}, Case{11, 200}}) {
        auto target = untouched<8>();
        EXPECT_EQ(convertCharset(c.to, text.data(), c.from, target.data(), 6, target.size()), -1)
            << c.to << " from " << c.from;
        EXPECT_EQ(target, untouched<8>()) << c.to << " from " << c.from;
    }
}

TEST(DCharsetTable, NativeEncodingIsTheLocalesCharacterSet)
{
    const std::string previous = std::setlocale(LC_CTYPE, nullptr);
    ASSERT_NE(std::setlocale(LC_CTYPE, "C.UTF-8"), nullptr);
    const std::string text = "\xc3\xa9"; // é in UTF-8
    std::array<char16_t, 4> target{};
    EXPECT_GE(convertCharset(11, text.data(), 9, target.data(), text.size(), sizeof(target)), 0);
    EXPECT_EQ(target[0], u'\u00e9');
    EXPECT_EQ(target[1], 0);

    std::setlocale(LC_CTYPE, "C"); // plain ASCII: the same bytes no longer convert
    target.fill(u'x');
    EXPECT_EQ(convertCharset(11, text.data(), 9, target.data(), text.size(), sizeof(target)), -1);
    EXPECT_EQ(target[0], 0);
    std::setlocale(LC_CTYPE, previous.c_str());
}

TEST(DCharsetTable, NoSourceFlushesAndTerminates)
{
    auto target = untouched<4>();
    EXPECT_GE(convertCharset(10, nullptr, 11, target.data(), 0, target.size()), 0);
    EXPECT_EQ(target[0], 0);
    EXPECT_EQ(target[1], 0);
    EXPECT_EQ(target[2], kUntouched);
}

TEST(DCharsetTable, EngineStringsConvertThroughAsciiAndUtf16Rows)
{
    const DString::NarrowConversion previous = DString::narrowConversion();
    DString::setNarrowConversion(&engineNarrowConversion);
    DString plain(u"Tank 3");
    EXPECT_STREQ(plain.toNarrow(), "Tank 3");
    DString accented(u"Caf\u00e9");
    EXPECT_EQ(accented.toNarrow(), nullptr);
    DString back;
    ASSERT_TRUE(back.toWide("level"));
    EXPECT_EQ(back.view(), u"level");
    EXPECT_FALSE(back.toWide("\xe9"));
    EXPECT_EQ(back.view(), u"level");
    DString::setNarrowConversion(previous);
}
