#pragma once
// Controller index 0: the 399 system tags, all 32-bit integers reached by number. The
// engine feeds a few each frame (seconds counter, heartbeat, clock, current page,
// allocator figures); twenty general timers count on value tags driven by four more tags
// each; the rest are plain variables.

#include <array>
#include <cstdint>

#include "engine/tags/DController.h"
#include "engine/tags/DGeneralTimer.h"
#include "foundation/target/TargetSystemTags.h"

class DSystemTagSource;

class DController_System : public DController {
public:
    using Tags = target::SystemTags;
    static constexpr uint32_t kTagCount = Tags::kCount;
    static constexpr uint32_t kTimerCount = Tags::kGeneralTimerCount;
    // Fed tags.
    static constexpr uint32_t kCounter = Tags::kCounter;
    static constexpr uint32_t kEKG = Tags::kEkg;
    static constexpr uint32_t kTime = Tags::kTime;
    static constexpr uint32_t kPageCurrent = Tags::kPageCurrent;
    static constexpr uint32_t kMemoryCurrentBytes = Tags::kMemoryCurrentBytes;
    static constexpr uint32_t kMemoryNumAllocs = Tags::kMemoryNumAllocs;
    // Timer n's value, start, stop, mode and step tags follow one another from here.
    static constexpr uint32_t kFirstTimerTag = Tags::kFirstWritable;
    static constexpr uint32_t kTagsPerTimer = Tags::kTagsPerTimer;
    static constexpr uint32_t kSecondMilliseconds = 1000;
    static constexpr uint32_t kWaveformPeriod = 19; // milliseconds per heartbeat sample
    static constexpr std::array<int32_t, 51> kWaveform = {
        30, 30, 31, 32, 34, 35, 36, 35, 34, 32, 31, 30, 30, 30, 30, 29, 27, 24, 22, 21, 22, 38, 63, 107, 97, 62,
        38, 27, 20, 16, 15, 16, 17, 20, 23, 25, 27, 32, 38, 39, 40, 39, 38, 37, 35, 33, 32, 30, 30, 30, 30};

    explicit DController_System(const DSystemTagSource& source);

    // Makes the 399 items; the timers keep their state across reloads.
    int init(uint32_t now) override;
    // Timers, seconds, heartbeat, fed tags, then the written items; each changed tag
    // tells its observers once.
    void update(uint32_t now) override;
    // The item numbered by the descriptor's address, whatever its type.
    DItem* findItem(const DItemDescriptor& descriptor) override;

    [[nodiscard]] const DGeneralTimer& timer(uint32_t n) const { return m_timers[n]; }

private:
    [[nodiscard]] int32_t tag(uint32_t number) const { return m_items[number]->value().number(); }
    // Sets a tag from the engine's side (not marked written) and notes a change.
    void feed(uint32_t number, int32_t value);

    const DSystemTagSource& m_source;
    std::array<DGeneralTimer, kTimerCount> m_timers{};
    uint32_t m_secondsDue = 0;
    uint32_t m_waveformIndex = 0;
    uint32_t m_waveformDue = 0;
    // Tags that changed during this update: each is told once at its end.
    std::array<bool, kTagCount> m_changed{};
};
