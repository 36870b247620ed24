#pragma once
// The engine's table of value types and character sets: 105 rows indexed by a tag's value
// type code. Rows 0 and 1 are the two integer types, every other named row the character
// set of a string tag's bytes; empty rows open no converter.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "foundation/DString.h"

class DCharsetTable {
public:
    static constexpr uint32_t kRowCount = 105;

    static constexpr uint32_t kShort = 0;
    static constexpr uint32_t kInteger = 1;
    static constexpr uint32_t kNativeEncoding = 9;
    static constexpr uint32_t kUtf8 = 10;
    static constexpr uint32_t kUtf16LE = 11;
    static constexpr uint32_t kAscii = 22;

    // The row's name as the table holds it; empty for an empty row or a type past the table.
    [[nodiscard]] static std::string_view name(uint32_t type);
    // The first row whose name equals name exactly, or -1.
    [[nodiscard]] static int find(std::string_view name);
    // The name the converter is opened with: the locale's character set for
    // "native-encoding", else the row's name; null when the row opens no converter.
    [[nodiscard]] static const char* converterName(uint32_t type);
    // The width of the zero unit that ends a text in this set: 2 for UTF-16 and UCS-2,
    // 4 for UTF-32 and UCS-4, else 1.
    [[nodiscard]] static uint32_t unitBytes(uint32_t type)
    {
        if (type >= 11 && type <= 14)
            return 2;
        if (type >= 15 && type <= 18)
            return 4;
        return 1;
    }
};

// Converts sourceBytes bytes in the set of row fromType into target (room for targetBytes
// bytes) in the set of row toType, in one pass; a null source flushes. Two zero bytes are
// written where the output stopped when they fit within targetBytes. Returns the
// converter's result (-1 also when it stopped at a sequence it cannot convert or at a
// full target), or -1 with the target untouched when the pair cannot be opened.
// *written, when given, receives the bytes produced (terminator not counted).
[[nodiscard]] long convertCharset(uint32_t toType, const void* source, uint32_t fromType, void* target,
                                  std::size_t sourceBytes, std::size_t targetBytes, std::size_t* written = nullptr);

// DString's narrow conversion in the engine: "UTF-16LE" (row 11) to and from "ASCII" (row 22).
long engineNarrowConversion(DString::NarrowDirection direction, const void* source, std::size_t sourceBytes,
                            void* target, std::size_t targetBytes, std::size_t* written);
