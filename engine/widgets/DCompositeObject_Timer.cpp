#include "engine/widgets/DCompositeObject_Timer.h"

#include <algorithm>
#include <memory>

#include "engine/primitives/DBaseObject.h"
#include "engine/core/DFile.h"
#include "engine/tags/DItem.h"
#include "engine/tags/DValue.h"
#include "engine/widgets/DWidgetTags.h"
#include "foundation/target/TargetClassData.h"

DCompositeObject_Timer::DCompositeObject_Timer() = default;
DCompositeObject_Timer::~DCompositeObject_Timer() = default;

int DCompositeObject_Timer::load(DFile& file)
{
    (void)DCompositeObject::load(file);
    target::TimerWords words;
    const int status = target::readClassData(file, words).status;
    m_mode = words.mode;
    m_start = words.start;
    m_stop = words.stop;
    // 0 counts as 1 and a negative time as its magnitude (-2^31 included), so the step
    // time is never a zero divisor nor a signed overflow.
    const int64_t signedTime = words.stepTime;
    m_stepTime = signedTime == 0 ? 1u : uint32_t(signedTime < 0 ? -signedTime : signedTime);
    m_valueTag = DItemDescriptor::fromReference(words.valueTag);
    m_enableTag = DItemDescriptor::fromReference(words.disableTag);
    // The editor's placeholder element: read past, neither kept nor drawn.
    std::unique_ptr<DBaseObject> unused(DBaseObject::create(this, nullptr, file));
    return status;
}

void DCompositeObject_Timer::show()
{
    m_paused = false;
    DWidgetTags::bind(m_project, *this, DProject::Binding::Watch, {&m_valueTag, &m_enableTag});
    startTick(1);
}

void DCompositeObject_Timer::hide()
{
    m_tickEnabled = false;
    DWidgetTags::bind(m_project, *this, DProject::Binding::Unwatch, {&m_valueTag, &m_enableTag});
}

void DCompositeObject_Timer::onValueChanged(DItem& item)
{
    if (&item == m_enableTag.item)
        m_paused = !item.value().isNumber() || item.value().shownNumber() == 0;
}

int64_t DCompositeObject_Timer::step(int64_t value)
{
    const int64_t start = m_start, stop = m_stop;
    switch (m_mode) {
    case UpWrap:
        return value + 1 > stop ? start : value + 1;
    case UpHold:
        return std::min(value + 1, stop);
    case PingPong:
        if (value >= stop)
            m_countingUp = false;
        if (value <= start)
            m_countingUp = true;
        return std::min(m_countingUp ? value + 1 : value - 1, stop);
    case DownWrap:
        return value - 1 < start ? stop : value - 1;
    case DownHold:
        return std::max(value - 1, start);
    case TowardStop:
        return start > stop ? std::max(value - 1, stop) : std::min(value + 1, stop);
    default:
        return value;
    }
}

void DCompositeObject_Timer::tick(uint32_t now)
{
    if (!m_valueTag.item || m_mode == Stopped || m_start == m_stop || m_paused)
        return;
    const DValue& tagValue = m_valueTag.item->value();
    // A 16-bit tag is read unsigned, except for a range below 0: read so, a count that
    // goes negative would come back as a large number and never get below 0.
    const bool signedShort = tagValue.type() == DValue::kShort && std::min(m_start, m_stop) < 0;
    const int64_t value = signedShort ? int16_t(tagValue.number()) : tagValue.shownNumber();
    if (!m_stepScheduled) {
        m_nextStep = now + m_stepTime;
        m_stepScheduled = true;
    }
    int64_t counted;
    if (m_start < m_stop)
        counted = std::clamp<int64_t>(value, m_start, m_stop);
    else if (m_mode == TowardStop)
        counted = std::clamp<int64_t>(value, m_stop, m_start);
    else
        return;
    // By signed difference, so the 32-bit clock may wrap.
    if (int32_t(now - m_nextStep) >= 0) {
        counted = step(counted);
        m_nextStep = now + m_stepTime;
    }
    if (counted != value)
        DWidgetTags::writeNumber(m_valueTag, int32_t(counted));
}
