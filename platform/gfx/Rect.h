#pragma once
// A rectangle as GDI gives it: right and bottom lie outside, so (0, 0, 2, 2) covers four
// pixels. Every drawing call of the device context takes rectangles in this form.

#include <algorithm>
#include <cstdint>

namespace gfx {

struct Rect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    static constexpr Rect fromSize(int32_t x, int32_t y, int32_t width, int32_t height)
    {
        return {x, y, x + width, y + height};
    }
    constexpr int32_t width() const { return right - left; }
    constexpr int32_t height() const { return bottom - top; }
    constexpr bool isEmpty() const { return right <= left || bottom <= top; }
    constexpr Rect translated(int32_t dx, int32_t dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    // Empty rectangles come out as (0, 0, 0, 0).
    constexpr Rect intersected(const Rect& other) const
    {
        const Rect r{std::max(left, other.left), std::max(top, other.top), std::min(right, other.right),
                     std::min(bottom, other.bottom)};
        return r.isEmpty() ? Rect{} : r;
    }
    constexpr bool contains(const Rect& other) const
    {
        return other.left >= left && other.top >= top && other.right <= right && other.bottom <= bottom;
    }
    constexpr bool operator==(const Rect&) const = default;
};

} // namespace gfx
