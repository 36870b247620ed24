#include "engine/actions/DActionList.h"

#include <algorithm>

#include "engine/actions/DActionTrigger.h"
#include "engine/core/DFile.h"
#include "engine/core/DStatus.h"
#include "foundation/target/TargetActions.h"

namespace {
constexpr int kNoneMatched = 2;
} // namespace

uint64_t bytesLeftInRecord(const DFile& file)
{
    const uint64_t end = std::min(file.currentLimit(), file.size());
    const uint64_t position = file.tell();
    return position < end ? end - position : 0;
}

DActionList::DActionList(DProject* project) : m_project(project) {}

DActionList::~DActionList()
{
    for (Firing* firing = s_innermost; firing; firing = firing->outer)
        if (firing->list == this)
            firing->list = nullptr;
}

int DActionList::load(DFile& file)
{
    uint32_t count = 0;
    if (const int status = readWord(file, count); status != DStatus::Ok)
        return status;
    if (count > bytesLeftInRecord(file) / target::TriggerGroupHeader::kSmallestSize)
        return DStatus::BeyondLimit;
    for (uint32_t i = 0; i < count; ++i) {
        auto trigger = std::make_unique<DActionTrigger>(this);
        if (!trigger)
            return DStatus::Failed;
        if (const int status = trigger->load(file); status != DStatus::Ok)
            return status;
        m_triggers.push_back(std::move(trigger));
    }
    return DStatus::Ok;
}

int DActionList::fire(uint32_t event, uint32_t key, bool queryOnly)
{
    if (queryOnly) {
        for (const auto& trigger : m_triggers)
            if (trigger->matches(event, key))
                return DStatus::Ok;
        return kNoneMatched;
    }
    if (s_nesting >= kMaxNesting)
        return kNoneMatched;
    Firing firing{this, s_innermost};
    s_innermost = &firing;
    ++s_nesting;
    bool matched = false;
    // Every matching trigger runs, in list order.
    for (std::size_t i = 0; firing.listAlive() && i < m_triggers.size(); ++i) {
        if (m_triggers[i]->matches(event, key)) {
            matched = true;
            m_triggers[i]->run(firing);
        }
    }
    --s_nesting;
    s_innermost = firing.outer;
    return matched ? DStatus::Ok : kNoneMatched;
}
