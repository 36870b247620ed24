#include "editor/views/page/commands/PageSizeText.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "editor/document/CPropertyValue.h"

namespace {

std::u16string_view trimmed(std::u16string_view text)
{
    const auto space = [](char16_t c) { return c == u' ' || c == u'\t'; };
    while (!text.empty() && space(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && space(text.back()))
        text.remove_suffix(1);
    return text;
}

// A whole number of digits only, clamped to a page side.
std::optional<int32_t> side(std::u16string_view text)
{
    text = trimmed(text);
    if (text.empty())
        return std::nullopt;
    int64_t value = 0;
    for (const char16_t c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = std::min<int64_t>(value * 10 + (c - u'0'), CPageSize::kMaxSide);
    }
    return int32_t(std::clamp<int64_t>(value, CPageSize::kMinSide, CPageSize::kMaxSide));
}

// The text of each side: a single one stands for both.
std::pair<std::u16string_view, std::u16string_view> sides(std::u16string_view text)
{
    const std::size_t x = text.find_first_of(u"xX");
    if (x == std::u16string_view::npos)
        return {text, text};
    return {text.substr(0, x), text.substr(x + 1)};
}

} // namespace

std::optional<CPageSize> PageSizeText::Parse(std::u16string_view text)
{
    const auto [first, second] = sides(text);
    const std::optional<int32_t> width = side(first);
    const std::optional<int32_t> height = side(second);
    if (!width || !height)
        return std::nullopt;
    return CPageSize{*width, *height};
}

std::u16string PageSizeText::Format(const CPageSize& size)
{
    return CPropertyValue(size.width).Text() + u"x" + CPropertyValue(size.height).Text();
}

std::u16string PageSizeText::Stored(std::u16string_view text, const CPageSize& size)
{
    const auto [first, second] = sides(text);
    if (trimmed(first) == CPropertyValue(size.width).Text() && trimmed(second) == CPropertyValue(size.height).Text())
        return std::u16string(trimmed(text));
    return Format(size);
}
