#pragma once
// Ticker (16): TickerClassData; then the element record: the scroller (kind 10, its
// scroll mode from "Scrolling type").

#include <cstdint>

#include "foundation/target/TargetBytes.h"
#include "foundation/target/TargetClassData.h"

namespace target {

struct TickerWords {
    static constexpr uint32_t kSize = 16;
    static constexpr uint32_t kSpeedOffset = 0;
    static constexpr uint32_t kPeriodOffset = 4;
    static constexpr uint32_t kOverflowOffset = 8;
    static constexpr uint32_t kImageOffset = 12;

    int32_t speed = 0;       // "Speed pixels": pixels per tick
    uint32_t period = 0;     // "Speed interval [ms]"
    uint32_t overflow = 0;   // how much wider the strip is than the object, 0 when not wider
    uint32_t image = 0;      // the strip picture's chunk offset

    template <class Self, class F>
    static constexpr void describe(Self& r, F&& field)
    {
        field(kSpeedOffset, r.speed);
        field(kPeriodOffset, r.period);
        field(kOverflowOffset, r.overflow);
        field(kImageOffset, r.image);
    }
};
static_assert(fieldsTileRecord<TickerWords>());

struct TickerClassData {
    TickerWords words;

    template <class Self, class P>
    static constexpr void parts(Self& r, P&& part)
    {
        part(r.words, PartRead::Whole);
    }
};

} // namespace target
