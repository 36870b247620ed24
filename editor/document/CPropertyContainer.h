#pragma once
// The categories of one owner's properties, in declaration order. Every change a user
// makes goes through SetPropertyValue, which marks the project modified and records
// an undo snapshot on the open page.

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "editor/document/CPropertyCategory.h"

class CPropertyContainer {
public:
    CPropertyContainer() = default;
    virtual ~CPropertyContainer();
    CPropertyContainer(const CPropertyContainer&) = delete;
    CPropertyContainer& operator=(const CPropertyContainer&) = delete;

    CPropertyCategory* AddCategory(std::unique_ptr<CPropertyCategory> category);
    std::span<const std::unique_ptr<CPropertyCategory>> GetCategories() const { return m_categories; }
    void Clear() { m_categories.clear(); }

    CPropertyCategory* FindCategory(std::u16string_view name) const;
    CPropertyBase* FindProperty(std::u16string_view category, std::u16string_view caption) const;

    // The tag lists of all categories joined.
    std::u16string GetTagList() const;
    // The "Style" category's joined values; empty without one.
    std::u16string GetStyle() const;
    void RemoveStyle();

    // True when the property exists and its value text differs from text.
    bool ValueDiffers(std::u16string_view category, std::u16string_view caption, std::u16string_view text) const;
    // Sets a value as the user does; false (and nothing recorded) when the property is
    // missing or already holds that text.
    bool SetPropertyValue(std::u16string_view category, std::u16string_view caption, const CPropertyValue& value);
    // Copies every value position by position from a container of the same layout.
    void CopyValuesFrom(const CPropertyContainer& other);

private:
    std::vector<std::unique_ptr<CPropertyCategory>> m_categories;
};
