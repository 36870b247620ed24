#pragma once
// System tags: the numbers of the engine's system controller (controller 0) and the
// names the editor knows them by. A name beginning with "sys" always means a system tag.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace target {

struct SystemTagEntry {
    std::u16string_view name;
    int32_t number;
};

struct SystemTags {
    static constexpr int32_t kCount = 399;            // numbers 0 to 398, all 32-bit
    static constexpr int32_t kCounter = 0;            // seconds since attach
    static constexpr int32_t kEkg = 1;                // heartbeat waveform
    static constexpr int32_t kTime = 2;               // needs a real-time clock on the target
    static constexpr int32_t kPageCurrent = 3;
    static constexpr int32_t kMemoryCurrentBytes = 6;
    static constexpr int32_t kMemoryNumAllocs = 7;
    static constexpr int32_t kFirstWritable = 44;     // numbers below are read-only for actions
    static constexpr int32_t kGeneralTimerCount = 20;
    static constexpr int32_t kTagsPerTimer = 5;
    static constexpr int32_t kNotFound = -1;

    enum class TimerField : int32_t { Value = 0, Start = 1, Stop = 2, Mode = 3, Step = 4 };

    static constexpr int32_t generalTimerTag(int32_t timer, TimerField field)
    {
        return kFirstWritable + kTagsPerTimer * timer + int32_t(field);
    }

    // The basic table, in its order.
    static constexpr std::array<SystemTagEntry, 6> kBasic{{
        {u"sys_counter", kCounter},
        {u"sys_EKG", kEkg},
        {u"sys_time", kTime},
        {u"sys_page_current", kPageCurrent},
        {u"sys_memory_current_bytes", kMemoryCurrentBytes},
        {u"sys_memory_num_allocs", kMemoryNumAllocs},
    }};

    // The timer table: "sys_gentimer" nn "_value", "_start", "_stop", "_mode", "_step" for
    // nn = 00 to 19, numbered from 44 on.
    static std::span<const SystemTagEntry> timerTable();

    // Exact comparison, basic table first, then the timer table; kNotFound otherwise.
    static int32_t find(std::u16string_view name);
};

} // namespace target
