#include "engine/tagmonitor/grid/CGridGeometry.h"

#include <algorithm>

#include "engine/tagmonitor/grid/CGridModel.h"

namespace {

uint64_t room(int size, uint64_t fixed)
{
    return size > 0 && uint64_t(size) > fixed ? uint64_t(size) - fixed : 0;
}

// The scroll position nearest to current that shows size pixels from start in shown
// pixels (their start when they do not fit), at most most.
uint64_t showing(uint64_t current, uint64_t start, uint64_t size, uint64_t shown, uint64_t most)
{
    if (start < current)
        current = start;
    else if (start + size > current + shown)
        current = std::min(start, start + size - shown);
    return std::min(current, most);
}

// What the non-fixed part of total exceeds the room beside the fixed part by.
uint64_t excess(uint64_t total, uint64_t fixed, int size)
{
    const uint64_t scrolled = total - fixed, shown = room(size, fixed);
    return scrolled > shown ? scrolled - shown : 0;
}

} // namespace

int CGridGeometry::topRow(const CGridModel& model, const CGridViewport& viewport)
{
    return model.rowAt(model.fixedRowHeight() + viewport.scrollY, model.fixedRowCount());
}

int CGridGeometry::leftColumn(const CGridModel& model, const CGridViewport& viewport)
{
    return model.columnAt(model.fixedColumnWidth() + viewport.scrollX, model.fixedColumnCount());
}

CGridCellRange CGridGeometry::visibleRange(const CGridModel& model, const CGridViewport& viewport)
{
    const int top = topRow(model, viewport), left = leftColumn(model, viewport);
    if (top >= model.rowCount() || left >= model.columnCount() || viewport.width <= 0 || viewport.height <= 0)
        return {};
    const int bottom = std::min(model.rowAt(viewport.scrollY + uint64_t(viewport.height) - 1, top),
                                model.rowCount() - 1);
    const int right = std::min(model.columnAt(viewport.scrollX + uint64_t(viewport.width) - 1, left),
                               model.columnCount() - 1);
    return {top, left, std::max(top, bottom), std::max(left, right)};
}

CGridRect CGridGeometry::cellRect(const CGridModel& model, const CGridViewport& viewport, CGridCellId cell)
{
    if (!model.isValid(cell))
        return {};
    const int64_t x = int64_t(model.columnLeft(cell.column)) -
        (cell.column < model.fixedColumnCount() ? 0 : int64_t(viewport.scrollX));
    const int64_t y = int64_t(model.rowTop(cell.row)) - (cell.row < model.fixedRowCount() ? 0 : int64_t(viewport.scrollY));
    return {x, y, x + int64_t(model.columnWidth(cell.column)) - 1, y + int64_t(model.rowHeight(cell.row)) - 1};
}

CGridCellId CGridGeometry::cellAt(const CGridModel& model, const CGridViewport& viewport, int64_t x, int64_t y)
{
    if (x < 0 || y < 0 || x >= viewport.width || y >= viewport.height)
        return {};
    const uint64_t fixedHeight = model.fixedRowHeight(), fixedWidth = model.fixedColumnWidth();
    const int row = uint64_t(y) < fixedHeight ? model.rowAt(uint64_t(y))
                                              : model.rowAt(uint64_t(y) + viewport.scrollY, model.fixedRowCount());
    const int column = uint64_t(x) < fixedWidth
        ? model.columnAt(uint64_t(x))
        : model.columnAt(uint64_t(x) + viewport.scrollX, model.fixedColumnCount());
    if (row >= model.rowCount() || column >= model.columnCount())
        return {};
    return {row, column};
}

CGridViewport CGridGeometry::scrolledTo(const CGridModel& model, const CGridViewport& viewport, CGridCellId cell)
{
    CGridViewport moved = viewport;
    if (!model.isValid(cell))
        return moved;
    if (cell.row >= model.fixedRowCount()) {
        const uint64_t fixed = model.fixedRowHeight();
        moved.scrollY = showing(moved.scrollY, model.rowTop(cell.row) - fixed, model.rowHeight(cell.row),
                                room(viewport.height, fixed), maxScrollY(model, viewport.height));
    }
    if (cell.column >= model.fixedColumnCount()) {
        const uint64_t fixed = model.fixedColumnWidth();
        moved.scrollX = showing(moved.scrollX, model.columnLeft(cell.column) - fixed, model.columnWidth(cell.column),
                                room(viewport.width, fixed), maxScrollX(model, viewport.width));
    }
    return moved;
}

uint64_t CGridGeometry::maxScrollY(const CGridModel& model, int height)
{
    return excess(model.totalHeight(), model.fixedRowHeight(), height);
}

uint64_t CGridGeometry::maxScrollX(const CGridModel& model, int width)
{
    return excess(model.totalWidth(), model.fixedColumnWidth(), width);
}
