#include "engine/render/DRendererBitmap.h"

#include <algorithm>
#include <cmath>
#include <climits>
#include <cstring>
#include <optional>
#include <vector>

#include "engine/core/DProject.h"
#include "engine/core/DStatus.h"
#include "engine/render/DEngineFontSource.h"
#include "foundation/target/TargetElement.h"

namespace {

uint32_t* pixel32(DBitmap& bitmap, int32_t x, int32_t y)
{
    return reinterpret_cast<uint32_t*>(bitmap.row(y)) + x;
}

// A usable bitmap: resolved, with a known pixel size.
bool drawable(const DBitmap* bitmap)
{
    return bitmap && bitmap->pixels() && bitmap->size().width > 0 && bitmap->size().height > 0 &&
           (bitmap->bytesPerPixel() == 1 || bitmap->bytesPerPixel() == 4);
}

int64_t roundHalfUp(double value)
{
    return int64_t(std::floor(value + 0.5));
}

// The rotated copy in pixels of type Pixel. Source rows whose every destination point (and
// the pixel right of it) lies inside are copied without a test per pixel: the points
// advance linearly, so a row's two ends bound them all.
template <class Pixel>
void copyTurned(DBitmap& destination, const DBitmap& source, int64_t startX, int64_t startY, int64_t cosine,
                int64_t sine)
{
    const DRect bounds = destination.bounds();
    const int32_t width = source.size().width;
    const int64_t last = width - 1;
    for (int32_t row = 0; row < source.size().height; ++row) {
        const int64_t x = startX - row * sine;
        const int64_t y = startY + row * cosine;
        const auto* in = reinterpret_cast<const Pixel*>(source.row(row));
        const int64_t firstX = x >> 16, lastX = (x + last * cosine) >> 16;
        const int64_t firstY = y >> 16, lastY = (y + last * sine) >> 16;
        if (std::min(firstX, lastX) >= bounds.left && std::max(firstX, lastX) + 1 <= bounds.right &&
            std::min(firstY, lastY) >= bounds.top && std::max(firstY, lastY) <= bounds.bottom) {
            int64_t px = x, py = y;
            for (int32_t column = 0; column < width; ++column, px += cosine, py += sine) {
                Pixel* out = reinterpret_cast<Pixel*>(destination.row(int32_t(py >> 16))) + (px >> 16);
                out[0] = in[column];
                out[1] = in[column];
            }
            continue;
        }
        int64_t px = x, py = y;
        for (int32_t column = 0; column < width; ++column, px += cosine, py += sine) {
            const DPoint point{int32_t(px >> 16), int32_t(py >> 16)};
            if (!bounds.contains(point))
                continue;
            Pixel* out = reinterpret_cast<Pixel*>(destination.row(point.y)) + point.x;
            out[0] = in[column];
            if (point.x + 1 <= bounds.right)
                out[1] = in[column];
        }
    }
}

} // namespace

DRendererBitmap::DRendererBitmap() : m_textRenderer(std::make_unique<DEngineFontSource>()) {}

DRendererBitmap::~DRendererBitmap()
{
    freeBitmaps();
}

uint32_t DRendererBitmap::drawingPhase() const
{
    return m_project ? m_project->drawingPhase() : DDrawingPhase::Other;
}

int DRendererBitmap::init(DDisplay* display, DProject* project, int width, int height)
{
    m_display = display;
    m_project = project;
    return m_target.allocate({width, height}, 4);
}

void DRendererBitmap::release()
{
    m_target.freePixels();
}

void DRendererBitmap::drawBitmap(DBitmap* source, const DRect& clip, DPoint sourceOffset, uint32_t mode)
{
    blit(&m_target, source, clip, sourceOffset, mode);
}

void DRendererBitmap::blit(DBitmap* destination, DBitmap* source, const DRect& clip, DPoint position, uint32_t mode)
{
    destination = pixelsOf(destination);
    source = pixelsOf(source);
    DBlitArea area;
    if (!drawable(destination) || !drawable(source) ||
        !clipBlit(clip, destination->size(), source->size(), position, area))
        return;
    const uint32_t from = source->bytesPerPixel();
    const uint32_t to = destination->bytesPerPixel();
    const DBlend blend = (mode & DDrawMode::Copy) ? DBlend::Copy : DBlend::Over;
    const DRowLoop loop = m_loops->rowLoop(blend, from, to);
    if (!loop)
        return;
    for (int32_t row = 0; row < area.height; ++row) {
        const uint8_t* in = source->row(area.sourceY + row) + std::size_t(area.sourceX) * from;
        uint8_t* out = destination->row(area.top + row) + std::size_t(area.left) * to;
        loop(out, in, std::size_t(area.width));
    }
}

