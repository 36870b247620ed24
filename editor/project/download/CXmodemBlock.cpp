#include "editor/project/download/CXmodemBlock.h"

#include <algorithm>

uint16_t CXmodemBlock::Crc16(std::span<const uint8_t> bytes)
{
    uint16_t crc = 0;
    for (const uint8_t byte : bytes) {
        crc ^= uint16_t(byte << 8);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 0x8000) ? uint16_t((crc << 1) ^ 0x1021) : uint16_t(crc << 1);
    }
    return crc;
}

void CXmodemBlock::Build(std::span<const uint8_t> data, std::size_t offset, uint32_t number, Block& block)
{
    block[0] = kStart;
    block[1] = uint8_t(number);
    block[2] = uint8_t(255 - uint8_t(number));
    const std::span<uint8_t> payload(block.data() + 3, kDataSize);
    const std::size_t taken = offset < data.size() ? std::min(kDataSize, data.size() - offset) : 0;
    std::copy_n(data.begin() + std::ptrdiff_t(offset < data.size() ? offset : data.size()), taken, payload.begin());
    std::fill(payload.begin() + std::ptrdiff_t(taken), payload.end(), kPadding);
    const uint16_t crc = Crc16(payload);
    block[3 + kDataSize] = uint8_t(crc >> 8);
    block[4 + kDataSize] = uint8_t(crc);
}
