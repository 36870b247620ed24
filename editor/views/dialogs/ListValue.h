#pragma once
// List-valued properties as the list dialogs read and write them: entries separated by
// U+0001; a colour is its value in lower-case hexadecimal without leading zeros.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ListValue {

// A row count of 0 or less gives 1.
int RowCount(int64_t count);
// Colours: runs of separators count as one; each token's leading hexadecimal number
// (0 for none, the largest 32-bit value past it); rows without a token are 0.
std::vector<uint32_t> ParseColors(std::u16string_view value, int rows);
// Messages and files: cut at every separator, empty pieces kept; rows beyond the pieces
// are empty.
std::vector<std::u16string> ParseTexts(std::u16string_view value, int rows);
// Every entry followed by a separator.
std::u16string JoinColors(const std::vector<uint32_t>& colors);
std::u16string JoinTexts(const std::vector<std::u16string>& texts);

} // namespace ListValue
