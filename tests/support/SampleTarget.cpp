#include "tests/support/SampleTarget.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <memory>
#include <numbers>
#include <string_view>

#include <ft2build.h>
#include FT_FREETYPE_H

#include "engine/widgets/DCompositeObject_Button.h"
#include "engine/widgets/DCompositeObject_Slider.h"
#include "engine/widgets/DCompositeObject_Timer.h"
#include "foundation/TextHelpers.h"
#include "foundation/target/TargetActions.h"
#include "foundation/target/TargetMeterWords.h"
#include "foundation/target/TargetScaleWords.h"
#include "foundation/target/TargetTrendWords.h"
#include "foundation/text/DFontSource.h"
#include "foundation/text/DRendererBitmap.h"
#include "tests/support/engine/WidgetRecords.h"
#include "tests/support/TargetBuilder.h"

namespace vx::test {

namespace {

using namespace target;
using Area = SampleAreas::Area;
using Page = TargetBuilder::Page;

constexpr const char* kFontFolder = "/usr/share/fonts/truetype/dejavu/";
constexpr const char* kRegularFont = "DejaVuSans.ttf";
constexpr const char* kBoldFont = "DejaVuSans-Bold.ttf";

DRect rectOf(const Area& area)
{
    return {area.left, area.top, area.right, area.bottom};
}

// ---- pictures ------------------------------------------------------------------------

// The two DejaVu faces the pictures' texts are drawn with, from their files.
class SampleFonts final : public DFontSource {
public:
    void enumFonts(FT_Library library, DFontFaceList& faces) override
    {
        for (const char* name : {kRegularFont, kBoldFont}) {
            const std::string path = std::string(kFontFolder) + name;
            FT_Face face = nullptr;
            if (FT_New_Face(library, path.c_str(), 0, &face))
                continue;
            auto descriptor = std::make_unique<DFontFileDescriptor>();
            descriptor->absPath = DString(utf8ToWide(path));
            descriptor->friendlyName = DString(u"DejaVu Sans");
            descriptor->describe(face);
            descriptor->fileExists = 1;
            FT_Done_Face(face);
            faces.push_back(std::move(descriptor));
        }
    }
    const DFontFileDescriptor* findFace(const DTextDescriptor& request, const DFontFaceList& faces) override
    {
        for (const auto& face : faces)
            if ((face->bold != 0) == (request.bold != 0))
                return face.get();
        return faces.empty() ? nullptr : faces.front().get();
    }
    void saveFaces(const DFontFaceList&) override {}
};

enum class Weight { Regular, Bold };
enum class Align { Left = DTextDescriptor::Left, Centre = DTextDescriptor::Centre };

// Premultiplied ARGB pixels, top row first; shapes are drawn with 4 x 4 samples a pixel.
class Picture {
public:
    Picture(int32_t width, int32_t height, uint32_t colour = 0)
        : m_width(width), m_height(height), m_pixels(std::size_t(width) * height)
    {
        if (colour)
            fill(colour);
    }
    int32_t width() const { return m_width; }
    int32_t height() const { return m_height; }
    const std::vector<uint32_t>& pixels() const { return m_pixels; }

