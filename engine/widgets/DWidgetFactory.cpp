// The widget classes by their widget type id.
#include <array>

#include "engine/widgets/DCompositeObject.h"
#include "engine/widgets/DCompositeObject_Bargraph.h"
#include "engine/widgets/DCompositeObject_Button.h"
#include "engine/widgets/DCompositeObject_DateTimeField.h"
#include "engine/widgets/DCompositeObject_DynamicImage.h"
#include "engine/widgets/DCompositeObject_DynamicListbox.h"
#include "engine/widgets/DCompositeObject_IndicatorButton.h"
#include "engine/widgets/DCompositeObject_IndicatorLight.h"
#include "engine/widgets/DCompositeObject_Knob.h"
#include "engine/widgets/DCompositeObject_Listbox.h"
#include "engine/widgets/DCompositeObject_MessageField.h"
#include "engine/widgets/DCompositeObject_Meter.h"
#include "engine/widgets/DCompositeObject_NumericField.h"
#include "engine/widgets/DCompositeObject_TextField.h"
#include "engine/widgets/DCompositeObject_Rectangle.h"
#include "engine/widgets/DCompositeObject_Slider.h"
#include "engine/widgets/DCompositeObject_StaticImage.h"
#include "engine/widgets/DCompositeObject_StaticText.h"
#include "engine/widgets/DCompositeObject_Ticker.h"
#include "engine/widgets/DCompositeObject_Timer.h"
#include "engine/widgets/DCompositeObject_Trend.h"
#include "engine/widgets/DCompositeObject_Trigger.h"

namespace {

using Creator = DCompositeObject* (*)();

template <class Kind>
DCompositeObject* make()
{
    return new Kind();
}

// Ids 22, 25 and 27 onwards have no class: the page reader skips their records.
constexpr std::array<Creator, 27> kWidgets{
    nullptr,                              // 0
    &make<DCompositeObject_StaticImage>,  // 1 static image, page background with an image
    &make<DCompositeObject_StaticText>,   // 2 static text
    &make<DCompositeObject_NumericField>, // 3 numeric field
    &make<DCompositeObject_NumericField>, // 4 editable numeric field
    &make<DCompositeObject_TextField>,    // 5 text field
    &make<DCompositeObject_TextField>,    // 6 editable text field
    &make<DCompositeObject_DateTimeField>, // 7 date/time field
    &make<DCompositeObject_MessageField>, // 8 message field
    &make<DCompositeObject_DynamicImage>, // 9 dynamic image
    &make<DCompositeObject_IndicatorLight>, // 10 indicator light
    &make<DCompositeObject_IndicatorButton>, // 11 indicator button
    &make<DCompositeObject_Bargraph>,     // 12 image bar
    &make<DCompositeObject_Bargraph>,     // 13 colour bar
    &make<DCompositeObject_Meter>,        // 14 meter
    &make<DCompositeObject_Trend>,        // 15 trend
    &make<DCompositeObject_Ticker>,       // 16 ticker
    &make<DCompositeObject_Button>,       // 17 button
    &make<DCompositeObject_Slider>,       // 18 slider
    &make<DCompositeObject_Knob>,         // 19 knob
    &make<DCompositeObject_Listbox>,      // 20 list box
    &make<DCompositeObject_DynamicListbox>, // 21 dynamic list box
    nullptr,                              // 22
    &make<DCompositeObject_Trigger>,      // 23 tag trigger
    &make<DCompositeObject_Timer>,        // 24 timer
    nullptr,                              // 25
    &make<DCompositeObject_Rectangle>,    // 26 page background rectangle
};

} // namespace

DCompositeObject* DCompositeObject::create(uint32_t typeId, DPage* page)
{
    const Creator creator = typeId < kWidgets.size() ? kWidgets[typeId] : nullptr;
    if (!creator)
        return nullptr;
    DCompositeObject* widget = creator();
    if (widget) {
        widget->setPage(page);
        widget->setTypeId(typeId);
    }
    return widget;
}
