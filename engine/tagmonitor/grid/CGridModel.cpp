#include "engine/tagmonitor/grid/CGridModel.h"

#include <algorithm>
#include <numeric>

#include "engine/tagmonitor/grid/CGridImageList.h"
#include "engine/tagmonitor/grid/CGridTextMetrics.h"

namespace {

constexpr uint32_t kFixedRowBits = CGridCell::kFixed | CGridCell::kFixedRow;
constexpr uint32_t kFixedColumnBits = CGridCell::kFixed | CGridCell::kFixedColumn;

bool isFieldSpace(char16_t unit)
{
    return unit == u' ' || (unit >= u'\t' && unit <= u'\r');
}

std::u16string_view trimmed(std::u16string_view text)
{
    while (!text.empty() && isFieldSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isFieldSpace(text.back()))
        text.remove_suffix(1);
    return text;
}

} // namespace

CGridModel::CGridModel(const CGridTextMetrics* metrics)
{
    setMetrics(metrics);
}

void CGridModel::setMetrics(const CGridTextMetrics* metrics)
{
    m_metrics = metrics;
    for (CGridDefaultCell& cell : m_defaults)
        cell.measureWith(metrics);
}

const CGridDefaultCell& CGridModel::defaultCellOf(const CGridCell& cell) const
{
    const int kind = (cell.isFixedColumn() ? int(CellKind::FixedColumn) : 0) |
        (cell.isFixedRow() ? int(CellKind::FixedRow) : 0);
    return m_defaults[kind];
}

const CGridFont* CGridModel::fontOf(const CGridCell& cell) const
{
    if (cell.font)
        return &*cell.font;
    const CGridDefaultCell& defaults = defaultCellOf(cell);
    return defaults.font ? &*defaults.font : nullptr;
}

CGridCell CGridModel::makeCell(int row, int column) const
{
    CGridCell made;
    if (column < m_fixedColumns)
        made.state |= kFixedColumnBits;
    if (row < m_fixedRows)
        made.state |= kFixedRowBits;
    made.format = defaultCellOf(made).format;
    return made;
}

void CGridModel::layoutChanged()
{
    m_sumsStale = true;
    if (m_observer)
        m_observer->onGridLayoutChanged();
}

void CGridModel::cellChanged(CGridCellId id)
{
    if (m_observer)
        m_observer->onGridCellChanged(id);
}

std::vector<CGridCell> CGridModel::makeRow(int row) const
{
    std::vector<CGridCell> cells(static_cast<std::size_t>(columnCount()));
    for (int column = 0; column < columnCount(); ++column)
        cells[stored(column)] = makeCell(row, column);
    return cells;
}

// ---- virtual mode --------------------------------------------------------------------

void CGridModel::setVirtualMode(bool on)
{
    if (on == m_virtual)
        return;
    deleteAllItems();
    m_virtual = on;
}

void CGridModel::fillVirtual(CGridCell& into, CGridCellId id) const
{
    into = CGridCell{};
    into.state = (id.row < m_fixedRows ? kFixedRowBits : 0) | (id.column < m_fixedColumns ? kFixedColumnBits : 0);
    if (id == m_focus)
        into.state |= CGridCell::kFocused;
    if (m_selected.contains(id))
        into.state |= CGridCell::kSelected;
    into.format = defaultCellOf(into).format;
    (void)notify(CGridCode::GetDisplayInfo, {m_rowOrder[std::size_t(id.row)], int(stored(id.column))}, &into);
}

CGridCell* CGridModel::virtualCell(CGridCellId id) const
{
    fillVirtual(m_virtualCell, id);
    return &m_virtualCell;
}

// ---- counts --------------------------------------------------------------------------

bool CGridModel::setRowCount(int count)
{
    if (count < 0)
        return false;
    if (count == rowCount())
        return true;
    m_fixedRows = std::min(m_fixedRows, count);
    const int old = rowCount();
    m_rowHeights.resize(std::size_t(count), m_defaults[int(CellKind::Normal)].height);
    if (m_virtual) {
        m_rowOrder.resize(std::size_t(count));
        std::iota(m_rowOrder.begin(), m_rowOrder.end(), 0);
    } else {
        m_rows.resize(std::size_t(count));
        for (int row = old; row < count; ++row)
            m_rows[std::size_t(row)] = makeRow(row);
    }
    m_sortColumn = -1;
    m_modified = true;
    clampFocusAndSelection();
    layoutChanged();
    return true;
}

