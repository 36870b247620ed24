// The sample project of every object type, compiled by vx-compile and run by VX-Engine
// on a private X server: the engine's window shows the start page.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "foundation/image/CWinFreeImage.h"
#include "platform/gfx/Surface.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/XvfbSession.h"

namespace {

constexpr int kTimeoutMs = 30000;
// The start page's grey (0x808080), premultiplied by the default target flags.
constexpr uint32_t kPremultipliedGrey = 0x7F7F7F;
constexpr uint32_t kGrey = 0x808080;
constexpr int kPageWidth = 800;
constexpr int kPageHeight = 480;

// Pixels of the start page's background in a screenshot.
int64_t greyPixels(const std::filesystem::path& png)
{
    CWinFreeImage shot;
    if (!shot.Load(png, 0, 0))
        return -1;
    const gfx::Surface surface = shot.ToSurface();
    if (!surface.isValid())
        return -1;
    const gfx::ConstPixelBuffer pixels = surface.pixels();
    int64_t count = 0;
    for (int32_t y = 0; y < pixels.height; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(pixels.row(y));
        for (int32_t x = 0; x < pixels.width; ++x) {
            const uint32_t rgb = row[x] & 0xFFFFFF;
            count += rgb == kPremultipliedGrey || rgb == kGrey;
        }
    }
    return count;
}

TEST(CompiledPanelScreenshot, TheEngineShowsTheStartPageOfTheCompiledProject)
{
    vx::test::TempDir dir;
    const std::string command = "'" + vx::test::programPath("vx-compile").string() + "' '"
        + vx::test::fixturePath("project/every_object.xml").string() + "' '" + (dir / "panel.ddd").string()
        + "' > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);

    vx::test::XvfbSession x;
    ASSERT_TRUE(x.isRunning());
    const pid_t engine = x.start({vx::test::programPath("VX-Engine").string(), (dir / "panel.ddd").string()});
    ASSERT_GT(engine, 0);
    ASSERT_NE(x.waitForWindow("VX-Engine", kTimeoutMs), 0ul);

    // At least a quarter of the page shows its background, however much the objects cover.
    const std::filesystem::path png = dir / "panel.png";
    const int64_t wanted = int64_t(kPageWidth) * kPageHeight / 4;
    int64_t grey = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kTimeoutMs);
    while (std::chrono::steady_clock::now() < deadline) {
        if (x.grab(png) && (grey = greyPixels(png)) >= wanted)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
    }
    EXPECT_GE(grey, wanted) << "screenshot kept at " << png;
    // Kept beside the tests, so a person can look at the compiled panel.
    const std::filesystem::path kept = vx::test::screenshotFolder();
    std::error_code ignored;
    std::filesystem::copy_file(png, kept / "compiled_panel.png", std::filesystem::copy_options::overwrite_existing,
                               ignored);
}

} // namespace
