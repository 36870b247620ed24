#include <gtest/gtest.h>

#include <set>

#include "editor/document/CSysTag.h"
#include "foundation/target/TargetSystemTags.h"

TEST(CSysTag, NamesResolveToTheirNumbers)
{
    struct Case {
        std::u16string_view name;
        int32_t number;
    };
    const Case cases[] = {
        {u"sys_counter", 0},
        {u"sys_EKG", 1},
        {u"sys_time", 2},
        {u"sys_page_current", 3},
        {u"sys_memory_current_bytes", 6},
        {u"sys_memory_num_allocs", 7},
        {u"sys_gentimer00_value", 44},
        {u"sys_gentimer00_step", 48},
        {u"sys_gentimer07_mode", 82},
        {u"sys_gentimer10_start", 95},
        {u"sys_gentimer19_step", 143},
        {u"SYS_COUNTER", -1},         // compared with case
        {u"sys_gentimer20_value", -1},
        {u"sys_gentimer7_mode", -1},
        {u"sys_counter ", -1},
        {u"", -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CSysTag::FindId(c.name), c.number) << std::string(c.name.begin(), c.name.end());
}

TEST(CSysTag, BasicTableInItsOrderAndTimerTableComplete)
{
    ASSERT_EQ(CSysTag::GetCount(), 6);
    EXPECT_EQ(CSysTag::GetName(0), u"sys_counter");
    EXPECT_EQ(CSysTag::GetName(5), u"sys_memory_num_allocs");
    EXPECT_EQ(CSysTag::GetName(6), u"");
    EXPECT_EQ(CSysTag::GetName(-1), u"");

    const auto timers = target::SystemTags::timerTable();
    ASSERT_EQ(timers.size(), 100u);
    std::set<std::u16string_view> names;
    for (std::size_t i = 0; i < timers.size(); ++i) {
        EXPECT_EQ(timers[i].number, int32_t(44 + i));
        names.insert(timers[i].name);
        EXPECT_LT(timers[i].number, target::SystemTags::kCount);
    }
    EXPECT_EQ(names.size(), 100u);
    EXPECT_TRUE(CSysTag::IsSystemTagName(u"sysanything"));
    EXPECT_FALSE(CSysTag::IsSystemTagName(u"Sys_counter"));
}
