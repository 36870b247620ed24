#include <gtest/gtest.h>

#include <QImage>
#include <chrono>
#include <filesystem>

#include "diagram/CDiagramEntityContainer.h"
#include "editor/views/page/DDiagramEditor.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Surface.h"
#include "tests/support/TestEnvironment.h"

namespace {

constexpr uint32_t kDark = 0xFF808080;
constexpr uint32_t kLight = 0xFFC0C0C0;
constexpr uint32_t kGridDot = 0xFF102030;

// A 40 x 30 page, grid step 10, zoom 1: cells start at 0, 10, 20 ...
class PageCanvas : public testing::Test {
protected:
    PageCanvas()
    {
        container.SetPaperSize(40, 30);
        canvas.Create(&container, nullptr, {60, 50});
        canvas.SetGridSize({10, 10});
        canvas.SetGridColour(gfx::Colour::fromArgb(kGridDot));
        canvas.SetGridVisible(Toggle::Off);
        // Red as the editor stores it.
        canvas.SetPaperColour(gfx::Colour::fromColorRef(0x0000FF));
    }
    gfx::Surface paint()
    {
        gfx::Surface surface(60, 50);
        gfx::DeviceContext dc(surface);
        canvas.Paint(dc);
        return surface;
    }

    CDiagramEntityContainer container;
    DDiagramEditor canvas;
};

TEST_F(PageCanvas, FullyTransparentShowsOnlyTheCheckerboard)
{
    canvas.SetBackgroundTransparency(255);
    const gfx::Surface s = paint();
    EXPECT_EQ(s.pixel(5, 5), kDark);    // column 0, row 0
    EXPECT_EQ(s.pixel(15, 5), kLight);  // column 1, row 0
    EXPECT_EQ(s.pixel(15, 15), kDark);  // column 1, row 1
    EXPECT_EQ(s.pixel(35, 25), kLight); // column 3, row 2
}

TEST_F(PageCanvas, OpaqueThePageColourCoversItAndHalfwayItBlends)
{
    canvas.SetBackgroundTransparency(0);
    EXPECT_EQ(paint().pixel(5, 5), 0xFFFF0000u);
    canvas.SetBackgroundTransparency(128);
    const uint32_t blended = paint().pixel(5, 5);
    // 127/255 of red over the dark grey.
    EXPECT_NEAR(int(blended >> 16 & 0xFF), (255 * 127 + 0x80 * 128) / 255, 2);
    EXPECT_NEAR(int(blended & 0xFF), (0x80 * 128) / 255, 2);
    // Out of range is clamped.
    canvas.SetBackgroundTransparency(900);
    EXPECT_EQ(canvas.GetBackgroundTransparency(), 255);
}

TEST_F(PageCanvas, ABackgroundImageAtHalfTransparencyShowsTheCheckerboardAndNoPageColour)
{
    vx::test::TempDir dir;
    QImage green(8, 8, QImage::Format_RGB32);
    green.fill(QColor(0, 255, 0));
    ASSERT_TRUE(green.save(QString::fromStdString((dir / "back.png").string())));
    canvas.SetProjectFolder(dir.path());
    canvas.SetBackgroundImage(u"back.png");
    canvas.SetBackgroundTransparency(128);
    const uint32_t pixel = paint().pixel(5, 5);
    EXPECT_EQ(pixel >> 16 & 0xFF, 0x80u * 128 / 255 + 0) << std::hex << pixel;
    EXPECT_NEAR(int(pixel >> 8 & 0xFF), (255 * 127 + 0x80 * 128) / 255, 3);
    // A file that is not there paints the page colour instead, unreported.
    canvas.SetBackgroundImage(u"missing.png");
    canvas.SetBackgroundTransparency(0);
    EXPECT_EQ(paint().pixel(5, 5), 0xFFFF0000u);
}

TEST_F(PageCanvas, ABackgroundImageThatChangesOnDiskIsReadAgain)
{
    vx::test::TempDir dir;
    const auto save = [&](QColor colour) {
        QImage picture(8, 8, QImage::Format_RGB32);
        picture.fill(colour);
        ASSERT_TRUE(picture.save(QString::fromStdString((dir / "back.png").string())));
    };
    save(QColor(0, 255, 0));
    canvas.SetProjectFolder(dir.path());
    canvas.SetBackgroundImage(u"back.png");
    EXPECT_EQ(paint().pixel(5, 5), 0xFF00FF00u);
    EXPECT_EQ(paint().pixel(5, 5), 0xFF00FF00u);
    const auto written = std::filesystem::last_write_time(dir / "back.png");
    save(QColor(255, 0, 0));
    std::filesystem::last_write_time(dir / "back.png", written + std::chrono::seconds(2));
    EXPECT_EQ(paint().pixel(5, 5), 0xFFFF0000u);
    // Gone from disk: the page colour again.
    std::filesystem::remove(dir / "back.png");
    EXPECT_EQ(paint().pixel(5, 5), 0xFFFF0000u); // red is also the page colour here
    canvas.SetPaperColour(gfx::Colour::fromColorRef(0xFF0000));
    EXPECT_EQ(paint().pixel(5, 5), 0xFF0000FFu);
}

struct GridCase {
    int32_t style;
    bool dotAtGridPoint;
    bool lineBetweenPoints;
};

class PageGrid : public PageCanvas, public testing::WithParamInterface<GridCase> {};

TEST_P(PageGrid, DotsLinesOrNothing)
{
    canvas.SetBackgroundTransparency(0);
    canvas.SetGridVisible(Toggle::On);
    canvas.SetGridStyleCode(GetParam().style);
    const gfx::Surface s = paint();
    EXPECT_EQ(s.pixel(20, 10) == kGridDot, GetParam().dotAtGridPoint);
    EXPECT_EQ(s.pixel(20, 15) == kGridDot, GetParam().lineBetweenPoints);
    // Dots sit on every point up to the paper's far edge, both ends included.
    if (GetParam().style == 0) {
        EXPECT_EQ(s.pixel(40, 30), kGridDot);
        EXPECT_EQ(s.pixel(0, 0), kGridDot);
    }
}

INSTANTIATE_TEST_SUITE_P(Styles, PageGrid,
                         testing::Values(GridCase{0, true, false}, GridCase{1, true, true}, GridCase{2, false, false}));

} // namespace