    void fill(uint32_t colour) { shape(0, 0, m_width, m_height, colour, [](double, double) { return true; }); }
    void rectangle(double left, double top, double right, double bottom, uint32_t colour)
    {
        shape(left, top, right, bottom, colour,
              [=](double x, double y) { return x >= left && x < right && y >= top && y < bottom; });
    }
    void roundRectangle(double left, double top, double right, double bottom, double radius, uint32_t colour)
    {
        shape(left, top, right, bottom, colour, [=](double x, double y) {
            const double cx = std::clamp(x, left + radius, right - radius);
            const double cy = std::clamp(y, top + radius, bottom - radius);
            return x >= left && x < right && y >= top && y < bottom &&
                   (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius;
        });
    }
    void disc(double cx, double cy, double radius, uint32_t colour) { ring(cx, cy, 0, radius, colour); }
    void ring(double cx, double cy, double inner, double outer, uint32_t colour)
    {
        shape(cx - outer, cy - outer, cx + outer, cy + outer, colour, [=](double x, double y) {
            const double d = (x - cx) * (x - cx) + (y - cy) * (y - cy);
            return d <= outer * outer && d >= inner * inner;
        });
    }
    // A stroke of the given width between two points.
    void line(double x0, double y0, double x1, double y1, double width, uint32_t colour)
    {
        const double half = width / 2, dx = x1 - x0, dy = y1 - y0, length2 = dx * dx + dy * dy;
        shape(std::min(x0, x1) - half, std::min(y0, y1) - half, std::max(x0, x1) + half, std::max(y0, y1) + half,
              colour, [=](double x, double y) {
                  const double t = length2 > 0 ? std::clamp(((x - x0) * dx + (y - y0) * dy) / length2, 0.0, 1.0) : 0;
                  const double px = x0 + t * dx - x, py = y0 + t * dy - y;
                  return px * px + py * py <= half * half;
              });
    }
    void triangle(std::array<double, 6> corners, uint32_t colour)
    {
        // Named copies, not a structured binding: older compilers cannot capture those.
        const double ax = corners[0], ay = corners[1], bx = corners[2], by = corners[3], cx = corners[4], cy = corners[5];
        const auto side = [](double px, double py, double qx, double qy, double x, double y) {
            return (qx - px) * (y - py) - (qy - py) * (x - px);
        };
        shape(std::min({ax, bx, cx}), std::min({ay, by, cy}), std::max({ax, bx, cx}), std::max({ay, by, cy}), colour,
              [=](double x, double y) {
                  const double a = side(ax, ay, bx, by, x, y), b = side(bx, by, cx, cy, x, y),
                               c = side(cx, cy, ax, ay, x, y);
                  return (a >= 0 && b >= 0 && c >= 0) || (a <= 0 && b <= 0 && c <= 0);
              });
    }
    // Rows from one colour at the top to another at the bottom.
    void verticalGradient(uint32_t top, uint32_t bottom)
    {
        for (int32_t y = 0; y < m_height; ++y)
            rectangle(0, y, m_width, y + 1, mix(top, bottom, m_height > 1 ? double(y) / (m_height - 1) : 0));
    }
    void horizontalGradient(std::initializer_list<uint32_t> stops)
    {
        const std::vector<uint32_t> colours(stops);
        for (int32_t x = 0; x < m_width; ++x) {
            const double at = m_width > 1 ? double(x) / (m_width - 1) * double(colours.size() - 1) : 0;
            const std::size_t i = std::min(std::size_t(at), colours.size() - 2);
            rectangle(x, 0, x + 1, m_height, mix(colours[i], colours[i + 1], at - double(i)));
        }
    }
    // Glyph coverage (the alpha of a text bitmap) painted in a colour at a place.
    void coverage(const foundation::DBitmap& glyphs, int32_t left, int32_t top, uint32_t colour)
    {
        for (int32_t y = 0; y < glyphs.height(); ++y)
            for (int32_t x = 0; x < glyphs.width(); ++x)
                if (const uint32_t alpha = glyphs.pixel(x, y) >> 24)
                    blend(left + x, top + y, colour, alpha / 255.0);
    }

    static uint32_t mix(uint32_t a, uint32_t b, double t)
    {
        uint32_t result = 0;
        for (int shift = 0; shift < 32; shift += 8) {
            const double value = ((a >> shift) & 0xFF) * (1 - t) + ((b >> shift) & 0xFF) * t;
            result |= uint32_t(std::lround(value)) << shift;
        }
        return result;
    }

private:
    template <class Inside>
    void shape(double left, double top, double right, double bottom, uint32_t colour, Inside inside)
    {
        const int32_t x0 = std::max(0, int32_t(std::floor(left))), y0 = std::max(0, int32_t(std::floor(top)));
        const int32_t x1 = std::min(m_width, int32_t(std::ceil(right))), y1 = std::min(m_height, int32_t(std::ceil(bottom)));
        for (int32_t y = y0; y < y1; ++y)
            for (int32_t x = x0; x < x1; ++x) {
                int hits = 0;
                for (int sy = 0; sy < 4; ++sy)
                    for (int sx = 0; sx < 4; ++sx)
                        hits += inside(x + (sx + 0.5) / 4, y + (sy + 0.5) / 4);
                if (hits)
                    blend(x, y, colour, hits / 16.0);
            }
    }
    // Source over, the source colour straight with its alpha scaled by the coverage.
    void blend(int32_t x, int32_t y, uint32_t colour, double cover)
    {
        if (x < 0 || y < 0 || x >= m_width || y >= m_height)
            return;
        uint32_t& pixel = m_pixels[std::size_t(y) * m_width + x];
        const double alpha = (colour >> 24) / 255.0 * cover;
        uint32_t result = 0;
        for (int shift = 0; shift < 24; shift += 8) {
            const double source = ((colour >> shift) & 0xFF) * alpha;
            result |= uint32_t(std::lround(source + ((pixel >> shift) & 0xFF) * (1 - alpha))) << shift;
        }
        result |= uint32_t(std::lround(255 * alpha + (pixel >> 24) * (1 - alpha))) << 24;
        pixel = result;
    }

    int32_t m_width, m_height;
    std::vector<uint32_t> m_pixels;
};

// Texts rendered by the foundation's text renderer into pictures.
class TextPainter {
public:
    TextPainter() : m_renderer(std::make_unique<SampleFonts>()) { m_renderer.textRenderer().enumFonts(); }
    bool hasFaces() { return m_renderer.textRenderer().faces().size() == 2; }

