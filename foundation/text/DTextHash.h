#pragma once
// The system's CRC-32 (reflected table of 0xEDB88320, start 0, no complements), fed
// 32-bit word by word, low byte first. Each call starts afresh, so the glyph and bitmap
// caches can hash from any thread without a shared running value.

#include <cstdint>
#include <initializer_list>
#include <span>

namespace DTextHash {

uint32_t crcWords(std::span<const uint32_t> words);
inline uint32_t crcWords(std::initializer_list<uint32_t> words)
{
    return crcWords(std::span<const uint32_t>(words.begin(), words.size()));
}

// A pointer as the two words (low, high) the hashes fold in.
inline uint32_t lowWord(const void* pointer) { return uint32_t(reinterpret_cast<uintptr_t>(pointer)); }
inline uint32_t highWord(const void* pointer) { return uint32_t(uint64_t(reinterpret_cast<uintptr_t>(pointer)) >> 32); }

} // namespace DTextHash
