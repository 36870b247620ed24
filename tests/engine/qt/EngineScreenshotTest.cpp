// What a person sees: the engine started for real on a private X server.
#include <gtest/gtest.h>

#include <QImage>

#include "foundation/target/TargetBytes.h"
#include "tests/support/ScreenGrab.h"
#include "tests/support/TargetBuilder.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/XvfbSession.h"

namespace {

using vx::test::grabUntil;

std::string enginePath()
{
    return vx::test::programPath("VX-Engine").string();
}

} // namespace

TEST(EngineScreenshot, MissingFileShowsTheWindowAndTheFailureBox)
{
    vx::test::XvfbSession x(1024, 768);
    ASSERT_TRUE(x.isRunning());
    vx::test::TempDir dir;
    const pid_t engine = x.start({enginePath(), "-W", "800", "-H", "600", "/no/such.ddd"});
    ASSERT_GT(engine, 0);
    // The message box (light face with the error icon's red) stands in the window.
    const QImage shot = grabUntil(x, dir / "shot.png", [](const QImage& image) {
        for (int y = 0; y < image.height(); y += 2)
            for (int x = 0; x < image.width(); x += 2) {
                const QRgb pixel = image.pixel(x, y);
                if (qRed(pixel) > 200 && qGreen(pixel) < 60 && qBlue(pixel) < 60)
                    return true;
            }
        return false;
    });
    ASSERT_FALSE(shot.isNull());
    bool red = false;
    for (int y = 0; y < shot.height() && !red; ++y)
        for (int x = 0; x < shot.width() && !red; ++x) {
            const QRgb pixel = shot.pixel(x, y);
            red = qRed(pixel) > 200 && qGreen(pixel) < 60 && qBlue(pixel) < 60;
        }
    EXPECT_TRUE(red) << "no error box on screen";
    EXPECT_EQ(x.wait(engine, 100), -1); // still waiting for the box to be closed
}

TEST(EngineScreenshot, StartPageOfATargetFileFillsTheWindow)
{
    using namespace target;
    vx::test::TargetBuilder builder(200, 120, 1);
    builder.page(uint32_t(PageType::Normal), -1, [](auto& page) {
        page.object(uint32_t(WidgetType::Rectangle), [&](DRIFFFile& file) {
            writeRecord(file, RectangleWords{0xFF0000FFu}); // a blue square in the middle
            page.element(ElementKind::SolidRect, 80, 40, 120, 80, kElementFlagVisible);
        });
        page.backgroundColour(0xFFFF0000u, 200, 120);
    });
    vx::test::TempDir dir;
    const auto bytes = builder.finish();
    vx::test::writeFile(dir / "panel.ddd", std::string(bytes.begin(), bytes.end()));

    vx::test::XvfbSession x(640, 480);
    ASSERT_TRUE(x.isRunning());
    const pid_t engine = x.start({enginePath(), (dir / "panel.ddd").string()});
    ASSERT_GT(engine, 0);
    auto count = [](const QImage& image, QRgb colour) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
        return n;
    };
    // The window's client area is the page size: 200 x 120 pixels, 40 x 40 of them blue.
    const QImage shot = grabUntil(x, dir / "shot.png", [&](const QImage& image) {
        return count(image, 0xFF0000FF) == 40 * 40;
    });
    EXPECT_EQ(count(shot, 0xFF0000FF), 40 * 40);
    EXPECT_EQ(count(shot, 0xFFFF0000), 200 * 120 - 40 * 40);
}
