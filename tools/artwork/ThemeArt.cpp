#include "tools/artwork/ThemeArt.h"

#include <algorithm>
#include <cairo.h>
#include <cmath>
#include <fstream>
#include <numbers>

#include "tools/artwork/ArtCanvas.h"

namespace {

constexpr int kFaceSize = 128;
constexpr int kThumbSize = 64;
constexpr int kNeedleWidth = 20;
constexpr int kNeedleHeight = 80;
constexpr double kNeedleHubY = 14; // the pivot: "Needle offset Y" is its distance from the picture's centre
constexpr int kPreviewWidth = 128;
constexpr int kPreviewHeight = 96;
constexpr double kTwoPi = 2 * std::numbers::pi;

// A fixed sequence, so the pictures are the same at every build.
class Noise {
public:
    explicit Noise(uint32_t seed) : m_state(seed) {}
    double next() // 0 to 1
    {
        m_state = m_state * 1664525u + 1013904223u;
        return (m_state >> 8) / double(1u << 24);
    }

private:
    uint32_t m_state;
};

struct ThemeSettings {
    int iconSize, indicatorSize, needleSize, needleBase, needleOffset, channelWidth, channelOffset;
    int sliderThumbSize, knobThumbSize, knobThumbOffset, itemHeight, visibleItems, borderWidth, signalColour;
};

// Signal colours are 0xBBGGRR, as colour properties store them.
constexpr ThemeSettings kSettings[] = {
    {90, 50, 80, 34, 18, 6, 30, 70, 32, 6, 34, 7, 12, 0x7A1F8B},
    {85, 45, 78, 30, 15, 5, 30, 64, 30, 5, 30, 8, 10, 0x1E5AA0},
    {80, 40, 84, 24, 12, 4, 28, 60, 28, 4, 28, 9, 8, 0xC87828},
    {85, 50, 76, 32, 16, 8, 32, 66, 30, 5, 32, 8, 14, 0x1E4680},
};

} // namespace

ThemeArt::ThemeArt(ThemeIndex index, const ThemeConstants& constants) : m_index(index), m_constants(constants) {}

std::string ThemeArt::name() const
{
    std::string text;
    for (const char16_t* c = m_constants.name; *c; ++c)
        text.push_back(char(*c));
    return text;
}

