#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <cerrno>
#include <csignal>
#include <cstdlib>

#include "editor/shell/commands/CMainFrameCommands.h"
#include "editor/shell/commands/CTargetCommands.h"
#include "tests/editor/shell/path/PersonsPath.h"
#include "tests/support/editor/EngineWindow.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/XvfbSession.h"

namespace vx::test {
namespace {

namespace fs = std::filesystem;

constexpr int kTimeoutMs = 60000;
constexpr const char* kScenarioFolder = "VX_PERSONS_PATH_FOLDER";
// 0xBBGGRR: green, the lamp's second colour.
constexpr uint32_t kGreen = 0x00FF00;

// Pixels of the picture inside rect whose colour is plainly the one asked for.
int PixelsLike(const QImage& picture, const QRect& rect, bool (*like)(const QColor&))
{
    int count = 0;
    const QRect inside = rect.intersected(picture.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            count += like(picture.pixelColor(x, y));
    return count;
}
bool red(const QColor& pixel) { return pixel.red() > 200 && pixel.green() < 90 && pixel.blue() < 90; }
bool green(const QColor& pixel) { return pixel.green() > 200 && pixel.red() < 90 && pixel.blue() < 90; }
int RedPixels(const QImage& picture, const QRect& rect) { return PixelsLike(picture, rect, red); }

TEST(PersonsPath, ColourTextAndAPageChangeReachTheCanvasAndTheDocument)
{
    PersonsPath path;
    ASSERT_TRUE(path.Open());

    path.SelectLamp();
    ASSERT_TRUE(path.Lamp().IsSelected());
    ASSERT_EQ(path.Actions().GetTarget(), &path.Lamp());
    EXPECT_EQ(path.Actions().GetDefaultTrigger(), u"On touch up");
    EXPECT_EQ(RedPixels(path.Canvas()->grab().toImage(), path.LampOnCanvas()), 0);

    ASSERT_TRUE(path.ChangeColourAndText());
    EXPECT_EQ(ValueOf(path.Lamp(), u"Appearance", u"Text"), u"Go on");
    ASSERT_TRUE(path.AddGoToSecondPage());
    // The idle pass after the edit leaves the pane as it was typed.
    path.Refresh();
    EXPECT_EQ(path.Actions().ParameterBox(0)->currentText(), QStringLiteral("Settings"));
    path.Frame().RequestPropertiesRefill(PropertiesRefill::Full);
    path.Refresh();
    const std::vector<CActionsGridData>& entries = path.Actions().Editor().Entries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].trigger, u"On touch up");
    EXPECT_EQ(entries[0].action, u"Go to page X");
    EXPECT_EQ(entries[0].parameters, u"Settings");
    EXPECT_TRUE(path.shell.app->GetProject()->IsModified());

    // The object's picture is drawn again off the interface thread.
    EXPECT_TRUE(QTest::qWaitFor([&] { return RedPixels(path.Canvas()->grab().toImage(), path.LampOnCanvas()) > 20; },
                                20000));

    // Save As stores the script still in the actions pane first.
    const std::string document = path.SavedDocument();
    EXPECT_NE(document.find("<text>Go on</text>"), std::string::npos) << document;
    EXPECT_NE(document.find("<colors>ff\x01" "ff00\x01" "ff\x01</colors>"), std::string::npos) << document;
    const std::size_t script = document.find("<actionScript>", document.find("<object>"));
    ASSERT_NE(script, std::string::npos) << document;
    const std::string stored = document.substr(script, document.find("</actionScript>", script) - script);
    EXPECT_NE(stored.find("\"command\" : \"Go to page X\""), std::string::npos) << stored;
    EXPECT_NE(stored.find("\"trigger\" : \"On touch up\""), std::string::npos) << stored;
    // The page by its original name, which survives its renaming.
    EXPECT_NE(stored.find("\"params\" : \"Page 2\""), std::string::npos) << stored;
    EXPECT_EQ(stored.find("Settings"), std::string::npos) << stored;
}

QImage grabScreen() { return QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32); }

// Play, and the engine's window showing the lamp in the colour like describes; the
// picture is kept as png. The engine is stopped again.
bool PlayShows(PersonsPath& path, bool (*like)(const QColor&), const fs::path& png)
{
    CTargetCommands& target = path.Frame().FrameCommands().Target();
    if (!path.shell.app->Commands().execute(ToInt(CommandId::Play)) ||
        !ShellHarness::runUntil([&] { return target.LastEnginePid().has_value(); }, kTimeoutMs))
        return false;
    const pid_t engine = *target.LastEnginePid();
    QRect window;
    QImage shot;
    const bool shown = ShellHarness::runUntil(
        [&] {
            window = findEngineWindow().rect;
            if (window.width() <= 0)
                return false;
            shot = grabScreen();
            const QRect lamp(window.topLeft() + QPoint(PersonsPath::kLeft, PersonsPath::kTop),
                             QSize(PersonsPath::kWidth, PersonsPath::kHeight));
            return PixelsLike(shot, lamp, like) > 20;
        },
        kTimeoutMs);
    shot.save(QString::fromStdString(png.string()));
    (void)::kill(engine, SIGTERM);
    const bool gone = ShellHarness::runUntil([engine] { return ::kill(engine, 0) != 0 && errno == ESRCH; }, kTimeoutMs);
    return shown && gone;
}

