#include "platform/gfx/DeviceContext.h"

#include <algorithm>
#include <cstdlib>
#include <cairo.h>
#include <vector>

#include "platform/gfx/PixelArithmetic.h"
#include "platform/gfx/Surface.h"

namespace gfx {

namespace {

bool sourceRectFits(const ConstPixelBuffer& source, const Rect& sourceRect)
{
    return source.isValid() && !sourceRect.isEmpty() && Rect{0, 0, source.width, source.height}.contains(sourceRect);
}

// For each of count destination cells of a span of destinationLength, the source cell of
// a span of sourceLength it samples: the one under the cell's centre.
std::vector<int32_t> nearestMap(int32_t first, int32_t count, int32_t destinationLength, int32_t sourceStart,
                                int32_t sourceLength)
{
    std::vector<int32_t> map(static_cast<std::size_t>(count));
    for (int32_t i = 0; i < count; ++i) {
        const int64_t offset = (int64_t(2) * (first + i) + 1) * sourceLength / (int64_t(2) * destinationLength);
        map[std::size_t(i)] = sourceStart + int32_t(offset);
    }
    return map;
}

} // namespace

DeviceContext::DeviceContext(Surface& surface)
{
    if (surface.isValid()) {
        m_target = surface.pixels();
        setUp(cairo_surface_reference(surface.cairoSurface()));
    }
}

DeviceContext::DeviceContext(const PixelBuffer& target)
{
    if (target.isValid() && target.stride >= cairo_format_stride_for_width(CAIRO_FORMAT_ARGB32, target.width)) {
        m_target = target;
        setUp(cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(target.pixels), CAIRO_FORMAT_ARGB32,
                                                  target.width, target.height, target.stride));
    }
}

DeviceContext::~DeviceContext()
{
    if (m_cairo) {
        cairo_destroy(m_cairo);
        cairo_surface_flush(m_surface);
    }
    if (m_surface)
        cairo_surface_destroy(m_surface);
}

void DeviceContext::setUp(cairo_surface_t* surface)
{
    m_surface = surface;
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS)
        return;
    cairo_t* cairo = cairo_create(surface);
    if (cairo_status(cairo) != CAIRO_STATUS_SUCCESS) {
        cairo_destroy(cairo);
        return;
    }
    m_cairo = cairo;
    resetClip();
}

void DeviceContext::applyCairoState()
{
    if (!m_cairo)
        return;
    cairo_reset_clip(m_cairo);
    cairo_identity_matrix(m_cairo);
    cairo_rectangle(m_cairo, m_clip.left, m_clip.top, m_clip.width(), m_clip.height());
    cairo_clip(m_cairo);
    cairo_translate(m_cairo, m_origin.x, m_origin.y);
}

void DeviceContext::setViewportOrigin(Point origin)
{
    m_origin = origin;
    applyCairoState();
}

void DeviceContext::intersectClipRect(const Rect& rect)
{
    m_clip = m_clip.intersected(toDevice(rect));
    applyCairoState();
}

void DeviceContext::resetClip()
{
    m_clip = isValid() ? Rect{0, 0, m_target.width, m_target.height} : Rect{};
    applyCairoState();
}

PixelBuffer DeviceContext::beginPixelAccess()
{
    cairo_surface_flush(m_surface);
    return m_target;
}

void DeviceContext::endPixelAccess()
{
    cairo_surface_mark_dirty(m_surface);
}

void DeviceContext::fillRect(const Rect& rect, Colour colour)
{
    const Rect area = toDevice(rect).intersected(m_clip);
    const uint32_t source = colour.premultiplied();
    if (!isValid() || area.isEmpty() || source == 0)
        return;
    const PixelBuffer target = beginPixelAccess();
    for (int32_t y = area.top; y < area.bottom; ++y) {
        uint32_t* row = target.row(y);
        if (colour.alpha() == 255) {
            std::fill(row + area.left, row + area.right, source);
        } else {
            for (int32_t x = area.left; x < area.right; ++x)
                row[x] = blendOver(source, row[x]);
        }
    }
    endPixelAccess();
}

