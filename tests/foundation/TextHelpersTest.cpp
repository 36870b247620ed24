#include <gtest/gtest.h>

#include "foundation/TextHelpers.h"

TEST(TextHelpers, Utf8ToWideReplacesInvalidBytes)
{
    struct Case {
        std::string bytes;
        std::u16string wide;
    };
    const Case cases[] = {
        {"", u""},
        {"plain", u"plain"},
        {"\xc3\xa9", u"\u00e9"},
        {"\xe2\x82\xac", u"\u20ac"},
        {"\xf0\x9f\x98\x80", u"\xD83D\xDE00"},
        {"a\xffz", u"a\uFFFDz"},
        {"\xc3", u"\uFFFD"},               // truncated at the end
        {"\xe2\x82z", u"\uFFFDz"},         // truncated inside
        {"\xc0\xaf", u"\uFFFD\uFFFD"},     // overlong
        {"\xed\xa0\x80", u"\uFFFD\uFFFD\uFFFD"}, // an encoded surrogate
        {"\xf4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"}, // beyond U+10FFFF
    };
    for (const Case& c : cases)
        EXPECT_EQ(utf8ToWide(c.bytes), c.wide) << c.bytes;
    EXPECT_EQ(utf8ToWide("zero\0hidden", -1), u"zero");
}

TEST(TextHelpers, WideToUtf8RoundTripsAndReplacesLoneSurrogates)
{
    const std::u16string text = u"x\u00e9\u20ac\xD83D\xDE00";
    EXPECT_EQ(utf8ToWide(wideToUtf8(text)), text);
    EXPECT_EQ(wideToUtf8(u"a\xDC00"), "a\xef\xbf\xbd");
    EXPECT_EQ(wideToUtf8(u""), "");
}

TEST(TextHelpers, BooleanText)
{
    for (const char16_t* text : {u"false", u"False", u"FALSE", u"0"})
        EXPECT_FALSE(textIsTrue(text)) << std::u16string(text).size();
    for (const char16_t* text : {u"no", u"", u"00", u"TRUE", u"falsey"})
        EXPECT_TRUE(textIsTrue(text));
    EXPECT_EQ(boolText(7), u"TRUE");
    EXPECT_EQ(boolText(0), u"FALSE");
}

TEST(TextHelpers, BackslashAndConcat)
{
    const char16_t* path = u"dir\\file";
    EXPECT_EQ(findBackslash(path), path + 3);
    EXPECT_EQ(findBackslash(u""), nullptr);
    EXPECT_EQ(findBackslash(nullptr), nullptr);

    char16_t buffer[8] = u"ab";
    EXPECT_TRUE(wideConcat(buffer, 8, u"cde"));
    EXPECT_EQ(std::u16string(buffer), u"abcde");
    EXPECT_FALSE(wideConcat(buffer, 8, u"fgh"));
    EXPECT_EQ(std::u16string(buffer), u"abcde");
}
