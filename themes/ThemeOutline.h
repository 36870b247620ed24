#pragma once
// The rounded rectangle a theme frames an object with, as four quarter arcs, in the
// frame's own coordinates (pixel centres on whole numbers). An arc size that is not
// positive gives a plain rectangle.

#include <array>
#include <cstdint>

struct ThemeArc {
    double x = 0;    // the arc's square: left, top, side
    double y = 0;
    double size = 0;
    double startDegrees = 0; // sweeps 90 degrees clockwise on the screen
};

struct ThemeOutline {
    enum class Kind { Rectangle, Arcs };
    Kind kind = Kind::Rectangle;
    double left = 0; // the bounds, for a plain rectangle
    double top = 0;
    double right = 0;
    double bottom = 0;
    std::array<ThemeArc, 4> arcs{};

    // Frame of width by height, inset (0 outer, 2 inner), roundness in percent.
    static ThemeOutline roundedRectangle(int32_t width, int32_t height, int32_t inset, int32_t roundness);
};