bool CGridModel::setColumnCount(int count)
{
    if (count < 0)
        return false;
    if (count == columnCount())
        return true;
    settleColumnOrder();
    m_fixedColumns = std::min(m_fixedColumns, count);
    const int old = columnCount();
    m_columnOrder.resize(std::size_t(count));
    std::iota(m_columnOrder.begin(), m_columnOrder.end(), 0); // settled: the identity
    m_columnWidths.resize(std::size_t(count), m_defaults[int(CellKind::FixedColumn)].width);
    for (int row = 0; row < int(m_rows.size()); ++row) {
        std::vector<CGridCell>& cells = m_rows[std::size_t(row)];
        cells.resize(std::size_t(count));
        for (int column = old; column < count; ++column)
            cells[std::size_t(column)] = makeCell(row, column);
    }
    m_sortColumn = -1;
    m_modified = true;
    clampFocusAndSelection();
    layoutChanged();
    return true;
}

bool CGridModel::setFixedRowCount(int count)
{
    if (count < 0)
        return false;
    if (count == m_fixedRows)
        return true;
    if (count > rowCount() && !setRowCount(count))
        return false;
    clearSelection();
    setFocusCell({});
    const int old = m_fixedRows;
    m_fixedRows = count;
    for (int row = std::min(old, count); !m_virtual && row < std::max(old, count); ++row)
        for (int column = 0; column < columnCount(); ++column) {
            CGridCell& c = *cell(row, column);
            if (row < count)
                c.state |= kFixedRowBits;
            else if (column < m_fixedColumns)
                c.state &= ~CGridCell::kFixedRow;
            else
                c.state &= ~kFixedRowBits;
        }
    layoutChanged();
    return true;
}

bool CGridModel::setFixedColumnCount(int count)
{
    if (count < 0)
        return false;
    if (count == m_fixedColumns)
        return true;
    if (count > columnCount() && !setColumnCount(count))
        return false;
    clearSelection();
    setFocusCell({});
    const int old = m_fixedColumns;
    m_fixedColumns = count;
    for (int row = 0; !m_virtual && row < rowCount(); ++row)
        for (int column = std::min(old, count); column < std::max(old, count); ++column) {
            CGridCell& c = *cell(row, column);
            if (column < count)
                c.state |= kFixedColumnBits;
            else if (row < m_fixedRows)
                c.state &= ~CGridCell::kFixedColumn;
            else
                c.state &= ~kFixedColumnBits;
            if (row >= m_fixedRows) {
                // A cell that changes its kind takes the new kind's colours.
                c.textColour = CGridCell::kDefaultColour;
                c.backColour = CGridCell::kDefaultColour;
            }
        }
    layoutChanged();
    return true;
}

bool CGridModel::setColumnOrder(std::vector<int> order)
{
    if (order.size() != m_columnOrder.size())
        return false;
    std::vector<int> sorted = order;
    std::sort(sorted.begin(), sorted.end());
    for (std::size_t i = 0; i < sorted.size(); ++i)
        if (sorted[i] != int(i))
            return false;
    // The cells' fixed bits stay right only when the fixed places keep the same columns.
    const auto fixedEnd = std::ptrdiff_t(m_fixedColumns);
    std::vector<int> wasFixed(m_columnOrder.begin(), m_columnOrder.begin() + fixedEnd);
    std::vector<int> isFixed(order.begin(), order.begin() + fixedEnd);
    std::sort(wasFixed.begin(), wasFixed.end());
    std::sort(isFixed.begin(), isFixed.end());
    if (wasFixed != isFixed)
        return false;
    // Focus and selection name shown places; what was there has moved.
    clearSelection();
    setFocusCell({});
    m_selectionStart = {};
    m_columnOrder = std::move(order);
    layoutChanged();
    return true;
}

void CGridModel::settleColumnOrder()
{
    bool identity = true;
    for (std::size_t i = 0; i < m_columnOrder.size(); ++i)
        identity = identity && m_columnOrder[i] == int(i);
    if (identity)
        return;
    const auto settle = [this](auto& storedValues) {
        auto shown = storedValues;
        for (std::size_t column = 0; column < m_columnOrder.size(); ++column)
            shown[column] = std::move(storedValues[stored(int(column))]);
        storedValues = std::move(shown);
    };
    settle(m_columnWidths);
    for (std::vector<CGridCell>& cells : m_rows)
        settle(cells);
    std::iota(m_columnOrder.begin(), m_columnOrder.end(), 0);
}

