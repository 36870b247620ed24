#include "engine/tagmonitor/grid/CGridNavigation.h"

#include <algorithm>

#include "engine/tagmonitor/grid/CGridModel.h"

namespace {

// The next row (column) of non-zero size from index in steps of step, inside the
// normal ones; -1 when there is none.
int nextRow(const CGridModel& model, int row, int step)
{
    for (row += step; row >= model.fixedRowCount() && row < model.rowCount(); row += step)
        if (model.rowHeight(row) > 0)
            return row;
    return -1;
}

int nextColumn(const CGridModel& model, int column, int step)
{
    for (column += step; column >= model.fixedColumnCount() && column < model.columnCount(); column += step)
        if (model.columnWidth(column) > 0)
            return column;
    return -1;
}

int firstRow(const CGridModel& model)
{
    return nextRow(model, model.fixedRowCount() - 1, 1);
}
int lastRow(const CGridModel& model)
{
    return nextRow(model, model.rowCount(), -1);
}
int firstColumn(const CGridModel& model)
{
    return nextColumn(model, model.fixedColumnCount() - 1, 1);
}
int lastColumn(const CGridModel& model)
{
    return nextColumn(model, model.columnCount(), -1);
}

std::optional<CGridCellId> tab(const CGridModel& model, CGridCellId from, int step)
{
    if (const int column = nextColumn(model, from.column, step); column >= 0)
        return CGridCellId{from.row, column};
    const int row = nextRow(model, from.row, step);
    const int column = step > 0 ? firstColumn(model) : lastColumn(model);
    if (row < 0 || column < 0)
        return std::nullopt;
    return CGridCellId{row, column};
}

std::optional<CGridCellId> page(const CGridModel& model, CGridCellId from, int step, int rowsScrolled)
{
    int row = step > 0 ? lastRow(model) : firstRow(model);
    if (rowsScrolled != 0) {
        const int moved = from.row + rowsScrolled;
        row = std::clamp(moved, std::max(firstRow(model), 0), std::max(lastRow(model), 0));
        if (model.rowHeight(row) == 0) // a hidden row: the next shown one in the same direction
            row = nextRow(model, row, step) >= 0 ? nextRow(model, row, step) : from.row;
    }
    if (row < 0)
        return std::nullopt;
    return CGridCellId{row, from.column};
}

} // namespace

std::optional<CGridCellId> CGridNavigation::move(const CGridModel& model, CGridCellId from, Key key,
                                                 Direction direction, Control control, int rowsScrolled)
{
    if (!model.isValid(from))
        return std::nullopt;
    const auto stayOr = [&](int row, int column) -> std::optional<CGridCellId> {
        return CGridCellId{row >= 0 ? row : from.row, column >= 0 ? column : from.column};
    };
    switch (key) {
    case Key::Up:
        return stayOr(nextRow(model, from.row, -1), from.column);
    case Key::Down:
        return stayOr(nextRow(model, from.row, 1), from.column);
    case Key::Left:
        return stayOr(from.row, nextColumn(model, from.column, -1));
    case Key::Right:
        return stayOr(from.row, nextColumn(model, from.column, 1));
    case Key::Home:
        return stayOr(control == Control::Down ? firstRow(model) : from.row, firstColumn(model));
    case Key::End:
        return stayOr(control == Control::Down ? lastRow(model) : from.row, lastColumn(model));
    case Key::Tab:
        return tab(model, from, direction == Direction::Forward ? 1 : -1);
    case Key::PageUp:
        return page(model, from, -1, rowsScrolled);
    case Key::PageDown:
        return page(model, from, 1, rowsScrolled);
    }
    return std::nullopt;
}
