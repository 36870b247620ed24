// The pages a file names to start with: a base page and a start page that are pop-ups
// or lie outside the page table still give a panel that runs and can be left.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "engine/render/DBitmap.h"
#include "engine/render/DDisplay_Null.h"
#include "engine/core/DPage.h"
#include "engine/core/DProject.h"
#include "foundation/target/TargetBytes.h"
#include "tests/support/engine/FakePlatform.h"
#include "tests/support/TargetBuilder.h"

using namespace target;
using vx::test::TargetBuilder;

namespace {

constexpr int32_t kWidth = 32, kHeight = 24;
constexpr uint32_t kNormalColour = 0xFF336699, kDialogColour = 0xFF0000FF, kOtherColour = 0xFF00FF00;
constexpr int32_t kNormal = 0, kDialog = 1, kGlobal = 2, kOther = 3;

// Pages: 0 Normal, 1 Dialog (a square), 2 Global (a strip at the bottom), 3 Normal.
std::vector<uint8_t> pages(uint32_t basePagePlusOne, int32_t startPage)
{
    TargetBuilder builder(kWidth, kHeight, 4);
    builder.header().basePagePlusOne = basePagePlusOne;
    builder.header().startPage = startPage;
    builder.page(uint32_t(PageType::Normal), -1,
                 [](auto& page) { page.backgroundColour(kNormalColour, kWidth, kHeight); });
    builder.page(uint32_t(PageType::Dialog), -1, [](auto& page) {
        page.object(uint32_t(WidgetType::Rectangle), [&](DRIFFFile& file) {
            writeRecord(file, RectangleWords{kDialogColour});
            page.element(ElementKind::SolidRect, 4, 4, 12, 12, kElementFlagVisible | kElementFlagTouchable);
        });
    });
    builder.page(uint32_t(PageType::Global), -1, [](auto& page) {
        page.object(uint32_t(WidgetType::Rectangle), [&](DRIFFFile& file) {
            writeRecord(file, RectangleWords{0xFFFFFF00u});
            page.element(ElementKind::SolidRect, 0, 20, kWidth, kHeight, kElementFlagVisible);
        });
    });
    builder.page(uint32_t(PageType::Normal), -1,
                 [](auto& page) { page.backgroundColour(kOtherColour, kWidth, 20); });
    return builder.finish();
}

class ProjectStartTest : public testing::Test {
protected:
    // Each case loads the bytes into a fresh project on the one display.
    DProject& load(std::vector<uint8_t> bytes)
    {
        display.close();
        project = std::make_unique<DProject>(platform);
        platform.fileBytes = std::move(bytes);
        EXPECT_EQ(display.open(project.get(), 640, 480), 0);
        testing::internal::CaptureStdout();
        EXPECT_EQ(project->load(DString(u"start.ddd")), 0);
        testing::internal::GetCapturedStdout();
        return *project;
    }
    uint32_t pixel(int x, int y) { return reinterpret_cast<const uint32_t*>(display.targetBitmap()->row(y))[x]; }
    void TearDown() override { display.close(); }

    FakePlatform platform;
    DDisplay_Null display{0, DDisplay_Null::Drawing::Software};
    std::unique_ptr<DProject> project;
};

} // namespace

TEST_F(ProjectStartTest, ABaseIndexThatIsNoUsableBasePageGivesNone)
{
    struct Case {
        const char* what;
        uint32_t basePagePlusOne;
    };
    for (const Case c : {Case{"none", 0}, Case{"a pop-up", uint32_t(kDialog) + 1}, Case{"past the table", 5},
                         Case{"far past the table", 0x7FFFFFFFu}, Case{"negative", 0x80000000u}}) {
        SCOPED_TRACE(c.what);
        DProject& local = load(pages(c.basePagePlusOne, kNormal));
        EXPECT_EQ(local.basePage(), nullptr);
        EXPECT_EQ(local.currentIndex(), kNormal);
        local.render();
        EXPECT_EQ(pixel(2, 2), kNormalColour);
        // Every page of the table can be reached, the pop-up among them.
        local.showPage(kOther, DProject::Jump::Absolute);
        EXPECT_EQ(local.currentIndex(), kOther);
        local.render();
        EXPECT_EQ(pixel(2, 2), kOtherColour);
    }
}

TEST_F(ProjectStartTest, AStartPageOutsideTheTableShowsNothingUntilAPageIsAskedFor)
{
    for (const int32_t start : {-1, 4, 1000, INT32_MIN}) {
        SCOPED_TRACE(start);
        DProject& local = load(pages(0, start));
        EXPECT_EQ(local.currentPage(), nullptr);
        local.render();
        local.onPointerDown({6, 6});
        local.onPointerUp({6, 6});
        local.showPage(kOther, DProject::Jump::Absolute);
        EXPECT_EQ(local.currentIndex(), kOther);
        local.render();
        EXPECT_EQ(pixel(2, 2), kOtherColour);
    }
}

TEST_F(ProjectStartTest, APopUpStartPageShowsAndCanBeLeft)
{
    for (const uint32_t base : {0u, uint32_t(kGlobal) + 1}) {
        SCOPED_TRACE(base);
        DProject& local = load(pages(base, kDialog));
        EXPECT_EQ(local.currentIndex(), kDialog);
        local.render();
        EXPECT_EQ(pixel(6, 6), kDialogColour);
        local.onPointerDown({6, 6});
        local.onPointerUp({6, 6});
        // With no page under it, the pop-up gives way to whichever page is asked for.
        local.showPage(kNormal, DProject::Jump::Absolute);
        EXPECT_EQ(local.currentIndex(), kNormal);
        local.render();
        EXPECT_EQ(pixel(6, 6), kNormalColour);
        local.showPage(kOther, DProject::Jump::Absolute);
        EXPECT_EQ(local.currentIndex(), kOther);
    }
}
