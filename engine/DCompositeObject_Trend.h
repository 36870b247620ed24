#pragma once
// A tag plotted over time: sampled at a fixed rate, drawn by the graph primitive as dots
// or a line, scrolling from right to left or sweeping across with an erase gap; with the
// bar graph's two alarms on the scaled value.

#include <array>
#include <memory>

#include "engine/DBitmap.h"
#include "engine/DCompositeObject.h"

class DBaseObject_Graph;
class DBaseObject_UnscaledBitmap;

class DCompositeObject_Trend : public DCompositeObject {
public:
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

    bool sweeps() const { return ((m_mode >> 4) & 0xF) == 4; }
    bool drawsLine() const { return m_mode == 1 || m_mode == 0x41; }
    // Milliseconds between samples; 0 when the rate is 0 (nothing is sampled).
    uint32_t samplePeriod() const;
    int32_t currentSample() const { return m_current; }
    std::size_t queued() const { return m_queueSize; }
    bool lowAlarm() const { return m_lowAlarm; }
    bool highAlarm() const { return m_highAlarm; }
    DBaseObject_Graph* graph() const { return m_graph; }

private:
    int32_t scaled(int32_t value) const;
    void runAlarms(int32_t value);

    std::unique_ptr<DBitmap> m_frameImage;
    DColor m_lineColour = 0;
    uint32_t m_mode = 0;
    uint32_t m_sampleRate = 0;
    int32_t m_step = 0;
    int32_t m_minimum = 0;
    int32_t m_maximum = 0;
    int32_t m_lowLimit = 0;
    int32_t m_highLimit = 0;
    int32_t m_multiplier = 1;
    int32_t m_divisor = 1;
    int32_t m_offset = 0;
    DItemDescriptor m_valueTag;
    DBaseObject_Graph* m_graph = nullptr;
    DBaseObject_UnscaledBitmap* m_frame = nullptr;
    int32_t m_current = 0;
    std::array<int32_t, kQueueCapacity> m_queue{};
    std::size_t m_queueFirst = 0;
    std::size_t m_queueSize = 0;
    bool m_lowAlarm = false;
    bool m_highAlarm = false;
};
