#pragma once
// The mapping between page (virtual) pixels and the client pixels of the editing window:
// zoom, scroll positions, the scroll bars' ranges and pages, the wheel remainder and the
// scrolling while a drag leaves the window.

#include <cstdint>

#include "diagram/DiagramGeometry.h"

// Rounded half up (floor of value + 0.5) into 32 bits, as every mapping here rounds.
int32_t RoundHalfUp(double value);

enum class ScrollAxis { Horizontal, Vertical };

// A bar's layout: range 0 to range, a page of page, shown only when the scaled paper
// is larger than the client area on that axis.
struct ScrollBarState {
    bool shown = false;
    int32_t range = 0;
    int32_t page = 0;
    int32_t position = 0;
    bool operator==(const ScrollBarState&) const = default;
};

enum class ScrollAction { LineUp, LineDown, PageUp, PageDown, Track, Top, Bottom };

class DiagramViewport {
public:
    // Below 0.01 the mapping back to page pixels loses its meaning (0 divides by zero).
    static constexpr double kMinimumZoom = 0.01;
    static constexpr double kMaximumZoom = 10.0;
    static constexpr int32_t kWheelNotch = 120;
    static constexpr int32_t kAutoScrollStep = 10;

    double GetZoom() const { return m_zoom; }
    // Clamped to the zoom limits; false when nothing changed.
    bool SetZoom(double zoom);

    CDiagramPoint GetClientSize() const { return m_client; }
    bool SetClientSize(int32_t width, int32_t height);
    // The paper as stored; a dimension of 0 falls back to the client size.
    void SetPaperSize(CDiagramPoint paper);
    CDiagramPoint GetVirtualSize() const;
    // The virtual size times the zoom, rounded.
    CDiagramPoint GetScaledSize() const;

    // Client x of a virtual x (and back), rounded half up.
    int32_t ToScreenX(double x) const;
    int32_t ToScreenY(double y) const;
    CDiagramPoint ToScreen(CDiagramPoint point) const { return {ToScreenX(point.x), ToScreenY(point.y)}; }
    CDiagramRect ToScreen(CDiagramRect rect) const;
    CDiagramPoint ToVirtual(CDiagramPoint client) const;
    // Client pixels to the zoomed page the editor paints in (client plus scroll).
    CDiagramPoint ToCanvas(CDiagramPoint client) const { return {client.x + m_scroll.x, client.y + m_scroll.y}; }

    // Lays both bars out for the current zoom, paper and client size; positions are
    // kept within their new range.
    void Layout();
    ScrollBarState GetBar(ScrollAxis axis) const;
    CDiagramPoint GetScrollPosition() const { return m_scroll; }
    // Kept within 0 and the bar's last position; false when nothing changed.
    bool SetScrollPosition(ScrollAxis axis, int32_t position);
    bool Scroll(ScrollAxis axis, ScrollAction action, int32_t trackPosition = 0);
    // Adds a wheel delta; answers the whole notches it completes (positive away from
    // the user), the remainder waiting for the next delta.
    int32_t AccumulateWheel(int32_t delta);
    // While a button is held outside the client area: 10 pixels towards the pointer on
    // each axis where the scaled paper is larger than the client area.
    bool AutoScroll(CDiagramPoint client);

private:
    int32_t LastPosition(ScrollAxis axis) const;

    double m_zoom = 1.0;
    CDiagramPoint m_client;
    CDiagramPoint m_paper;
    CDiagramPoint m_scroll;
    CDiagramPoint m_range;
    int32_t m_wheelRemainder = 0;
};
