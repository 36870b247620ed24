#pragma once
// One line of an action script as the actions grid shows it: the trigger text (with a
// key trigger's detail), the action's display name and the parameters text, all with
// current names.

#include <cstdint>
#include <string>

struct CActionsGridData {
    // "New action" for a line not given an action yet; "<empty>" for a placeholder that
    // only holds its trigger.
    static constexpr std::u16string_view kNewAction = u"New action";
    static constexpr std::u16string_view kEmpty = u"<empty>";

    std::u16string trigger;
    std::u16string action;
    std::u16string parameters;
    // The position in script order, kept in the grid row's data.
    int32_t index = 0;

    bool IsPlaceholder() const { return action == kEmpty; }
    bool operator==(const CActionsGridData&) const = default;
};
