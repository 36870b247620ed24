#pragma once
// Bar graph objects (rows 12 "imageBar" and 13 "colorBar"): a bar filled from one side in
// proportion to the "Value tag", with ticks beside or over it. For the target file the
// full-scale fill (the body) and the ticks are pictures; a colour bar of one colour that
// needs no body picture is written with its colour and compiles as type 13.

#include <cstdint>
#include <optional>
#include <vector>

#include "editor/objects/CEditorObject.h"
#include "editor/objects/scales/CBarGraphGeometry.h"
#include "editor/objects/shared/CObjectPicture.h"

class CObjBargraph : public CEditorObject {
public:
    explicit CObjBargraph(int32_t objectTypeIndex) : CEditorObject(objectTypeIndex) {}

    void CollectImages(DRIFFFile& target, CResourceIndex& resources) override;
    int Compile(DRIFFFile& target, CObjectCompileContext& context) override;
    gfx::Surface RenderPreview() override;

    // The geometry of the object's rectangle at (0, 0).
    CBarGraphGeometry Geometry() const;
    // The full-scale fill at the bar area's size, the inner ticks drawn in when asked.
    CObjectPicture RenderBody(PictureAlpha alpha, bool withInnerTicks) const;
    // The ticks picture: the band's size (the whole object for "Dual"); none without a band.
    CObjectPicture RenderTicks(PictureAlpha alpha) const;
    // The colours of "Gradient colors" (at most two), 0xBBGGRR.
    std::vector<uint32_t> GradientColors() const;
    // The colour of a colour bar that compiles without a body picture, after a collection.
    std::optional<uint32_t> UniformColor() const { return m_uniformColor; }

private:
    BarGraphTickSettings ReadTickSettings() const;
    // The ticks into a picture whose origin lies at origin of the object's rectangle.
    void DrawTicks(gfx::DeviceContext& dc, gfx::Point origin) const;
    bool DrawImageBody(CObjectPicture& picture, const BarArea& area) const;
    void DrawGradientBody(CObjectPicture& picture, const BarArea& area) const;
    // The bar area's parts in the body picture: one, or the two halves of a split.
    std::vector<gfx::Rect> BodyParts(const BarArea& area) const;

    std::optional<uint32_t> m_uniformColor;
    bool m_hasTicksPicture = false;
    bool m_hasBodyPicture = false;
    bool m_pictureLeftOut = false;
};
