#include "editor/objects/scales/CBarGraphGeometry.h"

#include <algorithm>

namespace {

// Inner ticks keep this far from the bar's edge.
constexpr int32_t kInnerEdgeGap = 2;

} // namespace

CBarGraphGeometry::CBarGraphGeometry(const gfx::Rect& rect, int32_t direction, const BarGraphTickSettings& ticks)
    : m_rect(rect), m_direction(direction), m_ticks(ticks)
{
    m_ticks.size = std::clamp(m_ticks.size, 0, 90);
}

std::optional<gfx::Rect> CBarGraphGeometry::TickBand(BarTickAlignment alignment) const
{
    if (!m_ticks.show || m_ticks.size <= 0)
        return std::nullopt;
    if (alignment == BarTickAlignment::Dual)
        return m_rect;
    const int64_t c = CrossExtent();
    const int64_t gap = m_ticks.outer ? 0 : kInnerEdgeGap;
    const int64_t cut = c - gap - m_ticks.size * c / 200 - 1;
    if (cut <= 0)
        return std::nullopt;
    int64_t nearCut = gap;
    int64_t farCut = cut;
    if (alignment == BarTickAlignment::BottomRight) {
        nearCut = cut;
        farCut = gap;
    } else if (alignment == BarTickAlignment::Centre) {
        nearCut = cut / 2;
        farCut = cut / 2;
    }
    gfx::Rect band = m_rect;
    if (IsVertical()) {
        band.left += int32_t(nearCut);
        band.right -= int32_t(farCut);
    } else {
        band.top += int32_t(nearCut);
        band.bottom -= int32_t(farCut);
    }
    return band;
}

BarArea CBarGraphGeometry::Area() const
{
    if (!TickBand() || !m_ticks.outer)
        return {m_rect, 0};
    const int64_t c = CrossExtent();
    const BarTickAlignment a = m_ticks.alignment;
    if (a == BarTickAlignment::Centre)
        return {m_rect, int32_t(c * m_ticks.size / 400 + 1)};
    const auto k = int32_t(c * m_ticks.size / 200);
    const int32_t nearCut = a == BarTickAlignment::BottomRight ? 0 : k;
    const int32_t farCut = a == BarTickAlignment::TopLeft ? 0 : k;
    gfx::Rect area = m_rect;
    if (IsVertical()) {
        area.left += nearCut;
        area.right -= farCut;
    } else {
        area.top += nearCut;
        area.bottom -= farCut;
    }
    return {area, 0};
}

LinearTickLayout CBarGraphGeometry::TickLayout(const gfx::Rect& band, BarTickAlignment alignment) const
{
    LinearTickLayout layout;
    layout.alignment = TickAlignment(std::clamp(int32_t(alignment), 0, 2));
    const bool fromFarEnd = m_direction == 2 || m_direction == 4;
    layout.sense = fromFarEnd ? TickSense::Backward : TickSense::Forward;
    // From the far end the minimum stands on the band's last pixel, mirroring the near end,
    // so both ends of the scale are drawn inside the picture.
    if (IsVertical()) {
        layout.axis = TickAxis::Vertical;
        layout.length = band.height() - 1;
        layout.origin = fromFarEnd ? band.bottom - 1 : band.top;
        layout.nearEdge = band.left;
        layout.farEdge = band.right - 1;
    } else {
        layout.axis = TickAxis::Horizontal;
        layout.length = band.width() - 1;
        layout.origin = fromFarEnd ? band.right - 1 : band.left;
        layout.nearEdge = band.top;
        layout.farEdge = band.bottom - 1;
    }
    return layout;
}
