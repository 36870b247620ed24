// The widget classes by their widget type id.
#include <array>

#include "engine/DCompositeObject.h"
#include "engine/DCompositeObject_DynamicListbox.h"
#include "engine/DCompositeObject_Listbox.h"
#include "engine/DCompositeObject_Rectangle.h"
#include "engine/DCompositeObject_StaticImage.h"
#include "engine/DCompositeObject_Ticker.h"
#include "engine/DCompositeObject_Trend.h"

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
    nullptr,                              // 2 static text
    nullptr, nullptr,                     // 3, 4 numeric field
    nullptr, nullptr,                     // 5, 6 text field
    nullptr,                              // 7 date/time field
    nullptr,                              // 8 message field
    nullptr,                              // 9 dynamic image
    nullptr,                              // 10 indicator light
    nullptr,                              // 11 indicator button
    nullptr, nullptr,                     // 12, 13 bar graph
    nullptr,                              // 14 meter
    &make<DCompositeObject_Trend>,        // 15
    &make<DCompositeObject_Ticker>,       // 16
    nullptr,                              // 17 button
    nullptr,                              // 18 slider
    nullptr,                              // 19 knob
    &make<DCompositeObject_Listbox>,      // 20
    &make<DCompositeObject_DynamicListbox>, // 21
    nullptr,                              // 22
    nullptr,                              // 23 tag trigger
    nullptr,                              // 24 timer
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
