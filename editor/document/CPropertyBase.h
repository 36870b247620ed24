#pragma once
// One property of a page, an object or the project: a kind, a caption (the name code
// finds it by inside its category), a value, its options and a description.

#include <cstdint>
#include <string>
#include <string_view>

#include "editor/document/CPropertyValue.h"
#include "editor/document/PropertyKind.h"

class CSelectable;

class CPropertyBase {
public:
    // The value and the options both start as the declared default.
    CPropertyBase(CSelectable* owner, PropertyKind kind, std::u16string_view caption,
                  std::u16string_view defaultText, std::u16string_view description);
    virtual ~CPropertyBase();
    CPropertyBase(const CPropertyBase&) = delete;
    CPropertyBase& operator=(const CPropertyBase&) = delete;

    CSelectable* GetOwner() const { return m_owner; }
    PropertyKind GetKind() const { return m_kind; }
    const std::u16string& GetCaption() const { return m_caption; }
    const CPropertyValue& GetValue() const { return m_value; }
    // Stores a value as it is: no undo, no modified mark (see CPropertyContainer::SetPropertyValue).
    void SetValue(CPropertyValue value) { m_value = std::move(value); }
    void SetOptions(CPropertyValue options) { m_options = std::move(options); }

    std::u16string GetValueText() const;
    // For list kinds: the choice before the first separator; empty for a dynamic
    // source ("<tags>", "<pages>" ...).
    std::u16string GetListValue() const;
    std::u16string GetOptionsText() const;
    const std::u16string& GetDescription() const { return m_description; }
    bool IsEmpty() const;
    int32_t GetInt() const;
    uint32_t GetUInt() const;
    bool GetBool() const;

protected:
    void SetKind(PropertyKind kind) { m_kind = kind; }
    void SetCaption(std::u16string_view caption) { m_caption = caption; }

private:
    CSelectable* m_owner;
    PropertyKind m_kind;
    std::u16string m_caption;
    CPropertyValue m_value;
    CPropertyValue m_options;
    std::u16string m_description;
};
