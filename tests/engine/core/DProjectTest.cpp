#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>

#include "engine/primitives/DBaseObject.h"
#include "engine/widgets/DCompositeObject.h"
#include "engine/render/DDisplay_Null.h"
#include "engine/core/DPage.h"
#include "engine/core/DProject.h"
#include "engine/render/DRendererBitmap.h"
#include "foundation/target/TargetImageWords.h"
#include "tests/support/engine/FakePlatform.h"
#include "tests/support/TargetBuilder.h"

using namespace target;
using vx::test::TargetBuilder;

namespace {

constexpr int32_t kWidth = 64, kHeight = 48;

// A touchable rectangle object: a page's widget that takes presses.
void touchArea(TargetBuilder::Page& page, uint32_t colour, int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    page.object(uint32_t(WidgetType::Rectangle), [&](DRIFFFile& file) {
        writeRecord(file, RectangleWords{colour});
        page.element(ElementKind::SolidRect, left, top, right, bottom, kElementFlagVisible | kElementFlagTouchable);
    });
}

class ProjectTest : public testing::Test {
protected:
    // Loads the bytes as the target file; the renderer draws a kWidth x kHeight target.
    int load(std::vector<uint8_t> bytes)
    {
        platform.fileBytes = std::move(bytes);
        EXPECT_EQ(display.open(&project, 640, 480), 0);
        return project.load(DString(u"memory.ddd"));
    }
    uint32_t pixel(int x, int y) { return reinterpret_cast<const uint32_t*>(display.targetBitmap()->row(y))[x]; }
    DRendererBitmap& renderer() { return static_cast<DRendererBitmap&>(*display.renderer()); }

    void TearDown() override { display.close(); }

    FakePlatform platform;
    DProject project{platform};
    DDisplay_Null display{0, DDisplay_Null::Drawing::Software};
};

// Pages: 0 Normal (red), 1 Global (base, a touch strip at the bottom), 2 Normal (green),
// 3 Dialog (blue square), 4 ScreenSaver.
std::vector<uint8_t> fivePages(uint32_t screenSaverTimeout = 0)
{
    TargetBuilder builder(kWidth, kHeight, 5);
    builder.header().basePagePlusOne = 2;
    builder.header().screenSaverPage = 4;
    builder.header().screenSaverTimeout = screenSaverTimeout;
    builder.page(uint32_t(PageType::Normal), -1, [](auto& page) {
        touchArea(page, 0xFFFF0000, 0, 0, kWidth, 20);
        page.backgroundColour(0xFF800000, kWidth, kHeight);
    });
    builder.page(uint32_t(PageType::Global), -1,
                 [](auto& page) { touchArea(page, 0xFF00FFFF, 0, 40, kWidth, kHeight); });
    builder.page(uint32_t(PageType::Normal), -1, [](auto& page) { page.backgroundColour(0xFF00FF00, kWidth, 40); });
    builder.page(uint32_t(PageType::Dialog), -1, [](auto& page) { touchArea(page, 0xFF0000FF, 10, 10, 20, 20); });
    builder.page(uint32_t(PageType::ScreenSaver), -1,
                 [](auto& page) { page.backgroundColour(0xFF000000, kWidth, kHeight); });
    return builder.finish();
}

} // namespace

TEST_F(ProjectTest, LoadShowsTheStartPageOverTheBasePage)
{
    ASSERT_EQ(load(fivePages()), 0);
    EXPECT_EQ(display.size(), (DSize{kWidth, kHeight}));
    ASSERT_NE(project.basePage(), nullptr);
    EXPECT_EQ(project.basePage()->type(), uint32_t(DPage::Global));
    EXPECT_EQ(project.currentIndex(), 0);
    project.render();
    EXPECT_TRUE(project.dirtyRectangles().empty());
    EXPECT_EQ(pixel(5, 5), 0xFFFF0000u);   // the touch area of page 0
    EXPECT_EQ(pixel(5, 30), 0xFF800000u);  // its background
    // The base page draws first, so the current page's background covers its strip.
    EXPECT_EQ(pixel(5, 45), 0xFF800000u);
    ASSERT_EQ(display.presented().size(), 1u);
    EXPECT_EQ(display.presented()[0], (DRect{0, 0, kWidth - 1, kHeight - 1}));

    // Only what changed is redrawn and presented; a frame without changes presents nothing.
    project.render();
    EXPECT_EQ(display.presented().size(), 1u);
    project.invalidate({3, 4, 9, 12});
    project.render();
    ASSERT_EQ(display.presented().size(), 2u);
    EXPECT_EQ(display.presented()[1], (DRect{3, 4, 9, 12}));
}

