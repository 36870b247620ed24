#pragma once
// An owned 32-bit premultiplied ARGB surface (a cairo image surface), cleared to
// transparent black. A surface that cannot be made is invalid and draws nothing.

#include <cstdint>

#include "platform/gfx/PixelBuffer.h"

typedef struct _cairo_surface cairo_surface_t;

namespace gfx {

class Surface {
public:
    Surface() = default;
    Surface(int32_t width, int32_t height);
    ~Surface();
    Surface(Surface&& other) noexcept;
    Surface& operator=(Surface&& other) noexcept;
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    bool isValid() const { return m_surface != nullptr; }
    int32_t width() const { return m_pixels.width; }
    int32_t height() const { return m_pixels.height; }
    int32_t stride() const { return m_pixels.stride; }

    // Direct pixel access; pending cairo drawing is finished first.
    PixelBuffer pixels();
    ConstPixelBuffer pixels() const;
    // The pixel at (x, y), or 0 outside the surface.
    uint32_t pixel(int32_t x, int32_t y) const;

    cairo_surface_t* cairoSurface() const { return m_surface; }

private:
    cairo_surface_t* m_surface = nullptr;
    PixelBuffer m_pixels;
};

} // namespace gfx
