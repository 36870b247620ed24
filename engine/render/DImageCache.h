#pragma once
// The image chunks of the target file, loaded once and kept by chunk offset while a page
// uses them. Every bitmap found or loaded gets the drawing phase of its caller in its
// mark; a page switch clears the marks of the page left and evicts what nobody marked.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <unordered_map>

#include "engine/render/DBitmap.h"

class DFile;

class DImageCache {
public:
    // The cached chunk at offset, its mark given the phase; none when it is not cached.
    DBitmap* find(uint32_t offset, uint32_t phase);
    // The chunk at offset, loaded when it is not cached yet; none (with the message
    // printed) when it cannot be loaded.
    DBitmap* load(DFile* file, uint32_t offset, uint32_t phase);
    // Marks 0 and 1 (only the current page used them) become 0.
    void clearMarks();
    // Frees every bitmap whose mark is 0.
    void evictUnmarked();
    void clear() { m_bitmaps.clear(); }

    std::size_t size() const { return m_bitmaps.size(); }
    // Whether the chunk at offset is cached; unlike find it marks nothing.
    bool holds(uint32_t offset) const { return m_bitmaps.contains(offset); }

    // A new bitmap of the image chunk at offset, or none.
    static std::unique_ptr<DBitmap> readImageChunk(DFile& file, uint32_t offset);

private:
    std::unordered_map<uint32_t, std::unique_ptr<DBitmap>> m_bitmaps;
};
