#include "diagram/EntityTextLine.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace EntityTextLine {

namespace {

void replaceAll(std::u16string& text, std::u16string_view from, std::u16string_view to)
{
    std::u16string out;
    out.reserve(text.size());
    size_t pos = 0;
    while (true) {
        const size_t hit = text.find(from, pos);
        if (hit == std::u16string::npos)
            break;
        out.append(text, pos, hit - pos);
        out.append(to);
        pos = hit + from.size();
    }
    out.append(text, pos, std::u16string::npos);
    text = std::move(out);
}

bool isBlank(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

// The ASCII prefix of text that may belong to a number, after leading blanks and a "+".
std::string numberPrefix(std::u16string_view text)
{
    size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    std::string out;
    if (i < text.size() && text[i] == u'+')
        ++i;
    for (; i < text.size() && out.size() < 400; ++i) {
        const char16_t c = text[i];
        if ((c >= u'0' && c <= u'9') || c == u'-' || c == u'.' || c == u'e' || c == u'E')
            out.push_back(char(c));
        else
            break;
    }
    return out;
}

} // namespace

// Applied in this order when writing, and in the same order when reading.
struct FieldEscape {
    std::u16string_view raw;
    std::u16string_view escaped;
};
constexpr FieldEscape kFieldEscapes[] = {
    {u":", u"\\colon"}, {u";", u"\\semicolon"}, {u",", u"\\comma"}, {u"\r\n", u"\\newline"}};

std::u16string Escape(std::u16string_view text)
{
    std::u16string out(text);
    for (const FieldEscape& escape : kFieldEscapes)
        replaceAll(out, escape.raw, escape.escaped);
    // A lone CR or LF would break the line as surely as a pair.
    replaceAll(out, u"\r", u"\\newline");
    replaceAll(out, u"\n", u"\\newline");
    return out;
}

std::u16string Unescape(std::u16string_view text)
{
    std::u16string out(text);
    for (const FieldEscape& escape : kFieldEscapes)
        replaceAll(out, escape.escaped, escape.raw);
    return out;
}

std::u16string FormatDouble(double value)
{
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
    if (result.ec != std::errc())
        return u"0.000000";
    return std::u16string(buffer, result.ptr);
}

std::u16string FormatInt(int64_t value)
{
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::u16string(buffer, result.ptr);
}

double ParseDouble(std::u16string_view text)
{
    const std::string number = numberPrefix(text);
    double value = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec != std::errc() || !std::isfinite(value))
        return 0.0;
    return value;
}

int32_t ParseInt(std::u16string_view text)
{
    const std::string number = numberPrefix(text);
    int64_t value = 0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range)
        return number.starts_with('-') ? std::numeric_limits<int32_t>::min()
                                       : std::numeric_limits<int32_t>::max();
    if (result.ec != std::errc())
        return 0;
    if (value > std::numeric_limits<int32_t>::max())
        return std::numeric_limits<int32_t>::max();
    if (value < std::numeric_limits<int32_t>::min())
        return std::numeric_limits<int32_t>::min();
    return int32_t(value);
}

std::u16string_view Trim(std::u16string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::vector<std::u16string> Split(std::u16string_view text, char16_t separator)
{
    std::vector<std::u16string> parts;
    size_t start = 0;
    while (true) {
        const size_t hit = text.find(separator, start);
        if (hit == std::u16string_view::npos) {
            parts.emplace_back(text.substr(start));
            return parts;
        }
        parts.emplace_back(text.substr(start, hit - start));
        start = hit + 1;
    }
}

int32_t TruncateToInt(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= 2147483647.0)
        return std::numeric_limits<int32_t>::max();
    if (value <= -2147483648.0)
        return std::numeric_limits<int32_t>::min();
    return int32_t(value);
}

} // namespace EntityTextLine
