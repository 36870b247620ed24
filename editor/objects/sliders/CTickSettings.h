#pragma once
// What the "Ticks & Labels" group of a slider, knob or graph says, read as their
// drawings take it: the size clamped to 0..90, the offset to what the size leaves, and
// the alignment as the index of its choice.

#include <cstdint>

#include "editor/objects/ticks/CTickGenerator.h"
#include "platform/gfx/Colour.h"

class CEditorObject;

struct CTickSettings {
    static constexpr int32_t kLargestPercent = 90;
    // The alignment of an object without "Tick alignment": centred.
    static constexpr int32_t kMissingAlignment = 1;

    bool shown = false;        // "Show ticks" is not "hide" (any case)
    int32_t size = 0;          // s, "Tick size [%]" in 0..90
    int32_t offset = 0;        // f, "Tick offset [%]" in 0..90 - s
    int32_t alignment = kMissingAlignment;
    bool outer = false;        // "Tick placement" begins with "O"
    int32_t width = 0;         // "Tick width"
    gfx::Colour colour;        // "Tick color" at full opacity
    int64_t distance = 0;      // "Tick distance"
    int64_t labelDistance = 0; // "Label distance [ticks]"

    static CTickSettings Read(const CEditorObject& object);
    // The scale of a range for the tick generator.
    TickScale ScaleOf(int64_t range) const { return {range, distance, labelDistance}; }
};