void DRendererBitmap::fillRect(DColor colour, const DRect& rect, DFillMode fill)
{
    fillRectOn(&m_target, colour, rect, fill);
}

void DRendererBitmap::fillRectOn(DBitmap* destination, DColor colour, const DRect& rect, DFillMode fill)
{
    if (!drawable(destination) || !rect.meets(destination->bounds()))
        return;
    const DRect area = rect.intersected(destination->bounds());
    const std::size_t width = std::size_t(area.width());
    if (destination->bytesPerPixel() == 1) {
        for (int32_t y = area.top; y <= area.bottom; ++y)
            std::memset(destination->row(y) + area.left, greyLevel(colour), width);
        return;
    }
    const DFillLoop loop =
        (fill == DFillMode::Opaque || alphaOf(colour) == 255) ? m_loops->fillOpaque : m_loops->fillOver;
    // Whole rows without a gap between them are one run: a full page is a single loop.
    if (width * 4 == std::size_t(destination->stride())) {
        loop(pixel32(*destination, area.left, area.top), colour, width * std::size_t(area.height()));
        return;
    }
    for (int32_t y = area.top; y <= area.bottom; ++y)
        loop(pixel32(*destination, area.left, y), colour, width);
}

void DRendererBitmap::setPixel(DBitmap* destination, DColor colour, DPoint point)
{
    if (!drawable(destination) || !destination->bounds().contains(point))
        return;
    if (destination->bytesPerPixel() == 1)
        destination->row(point.y)[point.x] = greyLevel(colour);
    else
        *pixel32(*destination, point.x, point.y) = colour;
}

void DRendererBitmap::fillTriangle(DBitmap* destination, DColor colour, DPoint p1, DPoint p2, DPoint p3)
{
    if (!drawable(destination))
        return;
    if (alphaOf(colour) != 255)
        colour = premultiplied(colour);
    DPoint points[3] = {p1, p2, p3};
    std::sort(points, points + 3, [](DPoint a, DPoint b) { return a.y < b.y; });
    const DPoint top = points[0], middle = points[1], bottom = points[2];
    const int64_t height = destination->size().height, width = destination->size().width;
    // Only the rows inside the bitmap are walked; each edge's x is computed from its start.
    const int64_t firstRow = std::max<int64_t>(top.y, 0);
    const int64_t lastRow = std::min<int64_t>(bottom.y, height - 1);
    auto edgeX = [](DPoint from, DPoint to, int64_t y) {
        if (to.y == from.y)
            return int64_t(from.x);
        const double slope = double(int64_t(to.x) - from.x) / double(int64_t(to.y) - from.y);
        const double x = double(from.x) + slope * double(y - from.y) + 0.5;
        return int64_t(std::clamp(x, -1e12, 1e12));
    };
    for (int64_t y = firstRow; y <= lastRow; ++y) {
        const int64_t longX = edgeX(top, bottom, y);
        const int64_t shortX = y < middle.y ? edgeX(top, middle, y) : edgeX(middle, bottom, y);
        const int64_t left = std::max<int64_t>(std::min(longX, shortX), 0);
        const int64_t right = std::min<int64_t>(std::max(longX, shortX), width - 1);
        if (left > right)
            continue;
        if (destination->bytesPerPixel() == 1) {
            std::memset(destination->row(int32_t(y)) + left, greyLevel(colour), std::size_t(right - left + 1));
        } else {
            uint32_t* out = pixel32(*destination, int32_t(left), int32_t(y));
            std::fill(out, out + (right - left + 1), colour);
        }
    }
}

