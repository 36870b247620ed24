#include "engine/tags/DValue.h"

#include <algorithm>
#include <cstring>

#include "foundation/DMemory.h"

namespace {

template <typename T>
int sign(T a, T b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

} // namespace

DValue::~DValue()
{
    releaseBuffer();
}

void DValue::releaseBuffer()
{
    dFree(m_buffer);
    m_buffer = nullptr;
}

void DValue::init(DItem* owner, uint16_t size, uint32_t type)
{
    releaseBuffer();
    m_owner = owner;
    m_type = type;
    m_number = 0;
    m_written = 0;
    m_size = size;
    if (type == kShort)
        m_size = 2;
    else if (type == kInteger)
        m_size = 4;
    else if (isStringType(type)) {
        const std::size_t bytes = std::size_t(size) + kSpareBytes;
        m_buffer = static_cast<uint8_t*>(dAlloc(bytes));
        if (m_buffer)
            std::memset(m_buffer, 0, bytes);
        else
            m_size = 0; // no room: an empty string rather than a dangling size
    }
}

void DValue::setBytes(std::span<const uint8_t> bytes)
{
    if (!m_buffer)
        return;
    const std::size_t copied = std::min<std::size_t>(bytes.size(), m_size);
    if (copied)
        std::memcpy(m_buffer, bytes.data(), copied);
    std::memset(m_buffer + copied, 0, m_size - copied);
}

int32_t DValue::shownNumber() const
{
    if (m_type == kShort)
        return int32_t(uint16_t(m_number));
    return m_type == kInteger ? m_number : 0;
}

bool DValue::equals(const DValue& other) const
{
    if (m_type != other.m_type)
        return false;
    if (m_type == kShort)
        return uint16_t(m_number) == uint16_t(other.m_number);
    if (m_type == kInteger)
        return m_number == other.m_number;
    if (isString())
        return m_size == other.m_size && (m_size == 0 || std::memcmp(m_buffer, other.m_buffer, m_size) == 0);
    return true;
}

void DValue::assign(const DValue& source)
{
    if (this == &source)
        return;
    if (m_type == kShort && source.m_type <= 8)
        m_number = int16_t(uint16_t(source.m_number));
    else if (m_type == kInteger && source.m_type <= 8)
        m_number = source.m_number;
    else if (isString() && source.isString())
        putString(source, 0);
}

void DValue::append(const DValue& source)
{
    if (this == &source)
        return;
    if (isNumber() && source.isNumber())
        m_number = int32_t(uint32_t(m_number) + uint32_t(source.m_number)); // wraps, never overflows
    else if (isString() && source.isString()) {
        const uint32_t used = contentBytes();
        if (used < m_size)
            putString(source, used);
    }
}

void DValue::putString(const DValue& source, uint32_t offset)
{
    if (!m_buffer || !source.m_buffer || offset >= m_size)
        return;
    const uint32_t room = m_size - offset;
    if (source.m_type == m_type) {
        // Bytes past the source's keep what they held.
        std::memcpy(m_buffer + offset, source.m_buffer, std::min<uint32_t>(source.m_size, room));
        return;
    }
    // A pair that cannot be opened leaves the buffer as it was.
    (void)convertCharset(m_type, source.m_buffer, source.m_type, m_buffer + offset, source.m_size, room);
}

uint32_t DValue::contentBytes() const
{
    const uint32_t width = DCharsetTable::unitBytes(m_type);
    uint32_t offset = 0;
    for (; offset + width <= m_size; offset += width) {
        bool zero = true;
        for (uint32_t i = 0; i < width; ++i)
            zero = zero && m_buffer[offset + i] == 0;
        if (zero)
            break;
    }
    return offset;
}

int DValue::compare(const DValue& reference) const
{
    if (m_type == kShort)
        return sign(int16_t(uint16_t(m_number)), int16_t(uint16_t(reference.m_number)));
    if (m_type == kInteger)
        return sign(m_number, reference.m_number);
    if (!isString() || !reference.isString())
        return 0;
    // Over the reference's size; bytes past this value's own size count as zero.
    for (uint32_t i = 0; i < reference.m_size; ++i) {
        const uint8_t mine = i < m_size ? m_buffer[i] : 0;
        if (mine != reference.m_buffer[i])
            return mine < reference.m_buffer[i] ? -1 : 1;
    }
    return 0;
}
