#include "editor/views/properties/CPropertyGrid.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QStandardItemModel>
#include <QTreeView>
#include <QVBoxLayout>

#include "editor/views/properties/DProp.h"

namespace {

QString toQString(std::u16string_view text)
{
    return QString::fromStdU16String(std::u16string(text));
}

QStandardItem* nameCell(std::u16string_view name)
{
    auto* cell = new QStandardItem(toQString(name));
    cell->setEditable(false);
    return cell;
}

} // namespace

CPropertyGrid::CPropertyGrid(QWidget* parent) : QWidget(parent)
{
    m_model = new QStandardItemModel(0, 2, this);
    m_model->setHorizontalHeaderLabels({tr("Property"), tr("Value")});
    m_view = new QTreeView(this);
    m_view->setModel(m_model);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setAlternatingRowColors(true);
    // Names are read whole; the editors take what is left.
    m_view->header()->setMinimumSectionSize(kNameColumnWidth);
    m_view->header()->setSectionResizeMode(kNameColumn, QHeaderView::ResizeToContents);
    m_view->header()->setStretchLastSection(true);
    m_description = new QLabel(this);
    m_description->setWordWrap(true);
    m_description->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    m_description->setMinimumHeight(m_description->fontMetrics().height() * 3);
    m_description->setFrameShape(QFrame::StyledPanel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_description);

    connect(m_view->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { ShowDescription(ItemAt(current)); });
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { OnFocusChanged(now); });
}

CPropertyGrid::~CPropertyGrid() = default;

void CPropertyGrid::AddGroup(std::u16string_view name, std::vector<std::unique_ptr<DProp>> items)
{
    Group group{std::u16string(name), nullptr, {}, {}};
    QStandardItem* parent = m_model->invisibleRootItem();
    if (!name.empty()) {
        group.row = nameCell(name);
        QFont bold = group.row->font();
        bold.setBold(true);
        group.row->setFont(bold);
        m_model->appendRow({group.row, nameCell(u"")});
        parent = group.row;
    }
    for (std::unique_ptr<DProp>& owned : items) {
        // The grid owns its items as their parent object.
        DProp* item = owned.release();
        item->setParent(this);
        group.items.push_back(item);
        auto* value = new QStandardItem;
        value->setEditable(false);
        group.cells.push_back(nameCell(item->GetName()));
        parent->appendRow({group.cells.back(), value});
        m_view->setIndexWidget(value->index(), item->GetEditor(m_view->viewport()));
    }
    if (group.row)
        m_view->setFirstColumnSpanned(group.row->row(), QModelIndex(), true);
    m_groups.push_back(std::move(group));
    m_view->expandAll();
}

void CPropertyGrid::RemoveAll()
{
    // An item may be inside one of its own handlers: it stops acting now and goes later.
    for (Group& group : m_groups)
        for (DProp* item : group.items) {
            item->Retire();
            item->deleteLater();
        }
    m_groups.clear();
    m_model->removeRows(0, m_model->rowCount());
    ShowDescription(nullptr);
}

DProp* CPropertyGrid::FindItem(std::u16string_view group, std::u16string_view name) const
{
    for (const Group& candidate : m_groups) {
        if (candidate.name != group)
            continue;
        for (DProp* item : candidate.items)
            if (item->GetName() == name)
                return item;
        return nullptr;
    }
    return nullptr;
}

bool CPropertyGrid::HasGroup(std::u16string_view name) const
{
    for (const Group& group : m_groups)
        if (group.name == name)
            return true;
    return false;
}

std::vector<std::u16string> CPropertyGrid::GroupNames() const
{
    std::vector<std::u16string> names;
    for (const Group& group : m_groups)
        if (!group.name.empty())
            names.push_back(group.name);
    return names;
}

std::vector<DProp*> CPropertyGrid::Items() const
{
    std::vector<DProp*> items;
    for (const Group& group : m_groups)
        items.insert(items.end(), group.items.begin(), group.items.end());
    return items;
}

DProp* CPropertyGrid::ItemAt(const QModelIndex& index) const
{
    const QStandardItem* cell = m_model->itemFromIndex(index.siblingAtColumn(kNameColumn));
    for (const Group& group : m_groups)
        for (std::size_t i = 0; i < group.cells.size(); ++i)
            if (group.cells[i] == cell)
                return group.items[i];
    return nullptr;
}

void CPropertyGrid::ShowDescription(const DProp* item)
{
    if (!item) {
        m_description->clear();
        return;
    }
    m_description->setText(QStringLiteral("<b>%1</b><br>%2")
                               .arg(toQString(item->GetName()).toHtmlEscaped(),
                                    toQString(item->GetDescription()).toHtmlEscaped()));
}

void CPropertyGrid::OnFocusChanged(QWidget* now)
{
    // An editor taking the focus makes its row the current one.
    for (const Group& group : m_groups)
        for (std::size_t i = 0; i < group.items.size(); ++i) {
            QWidget* editor = group.items[i]->GetEditor();
            if (!now || !editor || (now != editor && !editor->isAncestorOf(now)))
                continue;
            const QModelIndex row = group.cells[i]->index();
            m_view->selectionModel()->setCurrentIndex(row, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
            return;
        }
}