int CGridModel::insertRow(std::u16string_view heading, int position)
{
    if (m_virtual)
        return -1; // the parent holds the rows
    clearSelection();
    setFocusCell({});
    if (columnCount() < 1 && !setColumnCount(1))
        return -1;
    // Rows go below the fixed ones, so no cell changes its kind.
    const int row = position < 0 || position > rowCount() ? rowCount() : std::max(position, m_fixedRows);
    uint32_t height = m_defaults[int(CellKind::FixedRow)].height;
    std::vector<CGridCell> cells = makeRow(row);
    cells[stored(0)].text.assign(heading);
    m_rows.insert(m_rows.begin() + row, std::move(cells));
    m_rowHeights.insert(m_rowHeights.begin() + row, height);
    if (!heading.empty())
        m_rowHeights[std::size_t(row)] = uint32_t(textExtent({row, 0}).second);
    setModified({row, 0});
    layoutChanged();
    return row;
}

void CGridModel::deleteAllItems()
{
    clearSelection();
    m_rows.clear();
    m_rowHeights.clear();
    m_columnWidths.clear();
    m_columnOrder.clear();
    m_rowOrder.clear();
    m_fixedRows = m_fixedColumns = 0;
    m_focus = {};
    m_selectionStart = {};
    m_sortColumn = -1;
    m_modified = true;
    layoutChanged();
}

void CGridModel::clampFocusAndSelection()
{
    // Rows and columns that went take their focus and selection with them.
    if (m_focus.isValid() && !isValid(m_focus))
        m_focus = {};
    if (m_selectionStart.isValid() && !isValid(m_selectionStart))
        m_selectionStart = {};
    std::erase_if(m_selected, [this](const CGridCellId& id) { return !isValid(id); });
}

// ---- cells ---------------------------------------------------------------------------

CGridCell* CGridModel::cell(CGridCellId id)
{
    if (!isValid(id))
        return nullptr;
    return m_virtual ? virtualCell(id) : &m_rows[std::size_t(id.row)][stored(id.column)];
}

const CGridCell* CGridModel::cell(CGridCellId id) const
{
    if (!isValid(id))
        return nullptr;
    return m_virtual ? virtualCell(id) : &m_rows[std::size_t(id.row)][stored(id.column)];
}

bool CGridModel::setItemText(int row, int column, std::u16string_view text)
{
    CGridCell* c = m_virtual ? nullptr : cell(row, column);
    if (!c)
        return false;
    c->text.assign(text);
    setModified({row, column});
    return true;
}

bool CGridModel::setItemFont(int row, int column, std::optional<CGridFont> font)
{
    CGridCell* c = m_virtual ? nullptr : cell(row, column);
    if (!c)
        return false;
    c->font = std::move(font);
    cellChanged({row, column});
    return true;
}

bool CGridModel::setItemImage(int row, int column, int image)
{
    CGridCell* c = m_virtual ? nullptr : cell(row, column);
    if (!c)
        return false;
    c->image = std::max(image, -1);
    cellChanged({row, column});
    return true;
}

void CGridModel::setImageList(const CGridImageList* images)
{
    m_images = images;
    layoutChanged();
}

bool CGridModel::setItemData(int row, int column, uint32_t data)
{
    CGridCell* c = m_virtual ? nullptr : cell(row, column);
    if (!c)
        return false;
    c->itemData = data;
    setModified({row, column});
    return true;
}

bool CGridModel::setItemState(int row, int column, uint32_t state)
{
    CGridCell* c = cell(row, column);
    if (!c)
        return false;
    // The selection set follows the selected bit.
    if ((state & CGridCell::kSelected) != (c->state & CGridCell::kSelected)) {
        if (state & CGridCell::kSelected)
            m_selected.insert({row, column});
        else
            m_selected.erase({row, column});
    }
    c->state = state;
    cellChanged({row, column});
    return true;
}

std::u16string CGridModel::itemText(int row, int column) const
{
    const CGridCell* c = cell(row, column);
    return c ? c->text : std::u16string();
}

uint32_t CGridModel::itemData(int row, int column) const
{
    const CGridCell* c = cell(row, column);
    return c ? c->itemData : 0;
}

