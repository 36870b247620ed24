#include "foundation/DString.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "foundation/DCharsetConverter.h"
#include "foundation/DMemory.h"

namespace {

constexpr uint32_t kSlack = 16;

char16_t* allocateUnits(uint32_t units)
{
    auto* buffer = static_cast<char16_t*>(dAlloc(std::size_t(units) * sizeof(char16_t)));
    if (!buffer) {
        // A string buffer of a few bytes that cannot be had leaves nothing sensible to do.
        std::fputs("DString: out of memory\n", stderr);
        std::abort();
    }
    return buffer;
}

// Overlap-safe; an empty view may carry a null pointer.
void copyUnits(char16_t* target, const char16_t* source, std::size_t units)
{
    if (units)
        std::memmove(target, source, units * sizeof(char16_t));
}

bool isHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

const char* narrowName(DString::NarrowCharset charset)
{
    return charset == DString::NarrowCharset::Ascii ? "ASCII" : "WINDOWS-1252//TRANSLIT";
}

const char* narrowSourceName(DString::NarrowCharset charset)
{
    return charset == DString::NarrowCharset::Ascii ? "ASCII" : "WINDOWS-1252";
}

long convertNarrow(DString::NarrowDirection direction, const void* source, std::size_t sourceBytes, void* target,
                   std::size_t targetBytes, std::size_t* written)
{
    if (const DString::NarrowConversion conversion = DString::narrowConversion())
        return conversion(direction, source, sourceBytes, target, targetBytes, written);
    const DString::NarrowCharset charset = DString::narrowCharset();
    if (direction == DString::NarrowDirection::ToNarrow)
        return DCharsetConverter::convert(narrowName(charset), "UTF-16LE", source, sourceBytes, target,
                                          targetBytes, written);
    return DCharsetConverter::convert("UTF-16LE", narrowSourceName(charset), source, sourceBytes, target,
                                      targetBytes, written);
}

} // namespace

uint32_t wideLength(const char16_t* text)
{
    if (!text)
        return 0;
    uint32_t length = 0;
    while (text[length])
        ++length;
    return length;
}

DString::DString(Capacity capacity)
{
    allocate(capacity.units);
    m_buffer[0] = 0;
}

DString::DString() : DString(Capacity{17}) {}

DString::DString(const char16_t* text) : DString(std::u16string_view(text ? text : u"", wideLength(text))) {}

DString::DString(std::u16string_view text) : DString(Capacity{uint32_t(text.size()) + 17})
{
    copyUnits(m_buffer, text.data(), text.size());
    m_buffer[text.size()] = 0;
    recount();
}

DString::DString(const DString& other) : DString(other.view()) {}

DString::DString(DString&& other) noexcept
    : m_buffer(other.m_buffer), m_capacity(other.m_capacity), m_length(other.m_length), m_narrow(other.m_narrow)
{
    other.m_buffer = nullptr;
    other.m_capacity = 0;
    other.m_length = 0;
    other.m_narrow = nullptr;
}

DString::~DString()
{
    release();
}

DString DString::dash()
{
    DString text(Capacity{18});
    text.m_buffer[0] = u'-';
    text.m_buffer[1] = 0;
    text.m_length = 1;
    return text;
}

DString DString::fromCodePoint(uint32_t packed)
{
    DString text(Capacity{19});
    text.m_buffer[0] = char16_t(packed & 0xFFFF);
    text.m_buffer[1] = char16_t(packed >> 16);
    text.m_buffer[2] = 0;
    text.recount();
    return text;
}

DString DString::withCapacity(uint32_t units)
{
    return DString(Capacity{(units == 0 ? 1 : units) + kSlack});
}

DString& DString::operator=(const DString& other)
{
    assign(other);
    return *this;
}

DString& DString::operator=(DString&& other) noexcept
{
    if (this != &other) {
        release();
        m_buffer = other.m_buffer;
        m_capacity = other.m_capacity;
        m_length = other.m_length;
        m_narrow = other.m_narrow;
        other.m_buffer = nullptr;
        other.m_capacity = 0;
        other.m_length = 0;
        other.m_narrow = nullptr;
    }
    return *this;
}

void DString::allocate(uint32_t capacity)
{
    m_buffer = allocateUnits(capacity);
    m_capacity = capacity;
    m_length = 0;
}

void DString::release()
{
    dFree(m_buffer);
    m_buffer = nullptr;
    m_capacity = 0;
    m_length = 0;
    freeNarrow();
}

void DString::freeNarrow()
{
    dFree(m_narrow);
    m_narrow = nullptr;
}

void DString::recount()
{
    m_length = m_buffer ? wideLength(m_buffer) : 0;
}

void DString::reserve(uint32_t units)
{
    if (m_buffer && m_capacity >= units)
        return;
    release();
    allocate(units + kSlack);
}

void DString::assign(const char16_t* text)
{
    assign(std::u16string_view(text ? text : u"", wideLength(text)));
}

void DString::assign(std::u16string_view text)
{
    // The text may lie in our own buffer; reserve only replaces the buffer when it is
    // too small, and then the text cannot be ours.
    const uint32_t length = uint32_t(text.size());
    if (!m_buffer || m_capacity < length + 1) {
        DString copy(text);
        *this = std::move(copy);
        return;
    }
    copyUnits(m_buffer, text.data(), length);
    m_buffer[length] = 0;
    m_length = length;
}

