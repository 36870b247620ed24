#include "editor/document/CPropertyContainer.h"

#include <algorithm>

#include "diagram/CDiagramEntityContainer.h"
#include "editor/document/CDocumentHost.h"
#include "editor/document/CSelectable.h"

CPropertyContainer::~CPropertyContainer() = default;

CPropertyCategory* CPropertyContainer::AddCategory(std::unique_ptr<CPropertyCategory> category)
{
    m_categories.push_back(std::move(category));
    return m_categories.back().get();
}

CPropertyCategory* CPropertyContainer::FindCategory(std::u16string_view name) const
{
    for (const auto& category : m_categories)
        if (category->GetName() == name)
            return category.get();
    return nullptr;
}

CPropertyBase* CPropertyContainer::FindProperty(std::u16string_view category, std::u16string_view caption) const
{
    const CPropertyCategory* found = FindCategory(category);
    return found ? found->FindProperty(caption) : nullptr;
}

std::u16string CPropertyContainer::GetTagList() const
{
    std::u16string tags;
    for (const auto& category : m_categories)
        tags += category->GetTagList();
    return tags;
}

std::u16string CPropertyContainer::GetStyle() const
{
    const CPropertyCategory* style = FindCategory(u"Style");
    return style ? style->JoinValues() : std::u16string();
}

void CPropertyContainer::RemoveStyle()
{
    std::erase_if(m_categories, [](const auto& category) { return category->GetName() == u"Style"; });
}

bool CPropertyContainer::ValueDiffers(std::u16string_view category, std::u16string_view caption,
                                      std::u16string_view text) const
{
    const CPropertyBase* property = FindProperty(category, caption);
    return property && CompareValueTexts(property->GetValueText(), text) != 0;
}

bool CPropertyContainer::SetPropertyValue(std::u16string_view category, std::u16string_view caption,
                                          const CPropertyValue& value)
{
    CPropertyBase* property = FindProperty(category, caption);
    if (!property)
        return false;
    const std::u16string text = value.Text();
    if (CompareValueTexts(property->GetValueText(), text) == 0)
        return false;

    CDocumentHost& host = CDocumentHost::Get();
    host.SetProjectModified();
    host.RefreshFrameState();
    if (const CSelectable* owner = property->GetOwner())
        if (CDiagramEntityContainer* editor = owner->GetOwnerEditor())
            editor->Snapshot(property->GetCaption() + u" = " + text);
    property->SetValue(value);
    return true;
}

void CPropertyContainer::CopyValuesFrom(const CPropertyContainer& other)
{
    const size_t categories = std::min(m_categories.size(), other.m_categories.size());
    for (size_t c = 0; c < categories; ++c) {
        const auto mine = m_categories[c]->GetProperties();
        const auto theirs = other.m_categories[c]->GetProperties();
        const size_t count = std::min(mine.size(), theirs.size());
        for (size_t p = 0; p < count; ++p)
            mine[p]->SetValue(theirs[p]->GetValue());
    }
}
