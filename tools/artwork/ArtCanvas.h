#pragma once
// A picture being drawn with cairo (premultiplied ARGB32), written out as PNG or JPEG.

#include <cstdint>
#include <filesystem>
#include <vector>

typedef struct _cairo cairo_t;
typedef struct _cairo_surface cairo_surface_t;
typedef struct _cairo_pattern cairo_pattern_t;

struct Rgb {
    double r = 0, g = 0, b = 0;

    static Rgb fromHex(uint32_t rgb) { return {(rgb >> 16 & 0xFF) / 255.0, (rgb >> 8 & 0xFF) / 255.0, (rgb & 0xFF) / 255.0}; }
    // Towards white (amount > 0) or black (amount < 0).
    Rgb shaded(double amount) const;
    Rgb mixed(const Rgb& other, double amount) const;
};

class ArtCanvas {
public:
    ArtCanvas(int width, int height);
    ~ArtCanvas();
    ArtCanvas(const ArtCanvas&) = delete;
    ArtCanvas& operator=(const ArtCanvas&) = delete;

    cairo_t* cairo() const { return m_cairo; }
    int width() const { return m_width; }
    int height() const { return m_height; }

    void setColour(const Rgb& colour, double alpha = 1.0) const;
    // A vertical gradient from top to bottom as the source.
    void setVerticalGradient(double top, double bottom, const Rgb& from, const Rgb& to, double alpha = 1.0) const;
    static void addStop(cairo_pattern_t* pattern, double offset, const Rgb& colour, double alpha = 1.0);
    void roundedRectangle(double x, double y, double width, double height, double radius) const;

    std::vector<uint8_t> png() const;
    // False when the file cannot be written.
    bool savePng(const std::filesystem::path& path) const;
    bool saveJpeg(const std::filesystem::path& path) const;

private:
    int m_width;
    int m_height;
    cairo_surface_t* m_surface;
    cairo_t* m_cairo;
};
