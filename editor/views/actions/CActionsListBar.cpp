#include "editor/views/actions/CActionsListBar.h"

#include <QPainter>
#include <QResizeEvent>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <array>
#include <span>

#include "editor/document/ActionTable.h"
#include "editor/views/CEditorHost.h"
#include "editor/views/icons/CEditorIcons.h"

namespace {

struct ListAction {
    const char* caption;
    int32_t commandId;
};

struct ListCategory {
    const char* caption;
    int32_t image;
    std::span<const ListAction> actions;
};

constexpr std::array<ListAction, 5> kPages{{
    {"Next", 32878}, {"Prev", 32879}, {"Goto", 32880}, {"Last visited", 32876}, {"Initial", 32877}}};
constexpr std::array<ListAction, 6> kTags{{{"Set", 32881},
                                           {"Increment", 32882},
                                           {"Decrement", 32883},
                                           {"Multiply", 32886},
                                           {"Divide", 32887},
                                           {"Bit-wise", 32892}}};
constexpr std::array<ListAction, 2> kStringTags{{{"Set", 32894}, {"Concatenate", 32895}}};
constexpr std::array<ListAction, 4> kComparison{
    {{"Compare", 32889}, {"Else compare", 32893}, {"Else", 32890}, {"End", 32891}}};
constexpr std::array<ListAction, 6> kTargetDevice{{{"Turn LED on", 32884},
                                                   {"Turn LED off", 32885},
                                                   {"Show layer", 32871},
                                                   {"Hide layer", 32872},
                                                   {"Set layer X pos", 32873},
                                                   {"Set layer Y pos", 32874}}};
constexpr std::array<ListAction, 2> kObjects{{{"Set object focus", 32888}, {"Change page focus", 32897}}};
constexpr std::array<ListAction, 3> kSystem{{{"Send key", 32896}, {"Sleep", 32870}, {"Exit & load project", 32875}}};

constexpr std::array<ListCategory, 7> kCategories{{
    {"Pages", 19, kPages},
    {"Tags", 6, kTags},
    {"String Tags", 37, kStringTags},
    {"Comparison", 10, kComparison},
    {"Target device", 12, kTargetDevice},
    {"Objects", 14, kObjects},
    {"System", 36, kSystem},
}};

constexpr int kDataRole = Qt::UserRole;

// The action table's picture of the action a command inserts.
QIcon commandIcon(int32_t commandId)
{
    const auto& table = ActionTable();
    for (std::size_t row = 0; row < table.size(); ++row)
        if (table[row].commandId == commandId)
            return CEditorIcons::ActionIcon(int(row));
    return {};
}

} // namespace

CActionsListBar::CActionsListBar(CEditorHost& host, QWidget* parent) : QWidget(parent), m_host(host)
{
    m_tree = new QTreeWidget(this);
    m_tree->setObjectName(QStringLiteral("tree%1").arg(kTreeId));
    m_tree->setHeaderHidden(true);
    m_tree->setColumnCount(1);
    m_tree->setRootIsDecorated(true);
    m_tree->setEditTriggers(QAbstractItemView::EditKeyPressed);
    connect(m_tree, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) { OnClick(item); });
    connect(m_tree, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) { OnDoubleClick(item); });
    Fill();
}

void CActionsListBar::Fill()
{
    if (m_tree->topLevelItemCount() > 0)
        return;
    const QSignalBlocker blocker(m_tree);
    for (const ListCategory& category : kCategories) {
        auto* categoryItem = new QTreeWidgetItem(m_tree, {QString::fromLatin1(category.caption)});
        categoryItem->setData(0, kDataRole, kCategoryData);
        categoryItem->setIcon(0, CEditorIcons::Icon(IconStrip::Actions, category.image));
        for (const ListAction& action : category.actions) {
            auto* actionItem = new QTreeWidgetItem(categoryItem, {QString::fromLatin1(action.caption)});
            actionItem->setData(0, kDataRole, action.commandId);
            actionItem->setIcon(0, commandIcon(action.commandId));
        }
        categoryItem->setExpanded(true);
    }
}

QTreeWidgetItem* CActionsListBar::FindItem(const QString& category, const QString& action) const
{
    for (int c = 0; c < m_tree->topLevelItemCount(); ++c) {
        QTreeWidgetItem* categoryItem = m_tree->topLevelItem(c);
        if (categoryItem->text(0) != category)
            continue;
        if (action.isEmpty())
            return categoryItem;
        for (int a = 0; a < categoryItem->childCount(); ++a)
            if (categoryItem->child(a)->text(0) == action)
                return categoryItem->child(a);
    }
    return nullptr;
}

int32_t CActionsListBar::ItemData(const QTreeWidgetItem* item)
{
    return item ? item->data(0, kDataRole).toInt() : kCategoryData;
}

void CActionsListBar::OnClick(QTreeWidgetItem* item)
{
    if (!item)
        return;
    const QSignalBlocker blocker(m_tree);
    m_tree->setCurrentItem(item);
}

void CActionsListBar::OnDoubleClick(QTreeWidgetItem* item)
{
    OnClick(item);
    const int32_t commandId = ItemData(item);
    if (commandId >= 0)
        m_host.InsertAction(commandId);
}

void CActionsListBar::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // One pixel of frame around the tree.
    m_tree->setGeometry(rect().adjusted(1, 1, -1, -1));
}

void CActionsListBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