void DRendererBitmap::drawLine(DBitmap* destination, DColor colour, DPoint from, DPoint to)
{
    if (!drawable(destination))
        return;
    if (alphaOf(colour) != 255)
        colour = premultiplied(colour);
    const int64_t dx = int64_t(to.x) - from.x, dy = int64_t(to.y) - from.y;
    const bool alongX = std::llabs(dx) >= std::llabs(dy);
    const int64_t steps = alongX ? std::llabs(dx) : std::llabs(dy);
    const int64_t minorSpan = alongX ? std::llabs(dy) : std::llabs(dx);
    const int64_t majorSign = (alongX ? dx : dy) < 0 ? -1 : 1;
    const int64_t minorSign = (alongX ? dy : dx) < 0 ? -1 : 1;
    const int64_t majorStart = alongX ? from.x : from.y;
    const int64_t minorStart = alongX ? from.y : from.x;
    const int64_t majorLimit = (alongX ? destination->size().width : destination->size().height) - 1;
    // Walk only the steps whose major coordinate lies inside the bitmap.
    int64_t first = majorSign > 0 ? -majorStart : majorStart - majorLimit;
    int64_t last = majorSign > 0 ? majorLimit - majorStart : majorStart;
    first = std::max<int64_t>(first, 0);
    last = std::min<int64_t>(last, steps);
    bool entered = false;
    for (int64_t k = first; k <= last; ++k) {
        // The point Bresenham's doubled error terms reach after k steps.
        // 128-bit: k and the span may each be near 2^32.
        const int64_t minor =
            steps ? minorStart + minorSign * int64_t((__int128(2) * k * minorSpan + steps) / (__int128(2) * steps))
                  : minorStart;
        const int64_t major = majorStart + majorSign * k;
        const DPoint point = alongX ? DPoint{int32_t(major), int32_t(minor)} : DPoint{int32_t(minor), int32_t(major)};
        if (!destination->bounds().contains(point)) {
            if (entered)
                break;
            continue;
        }
        entered = true;
        setPixel(destination, colour, point);
    }
}

void DRendererBitmap::drawTransformed(DBitmap* destination, DBitmap* source, DPoint position, DPoint offset,
                                      double angle)
{
    source = pixelsOf(source);
    if (!drawable(destination) || !drawable(source) || destination->bytesPerPixel() != source->bytesPerPixel())
        return;
    // Screen axes (y down): a positive angle turns clockwise. The source pivot (offset)
    // lands on position.
    const int64_t cosine = roundHalfUp(std::cos(angle) * 65536.0);
    const int64_t sine = roundHalfUp(std::sin(angle) * 65536.0);
    const int64_t startX = (int64_t(position.x) << 16) - offset.x * cosine + offset.y * sine;
    const int64_t startY = (int64_t(position.y) << 16) - offset.x * sine - offset.y * cosine;
    if (source->bytesPerPixel() == 4)
        copyTurned<uint32_t>(*destination, *source, startX, startY, cosine, sine);
    else
        copyTurned<uint8_t>(*destination, *source, startX, startY, cosine, sine);
}

uint32_t DRendererBitmap::loadFonts(DFile& file, uint64_t end)
{
    // The converted glyphs belong to the faces of the file before.
    m_engineGlyphs.clear();
    return DEngineFontSource::loadFonts(m_textRenderer, file, end);
}

DBitmap* DRendererBitmap::engineGlyph(const DTextTexture& texture, uint32_t bytesPerPixel)
{
    if (!texture.hasPixels())
        return nullptr;
    const GlyphKey key{texture.pixels.get(), bytesPerPixel};
    if (const auto found = m_engineGlyphs.find(key); found != m_engineGlyphs.end())
        return found->second.bitmap.get();
    auto bitmap = std::make_unique<DBitmap>();
    if (!bitmap || bitmap->allocate({texture.width, texture.rows}, bytesPerPixel) != DStatus::Ok)
        return nullptr;
    for (int32_t y = 0; y < texture.rows; ++y) {
        uint8_t* row = bitmap->row(y);
        for (int32_t x = 0; x < texture.width; ++x) {
            const uint32_t argb = texture.pixel(x, y); // colour as given, alpha the coverage
            if (bytesPerPixel == 1)
                row[x] = uint8_t(argb >> 24);
            else
                reinterpret_cast<uint32_t*>(row)[x] = premultiplied(argb);
        }
    }
    DBitmap* made = bitmap.get();
    m_engineGlyphs.emplace(key, EngineGlyph{texture, std::move(bitmap)});
    return made;
}

void DRendererBitmap::shapeLine(const DString& text, uint32_t bytesPerPixel)
{
    if (m_codePoints.size() < text.length())
        m_codePoints.resize(text.length());
    const uint32_t count = text.codePoints(m_codePoints);
    m_lineGlyphs.resize(count);
    for (uint32_t i = 0; i < count; ++i) {
        DLineGlyph glyph;
        DTextTexture texture;
        if (m_textRenderer.getGlyphTexture(m_codePoints[i], texture) == 0)
            glyph = {engineGlyph(texture, bytesPerPixel), texture.left, texture.top, texture.advanceX};
        m_lineGlyphs[i] = glyph;
    }
}

