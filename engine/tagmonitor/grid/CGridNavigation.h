#pragma once
// Where a grid key moves the focus cell, as a function of the model alone: rows and
// columns of size 0 are skipped and the focus never enters the fixed rows or columns.

#include <optional>

#include "engine/tagmonitor/grid/CGridCellId.h"

class CGridModel;

namespace CGridNavigation {

enum class Key { Up, Down, Left, Right, Home, End, Tab, PageUp, PageDown };
enum class Direction { Forward, Backward }; // Shift+Tab goes backward
enum class Control { Up, Down };

// The new focus cell; nullopt when the key does not move it (Tab at the last cell goes
// to the dialog). rowsScrolled: how many rows a page key scrolled the view; 0 sends the
// focus to the first or last row.
[[nodiscard]] std::optional<CGridCellId> move(const CGridModel& model, CGridCellId from, Key key,
                                              Direction direction = Direction::Forward,
                                              Control control = Control::Up, int rowsScrolled = 0);

} // namespace CGridNavigation