    void draw(Picture& picture, std::u16string_view text, const Area& box, int32_t size, Weight weight,
              uint32_t colour, Align align = Align::Centre)
    {
        DTextDescriptor descriptor;
        descriptor.family.assign(u"DejaVu Sans");
        descriptor.size = size;
        descriptor.bold = weight == Weight::Bold;
        descriptor.colour = 0xFFFFFFFFu;
        descriptor.horizontalAlignment = int32_t(align);
        descriptor.verticalAlignment = DTextDescriptor::Middle;
        descriptor.face = m_renderer.textRenderer().findFace(descriptor);
        const DSize extent{box.width(), box.height()};
        foundation::DBitmap* glyphs = m_renderer.renderText(extent, DString(text), m_renderer.textRenderer(),
                                                            {0, 0, extent.width - 1, extent.height - 1}, descriptor,
                                                            foundation::DRendererBitmap::AlphaMode::CopyAlpha);
        if (!glyphs)
            return;
        picture.coverage(*glyphs, box.left, box.top, colour);
        m_renderer.release(glyphs);
    }
    // A picture of just the text, transparent around it.
    Picture text(std::u16string_view text, int32_t width, int32_t height, int32_t size, Weight weight, uint32_t colour,
                 Align align = Align::Centre)
    {
        Picture picture(width, height);
        draw(picture, text, {0, 0, width, height}, size, weight, colour, align);
        return picture;
    }

private:
    foundation::DRendererBitmap m_renderer;
};

constexpr uint32_t kTouchable = kElementFlagVisible | kElementFlagTouchable;
// Focusable elements carry the focus-tracking flag, as with targetFlags bit 3.
constexpr uint32_t kFocusable = kTouchable | kElementFlagFocusTracking;

// ---- the sample ------------------------------------------------------------------------

namespace colour {
constexpr uint32_t white = 0xFFFFFFFF, ink = 0xFF22303C, caption = 0xFF34495E, focusRing = 0xFFF1C40F,
                   track = 0xFF2C3E50, shadow = 0xFF7F8C8D;
} // namespace colour

constexpr int32_t kRadius = 8;

uint32_t image(TargetBuilder& builder, const Picture& picture)
{
    return builder.image(uint32_t(picture.width()), uint32_t(picture.height()), picture.pixels());
}

// A face: a rounded body, with a focus ring when asked.
uint32_t face(TargetBuilder& builder, int32_t width, int32_t height, uint32_t body, bool focused)
{
    Picture picture(width, height);
    picture.roundRectangle(0, 0, width, height, kRadius, focused ? colour::focusRing : body);
    const double inset = focused ? 3 : 0;
    picture.roundRectangle(inset, inset, width - inset, height - inset, kRadius - inset, body);
    picture.roundRectangle(inset + 1, inset + 1, width - inset - 1, (height - 2 * inset) / 2 + inset, kRadius - inset,
                           0x28FFFFFF); // a light upper half
    return image(builder, picture);
}

// The focus links of the focusable widgets, by their cells: the nearest focusable widget
// in the same row to either side, and in the nearest row above or below the one whose
// column is nearest (the left one of two as near).
struct FocusCell {
    SampleWidgets::Number number;
    int32_t column, row;
};
constexpr std::array<FocusCell, SampleWidgets::FocusableCount> kFocusCells{{
    {SampleWidgets::NextPageButton, 0, 1},
    {SampleWidgets::LatchingButton, 1, 1},
    {SampleWidgets::IndicatorButton, 2, 1},
    {SampleWidgets::NumericEntry, 1, 2},
    {SampleWidgets::TextEntry, 3, 2},
    {SampleWidgets::Slider, 3, 3},
    {SampleWidgets::Knob, 4, 3},
    {SampleWidgets::Listbox, 0, 4},
    {SampleWidgets::DynamicListbox, 1, 4},
}};

ObjectRecordHeader navigationOf(SampleWidgets::Number number)
{
    const FocusCell& self = kFocusCells[std::size_t(number)];
    const auto sideways = [&](int32_t step) {
        int32_t best = -1, distance = 0;
        for (const FocusCell& other : kFocusCells) {
            const int32_t d = (other.column - self.column) * step;
            if (other.row == self.row && d > 0 && (best == -1 || d < distance))
                best = other.number, distance = d;
        }
        return best;
    };
    const auto vertical = [&](int32_t step) {
        for (int32_t row = self.row + step; row >= 0 && row < SampleAreas::kRows; row += step) {
            int32_t best = -1, distance = 0;
            for (const FocusCell& other : kFocusCells) {
                const int32_t d = std::abs(other.column - self.column);
                if (other.row == row && (best == -1 || d < distance))
                    best = other.number, distance = d;
            }
            if (best != -1)
                return best;
        }
        return -1;
    };
    ObjectRecordHeader header;
    header.left = sideways(-1);
    header.right = sideways(1);
    header.up = vertical(-1);
    header.down = vertical(1);
    return header;
}

constexpr std::array<std::u16string_view, SampleAreas::kColumns * SampleAreas::kRows> kCaptions{
    u"Static image", u"Static text", u"Rectangle", u"Dynamic image", u"Message field",
    u"Button", u"Latching button", u"Indicator button", u"Indicator light", u"Tag trigger",
    u"Numeric field", u"Numeric entry", u"Text field", u"Text entry", u"Date/time field",
    u"Image bar", u"Colour bar", u"Meter", u"Slider", u"Knob",
    u"List box", u"Dynamic list box", u"Trend", u"Ticker", u"Timer",
};

// The point at an angle on a dial of the engine's turning sense: 0 straight down, growing clockwise.
std::pair<double, double> onDial(double cx, double cy, double radius, double degrees)
{
    const double theta = degrees * std::numbers::pi / 180;
    return {cx - std::sin(theta) * radius, cy + std::cos(theta) * radius};
}

constexpr int32_t kDialStart = 45, kDialEnd = 315;

class SampleWriter {
public:
    SampleWriter() : m_builder(SampleAreas::kWidth, SampleAreas::kHeight, 2) {}

