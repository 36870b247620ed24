#include "engine/tagmonitor/qt/CGridCtrl.h"

#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QDrag>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QMimeData>
#include <QPaintEvent>
#include <QPainter>
#include <QPagedPaintDevice>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

#include "engine/tagmonitor/qt/CTitleTip.h"

namespace {

QString toQString(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), qsizetype(text.size()));
}

std::u16string toText(const QString& text)
{
    return text.toStdU16String();
}

// Colours in the model are 0xBBGGRR.
uint32_t toColourRef(const QColor& colour)
{
    return uint32_t(colour.red()) | uint32_t(colour.green()) << 8 | uint32_t(colour.blue()) << 16;
}

QColor fromColourRef(uint32_t colour)
{
    return QColor(int(colour & 0xFF), int(colour >> 8 & 0xFF), int(colour >> 16 & 0xFF));
}

QRect toQRect(const CGridRect& rect)
{
    return QRect(int(rect.left), int(rect.top), int(rect.right - rect.left), int(rect.bottom - rect.top));
}

Qt::Alignment alignmentOf(int format)
{
    Qt::Alignment alignment = Qt::AlignLeft;
    if (format & CGridCell::kAlignCentre)
        alignment = Qt::AlignHCenter;
    else if (format & CGridCell::kAlignRight)
        alignment = Qt::AlignRight;
    if (format & CGridCell::kVerticalCentre)
        alignment |= Qt::AlignVCenter;
    else if (format & CGridCell::kBottom)
        alignment |= Qt::AlignBottom;
    else
        alignment |= Qt::AlignTop;
    return alignment;
}

struct KeyMove {
    int key;
    CGridNavigation::Key move;
};
constexpr KeyMove kKeyMoves[] = {
    {Qt::Key_Up, CGridNavigation::Key::Up},         {Qt::Key_Down, CGridNavigation::Key::Down},
    {Qt::Key_Left, CGridNavigation::Key::Left},     {Qt::Key_Right, CGridNavigation::Key::Right},
    {Qt::Key_Home, CGridNavigation::Key::Home},     {Qt::Key_End, CGridNavigation::Key::End},
    {Qt::Key_PageUp, CGridNavigation::Key::PageUp}, {Qt::Key_PageDown, CGridNavigation::Key::PageDown},
};

struct EndMove {
    CInPlaceEdit::EndKey end;
    CGridNavigation::Key move;
    Qt::KeyboardModifiers modifiers;
};
constexpr EndMove kEndMoves[] = {
    {CInPlaceEdit::EndKey::Tab, CGridNavigation::Key::Tab, Qt::NoModifier},
    {CInPlaceEdit::EndKey::Backtab, CGridNavigation::Key::Tab, Qt::ShiftModifier},
    {CInPlaceEdit::EndKey::Up, CGridNavigation::Key::Up, Qt::NoModifier},
    {CInPlaceEdit::EndKey::Down, CGridNavigation::Key::Down, Qt::NoModifier},
    {CInPlaceEdit::EndKey::Left, CGridNavigation::Key::Left, Qt::NoModifier},
    {CInPlaceEdit::EndKey::Right, CGridNavigation::Key::Right, Qt::NoModifier},
    {CInPlaceEdit::EndKey::PageUp, CGridNavigation::Key::PageUp, Qt::NoModifier},
    {CInPlaceEdit::EndKey::PageDown, CGridNavigation::Key::PageDown, Qt::NoModifier},
};

constexpr CGridModel::CellKind kCellKinds[] = {CGridModel::CellKind::Normal, CGridModel::CellKind::FixedColumn,
                                              CGridModel::CellKind::FixedRow, CGridModel::CellKind::Corner};

} // namespace

CGridCtrl::CGridCtrl(QWidget* parent)
    : QAbstractScrollArea(parent), m_metrics(font()), m_model(&m_metrics), m_desktopColours(DesktopColours::of(palette())),
      m_wheelLines(QApplication::wheelScrollLines())
{
    setObjectName(QStringLiteral("MFCGridCtrl"));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    setFrameShape(QFrame::Box);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent); // every pixel is painted
    viewport()->setMouseTracking(true);
    // Drops are taken only while the drag and drop setting is on (dragEnterEvent).
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    m_model.setObserver(this);
    for (CGridModel::CellKind kind : kCellKinds) {
        CGridDefaultCell& cell = m_model.defaultCell(kind);
        cell.textColour = m_desktopColours.text;
        cell.backColour = m_desktopColours.backOf(kind);
    }
    m_model.settings().backgroundColour = m_desktopColours.shadow;
    m_autoScroll.setInterval(kAutoScrollMs);
    connect(&m_autoScroll, &QTimer::timeout, this, &CGridCtrl::autoScrollTick);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { hideTitleTip(); });
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { hideTitleTip(); });
}

CGridCtrl::~CGridCtrl()
{
    m_destroying = true;
    // An open edit goes unannounced: the parent may be half gone already.
    cancelEdit();
    m_model.setListener(nullptr);
    m_model.setObserver(nullptr);
}

CGridViewport CGridCtrl::gridViewport() const
{
    return {uint64_t(std::max(horizontalScrollBar()->value(), 0)), uint64_t(std::max(verticalScrollBar()->value(), 0)),
            viewport()->width(), viewport()->height()};
}

QRect CGridCtrl::cellRect(CGridCellId cell) const
{
    return toQRect(CGridGeometry::cellRect(m_model, gridViewport(), cell));
}

// ---- model changes -------------------------------------------------------------------

void CGridCtrl::onGridLayoutChanged()
{
    if (m_destroying)
        return;
    resetScrollBars();
    viewport()->update();
}

