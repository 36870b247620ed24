#pragma once
// Meter (14): MeterClassData; then the element records: the needle (kind 8, a turned
// picture, or kind 7, a drawn triangle) and the dial picture (kind 3).

#include <cstdint>

#include "foundation/target/TargetBytes.h"
#include "foundation/target/TargetScaleWords.h"

namespace target {

struct MeterWords : AlarmedScaleWords<28> {
    static constexpr uint32_t kSize = 56;
    static constexpr uint32_t kDialImageOffset = 0;
    static constexpr uint32_t kNeedleOffset = 4;
    static constexpr uint32_t kNeedleColourOffset = 8;
    static constexpr uint32_t kDirectionOffset = 12;
    static constexpr uint32_t kAnglesOffset = 16;
    static constexpr uint32_t kPivotOffset = 20;
    static constexpr uint32_t kNeedlePivotOffset = 24;

    uint32_t dialImage = 0;
    // Picture needle: the needle picture's chunk offset. Triangle: base width in bits
    // 0-15 and length in bits 16-31 (both unsigned), see triangleNeedle().
    uint32_t needle = 0;
    uint32_t needleColour = 0;   // ARGB of a triangle needle; 0 with a picture needle
    uint32_t direction = uint32_t(TurnDirection::Clockwise);
    uint32_t angles = 0;         // packHalves(start, end), degrees
    // The point inside the needle element the needle turns about: packHalves(x, y).
    uint32_t pivot = 0;
    // Picture needle: the pivot inside the needle picture, packHalves(x, y). Triangle:
    // the tip radius in bits 16-31.
    uint32_t needlePivot = 0;

    static constexpr uint32_t triangleNeedle(uint32_t baseWidth, uint32_t length)
    {
        return (baseWidth & 0xFFFFu) | (length & 0xFFFFu) << 16;
    }
    // The needle pivot word of a triangle needle: the tip radius in bits 16-31.
    static constexpr uint32_t triangleTipRadius(uint32_t radius) { return (radius & 0xFFFFu) << 16; }
    [[nodiscard]] constexpr uint32_t needleBaseWidth() const { return needle & 0xFFFFu; }
    [[nodiscard]] constexpr uint32_t needleLength() const { return needle >> 16; }
    [[nodiscard]] constexpr uint32_t tipRadius() const { return needlePivot >> 16; }
    [[nodiscard]] constexpr int32_t startDegrees() const { return lowHalf(angles); }
    [[nodiscard]] constexpr int32_t endDegrees() const { return highHalf(angles); }

    template <class Self, class F>
    static constexpr void describe(Self& r, F&& field)
    {
        field(kDialImageOffset, r.dialImage);
        field(kNeedleOffset, r.needle);
        field(kNeedleColourOffset, r.needleColour);
        field(kDirectionOffset, r.direction);
        field(kAnglesOffset, r.angles);
        field(kPivotOffset, r.pivot);
        field(kNeedlePivotOffset, r.needlePivot);
        describeScale(r, field);
    }
};
static_assert(fieldsTileRecord<MeterWords>());

using MeterClassData = SteppedClassData<MeterWords>;

} // namespace target
