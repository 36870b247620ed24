#pragma once
// Hexadecimal digits as the tags grid and the action compiler read and write them.

#include <cstdint>
#include <string>

// 0 to 15, or -1 for a unit that is no hexadecimal digit.
constexpr int HexDigitValue(char16_t unit)
{
    if (unit >= u'0' && unit <= u'9')
        return unit - u'0';
    if (unit >= u'a' && unit <= u'f')
        return unit - u'a' + 10;
    if (unit >= u'A' && unit <= u'F')
        return unit - u'A' + 10;
    return -1;
}

// Lower-case digits, padded on the left with blanks to width ("%4x").
std::u16string FormatHex(uint64_t value, int width);
