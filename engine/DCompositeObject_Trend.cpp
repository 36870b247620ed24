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

// The trend's class words before its value tag.
struct TrendWords {
    static constexpr uint32_t kSize = 48;
    static constexpr uint32_t kFrameImageOffset = 0;
    static constexpr uint32_t kLineColourOffset = 4;
    static constexpr uint32_t kModeOffset = 8;
    static constexpr uint32_t kSampleRateOffset = 12;
    static constexpr uint32_t kStepOffset = 16;
    static constexpr uint32_t kMinimumOffset = 20;
    static constexpr uint32_t kMaximumOffset = 24;
    static constexpr uint32_t kLowLimitOffset = 28;
    static constexpr uint32_t kHighLimitOffset = 32;
    static constexpr uint32_t kMultiplierOffset = 36;
    static constexpr uint32_t kDivisorOffset = 40;
    static constexpr uint32_t kOffsetOffset = 44;

    uint32_t frameImage = 0;
    uint32_t lineColour = 0;
    uint32_t mode = 0;
    uint32_t sampleRate = 0;
    int32_t step = 0;
    int32_t minimum = 0;
    int32_t maximum = 0;
    int32_t lowLimit = 0;
    int32_t highLimit = 0;
    int32_t multiplier = 1;
    int32_t divisor = 1;
    int32_t offset = 0;

    template <class Self, class F>
    static void describe(Self& r, F&& field)
    {
        field(kFrameImageOffset, r.frameImage);
        field(kLineColourOffset, r.lineColour);
        field(kModeOffset, r.mode);
        field(kSampleRateOffset, r.sampleRate);
        field(kStepOffset, r.step);
        field(kMinimumOffset, r.minimum);
        field(kMaximumOffset, r.maximum);
        field(kLowLimitOffset, r.lowLimit);
        field(kHighLimitOffset, r.highLimit);
        field(kMultiplierOffset, r.multiplier);
        field(kDivisorOffset, r.divisor);
        field(kOffsetOffset, r.offset);
    }
};

constexpr uint32_t kHighAlarmOn = 6, kHighAlarmOff = 7, kLowAlarmOn = 8, kLowAlarmOff = 9;
constexpr uint32_t kMillisecondsPerSecond = 1000;

} // namespace

DCompositeObject_Trend::DCompositeObject_Trend() = default;
DCompositeObject_Trend::~DCompositeObject_Trend() = default;

int DCompositeObject_Trend::load(DFile& file)
{
    (void)DCompositeObject::load(file);
    TrendWords words;
    (void)target::readRecord(file, words);
    if (words.frameImage)
        m_frameImage.reset(new DBitmap(&file, words.frameImage));
    m_lineColour = words.lineColour;
    m_mode = words.mode;
    m_sampleRate = words.sampleRate;
    m_step = words.step;
    m_minimum = words.minimum;
    m_maximum = words.maximum;
    m_lowLimit = words.lowLimit;
    m_highLimit = words.highLimit;
    m_multiplier = words.multiplier;
    m_divisor = words.divisor;
    m_offset = words.offset;
    const int status = readItemDescriptor(file, m_valueTag);
    m_graph = dynamic_cast<DBaseObject_Graph*>(loadPrimitive(file));
    m_frame = dynamic_cast<DBaseObject_UnscaledBitmap*>(loadPrimitive(file));
    return status;
}

uint32_t DCompositeObject_Trend::samplePeriod() const
{
    if (m_sampleRate == 0)
        return 0;
    return std::max<uint32_t>(kMillisecondsPerSecond / m_sampleRate, 1);
}

void DCompositeObject_Trend::show()
{
    if (m_frame)
        m_frame->setBitmap(m_frameImage.get());
    if (m_graph) {
        if (drawsLine())
            m_graph->setStyle(DBaseObject_Graph::Line);
        m_graph->setColour(m_lineColour);
        m_graph->setStep(m_step);
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
    if (m_multiplier != 1)
        result *= m_multiplier;
    if (m_divisor != 1 && m_divisor != 0)
        result /= m_divisor;
    result += m_offset;
    return int32_t(uint32_t(uint64_t(result)));
}

void DCompositeObject_Trend::onValueChanged(DItem& item)
{
    if (&item != m_valueTag.item)
        return;
    const int32_t value = scaled(item.value().shownNumber());
    const int64_t range = int64_t(m_maximum) - m_minimum;
    const int64_t height = m_graph ? m_graph->bounds().height() : 0;
    // A range of 0 from the file shows the minimum.
    __int128 row = range ? (__int128(value) - m_minimum) * height / range : 0;
    if (row > 0)
        --row;
    m_current = int32_t(std::clamp<__int128>(row, INT32_MIN, INT32_MAX));
    runAlarms(value);
}

void DCompositeObject_Trend::runAlarms(int32_t value)
{
    if (!m_lowAlarm && value <= m_lowLimit) {
        m_lowAlarm = true;
        fireEvent(kLowAlarmOn);
    } else if (m_lowAlarm && value > m_lowLimit) {
        m_lowAlarm = false;
        fireEvent(kLowAlarmOff);
    }
    if (!m_highAlarm && value >= m_highLimit) {
        m_highAlarm = true;
        fireEvent(kHighAlarmOn);
    } else if (m_highAlarm && value < m_highLimit) {
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
