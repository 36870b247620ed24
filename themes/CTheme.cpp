#include "themes/CTheme.h"

#include <algorithm>
#include <cairo.h>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <numbers>
#include <string>

#include "foundation/image/CWinFreeImage.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/PixelArithmetic.h"
#include "platform/gfx/Surface.h"
#include "platform/sys/Profile.h"
#include "themes/ThemeOutline.h"
#include "themes/ThemeParts.h"

namespace {

// Paths are given with pixel centres on whole numbers; cairo puts them at halves.
constexpr double kPixelCentre = 0.5;
constexpr double kThickOuterPen = 4.0;
constexpr double kThickInnerPen = 2.0;
constexpr double kThinPen = 1.0;
constexpr int32_t kInnerInset = 2;

// The value of the last settings query of each thread: two threads may ask at once.
thread_local char16_t t_setting[CTheme::kSettingCharacters + 1];

std::u16string_view view(const char16_t* text)
{
    return text ? std::u16string_view(text) : std::u16string_view();
}

void addEllipse(cairo_t* cairo, double x, double y, double width, double height)
{
    if (width <= 0 || height <= 0)
        return;
    cairo_save(cairo);
    cairo_translate(cairo, x + width / 2, y + height / 2);
    cairo_scale(cairo, width / 2, height / 2);
    cairo_new_sub_path(cairo);
    cairo_arc(cairo, 0, 0, 1, 0, 2 * std::numbers::pi);
    cairo_close_path(cairo);
    cairo_restore(cairo);
}

void addOutline(cairo_t* cairo, const ThemeOutline& outline, double x, double y)
{
    if (outline.kind == ThemeOutline::Kind::Rectangle) {
        if (outline.right > outline.left && outline.bottom > outline.top)
            cairo_rectangle(cairo, x + outline.left, y + outline.top, outline.right - outline.left,
                            outline.bottom - outline.top);
        return;
    }
    constexpr double kDegree = std::numbers::pi / 180;
    cairo_new_sub_path(cairo);
    for (const ThemeArc& arc : outline.arcs) {
        const double radius = arc.size / 2;
        cairo_arc(cairo, x + arc.x + radius, y + arc.y + radius, radius, arc.startDegrees * kDegree,
                  (arc.startDegrees + 90) * kDegree);
    }
    cairo_close_path(cairo);
}

// The frame of shape 0 or 1 at inset 0 (outer) or kInnerInset (inner); nothing for other shapes.
void addFramePath(cairo_t* cairo, int32_t shape, int32_t inset, double left, double top, int32_t w, int32_t h,
                  int32_t roundness)
{
    const double x = left + kPixelCentre, y = top + kPixelCentre;
    if (shape == 0)
        addEllipse(cairo, x + inset / 2, y + inset / 2, w - inset, h - inset);
    else if (shape == 1)
        addOutline(cairo, ThemeOutline::roundedRectangle(w, h, inset, roundness), x, y);
}

void stroke(cairo_t* cairo, uint32_t rgb, uint8_t alpha, double width)
{
    cairo_set_source_rgba(cairo, (rgb >> 16 & 0xFF) / 255.0, (rgb >> 8 & 0xFF) / 255.0, (rgb & 0xFF) / 255.0,
                          alpha / 255.0);
    cairo_set_line_width(cairo, width);
    cairo_stroke(cairo);
}

} // namespace

std::filesystem::path CTheme::stylesFolder() const
{
    if (const char* folder = std::getenv("VX_STYLES_DIR"); folder && *folder)
        return folder;
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path("Styles") : program.parent_path() / "Styles";
}

std::filesystem::path CTheme::fileName(std::u16string_view suffix, const char* extension) const
{
    // Names and suffixes are ASCII.
    std::string name;
    for (char16_t c : view(m_constants.name))
        name.push_back(char(c));
    for (char16_t c : suffix)
        name.push_back(char(c));
    return stylesFolder() / (name + extension);
}

