#pragma once
// One rendered glyph: width x rows 32-bit ARGB pixels (colour not premultiplied, alpha
// the coverage), row after row without padding, with its bearings and advances in whole
// pixels. Copies share the pixels, so a texture stays valid after the cache is cleared.

#include <cstdint>
#include <memory>

class DTextTexture {
public:
    DTextTexture() = default;
    DTextTexture(const DTextTexture&) = default;
    DTextTexture& operator=(const DTextTexture&) = default;
    virtual ~DTextTexture();

    bool hasPixels() const { return pixels && width > 0 && rows > 0; }
    uint32_t pixel(int32_t x, int32_t y) const { return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }

    std::shared_ptr<const uint32_t[]> pixels;
    int32_t width = 0;
    int32_t rows = 0;
    int32_t left = 0;     // from the pen to the first column
    int32_t top = 0;      // from the baseline up to the top row
    int32_t advanceX = 0;
    int32_t advanceY = 0;
};
