#include "engine/render/DBitmap.h"

#include "engine/core/DStatus.h"
#include "foundation/DMemory.h"

#include <cstring>

DBitmap::~DBitmap()
{
    freePixels();
}

void DBitmap::adopt(DSize size, uint32_t stride, uint32_t bytesPerPixel, uint8_t* pixels, bool borrowed)
{
    freePixels();
    m_size = size;
    m_stride = stride;
    m_bytesPerPixel = bytesPerPixel;
    m_pixels = pixels;
    m_borrowed = borrowed;
}

int DBitmap::allocate(DSize size, uint32_t bytesPerPixel)
{
    freePixels();
    if (size.width <= 0 || size.height <= 0 || (bytesPerPixel != 1 && bytesPerPixel != 4))
        return DStatus::Failed;
    const uint64_t stride = uint64_t(size.width) * bytesPerPixel;
    const uint64_t bytes = stride * uint64_t(size.height);
    if (bytes > 0x7FFFFFFFu)
        return DStatus::Failed;
    auto* pixels = static_cast<uint8_t*>(dAlloc(std::size_t(bytes)));
    if (!pixels)
        return DStatus::Failed;
    std::memset(pixels, 0, std::size_t(bytes));
    adopt(size, uint32_t(stride), bytesPerPixel, pixels);
    return DStatus::Ok;
}

void DBitmap::freePixels()
{
    if (m_pixels && !m_borrowed)
        dFree(m_pixels);
    m_pixels = nullptr;
    m_borrowed = false;
    m_size = {};
    m_stride = 0;
}
