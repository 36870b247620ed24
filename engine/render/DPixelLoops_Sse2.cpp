// The blending loops four pixels at a time, 16 bits a channel, and the opaque fill; SSE2
// is part of every x86-64 processor, so these need no check.
#include "engine/render/DPixelLoops.h"

#if defined(__x86_64__)

#include <cpuid.h>
#include <emmintrin.h>

namespace {

// Leaf 7, EBX bit 9: the enhanced string stores (ERMS).
constexpr unsigned kStructuredFeatures = 7;
constexpr unsigned kEnhancedStringStores = 1u << 9;

bool detectFastStringStores()
{
    unsigned a = 0, b = 0, c = 0, d = 0;
    return __get_cpuid_count(kStructuredFeatures, 0, &a, &b, &c, &d) && (b & kEnhancedStringStores) != 0;
}

// Read before main by nothing that fills: a fill before it is set only takes the loop.
const bool kFastStringStores = detectFastStringStores();

// The channels stay in place: blue and red in the low bytes of the 16-bit lanes, green
// and alpha in the high ones, so no unpacking is needed. Per channel c + ((256 - a) * d
// >> 8), low byte kept; inverse holds 256 - a in both lanes of each pixel, colourLow
// and colourHigh the source's blue/red and green/alpha bytes where they stand.
inline __m128i blendInPlace(__m128i colourLow, __m128i colourHigh, __m128i inverse, __m128i destination)
{
    const __m128i lowBytes = _mm_set1_epi16(0x00FF);
    const __m128i low = _mm_mullo_epi16(_mm_and_si128(destination, lowBytes), inverse);
    const __m128i high = _mm_mullo_epi16(_mm_srli_epi16(destination, 8), inverse);
    // The high product's low byte adds nothing to the colour's high byte: no carry crosses.
    const __m128i blendedLow = _mm_and_si128(_mm_add_epi16(_mm_srli_epi16(low, 8), colourLow), lowBytes);
    const __m128i blendedHigh = _mm_andnot_si128(lowBytes, _mm_add_epi16(high, colourHigh));
    return _mm_or_si128(blendedLow, blendedHigh);
}

// Four source pixels over four destination ones; a transparent source keeps the destination.
inline __m128i blendFour(__m128i source, __m128i destination)
{
    const __m128i lowBytes = _mm_set1_epi16(0x00FF);
    const __m128i alpha = _mm_srli_epi32(source, 24);
    const __m128i inverse = _mm_sub_epi16(_mm_set1_epi16(256), _mm_or_si128(alpha, _mm_slli_epi32(alpha, 16)));
    const __m128i blended =
        blendInPlace(_mm_and_si128(source, lowBytes), _mm_andnot_si128(lowBytes, source), inverse, destination);
    const __m128i transparent = _mm_cmpeq_epi32(alpha, _mm_setzero_si128());
    return _mm_or_si128(_mm_and_si128(transparent, destination), _mm_andnot_si128(transparent, blended));
}

} // namespace

namespace sse2loops {

void blendOver(uint8_t* out, const uint8_t* in, std::size_t count)
{
    const auto* source = reinterpret_cast<const uint32_t*>(in);
    auto* words = reinterpret_cast<uint32_t*>(out);
    const __m128i alphaMask = _mm_set1_epi32(int(0xFF000000u));
    const __m128i zero = _mm_setzero_si128();
    std::size_t x = 0;
    for (; x + 4 <= count; x += 4) {
        const __m128i pixels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + x));
        const __m128i alpha = _mm_and_si128(pixels, alphaMask);
        // Four opaque pixels are copied and four transparent ones skipped, tested at once.
        if (_mm_movemask_epi8(_mm_cmpeq_epi32(alpha, alphaMask)) == 0xFFFF) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(words + x), pixels);
            continue;
        }
        if (_mm_movemask_epi8(_mm_cmpeq_epi32(alpha, zero)) == 0xFFFF)
            continue;
        auto* target = reinterpret_cast<__m128i*>(words + x);
        _mm_storeu_si128(target, blendFour(pixels, _mm_loadu_si128(target)));
    }
    for (; x < count; ++x)
        words[x] = ::blendOver(source[x], words[x]);
}

bool fillLongRun(uint32_t* out, uint32_t colour, std::size_t count)
{
    if (count < kLongFillPixels || !kFastStringStores)
        return false;
    asm volatile("rep stosl" : "+D"(out), "+c"(count) : "a"(colour) : "memory");
    return true;
}

void fillOpaque(uint32_t* out, uint32_t colour, std::size_t count)
{
    if (fillLongRun(out, colour, count))
        return;
    std::size_t x = 0;
    // From the first 16-byte boundary, where the stores do not straddle cache lines.
    for (; x < count && (reinterpret_cast<uintptr_t>(out + x) & 15) != 0; ++x)
        out[x] = colour;
    const __m128i pixels = _mm_set1_epi32(int(colour));
    for (; x + 4 <= count; x += 4)
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x), pixels);
    for (; x < count; ++x)
        out[x] = colour;
}

void fillOver(uint32_t* out, uint32_t colour, std::size_t count)
{
    const __m128i pixel = _mm_set1_epi32(int(colour));
    const __m128i lowBytes = _mm_set1_epi16(0x00FF);
    const __m128i colourLow = _mm_and_si128(pixel, lowBytes), colourHigh = _mm_andnot_si128(lowBytes, pixel);
    const __m128i inverse = _mm_set1_epi16(int16_t(256 - (colour >> 24)));
    std::size_t x = 0;
    for (; x + 4 <= count; x += 4) {
        auto* target = reinterpret_cast<__m128i*>(out + x);
        _mm_storeu_si128(target, blendInPlace(colourLow, colourHigh, inverse, _mm_loadu_si128(target)));
    }
    for (; x < count; ++x)
        out[x] = blendChannels(colour, out[x]);
}

} // namespace sse2loops

#endif
