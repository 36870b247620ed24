#pragma once
// The slider (row 18) and the knob (row 19): a themed track or knob face with a thumb
// the user drags to set the "Value tag" between a minimum and a maximum, a coloured
// channel along the slider's track, and ticks. Three pictures reach the panel: the track
// or face, the thumb, and the track or face while focused.

#include <cstdint>
#include <optional>

#include "editor/objects/CEditorObject.h"
#include "editor/objects/sliders/CKnobGeometry.h"
#include "editor/objects/sliders/CSliderGeometry.h"

class CObjSlider : public CEditorObject {
public:
    static constexpr int32_t kSliderType = 18;
    static constexpr int32_t kKnobType = 19;

    // The pictures, in the order they are collected and compiled.
    enum class State : int32_t { Track = 0, Thumb = 1, FocusedTrack = 2 };
    static constexpr int32_t kStateCount = 3;
    // The theme's part code: the slider class in the high nibble, the state below.
    static constexpr int32_t kThemeClass = 0x10;
    // The shapes the theme frames: a rounded track, a round knob.
    static constexpr int32_t kSliderShape = 1;
    static constexpr int32_t kKnobShape = 0;
    static constexpr int32_t kSmallestThumb = 10;
    // The channel's gradient runs from this colour (0xBBGGRR) to the channel colour.
    static constexpr uint32_t kChannelStartColor = 0xE0E0E0;

    explicit CObjSlider(int32_t objectTypeIndex) : CEditorObject(objectTypeIndex) {}

    bool IsKnob() const { return GetObjectTypeIndex() == kKnobType; }

    bool IsWritableTagProperty(std::u16string_view caption) const override { return caption == u"Value tag"; }

    bool ReadXml(const DXMLElement& element) override;
    void WriteXml(DXMLElement& parent) const override;
    void CollectImages(DRIFFFile& target, CResourceIndex& resources) override;
    int Compile(DRIFFFile& target, CObjectCompileContext& context) override;
    // The track or face with its ticks and channel, the thumb drawn on it.
    gfx::Surface RenderPreview() override;

    // A picture of a state, premultiplied; invalid when it would have no area.
    gfx::Surface RenderState(State state) const;
    // Its size: the object's, or the thumb's for the thumb.
    DSize StateSize(State state) const;

    // The geometry of the object on rect (the page's rectangle, or 0, 0 for pictures).
    SliderSettings GetSliderSettings(const gfx::Rect& rect) const;
    KnobSettings GetKnobSettings(const gfx::Rect& rect) const;
    // The thumb's rectangle and the travel word (margin or radius) on rect.
    gfx::Rect ThumbRect(const gfx::Rect& rect, int32_t* travel = nullptr, bool* marginCut = nullptr) const;
    // The direction word: the knob's 1 clockwise, 2 counterclockwise; the slider's 1 to 4.
    uint32_t DirectionWord() const;
    // The knob's start and end angles, each in 0..359, in one word; 0 for the slider.
    uint32_t AnglesWord() const;

private:
    gfx::Rect PageRect() const;
    // The page view's last click on the object, moved with the object to rect; none.
    std::optional<gfx::Point> ClickOn(const gfx::Rect& rect) const;
    // Draws the track or face, the ticks and the channel into a picture of the object's size.
    void DrawTrack(gfx::Surface& picture, State state) const;
    // The ticks' scale; none when they are hidden or the range is empty.
    std::optional<TickScale> TickScaleToDraw() const;
    // Ticks of the knob or slider of those settings (in picture coordinates).
    void DrawTicks(gfx::Surface& picture, const KnobSettings& knob) const;
    void DrawTicks(gfx::Surface& picture, const SliderSettings& settings) const;
    void DrawChannel(gfx::Surface& picture, const SliderSettings& settings) const;
    uint32_t ChannelColor() const;
};
