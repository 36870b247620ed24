#pragma once
// One-shot character-set conversion over the C library's iconv.

#include <cstddef>

namespace DCharsetConverter {

// Converts sourceBytes bytes from the set fromName into target (room for targetBytes).
// Returns iconv's count of irreversible conversions, -1 when the pair cannot be opened
// or the conversion stopped at a bad or unconvertible sequence. *written receives the
// number of bytes produced either way. A null source flushes the converter's state.
[[nodiscard]] long convert(const char* toName, const char* fromName, const void* source,
                           std::size_t sourceBytes, void* target, std::size_t targetBytes,
                           std::size_t* written);

} // namespace DCharsetConverter
