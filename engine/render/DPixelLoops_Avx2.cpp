// The blending loops eight pixels at a time, 16 bits a channel. Only these functions are
// built for AVX2, and they run only where the start-up check found it.
#include "engine/render/DPixelLoops.h"

#if defined(__x86_64__)

#include <immintrin.h>

#define VX_AVX2 __attribute__((target("avx2")))

namespace {

// c + ((256 - a) * d >> 8) in 16-bit lanes, low byte kept; inverse holds 256 - a per channel.
VX_AVX2 inline __m256i blendLanes(__m256i colour, __m256i inverse, __m256i destination)
{
    const __m256i product = _mm256_srli_epi16(_mm256_mullo_epi16(inverse, destination), 8);
    return _mm256_and_si256(_mm256_add_epi16(colour, product), _mm256_set1_epi16(0x00FF));
}

// 256 - alpha in all four lanes of each pixel.
VX_AVX2 inline __m256i inverseAlpha(__m256i pixels)
{
    const __m256i alpha = _mm256_shufflehi_epi16(_mm256_shufflelo_epi16(pixels, 0xFF), 0xFF);
    return _mm256_sub_epi16(_mm256_set1_epi16(256), alpha);
}

// Eight source pixels over eight destination ones; a transparent source keeps the
// destination. Unpacking and packing stay within each 128-bit half, so the order holds.
VX_AVX2 inline __m256i blendEight(__m256i source, __m256i destination)
{
    const __m256i zero = _mm256_setzero_si256();
    const __m256i sourceLow = _mm256_unpacklo_epi8(source, zero), sourceHigh = _mm256_unpackhi_epi8(source, zero);
    const __m256i low = blendLanes(sourceLow, inverseAlpha(sourceLow), _mm256_unpacklo_epi8(destination, zero));
    const __m256i high = blendLanes(sourceHigh, inverseAlpha(sourceHigh), _mm256_unpackhi_epi8(destination, zero));
    const __m256i blended = _mm256_packus_epi16(low, high);
    const __m256i transparent = _mm256_cmpeq_epi32(_mm256_srli_epi32(source, 24), zero);
    return _mm256_blendv_epi8(blended, destination, transparent);
}

} // namespace

namespace avx2loops {

VX_AVX2 void blendOver(uint8_t* out, const uint8_t* in, std::size_t count)
{
    const auto* source = reinterpret_cast<const uint32_t*>(in);
    auto* words = reinterpret_cast<uint32_t*>(out);
    const __m256i alphaMask = _mm256_set1_epi32(int(0xFF000000u));
    std::size_t x = 0;
    for (; x + 8 <= count; x += 8) {
        const __m256i pixels = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(source + x));
        const __m256i alpha = _mm256_and_si256(pixels, alphaMask);
        // Eight opaque pixels are copied and eight transparent ones skipped, tested at once.
        if (_mm256_movemask_epi8(_mm256_cmpeq_epi32(alpha, alphaMask)) == -1) {
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(words + x), pixels);
            continue;
        }
        if (_mm256_testz_si256(pixels, alphaMask))
            continue;
        auto* target = reinterpret_cast<__m256i*>(words + x);
        _mm256_storeu_si256(target, blendEight(pixels, _mm256_loadu_si256(target)));
    }
    // The last seven at most: four at once where they are, then one by one.
    if (x + 4 <= count) {
        sse2loops::blendOver(reinterpret_cast<uint8_t*>(words + x), reinterpret_cast<const uint8_t*>(source + x), 4);
        x += 4;
    }
    for (; x < count; ++x)
        words[x] = ::blendOver(source[x], words[x]);
}

VX_AVX2 void fillOver(uint32_t* out, uint32_t colour, std::size_t count)
{
    const __m256i zero = _mm256_setzero_si256();
    const __m256i lanes = _mm256_unpacklo_epi8(_mm256_set1_epi32(int(colour)), zero);
    const __m256i inverse = _mm256_set1_epi16(int16_t(256 - (colour >> 24)));
    std::size_t x = 0;
    for (; x + 8 <= count; x += 8) {
        auto* target = reinterpret_cast<__m256i*>(out + x);
        const __m256i pixels = _mm256_loadu_si256(target);
        const __m256i low = blendLanes(lanes, inverse, _mm256_unpacklo_epi8(pixels, zero));
        const __m256i high = blendLanes(lanes, inverse, _mm256_unpackhi_epi8(pixels, zero));
        _mm256_storeu_si256(target, _mm256_packus_epi16(low, high));
    }
    sse2loops::fillOver(out + x, colour, count - x);
}

} // namespace avx2loops

#endif