// Run by PersonsPathUnderXvfb as a program of its own on its X server; skipped otherwise.
TEST(PersonsPathScenario, EditSaveNewReopenAndPlayTwice)
{
    const char* folder = std::getenv(kScenarioFolder);
    if (!folder)
        GTEST_SKIP() << "run by PersonsPathUnderXvfb under its X server";
    const fs::path dir(folder);
    PersonsPath path;
    ASSERT_TRUE(path.Open());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&path.Frame()));
    // The test program does not lie beside the engine as the editor does.
    path.Frame().FrameCommands().Target().SetProgramFolder(programPath("VX-Engine").parent_path());

    path.SelectLamp();
    ASSERT_TRUE(path.ChangeColourAndText());
    ASSERT_TRUE(path.AddGoToSecondPage());
    ASSERT_TRUE(QTest::qWaitFor([&] { return RedPixels(path.Canvas()->grab().toImage(), path.LampOnCanvas()) > 20; },
                                kTimeoutMs));
    const QRect lamp(path.Canvas()->mapToGlobal(path.LampOnCanvas().topLeft()), path.LampOnCanvas().size());
    QImage editor;
    EXPECT_TRUE(ShellHarness::runUntil(
        [&] {
            editor = grabScreen();
            return RedPixels(editor, lamp) > 20;
        },
        kTimeoutMs))
        << "the screen never showed the red lamp";
    editor.save(QString::fromStdString((dir / "editor.png").string()));
    // Red only where the object is: the rest of the page holds none.
    const QRect canvas(path.Canvas()->mapToGlobal(QPoint(0, 0)), path.Canvas()->size());
    EXPECT_EQ(RedPixels(editor, canvas), RedPixels(editor, lamp));
    ASSERT_NE(path.SavedDocument().find("<text>Go on</text>"), std::string::npos);

    // An edit in the properties pane, then New: Yes to the save question keeps it.
    auto* text = dynamic_cast<DPropMultiText*>(path.Properties().Grid().FindItem(u"Appearance", u"Text"));
    ASSERT_NE(text, nullptr);
    text->LineEdit()->setFocus();
    text->LineEdit()->selectAll();
    QTest::keyClicks(text->LineEdit(), QStringLiteral("Pump on"));
    QTest::keyClick(text->LineEdit(), Qt::Key_Return);
    path.Refresh();
    ASSERT_TRUE(path.Frame().windowTitle().endsWith(QLatin1Char('*')));
    path.shell.prompts.messages.clear();
    path.shell.prompts.answers.push_back(Prompts::Answer::Yes);
    ASSERT_TRUE(path.shell.app->Commands().execute(ToInt(CommandId::FileNew)));
    ASSERT_EQ(path.shell.prompts.messages.size(), 1u);
    EXPECT_EQ(path.shell.prompts.messages[0].text, QString::fromLatin1(CMainFrame::kSaveQuestion));

    path.shell.app->OpenDocumentFile(path.file);
    CProject* project = path.shell.app->GetProject();
    ASSERT_NE(project, nullptr);
    ASSERT_NE(CProjectFile::DocumentText(*project).find("<text>Pump on</text>"), std::string::npos);
    (void)path.Frame().OpenPage(project->GetPage(0));
    ASSERT_TRUE(ShellHarness::runUntil([&] { return path.View() && path.View()->GetPage(); }, kTimeoutMs));
    path.Refresh();

    // Play shows the red lamp; the colour changed to green, Play again shows green.
    ASSERT_TRUE(PlayShows(path, red, dir / "engine_red.png")) << "the engine never showed the red lamp";
    path.SelectLamp();
    auto* colours = dynamic_cast<DPropColors*>(path.Properties().Grid().FindItem(u"Behavior", u"Indicator colors"));
    ASSERT_NE(colours, nullptr);
    DProp::SetDialogRunner([](QDialog& dialog) {
        static_cast<CListColors&>(dialog).SetColor(0, kGreen);
        dialog.accept();
        return int(QDialog::Accepted);
    });
    QTest::mouseClick(colours->Button(), Qt::LeftButton);
    DProp::SetDialogRunner(nullptr);
    path.Refresh();
    ASSERT_TRUE(path.Frame().windowTitle().endsWith(QLatin1Char('*')));
    EXPECT_TRUE(PlayShows(path, green, dir / "engine_green.png")) << "the second Play showed the old page";
}

TEST(PersonsPathUnderXvfb, EditsReachTheSavedFileAndTheEnginesWindow)
{
    ASSERT_TRUE(fs::exists(programPath("VX-Engine"))) << "the engine is built with the editor";
    XvfbSession x(1600, 900);
    ASSERT_TRUE(x.isRunning());
    TempDir dir;
    EXPECT_EQ(x.runThisProgram("PersonsPathScenario.EditSaveNewReopenAndPlayTwice", kScenarioFolder, dir.path(),
                               4 * kTimeoutMs),
              0)
        << "the scenario failed (its output is above)";
    keepScreenshots(dir.path(), {{"editor.png", "persons_path_editor.png"},
                                 {"engine_red.png", "persons_path_engine_red.png"},
                                 {"engine_green.png", "persons_path_engine_green.png"}});
}

} // namespace
} // namespace vx::test
