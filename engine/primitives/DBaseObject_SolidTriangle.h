#pragma once
// A needle: a triangle turned about a pivot, drawn with a soft half-alpha rim around a
// solid core into a picture of the primitive's size.

#include "engine/primitives/DBaseObject_UnscaledBitmap.h"
#include "engine/render/DCachedPicture.h"

class DBaseObject_SolidTriangle : public DBaseObject_UnscaledBitmap {
public:
    // The needle's shape: base width and length along the needle, the pivot inside the
    // primitive and the distance from the pivot to the tip.
    struct Needle {
        int32_t baseWidth = 0;
        int32_t length = 0;
        DPoint pivot{};
        int32_t tipRadius = 0;
        friend bool operator==(const Needle&, const Needle&) = default;
    };
    // Corners local to the primitive: the tip, then the two ends of the base.
    struct Corners {
        DPoint tip, first, second;
    };

    using DBaseObject_UnscaledBitmap::DBaseObject_UnscaledBitmap;

    void draw(DRenderer& renderer, const DRect& dirty) override;
    DColor colour() const { return m_colour; }
    void setColour(DColor colour);
    // Angle in radians from straight down, growing clockwise on screen.
    void setNeedle(double angle, const Needle& needle);
    double angle() const { return m_angle; }
    const Needle& needle() const { return m_needle; }

    // The triangle with tip at tipRadius from the pivot and its base, halfWidth to each
    // side, back from the tip by length.
    static Corners cornersOf(double angle, int32_t halfWidth, int32_t length, DPoint pivot, int32_t tipRadius);

private:
    // The needle's box in the primitive (the part of it inside the primitive).
    DRect boxOf(const Corners& corners) const;

    DColor m_colour = 0;
    double m_angle = 0;
    Needle m_needle{};
    DRect m_box{};
    DCachedPicture m_picture;
};
