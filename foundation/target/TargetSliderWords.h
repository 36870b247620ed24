#pragma once
// Slider (18) and knob (19): SliderClassData; then the element records: the thumb (kind
// 3) and the track or dial (kind 3).

#include <cstdint>

#include "foundation/target/TargetBytes.h"
#include "foundation/target/TargetScaleWords.h"

namespace target {

struct SliderWords : ScaleWords<24> {
    static constexpr uint32_t kSize = 44;
    static constexpr uint32_t kTrackImageOffset = 0;
    static constexpr uint32_t kThumbImageOffset = 4;
    static constexpr uint32_t kFocusedTrackImageOffset = 8;
    static constexpr uint32_t kDirectionOffset = 12;
    static constexpr uint32_t kAnglesOffset = 16;
    static constexpr uint32_t kTravelOffset = 20;

    uint32_t trackImage = 0;          // state picture 0: the track or dial
    uint32_t thumbImage = 0;          // state picture 1
    uint32_t focusedTrackImage = 0;   // state picture 2: the track or dial while focused
    // Slider: GrowthDirection. Knob: TurnDirection (Counterclockwise counts the other way).
    uint32_t direction = uint32_t(GrowthDirection::Right);
    uint32_t angles = 0;   // knob: packHalves(start, end) in degrees, each modulo 360; slider: 0
    uint32_t travel = 0;   // slider: the margin at each end of the track; knob: the thumb's radius

    [[nodiscard]] constexpr int32_t startDegrees() const { return lowHalf(angles); }
    [[nodiscard]] constexpr int32_t endDegrees() const { return highHalf(angles); }

    template <class Self, class F>
    static constexpr void describe(Self& r, F&& field)
    {
        field(kTrackImageOffset, r.trackImage);
        field(kThumbImageOffset, r.thumbImage);
        field(kFocusedTrackImageOffset, r.focusedTrackImage);
        field(kDirectionOffset, r.direction);
        field(kAnglesOffset, r.angles);
        field(kTravelOffset, r.travel);
        describeScale(r, field);
    }
};
static_assert(fieldsTileRecord<SliderWords>());

using SliderClassData = SteppedClassData<SliderWords>;

} // namespace target
