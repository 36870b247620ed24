#pragma once
// What the grid tells its parent, and what it tells its view. A notification's answer
// is an int; a negative answer cancels what was about to happen.

#include "engine/tagmonitor/grid/CGridCellId.h"

enum class CGridCode : int {
    Click = -2,
    DoubleClick = -3,
    RightClick = -5,
    SelectionChanging = -100,
    SelectionChanged = -101,
    BeginDrag = -109,
    BeginEdit = -175,
    EndEdit = -176,
    // Virtual mode: the parent fills item with the cell's data; cell names the stored row and column.
    GetDisplayInfo = -177,
    // Virtual mode: the cells about to be read lie in range (all -1 once no more are).
    CacheHint = -113,
};

struct CGridCell;

struct CGridNotification {
    CGridCode code;
    CGridCellId cell;
    // GetDisplayInfo: the cell to fill; EndEdit: the edited cell with its new text.
    CGridCell* item = nullptr;
    CGridCellRange range{};
};

class CGridListener {
public:
    virtual ~CGridListener() = default;
    [[nodiscard]] virtual int onGridNotify(const CGridNotification& notification) = 0;
    // Posted after a mouse button was released while a cell had the focus, as a control's
    // command to its dialog; most parents need nothing of it.
    virtual void onGridCommand(CGridCellId /*focus*/) {}
};

// The view over a model: told what to recompute and what to redraw.
class CGridModelObserver {
public:
    virtual ~CGridModelObserver() = default;
    // Counts, sizes or the row order changed: scroll bars and the whole window.
    virtual void onGridLayoutChanged() = 0;
    // One cell's text or state changed.
    virtual void onGridCellChanged(CGridCellId cell) = 0;
};
