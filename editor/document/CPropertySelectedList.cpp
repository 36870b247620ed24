#include "editor/document/CPropertySelectedList.h"

#include <algorithm>

#include "editor/document/CPropertyContainer.h"

CPropertySelectedList::CPropertySelectedList(std::span<CSelectable* const> selection)
    : CPropertyBase(nullptr, PropertyKind::String, u"", u"", u""), m_selection(selection.begin(), selection.end())
{
}

CPropertySelectedList::~CPropertySelectedList() = default;

void CPropertySelectedList::Merge(const CPropertyContainer* container, std::u16string_view category,
                                  std::u16string_view caption)
{
    if (m_state == MergeState::Missing)
        return;
    const CPropertyBase* property = container ? container->FindProperty(category, caption) : nullptr;
    if (!property) {
        m_state = MergeState::Missing;
        return;
    }
    if (m_state == MergeState::Nothing) {
        SetValue(property->GetValue());
        SetKind(property->GetKind());
        SetCaption(property->GetCaption());
        SetOptions(CPropertyValue(property->GetOptionsText()));
        m_state = MergeState::Equal;
        return;
    }
    if (m_state == MergeState::Equal && CompareValueTexts(GetValueText(), property->GetValueText()) != 0)
        m_state = MergeState::Differs;
}

bool CPropertySelectedList::IsSameSelection(std::span<CSelectable* const> selection) const
{
    return std::equal(m_selection.begin(), m_selection.end(), selection.begin(), selection.end());
}