void CGridCtrl::onGridCellChanged(CGridCellId cell)
{
    if (m_destroying)
        return;
    // Its fixed neighbours show the focus too.
    viewport()->update(cellRect(cell).adjusted(-1, -1, 1, 1));
    if (m_model.settings().trackFocusCell) {
        viewport()->update(cellRect({cell.row, 0}).united(cellRect({cell.row, m_model.fixedColumnCount() - 1})));
        viewport()->update(cellRect({0, cell.column}).united(cellRect({m_model.fixedRowCount() - 1, cell.column})));
    }
}

void CGridCtrl::resetScrollBars()
{
    const QSize size = viewport()->size();
    const uint64_t fixedHeight = m_model.fixedRowHeight(), fixedWidth = m_model.fixedColumnWidth();
    const auto clampToInt = [](uint64_t value) { return int(std::min<uint64_t>(value, INT32_MAX)); };
    verticalScrollBar()->setRange(0, clampToInt(CGridGeometry::maxScrollY(m_model, size.height())));
    verticalScrollBar()->setPageStep(std::max(1, size.height() - clampToInt(fixedHeight)));
    horizontalScrollBar()->setRange(0, clampToInt(CGridGeometry::maxScrollX(m_model, size.width())));
    horizontalScrollBar()->setPageStep(std::max(1, size.width() - clampToInt(fixedWidth)));
}

void CGridCtrl::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    resetScrollBars();
}

void CGridCtrl::scrollContentsBy(int, int)
{
    viewport()->update();
    if (m_editor) // the edit box stays over its cell
        m_editor->move(cellRect(m_editCell).topLeft());
}

void CGridCtrl::changeEvent(QEvent* event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        m_metrics.setFont(font());
        m_model.setMetrics(&m_metrics);
        viewport()->update();
    } else if (event->type() == QEvent::PaletteChange) {
        followDesktopColours();
    }
}

CGridCtrl::DesktopColours CGridCtrl::DesktopColours::of(const QPalette& palette)
{
    return {toColourRef(palette.color(QPalette::Text)), toColourRef(palette.color(QPalette::Base)),
            toColourRef(palette.color(QPalette::Button)), toColourRef(palette.color(QPalette::Dark))};
}

void CGridCtrl::followDesktopColours()
{
    // Colours that are still the old desktop's follow it; those the program chose stay.
    const DesktopColours now = DesktopColours::of(palette());
    const auto follow = [](uint32_t& colour, uint32_t before, uint32_t after) {
        if (colour == before)
            colour = after;
    };
    for (CGridModel::CellKind kind : kCellKinds) {
        CGridDefaultCell& cell = m_model.defaultCell(kind);
        follow(cell.textColour, m_desktopColours.text, now.text);
        follow(cell.backColour, m_desktopColours.backOf(kind), now.backOf(kind));
    }
    follow(m_model.settings().backgroundColour, m_desktopColours.shadow, now.shadow);
    m_desktopColours = now;
    viewport()->update();
}

// ---- scrolling -----------------------------------------------------------------------

void CGridCtrl::lineScroll(Qt::Orientation orientation, int lines)
{
    for (int i = 0; i < std::abs(lines); ++i) {
        // By the size of the row (column) that scrolls in or out.
        if (orientation == Qt::Vertical) {
            const int top = CGridGeometry::topRow(m_model, gridViewport());
            const int row = lines > 0 ? top : top - 1;
            const int step = int(m_model.rowHeight(std::max(row, m_model.fixedRowCount())));
            verticalScrollBar()->setValue(verticalScrollBar()->value() + (lines > 0 ? step : -step));
        } else {
            const int left = CGridGeometry::leftColumn(m_model, gridViewport());
            const int column = lines > 0 ? left : left - 1;
            const int step = int(m_model.columnWidth(std::max(column, m_model.fixedColumnCount())));
            horizontalScrollBar()->setValue(horizontalScrollBar()->value() + (lines > 0 ? step : -step));
        }
    }
}

void CGridCtrl::pageScroll(int pages)
{
    verticalScrollBar()->setValue(verticalScrollBar()->value() + pages * verticalScrollBar()->pageStep());
}

void CGridCtrl::wheelEvent(QWheelEvent* event)
{
    const int delta = event->angleDelta().y();
    if (delta == 0)
        return;
    if (m_wheelLines < 0) {
        const int notches = std::max(1, std::abs(delta) / kWheelNotch);
        pageScroll(delta > 0 ? -notches : notches);
    } else {
        // lines x delta / 120; a touchpad's steps under a notch add up until they make a
        // line, and a turn back starts afresh.
        const bool underANotch = std::abs(delta) < kWheelNotch;
        if (underANotch && (m_wheelCarry < 0) != (delta < 0))
            m_wheelCarry = 0;
        const int64_t step = int64_t(m_wheelLines) * delta + (underANotch ? m_wheelCarry : 0);
        const int64_t lines = step / kWheelNotch;
        if (underANotch)
            m_wheelCarry = step - lines * kWheelNotch;
        // More lines than rows scroll no further; the bound keeps a wild setting harmless.
        lineScroll(Qt::Vertical, -int(std::clamp<int64_t>(lines, -m_model.rowCount(), m_model.rowCount())));
    }
    event->accept();
}

void CGridCtrl::ensureVisible(CGridCellId cell)
{
    const CGridViewport moved = CGridGeometry::scrolledTo(m_model, gridViewport(), cell);
    horizontalScrollBar()->setValue(int(moved.scrollX));
    verticalScrollBar()->setValue(int(moved.scrollY));
}

// ---- keys ----------------------------------------------------------------------------

