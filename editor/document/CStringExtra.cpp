#include "editor/document/CStringExtra.h"

std::u16string CStringExtra::Before(std::u16string_view text, std::u16string_view separator)
{
    const std::size_t at = text.find(separator);
    return at == std::u16string_view::npos ? std::u16string() : std::u16string(text.substr(0, at));
}

std::u16string CStringExtra::After(std::u16string_view text, std::u16string_view separator)
{
    const std::size_t at = text.find(separator);
    return at == std::u16string_view::npos ? std::u16string() : std::u16string(text.substr(at + separator.size()));
}

std::u16string CStringExtra::ValueOf(std::u16string_view text, std::u16string_view key)
{
    const std::size_t at = text.find(key);
    if (at == std::u16string_view::npos)
        return {};
    const std::u16string_view value = text.substr(at + key.size());
    return std::u16string(value.substr(0, value.find(u"; ")));
}
