#pragma once
// A list of texts with the splitting the action compiler uses.

#include <string>
#include <string_view>
#include <vector>

class CStringArrayEx : public std::vector<std::u16string> {
public:
    // The non-empty pieces between any of the separator characters.
    static CStringArrayEx Split(std::u16string_view text, std::u16string_view separators);
};
