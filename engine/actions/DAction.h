#pragma once
// One action of a trigger: its number, its operands and the tags it names. Page changes
// and reloads are deferred: a clone waits in the project's list until the frame has been
// drawn. What each number does is one row of DActionTable.

#include <cstdint>
#include <memory>

#include "engine/tags/DItemDescriptor.h"
#include "engine/core/DObject.h"
#include "engine/tags/DValue.h"

class DActionTrigger;
class DFile;
class DProject;

class DAction : public DObject {
public:
    // The result of a comparison that failed; every other action gives 0.
    static constexpr int kFailed = 1;

    DAction(DActionTrigger* owner, DProject* project) : m_owner(owner), m_project(project) {}
    ~DAction() override;
    DAction(const DAction&) = delete;
    DAction& operator=(const DAction&) = delete;

    // Reads the action number, the operand byte count and the operands the number uses;
    // ends past the operands. An operand count beyond the record fails with 3.
    [[nodiscard]] int load(DFile& file);
    // Frees the text of the string actions.
    void releaseOperands();
    // With runNow 0 a deferrable action of a trigger queues a clone and returns 0;
    // otherwise the action runs. 0, or kFailed for a comparison that failed.
    int execute(int runNow);
    [[nodiscard]] bool isDeferrable() const;
    // A new action with the number, the project and A, B and L: no owner, tags or text.
    [[nodiscard]] std::unique_ptr<DAction> clone() const;

    [[nodiscard]] uint32_t type() const { return m_type; }
    [[nodiscard]] int32_t a() const { return m_a; }
    [[nodiscard]] int32_t b() const { return m_b; }
    [[nodiscard]] int32_t l() const { return m_l; }
    // The text of actions 43 and 45 as a UTF-16LE value; holds nothing for others.
    [[nodiscard]] const DValue& text() const { return m_text; }
    [[nodiscard]] const DItemDescriptor& tag() const { return m_tag; }
    [[nodiscard]] const DItemDescriptor& tag2() const { return m_tag2; }
    [[nodiscard]] DActionTrigger* owner() const { return m_owner; }
    [[nodiscard]] DProject* project() const { return m_project; }

private:
    uint32_t m_type = 0;
    int32_t m_a = 0;
    int32_t m_b = 0;
    int32_t m_l = 0;
    DValue m_text;
    DItemDescriptor m_tag;
    DItemDescriptor m_tag2;
    DActionTrigger* m_owner;
    DProject* m_project;
};
