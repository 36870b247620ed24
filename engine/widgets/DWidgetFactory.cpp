// The widget classes by their widget type id.
#include <array>

#include "foundation/DIdTable.h"
#include "foundation/target/TargetPage.h"

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

using target::WidgetType;
using Creator = DCompositeObject* (*)();

template <class Kind>
DCompositeObject* make()
{
    return new Kind();
}

// Window (22), Semaphore (25) and ids past the rectangle have no class: the page reader
// skips their records.
constexpr auto kWidgets = DIdTable<WidgetType, Creator, uint32_t(WidgetType::Rectangle) + 1>::build({
    {WidgetType::StaticImage, &make<DCompositeObject_StaticImage>}, // also a page background with an image
    {WidgetType::StaticText, &make<DCompositeObject_StaticText>},
    {WidgetType::NumericField, &make<DCompositeObject_NumericField>},
    {WidgetType::EditableNumericField, &make<DCompositeObject_NumericField>},
    {WidgetType::TextField, &make<DCompositeObject_TextField>},
    {WidgetType::EditableTextField, &make<DCompositeObject_TextField>},
    {WidgetType::DateTimeField, &make<DCompositeObject_DateTimeField>},
    {WidgetType::MessageField, &make<DCompositeObject_MessageField>},
    {WidgetType::DynamicImage, &make<DCompositeObject_DynamicImage>},
    {WidgetType::IndicatorLight, &make<DCompositeObject_IndicatorLight>},
    {WidgetType::IndicatorButton, &make<DCompositeObject_IndicatorButton>},
    {WidgetType::ImageBar, &make<DCompositeObject_Bargraph>},
    {WidgetType::ColorBar, &make<DCompositeObject_Bargraph>},
    {WidgetType::Meter, &make<DCompositeObject_Meter>},
    {WidgetType::Trend, &make<DCompositeObject_Trend>},
    {WidgetType::Ticker, &make<DCompositeObject_Ticker>},
    {WidgetType::Button, &make<DCompositeObject_Button>},
    {WidgetType::Slider, &make<DCompositeObject_Slider>},
    {WidgetType::Knob, &make<DCompositeObject_Knob>},
    {WidgetType::Listbox, &make<DCompositeObject_Listbox>},
    {WidgetType::DynamicListbox, &make<DCompositeObject_DynamicListbox>},
    {WidgetType::Trigger, &make<DCompositeObject_Trigger>},
    {WidgetType::Timer, &make<DCompositeObject_Timer>},
    {WidgetType::Rectangle, &make<DCompositeObject_Rectangle>}, // the page background without an image
});

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
