#include "tools/artwork/ShellArt.h"

#include <cairo.h>
#include <cmath>
#include <numbers>

#include "tools/artwork/ArtCanvas.h"

namespace {

// A small operator panel: a bezel, a screen with a bar graph and a dial, two keys.
void drawPanel(const ArtCanvas& canvas, double x, double y, double size)
{
    cairo_t* cr = canvas.cairo();
    const double w = size, h = size * 0.78;
    canvas.roundedRectangle(x, y, w, h, size * 0.08);
    canvas.setVerticalGradient(y, y + h, Rgb::fromHex(0x5A6675), Rgb::fromHex(0x2B323C));
    cairo_fill(cr);
    const double m = size * 0.07;
    const double sx = x + m, sy = y + m, sw = w - 2 * m, sh = h - 2 * m - size * 0.12;
    canvas.roundedRectangle(sx, sy, sw, sh, size * 0.03);
    canvas.setVerticalGradient(sy, sy + sh, Rgb::fromHex(0x1E3A5A), Rgb::fromHex(0x0E1C2E));
    cairo_fill(cr);
    // Three bars rising towards the right.
    const double barW = sw * 0.1;
    for (int i = 0; i < 3; ++i) {
        const double barH = sh * (0.3 + 0.2 * i);
        cairo_rectangle(cr, sx + sw * 0.1 + i * barW * 1.5, sy + sh * 0.85 - barH, barW, barH);
        canvas.setColour(Rgb::fromHex(i == 2 ? 0xF0A030 : 0x40C070));
        cairo_fill(cr);
    }
    // A dial with its needle.
    const double cx = sx + sw * 0.72, cy = sy + sh * 0.6, r = sh * 0.32;
    cairo_set_line_width(cr, size * 0.02);
    cairo_arc(cr, cx, cy, r, std::numbers::pi, 2 * std::numbers::pi);
    canvas.setColour(Rgb::fromHex(0xD8E4F0));
    cairo_stroke(cr);
    cairo_move_to(cr, cx, cy);
    cairo_line_to(cr, cx + r * 0.8 * std::cos(-0.7), cy + r * 0.8 * std::sin(-0.7));
    canvas.setColour(Rgb::fromHex(0xE04040));
    cairo_stroke(cr);
    // Two keys under the screen.
    for (int i = 0; i < 2; ++i) {
        cairo_arc(cr, x + w * (0.38 + 0.24 * i), y + h - m - size * 0.05, size * 0.04, 0, 2 * std::numbers::pi);
        canvas.setColour(Rgb::fromHex(i == 0 ? 0x40C070 : 0xE04040));
        cairo_fill(cr);
    }
}

bool writeSplash(const std::filesystem::path& path)
{
    ArtCanvas canvas(kSplashWidth, kSplashHeight);
    cairo_t* cr = canvas.cairo();
    canvas.setVerticalGradient(0, kSplashHeight, Rgb::fromHex(0x23415F), Rgb::fromHex(0x0B1522));
    cairo_paint(cr);
    // Faint grid lines, as on a page being designed.
    cairo_set_line_width(cr, 1);
    canvas.setColour(Rgb::fromHex(0xFFFFFF), 0.05);
    for (int gx = 0; gx < kSplashWidth; gx += 20) {
        cairo_move_to(cr, gx + 0.5, 0);
        cairo_line_to(cr, gx + 0.5, kSplashHeight);
    }
    for (int gy = 0; gy < kSplashHeight; gy += 20) {
        cairo_move_to(cr, 0, gy + 0.5);
        cairo_line_to(cr, kSplashWidth, gy + 0.5);
    }
    cairo_stroke(cr);
    drawPanel(canvas, 400, 70, 190);
    cairo_select_font_face(cr, "Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, 54);
    cairo_move_to(cr, 40, 150);
    canvas.setColour(Rgb::fromHex(0xFFFFFF));
    cairo_show_text(cr, "VX-Editor");
    cairo_set_font_size(cr, 18);
    cairo_select_font_face(cr, "Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_move_to(cr, 44, 185);
    canvas.setColour(Rgb::fromHex(0xA8C4E0));
    cairo_show_text(cr, "Operator panel projects");
    // The lower band the status and version lines are drawn on.
    cairo_rectangle(cr, 0, kSplashHeight - 70, kSplashWidth, 70);
    canvas.setColour(Rgb::fromHex(0x000000), 0.35);
    cairo_fill(cr);
    return canvas.savePng(path);
}

bool writeAboutPicture(const std::filesystem::path& path)
{
    ArtCanvas canvas(kAboutPictureSize, kAboutPictureSize);
    drawPanel(canvas, 4, 14, kAboutPictureSize - 8);
    return canvas.savePng(path);
}

} // namespace

bool writeShellArt(const std::filesystem::path& folder)
{
    return writeSplash(folder / "splash.png") && writeAboutPicture(folder / "about.png");
}
