#pragma once
// The rectangles of the page that must be drawn again this frame: joined as they come,
// redrawn page by page, then presented as one clamped union.

#include <vector>

#include "foundation/DGeometry.h"

class DPage;
class DRenderer;

class DDirtyRegion {
public:
    // Joins the rectangle with the first one it meets, and that one with every later one
    // it then meets; a rectangle that meets none is added. Nothing may be marked while the
    // pages are drawn: debug builds stop there.
    void invalidate(const DRect& rect);
    const std::vector<DRect>& rectangles() const { return m_rectangles; }
    void clear() { m_rectangles.clear(); }

    // In each rectangle, the page's visible primitives that meet it, bottom first (the
    // page under a pop-up below the pop-up's own); every rectangle joins the union.
    void redraw(DPage& page, DRenderer* renderer, DRect& united);
    // Empties the list and hands the union, clamped to the target, to the renderer.
    void present(DRenderer* renderer, DRect united);

private:
    std::vector<DRect> m_rectangles;
    bool m_painting = false;
};
