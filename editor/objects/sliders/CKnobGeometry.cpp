#include "editor/objects/sliders/CKnobGeometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kDegreesPerHalfTurn = 180.0;
// The angle 0 lies straight below the centre: 270 degrees on the mathematical circle.
constexpr int32_t kStraightDown = 270;

int32_t scaled(int64_t value, int64_t percent, int64_t divisor)
{
    return saturated32(value * percent / divisor);
}

} // namespace

int32_t CKnobGeometry::NormalisedAngle(int64_t degrees)
{
    return int32_t(((degrees % kFullTurn) + kFullTurn) % kFullTurn);
}

gfx::Rect CKnobGeometry::Square(const gfx::Rect& rect)
{
    const int64_t d = ((int64_t(rect.right) - rect.left) - (int64_t(rect.bottom) - rect.top)) / 2;
    return d < 1 ? rect.inset(0, -d, 0, -d) : rect.inset(d, 0, d, 0);
}

KnobLayout CKnobGeometry::Layout() const
{
    return LayoutAt(m_settings.click ? AngleOfClick(*m_settings.click) : NormalisedAngle(m_settings.startAngle));
}

KnobLayout CKnobGeometry::LayoutAt(int32_t angle) const
{
    const KnobSettings& s = m_settings;
    KnobLayout layout;
    layout.square = Square(s.rect);
    layout.angle = angle;
    const int64_t cross = layout.square.width();
    const int32_t k = s.placement == TickPlacement::Outer ? scaled(cross, s.tickOffset, 200) + scaled(cross, s.tickSize, 200) : 0;
    layout.face = layout.square;
    if (k > 0)
        layout.face = layout.square.inset(k, k, k, k);
    if (!s.thumbPicture || s.thumbPicture->width <= 0 || s.thumbPicture->height <= 0) {
        layout.thumb = s.rect;
        return layout;
    }

    const int64_t r = std::max(layout.face.width(), 0) / 2;
    const int64_t thumbPercent = std::min(s.thumbSize, kWidestThumb);
    const int64_t side = r * thumbPercent / 100;
    const int64_t offset = r * std::clamp<int64_t>(s.thumbOffset, 0, kWidestThumb - thumbPercent) / 100;
    const int64_t halfSide = r * thumbPercent / 200;
    const int64_t radius = r - halfSide - offset;
    layout.radius = saturated32(radius);

    const double theta = double(kStraightDown - angle) * std::numbers::pi / kDegreesPerHalfTurn;
    const int64_t left = layout.face.left + r + int64_t(std::trunc(std::cos(theta) * double(radius))) - halfSide;
    const int64_t top = layout.face.top + r - int64_t(std::trunc(std::sin(theta) * double(radius))) - halfSide;
    layout.thumb = {saturated32(left), saturated32(top), saturated32(left + side), saturated32(top + side)};
    return layout;
}

int32_t CKnobGeometry::AngleOfClick(gfx::Point click) const
{
    const KnobSettings& s = m_settings;
    const int64_t cx = (int64_t(s.rect.left) + s.rect.right) / 2, cy = (int64_t(s.rect.top) + s.rect.bottom) / 2;
    const double pointing = std::atan2(-double(click.y - cy), double(click.x - cx)) * kDegreesPerHalfTurn / std::numbers::pi;
    int32_t angle = kStraightDown - int32_t(std::trunc(pointing));
    if (angle > kFullTurn)
        angle -= kFullTurn;

    const int32_t start = NormalisedAngle(s.startAngle), end = NormalisedAngle(s.endAngle);
    const int32_t low = std::min(start, end), high = std::max(start, end);
    bool clockwise = s.sense == RotationSense::Clockwise;
    if (end < start)
        clockwise = !clockwise;
    const bool onArc = clockwise ? low <= angle && angle <= high : angle <= low || angle >= high;
    return onArc ? angle : start;
}

std::optional<RadialTickLayout> CKnobGeometry::Ticks() const
{
    const KnobSettings& s = m_settings;
    if (s.tickSize <= 0)
        return std::nullopt;
    const gfx::Rect square = Square(s.rect);
    const int64_t y = (int64_t(square.right) - square.left) / 2;
    const int32_t length = scaled(y, s.tickSize, 100);
    const int32_t outer = s.placement == TickPlacement::Outer ? saturated32(y) : saturated32(y - y * s.tickOffset / 100);
    RadialTickLayout layout;
    layout.centre = {saturated32((int64_t(square.left) + square.right) / 2), saturated32((int64_t(square.top) + square.bottom) / 2)};
    layout.arc = CRadialTickDrawer::NormaliseArc(NormalisedAngle(s.startAngle), NormalisedAngle(s.endAngle), s.sense);
    layout.label = {outer - length, outer};
    layout.shortTick = s.placement == TickPlacement::Outer ? TickRadii{outer - length, outer - length / 2}
                                                           : TickRadii{outer - length + length / 2, outer};
    return layout;
}
