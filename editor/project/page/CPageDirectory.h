#pragma once
// What a page asks of the project around it: the other pages by name, and a page name
// no page has yet. The project implements it; tests give a list of their own.

#include <cstdint>
#include <string>
#include <string_view>

// A page is referred to by its original name and shown by its current one.
enum class PageName { Current, Original, Either };

class CPageDirectory {
public:
    virtual ~CPageDirectory() = default;
    // Index of the first page whose name of that kind equals text (either name for
    // Either); -1 when none does.
    virtual int32_t FindPage(std::u16string_view text, PageName by) const = 0;
    // A name no page has as its name, original name or pending name, made from name
    // ("Page n" without one).
    virtual std::u16string MakeUniquePageName(std::u16string_view name) const = 0;
};
