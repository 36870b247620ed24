#pragma once
// Where a knob's face, thumb and ticks lie: the object's rectangle made square about its
// centre, the thumb on a circle inside it at an angle in degrees. Angle 0 lies straight
// below the centre and angles grow clockwise on the screen (90 to the left, 180 above),
// as the panel turns the thumb. Rectangles exclude their right and bottom.

#include <cstdint>
#include <optional>

#include "editor/objects/sliders/CSliderGeometry.h"
#include "foundation/DGeometry.h"
#include "editor/objects/ticks/CRadialTickDrawer.h"
#include "platform/gfx/Point.h"
#include "platform/gfx/Rect.h"

struct KnobSettings {
    gfx::Rect rect;            // the object's rectangle
    int32_t startAngle = 0;    // degrees as the user gave them
    int32_t endAngle = 0;
    RotationSense sense = RotationSense::Clockwise;
    int32_t tickSize = 0;      // s, percent, already 0..90
    int32_t tickOffset = 0;    // f, percent, already 0..90 - s
    int32_t thumbSize = 60;    // T, percent, already at least 10
    int32_t thumbOffset = 0;   // "Thumb offset [%]"
    TickPlacement placement = TickPlacement::Inner;
    std::optional<gfx::Point> click;
    // The style's thumb picture; without one the thumb is the whole rectangle and does not travel.
    std::optional<DSize> thumbPicture;
};

struct KnobLayout {
    gfx::Rect square;          // the rectangle made square
    gfx::Rect face;            // the square less the outer ticks: the theme draws it
    gfx::Rect thumb;
    int32_t radius = 0;        // the travel word: the thumb centre's distance from the centre
    int32_t angle = 0;         // where the thumb stands, degrees
};

class CKnobGeometry {
public:
    static constexpr int32_t kFullTurn = 360;
    static constexpr int32_t kWidestThumb = 90;

    explicit CKnobGeometry(const KnobSettings& settings) : m_settings(settings) {}

    // Degrees into 0..359, negative ones included.
    static int32_t NormalisedAngle(int64_t degrees);
    static gfx::Rect Square(const gfx::Rect& rect);

    // The layout, the thumb at the start angle, or at the click when the click falls on
    // the knob's arc.
    KnobLayout Layout() const;
    // The thumb at an angle.
    KnobLayout LayoutAt(int32_t angle) const;
    // The angle of a click; the start angle when it lies off the arc.
    int32_t AngleOfClick(gfx::Point click) const;

    // The ticks' arc and radii, in the coordinates of the rectangle; none without a tick size.
    std::optional<RadialTickLayout> Ticks() const;

private:
    KnobSettings m_settings;
};
