#include <gtest/gtest.h>

#include "editor/document/CResourceIndex.h"
#include "editor/objects/shared/CObjectPicture.h"
#include "foundation/DMemoryStream.h"
#include "foundation/DRIFFFile.h"
#include "foundation/image/CWinFreeImage.h"
#include "foundation/target/TargetFormat.h"
#include "platform/gfx/DeviceContext.h"

namespace {

// Half-transparent red, straight 0x80FF0000.
constexpr uint32_t kStraight = 0x80FF0000;

CObjectPicture redPicture(PictureAlpha alpha)
{
    CObjectPicture picture({3, 2}, alpha);
    gfx::DeviceContext dc(picture.Surface());
    dc.fillRect({0, 0, 3, 2}, gfx::Colour::fromArgb(kStraight));
    return picture;
}

TEST(CObjectPicture, AlphaFormComesFromTheFlagsGiven)
{
    EXPECT_EQ(CObjectPicture::AlphaOf(target::kTargetFlagsDefault), PictureAlpha::Premultiplied);
    EXPECT_EQ(CObjectPicture::AlphaOf(target::kTargetFlagCompress), PictureAlpha::Straight);
}

TEST(CObjectPicture, ImageIsPremultipliedOrStraightAsAsked)
{
    const struct {
        PictureAlpha alpha;
        uint32_t pixel;
    } cases[] = {
        {PictureAlpha::Premultiplied, gfx::premultiplyArgb(kStraight)},
        {PictureAlpha::Straight, kStraight},
    };
    for (const auto& c : cases) {
        const std::unique_ptr<CWinFreeImage> image = redPicture(c.alpha).ToImage();
        ASSERT_TRUE(image);
        EXPECT_EQ(image->width(), 3);
        EXPECT_EQ(image->height(), 2);
        EXPECT_EQ(image->pixels().row(1)[2], c.pixel);
    }
}

TEST(CObjectPicture, UnpremultiplyRoundsAndKeepsClearPixelsClear)
{
    EXPECT_EQ(CObjectPicture::Unpremultiply(0), 0u);
    EXPECT_EQ(CObjectPicture::Unpremultiply(0x00FFFFFF), 0u);
    EXPECT_EQ(CObjectPicture::Unpremultiply(0xFF123456), 0xFF123456u);
    EXPECT_EQ(CObjectPicture::Unpremultiply(gfx::premultiplyArgb(0x80FF8000)), 0x80FF8000u);
}

TEST(CObjectPicture, NoPictureOfNoSizeAndItsEntryIsEmpty)
{
    CResourceIndex resources;
    resources.Begin(32, target::kTargetFlagsDefault);
    DMemoryStream stream;
    DRIFFFile root(stream, target::kChunkRiff, target::kFormProject);
    for (const DSize size : {DSize{0, 5}, DSize{5, 0}, DSize{-1, 4}}) {
        const CObjectPicture picture(size, PictureAlpha::Premultiplied);
        EXPECT_FALSE(picture.IsValid());
        EXPECT_FALSE(picture.ToImage());
        EXPECT_EQ(picture.Collect(root, resources), target::kNoResource);
    }
    EXPECT_EQ(resources.Entries().size(), 3u);
    EXPECT_NE(redPicture(PictureAlpha::Premultiplied).Collect(root, resources), target::kNoResource);
    EXPECT_EQ(resources.WrittenCount(), 1u);
}

} // namespace
