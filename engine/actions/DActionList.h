#pragma once
// The triggers of a widget or page background, compiled from its action script.

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/core/DObject.h"

class DActionTrigger;
class DFile;
class DProject;

class DActionList : public DObject {
public:
    // Runs of triggers inside runs (a key sent to a widget whose trigger sends a key,
    // focus triggers that move the focus back and forth) stop at this depth.
    static constexpr int kMaxNesting = 8;

    // One run of fire on the stack; the list's destructor clears it, so a trigger whose
    // list went away in the middle of its run stops there.
    struct Firing {
        DActionList* list;
        Firing* outer;
        [[nodiscard]] bool listAlive() const { return list != nullptr; }
    };

    explicit DActionList(DProject* project);
    ~DActionList() override;
    DActionList(const DActionList&) = delete;
    DActionList& operator=(const DActionList&) = delete;

    // Reads the trigger count and the triggers; a count or a trigger that does not fit
    // in the record stops the load there (3), keeping the triggers read before it.
    [[nodiscard]] int load(DFile& file);
    // Runs every trigger of the event (for key events, of the key); 0 when one matched,
    // 2 when none. queryOnly tells whether one would match without running it.
    int fire(uint32_t event, uint32_t key, bool queryOnly);

    DProject* project() const { return m_project; }
    const std::vector<std::unique_ptr<DActionTrigger>>& triggers() const { return m_triggers; }
    // Runs of fire under way now, across all lists.
    [[nodiscard]] static int nesting() { return s_nesting; }

private:
    static inline Firing* s_innermost = nullptr;
    static inline int s_nesting = 0;

    std::vector<std::unique_ptr<DActionTrigger>> m_triggers;
    DProject* m_project;
};

// Bytes from the read position to the end of the current record (the top read limit, or
// the end of the file), in 64 bits; 0 past it.
[[nodiscard]] uint64_t bytesLeftInRecord(const DFile& file);
