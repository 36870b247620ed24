#include "diagram/editor/DiagramViewport.h"

#include <algorithm>
#include <cmath>

#include "diagram/EntityTextLine.h"

int32_t RoundHalfUp(double value)
{
    return EntityTextLine::TruncateToInt(std::floor(value + 0.5));
}

namespace {

int32_t& along(CDiagramPoint& point, ScrollAxis axis)
{
    return axis == ScrollAxis::Horizontal ? point.x : point.y;
}

int32_t along(const CDiagramPoint& point, ScrollAxis axis)
{
    return axis == ScrollAxis::Horizontal ? point.x : point.y;
}

} // namespace

bool DiagramViewport::SetZoom(double zoom)
{
    if (std::isnan(zoom))
        zoom = kMinimumZoom;
    zoom = std::clamp(zoom, kMinimumZoom, kMaximumZoom);
    if (zoom == m_zoom)
        return false;
    m_zoom = zoom;
    Layout();
    return true;
}

bool DiagramViewport::SetClientSize(int32_t width, int32_t height)
{
    const CDiagramPoint client{std::max(width, 0), std::max(height, 0)};
    if (client == m_client)
        return false;
    m_client = client;
    Layout();
    return true;
}

void DiagramViewport::SetPaperSize(CDiagramPoint paper)
{
    m_paper = paper;
    Layout();
}

CDiagramPoint DiagramViewport::GetVirtualSize() const
{
    return {m_paper.x > 0 ? m_paper.x : m_client.x, m_paper.y > 0 ? m_paper.y : m_client.y};
}

CDiagramPoint DiagramViewport::GetScaledSize() const
{
    const CDiagramPoint size = GetVirtualSize();
    return {RoundHalfUp(size.x * m_zoom), RoundHalfUp(size.y * m_zoom)};
}

int32_t DiagramViewport::ToScreenX(double x) const
{
    return RoundHalfUp(x * m_zoom - m_scroll.x);
}

int32_t DiagramViewport::ToScreenY(double y) const
{
    return RoundHalfUp(y * m_zoom - m_scroll.y);
}

CDiagramRect DiagramViewport::ToScreen(CDiagramRect rect) const
{
    rect = rect.Normalized();
    return {ToScreenX(rect.left), ToScreenY(rect.top), ToScreenX(rect.right), ToScreenY(rect.bottom)};
}

CDiagramPoint DiagramViewport::ToVirtual(CDiagramPoint client) const
{
    return {RoundHalfUp((double(client.x) + m_scroll.x) / m_zoom), RoundHalfUp((double(client.y) + m_scroll.y) / m_zoom)};
}

void DiagramViewport::Layout()
{
    const CDiagramPoint scaled = GetScaledSize();
    for (ScrollAxis axis : {ScrollAxis::Horizontal, ScrollAxis::Vertical}) {
        const bool shown = along(m_client, axis) < along(scaled, axis);
        along(m_range, axis) = shown ? along(scaled, axis) : 0;
        along(m_scroll, axis) = std::clamp(along(m_scroll, axis), 0, LastPosition(axis));
    }
}

ScrollBarState DiagramViewport::GetBar(ScrollAxis axis) const
{
    const int32_t range = along(m_range, axis);
    if (range == 0)
        return {};
    return {true, range, along(m_client, axis), along(m_scroll, axis)};
}

int32_t DiagramViewport::LastPosition(ScrollAxis axis) const
{
    const int32_t range = along(m_range, axis);
    return range == 0 ? 0 : std::max(range - along(m_client, axis), 0);
}

bool DiagramViewport::SetScrollPosition(ScrollAxis axis, int32_t position)
{
    position = std::clamp(position, 0, LastPosition(axis));
    int32_t& current = along(m_scroll, axis);
    if (position == current)
        return false;
    current = position;
    return true;
}

bool DiagramViewport::Scroll(ScrollAxis axis, ScrollAction action, int32_t trackPosition)
{
    const int32_t position = along(m_scroll, axis);
    const int32_t page = along(m_client, axis);
    switch (action) {
    case ScrollAction::LineUp: return SetScrollPosition(axis, position - 1);
    case ScrollAction::LineDown: return SetScrollPosition(axis, position + 1);
    case ScrollAction::PageUp: return SetScrollPosition(axis, position - page);
    case ScrollAction::PageDown: return SetScrollPosition(axis, position + page);
    case ScrollAction::Track: return SetScrollPosition(axis, trackPosition);
    case ScrollAction::Top: return SetScrollPosition(axis, 0);
    case ScrollAction::Bottom: return SetScrollPosition(axis, LastPosition(axis));
    }
    return false;
}

int32_t DiagramViewport::AccumulateWheel(int32_t delta)
{
    const int64_t total = int64_t(m_wheelRemainder) + delta;
    const int64_t notches = total / kWheelNotch;
    m_wheelRemainder = int32_t(total - notches * kWheelNotch);
    return int32_t(std::clamp<int64_t>(notches, INT32_MIN, INT32_MAX));
}

bool DiagramViewport::AutoScroll(CDiagramPoint client)
{
    const CDiagramPoint scaled = GetScaledSize();
    bool moved = false;
    for (ScrollAxis axis : {ScrollAxis::Horizontal, ScrollAxis::Vertical}) {
        if (along(scaled, axis) <= along(m_client, axis))
            continue;
        const int32_t at = along(client, axis);
        if (at < 0)
            moved |= SetScrollPosition(axis, along(m_scroll, axis) - kAutoScrollStep);
        else if (at >= along(m_client, axis))
            moved |= SetScrollPosition(axis, along(m_scroll, axis) + kAutoScrollStep);
    }
    return moved;
}
