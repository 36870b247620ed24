// What a person sees of the project, objects and output panes: the test starts itself
// again on a private X server, where the second run shows the three panes side by side
// until it is stopped. The picture is kept as screenshots/panes.png.
#include <gtest/gtest.h>

#include <QHBoxLayout>
#include <QTest>
#include <QVBoxLayout>
#include <filesystem>

#include "editor/objects/CObjectNames.h"
#include "editor/views/panes/CObjectsBar.h"
#include "editor/views/panes/COutputBar.h"
#include "editor/views/panes/CPaneTree.h"
#include "editor/views/panes/CProjectBar.h"
#include "tests/editor/views/page/PageViewHarness.h"
#include "tests/support/ScreenGrab.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/XvfbSession.h"

namespace {

constexpr int32_t kText = 2, kButton = 17, kTimer = 24;
constexpr int kTimeoutMs = 30000;
constexpr char kTitle[] = "Panes on screen";
// The error line's red, and the script overlay's orange.
constexpr QRgb kRed = qRgb(0xFF, 0, 0);
constexpr QRgb kOverlayOrange = 0xe08a2a;

int64_t count(const QImage& shot, QRgb wanted, int tolerance)
{
    int64_t found = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x) {
            const QRgb pixel = shot.pixel(x, y);
            found += std::abs(qRed(pixel) - qRed(wanted)) <= tolerance &&
                     std::abs(qGreen(pixel) - qGreen(wanted)) <= tolerance &&
                     std::abs(qBlue(pixel) - qBlue(wanted)) <= tolerance;
        }
    return found;
}

} // namespace

// Started by the screenshot test on its X server; runs until it is stopped.
TEST(PanesOnScreen, DISABLED_ShowsThePanes)
{
    vx::test::PageViewHarness h;
    h.page.SetName(u"Start");
    h.project.AddPage(2).SetName(u"Alarms");
    h.project.AddPage(1);
    const std::pair<int32_t, const char16_t*> objects[] = {
        {kText, u"Title"}, {kButton, u"Pump on"}, {kTimer, u"Blink"}, {kButton, u"Pump off"}};
    int32_t left = 10;
    for (const auto& [row, name] : objects) {
        CObjectNames::InitObjectName(h.AddObject(row, left, 10), name);
        left += 60;
    }
    h.Open(1, 400, 300);
    h.Object(1).FindProperty(u"Behavior", u"_Action script")->SetValue(CPropertyValue(u"[{\"trigger\":\"On release\"}]"));
    h.Object(3).SetLock(2, true);

    QWidget window;
    window.setWindowTitle(QString::fromLatin1(kTitle));
    auto* layout = new QVBoxLayout(&window);
    auto* trees = new QHBoxLayout;
    auto* project = new CProjectBar(h.host, h.commands);
    auto* objectsPane = new CObjectsBar(h.host, h.commands);
    auto* output = new COutputBar;
    trees->addWidget(project);
    trees->addWidget(objectsPane);
    layout->addLayout(trees, 1);
    layout->addWidget(output);
    project->Rebuild(1);
    objectsPane->Rebuild();
    output->AppendLine(u"Page Start: compiling\r\n", 0, nullptr, nullptr);
    output->AppendLine(u"Error in Pump on object: Tag not found\r\n", 0x0000FF, nullptr, nullptr);
    output->AppendText(QStringLiteral("Compiling  42 %"), 0);
    window.resize(520, 420);
    window.show();
    QTest::qWait(60000);
}

TEST(PanesScreenshot, TreesWithIconsBoldAndOverlaysAndTheColouredOutput)
{
    vx::test::XvfbSession x(800, 600);
    ASSERT_TRUE(x.isRunning());
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    const pid_t child =
        x.start({self, "--gtest_filter=PanesOnScreen.DISABLED_ShowsThePanes", "--gtest_also_run_disabled_tests"});
    ASSERT_GT(child, 0);
    ASSERT_NE(x.waitForWindow(kTitle, kTimeoutMs), 0ul);

    vx::test::TempDir dir;
    const QImage shot = vx::test::grabUntil(x, dir / "panes.png", [](const QImage& image) {
        return count(image, kRed, 40) > 60 && count(image, kOverlayOrange, 24) > 4;
    });
    ASSERT_FALSE(shot.isNull());
    // The error line is red, and the scripted button carries the script overlay.
    EXPECT_GT(count(shot, kRed, 40), 60);
    EXPECT_GT(count(shot, kOverlayOrange, 24), 4);

    const std::filesystem::path kept = vx::test::screenshotFolder();
    std::error_code ignored;
    std::filesystem::copy_file(dir / "panes.png", kept / "panes.png", std::filesystem::copy_options::overwrite_existing,
                               ignored);
}
