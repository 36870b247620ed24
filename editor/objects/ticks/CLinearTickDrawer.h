#pragma once
// Ticks along a straight scale (bar graphs, sliders, the value axis of graphs): lines
// across a band, one per tick of the generator. A label tick crosses the band from its
// near edge to its far edge; a short one, with mid = (near + far) / 2 and
// q = (far − near) / 4, runs
//   TopLeft      from mid − 1 to the far edge (the half towards the far side),
//   Centre       from mid − q − 1 to mid + q + 1,
//   BottomRight  from the near edge to mid + 1.
// "Dual" ticks are two drawings, TopLeft and BottomRight, each in its own band.
//
//   CLinearTickDrawer ticks({TickAxis::Vertical, band.bottom, band.height() - 1, TickSense::Backward,
//                            band.left, band.right, TickAlignment::TopLeft});
//   ticks.Draw(dc, CTickPen(width, colour), {maximum - minimum, distance, labelDistance});

#include <cstdint>
#include <vector>

#include "editor/objects/ticks/CTickGenerator.h"
#include "editor/objects/ticks/CTickPen.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Point.h"

// The way the scale runs: Horizontal along x (ticks are vertical lines), Vertical along y.
enum class TickAxis { Horizontal, Vertical };
// Forward: the value v lies at origin + offset; Backward: at origin − offset.
enum class TickSense { Forward, Backward };
// The codes of "Tick alignment": 0 "Top/Left", 1 "Center", 2 "Bottom/Right".
enum class TickAlignment { TopLeft = 0, Centre = 1, BottomRight = 2 };

struct LinearTickLayout {
    TickAxis axis = TickAxis::Horizontal;
    int32_t origin = 0; // along the axis: where the value 0 lies
    int32_t length = 0; // along the axis: the range lies length pixels from the origin
    TickSense sense = TickSense::Forward;
    int32_t nearEdge = 0; // across the axis: the band's left (or top) and right (or bottom)
    int32_t farEdge = 0;
    TickAlignment alignment = TickAlignment::TopLeft;
};

// One tick as a line; from and to are pixel centres, both drawn.
struct TickLine {
    gfx::Point from;
    gfx::Point to;
    TickKind kind = TickKind::Short;
    bool operator==(const TickLine&) const = default;
};

class CLinearTickDrawer {
public:
    explicit CLinearTickDrawer(const LinearTickLayout& layout) : m_layout(layout) {}

    // The lines of the scale, at most one per pixel of its length; none for a range not above 0.
    std::vector<TickLine> Lines(const TickScale& scale) const;
    void Draw(gfx::DeviceContext& dc, const CTickPen& pen, const TickScale& scale) const;

private:
    LinearTickLayout m_layout;
};
