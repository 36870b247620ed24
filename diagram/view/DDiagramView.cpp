#include "diagram/view/DDiagramView.h"

#include <QCursor>
#include <QImage>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <optional>

#include "platform/ui/Prompts.h"

namespace {

constexpr int kPanInterval = 10; // milliseconds

uint32_t modifiersOf(Qt::KeyboardModifiers modifiers)
{
    uint32_t result = kModifierNone;
    if (modifiers & Qt::ShiftModifier)
        result |= kModifierShift;
    if (modifiers & Qt::ControlModifier)
        result |= kModifierControl;
    if (modifiers & Qt::AltModifier)
        result |= kModifierAlt;
    return result;
}

DiagramMouseEvent mouseEventOf(const QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    return {{point.x(), point.y()}, modifiersOf(event->modifiers())};
}

// The editor's key for a Qt key, or none for keys it does not know.
std::optional<DiagramKeyEvent> keyEventOf(const QKeyEvent* event)
{
    const uint32_t modifiers = modifiersOf(event->modifiers());
    const bool keypad = event->modifiers() & Qt::KeypadModifier;
    const int key = event->key();
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return DiagramKeyEvent{DiagramKey::Character, char16_t(u'A' + (key - Qt::Key_A)), modifiers};
    switch (key) {
    case Qt::Key_Left: return DiagramKeyEvent{DiagramKey::Left, 0, modifiers};
    case Qt::Key_Right: return DiagramKeyEvent{DiagramKey::Right, 0, modifiers};
    case Qt::Key_Up: return DiagramKeyEvent{DiagramKey::Up, 0, modifiers};
    case Qt::Key_Down: return DiagramKeyEvent{DiagramKey::Down, 0, modifiers};
    case Qt::Key_PageUp: return DiagramKeyEvent{DiagramKey::PageUp, 0, modifiers};
    case Qt::Key_PageDown: return DiagramKeyEvent{DiagramKey::PageDown, 0, modifiers};
    case Qt::Key_Delete: return DiagramKeyEvent{DiagramKey::Delete, 0, modifiers};
    case Qt::Key_Insert: return DiagramKeyEvent{DiagramKey::Insert, 0, modifiers};
    case Qt::Key_Return:
    case Qt::Key_Enter: return DiagramKeyEvent{DiagramKey::Enter, 0, modifiers};
    case Qt::Key_Escape: return DiagramKeyEvent{DiagramKey::Escape, 0, modifiers};
    case Qt::Key_Backspace: return DiagramKeyEvent{DiagramKey::Backspace, 0, modifiers};
    case Qt::Key_Plus:
        if (keypad)
            return DiagramKeyEvent{DiagramKey::KeypadPlus, 0, modifiers};
        break;
    case Qt::Key_Minus:
        if (keypad)
            return DiagramKeyEvent{DiagramKey::KeypadMinus, 0, modifiers};
        break;
    default: break;
    }
    return std::nullopt;
}

Qt::CursorShape shapeOf(DiagramCursor cursor)
{
    switch (cursor) {
    case DiagramCursor::SizeAll: return Qt::SizeAllCursor;
    case DiagramCursor::SizeNWSE: return Qt::SizeFDiagCursor;
    case DiagramCursor::SizeNS: return Qt::SizeVerCursor;
    case DiagramCursor::SizeNESW: return Qt::SizeBDiagCursor;
    case DiagramCursor::SizeWE: return Qt::SizeHorCursor;
    case DiagramCursor::Cross: return Qt::CrossCursor;
    case DiagramCursor::Arrow:
    case DiagramCursor::None: break;
    }
    return Qt::ArrowCursor;
}

QString toQString(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), qsizetype(text.size()));
}

} // namespace

DDiagramView::DDiagramView(CDiagramEditor& editor, CDiagramEntityContainer* container, QWidget* parent)
    : QAbstractScrollArea(parent), m_editor(editor)
{
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    m_panTimer.setInterval(kPanInterval);
    connect(&m_panTimer, &QTimer::timeout, this, [this] {
        const QPoint cursor = viewport()->mapFromGlobal(QCursor::pos());
        apply(m_editor.OnPanTimer({cursor.x(), cursor.y()}));
    });
    m_editor.Create(container, this, {viewport()->width(), viewport()->height()});
}

DDiagramView::~DDiagramView()
{
    // The editor outlives its window; it must not call back into a destroyed one.
    m_editor.SetWindow(nullptr);
}

void DDiagramView::InvalidateRect(const CDiagramRect& rect)
{
    viewport()->update(QRect(rect.left, rect.top, rect.Width(), rect.Height()));
}

void DDiagramView::ScrollLayoutChanged()
{
    // Showing or hiding a bar resizes the viewport, which may come back here.
    const bool outer = m_syncingBars;
    m_syncingBars = true;
    const auto sync = [](QScrollBar* bar, const ScrollBarState& state) {
        bar->setRange(0, state.shown ? std::max(state.range - state.page, 0) : 0);
        bar->setPageStep(std::max(state.page, 1));
        bar->setValue(state.position);
    };
    sync(horizontalScrollBar(), m_editor.GetViewport().GetBar(ScrollAxis::Horizontal));
    sync(verticalScrollBar(), m_editor.GetViewport().GetBar(ScrollAxis::Vertical));
    m_syncingBars = outer;
}

