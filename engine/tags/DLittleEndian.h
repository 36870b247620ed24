#pragma once
// Numbers in the tag memory: little-endian, 16 or 32 bits wide.

#include <cstdint>

[[nodiscard]] inline uint32_t readLittleEndian(const uint8_t* bytes, uint32_t count)
{
    uint32_t value = 0;
    for (uint32_t i = 0; i < count; ++i)
        value |= uint32_t(bytes[i]) << (8 * i);
    return value;
}

inline void writeLittleEndian(uint8_t* bytes, uint32_t value, uint32_t count)
{
    for (uint32_t i = 0; i < count; ++i)
        bytes[i] = uint8_t(value >> (8 * i));
}
