#pragma once
// List choices the classes compare without case ("hide", "Line", "Dotted line").

#include <algorithm>
#include <string_view>

class CChoiceText {
public:
    // text against a choice written in lower case, ASCII letters folded.
    static bool Is(std::u16string_view text, std::u16string_view lowerCase)
    {
        return text.size() == lowerCase.size()
            && std::equal(text.begin(), text.end(), lowerCase.begin(), [](char16_t a, char16_t b) {
                   return (a >= u'A' && a <= u'Z' ? char16_t(a + (u'a' - u'A')) : a) == b;
               });
    }
};
