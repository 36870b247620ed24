#pragma once
// The target file ".ddd": a RIFF form of type "DPrj" made of 32-bit little-endian
// words. This header holds the chunk framing, the chunk identifiers and the codes
// shared by the records; the records are in TargetProject.h, TargetPage.h,
// TargetElement.h, TargetImage.h and TargetActions.h. Absolute offsets count bytes
// from the first byte of the file.

#include <cstdint>

#include "foundation/target/TargetBytes.h"

namespace target {

// Chunk identifiers.
inline constexpr uint32_t kChunkRiff = fourCC("RIFF");
inline constexpr uint32_t kFormProject = fourCC("DPrj");   // third word of the outermost chunk
inline constexpr uint32_t kChunkProject = fourCC("proj");
inline constexpr uint32_t kChunkPage = fourCC("page");
inline constexpr uint32_t kChunkFont = fourCC("font");
inline constexpr uint32_t kChunkImageRaw = fourCC("iraw");         // raw pixels
inline constexpr uint32_t kChunkImageRawAlpha = fourCC("irwd");    // raw pixels, raw alpha plane
inline constexpr uint32_t kChunkImageLzo = fourCC("ilzo");         // LZO1X-1 pixels
inline constexpr uint32_t kChunkImageLzoAlpha = fourCC("ilzd");    // LZO1X-1 pixels and alpha plane

// Chunk framing: every chunk starts with these three words; its data follows at
// kDataOffset. Chunks start and end on multiples of 4. Only "RIFF" holds chunks: "proj",
// the resource chunks and the "page" chunks are its direct children, in file order.
struct ChunkHeader {
    static constexpr uint32_t kSize = 12;
    static constexpr uint32_t kIdentifierOffset = 0;
    static constexpr uint32_t kSizeOffset = 4;    // total chunk length - 8 (third word + data, padding included)
    static constexpr uint32_t kThirdOffset = 8;   // "DPrj" for the outermost chunk, else the CRC-32 of the data
    static constexpr uint32_t kDataOffset = 12;

    uint32_t identifier = 0;
    uint32_t size = 0;
    uint32_t third = 0;   // not verified by the engine

    // Absolute position of the chunk after this one, in 64 bits so a bad size cannot wrap.
    [[nodiscard]] uint64_t nextChunkPosition(uint64_t chunkStart) const { return chunkStart + 8 + uint64_t(size); }
    // Bytes of data after the third word (0 for a size below 4).
    [[nodiscard]] uint32_t dataSize() const { return size < 4 ? 0 : size - 4; }

    template <class Self, class F>
    static void describe(Self& r, F&& field)
    {
        field(kIdentifierOffset, r.identifier);
        field(kSizeOffset, r.size);
        field(kThirdOffset, r.third);
    }
};

// Pixel format codes: the low byte is the bits per stored pixel; colour planes are
// always 32-bit pixels whatever the project's colour depth.
inline constexpr uint32_t kPixelFormat16 = 0x61020;
inline constexpr uint32_t kPixelFormat18 = 0x61220;
inline constexpr uint32_t kPixelFormat32 = 0x61820;   // any depth other than 16 and 18
inline constexpr uint32_t kPixelFormatAlpha = 0x100808;  // an alpha plane of one byte per pixel

constexpr uint32_t pixelFormatForDepth(int colorDepth)
{
    return colorDepth == 16 ? kPixelFormat16 : colorDepth == 18 ? kPixelFormat18 : kPixelFormat32;
}

// Bits of the project setting targetFlags that decide what the compiler writes (default 5).
inline constexpr uint32_t kTargetFlagPremultiply = 1u << 0;   // background colours and previews premultiplied
inline constexpr uint32_t kTargetFlagGdiPlusPreview = 1u << 1; // editor preview only, not in the file
inline constexpr uint32_t kTargetFlagCompress = 1u << 2;      // image chunks "ilzo"/"ilzd"
inline constexpr uint32_t kTargetFlagFocusTracking = 1u << 3; // element flag 0x20 on focusable elements
inline constexpr uint32_t kTargetFlagsDefault = kTargetFlagPremultiply | kTargetFlagCompress;

// Absolute offset 0 in a resource word (image or font reference) means "none".
inline constexpr uint32_t kNoResource = 0;

// Bytes of one word; a counted list of image references among class words takes one
// word per entry.
inline constexpr uint32_t kWordSize = 4;

} // namespace target
