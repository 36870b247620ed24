#pragma once
// Software drawing into 32-bit premultiplied ARGB (or 8-bit grey) bitmaps, and the
// cache of image chunks loaded from the target file, keyed by chunk offset.

#include <memory>
#include <unordered_map>
#include <vector>

#include "engine/render/DRenderer.h"
#include "foundation/text/DTextRenderer.h"

class DRendererBitmap : public DRenderer {
public:
    DRendererBitmap();
    ~DRendererBitmap() override;

    DBitmap* target() override { return &m_target; }
    void drawBitmap(DBitmap* source, const DRect& clip, DPoint sourceOffset, uint32_t mode) override;
    void blit(DBitmap* destination, DBitmap* source, const DRect& clip, DPoint position, uint32_t mode) override;
    void drawTransformed(DBitmap* destination, DBitmap* source, DPoint position, DPoint offset,
                         double angle) override;
    void fillRect(DColor colour, const DRect& rect, uint32_t opaque) override;
    void fillRectOn(DBitmap* destination, DColor colour, const DRect& rect, uint32_t opaque) override;
    void fillTriangle(DBitmap* destination, DColor colour, DPoint p1, DPoint p2, DPoint p3) override;
    void drawLine(DBitmap* destination, DColor colour, DPoint from, DPoint to) override;
    void setPixel(DBitmap* destination, DColor colour, DPoint point) override;
    void beginFrame() override {}
    void present(const DRect&) override {}
    int init(DDisplay* display, DProject* project, int width, int height) override;
    void release() override;
    DBitmap* drawText(DBitmap* destination, const DTextDescriptor& descriptor, const DRect& rect, uint32_t style,
                      const DString& text, uint32_t clearFirst, int32_t cursor, uint32_t blink) override;
    DBitmap* findCached(uint32_t offset) override;
    DBitmap* loadBitmap(DFile* file, uint32_t offset) override;
    int resolveBitmap(DBitmap* bitmap) override;
    void freeBitmaps() override;
    void clearMarks() override;
    void evictUnmarked() override;
    DBitmap* createBitmap(int width, int height, uint32_t mode) override;
    DTextRenderer* textRenderer() override { return &m_textRenderer; }
    uint32_t loadFonts(DFile& file, uint64_t end) override;

    std::size_t cachedCount() const { return m_cache.size(); }
    // Whether the chunk at offset is cached; unlike findCached it marks nothing.
    bool holds(uint32_t offset) const { return m_cache.contains(offset); }
    // The drawing phase marked into bitmaps found or loaded (the project's, or "other").
    uint32_t drawingPhase() const;

protected:
    // A new bitmap of the image chunk at offset, or none.
    static DBitmap* readImageChunk(DFile& file, uint32_t offset);
    // The bitmap whose pixels draw for bitmap: itself, or the cached chunk it refers to.
    DBitmap* pixelsOf(DBitmap* bitmap);

    DDisplay* m_display = nullptr;
    DProject* m_project = nullptr;
    DBitmap m_target;
    std::unordered_map<uint32_t, std::unique_ptr<DBitmap>> m_cache;

private:
    // A glyph texture in the pixels of a destination depth: premultiplied ARGB for 4-byte
    // bitmaps, coverage for 1-byte ones. It keeps the texture, so its pixels stay alive
    // while the converted copy is keyed by their address.
    struct EngineGlyph {
        DTextTexture texture;
        std::unique_ptr<DBitmap> bitmap;
    };
    struct GlyphKey {
        const uint32_t* pixels;
        uint32_t bytesPerPixel;
        bool operator==(const GlyphKey&) const = default;
    };
    struct GlyphKeyHash {
        std::size_t operator()(const GlyphKey& key) const
        {
            return std::hash<const uint32_t*>()(key.pixels) ^ key.bytesPerPixel;
        }
    };
    // One glyph of the line being drawn.
    struct LineGlyph {
        DBitmap* bitmap; // null for a glyph without pixels (or one that cannot be made)
        int32_t left;
        int32_t top;
        int32_t advance;
    };
    // The converted glyph of a texture, made on first use; null when it has no pixels.
    DBitmap* engineGlyph(const DTextTexture& texture, uint32_t bytesPerPixel);

    DTextRenderer m_textRenderer;
    std::unordered_map<GlyphKey, EngineGlyph, GlyphKeyHash> m_engineGlyphs;
    // Reused by every drawText, so drawing a line allocates nothing once they have grown.
    std::vector<uint32_t> m_codePoints;
    std::vector<LineGlyph> m_lineGlyphs;
};

// Premultiplied "over", channel by channel: s + ((256 - a) * d >> 8), alpha included.
// A byte that overflows (a colour not premultiplied) keeps its low 8 bits.
inline uint32_t blendOver(uint32_t source, uint32_t destination)
{
    const uint32_t alpha = source >> 24;
    if (alpha == 255)
        return source;
    if (alpha == 0)
        return destination;
    const uint32_t inverse = 256 - alpha;
    uint32_t result = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const uint32_t s = (source >> shift) & 0xFF;
        const uint32_t d = (destination >> shift) & 0xFF;
        result |= ((s + (inverse * d >> 8)) & 0xFF) << shift;
    }
    return result;
}

// A colour multiplied by its own alpha.
inline uint32_t premultiplied(uint32_t colour)
{
    const uint32_t alpha = colour >> 24;
    if (alpha == 255)
        return colour;
    const uint32_t red = ((colour >> 16) & 0xFF) * alpha >> 8;
    const uint32_t green = ((colour >> 8) & 0xFF) * alpha >> 8;
    const uint32_t blue = (colour & 0xFF) * alpha >> 8;
    return alpha << 24 | red << 16 | green << 8 | blue;
}
