#include "editor/document/CStringArrayEx.h"

CStringArrayEx CStringArrayEx::Split(std::u16string_view text, std::u16string_view separators)
{
    CStringArrayEx pieces;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of(separators, start);
        const std::size_t stop = end == std::u16string_view::npos ? text.size() : end;
        if (stop > start)
            pieces.emplace_back(text.substr(start, stop - start));
        start = stop + 1;
    }
    return pieces;
}
