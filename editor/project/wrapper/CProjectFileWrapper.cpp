#include "editor/project/wrapper/CProjectFileWrapper.h"

#include <algorithm>
#include <cstring>
#include <zlib.h>

namespace CProjectFileWrapper {

namespace {

void putWord(std::vector<uint8_t>& out, std::size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out[at + std::size_t(i)] = uint8_t(value >> (8 * i));
}

uint32_t word(std::span<const uint8_t> bytes, std::size_t at)
{
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i)
        value |= uint32_t(bytes[at + std::size_t(i)]) << (8 * i);
    return value;
}

} // namespace

uint32_t CheckValue(std::span<const uint8_t> body)
{
    // crc32 takes at most a uInt at a time.
    uLong crc = kCheckSeed;
    std::size_t done = 0;
    while (done < body.size()) {
        const std::size_t part = std::min<std::size_t>(body.size() - done, 1u << 30);
        crc = crc32(crc, body.data() + done, uInt(part));
        done += part;
    }
    return uint32_t(crc);
}

std::vector<uint8_t> Encode(std::string_view xml)
{
    if (xml.empty() || xml.size() > kMaxXmlBytes)
        return {};
    uLongf bodySize = compressBound(uLong(xml.size()));
    std::vector<uint8_t> file(kHeaderSize + bodySize);
    if (compress2(file.data() + kHeaderSize, &bodySize, reinterpret_cast<const Bytef*>(xml.data()), uLong(xml.size()),
                  kCompressionLevel) != Z_OK)
        return {};
    file.resize(kHeaderSize + bodySize);
    std::memcpy(file.data(), kMagic.data(), kMagic.size());
    putWord(file, 4, uint32_t(xml.size()));
    putWord(file, 8, CheckValue(std::span(file).subspan(kHeaderSize)));
    return file;
}

ReadResult Decode(std::span<const uint8_t> file)
{
    ReadResult result;
    if (file.size() < kHeaderSize || std::memcmp(file.data(), kMagic.data(), kMagic.size()) != 0)
        return result;
    const uint64_t length = word(file, 4);
    const std::span<const uint8_t> body = file.subspan(kHeaderSize);
    if (CheckValue(body) != word(file, 8)) {
        result.status = ReadStatus::CheckMismatch;
        return result;
    }
    if (length > kMaxXmlBytes || length > uint64_t(body.size()) * kMaxInflateRatio + 64) {
        result.status = ReadStatus::AbsurdLength;
        return result;
    }
    result.xml.resize(std::size_t(length));
    uLongf inflated = uLongf(length);
    const int status = uncompress(reinterpret_cast<Bytef*>(result.xml.data()), &inflated, body.data(), uLong(body.size()));
    // A stored length beyond the text still holds it whole; a shorter one cuts it.
    if (status != Z_OK || inflated > length) {
        result.xml.clear();
        result.status = ReadStatus::Incomplete;
        return result;
    }
    result.xml.resize(std::size_t(inflated));
    result.status = ReadStatus::Ok;
    return result;
}

} // namespace CProjectFileWrapper
