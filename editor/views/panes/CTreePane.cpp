#include "editor/views/panes/CTreePane.h"

#include <QMetaObject>
#include <QVBoxLayout>

#include "editor/views/panes/CPaneTree.h"
#include "platform/ui/CommandTable.h"

CTreePane::CTreePane(CEditorHost& host, CommandTable& commands, const QString& treeName, QWidget* parent)
    : QWidget(parent), m_host(host), m_commands(commands)
{
    m_tree = new CPaneTree(this);
    m_tree->setObjectName(treeName);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_tree);
    m_tree->SetEndLabelEdit([this](QTreeWidgetItem& item, const QString& text) { return OnEndLabelEdit(item, text); });
    connect(m_tree, &CPaneTree::ItemClicked, this, [this](QTreeWidgetItem* item) { OnClicked(item); });
    connect(m_tree, &CPaneTree::ItemDoubleClicked, this, [this](QTreeWidgetItem* item) { OnDoubleClicked(item); });
    connect(m_tree, &CPaneTree::ItemRightClicked, this, &CTreePane::showMenu);
    connect(m_tree, &CPaneTree::DragStarted, this, [this](QTreeWidgetItem* item) {
        if (!OnDragStarted(item))
            m_tree->CancelDrag();
    });
    connect(m_tree, &CPaneTree::DraggedOver, this, [this](QTreeWidgetItem* item) { OnDraggedOver(item); });
    connect(m_tree, &CPaneTree::DragEnded, this, [this] { OnDragEnded(); });
}

CTreePane::~CTreePane() = default;

void CTreePane::Post(int32_t command)
{
    QMetaObject::invokeMethod(this, [this, command] { m_commands.execute(command); }, Qt::QueuedConnection);
}

void CTreePane::showMenu(QTreeWidgetItem* item, const QPoint& globalPosition)
{
    const std::span<const PaneMenuItem> items = MenuFor(item);
    if (items.empty())
        return;
    if (m_menu)
        m_menu->close();
    m_menu = MakePaneMenu(this, items, [this](int32_t command) { Post(command); });
    m_menu->popup(globalPosition);
}
