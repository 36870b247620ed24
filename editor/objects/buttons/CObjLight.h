#pragma once
// The indicator light (10): a round themed lamp with an optional icon and text, lit in one
// of several colours chosen by its "Value tag". For the target file it renders the frame,
// one glow per colour, the icon and the text; the engine shows the frame and the glow of
// the current state.

#include <memory>
#include <optional>
#include <vector>

#include "editor/objects/CEditorObject.h"
#include "editor/objects/shared/CObjectPicture.h"

class CWinFreeImage;

class CObjLight : public CEditorObject {
public:
    static constexpr int32_t kLightType = 10;
    // The lamp's frame: the ellipse shape in the indicator light's part code.
    static constexpr int32_t kShapeEllipse = 0;
    static constexpr int32_t kFramePart = 0x40;
    // The glow's centre lies this far above the lamp's bottom.
    static constexpr int32_t kGlowCentreRise = 5;

    explicit CObjLight(int32_t objectTypeIndex = kLightType) : CEditorObject(objectTypeIndex) {}

    bool ReadXml(const DXMLElement& element) override;
    void WriteXml(DXMLElement& parent) const override;
    void CollectImages(DRIFFFile& target, CResourceIndex& resources) override;
    int Compile(DRIFFFile& target, CObjectCompileContext& context) override;
    gfx::Surface RenderPreview() override;

    // The icon's place within the object's rectangle moved to (0, 0).
    std::optional<gfx::Rect> PlaceIcon(const CWinFreeImage& icon) const;
    // The colours of the glow pictures: "Light colors" cut to "Nr of color states"
    // (at least 1).
    std::vector<uint32_t> LightColors() const;
    // The frame alone, as the target file's body picture.
    CObjectPicture RenderBody(PictureAlpha alpha) const;
    // The glow in colour (0xBBGGRR) over the whole of a picture of the object's size.
    CObjectPicture RenderGlow(uint32_t colorRef, PictureAlpha alpha) const;
    static void DrawGlow(gfx::Surface& surface, uint32_t colorRef, int32_t transparency);

private:
    struct Collected {
        uint32_t colors = 0;
        bool icon = false;
        bool iconSkipped = false;   // it would have had no size
        gfx::Rect iconRect;
        bool text = false;
    };

    Collected m_collected;
};
