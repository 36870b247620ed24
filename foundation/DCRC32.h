#pragma once
// The system's CRC-32: the reflected table of 0xEDB88320, started from 0, with no final
// complement, fed word by word low byte first. It is not zlib's CRC-32.
// Each computation owns its accumulator, so threads may hash at the same time.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

class DCRC32 {
public:
    static const std::array<uint32_t, 256>& table();

    DCRC32() = default;
    explicit DCRC32(uint32_t start) : m_value(start) {}

    // Folds the four bytes of a word, lowest byte first.
    void crcUpdateWord(uint32_t value);
    // Folds length bytes, then zero bytes up to the next multiple of 4.
    void crcUpdateBlock(const void* data, std::size_t length);
    void crcUpdateBlock(std::span<const uint8_t> bytes) { crcUpdateBlock(bytes.data(), bytes.size()); }
    // Folds exactly the given bytes, without padding.
    void crcUpdateBytes(std::span<const uint8_t> bytes);

    void reset(uint32_t start = 0) { m_value = start; }
    [[nodiscard]] uint32_t value() const { return m_value; }

    // The CRC of one padded block from 0.
    [[nodiscard]] static uint32_t ofBlock(std::span<const uint8_t> bytes);

private:
    uint32_t m_value = 0;
};
