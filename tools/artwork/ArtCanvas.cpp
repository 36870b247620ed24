#include "tools/artwork/ArtCanvas.h"

#include <FreeImage.h>
#include <algorithm>
#include <cairo.h>
#include <cmath>
#include <fstream>
#include <numbers>

Rgb Rgb::shaded(double amount) const
{
    return amount >= 0 ? mixed({1, 1, 1}, amount) : mixed({0, 0, 0}, -amount);
}

Rgb Rgb::mixed(const Rgb& other, double amount) const
{
    return {r + (other.r - r) * amount, g + (other.g - g) * amount, b + (other.b - b) * amount};
}

ArtCanvas::ArtCanvas(int width, int height)
    : m_width(width), m_height(height), m_surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      m_cairo(cairo_create(m_surface))
{
}

ArtCanvas::~ArtCanvas()
{
    cairo_destroy(m_cairo);
    cairo_surface_destroy(m_surface);
}

void ArtCanvas::setColour(const Rgb& colour, double alpha) const
{
    cairo_set_source_rgba(m_cairo, colour.r, colour.g, colour.b, alpha);
}

void ArtCanvas::setVerticalGradient(double top, double bottom, const Rgb& from, const Rgb& to, double alpha) const
{
    cairo_pattern_t* gradient = cairo_pattern_create_linear(0, top, 0, bottom);
    addStop(gradient, 0, from, alpha);
    addStop(gradient, 1, to, alpha);
    cairo_set_source(m_cairo, gradient);
    cairo_pattern_destroy(gradient);
}

void ArtCanvas::addStop(cairo_pattern_t* pattern, double offset, const Rgb& colour, double alpha)
{
    cairo_pattern_add_color_stop_rgba(pattern, offset, colour.r, colour.g, colour.b, alpha);
}

void ArtCanvas::roundedRectangle(double x, double y, double width, double height, double radius) const
{
    radius = std::clamp(radius, 0.0, std::min(width, height) / 2);
    constexpr double kQuarter = std::numbers::pi / 2;
    cairo_new_sub_path(m_cairo);
    cairo_arc(m_cairo, x + width - radius, y + radius, radius, -kQuarter, 0);
    cairo_arc(m_cairo, x + width - radius, y + height - radius, radius, 0, kQuarter);
    cairo_arc(m_cairo, x + radius, y + height - radius, radius, kQuarter, 2 * kQuarter);
    cairo_arc(m_cairo, x + radius, y + radius, radius, 2 * kQuarter, 3 * kQuarter);
    cairo_close_path(m_cairo);
}

std::vector<uint8_t> ArtCanvas::png() const
{
    std::vector<uint8_t> bytes;
    cairo_surface_flush(m_surface);
    cairo_surface_write_to_png_stream(
        m_surface,
        [](void* closure, const unsigned char* data, unsigned int length) {
            auto* out = static_cast<std::vector<uint8_t>*>(closure);
            out->insert(out->end(), data, data + length);
            return CAIRO_STATUS_SUCCESS;
        },
        &bytes);
    return bytes;
}

bool ArtCanvas::savePng(const std::filesystem::path& path) const
{
    const std::vector<uint8_t> bytes = png();
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return !bytes.empty() && bool(out);
}

bool ArtCanvas::saveJpeg(const std::filesystem::path& path) const
{
    cairo_surface_flush(m_surface);
    FIBITMAP* image = FreeImage_Allocate(m_width, m_height, 24);
    if (!image)
        return false;
    const unsigned char* data = cairo_image_surface_get_data(m_surface);
    const int stride = cairo_image_surface_get_stride(m_surface);
    for (int y = 0; y < m_height; ++y) {
        // FreeImage keeps the bottom row first.
        const auto* from = reinterpret_cast<const uint32_t*>(data + std::ptrdiff_t(y) * stride);
        BYTE* to = FreeImage_GetScanLine(image, m_height - 1 - y);
        for (int x = 0; x < m_width; ++x) {
            to[x * 3 + FI_RGBA_RED] = BYTE(from[x] >> 16);
            to[x * 3 + FI_RGBA_GREEN] = BYTE(from[x] >> 8);
            to[x * 3 + FI_RGBA_BLUE] = BYTE(from[x]);
        }
    }
    const bool saved = FreeImage_Save(FIF_JPEG, image, path.c_str(), JPEG_QUALITYSUPERB);
    FreeImage_Unload(image);
    return saved;
}
