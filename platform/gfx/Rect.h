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

    // Sums and extents are held within 32 bits: a rectangle may come from a stored
    // position anywhere in the range.
    static constexpr int32_t clamped(int64_t value)
    {
        return int32_t(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
    }
    static constexpr Rect fromSize(int32_t x, int32_t y, int32_t width, int32_t height)
    {
        return {x, y, clamped(int64_t(x) + width), clamped(int64_t(y) + height)};
    }
    constexpr int32_t width() const { return clamped(int64_t(right) - left); }
    constexpr int32_t height() const { return clamped(int64_t(bottom) - top); }
    constexpr bool isEmpty() const { return right <= left || bottom <= top; }
    constexpr Rect translated(int32_t dx, int32_t dy) const
    {
        return {clamped(int64_t(left) + dx), clamped(int64_t(top) + dy), clamped(int64_t(right) + dx),
                clamped(int64_t(bottom) + dy)};
    }
    // Each side moved in by its own amount (out for a negative one).
    constexpr Rect inset(int64_t leftIn, int64_t topIn, int64_t rightIn, int64_t bottomIn) const
    {
        return {clamped(left + leftIn), clamped(top + topIn), clamped(right - rightIn), clamped(bottom - bottomIn)};
    }
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
