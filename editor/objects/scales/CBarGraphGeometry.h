#pragma once
// Where a bar graph's parts lie inside its rectangle: the tick band, the bar area (the
// rectangle less outer ticks, or split around centred outer ticks) and the layout of the
// ticks in a band. Pure geometry over whole pixels, in the rectangle's own coordinates.

#include <cstdint>
#include <optional>

#include "editor/objects/ticks/CLinearTickDrawer.h"
#include "platform/gfx/Rect.h"

// The codes of "Tick alignment" and "Tick placement" together: 0 "Top/Left" (and "Inner"),
// 1 "Center", 2 "Bottom/Right" (and "Outer"), 3 "Dual".
enum class BarTickAlignment : int32_t { TopLeft = 0, Centre = 1, BottomRight = 2, Dual = 3 };

struct BarGraphTickSettings {
    bool show = true;
    int32_t size = 0; // "Tick size [%]", 0..90
    bool outer = false;
    BarTickAlignment alignment = BarTickAlignment::TopLeft;
};

// The bar's area; with centred outer ticks the bar is two halves split around the
// middle by a half-gap of split pixels (0: one piece).
struct BarArea {
    gfx::Rect rect;
    int32_t split = 0;
    bool operator==(const BarArea&) const = default;
};

class CBarGraphGeometry {
public:
    // direction: 1 "Left", 2 "Right", 3 "Top", 4 "Bottom" (where the bar grows from).
    CBarGraphGeometry(const gfx::Rect& rect, int32_t direction, const BarGraphTickSettings& ticks);

    // Directions 3 and 4: the bar grows up or down, its cross extent is the width.
    bool IsVertical() const { return m_direction == 3 || m_direction == 4; }
    int32_t CrossExtent() const { return IsVertical() ? m_rect.width() : m_rect.height(); }

    // The band the ticks stand in, for the settings' alignment; none without ticks.
    std::optional<gfx::Rect> TickBand() const { return TickBand(m_ticks.alignment); }
    std::optional<gfx::Rect> TickBand(BarTickAlignment alignment) const;
    BarArea Area() const;

    // The ticks of a band placed at band (its own alignment: TopLeft, Centre or
    // BottomRight), along the bar from its minimum end.
    LinearTickLayout TickLayout(const gfx::Rect& band, BarTickAlignment alignment) const;

private:
    gfx::Rect m_rect;
    int32_t m_direction;
    BarGraphTickSettings m_ticks;
};
