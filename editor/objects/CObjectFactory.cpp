#include "editor/objects/CObjectFactory.h"

#include <array>

#include "editor/document/CObjectTypeTable.h"
#include "editor/objects/buttons/CObjButton.h"
#include "editor/objects/buttons/CObjLight.h"
#include "editor/objects/fields/CObjField.h"
#include "editor/objects/images/CObjImage.h"
#include "editor/objects/lists/CObjListBox.h"
#include "editor/objects/scales/CObjBargraph.h"
#include "editor/objects/scales/CObjMeter.h"
#include "editor/objects/sliders/CObjSlider.h"
#include "editor/objects/sliders/CObjTrend.h"
#include "editor/objects/text/CObjText.h"
#include "editor/objects/text/CObjTicker.h"

namespace {

// The class as the program makes it: its work on the background worker is cancelled
// before any part of it is destroyed, since the worker may be rendering it right then.
template <class Object>
class Made final : public Object {
public:
    using Object::Object;
    ~Made() override { this->CancelPendingWork(); }
};

template <class Object>
std::unique_ptr<CEditorObject> make(int32_t objectTypeIndex)
{
    return std::make_unique<Made<Object>>(objectTypeIndex);
}

// Row by row: 1 image, 2 text, 3-7 fields, 8 message, 9 dynamic image, 10 light, 11
// indicator button, 12-13 bar graphs, 14 meter, 15 graph, 16 ticker, 17 button, 18-19
// slider and knob, 20-21 list boxes, 22 window, 23 tag trigger, 24 timer.
constexpr std::array<CObjectFactory::Creator, kLastObjectType + 1> kCreators = {
    nullptr,                                                                              // 0: end row
    make<CObjImage>, make<CObjText>,                                                      // 1-2
    make<CObjField>, make<CObjField>, make<CObjField>, make<CObjField>, make<CObjField>,  // 3-7
    make<CObjText>, make<CObjImage>, make<CObjLight>, make<CObjButton>,                   // 8-11
    make<CObjBargraph>, make<CObjBargraph>, make<CObjMeter>, make<CObjTrend>, make<CObjTicker>, // 12-16
    make<CObjButton>, make<CObjSlider>, make<CObjSlider>, make<CObjListBox>, make<CObjListBox>, // 17-21
    make<CObjImage>, make<CObjImage>, make<CObjImage>,                                    // 22-24
    nullptr, nullptr, nullptr, nullptr, nullptr,                                          // 25-29: no class
};

} // namespace

CObjectFactory::Creator CObjectFactory::CreatorOf(int32_t objectTypeIndex)
{
    if (objectTypeIndex < 0 || objectTypeIndex > kLastObjectType)
        return nullptr;
    return kCreators[std::size_t(objectTypeIndex)];
}

std::unique_ptr<CEditorObject> CObjectFactory::Create(int32_t objectTypeIndex)
{
    const Creator creator = CreatorOf(objectTypeIndex);
    return creator ? creator(objectTypeIndex) : nullptr;
}
