#include "engine/widgets/DCompositeObject_Knob.h"

#include <cmath>

#include "engine/primitives/DBaseObject_UnscaledBitmap.h"
#include "engine/primitives/DWidgetMath.h"

namespace {
// No position gives this angle, so the first value after show always moves the thumb.
constexpr double kUnsetAngle = 10000.0;
} // namespace

void DCompositeObject_Knob::layout(const Words& words)
{
    m_start = radiansOf(words.startDegrees());
    m_sweep = radiansOf(words.endDegrees()) - m_start;
    if (m_sweep <= 0)
        m_sweep += kFullTurn;
    if (m_direction == kCounterclockwise)
        m_sweep = kFullTurn - m_sweep;
    m_radius = words.travel;
    const DRect dial = m_track->bounds(), thumb = m_thumb->bounds();
    const int64_t x = dial.left + (dial.width() >> 1), y = dial.top + (dial.height() >> 1);
    m_centre = {toCoordinate(x), toCoordinate(y)};
    m_origin = {toCoordinate(x - (thumb.width() >> 1)), toCoordinate(y - (thumb.height() >> 1))};
}

void DCompositeObject_Knob::forgetPlace()
{
    m_angle = kUnsetAngle;
}

void DCompositeObject_Knob::place(uint64_t position)
{
    const uint64_t range = m_scale.range();
    double angle = range ? double(position) * m_sweep / double(range) : 0;
    if (m_direction == kCounterclockwise)
        angle = kFullTurn - angle;
    if (angle == m_angle)
        return;
    m_angle = angle;
    const double turned = angle + m_start;
    m_thumb->moveTo({toCoordinate(int64_t(m_origin.x) - toCoordinate(std::sin(turned) * m_radius)),
                     toCoordinate(int64_t(m_origin.y) + toCoordinate(std::cos(turned) * m_radius))});
}

std::optional<uint64_t> DCompositeObject_Knob::positionAt(DPoint point) const
{
    if (!(m_sweep > 0))
        return std::nullopt;
    double angle = std::atan2(double(m_centre.x) - point.x, double(point.y) - m_centre.y) - m_start;
    angle = std::fmod(angle, kFullTurn);
    if (angle < 0)
        angle += kFullTurn;
    if (m_direction == kCounterclockwise)
        angle = kFullTurn - angle;
    // Past the end: the nearer end of the sweep.
    if (angle > m_sweep)
        angle = angle < m_sweep / 2 + kFullTurn / 2 ? m_sweep + 0.000001 : 0;
    const double range = double(m_scale.range());
    const double position = std::min(std::trunc(angle * range / m_sweep), range);
    return m_scale.rounded(uint64_t(position));
}
