#include "engine/tags/DCharsetTable.h"

#include <array>
#include <cstring>
#include <langinfo.h>

#include "foundation/DCharsetConverter.h"
#include "foundation/target/TargetTagTypes.h"

static_assert(DCharsetTable::kRowCount == target::TagTypes::kCount);

namespace {

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
    return target::TagTypes::name(type);
}

int DCharsetTable::find(std::string_view name)
{
    return target::TagTypes::find(name);
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
