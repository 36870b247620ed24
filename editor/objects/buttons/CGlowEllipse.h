#pragma once
// An ellipse filled with a path gradient of one colour: faint at the rim, full at a centre
// point that may lie off the ellipse's own centre. It lights a button's indicator and a
// lamp's glow. Coordinates are those of the theme drawing: a pixel's centre lies on whole
// numbers, so the ellipse (x, y, w, h) covers the pixels x .. x + w.

#include <cstdint>

#include "platform/gfx/Colour.h"
#include "platform/gfx/PixelBuffer.h"
#include "platform/gfx/Rect.h"

class CGlowEllipse {
public:
    // Alphas of the three blend stops: position 0 the rim, 0.5 half-way, 1 the centre.
    struct Stops {
        uint8_t rim = 0;
        uint8_t middle = 0;
        uint8_t centre = 0;
        constexpr bool operator==(const Stops&) const = default;
    };

    struct Ellipse {
        double x = 0;
        double y = 0;
        double width = 0;
        double height = 0;
    };

    // The stops of an object's "Transparency" t, a = 255 - t: a >> 4, a × 176 >> 8, a.
    static Stops StopsFor(int32_t transparency);

    // Blends the gradient in colour (0xBBGGRR) over the premultiplied target, clipped to
    // it, the rim anti-aliased; an ellipse of no area draws nothing.
    static void Fill(const gfx::PixelBuffer& target, const Ellipse& ellipse, double centreX, double centreY,
                     uint32_t colorRef, Stops stops);

    // The alpha of the gradient at a point inside the ellipse (the rim's beyond it).
    static double AlphaAt(const Ellipse& ellipse, double centreX, double centreY, Stops stops, double x, double y);
};
