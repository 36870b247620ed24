#pragma once
// Reading and writing a tag's value in the tag memory as the Value column shows it:
// "short" as unsigned 16-bit, "integer" as signed 32-bit decimal, a character set's
// bytes as text. Every access is checked against the memory's size first.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/tagmonitor/CTagMemory.h"

class CTagValue {
public:
    // The text of the value at place; false (text untouched) when the tag has no value to
    // show: an unknown type, outside the memory, or a set no converter opens.
    [[nodiscard]] bool format(const CTagMemory& memory, const CTagPlace& place, std::u16string& text);
    // Stores typed text at place: numbers with automatic base, keeping their low 16 or 32
    // bits; text converted into the set, within the tag's size, ended by one zero unit of
    // the set's width when it fits. False when nothing could be written.
    [[nodiscard]] bool write(const CTagMemory& memory, const CTagPlace& place, std::u16string_view text);

private:
    // Kept between calls: the refresh runs ten times a second over every tag.
    std::vector<uint8_t> m_scratch;
};
