#pragma once
// What the scaled-value classes (bar graph, meter, slider and knob, trend) share among
// their class words: the range, the alarm limits and the scaling (the editor's A1, A2
// and B), the direction codes, and words that pack two signed 16-bit halves.

#include <cstdint>

#include "foundation/target/TargetClassData.h"
#include "foundation/target/TargetFormat.h"
#include "foundation/target/TargetTag.h"

namespace target {

// Two signed 16-bit halves in one word: a point's x (bits 0-15) and y (bits 16-31), or a
// start and an end angle in degrees.
constexpr int32_t lowHalf(uint32_t word)
{
    return int16_t(uint16_t(word));
}
constexpr int32_t highHalf(uint32_t word)
{
    return int16_t(uint16_t(word >> 16));
}
constexpr uint32_t packHalves(int32_t low, int32_t high)
{
    return uint32_t(uint16_t(low)) | uint32_t(uint16_t(high)) << 16;
}

// Direction word of the bar graph and the slider: where the bar grows, or the thumb
// moves, from the minimum on.
enum class GrowthDirection : uint32_t { Right = 1, Left = 2, Down = 3, Up = 4 };
// Direction word of the meter and the knob: 1 turns with growing values; the meter turns
// the other way for any other value, the knob for 2.
enum class TurnDirection : uint32_t { Clockwise = 1, Counterclockwise = 2 };

// Minimum and maximum at At, then the multiplier, divisor and offset (slider and knob).
template <uint32_t At>
struct ScaleWords {
    static constexpr uint32_t kMinimumOffset = At;
    static constexpr uint32_t kMaximumOffset = At + 4;
    static constexpr uint32_t kMultiplierOffset = At + 8;
    static constexpr uint32_t kDivisorOffset = At + 12;
    static constexpr uint32_t kOffsetOffset = At + 16;

    int32_t minimum = 0;
    int32_t maximum = 0;
    int32_t multiplier = 1;   // A1
    int32_t divisor = 1;      // A2
    int32_t offset = 0;       // B

    template <class Self, class F>
    static constexpr void describeScale(Self& r, F&& field)
    {
        field(kMinimumOffset, r.minimum);
        field(kMaximumOffset, r.maximum);
        field(kMultiplierOffset, r.multiplier);
        field(kDivisorOffset, r.divisor);
        field(kOffsetOffset, r.offset);
    }
};

// Minimum, maximum, low and high alarm limits at At, then the multiplier, divisor and
// offset (bar graph, meter, trend).
template <uint32_t At>
struct AlarmedScaleWords {
    static constexpr uint32_t kMinimumOffset = At;
    static constexpr uint32_t kMaximumOffset = At + 4;
    static constexpr uint32_t kLowLimitOffset = At + 8;
    static constexpr uint32_t kHighLimitOffset = At + 12;
    static constexpr uint32_t kMultiplierOffset = At + 16;
    static constexpr uint32_t kDivisorOffset = At + 20;
    static constexpr uint32_t kOffsetOffset = At + 24;

    int32_t minimum = 0;
    int32_t maximum = 0;
    int32_t lowLimit = 0;    // "Low alarm value"
    int32_t highLimit = 0;   // "High alarm value"
    int32_t multiplier = 1;  // A1
    int32_t divisor = 1;     // A2
    int32_t offset = 0;      // B

    template <class Self, class F>
    static constexpr void describeScale(Self& r, F&& field)
    {
        field(kMinimumOffset, r.minimum);
        field(kMaximumOffset, r.maximum);
        field(kLowLimitOffset, r.lowLimit);
        field(kHighLimitOffset, r.highLimit);
        field(kMultiplierOffset, r.multiplier);
        field(kDivisorOffset, r.divisor);
        field(kOffsetOffset, r.offset);
    }
};

// The class data of the scaled-value classes: their words (read whole) and the value tag;
// the meter, the slider and the knob add the step word ("Discrete value step").
template <class Words>
struct ScaledClassData {
    Words words;
    TagReference valueTag;

    template <class Self, class P>
    static constexpr void parts(Self& r, P&& part)
    {
        part(r.words, PartRead::Whole);
        part(r.valueTag);
    }
};

template <class Words>
struct SteppedClassData : ScaledClassData<Words> {
    uint32_t step = 1;

    template <class Self, class P>
    static constexpr void parts(Self& r, P&& part)
    {
        ScaledClassData<Words>::parts(r, part);
        part(r.step);
    }
};

} // namespace target
