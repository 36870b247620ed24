#pragma once
// Trend graph (15): TrendClassData; then the element records: the plot (kind 9) and the
// background picture (kind 3).

#include <cstdint>

#include "foundation/target/TargetBytes.h"
#include "foundation/target/TargetScaleWords.h"

namespace target {

struct TrendWords : AlarmedScaleWords<20> {
    static constexpr uint32_t kSize = 48;
    static constexpr uint32_t kFrameImageOffset = 0;
    static constexpr uint32_t kLineColourOffset = 4;
    static constexpr uint32_t kModeOffset = 8;
    static constexpr uint32_t kSampleRateOffset = 12;
    static constexpr uint32_t kStepOffset = 16;

    // Mode bits as the editor sets them.
    static constexpr uint32_t kModeLine = 1u << 0;          // "Static signal type" "Line"
    static constexpr uint32_t kModeOverlapping = 1u << 6;   // "Dynamic signal type" "Overlapping"
    static constexpr uint32_t kModeSweepShift = 4;
    static constexpr uint32_t kModeSweeping = 4;             // bits 4-7

    uint32_t frameImage = 0;   // the background picture's chunk offset
    uint32_t lineColour = 0;   // ARGB of the signal
    uint32_t mode = 0;
    uint32_t sampleRate = 0;   // "Nr of samples in second"
    int32_t step = 0;          // "Sample distance [pixels]"

    // Sweeping when bits 4-7 hold 4, else scrolling; a line only for the modes 1 and 65,
    // dots for every other.
    [[nodiscard]] constexpr bool sweeps() const { return ((mode >> kModeSweepShift) & 0xFu) == kModeSweeping; }
    [[nodiscard]] constexpr bool drawsLine() const
    {
        return mode == kModeLine || mode == (kModeLine | kModeOverlapping);
    }

    template <class Self, class F>
    static constexpr void describe(Self& r, F&& field)
    {
        field(kFrameImageOffset, r.frameImage);
        field(kLineColourOffset, r.lineColour);
        field(kModeOffset, r.mode);
        field(kSampleRateOffset, r.sampleRate);
        field(kStepOffset, r.step);
        describeScale(r, field);
    }
};
static_assert(fieldsTileRecord<TrendWords>());

using TrendClassData = ScaledClassData<TrendWords>;

} // namespace target
