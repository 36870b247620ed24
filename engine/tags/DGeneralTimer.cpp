#include "engine/tags/DGeneralTimer.h"

#include <algorithm>

namespace {

// now has reached due, also across the wrap of the 32-bit clock.
bool reached(uint32_t now, uint32_t due)
{
    return int32_t(now - due) >= 0;
}

} // namespace

uint32_t DGeneralTimer::step(uint32_t now, const Tags& tags)
{
    if (tags.mode == Off) {
        m_lastMode = 0; // setting a mode again re-arms the timer
        return tags.value;
    }
    if (tags.step != m_lastStep || tags.mode != m_lastMode) {
        m_lastStep = tags.step;
        m_lastMode = tags.mode;
        // A period of 0 would step without end within one frame.
        m_period = std::clamp<uint32_t>(tags.step, 1, kLongestPeriod);
        m_due = now + m_period;
        m_direction = 1;
    }
    uint32_t v = tags.value;
    if (tags.mode != StartTowardsStop) {
        if (v > tags.stop)
            v = tags.stop;
        if (v < tags.start)
            v = tags.start;
    }
    while (reached(now, m_due)) {
        v = next(v, tags.start, tags.stop);
        m_due += m_period;
    }
    return v;
}

uint32_t DGeneralTimer::next(uint32_t v, uint32_t start, uint32_t stop)
{
    // Every count saturates or wraps by the bounds, never by the 32-bit range.
    switch (m_lastMode) {
    case CountUpWrap:
        return v >= stop ? start : v + 1;
    case CountUpStop:
        return v >= stop ? stop : v + 1;
    case UpAndDown:
        if (v >= stop)
            m_direction = 0;
        if (v <= start)
            m_direction = 1;
        if (m_direction)
            return v >= stop ? stop : v + 1;
        return std::min(v - 1, stop);
    case CountDownWrap:
        return v <= start ? stop : std::min(v - 1, stop);
    case CountDownStop:
        return (v <= start || v - 1 > stop) ? start : v - 1;
    case StartTowardsStop:
        if (stop > start)
            return v >= stop ? stop : v + 1;
        return (v <= stop || v - 1 > start) ? stop : v - 1;
    default:
        return v;
    }
}
