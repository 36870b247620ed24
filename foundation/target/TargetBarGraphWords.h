#pragma once
// Bar graph (image bar 12, colour bar 13): BarGraphClassData; then the element records:
// the bar (kind 3 for an image bar, kind 2 for a colour bar) and the frame picture (kind
// 3, or 6 without ticks).

#include <cstdint>

#include "foundation/target/TargetBytes.h"
#include "foundation/target/TargetScaleWords.h"

namespace target {

struct BarGraphWords : AlarmedScaleWords<12> {
    static constexpr uint32_t kSize = 40;
    static constexpr uint32_t kFrameImageOffset = 0;
    static constexpr uint32_t kBarOffset = 4;
    static constexpr uint32_t kDirectionOffset = 8;

    uint32_t frameImage = 0;   // the ticks picture's chunk offset; 0 without ticks
    uint32_t bar = 0;          // colour bar: ARGB colour; image bar: the fill picture's chunk offset
    uint32_t direction = 0;    // GrowthDirection; the engine leaves a bar of any other direction alone

    template <class Self, class F>
    static constexpr void describe(Self& r, F&& field)
    {
        field(kFrameImageOffset, r.frameImage);
        field(kBarOffset, r.bar);
        field(kDirectionOffset, r.direction);
        describeScale(r, field);
    }
};
static_assert(fieldsTileRecord<BarGraphWords>());

using BarGraphClassData = ScaledClassData<BarGraphWords>;

} // namespace target