bool CGridCtrl::handleNavigation(CGridNavigation::Key key, Qt::KeyboardModifiers modifiers)
{
    const CGridCellId from = m_model.focusCell();
    if (!m_model.isValid(from))
        return false;
    int rowsScrolled = 0;
    if (key == CGridNavigation::Key::PageUp || key == CGridNavigation::Key::PageDown) {
        const int top = CGridGeometry::topRow(m_model, gridViewport());
        pageScroll(key == CGridNavigation::Key::PageUp ? -1 : 1);
        rowsScrolled = CGridGeometry::topRow(m_model, gridViewport()) - top;
    }
    const bool shift = modifiers & Qt::ShiftModifier;
    const std::optional<CGridCellId> to = CGridNavigation::move(
        m_model, from, key, shift ? CGridNavigation::Direction::Backward : CGridNavigation::Direction::Forward,
        modifiers & Qt::ControlModifier ? CGridNavigation::Control::Down : CGridNavigation::Control::Up, rowsScrolled);
    if (!to)
        return false;
    const bool extend = shift && key != CGridNavigation::Key::Tab;
    m_model.moveFocus(*to, extend ? CGridModel::Extend::FromStart : CGridModel::Extend::No);
    ensureVisible(*to);
    return true;
}

bool CGridCtrl::event(QEvent* event)
{
    // Tab moves between cells while the grid handles it; at the last cell it leaves.
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) && m_model.settings().handleTab &&
            !(key->modifiers() & Qt::ControlModifier)) {
            const Qt::KeyboardModifiers modifiers =
                key->key() == Qt::Key_Backtab ? Qt::KeyboardModifiers(Qt::ShiftModifier) : key->modifiers();
            hideTitleTip();
            if (handleNavigation(CGridNavigation::Key::Tab, modifiers))
                return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

void CGridCtrl::keyPressEvent(QKeyEvent* event)
{
    hideTitleTip();
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const bool control = modifiers & Qt::ControlModifier;
    const int key = event->key();
    if (control) {
        if (key == Qt::Key_C || key == Qt::Key_Insert)
            return copy();
        if (key == Qt::Key_V)
            return paste();
        if (key == Qt::Key_X)
            return cut();
        if (key == Qt::Key_A)
            return m_model.selectAll();
        if (key == Qt::Key_Plus && (modifiers & Qt::KeypadModifier)) {
            m_model.autoSizeColumns();
            return;
        }
    }
    if (key == Qt::Key_Insert && (modifiers & Qt::ShiftModifier))
        return paste();
    for (const KeyMove& move : kKeyMoves)
        if (key == move.key) {
            if (!handleNavigation(move.move, modifiers))
                event->ignore();
            return;
        }
    const CGridCellId focus = m_model.focusCell();
    if (m_mouseMode != MouseMode::None || !m_model.isValid(focus))
        return QAbstractScrollArea::keyPressEvent(event);
    if (key == Qt::Key_F2)
        return editCell(focus, CInPlaceEdit::Start::Mouse);
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        return editCell(focus, CInPlaceEdit::Start::Enter);
    if (key == Qt::Key_Backspace)
        return editCell(focus, CInPlaceEdit::Start::Backspace);
    if (key == Qt::Key_Escape || control)
        return QAbstractScrollArea::keyPressEvent(event);
    // Space selects the old text rather than replacing it, so Space then Enter writes nothing.
    if (key == Qt::Key_Space)
        return editCell(focus, CInPlaceEdit::Start::SelectWhole);
    const QString text = event->text();
    if (!text.isEmpty() && text.at(0).isPrint())
        return editCell(focus, CInPlaceEdit::Start::Character, text);
    QAbstractScrollArea::keyPressEvent(event);
}

void CGridCtrl::inputMethodEvent(QInputMethodEvent* event)
{
    // Composed text starts an edit as a typed character would; the editor takes the rest.
    const CGridCellId focus = m_model.focusCell();
    if (!event->commitString().isEmpty() && m_mouseMode == MouseMode::None && m_model.isValid(focus))
        editCell(focus, CInPlaceEdit::Start::Character, event->commitString());
    event->accept();
}

// ---- editing -------------------------------------------------------------------------

void CGridCtrl::editCell(CGridCellId cell, CInPlaceEdit::Start start, const QString& character)
{
    hideTitleTip();
    if (m_editor) {
        if (start == CInPlaceEdit::Start::Character)
            m_editor->insert(character);
        return;
    }
    if (!m_model.isCellEditable(cell))
        return;
    ensureVisible(cell);
    const QRect rect = cellRect(cell);
    if (rect.isEmpty() || !viewport()->rect().intersects(rect) || !m_model.beginEdit(cell))
        return;
    const CGridCell& c = *m_model.cell(cell);
    const int format = c.format >= 0 ? c.format : m_model.defaultCellOf(c).format;
    m_editCell = cell;
    m_editor = new CInPlaceEdit(viewport(), rect.adjusted(0, 0, 1, 1), alignmentOf(format) & Qt::AlignHorizontal_Mask,
                                toQString(c.text), start, character);
    connect(m_editor, &CInPlaceEdit::editingEnded, this, &CGridCtrl::onEditorEnded);
}

void CGridCtrl::cancelEdit()
{
    if (!m_editor)
        return;
    if (CGridCell* c = m_model.cell(m_editCell))
        c->editing = false;
    m_editor->disconnect(this);
    m_editor->cancel();
    m_editor = nullptr;
}

void CGridCtrl::onEditorEnded(const QString& text, CInPlaceEdit::EndKey key)
{
    CInPlaceEdit* editor = m_editor.data();
    m_editor = nullptr;
    const CGridCellId cell = m_editCell;
    const bool hadFocus = editor && editor->hasFocus();
    m_model.endEdit(cell, toText(text), editor ? toText(editor->initialText()) : toText(text),
                    key == CInPlaceEdit::EndKey::Escape ? CGridModel::EditEnd::Cancel : CGridModel::EditEnd::Commit);
    viewport()->update(cellRect(cell).adjusted(-1, -1, 1, 1));
    if (hadFocus || key != CInPlaceEdit::EndKey::None)
        setFocus(Qt::OtherFocusReason);
    for (const EndMove& move : kEndMoves)
        if (key == move.end) {
            if (handleNavigation(move.move, move.modifiers))
                editCell(m_model.focusCell(), CInPlaceEdit::Start::SelectWhole);
            return;
        }
}

// ---- clipboard and drag and drop -----------------------------------------------------

void CGridCtrl::copy()
{
    if (m_model.selectedRange().isValid())
        QGuiApplication::clipboard()->setText(toQString(m_model.copyText()));
}

void CGridCtrl::cut()
{
    if (!m_model.settings().editable)
        return;
    copy();
    m_model.cutSelection();
}

void CGridCtrl::paste()
{
    if (!m_model.settings().editable)
        return;
    const QString text = QGuiApplication::clipboard()->text();
    if (text.isEmpty())
        return;
    const CGridCellRange visible = CGridGeometry::visibleRange(m_model, gridViewport());
    m_model.pasteText(toText(text), m_model.pasteTarget(visible.topLeft()));
    viewport()->update();
}

void CGridCtrl::startDrag()
{
    if (m_model.notify(CGridCode::BeginDrag, m_pressCell) < 0)
        return;
    auto* data = new QMimeData;
    data->setText(toQString(m_model.copyText()));
    QDrag drag(this);
    drag.setMimeData(data); // the drag owns it
    drag.exec(Qt::CopyAction | Qt::MoveAction);
}

void CGridCtrl::setDropHighlight(CGridCellId cell)
{
    if (cell == m_dropCell)
        return;
    if (CGridCell* old = m_model.cell(m_dropCell))
        (void)m_model.setItemState(m_dropCell.row, m_dropCell.column, old->state & ~CGridCell::kDropHighlighted);
    m_dropCell = cell;
    if (CGridCell* now = m_model.cell(cell))
        (void)m_model.setItemState(cell.row, cell.column, now->state | CGridCell::kDropHighlighted);
}

void CGridCtrl::dragEnterEvent(QDragEnterEvent* event)
{
    if (m_model.settings().dragAndDrop && m_model.settings().editable && event->mimeData()->hasText())
        event->acceptProposedAction();
}

void CGridCtrl::dragMoveEvent(QDragMoveEvent* event)
{
    const QPoint point = event->position().toPoint();
    const CGridCellId cell = CGridGeometry::cellAt(m_model, gridViewport(), point.x(), point.y());
    if (!m_model.isCellEditable(cell)) {
        setDropHighlight({});
        event->ignore();
        return;
    }
    setDropHighlight(cell);
    ensureVisible(cell);
    event->setDropAction(event->modifiers() & Qt::ControlModifier ? Qt::CopyAction : Qt::MoveAction);
    event->accept();
}

void CGridCtrl::dragLeaveEvent(QDragLeaveEvent*)
{
    setDropHighlight({});
}

void CGridCtrl::dropEvent(QDropEvent* event)
{
    const CGridCellId cell = m_dropCell;
    setDropHighlight({});
    if (!m_model.isCellEditable(cell))
        return;
    m_model.pasteText(toText(event->mimeData()->text()), cell);
    viewport()->update();
    event->acceptProposedAction();
}

// ---- mouse ---------------------------------------------------------------------------

int CGridCtrl::columnBoundaryAt(QPoint point) const
{
    if (!m_model.settings().allowColumnResize || uint64_t(std::max(point.y(), 0)) >= m_model.fixedRowHeight())
        return -1;
    const CGridViewport view = gridViewport();
    for (int column = 0; column < m_model.columnCount(); ++column) {
        const CGridRect rect = CGridGeometry::cellRect(m_model, view, {0, column});
        if (m_model.columnWidth(column) == 0 && !m_model.settings().allowZeroSizes)
            continue;
        if (rect.right + 1 >= view.width + kResizeCaptureZone)
            break;
        if (std::abs(int64_t(point.x()) - (rect.right + 1)) <= kResizeCaptureZone)
            return column;
    }
    return -1;
}

int CGridCtrl::rowBoundaryAt(QPoint point) const
{
    if (!m_model.settings().allowRowResize || uint64_t(std::max(point.x(), 0)) >= m_model.fixedColumnWidth())
        return -1;
    const CGridViewport view = gridViewport();
    const CGridCellRange visible = CGridGeometry::visibleRange(m_model, view);
    const int last = visible.isValid() ? visible.maxRow : m_model.fixedRowCount() - 1;
    for (int row = 0; row <= last; ++row) {
        if (row >= m_model.fixedRowCount() && row < visible.minRow)
            continue;
        if (m_model.rowHeight(row) == 0 && !m_model.settings().allowZeroSizes)
            continue;
        const CGridRect rect = CGridGeometry::cellRect(m_model, view, {row, 0});
        if (std::abs(int64_t(point.y()) - (rect.bottom + 1)) <= kResizeCaptureZone)
            return row;
    }
    return -1;
}

bool CGridCtrl::isInTextArea(CGridCellId cell, QPoint point) const
{
    const CGridCell* c = m_model.cell(cell);
    if (!c)
        return false;
    const int margin = c->margin >= 0 ? c->margin : m_model.defaultCellOf(*c).margin;
    return cellRect(cell).adjusted(margin, 0, -margin, 0).contains(point);
}

void CGridCtrl::mousePressEvent(QMouseEvent* event)
{
    hideTitleTip();
    const QPoint point = event->position().toPoint();
    m_lastPoint = m_pressPoint = point;
    if (event->button() != Qt::LeftButton)
        return;
    setFocus(Qt::MouseFocusReason);
    if (const int column = columnBoundaryAt(point); column >= 0) {
        m_mouseMode = MouseMode::SizeColumn;
        m_sizing = column;
        m_sizingLine = point.x();
        viewport()->update();
        return;
    }
    if (const int row = rowBoundaryAt(point); row >= 0) {
        m_mouseMode = MouseMode::SizeRow;
        m_sizing = row;
        m_sizingLine = point.y();
        viewport()->update();
        return;
    }
    const CGridCellId cell = CGridGeometry::cellAt(m_model, gridViewport(), point.x(), point.y());
    m_pressCell = cell;
    if (!m_model.isValid(cell))
        return;
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if (!(modifiers & Qt::ShiftModifier))
        m_model.setSelectionStart(cell);
    const CGridCell& c = *m_model.cell(cell);
    if (cell == m_model.focusCell() && !c.isFixed() && !(modifiers & Qt::ControlModifier) &&
        m_model.isCellEditable(cell) && isInTextArea(cell, point)) {
        m_mouseMode = MouseMode::EditOnRelease;
        return;
    }
    if (!c.isFixed()) {
        if (m_model.settings().dragAndDrop && c.isSelected() && !(modifiers & Qt::ShiftModifier)) {
            m_mouseMode = MouseMode::PrepareDrag;
            return;
        }
        (void)m_model.notify(CGridCode::SelectionChanging, cell);
        if (modifiers & Qt::ControlModifier) {
            m_model.keepSelection();
            m_model.toggleSelected(cell);
            m_model.setFocusCell(cell);
        } else if (modifiers & Qt::ShiftModifier) {
            m_model.forgetKeptSelection();
            selectTo(cell, modifiers);
        } else {
            m_model.forgetKeptSelection();
            m_model.selectRange({cell.row, cell.column, cell.row, cell.column}, CGridModel::SelectMode::Replace);
            m_model.setFocusCell(cell);
        }
        m_mouseMode = MouseMode::SelectCells;
        m_autoScroll.start();
        return;
    }
    const int lastRow = m_model.rowCount() - 1, lastColumn = m_model.columnCount() - 1;
    if (c.isFixedRow() && c.isFixedColumn()) {
        m_mouseMode = MouseMode::SelectAll;
        m_model.selectAll();
    } else if (c.isFixedRow()) {
        if (m_model.settings().sortOnHeaderClick) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            m_model.sortByHeaderClick(cell.column);
            QApplication::restoreOverrideCursor();
            viewport()->update();
            return;
        }
        m_mouseMode = MouseMode::SelectColumns;
        m_model.selectRange({m_model.fixedRowCount(), cell.column, lastRow, cell.column},
                            CGridModel::SelectMode::Replace);
    } else {
        m_mouseMode = MouseMode::SelectRows;
        m_model.selectRange({cell.row, m_model.fixedColumnCount(), cell.row, lastColumn},
                            CGridModel::SelectMode::Replace);
    }
}

