#include <gtest/gtest.h>

#include "platform/sys/Profile.h"
#include "tests/support/TestEnvironment.h"

namespace {

using vx::test::TempDir;
using vx::test::writeFile;

const char* const kSettings = "; a comment line\n"
                              "orphan=before any section\n"
                              "[ Meter ]\n"
                              "  Needle Base Size =  30  \n"
                              "Needle offset=\"15\"\n"
                              "quoted='a b'\n"
                              "mixed=\"a'\n"
                              "only=\"\n"
                              "empty=\n"
                              "inner = a = b\n"
                              "no equals sign\n"
                              "; key=commented out\n"
                              "twice=first\n"
                              "twice=second\n"
                              "[Slider]\r\n"
                              "Thumb size [%]=60\r\n"
                              "[METER]\n"
                              "later=in a second section of the same name\n"
                              "[unclosed\n"
                              "key=value\n";

TEST(Profile, PrivateProfileRulesForNamesAndValues)
{
    const Profile profile(Profile::decodeUtf8(kSettings));
    struct Row {
        const char16_t* section;
        const char16_t* key;
        std::optional<std::u16string> value;
    };
    const Row rows[] = {
        {u"meter", u"needle base size", u"30"},
        {u"METER", u"NEEDLE BASE SIZE", u"30"},
        {u"  Meter ", u" Needle Base Size", u"30"},
        {u"Meter", u"Needle offset", u"15"},
        {u"Meter", u"quoted", u"a b"},
        {u"Meter", u"mixed", u"\"a'"},
        {u"Meter", u"only", u"\""},
        {u"Meter", u"empty", u""},
        {u"Meter", u"inner", u"a = b"},
        {u"Meter", u"no equals sign", std::nullopt},
        {u"Meter", u"; key", std::nullopt},
        {u"Meter", u"twice", u"first"},
        {u"Meter", u"later", std::nullopt},
        {u"Meter", u"Thumb size [%]", std::nullopt},
        {u"slider", u"thumb size [%]", u"60"},
        {u"", u"orphan", std::nullopt},
        {u"unclosed", u"key", u"value"},
        {u"missing", u"key", std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << std::string(row.key, row.key + std::char_traits<char16_t>::length(row.key)));
        EXPECT_EQ(profile.value(row.section, row.key), row.value);
    }
}

TEST(Profile, ReadStringGivesTheFallbackAndCutsToTheBound)
{
    TempDir folder;
    writeFile(folder / "style.ini", "[long]\nvalue=" + std::string(300, 'x') + "\nshort=abc\n");
    EXPECT_EQ(Profile::readString(folder / "style.ini", u"long", u"value", u"", 200), std::u16string(200, u'x'));
    EXPECT_EQ(Profile::readString(folder / "style.ini", u"long", u"short", u"", 200), u"abc");
    EXPECT_EQ(Profile::readString(folder / "style.ini", u"long", u"short", u"", 2), u"ab");
    EXPECT_EQ(Profile::readString(folder / "style.ini", u"long", u"none", u"fallback", 200), u"fallback");
    EXPECT_EQ(Profile::readString(folder / "style.ini", u"long", u"none", u"fallback", 4), u"fall");
    EXPECT_EQ(Profile::readString(folder / "missing.ini", u"long", u"short", u"", 200), u"");
}

TEST(Profile, UnreadableOrOversizedFilesAreEmpty)
{
    TempDir folder;
    EXPECT_EQ(Profile::load(folder.path()).value(u"a", u"b"), std::nullopt);
    std::string large = "[a]\nb=c\n";
    large.resize(Profile::kMaxFileBytes + 1, '\n');
    writeFile(folder / "large.ini", large);
    EXPECT_EQ(Profile::load(folder / "large.ini").value(u"a", u"b"), std::nullopt);
    large.resize(Profile::kMaxFileBytes);
    writeFile(folder / "large.ini", large);
    EXPECT_EQ(Profile::load(folder / "large.ini").value(u"a", u"b"), u"c");
}

TEST(Profile, DecodesUtf8AndReplacesWhatIsNot)
{
    EXPECT_EQ(Profile::decodeUtf8("\xEF\xBB\xBF" "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"), u"a\u00E9\u20AC\U0001F600");
    // A stray continuation byte, an overlong form, a surrogate, a cut-off sequence.
    EXPECT_EQ(Profile::decodeUtf8("\x80" "a"), u"\uFFFDa");
    EXPECT_EQ(Profile::decodeUtf8("\xC0\xAF"), u"\uFFFD\uFFFD");
    EXPECT_EQ(Profile::decodeUtf8("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");
    EXPECT_EQ(Profile::decodeUtf8("a\xE2\x82"), u"a\uFFFD\uFFFD");
    EXPECT_EQ(Profile::decodeUtf8(std::string_view("\0b", 2)), std::u16string(u"\0b", 2));
}

} // namespace
