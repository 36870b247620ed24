#pragma once
// Class data of the image objects, then their element records:
//   static image (1): StaticImageWords; the picture (kind 3).
//   dynamic image (9): DynamicImageClassData; the picture (kind 3).
//   window (22): WindowWords; the picture (kind 3), or the scrolling picture (kind 10)
//     when it scrolls. The engine makes no widget of it and skips the record.
//   tag trigger (23): TriggerWords; a kind 6 placeholder.
//   timer (24): TimerWords; a kind 6 placeholder.

#include <cstdint>

#include "foundation/target/TargetBytes.h"
#include "foundation/target/TargetClassData.h"
#include "foundation/target/TargetTag.h"

namespace target {

struct StaticImageWords {
    static constexpr uint32_t kSize = 4;
    static constexpr uint32_t kImageOffset = 0;

    uint32_t image = 0;   // the picture's chunk offset

    template <class Self, class F>
    static constexpr void describe(Self& r, F&& field)
    {
        field(kImageOffset, r.image);
    }
};
static_assert(fieldsTileRecord<StaticImageWords>());

struct DynamicImageHead {
    static constexpr uint32_t kSize = 4;
    static constexpr uint32_t kCountOffset = 0;

    uint32_t count = 0;   // image offsets that follow, in item order

    template <class Self, class F>
    static constexpr void describe(Self& r, F&& field)
    {
        field(kCountOffset, r.count);
    }
};
static_assert(fieldsTileRecord<DynamicImageHead>());

struct DynamicImageTail {
    static constexpr uint32_t kSize = 12;
    static constexpr uint32_t kReservedOffset = 0;
    static constexpr uint32_t kValueTagOffset = 4;

    uint32_t reserved = 0;   // written 0, not read
    TagReference valueTag;

    template <class Self, class F>
    static constexpr void describe(Self& r, F&& field)
    {
        field(kReservedOffset, r.reserved);
        field(kValueTagOffset, r.valueTag);
    }
};
static_assert(fieldsTileRecord<DynamicImageTail>());

using DynamicImageClassData = ImageListClassData<DynamicImageHead, DynamicImageTail>;

// The window's scrolling direction word.
enum class WindowDirection : uint32_t {
    Vertical = 1,
    Horizontal = 2,   // any "Direction" but "Vertical"
};

struct WindowWords {
    static constexpr uint32_t kSize = 24;
    static constexpr uint32_t kDirectionOffset = 0;
    static constexpr uint32_t kPageOffset = 4;
    static constexpr uint32_t kPositionTagOffset = 8;
    static constexpr uint32_t kHideTagOffset = 16;

    uint32_t direction = uint32_t(WindowDirection::Vertical);
    int32_t page = -1;          // index of the referenced page; -1 none
    TagReference positionTag;   // the position of the visible part, both ways
    TagReference hideTag;       // shows and hides the window as a pop-up

    template <class Self, class F>
    static constexpr void describe(Self& r, F&& field)
    {
        field(kDirectionOffset, r.direction);
        field(kPageOffset, r.page);
        field(kPositionTagOffset, r.positionTag);
        field(kHideTagOffset, r.hideTag);
    }
};
static_assert(fieldsTileRecord<WindowWords>());

struct TriggerWords {
    static constexpr uint32_t kSize = 8;
    static constexpr uint32_t kValueTagOffset = 0;

    TagReference valueTag;   // the watched tag

    template <class Self, class F>
    static constexpr void describe(Self& r, F&& field)
    {
        field(kValueTagOffset, r.valueTag);
    }
};
static_assert(fieldsTileRecord<TriggerWords>());

// The timer's mode word, from "Mode"; 0 (never written) stops the timer.
enum class TimerMode : uint32_t {
    Stopped = 0,
    UpWrap = 1,       // "Forward"
    UpHold = 2,       // "forward-Stop"
    PingPong = 3,     // "Bidirectional"
    DownWrap = 4,     // "Backward"
    DownHold = 5,     // "backward-Stop"
    TowardStop = 6,
};

struct TimerWords {
    static constexpr uint32_t kSize = 32;
    static constexpr uint32_t kModeOffset = 0;
    static constexpr uint32_t kStartOffset = 4;
    static constexpr uint32_t kStopOffset = 8;
    static constexpr uint32_t kStepTimeOffset = 12;
    static constexpr uint32_t kValueTagOffset = 16;
    static constexpr uint32_t kDisableTagOffset = 24;

    uint32_t mode = uint32_t(TimerMode::Stopped);
    int32_t start = 0;       // "Start value"
    int32_t stop = 0;        // "Stop value"
    int32_t stepTime = 1;    // "Step time [ms]"; the engine takes 0 as 1 and a negative time as its magnitude
    TagReference valueTag;
    TagReference disableTag;   // "Timer disable tag": pauses the timer while it holds 0

    template <class Self, class F>
    static constexpr void describe(Self& r, F&& field)
    {
        field(kModeOffset, r.mode);
        field(kStartOffset, r.start);
        field(kStopOffset, r.stop);
        field(kStepTimeOffset, r.stepTime);
        field(kValueTagOffset, r.valueTag);
        field(kDisableTagOffset, r.disableTag);
    }
};
static_assert(fieldsTileRecord<TimerWords>());

} // namespace target
