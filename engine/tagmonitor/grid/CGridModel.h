#pragma once
// The grid's data without a window: counts, row heights and column widths with their
// running sums, the cells, focus and selection, the edit protocol, clipboard text and
// sorting. The view (CGridCtrl) draws it and turns input into these operations; the
// parent hears of edits through its listener.

#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "engine/tagmonitor/grid/CGridCell.h"
#include "engine/tagmonitor/grid/CGridCellId.h"
#include "engine/tagmonitor/grid/CGridListener.h"

class CGridImageList;
class CGridTextMetrics;

// Settings the view and the parent may change; the brackets of each are the defaults.
struct CGridSettings {
    enum GridLines : int { None = 0, Horizontal = 1, Vertical = 2, Both = 3 };

    bool editable = true;
    bool allowSelection = true;
    bool allowSelectAll = true;
    bool listMode = false; // whole rows are selected
    bool handleTab = true;
    bool sortOnHeaderClick = false;
    bool dragAndDrop = false;
    bool allowColumnResize = true;
    bool allowRowResize = true;
    bool allowZeroSizes = false;
    bool trackFocusCell = true;
    bool frameFocusCell = true;
    bool titleTips = true;
    // Printed at the printer's own scale, with page columns; else scaled to the page's width.
    bool printerScale = false;
    int gridLines = Both;
    uint32_t gridLineColour = 0xC0C0C0;
    // Beyond the last row and column; the view gives it the desktop's button shadow.
    uint32_t backgroundColour = 0x808080;
};

class CGridModel {
public:
    enum class CellKind { Normal = 0, FixedColumn = 1, FixedRow = 2, Corner = 3 };
    enum class SortOrder { Ascending, Descending };
    // AddToKept: replaces, but the cells kept by keepSelection stay selected.
    enum class SelectMode { Replace, Add, AddToKept };
    // How an edit ended: Escape never commits.
    enum class EditEnd { Commit, Cancel };
    // Orders two rows by a column's cells: negative, 0 or positive.
    using Compare = std::function<int(const CGridCell&, const CGridCell&)>;

    explicit CGridModel(const CGridTextMetrics* metrics = nullptr);

    // The font the default cells measure with; resizes nothing that exists.
    void setMetrics(const CGridTextMetrics* metrics);
    [[nodiscard]] const CGridTextMetrics* metrics() const { return m_metrics; }
    // The images cells name by index; none at first. The list outlives its use here.
    void setImageList(const CGridImageList* images);
    [[nodiscard]] const CGridImageList* imageList() const { return m_images; }
    void setListener(CGridListener* listener) { m_listener = listener; }
    void setObserver(CGridModelObserver* observer) { m_observer = observer; }
    CGridSettings& settings() { return m_settings; }
    [[nodiscard]] const CGridSettings& settings() const { return m_settings; }

    // ---- virtual mode: no cells are stored; each one read is asked of the parent
    // (GetDisplayInfo) and can be written only by the parent. Switching deletes every item.
    void setVirtualMode(bool on);
    [[nodiscard]] bool isVirtual() const { return m_virtual; }
    // Virtual mode: the parent's row that each row shows; sorting reorders it.
    [[nodiscard]] const std::vector<int>& rowOrder() const { return m_rowOrder; }

    // ---- counts, rows and columns
    [[nodiscard]] int rowCount() const { return int(m_rowHeights.size()); }
    [[nodiscard]] int columnCount() const { return int(m_columnWidths.size()); }
    [[nodiscard]] int fixedRowCount() const { return m_fixedRows; }
    [[nodiscard]] int fixedColumnCount() const { return m_fixedColumns; }
    bool setRowCount(int count);
    bool setColumnCount(int count);
    bool setFixedRowCount(int count);
    bool setFixedColumnCount(int count);
    // The stored column that each column callers name shows, left to right; identity until
    // set, and again after the column count changes. Refused unless order is a permutation
    // of the columns that keeps the fixed columns among the fixed places.
    bool setColumnOrder(std::vector<int> order);
    [[nodiscard]] const std::vector<int>& columnOrder() const { return m_columnOrder; }
    // Appends (position -1) or inserts a row whose column 0 holds heading; its index, or -1.
    int insertRow(std::u16string_view heading, int position = -1);
    void deleteAllItems();