void ThemeArt::drawMaterial(ArtCanvas& canvas, double x, double y, double width, double height, Face face) const
{
    cairo_t* cr = canvas.cairo();
    const Rgb base = Rgb::fromHex(m_constants.colour & 0xFFFFFF);
    const Rgb accent = Rgb::fromHex(m_constants.outlineB);
    const double light = face == Face::Focused ? 0.45 : 0.3;
    const Rgb top = face == Face::Pressed ? base.shaded(-0.3) : base.shaded(light);
    const Rgb bottom = face == Face::Pressed ? base.shaded(0.1) : base.shaded(-0.2);
    cairo_save(cr);
    cairo_rectangle(cr, x, y, width, height);
    cairo_clip(cr);
    canvas.setVerticalGradient(y, y + height, top, bottom);
    cairo_paint(cr);

    Noise noise(uint32_t(m_index) * 7919u + uint32_t(face) * 104729u + 17u);
    switch (m_index) {
    case ThemeIndex::Lacquer: {
        // A deep gloss: a bright reflection over the upper half, a soft glow at the bottom.
        cairo_save(cr);
        cairo_translate(cr, x + width / 2, y + height * 0.28);
        cairo_scale(cr, width * 0.46, height * 0.24);
        cairo_arc(cr, 0, 0, 1, 0, kTwoPi);
        cairo_restore(cr);
        cairo_pattern_t* gloss = cairo_pattern_create_linear(0, y, 0, y + height * 0.52);
        const double shine = face == Face::Pressed ? 0.25 : 0.7;
        cairo_pattern_add_color_stop_rgba(gloss, 0, 1, 1, 1, shine);
        cairo_pattern_add_color_stop_rgba(gloss, 1, 1, 1, 1, 0.05);
        cairo_set_source(cr, gloss);
        cairo_fill(cr);
        cairo_pattern_destroy(gloss);
        cairo_pattern_t* glow = cairo_pattern_create_radial(x + width / 2, y + height * 1.05, 0, x + width / 2,
                                                            y + height * 1.05, height * 0.6);
        ArtCanvas::addStop(glow, 0, accent, 0.55);
        ArtCanvas::addStop(glow, 1, accent, 0);
        cairo_set_source(cr, glow);
        cairo_paint(cr);
        cairo_pattern_destroy(glow);
        break;
    }
    case ThemeIndex::Dune:
        // Wind ripples in soft bands of shade and light, over fine grains of sand.
        for (int k = 0; k < 7; ++k) {
            const double row = y + height * (k + 0.5) / 7;
            const double phase = noise.next() * kTwoPi;
            auto ripple = [&](double shift) {
                cairo_move_to(cr, x, row + shift);
                for (double px = 0; px <= width; px += 2)
                    cairo_line_to(cr, x + px, row + shift + height * 0.035 * std::sin(px / width * 1.5 * kTwoPi + phase));
            };
            ripple(0);
            canvas.setColour(base.shaded(-0.35), 0.25);
            cairo_set_line_width(cr, height * 0.05);
            cairo_stroke(cr);
            ripple(-height * 0.03);
            canvas.setColour(base.shaded(0.55), 0.35);
            cairo_set_line_width(cr, height * 0.02);
            cairo_stroke(cr);
        }
        for (int grain = 0; grain < int(width * height / 40); ++grain) {
            const double gx = x + noise.next() * width, gy = y + noise.next() * height;
            canvas.setColour(noise.next() > 0.5 ? base.shaded(0.6) : base.shaded(-0.5), 0.3);
            cairo_rectangle(cr, gx, gy, 1, 1);
            cairo_fill(cr);
        }
        break;
    case ThemeIndex::Alloy:
        // Brushed metal: fine horizontal strokes of varying brightness.
        for (double row = y; row < y + height; row += height / 128) {
            const double shade = noise.next();
            canvas.setColour(shade > 0.5 ? Rgb{1, 1, 1} : Rgb{0, 0, 0}, 0.04 + 0.1 * std::abs(shade - 0.5));
            cairo_rectangle(cr, x, row, width, height / 128);
            cairo_fill(cr);
        }
        break;
    case ThemeIndex::Timber:
        // Wood grain with a knot.
        for (int k = 0; k < 16; ++k) {
            const double row = y + height * (k + 0.3 * noise.next()) / 16;
            const double phase = noise.next() * kTwoPi;
            cairo_move_to(cr, x, row);
            for (double px = 0; px <= width; px += 2) {
                const double u = px / width;
                cairo_line_to(cr, x + px, row + height * (0.03 * std::sin(u * 2.2 * kTwoPi + phase) +
                                                         0.012 * std::sin(u * 9 * kTwoPi + k)));
            }
            canvas.setColour(base.shaded(-0.55), 0.18 + 0.2 * noise.next());
            cairo_set_line_width(cr, height * (0.006 + 0.012 * noise.next()));
            cairo_stroke(cr);
        }
        cairo_save(cr);
        cairo_translate(cr, x + width * 0.68, y + height * 0.58);
        cairo_scale(cr, width * 0.07, height * 0.035);
        cairo_arc(cr, 0, 0, 1, 0, kTwoPi);
        cairo_restore(cr);
        canvas.setColour(base.shaded(-0.6), 0.5);
        cairo_fill(cr);
        break;
    }

    if (face == Face::Focused) {
        // A glow of the accent colour along the border.
        constexpr int kRings = 8;
        const double step = std::min(width, height) * 0.015;
        for (int ring = 0; ring < kRings; ++ring) {
            const double inset = step * (ring + 0.5);
            cairo_rectangle(cr, x + inset, y + inset, width - 2 * inset, height - 2 * inset);
            canvas.setColour(accent.shaded(0.5), 0.7 * (kRings - ring) / kRings);
            cairo_set_line_width(cr, step);
            cairo_stroke(cr);
        }
    }
    if (face == Face::Pressed) {
        // An inner shadow along the top.
        cairo_pattern_t* shadow = cairo_pattern_create_linear(0, y, 0, y + height * 0.2);
        cairo_pattern_add_color_stop_rgba(shadow, 0, 0, 0, 0, 0.35);
        cairo_pattern_add_color_stop_rgba(shadow, 1, 0, 0, 0, 0);
        cairo_set_source(cr, shadow);
        cairo_paint(cr);
        cairo_pattern_destroy(shadow);
    }
    cairo_restore(cr);
}

bool ThemeArt::writeFace(const std::filesystem::path& path, Face face) const
{
    ArtCanvas canvas(kFaceSize, kFaceSize);
    drawMaterial(canvas, 0, 0, kFaceSize, kFaceSize, face);
    return canvas.savePng(path);
}

