#pragma once
// The tag type table, shared by editor and engine: 105 named slots. A tag's slot is the
// value type of its tag reference and, for strings, the character set of its bytes.
// Slots 0 to 8 are numbers; every named slot from 9 on is a character set.

#include <array>
#include <cstdint>
#include <string_view>

namespace target {

struct TagTypes {
    static constexpr uint32_t kCount = 105;
    static constexpr uint32_t kShort = 0;
    static constexpr uint32_t kInteger = 1;
    static constexpr uint32_t kLastNumeric = 8;
    static constexpr uint32_t kNativeEncoding = 9;
    static constexpr uint32_t kUtf8 = 10;
    static constexpr uint32_t kUtf16LE = 11;
    static constexpr uint32_t kAscii = 22;

    using Names = std::array<std::string_view, kCount>;
    static constexpr Names kNames = [] {
        Names names{};
        names[0] = "short";
        names[1] = "integer";
        names[9] = "native-encoding";
        names[10] = "UTF-8";
        names[11] = "UTF-16LE";
        names[12] = "UTF-16BE";
        names[13] = "UCS-2LE";
        names[14] = "UCS-2BE";
        names[15] = "UTF-32LE";
        names[16] = "UTF-32BE";
        names[17] = "UCS-4LE";
        names[18] = "UCS-4BE";
        names[22] = "ASCII";
        names[23] = "ISO-8859-1";
        names[24] = "ISO-8859-2";
        names[25] = "ISO-8859-3";
        names[26] = "ISO-8859-4";
        names[27] = "ISO-8859-5";
        names[28] = "ISO-8859-7";
        names[29] = "ISO-8859-9";
        names[30] = "ISO-8859-10";
        names[31] = "ISO-8859-13";
        names[32] = "ISO-8859-14";
        names[33] = "ISO-8859-15";
        names[34] = "ISO-8859-16";
        names[35] = "KOI8-R";
        names[36] = "KOI8-U";
        names[37] = "KOI8-RU";
        names[38] = "CP1250";
        names[39] = "CP1251";
        names[40] = "CP1252";
        names[41] = "CP1253";
        names[42] = "CP1254";
        names[43] = "CP1257";
        names[44] = "CP850";
        names[45] = "CP866";
        names[46] = "CP1131";
        names[47] = "ISO-8859-6";
        names[48] = "ISO-8859-8";
        names[49] = "CP1255";
        names[50] = "CP1256";
        names[51] = "CP862";
        return names;
    }();

    // Empty for an empty slot or one past the table.
    static constexpr std::string_view name(uint32_t slot) { return slot < kCount ? kNames[slot] : std::string_view(); }
    // The first slot whose name equals name exactly, or -1.
    static constexpr int find(std::string_view name)
    {
        if (name.empty())
            return -1;
        for (uint32_t slot = 0; slot < kCount; ++slot)
            if (kNames[slot] == name)
                return int(slot);
        return -1;
    }
    static constexpr bool isNumeric(uint32_t slot) { return slot <= kLastNumeric; }
};

} // namespace target
