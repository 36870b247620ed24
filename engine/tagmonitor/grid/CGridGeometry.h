#pragma once
// Where the cells of a model lie in a window scrolled by (scrollX, scrollY) pixels: the
// fixed rows and columns stay put, the others move. Rectangles exclude their right and
// bottom edge, where the grid line is drawn.

#include <cstdint>

#include "engine/tagmonitor/grid/CGridCellId.h"

class CGridModel;

struct CGridViewport {
    uint64_t scrollX = 0;
    uint64_t scrollY = 0;
    int width = 0;
    int height = 0;
};

struct CGridRect {
    int64_t left = 0, top = 0, right = 0, bottom = 0;
    [[nodiscard]] constexpr bool isEmpty() const { return right <= left || bottom <= top; }
    [[nodiscard]] constexpr bool contains(int64_t x, int64_t y) const
    {
        return x >= left && x < right && y >= top && y < bottom;
    }
};

namespace CGridGeometry {

// The first non-fixed row and column the scroll positions show.
[[nodiscard]] int topRow(const CGridModel& model, const CGridViewport& viewport);
[[nodiscard]] int leftColumn(const CGridModel& model, const CGridViewport& viewport);
// The non-fixed cells at least partly in the window; invalid when there are none.
[[nodiscard]] CGridCellRange visibleRange(const CGridModel& model, const CGridViewport& viewport);
// The cell's pixels in window coordinates, one short of the next cell's left and top.
[[nodiscard]] CGridRect cellRect(const CGridModel& model, const CGridViewport& viewport, CGridCellId cell);
// The cell under a window point; invalid outside every cell.
[[nodiscard]] CGridCellId cellAt(const CGridModel& model, const CGridViewport& viewport, int64_t x, int64_t y);
// The scroll positions that show the whole cell (or its top-left when larger than the
// window), changed as little as possible.
[[nodiscard]] CGridViewport scrolledTo(const CGridModel& model, const CGridViewport& viewport, CGridCellId cell);
// The most each scroll position can be: what the non-fixed rows (columns) exceed the room by.
[[nodiscard]] uint64_t maxScrollY(const CGridModel& model, int height);
[[nodiscard]] uint64_t maxScrollX(const CGridModel& model, int width);

} // namespace CGridGeometry
