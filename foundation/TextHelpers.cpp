#include "foundation/TextHelpers.h"

#include "foundation/DString.h"

namespace {

constexpr char16_t kReplacement = 0xFFFD;

void appendCodePoint(std::u16string& out, uint32_t codePoint)
{
    if (codePoint >= 0x10000) {
        codePoint -= 0x10000;
        out.push_back(char16_t(0xD800 + (codePoint >> 10)));
        out.push_back(char16_t(0xDC00 + (codePoint & 0x3FF)));
    } else {
        out.push_back(char16_t(codePoint));
    }
}

} // namespace

std::u16string utf8ToWide(const char* bytes, int64_t byteCount)
{
    std::u16string out;
    if (!bytes)
        return out;
    const auto* in = reinterpret_cast<const unsigned char*>(bytes);
    const uint64_t size = byteCount < 0 ? std::char_traits<char>::length(bytes) : uint64_t(byteCount);
    out.reserve(size);
    uint64_t i = 0;
    while (i < size) {
        const unsigned char lead = in[i];
        if (lead < 0x80) {
            out.push_back(lead);
            ++i;
            continue;
        }
        int trail = 0;
        uint32_t codePoint = 0;
        unsigned char low = 0x80, high = 0xBF; // bounds of the first trail byte
        if (lead >= 0xC2 && lead <= 0xDF) {
            trail = 1;
            codePoint = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            trail = 2;
            codePoint = lead & 0x0F;
            if (lead == 0xE0) low = 0xA0;
            if (lead == 0xED) high = 0x9F; // no encoded surrogates
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            trail = 3;
            codePoint = lead & 0x07;
            if (lead == 0xF0) low = 0x90;
            if (lead == 0xF4) high = 0x8F;
        } else {
            out.push_back(kReplacement);
            ++i;
            continue;
        }
        uint64_t j = i + 1;
        int taken = 0;
        for (; taken < trail && j < size; ++taken, ++j) {
            const unsigned char byte = in[j];
            const unsigned char lo = taken == 0 ? low : 0x80;
            const unsigned char hi = taken == 0 ? high : 0xBF;
            if (byte < lo || byte > hi)
                break;
            codePoint = (codePoint << 6) | (byte & 0x3F);
        }
        if (taken == trail)
            appendCodePoint(out, codePoint);
        else
            out.push_back(kReplacement);
        i = j;
    }
    return out;
}

std::string wideToUtf8(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        uint32_t codePoint = text[i];
        if (codePoint >= 0xD800 && codePoint <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            codePoint = ((codePoint - 0xD800) << 10) + (text[i + 1] - 0xDC00) + 0x10000;
            ++i;
        } else if (codePoint >= 0xD800 && codePoint <= 0xDFFF) {
            codePoint = kReplacement;
        }
        if (codePoint < 0x80) {
            out.push_back(char(codePoint));
        } else if (codePoint < 0x800) {
            out.push_back(char(0xC0 | (codePoint >> 6)));
            out.push_back(char(0x80 | (codePoint & 0x3F)));
        } else if (codePoint < 0x10000) {
            out.push_back(char(0xE0 | (codePoint >> 12)));
            out.push_back(char(0x80 | ((codePoint >> 6) & 0x3F)));
            out.push_back(char(0x80 | (codePoint & 0x3F)));
        } else {
            out.push_back(char(0xF0 | (codePoint >> 18)));
            out.push_back(char(0x80 | ((codePoint >> 12) & 0x3F)));
            out.push_back(char(0x80 | ((codePoint >> 6) & 0x3F)));
            out.push_back(char(0x80 | (codePoint & 0x3F)));
        }
    }
    return out;
}

bool textIsTrue(std::u16string_view text)
{
    if (text == u"0")
        return false;
    static constexpr std::u16string_view kFalse = u"FALSE";
    if (text.size() != kFalse.size())
        return true;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char16_t unit = text[i];
        if (unit >= u'a' && unit <= u'z')
            unit = char16_t(unit - (u'a' - u'A'));
        if (unit != kFalse[i])
            return true;
    }
    return false;
}

std::u16string boolText(int value)
{
    return value ? u"TRUE" : u"FALSE";
}

const char16_t* findBackslash(const char16_t* text)
{
    if (!text)
        return nullptr;
    for (; *text; ++text)
        if (*text == u'\\')
            return text;
    return nullptr;
}

bool wideConcat(char16_t* target, std::size_t room, const char16_t* text)
{
    const std::size_t have = wideLength(target);
    const std::size_t add = wideLength(text);
    if (have + add + 1 > room)
        return false;
    for (std::size_t i = 0; i <= add; ++i)
        target[have + i] = text[i];
    return true;
}
