#pragma once
// The ticks of a scale, for every object that draws one (bar graphs, sliders and graph
// axes along a line; meters and knobs around an arc).
//
// A scale runs over the values 0 .. range (maximum − minimum). Ticks stand at 0, step,
// 2 × step, ... and finally at the range itself; a tick is a label tick at the range and at
// every multiple of the label step (step × label distance, or 1 when that is not above 0).
// The value v lies at position v × positions / range (truncated): positions is the scale's
// length in pixels for a straight scale, or what a round one can resolve.
//
// At most one tick is given per position, so a step of 1 over a range of millions costs
// one tick per pixel, not one per value. Where several tick values fall on one position,
// the first of them is given, marked as a label tick when any of them is one; the last
// position gives the tick at the range. Counting is in 64 bits throughout.
//
//   CTickGenerator ticks(maximum - minimum, tickDistance, labelDistance, length);
//   for (Tick tick; ticks.Next(tick);)
//       draw at tick.position, long when tick.kind == TickKind::Label

#include <cstdint>

enum class TickKind { Short, Label };

// What a scale's ticks are made of: maximum − minimum, "Tick distance" and
// "Label distance [ticks]" as the object gives them.
struct TickScale {
    int64_t range = 0;
    int64_t tickDistance = 0;
    int64_t labelDistance = 0;
};

struct Tick {
    int64_t value = 0;    // 0 .. range
    int64_t position = 0; // 0 .. positions
    TickKind kind = TickKind::Short;
    bool operator==(const Tick&) const = default;
};

class CTickGenerator {
public:
    // Larger ranges and lengths than these are clamped to them; the int32 scales of the
    // objects stay well below, and the products stay inside 64 bits.
    static constexpr int64_t kMaxRange = int64_t(1) << 32;
    static constexpr int64_t kMaxPositions = INT32_MAX;

    // range not above 0: no ticks. tickDistance not above 0: the range (two ticks).
    // positions below 0 counts 0 (one tick, at the range).
    CTickGenerator(int64_t range, int64_t tickDistance, int64_t labelDistance, int64_t positions);
    CTickGenerator(const TickScale& scale, int64_t positions)
        : CTickGenerator(scale.range, scale.tickDistance, scale.labelDistance, positions)
    {
    }

    // The next tick, in rising value and position; false after the last.
    bool Next(Tick& tick);

    int64_t Range() const { return m_range; }
    int64_t Positions() const { return m_positions; }

private:
    int64_t PositionOf(int64_t value) const;

    int64_t m_range = 0;
    int64_t m_step = 1;
    // The smallest tick value that is a label value; every label value is a multiple of it.
    int64_t m_labelStep = 1;
    int64_t m_positions = 0;
    int64_t m_next = 0; // the next tick value to give
    bool m_done = true;
};
