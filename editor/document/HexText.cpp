#include "editor/document/HexText.h"

std::u16string FormatHex(uint64_t value, int width)
{
    std::u16string digits;
    do {
        digits.insert(digits.begin(), u"0123456789abcdef"[value & 0xF]);
        value >>= 4;
    } while (value);
    if (int(digits.size()) < width)
        digits.insert(0, std::size_t(width) - digits.size(), u' ');
    return digits;
}
