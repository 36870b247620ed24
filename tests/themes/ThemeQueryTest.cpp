#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "tests/themes/ThemeTestSupport.h"
#include "themes/CTheme.h"

namespace vx::test {
namespace {

struct ThemeRow {
    const char* library;
    std::u16string name;
    intptr_t roundness;
    uint32_t colour;
};

const ThemeRow kThemes[] = {
    {"Lacquer", u"Lacquer", 100, 0xFFEE82EE},
    {"Dune", u"Dune", 35, 0xFFF4A460},
    {"Alloy", u"Alloy", 30, 0xFF808080},
    {"Timber", u"Timber", 15, 0xFFDEB887},
};

TEST(ThemeQuery, EachLibraryAnswersItsNameRoundnessAndColour)
{
    for (const ThemeRow& row : kThemes) {
        SCOPED_TRACE(row.library);
        auto theme = LoadedTheme::load(row.library);
        ASSERT_TRUE(theme);
        theme->mark();
        EXPECT_EQ(theme->name(), row.name);
        EXPECT_EQ(theme->query(ThemeQueryPropertyDefinitions, nullptr, nullptr), 0);
        EXPECT_EQ(theme->query(ThemeQueryRoundness, nullptr, nullptr), row.roundness);
        EXPECT_EQ(uint32_t(theme->query(ThemeQueryColour, nullptr, nullptr)), row.colour);
        for (int32_t unknown : {0, 7, -1, 1000})
            EXPECT_EQ(theme->query(unknown, u"meter", u"Needle offset"), 0);
    }
}

class ThemeSettingsQuery : public ::testing::Test {
protected:
    void SetUp() override
    {
        theme = LoadedTheme::load("Dune");
        ASSERT_TRUE(theme);
        writeFile(folder / "Dune.ini", "\xEF\xBB\xBF; fixture\r\n"
                                       "Needle offset=1\r\n"
                                       "[Meter]\r\n"
                                       "  Needle Base Size =  42  \r\n"
                                       "needle offset=\"7\"\r\n"
                                       "[meter]\r\n"
                                       "Needle offset X=99\r\n"
                                       "[long]\r\n"
                                       "text=" + std::string(250, 'x') + "\r\n"
                                       "exact=" + std::string(200, 'y') + "\r\n");
    }

    TempDir folder;
    StylesFolder styles{folder.path()};
    std::optional<LoadedTheme> theme;
};

TEST_F(ThemeSettingsQuery, NamesMatchWithoutRegardToCaseAndValuesAreCleaned)
{
    EXPECT_EQ(theme->setting(u"METER", u"needle base size"), u"42");
    EXPECT_EQ(theme->setting(u"meter", u"Needle offset"), u"7");
    // Only the first section of a name counts; keys before any section belong to none.
    EXPECT_EQ(theme->setting(u"meter", u"Needle offset X"), u"");
    EXPECT_EQ(theme->setting(u"", u"Needle offset"), u"");
    EXPECT_EQ(theme->setting(u"meter", u"missing"), u"");
    EXPECT_EQ(theme->setting(u"missing", u"Needle offset"), u"");
    EXPECT_EQ(theme->setting(nullptr, u"Needle offset"), u"");
    EXPECT_EQ(theme->setting(u"meter", nullptr), u"");
}

TEST_F(ThemeSettingsQuery, ValuesStopAtTwoHundredCharacters)
{
    EXPECT_EQ(theme->setting(u"long", u"text"), std::u16string(200, u'x'));
    EXPECT_EQ(theme->setting(u"long", u"exact"), std::u16string(200, u'y'));
}

TEST_F(ThemeSettingsQuery, MissingFileGivesEmptyValues)
{
    std::filesystem::remove(folder / "Dune.ini");
    EXPECT_EQ(theme->setting(u"meter", u"Needle offset"), u"");
}

// The editor's worker and its user-interface thread may ask at the same time: each keeps
// its own answer until its next query.
TEST_F(ThemeSettingsQuery, TwoThreadsAskingAtOnceEachGetTheirOwnAnswer)
{
    std::atomic<int> wrong{0};
    std::atomic<bool> start{false};
    auto ask = [&](const char16_t* section, const char16_t* key, std::u16string expected) {
        while (!start)
            std::this_thread::yield();
        for (int i = 0; i < 200; ++i) {
            const auto* text = reinterpret_cast<const char16_t*>(theme->query(ThemeQuerySetting, section, key));
            std::this_thread::yield();
            if (std::u16string(text) != expected)
                ++wrong;
        }
    };
    std::thread first(ask, u"meter", u"Needle base size", u"42");
    std::thread second(ask, u"long", u"text", std::u16string(200, u'x'));
    start = true;
    first.join();
    second.join();
    EXPECT_EQ(wrong, 0);
}

// The settings the build lays beside the libraries answer what the editor asks.
TEST(ThemeQuery, BuiltSettingsAnswerTheMeterAndObjectDefaults)
{
    const StylesFolder styles(programPath("Styles"));
    for (const ThemeRow& row : kThemes) {
        SCOPED_TRACE(row.library);
        auto theme = LoadedTheme::load(row.library);
        ASSERT_TRUE(theme);
        for (const char16_t* key : {u"Needle base size", u"Needle offset", u"Needle offset X", u"Needle offset Y"}) {
            const std::u16string value = theme->setting(u"meter", key);
            EXPECT_FALSE(value.empty());
            EXPECT_EQ(value.find_first_not_of(u"-0123456789"), std::u16string::npos);
        }
        EXPECT_FALSE(theme->setting(u"button", u"Icon size [%]").empty());
        EXPECT_FALSE(theme->setting(u"slider", u"Thumb size [%]").empty());
        EXPECT_FALSE(theme->setting(u"listBox", u"Item height").empty());
        EXPECT_FALSE(theme->setting(u"graph", u"Border width").empty());
    }
}

} // namespace
} // namespace vx::test

namespace vx::test {
namespace {

// Without an override the pictures and settings are looked for in Styles/ beside the
// running program.
TEST(ThemeFolder, StylesFolderLiesBesideTheProgram)
{
    const StylesFolder styles("");
    const CTheme theme(kThemeConstants[0], {});
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe");
    EXPECT_EQ(theme.stylesFolder(), program.parent_path() / "Styles");
    const StylesFolder other("/elsewhere");
    EXPECT_EQ(theme.stylesFolder(), std::filesystem::path("/elsewhere"));
}

} // namespace
} // namespace vx::test
