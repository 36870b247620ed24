#pragma once
// A named group of properties in declaration order, shown expanded at first.

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "editor/document/CPropertyBase.h"

class CPropertyCategory {
public:
    explicit CPropertyCategory(std::u16string_view name);
    virtual ~CPropertyCategory();
    CPropertyCategory(const CPropertyCategory&) = delete;
    CPropertyCategory& operator=(const CPropertyCategory&) = delete;

    static std::unique_ptr<CPropertyCategory> Create(std::u16string_view name);

    const std::u16string& GetName() const { return m_name; }
    bool IsExpanded() const { return m_expanded; }
    void SetExpanded(bool expanded) { m_expanded = expanded; }

    CPropertyBase* Add(std::unique_ptr<CPropertyBase> property);
    // The first property of that exact caption, or none.
    CPropertyBase* FindProperty(std::u16string_view caption) const;
    std::span<const std::unique_ptr<CPropertyBase>> GetProperties() const { return m_properties; }

    // Every value followed by the list separator.
    std::u16string JoinValues() const;
    // The values of the properties whose options are "<tags>", each followed by the separator.
    std::u16string GetTagList() const;

private:
    std::u16string m_name;
    std::vector<std::unique_ptr<CPropertyBase>> m_properties;
    bool m_expanded = true;
};
