#pragma once
// The row loops the renderer draws with: one loop per source format and mode, looked up
// before a rectangle is drawn so no loop tests its format or mode per pixel. The plain
// loops are the reference; on x86-64 the blending ones also come 16 bits a lane in SSE2
// (always present there) and AVX2 (where the processor has it), as do the fills.

#include <cstddef>
#include <cstdint>

// The width the blending loops work at.
enum class DPixelPath : uint8_t {
    Plain, // one pixel at a time: the reference, and every other architecture
    Sse2,
    Avx2,
};

// How a source pixel meets the destination (bit 0 of a draw mode).
enum class DBlend : uint8_t {
    Over, // premultiplied "over"
    Copy,
};

// count pixels of a row from in to out (formats chosen with the loop).
using DRowLoop = void (*)(uint8_t* out, const uint8_t* in, std::size_t count);
// count 4-byte pixels of a row take colour: stored as it is, or over them with
// c + ((256 - a) * d >> 8) per channel.
using DFillLoop = void (*)(uint32_t* out, uint32_t colour, std::size_t count);

struct DPixelLoops {
    DPixelPath path = DPixelPath::Plain;
    // By blend, then source and destination format (0: 1 byte, 1: 4 bytes); null draws nothing.
    DRowLoop rows[2][2][2] = {};
    DFillLoop fillOpaque = nullptr;
    DFillLoop fillOver = nullptr;

    // The loop for a blit between these pixel sizes (1 or 4 bytes); null when none draws.
    DRowLoop rowLoop(DBlend blend, uint32_t sourceBytes, uint32_t destinationBytes) const
    {
        if ((sourceBytes != 1 && sourceBytes != 4) || (destinationBytes != 1 && destinationBytes != 4))
            return nullptr;
        return rows[blend == DBlend::Copy][sourceBytes == 4][destinationBytes == 4];
    }

    // The loops of a path; a path the processor lacks gives those of the best one it has.
    static const DPixelLoops& of(DPixelPath path);
    // The widest path the processor runs, found once at start-up.
    static DPixelPath fastest();
    static bool available(DPixelPath path);
};

// Premultiplied "over", channel by channel: s + ((256 - a) * d >> 8), alpha included.
// A byte that overflows (a colour not premultiplied) keeps its low 8 bits.
inline uint32_t blendChannels(uint32_t colour, uint32_t destination)
{
    const uint32_t inverse = 256 - (colour >> 24);
    uint32_t result = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const uint32_t c = (colour >> shift) & 0xFF;
        const uint32_t d = (destination >> shift) & 0xFF;
        result |= ((c + (inverse * d >> 8)) & 0xFF) << shift;
    }
    return result;
}

// A source pixel over a destination one: an opaque source replaces it, a transparent one
// leaves it.
inline uint32_t blendOver(uint32_t source, uint32_t destination)
{
    const uint32_t alpha = source >> 24;
    if (alpha == 255)
        return source;
    if (alpha == 0)
        return destination;
    return blendChannels(source, destination);
}

// A colour multiplied by its own alpha.
inline uint32_t premultiplied(uint32_t colour)
{
    const uint32_t alpha = colour >> 24;
    if (alpha == 255)
        return colour;
    const uint32_t red = ((colour >> 16) & 0xFF) * alpha >> 8;
    const uint32_t green = ((colour >> 8) & 0xFF) * alpha >> 8;
    const uint32_t blue = (colour & 0xFF) * alpha >> 8;
    return alpha << 24 | red << 16 | green << 8 | blue;
}

// From this many pixels (2048 bytes) on, an opaque fill is left to the processor's own
// string store where the processor makes that fast: it writes whole cache lines without
// reading them first, as memset does, which no loop of vector stores can.
inline constexpr std::size_t kLongFillPixels = 512;

// The reference loops over 4-byte pixels, which every faster one matches bit for bit.
namespace plainloops {
void blendOver(uint8_t* out, const uint8_t* in, std::size_t count);
void fillOpaque(uint32_t* out, uint32_t colour, std::size_t count);
void fillOver(uint32_t* out, uint32_t colour, std::size_t count);
} // namespace plainloops

#if defined(__x86_64__)
namespace sse2loops {
void blendOver(uint8_t* out, const uint8_t* in, std::size_t count);
void fillOpaque(uint32_t* out, uint32_t colour, std::size_t count);
// Stores a run of kLongFillPixels or more with the string store, where the processor has
// the fast one (found once at start-up); false, having stored nothing, otherwise.
bool fillLongRun(uint32_t* out, uint32_t colour, std::size_t count);
void fillOver(uint32_t* out, uint32_t colour, std::size_t count);
} // namespace sse2loops
namespace avx2loops {
void blendOver(uint8_t* out, const uint8_t* in, std::size_t count);
void fillOpaque(uint32_t* out, uint32_t colour, std::size_t count);
void fillOver(uint32_t* out, uint32_t colour, std::size_t count);
} // namespace avx2loops
#endif
