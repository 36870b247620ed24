#pragma once
// Records the input the display or the long-press keys deliver.

#include "engine/core/DInputSink.h"

namespace vx::test {

struct RecordingInput : DInputSink {
    void onPointerDown(DPoint point) override { record(point); }
    void onPointerMove(DPoint point) override { record(point); }
    void onPointerUp(DPoint point) override { record(point); }
    void onKeyDown(uint32_t key) override { lastKeyDown = key; }
    void onKeyUp(uint32_t key) override { lastKeyUp = key; }

    void record(DPoint point)
    {
        lastPointer = point;
        ++pointerEvents;
    }
    uint32_t lastKeyDown = 0;
    uint32_t lastKeyUp = 0;
    DPoint lastPointer{};
    int pointerEvents = 0;
};

} // namespace vx::test
