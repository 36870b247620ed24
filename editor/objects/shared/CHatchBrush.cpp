#include "editor/objects/shared/CHatchBrush.h"

#include <algorithm>

#include "platform/gfx/PixelArithmetic.h"

uint32_t CHatchBrush::ColourAt(int32_t x, int32_t y) const
{
    // Rising to the right: x + y is constant along a line; lines meet the top-right
    // corner of each 4 x 4 cell.
    const int64_t phase = (int64_t(x) + int64_t(y)) % kPeriod;
    return (phase + kPeriod) % kPeriod == kPeriod - 1 ? m_foreground : m_background;
}

void CHatchBrush::Paint(const gfx::PixelBuffer& pixels, int32_t x, int32_t y) const
{
    if (!pixels.isValid() || x < 0 || y < 0 || x >= pixels.width || y >= pixels.height)
        return;
    uint32_t& pixel = pixels.row(y)[x];
    pixel = gfx::blendOver(gfx::premultiplyArgb(ColourAt(x, y)), pixel);
}

void CHatchBrush::FrameRect(const gfx::PixelBuffer& pixels, const gfx::Rect& rect) const
{
    if (rect.isEmpty())
        return;
    const int32_t last = rect.bottom - 1;
    for (int32_t x = rect.left; x < rect.right; ++x) {
        Paint(pixels, x, rect.top);
        if (last != rect.top)
            Paint(pixels, x, last);
    }
    for (int32_t y = rect.top + 1; y < last; ++y) {
        Paint(pixels, rect.left, y);
        if (rect.right - 1 != rect.left)
            Paint(pixels, rect.right - 1, y);
    }
}

void CHatchBrush::VerticalLine(const gfx::PixelBuffer& pixels, int32_t x, int32_t top, int32_t bottom) const
{
    for (int32_t y = std::max(top, 0); y < std::min(bottom, pixels.height); ++y)
        Paint(pixels, x, y);
}
