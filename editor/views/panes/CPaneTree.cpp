#include "editor/views/panes/CPaneTree.h"

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>

#include "editor/views/panes/CLabelEditDelegate.h"
#include "editor/views/panes/PaneTreeItems.h"

CPaneTree::CPaneTree(QWidget* parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::EditKeyPressed);
    setDragEnabled(false);
    setIconSize(QSize(PaneTreeItems::kIconSize, PaneTreeItems::kIconSize));
    setItemDelegate(new CLabelEditDelegate(*this));
}

bool CPaneTree::StartLabelEdit()
{
    QTreeWidgetItem* item = currentItem();
    if (!item || !(item->flags() & Qt::ItemIsEditable))
        return false;
    editItem(item);
    return IsEditingLabel();
}

void CPaneTree::CancelLabelEdit()
{
    if (!IsEditingLabel())
        return;
    for (QLineEdit* editor : viewport()->findChildren<QLineEdit*>())
        if (editor->isVisible())
            closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
}

void CPaneTree::CancelDrag()
{
    m_dragging = false;
    m_pressed = QPersistentModelIndex();
    m_hovered = QPersistentModelIndex();
}

bool CPaneTree::AcceptLabel(QTreeWidgetItem& item, const QString& text)
{
    return m_endLabelEdit && m_endLabelEdit(item, text);
}

void CPaneTree::mousePressEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    QTreeWidgetItem* item = itemAt(at);
    if (!item) {
        // A press outside the items ends a label edit, as it does in the original.
        QTreeWidget::mousePressEvent(event);
        return;
    }
    setCurrentItem(item);
    if (event->button() == Qt::RightButton) {
        emit ItemRightClicked(item, event->globalPosition().toPoint());
        return;
    }
    if (event->button() == Qt::LeftButton) {
        m_pressed = indexFromItem(item);
        m_pressAt = at;
        m_dragging = false;
    }
}

void CPaneTree::mouseMoveEvent(QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton) || !m_pressed.isValid())
        return;
    const QPoint at = event->position().toPoint();
    if (!m_dragging) {
        if ((at - m_pressAt).manhattanLength() < QApplication::startDragDistance())
            return;
        m_dragging = true;
        m_hovered = m_pressed;
        emit DragStarted(itemFromIndex(m_pressed));
        if (!m_dragging)
            return;
    }
    QTreeWidgetItem* over = itemAt(at);
    if (!over || indexFromItem(over) == m_hovered)
        return;
    m_hovered = indexFromItem(over);
    emit DraggedOver(over);
}

void CPaneTree::mouseReleaseEvent(QMouseEvent* event)
{
    const bool wasDragging = m_dragging;
    const QPersistentModelIndex pressed = m_pressed;
    CancelDrag();
    if (event->button() != Qt::LeftButton)
        return;
    if (wasDragging) {
        emit DragEnded();
        return;
    }
    QTreeWidgetItem* item = itemAt(event->position().toPoint());
    if (item && pressed.isValid() && indexFromItem(item) == pressed) {
        m_clickModifiers = event->modifiers();
        emit ItemClicked(item);
    }
}

void CPaneTree::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTreeWidgetItem* item = itemAt(event->position().toPoint());
    if (!item || event->button() != Qt::LeftButton) {
        QTreeWidget::mouseDoubleClickEvent(event);
        return;
    }
    m_clickModifiers = event->modifiers();
    emit ItemDoubleClicked(item);
}
