#pragma once
// A bitmap of 32-bit ARGB pixels (blue in the lowest byte, alpha in the highest) or of
// 8-bit grey levels, rows top to bottom without padding, zero-filled when made.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace foundation {

// The editor's bitmap; the engine has its own DBitmap, apart from this one.
class DBitmap {
public:
    // Largest bitmap made, in bytes; a larger request makes a bitmap without pixels.
    static constexpr int64_t kMaxBytes = int64_t(1) << 28;

    DBitmap() = default; // no pixels
    DBitmap(int32_t width, int32_t height, int32_t bytesPerPixel = 4);
    virtual ~DBitmap();
    DBitmap(const DBitmap&) = delete;
    DBitmap& operator=(const DBitmap&) = delete;

    bool hasPixels() const { return !m_pixels.empty(); }
    int32_t width() const { return m_width; }
    int32_t height() const { return m_height; }
    int32_t stride() const { return m_stride; } // bytes per row
    int32_t bytesPerPixel() const { return m_bytesPerPixel; }
    uint8_t* pixels() { return hasPixels() ? m_pixels.data() : nullptr; }
    const uint8_t* pixels() const { return hasPixels() ? m_pixels.data() : nullptr; }
    uint8_t* row(int32_t y) { return m_pixels.data() + std::size_t(y) * std::size_t(m_stride); }
    const uint8_t* row(int32_t y) const { return m_pixels.data() + std::size_t(y) * std::size_t(m_stride); }
    uint32_t* row32(int32_t y) { return reinterpret_cast<uint32_t*>(row(y)); }
    const uint32_t* row32(int32_t y) const { return reinterpret_cast<const uint32_t*>(row(y)); }
    // A 4-byte pixel; the caller keeps x and y inside.
    uint32_t pixel(int32_t x, int32_t y) const { return row32(y)[x]; }

    // 1, 2 and 4 bytes per pixel are the formats 0, 1 and 2 (a stride in bytes shifted
    // right by the index is one in pixels); -1 for any other.
    static int formatIndex(int32_t bytesPerPixel);

private:
    int32_t m_width = 0;
    int32_t m_height = 0;
    int32_t m_stride = 0;
    int32_t m_bytesPerPixel = 4;
    std::vector<uint8_t> m_pixels;
};

} // namespace foundation
