#pragma once
// One property merged over the current selection: the value when every selected item
// holds the same one, or the mark that the values differ or that an item lacks it.

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "editor/document/CPropertyBase.h"

class CPropertyContainer;

enum class MergeState : int32_t {
    Nothing = 0,  // no item merged yet
    Missing = 1,  // at least one selected item lacks the property (final)
    Differs = 2,  // the values differ: shown as mixed (final)
    Equal = 3,    // all equal so far
};

class CPropertySelectedList : public CPropertyBase {
public:
    explicit CPropertySelectedList(std::span<CSelectable* const> selection = {});
    ~CPropertySelectedList() override;

    // Merges the property of one selected item; container none counts as missing.
    void Merge(const CPropertyContainer* container, std::u16string_view category, std::u16string_view caption);
    void MarkMissing() { m_state = MergeState::Missing; }
    MergeState GetMergeState() const { return m_state; }
    bool IsMixed() const { return m_state == MergeState::Differs; }

    bool IsSameSelection(std::span<CSelectable* const> selection) const;
    // The page view fills the selection item by item.
    void AddItem(CSelectable* item) { m_selection.push_back(item); }
    std::span<CSelectable* const> GetSelection() const { return m_selection; }
    bool GetFlag() const { return m_flag; }
    void SetFlag(bool flag) { m_flag = flag; }

private:
    MergeState m_state = MergeState::Nothing;
    std::vector<CSelectable*> m_selection;
    bool m_flag = false;
};
