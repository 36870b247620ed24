#include "editor/views/CTagsGrid.h"

#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMenu>
#include <set>

#include "editor/views/CTagAddressGridItem.h"
#include "editor/views/CTagNameGridItem.h"
#include "editor/views/CTagSizeGridItem.h"
#include "editor/views/CTagTypeGridItem.h"

namespace {

struct MoveCommand {
    const char* caption;
    TagMove move;
};
constexpr MoveCommand kMoveCommands[] = {
    {"Move to top", TagMove::ToTop},
    {"Move up", TagMove::Up},
    {"Move down", TagMove::Down},
    {"Move to bottom", TagMove::ToBottom},
};

} // namespace

CTagsGrid::CTagsGrid(CTagsModel& tags, QWidget* parent)
    : QTableView(parent), m_table(std::make_unique<CTagsTableModel>(tags))
{
    m_sorted.setSourceModel(m_table.get());
    setModel(&m_sorted);
    setItemDelegateForColumn(int(TagColumn::Name), new CTagNameGridItem(this));
    setItemDelegateForColumn(int(TagColumn::Type), new CTagTypeGridItem(this));
    setItemDelegateForColumn(int(TagColumn::Size), new CTagSizeGridItem(this));
    setItemDelegateForColumn(int(TagColumn::Address), new CTagAddressGridItem(this));
    for (int column = 0; column < kTagColumnCount; ++column) {
        const CTagColumnInfo& info = TagColumnInfo(TagColumn(column));
        setColumnWidth(column, info.width);
        setColumnHidden(column, info.hidden);
    }
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    // Rows stand in the model's order until a header is clicked.
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setSortIndicatorShown(true);
    horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &CTagsGrid::OnHeaderClicked);
}

CTagsGrid::~CTagsGrid()
{
    setModel(nullptr);
}

QModelIndex CTagsGrid::ViewIndex(int row, TagColumn column) const
{
    return m_sorted.mapFromSource(m_table->index(row, int(column)));
}

std::vector<int> CTagsGrid::SelectedRows() const
{
    std::set<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedIndexes())
        rows.insert(m_sorted.mapToSource(index).row());
    return {rows.begin(), rows.end()};
}

int CTagsGrid::CurrentRow() const
{
    const QModelIndex current = m_sorted.mapToSource(currentIndex());
    return current.isValid() ? current.row() : -1;
}

GridSorting CTagsGrid::Sorting() const
{
    return m_sorted.Keys().empty() ? GridSorting::Unsorted : GridSorting::Sorted;
}

void CTagsGrid::OnHeaderClicked(int column)
{
    const bool addKey = QGuiApplication::keyboardModifiers().testFlag(Qt::ShiftModifier);
    m_sorted.SortBy(column, addKey ? CTagsSortModel::Extend::AddKey : CTagsSortModel::Extend::Replace);
    if (m_sorted.Keys().empty()) {
        horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
        return;
    }
    const CTagsSortModel::Key& first = m_sorted.Keys().front();
    horizontalHeader()->setSortIndicator(first.column, first.order);
}

void CTagsGrid::SelectRow(int row)
{
    const QModelIndex index = ViewIndex(row, TagColumn::Name);
    setCurrentIndex(index);
    selectRow(index.row());
}

void CTagsGrid::AddNumericTag()
{
    SelectRow(Tags().AddNumericTag());
}

void CTagsGrid::AddStringTag()
{
    SelectRow(Tags().AddStringTag());
}

void CTagsGrid::DeleteTags()
{
    Tags().DeleteTags(SelectedRows());
}

void CTagsGrid::DuplicateTags()
{
    const std::vector<int> copies = Tags().DuplicateTags(SelectedRows());
    if (!copies.empty())
        SelectRow(copies.back());
}

void CTagsGrid::MergeIdenticalTags()
{
    Tags().MergeIdenticalTags(SelectedRows(), CurrentRow());
}

void CTagsGrid::MoveCurrent(TagMove move)
{
    const int row = CurrentRow();
    if (Tags().CanMove(row, move, Sorting(), int(SelectedRows().size())))
        SelectRow(Tags().Move(row, move));
}

std::unique_ptr<QMenu> CTagsGrid::CreateContextMenu()
{
    auto menu = std::make_unique<QMenu>(this);
    const std::vector<int> selected = SelectedRows();
    const int current = CurrentRow();
    menu->addAction(tr("Add new numeric tag"), this, &CTagsGrid::AddNumericTag);
    menu->addAction(tr("Add new string tag"), this, &CTagsGrid::AddStringTag);
    menu->addAction(tr("Delete tags"), this, &CTagsGrid::DeleteTags)->setEnabled(!selected.empty());
    menu->addAction(tr("Duplicate tags"), this, &CTagsGrid::DuplicateTags)->setEnabled(!selected.empty());
    menu->addAction(tr("Merge identical tags"), this, &CTagsGrid::MergeIdenticalTags)
        ->setEnabled(Tags().CanMerge(selected, current));
    menu->addSeparator();
    for (const MoveCommand& command : kMoveCommands) {
        const TagMove move = command.move;
        menu->addAction(tr(command.caption), this, [this, move] { MoveCurrent(move); })
            ->setEnabled(Tags().CanMove(current, move, Sorting(), int(selected.size())));
    }
    return menu;
}

void CTagsGrid::contextMenuEvent(QContextMenuEvent* event)
{
    CreateContextMenu()->exec(event->globalPos());
}
