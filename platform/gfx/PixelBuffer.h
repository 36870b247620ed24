#pragma once
// Views of premultiplied ARGB32 pixels in native byte order (cairo's ARGB32), rows top
// to bottom, stride in bytes. The same shape as the theme plug-ins' device context.

#include <cstdint>

namespace gfx {

constexpr bool isValidPixelLayout(const void* pixels, int32_t width, int32_t height, int32_t stride)
{
    return pixels && width > 0 && height > 0 && stride % 4 == 0 && int64_t(stride) >= int64_t(width) * 4;
}

struct PixelBuffer {
    uint32_t* pixels = nullptr;
    int32_t width = 0;
    int32_t height = 0;
    int32_t stride = 0;

    bool isValid() const { return isValidPixelLayout(pixels, width, height, stride); }
    uint32_t* row(int32_t y) const
    {
        return reinterpret_cast<uint32_t*>(reinterpret_cast<uint8_t*>(pixels) + int64_t(y) * stride);
    }
};

struct ConstPixelBuffer {
    const uint32_t* pixels = nullptr;
    int32_t width = 0;
    int32_t height = 0;
    int32_t stride = 0;

    ConstPixelBuffer() = default;
    ConstPixelBuffer(const uint32_t* pixels, int32_t width, int32_t height, int32_t stride)
        : pixels(pixels), width(width), height(height), stride(stride)
    {
    }
    ConstPixelBuffer(const PixelBuffer& buffer)
        : pixels(buffer.pixels), width(buffer.width), height(buffer.height), stride(buffer.stride)
    {
    }
    bool isValid() const { return isValidPixelLayout(pixels, width, height, stride); }
    const uint32_t* row(int32_t y) const
    {
        return reinterpret_cast<const uint32_t*>(reinterpret_cast<const uint8_t*>(pixels) + int64_t(y) * stride);
    }
};

} // namespace gfx
