#include <gtest/gtest.h>

#include "editor/document/ActionTable.h"
#include "editor/document/CActionScript.h"

namespace {

ActionEntry entry(uint32_t trigger, std::u16string detail, uint32_t action, std::u16string parameters)
{
    ActionEntry e;
    e.trigger = trigger;
    e.triggerDetail = std::move(detail);
    e.action = action;
    e.parameters = std::move(parameters);
    return e;
}

} // namespace

TEST(CActionScript, StoresTheEditorsFormAndParsesItBack)
{
    const std::vector<ActionEntry> entries{
        entry(12, u"Enter", 17, u"COUNTER 1 min 0"),   // "Decrement tag"
        entry(4, u"", 43, u"TEXT = Gr\u00fc\u00dfe \u65e5\u672c \U0001F600"),
    };
    const std::string text = CActionScript::Store(entries);
    const std::string expected = "[\n"
                                 "   {\n"
                                 "      \"command\" : \"Decrement tag\",\n"
                                 "      \"params\" : \"COUNTER 1 min 0\",\n"
                                 "      \"trigger\" : \"On key down\",\n"
                                 "      \"triggerParams\" : \"Enter\"\n"
                                 "   },\n"
                                 "   {\n"
                                 "      \"command\" : \"Set string tag\",\n"
                                 "      \"params\" : \"TEXT = Gr\xc3\xbc\xc3\x9f" "e \xe6\x97\xa5\xe6\x9c\xac \xf0\x9f\x98\x80\",\n"
                                 "      \"trigger\" : \"On press\",\n"
                                 "      \"triggerParams\" : \"\"\n"
                                 "   }\n"
                                 "]";
    EXPECT_EQ(text, expected);

    const auto back = CActionScript::Parse(text, 1);
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[0].trigger, 12u);
    EXPECT_EQ(back[0].triggerDetail, u"Enter");
    EXPECT_EQ(back[0].action, 17u);
    EXPECT_EQ(back[0].parameters, u"COUNTER 1 min 0");
    EXPECT_EQ(back[1].parameters, entries[1].parameters);
    EXPECT_EQ(CActionScript::Store(back), text);
}

TEST(CActionScript, ReadsAnyMemberOrderEscapesAndMissingMembers)
{
    const auto entries = CActionScript::Parse(
        R"([{"trigger":"on release","params":"T1 -= 1","command":"decrement TAG"},
            {"command":"Set tag","params":"\u00e9t\u00e9 = 2","triggerParams":"x"},
            {}, 7, "text"])",
        1);
    ASSERT_EQ(entries.size(), 5u);
    EXPECT_EQ(entries[0].trigger, 5u);
    EXPECT_EQ(entries[0].action, 17u);
    EXPECT_EQ(entries[0].parameters, u"T1 -= 1");
    EXPECT_EQ(entries[0].triggerDetail, u"");
    EXPECT_EQ(entries[1].trigger, 0u);
    EXPECT_EQ(entries[1].parameters, u"\u00e9t\u00e9 = 2");
    EXPECT_EQ(entries[1].triggerDetail, u"x");
    for (std::size_t i = 2; i < 5; ++i) {
        EXPECT_EQ(entries[i].trigger, 0u);
        EXPECT_EQ(entries[i].action, 0u);
        EXPECT_TRUE(entries[i].parameters.empty());
    }
}

TEST(CActionScript, UnknownCommandsAndTriggersKeepTheirText)
{
    const std::string text = R"([{"command":"Launch rocket","params":"now","trigger":"On lift-off","triggerParams":""}])";
    const auto entries = CActionScript::Parse(text, 1);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].action, 0u);
    EXPECT_EQ(entries[0].trigger, 0u);
    const auto again = CActionScript::Parse(CActionScript::Store(entries), 1);
    ASSERT_EQ(again.size(), 1u);
    EXPECT_EQ(again[0].commandText, u"Launch rocket");
    EXPECT_EQ(again[0].triggerText, u"On lift-off");
    EXPECT_EQ(again[0].parameters, u"now");
}

TEST(CActionScript, TextThatIsNoArrayGivesNoEntries)
{
    for (const char* text : {"", "{", "[1, 2", "{\"command\":\"Set tag\"}", "null", "\"[]\"", "\xff\xfe"})
        EXPECT_TRUE(CActionScript::Parse(text, 1).empty()) << text;
    // Deep nesting is refused, not a crash.
    const std::string deep = std::string(100000, '[') + std::string(100000, ']');
    EXPECT_TRUE(CActionScript::Parse(deep, 1).empty());
    EXPECT_EQ(CActionScript::Store({}), "[]");
}

TEST(CActionScript, DefaultScreenSaverScript)
{
    const auto entries = CActionScript::Parse(CActionScript::DefaultScreenSaverScript(), 1);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].trigger, 15u);
    EXPECT_EQ(entries[0].action, 14u);
    EXPECT_EQ(entries[0].parameters, u"SSAVER__ = sys_counter");
    EXPECT_EQ(entries[1].trigger, 15u);
    EXPECT_EQ(entries[1].action, 32u);
    EXPECT_EQ(entries[1].parameters, u"SSAVER__ & 7");
    EXPECT_TRUE(entries[1].triggerDetail.empty());
}
