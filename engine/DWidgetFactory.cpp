// The widget classes by their widget type id.
#include <array>

#include "engine/DCompositeObject.h"
#include "engine/DCompositeObject_DateTimeField.h"
#include "engine/DCompositeObject_NumericField.h"
#include "engine/DCompositeObject_TextField.h"
#include "engine/DCompositeObject_Rectangle.h"
#include "engine/DCompositeObject_StaticImage.h"

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
    &make<DCompositeObject_NumericField>, // 3 numeric field
    &make<DCompositeObject_NumericField>, // 4 editable numeric field
    &make<DCompositeObject_TextField>,    // 5 text field
    &make<DCompositeObject_TextField>,    // 6 editable text field
    &make<DCompositeObject_DateTimeField>, // 7 date/time field
    nullptr,                              // 8 message field
    nullptr,                              // 9 dynamic image
    nullptr,                              // 10 indicator light
    nullptr,                              // 11 indicator button
    nullptr, nullptr,                     // 12, 13 bar graph
    nullptr,                              // 14 meter
    nullptr,                              // 15 trend
    nullptr,                              // 16 ticker
    nullptr,                              // 17 button
    nullptr,                              // 18 slider
    nullptr,                              // 19 knob
    nullptr,                              // 20 list box
    nullptr,                              // 21 dynamic list box
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
