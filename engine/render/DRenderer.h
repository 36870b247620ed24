#pragma once
// The engine's renderer: software drawing into 32-bit bitmaps, the cache of image
// chunks loaded from the target file, and the presentation of changed rectangles.

#include <cstdint>
#include <memory>

#include "engine/render/DBitmap.h"
#include "foundation/DGeometry.h"
#include "engine/core/DObject.h"
#include "foundation/DString.h"

class DDisplay;
class DFile;
class DProject;
class DTextDescriptor;
class DTextRenderer;

// Bits of the draw mode handed to blit and drawBitmap.
namespace DDrawMode {
constexpr uint32_t Copy = 1;    // bit 0: copy instead of blending over
constexpr uint32_t Focused = 4; // the primitive shows the focus frame
} // namespace DDrawMode

// Drawing phases the project sets while it redraws; bitmaps found or loaded get it in their mark.
namespace DDrawingPhase {
constexpr uint32_t CurrentPage = 1;
constexpr uint32_t BasePage = 2;
constexpr uint32_t Other = 4;
} // namespace DDrawingPhase

// Whether a fill takes the colour as it is or blends it over the pixels.
enum class DFillMode : uint8_t {
    Blend, // unless the colour is opaque
    Opaque,
};

// Whether drawText clears its rect to transparent before the glyphs.
enum class DTextClear : uint8_t {
    Keep,
    ClearFirst,
};

// The caret's blink phase: it shows while the phase is on.
enum class DCaretBlink : uint8_t {
    Off,
    On,
};

// The phase of a blink counter: on while it is odd.
constexpr DCaretBlink blinkPhase(uint32_t counter)
{
    return counter & 1 ? DCaretBlink::On : DCaretBlink::Off;
}

class DRenderer : public DObject {
public:
    virtual DBitmap* target() = 0;
    virtual void drawBitmap(DBitmap* source, const DRect& clip, DPoint sourceOffset, uint32_t mode) = 0;
    virtual void blit(DBitmap* destination, DBitmap* source, const DRect& clip, DPoint position, uint32_t mode) = 0;
    virtual void drawTransformed(DBitmap* destination, DBitmap* source, DPoint position, DPoint offset,
                                 double angle) = 0;
    virtual void fillRect(DColor colour, const DRect& rect, DFillMode fill) = 0;
    virtual void fillRectOn(DBitmap* destination, DColor colour, const DRect& rect, DFillMode fill) = 0;
    virtual void fillTriangle(DBitmap* destination, DColor colour, DPoint p1, DPoint p2, DPoint p3) = 0;
    virtual void drawLine(DBitmap* destination, DColor colour, DPoint from, DPoint to) = 0;
    virtual void setPixel(DBitmap* destination, DColor colour, DPoint point) = 0;
    virtual void beginFrame() = 0;
    virtual void present(const DRect& rect) = 0;
    [[nodiscard]] virtual int init(DDisplay* display, DProject* project, int width, int height) = 0;
    virtual void release() = 0;
    // One line of text; with no destination a new bitmap of the rect's size is made and
    // returned, otherwise it draws into the destination and returns none. The descriptor
    // asks for the font (its face, matched when none is set yet, size, style flags, render
    // mode, ARGB colour); style is the element's packed style word, which places the line
    // (alignment, line alignment, right-to-left) and asks for underlining. A cursor of -1
    // shows none; with a cursor the caret shows while blink is on.
    virtual std::unique_ptr<DBitmap> drawText(DBitmap* destination, const DTextDescriptor& descriptor,
                                              const DRect& rect, uint32_t style, const DString& text,
                                              DTextClear clear, int32_t cursor, DCaretBlink blink) = 0;
    // The text renderer that draws with the target file's fonts; none for a renderer without text.
    virtual DTextRenderer* textRenderer() { return nullptr; }
    // Takes the faces of the "font" chunks from the file's position up to end (absolute);
    // the faces of an earlier file are let go. Returns the number of faces.
    virtual uint32_t loadFonts(DFile&, uint64_t) { return 0; }
    virtual DBitmap* findCached(uint32_t offset) = 0;
    virtual DBitmap* loadBitmap(DFile* file, uint32_t offset) = 0;
    [[nodiscard]] virtual int resolveBitmap(DBitmap* bitmap) = 0;
    virtual void freeBitmaps() = 0;
    virtual void clearMarks() = 0;
    virtual void evictUnmarked() = 0;
    virtual DBitmap* createBitmap(int width, int height, uint32_t mode) = 0;
};
