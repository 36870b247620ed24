#include "editor/objects/ticks/CRadialTickDrawer.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr int32_t kFullTurn = 360;
constexpr double kHalfTurn = 180.0;
// sin 180° is not quite 0 in doubles: a coordinate this close to a whole number is that number.
constexpr double kWholeTolerance = 1e-9;

int32_t truncated(double coordinate)
{
    const double whole = std::round(coordinate);
    const double value = std::abs(coordinate - whole) < kWholeTolerance ? whole : std::trunc(coordinate);
    return int32_t(std::clamp<double>(value, INT32_MIN, INT32_MAX));
}

} // namespace

CRadialTickDrawer::CRadialTickDrawer(const RadialTickLayout& layout) : m_layout(layout)
{
    m_layout.arc.span = std::clamp(m_layout.arc.span, -kMaxSpan, kMaxSpan);
}

RadialArc CRadialTickDrawer::NormaliseArc(int32_t start, int32_t end, RotationSense sense)
{
    int64_t from = start;
    if (sense == RotationSense::Counterclockwise && start <= end)
        from += kFullTurn;
    else if (sense == RotationSense::Clockwise && start >= end)
        from -= kFullTurn;
    const int64_t span = std::clamp<int64_t>(int64_t(end) - from, -kMaxSpan, kMaxSpan);
    return {int32_t(std::clamp<int64_t>(from, INT32_MIN, INT32_MAX)), int32_t(span)};
}

int32_t CRadialTickDrawer::AngleOf(const RadialArc& arc, int64_t value, int64_t range)
{
    if (range <= 0)
        return arc.start;
    range = std::min(range, CTickGenerator::kMaxRange);
    value = std::clamp<int64_t>(value, 0, range);
    const int64_t span = std::clamp(arc.span, -kMaxSpan, kMaxSpan);
    return int32_t(std::clamp<int64_t>(arc.start + value * span / range, INT32_MIN, INT32_MAX));
}

gfx::Point CRadialTickDrawer::PointAt(gfx::Point centre, int32_t radius, int32_t angle)
{
    const double radians = (angle % kFullTurn) * std::numbers::pi / kHalfTurn;
    return {truncated(centre.x - radius * std::sin(radians)), truncated(centre.y + radius * std::cos(radians))};
}

std::vector<TickLine> CRadialTickDrawer::Lines(const TickScale& scale) const
{
    const RadialTickLayout& l = m_layout;
    const int64_t degrees = std::abs(int64_t(l.arc.span));
    const int64_t outer = std::max({l.label.outer, l.label.inner, l.shortTick.outer, l.shortTick.inner, 0});
    const auto arcPixels = int64_t(double(degrees) * std::numbers::pi * double(outer) / kHalfTurn);
    // One tick a degree at most, and one a pixel of the outer arc.
    CTickGenerator ticks(scale, std::min(degrees, arcPixels));
    std::vector<TickLine> lines;
    gfx::Point lastRim;
    for (Tick tick; ticks.Next(tick);) {
        const int32_t angle = AngleOf(l.arc, tick.value, ticks.Range());
        const TickRadii& radii = tick.kind == TickKind::Label ? l.label : l.shortTick;
        const TickLine line{PointAt(l.centre, radii.inner, angle), PointAt(l.centre, radii.outer, angle), tick.kind};
        // Neighbours along the arc can still meet on one pixel of the rim once truncated:
        // one line there, a label when either is.
        const gfx::Point rim = PointAt(l.centre, int32_t(outer), angle);
        if (!lines.empty() && rim == lastRim) {
            if (tick.kind == TickKind::Label)
                lines.back() = line;
            continue;
        }
        lines.push_back(line);
        lastRim = rim;
    }
    return lines;
}

void CRadialTickDrawer::Draw(gfx::DeviceContext& dc, const CTickPen& pen, const TickScale& scale) const
{
    for (const TickLine& line : Lines(scale))
        pen.DrawLine(dc, line.from, line.to);
}
