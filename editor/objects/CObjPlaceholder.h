#pragma once
// The object of a type whose own class is still to come: it holds the type's
// properties, reads and writes them, and previews as a plain panel in its theme's frame.

#include "editor/objects/CEditorObject.h"

class CObjPlaceholder : public CEditorObject {
public:
    // The panel's fill, 0xBBGGRR.
    static constexpr uint32_t kFillColor = 0xC0C0C0;

    explicit CObjPlaceholder(int32_t objectTypeIndex) : CEditorObject(objectTypeIndex) {}

    void DrawDefault(gfx::DeviceContext& dc, const gfx::Rect& rect) override;
    gfx::Surface RenderPreview() override;
};
