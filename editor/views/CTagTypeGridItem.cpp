#include "editor/views/CTagTypeGridItem.h"

#include <QComboBox>

#include "editor/document/CTagType.h"

QWidget* CTagTypeGridItem::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const
{
    auto* editor = new QComboBox(parent);
    editor->setEditable(false);
    for (const std::u16string& name : CTagType::Offered(index.data(Qt::EditRole).toString().toStdU16String()))
        editor->addItem(QString::fromStdU16String(name));
    return editor;
}

void CTagTypeGridItem::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    auto* list = static_cast<QComboBox*>(editor);
    list->setCurrentIndex(list->findText(index.data(Qt::EditRole).toString()));
}

void CTagTypeGridItem::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    const QString type = static_cast<QComboBox*>(editor)->currentText();
    if (!type.isEmpty() && type != index.data(Qt::EditRole).toString())
        model->setData(index, type, Qt::EditRole);
}
