// What a person sees of the tags window: the sample written by vx-sample-target (target
// file and tags file), VX-Engine started for real on a private X server, Ctrl+T, a value
// typed into the "Tags" window, and the panel's widget following it. The pictures are
// kept as tags-window.png and tags-typed.png beside the test program.
#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sys/wait.h>

#include "engine/tagmonitor/CTagsFile.h"
#include "engine/tagmonitor/qt/CDlgTags.h"
#include "tests/support/SampleTarget.h"
#include "tests/support/ScreenGrab.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/XvfbSession.h"

using namespace vx::test;

namespace {

using A = SampleAreas;
using C = SampleColours;

constexpr int kTimeoutMs = 30000;
constexpr uint32_t kGridLine = 0xC0C0C0;
// Where the tags window is put: right of the panel, tall enough for every row.
constexpr int kTagsLeft = 820, kTagsWidth = 520, kTagsHeight = 740;
// Rows of the sample's tags file (1 is the first below the header).
constexpr int kNumericRow = 11, kColourBarRow = 15;

bool same(QRgb pixel, uint32_t rgb)
{
    return (pixel & 0xFFFFFF) == (rgb & 0xFFFFFF);
}

int darkness(QRgb pixel)
{
    return 255 - (qRed(pixel) + qGreen(pixel) + qBlue(pixel)) / 3;
}

std::filesystem::path kept(const char* name)
{
    return vx::test::screenshotFolder() / name;
}

// The panel's top-left on the screen, found by its one orange rectangle.
std::optional<QPoint> panelOrigin(const QImage& shot)
{
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < std::min(shot.width(), kTagsLeft); ++x)
            if (same(shot.pixel(x, y), C::rectangle))
                return QPoint(x - A::rectangle.left, y - A::rectangle.top);
    return std::nullopt;
}

// The grid of the tags window as the screen shows it: the header's bottom line and the
// right edges of the four columns.
struct GridOnScreen {
    int headerLine = -1;
    std::vector<int> columnEdges;
    int rowCentre(int row) const { return headerLine + 1 + (row - 1) * CDlgTags::kRowHeight + CDlgTags::kRowHeight / 2; }
    QRect valueCell(int row) const
    {
        return QRect(columnEdges[2] + 1, rowCentre(row) - CDlgTags::kRowHeight / 2 + 1,
                     columnEdges[3] - columnEdges[2] - 1, CDlgTags::kRowHeight - 2);
    }
};

std::optional<GridOnScreen> findGrid(const QImage& shot)
{
    GridOnScreen grid;
    for (int y = 0; y < shot.height() && grid.headerLine < 0; ++y) {
        int run = 0;
        for (int x = kTagsLeft; x < shot.width(); ++x) {
            run = same(shot.pixel(x, y), kGridLine) ? run + 1 : 0;
            if (run >= 300) {
                grid.headerLine = y;
                break;
            }
        }
    }
    if (grid.headerLine < 0)
        return std::nullopt;
    const int y = grid.rowCentre(1);
    for (int x = kTagsLeft; x < shot.width(); ++x)
        if (same(shot.pixel(x, y), kGridLine) && same(shot.pixel(x, y - 5), kGridLine) &&
            same(shot.pixel(x, y + 5), kGridLine))
            grid.columnEdges.push_back(x);
    if (grid.columnEdges.size() < 4)
        return std::nullopt;
    return grid;
}

int darkPixels(const QImage& shot, const QRect& area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += darkness(shot.pixel(x, y)) > 120;
    return count;
}

} // namespace

TEST(TagsScreenshot, CtrlTShowsLiveValuesAndATypedValueChangesThePanel)
{
    TempDir dir;
    const std::string tool = programPath("vx-sample-target").string() + " " + (dir / "sample.ddd").string();
    const int status = std::system(tool.c_str());
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    // The tool writes the tags file beside the target file.
    const std::string tags = readFile(dir / "sample.dtags");
    EXPECT_EQ(CTagsFile::read({reinterpret_cast<const uint8_t*>(tags.data()), tags.size()}, 8192).size(), 26u);

    XvfbSession x(1600, 900);
    ASSERT_TRUE(x.isRunning());
    const pid_t engine = x.start({programPath("VX-Engine").string(), (dir / "sample.ddd").string()});
    ASSERT_GT(engine, 0);
    const unsigned long main = x.waitForWindow("VX-Engine", kTimeoutMs);
    ASSERT_NE(main, 0u);
    ASSERT_TRUE(x.xdotool({"windowmove", std::to_string(main), "0", "0"}));
    ASSERT_TRUE(x.sendKey(main, "ctrl+t"));
    const unsigned long window = x.waitForWindow("Tags", kTimeoutMs);
    ASSERT_NE(window, 0u) << "no window titled \"Tags\"";
    ASSERT_TRUE(x.xdotool({"windowmove", std::to_string(window), std::to_string(kTagsLeft), "0"}));
    ASSERT_TRUE(x.xdotool({"windowsize", std::to_string(window), std::to_string(kTagsWidth),
                           std::to_string(kTagsHeight)}));

    // Live values: the numeric field's 1234 in its Value cell, not the "-" of before.
    std::optional<GridOnScreen> grid;
    QImage shot = grabUntil(x, dir / "screen.png", [&](const QImage& image) {
        grid = findGrid(image);
        return grid && grid->rowCentre(kColourBarRow) < image.height() &&
            darkPixels(image, grid->valueCell(kNumericRow)) > 20 && panelOrigin(image);
    });
    EXPECT_TRUE(shot.save(QString::fromStdString(kept("tags-window.png").string())));
    ASSERT_TRUE(grid) << "no tags grid on the screen";
    // The Size column is 35 pixels wide and the Value column 180.
    EXPECT_EQ(grid->columnEdges[2] - grid->columnEdges[1], 35);
    EXPECT_EQ(grid->columnEdges[3] - grid->columnEdges[2], 180);
    EXPECT_GT(darkPixels(shot, grid->valueCell(kNumericRow)), 20);
    const std::optional<QPoint> origin = panelOrigin(shot);
    ASSERT_TRUE(origin) << "no sample panel on the screen";
    // The colour bar stands at 40 of 100.
    const SampleArea bar = A::colourBar;
    const QPoint high = *origin + QPoint(bar.left + bar.width() / 2, bar.bottom - bar.height() * 85 / 100);
    EXPECT_FALSE(same(shot.pixel(high), C::colourBar));

    // Typed into the colour bar's Value cell: the bar rises on the panel.
    const QPoint cell = grid->valueCell(kColourBarRow).center();
    ASSERT_TRUE(x.xdotool({"mousemove", std::to_string(cell.x()), std::to_string(cell.y()), "click", "1"}));
    for (const char* key : {"9", "0", "Return"})
        ASSERT_TRUE(x.sendKey(window, key));
    shot = grabUntil(x, dir / "screen.png", [&](const QImage& image) { return same(image.pixel(high), C::colourBar); });
    EXPECT_TRUE(shot.save(QString::fromStdString(kept("tags-typed.png").string())));
    EXPECT_TRUE(same(shot.pixel(high), C::colourBar)) << "the colour bar did not follow the typed value";
    EXPECT_EQ(x.wait(engine, 100), -1); // still running
}
