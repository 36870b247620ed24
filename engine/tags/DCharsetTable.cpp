#include "engine/tags/DCharsetTable.h"

#include <array>
#include <cstring>
#include <langinfo.h>

#include "foundation/DCharsetConverter.h"

namespace {

using Rows = std::array<std::string_view, DCharsetTable::kRowCount>;

constexpr Rows makeRows()
{
    Rows rows{};
    rows[0] = "short";
    rows[1] = "integer";
    rows[9] = "native-encoding";
    rows[10] = "UTF-8";
    rows[11] = "UTF-16LE";
    rows[12] = "UTF-16BE";
    rows[13] = "UCS-2LE";
    rows[14] = "UCS-2BE";
    rows[15] = "UTF-32LE";
    rows[16] = "UTF-32BE";
    rows[17] = "UCS-4LE";
    rows[18] = "UCS-4BE";
    rows[22] = "ASCII";
    rows[23] = "ISO-8859-1";
    rows[24] = "ISO-8859-2";
    rows[25] = "ISO-8859-3";
    rows[26] = "ISO-8859-4";
    rows[27] = "ISO-8859-5";
    rows[28] = "ISO-8859-7";
    rows[29] = "ISO-8859-9";
    rows[30] = "ISO-8859-10";
    rows[31] = "ISO-8859-13";
    rows[32] = "ISO-8859-14";
    rows[33] = "ISO-8859-15";
    rows[34] = "ISO-8859-16";
    rows[35] = "KOI8-R";
    rows[36] = "KOI8-U";
    rows[37] = "KOI8-RU";
    rows[38] = "CP1250";
    rows[39] = "CP1251";
    rows[40] = "CP1252";
    rows[41] = "CP1253";
    rows[42] = "CP1254";
    rows[43] = "CP1257";
    rows[44] = "CP850";
    rows[45] = "CP866";
    rows[46] = "CP1131";
    rows[47] = "ISO-8859-6";
    rows[48] = "ISO-8859-8";
    rows[49] = "CP1255";
    rows[50] = "CP1256";
    rows[51] = "CP862";
    return rows;
}

constexpr Rows kRows = makeRows();

// Telling a pair this C library lacks from a conversion that stopped at once: a flush
// with nothing to write opens the converter and produces nothing.
bool canOpen(const char* toName, const char* fromName)
{
    char none = 0;
    std::size_t written = 0;
    return DCharsetConverter::convert(toName, fromName, nullptr, 0, &none, 0, &written) >= 0;
}

} // namespace

std::string_view DCharsetTable::name(uint32_t type)
{
    return type < kRowCount ? kRows[type] : std::string_view();
}

int DCharsetTable::find(std::string_view name)
{
    if (name.empty())
        return -1;
    for (uint32_t row = 0; row < kRowCount; ++row)
        if (kRows[row] == name)
            return int(row);
    return -1;
}

const char* DCharsetTable::converterName(uint32_t type)
{
    if (type == kNativeEncoding)
        return nl_langinfo(CODESET);
    // The rows are literals, so their views are zero-terminated.
    const std::string_view row = name(type);
    return row.empty() ? nullptr : row.data();
}

long convertCharset(uint32_t toType, const void* source, uint32_t fromType, void* target, std::size_t sourceBytes,
                    std::size_t targetBytes, std::size_t* written)
{
    if (written)
        *written = 0;
    const char* toName = DCharsetTable::converterName(toType);
    const char* fromName = DCharsetTable::converterName(fromType);
    if (!toName || !fromName || !target)
        return -1;
    std::size_t produced = 0;
    const long result =
        DCharsetConverter::convert(toName, fromName, source, sourceBytes, target, targetBytes, &produced);
    if (result < 0 && produced == 0 && !canOpen(toName, fromName))
        return -1; // the pair does not exist here: the target stays as it was
    if (targetBytes - produced >= 2)
        std::memset(static_cast<char*>(target) + produced, 0, 2);
    if (written)
        *written = produced;
    return result;
}

long engineNarrowConversion(DString::NarrowDirection direction, const void* source, std::size_t sourceBytes,
                            void* target, std::size_t targetBytes, std::size_t* written)
{
    if (direction == DString::NarrowDirection::ToNarrow)
        return convertCharset(DCharsetTable::kAscii, source, DCharsetTable::kUtf16LE, target, sourceBytes,
                              targetBytes, written);
    return convertCharset(DCharsetTable::kUtf16LE, source, DCharsetTable::kAscii, target, sourceBytes, targetBytes,
                          written);
}