TEST_F(ProjectTest, PageRequestsSkipTheBasePageAndStopAtTheEnds)
{
    ASSERT_EQ(load(fivePages()), 0);
    project.showPage(-1, DProject::Jump::Relative); // before page 0: stays
    EXPECT_EQ(project.currentIndex(), 0);
    project.showPage(1, DProject::Jump::Absolute); // the base page itself: ignored
    EXPECT_EQ(project.currentIndex(), 0);
    project.showPage(1, DProject::Jump::Relative); // skips the base page
    EXPECT_EQ(project.currentIndex(), 2);
    project.showPage(3, DProject::Jump::Relative); // beyond the last page: stays
    EXPECT_EQ(project.currentIndex(), 2);
    project.showPage(-7, DProject::Jump::Absolute);
    EXPECT_EQ(project.currentIndex(), 2);
}

TEST_F(ProjectTest, DialogTakesOnlyAReturnAndBlocksThePageUnderIt)
{
    ASSERT_EQ(load(fivePages()), 0);
    project.showPage(3, DProject::Jump::Absolute);
    ASSERT_TRUE(project.currentPage()->isPopup());
    EXPECT_EQ(project.previousIndex(), 0);
    EXPECT_EQ(project.currentPage()->pageUnder(), project.page(0)); // the page under is drawn too
    project.render();
    EXPECT_EQ(pixel(15, 15), 0xFF0000FFu);
    EXPECT_EQ(pixel(5, 5), 0xFFFF0000u);

    project.showPage(1, DProject::Jump::Relative); // ignored while the dialog is up
    EXPECT_EQ(project.currentIndex(), 3);

    // A touch on the page under the dialog does nothing.
    project.onPointerDown({5, 5});
    project.onPointerUp({5, 5});
    EXPECT_EQ(project.page(0)->capture(), nullptr);
    // The dialog's own square takes the press.
    project.onPointerDown({15, 15});
    EXPECT_NE(project.currentPage()->capture(), nullptr);
    project.onPointerUp({15, 15});
    EXPECT_EQ(project.currentPage()->capture(), nullptr);

    project.showPage(0, DProject::Jump::Absolute); // the previous index closes it
    EXPECT_EQ(project.currentIndex(), 0);
    EXPECT_FALSE(project.currentPage()->widgets().empty()); // not read again: still shown
    EXPECT_EQ(project.page(3)->pageUnder(), nullptr);
}

// Pages: 0 Normal (a red strip over its background), 1 Window (a blue square).
std::vector<uint8_t> pageAndWindow()
{
    TargetBuilder builder(kWidth, kHeight, 2);
    builder.page(uint32_t(PageType::Normal), -1, [](auto& page) {
        touchArea(page, 0xFFFF0000, 0, 0, kWidth, 20);
        page.backgroundColour(0xFF800000, kWidth, kHeight);
    });
    builder.page(uint32_t(PageType::Window), -1, [](auto& page) { touchArea(page, 0xFF0000FF, 10, 10, 20, 20); });
    return builder.finish();
}

