#pragma once
// Reduces 32-bit pixels to 4, 5 or 6 significant bits per colour channel with serpentine
// Floyd-Steinberg error diffusion: even rows left to right, odd rows right to left.
// Pixels are four bytes: three colour bytes and alpha, in the source's byte order.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

class CFloydSteinberg {
public:
    CFloydSteinberg() = default;
    virtual ~CFloydSteinberg() = default;

    // The first colour byte keeps bitsFirst bits, the second always 6, the third
    // bitsThird (each 4, 5 or 6); alpha is copied. Rows are the strides apart. Returns
    // false and writes nothing when the bits are out of range or either picture does not
    // hold width x height pixels at its stride; sizes of 0 write nothing and succeed.
    [[nodiscard]] bool Dither(uint32_t width, std::span<const uint8_t> source, std::size_t sourceStride,
                              uint32_t height, std::span<uint8_t> target, std::size_t targetStride, int bitsFirst,
                              int bitsThird);

    // The level a fixed-point channel value (v x 65536) comes to with bits bits.
    [[nodiscard]] static int64_t Quantize(int64_t value, int bits);

private:
    // Per pixel: alpha, then the three channels in 16.16 fixed point.
    using Row = std::vector<int64_t>;
    void readRow(std::span<const uint8_t> source, Row& row) const;

    uint32_t m_width = 0;
    uint32_t m_height = 0;
    uint32_t m_row = 0;
    int m_bits[3] = {6, 6, 6};
    Row m_current;
    Row m_next;
};
