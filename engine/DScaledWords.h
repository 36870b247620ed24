#pragma once
// The class words a scaled-value widget keeps its range and scaling in: minimum and
// maximum from word RangeAt, multiplier, divisor and offset from word ScalingAt. A
// widget's Words derive from it and describe their own fields beside describeScale().

#include <cstdint>

#include "engine/DCompositeObject.h"
#include "engine/DFile.h"
#include "engine/DScaledValue.h"
#include "foundation/target/TargetBytes.h"

template <uint32_t RangeAt, uint32_t ScalingAt>
struct DScaledWords {
    static constexpr uint32_t kMinimumOffset = RangeAt;
    static constexpr uint32_t kMaximumOffset = RangeAt + 4;
    static constexpr uint32_t kMultiplierOffset = ScalingAt;
    static constexpr uint32_t kDivisorOffset = ScalingAt + 4;
    static constexpr uint32_t kOffsetOffset = ScalingAt + 8;

    int32_t minimum = 0;
    int32_t maximum = 0;
    int32_t multiplier = 1;
    int32_t divisor = 1;
    int32_t offset = 0;

    template <class Self, class F>
    static void describeScale(Self& r, F&& field)
    {
        field(kMinimumOffset, r.minimum);
        field(kMaximumOffset, r.maximum);
        field(kMultiplierOffset, r.multiplier);
        field(kDivisorOffset, r.divisor);
        field(kOffsetOffset, r.offset);
    }

    DScaledValue scale(uint32_t step) const { return {multiplier, divisor, offset, minimum, maximum, step}; }
};

// The bar graph's, meter's and trend's run of seven words from At: the range, the low
// and high alarm limits, then the scaling.
template <uint32_t At>
struct DAlarmedScaledWords : DScaledWords<At, At + 16> {
    static constexpr uint32_t kLowLimitOffset = At + 8;
    static constexpr uint32_t kHighLimitOffset = At + 12;

    int32_t lowLimit = 0;
    int32_t highLimit = 0;

    template <class Self, class F>
    static void describeScale(Self& r, F&& field)
    {
        DScaledWords<At, At + 16>::describeScale(r, field);
        field(kLowLimitOffset, r.lowLimit);
        field(kHighLimitOffset, r.highLimit);
    }
};

// Whether a step word follows the value tag; without one the scale steps by 1.
enum class DStepWord { Absent, Follows };

// The class words, the value tag after them and the step word where one follows; the
// scale from them. The status of the last read.
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
    scale = words.scale(step);
    return status;
}
