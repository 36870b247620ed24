#pragma once
// Reading the class data of a scaled-value widget (bar graph, meter, slider and knob,
// trend): its value tag and its scale come from it.

#include <cstdint>

#include "engine/core/DFile.h"
#include "engine/tags/DItemDescriptor.h"
#include "engine/widgets/DScaledValue.h"
#include "foundation/target/TargetClassData.h"

// The tag and the scale from the class data read (a scale without a step word steps by
// 1); the status of the last read.
template <class Data>
[[nodiscard]] int readScaledClassData(DFile& file, Data& data, DItemDescriptor& tag, DScaledValue& scale)
{
    const int status = target::readClassData(file, data).status;
    uint32_t step = 1;
    if constexpr (requires { data.step; })
        step = data.step;
    const auto& words = data.words;
    tag = DItemDescriptor::fromReference(data.valueTag);
    scale = {words.multiplier, words.divisor, words.offset, words.minimum, words.maximum, step};
    return status;
}
