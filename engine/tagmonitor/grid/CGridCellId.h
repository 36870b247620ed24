#pragma once
// A cell by row and column, and a rectangle of cells; -1 is none.

#include <algorithm>
#include <compare>

struct CGridCellId {
    int row = -1;
    int column = -1;

    [[nodiscard]] constexpr bool isValid() const { return row >= 0 && column >= 0; }
    constexpr auto operator<=>(const CGridCellId&) const = default;
};

struct CGridCellRange {
    int minRow = -1;
    int minColumn = -1;
    int maxRow = -1;
    int maxColumn = -1;

    // The range spanned by two corners in any order.
    [[nodiscard]] static constexpr CGridCellRange spanning(CGridCellId a, CGridCellId b)
    {
        return {std::min(a.row, b.row), std::min(a.column, b.column), std::max(a.row, b.row),
                std::max(a.column, b.column)};
    }
    [[nodiscard]] constexpr bool isValid() const
    {
        return minRow >= 0 && minColumn >= 0 && minRow <= maxRow && minColumn <= maxColumn;
    }
    [[nodiscard]] constexpr bool contains(CGridCellId cell) const
    {
        return isValid() && cell.row >= minRow && cell.row <= maxRow && cell.column >= minColumn &&
            cell.column <= maxColumn;
    }
    [[nodiscard]] constexpr CGridCellId topLeft() const { return {minRow, minColumn}; }
    constexpr bool operator==(const CGridCellRange&) const = default;
};
