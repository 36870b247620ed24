#pragma once
// Reads a "dtags" file: the "tags" element whose children are the tags, the element's
// name the type, its text the name, "address" (or "auto") the hexadecimal address and
// "size" the decimal size. Pure: bytes in, rows out; nothing is read beyond the bytes.

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "engine/tagmonitor/CTagRow.h"

namespace CTagsFile {

// The first row of the character-set table named exactly type, or -1; an empty name
// matches no row.
[[nodiscard]] int findTagTypeIndex(std::u16string_view type);

// Rows in document order; tags without an address, and tags reaching past memorySize
// bytes, are left out. Malformed or foreign input gives fewer rows, never a failure.
[[nodiscard]] std::vector<CTagRow> read(std::span<const uint8_t> bytes, uint32_t memorySize);

} // namespace CTagsFile