int32_t CTheme::drawObject(const VxThemeSurface* dc, const int32_t* rect, int32_t shape, ThemeObjectCode partCode,
                           int32_t transparency) const
{
    if (!dc || !rect)
        return 0;
    const int64_t left = rect[0], top = rect[1];
    const int64_t w64 = int64_t(rect[2]) - left - 1, h64 = int64_t(rect[3]) - top - 1;
    if (w64 <= 0 || h64 <= 0 || w64 > INT32_MAX || h64 > INT32_MAX)
        return 0;
    const auto w = int32_t(w64), h = int32_t(h64);
    const ThemePart part = themePart(partCode, shape);

    CWinFreeImage picture;
    if (!picture.Load(fileName(part.suffix, ".png"), CWinFreeImage::LoadPremultiplied, 0))
        return 0;
    gfx::Surface pixels = picture.ToSurface();
    gfx::DeviceContext target(gfx::PixelBuffer{dc->pixels, dc->width, dc->height, dc->stride});
    if (!pixels.isValid() || !target.isValid())
        return 0;
    const int32_t t = std::clamp(transparency, 0, 255);
    const auto opacity = uint8_t(255 - t);
    if (opacity != 255) {
        // Alpha (and with it the premultiplied colours) times (255 - t) / 255.
        const gfx::PixelBuffer buffer = pixels.pixels();
        for (int32_t y = 0; y < buffer.height; ++y) {
            uint32_t* row = buffer.row(y);
            std::transform(row, row + buffer.width, row, [opacity](uint32_t p) { return gfx::scalePixel(p, opacity); });
        }
    }
    const gfx::Rect area = gfx::Rect::fromSize(int32_t(left), int32_t(top), w, h);
    if (shape < 0)
        return target.drawImageScaled(area, pixels.pixels()) == 0 ? 1 : 0;

    cairo_t* cairo = target.cairo();
    cairo_save(cairo);
    addFramePath(cairo, shape, 0, double(left), double(top), w, h, m_constants.roundness);
    cairo_clip(cairo);
    const int drawn = target.drawImageScaled(area, pixels.pixels());
    cairo_restore(cairo);
    if (drawn != 0)
        return 0;

    cairo_save(cairo);
    cairo_set_antialias(cairo, CAIRO_ANTIALIAS_DEFAULT);
    const uint8_t alpha = opacity;
    if (part.frame == ThemeFrame::Thick) {
        const uint32_t colourA = partCode == 2 ? m_constants.outlineAOfNormalButton : m_constants.outlineA;
        addFramePath(cairo, shape, kInnerInset, double(left), double(top), w, h, m_constants.roundness);
        stroke(cairo, colourA, alpha, kThickOuterPen);
        addFramePath(cairo, shape, kInnerInset, double(left), double(top), w, h, m_constants.roundness);
        stroke(cairo, m_constants.outlineB, alpha, kThickInnerPen);
    } else {
        addFramePath(cairo, shape, 0, double(left), double(top), w, h, m_constants.roundness);
        stroke(cairo, m_constants.outlineA, alpha, kThinPen);
    }
    cairo_restore(cairo);
    cairo_surface_flush(cairo_get_target(cairo));
    return 1;
}

VxThemeSurface* CTheme::makePreview(std::span<const uint8_t> png)
{
    CWinFreeImage picture;
    if (!picture.LoadFromMemory(png, CWinFreeImage::LoadPremultiplied, 0) || !picture.Rescale(kPreviewWidth, kPreviewHeight))
        return nullptr;
    const gfx::ConstPixelBuffer source = picture.pixels();
    if (!source.isValid() || source.width != kPreviewWidth || source.height != kPreviewHeight)
        return nullptr;
    constexpr int32_t kStride = kPreviewWidth * 4;
    void* block = std::malloc(sizeof(VxThemeSurface) + std::size_t(kStride) * kPreviewHeight);
    if (!block)
        return nullptr;
    auto* preview = static_cast<VxThemeSurface*>(block);
    preview->pixels = reinterpret_cast<uint32_t*>(static_cast<unsigned char*>(block) + sizeof(VxThemeSurface));
    preview->width = kPreviewWidth;
    preview->height = kPreviewHeight;
    preview->stride = kStride;
    for (int32_t y = 0; y < kPreviewHeight; ++y)
        std::memcpy(preview->pixels + std::size_t(y) * kPreviewWidth, source.row(y), std::size_t(kStride));
    return preview;
}

intptr_t CTheme::query(int32_t code, const char16_t* section, const char16_t* key) const
{
    switch (code) {
    case ThemeQueryName: {
        const std::u16string_view name = view(m_constants.name);
        auto* copy = static_cast<char16_t*>(std::malloc((name.size() + 1) * sizeof(char16_t)));
        if (!copy)
            return 0;
        std::copy(name.begin(), name.end(), copy);
        copy[name.size()] = u'\0';
        return reinterpret_cast<intptr_t>(copy);
    }
    case ThemeQueryPreview:
        return reinterpret_cast<intptr_t>(previewImage());
    case ThemeQueryRoundness:
        return m_constants.roundness;
    case ThemeQueryColour:
        return intptr_t(m_constants.colour);
    case ThemeQuerySetting: {
        const std::u16string value =
            section && key ? Profile::readString(fileName(u"", ".ini"), view(section), view(key), u"", kSettingCharacters)
                           : std::u16string();
        std::copy(value.begin(), value.end(), t_setting);
        t_setting[value.size()] = u'\0';
        return reinterpret_cast<intptr_t>(t_setting);
    }
    default:
        return 0;
    }
}
