#include <gtest/gtest.h>

#include <set>

#include "editor/document/ActionTable.h"
#include "editor/document/CStringArrayEx.h"
#include "editor/document/CStringExtra.h"

namespace {

std::string narrow(std::u16string_view text)
{
    return std::string(text.begin(), text.end());
}

} // namespace

TEST(ActionTable, FortyNineRowsWithTheirSignaturesAndCommands)
{
    struct Row {
        uint32_t row;
        int32_t commandId;
        int32_t imageIndex;
        std::string_view signature;
        std::u16string_view name;
    };
    const Row rows[] = {
        {0, -1, -1, "", u""},
        {1, 32878, 0, "", u"Go to next page"},
        {3, 32880, 2, "p", u"Go to page X"},
        {6, 32875, 21, "i", u"Exit and load project"},
        {12, 32873, 17, "ii", u"Set layer horizontal position"},
        {14, 32881, 3, "wi", u"Set tag"},
        {15, -1, 3, "wt", u""},
        {17, 32883, 9, "wi", u"Decrement tag"},
        {19, -1, 9, "wii", u""},
        {23, -1, 9, "wti", u""},
        {25, 32887, 13, "wi", u"Divide tag"},
        {32, 32892, 25, "wii", u"Bit-wise tag"},
        {33, -1, 25, "wti", u""},
        {34, 32889, 24, "tii", u"Compare tag"},
        {35, -1, 24, "tti", u""},
        {36, 32890, 27, "", u"Else"},
        {37, 32891, 26, "", u"End"},
        {38, -1, -1, "", u"New action"},
        {39, -1, -1, "", u"<empty>"},
        {40, 32888, 20, "o", u"Set focus to object"},
        {41, 32893, 30, "tii", u"Else compare tag"},
        {42, -1, 30, "tti", u""},
        {43, 32894, 31, "Ta", u"Set string tag"},
        {44, -1, 31, "TT", u""},
        {45, 32895, 32, "Ta", u"Concatenate tag"},
        {46, -1, 32, "TT", u""},
        {47, 32896, 34, "c", u"Send key"},
        {48, 32897, 33, "", u"Change page focus"},
    };
    const auto& table = ActionTable();
    ASSERT_EQ(table.size(), 49u);
    for (const Row& r : rows) {
        EXPECT_EQ(table[r.row].commandId, r.commandId) << r.row;
        EXPECT_EQ(table[r.row].imageIndex, r.imageIndex) << r.row;
        EXPECT_EQ(table[r.row].signature, r.signature) << r.row;
        EXPECT_EQ(table[r.row].displayName, r.name) << r.row;
    }
    // Every command row has a name and every variant none; commands are unique.
    std::set<int32_t> commands;
    for (const ActionRow& row : table) {
        if (row.commandId != -1) {
            EXPECT_FALSE(row.displayName.empty());
            EXPECT_TRUE(commands.insert(row.commandId).second);
        }
    }
    EXPECT_EQ(commands.size(), 28u);
}

TEST(ActionTable, FindActionByName)
{
    struct Case {
        std::u16string_view name;
        int formatVersion;
        uint32_t row;
    };
    const Case cases[] = {
        {u"Set tag", 1, 14},
        {u"set TAG", 1, 14},
        {u"Go to page X", 3, 3},
        {u"<EMPTY>", 1, 39},
        {u"Set tag X to value Y", 0, 14},
        {u"Set tag X to value Y", 1, 0},   // only in older projects
        {u"copy tag x to tag y", 0, 14},
        {u"Increment tag X by tag Y", 0, 16},
        {u"Decrement tag X by Y", 0, 17},
        {u"Multiply tag X by tag Y", 0, 24},
        {u"Divide tag X by Y", 0, 25},
        {u"Else compare", 2, 36},
        {u"End compare", 0, 37},
        {u"Jump around", 1, 0},
        {u"", 0, 0},                       // rows without a name never match
    };
    for (const Case& c : cases)
        EXPECT_EQ(FindActionByName(c.name, c.formatVersion), c.row) << narrow(c.name) << " " << c.formatVersion;
}