uint32_t CGridModel::itemState(int row, int column) const
{
    const CGridCell* c = cell(row, column);
    return c ? c->state : 0;
}

void CGridModel::setModified(CGridCellId id)
{
    if (id.column < 0 || id.column == m_sortColumn)
        m_sortColumn = -1;
    if (CGridCell* c = cell(id))
        c->state |= CGridCell::kModified;
    m_modified = true;
}

// ---- sizes ---------------------------------------------------------------------------

bool CGridModel::setColumnWidth(int column, uint32_t width)
{
    if (column < 0 || column >= columnCount())
        return false;
    m_columnWidths[stored(column)] = width;
    layoutChanged();
    return true;
}

bool CGridModel::setRowHeight(int row, uint32_t height)
{
    if (row < 0 || row >= rowCount())
        return false;
    m_rowHeights[std::size_t(row)] = height;
    layoutChanged();
    return true;
}

uint32_t CGridModel::columnWidth(int column) const
{
    return column >= 0 && column < columnCount() ? m_columnWidths[stored(column)] : 0;
}

uint32_t CGridModel::rowHeight(int row) const
{
    return row >= 0 && row < rowCount() ? m_rowHeights[std::size_t(row)] : 0;
}

void CGridModel::rebuildSums() const
{
    m_rowEdges.resize(m_rowHeights.size() + 1);
    m_rowEdges[0] = 0;
    std::partial_sum(m_rowHeights.begin(), m_rowHeights.end(), m_rowEdges.begin() + 1,
                     [](uint64_t sum, uint64_t size) { return sum + size; });
    m_columnEdges.resize(m_columnWidths.size() + 1);
    m_columnEdges[0] = 0;
    for (int column = 0; column < columnCount(); ++column)
        m_columnEdges[std::size_t(column) + 1] = m_columnEdges[std::size_t(column)] + m_columnWidths[stored(column)];
    m_sumsStale = false;
}

uint64_t CGridModel::rowTop(int row) const
{
    if (m_sumsStale)
        rebuildSums();
    return m_rowEdges[std::size_t(std::clamp(row, 0, rowCount()))];
}

uint64_t CGridModel::columnLeft(int column) const
{
    if (m_sumsStale)
        rebuildSums();
    return m_columnEdges[std::size_t(std::clamp(column, 0, columnCount()))];
}

int CGridModel::rowAt(uint64_t y, int first) const
{
    if (m_sumsStale)
        rebuildSums();
    first = std::clamp(first, 0, rowCount());
    // The first row whose bottom edge lies below y.
    const auto edge = std::upper_bound(m_rowEdges.begin() + first + 1, m_rowEdges.end(), y);
    return int(edge - m_rowEdges.begin()) - 1;
}

int CGridModel::columnAt(uint64_t x, int first) const
{
    if (m_sumsStale)
        rebuildSums();
    first = std::clamp(first, 0, columnCount());
    const auto edge = std::upper_bound(m_columnEdges.begin() + first + 1, m_columnEdges.end(), x);
    return int(edge - m_columnEdges.begin()) - 1;
}

std::pair<int, int> CGridModel::textExtent(CGridCellId id) const
{
    const CGridCell* c = cell(id);
    if (!c)
        return {0, 0};
    const CGridDefaultCell& defaults = defaultCellOf(*c);
    const int margin = c->margin >= 0 ? c->margin : defaults.margin;
    const int format = c->format >= 0 ? c->format : defaults.format;
    const CGridFont* font = fontOf(*c);
    const int line = !m_metrics ? CGridDefaultCell::kFallbackHeight
                                : font ? m_metrics->lineHeightIn(*font) : m_metrics->lineHeight();
    int width = 0, height = line;
    const auto measure = [this, font](std::u16string_view text) {
        if (!m_metrics)
            return int(text.size()) * CGridDefaultCell::kFallbackMargin * 2;
        return font ? m_metrics->textWidthIn(*font, text) : m_metrics->textWidth(text);
    };
    if (!(format & CGridCell::kWordBreak)) {
        width = measure(c->text);
    } else {
        int lines = 0;
        std::u16string_view rest = c->text;
        for (;;) {
            const std::size_t end = rest.find(u'\n');
            width = std::max(width, measure(rest.substr(0, end)));
            ++lines;
            if (end == std::u16string_view::npos)
                break;
            rest.remove_prefix(end + 1);
        }
        height = line * lines;
    }
    return {width + 2 * margin, height + 2 * margin};
}

