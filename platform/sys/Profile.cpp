#include "platform/sys/Profile.h"

#include <fstream>
#include <iterator>

namespace {

bool isSpace(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\v' || c == u'\f';
}

std::u16string_view trimmed(std::u16string_view text)
{
    while (!text.empty() && isSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

char16_t folded(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a') : c;
}

bool sameName(std::u16string_view a, std::u16string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (folded(a[i]) != folded(b[i]))
            return false;
    }
    return true;
}

std::u16string_view unquoted(std::u16string_view value)
{
    if (value.size() >= 2 && value.front() == value.back() && (value.front() == u'"' || value.front() == u'\''))
        return value.substr(1, value.size() - 2);
    return value;
}

} // namespace

std::u16string Profile::decodeUtf8(std::string_view bytes)
{
    if (bytes.starts_with("\xEF\xBB\xBF"))
        bytes.remove_prefix(3);
    std::u16string text;
    text.reserve(bytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
        char32_t code = length == 1 ? lead : length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F : lead & 0x07;
        bool valid = length != 0 && i + length <= bytes.size();
        for (std::size_t k = 1; valid && k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            valid = (next & 0xC0) == 0x80;
            code = code << 6 | (next & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are not characters.
        static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
        valid = valid && code >= kSmallest[length] && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
        if (!valid) {
            text.push_back(u'\uFFFD');
            ++i;
            continue;
        }
        if (code >= 0x10000) {
            code -= 0x10000;
            text.push_back(char16_t(0xD800 + (code >> 10)));
            text.push_back(char16_t(0xDC00 + (code & 0x3FF)));
        } else {
            text.push_back(char16_t(code));
        }
        i += length;
    }
    return text;
}

Profile Profile::load(const std::filesystem::path& path)
{
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error || size > kMaxFileBytes)
        return {};
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {};
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return Profile(decodeUtf8(bytes));
}

std::optional<std::u16string> Profile::value(std::u16string_view section, std::u16string_view key) const
{
    section = trimmed(section);
    key = trimmed(key);
    enum class Place { Before, Inside, After } place = Place::Before;
    std::u16string_view rest = m_text;
    while (!rest.empty() && place != Place::After) {
        const std::size_t end = rest.find(u'\n');
        const std::u16string_view line = trimmed(rest.substr(0, end));
        rest.remove_prefix(end == std::u16string_view::npos ? rest.size() : end + 1);
        if (line.starts_with(u'[')) {
            const std::u16string_view name = trimmed(line.substr(1, line.find(u']') - 1));
            // Only the first section of the name counts.
            if (place == Place::Inside)
                place = Place::After;
            else if (sameName(name, section))
                place = Place::Inside;
            continue;
        }
        if (place != Place::Inside || line.starts_with(u';'))
            continue;
        const std::size_t equals = line.find(u'=');
        if (equals == std::u16string_view::npos || !sameName(trimmed(line.substr(0, equals)), key))
            continue;
        return std::u16string(unquoted(trimmed(line.substr(equals + 1))));
    }
    return std::nullopt;
}

std::u16string Profile::readString(const std::filesystem::path& path, std::u16string_view section,
                                   std::u16string_view key, std::u16string_view fallback, std::size_t maxCharacters)
{
    std::u16string text = load(path).value(section, key).value_or(std::u16string(fallback));
    if (text.size() > maxCharacters)
        text.resize(maxCharacters);
    return text;
}