namespace {

// On and off runs of GDI's cosmetic pens, repeating; solid has none.
struct DashPattern {
    int32_t runs[6];
    int32_t count;
};
constexpr DashPattern kDashPatterns[] = {
    {{}, 0}, {{18, 6}, 2}, {{3, 3}, 2}, {{9, 6, 3, 6}, 4}, {{9, 3, 3, 3, 3, 3}, 6},
};

// Whether the step-th pixel of a line is drawn.
bool dashOn(const DashPattern& pattern, int64_t step)
{
    if (pattern.count == 0)
        return true;
    int64_t period = 0;
    for (int32_t i = 0; i < pattern.count; ++i)
        period += pattern.runs[i];
    int64_t at = step % period;
    for (int32_t i = 0; i < pattern.count; ++i) {
        if (at < pattern.runs[i])
            return i % 2 == 0;
        at -= pattern.runs[i];
    }
    return false;
}

constexpr bool contains(const Rect& rect, int32_t x, int32_t y)
{
    return x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
}

// The colour channels mirrored within alpha: for opaque pixels a plain inversion, and a
// premultiplied pixel stays valid. Doing it twice gives the pixel back.
constexpr uint32_t invertPixel(uint32_t pixel)
{
    const uint32_t a = pixel >> 24;
    return a << 24 | (a - (pixel >> 16 & 0xFF)) << 16 | (a - (pixel >> 8 & 0xFF)) << 8 | (a - (pixel & 0xFF));
}

} // namespace

void DeviceContext::drawLine(Point from, Point to, Colour colour, LineStyle style)
{
    const uint32_t source = colour.premultiplied();
    if (!isValid() || source == 0 || from == to)
        return;
    const DashPattern& pattern = kDashPatterns[static_cast<int>(style)];
    const Point start{from.x + m_origin.x, from.y + m_origin.y};
    const Point end{to.x + m_origin.x, to.y + m_origin.y};
    // A solid straight line is a one-pixel rectangle.
    if (pattern.count == 0 && (start.x == end.x || start.y == end.y)) {
        const Rect line = start.x == end.x
                              ? Rect{start.x, std::min(start.y, end.y + 1), start.x + 1, std::max(start.y + 1, end.y)}
                              : Rect{std::min(start.x, end.x + 1), start.y, std::max(start.x + 1, end.x), start.y + 1};
        fillRect(line.translated(-m_origin.x, -m_origin.y), colour);
        return;
    }
    const int64_t dx = std::abs(int64_t(end.x) - start.x);
    const int64_t dy = std::abs(int64_t(end.y) - start.y);
    const int32_t sx = start.x < end.x ? 1 : -1;
    const int32_t sy = start.y < end.y ? 1 : -1;
    const int64_t steps = std::max(dx, dy);
    const PixelBuffer target = beginPixelAccess();
    int64_t error = dx - dy;
    int64_t x = start.x;
    int64_t y = start.y;
    for (int64_t step = 0; step < steps; ++step) {
        if (dashOn(pattern, step) && contains(m_clip, int32_t(x), int32_t(y))) {
            uint32_t& pixel = target.row(int32_t(y))[x];
            pixel = blendOver(source, pixel);
        }
        const int64_t twice = 2 * error;
        if (twice > -dy) {
            error -= dy;
            x += sx;
        }
        if (twice < dx) {
            error += dx;
            y += sy;
        }
    }
    endPixelAccess();
}

void DeviceContext::drawFocusRect(const Rect& rect)
{
    const Rect placed = toDevice(rect);
    if (!isValid() || placed.isEmpty() || placed.intersected(m_clip).isEmpty())
        return;
    const PixelBuffer target = beginPixelAccess();
    auto invert = [&](int32_t x, int32_t y) {
        if (((x - placed.left) + (y - placed.top)) % 2 == 0 && contains(m_clip, x, y)) {
            uint32_t& pixel = target.row(y)[x];
            pixel = invertPixel(pixel);
        }
    };
    for (int32_t x = placed.left; x < placed.right; ++x) {
        invert(x, placed.top);
        if (placed.bottom - 1 > placed.top)
            invert(x, placed.bottom - 1);
    }
    for (int32_t y = placed.top + 1; y < placed.bottom - 1; ++y) {
        invert(placed.left, y);
        if (placed.right - 1 > placed.left)
            invert(placed.right - 1, y);
    }
    endPixelAccess();
}

void DeviceContext::drawEllipse(const Rect& rect, Colour pen, Colour fill)
{
    if (!isValid() || rect.isEmpty())
        return;
    auto setSource = [this](Colour colour) {
        cairo_set_source_rgba(m_cairo, (colour.argb >> 16 & 0xFF) / 255.0, (colour.argb >> 8 & 0xFF) / 255.0,
                              (colour.argb & 0xFF) / 255.0, colour.alpha() / 255.0);
    };
    // The outline runs through the centres of the outermost pixels, so it stays inside.
    const double cx = (rect.left + rect.right) / 2.0;
    const double cy = (rect.top + rect.bottom) / 2.0;
    const double rx = std::max(rect.width() - 1, 0) / 2.0;
    const double ry = std::max(rect.height() - 1, 0) / 2.0;
    cairo_save(m_cairo);
    cairo_new_path(m_cairo);
    cairo_save(m_cairo);
    cairo_translate(m_cairo, cx, cy);
    cairo_scale(m_cairo, std::max(rx, 0.5), std::max(ry, 0.5));
    cairo_arc(m_cairo, 0, 0, 1, 0, 2 * 3.14159265358979323846);
    cairo_restore(m_cairo);
    if (fill.alpha() != 0) {
        setSource(fill);
        cairo_fill_preserve(m_cairo);
    }
    if (pen.alpha() != 0) {
        setSource(pen);
        cairo_set_line_width(m_cairo, 1.0);
        cairo_stroke(m_cairo);
    }
    cairo_new_path(m_cairo);
    cairo_restore(m_cairo);
    cairo_surface_flush(m_surface);
}