std::pair<int, int> CGridModel::cellExtent(CGridCellId id) const
{
    const CGridCell* c = cell(id);
    if (!c)
        return {0, 0};
    auto [width, height] = textExtent(id);
    if (m_images && m_images->holds(c->image)) {
        // The image stands left of the text, a margin apart when the text has room for it.
        const int margin = c->margin >= 0 ? c->margin : defaultCellOf(*c).margin;
        const int textWidth = width - 2 * margin;
        width += m_images->imageWidth() + (margin < textWidth / 2 ? margin : 0);
        height = std::max(height, m_images->imageHeight() + 2 * margin);
    }
    const int grow = c->isFixed() ? 2 : 1; // fixed cells have a raised edge
    return {width + grow, height + grow};
}

void CGridModel::autoSizeColumn(int column)
{
    if (columnWidth(column) == 0)
        return;
    int widest = 0;
    cacheHint({0, column, rowCount() - 1, column});
    for (int row = 0; row < rowCount(); ++row)
        widest = std::max(widest, cellExtent({row, column}).first);
    cacheHint({});
    (void)setColumnWidth(column, uint32_t(widest));
}

void CGridModel::autoSizeRow(int row)
{
    if (rowHeight(row) == 0)
        return;
    int tallest = 0;
    cacheHint({row, 0, row, columnCount() - 1});
    for (int column = 0; column < columnCount(); ++column)
        tallest = std::max(tallest, cellExtent({row, column}).second);
    cacheHint({});
    (void)setRowHeight(row, uint32_t(tallest));
}

void CGridModel::autoSizeColumns()
{
    for (int column = 0; column < columnCount(); ++column)
        autoSizeColumn(column);
}

// ---- focus and selection -------------------------------------------------------------

void CGridModel::setFocusCell(CGridCellId id)
{
    if (id == m_focus)
        return;
    if (CGridCell* old = cell(m_focus)) {
        old->state &= ~CGridCell::kFocused;
        cellChanged(m_focus);
    }
    m_focus = isValid(id) ? id : CGridCellId{};
    if (CGridCell* now = cell(m_focus)) {
        now->state |= CGridCell::kFocused;
        cellChanged(m_focus);
    }
}

void CGridModel::setSelectedBit(CGridCellId id, bool selected)
{
    CGridCell* c = cell(id);
    if (!c)
        return;
    if (selected) {
        c->state |= CGridCell::kSelected;
        m_selected.insert(id);
    } else {
        c->state &= ~CGridCell::kSelected;
        m_selected.erase(id);
    }
    cellChanged(id);
}

CGridCellRange CGridModel::selectedRange() const
{
    if (m_selected.empty())
        return {};
    CGridCellRange range{m_selected.begin()->row, m_selected.begin()->column, m_selected.begin()->row,
                         m_selected.begin()->column};
    for (const CGridCellId& id : m_selected) {
        range.minRow = std::min(range.minRow, id.row);
        range.maxRow = std::max(range.maxRow, id.row);
        range.minColumn = std::min(range.minColumn, id.column);
        range.maxColumn = std::max(range.maxColumn, id.column);
    }
    return range;
}

void CGridModel::selectRange(CGridCellRange range, SelectMode mode)
{
    if (!m_settings.allowSelection)
        return;
    if (mode != SelectMode::Add)
        clearSelection();
    if (mode == SelectMode::AddToKept)
        for (const CGridCellId& kept : m_keptSelection)
            if (const CGridCell* c = cell(kept); c && !c->isFixed())
                setSelectedBit(kept, true);
    if (m_settings.listMode) {
        range.minColumn = m_fixedColumns;
        range.maxColumn = columnCount() - 1;
    }
    const int minRow = std::max(range.minRow, m_fixedRows), maxRow = std::min(range.maxRow, rowCount() - 1);
    const int minColumn = std::max(range.minColumn, m_fixedColumns),
              maxColumn = std::min(range.maxColumn, columnCount() - 1);
    for (int row = minRow; row <= maxRow; ++row)
        for (int column = minColumn; column <= maxColumn; ++column)
            setSelectedBit({row, column}, true);
}

