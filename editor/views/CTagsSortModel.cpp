#include "editor/views/CTagsSortModel.h"

#include <algorithm>

void CTagsSortModel::SortBy(int column, Extend extend)
{
    const auto found = std::find_if(m_keys.begin(), m_keys.end(), [&](const Key& key) { return key.column == column; });
    if (extend == Extend::AddKey) {
        if (found == m_keys.end())
            m_keys.push_back({column, Qt::AscendingOrder});
        else
            found->order = found->order == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    } else {
        const bool sole = m_keys.size() == 1 && found != m_keys.end();
        if (sole && found->order == Qt::DescendingOrder) {
            Unsort();
            return;
        }
        m_keys = {{column, sole ? Qt::DescendingOrder : Qt::AscendingOrder}};
    }
    // The proxy sorts ascending on the first key; lessThan applies every key's order.
    invalidate();
    sort(m_keys.front().column, Qt::AscendingOrder);
}

void CTagsSortModel::Unsort()
{
    m_keys.clear();
    sort(-1);
}

bool CTagsSortModel::lessThan(const QModelIndex& left, const QModelIndex& right) const
{
    for (const Key& key : m_keys) {
        const QVariant a = sourceModel()->index(left.row(), key.column).data();
        const QVariant b = sourceModel()->index(right.row(), key.column).data();
        const QPartialOrdering order = QVariant::compare(a, b);
        if (order == QPartialOrdering::Equivalent || order == QPartialOrdering::Unordered)
            continue;
        return (order == QPartialOrdering::Less) == (key.order == Qt::AscendingOrder);
    }
    // Equal on every key: the model's order.
    return left.row() < right.row();
}