void CGridCtrl::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    m_lastPoint = point;
    const bool leftDown = event->buttons() & Qt::LeftButton;
    if (!leftDown) {
        if (columnBoundaryAt(point) >= 0)
            viewport()->setCursor(Qt::SizeHorCursor);
        else if (rowBoundaryAt(point) >= 0)
            viewport()->setCursor(Qt::SizeVerCursor);
        else
            viewport()->unsetCursor();
        updateTitleTip(point);
        return;
    }
    switch (m_mouseMode) {
    case MouseMode::SizeColumn:
    case MouseMode::SizeRow:
        m_sizingLine = m_mouseMode == MouseMode::SizeColumn ? point.x() : point.y();
        viewport()->update();
        break;
    case MouseMode::PrepareDrag:
        if ((point - m_pressPoint).manhattanLength() >= QApplication::startDragDistance()) {
            m_mouseMode = MouseMode::None;
            startDrag();
        }
        break;
    case MouseMode::SelectCells: {
        const QPoint inside(std::clamp(point.x(), 0, viewport()->width() - 1),
                            std::clamp(point.y(), 0, viewport()->height() - 1));
        const CGridCellId cell = CGridGeometry::cellAt(m_model, gridViewport(), inside.x(), inside.y());
        if (m_model.isValid(cell) && !m_model.cell(cell)->isFixed() && cell != m_model.focusCell())
            selectTo(cell, event->modifiers());
        break;
    }
    default:
        break;
    }
}

