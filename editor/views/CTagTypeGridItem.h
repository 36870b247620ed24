#pragma once
// The type cell: read-only text with a drop-down list of the types the row may take
// (numbers for a numeric row, character sets for a string row).

#include <QStyledItemDelegate>

class CTagTypeGridItem : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
};
