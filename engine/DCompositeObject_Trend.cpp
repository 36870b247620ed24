#include "engine/DCompositeObject_Trend.h"

#include <algorithm>
#include <climits>

#include "engine/DBaseObject_Graph.h"
#include "engine/DBaseObject_UnscaledBitmap.h"
#include "engine/DFile.h"
#include "engine/DItem.h"
#include "engine/DProject.h"
#include "engine/DStatus.h"
#include "foundation/target/TargetBytes.h"

namespace {

constexpr uint32_t kHighAlarmOn = 6, kHighAlarmOff = 7, kLowAlarmOn = 8, kLowAlarmOff = 9;
constexpr uint32_t kMillisecondsPerSecond = 1000;

} // namespace

DCompositeObject_Trend::DCompositeObject_Trend() = default;
DCompositeObject_Trend::~DCompositeObject_Trend() = default;

int DCompositeObject_Trend::load(DFile& file)
{
    (void)DCompositeObject::load(file);
    (void)target::readRecord(file, m_words);
    if (m_words.frameImage)
        m_frameImage.reset(new DBitmap(&file, m_words.frameImage));
    const int status = readItemDescriptor(file, m_valueTag);
    m_graph = dynamic_cast<DBaseObject_Graph*>(loadPrimitive(file));
    m_frame = dynamic_cast<DBaseObject_UnscaledBitmap*>(loadPrimitive(file));
    return status;
}

uint32_t DCompositeObject_Trend::samplePeriod() const
{
    if (m_words.sampleRate == 0)
        return 0;
    return std::max<uint32_t>(kMillisecondsPerSecond / m_words.sampleRate, 1);
}

void DCompositeObject_Trend::show()
{
    if (m_frame)
        m_frame->setBitmap(m_frameImage.get());
    if (m_graph) {
        if (drawsLine())
            m_graph->setStyle(DBaseObject_Graph::Line);
        m_graph->setColour(m_words.lineColour);
        m_graph->setStep(m_words.step);
    }
    if (m_project && !m_valueTag.isNoTag())
        (void)m_project->bindTag(m_valueTag, *this, DProject::Binding::Watch);
    // A rate of 0 from the file samples nothing: the graph stays empty.
    if (const uint32_t period = samplePeriod())
        startTick(period);
    m_queueFirst = m_queueSize = 0;
}

void DCompositeObject_Trend::hide()
{
    m_tickEnabled = false;
    if (m_project && m_valueTag.item)
        (void)m_project->bindTag(m_valueTag, *this, DProject::Binding::Unwatch);
    m_valueTag.item = nullptr;
}

int32_t DCompositeObject_Trend::scaled(int32_t value) const
{
    // 64 bits inside, then cut to 32 as the panel computes it.
    int64_t result = value;
    if (m_words.multiplier != 1)
        result *= m_words.multiplier;
    if (m_words.divisor != 1 && m_words.divisor != 0)
        result /= m_words.divisor;
    result += m_words.offset;
    return int32_t(uint32_t(uint64_t(result)));
}

void DCompositeObject_Trend::onValueChanged(DItem& item)
{
    if (&item != m_valueTag.item)
        return;
    const int32_t value = scaled(item.value().shownNumber());
    const int64_t range = int64_t(m_words.maximum) - m_words.minimum;
    const int64_t height = m_graph ? m_graph->bounds().height() : 0;
    // A range of 0 from the file shows the minimum.
    __int128 row = range ? (__int128(value) - m_words.minimum) * height / range : 0;
    if (row > 0)
        --row;
    m_current = int32_t(std::clamp<__int128>(row, INT32_MIN, INT32_MAX));
    runAlarms(value);
}

void DCompositeObject_Trend::runAlarms(int32_t value)
{
    if (!m_lowAlarm && value <= m_words.lowLimit) {
        m_lowAlarm = true;
        fireEvent(kLowAlarmOn);
    } else if (m_lowAlarm && value > m_words.lowLimit) {
        m_lowAlarm = false;
        fireEvent(kLowAlarmOff);
    }
    if (!m_highAlarm && value >= m_words.highLimit) {
        m_highAlarm = true;
        fireEvent(kHighAlarmOn);
    } else if (m_highAlarm && value < m_words.highLimit) {
        m_highAlarm = false;
        fireEvent(kHighAlarmOff);
    }
}

void DCompositeObject_Trend::tick(uint32_t now)
{
    DCompositeObject::tick(now);
    if (m_queueSize == kQueueCapacity) {
        m_queueFirst = (m_queueFirst + 1) % kQueueCapacity;
        --m_queueSize;
    }
    m_queue[(m_queueFirst + m_queueSize) % kQueueCapacity] = m_current;
    ++m_queueSize;
}

void DCompositeObject_Trend::flush()
{
    for (; m_queueSize > 0; --m_queueSize) {
        const int32_t value = m_queue[m_queueFirst];
        m_queueFirst = (m_queueFirst + 1) % kQueueCapacity;
        if (!m_graph)
            continue;
        if (sweeps())
            m_graph->writeAtCursor(value);
        else
            m_graph->append(value);
    }
}
