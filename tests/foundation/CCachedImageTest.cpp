#include <gtest/gtest.h>

#include "foundation/image/CCachedImage.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Surface.h"
#include "tests/support/TestEnvironment.h"

namespace {

using Stale = CCachedImage::StaleCopy;

// Found beside this source, so the test runs from any folder and environment.
std::filesystem::path image(const std::string& name)
{
    return std::filesystem::path(__FILE__).parent_path().parent_path() / "fixtures" / "images" / name;
}

std::vector<uint32_t> allPixels(const CWinFreeImage& picture)
{
    std::vector<uint32_t> out;
    for (int y = 0; y < picture.height(); ++y)
        out.insert(out.end(), picture.pixels().row(y), picture.pixels().row(y) + picture.width());
    return out;
}

class CachedImageTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(picture.Load(image("rgba.png"), CWinFreeImage::LoadPremultiplied, 0)); }

    CCachedImage picture;
    gfx::Surface surface{20, 20};
    gfx::DeviceContext dc{surface};
};

} // namespace

TEST_F(CachedImageTest, OwnSizeNeverTouchesTheCopy)
{
    EXPECT_FALSE(picture.DrawScaled(dc, Stale::Refresh, 0, 0));
    EXPECT_FALSE(picture.DrawScaled(dc, Stale::Allow, 0, 0, 4, 3));
    EXPECT_FALSE(picture.scaledCopy().isLoaded());
    EXPECT_EQ(surface.pixel(1, 0), 0xFFFF0000u);
}

TEST_F(CachedImageTest, CopyIsAlwaysRescaledFromTheOriginal)
{
    EXPECT_FALSE(picture.DrawScaled(dc, Stale::Refresh, 0, 0, 2, 2));
    EXPECT_FALSE(picture.DrawScaled(dc, Stale::Refresh, 0, 0, 9, 7));
    ASSERT_EQ(picture.scaledCopy().width(), 9);
    ASSERT_EQ(picture.scaledCopy().height(), 7);

    CWinFreeImage direct;
    ASSERT_TRUE(picture.CopyTo(direct));
    ASSERT_TRUE(direct.Rescale(9, 7));
    EXPECT_EQ(allPixels(picture.scaledCopy()), allPixels(direct));

    // What a copy of the copy would have given instead.
    CWinFreeImage twice;
    ASSERT_TRUE(picture.CopyTo(twice));
    ASSERT_TRUE(twice.Rescale(2, 2));
    ASSERT_TRUE(twice.Rescale(9, 7));
    EXPECT_NE(allPixels(twice), allPixels(direct));
    // The depth image comes along.
    ASSERT_NE(picture.scaledCopy().secondImage(), nullptr);
    EXPECT_EQ(picture.scaledCopy().secondImage()->width(), 9);
}

TEST_F(CachedImageTest, StaleCopyIsStretchedWhenAllowed)
{
    // An empty copy is made fresh even when a stale one would do.
    EXPECT_FALSE(picture.DrawScaled(dc, Stale::Allow, 0, 0, 2, 2));
    EXPECT_EQ(picture.scaledCopy().width(), 2);

    EXPECT_TRUE(picture.DrawScaled(dc, Stale::Allow, 0, 0, 8, 6));
    EXPECT_EQ(picture.scaledCopy().width(), 2);

    EXPECT_FALSE(picture.DrawScaled(dc, Stale::Refresh, 0, 0, 8, 6));
    EXPECT_EQ(picture.scaledCopy().width(), 8);
    EXPECT_EQ(picture.scaledCopy().height(), 6);
}

TEST_F(CachedImageTest, DrawsTheCopyInsideTheDestination)
{
    gfx::Surface red(2, 2);
    for (int y = 0; y < 2; ++y)
        std::fill(red.pixels().row(y), red.pixels().row(y) + 2, 0xFFFF0000u);
    ASSERT_TRUE(picture.FromSurface(red.pixels()));
    EXPECT_FALSE(picture.DrawScaled(dc, Stale::Refresh, 1, 1, 4, 5));
    for (int y = 0; y < 7; ++y) {
        for (int x = 0; x < 6; ++x) {
            const bool inside = x >= 1 && x < 5 && y >= 1 && y < 6;
            EXPECT_EQ(surface.pixel(x, y), inside ? 0xFFFF0000u : 0u) << x << "," << y;
        }
    }
    EXPECT_FALSE(picture.DrawScaled(dc, Stale::Refresh, 0, 0, 0, 5));
}

TEST_F(CachedImageTest, ChangingTheImageDropsTheCopy)
{
    auto drawSmall = [&] {
        ASSERT_FALSE(picture.DrawScaled(dc, Stale::Refresh, 0, 0, 2, 2));
        ASSERT_TRUE(picture.scaledCopy().isLoaded());
    };
    drawSmall();
    ASSERT_TRUE(picture.Rescale(6, 6));
    EXPECT_FALSE(picture.scaledCopy().isLoaded());

    drawSmall();
    ASSERT_TRUE(picture.FromSurface(surface.pixels()));
    EXPECT_FALSE(picture.scaledCopy().isLoaded());

    drawSmall();
    ASSERT_TRUE(picture.Load(image("rgb24.bmp"), 0, 0));
    EXPECT_FALSE(picture.scaledCopy().isLoaded());

    drawSmall();
    CWinFreeImage other;
    ASSERT_TRUE(other.Load(image("palette.png"), 0, 0));
    ASSERT_TRUE(other.CopyTo(picture));
    EXPECT_FALSE(picture.scaledCopy().isLoaded());

    drawSmall();
    picture.Unload();
    EXPECT_FALSE(picture.scaledCopy().isLoaded());
    EXPECT_FALSE(picture.DrawScaled(dc, Stale::Refresh, 0, 0, 2, 2));
}
