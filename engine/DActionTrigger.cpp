#include "engine/DActionTrigger.h"

#include "engine/DAction.h"
#include "engine/DActionTable.h"
#include "engine/DFile.h"
#include "engine/DStatus.h"
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
    for (uint32_t i = 0; i < header.actionCount; ++i) {
        std::unique_ptr<DAction> action(new DAction(this, project));
        if (!action)
            return DStatus::Failed;
        if (const int status = action->load(file); status != DStatus::Ok)
            return status;
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
    // One bit per IF depth: level marks the current depth (0 outside any IF), skip the
    // depths whose branch is not running, taken those where a branch already ran.
    uint32_t level = 0, skip = 0, taken = 0;
    for (std::size_t i = 0; i < m_actions.size(); ++i) {
        DAction& action = *m_actions[i];
        switch (actionRow(action.type()).structure) {
        case DActionRow::Structure::If:
            level = level ? level << 1 : 1;
            break;
        case DActionRow::Structure::Else:
            if ((taken & level) || !(skip & level))
                skip |= level;
            else
                skip &= ~level;
            break;
        case DActionRow::Structure::End:
            taken &= ~level;
            skip &= ~level;
            level >>= 1;
            break;
        case DActionRow::Structure::None:
            break;
        }
        if (skip != 0)
            continue;
        if (action.execute(0) == DAction::kFailed)
            skip = level;
        else
            taken |= level;
        if (!firing.listAlive())
            return; // the widget went away with its page
    }
}