    std::vector<uint8_t> write(const std::vector<uint8_t>& font)
    {
        ProjectHeader& header = m_builder.header();
        header.holdFirst = 500;
        header.holdRepeat = 100;
        m_font = m_builder.font(font);
        makePictures();
        m_builder.page(uint32_t(PageType::Normal), SampleWidgets::NextPageButton, [&](Page& page) { startPage(page); });
        m_builder.page(uint32_t(PageType::Normal), 0, [&](Page& page) { secondPage(page); });
        std::vector<uint8_t> bytes = m_builder.finish();
        if (m_misplaced)
            bytes.clear();
        return bytes;
    }

    bool canDrawTexts() { return m_text.hasFaces(); }

private:
    struct Pictures {
        ButtonFaces next, latching, indicator, back;
        std::vector<uint32_t> indicators, lights, shapes, messages, rows;
        uint32_t staticImage = 0, staticText = 0, lightFrame = 0, barImage = 0, barFrame = 0, columnFrame = 0,
                 dial = 0, track = 0, focusedTrack = 0, thumb = 0, knobDial = 0, focusedKnobDial = 0, knobThumb = 0,
                 rowNormal = 0, rowSelected = 0, rowFocusedSelected = 0, trendFrame = 0, strip = 0, title = 0,
                 secondTitle = 0, secondText = 0;
        std::array<uint32_t, SampleAreas::kColumns * SampleAreas::kRows> captions{};
        uint32_t stripOverflow = 0;
    };

    uint32_t text(std::u16string_view words, int32_t width, int32_t height, int32_t size, Weight weight,
                  uint32_t ink, Align align = Align::Centre)
    {
        return image(m_builder, m_text.text(words, width, height, size, weight, ink, align));
    }

