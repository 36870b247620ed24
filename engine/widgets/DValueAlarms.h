#pragma once
// The low and high alarms of the bar graph and the meter: each turns on at its limit and
// off once the value is back past it, and says so by a widget event.

#include <array>
#include <cstdint>

#include "foundation/target/TargetActions.h"

class DCompositeObject;

class DValueAlarms {
public:
    // Widget events of the alarm triggers.
    static constexpr uint32_t kHighOn = uint32_t(target::TriggerNumber::HighAlarmOn);
    static constexpr uint32_t kHighOff = uint32_t(target::TriggerNumber::HighAlarmOff);
    static constexpr uint32_t kLowOn = uint32_t(target::TriggerNumber::LowAlarmOn);
    static constexpr uint32_t kLowOff = uint32_t(target::TriggerNumber::LowAlarmOff);

    // The events one value causes, low alarm first.
    struct Events {
        std::array<uint32_t, 2> codes{};
        uint32_t count = 0;
    };

    void setLimits(int32_t low, int32_t high)
    {
        m_lowLimit = low;
        m_highLimit = high;
    }
    // On at or beyond a limit, off once the value is back inside it.
    Events update(int64_t value);
    // update, firing the events on the widget.
    void run(int64_t value, DCompositeObject& widget);

    bool lowActive() const { return m_lowActive; }
    bool highActive() const { return m_highActive; }

private:
    int32_t m_lowLimit = 0;
    int32_t m_highLimit = 0;
    bool m_lowActive = false;
    bool m_highActive = false;
};
