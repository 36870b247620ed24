#include "platform/gfx/Surface.h"

#include <cairo.h>
#include <utility>

namespace gfx {

Surface::Surface(int32_t width, int32_t height)
{
    if (width <= 0 || height <= 0)
        return;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        return;
    }
    m_surface = surface;
    m_pixels = {reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(surface)), width, height,
                cairo_image_surface_get_stride(surface)};
}

Surface::~Surface()
{
    if (m_surface)
        cairo_surface_destroy(m_surface);
}

Surface::Surface(Surface&& other) noexcept
    : m_surface(std::exchange(other.m_surface, nullptr)), m_pixels(std::exchange(other.m_pixels, {}))
{
}

Surface& Surface::operator=(Surface&& other) noexcept
{
    if (this != &other) {
        if (m_surface)
            cairo_surface_destroy(m_surface);
        m_surface = std::exchange(other.m_surface, nullptr);
        m_pixels = std::exchange(other.m_pixels, {});
    }
    return *this;
}

PixelBuffer Surface::pixels()
{
    if (m_surface)
        cairo_surface_flush(m_surface);
    return m_pixels;
}

ConstPixelBuffer Surface::pixels() const
{
    if (m_surface)
        cairo_surface_flush(m_surface);
    return m_pixels;
}

uint32_t Surface::pixel(int32_t x, int32_t y) const
{
    if (!m_surface || x < 0 || y < 0 || x >= m_pixels.width || y >= m_pixels.height)
        return 0;
    return pixels().row(y)[x];
}

} // namespace gfx