TEST(ActionTable, TriggersByNameAndNumber)
{
    EXPECT_EQ(TriggerFromName(u"On touch down"), 1u);
    EXPECT_EQ(TriggerFromName(u"on KEY hold"), 14u);
    EXPECT_EQ(TriggerFromName(u"On tag change"), 15u);
    EXPECT_EQ(TriggerFromName(u"On focus gained"), 0u);
    EXPECT_EQ(TriggerFromName(u""), 0u);
    for (uint32_t trigger = 1; trigger <= 15; ++trigger)
        EXPECT_EQ(TriggerFromName(TriggerToName(trigger)), trigger);
    EXPECT_EQ(TriggerToName(0), u"");
    EXPECT_EQ(TriggerToName(16), u"");

    const auto& table = TriggerTable();
    EXPECT_EQ(table[0].name, u"On press");
    EXPECT_EQ(table[0].availability, 3);
    EXPECT_EQ(table[11].name, u"On key up");
    EXPECT_EQ(table[13].name, u"On key down");
    EXPECT_EQ(table[14].availability, 5);
    EXPECT_EQ(table[15].name, u"");
    EXPECT_EQ(table[15].availability, 6);
}

TEST(ActionTable, DetailsAndKeyWords)
{
    EXPECT_EQ(AppendDetail(u"On key down", u"Enter"), u"On key down ( Enter )");
    EXPECT_EQ(AppendDetail(u"On press", u""), u"On press");
    const NameAndDetail split = SplitDetail(u"On key down ( Enter )");
    EXPECT_EQ(split.name, u"On key down");
    EXPECT_EQ(split.detail, u"Enter");
    EXPECT_EQ(SplitDetail(u"On press").detail, u"");

    struct Case {
        std::u16string_view detail;
        uint32_t word;
    };
    const Case cases[] = {
        {u"Enter", 0x0D}, {u"Escape", 0x1B}, {u"Left", 1}, {u"Up", 5}, {u"Right", 2}, {u"Down", 6},
        {u"Delete", 0x0C}, {u"Backspace", 8},
        {u"enter", u'e'},                   // key names are compared with case
        {u"a", 0x61},
        {u"\U0001F600", 0xDE00D83Du},       // both units in one word
        {u"\u00e9x", 0xE9},
        {u"", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(KeyWordFromText(c.detail), c.word) << narrow(c.detail);
}

TEST(ActionTable, OperatorTokens)
{
    EXPECT_EQ(FindCompareOperator(u"x >= 3"), 2u);
    EXPECT_EQ(FindCompareOperator(u"x>=3"), 2u);
    EXPECT_EQ(FindCompareOperator(u"x > 3"), 4u);
    EXPECT_EQ(FindCompareOperator(u"a<b"), 5u);
    EXPECT_EQ(FindCompareOperator(u"a < b == c"), 0u);   // the spaced pass finds " == " first
    EXPECT_EQ(FindCompareOperator(u"abc"), 0u);
    EXPECT_EQ(FindBitwiseOperator(u"a << 2"), 4u);
    EXPECT_EQ(FindBitwiseOperator(u"a << 2 & 1"), 0u);
    EXPECT_EQ(FindBitwiseOperator(u"SSAVER__ & 7"), 0u);
    EXPECT_EQ(FindBitwiseOperator(u"x ~"), 3u);
    EXPECT_EQ(FindBitwiseOperator(u"x >> 1"), 5u);
    for (uint32_t code = 0; code < 6; ++code) {
        EXPECT_EQ(FindBitwiseOperator(u"t " + BitwiseOperatorText(code) + u" 1"), code);
        EXPECT_EQ(FindCompareOperator(u"t " + CompareOperatorText(code) + u" 1"), code);
    }
    EXPECT_EQ(CompareOperatorText(6), u"");
}

TEST(ActionTable, SplittingHelpers)
{
    const CStringArrayEx pieces = CStringArrayEx::Split(u"T1 = 5;;+ max", u" =;+");
    EXPECT_EQ(pieces, (std::vector<std::u16string>{u"T1", u"5", u"max"}));
    EXPECT_TRUE(CStringArrayEx::Split(u"   ", u" ").empty());
    EXPECT_EQ(CStringExtra::Before(u"a = b", u" = "), u"a");
    EXPECT_EQ(CStringExtra::After(u"a = b = c", u" = "), u"b = c");
    EXPECT_EQ(CStringExtra::Before(u"ab", u"="), u"");
    EXPECT_EQ(CStringExtra::ValueOf(u"x=1; key=value; z=2", u"key="), u"value");
    EXPECT_EQ(CStringExtra::ValueOf(u"key=last", u"key="), u"last");
    EXPECT_EQ(CStringExtra::ValueOf(u"other", u"key="), u"");
}
