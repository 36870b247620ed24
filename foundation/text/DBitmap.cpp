#include "foundation/text/DBitmap.h"

#include <new>

namespace foundation {

DBitmap::DBitmap(int32_t width, int32_t height, int32_t bytesPerPixel)
{
    if (width <= 0 || height <= 0 || formatIndex(bytesPerPixel) < 0)
        return;
    if (int64_t(width) * height > kMaxBytes / bytesPerPixel)
        return;
    int64_t bytes = int64_t(width) * height * bytesPerPixel;
    try {
        m_pixels.assign(std::size_t(bytes), 0);
    } catch (const std::bad_alloc&) {
        return;
    }
    m_width = width;
    m_height = height;
    m_bytesPerPixel = bytesPerPixel;
    m_stride = width * bytesPerPixel;
}

DBitmap::~DBitmap() = default;

int DBitmap::formatIndex(int32_t bytesPerPixel)
{
    switch (bytesPerPixel) {
    case 1: return 0;
    case 2: return 1;
    case 4: return 2;
    default: return -1;
    }
}

} // namespace foundation
