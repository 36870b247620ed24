#pragma once
// An engine bitmap: 4-byte premultiplied ARGB (or 1-byte grey) pixels from the engine
// allocator, or a reference to an image chunk of the target file that the renderer
// loads on first use.

#include <cstdint>

#include "foundation/DGeometry.h"
#include "engine/core/DObject.h"

class DFile;

class DBitmap : public DObject {
public:
    DBitmap() = default;
    // A bitmap standing for the image chunk at offset of file, loaded on first draw.
    DBitmap(DFile* file, uint32_t offset) : m_sourceFile(file), m_sourceOffset(offset) {}
    ~DBitmap() override;
    DBitmap(const DBitmap&) = delete;
    DBitmap& operator=(const DBitmap&) = delete;

    // Takes pixels allocated with dAlloc (owned unless borrowed is set).
    void adopt(DSize size, uint32_t stride, uint32_t bytesPerPixel, uint8_t* pixels, bool borrowed = false);
    // Allocates zeroed pixels; 0 on success.
    [[nodiscard]] int allocate(DSize size, uint32_t bytesPerPixel);
    void freePixels();
    // Size and layout of an image reference that the renderer found, without its pixels:
    // the cache keeps those and may free them when no page uses them.
    void describe(DSize size, uint32_t stride, uint32_t bytesPerPixel)
    {
        m_size = size;
        m_stride = stride;
        m_bytesPerPixel = bytesPerPixel;
    }

    bool isResolved() const { return m_pixels != nullptr; }
    DFile* sourceFile() const { return m_sourceFile; }
    uint32_t sourceOffset() const { return m_sourceOffset; }
    DSize size() const { return m_size; }
    uint32_t stride() const { return m_stride; }
    uint32_t bytesPerPixel() const { return m_bytesPerPixel; }
    uint8_t* pixels() const { return m_pixels; }
    uint8_t* row(int32_t y) const { return m_pixels + std::size_t(y) * m_stride; }
    DRect bounds() const { return {0, 0, m_size.width - 1, m_size.height - 1}; }
    uint32_t mark() const { return m_mark; }
    void setMark(uint32_t mark) { m_mark = mark; }
    void addMark(uint32_t phase) { m_mark |= phase; }

private:
    DFile* m_sourceFile = nullptr;
    uint32_t m_sourceOffset = 0;
    DSize m_size{};
    uint32_t m_stride = 0;
    uint32_t m_bytesPerPixel = 4;
    uint8_t* m_pixels = nullptr; // null: nothing of its own (an image reference, or empty)
    bool m_borrowed = false;
    uint32_t m_mark = 0;
};