TEST_F(ProjectTest, AWindowLiesOverThePageUnderItWhichStillTakesPresses)
{
    ASSERT_EQ(load(pageAndWindow()), 0);
    project.render();
    project.showPage(1, DProject::Jump::Absolute);
    DPage& window = *project.currentPage();
    ASSERT_EQ(window.pageUnder(), project.page(0));
    EXPECT_EQ(window.widgetCount(), window.widgets().size() + project.page(0)->widgets().size());
    EXPECT_EQ(window.widgetAt(window.widgets().size()), project.page(0)->widgets()[0]);
    project.render();
    EXPECT_EQ(pixel(15, 15), 0xFF0000FFu); // the window over the strip
    EXPECT_EQ(pixel(40, 5), 0xFFFF0000u);  // the strip beside it
    EXPECT_EQ(pixel(40, 30), 0xFF800000u); // the background under both

    // A press beside the window reaches the strip of the page under it.
    project.onPointerDown({40, 5});
    ASSERT_NE(window.capture(), nullptr);
    EXPECT_EQ(window.capture()->owner()->page(), project.page(0));
    project.onPointerUp({40, 5});
    EXPECT_EQ(window.capture(), nullptr);

    project.showPage(0, DProject::Jump::Absolute); // closes the window over the page still shown
    EXPECT_EQ(project.currentPage(), project.page(0));
    EXPECT_EQ(window.pageUnder(), nullptr);
    EXPECT_FALSE(project.page(0)->widgets().empty());
    project.render();
    EXPECT_EQ(pixel(15, 15), 0xFFFF0000u);
}

TEST_F(ProjectTest, PressesReachThePageOnTopThenTheBasePage)
{
    ASSERT_EQ(load(fivePages()), 0);
    project.onPointerDown({5, 5});
    EXPECT_EQ(project.focusPage(), project.currentPage());
    EXPECT_NE(project.currentPage()->capture(), nullptr);
    project.onPointerUp({5, 5});
    project.onPointerDown({5, 45}); // only the base page's strip is touchable there
    EXPECT_EQ(project.focusPage(), project.basePage());
    EXPECT_NE(project.basePage()->capture(), nullptr);
    project.onPointerUp({5, 45});
    EXPECT_EQ(project.basePage()->capture(), nullptr);
}

TEST_F(ProjectTest, ScreenSaverComesAfterTheTimeOutAndGoesAtTheFirstTouch)
{
    ASSERT_EQ(load(fivePages(1000)), 0);
    project.tickTime(platform.now + 999);
    EXPECT_EQ(project.currentIndex(), 0);
    project.tickTime(platform.now + 1001);
    EXPECT_EQ(project.currentIndex(), 4);
    project.onKeyDown(13);
    EXPECT_EQ(project.currentIndex(), 0);
}

TEST_F(ProjectTest, ImagesUsedOnlyByTheOldPageAreFreedAtASwitch)
{
    TargetBuilder builder(kWidth, kHeight, 3);
    const std::vector<uint32_t> red(kWidth * kHeight, 0xFFFF0000), green(kWidth * kHeight, 0xFF00FF00),
        half(4, 0x80000080);
    const uint32_t first = builder.image(kWidth, kHeight, red);
    const uint32_t second = builder.image(kWidth, kHeight, green, ImageCompression::None);
    const uint32_t base = builder.image(2, 2, half);
    builder.header().basePagePlusOne = 3;
    builder.page(uint32_t(PageType::Normal), -1, [&](auto& page) { page.backgroundImage(first, kWidth, kHeight); });
    builder.page(uint32_t(PageType::Normal), -1, [&](auto& page) { page.backgroundImage(second, kWidth, kHeight); });
    builder.page(uint32_t(PageType::Global), -1, [&](auto& page) {
        page.object(uint32_t(WidgetType::StaticImage), [&](DRIFFFile& file) {
            writeRecord(file, StaticImageWords{base});
            page.element(ElementKind::UnscaledBitmap, 0, 0, 2, 2, kElementFlagVisible);
        });
    });
    ASSERT_EQ(load(builder.finish()), 0);
    project.render();
    // The base page's half-transparent corner lies under the opaque page background.
    EXPECT_EQ(pixel(0, 0), 0xFFFF0000u);
    EXPECT_TRUE(renderer().holds(first));
    EXPECT_TRUE(renderer().holds(base));
    project.showPage(1, DProject::Jump::Absolute);
    project.render();
    EXPECT_EQ(pixel(10, 10), 0xFF00FF00u);
    EXPECT_FALSE(renderer().holds(first));
    EXPECT_TRUE(renderer().holds(base));
}

