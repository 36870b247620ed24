#pragma once
// Where a graph's plot area, value-axis tick band and grid lines lie in its rectangle.
// The plot area is where the panel draws the signal; the rest goes into the background
// picture. Rectangles exclude their right and bottom.

#include <cstdint>

#include "platform/gfx/Rect.h"

// "Tick alignment" of a graph: 0 "Top/Left", 1 "Center", 2 "Bottom/Right".
enum class TrendTickAlignment { TopLeft = 0, Centre = 1, BottomRight = 2 };
// "Show horizontal grids": 0 hidden, 1 at every tick, 2 at the label ticks.
enum class HorizontalGrid { Hidden = 0, AtTicks = 1, AtLabels = 2 };

struct TrendSettings {
    gfx::Rect rect;              // the object's rectangle
    int32_t borderWidth = 0;     // "Border width"
    int32_t tickSize = 0;        // s: 0..90, 0 when the ticks are hidden
    TrendTickAlignment alignment = TrendTickAlignment::Centre;
};

struct TrendLayout {
    gfx::Rect inner;   // the rectangle less the border
    gfx::Rect plot;    // where the signal is drawn
    gfx::Rect band;    // the value-axis ticks; empty (right at left) without ticks
};

class CTrendGeometry {
public:
    // Pixels cut beside an aligned tick band even when no ticks are shown.
    static constexpr int32_t kBandGap = 5;
    // A plot narrower than this has no horizontal grid lines.
    static constexpr int32_t kNarrowestGrid = 10;

    static TrendLayout Layout(const TrendSettings& settings);
    // The row of a tick position (v x (band height - 1) / range): the minimum on the band's
    // last row, the maximum on its first, as the panel draws the signal's rows.
    static int32_t RowOf(const gfx::Rect& band, int64_t position);
};
