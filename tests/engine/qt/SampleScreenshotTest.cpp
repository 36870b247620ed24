// What a person sees of the sample panel: VX-Engine started for real on a private X
// server with the sample file. The picture is kept as sample-page.png beside the test
// program for a person to look at.
#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <optional>

#include "tests/support/SampleTarget.h"
#include "tests/support/ScreenGrab.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/XvfbSession.h"

using namespace vx::test;

namespace {

using A = SampleAreas;
using C = SampleColours;

bool same(QRgb pixel, uint32_t argb)
{
    return (pixel & 0xFFFFFF) == (argb & 0xFFFFFF);
}

// Where the page's top-left lies on the screen: found by the one orange rectangle.
std::optional<QPoint> pageOrigin(const QImage& shot)
{
    int count = 0;
    std::optional<QPoint> first;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            if (same(shot.pixel(x, y), C::rectangle)) {
                if (!first)
                    first = QPoint(x, y);
                ++count;
            }
    if (!first || count != A::rectangle.width() * A::rectangle.height())
        return std::nullopt;
    return *first - QPoint(A::rectangle.left, A::rectangle.top);
}

// Pixels of an area of the page that satisfy a test.
template <class Test>
int countIn(const QImage& shot, QPoint origin, const SampleArea& area, Test&& test)
{
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            count += test(shot.pixel(origin.x() + x, origin.y() + y));
    return count;
}

int darkness(QRgb pixel)
{
    return 255 - (qRed(pixel) + qGreen(pixel) + qBlue(pixel)) / 3;
}

std::filesystem::path keptPicture()
{
    return vx::test::screenshotFolder() / "sample-page.png";
}

} // namespace

TEST(SampleScreenshot, TheEngineShowsTheSamplePage)
{
    TempDir dir;
    const std::vector<uint8_t> bytes = SampleTarget::build();
    ASSERT_FALSE(bytes.empty());
    writeFile(dir / "sample.ddd", std::string(bytes.begin(), bytes.end()));

    XvfbSession x(1024, 768);
    ASSERT_TRUE(x.isRunning());
    const pid_t engine = x.start({programPath("VX-Engine").string(), (dir / "sample.ddd").string()});
    ASSERT_GT(engine, 0);

    // Ready once the start values have been drawn (the colour bar stands at 40 of 100) and
    // the trend has sampled for a few seconds.
    const SampleArea bar = A::colourBar;
    const auto trendLine = [](QRgb p) { return same(p, C::trendLine); };
    const QImage shot = grabUntil(x, dir / "screen.png", [&](const QImage& image) {
        const std::optional<QPoint> origin = pageOrigin(image);
        return origin &&
               same(image.pixel(*origin + QPoint(bar.left + 4, bar.bottom - bar.height() * 3 / 10)), C::colourBar) &&
               countIn(image, *origin, A::trend, trendLine) >= 100;
    });
    const std::optional<QPoint> found = pageOrigin(shot);
    ASSERT_TRUE(found) << "no sample page on the screen";
    const QPoint origin = *found;
    ASSERT_LE(origin.x() + A::kWidth, shot.width());
    ASSERT_LE(origin.y() + A::kHeight, shot.height());
    const QImage window = shot.copy(0, 0, origin.x() + A::kWidth, origin.y() + A::kHeight);
    EXPECT_TRUE(window.save(QString::fromStdString(keptPicture().string())));

    const auto at = [&](DPoint p) { return shot.pixel(origin.x() + p.x, origin.y() + p.y); };
    // The background between the cells and below the grid.
    EXPECT_TRUE(same(at({2, A::kHeight - 2}), C::background));
    EXPECT_TRUE(same(at({A::kWidth - 2, 20}), C::background));
    EXPECT_TRUE(same(at({A::cell(1, 1).left - 2, A::cell(1, 1).top + 30}), C::background));
    // Every cell's panel shows at its lower left corner.
    for (int row = 0; row < A::kRows; ++row)
        for (int column = 0; column < A::kColumns; ++column) {
            SCOPED_TRACE(testing::Message() << "cell " << column << ", " << row);
            const SampleArea c = A::cell(column, row);
            EXPECT_TRUE(same(at({c.left + 1, c.bottom - 2}), C::panel));
            // Its caption is text: dark pixels in the caption strip.
            const SampleArea caption{c.left + A::kInset, c.top + 2, c.right - A::kInset, c.top + 2 + A::kCaptionHeight};
            EXPECT_GT(countIn(shot, origin, caption, [](QRgb p) { return darkness(p) > 120; }), 40);
        }
    // Widgets in their places.
    EXPECT_TRUE(same(at(A::rectangle.centre()), C::rectangle));
    EXPECT_TRUE(same(at({bar.left + bar.width() / 2, bar.bottom - 2}), C::colourBar));
    EXPECT_FALSE(same(at({bar.left + bar.width() / 2, bar.top + 2}), C::colourBar));
    EXPECT_GT(countIn(shot, origin, A::meter, [](QRgb p) { return same(p, C::needle); }), 20);
    EXPECT_GE(countIn(shot, origin, A::trend, trendLine), 100);
    // Sky above the hills of the static image; blue faces on the "Next page" button.
    EXPECT_GT(qBlue(at(A::staticImage.at(4, 4))), 200);
    EXPECT_GT(countIn(shot, origin, A::nextPageButton, [](QRgb p) { return qBlue(p) > 150 && qRed(p) < 80; }), 2000);
    // Texts drawn at run time from the font chunk: the fields' numbers and strings.
    for (const SampleArea& field : {A::numeric, A::text, A::dateTime, A::timerCount, A::textEntry})
        EXPECT_GT(countIn(shot, origin, field, [](QRgb p) { return darkness(p) > 160; }), 30);
    EXPECT_GT(countIn(shot, origin, A::dynamicListbox, [](QRgb p) { return darkness(p) > 120; }), 60);
    EXPECT_EQ(x.wait(engine, 100), -1); // still running
}
