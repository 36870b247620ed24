#pragma once
// Where moved and resized rectangles may go: nowhere in particular, on the paper, or
// inside the paper's margins. Rectangles keep their size when confined.

#include <cstdint>
#include <optional>

#include "diagram/DiagramGeometry.h"

enum class Restraint : int32_t { None = 0, Paper = 1, Margins = 2 };

struct DiagramMargins {
    int32_t left = 8;
    int32_t top = 8;
    int32_t right = 8;
    int32_t bottom = 16;
};

// A rectangle in page pixels, double precision, as entities keep theirs.
struct DiagramBounds {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
    double Width() const { return right - left; }
    double Height() const { return bottom - top; }
};

// The area a restraint allows, none for Restraint::None.
std::optional<DiagramBounds> RestraintArea(Restraint restraint, CDiagramPoint paper, const DiagramMargins& margins);

// The rectangle shifted (not resized) so that it lies inside area as far as it fits;
// a rectangle larger than the area keeps its left or top on the area's.
DiagramBounds Confine(DiagramBounds rect, const DiagramBounds& area);

// The shift (dx, dy) limited so that a box moved by it stays inside area.
void LimitShift(const DiagramBounds& box, const DiagramBounds& area, double& dx, double& dy);

// Whether a page point lies inside the area (right and bottom edges outside).
bool AreaContains(const DiagramBounds& area, CDiagramPoint point);