    void makePictures()
    {
        using A = SampleAreas;
        Pictures& p = m_pictures;
        for (std::size_t i = 0; i < kCaptions.size(); ++i)
            p.captions[i] = text(kCaptions[i], A::kCellWidth - 2 * A::kInset, A::kCaptionHeight, 13, Weight::Bold,
                                 colour::caption, Align::Left);
        p.title = text(u"VX-Engine sample panel \u2014 one widget of every kind", 600, 34, 19, Weight::Bold,
                       colour::white, Align::Left);
        p.secondTitle = text(u"Page 2", 400, 40, 28, Weight::Bold, colour::white);
        p.secondText = text(u"\u201cNext page\u201d was released this many times:", 560, 30, 17, Weight::Regular,
                            colour::white);

        // A landscape: sky, sun and two hills.
        Picture landscape(A::staticImage.width(), A::staticImage.height());
        landscape.verticalGradient(0xFF5DADE2, 0xFFD6EAF8);
        landscape.disc(112, 16, 9, 0xFFF4D03F);
        landscape.disc(30, 86, 52, 0xFF27AE60);
        landscape.disc(110, 96, 56, 0xFF1E8449);
        p.staticImage = image(m_builder, landscape);
        p.staticText = text(u"Hello, panel!", A::staticText.width(), A::staticText.height(), 18, Weight::Bold,
                            0xFF1F618D);

        // The dynamic image's choices: a red disc, a green square, a blue triangle.
        const int32_t side = A::dynamicImage.width();
        Picture disc(side, side), square(side, side), triangle(side, side);
        disc.disc(side / 2.0, side / 2.0, side / 2.0 - 2, 0xFFE74C3C);
        square.roundRectangle(4, 4, side - 4, side - 4, 6, 0xFF2ECC71);
        triangle.triangle({side / 2.0, 2, side - 2.0, side - 4.0, 2, side - 4.0}, 0xFF3498DB);
        p.shapes = {image(m_builder, disc), image(m_builder, square), image(m_builder, triangle)};

        for (const auto& [words, body] : {std::pair{u"Idle", 0xFF95A5A6u}, std::pair{u"Running", 0xFF27AE60u},
                                          std::pair{u"Alarm!", 0xFFC0392Bu}}) {
            Picture message(A::message.width(), A::message.height());
            message.roundRectangle(0, 0, message.width(), message.height(), 6, body);
            m_text.draw(message, words, {0, 0, message.width(), message.height()}, 16, Weight::Bold, colour::white);
            p.messages.push_back(image(m_builder, message));
        }

        const int32_t bw = A::nextPageButton.width(), bh = A::nextPageButton.height();
        const auto faces = [&](uint32_t body, uint32_t pressed, uint32_t latched, std::u16string_view caption,
                               Align align) {
            ButtonFaces f;
            f.released = face(m_builder, bw, bh, body, false);
            f.pressed = face(m_builder, bw, bh, pressed, false);
            f.focused = face(m_builder, bw, bh, body, true);
            if (latched) {
                f.latched = face(m_builder, bw, bh, latched, false);
                f.latchedFocused = face(m_builder, bw, bh, latched, true);
            }
            Picture words(bw, bh);
            m_text.draw(words, caption, {align == Align::Left ? 14 : 0, 0, bw, bh}, 16, Weight::Bold, colour::white,
                        align);
            f.decoration1 = image(m_builder, words);
            return f;
        };
        p.next = faces(0xFF2E6FD8, 0xFF1D4A94, 0, u"Next page", Align::Centre);
        p.latching = faces(0xFF6C7A89, 0xFF3F4A56, 0xFF27AE60, u"Toggle", Align::Centre);
        p.indicator = faces(0xFF8E44AD, 0xFF5E2D73, 0, u"Lamp", Align::Left);
        p.back = faces(0xFF2E6FD8, 0xFF1D4A94, 0, u"Back", Align::Centre);
        const int32_t lamp = A::indicatorLamp.width();
        for (const uint32_t body : {0xFF4A235Au, 0xFFF7DC6Fu}) {
            Picture indicator(lamp, lamp);
            indicator.disc(lamp / 2.0, lamp / 2.0, lamp / 2.0, 0xFF2C2C2C);
            indicator.disc(lamp / 2.0, lamp / 2.0, lamp / 2.0 - 2, body);
            p.indicators.push_back(image(m_builder, indicator));
        }

        const int32_t ls = A::light.width();
        Picture frame(ls, ls);
        frame.ring(ls / 2.0, ls / 2.0, ls / 2.0 - 5, ls / 2.0, colour::track);
        p.lightFrame = image(m_builder, frame);
        for (const uint32_t body : {0xFF641E16u, 0xFF2ECC71u, 0xFFF39C12u}) {
            Picture state(ls, ls);
            state.disc(ls / 2.0, ls / 2.0, ls / 2.0 - 5, body);
            state.disc(ls / 2.0 - 5, ls / 2.0 - 6, 5, 0x60FFFFFF); // a highlight
            p.lights.push_back(image(m_builder, state));
        }

        Picture bar(A::imageBar.width(), A::imageBar.height());
        bar.horizontalGradient({0xFF27AE60, 0xFFF1C40F, 0xFFE74C3C});
        p.barImage = image(m_builder, bar);
        Picture barFrame(A::imageBar.width(), A::imageBar.height(), colour::track);
        p.barFrame = image(m_builder, barFrame);
        Picture columnFrame(A::colourBar.width(), A::colourBar.height(), colour::track);
        p.columnFrame = image(m_builder, columnFrame);

        const auto dialFace = [&](int32_t size, uint32_t rim) {
            Picture dial(size, size);
            const double c = size / 2.0;
            dial.disc(c, c, c, rim);
            dial.disc(c, c, c - 3, 0xFFFDFEFE);
            for (int32_t degrees = kDialStart; degrees <= kDialEnd; degrees += 27) {
                const auto [x0, y0] = onDial(c, c, c - 5, degrees);
                const auto [x1, y1] = onDial(c, c, c - 11, degrees);
                dial.line(x0, y0, x1, y1, 2, colour::ink);
            }
            return dial;
        };
        p.dial = image(m_builder, dialFace(A::meter.width(), colour::track));
        p.knobDial = image(m_builder, dialFace(A::knob.width(), colour::shadow));
        p.focusedKnobDial = image(m_builder, dialFace(A::knob.width(), colour::focusRing));
        const int32_t ks = 12;
        Picture knobThumb(ks, ks);
        knobThumb.disc(ks / 2.0, ks / 2.0, ks / 2.0, colour::ink);
        knobThumb.disc(ks / 2.0, ks / 2.0, ks / 2.0 - 2, 0xFF3498DB);
        p.knobThumb = image(m_builder, knobThumb);

        const int32_t tw = A::sliderTrack.width(), th = A::sliderTrack.height();
        const auto track = [&](uint32_t rim) {
            Picture picture(tw, th);
            picture.roundRectangle(0, 0, tw, th, th / 2.0, rim);
            picture.roundRectangle(2, 2, tw - 2, th - 2, th / 2.0 - 2, 0xFFBFC9CA);
            return image(m_builder, picture);
        };
        p.track = track(colour::track);
        p.focusedTrack = track(colour::focusRing);
        Picture thumb(A::sliderThumb.width(), A::sliderThumb.height());
        thumb.roundRectangle(0, 0, thumb.width(), thumb.height(), 4, colour::ink);
        thumb.roundRectangle(2, 2, thumb.width() - 2, thumb.height() - 2, 3, 0xFF3498DB);
        p.thumb = image(m_builder, thumb);

        const int32_t rw = A::listbox.width(), rh = A::kRowHeight;
        const auto rowBackground = [&](uint32_t body) {
            Picture row(rw, rh, body);
            row.rectangle(0, rh - 1, rw, rh, 0xFFD5D8DC); // a rule under each row
            return image(m_builder, row);
        };
        p.rowNormal = rowBackground(colour::white);
        p.rowSelected = rowBackground(0xFF85C1E9);
        p.rowFocusedSelected = rowBackground(0xFF5DADE2);
        for (const std::u16string_view row : {u"Row 1", u"Row 2", u"Row 3", u"Row 4", u"Row 5", u"Row 6"})
            p.rows.push_back(text(row, rw, rh, 13, Weight::Regular, colour::ink, Align::Centre));

        Picture graph(A::trend.width(), A::trend.height(), colour::white);
        for (int32_t x = 0; x < graph.width(); x += 17)
            graph.rectangle(x, 0, x + 1, graph.height(), 0xFFE5E8E8);
        for (int32_t y = 0; y < graph.height(); y += 9)
            graph.rectangle(0, y, graph.width(), y + 1, 0xFFE5E8E8);
        p.trendFrame = image(m_builder, graph);

        const int32_t stripWidth = 520;
        p.strip = text(u"VX-Engine \u2022 every widget the engine builds on one page \u2022 ", stripWidth,
                       A::ticker.height(), 15, Weight::Bold, 0xFF1F618D, Align::Left);
        p.stripOverflow = uint32_t(stripWidth - A::ticker.width());
    }

