#pragma once
// The tags model as Qt's table model: one row per tag, the grid's seven columns. Edits
// go to the tags model, which refuses what it refuses; the view only shows the result.

#include <QAbstractTableModel>

#include "editor/document/CTagsModel.h"

class CTagsTableModel : public QAbstractTableModel, private CTagsModelListener {
    Q_OBJECT
public:
    explicit CTagsTableModel(CTagsModel& tags, QObject* parent = nullptr);
    ~CTagsTableModel() override;

    CTagsModel& Tags() const { return m_tags; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // A colour of the grid (0xBBGGRR) as Qt's.
    static QColor ToQColor(uint32_t color);

private:
    void OnTagRowsReset() override;
    void OnTagValuesChanged() override;

    CTagsModel& m_tags;
};