void DRendererBitmap::drawLineGlyphs(DBitmap& destination, const DRect& rect, const DTextLineLayout& line,
                                     bool rightToLeft)
{
    const int64_t baseline = line.startY + m_textRenderer.ascender();
    const std::size_t count = m_lineGlyphs.size();
    int64_t pen = line.startX;
    for (std::size_t k = 0; k < count; ++k) {
        const DLineGlyph& glyph = m_lineGlyphs[rightToLeft ? count - 1 - k : k];
        if (glyph.bitmap) {
            const int64_t left = pen + glyph.left, top = baseline - glyph.top;
            const DSize size = glyph.bitmap->size();
            if (left > INT32_MIN && left + size.width < INT32_MAX && top > INT32_MIN && top + size.height < INT32_MAX) {
                const DRect box{int32_t(left), int32_t(top), int32_t(left + size.width - 1),
                                int32_t(top + size.height - 1)};
                // Blended even over a cleared rect: glyph boxes that overlap keep each other's pixels.
                if (box.meets(rect)) {
                    const DRect clip = box.intersected(rect);
                    blit(&destination, glyph.bitmap, clip, {clip.left - box.left, clip.top - box.top}, 0);
                }
            }
        }
        pen += glyph.advance;
    }
}

std::unique_ptr<DBitmap> DRendererBitmap::drawText(DBitmap* destination, const DTextDescriptor& descriptor,
                                                   const DRect& rect, uint32_t style, const DString& text,
                                                   DTextClear clear, int32_t cursor, DCaretBlink blink)
{
    std::unique_ptr<DBitmap> made;
    if (rect.right < rect.left || rect.bottom < rect.top)
        return made;
    if (!destination && rect.width() <= INT32_MAX && rect.height() <= INT32_MAX) {
        made.reset(createBitmap(int(rect.width()), int(rect.height()), 0));
        destination = made.get();
    }
    if (!drawable(destination) || !rect.meets(destination->bounds()))
        return made;
    if (clear == DTextClear::ClearFirst)
        fillRectOn(destination, 0, rect, DFillMode::Opaque);

    std::scoped_lock lock(m_textRenderer.renderLock());
    std::optional<DTextDescriptor> matched;
    const DTextDescriptor* request = &descriptor;
    if (!descriptor.face) {
        matched.emplace(descriptor);
        matched->face = m_textRenderer.findFace(descriptor);
        request = &*matched;
    }
    if (m_textRenderer.setupScaler(*request) != 0)
        return made;
    const target::TextStyle layout = target::TextStyle::fromWord(style);
    shapeLine(text, destination->bytesPerPixel());
    const DTextLineLayout line =
        DTextLineLayout::place(m_lineGlyphs, rect, layout, cursor, m_textRenderer.lineHeight());
    drawLineGlyphs(*destination, rect, line, layout.rightToLeft);

    if (cursor != -1 && blink == DCaretBlink::On) {
        const DRect bar = line.caretBar(rect);
        if (bar.meets(rect))
            fillRectOn(destination, 0xFFFF0000u, bar.intersected(rect), DFillMode::Opaque);
    }
    if (layout.underline && line.width > 0) {
        const DRect bar = line.underline();
        if (bar.meets(rect))
            fillRectOn(destination, premultiplied(request->colour), bar.intersected(rect), DFillMode::Blend);
    }
    return made;
}

DBitmap* DRendererBitmap::findCached(uint32_t offset)
{
    return m_cache.find(offset, drawingPhase());
}

DBitmap* DRendererBitmap::loadBitmap(DFile* file, uint32_t offset)
{
    return m_cache.load(file, offset, drawingPhase());
}

int DRendererBitmap::resolveBitmap(DBitmap* bitmap)
{
    if (!bitmap)
        return 0;
    DBitmap* loaded = loadBitmap(bitmap->sourceFile(), bitmap->sourceOffset());
    if (!loaded)
        return 0;
    bitmap->describe(loaded->size(), loaded->stride(), loaded->bytesPerPixel());
    bitmap->setMark(loaded->mark());
    return 1;
}

DBitmap* DRendererBitmap::pixelsOf(DBitmap* bitmap)
{
    if (!bitmap || bitmap->pixels())
        return bitmap;
    // An image reference draws the cached chunk, looked up (and marked) at every use.
    return bitmap->sourceOffset() ? loadBitmap(bitmap->sourceFile(), bitmap->sourceOffset()) : nullptr;
}

void DRendererBitmap::freeBitmaps()
{
    m_cache.clear();
}

void DRendererBitmap::clearMarks()
{
    m_cache.clearMarks();
}

void DRendererBitmap::evictUnmarked()
{
    m_cache.evictUnmarked();
}

DBitmap* DRendererBitmap::createBitmap(int width, int height, uint32_t)
{
    auto bitmap = std::make_unique<DBitmap>();
    if (!bitmap || bitmap->allocate({width, height}, 4) != DStatus::Ok)
        return nullptr;
    return bitmap.release();
}
