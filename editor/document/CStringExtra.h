#pragma once
// Small text helpers of the action scripts: the text before or after a separator, and
// the value that follows a key up to "; ". Each gives empty text when the separator or
// key is absent.

#include <string>
#include <string_view>

class CStringExtra {
public:
    static std::u16string Before(std::u16string_view text, std::u16string_view separator);
    static std::u16string After(std::u16string_view text, std::u16string_view separator);
    static std::u16string ValueOf(std::u16string_view text, std::u16string_view key);
};
