#include "engine/render/DPixelLoops.h"

#include <cstring>

namespace {

void copyBytes(uint8_t* out, const uint8_t* in, std::size_t count)
{
    // A bitmap may be copied onto itself (a graph moving its samples left).
    std::memmove(out, in, count);
}

void copyWords(uint8_t* out, const uint8_t* in, std::size_t count)
{
    std::memmove(out, in, count * 4);
}

// A grey level becomes the three colour bytes of an opaque pixel.
void expandGrey(uint8_t* out, const uint8_t* in, std::size_t count)
{
    auto* words = reinterpret_cast<uint32_t*>(out);
    for (std::size_t x = 0; x < count; ++x)
        words[x] = 0xFF000000u | uint32_t(in[x]) << 16 | uint32_t(in[x]) << 8 | in[x];
}

// Grey levels carry no alpha: blending them is copying, as is a grey source over colour.
constexpr DPixelLoops makeLoops(DPixelPath path, DRowLoop blend, DFillLoop opaque, DFillLoop over)
{
    DPixelLoops loops;
    loops.path = path;
    for (int mode = 0; mode < 2; ++mode) {
        loops.rows[mode][0][0] = copyBytes;
        loops.rows[mode][0][1] = expandGrey;
        loops.rows[mode][1][0] = nullptr; // colour onto grey is not drawn
    }
    loops.rows[0][1][1] = blend;
    loops.rows[1][1][1] = copyWords;
    loops.fillOpaque = opaque;
    loops.fillOver = over;
    return loops;
}

constexpr DPixelLoops kPlain =
    makeLoops(DPixelPath::Plain, plainloops::blendOver, plainloops::fillOpaque, plainloops::fillOver);
#if defined(__x86_64__)
constexpr DPixelLoops kSse2 =
    makeLoops(DPixelPath::Sse2, sse2loops::blendOver, sse2loops::fillOpaque, sse2loops::fillOver);
constexpr DPixelLoops kAvx2 =
    makeLoops(DPixelPath::Avx2, avx2loops::blendOver, avx2loops::fillOpaque, avx2loops::fillOver);
#endif

DPixelPath detectFastest()
{
#if defined(__x86_64__)
    // Also asks whether the system saves the 256-bit registers.
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") ? DPixelPath::Avx2 : DPixelPath::Sse2;
#else
    return DPixelPath::Plain;
#endif
}

} // namespace

namespace plainloops {

void blendOver(uint8_t* out, const uint8_t* in, std::size_t count)
{
    const auto* source = reinterpret_cast<const uint32_t*>(in);
    auto* words = reinterpret_cast<uint32_t*>(out);
    for (std::size_t x = 0; x < count; ++x)
        words[x] = ::blendOver(source[x], words[x]);
}

void fillOpaque(uint32_t* out, uint32_t colour, std::size_t count)
{
    for (std::size_t x = 0; x < count; ++x)
        out[x] = colour;
}

void fillOver(uint32_t* out, uint32_t colour, std::size_t count)
{
    for (std::size_t x = 0; x < count; ++x)
        out[x] = blendChannels(colour, out[x]);
}

} // namespace plainloops

DPixelPath DPixelLoops::fastest()
{
    static const DPixelPath fastest = detectFastest();
    return fastest;
}

bool DPixelLoops::available(DPixelPath path)
{
    return path <= fastest();
}

const DPixelLoops& DPixelLoops::of(DPixelPath path)
{
    if (!available(path))
        path = fastest();
#if defined(__x86_64__)
    if (path == DPixelPath::Avx2)
        return kAvx2;
    if (path == DPixelPath::Sse2)
        return kSse2;
#endif
    return kPlain;
}
