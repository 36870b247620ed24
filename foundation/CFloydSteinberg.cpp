#include "foundation/CFloydSteinberg.h"

#include <algorithm>

namespace {

constexpr int kShift = 16;
constexpr int64_t kOne = int64_t(1) << kShift;
constexpr int kSlots = 4;   // alpha, channel 0, channel 1, channel 2

constexpr int64_t highestLevel(int bits)
{
    return 256 - (int64_t(1) << (8 - bits));
}

bool fits(std::size_t bytes, uint32_t width, uint32_t height, std::size_t stride)
{
    const uint64_t rowBytes = uint64_t(width) * 4;
    if (stride < rowBytes)
        return false;
    return (uint64_t(height) - 1) * stride + rowBytes <= bytes;
}

} // namespace

int64_t CFloydSteinberg::Quantize(int64_t value, int bits)
{
    const int64_t x = (std::clamp<int64_t>(value, 0, 255 * kOne) + kOne - 1) >> kShift;   // rounded up
    const int64_t step = int64_t(1) << (8 - bits);
    const int64_t lower = x & ~(step - 1);
    if (lower >= highestLevel(bits))
        return highestLevel(bits) << kShift;
    const int64_t upper = lower + step;
    return (x - lower >= upper - x ? upper : lower) << kShift;
}

void CFloydSteinberg::readRow(std::span<const uint8_t> source, Row& row) const
{
    for (uint32_t x = 0; x < m_width; ++x) {
        const uint8_t* pixel = source.data() + std::size_t(x) * 4;
        int64_t* slot = row.data() + std::size_t(x) * kSlots;
        slot[0] = pixel[3];
        for (int c = 0; c < 3; ++c)
            slot[1 + c] = std::min<int64_t>(int64_t(pixel[c]) << kShift, highestLevel(m_bits[c]) << kShift);
    }
}

bool CFloydSteinberg::Dither(uint32_t width, std::span<const uint8_t> source, std::size_t sourceStride,
                             uint32_t height, std::span<uint8_t> target, std::size_t targetStride, int bitsFirst,
                             int bitsThird)
{
    auto bitsValid = [](int bits) { return bits >= 4 && bits <= 6; };
    if (!bitsValid(bitsFirst) || !bitsValid(bitsThird))
        return false;
    if (width == 0 || height == 0)
        return true;
    if (!fits(source.size(), width, height, sourceStride) || !fits(target.size(), width, height, targetStride))
        return false;

    m_width = width;
    m_height = height;
    m_bits[0] = bitsFirst;
    m_bits[1] = 6;
    m_bits[2] = bitsThird;
    m_current.assign(std::size_t(width) * kSlots, 0);
    m_next.assign(std::size_t(width) * kSlots, 0);
    readRow(source, m_current);
    if (height > 1)
        readRow(source.subspan(sourceStride), m_next);

    const int64_t last = int64_t(width) - 1;
    for (m_row = 0; m_row < height; ++m_row) {
        const bool forward = m_row % 2 == 0;
        const int64_t direction = forward ? 1 : -1;
        const bool hasNext = m_row + 1 < height;
        for (int64_t i = 0; i <= last; ++i) {
            const int64_t x = forward ? i : last - i;
            int64_t* pixel = m_current.data() + x * kSlots;
            for (int c = 0; c < 3; ++c) {
                const int64_t old = pixel[1 + c];
                const int64_t level = Quantize(old, m_bits[c]);
                pixel[1 + c] = level;
                const int64_t error = old - level;
                auto spread = [&](Row& row, int64_t at, int weight) {
                    if (at >= 0 && at <= last)
                        row[std::size_t(at * kSlots + 1 + c)] += (weight * error) >> 4;
                };
                spread(m_current, x + direction, 7);
                if (hasNext) {
                    spread(m_next, x - direction, 3);
                    spread(m_next, x, 5);
                    spread(m_next, x + direction, 1);
                }
            }
        }
        uint8_t* out = target.data() + std::size_t(m_row) * targetStride;
        for (uint32_t x = 0; x < width; ++x) {
            const int64_t* pixel = m_current.data() + std::size_t(x) * kSlots;
            for (int c = 0; c < 3; ++c)
                out[std::size_t(x) * 4 + c] = uint8_t((std::clamp<int64_t>(pixel[1 + c], 0, 255 * kOne) + kOne - 1) >> kShift);
            out[std::size_t(x) * 4 + 3] = uint8_t(pixel[0]);
        }
        std::swap(m_current, m_next);
        if (m_row + 2 < height)
            readRow(source.subspan(std::size_t(m_row + 2) * sourceStride), m_next);
    }
    return true;
}
