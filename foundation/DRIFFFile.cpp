#include "foundation/DRIFFFile.h"

#include <array>

#include "foundation/DCRC32.h"
#include "foundation/target/TargetColor.h"

namespace {

std::array<uint8_t, 4> wordBytes(uint32_t value)
{
    return {uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16), uint8_t(value >> 24)};
}

} // namespace

DRIFFFile::DRIFFFile(DSeekableStream& stream, uint32_t identifier, uint32_t formType)
    : m_stream(stream), m_formType(formType)
{
    writeHeader(identifier);
}

DRIFFFile::DRIFFFile(DRIFFFile& parent, uint32_t identifier)
    : m_stream(parent.m_stream), m_parent(&parent), m_root(parent.m_root)
{
    writeHeader(identifier);
}

void DRIFFFile::writeHeader(uint32_t identifier)
{
    const uint64_t start = m_stream.tell();
    writeInt(identifier);
    writeInt(0);
    writeInt(0);
    m_sizePosition = start + 4;
    m_thirdPosition = start + 8;
}

void DRIFFFile::rawWrite(const void* data, std::size_t length)
{
    if (!m_stream.write(data, length))
        m_root->m_failed = true;
}

void DRIFFFile::write(const void* data, std::size_t length, Counting counting)
{
    const std::size_t padded = (length + 3) & ~std::size_t(3);
    if (m_parent) {
        m_parent->write(data, length, counting);
    } else {
        rawWrite(data, length);
        static constexpr std::array<uint8_t, 4> kZeros{};
        if (padded != length)
            rawWrite(kZeros.data(), padded - length);
    }
    if (counting == Counting::Counted)
        m_count += padded;
}

void DRIFFFile::writeInt(uint32_t value, Counting counting)
{
    const auto bytes = wordBytes(value);
    write(bytes.data(), bytes.size(), counting);
}

void DRIFFFile::writeColor(uint32_t color)
{
    writeInt(target::swapRedBlue(color));
}

void DRIFFFile::patchValue(uint64_t position, uint32_t value)
{
    const uint64_t back = m_stream.tell();
    const auto bytes = wordBytes(value);
    if (!m_stream.seek(position)) {
        m_root->m_failed = true;
        return;
    }
    rawWrite(bytes.data(), bytes.size());
    if (!m_stream.seek(back))
        m_root->m_failed = true;
}

uint64_t DRIFFFile::tell() const
{
    return m_stream.tell();
}

uint64_t DRIFFFile::close()
{
    const uint64_t end = m_stream.tell();
    const uint64_t size = m_count - 8;
    if (size > UINT32_MAX)
        m_root->m_failed = true;
    patchValue(m_sizePosition, uint32_t(size));

    uint32_t third = m_formType;
    if (m_parent) {
        // Read the body back in blocks; every byte is folded, so the result is the
        // same as folding it byte by byte.
        DCRC32 crc;
        std::array<uint8_t, 64 * 1024> block;
        uint64_t remaining = m_count - 12;
        if (!m_stream.seek(m_thirdPosition + 4))
            m_root->m_failed = true;
        while (remaining != 0 && !failed()) {
            const std::size_t want = std::size_t(remaining < block.size() ? remaining : block.size());
            const std::size_t got = m_stream.read(block.data(), want);
            if (got != want)
                m_root->m_failed = true;
            crc.crcUpdateBytes({block.data(), got});
            remaining -= want;
        }
        third = crc.value();
    }
    patchValue(m_thirdPosition, third);
    if (!m_stream.seek(end))
        m_root->m_failed = true;
    return m_sizePosition - 4;
}
