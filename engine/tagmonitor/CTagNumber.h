#pragma once
// Numbers as the tags file and the Value cells write them: an optional sign, an optional
// "0x", digits up to the first character that does not fit. No digits read as 0; a number
// too large for 32 bits keeps its low 32 bits, so every text has one well-defined value.

#include <cstdint>
#include <string_view>

namespace CTagNumber {

enum class Base { Decimal = 10, Hexadecimal = 16, Automatic = 0 };

// Automatic: a leading "0x" is hexadecimal, a leading "0" octal, else decimal.
[[nodiscard]] uint32_t read(std::u16string_view text, Base base);

} // namespace CTagNumber