    [[nodiscard]] bool isValid(CGridCellId cell) const
    {
        return cell.row >= 0 && cell.row < rowCount() && cell.column >= 0 && cell.column < columnCount();
    }
    [[nodiscard]] CGridCell* cell(CGridCellId id);
    [[nodiscard]] const CGridCell* cell(CGridCellId id) const;
    [[nodiscard]] CGridCell* cell(int row, int column) { return cell({row, column}); }
    [[nodiscard]] const CGridCell* cell(int row, int column) const { return cell({row, column}); }
    [[nodiscard]] const CGridDefaultCell& defaultCell(CellKind kind) const { return m_defaults[int(kind)]; }
    CGridDefaultCell& defaultCell(CellKind kind) { return m_defaults[int(kind)]; }
    // The default cell a cell defers to, by its fixed-row and fixed-column bits.
    [[nodiscard]] const CGridDefaultCell& defaultCellOf(const CGridCell& cell) const;
    // The cell's font, else its default cell's; null: the grid's own.
    [[nodiscard]] const CGridFont* fontOf(const CGridCell& cell) const;

    // Refused (false, nothing changed) for a cell that does not exist; both mark it modified.
    bool setItemText(int row, int column, std::u16string_view text);
    bool setItemData(int row, int column, uint32_t data);
    bool setItemState(int row, int column, uint32_t state);
    // An own font for the cell, or none to take its default cell's again.
    bool setItemFont(int row, int column, std::optional<CGridFont> font);
    // An index into the image list, -1 for none.
    bool setItemImage(int row, int column, int image);
    [[nodiscard]] std::u16string itemText(int row, int column) const;
    [[nodiscard]] uint32_t itemData(int row, int column) const;
    [[nodiscard]] uint32_t itemState(int row, int column) const;
    // Adds the modified bit, sets the grid's modified flag, clears a sort by that column.
    void setModified(CGridCellId cell);
    [[nodiscard]] bool isModified() const { return m_modified; }

    // ---- sizes (0 hides a row or column) and their running sums
    bool setColumnWidth(int column, uint32_t width);
    bool setRowHeight(int row, uint32_t height);
    [[nodiscard]] uint32_t columnWidth(int column) const;
    [[nodiscard]] uint32_t rowHeight(int row) const;
    // Pixels above the row and left of the column; the count gives the total.
    [[nodiscard]] uint64_t rowTop(int row) const;
    [[nodiscard]] uint64_t columnLeft(int column) const;
    [[nodiscard]] uint64_t fixedRowHeight() const { return rowTop(m_fixedRows); }
    [[nodiscard]] uint64_t fixedColumnWidth() const { return columnLeft(m_fixedColumns); }
    [[nodiscard]] uint64_t totalHeight() const { return rowTop(rowCount()); }
    [[nodiscard]] uint64_t totalWidth() const { return columnLeft(columnCount()); }
    // The row whose span holds pixel y of the whole grid (first..count), or count when past the end.
    [[nodiscard]] int rowAt(uint64_t y, int first = 0) const;
    [[nodiscard]] int columnAt(uint64_t x, int first = 0) const;

    // Width and height of a cell's text plus its margins, and of the whole cell.
    [[nodiscard]] std::pair<int, int> textExtent(CGridCellId cell) const;
    [[nodiscard]] std::pair<int, int> cellExtent(CGridCellId cell) const;
    // Fit to contents; hidden columns and rows are left alone.
    void autoSizeColumn(int column);
    void autoSizeRow(int row);
    void autoSizeColumns();

    // ---- focus and selection
    [[nodiscard]] CGridCellId focusCell() const { return m_focus; }
    void setFocusCell(CGridCellId cell);
    [[nodiscard]] CGridCellId selectionStart() const { return m_selectionStart; }
    void setSelectionStart(CGridCellId cell) { m_selectionStart = cell; }
    [[nodiscard]] const std::set<CGridCellId>& selectedCells() const { return m_selected; }
    // The bounding range of the selected cells; invalid when none.
    [[nodiscard]] CGridCellRange selectedRange() const;
    // Selects the normal cells of range (whole rows in list mode).
    void selectRange(CGridCellRange range, SelectMode mode);
    void toggleSelected(CGridCellId cell);
    // The selection as it is now, for a drag with Ctrl held to add to; empty: keep none.
    void keepSelection() { m_keptSelection = m_selected; }
    void forgetKeptSelection() { m_keptSelection.clear(); }
    void clearSelection();
    // Every normal cell, between the selection notifications.
    void selectAll();
    // Clears the selection, selects the cell or extends from the selection start, and
    // makes it the focus cell, between the selection notifications.
    enum class Extend { No, FromStart };
    void moveFocus(CGridCellId cell, Extend extend);

