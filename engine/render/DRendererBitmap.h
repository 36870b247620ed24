#pragma once
// Software drawing into 32-bit premultiplied ARGB (or 8-bit grey) bitmaps, and the
// cache of image chunks loaded from the target file, keyed by chunk offset.

#include <memory>
#include <unordered_map>
#include <vector>

#include "engine/render/DImageCache.h"
#include "engine/render/DPixelLoops.h"
#include "engine/render/DRenderer.h"
#include "engine/render/DTextLineLayout.h"
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
    void fillRect(DColor colour, const DRect& rect, DFillMode fill) override;
    void fillRectOn(DBitmap* destination, DColor colour, const DRect& rect, DFillMode fill) override;
    void fillTriangle(DBitmap* destination, DColor colour, DPoint p1, DPoint p2, DPoint p3) override;
    void drawLine(DBitmap* destination, DColor colour, DPoint from, DPoint to) override;
    void setPixel(DBitmap* destination, DColor colour, DPoint point) override;
    void beginFrame() override {}
    void present(const DRect&) override {}
    int init(DDisplay* display, DProject* project, int width, int height) override;
    void release() override;
    std::unique_ptr<DBitmap> drawText(DBitmap* destination, const DTextDescriptor& descriptor, const DRect& rect,
                                      uint32_t style, const DString& text, DTextClear clear, int32_t cursor,
                                      DCaretBlink blink) override;
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
    bool holds(uint32_t offset) const { return m_cache.holds(offset); }
    // The drawing phase marked into bitmaps found or loaded (the project's, or "other").
    uint32_t drawingPhase() const;

    // The loops this renderer blends with: the fastest the processor has unless one is
    // asked for (the plain reference, or a narrower path to test it).
    void setPixelPath(DPixelPath path) { m_loops = &DPixelLoops::of(path); }
    DPixelPath pixelPath() const { return m_loops->path; }

protected:
    // The bitmap whose pixels draw for bitmap: itself, or the cached chunk it refers to.
    DBitmap* pixelsOf(DBitmap* bitmap);

    DDisplay* m_display = nullptr;
    DProject* m_project = nullptr;
    DBitmap m_target;
    DImageCache m_cache;

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
    // The converted glyph of a texture, made on first use; null when it has no pixels.
    DBitmap* engineGlyph(const DTextTexture& texture, uint32_t bytesPerPixel);
    // The glyphs of text in the current face, into m_lineGlyphs.
    void shapeLine(const DString& text, uint32_t bytesPerPixel);
    void drawLineGlyphs(DBitmap& destination, const DRect& rect, const DTextLineLayout& line, bool rightToLeft);

    const DPixelLoops* m_loops = &DPixelLoops::of(DPixelLoops::fastest());
    DTextRenderer m_textRenderer;
    std::unordered_map<GlyphKey, EngineGlyph, GlyphKeyHash> m_engineGlyphs;
    // Reused by every drawText, so drawing a line allocates nothing once they have grown.
    std::vector<uint32_t> m_codePoints;
    std::vector<DLineGlyph> m_lineGlyphs;
};