int DeviceContext::bitBlt(Point destination, const ConstPixelBuffer& source, const Rect& sourceRect)
{
    if (!isValid() || !sourceRectFits(source, sourceRect))
        return 1;
    const Rect placed = toDevice(Rect::fromSize(destination.x, destination.y, sourceRect.width(), sourceRect.height()));
    const Rect area = placed.intersected(m_clip);
    if (area.isEmpty())
        return 0;
    const PixelBuffer target = beginPixelAccess();
    for (int32_t y = area.top; y < area.bottom; ++y) {
        const uint32_t* from = source.row(sourceRect.top + y - placed.top) + sourceRect.left + (area.left - placed.left);
        std::copy(from, from + area.width(), target.row(y) + area.left);
    }
    endPixelAccess();
    return 0;
}

int DeviceContext::alphaBlend(const Rect& destination, const ConstPixelBuffer& source, const Rect& sourceRect,
                              uint8_t constantAlpha)
{
    if (!isValid() || !sourceRectFits(source, sourceRect) || destination.width() < 0 || destination.height() < 0)
        return 1;
    const Rect placed = toDevice(destination);
    const Rect area = placed.intersected(m_clip);
    if (area.isEmpty() || constantAlpha == 0)
        return 0;
    const std::vector<int32_t> columns =
        nearestMap(area.left - placed.left, area.width(), placed.width(), sourceRect.left, sourceRect.width());
    const std::vector<int32_t> rows =
        nearestMap(area.top - placed.top, area.height(), placed.height(), sourceRect.top, sourceRect.height());
    const PixelBuffer target = beginPixelAccess();
    auto blendRows = [&](auto sourcePixel) {
        for (int32_t y = 0; y < area.height(); ++y) {
            const uint32_t* from = source.row(rows[std::size_t(y)]);
            uint32_t* to = target.row(area.top + y) + area.left;
            for (int32_t x = 0; x < area.width(); ++x)
                to[x] = blendOver(sourcePixel(from[columns[std::size_t(x)]]), to[x]);
        }
    };
    if (constantAlpha == 255)
        blendRows([](uint32_t pixel) { return pixel; });
    else
        blendRows([constantAlpha](uint32_t pixel) { return scalePixel(pixel, constantAlpha); });
    endPixelAccess();
    return 0;
}

int DeviceContext::drawImageScaled(const Rect& destination, const ConstPixelBuffer& source, double opacity)
{
    if (!isValid() || !source.isValid() || destination.width() < 0 || destination.height() < 0)
        return 1;
    if (destination.isEmpty() || opacity <= 0.0)
        return 0;
    // cairo only reads a source surface; the cast does not lead to writes.
    cairo_surface_t* image = cairo_image_surface_create_for_data(
        reinterpret_cast<unsigned char*>(const_cast<uint32_t*>(source.pixels)), CAIRO_FORMAT_ARGB32, source.width,
        source.height, source.stride);
    if (cairo_surface_status(image) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(image);
        return 1;
    }
    cairo_save(m_cairo);
    cairo_rectangle(m_cairo, destination.left, destination.top, destination.width(), destination.height());
    cairo_clip(m_cairo);
    cairo_translate(m_cairo, destination.left, destination.top);
    cairo_scale(m_cairo, double(destination.width()) / source.width, double(destination.height()) / source.height);
    cairo_set_source_surface(m_cairo, image, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(m_cairo), CAIRO_FILTER_BILINEAR);
    // Edge pixels repeat outwards, so the border is not faded towards transparent.
    cairo_pattern_set_extend(cairo_get_source(m_cairo), CAIRO_EXTEND_PAD);
    cairo_paint_with_alpha(m_cairo, std::min(opacity, 1.0));
    cairo_restore(m_cairo);
    cairo_surface_destroy(image);
    cairo_surface_flush(m_surface);
    return 0;
}

} // namespace gfx
