#include "editor/objects/shared/CItemFrames.h"

#include <algorithm>

#include "editor/objects/CEditorObject.h"
#include "editor/objects/CObjectTheme.h"

bool CItemFrames::DrawFrame(const CEditorObject& object, const gfx::PixelBuffer& pixels, const gfx::Rect& rect,
                            int32_t shape, int32_t partCode)
{
    CObjectTheme* theme = object.GetTheme();
    if (!theme || !pixels.isValid() || rect.isEmpty())
        return false;
    return theme->DrawObject(pixels, rect, shape, partCode, object.GetAppearanceInt(u"Transparency")) != 0;
}

int32_t CItemFrames::DrawRows(const CEditorObject& object, const gfx::PixelBuffer& pixels, int32_t itemHeight,
                              const std::function<int32_t(int32_t row)>& partCodeOf, int32_t maximumRows)
{
    if (!pixels.isValid() || !object.GetTheme())
        return 0;
    const int32_t height = std::max(itemHeight, 1);
    int32_t rows = 0;
    for (int64_t top = 0; top < pixels.height && rows < maximumRows; top += height, ++rows) {
        const gfx::Rect row = gfx::Rect::fromSize(0, int32_t(top), pixels.width, height);
        DrawFrame(object, pixels, row, kShapeFrame, partCodeOf(rows));
    }
    return rows;
}
