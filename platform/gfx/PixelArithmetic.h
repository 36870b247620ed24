#pragma once
// The exact pixel arithmetic of the device context, on premultiplied ARGB32 words.
// Division by 255 rounds to nearest; for whole numbers that never ties.

#include <cstdint>

namespace gfx {

constexpr uint32_t divide255(uint32_t value)
{
    return (value + 127) / 255;
}

// Each colour channel times alpha / 255; alpha stays.
constexpr uint32_t premultiplyArgb(uint32_t argb)
{
    const uint32_t a = argb >> 24;
    if (a == 255)
        return argb;
    return a << 24 | divide255((argb >> 16 & 0xFF) * a) << 16 | divide255((argb >> 8 & 0xFF) * a) << 8 |
           divide255((argb & 0xFF) * a);
}

// Every channel, alpha included, times factor / 255.
constexpr uint32_t scalePixel(uint32_t pixel, uint32_t factor)
{
    return divide255((pixel >> 24) * factor) << 24 | divide255((pixel >> 16 & 0xFF) * factor) << 16 |
           divide255((pixel >> 8 & 0xFF) * factor) << 8 | divide255((pixel & 0xFF) * factor);
}

// Source over destination, both premultiplied: d = s + d × (255 - sa) / 255 per channel,
// saturated, so a source whose colour exceeds its alpha cannot spill into the next channel.
constexpr uint32_t blendOver(uint32_t source, uint32_t destination)
{
    const uint32_t sa = source >> 24;
    if (sa == 255)
        return source;
    if (source == 0)
        return destination;
    const uint32_t inverse = 255 - sa;
    uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const uint32_t channel = (source >> shift & 0xFF) + divide255((destination >> shift & 0xFF) * inverse);
        out |= (channel > 255 ? 255 : channel) << shift;
    }
    return out;
}

} // namespace gfx
