// Image loading over outside bytes: decode as colour and as 8 bits, then the operations
// the editor applies to a loaded picture.
#include <cstddef>
#include <cstdint>
#include <span>

#include "foundation/image/CCachedImage.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Surface.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::span<const uint8_t> bytes(data, size);
    CCachedImage picture;
    if (picture.LoadFromMemory(bytes, CWinFreeImage::LoadPremultiplied, 100) && picture.width() <= 256 &&
        picture.height() <= 256) {
        (void)picture.isOpaque();
        (void)picture.Crop(1, 1, picture.width(), 2);
        gfx::Surface surface(16, 16);
        gfx::DeviceContext dc(surface);
        (void)picture.Draw(dc, -1, -1);
        (void)picture.DrawScaled(dc, CCachedImage::StaleCopy::Refresh, 2, 2, 7, 5);
        (void)picture.ToSurface();
        (void)picture.Rescale(3, 9);
    }
    CWinFreeImage indices;
    if (indices.LoadFromMemory(bytes, CWinFreeImage::LoadEightBit, 0) && indices.width() <= 256 && indices.height() <= 256) {
        (void)indices.remapIndices();
        (void)indices.Crop(0, 0, 3, 3);
    }
    return 0;
}
