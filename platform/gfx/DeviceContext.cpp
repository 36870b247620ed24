#include "platform/gfx/DeviceContext.h"

#include <algorithm>
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
