#include "engine/actions/DActionTrigger.h"

#include <algorithm>
#include <array>
#include <span>

#include "engine/actions/DAction.h"
#include "engine/actions/DActionTable.h"
#include "engine/core/DFile.h"
#include "engine/core/DStatus.h"
#include "foundation/target/TargetActions.h"

DActionTrigger::DActionTrigger(DActionList* owner) : m_owner(owner) {}

DActionTrigger::~DActionTrigger() = default;

int DActionTrigger::load(DFile& file)
{
    target::TriggerGroupHeader header;
    if (const int status = target::readTriggerGroupHeader(file, header); status != DStatus::Ok)
        return status;
    m_event = header.trigger;
    if (target::triggerHasKeyWord(m_event)) {
        m_keyValue.init(nullptr, sizeof(int32_t), DValue::kInteger);
        m_keyValue.setNumber(int32_t(header.keyWord));
    }
    if (header.actionCount > bytesLeftInRecord(file) / target::ActionHeader::kSize)
        return DStatus::BeyondLimit;
    DProject* project = m_owner ? m_owner->project() : nullptr;
    uint32_t depth = 0;
    for (uint32_t i = 0; i < header.actionCount; ++i) {
        auto action = std::make_unique<DAction>(this, project);
        if (!action)
            return DStatus::Failed;
        if (const int status = action->load(file); status != DStatus::Ok)
            return status;
        // How deep the IFs nest, so a run has room for every level.
        const DActionRow::Structure structure = actionRow(action->type()).structure;
        if (structure == DActionRow::Structure::If)
            m_deepestIf = std::max(m_deepestIf, ++depth);
        else if (structure == DActionRow::Structure::End && depth)
            --depth;
        m_actions.push_back(std::move(action));
    }
    return DStatus::Ok;
}

bool DActionTrigger::matches(uint32_t event, uint32_t key) const
{
    if (event != m_event)
        return false;
    return !target::triggerHasKeyWord(event) || m_keyValue.number() == int32_t(key);
}

void DActionTrigger::run(const DActionList::Firing& firing)
{
    // Per IF depth (0 outside any IF): whether its branch is skipped and whether one of its
    // branches already ran. Shallow lists keep the state on the stack; deeper ones (the
    // depth is known from the load) get room for every level, so nesting has no limit.
    enum : uint8_t { kSkip = 1, kTaken = 2 };
    std::array<uint8_t, 33> shallow{};
    std::vector<uint8_t> deep;
    std::span<uint8_t> state(shallow);
    if (m_deepestIf >= shallow.size()) {
        deep.assign(std::size_t(m_deepestIf) + 1, 0);
        state = deep;
    }
    std::size_t level = 0;
    uint32_t skipping = 0; // levels whose branch is skipped
    const auto setSkip = [&](bool skip) {
        if (skip == bool(state[level] & kSkip))
            return;
        state[level] ^= kSkip;
        skip ? ++skipping : --skipping;
    };
    for (std::size_t i = 0; i < m_actions.size(); ++i) {
        DAction& action = *m_actions[i];
        switch (actionRow(action.type()).structure) {
        case DActionRow::Structure::If:
            ++level;
            break;
        case DActionRow::Structure::Else:
            if (level)
                setSkip((state[level] & kTaken) || !(state[level] & kSkip));
            break;
        case DActionRow::Structure::End:
            if (level) {
                setSkip(false);
                state[level] = 0;
                --level;
            }
            break;
        case DActionRow::Structure::None:
            break;
        }
        if (skipping != 0)
            continue;
        if (action.execute(0) == DAction::kFailed) {
            if (level)
                setSkip(true);
        } else if (level) {
            state[level] |= kTaken;
        }
        if (!firing.listAlive())
            return; // the widget went away with its page
    }
}
