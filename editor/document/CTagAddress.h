#pragma once
// The address cell of a tag row: a start address in the panel memory, "memory" (placed
// at compile time), "storage" (one of the panel's storage items) or empty (a local tag).

#include <cstdint>
#include <string>
#include <string_view>

#include "editor/document/HexText.h"

struct CTagAddress {
    enum class Kind { Local, Fixed, Memory, Storage };

    Kind kind = Kind::Local;
    uint32_t start = 0;   // for Fixed

    static CTagAddress Fixed(uint32_t start) { return {Kind::Fixed, start}; }
    static CTagAddress Memory() { return {Kind::Memory, 0}; }
    static CTagAddress Storage() { return {Kind::Storage, 0}; }

    // What an edit leaves: text beginning with a hexadecimal digit is the address (its
    // leading hexadecimal digits), "s..." storage, "m..." memory, anything else empty.
    static CTagAddress FromText(std::u16string_view text);
    // The stored form: lower-case hexadecimal digits, "memory", "storage" or empty.
    std::u16string Text() const;
    // The cell: "%4x (%x)" with the end address for a placed tag.
    std::u16string DisplayText(int32_t size) const;
    // While edited: the start alone, "%4x".
    std::u16string EditText() const;

    bool operator==(const CTagAddress&) const = default;
};
