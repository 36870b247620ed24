#pragma once
// The scale of a scaled-value widget (bar graph, meter, slider and knob, trend) from the
// class words its class data reads.

#include <cstdint>

#include "engine/widgets/DScaledValue.h"

// Without a step word the scale steps by 1.
template <class Words>
[[nodiscard]] DScaledValue scaleOf(const Words& words, uint32_t step = 1)
{
    return {words.multiplier, words.divisor, words.offset, words.minimum, words.maximum, step};
}
