#include "editor/views/panes/CProjectBar.h"

#include <QSignalBlocker>
#include <array>

#include "diagram/CommandId.h"
#include "editor/project/document/CProject.h"
#include "editor/views/CEditorHost.h"
#include "editor/views/panes/CPageWindows.h"
#include "editor/views/panes/CPaneTree.h"
#include "editor/views/panes/PaneItemData.h"
#include "editor/views/panes/PaneTreeItems.h"

namespace {

constexpr std::array kRootMenu{
    PaneMenuItem{u"Insert new page at top", ToInt(CommandId::InsertPageAtTop)},
    PaneMenuItem{u"Insert new page at bottom", ToInt(CommandId::InsertPageAtBottom)},
};

constexpr std::array kPageMenu{
    PaneMenuItem{u"Insert new page before", ToInt(CommandId::InsertPageBefore)},
    PaneMenuItem{u"Append new page after ", ToInt(CommandId::AppendPageAfter)},
    PaneMenuItem{u"Rename", ToInt(CommandId::RenamePage)},
    PaneMenuItem{u"Delete", ToInt(CommandId::DeletePage)},
    PaneMenuItem{u"Duplicate", ToInt(CommandId::DuplicatePage)},
};

bool isPageItem(const QTreeWidgetItem* item)
{
    return item && item->parent() && PaneItemData::Low(PaneTreeItems::Data(*item)) == PaneItemData::kPageItem;
}

} // namespace

CProjectBar::CProjectBar(CEditorHost& host, CommandTable& commands, QWidget* parent)
    : CTreePane(host, commands, QStringLiteral("projectTree"), parent)
{
}

CProjectBar::~CProjectBar() = default;

std::span<const PaneMenuItem> CProjectBar::RootMenu() { return kRootMenu; }
std::span<const PaneMenuItem> CProjectBar::PageMenu() { return kPageMenu; }

QTreeWidgetItem* CProjectBar::root() const { return Tree()->topLevelItemCount() ? Tree()->topLevelItem(0) : nullptr; }

void CProjectBar::Rebuild(int32_t select)
{
    const QSignalBlocker blocker(Tree());
    CProject* project = m_host.GetProject();
    if (!project) {
        Tree()->CancelDrag();
        m_draggedPage = -1;
        Tree()->clear();
        return;
    }
    QTreeWidgetItem* top = root();
    if (!top) {
        top = new QTreeWidgetItem(Tree());
        PaneTreeItems::Set(*top, QString::fromUtf16(kRootText.data(), kRootText.size()), IconStrip::Page, kRootImage,
                           0);
    }
    const int32_t count = project->GetPageCount();
    for (int32_t i = 0; i < count; ++i) {
        const CPage& page = project->GetPage(i);
        QTreeWidgetItem* item = i < top->childCount() ? top->child(i) : new QTreeWidgetItem(top);
        item->setFlags(item->flags() | Qt::ItemIsEditable);
        PaneTreeItems::Set(*item, QString::fromStdU16String(page.GetName()), IconStrip::Page,
                           page.GetPageType() + kPageImageBase, PaneItemData::PageItem(i));
    }
    while (top->childCount() > count)
        delete top->takeChild(top->childCount() - 1);
    top->setExpanded(true);
    if (select >= 0 && select < count) {
        Tree()->setCurrentItem(top->child(select));
        Tree()->scrollToItem(top->child(select));
    }
    m_host.MarkProjectModified();
}

bool CProjectBar::SelectFirstPage()
{
    QTreeWidgetItem* top = root();
    if (!top || top->childCount() == 0)
        return false;
    const QSignalBlocker blocker(Tree());
    top->setExpanded(true);
    Tree()->setCurrentItem(top->child(0));
    Tree()->scrollToItem(top->child(0));
    Post(ToInt(CommandId::OpenPage));
    return true;
}

bool CProjectBar::SelectPageByName(std::u16string_view name)
{
    QTreeWidgetItem* top = root();
    if (!top)
        return false;
    const QString text = QString::fromUtf16(name.data(), qsizetype(name.size()));
    for (int i = 0; i < top->childCount(); ++i)
        if (top->child(i)->text(0) == text) {
            const QSignalBlocker blocker(Tree());
            Tree()->setCurrentItem(top->child(i));
            Tree()->scrollToItem(top->child(i));
            return true;
        }
    return false;
}

CPage* CProjectBar::pageOf(const QTreeWidgetItem* item) const
{
    CProject* project = m_host.GetProject();
    if (!project || !isPageItem(item))
        return nullptr;
    const int32_t index = PaneItemData::High(PaneTreeItems::Data(*item));
    return index < project->GetPageCount() ? &project->GetPage(index) : nullptr;
}

int32_t CProjectBar::GetSelectedPageIndex() const
{
    const QTreeWidgetItem* item = Tree()->currentItem();
    return pageOf(item) ? PaneItemData::High(PaneTreeItems::Data(*item)) : -1;
}

CPage* CProjectBar::GetSelectedPage() const { return pageOf(Tree()->currentItem()); }

bool CProjectBar::IsPageItemSelected() const { return GetSelectedPage() != nullptr; }

bool CProjectBar::StartLabelEdit() { return IsPageItemSelected() && Tree()->StartLabelEdit(); }

void CProjectBar::OnClicked(QTreeWidgetItem* item)
{
    if (isPageItem(item))
        Post(ToInt(CommandId::ActivatePage));
}

void CProjectBar::OnDoubleClicked(QTreeWidgetItem* item)
{
    if (isPageItem(item))
        Post(ToInt(CommandId::OpenPage));
}

std::span<const PaneMenuItem> CProjectBar::MenuFor(QTreeWidgetItem* item) const
{
    if (isPageItem(item))
        return PageMenu();
    return item && item == root() ? RootMenu() : std::span<const PaneMenuItem>();
}

bool CProjectBar::OnDragStarted(QTreeWidgetItem* item)
{
    if (!pageOf(item))
        return false;
    m_draggedPage = PaneItemData::High(PaneTreeItems::Data(*item));
    return true;
}

void CProjectBar::OnDraggedOver(QTreeWidgetItem* item)
{
    CProject* project = m_host.GetProject();
    if (m_draggedPage < 0 || !project || !pageOf(item) || m_draggedPage >= project->GetPageCount())
        return;
    const int32_t to = PaneItemData::High(PaneTreeItems::Data(*item));
    if (to == m_draggedPage)
        return;
    project->MovePage(m_draggedPage, to);
    m_draggedPage = to;
    Rebuild(to);
}

bool CProjectBar::OnEndLabelEdit(QTreeWidgetItem& item, const QString& text)
{
    CProject* project = m_host.GetProject();
    CPage* page = pageOf(&item);
    if (!project || !page || text.isEmpty())
        return false;
    const std::u16string name = text.toStdU16String();
    if (project->FindPage(name, PageName::Current) >= 0)
        return false;
    page->SetName(name);
    if (m_windows)
        m_windows->SetPageWindowTitle(*page, name);
    m_host.MarkProjectModified();
    return true;
}
