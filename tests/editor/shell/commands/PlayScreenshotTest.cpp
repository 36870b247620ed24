// Play on a private X server: the editor's command starts the engine as built, and the
// engine's window shows the compiled project's start page.

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <optional>

#include "tests/support/editor/DownloadPeer.h"
#include "tests/editor/shell/commands/FrameCommandsHarness.h"
#include "tests/support/ScreenGrab.h"
#include "tests/support/TestEnvironment.h"

namespace {

using vx::test::FrameCommandsHarness;
using vx::test::ScopedVariable;

constexpr int kTimeoutMs = 30000;
constexpr uint32_t kPageColour = 0x00C000; // green in either colour order

// The page's green, within a step or two of premultiplying and the server's depth.
int64_t pagePixels(const QImage& shot)
{
    int64_t count = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x) {
            const QRgb pixel = shot.pixel(x, y);
            count += qRed(pixel) < 8 && qBlue(pixel) < 8 && std::abs(qGreen(pixel) - 0xC0) < 8;
        }
    return count;
}

TEST(PlayScreenshot, TheEngineShowsTheStartPageOfThePlayedProject)
{
    const std::filesystem::path engine = vx::test::programPath("VX-Engine");
    ASSERT_TRUE(std::filesystem::exists(engine)) << engine << " is built with the engine";

    FrameCommandsHarness h;
    vx::test::TempDir temporary;
    // The Initial page is the start page, not the first one.
    h.project.AddPage().SetBackgroundColor(0x0000FF);
    h.project.AddPage(int32_t(target::PageType::Initial)).SetBackgroundColor(kPageColour);
    h.Settings().target.pageSize = u"320x240";
    h.commands.Target().SetProgramFolder(engine.parent_path());
    h.commands.Target().SetTemporaryFolder(temporary.path());

    vx::test::XvfbSession x;
    ASSERT_TRUE(x.isRunning());
    std::optional<pid_t> started;
    {
        const ScopedVariable display("DISPLAY", x.display());
        const ScopedVariable platform("QT_QPA_PLATFORM", "xcb");
        ASSERT_TRUE(h.Run(CommandId::Play));
        started = h.commands.Target().LastEnginePid();
    }
    ASSERT_TRUE(started) << std::string(h.editor.output.lines.back().text.begin(),
                                        h.editor.output.lines.back().text.end());
    const pid_t pid = *started;
    EXPECT_NE(x.waitForWindow("VX-Engine", kTimeoutMs), 0ul);

    const std::filesystem::path png = temporary / "play.png";
    const int64_t wanted = 320 * 240 * 3 / 4;
    const QImage shot = vx::test::grabUntil(x, png, [&](const QImage& picture) { return pagePixels(picture) >= wanted; });
    EXPECT_GE(pagePixels(shot), wanted) << "screenshot at " << png;
    const std::filesystem::path kept = vx::test::screenshotFolder();
    std::error_code ignored;
    std::filesystem::copy_file(png, kept / "play_engine.png", std::filesystem::copy_options::overwrite_existing,
                               ignored);

    // The editor does not wait for the engine, yet reaps it: no zombie is left.
    ASSERT_EQ(::kill(pid, SIGTERM), 0);
    EXPECT_TRUE(vx::test::WaitUntil([pid] { return ::kill(pid, 0) != 0 && errno == ESRCH; },
                                    std::chrono::milliseconds(kTimeoutMs)));
}

} // namespace
