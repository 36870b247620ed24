#include "engine/tags/DController_System.h"

#include "engine/core/DStatus.h"
#include "engine/tags/DSystemTagSource.h"
#include "foundation/DMemory.h"

namespace {

// How many periods have come due by now (compared by signed difference, so the wrap of
// the 32-bit clock does not matter); moves due past now.
uint32_t elapsedSteps(uint32_t now, uint32_t& due, uint32_t period)
{
    const int32_t late = int32_t(now - due);
    if (late < 0)
        return 0;
    const uint32_t steps = uint32_t(late) / period + 1;
    due += steps * period;
    return steps;
}

} // namespace

DController_System::DController_System(const DSystemTagSource& source) : DController(Kind::System), m_source(source) {}

int DController_System::init(uint32_t now)
{
    release();
    m_items.reserve(kTagCount);
    for (uint32_t number = 0; number < kTagCount; ++number)
        if (!appendItem(number, DValue::kInteger, 4)) {
            release(); // all of them or none, so every number below 399 stays an item
            return DStatus::Failed;
        }
    m_secondsDue = now + kSecondMilliseconds;
    m_waveformIndex = 0;
    m_waveformDue = now + kWaveformPeriod;
    m_items[kEKG]->value().setNumber(kWaveform[0]);
    m_items[kPageCurrent]->value().setNumber(-1);
    return DStatus::Ok;
}

DItem* DController_System::findItem(const DItemDescriptor& descriptor)
{
    return descriptor.address < m_items.size() ? m_items[descriptor.address].get() : nullptr;
}

void DController_System::feed(uint32_t number, int32_t value)
{
    DValue& held = m_items[number]->value();
    if (held.number() == value)
        return;
    held.setNumber(value);
    m_changed[number] = true;
}

void DController_System::update(uint32_t now)
{
    if (m_items.size() != kTagCount)
        return; // not attached
    m_changed.fill(false);

    for (uint32_t n = 0; n < kTimerCount; ++n) {
        const uint32_t first = kFirstTimerTag + n * kTagsPerTimer;
        const DGeneralTimer::Tags tags{uint32_t(tag(first)), uint32_t(tag(first + 1)), uint32_t(tag(first + 2)),
                                       uint32_t(tag(first + 3)), uint32_t(tag(first + 4))};
        feed(first, int32_t(m_timers[n].step(now, tags)));
    }

    // A long frame catches up several seconds and samples at once; observers hear of
    // each tag once.
    if (const uint32_t seconds = elapsedSteps(now, m_secondsDue, kSecondMilliseconds)) {
        m_items[kCounter]->value().setNumber(int32_t(uint32_t(tag(kCounter)) + seconds));
        m_changed[kCounter] = true;
    }
    if (const uint32_t samples = elapsedSteps(now, m_waveformDue, kWaveformPeriod)) {
        m_waveformIndex = uint32_t((uint64_t(m_waveformIndex) + samples) % kWaveform.size());
        m_items[kEKG]->value().setNumber(kWaveform[m_waveformIndex]);
        m_changed[kEKG] = true;
    }

    feed(kTime, int32_t(m_source.clockSeconds()));
    feed(kPageCurrent, m_source.currentPageIndex());
    const DMemory* memory = DMemory::global();
    feed(kMemoryCurrentBytes, memory ? int32_t(memory->liveBytes()) : 0);
    feed(kMemoryNumAllocs, memory ? int32_t(memory->liveBlocks()) : 0);

    for (uint32_t number = 0; number < kTagCount; ++number) {
        DItem& item = *m_items[number];
        if (!m_changed[number] && !item.value().isWritten())
            continue;
        item.value().clearWritten();
        writeItem(item);
    }
}
