#pragma once
// The graph (row 15): a time plot of its "Value tag". The frame, the plot area's
// colouring, the value-axis ticks and the grid lines are one background picture; the
// panel draws the signal into the plot area from right to left.

#include <cstdint>

#include "editor/objects/CEditorObject.h"
#include "editor/objects/sliders/CTrendGeometry.h"

class CObjTrend : public CEditorObject {
public:
    // The theme's part code of a graph frame; drawn as a picture only, without a frame path.
    static constexpr int32_t kThemePart = 0x30;
    static constexpr int32_t kPictureOnly = -1;
    // The hatch the dotted vertical grid lines are drawn with.
    static constexpr uint32_t kDottedForeground = 0x80FFFFFF;
    // The page view's sample signal: radians per pixel, and its distance from the plot's edges.
    static constexpr double kSamplePeriod = 30.0;
    static constexpr int32_t kSampleInset = 10;
    static constexpr int32_t kSampleRamp = 100;

    explicit CObjTrend(int32_t objectTypeIndex) : CEditorObject(objectTypeIndex) {}

    bool ReadXml(const DXMLElement& element) override;
    void WriteXml(DXMLElement& parent) const override;
    void CollectImages(DRIFFFile& target, CResourceIndex& resources) override;
    int Compile(DRIFFFile& target, CObjectCompileContext& context) override;
    // The background picture with the sample signal over it.
    gfx::Surface RenderPreview() override;

    // The background picture, premultiplied; invalid for an object of no area.
    gfx::Surface RenderBackground() const;
    // Plot area, band and inner rectangle on rect.
    TrendLayout GetLayout(const gfx::Rect& rect) const;
    // "Show horizontal grids" as a code.
    HorizontalGrid GetHorizontalGrid() const;
    // The signal type flags word.
    uint32_t ModeWord() const;

private:
    void DrawBackground(gfx::Surface& picture) const;
    void DrawPlotArea(gfx::Surface& picture, const TrendLayout& layout) const;
    void DrawValueAxis(gfx::Surface& picture, const TrendLayout& layout) const;
    void DrawVerticalGrid(gfx::Surface& picture, const TrendLayout& layout) const;
    void DrawSampleSignal(gfx::Surface& picture, const TrendLayout& layout) const;
};
