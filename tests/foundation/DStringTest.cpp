#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "foundation/DString.h"

TEST(DString, ConstructionSizesTheBuffer)
{
    DString empty(u"");
    EXPECT_EQ(empty.capacity(), 17u);
    EXPECT_EQ(empty.length(), 0u);
    EXPECT_EQ(empty.data()[0], 0);

    EXPECT_EQ(DString().capacity(), 17u);
    EXPECT_EQ(DString::dash().view(), u"-");
    EXPECT_EQ(DString::dash().capacity(), 18u);
    EXPECT_EQ(DString::withCapacity(0).capacity(), 17u);
    EXPECT_EQ(DString::withCapacity(10).capacity(), 26u);
    EXPECT_EQ(DString(u"abc").capacity(), 20u);
    DString copy(DString(u"abcd"));
    EXPECT_EQ(copy.capacity(), 21u);
}

TEST(DString, CodePointConstructorUnpacksASurrogatePair)
{
    const DString pair = DString::fromCodePoint(0xDE00D83Du);
    EXPECT_EQ(pair.length(), 2u);
    EXPECT_EQ(pair.data()[0], 0xD83D);
    EXPECT_EQ(pair.data()[1], 0xDE00);
    EXPECT_EQ(DString::fromCodePoint(u'A').view(), u"A");
    EXPECT_EQ(DString::fromCodePoint(u'A').capacity(), 19u);
}

TEST(DString, AssignReusesOrReplacesTheBuffer)
{
    DString text(u"0123456789"); // capacity 27
    const char16_t* before = text.data();
    text.assign(u"short");
    EXPECT_EQ(text.data(), before);
    EXPECT_EQ(text.capacity(), 27u);
    EXPECT_EQ(text.view(), u"short");

    const std::u16string longer(27, u'x'); // length == capacity
    text.assign(longer.c_str());
    EXPECT_EQ(text.capacity(), 27u + 17u);
    EXPECT_EQ(text.view(), longer);

    text.assign(text); // itself: no effect
    EXPECT_EQ(text.view(), longer);
}

TEST(DString, AppendGrowsAndKeepsTheOldText)
{
    DString text(u"");
    const std::u16string hundred(100, u'a');
    text.assign(u"ab");
    text.append(hundred.c_str());
    EXPECT_EQ(text.capacity(), 2u + 100u + 17u);
    EXPECT_EQ(text.view(), u"ab" + hundred);
}

TEST(DString, AppendOfItsOwnBufferSurvivesGrowth)
{
    DString text(u"abcdefghijklmnop"); // capacity 33: the second doubling grows
    text.append(text.data());
    EXPECT_EQ(text.view(), u"abcdefghijklmnopabcdefghijklmnop");
    text.append(text.data());
    EXPECT_EQ(text.view(), u"abcdefghijklmnopabcdefghijklmnopabcdefghijklmnopabcdefghijklmnop");
    text.append(text.data() + 60);
    EXPECT_EQ(text.length(), 68u);
}

TEST(DString, LowerAndAlphanumericsAreAsciiOnly)
{
    DString text(u"ÄBc-Ü");
    text.toLower();
    EXPECT_EQ(text.view(), u"Äbc-Ü");
    DString name(u"Arial Black-Bold.ttf");
    name.keepAlphanumerics();
    EXPECT_EQ(name.view(), u"ArialBlackBoldttf");
    EXPECT_EQ(name.length(), 17u);
}

TEST(DString, CodePointsJoinPairsAndKeepLoneSurrogates)
{
    struct Case {
        std::u16string text;
        std::vector<uint32_t> points;
    };
    const Case cases[] = {
        {u"\xD83D\xDE00", {0x1F600}},
        {u"\xDC00", {0xDC00}},
        {u"a\xD83D", {u'a', 0xD83D}},
        {u"\xD83D" u"b", {0xD83D, u'b'}},
        {u"x\xD83D\xDE00y", {u'x', 0x1F600, u'y'}},
    };
    for (const Case& c : cases) {
        const DString text(c.text);
        std::vector<uint32_t> out(text.length());
        const uint32_t count = text.codePoints(out);
        out.resize(count);
        EXPECT_EQ(out, c.points);
    }
    EXPECT_EQ(DString(u"a\xD83D\xDE00" u"b").codePointCount(), 3u);
    EXPECT_EQ(DString(u"a\xD83D\xDE00" u"b").unitIndex(2), 3u);
    EXPECT_EQ(DString(u"ab").unitIndex(9), 2u);
}

