#pragma once
// Where a meter's parts lie: the needle's length, base and offset, the needle square and
// the needle picture fitted into it with its pivot, and the radii of the dial's ticks.
// Whole pixels, in the object rectangle's own coordinates.

#include <cstdint>

#include "editor/objects/ticks/CRadialTickDrawer.h"
#include "platform/gfx/Point.h"
#include "platform/gfx/Rect.h"

// "Tick alignment" of the dial: where short ticks stand between a label tick's radii.
enum class DialTickAlignment { Inner, Centre, Outer };

struct MeterNeedleSettings {
    int32_t size = 20;       // "Needle size [%]", 20..100
    int32_t basePercent = 30; // of the needle length, 5..50
    int32_t offsetPercent = 15; // 0..100
    gfx::Point pivot;        // the needle picture's pivot from its centre
};

struct MeterTickSettings {
    bool show = true;
    int32_t size = 0;   // "Tick size [%]", at most 90
    int32_t offset = 0; // "Tick offset [%]", 0..(90 − size)
    DialTickAlignment alignment = DialTickAlignment::Inner;
};

// The needle picture inside the square: where it is drawn and its pivot in its own pixels.
struct NeedlePicture {
    gfx::Rect rect;
    gfx::Point pivot;
    bool operator==(const NeedlePicture&) const = default;
};

class CMeterGeometry {
public:
    static constexpr int32_t kMinNeedleSize = 20;
    static constexpr int32_t kMaxNeedleSize = 100;

    CMeterGeometry(const gfx::Rect& rect, const MeterNeedleSettings& needle);

    int32_t NeedleLength() const { return m_length; }
    int32_t NeedleBase() const { return m_base; }
    int32_t NeedleOffset() const { return m_offset; }
    // The object's rectangle made square about its centre and inset for the needle size.
    gfx::Rect NeedleSquare() const { return m_square; }
    // The needle picture of iw × ih fitted into the square, or the square with pivot 0
    // when there is no picture (a size not above 0).
    NeedlePicture FitNeedlePicture(int32_t width, int32_t height) const;

    // The ticks on the dial over the arc; none (an empty layout) when they are hidden.
    static bool TicksShown(const MeterTickSettings& ticks) { return ticks.show && ticks.size > 0; }
    RadialTickLayout TickLayout(const MeterTickSettings& ticks, const RadialArc& arc) const;

private:
    gfx::Rect m_rect;
    MeterNeedleSettings m_needle;
    int32_t m_length = 0;
    int32_t m_base = 0;
    int32_t m_offset = 0;
    gfx::Rect m_square;
};
