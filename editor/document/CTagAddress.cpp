#include "editor/document/CTagAddress.h"

#include <algorithm>
#include <limits>

CTagAddress CTagAddress::FromText(std::u16string_view text)
{
    if (!text.empty() && HexDigitValue(text.front()) >= 0) {
        // Saturates, so a huge address stays out of memory instead of wrapping into it.
        uint64_t value = 0;
        for (std::size_t i = 0; i < text.size() && HexDigitValue(text[i]) >= 0; ++i)
            value = std::min<uint64_t>(value * 16 + uint64_t(HexDigitValue(text[i])), std::numeric_limits<uint32_t>::max());
        return Fixed(uint32_t(value));
    }
    if (text.starts_with(u's'))
        return Storage();
    if (text.starts_with(u'm'))
        return Memory();
    return {};
}

std::u16string CTagAddress::Text() const
{
    switch (kind) {
    case Kind::Fixed:
        return FormatHex(start, 0);
    case Kind::Memory:
        return u"memory";
    case Kind::Storage:
        return u"storage";
    case Kind::Local:
        break;
    }
    return {};
}

std::u16string CTagAddress::DisplayText(int32_t size) const
{
    if (kind != Kind::Fixed)
        return Text();
    const uint64_t end = uint64_t(start) + uint64_t(std::max(size, 1)) - 1;
    return FormatHex(start, 4) + u" (" + FormatHex(end, 0) + u")";
}

std::u16string CTagAddress::EditText() const
{
    return kind == Kind::Fixed ? FormatHex(start, 4) : Text();
}
