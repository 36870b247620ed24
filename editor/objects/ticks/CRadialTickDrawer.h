#pragma once
// Ticks around an arc (meters, knobs): radial lines, one per tick of the generator.
//
// Angles are whole degrees measured from straight down, growing clockwise on the screen:
// the point at radius r and angle a is (cx − r·sin a, cy + r·cos a), truncated. The tick
// of value v stands at start + v × span / range (truncated toward zero), so ticks fall on
// whole degrees and at most one on each, and at most one per pixel of the outer arc.
//
//   const RadialArc arc = CRadialTickDrawer::NormaliseArc(start, end, RotationSense::Clockwise);
//   CRadialTickDrawer ticks({centre, arc, {S - V, S}, {S - V, S - V / 2}});
//   ticks.Draw(dc, CTickPen(width, colour), {maximum - minimum, distance, labelDistance});

#include <cstdint>
#include <vector>

#include "editor/objects/ticks/CLinearTickDrawer.h"
#include "editor/objects/ticks/CTickGenerator.h"
#include "editor/objects/ticks/CTickPen.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Point.h"

enum class RotationSense { Clockwise, Counterclockwise };

// Where an arc starts and how far it turns, in degrees: clockwise when span > 0.
struct RadialArc {
    int32_t start = 0;
    int32_t span = 0;
    bool operator==(const RadialArc&) const = default;
};

// The radii a tick runs between.
struct TickRadii {
    int32_t inner = 0;
    int32_t outer = 0;
};

struct RadialTickLayout {
    gfx::Point centre;
    RadialArc arc;
    TickRadii label; // a label tick
    TickRadii shortTick;
};

class CRadialTickDrawer {
public:
    // Turns beyond this many degrees are clamped; they mean nothing on a dial.
    static constexpr int32_t kMaxSpan = 360 * 1024;

    explicit CRadialTickDrawer(const RadialTickLayout& layout);

    // The arc from start to end in the given sense: clockwise, a start not below the end is
    // lowered by 360; counterclockwise, a start not above the end is raised by 360. Equal
    // angles thus make a full turn either way, as the engine's needles and thumbs turn.
    // Needles and ticks both take their angles from it, so they agree.
    static RadialArc NormaliseArc(int32_t start, int32_t end, RotationSense sense);
    // The angle of value v of a range over the arc: start + v × span / range (the start
    // for a range not above 0; v is kept within 0 .. range).
    static int32_t AngleOf(const RadialArc& arc, int64_t value, int64_t range);
    // The point at radius and angle (degrees) about centre, truncated.
    static gfx::Point PointAt(gfx::Point centre, int32_t radius, int32_t angle);

    // The lines of the scale; none for a range not above 0.
    std::vector<TickLine> Lines(const TickScale& scale) const;
    void Draw(gfx::DeviceContext& dc, const CTickPen& pen, const TickScale& scale) const;

private:
    RadialTickLayout m_layout;
};
