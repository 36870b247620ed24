#include "editor/document/CPropertyBase.h"

CPropertyBase::CPropertyBase(CSelectable* owner, PropertyKind kind, std::u16string_view caption,
                             std::u16string_view defaultText, std::u16string_view description)
    : m_owner(owner), m_kind(kind), m_caption(caption), m_value(defaultText), m_options(defaultText),
      m_description(description)
{
}

CPropertyBase::~CPropertyBase() = default;

std::u16string CPropertyBase::GetValueText() const
{
    return m_value.Text();
}

std::u16string CPropertyBase::GetListValue() const
{
    const std::u16string text = m_value.Text();
    if (text.starts_with(u'<'))
        return {};
    return text.substr(0, text.find(kListSeparator));
}

std::u16string CPropertyBase::GetOptionsText() const
{
    return m_options.Text();
}

bool CPropertyBase::IsEmpty() const
{
    return m_value.IsEmpty();
}

int32_t CPropertyBase::GetInt() const
{
    return IsEmpty() ? 0 : m_value.ToInt();
}

uint32_t CPropertyBase::GetUInt() const
{
    return IsEmpty() ? 0 : m_value.ToUInt();
}

bool CPropertyBase::GetBool() const
{
    return IsEmpty() ? false : m_value.ToBool();
}
