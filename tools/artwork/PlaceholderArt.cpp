#include "tools/artwork/PlaceholderArt.h"

#include <cairo.h>
#include <cmath>
#include <numbers>
#include <string>

#include "tools/artwork/ArtCanvas.h"

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;
constexpr int kScreenSaverFrames = 7;

// A landscape: sky, sun and two hills, the picture of "some picture".
void drawLandscape(const ArtCanvas& canvas, double sunPhase)
{
    cairo_t* cr = canvas.cairo();
    const double w = canvas.width(), h = canvas.height();
    canvas.setVerticalGradient(0, h * 0.7, Rgb::fromHex(0x3C78C8), Rgb::fromHex(0xBFE0F5));
    cairo_paint(cr);
    const double sunX = w * (0.15 + 0.7 * sunPhase);
    const double sunY = h * (0.45 - 0.3 * std::sin(sunPhase * std::numbers::pi));
    cairo_pattern_t* halo = cairo_pattern_create_radial(sunX, sunY, h * 0.06, sunX, sunY, h * 0.25);
    cairo_pattern_add_color_stop_rgba(halo, 0, 1, 0.95, 0.6, 0.8);
    cairo_pattern_add_color_stop_rgba(halo, 1, 1, 0.95, 0.6, 0);
    cairo_set_source(cr, halo);
    cairo_paint(cr);
    cairo_pattern_destroy(halo);
    cairo_arc(cr, sunX, sunY, h * 0.08, 0, kTwoPi);
    canvas.setColour(Rgb::fromHex(0xFFE680));
    cairo_fill(cr);
    struct Hill { double start, height; uint32_t from, to; };
    for (const Hill& hill : {Hill{0.55, 0.35, 0x5FA84A, 0x3C7A34}, Hill{0.68, 0.22, 0x4C9A3C, 0x2B5E27}}) {
        cairo_move_to(cr, 0, h);
        for (double x = 0; x <= w; x += 4)
            cairo_line_to(cr, x, h * (hill.start + hill.height * 0.25 * std::sin(x / w * kTwoPi * 1.3 + hill.start * 9)));
        cairo_line_to(cr, w, h);
        cairo_close_path(cr);
        canvas.setVerticalGradient(h * hill.start, h, Rgb::fromHex(hill.from), Rgb::fromHex(hill.to));
        cairo_fill(cr);
    }
}

bool writeColourBar(const std::filesystem::path& path)
{
    // Green at the bottom, through yellow, to red at the top: a bar fills towards warning.
    ArtCanvas canvas(64, 256);
    cairo_pattern_t* fill = cairo_pattern_create_linear(0, 256, 0, 0);
    cairo_pattern_add_color_stop_rgb(fill, 0, 0.1, 0.65, 0.2);
    cairo_pattern_add_color_stop_rgb(fill, 0.55, 0.95, 0.85, 0.1);
    cairo_pattern_add_color_stop_rgb(fill, 1, 0.85, 0.12, 0.1);
    cairo_set_source(canvas.cairo(), fill);
    cairo_paint(canvas.cairo());
    cairo_pattern_destroy(fill);
    // A sheen down the middle, so the bar looks round.
    cairo_pattern_t* sheen = cairo_pattern_create_linear(0, 0, 64, 0);
    cairo_pattern_add_color_stop_rgba(sheen, 0, 0, 0, 0, 0.25);
    cairo_pattern_add_color_stop_rgba(sheen, 0.4, 1, 1, 1, 0.35);
    cairo_pattern_add_color_stop_rgba(sheen, 1, 0, 0, 0, 0.3);
    cairo_set_source(canvas.cairo(), sheen);
    cairo_paint(canvas.cairo());
    cairo_pattern_destroy(sheen);
    return canvas.saveJpeg(path);
}

bool writeTicker(const std::filesystem::path& path)
{
    // A strip that repeats seamlessly when it scrolls: chevrons on a dark band.
    ArtCanvas canvas(512, 48);
    cairo_t* cr = canvas.cairo();
    canvas.setVerticalGradient(0, 48, Rgb::fromHex(0x303848), Rgb::fromHex(0x10141C));
    cairo_paint(cr);
    for (int k = 0; k < 16; ++k) {
        const double x = k * 32.0;
        cairo_move_to(cr, x + 6, 10);
        cairo_line_to(cr, x + 20, 24);
        cairo_line_to(cr, x + 6, 38);
        canvas.setColour(k % 4 == 0 ? Rgb::fromHex(0xFFB020) : Rgb::fromHex(0x50C8FF), 0.9);
        cairo_set_line_width(cr, 5);
        cairo_stroke(cr);
    }
    return canvas.saveJpeg(path);
}

bool writeWindow(const std::filesystem::path& path)
{
    // A window: title bar with its buttons over a plain client area.
    ArtCanvas canvas(320, 240);
    cairo_t* cr = canvas.cairo();
    canvas.setColour(Rgb::fromHex(0xE8ECF0));
    cairo_paint(cr);
    canvas.setVerticalGradient(0, 28, Rgb::fromHex(0x4A7AB8), Rgb::fromHex(0x2C5490));
    cairo_rectangle(cr, 0, 0, 320, 28);
    cairo_fill(cr);
    for (int k = 0; k < 3; ++k) {
        canvas.roundedRectangle(320 - 26.0 * (k + 1), 6, 20, 16, 3);
        canvas.setColour(k == 0 ? Rgb::fromHex(0xD04040) : Rgb::fromHex(0x7AA0D0));
        cairo_fill(cr);
    }
    canvas.setColour(Rgb::fromHex(0xFFFFFF), 0.85);
    cairo_rectangle(cr, 12, 8, 120, 12);
    cairo_fill(cr);
    for (int line = 0; line < 6; ++line) {
        canvas.setColour(Rgb::fromHex(0xB8C0CC));
        cairo_rectangle(cr, 20, 48 + line * 28.0, line % 2 ? 200 : 260, 10);
        cairo_fill(cr);
    }
    canvas.setColour(Rgb::fromHex(0x2C5490));
    cairo_set_line_width(cr, 2);
    cairo_rectangle(cr, 1, 1, 318, 238);
    cairo_stroke(cr);
    return canvas.saveJpeg(path);
}

} // namespace

bool writePlaceholders(const std::filesystem::path& folder)
{
    ArtCanvas placeholder(256, 192);
    drawLandscape(placeholder, 0.3);
    bool ok = placeholder.saveJpeg(folder / "placeholder.jpg") && writeColourBar(folder / "colorbar.jpg") &&
              writeTicker(folder / "ticker.jpg") && writeWindow(folder / "window.jpg");
    // The screen saver's frames: the sun crossing the sky, 600 x 232 as it is placed.
    for (int frame = 1; ok && frame <= kScreenSaverFrames; ++frame) {
        ArtCanvas canvas(600, 232);
        drawLandscape(canvas, double(frame - 1) / (kScreenSaverFrames - 1));
        ok = canvas.saveJpeg(folder / ("ss__" + std::to_string(frame) + ".jpg"));
    }
    return ok;
}
