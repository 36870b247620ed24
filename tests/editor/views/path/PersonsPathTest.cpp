#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>
#include <fstream>
#include <unistd.h>

#include "tests/support/ScreenGrab.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/XvfbSession.h"

#include "tests/editor/views/path/PersonsPath.h"

namespace vx::test {
namespace {

// Pixels of the picture inside rect that are plainly red.
int RedPixels(const QImage& picture, const QRect& rect)
{
    int count = 0;
    const QRect inside = rect.intersected(picture.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const QColor pixel = picture.pixelColor(x, y);
            count += pixel.red() > 200 && pixel.green() < 90 && pixel.blue() < 90;
        }
    return count;
}

TEST(PersonsPathOffscreen, ColourTextAndAPageChangeReachTheCanvasAndTheDocument)
{
    PersonsPath path;
    path.Open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&path.window));

    path.SelectLamp();
    ASSERT_TRUE(path.Lamp().IsSelected());
    ASSERT_EQ(path.actions->GetTarget(), &path.Lamp());
    EXPECT_EQ(path.actions->GetDefaultTrigger(), u"On touch up");
    EXPECT_EQ(RedPixels(path.Canvas()->grab().toImage(), path.LampOnCanvas()), 0);

    ASSERT_TRUE(path.ChangeColourAndText());
    EXPECT_EQ(ValueOf(path.Lamp(), u"Appearance", u"Text"), u"Go on");
    ASSERT_TRUE(path.AddGoToSecondPage());
    const std::vector<CActionsGridData>& entries = path.actions->Editor().Entries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].trigger, u"On touch up");
    EXPECT_EQ(entries[0].action, u"Go to page X");
    EXPECT_EQ(entries[0].parameters, u"Settings");
    EXPECT_GE(path.host.counts.modified, 1);

    // The object's picture is drawn again off the interface thread.
    EXPECT_TRUE(QTest::qWaitFor([&] { return RedPixels(path.Canvas()->grab().toImage(), path.LampOnCanvas()) > 20; },
                                20000));

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

// The on-screen run: this test program runs the path again under a private X server,
// and the screen itself is grabbed.
constexpr const char* kScreenFolder = "VX_PERSONS_PATH_FOLDER";
constexpr int kTimeoutMs = 60000;

bool waitForFile(const std::filesystem::path& file, int timeoutMs)
{
    for (int waited = 0; waited < timeoutMs; waited += 50) {
        if (std::filesystem::exists(file))
            return true;
        usleep(50 * 1000);
    }
    return false;
}

// Run by the screenshot test as a program of its own on the X server; skipped otherwise.
TEST(PersonsPathOnScreen, RunsThePathForTheScreenshot)
{
    const char* folder = std::getenv(kScreenFolder);
    if (!folder)
        GTEST_SKIP() << "run by PersonsPathUnderXvfb";
    PersonsPath path;
    path.Open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&path.window));
    path.SelectLamp();
    ASSERT_TRUE(path.ChangeColourAndText());
    ASSERT_TRUE(path.AddGoToSecondPage());
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return RedPixels(path.Canvas()->grab().toImage(), path.LampOnCanvas()) > 20; }, kTimeoutMs));
    const QRect lamp = path.LampOnCanvas();
    const QPoint onScreen = path.Canvas()->mapToGlobal(lamp.topLeft());
    {
        std::ofstream place(std::filesystem::path(folder) / "lamp");
        place << onScreen.x() << ' ' << onScreen.y() << ' ' << lamp.width() << ' ' << lamp.height() << '\n';
    }
    std::ofstream(std::filesystem::path(folder) / "ready") << "ready\n";
    // The screen grabs take their time on a loaded machine.
    EXPECT_TRUE(QTest::qWaitFor([&] { return std::filesystem::exists(std::filesystem::path(folder) / "done"); },
                                4 * kTimeoutMs));
}

TEST(PersonsPathUnderXvfb, TheScreenShowsTheChangedObject)
{
    TempDir folder;
    XvfbSession x(1600, 900);
    ASSERT_TRUE(x.isRunning());
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe");
    setenv(kScreenFolder, folder.path().c_str(), 1);
    const pid_t child = x.start({program.string(), "--gtest_filter=PersonsPathOnScreen.*"});
    unsetenv(kScreenFolder);
    ASSERT_GT(child, 0);
    ASSERT_TRUE(waitForFile(folder / "ready", kTimeoutMs));
    QRect lamp;
    {
        std::ifstream place(folder / "lamp");
        int left = 0, top = 0, width = 0, height = 0;
        place >> left >> top >> width >> height;
        lamp = QRect(left, top, width, height);
    }
    ASSERT_FALSE(lamp.isEmpty());
    const QImage shot = grabUntil(x, folder / "path.png", [&](const QImage& picture) { return RedPixels(picture, lamp) > 20; });
    std::ofstream(folder / "done") << "done\n";
    EXPECT_EQ(x.wait(child, kTimeoutMs), 0);

    ASSERT_FALSE(shot.isNull());
    const std::filesystem::path kept = vx::test::screenshotFolder();
    shot.save(QString::fromStdString((kept / "persons_path.png").string()));
    EXPECT_GT(RedPixels(shot, lamp), 20) << lamp.x() << ", " << lamp.y();
    // Red only where the object is: the rest of the canvas holds none.
    EXPECT_EQ(RedPixels(shot, shot.rect()), RedPixels(shot, lamp));
}

} // namespace
} // namespace vx::test
