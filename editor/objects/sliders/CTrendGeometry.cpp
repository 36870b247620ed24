#include "editor/objects/sliders/CTrendGeometry.h"

#include <algorithm>

#include "foundation/DGeometry.h"

TrendLayout CTrendGeometry::Layout(const TrendSettings& s)
{
    TrendLayout layout;
    // A border below 0 would reach outside the picture. The rectangle may lie anywhere a
    // stored position can: every sum is taken in 64 bits and held within 32.
    const int64_t border = std::max(s.borderWidth, 0);
    layout.inner = s.rect.inset(border, border, border, border);
    const gfx::Rect& inner = layout.inner;
    const int64_t width = inner.width();
    const int64_t depth = int64_t(s.tickSize) * width / 200;

    layout.plot = inner;
    if (s.alignment == TrendTickAlignment::TopLeft)
        layout.plot = inner.inset(depth + kBandGap, 0, 0, 0);
    else if (s.alignment == TrendTickAlignment::BottomRight)
        layout.plot = inner.inset(0, 0, depth + kBandGap, 0);

    layout.band = {inner.left, inner.top, inner.left, inner.bottom};
    if (s.tickSize <= 0)
        return layout;
    const int64_t rest = width - depth - 3;
    if (rest <= 0) {
        layout.band = inner;
        return layout;
    }
    switch (s.alignment) {
    case TrendTickAlignment::TopLeft: layout.band = inner.inset(2, 0, rest, 0); break;
    case TrendTickAlignment::BottomRight: layout.band = inner.inset(rest, 0, 2, 0); break;
    case TrendTickAlignment::Centre: layout.band = inner.inset(rest / 2, 0, rest / 2, 0); break;
    }
    return layout;
}

int32_t CTrendGeometry::RowOf(const gfx::Rect& band, int64_t position)
{
    return saturated32(int64_t(band.bottom) - 1 - position);
}