bool ThemeArt::writeThumb(const std::filesystem::path& path) const
{
    ArtCanvas canvas(kThumbSize, kThumbSize);
    cairo_t* cr = canvas.cairo();
    drawMaterial(canvas, 0, 0, kThumbSize, kThumbSize, Face::Normal);
    const Rgb base = Rgb::fromHex(m_constants.colour & 0xFFFFFF);
    // Three grip grooves across the middle.
    for (int k = -1; k <= 1; ++k) {
        const double gx = kThumbSize / 2.0 + k * 9;
        cairo_move_to(cr, gx, kThumbSize * 0.25);
        cairo_line_to(cr, gx, kThumbSize * 0.75);
        canvas.setColour(base.shaded(-0.6), 0.7);
        cairo_set_line_width(cr, 2.5);
        cairo_stroke(cr);
        cairo_move_to(cr, gx + 2, kThumbSize * 0.25);
        cairo_line_to(cr, gx + 2, kThumbSize * 0.75);
        canvas.setColour(base.shaded(0.7), 0.7);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
    }
    return canvas.savePng(path);
}

bool ThemeArt::writeRoundThumb(const std::filesystem::path& path) const
{
    ArtCanvas canvas(kThumbSize, kThumbSize);
    cairo_t* cr = canvas.cairo();
    const double c = kThumbSize / 2.0;
    cairo_arc(cr, c, c, c - 1, 0, kTwoPi);
    cairo_clip(cr);
    drawMaterial(canvas, 0, 0, kThumbSize, kThumbSize, Face::Normal);
    // A dome: light from the upper left.
    cairo_pattern_t* dome = cairo_pattern_create_radial(c * 0.7, c * 0.6, 0, c, c, c);
    ArtCanvas::addStop(dome, 0, {1, 1, 1}, 0.55);
    ArtCanvas::addStop(dome, 0.6, {1, 1, 1}, 0.05);
    ArtCanvas::addStop(dome, 1, {0, 0, 0}, 0.35);
    cairo_set_source(cr, dome);
    cairo_paint(cr);
    cairo_pattern_destroy(dome);
    // The pointer mark.
    cairo_arc(cr, c, kThumbSize * 0.2, kThumbSize * 0.07, 0, kTwoPi);
    canvas.setColour(Rgb::fromHex(m_constants.outlineA).shaded(-0.5));
    cairo_fill(cr);
    return canvas.savePng(path);
}

bool ThemeArt::writeNeedle(const std::filesystem::path& path) const
{
    ArtCanvas canvas(kNeedleWidth, kNeedleHeight);
    cairo_t* cr = canvas.cairo();
    const double c = kNeedleWidth / 2.0;
    const Rgb red = Rgb{0.85, 0.12, 0.1}.mixed(Rgb::fromHex(m_constants.outlineA), 0.3);
    // Points down from the hub: at angle 0 a meter's needle points straight down.
    cairo_move_to(cr, c - 4, kNeedleHubY);
    cairo_line_to(cr, c - 0.8, kNeedleHeight - 2);
    cairo_line_to(cr, c + 0.8, kNeedleHeight - 2);
    cairo_line_to(cr, c + 4, kNeedleHubY);
    cairo_line_to(cr, c + 2.5, 2);
    cairo_line_to(cr, c - 2.5, 2);
    cairo_close_path(cr);
    cairo_pattern_t* shade = cairo_pattern_create_linear(c - 4, 0, c + 4, 0);
    ArtCanvas::addStop(shade, 0, red.shaded(0.35));
    ArtCanvas::addStop(shade, 1, red.shaded(-0.35));
    cairo_set_source(cr, shade);
    cairo_fill(cr);
    cairo_pattern_destroy(shade);
    cairo_arc(cr, c, kNeedleHubY, 6, 0, kTwoPi);
    const Rgb hub = Rgb::fromHex(m_constants.colour & 0xFFFFFF).shaded(-0.4);
    cairo_pattern_t* dome = cairo_pattern_create_radial(c - 2, kNeedleHubY - 2, 0, c, kNeedleHubY, 6);
    ArtCanvas::addStop(dome, 0, hub.shaded(0.7));
    ArtCanvas::addStop(dome, 1, hub);
    cairo_set_source(cr, dome);
    cairo_fill(cr);
    cairo_pattern_destroy(dome);
    return canvas.savePng(path);
}

