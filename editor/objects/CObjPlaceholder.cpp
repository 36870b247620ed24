#include "editor/objects/CObjPlaceholder.h"

#include "editor/objects/CObjectTheme.h"
#include "platform/gfx/DeviceContext.h"

namespace {
// The theme's frame of a plain button, in its rounded-rectangle shape.
constexpr int32_t kFrameShape = 1;
constexpr int32_t kFramePart = 2;
} // namespace

void CObjPlaceholder::DrawDefault(gfx::DeviceContext& dc, const gfx::Rect& rect)
{
    dc.fillRect(rect, gfx::Colour::fromColorRef(kFillColor));
}

gfx::Surface CObjPlaceholder::RenderPreview()
{
    const DSize size = GetWorkSize();
    if (size.width <= 0 || size.height <= 0)
        return {};
    gfx::Surface picture(size.width, size.height);
    if (!picture.isValid())
        return {};
    const gfx::Rect whole = gfx::Rect::fromSize(0, 0, size.width, size.height);
    {
        gfx::DeviceContext dc(picture);
        dc.fillRect(whole, gfx::Colour::fromColorRef(kFillColor));
    }
    if (CObjectTheme* theme = GetTheme())
        theme->DrawObject(picture.pixels(), whole, kFrameShape, kFramePart, GetAppearanceInt(u"Transparency"));
    return picture;
}
