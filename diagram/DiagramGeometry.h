#pragma once
// Integer rectangle and point in page pixels, as the editing view hands them to the model.

#include <cstdint>

#include "foundation/DGeometry.h"

struct CDiagramPoint {
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const CDiagramPoint&) const = default;
};

struct CDiagramRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    // Held within 32 bits: a stored position may lie anywhere.
    int32_t Width() const { return saturated32(int64_t(right) - left); }
    int32_t Height() const { return saturated32(int64_t(bottom) - top); }
    // Right and bottom edges lie outside, as in the editing view.
    bool Contains(CDiagramPoint point) const
    {
        return point.x >= left && point.x < right && point.y >= top && point.y < bottom;
    }
    CDiagramRect Normalized() const
    {
        CDiagramRect r = *this;
        if (r.left > r.right) { r.left = right; r.right = left; }
        if (r.top > r.bottom) { r.top = bottom; r.bottom = top; }
        return r;
    }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    // The smallest rectangle holding both; an empty one adds nothing.
    CDiagramRect United(const CDiagramRect& other) const
    {
        if (IsEmpty())
            return other;
        if (other.IsEmpty())
            return *this;
        return {left < other.left ? left : other.left, top < other.top ? top : other.top,
                right > other.right ? right : other.right, bottom > other.bottom ? bottom : other.bottom};
    }
    bool operator==(const CDiagramRect&) const = default;
};
