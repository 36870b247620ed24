#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QShortcut>
#include <QTest>

#include "editor/project/document/CProject.h"
#include "editor/views/properties/CPropertiesBar.h"
#include "tests/support/ScreenGrab.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/editor/FakeEditorHost.h"

namespace vx::test {
namespace {

constexpr char kTitle[] = "VX properties pane";
// The page colour as the property stores it (0xBBGGRR) and as the screen shows it.
constexpr uint32_t kPageColour = 0x2080E0;
constexpr QRgb kShownColour = qRgb(0xE0, 0x80, 0x20);
constexpr int kShownTimeoutMs = 60000;

// Started by the test below on its X server: the pane shows a page's properties until
// Escape closes it.
TEST(PropertiesPaneOnScreen, DISABLED_ShownUntilEscape)
{
    FakeEditorHost host;
    CPage& page = host.MakeProject().AddPage();
    page.SetBackgroundColor(kPageColour);
    CPropertiesBar bar(host);
    bar.setWindowTitle(kTitle);
    bar.resize(360, 420);
    CSelectable* items[] = {&page};
    bar.FillProperties(CPropertySelectedList(items), PropertiesRefill::Full);
    QShortcut escape(QKeySequence(Qt::Key_Escape), &bar);
    QObject::connect(&escape, &QShortcut::activated, &bar, &QWidget::close);
    bar.show();
    QElapsedTimer shown;
    shown.start();
    while (bar.isVisible() && shown.elapsed() < kShownTimeoutMs)
        QTest::qWait(50);
    EXPECT_FALSE(bar.isVisible());
}

int64_t shownColourPixels(const QImage& shot)
{
    int64_t count = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            count += (shot.pixel(x, y) & 0xFFFFFF) == (kShownColour & 0xFFFFFF);
    return count;
}

TEST(PropertiesPaneScreenshot, ThePageColourShowsInItsSwatch)
{
    XvfbSession x(480, 480);
    ASSERT_TRUE(x.isRunning());
    const pid_t pane = x.start({"/proc/self/exe", "--gtest_also_run_disabled_tests",
                                "--gtest_filter=PropertiesPaneOnScreen.DISABLED_ShownUntilEscape"});
    ASSERT_GT(pane, 0);
    const unsigned long window = x.waitForWindow(kTitle, kShownTimeoutMs);
    ASSERT_NE(window, 0u);
    const TempDir dir;
    const std::filesystem::path png = dir.path() / "pane.png";
    // The swatch is 14 pixels square.
    const QImage shot = grabUntil(x, png, [](const QImage& picture) { return shownColourPixels(picture) >= 150; });
    EXPECT_GE(shownColourPixels(shot), 150);
    const std::filesystem::path kept = vx::test::screenshotFolder();
    std::filesystem::copy_file(png, kept / "properties_pane.png", std::filesystem::copy_options::overwrite_existing);
    EXPECT_TRUE(x.sendKey(window, "Escape"));
    EXPECT_EQ(x.wait(pane, kShownTimeoutMs), 0);
}

} // namespace
} // namespace vx::test
