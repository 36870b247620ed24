#include "editor/objects/sliders/CTrendGeometry.h"

#include <algorithm>

#include "foundation/DGeometry.h"

TrendLayout CTrendGeometry::Layout(const TrendSettings& s)
{
    TrendLayout layout;
    // A border below 0 would reach outside the picture.
    const int32_t border = std::max(s.borderWidth, 0);
    layout.inner = {s.rect.left + border, s.rect.top + border, s.rect.right - border, s.rect.bottom - border};
    const gfx::Rect& inner = layout.inner;
    const int64_t width = inner.width();
    const int32_t depth = saturated32(int64_t(s.tickSize) * width / 200);

    layout.plot = inner;
    if (s.alignment == TrendTickAlignment::TopLeft)
        layout.plot.left += depth + kBandGap;
    else if (s.alignment == TrendTickAlignment::BottomRight)
        layout.plot.right -= depth + kBandGap;

    layout.band = {inner.left, inner.top, inner.left, inner.bottom};
    if (s.tickSize <= 0)
        return layout;
    const int32_t rest = saturated32(width - depth - 3);
    if (rest <= 0) {
        layout.band = inner;
        return layout;
    }
    switch (s.alignment) {
    case TrendTickAlignment::TopLeft: layout.band = {inner.left + 2, inner.top, inner.right - rest, inner.bottom}; break;
    case TrendTickAlignment::BottomRight: layout.band = {inner.left + rest, inner.top, inner.right - 2, inner.bottom}; break;
    case TrendTickAlignment::Centre:
        layout.band = {inner.left + rest / 2, inner.top, inner.right - rest / 2, inner.bottom};
        break;
    }
    return layout;
}

int32_t CTrendGeometry::RowOf(const gfx::Rect& band, int64_t position)
{
    return saturated32(int64_t(band.bottom) - 1 - position);
}
