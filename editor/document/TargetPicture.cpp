#include "editor/document/TargetPicture.h"

#include <cstring>

#include "foundation/CFloydSteinberg.h"
#include "foundation/image/CWinFreeImage.h"
#include "platform/gfx/Surface.h"

namespace TargetPicture {

namespace {

constexpr uint32_t kBytesPerPixel = target::ImageChunkHeader::kBytesPerPixel;

// Bits kept of the first and third colour bytes (blue and red); green keeps 6.
struct DitherBits {
    int first;
    int third;
};

bool ditherBitsForDepth(int colorDepth, DitherBits& bits)
{
    if (colorDepth == 16)
        bits = {5, 5};
    else if (colorDepth == 18)
        bits = {6, 6};
    else
        return false;
    return true;
}

// The rows of a 32-bit view copied without gaps.
std::vector<uint8_t> packRows(const gfx::ConstPixelBuffer& source)
{
    const std::size_t rowBytes = std::size_t(source.width) * kBytesPerPixel;
    std::vector<uint8_t> packed(rowBytes * std::size_t(source.height));
    for (int32_t y = 0; y < source.height; ++y)
        std::memcpy(packed.data() + rowBytes * std::size_t(y), source.row(y), rowBytes);
    return packed;
}

} // namespace

target::TargetImage Converted::View() const
{
    target::TargetImage image;
    image.width = width;
    image.height = height;
    image.pitch = pitch;
    image.pixelFormat = pixelFormat;
    image.pixels = pixels;
    return image;
}

void ToGreyscale(std::span<uint8_t> pixels)
{
    for (std::size_t i = 0; i + kBytesPerPixel <= pixels.size(); i += kBytesPerPixel) {
        const double luminance = 0.0722 * pixels[i] + 0.7152 * pixels[i + 1] + 0.2126 * pixels[i + 2];
        const uint8_t grey = uint8_t(luminance + 0.5);
        pixels[i] = pixels[i + 1] = pixels[i + 2] = grey;
    }
}

Converted Convert(const CWinFreeImage& image, int colorDepth)
{
    Converted result;
    if (!image.isLoaded())
        return result;
    if (!Fits(image.width(), image.height()))
        return result;
    const uint64_t pitch = uint64_t(image.width()) * kBytesPerPixel;

    std::vector<uint8_t> pixels;
    if (const gfx::ConstPixelBuffer own = image.pixels(); own.isValid()) {
        pixels = packRows(own);
    } else {
        const gfx::Surface surface = image.ToSurface();
        if (!surface.isValid())
            return result;
        pixels = packRows(surface.pixels());
    }

    result.width = uint32_t(image.width());
    result.height = uint32_t(image.height());
    result.pitch = uint32_t(pitch);
    result.pixelFormat = target::pixelFormatForDepth(colorDepth);
    if (colorDepth == 8) {
        ToGreyscale(pixels);
        result.pixels = std::move(pixels);
        return result;
    }
    DitherBits bits{};
    if (!ditherBitsForDepth(colorDepth, bits)) {
        result.pixels = std::move(pixels);
        return result;
    }
    std::vector<uint8_t> dithered(pixels.size());
    CFloydSteinberg dither;
    if (dither.Dither(result.width, pixels, pitch, result.height, dithered, pitch, bits.first, bits.third))
        result.pixels = std::move(dithered);
    return result;
}

} // namespace TargetPicture
