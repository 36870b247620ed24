#pragma once
// A picture converted for the panel's colour depth, as an image chunk stores it: 32-bit
// pixels (blue in the lowest byte, alpha in the highest), rows top-down, no gap between
// rows. Depth 8 turns the colours grey, 16 and 18 dither them to 5-6-5 and 6-6-6 bits;
// any other depth keeps them.

#include <cstdint>
#include <span>
#include <vector>

#include "foundation/target/TargetImage.h"

class CWinFreeImage;

namespace TargetPicture {

struct Converted {
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t pitch = 0;
    uint32_t pixelFormat = target::kPixelFormat32;
    std::vector<uint8_t> pixels;

    bool empty() const { return pixels.empty(); }
    // What the chunk writer and the content CRC take; it borrows pixels.
    target::TargetImage View() const;
};

// The largest picture the engine can hold (an image chunk's bounds). A document may ask
// for more; such a picture is never made.
constexpr bool Fits(int64_t width, int64_t height) { return target::ImageChunkHeader::Fits(width, height); }

// Empty when there is no picture, it cannot be had as 32 bits, or it is larger than an
// image chunk may hold.
Converted Convert(const CWinFreeImage& image, int colorDepth);

// Each pixel's colour becomes its luminance (ITU-R BT.709 weights, rounded, as the image
// library's greyscale conversion), alpha kept.
void ToGreyscale(std::span<uint8_t> pixels);

} // namespace TargetPicture
