#pragma once
// How a scaled-value widget (bar graph, meter, slider, knob) maps tag values onto its own
// range: v x multiplier / divisor + offset, positions 0 to maximum - minimum, and steps.
// Products are taken in wide intermediates and kept to 32 bits at the end, as the panel
// computes them; the divisors that come from the file are checked by the callers through
// isUsable().

#include <cstdint>

struct DScaledValue {
    int32_t multiplier = 1;
    int32_t divisor = 1;
    int32_t offset = 0;
    int32_t minimum = 0;
    int32_t maximum = 0;
    uint32_t step = 1;

    // v x multiplier / divisor + offset; a multiplier of 1 and a divisor of 1 or 0 are
    // skipped, the division truncates toward zero.
    [[nodiscard]] int32_t scaled(int64_t value) const;
    // The way back for a widget that writes its tag: divisor x (v - offset) / multiplier,
    // skipping a factor of 1 or 0 as scaled() does.
    [[nodiscard]] int32_t unscaled(int32_t value) const;

    // maximum - minimum, or 0 when the maximum is not above the minimum.
    [[nodiscard]] uint64_t range() const
    {
        return maximum > minimum ? uint64_t(int64_t(maximum) - minimum) : 0;
    }
    // Positions need a range and a step; a widget without them shows its minimum.
    [[nodiscard]] bool isUsable() const { return range() != 0 && step != 0; }
    // Rounds a position (0 to range) to the nearest step, never past the range. Usable only.
    [[nodiscard]] uint64_t rounded(uint64_t position) const;
    // The position of a value: 0 below the minimum, the range above the maximum, else
    // value - minimum; then rounded. Usable only.
    [[nodiscard]] uint64_t positionOf(int64_t value) const;
    // The tag value a widget writes for a position.
    [[nodiscard]] int32_t valueAt(uint64_t position) const { return scaled(int64_t(minimum) + int64_t(position)); }
};