void CGridModel::toggleSelected(CGridCellId id)
{
    if (const CGridCell* c = cell(id); c && !c->isFixed() && m_settings.allowSelection)
        setSelectedBit(id, !c->isSelected());
}

void CGridModel::clearSelection()
{
    while (!m_selected.empty())
        setSelectedBit(*m_selected.begin(), false);
}

void CGridModel::selectAll()
{
    if (!m_settings.allowSelectAll)
        return;
    (void)notify(CGridCode::SelectionChanging, m_focus);
    selectRange({m_fixedRows, m_fixedColumns, rowCount() - 1, columnCount() - 1}, SelectMode::Replace);
    (void)notify(CGridCode::SelectionChanged, m_focus);
}

void CGridModel::moveFocus(CGridCellId id, Extend extend)
{
    if (!isValid(id))
        return;
    (void)notify(CGridCode::SelectionChanging, id);
    if (extend == Extend::FromStart && m_selectionStart.isValid()) {
        selectRange(CGridCellRange::spanning(m_selectionStart, id), SelectMode::Replace);
    } else {
        m_selectionStart = id;
        selectRange({id.row, id.column, id.row, id.column}, SelectMode::Replace);
    }
    setFocusCell(id);
    (void)notify(CGridCode::SelectionChanged, id);
}

// ---- editing -------------------------------------------------------------------------

int CGridModel::notify(CGridCode code, CGridCellId id, CGridCell* item) const
{
    return m_listener ? m_listener->onGridNotify({code, id, item}) : 0;
}

void CGridModel::cacheHint(CGridCellRange range) const
{
    if (m_virtual && m_listener)
        (void)m_listener->onGridNotify({CGridCode::CacheHint, {}, nullptr, range});
}

void CGridModel::commandParent() const
{
    if (m_listener && isValid(m_focus))
        m_listener->onGridCommand(m_focus);
}

bool CGridModel::isCellEditable(CGridCellId id) const
{
    const CGridCell* c = cell(id);
    return c && m_settings.editable && !c->isReadOnly() && !c->isFixed();
}

bool CGridModel::beginEdit(CGridCellId id)
{
    if (!isCellEditable(id) || notify(CGridCode::BeginEdit, id) < 0)
        return false;
    cell(id)->editing = true;
    return true;
}

void CGridModel::endEdit(CGridCellId id, std::u16string_view text, std::u16string_view initialText, EditEnd end)
{
    CGridCell* c = cell(id);
    if (!c)
        return;
    c->editing = false;
    // What the editor did not change is no edit, whatever the cell has come to hold meanwhile.
    if (end == EditEnd::Cancel || text == initialText || text == c->text)
        return;
    std::u16string old = std::move(c->text);
    c->text.assign(text);
    if (notify(CGridCode::EndEdit, id, c) < 0) {
        c->text = std::move(old);
        cellChanged(id);
        return;
    }
    setModified(id);
    cellChanged(id);
}

bool CGridModel::setTextAsEdit(CGridCellId id, std::u16string_view text)
{
    if (!isCellEditable(id) || notify(CGridCode::BeginEdit, id) < 0)
        return false;
    CGridCell* c = cell(id);
    if (text == c->text)
        return true;
    std::u16string old = std::move(c->text);
    c->text.assign(text);
    if (notify(CGridCode::EndEdit, id, c) < 0) {
        c->text = std::move(old);
        cellChanged(id);
        return false;
    }
    setModified(id);
    cellChanged(id);
    return true;
}

// ---- clipboard text ------------------------------------------------------------------

std::u16string CGridModel::copyText() const
{
    const CGridCellRange range = selectedRange();
    std::u16string text;
    if (!range.isValid())
        return text;
    cacheHint(range);
    for (int row = range.minRow; row <= range.maxRow; ++row) {
        if (rowHeight(row) == 0)
            continue;
        for (int column = range.minColumn; column <= range.maxColumn; ++column) {
            if (columnWidth(column) == 0)
                continue;
            if (const CGridCell* c = cell(row, column); c && c->isSelected())
                text += c->text;
            if (column != range.maxColumn)
                text += u'\t';
        }
        if (row != range.maxRow)
            text += u"\r\n";
    }
    return text;
}

void CGridModel::cutSelection()
{
    if (!m_settings.editable)
        return;
    // A copy: each edit's notification may change the selection.
    const std::vector<CGridCellId> cells(m_selected.begin(), m_selected.end());
    for (const CGridCellId& id : cells)
        (void)setTextAsEdit(id, u"");
}

