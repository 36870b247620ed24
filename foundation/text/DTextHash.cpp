#include "foundation/text/DTextHash.h"

#include <array>

namespace {

constexpr std::array<uint32_t, 256> makeTable()
{
    std::array<uint32_t, 256> table{};
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t value = i;
        for (int bit = 0; bit < 8; ++bit)
            value = (value & 1) ? (value >> 1) ^ 0xEDB88320u : value >> 1;
        table[i] = value;
    }
    return table;
}

constexpr std::array<uint32_t, 256> kTable = makeTable();
static_assert(kTable[1] == 0x77073096u);

} // namespace

uint32_t DTextHash::crcWords(std::span<const uint32_t> words)
{
    uint32_t value = 0;
    for (uint32_t word : words)
        for (int shift = 0; shift < 32; shift += 8)
            value = (value >> 8) ^ kTable[(value ^ (word >> shift)) & 0xFF];
    return value;
}
