#include "engine/render/DRendererBitmap.h"

#include <algorithm>
#include <cmath>
#include <climits>
#include <cstdio>
#include <cstring>
#include <optional>
#include <vector>

#include "engine/render/DEngineFontSource.h"
#include "engine/core/DFile.h"
#include "engine/core/DProject.h"
#include "foundation/DMemory.h"
#include "foundation/target/TargetElement.h"
#include "foundation/target/TargetImage.h"
#include "engine/core/DStatus.h"

namespace {

uint32_t* pixel32(DBitmap& bitmap, int32_t x, int32_t y)
{
    return reinterpret_cast<uint32_t*>(bitmap.row(y)) + x;
}

// Every channel: c + ((256 - a) * d >> 8), the colour used as stored.
uint32_t blendChannels(uint32_t colour, uint32_t destination)
{
    const uint32_t inverse = 256 - (colour >> 24);
    uint32_t result = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const uint32_t c = (colour >> shift) & 0xFF;
        const uint32_t d = (destination >> shift) & 0xFF;
        result |= ((c + (inverse * d >> 8)) & 0xFF) << shift;
    }
    return result;
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
    const int64_t left = area.left, top = area.top, sourceX = area.sourceX, sourceY = area.sourceY;
    const int64_t width = area.width, height = area.height;

    const uint32_t from = source->bytesPerPixel();
    const uint32_t to = destination->bytesPerPixel();
    for (int64_t row = 0; row < height; ++row) {
        const uint8_t* in = source->row(int32_t(sourceY + row)) + sourceX * from;
        uint8_t* out = destination->row(int32_t(top + row)) + left * to;
        if (mode & DDrawMode::Copy) {
            if (from == to) {
                // A bitmap may be copied onto itself (a graph moving its samples left).
                std::memmove(out, in, std::size_t(width * from));
            } else if (from == 1 && to == 4) {
                auto* words = reinterpret_cast<uint32_t*>(out);
                for (int64_t x = 0; x < width; ++x)
                    words[x] = 0xFF000000u | uint32_t(in[x]) << 16 | uint32_t(in[x]) << 8 | in[x];
            }
            continue;
        }
        if (from == 4 && to == 4) {
            const auto* sourceWords = reinterpret_cast<const uint32_t*>(in);
            auto* words = reinterpret_cast<uint32_t*>(out);
            for (int64_t x = 0; x < width; ++x)
                words[x] = blendOver(sourceWords[x], words[x]);
        } else if (from == to) {
            std::memmove(out, in, std::size_t(width)); // grey levels carry no alpha
        } else if (from == 1 && to == 4) {
            auto* words = reinterpret_cast<uint32_t*>(out);
            for (int64_t x = 0; x < width; ++x)
                words[x] = 0xFF000000u | uint32_t(in[x]) << 16 | uint32_t(in[x]) << 8 | in[x];
        }
    }
}

void DRendererBitmap::fillRect(DColor colour, const DRect& rect, uint32_t opaque)
{
    fillRectOn(&m_target, colour, rect, opaque);
}

