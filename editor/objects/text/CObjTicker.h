#pragma once
// Row 16 "ticker": a strip picture that scrolls sideways through the object's rectangle at
// a fixed speed, once across ("Scrolling") or round and round ("Rotating"). The strip is
// the "Image" rescaled to the object's height, its width in proportion.

#include <cstdint>
#include <memory>

#include "editor/objects/CEditorObject.h"
#include "editor/objects/shared/CObjectPicture.h"

class CWinFreeImage;

class CObjTicker : public CEditorObject {
public:
    explicit CObjTicker(int32_t objectTypeIndex) : CEditorObject(objectTypeIndex) {}

    void CollectImages(DRIFFFile& target, CResourceIndex& resources) override;
    int Compile(DRIFFFile& target, CObjectCompileContext& context) override;
    // The object's width: the strip from its left edge, centred when it is narrower.
    gfx::Surface RenderPreview() override;

    // The whole strip, sw x height, in the alpha form given; none when the picture does
    // not load, the object has no height, or the strip would be larger than a picture
    // may be. A strip made keeps its width for the compile.
    std::unique_ptr<CWinFreeImage> RenderStrip(PictureAlpha alpha);
    // The strip width of the last strip made; 0 before the first.
    int32_t StripWidth() const { return m_stripWidth; }

private:
    int32_t m_stripWidth = 0;
    bool m_noSize = false;
};
