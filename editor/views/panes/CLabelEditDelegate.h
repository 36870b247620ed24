#pragma once
// Lets a pane tree refuse a label edit: the new text reaches the item only when the
// tree accepts it. A cancelled edit (Esc) never asks.

#include <QStyledItemDelegate>

class CPaneTree;

class CLabelEditDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit CLabelEditDelegate(CPaneTree& tree);

    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

private:
    CPaneTree& m_tree;
};