CGridCellId CGridModel::pasteTarget(CGridCellId fallback) const
{
    const CGridCellRange range = selectedRange();
    if (range.isValid())
        return range.topLeft();
    return isValid(m_focus) ? m_focus : fallback;
}

void CGridModel::pasteText(std::u16string_view text, CGridCellId target)
{
    if (!m_settings.editable || !isValid(target))
        return;
    // A final line feed ends the last line; it starts no empty one.
    if (!text.empty() && text.back() == u'\n')
        text.remove_suffix(1);
    if (text.empty())
        return;
    int row = target.row;
    for (;;) {
        while (row < rowCount() && rowHeight(row) == 0)
            ++row;
        if (row >= rowCount())
            break;
        const std::size_t lineEnd = text.find(u'\n');
        std::u16string_view line = text.substr(0, lineEnd);
        int column = target.column;
        for (;;) {
            while (column < columnCount() && columnWidth(column) == 0)
                ++column;
            if (column >= columnCount())
                break;
            const std::size_t fieldEnd = line.find_first_of(u"\t,");
            (void)setTextAsEdit({row, column}, trimmed(line.substr(0, fieldEnd)));
            if (fieldEnd == std::u16string_view::npos)
                break;
            line.remove_prefix(fieldEnd + 1);
            ++column;
        }
        if (lineEnd == std::u16string_view::npos)
            break;
        text.remove_prefix(lineEnd + 1);
        ++row;
    }
}

// ---- sorting -------------------------------------------------------------------------

void CGridModel::sortByColumn(int column, SortOrder order)
{
    if (column < 0 || column >= columnCount())
        return;
    m_sortColumn = column;
    m_sortOrder = order;
    clearSelection();
    setFocusCell({});
    m_selectionStart = {};
    const auto compare = [this](const CGridCell& a, const CGridCell& b) {
        if (m_compare)
            return m_compare(a, b);
        return a.text.compare(b.text); // ordinal, unit by unit
    };
    if (m_virtual) {
        // The parent's rows stay where they are; the order in which they show is sorted.
        std::vector<CGridCell> keys(m_rowOrder.size());
        for (int row = m_fixedRows; row < rowCount(); ++row)
            fillVirtual(keys[std::size_t(row)], {row, column});
        std::vector<std::size_t> shown(std::size_t(rowCount() - m_fixedRows));
        std::iota(shown.begin(), shown.end(), std::size_t(m_fixedRows));
        const int sign = order == SortOrder::Ascending ? 1 : -1;
        std::stable_sort(shown.begin(), shown.end(), [&](std::size_t a, std::size_t b) {
            return sign * compare(keys[a], keys[b]) < 0;
        });
        std::vector<int> sorted(m_rowOrder.begin(), m_rowOrder.begin() + m_fixedRows);
        for (std::size_t row : shown)
            sorted.push_back(m_rowOrder[row]);
        m_rowOrder = std::move(sorted);
        layoutChanged();
        return;
    }
    // Rows move whole: their cells and their heights.
    std::vector<std::size_t> sequence(std::size_t(rowCount() - m_fixedRows));
    std::iota(sequence.begin(), sequence.end(), std::size_t(m_fixedRows));
    const int sign = order == SortOrder::Ascending ? 1 : -1;
    std::stable_sort(sequence.begin(), sequence.end(), [&](std::size_t a, std::size_t b) {
        return sign * compare(m_rows[a][stored(column)], m_rows[b][stored(column)]) < 0;
    });
    std::vector<std::vector<CGridCell>> rows;
    std::vector<uint32_t> heights;
    rows.reserve(sequence.size());
    heights.reserve(sequence.size());
    for (std::size_t from : sequence) {
        rows.push_back(std::move(m_rows[from]));
        heights.push_back(m_rowHeights[from]);
    }
    std::move(rows.begin(), rows.end(), m_rows.begin() + m_fixedRows);
    std::copy(heights.begin(), heights.end(), m_rowHeights.begin() + m_fixedRows);
    layoutChanged();
}

void CGridModel::sortByHeaderClick(int column)
{
    const SortOrder order = column == m_sortColumn && m_sortOrder == SortOrder::Ascending ? SortOrder::Descending
                                                                                           : SortOrder::Ascending;
    sortByColumn(column, order);
}