    // Writes a focusable widget's record and links it to its neighbours.
    void linked(Page& page, SampleWidgets::Number number, const std::function<void()>& write)
    {
        if (page.objects() != uint32_t(number))
            m_misplaced = true;
        const uint64_t start = page.file().tell();
        write();
        const ObjectRecordHeader links = navigationOf(number);
        page.file().patchValue(start + ObjectRecordHeader::kLeftOffset, uint32_t(links.left));
        page.file().patchValue(start + ObjectRecordHeader::kUpOffset, uint32_t(links.up));
        page.file().patchValue(start + ObjectRecordHeader::kRightOffset, uint32_t(links.right));
        page.file().patchValue(start + ObjectRecordHeader::kDownOffset, uint32_t(links.down));
    }

    static ButtonRecord button(const ButtonFaces& faces, const TagReference& state, const Area& area)
    {
        ButtonRecord record;
        record.faces = faces;
        record.state = state;
        record.area = rectOf(area);
        record.faceFlags = kFocusable;
        return record;
    }

    static void goToPage(ActionBlockWriter& block, uint32_t page)
    {
        block.beginAction(uint32_t(ActionNumber::GoToPage));
        block.writeWordArgument(page);
    }

    // A white box with a grey edge under a field's text.
    static void fieldBox(Page& page, const Area& box)
    {
        writeRectangle(page, SampleColours::fieldBox, rectOf(box));
        writeRectangle(page, 0xFF95A5A6, {box.left - 1, box.top - 1, box.right + 1, box.bottom + 1});
    }

    static uint32_t centredText()
    {
        TextStyle style;
        style.alignment = DTextDescriptor::Centre;
        return style.word();
    }

    FieldRecord field(WidgetType type, const TagReference& tag, const Area& area) const
    {
        FieldRecord record;
        record.type = type;
        record.tag = tag;
        record.style = centredText();
        record.rect = rectOf(area);
        return record;
    }

    ScrollingListRecord list(const Area& area, uint32_t maximum) const
    {
        ScrollingListRecord record;
        record.area = rectOf(area);
        record.maximum = maximum;
        record.rowHeight = SampleAreas::kRowHeight;
        record.slowDown = 1;
        record.flags = kFocusable;
        return record;
    }

    void focusableWidgets(Page& page)
    {
        using A = SampleAreas;
        using T = SampleTags;
        using W = SampleWidgets;
        const Pictures& p = m_pictures;

        linked(page, W::NextPageButton, [&] {
            writeButton(page, button(p.next, T::buttonState, A::nextPageButton), [](ActionBlockWriter& block) {
                block.beginGroup(uint32_t(TriggerNumber::Release), 0);
                block.beginAction(uint32_t(ActionNumber::IncrementTag));
                block.writeTagArgument(T::releaseCount);
                block.writeWordArgument(1);
                goToPage(block, 1);
            });
        });
        linked(page, W::LatchingButton, [&] {
            ButtonRecord latching = button(p.latching, T::latchState, A::latchingButton);
            latching.mode = DCompositeObject_Button::Latching;
            writeButton(page, latching);
        });
        linked(page, W::IndicatorButton, [&] {
            ButtonRecord indicator = button(p.indicator, T::indicatorButtonState, A::indicatorButton);
            indicator.type = WidgetType::IndicatorButton;
            indicator.indicators = p.indicators;
            indicator.indicatorTag = T::indicator;
            indicator.indicatorArea = rectOf(A::indicatorLamp);
            writeButton(page, indicator);
        });
        linked(page, W::NumericEntry, [&] {
            FieldRecord entry = field(WidgetType::EditableNumericField, T::numericEntry, A::numericEntry);
            entry.format.digits = 5;
            entry.flags = kFocusable;
            writeField(page, m_font, entry);
        });
        linked(page, W::TextEntry, [&] {
            FieldRecord entry = field(WidgetType::EditableTextField, T::textEntry, A::textEntry);
            entry.flags = kFocusable;
            writeField(page, m_font, entry);
        });
        linked(page, W::Slider, [&] {
            ThumbWidgetRecord slider;
            slider.words.trackImage = p.track;
            slider.words.thumbImage = p.thumb;
            slider.words.focusedTrackImage = p.focusedTrack;
            slider.words.direction = DCompositeObject_Slider::Right;
            slider.words.travel = A::kSliderMargin;
            slider.words.maximum = 100;
            slider.tag = T::slider;
            slider.thumb = rectOf(A::sliderThumb);
            slider.track = rectOf(A::sliderTrack);
            slider.trackFlags = kFocusable;
            writeThumbWidget(page, slider);
        });
        linked(page, W::Knob, [&] {
            ThumbWidgetRecord knob;
            knob.type = WidgetType::Knob;
            knob.words.trackImage = p.knobDial;
            knob.words.thumbImage = p.knobThumb;
            knob.words.focusedTrackImage = p.focusedKnobDial;
            knob.words.direction = uint32_t(TurnDirection::Clockwise);
            knob.words.angles = packHalves(kDialStart, kDialEnd);
            knob.words.travel = A::kKnobRadius;
            knob.words.maximum = 100;
            knob.tag = T::knob;
            const DPoint c = A::knob.centre();
            knob.thumb = {c.x - 6, c.y - 6, c.x + 6, c.y + 6};
            knob.track = rectOf(A::knob);
            knob.trackFlags = kFocusable;
            writeThumbWidget(page, knob);
        });
        linked(page, W::Listbox, [&] {
            ListboxRecord box;
            box.normal = p.rowNormal;
            box.selected = p.rowSelected;
            box.focusedSelected = p.rowFocusedSelected;
            box.rows = p.rows;
            box.selectionTag = T::listSelection;
            box.list = list(A::listbox, uint32_t(p.rows.size()));
            writeListbox(page, box);
        });
        linked(page, W::DynamicListbox, [&] {
            DynamicListboxRecord box;
            box.normal = p.rowNormal;
            box.selected = p.rowSelected;
            box.focusedSelected = p.rowFocusedSelected;
            box.separator = SampleStart::kSeparator;
            box.items = T::dynamicListItems;
            box.selectionTag = T::dynamicListSelection;
            box.list = list(A::dynamicListbox, 8);
            box.text.fontReference = m_font;
            box.text.pixelSize = 13;
            box.text.style = TextStyle{}.word();
            box.text.color = colour::ink;
            writeDynamicListbox(page, box);
        });
    }

