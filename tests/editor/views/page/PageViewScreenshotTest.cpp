// What a person sees of a page view: the test starts itself again on a private X
// server, where the second run shows a page window until it is stopped.
#include <gtest/gtest.h>

#include <QImage>
#include <QTest>
#include <chrono>
#include <filesystem>
#include <tuple>

#include "editor/objects/CObjectFonts.h"
#include "foundation/text/DRendererBitmap.h"
#include "tests/editor/views/page/PageViewHarness.h"
#include "tests/support/editor/FakeTheme.h"
#include "tests/support/ScreenGrab.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/XvfbSession.h"

namespace {

constexpr int32_t kText = 2;
constexpr int32_t kButton = 17;
constexpr int kTimeoutMs = 30000;

// Blue (stored 0xBBGGRR) at half transparency over the checkerboard's two greys.
constexpr uint32_t kBlue = 0xFF0000;
constexpr QRgb kOverDark = qRgb(0x40, 0x40, 0xBF);
constexpr QRgb kOverLight = qRgb(0x60, 0x60, 0xDF);
// The fake theme's frame of the button, and the white of the texts.
constexpr QRgb kButtonFrame = qRgb(0x20, 0x40, 0x80);
constexpr QRgb kWhite = qRgb(0xFF, 0xFF, 0xFF);

bool near(QRgb pixel, QRgb wanted)
{
    return std::abs(qRed(pixel) - qRed(wanted)) <= 3 && std::abs(qGreen(pixel) - qGreen(wanted)) <= 3 &&
           std::abs(qBlue(pixel) - qBlue(wanted)) <= 3;
}

int64_t count(const QImage& shot, QRgb wanted)
{
    int64_t found = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            found += near(shot.pixel(x, y), wanted);
    return found;
}

} // namespace

// Started by the screenshot test on its X server; runs until it is stopped.
TEST(PageViewOnScreen, DISABLED_ShowsAPage)
{
    vx::test::FakeThemes themes;
    themes.Add(u"Vista-like");
    foundation::DRendererBitmap renderer;
    renderer.textRenderer().enumFonts();
    CObjectFonts::Use(&renderer);
    {
        vx::test::PreviewWorker previews;
        vx::test::PageViewHarness h;
        h.page.SetBackgroundColor(kBlue);
        h.page.SetBackgroundTransparency(128);
        h.project.Settings().grid = true;
        for (const auto& [left, top, text] : {std::tuple{40, 40, u"Page view"}, std::tuple{500, 300, u"On screen"}}) {
            CEditorObject& label = h.AddObject(kText, left, top, 200, 60);
            label.GetFormat().FindProperty(u"Format", u"Text")->SetValue(CPropertyValue(u"DejaVu Sans"));
            label.GetFormat().FindProperty(u"Format", u"Size")->SetValue(CPropertyValue(24));
            label.FindProperty(u"Appearance", u"Text")->SetValue(CPropertyValue(text));
        }
        h.AddObject(kButton, 300, 120, 120, 80);
        h.Open(2, 840, 540);
        QTest::qWait(60000);
    }
    CObjectFonts::Use(nullptr);
}

TEST(PageViewScreenshot, APageWithItsPaperGridAndSelectionOnScreen)
{
    vx::test::XvfbSession x(1024, 768);
    ASSERT_TRUE(x.isRunning());
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    const pid_t child = x.start({self, "--gtest_filter=PageViewOnScreen.DISABLED_ShowsAPage",
                                 "--gtest_also_run_disabled_tests"});
    ASSERT_GT(child, 0);
    ASSERT_NE(x.waitForWindow("Page 1", kTimeoutMs), 0ul);

    vx::test::TempDir dir;
    const QImage shot = vx::test::grabUntil(x, dir / "page.png", [](const QImage& image) {
        return count(image, kOverDark) > 20000 && count(image, kOverLight) > 20000 &&
               count(image, kButtonFrame) > 5000 && count(image, kWhite) > 200;
    });
    ASSERT_FALSE(shot.isNull());
    // The page colour lies over both greys of the checkerboard, half and half.
    EXPECT_GT(count(shot, kOverDark), 20000);
    EXPECT_GT(count(shot, kOverLight), 20000);
    // The objects' pictures came from the worker and were drawn when they were ready.
    EXPECT_GT(count(shot, kButtonFrame), 5000);
    EXPECT_GT(count(shot, kWhite), 200);

    // Kept beside the tests, so a person can look at the page.
    const std::filesystem::path kept = vx::test::screenshotFolder();
    std::error_code ignored;
    std::filesystem::copy_file(dir / "page.png", kept / "page_view.png", std::filesystem::copy_options::overwrite_existing,
                               ignored);
}