void DRendererBitmap::fillRectOn(DBitmap* destination, DColor colour, const DRect& rect, uint32_t opaque)
{
    if (!drawable(destination) || !rect.meets(destination->bounds()))
        return;
    const DRect area = rect.intersected(destination->bounds());
    const bool solid = opaque || alphaOf(colour) == 255;
    for (int32_t y = area.top; y <= area.bottom; ++y) {
        if (destination->bytesPerPixel() == 1) {
            std::memset(destination->row(y) + area.left, greyLevel(colour), std::size_t(area.width()));
            continue;
        }
        uint32_t* out = pixel32(*destination, area.left, y);
        if (solid)
            std::fill(out, out + area.width(), colour);
        else
            for (int64_t x = 0; x < area.width(); ++x)
                out[x] = blendChannels(colour, out[x]);
    }
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
    const DRect bounds = destination->bounds();
    const uint32_t bytes = source->bytesPerPixel();
    for (int32_t row = 0; row < source->size().height; ++row) {
        int64_t x = startX - row * sine;
        int64_t y = startY + row * cosine;
        const uint8_t* in = source->row(row);
        for (int32_t column = 0; column < source->size().width; ++column, x += cosine, y += sine) {
            const DPoint point{int32_t(x >> 16), int32_t(y >> 16)};
            if (!bounds.contains(point))
                continue;
            const bool right = point.x + 1 <= bounds.right;
            if (bytes == 4) {
                const uint32_t value = reinterpret_cast<const uint32_t*>(in)[column];
                uint32_t* out = pixel32(*destination, point.x, point.y);
                out[0] = value;
                if (right)
                    out[1] = value;
            } else {
                uint8_t* out = destination->row(point.y) + point.x;
                out[0] = in[column];
                if (right)
                    out[1] = in[column];
            }
        }
    }
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

DBitmap* DRendererBitmap::drawText(DBitmap* destination, const DTextDescriptor& descriptor, const DRect& rect,
                                   uint32_t style, const DString& text, uint32_t clearFirst, int32_t cursor,
                                   uint32_t blink)
{
    if (rect.right < rect.left || rect.bottom < rect.top)
        return destination;
    if (!destination && rect.width() <= INT32_MAX && rect.height() <= INT32_MAX)
        destination = createBitmap(int(rect.width()), int(rect.height()), 0);
    if (!drawable(destination) || !rect.meets(destination->bounds()))
        return destination;
    if (clearFirst)
        fillRectOn(destination, 0, rect, 1);

    std::scoped_lock lock(m_textRenderer.renderLock());
    std::optional<DTextDescriptor> matched;
    const DTextDescriptor* request = &descriptor;
    if (!descriptor.face) {
        matched.emplace(descriptor);
        matched->face = m_textRenderer.findFace(descriptor);
        request = &*matched;
    }
    if (m_textRenderer.setupScaler(*request) != 0)
        return destination;
    const target::TextStyle layout = target::TextStyle::fromWord(style);
    const uint32_t depth = destination->bytesPerPixel();

    if (m_codePoints.size() < text.length())
        m_codePoints.resize(text.length());
    const uint32_t count = text.codePoints(m_codePoints);
    m_lineGlyphs.resize(count);
    // Positive advances widen the line to the right, negative ones to the left.
    int64_t pen = 0, leftmost = 0, rightmost = 0, cursorPen = 0;
    for (uint32_t i = 0; i < count; ++i) {
        if (int64_t(i) == cursor)
            cursorPen = pen;
        LineGlyph glyph{nullptr, 0, 0, 0};
        DTextTexture texture;
        if (m_textRenderer.getGlyphTexture(m_codePoints[i], texture) == 0)
            glyph = {engineGlyph(texture, depth), texture.left, texture.top, texture.advanceX};
        m_lineGlyphs[i] = glyph;
        pen += glyph.advance;
        leftmost = std::min(leftmost, pen);
        rightmost = std::max(rightmost, pen);
    }
    if (cursor >= int64_t(count))
        cursorPen = pen;
    const int64_t lineWidth = rightmost - leftmost, extent = -leftmost;
    // Right to left the glyphs are drawn last first, so the caret sits as far from the
    // line's start as the glyphs after it reach.
    const int64_t caret = layout.rightToLeft ? pen - cursorPen : cursorPen;
    const int64_t rectWidth = rect.width();

    int64_t startX = 0;
    if (cursor != -1 && lineWidth > rectWidth) {
        // The part of the line around the caret stays in view.
        if (!layout.rightToLeft)
            startX = caret > rectWidth ? rect.right - caret : rect.left;
        else {
            startX = int64_t(rect.right) + 1 - pen;
            if (startX + caret < rect.left)
                startX = rect.left - caret;
        }
    } else if (layout.alignment == DTextDescriptor::Centre) {
        startX = (rect.right + extent - rect.left - lineWidth) / 2 + rect.left;
    } else if (layout.alignment == DTextDescriptor::Right) {
        startX = rect.right + extent - lineWidth - 1;
    } else {
        startX = rect.left;
    }
    const int64_t lineHeight = m_textRenderer.lineHeight();
    int64_t startY = rect.top;
    if (layout.lineAlignment == DTextDescriptor::Middle)
        startY = rect.top + (rect.bottom - rect.top - lineHeight + 1) / 2;
    else if (layout.lineAlignment == DTextDescriptor::Bottom)
        startY = rect.bottom - lineHeight;
    const int64_t baseline = startY + m_textRenderer.ascender();

    pen = startX;
    for (uint32_t k = 0; k < count; ++k) {
        const LineGlyph& glyph = m_lineGlyphs[layout.rightToLeft ? count - 1 - k : k];
        if (glyph.bitmap) {
            const int64_t left = pen + glyph.left, top = baseline - glyph.top;
            const DSize size = glyph.bitmap->size();
            if (left > INT32_MIN && left + size.width < INT32_MAX && top > INT32_MIN && top + size.height < INT32_MAX) {
                const DRect box{int32_t(left), int32_t(top), int32_t(left + size.width - 1),
                                int32_t(top + size.height - 1)};
                // Blended even over a cleared rect: glyph boxes that overlap keep each other's pixels.
                if (box.meets(rect)) {
                    const DRect clip = box.intersected(rect);
                    blit(destination, glyph.bitmap, clip, {clip.left - box.left, clip.top - box.top}, 0);
                }
            }
        }
        pen += glyph.advance;
    }

    if (cursor != -1 && (blink & 1)) {
        int64_t x = startX + caret - 1;
        if (rect.right - rect.left >= 2)
            x = std::clamp<int64_t>(x, rect.left + 1, rect.right - 1);
        const DRect bar{int32_t(std::clamp<int64_t>(x, INT32_MIN, INT32_MAX)), int32_t(startY),
                        int32_t(std::clamp<int64_t>(x, INT32_MIN, INT32_MAX)),
                        int32_t(std::clamp<int64_t>(startY + lineHeight - 1, INT32_MIN, INT32_MAX))};
        if (bar.meets(rect))
            fillRectOn(destination, 0xFFFF0000u, bar.intersected(rect), 1);
    }
    if (layout.underline && lineWidth > 0) {
        const int64_t eighth = lineHeight / 8;
        const int64_t bottom = startY + lineHeight - eighth - 1;
        const int64_t thickness = std::max<int64_t>(eighth / 4, 1);
        const int64_t left = startX - extent;
        const DRect bar{int32_t(std::clamp<int64_t>(left, INT32_MIN, INT32_MAX)),
                        int32_t(std::clamp<int64_t>(bottom - thickness + 1, INT32_MIN, INT32_MAX)),
                        int32_t(std::clamp<int64_t>(left + lineWidth - 1, INT32_MIN, INT32_MAX)),
                        int32_t(std::clamp<int64_t>(bottom, INT32_MIN, INT32_MAX))};
        if (bar.meets(rect))
            fillRectOn(destination, premultiplied(request->colour), bar.intersected(rect), 0);
    }
    return destination;
}

DBitmap* DRendererBitmap::findCached(uint32_t offset)
{
    const auto found = m_cache.find(offset);
    if (found == m_cache.end())
        return nullptr;
    found->second->addMark(drawingPhase());
    return found->second.get();
}

DBitmap* DRendererBitmap::loadBitmap(DFile* file, uint32_t offset)
{
    if (offset == 0)
        return nullptr;
    if (DBitmap* cached = findCached(offset))
        return cached;
    DBitmap* loaded = file ? readImageChunk(*file, offset) : nullptr;
    if (!loaded) {
        std::printf("Load texture failed!\n");
        return nullptr;
    }
    loaded->setMark(drawingPhase());
    m_cache.emplace(offset, loaded);
    return loaded;
}

DBitmap* DRendererBitmap::readImageChunk(DFile& file, uint32_t offset)
{
    if (file.seek(int64_t(offset), DFile::FromStart) != DStatus::Ok)
        return nullptr;
    target::ChunkHeader chunk;
    target::ImageChunkHeader image;
    if (target::readRecord(file, chunk) != DStatus::Ok || target::readRecord(file, image) != DStatus::Ok)
        return nullptr;
    if (!target::isImageChunk(chunk.identifier)) {
        std::printf("Wrong chunk id %x!\n", chunk.identifier);
        return nullptr;
    }
    // Sizes are bounded before anything is allocated; the stored bytes must lie in the chunk.
    if (!image.isPlausible() || image.byteCount > chunk.dataSize() ||
        uint64_t(file.tell()) + image.byteCount > file.size() ||
        image.width > uint32_t(INT32_MAX) || image.height > uint32_t(INT32_MAX))
        return nullptr;
    std::vector<uint8_t> stored(image.byteCount);
    if (file.read(stored.data(), image.byteCount) != DStatus::Ok)
        return nullptr;
    auto* pixels = static_cast<uint8_t*>(dAlloc(std::size_t(image.planeBytes())));
    if (!pixels)
        return nullptr;
    // Only the colour plane is drawn; an alpha plane that follows it is not used.
    if (!target::unpackColorPlane(chunk.identifier, image, stored, {pixels, std::size_t(image.planeBytes())})) {
        dFree(pixels);
        return nullptr;
    }
    auto* bitmap = new DBitmap();
    if (!bitmap) {
        dFree(pixels);
        return nullptr;
    }
    bitmap->adopt({int32_t(image.width), int32_t(image.height)}, image.pitch, target::ImageChunkHeader::kBytesPerPixel,
                  pixels);
    return bitmap;
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
    for (auto& [offset, bitmap] : m_cache)
        if (bitmap->mark() < 2)
            bitmap->setMark(0);
}

void DRendererBitmap::evictUnmarked()
{
    std::erase_if(m_cache, [](const auto& entry) { return entry.second->mark() == 0; });
}

DBitmap* DRendererBitmap::createBitmap(int width, int height, uint32_t)
{
    auto bitmap = std::make_unique<DBitmap>();
    if (!bitmap || bitmap->allocate({width, height}, 4) != DStatus::Ok)
        return nullptr;
    return bitmap.release();
}
