#pragma once
// Reading the class words of a scaled-value widget (bar graph, meter, slider and knob,
// trend): the words record, the value tag after it and the step word where one follows.

#include <cstdint>

#include "engine/widgets/DCompositeObject.h"
#include "engine/core/DFile.h"
#include "engine/widgets/DScaledValue.h"
#include "foundation/target/TargetBytes.h"

// Whether a step word follows the value tag; without one the scale steps by 1.
enum class DStepWord { Absent, Follows };

// The words (read whole), the value tag and the step word where one follows; the scale
// from them. The status of the last read.
template <class Words>
[[nodiscard]] int readScaledWords(DFile& file, Words& words, DItemDescriptor& tag, DStepWord stepWord,
                                  DScaledValue& scale)
{
    (void)target::readRecord(file, words);
    int status = DCompositeObject::readItemDescriptor(file, tag);
    uint32_t step = 1;
    if (stepWord == DStepWord::Follows) {
        step = 0;
        status = readWord(file, step);
    }
    scale = {words.multiplier, words.divisor, words.offset, words.minimum, words.maximum, step};
    return status;
}
