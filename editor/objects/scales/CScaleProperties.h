#pragma once
// What bar graphs and meters read alike: the value range and alarm limits of "Behavior",
// the tick settings of "Ticks & Labels", and the range the engine can use (a maximum
// equal to the minimum is moved one above it, with a warning naming the object).

#include <cstdint>

#include "editor/objects/ticks/CTickGenerator.h"
#include "editor/objects/ticks/CTickPen.h"

class CEditorObject;
struct CObjectCompileContext;

struct ScaleValues {
    int32_t minimum = 0;
    int32_t maximum = 0;
    int32_t lowAlarm = 0;
    int32_t highAlarm = 0;
};

struct ScaleTicks {
    bool show = true;
    int32_t size = 0;    // "Tick size [%]", above 90 counts 90, empty 0
    int32_t width = 0;   // "Tick width", empty 0
    uint32_t color = 0;  // "Tick color", 0xBBGGRR
    int64_t distance = 0;
    int64_t labelDistance = 0;
};

class CScaleProperties {
public:
    static constexpr int32_t kMaxTickSize = 90;

    static ScaleValues ReadValues(const CEditorObject& object);
    static ScaleTicks ReadTicks(const CEditorObject& object);
    // The ticks' values: maximum − minimum (in 64 bits) with the distances.
    static TickScale TickScaleOf(const ScaleValues& values, const ScaleTicks& ticks);
    // The pen in "Tick color" with the object's "Transparency".
    static CTickPen TickPen(const CEditorObject& object, const ScaleTicks& ticks);

    // The values as the engine gets them: a maximum equal to the minimum becomes one more
    // (one less at the top of the range), reported as a warning naming the object.
    static ScaleValues UsableValues(const CEditorObject& object, CObjectCompileContext& context);
    // "Discrete value step" below 1 becomes 1, with a warning.
    static uint32_t UsableStep(const CEditorObject& object, CObjectCompileContext& context);
};
