#pragma once
// Pieces of the one-line text form of entities and of the paper size. Numbers are
// written and read in the C locale whatever the user's locale, so a line written on
// one machine reads back on any other.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace EntityTextLine {

// ":" -> "\colon", ";" -> "\semicolon", "," -> "\comma", and every line break
// (CR LF, a lone CR or a lone LF) -> "\newline", so the text stays one field of one line.
std::u16string Escape(std::u16string_view text);
// The reverse; "\newline" becomes CR LF, the editor's line break.
std::u16string Unescape(std::u16string_view text);

// A double as "%f" gives it in the C locale: fixed, six decimals.
std::u16string FormatDouble(double value);
std::u16string FormatInt(int64_t value);

// Leading blanks, an optional sign and as many characters as form a number; anything
// else (or a number that is not finite) gives 0, as the C library's atof and atoi do.
double ParseDouble(std::u16string_view text);
int32_t ParseInt(std::u16string_view text);

// Blanks (space, tab, CR, LF) removed at both ends.
std::u16string_view Trim(std::u16string_view text);
// Every piece between separators, empty pieces included.
std::vector<std::u16string> Split(std::u16string_view text, char16_t separator);

// A double truncated toward zero into 32 bits; out of range clamps, NaN gives 0.
int32_t TruncateToInt(double value);

} // namespace EntityTextLine
