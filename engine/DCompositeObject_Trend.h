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
    // The class words before the value tag.
    struct ClassWords {
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

    bool sweeps() const { return ((m_words.mode >> 4) & 0xF) == 4; }
    bool drawsLine() const { return m_words.mode == 1 || m_words.mode == 0x41; }
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

    ClassWords m_words;
    std::unique_ptr<DBitmap> m_frameImage;
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
