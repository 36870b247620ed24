#include "engine/tagmonitor/CTagValue.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "engine/tagmonitor/CTagNumber.h"
#include "engine/tags/DCharsetTable.h"
#include "engine/tags/DLittleEndian.h"

namespace {

constexpr int kShort = int(DCharsetTable::kShort);
constexpr int kInteger = int(DCharsetTable::kInteger);
constexpr uint32_t kShortBytes = 2;
constexpr uint32_t kIntegerBytes = 4;

uint32_t footprint(const CTagPlace& place)
{
    if (place.typeIndex == kShort)
        return kShortBytes;
    if (place.typeIndex == kInteger)
        return kIntegerBytes;
    return place.size;
}

bool isListedType(int typeIndex)
{
    return typeIndex >= 0 && !DCharsetTable::name(uint32_t(typeIndex)).empty();
}

void setDecimal(std::u16string& text, int64_t value)
{
    char digits[24];
    const int length = std::snprintf(digits, sizeof digits, "%lld", static_cast<long long>(value));
    text.assign(digits, digits + std::max(length, 0));
}

} // namespace

bool CTagValue::format(const CTagMemory& memory, const CTagPlace& place, std::u16string& text)
{
    if (!isListedType(place.typeIndex) || !memory.holds(place.address, footprint(place)))
        return false;
    const uint8_t* at = memory.base + place.address;
    if (place.typeIndex == kShort) {
        setDecimal(text, readLittleEndian(at, kShortBytes));
        return true;
    }
    if (place.typeIndex == kInteger) {
        setDecimal(text, int32_t(readLittleEndian(at, kIntegerBytes)));
        return true;
    }
    // UTF-16 holds any set's character in at most two units per source byte; the
    // scratch's tail stays zero, so the text always ends.
    const std::size_t room = std::size_t(place.size) * 2 + 4;
    m_scratch.assign(room, 0);
    std::size_t written = 0;
    const long result = convertCharset(DCharsetTable::kUtf16LE, at, uint32_t(place.typeIndex), m_scratch.data(),
                                       place.size, room - 2, &written);
    if (result < 0 && written == 0 && place.size > 0 &&
        convertCharset(DCharsetTable::kUtf16LE, nullptr, uint32_t(place.typeIndex), m_scratch.data(), 0, 0) < 0)
        return false; // no converter for this set here
    const std::size_t units = written / 2;
    text.clear();
    for (std::size_t i = 0; i < units; ++i) {
        const char16_t unit = char16_t(m_scratch[2 * i] | m_scratch[2 * i + 1] << 8);
        if (unit == 0)
            break;
        text.push_back(unit);
    }
    return true;
}

bool CTagValue::write(const CTagMemory& memory, const CTagPlace& place, std::u16string_view text)
{
    if (!isListedType(place.typeIndex) || !memory.holds(place.address, footprint(place)))
        return false;
    uint8_t* at = memory.base + place.address;
    if (place.typeIndex == kShort || place.typeIndex == kInteger) {
        const uint32_t bytes = footprint(place);
        writeLittleEndian(at, CTagNumber::read(text, CTagNumber::Base::Automatic), bytes);
        return true;
    }
    m_scratch.resize(text.size() * 2);
    for (std::size_t i = 0; i < text.size(); ++i) {
        m_scratch[2 * i] = uint8_t(text[i]);
        m_scratch[2 * i + 1] = uint8_t(text[i] >> 8);
    }
    // Converted beside the memory first: only whole characters and the terminator reach
    // the tag, and bytes after them keep their old content.
    std::vector<uint8_t> converted(std::max<std::size_t>(place.size, 1));
    std::size_t written = 0;
    const long result = convertCharset(uint32_t(place.typeIndex), m_scratch.data(), DCharsetTable::kUtf16LE,
                                       converted.data(), m_scratch.size(), place.size, &written);
    if (result < 0 && written == 0 &&
        convertCharset(uint32_t(place.typeIndex), nullptr, DCharsetTable::kUtf16LE, converted.data(), 0, 0) < 0)
        return false;
    written = std::min<std::size_t>(written, place.size);
    std::memcpy(at, converted.data(), written);
    const uint32_t unit = DCharsetTable::unitBytes(uint32_t(place.typeIndex));
    if (place.size - written >= unit)
        std::memset(at + written, 0, unit);
    return true;
}