    void displayWidgets(Page& page)
    {
        using A = SampleAreas;
        using T = SampleTags;
        const Pictures& p = m_pictures;

        writeStaticImage(page, p.staticImage, rectOf(A::staticImage));
        writeStaticText(page, p.staticText, rectOf(A::staticText));
        writeRectangle(page, SampleColours::rectangle, rectOf(A::rectangle));
        writeDynamicImage(page, {p.shapes, uint32_t(p.shapes.size()), T::dynamicImage, rectOf(A::dynamicImage)});
        writeMessageField(page, {0, p.messages, uint32_t(p.messages.size()), T::message, rectOf(A::message)});

        IndicatorLightRecord light;
        light.frame = p.lightFrame;
        light.states = p.lights;
        light.count = uint32_t(p.lights.size());
        light.tag = T::light;
        light.area = light.frameArea = rectOf(A::light);
        writeIndicatorLight(page, light);

        writeTrigger(page, T::triggerWatched, [](ActionBlockWriter& block) {
            block.beginGroup(uint32_t(TriggerNumber::TagChange), 0);
            block.beginAction(uint32_t(ActionNumber::IncrementTag));
            block.writeTagArgument(T::triggerCount);
            block.writeWordArgument(1);
        });
        FieldRecord count = field(WidgetType::NumericField, T::triggerCount, A::triggerCount);
        count.format.digits = 3;
        count.format.leadingZeros = true; // a field without them shows nothing for 0
        writeField(page, m_font, count);

        FieldRecord numeric = field(WidgetType::NumericField, T::numeric, A::numeric);
        numeric.format.decimals = 2;
        numeric.format.digits = 3;
        writeField(page, m_font, numeric);
        writeField(page, m_font, field(WidgetType::TextField, T::text, A::text));
        FieldRecord clock = field(WidgetType::DateTimeField, T::dateTime, A::dateTime);
        clock.dateCode = 65537; // hours, minutes, seconds
        clock.separator = DateTimeSeparator::fromText(":");
        writeField(page, m_font, clock);

        BarGraphRecord bar;
        bar.type = WidgetType::ImageBar;
        bar.words.frameImage = p.barFrame;
        bar.words.bar = p.barImage;
        bar.words.direction = DCompositeObject_Bargraph::Right;
        bar.words.maximum = 100;
        bar.words.lowLimit = 10;
        bar.words.highLimit = 90;
        bar.tag = T::imageBar;
        bar.area = rectOf(A::imageBar);
        writeBarGraph(page, bar);
        BarGraphRecord column = bar;
        column.type = WidgetType::ColorBar;
        column.words.frameImage = p.columnFrame;
        column.words.bar = SampleColours::colourBar;
        column.words.direction = DCompositeObject_Bargraph::Up;
        column.tag = T::colourBar;
        column.area = rectOf(A::colourBar);
        writeBarGraph(page, column);

        MeterRecord meter;
        const int32_t half = (A::meter.right - A::meter.left) / 2;
        meter.words.dialImage = p.dial;
        meter.words.needle = MeterWords::triangleNeedle(8, 26);
        meter.words.needleColour = SampleColours::needle;
        meter.words.direction = DCompositeObject_Meter::kClockwise;
        meter.words.angles = packHalves(kDialStart, kDialEnd);
        meter.words.pivot = packHalves(half, half);
        meter.words.needlePivot = MeterWords::triangleTipRadius(22);
        meter.words.maximum = 100;
        meter.words.lowLimit = 10;
        meter.words.highLimit = 90;
        meter.tag = T::meter;
        meter.area = rectOf(A::meter);
        writeMeter(page, meter);

        TrendRecord trend;
        trend.words.frameImage = p.trendFrame;
        trend.words.lineColour = SampleColours::trendLine;
        trend.words.mode = TrendWords::kModeLine; // scrolling
        trend.words.sampleRate = 10;
        trend.words.step = 4;
        trend.words.maximum = 100;
        trend.words.lowLimit = 10;
        trend.words.highLimit = 90;
        trend.tag = T::trend;
        trend.plot = trend.frameArea = rectOf(A::trend);
        writeTrend(page, trend);

        TickerRecord ticker;
        ticker.speed = 2;
        ticker.period = 40;
        ticker.overflow = p.stripOverflow;
        ticker.strip = p.strip;
        ticker.mode = ScrollingWords::kModeWrapping;
        ticker.area = rectOf(A::ticker);
        writeTicker(page, ticker);

        writeTimer(page, {DCompositeObject_Timer::UpWrap, 0, 59, 1000, T::timer}); // counts the seconds
        FieldRecord seconds = field(WidgetType::NumericField, T::timer, A::timerCount);
        seconds.format.digits = 2;
        seconds.format.leadingZeros = true;
        writeField(page, m_font, seconds);
    }

