// The blending loops four pixels at a time, 16 bits a channel; SSE2 is part of every
// x86-64 processor, so these need no check.
#include "engine/render/DPixelLoops.h"

#if defined(__x86_64__)

#include <emmintrin.h>

namespace {

// c + ((256 - a) * d >> 8) in 16-bit lanes, low byte kept; inverse holds 256 - a per channel.
inline __m128i blendLanes(__m128i colour, __m128i inverse, __m128i destination)
{
    const __m128i product = _mm_srli_epi16(_mm_mullo_epi16(inverse, destination), 8);
    return _mm_and_si128(_mm_add_epi16(colour, product), _mm_set1_epi16(0x00FF));
}

// 256 - alpha in all four lanes of each of the two pixels.
inline __m128i inverseAlpha(__m128i pixels)
{
    const __m128i alpha = _mm_shufflehi_epi16(_mm_shufflelo_epi16(pixels, 0xFF), 0xFF);
    return _mm_sub_epi16(_mm_set1_epi16(256), alpha);
}

// Four source pixels over four destination ones; a transparent source keeps the destination.
inline __m128i blendFour(__m128i source, __m128i destination)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i sourceLow = _mm_unpacklo_epi8(source, zero), sourceHigh = _mm_unpackhi_epi8(source, zero);
    const __m128i low = blendLanes(sourceLow, inverseAlpha(sourceLow), _mm_unpacklo_epi8(destination, zero));
    const __m128i high = blendLanes(sourceHigh, inverseAlpha(sourceHigh), _mm_unpackhi_epi8(destination, zero));
    const __m128i blended = _mm_packus_epi16(low, high);
    const __m128i transparent = _mm_cmpeq_epi32(_mm_srli_epi32(source, 24), zero);
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

void fillOver(uint32_t* out, uint32_t colour, std::size_t count)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i lanes = _mm_unpacklo_epi8(_mm_set1_epi32(int(colour)), zero);
    const __m128i inverse = _mm_set1_epi16(int16_t(256 - (colour >> 24)));
    std::size_t x = 0;
    for (; x + 4 <= count; x += 4) {
        auto* target = reinterpret_cast<__m128i*>(out + x);
        const __m128i pixels = _mm_loadu_si128(target);
        const __m128i low = blendLanes(lanes, inverse, _mm_unpacklo_epi8(pixels, zero));
        const __m128i high = blendLanes(lanes, inverse, _mm_unpackhi_epi8(pixels, zero));
        _mm_storeu_si128(target, _mm_packus_epi16(low, high));
    }
    for (; x < count; ++x)
        out[x] = blendChannels(colour, out[x]);
}

} // namespace sse2loops

#endif
