#include "foundation/target/TargetSystemTags.h"

#include <string>

namespace target {

namespace {

constexpr std::array<std::u16string_view, SystemTags::kTagsPerTimer> kTimerSuffixes{
    u"_value", u"_start", u"_stop", u"_mode", u"_step"};
constexpr int32_t kTimerTagCount = SystemTags::kGeneralTimerCount * SystemTags::kTagsPerTimer;

struct TimerTable {
    std::array<std::u16string, kTimerTagCount> names;
    std::array<SystemTagEntry, kTimerTagCount> entries;

    TimerTable()
    {
        for (int32_t timer = 0; timer < SystemTags::kGeneralTimerCount; ++timer) {
            for (int32_t field = 0; field < SystemTags::kTagsPerTimer; ++field) {
                const int32_t i = timer * SystemTags::kTagsPerTimer + field;
                std::u16string& name = names[i];
                name = u"sys_gentimer";
                name += char16_t(u'0' + timer / 10);
                name += char16_t(u'0' + timer % 10);
                name += kTimerSuffixes[field];
                entries[i] = {name, SystemTags::generalTimerTag(timer, SystemTags::TimerField(field))};
            }
        }
    }
};

const TimerTable& timers()
{
    static const TimerTable table;
    return table;
}

} // namespace

std::span<const SystemTagEntry> SystemTags::timerTable()
{
    return timers().entries;
}

int32_t SystemTags::find(std::u16string_view name)
{
    for (const SystemTagEntry& entry : kBasic)
        if (entry.name == name)
            return entry.number;
    for (const SystemTagEntry& entry : timerTable())
        if (entry.name == name)
            return entry.number;
    return kNotFound;
}

} // namespace target
