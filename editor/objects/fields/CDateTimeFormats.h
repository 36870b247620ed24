#pragma once
// The date/time field's formats: the code the field compiles and the text the "DTC
// format" property stores, in the order the properties pane offers them.

#include <cstdint>
#include <span>
#include <string_view>

struct CDateTimeFormat {
    uint32_t code;
    std::u16string_view text;
};

class CDateTimeFormats {
public:
    // The code of a text no row holds; the table's end row.
    static constexpr uint32_t kNoFormat = 0xFFFFF;

    // Every row, the end row not included; the first is the default.
    static std::span<const CDateTimeFormat> Rows();
    static std::u16string_view DefaultText() { return Rows().front().text; }
    // The code of the first row whose text equals text; kNoFormat for none.
    static uint32_t CodeOf(std::u16string_view text);
};
