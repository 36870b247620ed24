#include "editor/objects/ticks/CLinearTickDrawer.h"

#include <algorithm>

std::vector<TickLine> CLinearTickDrawer::Lines(const TickScale& scale) const
{
    const LinearTickLayout& l = m_layout;
    const int32_t mid = (l.nearEdge + l.farEdge) / 2;
    const int32_t quarter = (l.farEdge - l.nearEdge) / 4;
    int32_t shortFrom = mid - quarter - 1;
    int32_t shortTo = mid + quarter + 1;
    if (l.alignment == TickAlignment::TopLeft) {
        shortFrom = mid - 1;
        shortTo = l.farEdge;
    } else if (l.alignment == TickAlignment::BottomRight) {
        shortFrom = l.nearEdge;
        shortTo = mid + 1;
    }

    std::vector<TickLine> lines;
    CTickGenerator ticks(scale, std::max(l.length, 0));
    for (Tick tick; ticks.Next(tick);) {
        const int64_t offset = l.sense == TickSense::Forward ? tick.position : -tick.position;
        const auto along = int32_t(std::clamp<int64_t>(l.origin + offset, INT32_MIN, INT32_MAX));
        const bool label = tick.kind == TickKind::Label;
        const int32_t from = label ? l.nearEdge : shortFrom;
        const int32_t to = label ? l.farEdge : shortTo;
        if (l.axis == TickAxis::Horizontal)
            lines.push_back({{along, from}, {along, to}, tick.kind});
        else
            lines.push_back({{from, along}, {to, along}, tick.kind});
    }
    return lines;
}

void CLinearTickDrawer::Draw(gfx::DeviceContext& dc, const CTickPen& pen, const TickScale& scale) const
{
    for (const TickLine& line : Lines(scale))
        pen.DrawLine(dc, line.from, line.to);
}
