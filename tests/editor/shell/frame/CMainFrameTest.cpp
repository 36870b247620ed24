#include <gtest/gtest.h>

#include <QDockWidget>
#include <QStyle>

#include "diagram/CommandId.h"
#include "editor/objects/CStyles.h"
#include "editor/shell/frame/CFrameLooks.h"
#include "editor/shell/frame/CStylePreviews.h"
#include "tests/support/editor/ShellHarness.h"

namespace {

using vx::test::ShellHarness;

char sideLetter(Qt::DockWidgetArea area)
{
    switch (area) {
    case Qt::LeftDockWidgetArea: return 'L';
    case Qt::RightDockWidgetArea: return 'R';
    case Qt::BottomDockWidgetArea: return 'B';
    default: return '?';
    }
}

TEST(CMainFrame, HoldsItsSevenPanesOnTheirSidesAndTheirTogglesAreCheckedWhileTheyShow)
{
    ShellHarness shell;
    ASSERT_TRUE(shell.start());
    CMainFrame& frame = shell.frame();
    QStringList layout;
    for (std::size_t pane = 0; pane < kFramePaneCount; ++pane) {
        QDockWidget* dock = frame.PaneDock(FramePane(pane));
        ASSERT_NE(dock, nullptr);
        EXPECT_FALSE(dock->windowIcon().pixmap(16, 16).isNull()) << pane;
        layout << dock->windowTitle() + QLatin1Char(':') + QLatin1Char(sideLetter(frame.dockWidgetArea(dock)));
    }
    EXPECT_EQ(layout.join(QLatin1Char(',')),
              QStringLiteral("Project:L,Objects:L,Properties:R,Output:B,Actions:R,Tags:R,Actions list:R"));
    EXPECT_FALSE(frame.windowIcon().pixmap(32, 32).isNull()) << "the program's icon";

    CommandTable& commands = shell.app->Commands();
    const CommandId toggles[] = {CommandId::PaneProject, CommandId::PaneObjects, CommandId::PaneProperties,
                                 CommandId::PaneOutput, CommandId::PaneActions, CommandId::PaneTags,
                                 CommandId::PaneActionsList};
    for (std::size_t pane = 0; pane < kFramePaneCount; ++pane) {
        const int toggle = ToInt(toggles[pane]);
        QDockWidget* dock = frame.PaneDock(FramePane(pane));
        SCOPED_TRACE(dock->windowTitle().toStdString());
        ASSERT_EQ(commands.state(toggle).checked, true);
        ASSERT_TRUE(commands.execute(toggle));
        EXPECT_TRUE(dock->isHidden());
        EXPECT_EQ(commands.state(toggle).checked, false);
        commands.execute(toggle);
        EXPECT_EQ(commands.state(toggle).checked, true);
        // Closed by its own close button, the toggle follows too.
        dock->close();
        EXPECT_EQ(commands.state(toggle).checked, false);
        commands.execute(toggle);
        EXPECT_FALSE(dock->isHidden());
    }
}

TEST(CMainFrame, ALookIsFusionWithItsPaletteCheckedAsTheOneAndRememberedForTheNextStart)
{
    {
        ShellHarness shell;
        ASSERT_TRUE(shell.start());
        CMainFrame& frame = shell.frame();
        CommandTable& commands = shell.app->Commands();
        EXPECT_EQ(frame.CurrentLook(), CMainFrame::kDefaultLook);
        EXPECT_EQ(commands.state(CMainFrame::kDefaultLook).checked, true);

        ASSERT_TRUE(commands.execute(ToInt(CommandId::LookOffice2007Black)));
        EXPECT_EQ(QApplication::style()->name().toLower(), QStringLiteral("fusion"));
        const CFrameLooks::Look* black = CFrameLooks::Find(ToInt(CommandId::LookOffice2007Black));
        ASSERT_NE(black, nullptr);
        EXPECT_EQ(QApplication::palette().color(QPalette::Window).rgb() & 0xFFFFFFu, black->window);
        for (int id = CMainFrame::kLookFirst; id <= CMainFrame::kLookLast; ++id)
            EXPECT_EQ(commands.state(id).checked, id == ToInt(CommandId::LookOffice2007Black)) << id;
        EXPECT_EQ(Registry().readInteger(CMainFrame::kLookKey), ToInt(CommandId::LookOffice2007Black));
        // An id that names no look changes nothing.
        frame.OnApplicationLook(CMainFrame::kLookLast + 1);
        EXPECT_EQ(frame.CurrentLook(), ToInt(CommandId::LookOffice2007Black));
    }
    // The next start reads the look back (the harness keeps the workspace for this).
    Registry().writeInteger(CMainFrame::kLookKey, ToInt(CommandId::LookOffice2003));
    CScenewright2App app(vx::test::programPath(""));
    CMainFrame frame(app);
    ASSERT_TRUE(frame.OnCreate());
    EXPECT_EQ(frame.CurrentLook(), ToInt(CommandId::LookOffice2003));
}

TEST(CMainFrame, WithoutAProjectTheTitleIsTheProgramsAndClosingAsksNothing)
{
    ShellHarness shell;
    ASSERT_TRUE(shell.start());
    EXPECT_EQ(shell.frame().windowTitle(), QStringLiteral("VX-Editor"));
    EXPECT_TRUE(shell.frame().close());
    EXPECT_TRUE(shell.prompts.messages.empty());
    EXPECT_EQ(shell.frame().GetCloseAnswer(), std::nullopt);
    // The layout of the panes is kept for the next start.
    EXPECT_TRUE(Registry().readString(CMainFrame::kWorkspaceKey).has_value());
}

TEST(CMainFrame, TheStyleGalleryHasAPreviewOfEveryThemeNamedAfterIt)
{
    ShellHarness shell;
    ASSERT_TRUE(shell.start());
    const std::vector<RibbonGalleryItem> items = CStylePreviews::Collect(CStyles::Get());
    ASSERT_EQ(items.size(), 4u);
    for (const RibbonGalleryItem& item : items) {
        EXPECT_FALSE(item.name.isEmpty());
        EXPECT_EQ(item.preview.size(), QSize(64, 48)) << item.name.toStdString();
    }
}

} // namespace
