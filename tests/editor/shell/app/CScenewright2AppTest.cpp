#include <gtest/gtest.h>

#include <QPointer>
#include <QTimer>
#include <csignal>
#include <fstream>
#include <sstream>

#include "editor/shell/CPathSettings.h"
#include "editor/shell/CSplashScreenEx.h"
#include "platform/ui/IdleHook.h"
#include "tests/support/editor/ShellHarness.h"

namespace {

namespace fs = std::filesystem;
using vx::test::ShellHarness;

std::u16string defaultFolder() { return CPathSettings::DefaultFolder(); }

TEST(CScenewright2App, StartsBehindItsSplashScreenInOrderAndWritesTheFoldersBackAtExit)
{
    ShellHarness shell;
    ASSERT_TRUE(shell.start());
    const std::vector<QString> expected{
        QString::fromLatin1(CScenewright2App::kStatusInitializing),
        QString::fromLatin1(CScenewright2App::kStatusLoadingInterface),
        QString::fromLatin1(CScenewright2App::kStatusEnumeratingFonts),
        QString::fromLatin1(CScenewright2App::kStatusReady),
    };
    EXPECT_EQ(shell.app->SplashHistory(), expected);
    ASSERT_NE(shell.app->Splash(), nullptr);
    EXPECT_TRUE(shell.app->Splash()->isVisible());
    EXPECT_EQ(shell.app->Splash()->SecondText(), QStringLiteral("version 1.51.0.7"));
    EXPECT_FALSE(shell.app->Splash()->size().isEmpty()) << "the splash picture was not found";
    EXPECT_TRUE(shell.frame().isVisible());

    // A first start: every folder is the documents folder's "VX-Engine Projects".
    EXPECT_EQ(shell.app->ProjectsFolder(), defaultFolder());
    EXPECT_EQ(shell.app->DownloadsFolder(), defaultFolder());
    EXPECT_EQ(shell.app->ImagesFolder(), defaultFolder());
    shell.app->DownloadsFolder() = u"/srv/downloads";

    EXPECT_EQ(shell.exit(), 0);
    // The worker goes before what it draws with.
    const std::vector<ShutdownStep> order{ShutdownStep::FoldersWritten, ShutdownStep::WorkerStopped,
                                          ShutdownStep::ImageLibraryReleased, ShutdownStep::CompressionMemoryFreed,
                                          ShutdownStep::FontsCleared};
    EXPECT_EQ(shell.app->ShutdownTrace(), order);
    Registry settings;
    EXPECT_EQ(settings.readString("AppSettings/ProjectsPath"), defaultFolder());
    EXPECT_EQ(settings.readString("AppSettings/DownloadsPath"), u"/srv/downloads");
    EXPECT_EQ(settings.readString("AppSettings/ImagesPath"), defaultFolder());
}

TEST(CScenewright2App, TheSplashScreenLeavesAtTheFirstIdlePassAndNotOnAKey)
{
    ShellHarness shell;
    ASSERT_TRUE(shell.start());
    QPointer<CSplashScreenEx> splash = shell.app->Splash();
    ASSERT_TRUE(splash);
    const int passes = shell.app->Idle()->passes();
    QTest::keyClick(splash.data(), Qt::Key_Escape);
    QTest::mouseClick(splash.data(), Qt::LeftButton);
    EXPECT_TRUE(splash && splash->isVisible());
    EXPECT_EQ(shell.app->Idle()->passes(), passes);
    // The event loop reaches idle on its own, without any input.
    EXPECT_TRUE(ShellHarness::runUntil([&] { return splash.isNull(); }));
    EXPECT_GT(shell.app->Idle()->passes(), passes);
    EXPECT_EQ(shell.app->Splash(), nullptr);
}

TEST(CScenewright2App, AGuardThatCannotBeInstalledSaysWhyAndEndsWithOne)
{
    ShellHarness shell;
    vx::test::TempDir dir;
    // A file where the report folder would have to be made.
    vx::test::writeFile(dir / "data", "not a folder");
    const QByteArray previous = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString((dir / "data").string()));
    EXPECT_EQ(shell.app->Run(), 1);
    qputenv("XDG_DATA_HOME", previous);
    ASSERT_EQ(shell.prompts.messages.size(), 1u);
    EXPECT_EQ(shell.prompts.messages[0].caption, QStringLiteral("crInstall error"));
    EXPECT_FALSE(shell.prompts.messages[0].text.isEmpty());
}

// The loop runs inside the guard: a crash in it writes the editor's report and the
// process still dies of the signal.
TEST(CScenewright2AppDeathTest, ACrashInTheEventLoopWritesTheEditorsReportAndDiesOfItsSignal)
{
    GTEST_FLAG_SET(death_test_style, "fast");
    vx::test::TempDir dir;
    const QByteArray previous = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(dir.path().string()));
    const fs::path folder = CScenewright2App::CrashReport().folder;
    EXPECT_EXIT(
        {
            CScenewright2App app(vx::test::programPath(""));
            QTimer::singleShot(0, [] { std::raise(SIGSEGV); });
            app.Run();
            std::_Exit(4);
        },
        ::testing::KilledBySignal(SIGSEGV), "");
    qputenv("XDG_DATA_HOME", previous);

    ASSERT_TRUE(fs::is_directory(folder));
    std::vector<fs::path> reports;
    for (const auto& entry : fs::directory_iterator(folder))
        reports.push_back(entry.path());
    ASSERT_EQ(reports.size(), 1u);
    std::ifstream file(reports[0]);
    std::stringstream text;
    text << file.rdbuf();
    EXPECT_NE(text.str().find("Application: VX Editor\n"), std::string::npos) << text.str();
    EXPECT_NE(text.str().find("Version: 1.51.0.7\n"), std::string::npos);
    EXPECT_NE(text.str().find("Subject: VX Editor error report\n"), std::string::npos);
}

} // namespace
