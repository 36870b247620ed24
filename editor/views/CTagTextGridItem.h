#pragma once
// A text cell of the tags grid: a frameless line edit whose trimmed text goes to the
// model, which takes or refuses it.

#include <QStyledItemDelegate>

class CTagTextGridItem : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
};
