#pragma once
// The button (17) and the indicator button (11): a themed frame with an optional icon and
// text; the indicator button adds a round light in its upper right corner whose colour
// follows its "Value tag". For the target file it renders the frame in its five states,
// the icon, the text and one picture per indicator colour; the engine's button combines
// them.

#include <memory>
#include <optional>
#include <vector>

#include "editor/objects/CEditorObject.h"
#include "editor/objects/buttons/CDecorationPlacement.h"
#include "editor/objects/shared/CObjectPicture.h"

class CWinFreeImage;

class CObjButton : public CEditorObject {
public:
    static constexpr int32_t kButtonType = 17;
    static constexpr int32_t kIndicatorButtonType = 11;
    // State pictures rendered with the part codes 0 to 4; their meaning is the theme's.
    static constexpr int32_t kStateCount = 5;
    // The page view's part codes.
    static constexpr int32_t kPartNormal = 0;
    static constexpr int32_t kPartSelected = 1;

    // Which steps of the indicator drawing run: the page view draws both, the body
    // picture only the outline, each colour picture only the fill.
    enum class IndicatorSteps { Outline = 1, Fill = 2, Both = 3 };

    explicit CObjButton(int32_t objectTypeIndex) : CEditorObject(objectTypeIndex) {}

    bool IsWritableTagProperty(std::u16string_view caption) const override;
    bool ReadXml(const DXMLElement& element) override;
    void WriteXml(DXMLElement& parent) const override;
    void CollectImages(DRIFFFile& target, CResourceIndex& resources) override;
    int Compile(DRIFFFile& target, CObjectCompileContext& context) override;
    gfx::Surface RenderPreview() override;
    // The page view shows a selected button in another part code: a new preview.
    void Select(bool selected) override;

    bool HasIndicator() const { return GetObjectTypeIndex() == kIndicatorButtonType; }
    // Placements within the object's rectangle moved to (0, 0).
    std::optional<gfx::Rect> PlaceIcon(const CWinFreeImage& icon) const;
    gfx::Rect PlaceIndicator() const;
    // The frame in part code part, with the target's indicator outline on an indicator
    // button; invalid when the object has no area.
    CObjectPicture RenderState(int32_t part, PictureAlpha alpha) const;
    // The indicator of colour (0xBBGGRR) inscribed in rect; a = 255 - transparency.
    static void DrawIndicator(gfx::Surface& surface, const gfx::Rect& rect, uint32_t colorRef, int32_t transparency,
                              IndicatorSteps steps);
    // The colours of the indicator pictures: "Indicator colors" cut to "Nr of color
    // states" (at least 1).
    std::vector<uint32_t> IndicatorColors() const;

private:
    // What the last collection made, for the compile that follows it.
    struct Collected {
        bool icon = false;
        gfx::Rect iconRect;
        bool text = false;
        uint32_t indicators = 0;
    };
    void DrawFrame(gfx::Surface& surface, int32_t part) const;
    bool IndicatorShown() const;
    // Says which pictures of no size were left out.
    void WarnSkippedPictures(CObjectCompileContext& context) const;

    Collected m_collected;
};
