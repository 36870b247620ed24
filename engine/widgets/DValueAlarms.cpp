#include "engine/widgets/DValueAlarms.h"

#include "engine/widgets/DCompositeObject.h"

DValueAlarms::Events DValueAlarms::update(int64_t value)
{
    Events events;
    if (!m_lowActive && value <= m_lowLimit) {
        m_lowActive = true;
        events.codes[events.count++] = kLowOn;
    } else if (m_lowActive && value > m_lowLimit) {
        m_lowActive = false;
        events.codes[events.count++] = kLowOff;
    }
    if (!m_highActive && value >= m_highLimit) {
        m_highActive = true;
        events.codes[events.count++] = kHighOn;
    } else if (m_highActive && value < m_highLimit) {
        m_highActive = false;
        events.codes[events.count++] = kHighOff;
    }
    return events;
}

void DValueAlarms::run(int64_t value, DCompositeObject& widget)
{
    const Events events = update(value);
    for (uint32_t i = 0; i < events.count; ++i)
        widget.fireEvent(events.codes[i]);
}
