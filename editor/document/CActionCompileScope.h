#pragma once
// What the action compiler asks of the page and project around a script's owner.

#include <cstdint>
#include <string_view>

class CSelectable;

class CActionCompileScope {
public:
    virtual ~CActionCompileScope() = default;
    // The page the owner lies on (the owner itself for a page script).
    virtual const CSelectable* Page() const = 0;
    // The page's first object in its list; none on a page without objects.
    virtual const CSelectable* FirstObject() const = 0;
    // Target index of the page's object whose "_Original name" equals name; -1.
    virtual int32_t FindObject(std::u16string_view originalName) const = 0;
    // Index of the project's page whose name or original name equals name; -1.
    virtual int32_t FindPage(std::u16string_view name) const = 0;
};
