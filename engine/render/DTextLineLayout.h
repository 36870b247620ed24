#pragma once
// Where one line of text goes in its rect: the line's extent from the glyphs' advances,
// the start by cursor or alignment, the caret and the underline bar.

#include <cstdint>
#include <span>

#include "foundation/DGeometry.h"
#include "foundation/target/TargetElement.h"

class DBitmap;

// One glyph of a line: its picture (null for a glyph without pixels), bearing and advance.
struct DLineGlyph {
    DBitmap* bitmap = nullptr;
    int32_t left = 0;
    int32_t top = 0;
    int32_t advance = 0;
};

struct DTextLineLayout {
    int64_t startX = 0;     // the pen where the first glyph drawn starts
    int64_t startY = 0;     // the line's top
    int64_t lineHeight = 0;
    int64_t width = 0;      // from the leftmost to the rightmost pen position
    int64_t extent = 0;     // how far negative advances reach left of the start
    int64_t caret = 0;      // the pen offset of the cursor from startX

    // Lays out glyphs (in text order) in rect; a cursor of -1 shows none.
    static DTextLineLayout place(std::span<const DLineGlyph> glyphs, const DRect& rect,
                                 const target::TextStyle& style, int32_t cursor, int64_t lineHeight);

    // The caret one pixel wide and one line high, kept off the rect's side columns.
    DRect caretBar(const DRect& rect) const;
    // The underline: it ends an eighth of the line height above the line's bottom and is a
    // quarter of that eighth tall (one pixel at least).
    DRect underline() const;
};
