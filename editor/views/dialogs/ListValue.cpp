#include "editor/views/dialogs/ListValue.h"

#include <algorithm>

#include "editor/document/PropertyKind.h"

namespace ListValue {

int RowCount(int64_t count) { return count <= 0 ? 1 : int(std::min<int64_t>(count, 1 << 16)); }

namespace {

// The leading hexadecimal number of a token, as the C library reads one: blanks and
// a "0x" first, digits up to the first other character; a value past 32 bits is the
// largest; no digits is 0.
uint32_t hexValue(std::u16string_view token)
{
    std::size_t at = 0;
    while (at < token.size() && (token[at] == u' ' || (token[at] >= u'\t' && token[at] <= u'\r')))
        ++at;
    if (token.substr(at, 2) == u"0x" || token.substr(at, 2) == u"0X")
        at += 2;
    uint64_t value = 0;
    for (; at < token.size(); ++at) {
        const char16_t c = token[at];
        int digit;
        if (c >= u'0' && c <= u'9') digit = c - u'0';
        else if (c >= u'a' && c <= u'f') digit = c - u'a' + 10;
        else if (c >= u'A' && c <= u'F') digit = c - u'A' + 10;
        else break;
        value = std::min<uint64_t>(value << 4 | uint64_t(digit), 0xFFFFFFFFu + uint64_t(1));
    }
    return uint32_t(std::min<uint64_t>(value, 0xFFFFFFFFu));
}

} // namespace

std::vector<uint32_t> ParseColors(std::u16string_view value, int rows)
{
    std::vector<uint32_t> colors(std::size_t(std::max(rows, 0)), 0);
    std::size_t row = 0, at = 0;
    while (row < colors.size() && at < value.size()) {
        at = value.find_first_not_of(kListSeparator, at);
        if (at == std::u16string_view::npos)
            break;
        const std::size_t end = std::min(value.find(kListSeparator, at), value.size());
        colors[row++] = hexValue(value.substr(at, end - at));
        at = end;
    }
    return colors;
}

std::vector<std::u16string> ParseTexts(std::u16string_view value, int rows)
{
    std::vector<std::u16string> texts(std::size_t(std::max(rows, 0)));
    std::size_t row = 0, at = 0;
    while (row < texts.size() && at < value.size()) {
        const std::size_t end = std::min(value.find(kListSeparator, at), value.size());
        texts[row++] = std::u16string(value.substr(at, end - at));
        at = end + 1;
    }
    return texts;
}

std::u16string JoinColors(const std::vector<uint32_t>& colors)
{
    std::u16string joined;
    static constexpr char16_t kDigits[] = u"0123456789abcdef";
    for (const uint32_t color : colors) {
        std::u16string digits;
        uint32_t rest = color;
        do {
            digits.insert(digits.begin(), kDigits[rest & 0xF]);
            rest >>= 4;
        } while (rest != 0);
        joined += digits;
        joined += kListSeparator;
    }
    return joined;
}

std::u16string JoinTexts(const std::vector<std::u16string>& texts)
{
    std::u16string joined;
    for (const auto& text : texts) {
        joined += text;
        joined += kListSeparator;
    }
    return joined;
}

} // namespace ListValue
