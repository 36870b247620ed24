#pragma once
// Arithmetic the scaled-value widgets and their primitives share: points packed in a class
// word, degrees, and products and coordinates that values from the file must not overflow.

#include <algorithm>
#include <cstdint>
#include <limits>

#include "foundation/DGeometry.h"
#include "foundation/target/TargetScaleWords.h"

inline constexpr double kFullTurn = 6.283185307179586;

// x in bits 0-15, y in bits 16-31.
inline DPoint pointOf(uint32_t word)
{
    return {target::lowHalf(word), target::highHalf(word)};
}

inline double radiansOf(int32_t degrees)
{
    return double(degrees) * kFullTurn / 360.0;
}

// a x b / c truncated toward zero, the product taken in 128 bits; c non-zero.
inline int64_t mulDiv(int64_t a, int64_t b, int64_t c)
{
    const __int128 result = __int128(a) * b / c;
    return int64_t(std::clamp<__int128>(result, std::numeric_limits<int64_t>::min(),
                                        std::numeric_limits<int64_t>::max()));
}

// A page coordinate, kept inside the 32-bit range.
inline int32_t toCoordinate(int64_t value)
{
    return saturated32(value);
}

// Truncated toward zero into the 32-bit range; not-a-number gives 0.
inline int32_t toCoordinate(double value)
{
    if (value != value)
        return 0;
    return int32_t(std::clamp(value, -2147483648.0, 2147483647.0));
}
