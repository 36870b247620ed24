#include "editor/objects/sliders/CTickSettings.h"

#include <algorithm>

#include "editor/objects/CEditorObject.h"
#include "editor/objects/shared/CObjectProperty.h"
#include "editor/objects/sliders/CChoiceText.h"

namespace {

constexpr std::u16string_view kTicks = u"Ticks & Labels";

// The position of the property's choice among its options; missing when it has none.
int32_t choiceIndex(const CPropertyBase* property, int32_t missing)
{
    if (!property)
        return missing;
    const std::u16string choice = property->GetListValue();
    const std::vector<std::u16string> options = CObjectProperty::Tokens(property->GetOptionsText(), ListTokens::Split);
    const auto found = std::find(options.begin(), options.end(), choice);
    return found == options.end() ? 0 : int32_t(found - options.begin());
}

} // namespace

CTickSettings CTickSettings::Read(const CEditorObject& object)
{
    CTickSettings ticks;
    const CPropertyBase* show = object.FindProperty(kTicks, u"Show ticks");
    ticks.shown = !(show && CChoiceText::Is(show->GetListValue(), u"hide"));
    const auto number = [&](std::u16string_view caption) { return CObjectProperty::Int(object, kTicks, caption, 0); };
    ticks.size = int32_t(std::clamp<int64_t>(number(u"Tick size [%]"), 0, kLargestPercent));
    ticks.offset = int32_t(std::clamp<int64_t>(number(u"Tick offset [%]"), 0, kLargestPercent - ticks.size));
    ticks.alignment = choiceIndex(object.FindProperty(kTicks, u"Tick alignment"), kMissingAlignment);
    ticks.outer = CObjectProperty::ChoiceLetter(object, kTicks, u"Tick placement") == u'o';
    ticks.width = int32_t(std::clamp<int64_t>(number(u"Tick width"), INT32_MIN, INT32_MAX));
    ticks.colour = gfx::Colour::fromColorRef(uint32_t(number(u"Tick color")) & 0xFFFFFF);
    ticks.distance = number(u"Tick distance");
    ticks.labelDistance = number(u"Label distance [ticks]");
    return ticks;
}
