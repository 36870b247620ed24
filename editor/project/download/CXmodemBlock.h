#pragma once
// One XMODEM-1K block: STX, the block number, its complement, 1024 data bytes (the
// binary's tail padded with 0x1A) and the CRC-16 of the data, high byte first.

#include <array>
#include <cstdint>
#include <span>

namespace CXmodemBlock {

inline constexpr std::size_t kDataSize = 1024;
inline constexpr std::size_t kSize = 3 + kDataSize + 2;
inline constexpr uint8_t kPadding = 0x1A;

inline constexpr uint8_t kRequest = 'P';
inline constexpr uint8_t kReady = 'C';
inline constexpr uint8_t kStart = 0x02;
inline constexpr uint8_t kAck = 0x06;
inline constexpr uint8_t kNak = 0x15;
inline constexpr uint8_t kEnd = 0x04;

using Block = std::array<uint8_t, kSize>;

// Polynomial 0x1021, initial value 0, most significant bit first, no final complement.
uint16_t Crc16(std::span<const uint8_t> bytes);

// The block holding data from offset on; the number is kept to its low 8 bits.
void Build(std::span<const uint8_t> data, std::size_t offset, uint32_t number, Block& block);

} // namespace CXmodemBlock
