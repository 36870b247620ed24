#include "diagram/editor/DiagramRestraint.h"

#include <algorithm>

std::optional<DiagramBounds> RestraintArea(Restraint restraint, CDiagramPoint paper, const DiagramMargins& margins)
{
    switch (restraint) {
    case Restraint::Paper: return DiagramBounds{0, 0, double(paper.x), double(paper.y)};
    case Restraint::Margins:
        return DiagramBounds{double(margins.left), double(margins.top), double(paper.x) - margins.right,
                             double(paper.y) - margins.bottom};
    case Restraint::None: break;
    }
    return std::nullopt;
}

namespace {

// The shift that brings [low, high] inside [areaLow, areaHigh]; the low edge wins
// when it cannot fit.
double shiftInto(double low, double high, double areaLow, double areaHigh)
{
    if (high > areaHigh)
        return std::max(areaHigh - high, areaLow - low);
    if (low < areaLow)
        return areaLow - low;
    return 0;
}

} // namespace

DiagramBounds Confine(DiagramBounds rect, const DiagramBounds& area)
{
    const double dx = shiftInto(rect.left, rect.right, area.left, area.right);
    const double dy = shiftInto(rect.top, rect.bottom, area.top, area.bottom);
    return {rect.left + dx, rect.top + dy, rect.right + dx, rect.bottom + dy};
}

void LimitShift(const DiagramBounds& box, const DiagramBounds& area, double& dx, double& dy)
{
    const DiagramBounds moved{box.left + dx, box.top + dy, box.right + dx, box.bottom + dy};
    dx += shiftInto(moved.left, moved.right, area.left, area.right);
    dy += shiftInto(moved.top, moved.bottom, area.top, area.bottom);
}

bool AreaContains(const DiagramBounds& area, CDiagramPoint point)
{
    return point.x >= area.left && point.x < area.right && point.y >= area.top && point.y < area.bottom;
}
