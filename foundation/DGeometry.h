#pragma once
// Integer points, sizes and rectangles of the shared library and the engine. Rectangles
// hold inclusive bounds; one whose left equals its right and whose top equals its bottom
// counts as empty.

#include <algorithm>
#include <cstdint>
#include <limits>

// A wide coordinate brought into 32 bits, held at the nearest end when it lies beyond.
constexpr int32_t saturated32(int64_t value)
{
    return int32_t(
        std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

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

    bool isEmpty() const { return left == right && top == bottom; }
    int64_t width() const { return int64_t(right) - left + 1; }
    int64_t height() const { return int64_t(bottom) - top + 1; }
    bool contains(DPoint point) const
    {
        return point.x >= left && point.x <= right && point.y >= top && point.y <= bottom;
    }
    // Inclusive on all four sides: rectangles meet unless one lies wholly beside the other.
    // A rectangle whose right lies left of its left (or bottom above its top), as a
    // malformed record may give, meets nothing.
    bool isInverted() const { return right < left || bottom < top; }
    bool meets(const DRect& other) const
    {
        if (isInverted() || other.isInverted())
            return false;
        return !(other.right < left || other.left > right || other.bottom < top || other.top > bottom);
    }
    // The common part; all zero when the two do not meet.
    DRect intersected(const DRect& other) const
    {
        if (!meets(other))
            return {};
        return {std::max(left, other.left), std::max(top, other.top), std::min(right, other.right),
                std::min(bottom, other.bottom)};
    }
    // An empty rectangle becomes the other; otherwise the smallest rectangle holding both.
    DRect united(const DRect& other) const
    {
        if (isEmpty())
            return other;
        return {std::min(left, other.left), std::min(top, other.top), std::max(right, other.right),
                std::max(bottom, other.bottom)};
    }
    // A rectangle of wide coordinates, each held within 32 bits.
    static constexpr DRect saturated(int64_t left, int64_t top, int64_t right, int64_t bottom)
    {
        return {saturated32(left), saturated32(top), saturated32(right), saturated32(bottom)};
    }
    DRect translated(int32_t dx, int32_t dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    // The part of this rectangle that other does not cover, where that part is a
    // rectangle; otherwise this rectangle unchanged. Covered whole: all zero.
    DRect subtracted(const DRect& other) const
    {
        const bool spansHeight = other.top <= top && other.bottom >= bottom;
        const bool spansWidth = other.left <= left && other.right >= right;
        if (spansHeight && spansWidth)
            return {};
        DRect rest = *this;
        if (spansHeight) {
            if (left >= other.left && left <= other.right && right > other.right)
                rest.left = other.right;
            else if (right >= other.left && right <= other.right && left < other.left)
                rest.right = other.left;
        } else if (spansWidth) {
            if (top >= other.top && top <= other.bottom && bottom > other.bottom)
                rest.top = other.bottom;
            else if (bottom >= other.top && bottom <= other.bottom && top < other.top)
                rest.bottom = other.top;
        }
        return rest;
    }
};

// The part of a copy both bitmaps hold: target pixels from (left, top), source pixels
// from (sourceX, sourceY), width x height of them.
struct DBlitArea {
    int32_t left = 0;
    int32_t top = 0;
    int32_t sourceX = 0;
    int32_t sourceY = 0;
    int32_t width = 0;
    int32_t height = 0;
};

// Clips a copy into rect (inclusive) of a target of targetSize, read from a source of
// sourceSize at sourcePoint. Wherever one side is cut at its left or top, the other side's
// point moves along with it. False when nothing is left to copy.
inline bool clipBlit(const DRect& rect, DSize targetSize, DSize sourceSize, DPoint sourcePoint, DBlitArea& area)
{
    int64_t left = rect.left, top = rect.top, sourceX = sourcePoint.x, sourceY = sourcePoint.y;
    const int64_t leftCut = std::max<int64_t>({0, -left, -sourceX});
    const int64_t topCut = std::max<int64_t>({0, -top, -sourceY});
    left += leftCut;
    sourceX += leftCut;
    top += topCut;
    sourceY += topCut;
    const int64_t right = std::min<int64_t>({rect.right, int64_t(targetSize.width) - 1,
                                             left + int64_t(sourceSize.width) - sourceX - 1});
    const int64_t bottom = std::min<int64_t>({rect.bottom, int64_t(targetSize.height) - 1,
                                              top + int64_t(sourceSize.height) - sourceY - 1});
    if (left > right || top > bottom)
        return false;
    area = {int32_t(left), int32_t(top), int32_t(sourceX), int32_t(sourceY), int32_t(right - left + 1),
            int32_t(bottom - top + 1)};
    return true;
}

// ARGB in one word: alpha in bits 24-31, red 16-23, green 8-15, blue 0-7.
using DColor = uint32_t;

constexpr uint8_t alphaOf(DColor colour) { return uint8_t(colour >> 24); }
// The grey level of an 8-bit bitmap for a colour.
constexpr uint8_t greyLevel(DColor colour)
{
    return uint8_t((((colour >> 16) & 0xFF) >> 2) + (((colour >> 8) & 0xFF) >> 1) + ((colour & 0xFF) >> 2));
}
