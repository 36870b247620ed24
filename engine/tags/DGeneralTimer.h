#pragma once
// One general timer: five system tags (value, start, stop, mode, step) that the project
// sets, and the state with which the timer was last armed. Each step moves the value tag
// one count in the pattern of its mode, every step milliseconds.

#include <cstdint>

class DGeneralTimer {
public:
    enum Mode : uint32_t {
        Off = 0,
        CountUpWrap = 1,
        CountUpStop = 2,
        UpAndDown = 3,
        CountDownWrap = 4,
        CountDownStop = 5,
        StartTowardsStop = 6,
    };
    // Due times are compared by signed difference, so a period must stay below half the clock.
    static constexpr uint32_t kLongestPeriod = 0x7FFFFFFF;

    struct Tags {
        uint32_t value;
        uint32_t start; // lower bound, compared unsigned
        uint32_t stop;  // upper bound, compared unsigned
        uint32_t mode;
        uint32_t step; // period in milliseconds
    };

    // Steps the timer to now; returns the new value, or tags.value when nothing moved.
    [[nodiscard]] uint32_t step(uint32_t now, const Tags& tags);

    [[nodiscard]] uint32_t lastStep() const { return m_lastStep; }
    [[nodiscard]] uint32_t lastMode() const { return m_lastMode; }
    [[nodiscard]] uint32_t due() const { return m_due; }
    [[nodiscard]] uint32_t period() const { return m_period; }

private:
    // One count of the mode from v.
    [[nodiscard]] uint32_t next(uint32_t v, uint32_t start, uint32_t stop);

    uint32_t m_lastStep = 0;
    uint32_t m_lastMode = 0;
    uint32_t m_direction = 0; // 1 up, 0 down
    uint32_t m_due = 0;
    uint32_t m_period = 0;
};
