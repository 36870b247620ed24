#pragma once
// Projects before format version 2 stored the tick and thumb sizes of sliders and knobs
// in pixels; they are percent of half the object's extent now.

#include <cstdint>

class CEditorObject;

class OlderProjectConversion {
public:
    static constexpr int32_t kFirstPercentVersion = 2;
    static constexpr int32_t kMaximumPercent = 90;

    struct TickSizes {
        int32_t size;
        int32_t tickOffset;
        int32_t thumbOffset;
    };

    // Pixels to percent of half; unchanged when half is 0 or less (a degenerate object
    // has no extent to measure against).
    static TickSizes ToPercent(TickSizes pixels, int32_t half);
    // Converts the object's "Tick size [%]", "Tick offset [%]" and "Thumb offset [%]"
    // when it is a slider or knob read from a project older than version 2.
    static void ConvertTickSizes(CEditorObject& object, int32_t formatVersion);
};
