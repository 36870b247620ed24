#pragma once
// Indicator light (10): IndicatorLightClassData. Then the element records: the text
// picture (overlay 2) and the icon picture (overlay 1), each kind 3 or a kind 6
// placeholder when absent; the state picture (kind 3); the body (kind 3).

#include <cstdint>

#include "foundation/target/TargetBytes.h"
#include "foundation/target/TargetClassData.h"
#include "foundation/target/TargetTag.h"

namespace target {

struct IndicatorLightHead {
    static constexpr uint32_t kSize = 12;
    static constexpr uint32_t kFrameImageOffset = 0;
    static constexpr uint32_t kCountOffset = 4;
    static constexpr uint32_t kReservedOffset = 8;

    uint32_t frameImage = 0;   // the body picture's chunk offset
    uint32_t count = 0;        // state (colour) image offsets that follow
    uint32_t reserved = 0;     // written 0, not read

    template <class Self, class F>
    static constexpr void describe(Self& r, F&& field)
    {
        field(kFrameImageOffset, r.frameImage);
        field(kCountOffset, r.count);
        field(kReservedOffset, r.reserved);
    }
};
static_assert(fieldsTileRecord<IndicatorLightHead>());

struct IndicatorLightTail {
    static constexpr uint32_t kSize = 16;
    static constexpr uint32_t kValueTagOffset = 0;
    static constexpr uint32_t kIconImageOffset = 8;
    static constexpr uint32_t kTextImageOffset = 12;

    TagReference valueTag;
    uint32_t iconImage = 0;   // overlay 1; 0 without an icon
    uint32_t textImage = 0;   // overlay 2; 0 without text

    template <class Self, class F>
    static constexpr void describe(Self& r, F&& field)
    {
        field(kValueTagOffset, r.valueTag);
        field(kIconImageOffset, r.iconImage);
        field(kTextImageOffset, r.textImage);
    }
};
static_assert(fieldsTileRecord<IndicatorLightTail>());

// The images are the state (colour) images, in value order.
using IndicatorLightClassData = ImageListClassData<IndicatorLightHead, IndicatorLightTail>;

} // namespace target