TEST(DString, LeftRestAndConcat)
{
    const DString text(u"panel.ddd");
    EXPECT_EQ(text.left(5).view(), u"panel");
    EXPECT_EQ(text.left(50).view(), u"panel.ddd");
    EXPECT_EQ(text.left(5).capacity(), text.capacity());
    EXPECT_EQ(text.rest(6).view(), u"ddd");
    EXPECT_EQ(text.rest(9).view(), u"");
    EXPECT_EQ(text.concat(u"!").view(), u"panel.ddd!");
    EXPECT_EQ(text.concat(DString(u"?")).view(), u"panel.ddd?");
}

TEST(DString, NarrowConversionInBothModes)
{
    DString text(u"Caf\u00e9 \u20ac");
    ASSERT_NE(text.toNarrow(), nullptr);
    EXPECT_EQ(std::string(text.narrow()), "Caf\xe9 \x80"); // Windows-1252

    DString back;
    ASSERT_TRUE(back.toWide("Caf\xe9 \x80"));
    EXPECT_EQ(back.view(), u"Caf\u00e9 \u20ac");

    DString::setNarrowCharset(DString::NarrowCharset::Ascii);
    DString plain(u"plain");
    EXPECT_STREQ(plain.toNarrow(), "plain");
    DString accented(u"\u00e9");
    EXPECT_EQ(accented.toNarrow(), nullptr);
    DString kept(u"keep");
    EXPECT_FALSE(kept.toWide("\xe9"));
    EXPECT_EQ(kept.view(), u"keep");
    DString::setNarrowCharset(DString::NarrowCharset::AnsiCodePage);
}

namespace {

// A stand-in for the engine's table: records the direction and converts through ASCII.
DString::NarrowDirection g_lastDirection = DString::NarrowDirection::ToWide;
int g_calls = 0;

long recordingConversion(DString::NarrowDirection direction, const void* source, std::size_t sourceBytes,
                         void* target, std::size_t targetBytes, std::size_t* written)
{
    g_lastDirection = direction;
    ++g_calls;
    const auto* in = static_cast<const unsigned char*>(source);
    auto* out = static_cast<unsigned char*>(target);
    std::size_t produced = 0;
    if (direction == DString::NarrowDirection::ToNarrow) {
        for (std::size_t i = 0; i + 1 < sourceBytes && produced < targetBytes; i += 2)
            out[produced++] = in[i] == 'a' ? 'A' : in[i];
    } else {
        for (std::size_t i = 0; i < sourceBytes && produced + 1 < targetBytes; ++i) {
            out[produced++] = in[i];
            out[produced++] = 0;
        }
    }
    *written = produced;
    return 0;
}

} // namespace

TEST(DString, AnInstalledNarrowConversionTakesThePlaceOfTheCharset)
{
    DString::setNarrowConversion(&recordingConversion);
    DString text(u"cat");
    EXPECT_STREQ(text.toNarrow(), "cAt");
    EXPECT_EQ(g_lastDirection, DString::NarrowDirection::ToNarrow);
    DString back;
    ASSERT_TRUE(back.toWide("dog"));
    EXPECT_EQ(back.view(), u"dog");
    EXPECT_EQ(g_lastDirection, DString::NarrowDirection::ToWide);
    EXPECT_EQ(g_calls, 2);

    DString::setNarrowConversion(nullptr); // back to the charset
    EXPECT_STREQ(text.toNarrow(), "cat");
    EXPECT_EQ(g_calls, 2);
}
