#pragma once
// The panel divides by a slider's, knob's or graph's step, range and sample rate, so the
// compile writes only values it can use: a value outside is brought inside and a warning
// names the object and the property.

#include <cstdint>
#include <string_view>

class CEditorObject;
struct CObjectCompileContext;

class CUsableValues {
public:
    // value, or 1 when it is below 1.
    static uint32_t AtLeastOne(const CEditorObject& object, std::u16string_view caption, int64_t value,
                               CObjectCompileContext& context);
    // A maximum below the minimum is swapped with it; an equal one lies one above (or the
    // minimum one below, at the top of the range).
    static void Range(const CEditorObject& object, int32_t& minimum, int32_t& maximum, CObjectCompileContext& context);
    // The warning: "Value out of range, clamped (object property <caption>)".
    static void Warn(const CEditorObject& object, std::u16string_view caption, CObjectCompileContext& context);
};
