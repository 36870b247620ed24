#pragma once
// Small text helpers of the editor: UTF-8 to and from UTF-16, boolean text forms,
// and wide-buffer helpers.

#include <cstdint>
#include <string>
#include <string_view>

// UTF-16 from UTF-8 bytes; byteCount -1 means zero-terminated. Invalid sequences
// become U+FFFD, one per maximal invalid subpart, as the platform's converter does.
std::u16string utf8ToWide(const char* bytes, int64_t byteCount = -1);
inline std::u16string utf8ToWide(std::string_view bytes)
{
    return utf8ToWide(bytes.data(), int64_t(bytes.size()));
}

// UTF-8 from UTF-16; an unpaired surrogate becomes U+FFFD.
std::string wideToUtf8(std::u16string_view text);

// False for "FALSE" in any case and for exactly "0"; true for anything else, "" included.
bool textIsTrue(std::u16string_view text);
std::u16string boolText(int value);

// First backslash in zero-terminated wide text, or null.
const char16_t* findBackslash(const char16_t* text);

// Appends zero-terminated text to a zero-terminated buffer of room units; returns false
// (and leaves the buffer unchanged) when it would not fit.
bool wideConcat(char16_t* target, std::size_t room, const char16_t* text);
