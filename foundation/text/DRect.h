#pragma once
// An integer rectangle whose right and bottom edges are inside it: (left, top, right,
// bottom) covers right - left + 1 columns.

#include <cstdint>

struct DRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    bool contains(int32_t x, int32_t y) const { return x >= left && x <= right && y >= top && y <= bottom; }
    bool operator==(const DRect&) const = default;
};
