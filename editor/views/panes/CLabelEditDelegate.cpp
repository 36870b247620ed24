#include "editor/views/panes/CLabelEditDelegate.h"

#include <QLineEdit>
#include <QSignalBlocker>

#include "editor/views/panes/CPaneTree.h"

CLabelEditDelegate::CLabelEditDelegate(CPaneTree& tree) : QStyledItemDelegate(&tree), m_tree(tree) {}

void CLabelEditDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    const auto* line = qobject_cast<QLineEdit*>(editor);
    QTreeWidgetItem* item = m_tree.itemFromIndex(index);
    if (!line || !item || !m_tree.AcceptLabel(*item, line->text()))
        return;
    const QSignalBlocker blocker(m_tree);
    model->setData(index, line->text(), Qt::EditRole);
}
