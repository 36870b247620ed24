// The page commands of the main frame and the project and objects panes' item commands.

#include <gtest/gtest.h>

#include "editor/document/CActionScript.h"
#include "editor/document/PropertyKind.h"
#include "editor/objects/CEditorObject.h"
#include "editor/shell/commands/CScreenSaverPage.h"
#include "foundation/TextHelpers.h"
#include "tests/editor/shell/commands/FrameCommandsHarness.h"
#include "tests/support/editor/ProjectHarness.h"

namespace {

using target::PageType;
using vx::test::FrameCommandsHarness;
using vx::test::ValueOf;

int32_t newPageCommand(PageType type)
{
    return CMainFrameCommands::kNewPageBase + int32_t(type);
}

std::vector<std::u16string> pageNames(const CProject& project)
{
    std::vector<std::u16string> names;
    for (const auto& page : project.GetPages())
        names.push_back(page->GetName());
    return names;
}

TEST(PageCommands, NewPageOfEachTypeIsAppendedAndShownInTheTree)
{
    FrameCommandsHarness h;
    for (const PageType type : {PageType::Normal, PageType::Initial, PageType::Global, PageType::Dialog,
                                PageType::Window, PageType::NormalInitial}) {
        ASSERT_TRUE(h.Run(newPageCommand(type)));
        const CPage& page = h.project.GetPage(h.project.GetPageCount() - 1);
        EXPECT_EQ(page.GetPageType(), int32_t(type));
    }
    EXPECT_EQ(pageNames(h.project),
              (std::vector<std::u16string>{u"Page 1", u"Page 2", u"Page 3", u"Page 4", u"Page 5", u"Page 6"}));
    EXPECT_EQ(h.editor.counts.rebuildProjectTree, 6);
    EXPECT_EQ(h.editor.counts.forgetView, 6);
    EXPECT_TRUE(h.project.IsModified());
}

TEST(PageCommands, AnInitialPageDisablesItsButtonAndDuplicate)
{
    FrameCommandsHarness h;
    EXPECT_TRUE(h.State(newPageCommand(PageType::Initial)).enabled);
    ASSERT_TRUE(h.Run(newPageCommand(PageType::Initial)));
    EXPECT_FALSE(h.State(newPageCommand(PageType::Initial)).enabled);
    // Types that may occur many times stay enabled.
    EXPECT_TRUE(h.State(newPageCommand(PageType::Normal)).enabled);
    EXPECT_TRUE(h.State(newPageCommand(PageType::Dialog)).enabled);

    h.frame.selectedPage = &h.project.GetPage(0);
    EXPECT_FALSE(h.State(CommandId::DuplicatePage).enabled);
    h.Run(CommandId::DuplicatePage);
    EXPECT_EQ(h.project.GetPageCount(), 1);

    ASSERT_TRUE(h.Run(CommandId::PageNew));
    h.frame.selectedPage = &h.project.GetPage(1);
    EXPECT_TRUE(h.State(CommandId::DuplicatePage).enabled);
    // Nothing selected: nothing to duplicate.
    h.frame.selectedPage = nullptr;
    EXPECT_FALSE(h.State(CommandId::DuplicatePage).enabled);
}

TEST(PageCommands, InsertedPagesGoWhereTheMenuSays)
{
    FrameCommandsHarness h;
    h.project.AddPage();
    h.project.AddPage();
    ASSERT_TRUE(h.Run(CommandId::InsertPageAtTop));    // Page 3 at 0
    ASSERT_TRUE(h.Run(CommandId::InsertPageAtBottom)); // Page 4 last
    h.frame.selectedPage = &h.project.GetPage(1);      // Page 1
    ASSERT_TRUE(h.Run(CommandId::InsertPageBefore));   // Page 5 before it
    h.frame.selectedPage = &h.project.GetPage(3);      // Page 2
    ASSERT_TRUE(h.Run(CommandId::AppendPageAfter));    // Page 6 after it
    EXPECT_EQ(pageNames(h.project), (std::vector<std::u16string>{u"Page 3", u"Page 5", u"Page 1", u"Page 2",
                                                                 u"Page 6", u"Page 4"}));
    for (const auto& page : h.project.GetPages())
        EXPECT_EQ(page->GetPageType(), int32_t(PageType::Normal));
    EXPECT_EQ(h.editor.counts.rebuildProjectTree, 4);
}

TEST(PageCommands, DeletePageClosesItsWindowFirst)
{
    FrameCommandsHarness h;
    CPage& first = h.project.AddPage();
    CPage& second = h.project.AddPage();
    h.frame.openPages.insert(&second);
    h.frame.selectedPage = &second;
    h.Settle();
    ASSERT_TRUE(h.Run(CommandId::DeletePage));
    EXPECT_EQ(h.frame.activated, (std::vector<const CPage*>{&second}));
    EXPECT_EQ(h.frame.closed, (std::vector<const CPage*>{&second}));
    EXPECT_EQ(pageNames(h.project), (std::vector<std::u16string>{u"Page 1"}));
    EXPECT_TRUE(h.project.IsModified());
    EXPECT_EQ(h.editor.counts.rebuildProjectTree, 1);
    EXPECT_EQ(h.editor.counts.forgetView, 1);

    // A closed page goes without its window being touched.
    h.frame.selectedPage = &first;
    ASSERT_TRUE(h.Run(CommandId::DeletePage));
    EXPECT_EQ(h.project.GetPageCount(), 0);
    EXPECT_EQ(h.frame.closed.size(), 1u);
}

TEST(PageCommands, APageWhoseWindowStaysOpenIsKept)
{
    FrameCommandsHarness h;
    CPage& page = h.project.AddPage();
    h.frame.openPages.insert(&page);
    h.frame.refuseClose = true;
    h.Settle();
    h.commands.DeletePage(page);
    EXPECT_EQ(h.project.GetPageCount(), 1);
    EXPECT_FALSE(h.project.IsModified());
}

TEST(PageCommands, DuplicateCopiesThePageAndItsObjects)
{
    FrameCommandsHarness h;
    CPage& page = h.project.AddPage();
    page.SetBackgroundColor(0x123456);
    page.AddObject(CEditorObject::CreateObject(2, &page));
    h.frame.selectedPage = &page;
    ASSERT_TRUE(h.Run(CommandId::DuplicatePage));
    ASSERT_EQ(h.project.GetPageCount(), 2);
    const CPage& copy = h.project.GetPage(1);
    EXPECT_EQ(copy.GetName(), u"Page 2");
    EXPECT_EQ(copy.GetBackgroundColor(), 0x123456u);
    ASSERT_EQ(copy.GetObjectCount(), 1);
    EXPECT_NE(copy.GetObjects()[0].get(), page.GetObjects()[0].get());
    EXPECT_TRUE(h.project.IsModified());
}

TEST(PageCommands, PaneItemCommandsGoToTheirPane)
{
    FrameCommandsHarness h;
    CPage& page = h.project.AddPage();
    h.frame.selectedPage = &page;
    ASSERT_TRUE(h.Run(CommandId::RenamePage));
    ASSERT_TRUE(h.Run(CommandId::RenameObject));
    ASSERT_TRUE(h.Run(CommandId::DeleteObject));
    EXPECT_EQ(h.frame.pageLabelEdits, 1);
    EXPECT_EQ(h.frame.objectLabelEdits, 1);
    EXPECT_EQ(h.frame.objectDeletes, 1);

    // Activate touches only an open window; Open goes through the host.
    ASSERT_TRUE(h.Run(CommandId::ActivatePage));
    EXPECT_TRUE(h.frame.activated.empty());
    h.frame.openPages.insert(&page);
    ASSERT_TRUE(h.Run(CommandId::ActivatePage));
    EXPECT_EQ(h.frame.activated, (std::vector<const CPage*>{&page}));
    std::vector<CPage*> opened;
    h.editor.openPage = [&opened](CPage& p) {
        opened.push_back(&p);
        return nullptr;
    };
    ASSERT_TRUE(h.Run(CommandId::OpenPage));
    EXPECT_EQ(opened, (std::vector<CPage*>{&page}));
}

TEST(PageCommands, InsertActionFromListOnlyIntoAShownObject)
{
    FrameCommandsHarness h;
    h.frame.actionItem = 32881;
    ASSERT_TRUE(h.Run(CommandId::InsertActionFromList));
    EXPECT_TRUE(h.editor.insertedActions.empty());
    h.frame.actionsShowObject = true;
    h.frame.actionItem = -1; // a group item
    ASSERT_TRUE(h.Run(CommandId::InsertActionFromList));
    EXPECT_TRUE(h.editor.insertedActions.empty());
    h.frame.actionItem = 32881;
    ASSERT_TRUE(h.Run(CommandId::InsertActionFromList));
    EXPECT_EQ(h.editor.insertedActions, (std::vector<int32_t>{32881}));
}

void expectScreenSaverObjects(const CPage& page)
{
    ASSERT_EQ(page.GetObjectCount(), 2);
    const CEditorObject& trigger = *page.GetObjects()[0];
    const CEditorObject& image = *page.GetObjects()[1];
    EXPECT_EQ(trigger.GetTypeName(), u"tagTrigger");
    EXPECT_EQ(ValueOf(trigger, u"none", u"Name"), u"tagTrigger-1");
    EXPECT_EQ(ValueOf(trigger, u"Data", u"Value tag"), u"sys_counter");
    EXPECT_EQ(ValueOf(trigger, u"Behavior", u"_Action script"),
              utf8ToWide(CActionScript::DefaultScreenSaverScript()));
    EXPECT_EQ(image.GetTypeName(), u"dynamicImage");
    EXPECT_EQ(ValueOf(image, u"none", u"Name"), u"dynamicImage-1");
    EXPECT_EQ(ValueOf(image, u"Behavior", u"Nr of images"), u"8");
    EXPECT_EQ(ValueOf(image, u"Data", u"Value tag"), u"SSAVER__");
    const std::u16string images = ValueOf(image, u"Behavior", u"Images");
    EXPECT_EQ(std::count(images.begin(), images.end(), kListSeparator), 8);
    EXPECT_TRUE(images.starts_with(u"%ss__1.jpg\u0001%ss__2.jpg\u0001"));
    EXPECT_TRUE(images.ends_with(u"%ss__7.jpg\u0001%ss__7.jpg\u0001"));
}

TEST(PageCommands, ScreenSaverPageHoldsItsTriggerImageAndTag)
{
    FrameCommandsHarness h;
    h.project.AddPage();
    EXPECT_TRUE(h.State(CommandId::ScreenSaverCreatePage).enabled);
    ASSERT_TRUE(h.Run(CommandId::ScreenSaverCreatePage));
    ASSERT_EQ(h.project.GetPageCount(), 2);
    const CPage& page = h.project.GetPage(1);
    EXPECT_EQ(page.GetName(), u"Screen saver page");
    EXPECT_EQ(page.GetPageType(), int32_t(PageType::ScreenSaver));
    expectScreenSaverObjects(page);
    EXPECT_TRUE(h.project.Tags().HasTag(u"SSAVER__"));
    EXPECT_TRUE(h.project.IsModified());
    EXPECT_GE(h.editor.counts.refreshTags, 1);
    // Once there, it is not offered again, neither as a command nor as a new page type.
    EXPECT_FALSE(h.State(CommandId::ScreenSaverCreatePage).enabled);
    EXPECT_FALSE(h.State(newPageCommand(PageType::ScreenSaver)).enabled);
}

TEST(PageCommands, AClosedScreenSaverPageIsFilledAgainAndAnOpenOneLeftAlone)
{
    FrameCommandsHarness h;
    CPage& page = h.project.AddPage(int32_t(PageType::ScreenSaver));
    page.AddObject(CEditorObject::CreateObject(2, &page));
    h.commands.CreateScreenSaverPage();
    EXPECT_EQ(h.project.GetPageCount(), 1);
    expectScreenSaverObjects(page);
    // The tag is made once.
    h.commands.CreateScreenSaverPage();
    EXPECT_EQ(h.project.Tags().RowCount(), 1);

    h.frame.openPages.insert(&page);
    page.ClearObjects();
    h.Settle();
    h.commands.CreateScreenSaverPage();
    EXPECT_EQ(page.GetObjectCount(), 0);
    EXPECT_FALSE(h.project.IsModified());
}

TEST(PageCommands, NewScreenSaverPageOfTypeFourIsTheScreenSaverPage)
{
    FrameCommandsHarness h;
    ASSERT_TRUE(h.Run(newPageCommand(PageType::ScreenSaver)));
    ASSERT_EQ(h.project.GetPageCount(), 1);
    EXPECT_EQ(h.project.GetPage(0).GetName(), u"Screen saver page");
    expectScreenSaverObjects(h.project.GetPage(0));
}

TEST(PageCommands, ScreenSaverPictureIsCentredAndFitsThePage)
{
    struct Case {
        std::u16string_view page;
        CScreenSaverPage::Placement expected;
    };
    for (const Case& c : {Case{u"800x480", {100, 124, 700, 356}},
                          // Narrower: scaled to the width, proportions kept (232 * 300 / 600).
                          Case{u"300x400", {0, 142, 300, 258}},
                          // Lower: the height is cut.
                          Case{u"800x200", {100, 0, 700, 200}}}) {
        const CScreenSaverPage::Placement at = CScreenSaverPage::PicturePlacement(CPageSize::Parse(c.page));
        EXPECT_EQ(std::tie(at.left, at.top, at.right, at.bottom),
                  std::tie(c.expected.left, c.expected.top, c.expected.right, c.expected.bottom))
            << std::string(c.page.begin(), c.page.end());
    }
}

} // namespace
