#pragma once
// Colour words of the target file. Colour properties store 0xBBGGRR (red in the low
// byte); every colour word in the target file is ARGB: alpha in bits 24-31, red in
// 16-23, green in 8-15, blue in 0-7. The page background colour word included.

#include <cstdint>

namespace target {

// Exchanges the red and blue bytes: 0xAABBGGRR <-> 0xAARRGGBB.
constexpr uint32_t swapRedBlue(uint32_t value)
{
    return (value & 0xFF00FF00u) | ((value & 0xFFu) << 16) | ((value >> 16) & 0xFFu);
}

// A stored colour (0xBBGGRR) with an alpha as an ARGB colour word.
constexpr uint32_t colorWordFromStored(uint32_t storedColor, uint32_t alpha)
{
    return swapRedBlue((alpha & 0xFFu) << 24 | (storedColor & 0xFFFFFFu));
}

// Alpha from a "Transparency" value: 255 - transparency, the transparency clamped to 0..255.
constexpr uint32_t alphaFromTransparency(int32_t transparency)
{
    const int32_t clamped = transparency < 0 ? 0 : (transparency > 255 ? 255 : transparency);
    return uint32_t(255 - clamped);
}

// Each colour byte multiplied by the alpha and shifted right by 8 (targetFlags bit 0).
constexpr uint32_t premultiplyColorWord(uint32_t argb)
{
    const uint32_t alpha = argb >> 24;
    uint32_t result = argb & 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8)
        result |= ((((argb >> shift) & 0xFFu) * alpha) >> 8) << shift;
    return result;
}

} // namespace target
