#include "engine/widgets/DCompositeObject_Slider.h"

#include <algorithm>

#include "engine/primitives/DBaseObject_UnscaledBitmap.h"
#include "engine/primitives/DWidgetMath.h"

void DCompositeObject_Slider::layout(const Words& words)
{
    const DRect track = m_track->bounds(), thumb = m_thumb->bounds();
    const int64_t margin = words.travel;
    const int64_t halfWidth = thumb.width() >> 1, halfHeight = thumb.height() >> 1;
    int64_t x = 0, y = 0;
    switch (m_direction) {
    case Right:
    case Left:
        y = thumb.top + halfHeight;
        x = m_direction == Right ? track.left + margin : track.right - margin;
        m_travel = track.width() - 2 * margin;
        break;
    case Down:
    case Up:
        x = thumb.left + halfWidth;
        y = m_direction == Down ? track.top + margin : track.bottom - margin;
        m_travel = track.height() - 2 * margin;
        break;
    default: m_travel = 0; break;
    }
    m_travel = std::max<int64_t>(m_travel, 0);
    m_reference = {toCoordinate(x), toCoordinate(y)};
    m_origin = {toCoordinate(x - halfWidth), toCoordinate(y - halfHeight)};
}

void DCompositeObject_Slider::place(uint64_t position)
{
    const int64_t offset = m_travel ? share(m_travel, position) : 0;
    if (offset == m_offset)
        return;
    m_offset = offset;
    int64_t x = m_origin.x, y = m_origin.y;
    switch (m_direction) {
    case Right: x += offset; break;
    case Left: x -= offset; break;
    case Down: y += offset; break;
    case Up: y -= offset; break;
    default: return;
    }
    m_thumb->moveTo({toCoordinate(x), toCoordinate(y)});
}

std::optional<uint64_t> DCompositeObject_Slider::positionAt(DPoint point) const
{
    if (m_travel <= 0)
        return std::nullopt;
    int64_t distance = 0;
    switch (m_direction) {
    case Right: distance = int64_t(point.x) - m_reference.x; break;
    case Left: distance = int64_t(m_reference.x) - point.x; break;
    case Down: distance = int64_t(point.y) - m_reference.y; break;
    default: distance = int64_t(m_reference.y) - point.y; break;
    }
    distance = std::clamp<int64_t>(distance, 0, m_travel);
    return m_scale.rounded(uint64_t(mulDiv(int64_t(m_scale.range()), distance, m_travel)));
}
