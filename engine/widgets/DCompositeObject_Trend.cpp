#include "engine/widgets/DCompositeObject_Trend.h"

#include <algorithm>
#include <climits>

#include "engine/primitives/DBaseObject_Graph.h"
#include "engine/primitives/DBaseObject_UnscaledBitmap.h"
#include "engine/core/DFile.h"
#include "engine/widgets/DImageSet.h"
#include "engine/tags/DItem.h"
#include "engine/core/DProject.h"
#include "engine/widgets/DScaledWords.h"
#include "engine/core/DStatus.h"
#include "engine/widgets/DWidgetTags.h"

namespace {

constexpr uint32_t kMillisecondsPerSecond = 1000;

} // namespace

DCompositeObject_Trend::DCompositeObject_Trend() = default;
DCompositeObject_Trend::~DCompositeObject_Trend() = default;

int DCompositeObject_Trend::load(DFile& file)
{
    (void)DCompositeObject::load(file);
    target::TrendClassData data;
    // The class step word is the plot's, not the value's.
    const int status = readScaledClassData(file, data, m_valueTag, m_scale);
    m_words = data.words;
    m_alarms.setLimits(m_words.lowLimit, m_words.highLimit);
    DImageSet::referTo(m_frameImage, file, m_words.frameImage);
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
    DWidgetTags::bind(m_project, *this, DProject::Binding::Watch, {&m_valueTag});
    // A rate of 0 from the file samples nothing: the graph stays empty.
    if (const uint32_t period = samplePeriod())
        startTick(period);
    m_queueFirst = m_queueSize = 0;
}

void DCompositeObject_Trend::hide()
{
    m_tickEnabled = false;
    DWidgetTags::unbind(m_project, *this, {&m_valueTag});
}

void DCompositeObject_Trend::onValueChanged(DItem& item)
{
    if (&item != m_valueTag.item)
        return;
    const int32_t value = m_scale.scaled(item.value().shownNumber());
    const int64_t range = int64_t(m_scale.maximum) - m_scale.minimum;
    const int64_t height = m_graph ? m_graph->bounds().height() : 0;
    // A range of 0 from the file shows the minimum.
    __int128 row = range ? (__int128(value) - m_scale.minimum) * height / range : 0;
    if (row > 0)
        --row;
    m_current = int32_t(std::clamp<__int128>(row, INT32_MIN, INT32_MAX));
    m_alarms.run(value, *this);
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