void CGridCtrl::autoScrollTick()
{
    if (m_mouseMode != MouseMode::SelectCells) {
        m_autoScroll.stop();
        return;
    }
    const QPoint point = viewport()->mapFromGlobal(QCursor::pos());
    if (point.y() >= viewport()->height())
        lineScroll(Qt::Vertical, 1);
    else if (point.y() < int(m_model.fixedRowHeight()))
        lineScroll(Qt::Vertical, -1);
    if (point.x() >= viewport()->width())
        lineScroll(Qt::Horizontal, 1);
    else if (point.x() < int(m_model.fixedColumnWidth()))
        lineScroll(Qt::Horizontal, -1);
    const QPoint inside(std::clamp(point.x(), int(m_model.fixedColumnWidth()), viewport()->width() - 1),
                        std::clamp(point.y(), int(m_model.fixedRowHeight()), viewport()->height() - 1));
    const CGridCellId cell = CGridGeometry::cellAt(m_model, gridViewport(), inside.x(), inside.y());
    if (m_model.isValid(cell) && cell != m_model.focusCell())
        selectTo(cell, QGuiApplication::keyboardModifiers());
}

void CGridCtrl::selectTo(CGridCellId cell, Qt::KeyboardModifiers modifiers)
{
    // While Ctrl is held, the cells selected before the press stay selected.
    m_model.selectRange(CGridCellRange::spanning(m_model.selectionStart(), cell),
                        modifiers & Qt::ControlModifier ? CGridModel::SelectMode::AddToKept
                                                        : CGridModel::SelectMode::Replace);
    m_model.setFocusCell(cell);
}

