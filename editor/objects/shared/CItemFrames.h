#pragma once
// Frames drawn by the theme named in an object's style: one frame over a rectangle, or
// rows of frames of one item height from the top, as list boxes draw their items. Buttons
// and lamps draw their state frames through DrawFrame as well. Transparency is the
// object's "Appearance" "Transparency" (0..255).

#include <cstdint>
#include <functional>

#include "platform/gfx/PixelBuffer.h"
#include "platform/gfx/Rect.h"

class CEditorObject;

class CItemFrames {
public:
    // The frame shape of buttons, lamps and list items.
    static constexpr int32_t kShapeFrame = 1;
    // List item frames: part code kItemPart | state index (0 to 2).
    static constexpr int32_t kItemPart = 0x50;

    // The theme's frame over rect; false when the object has no theme or it drew nothing.
    static bool DrawFrame(const CEditorObject& object, const gfx::PixelBuffer& pixels, const gfx::Rect& rect,
                          int32_t shape, int32_t partCode);
    // Frames of itemHeight (at least 1) across the whole width, one per row while the
    // row's top is above the picture's bottom, each with partCodeOf(row from 0); at most
    // maximumRows. The number of rows drawn.
    static int32_t DrawRows(const CEditorObject& object, const gfx::PixelBuffer& pixels, int32_t itemHeight,
                            const std::function<int32_t(int32_t row)>& partCodeOf, int32_t maximumRows = INT32_MAX);
};
