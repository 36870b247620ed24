// The page windows and the objects pane follow the page a person works on: a deleted
// page's window hands over to the next one, New and Open open the first page, and the
// objects pane shows the active page after a paste there.

#include <gtest/gtest.h>

#include <QMdiSubWindow>
#include <QTreeWidget>

#include "editor/shell/frame/CPageWindowList.h"
#include "editor/views/page/CChildFramePage.h"
#include "editor/views/panes/CObjectsBar.h"
#include "editor/views/panes/CPaneTree.h"
#include "tests/editor/shell/path/EditorWithProject.h"

namespace {

using vx::test::EditorWithProject;
using vx::test::ShellHarness;

QMdiSubWindow* windowOf(CChildFramePage* frame)
{
    return frame ? qobject_cast<QMdiSubWindow*>(frame->parentWidget()) : nullptr;
}

// The names the objects pane lists, and the bold (selected) ones among them.
struct PaneRows {
    std::vector<QString> names, bold;
};

PaneRows paneRows(EditorWithProject& e)
{
    PaneRows rows;
    QTreeWidget& tree = *e.Frame().ObjectsBar()->Tree();
    for (int group = 0; group < tree.topLevelItemCount(); ++group)
        for (int k = 0; k < tree.topLevelItem(group)->childCount(); ++k) {
            const QTreeWidgetItem* item = tree.topLevelItem(group)->child(k);
            rows.names.push_back(item->text(0));
            if (item->font(0).bold())
                rows.bold.push_back(item->text(0));
        }
    return rows;
}

PaneRows pageRows(EditorWithProject& e)
{
    PaneRows rows;
    for (int32_t i = 0; i < e.View()->GetContainer().GetSize(); ++i)
        if (const CEditorObject* object = e.View()->GetObjectAt(i)) {
            const QString name = QString::fromStdU16String(CObjectNames::GetName(*object, NameKind::Current));
            rows.names.push_back(name);
            if (object->IsSelected())
                rows.bold.push_back(name);
        }
    return rows;
}

bool showsActivePage(EditorWithProject& e)
{
    const PaneRows pane = paneRows(e), page = pageRows(e);
    return pane.names == page.names && pane.bold == page.bold;
}

TEST(PageWindowsFollow, DeletingTheActiveOfThreeOpenPagesActivatesAndMaximisesTheNext)
{
    EditorWithProject e;
    ASSERT_TRUE(e.Open());
    ASSERT_TRUE(e.Run(CommandId::PageNew));
    ASSERT_TRUE(e.Run(CommandId::PageNew));
    ASSERT_EQ(e.Project().GetPageCount(), 3);
    CPage& middle = e.Project().GetPage(1);
    CPage& last = e.Project().GetPage(2);
    (void)e.Frame().OpenPage(last);
    (void)e.Frame().OpenPage(middle);
    ASSERT_TRUE(ShellHarness::runUntil([&] { return e.View() && e.View()->GetPage() == &middle; }));
    ASSERT_EQ(e.Frame().PageWindows().Count(), 3);
    e.Idle();

    e.Frame().DeletePage(middle);
    ASSERT_TRUE(ShellHarness::runUntil([&] {
        e.Idle();
        return e.Frame().PageWindows().Count() == 2 && e.View() && e.View()->GetPage() == &e.Project().GetPage(1);
    }));
    ASSERT_EQ(e.Project().GetPageCount(), 2);
    QMdiSubWindow* active = windowOf(e.Frame().PageWindows().Active());
    ASSERT_NE(active, nullptr);
    EXPECT_TRUE(active->isMaximized());
    for (CChildFramePage* frame : e.Frame().PageWindows().Frames())
        EXPECT_FALSE(windowOf(frame)->isMinimized()) << windowOf(frame)->windowTitle().toStdString();
    EXPECT_TRUE(showsActivePage(e));
}

TEST(PageWindowsFollow, ClosingTheActiveWindowByItsOwnCommandActivatesAndMaximisesTheNext)
{
    EditorWithProject e;
    ASSERT_TRUE(e.Open());
    CPage& first = e.Project().GetPage(0);
    ASSERT_TRUE(e.Run(CommandId::PageNew));
    CPage& second = e.Project().GetPage(1);
    (void)e.Frame().OpenPage(second);
    ASSERT_TRUE(ShellHarness::runUntil([&] { return e.View() && e.View()->GetPage() == &second; }));
    e.Idle();

    ASSERT_TRUE(e.Run(CommandId::ClosePageFrame));
    ASSERT_TRUE(ShellHarness::runUntil([&] {
        e.Idle();
        return e.Frame().PageWindows().Count() == 1 && e.View() && e.View()->GetPage() == &first;
    }));
    QMdiSubWindow* active = windowOf(e.Frame().PageWindows().Active());
    ASSERT_NE(active, nullptr);
    EXPECT_TRUE(active->isMaximized());
    EXPECT_FALSE(active->isMinimized());
    EXPECT_TRUE(showsActivePage(e));
}

TEST(PageWindowsFollow, NewAndOpenOpenTheFirstPage)
{
    EditorWithProject e;
    ASSERT_TRUE(e.shell.start() && e.shell.activate());
    ASSERT_TRUE(e.Run(CommandId::FileNew));
    ASSERT_TRUE(ShellHarness::runUntil([&] {
        e.Idle();
        return e.View() && e.View()->GetPage() == &e.Project().GetPage(0);
    })) << "New left its page closed";
    EXPECT_EQ(e.Frame().GetSelectedPage(), &e.Project().GetPage(0));

    // A saved project of two pages, closed and opened again.
    ASSERT_TRUE(e.Run(CommandId::PageNew));
    e.shell.prompts.fileAnswers.push_back(QString::fromStdString(e.file.string()));
    ASSERT_TRUE(e.Run(CommandId::FileSaveAs));
    ASSERT_TRUE(ShellHarness::runUntil([&] { return std::filesystem::exists(e.file); }));
    ASSERT_TRUE(e.Run(CommandId::FileClose));
    ASSERT_TRUE(ShellHarness::runUntil([&] {
        e.Idle();
        return e.Frame().PageWindows().Count() == 0;
    }));
    e.shell.prompts.fileAnswers.push_back(QString::fromStdString(e.file.string()));
    ASSERT_TRUE(e.Run(CommandId::FileOpen));
    ASSERT_TRUE(ShellHarness::runUntil([&] {
        e.Idle();
        return e.shell.app->GetProject() && e.Project().GetPageCount() == 2 && e.View() &&
               e.View()->GetPage() == &e.Project().GetPage(0);
    })) << "Open left its first page closed";
    EXPECT_EQ(e.Frame().PageWindows().Count(), 1);
    EXPECT_EQ(e.Frame().GetSelectedPage(), &e.Project().GetPage(0));
}

TEST(PageWindowsFollow, APasteOnAnotherPageLeavesTheObjectsPaneShowingThatPage)
{
    EditorWithProject e;
    ASSERT_TRUE(e.Open());
    e.Editor().SelectAll();
    ASSERT_TRUE(e.Run(CommandId::Copy));
    ASSERT_TRUE(e.Run(CommandId::PageNew));
    CPage& second = e.Project().GetPage(1);
    (void)e.Frame().OpenPage(second);
    ASSERT_TRUE(ShellHarness::runUntil([&] { return e.View() && e.View()->GetPage() == &second; }));
    // The new page holds one object of its own; with the two pasted it lists as many
    // objects as the first page, whose rows the pane must not keep.
    (void)e.Add(u"C", 40, 300);
    e.Editor().UnselectAll();
    ASSERT_TRUE(e.Run(CommandId::Paste));
    QCoreApplication::processEvents();
    EXPECT_TRUE(showsActivePage(e)) << "right after the paste";
    e.Idle();
    const PaneRows page = pageRows(e);
    ASSERT_EQ(page.names.size(), 3u);
    EXPECT_EQ(page.bold.size(), 2u) << "the pasted objects are selected";
    EXPECT_TRUE(showsActivePage(e)) << "after the idle pass";
}

} // namespace
