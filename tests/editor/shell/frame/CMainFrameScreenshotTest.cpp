#include <gtest/gtest.h>

#include <QColor>
#include <csignal>
#include <sys/wait.h>

#include "tests/support/ScreenGrab.h"
#include "tests/support/TestEnvironment.h"

namespace {

namespace fs = std::filesystem;
constexpr int kTimeoutMs = 60000;

// Pixels of the screen that are neither the server's black background nor pure white.
int64_t paintedPixels(const QImage& picture)
{
    int64_t count = 0;
    for (int y = 0; y < picture.height(); y += 2)
        for (int x = 0; x < picture.width(); x += 2) {
            const QRgb pixel = picture.pixel(x, y) & 0xFFFFFFu;
            count += pixel != 0 && pixel != 0xFFFFFFu;
        }
    return count * 4;
}

void keep(const fs::path& png, const char* name)
{
    const fs::path kept = vx::test::screenshotFolder();
    std::error_code ignored;
    fs::copy_file(png, kept / name, fs::copy_options::overwrite_existing, ignored);
}

// The editor as a person starts it: behind its splash screen, then the main window with
// its ribbon and seven panes.
TEST(CMainFrameScreenshot, TheMainWindowShowsItsRibbonAndSevenPanes)
{
    const fs::path editor = vx::test::programPath("VX-Editor");
    ASSERT_TRUE(fs::exists(editor)) << editor;
    vx::test::XvfbSession x(1024, 768);
    ASSERT_TRUE(x.isRunning());
    const pid_t pid = x.start({editor.string()});
    ASSERT_GT(pid, 0);
    ASSERT_NE(x.waitForWindow("VX-Editor", kTimeoutMs), 0ul);

    vx::test::TempDir dir;
    const fs::path png = dir / "editor.png";
    // Most of the screen is the window's own face once it has painted.
    const int64_t wanted = 1024 * 768 / 2;
    const QImage shot = vx::test::grabUntil(x, png, [&](const QImage& picture) {
        return paintedPixels(picture) >= wanted && x.waitForWindow("VX-Editor", 0) != 0;
    });
    EXPECT_GE(paintedPixels(shot), wanted) << "screenshot at " << png;
    keep(png, "editor_main_window.png");
    ::kill(pid, SIGTERM);
    EXPECT_NE(x.wait(pid, kTimeoutMs), -1);
}

} // namespace
