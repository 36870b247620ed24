#include "editor/views/CTagSizeGridItem.h"

#include <QSpinBox>

namespace {

// Wider than the string limits, so that what is typed reaches the model to be clamped.
constexpr int kLargestEntry = 999999;

} // namespace

QWidget* CTagSizeGridItem::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const
{
    auto* editor = new QSpinBox(parent);
    editor->setRange(0, kLargestEntry);
    editor->setFrame(false);
    return editor;
}

void CTagSizeGridItem::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    static_cast<QSpinBox*>(editor)->setValue(index.data(Qt::EditRole).toInt());
}

void CTagSizeGridItem::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    auto* size = static_cast<QSpinBox*>(editor);
    size->interpretText();
    model->setData(index, size->value(), Qt::EditRole);
}
