// The blending loops eight pixels at a time, 16 bits a channel. Only these functions are
// built for AVX2, and they run only where the start-up check found it.
#include "engine/render/DPixelLoops.h"

#if defined(__x86_64__)

#include <algorithm>
#include <immintrin.h>

#define VX_AVX2 __attribute__((target("avx2")))

namespace {

// The channels stay in place: blue and red in the low bytes of the 16-bit lanes, green
// and alpha in the high ones, so no unpacking is needed. Per channel c + ((256 - a) * d
// >> 8), low byte kept; inverse holds 256 - a in both lanes of each pixel, colourLow
// and colourHigh the source's blue/red and green/alpha bytes where they stand.
VX_AVX2 inline __m256i blendInPlace(__m256i colourLow, __m256i colourHigh, __m256i inverse, __m256i destination)
{
    const __m256i lowBytes = _mm256_set1_epi16(0x00FF);
    const __m256i low = _mm256_mullo_epi16(_mm256_and_si256(destination, lowBytes), inverse);
    const __m256i high = _mm256_mullo_epi16(_mm256_srli_epi16(destination, 8), inverse);
    // The high product's low byte adds nothing to the colour's high byte: no carry crosses.
    const __m256i blendedLow = _mm256_and_si256(_mm256_add_epi16(_mm256_srli_epi16(low, 8), colourLow), lowBytes);
    const __m256i blendedHigh = _mm256_andnot_si256(lowBytes, _mm256_add_epi16(high, colourHigh));
    return _mm256_or_si256(blendedLow, blendedHigh);
}

// Eight source pixels over eight destination ones; a transparent source keeps the destination.
VX_AVX2 inline __m256i blendEight(__m256i source, __m256i destination)
{
    const __m256i lowBytes = _mm256_set1_epi16(0x00FF);
    const __m256i alpha = _mm256_srli_epi32(source, 24);
    const __m256i inverse =
        _mm256_sub_epi16(_mm256_set1_epi16(256), _mm256_or_si256(alpha, _mm256_slli_epi32(alpha, 16)));
    const __m256i blended = blendInPlace(_mm256_and_si256(source, lowBytes), _mm256_andnot_si256(lowBytes, source),
                                         inverse, destination);
    const __m256i transparent = _mm256_cmpeq_epi32(alpha, _mm256_setzero_si256());
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
        // Eight opaque pixels are copied and eight transparent ones skipped, tested at once.
        if (_mm256_testc_si256(pixels, alphaMask)) {
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

VX_AVX2 void fillOpaque(uint32_t* out, uint32_t colour, std::size_t count)
{
    if (sse2loops::fillLongRun(out, colour, count))
        return;
    // Up to the first 32-byte boundary and after the last whole round, four at a time.
    const std::size_t head = std::min(count, std::size_t(-reinterpret_cast<uintptr_t>(out) & 31) / 4);
    sse2loops::fillOpaque(out, colour, head);
    const __m256i pixels = _mm256_set1_epi32(int(colour));
    std::size_t x = head;
    for (; x + 32 <= count; x += 32) {
        auto* target = reinterpret_cast<__m256i*>(out + x);
        _mm256_storeu_si256(target, pixels);
        _mm256_storeu_si256(target + 1, pixels);
        _mm256_storeu_si256(target + 2, pixels);
        _mm256_storeu_si256(target + 3, pixels);
    }
    sse2loops::fillOpaque(out + x, colour, count - x);
}

VX_AVX2 void fillOver(uint32_t* out, uint32_t colour, std::size_t count)
{
    const __m256i pixel = _mm256_set1_epi32(int(colour));
    const __m256i lowBytes = _mm256_set1_epi16(0x00FF);
    const __m256i colourLow = _mm256_and_si256(pixel, lowBytes), colourHigh = _mm256_andnot_si256(lowBytes, pixel);
    const __m256i inverse = _mm256_set1_epi16(int16_t(256 - (colour >> 24)));
    std::size_t x = 0;
    for (; x + 16 <= count; x += 16) {
        auto* target = reinterpret_cast<__m256i*>(out + x);
        const __m256i first = _mm256_loadu_si256(target), second = _mm256_loadu_si256(target + 1);
        _mm256_storeu_si256(target, blendInPlace(colourLow, colourHigh, inverse, first));
        _mm256_storeu_si256(target + 1, blendInPlace(colourLow, colourHigh, inverse, second));
    }
    if (x + 8 <= count) {
        auto* target = reinterpret_cast<__m256i*>(out + x);
        _mm256_storeu_si256(target, blendInPlace(colourLow, colourHigh, inverse, _mm256_loadu_si256(target)));
        x += 8;
    }
    sse2loops::fillOver(out + x, colour, count - x);
}

} // namespace avx2loops

#endif
