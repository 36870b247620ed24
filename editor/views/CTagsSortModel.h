#pragma once
// The tags grid's sorting: by one column, or by several in turn (a header clicked with
// Shift adds its column as a further key). Only the view's order changes; the tags
// model keeps its rows where they are.

#include <QSortFilterProxyModel>
#include <vector>

class CTagsSortModel : public QSortFilterProxyModel {
    Q_OBJECT
public:
    struct Key {
        int column;
        Qt::SortOrder order;
    };
    enum class Extend { Replace, AddKey };

    using QSortFilterProxyModel::QSortFilterProxyModel;

    // A column clicked: it becomes the only key, or with AddKey a further one; clicking a
    // column that is a key already turns its order round, and the third click on a sole
    // key gives the model's order back.
    void SortBy(int column, Extend extend);
    // Back to the model's order.
    void Unsort();
    const std::vector<Key>& Keys() const { return m_keys; }

protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    std::vector<Key> m_keys;
};
