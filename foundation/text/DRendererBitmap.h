#pragma once
// The editor's bitmap renderer: makes and owns 32-bit bitmaps, blends and blits them,
// and lays text out into lines and draws it into a new bitmap with the glyphs of its
// own text renderer. Rectangles are inclusive (DRect).

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <unordered_map>
#include <vector>

#include "foundation/DString.h"
#include "foundation/text/DBitmap.h"
#include "foundation/text/DGeometry.h"
#include "foundation/text/DTextRenderer.h"

namespace foundation {

// The editor's; the engine's renderer of that name is another class, apart from this one.
class DRendererBitmap {
public:
    enum class AlphaMode { Blend, CopyAlpha };
    // The underline's colour as given, or premultiplied for projects that ask for it.
    enum class ColourForm { Straight, Premultiplied };

    // One laid-out line. last is the position, in visiting order (reversed for
    // right-to-left text), of the line's last code point; a line before which a line
    // feed stood, or an empty one, may end before it begins.
    struct Line {
        int32_t last = -1;
        int32_t width = 0;
        int32_t top = 0;
        int32_t left = 0;
    };
    // The glyph of each visited code point, by visiting position; none for line feeds,
    // carriage returns, glyphs that cannot be made and code points never reached.
    using Glyphs = std::vector<std::optional<DTextTexture>>;

    DRendererBitmap(); // its text renderer over the installed fonts
    explicit DRendererBitmap(std::unique_ptr<DFontSource> fontSource);
    virtual ~DRendererBitmap();
    DRendererBitmap(const DRendererBitmap&) = delete;
    DRendererBitmap& operator=(const DRendererBitmap&) = delete;

    DTextRenderer& textRenderer() { return m_textRenderer; }

    // A new zero-filled 32-bit bitmap owned by this renderer, or null when it cannot
    // be made (no or too large a size).
    DBitmap* create(int32_t width, int32_t height);
    // Frees one bitmap made here; others are left alone.
    void release(DBitmap* bitmap);
    void releaseAll();
    std::size_t bitmapCount() const;

    // Source over target, straight alpha: alpha 255 copies, 0 keeps the target, else
    // each colour channel moves by floor(alpha x (source - target) / 256) and the
    // target's alpha stays.
    static uint32_t blend(uint32_t source, uint32_t target);
    // The premultiplied form of an ARGB colour: each channel x alpha / 256.
    static uint32_t premultiply(uint32_t colour);
    // Inclusive intersection; false when a and b do not meet (touching edges meet).
    static bool intersect(const DRect& a, const DRect& b, DRect* out = nullptr);
    // Draws source, from sourcePoint, into targetRect of target, clipped to both.
    // Blend blends 4-byte pixels; CopyAlpha blends and then takes the source's alpha,
    // turns 1-byte grey into opaque 4-byte grey and copies 1-byte into 1-byte.
    static void blit(const DRect& targetRect, DBitmap& target, const DBitmap& source, DPoint sourcePoint,
                     AlphaMode mode);
    // Sets every pixel of rect, clipped to the bitmap, to colour.
    static void fill(DBitmap& bitmap, uint32_t colour, const DRect& rect);

    // Lays text out within rect (wrapping, alignment, line spacing, right to left) and
    // makes its glyphs; rect becomes the text block's box. Returns the number of code
    // points, 0 with rect (0, 0, 0, 0) when the descriptor has no usable face. Holds
    // the renderer's render lock throughout.
    static uint32_t layoutText(const DString& text, DTextRenderer& renderer, DRect& rect, Glyphs& glyphs,
                               std::vector<Line>& lines, const DTextDescriptor& descriptor);

    // A new bitmap of size with text laid out in rect and drawn, glyphs clipped to rect;
    // null when the text is empty or the bitmap cannot be made. With CopyAlpha the
    // bitmap takes the glyphs' coverage as its alpha (transparent text pictures).
    DBitmap* renderText(DSize size, const DString& text, DTextRenderer& renderer, const DRect& rect,
                        const DTextDescriptor& descriptor, AlphaMode mode,
                        ColourForm underlineColour = ColourForm::Straight);

private:
    struct PixelKeyHash {
        std::size_t operator()(const uint8_t* pixels) const;
    };

    mutable std::mutex m_bitmapsLock; // a leaf: held for nothing but the map
    std::unordered_map<const uint8_t*, std::unique_ptr<DBitmap>, PixelKeyHash> m_bitmaps;
    DTextRenderer m_textRenderer;
};

} // namespace foundation
