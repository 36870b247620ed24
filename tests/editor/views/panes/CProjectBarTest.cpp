#include <gtest/gtest.h>

#include <QMenu>
#include <QTest>

#include "editor/project/document/CProject.h"
#include "editor/views/panes/CPageWindows.h"
#include "editor/views/panes/CPaneTree.h"
#include "editor/views/panes/CProjectBar.h"
#include "editor/views/panes/PaneItemData.h"
#include "editor/views/panes/PaneTreeItems.h"
#include "tests/editor/views/panes/PaneHarness.h"
#include "tests/support/editor/FakeEditorHost.h"

namespace {

using vx::test::PaneCommands;

struct RecordingWindows : CPageWindows {
    std::vector<std::u16string> titles;
    void SetPageWindowTitle(const CPage&, std::u16string_view title) override { titles.emplace_back(title); }
};

// A project of three pages, "Page 1" (normal), "Page 2" (initial) and "Page 3", shown.
class ProjectPane : public testing::Test {
protected:
    ProjectPane()
    {
        CProject& project = harness.host.MakeProject();
        project.AddPage(1);
        project.AddPage(2);
        project.AddPage(1);
        bar.SetPageWindows(&windows);
        bar.resize(240, 300);
        bar.show();
        bar.Rebuild();
    }

    CProject& Project() { return *harness.host.project; }
    QTreeWidgetItem* Root() { return bar.Tree()->topLevelItem(0); }
    QTreeWidgetItem* PageItem(int i) { return Root()->child(i); }
    std::vector<QString> Texts()
    {
        std::vector<QString> texts;
        for (int i = 0; i < Root()->childCount(); ++i)
            texts.push_back(PageItem(i)->text(0));
        return texts;
    }
    std::vector<std::u16string> PageNames()
    {
        std::vector<std::u16string> names;
        for (const auto& page : Project().GetPages())
            names.push_back(page->GetName());
        return names;
    }

    struct Harness {
        vx::test::FakeEditorHost host;
        CommandTable table;
        PaneCommands commands{table, {CommandId::ActivatePage, CommandId::OpenPage, CommandId::InsertPageAtTop,
                                      CommandId::InsertPageAtBottom, CommandId::DeletePage, CommandId::RenamePage}};
        std::vector<int32_t> Posted() { return commands.Posted(); }
    } harness;
    RecordingWindows windows;
    CProjectBar bar{harness.host, harness.table};
};

TEST_F(ProjectPane, ShowsEveryPageUnderTheRootWithItsTypesImageAndIndex)
{
    ASSERT_EQ(bar.Tree()->topLevelItemCount(), 1);
    EXPECT_EQ(Root()->text(0), QStringLiteral("Project"));
    EXPECT_EQ(PaneTreeItems::Data(*Root()), 0);
    EXPECT_EQ(PaneTreeItems::Image(*Root()), 2);
    ASSERT_EQ(Root()->childCount(), 3);
    const int types[] = {1, 2, 1};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(PageItem(i)->text(0), QString::fromStdU16String(Project().GetPage(i).GetName()));
        EXPECT_EQ(PaneTreeItems::Image(*PageItem(i)), types[i] + 2);
        EXPECT_FALSE(PageItem(i)->icon(0).isNull());
        EXPECT_EQ(PageItem(i)->icon(0).pixmap(16, 16).toImage(),
                  CEditorIcons::PageTypeIcon(types[i]).pixmap(16, 16).toImage());
        EXPECT_EQ(PaneTreeItems::Data(*PageItem(i)), (i << 16) | 1);
    }
    EXPECT_TRUE(Root()->isExpanded());
    EXPECT_GE(harness.host.counts.modified, 1);
}

TEST_F(ProjectPane, RebuildUpdatesItemsInPlaceAndWithoutAProjectShowsNothing)
{
    QTreeWidgetItem* first = PageItem(0);
    Project().GetPage(0).SetName(u"Start");
    Project().AddPage(3);
    bar.Rebuild(3);
    EXPECT_EQ(PageItem(0), first);
    EXPECT_EQ(Texts(), (std::vector<QString>{"Start", "Page 2", "Page 3", "Page 4"}));
    EXPECT_EQ(PaneTreeItems::Image(*PageItem(3)), 5);
    EXPECT_EQ(bar.GetSelectedPageIndex(), 3);
    EXPECT_EQ(bar.GetSelectedPage(), &Project().GetPage(3));

    harness.host.project = nullptr;
    EXPECT_EQ(bar.GetSelectedPage(), nullptr);
    bar.Rebuild();
    EXPECT_EQ(bar.Tree()->topLevelItemCount(), 0);
}

TEST_F(ProjectPane, SelectsPagesByNameAndTheFirstPageOpensIt)
{
    EXPECT_TRUE(bar.SelectPageByName(u"Page 2"));
    EXPECT_EQ(bar.GetSelectedPageIndex(), 1);
    EXPECT_FALSE(bar.SelectPageByName(u"page 2"));
    EXPECT_EQ(bar.GetSelectedPageIndex(), 1);
    EXPECT_TRUE(bar.SelectFirstPage());
    EXPECT_EQ(bar.GetSelectedPageIndex(), 0);
    EXPECT_EQ(harness.Posted(), (std::vector<int32_t>{ToInt(CommandId::OpenPage)}));

    bar.Tree()->setCurrentItem(Root());
    EXPECT_FALSE(bar.IsPageItemSelected());
    EXPECT_EQ(bar.GetSelectedPageIndex(), -1);
}

