#include "editor/document/CPropertyValue.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <string>

namespace {

std::u16string decimal(int64_t value)
{
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::u16string(buffer, result.ptr);
}

bool isBlank(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

// The whole text (blanks around it allowed) as a finite number, or nothing.
std::optional<double> readNumber(std::u16string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    if (text.empty() || text.size() > 64)
        return std::nullopt;
    std::string ascii;
    for (char16_t c : text) {
        if (c > 0x7F)
            return std::nullopt;
        ascii.push_back(char(c));
    }
    const char* begin = ascii.data();
    if (*begin == '+')
        ++begin;
    double value = 0;
    const auto result = std::from_chars(begin, ascii.data() + ascii.size(), value, std::chars_format::fixed);
    if (result.ec != std::errc() || result.ptr != ascii.data() + ascii.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

template <typename Integer>
Integer roundInto(double value)
{
    const double rounded = std::nearbyint(value);
    if (rounded <= double(std::numeric_limits<Integer>::min()))
        return std::numeric_limits<Integer>::min();
    if (rounded >= double(std::numeric_limits<Integer>::max()))
        return std::numeric_limits<Integer>::max();
    return Integer(rounded);
}

bool equalsIgnoringCase(std::u16string_view text, std::u16string_view lower)
{
    if (text.size() != lower.size())
        return false;
    for (size_t i = 0; i < text.size(); ++i) {
        char16_t c = text[i];
        if (c >= u'A' && c <= u'Z')
            c = char16_t(c - u'A' + u'a');
        if (c != lower[i])
            return false;
    }
    return true;
}

} // namespace

std::u16string CPropertyValue::Text() const
{
    struct Visitor {
        std::u16string operator()(const std::u16string& text) const { return text; }
        std::u16string operator()(int32_t value) const { return decimal(value); }
        std::u16string operator()(uint32_t value) const { return decimal(value); }
        std::u16string operator()(bool value) const { return value ? u"true" : u"false"; }
    };
    return std::visit(Visitor{}, m_value);
}

namespace {

template <typename Integer>
Integer toInteger(const std::variant<std::u16string, int32_t, uint32_t, bool>& value)
{
    struct Visitor {
        Integer operator()(const std::u16string& text) const
        {
            const std::optional<double> number = readNumber(text);
            return number ? roundInto<Integer>(*number) : 0;
        }
        Integer operator()(int32_t number) const { return Integer(number); }
        Integer operator()(uint32_t number) const { return Integer(number); }
        Integer operator()(bool flag) const { return flag ? 1 : 0; }
    };
    return std::visit(Visitor{}, value);
}

} // namespace

int32_t CPropertyValue::ToInt() const
{
    return toInteger<int32_t>(m_value);
}

uint32_t CPropertyValue::ToUInt() const
{
    return toInteger<uint32_t>(m_value);
}

bool CPropertyValue::ToBool() const
{
    struct Visitor {
        bool operator()(const std::u16string& text) const
        {
            if (equalsIgnoringCase(text, u"true"))
                return true;
            if (equalsIgnoringCase(text, u"false"))
                return false;
            const std::optional<double> number = readNumber(text);
            return number && *number != 0;
        }
        bool operator()(int32_t value) const { return value != 0; }
        bool operator()(uint32_t value) const { return value != 0; }
        bool operator()(bool value) const { return value; }
    };
    return std::visit(Visitor{}, m_value);
}

int CompareValueTexts(std::u16string_view first, std::u16string_view second)
{
    const int result = first.compare(second);
    return result < 0 ? -1 : (result > 0 ? 1 : 0);
}
