#include "foundation/DCRC32.h"

namespace {

constexpr std::array<uint32_t, 256> makeTable()
{
    std::array<uint32_t, 256> table{};
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t c = i;
        for (int bit = 0; bit < 8; ++bit)
            c = (c & 1) ? (c >> 1) ^ 0xEDB88320u : c >> 1;
        table[i] = c;
    }
    return table;
}

constexpr std::array<uint32_t, 256> kTable = makeTable();
static_assert(kTable[1] == 0x77073096u);

inline uint32_t fold(uint32_t value, uint8_t byte)
{
    return (value >> 8) ^ kTable[(value ^ byte) & 0xFFu];
}

} // namespace

const std::array<uint32_t, 256>& DCRC32::table()
{
    return kTable;
}

void DCRC32::crcUpdateWord(uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        m_value = fold(m_value, uint8_t(value >> shift));
}

void DCRC32::crcUpdateBytes(std::span<const uint8_t> bytes)
{
    uint32_t value = m_value;
    for (const uint8_t byte : bytes)
        value = fold(value, byte);
    m_value = value;
}

void DCRC32::crcUpdateBlock(const void* data, std::size_t length)
{
    if (length != 0)
        crcUpdateBytes({static_cast<const uint8_t*>(data), length});
    for (std::size_t pad = (4 - length % 4) % 4; pad != 0; --pad)
        m_value = fold(m_value, 0);
}

uint32_t DCRC32::ofBlock(std::span<const uint8_t> bytes)
{
    DCRC32 crc;
    crc.crcUpdateBlock(bytes);
    return crc.value();
}
