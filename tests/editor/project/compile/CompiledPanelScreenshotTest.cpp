// The sample project of every object type, compiled by vx-compile and run by VX-Engine
// on a private X server: the engine's window shows the start page.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <optional>
#include <thread>
#include <vector>

#include "foundation/image/CWinFreeImage.h"
#include "platform/gfx/Point.h"
#include "platform/gfx/Rect.h"
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

// The fixture project compiled by vx-compile into folder/panel.ddd and shown by the
// engine on the X server; whether its window came up.
bool compileAndShow(vx::test::XvfbSession& x, const std::string& fixture, const std::filesystem::path& folder)
{
    const std::string command = "'" + vx::test::programPath("vx-compile").string() + "' '"
        + vx::test::fixturePath(fixture).string() + "' '" + (folder / "panel.ddd").string() + "' > /dev/null";
    if (std::system(command.c_str()) != 0 || !x.isRunning())
        return false;
    return x.start({vx::test::programPath("VX-Engine").string(), (folder / "panel.ddd").string()}) > 0
        && x.waitForWindow("VX-Engine", kTimeoutMs) != 0;
}

TEST(CompiledPanelScreenshot, TheEngineShowsTheStartPageOfTheCompiledProject)
{
    vx::test::TempDir dir;
    vx::test::XvfbSession x;
    ASSERT_TRUE(compileAndShow(x, "project/every_object.xml", dir.path()));

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

// The page's top left corner on the screen: the first row and column of its grey.
std::optional<gfx::Point> pageOrigin(const gfx::ConstPixelBuffer& pixels)
{
    std::optional<gfx::Point> origin;
    for (int32_t y = 0; y < pixels.height; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(pixels.row(y));
        for (int32_t x = 0; x < pixels.width; ++x) {
            const uint32_t rgb = row[x] & 0xFFFFFF;
            if (rgb != kPremultipliedGrey && rgb != kGrey)
                continue;
            if (!origin)
                origin = gfx::Point{x, y};
            origin->x = std::min(origin->x, x);
        }
    }
    return origin;
}

// Pixels of the text colour (red, the edges of the strokes aside) inside a rectangle of the page.
int64_t redInk(const gfx::ConstPixelBuffer& pixels, gfx::Point origin, const gfx::Rect& onPage)
{
    int64_t count = 0;
    for (int32_t y = onPage.top; y < onPage.bottom; ++y) {
        if (origin.y + y < 0 || origin.y + y >= pixels.height)
            continue;
        const auto* row = reinterpret_cast<const uint32_t*>(pixels.row(origin.y + y));
        for (int32_t x = onPage.left; x < onPage.right; ++x) {
            if (origin.x + x < 0 || origin.x + x >= pixels.width)
                continue;
            const uint32_t pixel = row[origin.x + x];
            count += (pixel >> 16 & 0xFF) > 200 && (pixel >> 8 & 0xFF) < 60 && (pixel & 0xFF) < 60;
        }
    }
    return count;
}

TEST(CompiledPanelScreenshot, TextObjectsFieldsAndListsShowTheirTextInItsColour)
{
    vx::test::TempDir dir;
    vx::test::XvfbSession x;
    ASSERT_TRUE(compileAndShow(x, "project/text_in_red.xml", dir.path()));

    // The objects of the project, as its document places them.
    struct Probe {
        const char* object;
        gfx::Rect rect;
    };
    const Probe probes[] = {
        {"text", {100, 100, 300, 160}}, {"numeric field", {100, 220, 300, 280}}, {"list box", {400, 100, 600, 400}}};
    constexpr int64_t kInk = 20;
    const std::filesystem::path png = dir / "text.png";
    std::vector<int64_t> ink(std::size(probes), -1);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kTimeoutMs);
    while (std::chrono::steady_clock::now() < deadline) {
        CWinFreeImage shot;
        if (x.grab(png) && shot.Load(png, 0, 0)) {
            const gfx::Surface surface = shot.ToSurface();
            const gfx::ConstPixelBuffer pixels = surface.pixels();
            if (const std::optional<gfx::Point> origin = pageOrigin(pixels))
                for (std::size_t i = 0; i < std::size(probes); ++i)
                    ink[i] = redInk(pixels, *origin, probes[i].rect);
            if (std::all_of(ink.begin(), ink.end(), [](int64_t count) { return count >= kInk; }))
                break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
    }
    for (std::size_t i = 0; i < std::size(probes); ++i)
        EXPECT_GE(ink[i], kInk) << probes[i].object << ": screenshot kept at " << png;
    std::error_code ignored;
    std::filesystem::copy_file(png, vx::test::screenshotFolder() / "compiled_text_in_red.png",
                               std::filesystem::copy_options::overwrite_existing, ignored);
}

} // namespace
