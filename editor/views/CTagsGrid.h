#pragma once
// The tags grid: a table over the tags model with a delegate per column, sortable by its
// header (the model's row order stays as it is), and the row commands in its context menu.

#include <QTableView>
#include <memory>
#include <vector>

#include "editor/document/CTagsModel.h"
#include "editor/views/CTagsSortModel.h"
#include "editor/views/CTagsTableModel.h"

class QMenu;

class CTagsGrid : public QTableView {
    Q_OBJECT
public:
    explicit CTagsGrid(CTagsModel& tags, QWidget* parent = nullptr);
    ~CTagsGrid() override;

    CTagsModel& Tags() const { return m_table->Tags(); }
    // The index of a model row and column as the view shows it.
    QModelIndex ViewIndex(int row, TagColumn column) const;

    // The commands in menu order, a separator before "Move to top", each enabled as the
    // selection allows.
    std::unique_ptr<QMenu> CreateContextMenu();

    void AddNumericTag();
    void AddStringTag();
    void DeleteTags();
    void DuplicateTags();
    void MergeIdenticalTags();
    void MoveCurrent(TagMove move);

    // Model rows of the selection, and of the current cell (-1 none).
    std::vector<int> SelectedRows() const;
    int CurrentRow() const;
    GridSorting Sorting() const;
    CTagsSortModel& SortModel() { return m_sorted; }

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void SelectRow(int row);
    void OnHeaderClicked(int column);

    std::unique_ptr<CTagsTableModel> m_table;
    CTagsSortModel m_sorted;
};
