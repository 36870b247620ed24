#include "foundation/text/DRendererBitmap.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "foundation/text/DTextHash.h"

namespace foundation {

namespace {

// What a blit reads: a bitmap, or a glyph texture's pixels.
struct Surface {
    const uint8_t* pixels = nullptr;
    int32_t width = 0;
    int32_t height = 0;
    int32_t stride = 0;
    int32_t bytesPerPixel = 4;

    const uint8_t* row(int32_t y) const { return pixels + std::size_t(y) * std::size_t(stride); }
};

Surface surfaceOf(const DBitmap& bitmap)
{
    return {bitmap.pixels(), bitmap.width(), bitmap.height(), bitmap.stride(), bitmap.bytesPerPixel()};
}

Surface surfaceOf(const DTextTexture& glyph)
{
    return {reinterpret_cast<const uint8_t*>(glyph.pixels.get()), glyph.width, glyph.rows, glyph.width * 4, 4};
}

// How source pixels land: blended; blended taking the source's alpha; or blended with
// the alphas composed, for glyphs whose boxes overlap in one picture.
enum class Rule { Blend, CopyAlpha, MergeAlpha };

void blitSurface(const DRect& targetRect, DBitmap& target, const Surface& source, DPoint sourcePoint, Rule rule)
{
    if (!target.hasPixels() || !source.pixels || source.width <= 0 || source.height <= 0)
        return;
    DBlitArea area;
    if (!clipBlit(targetRect, {target.width(), target.height()}, {source.width, source.height}, sourcePoint, area))
        return;
    const int32_t from = source.bytesPerPixel;
    const int32_t to = target.bytesPerPixel();

    if (from == 4 && to == 4) {
        for (int32_t y = 0; y < area.height; ++y) {
            const auto* in = reinterpret_cast<const uint32_t*>(source.row(area.sourceY + y)) + area.sourceX;
            uint32_t* out = target.row32(area.top + y) + area.left;
            switch (rule) {
            case Rule::Blend:
                for (int32_t x = 0; x < area.width; ++x)
                    out[x] = DRendererBitmap::blend(in[x], out[x]);
                break;
            case Rule::CopyAlpha:
                for (int32_t x = 0; x < area.width; ++x)
                    out[x] = (DRendererBitmap::blend(in[x], out[x]) & 0x00FFFFFFu) | (in[x] & 0xFF000000u);
                break;
            case Rule::MergeAlpha:
                for (int32_t x = 0; x < area.width; ++x) {
                    uint32_t sourceAlpha = in[x] >> 24;
                    if (!sourceAlpha)
                        continue;
                    uint32_t targetAlpha = out[x] >> 24;
                    uint32_t alpha = targetAlpha + (sourceAlpha * (255 - targetAlpha) + 127) / 255;
                    out[x] = (DRendererBitmap::blend(in[x], out[x]) & 0x00FFFFFFu) | (alpha << 24);
                }
                break;
            }
        }
        return;
    }
    if (rule == Rule::Blend)
        return;
    if (from == 1 && to == 4) {
        for (int32_t y = 0; y < area.height; ++y) {
            const uint8_t* in = source.row(area.sourceY + y) + area.sourceX;
            uint32_t* out = target.row32(area.top + y) + area.left;
            for (int32_t x = 0; x < area.width; ++x)
                out[x] = 0xFF000000u | (uint32_t(in[x]) * 0x010101u);
        }
    } else if (from == 1 && to == 1) {
        for (int32_t y = 0; y < area.height; ++y)
            std::memcpy(target.row(area.top + y) + area.left, source.row(area.sourceY + y) + area.sourceX,
                        std::size_t(area.width));
    }
}

int32_t clamp32(int64_t value)
{
    return int32_t(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

// The start of a span of extent within [low, high] by alignment 0, 1 or 2.
int64_t alignedStart(int32_t alignment, int64_t low, int64_t high, int64_t extent)
{
    switch (alignment) {
    case 1: return low + (high - extent - low + 1) / 2;
    case 2: return high - extent;
    default: return low;
    }
}

} // namespace

DRendererBitmap::DRendererBitmap() = default;

DRendererBitmap::DRendererBitmap(std::unique_ptr<DFontSource> fontSource) : m_textRenderer(std::move(fontSource)) {}

DRendererBitmap::~DRendererBitmap() = default;

std::size_t DRendererBitmap::PixelKeyHash::operator()(const uint8_t* pixels) const
{
    return DTextHash::crcWords({DTextHash::lowWord(pixels), DTextHash::highWord(pixels)});
}

DBitmap* DRendererBitmap::create(int32_t width, int32_t height)
{
    auto bitmap = std::make_unique<DBitmap>(width, height);
    if (!bitmap->hasPixels())
        return nullptr;
    DBitmap* made = bitmap.get();
    std::scoped_lock lock(m_bitmapsLock);
    m_bitmaps.emplace(made->pixels(), std::move(bitmap));
    return made;
}

void DRendererBitmap::release(DBitmap* bitmap)
{
    if (!bitmap || !bitmap->hasPixels())
        return;
    std::scoped_lock lock(m_bitmapsLock);
    auto found = m_bitmaps.find(bitmap->pixels());
    if (found != m_bitmaps.end() && found->second.get() == bitmap)
        m_bitmaps.erase(found);
}

void DRendererBitmap::releaseAll()
{
    std::scoped_lock lock(m_bitmapsLock);
    m_bitmaps.clear();
}

std::size_t DRendererBitmap::bitmapCount() const
{
    std::scoped_lock lock(m_bitmapsLock);
    return m_bitmaps.size();
}

uint32_t DRendererBitmap::blend(uint32_t source, uint32_t target)
{
    const int32_t alpha = int32_t(source >> 24);
    if (alpha == 255)
        return source;
    if (alpha == 0)
        return target;
    uint32_t result = target & 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8) {
        int32_t s = int32_t((source >> shift) & 0xFF);
        int32_t d = int32_t((target >> shift) & 0xFF);
        result |= uint32_t(d + ((alpha * (s - d)) >> 8)) << shift; // arithmetic shift: floor
    }
    return result;
}

uint32_t DRendererBitmap::premultiply(uint32_t colour)
{
    const uint32_t alpha = colour >> 24;
    uint32_t result = colour & 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8)
        result |= ((((colour >> shift) & 0xFF) * alpha) >> 8) << shift;
    return result;
}

bool DRendererBitmap::intersect(const DRect& a, const DRect& b, DRect* out)
{
    DRect meet{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
               std::min(a.bottom, b.bottom)};
    if (meet.left > meet.right || meet.top > meet.bottom)
        return false;
    if (out)
        *out = meet;
    return true;
}

void DRendererBitmap::blit(const DRect& targetRect, DBitmap& target, const DBitmap& source, DPoint sourcePoint,
                           AlphaMode mode)
{
    blitSurface(targetRect, target, surfaceOf(source), sourcePoint,
                mode == AlphaMode::CopyAlpha ? Rule::CopyAlpha : Rule::Blend);
}

void DRendererBitmap::fill(DBitmap& bitmap, uint32_t colour, const DRect& rect)
{
    if (!bitmap.hasPixels() || bitmap.bytesPerPixel() != 4)
        return;
    DRect area;
    if (!intersect(rect, DRect{0, 0, bitmap.width() - 1, bitmap.height() - 1}, &area))
        return;
    for (int32_t y = area.top; y <= area.bottom; ++y)
        std::fill_n(bitmap.row32(y) + area.left, area.right - area.left + 1, colour);
}

uint32_t DRendererBitmap::layoutText(const DString& text, DTextRenderer& renderer, DRect& rect, Glyphs& glyphs,
                                     std::vector<Line>& lines, const DTextDescriptor& descriptor)
{
    std::scoped_lock lock(renderer.renderLock());
    glyphs.clear();
    lines.clear();
    if (renderer.setupScaler(descriptor)) {
        rect = DRect{};
        return 0;
    }
    std::vector<uint32_t> codePoints(text.length());
    const uint32_t count = text.codePoints(codePoints);
    glyphs.assign(count, std::nullopt);

    const int64_t lineHeight = renderer.lineHeight();
    const int64_t step = lineHeight + descriptor.lineSpacing;
    const int64_t rectWidth = int64_t(rect.right) - rect.left + 1;
    int64_t maxLines = 1;
    if (descriptor.wrap) {
        // Lines that do not advance (spacing eating the height) all fit: no limit then.
        maxLines = step > 0 ? (int64_t(rect.bottom) - rect.top + 1) / step : int64_t(count) + 1;
        maxLines = std::max<int64_t>(maxLines, 1);
    }

    struct Span {
        int64_t last;
        int64_t width;
    };
    std::vector<Span> spans;
    int64_t width = 0;      // running width of the current line
    int64_t lineStart = 0;  // its first visiting position
    int64_t breakAt = -1;   // its last space
    int64_t breakWidth = 0; // running width + 1 before that space
    int64_t breakEnd = 0;   // running width after it
    for (int64_t position = 0; position < count && int64_t(spans.size()) < maxLines; ++position) {
        uint32_t code = codePoints[descriptor.rightToLeft ? count - 1 - position : position];
        if (code == 10) {
            spans.push_back({position - 1, width + 1});
            width = 0;
            lineStart = position + 1;
            breakAt = -1;
            continue;
        }
        if (code == 13)
            continue;
        DTextTexture glyph;
        if (renderer.getGlyphTexture(code, glyph))
            continue;
        const int64_t advance = glyph.advanceX;
        glyphs[std::size_t(position)] = std::move(glyph);
        if (code == 32) {
            breakAt = position;
            breakWidth = width + 1;
            width += advance;
            breakEnd = width;
            continue;
        }
        // A line always keeps its first glyph, however wide: breaking before it would
        // only make empty lines.
        if (position > lineStart && width + advance + 1 >= rectWidth) {
            if (breakAt >= lineStart) {
                spans.push_back({breakAt, breakWidth});
                width -= breakEnd; // the word after the space moves down with its width
                lineStart = breakAt + 1;
            } else {
                spans.push_back({position - 1, width + 1});
                width = 0;
                lineStart = position;
            }
            breakAt = -1;
        }
        width += advance;
    }
    if (int64_t(spans.size()) < maxLines)
        spans.push_back({int64_t(count) - 1, width + 1});

    const int64_t lineCount = int64_t(spans.size());
    const int64_t blockHeight = lineHeight * lineCount + (lineCount - 1) * descriptor.lineSpacing;
    int64_t blockWidth = 0;
    for (const Span& span : spans)
        blockWidth = std::max(blockWidth, span.width);

    const int64_t blockTop = alignedStart(descriptor.verticalAlignment, rect.top, rect.bottom, blockHeight);
    lines.reserve(spans.size());
    for (int64_t k = 0; k < lineCount; ++k) {
        const Span& span = spans[std::size_t(k)];
        lines.push_back({clamp32(span.last), clamp32(span.width), clamp32(blockTop + k * step),
                         clamp32(alignedStart(descriptor.horizontalAlignment, rect.left, rect.right, span.width))});
    }

    const int64_t boxLeft = alignedStart(descriptor.horizontalAlignment, rect.left, rect.right, blockWidth);
    const bool fits = int64_t(rect.bottom) - rect.top + 1 >= blockHeight + 1;
    rect.left = clamp32(boxLeft);
    rect.right = clamp32(boxLeft + blockWidth);
    if (fits) {
        rect.top = clamp32(blockTop);
        rect.bottom = clamp32(blockTop + blockHeight);
    }
    return count;
}

DBitmap* DRendererBitmap::renderText(DSize size, const DString& text, DTextRenderer& renderer, const DRect& rect,
                                     const DTextDescriptor& descriptor, AlphaMode mode, ColourForm underlineColour)
{
    if (text.isEmpty())
        return nullptr;
    DBitmap* bitmap = create(size.width, size.height);
    if (!bitmap)
        return nullptr;

    std::scoped_lock lock(renderer.renderLock());
    DRect box = rect;
    Glyphs glyphs;
    std::vector<Line> lines;
    if (!layoutText(text, renderer, box, glyphs, lines, descriptor))
        return bitmap;

    const int64_t ascender = renderer.ascender();
    const int64_t lineHeight = renderer.lineHeight();
    const Rule rule = mode == AlphaMode::CopyAlpha ? Rule::MergeAlpha : Rule::Blend;
    const uint32_t underline =
        underlineColour == ColourForm::Premultiplied ? premultiply(descriptor.colour) : descriptor.colour;
    int64_t start = 0;
    for (const Line& line : lines) {
        int64_t penX = line.left;
        int64_t penY = line.top;
        for (int64_t position = start; position <= line.last; ++position) {
            const std::optional<DTextTexture>& glyph = glyphs[std::size_t(position)];
            if (!glyph)
                continue;
            if (glyph->hasPixels()) {
                int64_t left = penX + glyph->left;
                int64_t top = penY + ascender - glyph->top;
                DRect glyphBox{clamp32(left), clamp32(top), clamp32(left + glyph->width - 1),
                               clamp32(top + glyph->rows - 1)};
                DRect clip;
                if (intersect(glyphBox, rect, &clip))
                    blitSurface(clip, *bitmap, surfaceOf(*glyph),
                                DPoint{clamp32(clip.left - left), clamp32(clip.top - top)}, rule);
            }
            penX += glyph->advanceX;
            penY += glyph->advanceY;
        }
        if (descriptor.underline) {
            int64_t barTop = line.top + lineHeight - lineHeight / 8;
            fill(*bitmap, underline,
                 DRect{line.left, clamp32(barTop), clamp32(int64_t(line.left) + line.width),
                       clamp32(barTop + lineHeight / 32)});
        }
        start = std::max<int64_t>(start, int64_t(line.last) + 1);
    }
    return bitmap;
}

} // namespace foundation