std::vector<uint8_t> ThemeArt::previewPng() const
{
    ArtCanvas canvas(kPreviewWidth, kPreviewHeight);
    cairo_t* cr = canvas.cairo();
    const Rgb base = Rgb::fromHex(m_constants.colour & 0xFFFFFF);
    constexpr double kBand = 16, kShelf = 88;
    // The panel, a title band of the theme's colour and a glass shelf along the bottom.
    canvas.setVerticalGradient(kBand, kShelf, base.shaded(0.85), base.shaded(0.6));
    cairo_rectangle(cr, 0, kBand, kPreviewWidth, kShelf - kBand);
    cairo_fill(cr);
    canvas.setColour(base);
    cairo_rectangle(cr, 0, 0, kPreviewWidth, kBand);
    cairo_fill(cr);
    canvas.setColour({1, 1, 1}, 0.5);
    cairo_rectangle(cr, 0, kShelf, kPreviewWidth, kPreviewHeight - kShelf);
    cairo_fill(cr);

    // A button in the theme's roundness, framed as the theme frames it.
    const double bx = 10, by = 30, bw = 70, bh = 38;
    const double radius = std::min(bw, bh) * m_constants.roundness / 200.0;
    cairo_save(cr);
    canvas.roundedRectangle(bx, by, bw, bh, radius);
    cairo_clip(cr);
    drawMaterial(canvas, bx, by, bw, bh, Face::Normal);
    cairo_restore(cr);
    canvas.roundedRectangle(bx + 1.5, by + 1.5, bw - 3, bh - 3, radius - 1.5);
    canvas.setColour(Rgb::fromHex(m_constants.outlineA));
    cairo_set_line_width(cr, 3);
    cairo_stroke_preserve(cr);
    canvas.setColour(Rgb::fromHex(m_constants.outlineB));
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);

    // A lamp and a slider beside it.
    cairo_arc(cr, 104, 40, 12, 0, kTwoPi);
    cairo_pattern_t* lamp = cairo_pattern_create_radial(100, 36, 1, 104, 40, 12);
    cairo_pattern_add_color_stop_rgb(lamp, 0, 0.8, 1, 0.8);
    cairo_pattern_add_color_stop_rgb(lamp, 1, 0.1, 0.6, 0.2);
    cairo_set_source(cr, lamp);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(lamp);
    canvas.setColour(Rgb::fromHex(m_constants.outlineA));
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    canvas.roundedRectangle(90, 64, 28, 4, 2);
    canvas.setColour(base.shaded(-0.4));
    cairo_fill(cr);
    canvas.roundedRectangle(98, 59, 8, 14, 8 * m_constants.roundness / 200.0);
    canvas.setColour(base.shaded(0.2));
    cairo_fill_preserve(cr);
    canvas.setColour(base.shaded(-0.5));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    return canvas.png();
}

std::string ThemeArt::settings() const
{
    const ThemeSettings& s = kSettings[int(m_index)];
    const int needleOffsetY = int(kNeedleHubY) - kNeedleHeight / 2;
    std::string text = "; " + name() + " style: what it sets in the objects it draws.\n";
    auto section = [&text](const char* type) { text += std::string("\n[") + type + "]\n"; };
    auto key = [&text](const char* caption, int value) { text += std::string(caption) + "=" + std::to_string(value) + "\n"; };
    for (const char* type : {"button", "indicatorButton"}) {
        section(type);
        key("Icon size [%]", s.iconSize);
    }
    key("Indicator size", s.indicatorSize);
    section("meter");
    key("Needle size [%]", s.needleSize);
    key("Needle base size", s.needleBase);
    key("Needle offset", s.needleOffset);
    key("Needle offset X", 0);
    key("Needle offset Y", needleOffsetY);
    section("slider");
    key("Channel width", s.channelWidth);
    key("Channel offset", s.channelOffset);
    key("Thumb size [%]", s.sliderThumbSize);
    section("knob");
    key("Thumb size [%]", s.knobThumbSize);
    key("Thumb offset [%]", s.knobThumbOffset);
    for (const char* type : {"listBox", "dynamicListBox"}) {
        section(type);
        key("Item height", s.itemHeight);
        key("Visible items", s.visibleItems);
    }
    section("graph");
    key("Border width", s.borderWidth);
    key("Signal color", s.signalColour);
    return text;
}

bool ThemeArt::writeStyles(const std::filesystem::path& folder) const
{
    const std::string stem = (folder / name()).string();
    bool ok = writeFace(stem + ".png", Face::Normal) && writeFace(stem + "-pressed.png", Face::Pressed) &&
              writeFace(stem + "-focused.png", Face::Focused) && writeThumb(stem + "-thumb.png") &&
              writeRoundThumb(stem + "-rthumb.png") && writeNeedle(stem + "-needle.png");
    std::ofstream ini(stem + ".ini", std::ios::binary | std::ios::trunc);
    ini << settings();
    return ok && bool(ini);
}
