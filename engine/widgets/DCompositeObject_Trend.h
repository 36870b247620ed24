#pragma once
// A tag plotted over time: sampled at a fixed rate, drawn by the graph primitive as dots
// or a line, scrolling from right to left or sweeping across with an erase gap; with the
// bar graph's two alarms on the scaled value.

#include <array>
#include <memory>

#include "engine/render/DBitmap.h"
#include "engine/widgets/DCompositeObject.h"
#include "engine/widgets/DScaledValue.h"
#include "engine/widgets/DValueAlarms.h"
#include "foundation/target/TargetTrendWords.h"

class DBaseObject_Graph;
class DBaseObject_UnscaledBitmap;

class DCompositeObject_Trend : public DCompositeObject {
public:
    // The words of target::TrendClassData.
    using ClassWords = target::TrendWords;

    // Samples taken while no frame is drawn wait here; the oldest go when it is full.
    static constexpr std::size_t kQueueCapacity = 1024;

    DCompositeObject_Trend();
    ~DCompositeObject_Trend() override;

    int load(DFile& file) override;
    void show() override;
    void hide() override;
    void onValueChanged(DItem& item) override;
    void tick(uint32_t now) override;
    void flush() override;

    bool sweeps() const { return m_words.sweeps(); }
    bool drawsLine() const { return m_words.drawsLine(); }
    // Milliseconds between samples; 0 when the rate is 0 (nothing is sampled).
    uint32_t samplePeriod() const;
    int32_t currentSample() const { return m_current; }
    std::size_t queued() const { return m_queueSize; }
    bool lowAlarm() const { return m_alarms.lowActive(); }
    bool highAlarm() const { return m_alarms.highActive(); }
    const DValueAlarms& alarms() const { return m_alarms; }
    DBaseObject_Graph* graph() const { return m_graph; }

private:
    ClassWords m_words;
    DScaledValue m_scale;
    DValueAlarms m_alarms;
    std::unique_ptr<DBitmap> m_frameImage;
    DItemDescriptor m_valueTag;
    DBaseObject_Graph* m_graph = nullptr;
    DBaseObject_UnscaledBitmap* m_frame = nullptr;
    int32_t m_current = 0;
    std::array<int32_t, kQueueCapacity> m_queue{};
    std::size_t m_queueFirst = 0;
    std::size_t m_queueSize = 0;
};
