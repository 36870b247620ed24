#pragma once
// The pen ticks are drawn with: anti-aliased lines of a width in pixels with flat ends,
// pixel centres on whole coordinates (as GDI+ draws them): a line from (x, 0) to (x, 10)
// of width 2 runs from the centre of row 0 to the centre of row 10, covering column x
// whole and half of the columns beside it.

#include <cstdint>

#include "platform/gfx/Colour.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Point.h"

class CTickPen {
public:
    // A width below 1 draws the thinnest line, one pixel wide.
    CTickPen(int32_t width, gfx::Colour colour);

    // A line from the centre of pixel 'from' to the centre of pixel 'to', clipped by the context.
    void DrawLine(gfx::DeviceContext& dc, gfx::Point from, gfx::Point to) const;

    int32_t Width() const { return m_width; }
    gfx::Colour Colour() const { return m_colour; }

private:
    int32_t m_width;
    gfx::Colour m_colour;
};
