#include <gtest/gtest.h>

#include <QListWidget>
#include <QMdiArea>

#include "diagram/CommandId.h"
#include "editor/objects/CEditorObject.h"
#include "editor/objects/CObjectFactory.h"
#include "editor/project/document/CProject.h"
#include "editor/shell/frame/CPageWindowList.h"
#include "editor/shell/frame/CWindowsDialog.h"
#include "editor/views/page/CChildViewPage.h"
#include "platform/ui/ribbon/CRibbonBar.h"
#include "tests/support/editor/ShellHarness.h"

namespace {

namespace fs = std::filesystem;
using vx::test::ShellHarness;

bool run(ShellHarness& shell, CommandId id) { return shell.app->Commands().execute(ToInt(id)); }

// New, then Save As into folder as name.vxp (the changed-folder question answered Yes).
CProject& savedProject(ShellHarness& shell, const fs::path& file)
{
    EXPECT_TRUE(run(shell, CommandId::FileNew));
    shell.prompts.fileAnswers.push_back(QString::fromStdString(file.string()));
    shell.prompts.answers.push_back(Prompts::Answer::Yes);
    EXPECT_TRUE(run(shell, CommandId::FileSaveAs));
    shell.prompts.messages.clear();
    return *shell.app->GetProject();
}

TEST(CMainFrameProject, TheTitleNamesTheProjectWithAStarWhileModifiedAndWithoutAfterASave)
{
    ShellHarness shell;
    ASSERT_TRUE(shell.start());
    vx::test::TempDir dir;
    CProject& project = savedProject(shell, dir / "Linie 3.vxp");
    ASSERT_TRUE(fs::exists(dir / "Linie 3.vxp"));
    EXPECT_EQ(shell.frame().windowTitle(), QStringLiteral("VX-Editor - Linie 3"));

    // A page added from the ribbon: the project's own change reaches the title.
    ASSERT_TRUE(run(shell, CommandId::PageNew));
    EXPECT_TRUE(project.IsTargetStale());
    EXPECT_EQ(shell.frame().windowTitle(), QStringLiteral("VX-Editor - Linie 3*"));
    ASSERT_TRUE(run(shell, CommandId::FileSave));
    EXPECT_EQ(shell.frame().windowTitle(), QStringLiteral("VX-Editor - Linie 3"));
    ASSERT_TRUE(run(shell, CommandId::FileClose));
    EXPECT_EQ(shell.frame().windowTitle(), QStringLiteral("VX-Editor"));
}

TEST(CMainFrameProject, AProjectJustOpenedIsNotModifiedAfterThePanesFilled)
{
    ShellHarness shell;
    ASSERT_TRUE(shell.start());
    vx::test::TempDir dir;
    savedProject(shell, dir / "Linie 4.vxp");
    ASSERT_TRUE(run(shell, CommandId::FileClose));
    shell.app->OpenDocumentFile(dir / "Linie 4.vxp");
    ASSERT_NE(shell.app->GetProject(), nullptr);
    shell.app->OnIdle();
    QApplication::processEvents();
    shell.app->OnIdle();
    EXPECT_FALSE(shell.app->GetProject()->IsModified());
    EXPECT_EQ(shell.frame().windowTitle(), QStringLiteral("VX-Editor - Linie 4"));
}

TEST(CMainFrameProject, TheIdlePassGivesTheRibbonsControlsTheirStateFromTheHandlers)
{
    ShellHarness shell;
    ASSERT_TRUE(shell.start());
    QWidget* newPage = shell.frame().Ribbon()->ControlWidget(ToInt(CommandId::PageNew));
    QWidget* holdFirst = shell.frame().Ribbon()->ControlWidget(ToInt(CommandId::HoldFirst));
    ASSERT_TRUE(newPage && holdFirst);
    shell.app->OnIdle();
    EXPECT_FALSE(newPage->isEnabled()) << "no project";
    EXPECT_FALSE(holdFirst->isEnabled());
    ASSERT_TRUE(run(shell, CommandId::FileNew));
    EXPECT_FALSE(newPage->isEnabled()) << "only the idle pass changes it";
    shell.app->OnIdle();
    EXPECT_TRUE(newPage->isEnabled());
    EXPECT_TRUE(holdFirst->isEnabled());
    // The new project's settings stand in the ribbon.
    EXPECT_EQ(shell.frame().Ribbon()->ControlText(ToInt(CommandId::HoldFirst)), QStringLiteral("1000"));
}

struct CloseCase {
    const char* name;
    bool modified;
    std::optional<Prompts::Answer> answer; // none: nothing may be asked
    bool closes;
    bool saved;
};

class CMainFrameClose : public ::testing::TestWithParam<CloseCase> {};

TEST_P(CMainFrameClose, AsksOnlyForAModifiedProjectAndOnlyOnce)
{
    const CloseCase& row = GetParam();
    ShellHarness shell;
    ASSERT_TRUE(shell.start());
    vx::test::TempDir dir;
    const fs::path file = dir / "close.vxp";
    (void)savedProject(shell, file);
    const auto written = fs::last_write_time(file);
    const auto size = fs::file_size(file);
    if (row.modified)
        ASSERT_TRUE(run(shell, CommandId::PageNew));
    if (row.answer)
        shell.prompts.answers.push_back(*row.answer);

    EXPECT_EQ(shell.frame().close(), row.closes);
    ASSERT_EQ(shell.prompts.messages.size(), row.answer ? 1u : 0u);
    if (row.answer)
        EXPECT_EQ(shell.prompts.messages[0].text, QString::fromLatin1(CMainFrame::kSaveQuestion));
    EXPECT_EQ(shell.app->GetProject() == nullptr, row.closes);
    EXPECT_EQ(fs::file_size(file) != size || fs::last_write_time(file) != written, row.saved);
    EXPECT_EQ(shell.frame().GetCloseAnswer(), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, CMainFrameClose,
    ::testing::Values(CloseCase{"NotModified", false, std::nullopt, true, false},
                      CloseCase{"Cancel", true, Prompts::Answer::Cancel, false, false},
                      CloseCase{"No", true, Prompts::Answer::No, true, false},
                      CloseCase{"Yes", true, Prompts::Answer::Yes, true, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CMainFrameProject, RefreshBarsFillsThePanesOnlyWhenTheSelectionChangesOrARefillIsAsked)
{
    ShellHarness shell;
    ASSERT_TRUE(shell.start());
    ASSERT_TRUE(run(shell, CommandId::FileNew));
    CProject& project = *shell.app->GetProject();
    CPage& page = project.GetPage(0);
    CEditorObject& object = page.AddObject(CObjectFactory::Create(1));
    object.SetRect(10, 20, 110, 70);
    CChildViewPage* view = shell.frame().OpenPage(page);
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(shell.activate());
    CMainFrame& frame = shell.frame();
    ASSERT_TRUE(ShellHarness::runUntil([&] { return view->GetPage() == &page && frame.GetActiveView() == view; }));
    ASSERT_TRUE(ShellHarness::runUntil([&] { return frame.PaneFillCount() > 0; }));

    const int fills = frame.PaneFillCount();
    frame.RefreshBars();
    frame.RefreshBars();
    EXPECT_EQ(frame.PaneFillCount(), fills) << "nothing changed";
    EXPECT_TRUE(frame.StatusPosition().isEmpty()) << "the page alone is selected";

    view->GetContainer().SelectAt(0, true);
    frame.RefreshBars();
    EXPECT_EQ(frame.PaneFillCount(), fills + 1);
    EXPECT_EQ(frame.StatusPosition(), QStringLiteral("10, 20"));
    EXPECT_EQ(frame.StatusSize(), QStringLiteral("100 x 50"));
    frame.RefreshBars();
    EXPECT_EQ(frame.PaneFillCount(), fills + 1);

    frame.RequestPropertiesRefill(PropertiesRefill::InPlace);
    frame.RefreshBars();
    EXPECT_EQ(frame.PaneFillCount(), fills + 2);
    frame.RefreshBars();
    EXPECT_EQ(frame.PaneFillCount(), fills + 2);

    // The page window closes: the panes are emptied once.
    frame.PageWindows().Close(page);
    frame.RefreshBars();
    EXPECT_EQ(frame.PaneFillCount(), fills + 3);
    EXPECT_TRUE(frame.StatusSize().isEmpty());
    frame.RefreshBars();
    EXPECT_EQ(frame.PaneFillCount(), fills + 3);
    EXPECT_EQ(page.GetObjectCount(), 1) << "the page has its object back";
}

TEST(CMainFrameProject, AClosedProjectTakesItsPageWindowsAndTheirObjectsWithIt)
{
    ShellHarness shell;
    ASSERT_TRUE(shell.start());
    ASSERT_TRUE(run(shell, CommandId::FileNew));
    CPage& page = shell.app->GetProject()->GetPage(0);
    page.AddObject(CObjectFactory::Create(2));
    CChildViewPage* view = shell.frame().OpenPage(page);
    ASSERT_TRUE(ShellHarness::runUntil([&] { return view->GetPage() == &page; }));
    EXPECT_EQ(&shell.frame().OpenPage(page)->GetViewedPage(), &page) << "opened again, the same window";
    EXPECT_EQ(shell.frame().PageWindows().Count(), 1);

    shell.prompts.answers.push_back(Prompts::Answer::No);
    ASSERT_TRUE(run(shell, CommandId::FileClose));
    EXPECT_EQ(shell.app->GetProject(), nullptr);
    EXPECT_EQ(shell.frame().PageWindows().Count(), 0);
    EXPECT_EQ(shell.frame().GetActiveView(), nullptr);
}

TEST(CMainFrameProject, TheWindowsDialogListsThePageWindowsAndClosesTheChosenOnes)
{
    ShellHarness shell;
    ASSERT_TRUE(shell.start());
    ASSERT_TRUE(run(shell, CommandId::FileNew));
    CProject& project = *shell.app->GetProject();
    CPage& second = project.AddPage();
    shell.frame().OpenPage(project.GetPage(0));
    shell.frame().OpenPage(second);
    CWindowsDialog dialog(shell.frame().PageWindows());
    ASSERT_EQ(dialog.List()->count(), 2);
    EXPECT_EQ(dialog.List()->item(1)->text(), QString::fromStdU16String(second.GetName()));

    dialog.List()->setCurrentRow(0);
    dialog.List()->item(0)->setSelected(true);
    dialog.CloseChosen();
    EXPECT_EQ(shell.frame().PageWindows().Count(), 1);
    ASSERT_EQ(dialog.List()->count(), 1);
    dialog.ActivateChosen();
    EXPECT_EQ(&shell.frame().GetActiveView()->GetViewedPage(), &second);
    // Close all page windows (164) leaves none.
    ASSERT_TRUE(run(shell, CommandId::CloseAllPages));
    EXPECT_EQ(shell.frame().PageWindows().Count(), 0);
}

} // namespace
