#include "editor/document/CPropertyCategory.h"

CPropertyCategory::CPropertyCategory(std::u16string_view name) : m_name(name) {}

CPropertyCategory::~CPropertyCategory() = default;

std::unique_ptr<CPropertyCategory> CPropertyCategory::Create(std::u16string_view name)
{
    return std::make_unique<CPropertyCategory>(name);
}

CPropertyBase* CPropertyCategory::Add(std::unique_ptr<CPropertyBase> property)
{
    m_properties.push_back(std::move(property));
    return m_properties.back().get();
}

CPropertyBase* CPropertyCategory::FindProperty(std::u16string_view caption) const
{
    for (const auto& property : m_properties)
        if (property->GetCaption() == caption)
            return property.get();
    return nullptr;
}

std::u16string CPropertyCategory::JoinValues() const
{
    std::u16string joined;
    for (const auto& property : m_properties) {
        joined += property->GetValueText();
        joined += kListSeparator;
    }
    return joined;
}

std::u16string CPropertyCategory::GetTagList() const
{
    std::u16string tags;
    for (const auto& property : m_properties) {
        if (property->GetOptionsText() != u"<tags>")
            continue;
        tags += property->GetValueText();
        tags += kListSeparator;
    }
    return tags;
}
