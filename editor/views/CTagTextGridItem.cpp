#include "editor/views/CTagTextGridItem.h"

#include <QLineEdit>

QWidget* CTagTextGridItem::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const
{
    auto* editor = new QLineEdit(parent);
    editor->setFrame(false);
    return editor;
}

void CTagTextGridItem::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    static_cast<QLineEdit*>(editor)->setText(index.data(Qt::EditRole).toString().trimmed());
}

void CTagTextGridItem::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    model->setData(index, static_cast<QLineEdit*>(editor)->text().trimmed(), Qt::EditRole);
}