    // Captions and title over the panels, field boxes, the panels, then the background
    // with the start values.
    void decoration(Page& page)
    {
        using A = SampleAreas;
        const Pictures& p = m_pictures;
        for (int32_t row = 0; row < A::kRows; ++row)
            for (int32_t column = 0; column < A::kColumns; ++column) {
                const Area c = A::cell(column, row);
                writeStaticText(page, p.captions[std::size_t(row * A::kColumns + column)],
                                {c.left + A::kInset, c.top + 2, c.right - A::kInset, c.top + 2 + A::kCaptionHeight});
            }
        writeStaticText(page, p.title, {12, 4, 612, 38});
        for (const Area& box : {A::numeric, A::numericEntry, A::text, A::textEntry, A::dateTime, A::triggerCount,
                                A::timerCount})
            fieldBox(page, box);
        for (int32_t row = 0; row < A::kRows; ++row)
            for (int32_t column = 0; column < A::kColumns; ++column)
                writeRectangle(page, SampleColours::panel, rectOf(A::cell(column, row)));
    }

    void startPage(Page& page)
    {
        focusableWidgets(page);
        displayWidgets(page);
        decoration(page);
        page.backgroundColour(SampleColours::background, SampleAreas::kWidth, SampleAreas::kHeight,
                              [](ActionBlockWriter& block) { startValues(block); });
    }

    static void startValues(ActionBlockWriter& block)
    {
        using T = SampleTags;
        using S = SampleStart;
        block.beginGroup(uint32_t(TriggerNumber::EnteringPage), 0);
        for (const auto& [tag, value] : {std::pair{T::light, S::light}, {T::dynamicImage, S::dynamicImage},
                                         {T::message, S::message}, {T::numeric, S::numeric},
                                         {T::numericEntry, S::numericEntry},
                                         {T::imageBar, S::imageBar}, {T::colourBar, S::colourBar},
                                         {T::meter, S::meter}, {T::slider, S::slider}, {T::knob, S::knob},
                                         {T::trend, S::trend}}) {
            block.beginAction(uint32_t(ActionNumber::SetTag));
            block.writeTagArgument(tag);
            block.writeWordArgument(uint32_t(value));
        }
        for (const auto& [tag, words] : {std::pair{T::text, std::u16string_view(S::text)},
                                         {T::textEntry, std::u16string_view(S::textEntry)},
                                         {T::dynamicListItems, std::u16string_view(S::dynamicListItems)}}) {
            block.beginAction(uint32_t(ActionNumber::SetStringTag));
            block.writeTagArgument(tag);
            block.writeTextArgument(words);
        }
    }

    void secondPage(Page& page)
    {
        using A = SampleAreas;
        const Pictures& p = m_pictures;
        writeButton(page, button(p.back, SampleTags::backState, A::backButton), [](ActionBlockWriter& block) {
            block.beginGroup(uint32_t(TriggerNumber::Release), 0);
            goToPage(block, 0);
        });
        FieldRecord count = field(WidgetType::NumericField, SampleTags::releaseCount, {350, 220, 450, 260});
        count.format.digits = 5;
        writeField(page, m_font, count);
        writeStaticText(page, p.secondTitle, {200, 100, 600, 140});
        writeStaticText(page, p.secondText, {120, 170, 680, 200});
        fieldBox(page, {350, 220, 450, 260});
        page.backgroundColour(SampleColours::secondBackground, A::kWidth, A::kHeight);
    }

    TargetBuilder m_builder;
    TextPainter m_text;
    Pictures m_pictures;
    uint32_t m_font = 0;
    bool m_misplaced = false; // a focusable widget's record number is not its SampleWidgets number
};

} // namespace

std::vector<uint8_t> SampleTarget::build(std::string* error, Font embedding)
{
    const auto fail = [&](std::string reason) {
        if (error)
            *error = std::move(reason);
        return std::vector<uint8_t>{};
    };
    const std::vector<uint8_t> font = fontBytes(kRegularFont);
    SampleWriter writer;
    if (font.empty() || !writer.canDrawTexts())
        return fail(std::string("cannot read the fonts ") + kRegularFont + " and " + kBoldFont + " in " + kFontFolder);
    std::vector<uint8_t> bytes = writer.write(embedding == Font::Embedded ? font : std::vector<uint8_t>(16, 0));
    if (bytes.empty())
        return fail("the focusable widgets are not where their numbers say");
    return bytes;
}

} // namespace vx::test