TEST_F(ProjectPane, AClickActivatesAPageAndADoubleClickOpensIt)
{
    vx::test::Click(*bar.Tree(), PageItem(2));
    EXPECT_EQ(bar.GetSelectedPageIndex(), 2);
    QTest::mouseDClick(bar.Tree()->viewport(), Qt::LeftButton, {}, vx::test::Centre(*bar.Tree(), PageItem(1)));
    vx::test::Click(*bar.Tree(), Root());
    EXPECT_EQ(harness.Posted(), (std::vector<int32_t>{ToInt(CommandId::ActivatePage), ToInt(CommandId::OpenPage)}));
    EXPECT_FALSE(bar.IsPageItemSelected());
}

TEST_F(ProjectPane, ContextMenusOfTheRootAndOfAPagePostTheirCommands)
{
    auto captions = [](std::span<const PaneMenuItem> items) {
        std::vector<std::u16string> texts;
        for (const PaneMenuItem& item : items)
            texts.emplace_back(item.caption);
        return texts;
    };
    EXPECT_EQ(captions(CProjectBar::RootMenu()),
              (std::vector<std::u16string>{u"Insert new page at top", u"Insert new page at bottom"}));
    EXPECT_EQ(captions(CProjectBar::PageMenu()),
              (std::vector<std::u16string>{u"Insert new page before", u"Append new page after ", u"Rename", u"Delete",
                                           u"Duplicate"}));

    QTest::mouseClick(bar.Tree()->viewport(), Qt::RightButton, {}, vx::test::Centre(*bar.Tree(), PageItem(1)));
    ASSERT_TRUE(bar.OpenMenu());
    EXPECT_EQ(bar.GetSelectedPageIndex(), 1);
    const QList<QAction*> pageActions = bar.OpenMenu()->actions();
    ASSERT_EQ(pageActions.size(), 5);
    pageActions[3]->trigger();
    QTest::mouseClick(bar.Tree()->viewport(), Qt::RightButton, {}, vx::test::Centre(*bar.Tree(), Root()));
    ASSERT_TRUE(bar.OpenMenu());
    bar.OpenMenu()->actions()[0]->trigger();
    EXPECT_EQ(harness.Posted(), (std::vector<int32_t>{ToInt(CommandId::DeletePage), ToInt(CommandId::InsertPageAtTop)}));
}

TEST_F(ProjectPane, DraggingAPageOverOthersMovesItInTheProject)
{
    vx::test::Drag(*bar.Tree(), PageItem(0), {PageItem(1), PageItem(2)});
    EXPECT_EQ(PageNames(), (std::vector<std::u16string>{u"Page 2", u"Page 3", u"Page 1"}));
    EXPECT_EQ(Texts(), (std::vector<QString>{"Page 2", "Page 3", "Page 1"}));
    EXPECT_EQ(bar.GetSelectedPageIndex(), 2);
    EXPECT_TRUE(Project().IsModified());

    // Back up onto the first item, and the root moves nothing.
    vx::test::Drag(*bar.Tree(), PageItem(2), {PageItem(0), Root()});
    EXPECT_EQ(PageNames(), (std::vector<std::u16string>{u"Page 1", u"Page 2", u"Page 3"}));
    EXPECT_FALSE(bar.Tree()->IsDragging());
    // Dragging the root moves nothing either.
    vx::test::Drag(*bar.Tree(), Root(), {PageItem(2)});
    EXPECT_EQ(PageNames(), (std::vector<std::u16string>{u"Page 1", u"Page 2", u"Page 3"}));
    EXPECT_TRUE(harness.Posted().empty());
}

TEST_F(ProjectPane, RenamingToAnotherPagesNameIsRefusedWithoutAMessage)
{
    bar.Tree()->setCurrentItem(PageItem(0));
    ASSERT_TRUE(bar.StartLabelEdit());
    ASSERT_TRUE(vx::test::EditLabel(*bar.Tree(), QStringLiteral("Page 3")));
    EXPECT_EQ(PageItem(0)->text(0), QStringLiteral("Page 1"));
    EXPECT_EQ(Project().GetPage(0).GetName(), u"Page 1");
    EXPECT_TRUE(harness.host.prompts.messages.empty());
    EXPECT_TRUE(windows.titles.empty());

    // Empty text and a cancelled edit change nothing either.
    ASSERT_TRUE(bar.StartLabelEdit());
    ASSERT_TRUE(vx::test::EditLabel(*bar.Tree(), QString()));
    ASSERT_TRUE(bar.StartLabelEdit());
    ASSERT_TRUE(vx::test::EditLabel(*bar.Tree(), QStringLiteral("Main"), Qt::Key_Escape));
    EXPECT_EQ(Project().GetPage(0).GetName(), u"Page 1");
}

TEST_F(ProjectPane, ANewNameIsTakenByThePageAndItsWindow)
{
    bar.Tree()->setCurrentItem(PageItem(1));
    const int modified = harness.host.counts.modified;
    QTest::keyClick(bar.Tree(), Qt::Key_F2);
    ASSERT_TRUE(bar.Tree()->IsEditingLabel());
    ASSERT_TRUE(vx::test::EditLabel(*bar.Tree(), QStringLiteral("Alarms")));
    EXPECT_EQ(PageItem(1)->text(0), QStringLiteral("Alarms"));
    EXPECT_EQ(Project().GetPage(1).GetName(), u"Alarms");
    // References keep the original name.
    EXPECT_EQ(Project().GetPage(1).GetOriginalName(), u"Page 2");
    EXPECT_EQ(windows.titles, (std::vector<std::u16string>{u"Alarms"}));
    EXPECT_EQ(harness.host.counts.modified, modified + 1);

    // The root's label cannot be edited.
    bar.Tree()->setCurrentItem(Root());
    EXPECT_FALSE(bar.StartLabelEdit());
}

} // namespace
