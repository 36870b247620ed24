#include "editor/objects/OlderProjectConversion.h"

#include <algorithm>

#include "editor/objects/CEditorObject.h"

namespace {

constexpr int32_t kSliderType = 18;
constexpr int32_t kKnobType = 19;
constexpr std::u16string_view kCaptions[] = {u"Tick size [%]", u"Tick offset [%]", u"Thumb offset [%]"};

} // namespace

OlderProjectConversion::TickSizes OlderProjectConversion::ToPercent(TickSizes pixels, int32_t half)
{
    if (half <= 0)
        return pixels;
    const auto percent = [half](int32_t value) { return int32_t(int64_t(value) * 100 / half); };
    TickSizes result;
    result.size = std::clamp(percent(pixels.size), 0, kMaximumPercent);
    const int32_t room = kMaximumPercent - result.size;
    result.tickOffset = std::clamp(percent(pixels.tickOffset), 0, room);
    result.thumbOffset = std::clamp(percent(pixels.thumbOffset), 0, room);
    return result;
}

void OlderProjectConversion::ConvertTickSizes(CEditorObject& object, int32_t formatVersion)
{
    const int32_t type = object.GetObjectTypeIndex();
    if (formatVersion >= kFirstPercentVersion || (type != kSliderType && type != kKnobType))
        return;
    CPropertyBase* properties[3];
    for (std::size_t i = 0; i < 3; ++i)
        properties[i] = object.FindAnyProperty(kCaptions[i]);
    const CDiagramRect rect = object.GetRect();
    const int32_t width = rect.right - rect.left;
    const int32_t height = rect.bottom - rect.top;
    int32_t extent = std::min(width, height);
    if (type == kSliderType) {
        const int32_t direction = object.GetDirectionCode();
        extent = direction == 3 || direction == 4 ? width : height;
    }
    const auto value = [&](std::size_t i) { return properties[i] ? properties[i]->GetInt() : 0; };
    const TickSizes converted = ToPercent({value(0), value(1), value(2)}, extent / 2);
    const int32_t results[] = {converted.size, converted.tickOffset, converted.thumbOffset};
    for (std::size_t i = 0; i < 3; ++i)
        if (properties[i])
            properties[i]->SetValue(CPropertyValue(results[i]));
}
