#pragma once
// The device context the editor and the theme plug-ins draw into: a 32-bit premultiplied
// ARGB target with a viewport origin and a rectangular clip. Rectangles exclude their
// right and bottom edge, as GDI's do. Fills and blends are our own exact loops; scaled
// image drawing with filtering goes through cairo.
//
// Coordinates given to drawing calls are logical: device = logical + viewport origin.
// A context that could not be set up (invalid target) draws nothing and reports 1.

#include <cstdint>

#include "platform/gfx/Colour.h"
#include "platform/gfx/PixelBuffer.h"
#include "platform/gfx/Point.h"
#include "platform/gfx/Rect.h"

typedef struct _cairo cairo_t;
typedef struct _cairo_surface cairo_surface_t;

namespace gfx {

class Surface;

// Cosmetic pen styles, in GDI's order.
enum class LineStyle { Solid, Dash, Dot, DashDot, DashDotDot };

class DeviceContext {
public:
    explicit DeviceContext(Surface& surface);
    // Over pixels the caller owns and keeps alive for the context's life.
    explicit DeviceContext(const PixelBuffer& target);
    ~DeviceContext();
    DeviceContext(const DeviceContext&) = delete;
    DeviceContext& operator=(const DeviceContext&) = delete;

    bool isValid() const { return m_cairo != nullptr; }
    int32_t width() const { return m_target.width; }
    int32_t height() const { return m_target.height; }

    void setViewportOrigin(Point origin);
    Point viewportOrigin() const { return m_origin; }

    // Narrows the clip to a logical rectangle; resetClip opens it to the whole target.
    void intersectClipRect(const Rect& rect);
    void resetClip();
    // The clip in logical coordinates.
    Rect clipBox() const { return m_clip.translated(-m_origin.x, -m_origin.y); }

    // Opaque colours replace the pixels; others are blended over them.
    void fillRect(const Rect& rect, Colour colour);

    // A one-pixel line from 'from' towards 'to', the end point left out as GDI's LineTo
    // does. Dashed styles follow GDI's cosmetic pen patterns.
    void drawLine(Point from, Point to, Colour colour, LineStyle style = LineStyle::Solid);

    // GDI's focus rectangle: every other pixel of the outline inverted (colour bits only),
    // so drawing it twice restores the pixels.
    void drawFocusRect(const Rect& rect);

    // An ellipse inside the rectangle (right and bottom excluded): filled with fill when
    // its alpha is not 0, then outlined one pixel wide with pen. Anti-aliased.
    void drawEllipse(const Rect& rect, Colour pen, Colour fill);

    // Copies the source rectangle of a bitmap to (x, y), alpha included.
    [[nodiscard]] int bitBlt(Point destination, const ConstPixelBuffer& source, const Rect& sourceRect);

    // Blends premultiplied pixels over the target (source-over, per-pixel alpha, times
    // constantAlpha / 255), stretched to the destination by nearest pixel. The source
    // rectangle must lie inside the source; 1 otherwise.
    [[nodiscard]] int alphaBlend(const Rect& destination, const ConstPixelBuffer& source, const Rect& sourceRect,
                                 uint8_t constantAlpha = 255);

    // Draws a premultiplied bitmap scaled into the destination with bilinear filtering,
    // its alpha times opacity (0 to 1).
    [[nodiscard]] int drawImageScaled(const Rect& destination, const ConstPixelBuffer& source, double opacity = 1.0);

    // The cairo context, with the origin and clip applied, for drawing this class does not
    // offer yet; null when the context is invalid.
    cairo_t* cairo() const { return m_cairo; }

private:
    void setUp(cairo_surface_t* surface);
    void applyCairoState();
    PixelBuffer beginPixelAccess();
    void endPixelAccess();
    Rect toDevice(const Rect& rect) const { return rect.translated(m_origin.x, m_origin.y); }

    PixelBuffer m_target;
    cairo_surface_t* m_surface = nullptr;
    cairo_t* m_cairo = nullptr;
    Point m_origin;
    Rect m_clip; // device coordinates
};

} // namespace gfx