void CGridCtrl::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::RightButton) {
        (void)m_model.notify(CGridCode::RightClick, CGridGeometry::cellAt(m_model, gridViewport(), point.x(), point.y()));
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    const MouseMode mode = std::exchange(m_mouseMode, MouseMode::None);
    m_autoScroll.stop();
    switch (mode) {
    case MouseMode::SizeColumn:
    case MouseMode::SizeRow: {
        const bool columns = mode == MouseMode::SizeColumn;
        const QRect rect = cellRect(columns ? CGridCellId{0, m_sizing} : CGridCellId{m_sizing, 0});
        if (point != m_pressPoint) {
            // The boundary line, the cell's last pixel, follows the pointer.
            const int size = (columns ? point.x() - rect.left() : point.y() - rect.top()) + 1;
            const uint32_t least = m_model.settings().allowZeroSizes ? 0 : 1;
            const uint32_t chosen = std::max<uint32_t>(uint32_t(std::max(size, 0)), least);
            if (columns)
                (void)m_model.setColumnWidth(m_sizing, chosen);
            else
                (void)m_model.setRowHeight(m_sizing, chosen);
        }
        m_sizing = m_sizingLine = -1;
        viewport()->update();
        break;
    }
    case MouseMode::EditOnRelease:
        editCell(m_pressCell, CInPlaceEdit::Start::Mouse);
        break;
    case MouseMode::PrepareDrag:
        // No drag after all: a plain click on a selected cell.
        m_model.moveFocus(m_pressCell, CGridModel::Extend::No);
        [[fallthrough]];
    case MouseMode::SelectCells:
        (void)m_model.notify(CGridCode::SelectionChanged, m_pressCell);
        (void)m_model.notify(CGridCode::Click, m_pressCell);
        break;
    default:
        break;
    }
    viewport()->unsetCursor();
    // Posted, as the parent would take a command message: after this event has run its course.
    QMetaObject::invokeMethod(this, [this] { m_model.commandParent(); }, Qt::QueuedConnection);
}

void CGridCtrl::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    if (event->button() != Qt::LeftButton)
        return;
    if (const int column = columnBoundaryAt(point); column >= 0) {
        m_model.autoSizeColumn(column);
        return;
    }
    if (const int row = rowBoundaryAt(point); row >= 0) {
        m_model.autoSizeRow(row);
        return;
    }
    const CGridCellId cell = CGridGeometry::cellAt(m_model, gridViewport(), point.x(), point.y());
    if (!m_model.isValid(cell))
        return;
    (void)m_model.notify(CGridCode::DoubleClick, cell);
    const bool onFocus = cell == m_model.focusCell() || m_model.settings().listMode;
    if (onFocus && !m_model.cell(cell)->isFixed() && isInTextArea(cell, point)) {
        m_mouseMode = MouseMode::None;
        editCell(cell, CInPlaceEdit::Start::Mouse);
    }
}

// ---- title tip -----------------------------------------------------------------------

void CGridCtrl::updateTitleTip(QPoint point)
{
    if (!m_model.settings().titleTips || m_editor || m_mouseMode != MouseMode::None) {
        hideTitleTip();
        return;
    }
    const CGridCellId cell = CGridGeometry::cellAt(m_model, gridViewport(), point.x(), point.y());
    const CGridCell* c = m_model.cell(cell);
    const QRect rect = cellRect(cell);
    if (!c || c->text.empty() || m_model.textExtent(cell).first <= rect.width()) {
        hideTitleTip();
        return;
    }
    if (!m_titleTip)
        m_titleTip = new CTitleTip(this);
    const uint32_t back = c->backColour != CGridCell::kDefaultColour ? c->backColour
                                                                      : m_model.defaultCellOf(*c).backColour;
    const CGridFont* own = m_model.fontOf(*c);
    m_titleTip->showOver(QRect(viewport()->mapToGlobal(rect.topLeft()), rect.size()), toQString(c->text),
                         own ? CGridTextMetrics_Qt::toQFont(*own, font()) : font(), fromColourRef(back));
}

void CGridCtrl::hideTitleTip()
{
    if (m_titleTip)
        m_titleTip->hide();
}

void CGridCtrl::leaveEvent(QEvent* event)
{
    hideTitleTip();
    QAbstractScrollArea::leaveEvent(event);
}

void CGridCtrl::focusOutEvent(QFocusEvent* event)
{
    if (event->reason() == Qt::ActiveWindowFocusReason)
        hideTitleTip();
    QAbstractScrollArea::focusOutEvent(event);
}

// ---- drawing -------------------------------------------------------------------------

void CGridCtrl::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    drawGrid(painter, event->rect(), gridViewport(), Printing::No);
    if (m_sizing >= 0 && m_sizingLine >= 0) {
        // The boundary being dragged, two pixels wide.
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        if (m_mouseMode == MouseMode::SizeColumn)
            painter.fillRect(QRect(m_sizingLine - 1, 0, 2, viewport()->height()), Qt::white);
        else
            painter.fillRect(QRect(0, m_sizingLine - 1, viewport()->width(), 2), Qt::white);
    }
}

