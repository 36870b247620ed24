#include "editor/objects/scales/CMeterGeometry.h"

#include <algorithm>
#include <cstdlib>

CMeterGeometry::CMeterGeometry(const gfx::Rect& rect, const MeterNeedleSettings& needle)
    : m_rect(rect), m_needle(needle)
{
    m_needle.size = std::clamp(m_needle.size, kMinNeedleSize, kMaxNeedleSize);
    m_needle.basePercent = std::clamp(m_needle.basePercent, 5, 50);
    m_needle.offsetPercent = std::clamp(m_needle.offsetPercent, 0, 100);
    const int64_t side = std::max(0, std::min(rect.width(), rect.height()));
    m_length = int32_t(side * m_needle.size / 200);
    m_base = int32_t(int64_t(m_needle.basePercent) * m_length / 100);
    m_offset = int32_t(int64_t(m_length) * m_needle.offsetPercent / 100);

    gfx::Rect square = rect;
    const int32_t excess = (rect.width() - rect.height()) / 2;
    if (excess > 0) {
        square.left += excess;
        square.right = square.left + int32_t(side);
    } else if (excess < 0) {
        square.top -= excess;
        square.bottom = square.top + int32_t(side);
    }
    const auto inset = int32_t(side * (100 - m_needle.size) / 200);
    m_square = {square.left + inset, square.top + inset, square.right - inset, square.bottom - inset};
}

NeedlePicture CMeterGeometry::FitNeedlePicture(int32_t width, int32_t height) const
{
    if (width <= 0 || height <= 0 || m_square.isEmpty())
        return {m_square, {0, 0}};
    const int64_t px = m_needle.pivot.x, py = m_needle.pivot.y;
    const int64_t extendedWidth = width + 2 * std::llabs(px);
    const int64_t extendedHeight = height + 2 * std::llabs(py);
    const int64_t side = m_square.width();
    // The extended picture (centred on the pivot) fitted into the square, aspect kept.
    int64_t fittedWidth = side, fittedHeight = side;
    if (extendedWidth >= extendedHeight)
        fittedHeight = extendedHeight * side / extendedWidth;
    else
        fittedWidth = extendedWidth * side / extendedHeight;
    const int64_t left = m_square.left + (side - fittedWidth) / 2;
    const int64_t top = m_square.top + (side - fittedHeight) / 2;
    const int64_t scaledWidth = width * fittedWidth / extendedWidth;
    const int64_t scaledHeight = height * fittedHeight / extendedHeight;
    // The picture lies on the far side of a negative offset within the extended one.
    const int64_t shiftX = px < 0 ? 2 * -px * fittedWidth / extendedWidth : 0;
    const int64_t shiftY = py < 0 ? 2 * -py * fittedHeight / extendedHeight : 0;
    NeedlePicture picture;
    picture.rect = gfx::Rect::fromSize(int32_t(left + shiftX), int32_t(top + shiftY), int32_t(scaledWidth),
                                       int32_t(scaledHeight));
    picture.pivot = {int32_t((px + width / 2) * scaledWidth / width), int32_t(scaledHeight * (py + height / 2) / height)};
    return picture;
}

RadialTickLayout CMeterGeometry::TickLayout(const MeterTickSettings& ticks, const RadialArc& arc) const
{
    const int32_t r = std::max(0, std::min(m_rect.width(), m_rect.height())) / 2;
    const int32_t t = std::min(ticks.size, 90);
    int32_t length = int32_t(int64_t(t) * r / 100);
    const int32_t offset = std::clamp(ticks.offset, 0, std::max(0, 90 - t));
    // A dial too small for a rim keeps its ticks at the centre rather than across it.
    const int32_t outer = std::max(0, (r - 1) - std::max(1, std::min(int32_t(int64_t(offset) * r / 100), r - 1)));
    length = std::clamp(length, 0, outer);
    RadialTickLayout layout;
    layout.centre = {(m_rect.left + m_rect.right) / 2, (m_rect.top + m_rect.bottom) / 2};
    layout.arc = arc;
    layout.label = {outer - length, outer};
    if (ticks.alignment == DialTickAlignment::Inner)
        layout.shortTick = {outer - length, outer - length / 2};
    else if (ticks.alignment == DialTickAlignment::Centre)
        layout.shortTick = {outer - 3 * length / 4, outer - length / 4};
    else
        layout.shortTick = {outer - length / 2, outer};
    return layout;
}
