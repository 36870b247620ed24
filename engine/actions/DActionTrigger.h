#pragma once
// One trigger of an action list: an event, for key events the key, and its actions run
// in order as a small structured program (IF, ELSE IF, ELSE, END).

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/actions/DActionList.h"
#include "engine/core/DObject.h"
#include "engine/tags/DValue.h"

class DAction;
class DFile;

class DActionTrigger : public DObject {
public:
    explicit DActionTrigger(DActionList* owner);
    ~DActionTrigger() override;
    DActionTrigger(const DActionTrigger&) = delete;
    DActionTrigger& operator=(const DActionTrigger&) = delete;

    // Reads the event, the key word of the key events, the action count and the actions;
    // a count or an action that does not fit in the record fails (3).
    [[nodiscard]] int load(DFile& file);
    // The event, and for the key events 12 to 14 also the key.
    [[nodiscard]] bool matches(uint32_t event, uint32_t key) const;
    // Runs the actions; stops when the firing's list goes away under it.
    void run(const DActionList::Firing& firing);

    [[nodiscard]] uint32_t event() const { return m_event; }
    [[nodiscard]] DActionList* owner() const { return m_owner; }
    // Unset for events other than 12 to 14; a 32-bit integer with the key code for those.
    [[nodiscard]] const DValue& keyValue() const { return m_keyValue; }
    [[nodiscard]] const std::vector<std::unique_ptr<DAction>>& actions() const { return m_actions; }

private:
    uint32_t m_event = 0;
    DActionList* m_owner;
    std::vector<std::unique_ptr<DAction>> m_actions;
    DValue m_keyValue;
    uint32_t m_deepestIf = 0;
};
