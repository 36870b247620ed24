#include "foundation/target/TargetImage.h"

#include <lzo/lzo1x.h>

#include <cstring>

#include "foundation/CCompressedBuffer.h"
#include "foundation/DCRC32.h"
#include "foundation/DRIFFFile.h"

namespace target {

uint32_t imageContentCrc(const TargetImage& image)
{
    DCRC32 crc;
    crc.crcUpdateWord(image.width);
    crc.crcUpdateWord(image.height);
    crc.crcUpdateWord(image.pitch);
    crc.crcUpdateWord(image.pixelFormat);
    crc.crcUpdateWord(uint32_t(image.pixels.size()));
    crc.crcUpdateBlock(image.pixels);
    if (!image.alpha.empty()) {
        crc.crcUpdateWord(image.alphaPitch);
        crc.crcUpdateWord(kPixelFormatAlpha);
        crc.crcUpdateWord(uint32_t(image.alpha.size()));
        crc.crcUpdateBlock(image.alpha);
    }
    return crc.value();
}

uint32_t fontContentCrc(std::span<const uint8_t> fontFile)
{
    return DCRC32::ofBlock(fontFile);
}

namespace {

// A plane as it goes into the file: compressed when asked and LZO succeeds.
struct StoredPlane {
    CCompressedBuffer buffer;
    std::span<const uint8_t> bytes;
    bool compressed = false;

    StoredPlane(std::span<const uint8_t> plane, ImageCompression compression) : bytes(plane)
    {
        if (compression == ImageCompression::Lzo && buffer.Compress(plane.data(), plane.size())) {
            bytes = buffer.compressed();
            compressed = true;
        }
    }
};

} // namespace

uint64_t writeImageChunk(DRIFFFile& parent, const TargetImage& image, ImageCompression compression)
{
    const AlphaPlane alpha = image.alpha.empty() ? AlphaPlane::Absent : AlphaPlane::Present;
    const StoredPlane colorPlane(image.pixels, compression);
    // Both planes go the same way, so one id describes them.
    const StoredPlane alphaPlane(image.alpha, colorPlane.compressed ? ImageCompression::Lzo : ImageCompression::None);
    const bool compressed = colorPlane.compressed && (alpha == AlphaPlane::Absent || alphaPlane.compressed);
    const StoredPlane rawColor(image.pixels, ImageCompression::None);
    const StoredPlane rawAlpha(image.alpha, ImageCompression::None);
    const StoredPlane& color = compressed ? colorPlane : rawColor;
    const StoredPlane& alphaBytes = compressed ? alphaPlane : rawAlpha;

    DRIFFFile chunk(parent, imageChunkId(compressed ? ImageCompression::Lzo : ImageCompression::None, alpha));
    ImageChunkHeader header;
    header.width = image.width;
    header.height = image.height;
    header.pitch = image.pitch;
    header.pixelFormat = image.pixelFormat;
    header.byteCount = uint32_t(color.bytes.size());
    writeRecord(chunk, header);
    chunk.write(color.bytes.data(), color.bytes.size());
    if (alpha == AlphaPlane::Present) {
        AlphaPlaneHeader alphaHeader;
        alphaHeader.pitch = image.alphaPitch;
        alphaHeader.byteCount = uint32_t(alphaBytes.bytes.size());
        writeRecord(chunk, alphaHeader);
        chunk.write(alphaBytes.bytes.data(), alphaBytes.bytes.size());
    }
    return chunk.close();
}

uint64_t writeFontChunk(DRIFFFile& parent, std::span<const uint8_t> fontFile)
{
    DRIFFFile chunk(parent, kChunkFont);
    chunk.write(fontFile.data(), fontFile.size());
    return chunk.close();
}

bool unpackColorPlane(uint32_t chunkId, const ImageChunkHeader& header, std::span<const uint8_t> stored,
                      std::span<uint8_t> out)
{
    if (!isImageChunk(chunkId) || !header.isPlausible() || stored.size() != header.byteCount
        || out.size() != header.planeBytes())
        return false;
    if (!imageChunkCompressed(chunkId)) {
        if (stored.size() < out.size())
            return false;
        std::memcpy(out.data(), stored.data(), out.size());
        return true;
    }
    lzo_uint written = out.size();
    const int result = lzo1x_decompress_safe(stored.data(), stored.size(), out.data(), &written, nullptr);
    return result == LZO_E_OK && written == out.size();
}

} // namespace target