    // ---- editing
    [[nodiscard]] bool isCellEditable(CGridCellId cell) const;
    // Asks the parent (BeginEdit); true when the edit may start, and the cell is then editing.
    bool beginEdit(CGridCellId cell);
    // The editor's text at its end; it commits only when asked to and when the text
    // differs from what the editor started with.
    void endEdit(CGridCellId cell, std::u16string_view text, std::u16string_view initialText, EditEnd end);
    // The path by which cut and paste change cells: as an edit the parent may refuse.
    bool setTextAsEdit(CGridCellId cell, std::u16string_view text);
    int notify(CGridCode code, CGridCellId cell, CGridCell* item = nullptr) const;
    // In virtual mode, the parent hears which cells are about to be read.
    void cacheHint(CGridCellRange range) const;
    // Tells the parent of a finished click when a cell has the focus.
    void commandParent() const;

    // ---- clipboard text
    // The selected range: "\t" between the cells of a row, "\r\n" between rows.
    [[nodiscard]] std::u16string copyText() const;
    void cutSelection();
    // Where a paste goes: the selection's top-left, else the focus cell, else fallback.
    [[nodiscard]] CGridCellId pasteTarget(CGridCellId fallback) const;
    // Fields split at tabs and commas, lines at line feeds, trimmed, set as edits from target on.
    void pasteText(std::u16string_view text, CGridCellId target);

    // ---- sorting
    void setCompareFunction(Compare compare) { m_compare = std::move(compare); }
    void sortByColumn(int column, SortOrder order);
    // A click on a header sorts ascending, and descending when it already is.
    void sortByHeaderClick(int column);
    [[nodiscard]] int sortColumn() const { return m_sortColumn; }
    [[nodiscard]] SortOrder sortOrder() const { return m_sortOrder; }

private:
    CGridCell makeCell(int row, int column) const;
    // A new row's cells in stored order.
    std::vector<CGridCell> makeRow(int row) const;
    [[nodiscard]] std::size_t stored(int column) const { return std::size_t(m_columnOrder[std::size_t(column)]); }
    // Moves the stored columns into the shown order, which becomes the identity.
    void settleColumnOrder();
    void clampFocusAndSelection();
    void layoutChanged();
    void cellChanged(CGridCellId cell);
    void setSelectedBit(CGridCellId cell, bool selected);
    void rebuildSums() const;
    // The parent's data for a cell in virtual mode, in a cell that the next read reuses.
    CGridCell* virtualCell(CGridCellId id) const;
    void fillVirtual(CGridCell& into, CGridCellId id) const;

    const CGridTextMetrics* m_metrics = nullptr;
    const CGridImageList* m_images = nullptr;
    CGridListener* m_listener = nullptr;
    CGridModelObserver* m_observer = nullptr;
    CGridSettings m_settings;
    CGridDefaultCell m_defaults[4];

    std::vector<std::vector<CGridCell>> m_rows;
    std::vector<uint32_t> m_rowHeights;
    std::vector<uint32_t> m_columnWidths; // by stored column
    std::vector<int> m_columnOrder;
    bool m_virtual = false;
    std::vector<int> m_rowOrder;
    mutable CGridCell m_virtualCell;
    int m_fixedRows = 0;
    int m_fixedColumns = 0;
    // Running sums, rebuilt on the next lookup after any size changed.
    mutable std::vector<uint64_t> m_rowEdges{0};
    mutable std::vector<uint64_t> m_columnEdges{0};
    mutable bool m_sumsStale = false;

    CGridCellId m_focus;
    CGridCellId m_selectionStart;
    std::set<CGridCellId> m_selected;
    std::set<CGridCellId> m_keptSelection;
    bool m_modified = false;

    Compare m_compare;
    int m_sortColumn = -1;
    SortOrder m_sortOrder = SortOrder::Ascending;
};
