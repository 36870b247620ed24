#pragma once
// The window of a diagram editor: a scroll area that turns Qt's mouse, key, wheel and
// scroll events into the editor's own events, shows the cursor the editor answers with
// and paints the editor through the device context into an image it puts on screen.

#include <QAbstractScrollArea>
#include <QTimer>

#include "diagram/editor/CDiagramEditor.h"
#include "platform/gfx/Surface.h"

class DDiagramView : public QAbstractScrollArea, public CDiagramWindow {
public:
    // The editor is borrowed and outlives the view; it edits container (none: its own).
    DDiagramView(CDiagramEditor& editor, CDiagramEntityContainer* container, QWidget* parent = nullptr);
    ~DDiagramView() override;

    CDiagramEditor& editor() const { return m_editor; }

    // CDiagramWindow
    void InvalidateRect(const CDiagramRect& clientRect) override;
    void ScrollLayoutChanged() override;
    void SetPanTimer(bool running) override;
    void TrackMenu(std::span<const CDiagramMenuItem> items, CDiagramPoint clientPoint) override;
    void ShowMessage(std::u16string_view text) override;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void apply(const DiagramResponse& response);

    CDiagramEditor& m_editor;
    gfx::Surface m_surface;
    QTimer m_panTimer;
    bool m_syncingBars = false; // the bars are being set from the editor, not by the user
};
