#pragma once
// The grid window: paints a CGridModel, scrolls it by pixels, lets the mouse resize rows
// and columns, moves the focus by keys, edits a cell in place, and copies, cuts, pastes,
// drags and prints. Everything the parent must hear goes through the model's listener.

#include <QAbstractScrollArea>
#include <QPointer>
#include <QTimer>
#include <memory>
#include <optional>

#include "engine/tagmonitor/grid/CGridGeometry.h"
#include "engine/tagmonitor/grid/CGridModel.h"
#include "engine/tagmonitor/grid/CGridNavigation.h"
#include "engine/tagmonitor/grid/CGridPrintLayout.h"
#include "engine/tagmonitor/qt/CGridImageList_Qt.h"
#include "engine/tagmonitor/qt/CGridTextMetrics_Qt.h"
#include "engine/tagmonitor/qt/CInPlaceEdit.h"

class CTitleTip;
class QPainter;
class QPagedPaintDevice;

class CGridCtrl : public QAbstractScrollArea, private CGridModelObserver {
    Q_OBJECT
public:
    // Selecting with the mouse scrolls every this many milliseconds beyond the window.
    static constexpr int kAutoScrollMs = 25;
    // A row or column boundary can be dragged from this many pixels either side.
    static constexpr int kResizeCaptureZone = 3;
    // One notch of a mouse wheel.
    static constexpr int kWheelNotch = 120;

    explicit CGridCtrl(QWidget* parent = nullptr);
    ~CGridCtrl() override;

    CGridModel& model() { return m_model; }
    [[nodiscard]] const CGridModel& model() const { return m_model; }
    // The scroll positions and the window's size as the model's geometry takes them.
    [[nodiscard]] CGridViewport gridViewport() const;
    [[nodiscard]] QRect cellRect(CGridCellId cell) const;
    // The images cells show by index; the list outlives its use here.
    void setImageList(const CGridImageList_Qt* images)
    {
        m_images = images;
        m_model.setImageList(images);
    }
    // Lines per wheel notch, the desktop's setting at construction; -1 scrolls a page per notch.
    void setWheelLines(int lines)
    {
        m_wheelLines = lines;
        m_wheelCarry = 0;
    }

    // Scrolls so that the cell shows.
    void ensureVisible(CGridCellId cell);
    // Starts an in-place edit of the cell, when the model and the parent allow it.
    void editCell(CGridCellId cell, CInPlaceEdit::Start start, const QString& character = {});
    [[nodiscard]] CInPlaceEdit* editor() const { return m_editor.data(); }
    // Ends an open edit without a notification.
    void cancelEdit();

    void copy();
    void cut();
    void paste();
    // The print cycle: beginPrinting takes the size and resolution of the device the pages
    // go to, makes the print font and gives the page count; printPage draws a page (1 to
    // the count) with a painter on a page of that device; endPrinting lets the font go.
    int beginPrinting(const QPaintDevice& device);
    void printPage(QPainter& painter, int page);
    void endPrinting();
    // Runs the whole cycle on device, a printer or a PDF file.
    void print(QPagedPaintDevice& device);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    enum class MouseMode { None, SelectAll, SelectColumns, SelectRows, SelectCells, SizeRow, SizeColumn, EditOnRelease,
                           PrepareDrag };
    enum class Printing { No, Yes };
    // The desktop's colours the default cells and the background start from (0xBBGGRR).
    struct DesktopColours {
        uint32_t text, window, buttonFace, shadow;
        static DesktopColours of(const QPalette& palette);
        [[nodiscard]] uint32_t backOf(CGridModel::CellKind kind) const
        {
            return kind == CGridModel::CellKind::Normal ? window : buttonFace;
        }
    };

    void onGridLayoutChanged() override;
    void onGridCellChanged(CGridCellId cell) override;
    void resetScrollBars();
    void followDesktopColours();
    void lineScroll(Qt::Orientation orientation, int lines);
    void pageScroll(int pages);
    // A grid key: moves the focus; false when the key is not the grid's.
    bool handleNavigation(CGridNavigation::Key key, Qt::KeyboardModifiers modifiers);
    void onEditorEnded(const QString& text, CInPlaceEdit::EndKey key);
    void autoScrollTick();
    // Selects from the selection start to the cell, which takes the focus.
    void selectTo(CGridCellId cell, Qt::KeyboardModifiers modifiers);
    // The column (row) whose right (bottom) boundary lies within the capture zone of the
    // point in a fixed row (column); -1 for none.
    [[nodiscard]] int columnBoundaryAt(QPoint point) const;
    [[nodiscard]] int rowBoundaryAt(QPoint point) const;
    [[nodiscard]] bool isInTextArea(CGridCellId cell, QPoint point) const;
    void updateTitleTip(QPoint point);
    void hideTitleTip();
    void setDropHighlight(CGridCellId cell);
    void startDrag();

    void drawGrid(QPainter& painter, const QRect& clip, const CGridViewport& viewport, Printing printing);
    void drawCell(QPainter& painter, CGridCellId id, const CGridRect& rect, Printing printing);

    CGridTextMetrics_Qt m_metrics;
    const CGridImageList_Qt* m_images = nullptr;
    CGridModel m_model;
    DesktopColours m_desktopColours;
    // Between beginPrinting and endPrinting.
    struct PrintJob {
        QFont font;
        CGridPaper paper;
        CGridPrintLayout layout;
    };
    std::optional<PrintJob> m_printJob;
    QPointer<CInPlaceEdit> m_editor;
    CGridCellId m_editCell;
    QTimer m_autoScroll;
    CTitleTip* m_titleTip = nullptr;
    MouseMode m_mouseMode = MouseMode::None;
    QPoint m_lastPoint;
    QPoint m_pressPoint;
    CGridCellId m_pressCell;
    int m_sizing = -1;       // the row or column being resized
    int m_sizingLine = -1;   // where its boundary line is drawn
    CGridCellId m_dropCell;
    int m_wheelLines;
    int64_t m_wheelCarry = 0; // lines x delta of small wheel steps not yet scrolled, in 1/120 lines
    bool m_destroying = false;
};