TEST_F(ProjectTest, RecordsWithoutAWidgetClassKeepTheNumbersOfTheRest)
{
    TargetBuilder builder(kWidth, kHeight, 1);
    builder.page(uint32_t(PageType::Normal), -1, [](auto& page) {
        page.object(uint32_t(WidgetType::Window), [](DRIFFFile& file) { writeWord(file, 0xDEADBEEF); });
        touchArea(page, 0xFF112233, 0, 0, 8, 8);
        page.backgroundColour(0xFF000000, kWidth, kHeight);
    });
    ASSERT_EQ(load(builder.finish()), 0);
    const auto& widgets = project.currentPage()->widgets();
    ASSERT_EQ(widgets.size(), 3u);
    EXPECT_EQ(widgets[0], nullptr);
    ASSERT_NE(widgets[1], nullptr);
    EXPECT_EQ(widgets[1]->index(), 1);
    EXPECT_EQ(widgets[2]->typeId(), uint32_t(WidgetType::Rectangle));
}

TEST_F(ProjectTest, APageThatCannotBeReadStillTakesTheOldPagesPlace)
{
    std::vector<uint8_t> bytes = fivePages();
    // Page 2's chunk id (the third "page" chunk of the file) no longer says "page".
    const std::array<uint8_t, 4> id = {'p', 'a', 'g', 'e'};
    auto at = bytes.begin();
    for (int seen = 0; seen < 3; ++seen)
        at = std::search(seen ? at + 1 : at, bytes.end(), id.begin(), id.end());
    ASSERT_NE(at, bytes.end());
    at[3] = 'X';
    ASSERT_EQ(load(std::move(bytes)), 0);
    ASSERT_FALSE(project.page(0)->widgets().empty());
    project.showPage(2, DProject::Jump::Absolute);
    EXPECT_EQ(project.currentIndex(), 2);
    EXPECT_TRUE(project.page(0)->widgets().empty()); // hidden, not left bound under the empty page
    EXPECT_FALSE(project.basePage()->widgets().empty());
    project.render();
    EXPECT_EQ(pixel(5, 45), 0xFF00FFFFu); // only the base page's strip is drawn
    project.showPage(0, DProject::Jump::Absolute);
    project.render();
    EXPECT_EQ(pixel(5, 5), 0xFFFF0000u);
}

TEST(DProjectDirty, InvalidateMergesWhatMeets)
{
    FakePlatform platform;
    DProject project(platform);
    project.invalidate({0, 0, 9, 9});
    project.invalidate({20, 0, 29, 9});
    EXPECT_EQ(project.dirtyRectangles().size(), 2u);
    project.invalidate({9, 0, 20, 0}); // meets both: one rectangle remains
    ASSERT_EQ(project.dirtyRectangles().size(), 1u);
    EXPECT_EQ(project.dirtyRectangles()[0], (DRect{0, 0, 29, 9}));
}

TEST_F(ProjectTest, MalformedFilesNeverCrashTheReader)
{
    const std::vector<uint8_t> good = fivePages();
    // Every truncation, then deterministic byte damage.
    for (std::size_t length = 0; length < good.size(); length += 3) {
        FakePlatform local;
        local.fileBytes.assign(good.begin(), good.begin() + std::ptrdiff_t(length));
        DRendererBitmap target;
        DProject damaged(local);
        ASSERT_EQ(target.init(nullptr, &damaged, kWidth, kHeight), 0);
        (void)damaged.attach(&target, nullptr);
        testing::internal::CaptureStdout();
        (void)damaged.load(DString(u"cut.ddd"));
        testing::internal::GetCapturedStdout();
        damaged.render();
    }
    std::mt19937 random(7);
    for (int round = 0; round < 300; ++round) {
        FakePlatform local;
        local.fileBytes = good;
        for (int flips = 0; flips < 4; ++flips)
            local.fileBytes[random() % good.size()] = uint8_t(random());
        DRendererBitmap target;
        DProject damaged(local);
        ASSERT_EQ(target.init(nullptr, &damaged, kWidth, kHeight), 0);
        (void)damaged.attach(&target, nullptr);
        testing::internal::CaptureStdout();
        if (damaged.load(DString(u"damaged.ddd")) == 0) {
            damaged.render();
            damaged.onPointerDown({15, 15});
            damaged.onPointerUp({15, 15});
            damaged.showPage(1, DProject::Jump::Relative);
            damaged.tickTime(local.now + 5000);
            damaged.render();
        }
        testing::internal::GetCapturedStdout();
    }
}
