#include "engine/render/DImageCache.h"

#include <climits>
#include <cstdio>
#include <vector>

#include "engine/core/DFile.h"
#include "engine/core/DStatus.h"
#include "foundation/DMemory.h"
#include "foundation/target/TargetImage.h"

DBitmap* DImageCache::find(uint32_t offset, uint32_t phase)
{
    const auto found = m_bitmaps.find(offset);
    if (found == m_bitmaps.end())
        return nullptr;
    found->second->addMark(phase);
    return found->second.get();
}

DBitmap* DImageCache::load(DFile* file, uint32_t offset, uint32_t phase)
{
    if (offset == 0)
        return nullptr;
    if (DBitmap* cached = find(offset, phase))
        return cached;
    std::unique_ptr<DBitmap> loaded = file ? readImageChunk(*file, offset) : nullptr;
    if (!loaded) {
        std::printf("Load texture failed!\n");
        return nullptr;
    }
    loaded->setMark(phase);
    DBitmap* bitmap = loaded.get();
    m_bitmaps.emplace(offset, std::move(loaded));
    return bitmap;
}

void DImageCache::clearMarks()
{
    for (auto& [offset, bitmap] : m_bitmaps)
        if (bitmap->mark() < 2)
            bitmap->setMark(0);
}

void DImageCache::evictUnmarked()
{
    std::erase_if(m_bitmaps, [](const auto& entry) { return entry.second->mark() == 0; });
}

std::unique_ptr<DBitmap> DImageCache::readImageChunk(DFile& file, uint32_t offset)
{
    if (file.seek(int64_t(offset), DFile::FromStart) != DStatus::Ok)
        return nullptr;
    target::ChunkHeader chunk;
    target::ImageChunkHeader image;
    if (target::readRecord(file, chunk) != DStatus::Ok || target::readRecord(file, image) != DStatus::Ok)
        return nullptr;
    if (!target::isImageChunk(chunk.identifier)) {
        std::printf("Wrong chunk id %x!\n", chunk.identifier);
        return nullptr;
    }
    // Sizes are bounded before anything is allocated; the stored bytes must lie in the chunk.
    if (!image.isPlausible() || image.byteCount > chunk.dataSize() ||
        uint64_t(file.tell()) + image.byteCount > file.size() ||
        image.width > uint32_t(INT32_MAX) || image.height > uint32_t(INT32_MAX))
        return nullptr;
    std::vector<uint8_t> stored(image.byteCount);
    if (file.read(stored.data(), image.byteCount) != DStatus::Ok)
        return nullptr;
    auto* pixels = static_cast<uint8_t*>(dAlloc(std::size_t(image.planeBytes())));
    if (!pixels)
        return nullptr;
    // Only the colour plane is drawn; an alpha plane that follows it is not used.
    if (!target::unpackColorPlane(chunk.identifier, image, stored, {pixels, std::size_t(image.planeBytes())})) {
        dFree(pixels);
        return nullptr;
    }
    auto bitmap = std::make_unique<DBitmap>();
    if (!bitmap) {
        dFree(pixels);
        return nullptr;
    }
    bitmap->adopt({int32_t(image.width), int32_t(image.height)}, image.pitch, target::ImageChunkHeader::kBytesPerPixel,
                  pixels);
    return bitmap;
}
