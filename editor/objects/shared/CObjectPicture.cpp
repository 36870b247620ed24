#include "editor/objects/shared/CObjectPicture.h"

#include <vector>

#include "editor/document/CSelectable.h"
#include "editor/document/TargetPicture.h"
#include "foundation/image/CWinFreeImage.h"
#include "foundation/target/TargetFormat.h"

PictureAlpha CObjectPicture::AlphaOf(uint32_t targetFlags)
{
    return (targetFlags & target::kTargetFlagPremultiply) != 0 ? PictureAlpha::Premultiplied : PictureAlpha::Straight;
}

CObjectPicture::CObjectPicture(DSize size, PictureAlpha alpha) : m_alpha(alpha)
{
    // A picture larger than the panel can hold is never made: a document may ask for one.
    if (IsDrawable(size) && TargetPicture::Fits(size.width, size.height))
        m_surface = gfx::Surface(size.width, size.height);
}

CObjectPicture CObjectPicture::Adopt(gfx::Surface surface, PictureAlpha alpha)
{
    CObjectPicture picture({0, 0}, alpha);
    picture.m_surface = std::move(surface);
    return picture;
}

uint32_t CObjectPicture::Unpremultiply(uint32_t pixel)
{
    const uint32_t a = pixel >> 24;
    if (a == 255)
        return pixel;
    if (a == 0)
        return 0;
    uint32_t out = a << 24;
    for (int shift = 0; shift < 24; shift += 8) {
        const uint32_t channel = ((pixel >> shift & 0xFF) * 255 + a / 2) / a;
        out |= (channel > 255 ? 255 : channel) << shift;
    }
    return out;
}

std::unique_ptr<CWinFreeImage> CObjectPicture::ToImage() const
{
    if (!IsValid())
        return nullptr;
    const gfx::ConstPixelBuffer pixels = m_surface.pixels();
    auto image = std::make_unique<CWinFreeImage>();
    if (m_alpha == PictureAlpha::Premultiplied)
        return image->FromSurface(pixels) ? std::move(image) : nullptr;
    std::vector<uint32_t> straight(std::size_t(pixels.width) * std::size_t(pixels.height));
    for (int32_t y = 0; y < pixels.height; ++y)
        for (int32_t x = 0; x < pixels.width; ++x)
            straight[std::size_t(y) * std::size_t(pixels.width) + std::size_t(x)] = Unpremultiply(pixels.row(y)[x]);
    const gfx::ConstPixelBuffer view(straight.data(), pixels.width, pixels.height, pixels.width * 4);
    return image->FromSurface(view) ? std::move(image) : nullptr;
}

uint32_t CObjectPicture::Collect(DRIFFFile& target, CResourceIndex& resources) const
{
    const std::unique_ptr<CWinFreeImage> image = ToImage();
    return CSelectable::CollectImage(target, resources, image.get());
}
