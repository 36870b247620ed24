#pragma once
// Integer points, sizes and rectangles of the foundation's bitmaps and text layout.
// Rectangles hold inclusive bounds: (left, top, right, bottom) covers right - left + 1
// columns. They live in the namespace of the foundation's bitmap renderer, apart from
// the engine's types of the same names.

#include <algorithm>
#include <cstdint>

namespace foundation {

struct DPoint {
    int32_t x = 0;
    int32_t y = 0;
    friend bool operator==(const DPoint&, const DPoint&) = default;
};

struct DSize {
    int32_t width = 0;
    int32_t height = 0;
    friend bool operator==(const DSize&, const DSize&) = default;
};

struct DRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;  // inclusive
    int32_t bottom = 0; // inclusive

    friend bool operator==(const DRect&, const DRect&) = default;

    int64_t width() const { return int64_t(right) - left + 1; }
    int64_t height() const { return int64_t(bottom) - top + 1; }
    bool contains(DPoint point) const
    {
        return point.x >= left && point.x <= right && point.y >= top && point.y <= bottom;
    }
};

} // namespace foundation
