#include "themes/ThemeOutline.h"

#include <algorithm>

ThemeOutline ThemeOutline::roundedRectangle(int32_t width, int32_t height, int32_t inset, int32_t roundness)
{
    const int64_t a = inset;
    const int64_t d = a / 2;
    const double e = double(std::min(int64_t(width) - a, int64_t(height) - a)) * roundness / 100.0;
    ThemeOutline outline;
    outline.left = double(d);
    outline.top = double(d);
    outline.right = double(int64_t(width) + d - a);
    outline.bottom = double(int64_t(height) + d - a);
    if (e <= 0)
        return outline;
    const double x2 = outline.right - e;
    const double y2 = outline.bottom - e;
    outline.kind = Kind::Arcs;
    outline.arcs = {{{double(d), double(d), e, 180}, {x2, double(d), e, 270}, {x2, y2, e, 360}, {double(d), y2, e, 90}}};
    return outline;
}
