#include "editor/objects/scales/CScaleProperties.h"

#include <algorithm>
#include <string>

#include "editor/objects/CEditorObject.h"
#include "editor/objects/shared/CObjectProperty.h"
#include "editor/objects/shared/CObjectRecordWriter.h"

namespace {

constexpr std::u16string_view kBehavior = u"Behavior";
constexpr std::u16string_view kTicks = u"Ticks & Labels";

int32_t readInt(const CEditorObject& object, std::u16string_view category, std::u16string_view caption)
{
    return int32_t(CObjectProperty::Int(object, category, caption, 0));
}

std::u16string decimal(int64_t value)
{
    const std::string text = std::to_string(value);
    return {text.begin(), text.end()};
}

} // namespace

ScaleValues CScaleProperties::ReadValues(const CEditorObject& object)
{
    return {readInt(object, kBehavior, u"Minimum value"), readInt(object, kBehavior, u"Maximum value"),
            readInt(object, kBehavior, u"Low alarm value"), readInt(object, kBehavior, u"High alarm value")};
}

ScaleTicks CScaleProperties::ReadTicks(const CEditorObject& object)
{
    ScaleTicks ticks;
    const CPropertyBase* show = object.FindProperty(kTicks, u"Show ticks");
    std::u16string choice = show ? show->GetListValue() : std::u16string();
    std::transform(choice.begin(), choice.end(), choice.begin(),
                   [](char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a') : c; });
    ticks.show = choice != u"hide";
    ticks.size = int32_t(std::min<int64_t>(CObjectProperty::Int(object, kTicks, u"Tick size [%]", 0), kMaxTickSize));
    ticks.width = readInt(object, kTicks, u"Tick width");
    ticks.color = uint32_t(CObjectProperty::Int(object, kTicks, u"Tick color", 0)) & 0xFFFFFFu;
    ticks.distance = CObjectProperty::Int(object, kTicks, u"Tick distance", 0);
    ticks.labelDistance = CObjectProperty::Int(object, kTicks, u"Label distance [ticks]", 0);
    return ticks;
}

TickScale CScaleProperties::TickScaleOf(const ScaleValues& values, const ScaleTicks& ticks)
{
    return {int64_t(values.maximum) - values.minimum, ticks.distance, ticks.labelDistance};
}

CTickPen CScaleProperties::TickPen(const CEditorObject& object, const ScaleTicks& ticks)
{
    return CTickPen(ticks.width, gfx::Colour::fromArgb(object.GetTargetColor(ticks.color)));
}

ScaleValues CScaleProperties::UsableValues(const CEditorObject& object, CObjectCompileContext& context)
{
    ScaleValues values = ReadValues(object);
    if (values.maximum != values.minimum)
        return values;
    if (values.minimum == INT32_MAX) {
        values.minimum = INT32_MAX - 1;
        CObjectRecordWriter::Warn(object, CompileDiagnostic::ValueClamped, u"Minimum value", decimal(values.minimum),
                                  context);
    } else {
        values.maximum = values.minimum + 1;
        CObjectRecordWriter::Warn(object, CompileDiagnostic::ValueClamped, u"Maximum value", decimal(values.maximum),
                                  context);
    }
    return values;
}

uint32_t CScaleProperties::UsableStep(const CEditorObject& object, CObjectCompileContext& context)
{
    const int64_t step = CObjectProperty::Int(object, kBehavior, u"Discrete value step", 0);
    if (step >= 1)
        return uint32_t(step);
    CObjectRecordWriter::Warn(object, CompileDiagnostic::ValueClamped, u"Discrete value step", u"1", context);
    return 1;
}
