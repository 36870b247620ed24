#pragma once
// A straight (not premultiplied) ARGB colour: alpha in bits 24-31, red 16-23, green 8-15,
// blue 0-7. Editor properties keep the Windows order 0xBBGGRR; fromColorRef converts.

#include <cstdint>

#include "platform/gfx/PixelArithmetic.h"

namespace gfx {

struct Colour {
    uint32_t argb = 0xFF000000;

    static constexpr Colour fromArgb(uint32_t argb) { return {argb}; }
    static constexpr Colour fromColorRef(uint32_t bbggrr, uint8_t alpha = 255)
    {
        return {uint32_t(alpha) << 24 | (bbggrr & 0xFF) << 16 | (bbggrr & 0xFF00) | (bbggrr >> 16 & 0xFF)};
    }
    constexpr uint8_t alpha() const { return uint8_t(argb >> 24); }
    constexpr uint32_t premultiplied() const { return premultiplyArgb(argb); }
    constexpr bool operator==(const Colour&) const = default;
};

} // namespace gfx
