#pragma once
// Image and font chunks. An image chunk holds 32-bit premultiplied ARGB pixels (native
// little-endian words: blue in the lowest byte), rows top-down, pitch bytes apart:
//   ImageChunkHeader, the stored colour plane (byteCount bytes, padded), and for
//   "irwd"/"ilzd" an AlphaPlaneHeader and the stored alpha plane (padded).
// "iraw" and "irwd" store planes as they are, "ilzo" and "ilzd" with LZO1X-1. The
// reader accepts all four and uses the colour plane; the alpha plane is not drawn.
// A "font" chunk holds a whole font file, padded.

#include <cstdint>
#include <span>

#include "foundation/target/TargetFormat.h"

class DRIFFFile;

namespace target {

constexpr bool isImageChunk(uint32_t id)
{
    return id == kChunkImageRaw || id == kChunkImageRawAlpha || id == kChunkImageLzo || id == kChunkImageLzoAlpha;
}
constexpr bool imageChunkCompressed(uint32_t id)
{
    return id == kChunkImageLzo || id == kChunkImageLzoAlpha;
}
constexpr bool imageChunkHasAlphaPlane(uint32_t id)
{
    return id == kChunkImageRawAlpha || id == kChunkImageLzoAlpha;
}

enum class ImageCompression { None, Lzo };
enum class AlphaPlane { Absent, Present };

constexpr uint32_t imageChunkId(ImageCompression compression, AlphaPlane alpha)
{
    if (compression == ImageCompression::Lzo)
        return alpha == AlphaPlane::Present ? kChunkImageLzoAlpha : kChunkImageLzo;
    return alpha == AlphaPlane::Present ? kChunkImageRawAlpha : kChunkImageRaw;
}

struct ImageChunkHeader {
    static constexpr uint32_t kSize = 20;   // the stored colour plane follows
    static constexpr uint32_t kWidthOffset = 0;
    static constexpr uint32_t kHeightOffset = 4;
    static constexpr uint32_t kPitchOffset = 8;
    static constexpr uint32_t kPixelFormatOffset = 12;
    static constexpr uint32_t kByteCountOffset = 16;
    static constexpr uint32_t kBytesPerPixel = 4;
    // Larger planes are refused, so a small compressed chunk cannot ask for gigabytes.
    static constexpr uint64_t kMaxPlaneBytes = 256ull << 20;
    static constexpr uint64_t kMaxSide = 16384;

    // The largest picture the engine can hold: kMaxSide pixels a side and kMaxPlaneBytes of
    // 32-bit pixels.
    static constexpr bool Fits(int64_t width, int64_t height)
    {
        return width > 0 && height > 0 && uint64_t(width) <= kMaxSide && uint64_t(height) <= kMaxSide
            && uint64_t(width) * uint64_t(height) * kBytesPerPixel <= kMaxPlaneBytes;
    }

    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t pitch = 0;         // bytes per row
    uint32_t pixelFormat = kPixelFormat32;   // as in the project header; not used by the reader
    uint32_t byteCount = 0;     // stored bytes (compressed size when compressed)

    // pitch x height: the bytes of the colour plane once unpacked.
    [[nodiscard]] uint64_t planeBytes() const { return uint64_t(pitch) * height; }
    // Non-zero sizes, rows that hold the pixels, a plane within kMaxPlaneBytes.
    [[nodiscard]] bool isPlausible() const
    {
        return width != 0 && height != 0 && pitch != 0 && byteCount != 0
            && uint64_t(width) * kBytesPerPixel <= pitch && planeBytes() <= kMaxPlaneBytes;
    }

    template <class Self, class F>
    static void describe(Self& r, F&& field)
    {
        field(kWidthOffset, r.width);
        field(kHeightOffset, r.height);
        field(kPitchOffset, r.pitch);
        field(kPixelFormatOffset, r.pixelFormat);
        field(kByteCountOffset, r.byteCount);
    }
};

struct AlphaPlaneHeader {
    static constexpr uint32_t kSize = 12;   // the stored alpha plane follows
    static constexpr uint32_t kPitchOffset = 0;
    static constexpr uint32_t kPixelFormatOffset = 4;
    static constexpr uint32_t kByteCountOffset = 8;

    uint32_t pitch = 0;
    uint32_t pixelFormat = kPixelFormatAlpha;
    uint32_t byteCount = 0;

    template <class Self, class F>
    static void describe(Self& r, F&& field)
    {
        field(kPitchOffset, r.pitch);
        field(kPixelFormatOffset, r.pixelFormat);
        field(kByteCountOffset, r.byteCount);
    }
};

// A converted picture ready to be written: pixels holds pitch x height bytes; alpha,
// when not empty, alphaPitch x height bytes.
struct TargetImage {
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t pitch = 0;
    uint32_t pixelFormat = kPixelFormat32;
    std::span<const uint8_t> pixels;
    uint32_t alphaPitch = 0;
    std::span<const uint8_t> alpha;
};

// The content CRC that finds equal images: width, height, pitch, pixel format and the
// uncompressed byte count as words, the pixel bytes padded, then with an alpha plane its
// pitch, kPixelFormatAlpha, byte count and bytes.
[[nodiscard]] uint32_t imageContentCrc(const TargetImage& image);
// Over the font file's bytes, padded.
[[nodiscard]] uint32_t fontContentCrc(std::span<const uint8_t> fontFile);

// Writes an image chunk inside parent and returns the chunk's absolute offset. With Lzo,
// a plane that LZO cannot compress is stored as it is (the chunk id says which).
uint64_t writeImageChunk(DRIFFFile& parent, const TargetImage& image, ImageCompression compression);
uint64_t writeFontChunk(DRIFFFile& parent, std::span<const uint8_t> fontFile);

// Unpacks the stored colour plane of an image chunk of the given id into out, which
// must hold header.planeBytes() bytes. False for an implausible header, a stored plane
// of a size other than byteCount, a raw plane shorter than the pixels, or an LZO stream
// that does not decode to exactly the plane.
[[nodiscard]] bool unpackColorPlane(uint32_t chunkId, const ImageChunkHeader& header, std::span<const uint8_t> stored,
                                    std::span<uint8_t> out);

} // namespace target