void DDiagramView::SetPanTimer(bool running)
{
    if (running)
        m_panTimer.start();
    else
        m_panTimer.stop();
}

void DDiagramView::TrackMenu(std::span<const CDiagramMenuItem> items, CDiagramPoint clientPoint)
{
    QMenu menu(this);
    for (const CDiagramMenuItem& item : items) {
        if (item.command == 0) {
            menu.addSeparator();
            continue;
        }
        QAction* action = menu.addAction(toQString(item.caption));
        action->setData(item.command);
        action->setEnabled(item.enabled);
    }
    if (QAction* chosen = menu.exec(viewport()->mapToGlobal(QPoint(clientPoint.x, clientPoint.y))))
        m_editor.OnCommand(chosen->data().toInt());
}

void DDiagramView::ShowMessage(std::u16string_view text)
{
    Prompts::message(this, {QString(), toQString(text), Prompts::Icon::Information, Prompts::Buttons::Ok});
}

bool DDiagramView::event(QEvent* event)
{
    // A key the editor acts on is its own, even where a window shortcut would match;
    // the editor already leaves the window's own shortcuts alone.
    if (event->type() == QEvent::ShortcutOverride) {
        const std::optional<DiagramKeyEvent> key = keyEventOf(static_cast<QKeyEvent*>(event));
        if (key && m_editor.HandlesKey(*key)) {
            event->accept();
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

void DDiagramView::paintEvent(QPaintEvent* event)
{
    const QSize size = viewport()->size();
    if (size.isEmpty())
        return;
    if (m_surface.width() != size.width() || m_surface.height() != size.height())
        m_surface = gfx::Surface(size.width(), size.height());
    if (!m_surface.isValid())
        return;
    {
        gfx::DeviceContext dc(m_surface);
        const QRect area = event->rect();
        dc.intersectClipRect({area.left(), area.top(), area.right() + 1, area.bottom() + 1});
        m_editor.Paint(dc);
    }
    const gfx::ConstPixelBuffer pixels = std::as_const(m_surface).pixels();
    const QImage image(reinterpret_cast<const uchar*>(pixels.pixels), pixels.width, pixels.height, pixels.stride,
                       QImage::Format_ARGB32_Premultiplied);
    QPainter painter(viewport());
    painter.drawImage(event->rect(), image, event->rect());
}

void DDiagramView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    m_editor.OnSize(viewport()->width(), viewport()->height());
}

void DDiagramView::mousePressEvent(QMouseEvent* event)
{
    switch (event->button()) {
    case Qt::LeftButton:
        setFocus(Qt::MouseFocusReason);
        apply(m_editor.OnLButtonDown(mouseEventOf(event)));
        break;
    case Qt::RightButton: apply(m_editor.OnRButtonDown(mouseEventOf(event))); break;
    case Qt::MiddleButton: apply(m_editor.OnMButtonDown(mouseEventOf(event))); break;
    default: QAbstractScrollArea::mousePressEvent(event); return;
    }
    event->accept();
}

void DDiagramView::mouseMoveEvent(QMouseEvent* event)
{
    apply(m_editor.OnMouseMove(mouseEventOf(event)));
    event->accept();
}

void DDiagramView::mouseReleaseEvent(QMouseEvent* event)
{
    switch (event->button()) {
    case Qt::LeftButton: apply(m_editor.OnLButtonUp(mouseEventOf(event))); break;
    case Qt::RightButton: apply(m_editor.OnRButtonUp(mouseEventOf(event))); break;
    default: QAbstractScrollArea::mouseReleaseEvent(event); return;
    }
    event->accept();
}

void DDiagramView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mouseDoubleClickEvent(event);
        return;
    }
    // Qt gives the second press as the double click: it is a press as well.
    apply(m_editor.OnLButtonDown(mouseEventOf(event)));
    apply(m_editor.OnLButtonDblClk(mouseEventOf(event)));
    event->accept();
}

void DDiagramView::keyPressEvent(QKeyEvent* event)
{
    const std::optional<DiagramKeyEvent> key = keyEventOf(event);
    if (!key || m_editor.OnKeyDown(*key).handled == Handled::No) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    event->accept();
}

void DDiagramView::wheelEvent(QWheelEvent* event)
{
    const QPoint point = event->position().toPoint();
    const DiagramResponse response =
        m_editor.OnMouseWheel({event->angleDelta().y(), {point.x(), point.y()}, modifiersOf(event->modifiers())});
    if (response.handled == Handled::No) {
        event->ignore();
        return;
    }
    apply(response);
    event->accept();
}

void DDiagramView::scrollContentsBy(int, int)
{
    if (m_syncingBars)
        return;
    m_editor.SetScrollPosition(ScrollAxis::Horizontal, horizontalScrollBar()->value());
    m_editor.SetScrollPosition(ScrollAxis::Vertical, verticalScrollBar()->value());
}

void DDiagramView::apply(const DiagramResponse& response)
{
    viewport()->setCursor(shapeOf(response.cursor));
}
