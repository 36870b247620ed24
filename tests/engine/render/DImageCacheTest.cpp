#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "engine/core/DFile_Memory.h"
#include "engine/render/DImageCache.h"
#include "engine/render/DRenderer.h"
#include "tests/support/TargetBuilder.h"

namespace {

// A file of three small image chunks.
class DImageCacheTest : public testing::Test {
protected:
    void SetUp() override
    {
        vx::test::TargetBuilder builder(4, 4, 1);
        const std::vector<uint32_t> pixels(4, 0xFF112233u);
        for (uint32_t& offset : offsets)
            offset = builder.image(2, 2, pixels);
        builder.page(uint32_t(target::PageType::Normal), -1, [](auto& page) { page.backgroundColour(0, 4, 4); });
        file = std::make_unique<DFile_Memory>(builder.finish());
        ASSERT_EQ(file->open(DString(u"cache.ddd")), 0);
    }

    std::unique_ptr<DFile_Memory> file;
    uint32_t offsets[3] = {};
    DImageCache cache;
};

} // namespace

TEST_F(DImageCacheTest, APageSwitchFreesWhatOnlyTheCurrentPageUsed)
{
    DBitmap* current = cache.load(file.get(), offsets[0], DDrawingPhase::CurrentPage);
    DBitmap* base = cache.load(file.get(), offsets[1], DDrawingPhase::BasePage);
    DBitmap* loading = cache.load(file.get(), offsets[2], DDrawingPhase::Other);
    ASSERT_TRUE(current && base && loading);
    EXPECT_EQ(current->size(), (DSize{2, 2}));
    // Loaded again: the same bitmap, the new phase OR-ed into its mark.
    EXPECT_EQ(cache.load(file.get(), offsets[0], DDrawingPhase::BasePage), current);
    EXPECT_EQ(current->mark(), DDrawingPhase::CurrentPage | DDrawingPhase::BasePage);
    EXPECT_EQ(cache.size(), 3u);

    // A picture of the current page only is freed on the switch; the base page's and one
    // loaded outside drawing stay.
    EXPECT_EQ(cache.find(offsets[0], 0), current);
    current->setMark(DDrawingPhase::CurrentPage);
    cache.clearMarks();
    cache.evictUnmarked();
    EXPECT_FALSE(cache.holds(offsets[0]));
    EXPECT_TRUE(cache.holds(offsets[1]));
    EXPECT_TRUE(cache.holds(offsets[2]));
    EXPECT_EQ(cache.find(offsets[0], DDrawingPhase::CurrentPage), nullptr);
    cache.clear();
    EXPECT_EQ(cache.size(), 0u);
}

TEST_F(DImageCacheTest, NothingToLoadOrAFailedLoadGivesNone)
{
    testing::internal::CaptureStdout();
    EXPECT_EQ(cache.load(file.get(), 0, DDrawingPhase::Other), nullptr); // offset 0: nothing asked
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    testing::internal::CaptureStdout();
    EXPECT_EQ(cache.load(file.get(), uint32_t(file->size()) + 16, DDrawingPhase::Other), nullptr);
    EXPECT_EQ(cache.load(nullptr, offsets[0], DDrawingPhase::Other), nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Load texture failed!\nLoad texture failed!\n");
    EXPECT_EQ(cache.size(), 0u);
}
