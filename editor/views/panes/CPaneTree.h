#pragma once
// The tree of the project and objects panes, with the notifications the panes answer:
// a click, a double click and a right click on an item, a drag of an item with the left
// button over the other items, and the end of an item's label edit, which the pane may
// refuse. Labels are edited with F2 only, on items whose flags allow it.

#include <QPersistentModelIndex>
#include <QPoint>
#include <QTreeWidget>
#include <functional>

class CPaneTree : public QTreeWidget {
    Q_OBJECT
public:
    // True accepts the new text; the item keeps its old one otherwise.
    using EndLabelEdit = std::function<bool(QTreeWidgetItem& item, const QString& text)>;

    explicit CPaneTree(QWidget* parent = nullptr);

    void SetEndLabelEdit(EndLabelEdit check) { m_endLabelEdit = std::move(check); }
    // Starts editing the current item's label; false when it cannot be edited.
    bool StartLabelEdit();
    bool IsEditingLabel() const { return state() == QAbstractItemView::EditingState; }
    // Closes an open label edit without taking its text.
    void CancelLabelEdit();
    bool IsDragging() const { return m_dragging; }
    // Forgets a running drag without telling anyone (what it dragged went away).
    void CancelDrag();
    // The keyboard modifiers of the last click.
    Qt::KeyboardModifiers ClickModifiers() const { return m_clickModifiers; }

    // Asked by the label delegate when an edit ends with Enter or by leaving it.
    bool AcceptLabel(QTreeWidgetItem& item, const QString& text);

signals:
    void ItemClicked(QTreeWidgetItem* item);
    void ItemDoubleClicked(QTreeWidgetItem* item);
    void ItemRightClicked(QTreeWidgetItem* item, const QPoint& globalPosition);
    void DragStarted(QTreeWidgetItem* item);
    void DraggedOver(QTreeWidgetItem* item);
    void DragEnded();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    EndLabelEdit m_endLabelEdit;
    // Indexes, not items: the panes rebuild their trees while a drag runs.
    QPersistentModelIndex m_pressed;
    QPersistentModelIndex m_hovered;
    QPoint m_pressAt;
    Qt::KeyboardModifiers m_clickModifiers;
    bool m_dragging = false;
};
