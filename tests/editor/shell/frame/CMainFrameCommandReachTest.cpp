#include <gtest/gtest.h>

#include <QAction>
#include <QMdiArea>
#include <QTabBar>
#include <fstream>

#include "diagram/CommandId.h"
#include "editor/project/document/CProject.h"
#include "editor/shell/ribbon/CRibbonWalk.h"
#include "editor/views/page/CChildViewPage.h"
#include "platform/ui/ribbon/CRibbonBar.h"
#include "tests/support/editor/ShellHarness.h"

namespace {

using vx::test::ShellHarness;

struct CommandReach : testing::Test {
    ShellHarness shell;

    void SetUp() override { ASSERT_TRUE(shell.start()); }
    bool run(CommandId id) { return shell.app->Commands().execute(ToInt(id)); }
    // A new project with its first page open, so every level of commands answers.
    void openPage()
    {
        ASSERT_TRUE(run(CommandId::FileNew));
        ASSERT_TRUE(shell.app->GetProject() && shell.app->GetProject()->GetPageCount() > 0);
        ASSERT_NE(shell.frame().OpenPage(shell.app->GetProject()->GetPage(0)), nullptr);
        ASSERT_TRUE(ShellHarness::runUntil([&] { return shell.frame().GetActiveView() != nullptr; }));
    }
};

// The walk over the real program's ribbon and command table: the view, its frame, the
// main frame and the application together serve every command the ribbon shows.
TEST_F(CommandReach, EveryCommandOfTheRealRibbonReachesAHandlerWithAPageOpen)
{
    openPage();
    EXPECT_EQ(CRibbonWalk::Unreached(*shell.frame().Ribbon(), shell.app->Commands()), std::vector<int>{});
}

TEST_F(CommandReach, DownloadHasAButtonBesideGenerateEnabledWithAProject)
{
    QWidget* download = shell.frame().Ribbon()->ControlWidget(ToInt(CommandId::Download));
    ASSERT_NE(download, nullptr);
    shell.app->OnIdle();
    EXPECT_FALSE(download->isEnabled());
    ASSERT_TRUE(run(CommandId::FileNew));
    shell.app->OnIdle();
    EXPECT_TRUE(download->isEnabled());
}

TEST_F(CommandReach, TheWindowsDialogIsOnTheContextMenuOfThePageTabs)
{
    openPage();
    auto* tabs = shell.frame().MdiArea()->findChild<QTabBar*>();
    ASSERT_NE(tabs, nullptr);
    for (QWidget* place : {static_cast<QWidget*>(shell.frame().MdiArea()), static_cast<QWidget*>(tabs)}) {
        EXPECT_EQ(place->contextMenuPolicy(), Qt::ActionsContextMenu);
        const QList<QAction*> actions = place->actions();
        ASSERT_EQ(actions.size(), 1);
        EXPECT_EQ(actions[0]->text(), QStringLiteral("&Windows..."));
        EXPECT_EQ(actions[0], shell.app->Commands().action(ToInt(CommandId::WindowsDialog)));
    }
    shell.app->Commands().updateActions();
    EXPECT_TRUE(tabs->actions()[0]->isEnabled());
}

TEST_F(CommandReach, HelpWithoutItsFileSaysWhichFileIsMissing)
{
    ASSERT_FALSE(std::filesystem::exists(shell.app->GetHelpFilePath()));
    ASSERT_TRUE(run(CommandId::Help));
    ASSERT_EQ(shell.prompts.messages.size(), 1u);
    EXPECT_EQ(shell.prompts.messages[0].icon, Prompts::Icon::Warning);
    EXPECT_TRUE(shell.prompts.messages[0].text.contains(QStringLiteral("VX-Editor.chm")))
        << shell.prompts.messages[0].text.toStdString();
}

} // namespace
