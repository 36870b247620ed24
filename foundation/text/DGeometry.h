#pragma once
// The foundation's bitmaps and text layout use the shared point, size and rectangle.

#include "foundation/DGeometry.h"

namespace foundation {
using ::DPoint;
using ::DRect;
using ::DSize;
} // namespace foundation