void DString::assign(const DString& other)
{
    if (this == &other)
        return;
    assign(other.view());
}

void DString::append(const char16_t* text)
{
    append(std::u16string_view(text ? text : u"", wideLength(text)));
}

void DString::append(std::u16string_view text)
{
    const uint32_t added = uint32_t(text.size());
    const uint32_t needed = m_length + added + 1;
    if (!m_buffer || m_capacity < needed) {
        // Grow into a new buffer before freeing the old one: text may point into it.
        const uint32_t capacity = needed + kSlack;
        char16_t* grown = allocateUnits(capacity);
        if (m_buffer)
            copyUnits(grown, m_buffer, m_length);
        copyUnits(grown + m_length, text.data(), added);
        dFree(m_buffer);
        m_buffer = grown;
        m_capacity = capacity;
    } else {
        copyUnits(m_buffer + m_length, text.data(), added);
    }
    m_buffer[m_length + added] = 0;
    recount();
}

char16_t* DString::toLower()
{
    for (uint32_t i = 0; i < m_length; ++i)
        if (m_buffer[i] >= u'A' && m_buffer[i] <= u'Z')
            m_buffer[i] = char16_t(m_buffer[i] + (u'a' - u'A'));
    return m_buffer;
}

char16_t* DString::keepAlphanumerics()
{
    uint32_t kept = 0;
    for (uint32_t i = 0; i < m_length; ++i) {
        const char16_t unit = m_buffer[i];
        const bool alphanumeric = (unit >= u'a' && unit <= u'z') || (unit >= u'A' && unit <= u'Z') ||
                                  (unit >= u'0' && unit <= u'9');
        if (alphanumeric)
            m_buffer[kept++] = unit;
    }
    m_buffer[kept] = 0;
    m_length = kept;
    return m_buffer;
}

const char* DString::toNarrow()
{
    // Terminator included; 4 bytes per unit and 2 more hold any output.
    const std::size_t sourceBytes = (std::size_t(m_length) + 1) * sizeof(char16_t);
    const std::size_t targetBytes = std::size_t(m_length) * 4 + 2;
    auto* target = static_cast<char*>(dAlloc(targetBytes));
    if (!target)
        return nullptr;
    std::size_t written = 0;
    const long result =
        convertNarrow(NarrowDirection::ToNarrow, m_buffer, sourceBytes, target, targetBytes, &written);
    if (result < 0 || written == 0) {
        dFree(target);
        return nullptr;
    }
    freeNarrow();
    m_narrow = target;
    return m_narrow;
}

bool DString::toWide(const char* bytes)
{
    if (!bytes)
        return false;
    const std::size_t sourceBytes = std::strlen(bytes) + 1;
    const std::size_t targetBytes = sourceBytes * sizeof(char16_t);
    auto* target = static_cast<char16_t*>(dAlloc(targetBytes));
    if (!target)
        return false;
    std::size_t written = 0;
    const long result = convertNarrow(NarrowDirection::ToWide, bytes, sourceBytes, target, targetBytes, &written);
    if (result < 0 || written < sizeof(char16_t)) {
        dFree(target);
        return false;
    }
    const uint32_t units = uint32_t(written / sizeof(char16_t));
    reserve(units);
    std::memcpy(m_buffer, target, std::size_t(units) * sizeof(char16_t));
    m_buffer[units - 1] = 0;
    dFree(target);
    recount();
    return true;
}

uint32_t DString::codePoints(std::span<uint32_t> out) const
{
    uint32_t count = 0;
    for (uint32_t i = 0; i < m_length && count < out.size(); ++i) {
        const char16_t unit = m_buffer[i];
        if (isHighSurrogate(unit) && i + 1 < m_length && isLowSurrogate(m_buffer[i + 1])) {
            out[count++] = ((uint32_t(unit) - 0xD800) << 10) + (uint32_t(m_buffer[i + 1]) - 0xDC00) + 0x10000;
            ++i;
        } else {
            out[count++] = unit;
        }
    }
    return count;
}

uint32_t DString::codePointCount() const
{
    uint32_t count = 0;
    for (uint32_t i = 0; i < m_length; ++i, ++count)
        if (i + 1 < m_length && isLowSurrogate(m_buffer[i + 1]))
            ++i;
    return count;
}

uint32_t DString::unitIndex(uint32_t codePoint) const
{
    uint32_t i = 0;
    for (uint32_t n = 0; n < codePoint && i < m_length; ++n, ++i)
        if (i + 1 < m_length && isLowSurrogate(m_buffer[i + 1]))
            ++i;
    return i < m_length ? i : m_length;
}

DString DString::left(uint32_t units) const
{
    DString result(Capacity{m_capacity});
    result.assign(view().substr(0, units < m_length ? units : m_length));
    return result;
}

DString DString::rest(uint32_t index) const
{
    DString result(Capacity{m_capacity});
    if (index < m_length)
        result.assign(view().substr(index));
    return result;
}

DString DString::concat(const char16_t* text) const
{
    DString result(*this);
    result.append(text);
    return result;
}

DString DString::concat(const DString& other) const
{
    DString result(*this);
    result.append(other.view());
    return result;
}
