#pragma once
// Meter objects (row 14 "meter"): a themed round dial with ticks on an arc and a needle
// pointing at the "Value tag": the theme's needle picture, which the engine turns about
// its pivot, or a triangle the engine draws from a base width, a length and a colour.

#include <cstdint>

#include "editor/objects/CEditorObject.h"
#include "editor/objects/scales/CMeterGeometry.h"
#include "editor/objects/shared/CObjectPicture.h"
#include "editor/objects/ticks/CRadialTickDrawer.h"

class CObjMeter : public CEditorObject {
public:
    // The pictures the object renders, in collection order.
    enum class State { Dial = 0, NeedlePicture = 1 };
    enum class NeedleType { Image, Shape };

    explicit CObjMeter(int32_t objectTypeIndex) : CEditorObject(objectTypeIndex) {}

    // "type", properties, "style", position; reading takes the "style" first and applies it.
    bool ReadXml(const DXMLElement& element) override;
    void WriteXml(DXMLElement& parent) const override;
    void CollectImages(DRIFFFile& target, CResourceIndex& resources) override;
    int Compile(DRIFFFile& target, CObjectCompileContext& context) override;
    gfx::Surface RenderPreview() override;

    NeedleType GetNeedleType() const;
    // The needle settings of the "Custom" style or of the theme's settings file.
    MeterNeedleSettings ReadNeedleSettings() const;
    MeterTickSettings ReadTickSettings() const;
    CMeterGeometry Geometry() const;
    // The arc the ticks and the needle share: start and end as the engine reads them
    // (16-bit halves), the short way in the "Direction".
    RadialArc Arc() const;
    // The needle picture fitted into the needle square; the square and pivot 0 when the
    // theme has no needle picture.
    NeedlePicture FittedNeedle() const;
    // The needle's ARGB colour word, with "Needle transparency".
    uint32_t NeedleColor() const;
    // The angle, in degrees, the preview's needle points at: the value 0 kept within the range.
    double PreviewAngle() const;

    CObjectPicture RenderDial(PictureAlpha alpha) const;
    // The theme's needle picture at the fitted size; none for a shape needle.
    CObjectPicture RenderNeedlePicture(PictureAlpha alpha) const;

private:
    void DrawPreviewNeedle(gfx::DeviceContext& dc) const;

    bool m_collectedNeedle = false;
    bool m_pictureLeftOut = false;
};