void CGridCtrl::drawGrid(QPainter& painter, const QRect& clip, const CGridViewport& view, Printing printing)
{
    const int fixedWidth = int(m_model.fixedColumnWidth()), fixedHeight = int(m_model.fixedRowHeight());
    const CGridCellRange visible = CGridGeometry::visibleRange(m_model, view);
    // The cells end at the last visible row and column.
    int right = fixedWidth, bottom = fixedHeight;
    if (visible.isValid()) {
        right = int(CGridGeometry::cellRect(m_model, view, {0, visible.maxColumn}).right) + 1;
        bottom = int(CGridGeometry::cellRect(m_model, view, {visible.maxRow, 0}).bottom) + 1;
    } else {
        right = int(m_model.totalWidth());
        bottom = int(m_model.totalHeight());
        if (m_model.columnCount() > m_model.fixedColumnCount())
            right = std::min<int>(right, fixedWidth + int(view.width));
    }
    right = std::min(right, view.width);
    bottom = std::min(bottom, view.height);
    if (printing == Printing::No)
        painter.fillRect(clip, fromColourRef(m_model.settings().backgroundColour)); // beyond the last row and column
    const auto back = [this](CGridModel::CellKind kind) {
        return fromColourRef(m_model.defaultCell(kind).backColour);
    };
    painter.fillRect(QRect(0, 0, fixedWidth, fixedHeight).intersected(clip), back(CGridModel::CellKind::Corner));
    painter.fillRect(QRect(0, fixedHeight, fixedWidth, bottom - fixedHeight).intersected(clip),
                     back(CGridModel::CellKind::FixedColumn));
    painter.fillRect(QRect(fixedWidth, 0, right - fixedWidth, fixedHeight).intersected(clip),
                     back(CGridModel::CellKind::FixedRow));
    painter.fillRect(QRect(fixedWidth, fixedHeight, right - fixedWidth, bottom - fixedHeight).intersected(clip),
                     back(CGridModel::CellKind::Normal));

    m_model.cacheHint(visible);
    const int rows[2][2] = {{0, m_model.fixedRowCount() - 1}, {visible.minRow, visible.maxRow}};
    const int columns[2][2] = {{0, m_model.fixedColumnCount() - 1}, {visible.minColumn, visible.maxColumn}};
    const bool scrolled = visible.isValid();
    // Fixed by fixed, scrolled rows by fixed columns, fixed rows by scrolled columns, the rest.
    for (const auto& [r, c] : {std::pair{0, 0}, std::pair{1, 0}, std::pair{0, 1}, std::pair{1, 1}}) {
        if ((r == 1 || c == 1) && !scrolled)
            continue;
        for (int row = rows[r][0]; row <= rows[r][1]; ++row) {
            if (m_model.rowHeight(row) == 0)
                continue;
            for (int column = columns[c][0]; column <= columns[c][1]; ++column) {
                if (m_model.columnWidth(column) == 0)
                    continue;
                const CGridRect rect = CGridGeometry::cellRect(m_model, view, {row, column});
                if (toQRect(rect).adjusted(0, 0, 1, 1).intersects(clip))
                    drawCell(painter, {row, column}, rect, printing);
            }
        }
    }

    const int lines = m_model.settings().gridLines;
    painter.setPen(QPen(fromColourRef(m_model.settings().gridLineColour), 1));
    if (lines & CGridSettings::Vertical)
        for (int span = 0; span < (scrolled ? 2 : 1); ++span)
            for (int column = columns[span][0]; column <= columns[span][1]; ++column) {
                if (m_model.columnWidth(column) == 0)
                    continue;
                const int x = int(CGridGeometry::cellRect(m_model, view, {0, column}).right);
                painter.drawLine(x, 0, x, bottom - 1);
            }
    if (lines & CGridSettings::Horizontal)
        for (int span = 0; span < (scrolled ? 2 : 1); ++span)
            for (int row = rows[span][0]; row <= rows[span][1]; ++row) {
                if (m_model.rowHeight(row) == 0)
                    continue;
                const int y = int(CGridGeometry::cellRect(m_model, view, {row, 0}).bottom);
                painter.drawLine(0, y, right - 1, y);
            }
}

