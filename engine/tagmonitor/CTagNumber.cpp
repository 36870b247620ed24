#include "engine/tagmonitor/CTagNumber.h"

namespace {

int digitValue(char16_t unit)
{
    if (unit >= u'0' && unit <= u'9')
        return unit - u'0';
    if (unit >= u'a' && unit <= u'z')
        return unit - u'a' + 10;
    if (unit >= u'A' && unit <= u'Z')
        return unit - u'A' + 10;
    return 99;
}

bool isSpace(char16_t unit)
{
    return unit == u' ' || (unit >= u'\t' && unit <= u'\r');
}

bool hasHexPrefix(std::u16string_view text, std::size_t at)
{
    return at + 1 < text.size() && text[at] == u'0' && (text[at + 1] == u'x' || text[at + 1] == u'X') &&
        at + 2 < text.size() && digitValue(text[at + 2]) < 16;
}

} // namespace

uint32_t CTagNumber::read(std::u16string_view text, Base base)
{
    std::size_t at = 0;
    while (at < text.size() && isSpace(text[at]))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == u'-' || text[at] == u'+'))
        negative = text[at++] == u'-';
    uint32_t radix = uint32_t(base);
    if ((base == Base::Hexadecimal || base == Base::Automatic) && hasHexPrefix(text, at)) {
        radix = 16;
        at += 2;
    } else if (base == Base::Automatic) {
        radix = at < text.size() && text[at] == u'0' ? 8 : 10;
    }
    uint32_t value = 0;
    for (; at < text.size(); ++at) {
        const int digit = digitValue(text[at]);
        if (digit >= int(radix))
            break;
        value = value * radix + uint32_t(digit); // wraps modulo 2^32 by design
    }
    return negative ? 0u - value : value;
}
