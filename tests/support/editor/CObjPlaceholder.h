#pragma once
// A stand-in object for the tests of what every object shares: it holds the properties of
// the type it is made with, reads and writes them as the base does, and previews as a
// plain panel in its theme's frame.

#include "editor/objects/CEditorObject.h"
#include "editor/objects/CObjectTheme.h"
#include "platform/gfx/DeviceContext.h"

class CObjPlaceholder : public CEditorObject {
public:
    // The panel's fill, 0xBBGGRR.
    static constexpr uint32_t kFillColor = 0xC0C0C0;
    // The theme's frame of a plain button, in its rounded-rectangle shape.
    static constexpr int32_t kFrameShape = 1;
    static constexpr int32_t kFramePart = 2;

    explicit CObjPlaceholder(int32_t objectTypeIndex) : CEditorObject(objectTypeIndex) {}
    // As the factory's objects do: the worker never meets it half gone.
    ~CObjPlaceholder() override { CancelPendingWork(); }

    void DrawDefault(gfx::DeviceContext& dc, const gfx::Rect& rect) override
    {
        dc.fillRect(rect, gfx::Colour::fromColorRef(kFillColor));
    }

    gfx::Surface RenderPreview() override
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
};