void CGridCtrl::drawCell(QPainter& painter, CGridCellId id, const CGridRect& gridRect, Printing printing)
{
    const CGridCell* c = m_model.cell(id);
    QRect rect = toQRect(gridRect);
    if (!c || rect.isEmpty())
        return;
    painter.save();
    const CGridDefaultCell& defaults = m_model.defaultCellOf(*c);
    QColor text = fromColourRef(c->textColour != CGridCell::kDefaultColour ? c->textColour : defaults.textColour);
    QColor back = fromColourRef(c->backColour != CGridCell::kDefaultColour ? c->backColour : defaults.backColour);
    const bool gridLines = m_model.settings().gridLines != CGridSettings::None;
    const QRect erase = gridLines ? rect : rect.adjusted(0, 0, 1, 1);
    const bool selected = c->isSelected() && printing == Printing::No;
    if (selected) {
        back = palette().color(QPalette::Highlight);
        text = palette().color(QPalette::HighlightedText);
    }
    painter.fillRect(erase, back);
    if ((c->isFocused() || (c->state & CGridCell::kDropHighlighted)) && printing == Printing::No &&
        m_model.settings().frameFocusCell) {
        painter.setPen(QPen(text, 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect.adjusted(0, 0, -1, -1));
    }
    if (c->isFixed() && gridLines) {
        const CGridCellId focus = m_model.focusCell();
        const bool sunken = m_model.settings().trackFocusCell && m_model.isValid(focus) &&
            (focus.row == id.row || focus.column == id.column);
        const QColor light = palette().color(QPalette::Light), dark = palette().color(QPalette::Shadow);
        const QColor topLeft = sunken ? dark : light, bottomRight = sunken ? light : dark;
        painter.setPen(topLeft);
        painter.drawLine(rect.topLeft(), rect.topRight());
        painter.drawLine(rect.topLeft(), rect.bottomLeft());
        painter.setPen(bottomRight);
        painter.drawLine(rect.bottomLeft(), rect.bottomRight());
        painter.drawLine(rect.topRight(), rect.bottomRight());
        rect.adjust(1, 1, -1, -1);
    }
    if (const CGridFont* own = m_model.fontOf(*c); own && printing == Printing::No)
        painter.setFont(CGridTextMetrics_Qt::toQFont(*own, font()));
    const int margin = c->margin >= 0 ? c->margin : defaults.margin;
    rect.adjust(margin, 0, -margin, 0);
    if (m_images && m_images->holds(c->image) && rect.width() >= m_images->imageWidth() &&
        rect.height() >= m_images->imageHeight()) {
        m_images->draw(painter, c->image, rect.topLeft());
        rect.setLeft(rect.left() + m_images->imageWidth() + margin);
    }
    if (id.row == 0 && id.column == m_model.sortColumn()) {
        // The sort arrow at the right edge: up for ascending, down for descending.
        const int size = std::min(painter.fontMetrics().height() - 4, rect.height() - 4);
        if (size > 0) {
            const int x = rect.right() - size, y = rect.top() + (rect.height() - size) / 2;
            const bool up = m_model.sortOrder() == CGridModel::SortOrder::Ascending;
            const QPoint tip(x + size / 2, up ? y : y + size), left(x, up ? y + size : y), right(x + size, left.y());
            painter.setPen(palette().color(QPalette::Dark));
            painter.drawLine(left, tip);
            painter.drawLine(left, right);
            painter.setPen(palette().color(QPalette::Light));
            painter.drawLine(tip, right);
            rect.adjust(0, 0, -size - margin, 0);
        }
    }
    const int format = c->format >= 0 ? c->format : defaults.format;
    painter.setPen(text);
    QString shown = toQString(c->text);
    if (format & CGridCell::kEndEllipsis)
        shown = painter.fontMetrics().elidedText(shown, Qt::ElideRight, rect.width());
    const int flags = int(alignmentOf(format)) | ((format & CGridCell::kWordBreak) ? Qt::TextWordWrap : Qt::TextSingleLine);
    painter.drawText(rect, flags, shown);
    painter.restore();
}

// ---- printing ------------------------------------------------------------------------

int CGridCtrl::beginPrinting(const QPaintDevice& device)
{
    // The print font, like everything on the page, measures in grid pixels.
    QFont printFont(QStringLiteral("Arial"));
    printFont.setPixelSize(QFontInfo(font()).pixelSize());
    const CGridTextMetrics_Qt printMetrics(printFont);
    const CGridPaper paper{device.width(), device.height(), device.logicalDpiX(), device.logicalDpiY()};
    const CGridPrintLayout::PrinterScale scale =
        m_model.settings().printerScale ? CGridPrintLayout::PrinterScale::On : CGridPrintLayout::PrinterScale::Off;
    m_printJob.emplace(PrintJob{printFont, paper,
                                CGridPrintLayout(m_model, paper, logicalDpiX(), logicalDpiY(), printMetrics, scale)});
    return m_printJob->layout.pageCount();
}

void CGridCtrl::endPrinting()
{
    m_printJob.reset();
}

void CGridCtrl::print(QPagedPaintDevice& device)
{
    const int count = beginPrinting(device);
    QPainter painter;
    if (painter.begin(&device)) { // else the device's failure ends it without a message
        for (int page = 1; page <= count; ++page) {
            if (page > 1)
                device.newPage();
            printPage(painter, page);
        }
        painter.end();
    }
    endPrinting();
}

void CGridCtrl::printPage(QPainter& painter, int page)
{
    if (!m_printJob || page < 1 || page > m_printJob->layout.pageCount())
        return;
    const CGridPrintLayout& layout = m_printJob->layout;
    const CGridPaper& paper = m_printJob->paper;
    painter.save();
    painter.scale(double(paper.width) / std::max(layout.pageWidth(), 1),
                  double(paper.height) / std::max(layout.pageHeight(), 1));
    QFont bold = m_printJob->font;
    bold.setBold(true);
    painter.setFont(bold);
    painter.setPen(Qt::black);
    painter.setBackgroundMode(Qt::TransparentMode);
    const int line = layout.lineHeight(), margin = layout.sideMargin();
    const int width = layout.pageWidth() - 2 * margin;

    // The header: the first window title up the parents, and the application's name.
    QString title;
    for (const QWidget* w = parentWidget(); w && title.isEmpty(); w = w->parentWidget())
        title = w->windowTitle();
    const QRect header(margin, layout.headerTop(), width, CGridPrintLayout::kHeaderLines * line);
    painter.drawText(header, Qt::AlignHCenter | Qt::AlignVCenter, title);
    painter.drawText(header, Qt::AlignRight | Qt::AlignVCenter, QGuiApplication::applicationDisplayName());
    painter.drawLine(header.left(), header.bottom() + 1, header.right(), header.bottom() + 1);
    const QRect footer(margin, layout.footerTop(), width, CGridPrintLayout::kFooterLines * line);
    painter.drawLine(footer.topLeft(), footer.topRight());
    painter.drawText(footer, Qt::AlignLeft | Qt::AlignVCenter,
                     toQString(CGridPrintLayout::footerText(page, layout.pageCount())));
    painter.drawText(footer, Qt::AlignRight | Qt::AlignVCenter,
                     QLocale().toString(QDateTime::currentDateTime(), QLocale::ShortFormat));

    // The body: the fixed rows and columns, then the page's own; a row taller than the
    // body is cut at its end.
    const QRect body(margin, layout.bodyTop(), width,
                     layout.footerTop() - CGridPrintLayout::kGapLines * line - layout.bodyTop());
    painter.setClipRect(body);
    painter.translate(body.topLeft());
    QFont cells = font();
    cells.setPixelSize(QFontInfo(font()).pixelSize());
    painter.setFont(cells);
    const CGridPrintSpan rows = layout.rowsOf(page), columns = layout.columnsOf(page);
    const CGridViewport view{m_model.columnLeft(columns.first) - m_model.fixedColumnWidth(),
                             m_model.rowTop(rows.first) - m_model.fixedRowHeight(), body.width(), body.height()};
    const CGridPrintSpan rowSpans[] = {{0, m_model.fixedRowCount() - 1}, rows};
    const CGridPrintSpan columnSpans[] = {{0, m_model.fixedColumnCount() - 1}, columns};
    for (const CGridPrintSpan& rowSpan : rowSpans)
        for (int row = rowSpan.first; row <= rowSpan.last; ++row) {
            if (m_model.rowHeight(row) == 0)
                continue;
            for (const CGridPrintSpan& columnSpan : columnSpans)
                for (int column = columnSpan.first; column <= columnSpan.last; ++column)
                    if (m_model.columnWidth(column) > 0)
                        drawCell(painter, {row, column}, CGridGeometry::cellRect(m_model, view, {row, column}),
                                 Printing::Yes);
        }
    painter.restore();
}
