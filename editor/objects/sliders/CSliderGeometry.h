#pragma once
// Where a slider's track, thumb, channel and tick bands lie in its rectangle. The same
// numbers serve the pictures (the rectangle at 0, 0), the preview and the compiled
// thumb element (the rectangle on the page), so what the editor shows and what the
// panel moves agree. All in whole pixels; rectangles exclude their right and bottom.

#include <cstdint>
#include <optional>
#include <vector>

#include "foundation/DGeometry.h"
#include "platform/gfx/Point.h"
#include "platform/gfx/Rect.h"

// "Tick alignment": 0 "Top/Left", 1 "Center", 2 "Bottom/Right", 3 "Dual" (both outer sides).
enum class SliderTickAlignment { TopLeft = 0, Centre = 1, BottomRight = 2, Dual = 3 };
// "Tick placement": inner ticks are measured from the centre line, outer from the border.
enum class TickPlacement { Inner, Outer };
// Which end of the track holds the minimum.
enum class TrackStart { Near, Far };

struct SliderSettings {
    gfx::Rect rect;            // the object's rectangle
    int32_t direction = 1;     // 1 "Left", 2 "Right", 3 "Top", 4 "Bottom"
    int32_t tickSize = 0;      // s, percent, already 0..90
    int32_t tickOffset = 0;    // f, percent, already 0..90 - s
    int32_t thumbSize = 60;    // T, percent, already at least 10 (may pass 100)
    SliderTickAlignment alignment = SliderTickAlignment::Centre;
    TickPlacement placement = TickPlacement::Inner;
    int32_t channelOffset = 0; // the wished travel margin
    // The thumb picture's size; none when it does not load (or has no area).
    std::optional<DSize> thumbPicture;
    // A click in the page view: the thumb follows it along the track.
    std::optional<gfx::Point> click;
};

// One band across the track that ticks are drawn in; near and far are both drawn.
struct SliderTickBand {
    int32_t alongStart = 0;   // first and last pixel along the track
    int32_t alongEnd = 0;
    int32_t nearEdge = 0;     // across the track
    int32_t farEdge = 0;
    SliderTickAlignment alignment = SliderTickAlignment::TopLeft; // TopLeft, Centre or BottomRight
};

struct SliderLayout {
    gfx::Rect face;           // what the theme draws the track into
    gfx::Rect region;         // what the thumb is laid out in
    gfx::Rect thumb;          // the thumb at the minimum's place (or the click's)
    int32_t margin = 0;       // the travel word: pixels kept free at each end
    // The wished margin left the thumb no travel: it was cut to fit the track.
    bool marginCut = false;
};

class CSliderGeometry {
public:
    static constexpr int32_t kFullPercent = 100;

    explicit CSliderGeometry(const SliderSettings& settings) : m_settings(settings) {}

    static bool IsVertical(int32_t direction) { return direction == 3 || direction == 4; }
    static TrackStart StartOf(int32_t direction) { return direction == 2 || direction == 4 ? TrackStart::Far : TrackStart::Near; }

    SliderLayout Layout() const;
    // The bands ticks are drawn in, in picture coordinates (the rectangle at 0, 0), for a
    // layout made on that rectangle; none for a tick size of 0.
    std::vector<SliderTickBand> TickBands(const SliderLayout& layout) const;
    // The channel's rectangle along the track, for a width above 0.
    gfx::Rect Channel(const SliderLayout& layout, int32_t width) const;

    // The cross extent: the rectangle's width for a vertical slider, else its height.
    int32_t CrossExtent(const gfx::Rect& rect) const;
    // The track's length: the other extent.
    int32_t TrackLength(const gfx::Rect& rect) const;

private:
    // Outer tick inset k.
    int32_t OuterInset(int32_t cross) const;
    // Moves the near and far sides of a rectangle across the track.
    gfx::Rect Narrowed(const gfx::Rect& rect, int32_t nearInset, int32_t farInset) const;

    SliderSettings m_settings;
};
