#include "editor/objects/ticks/CTickPen.h"

#include <algorithm>

#include <cairo.h>

namespace {

// Cairo's pixel (x, y) spans x .. x + 1; the tick geometry puts pixel centres on whole numbers.
constexpr double kPixelCentre = 0.5;
// Wider than any object: keeps a width from a property from meaning nonsense to cairo.
constexpr int32_t kMaxWidth = 4096;

} // namespace

CTickPen::CTickPen(int32_t width, gfx::Colour colour) : m_width(std::clamp(width, 1, kMaxWidth)), m_colour(colour)
{
}

void CTickPen::DrawLine(gfx::DeviceContext& dc, gfx::Point from, gfx::Point to) const
{
    cairo_t* cr = dc.cairo();
    if (!cr || m_colour.alpha() == 0)
        return;
    cairo_save(cr);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_DEFAULT);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    cairo_set_line_width(cr, m_width);
    const uint32_t argb = m_colour.argb;
    cairo_set_source_rgba(cr, (argb >> 16 & 0xFF) / 255.0, (argb >> 8 & 0xFF) / 255.0, (argb & 0xFF) / 255.0,
                          (argb >> 24) / 255.0);
    cairo_move_to(cr, from.x + kPixelCentre, from.y + kPixelCentre);
    cairo_line_to(cr, to.x + kPixelCentre, to.y + kPixelCentre);
    cairo_stroke(cr);
    cairo_restore(cr);
}
