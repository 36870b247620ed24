#include "editor/objects/CObjectFactory.h"

#include <array>

#include "editor/document/CObjectTypeTable.h"
#include "editor/objects/CObjPlaceholder.h"
#include "editor/objects/scales/CObjBargraph.h"
#include "editor/objects/scales/CObjMeter.h"
#include "editor/objects/text/CObjText.h"
#include "editor/objects/text/CObjTicker.h"

namespace {

std::unique_ptr<CEditorObject> placeholder(int32_t objectTypeIndex)
{
    return std::make_unique<CObjPlaceholder>(objectTypeIndex);
}

template <class Object>
std::unique_ptr<CEditorObject> make(int32_t objectTypeIndex)
{
    return std::make_unique<Object>(objectTypeIndex);
}

// Row by row: 1 image, 2 text, 3-7 fields, 8 message, 9 dynamic image, 10 light, 11
// indicator button, 12-13 bar graphs, 14 meter, 15 graph, 16 ticker, 17 button, 18-19
// slider and knob, 20-21 list boxes, 22 window, 23 tag trigger, 24 timer.
constexpr std::array<CObjectFactory::Creator, kLastObjectType + 1> kCreators = {
    nullptr,                                                               // 0: end row
    placeholder, make<CObjText>, placeholder, placeholder, placeholder, placeholder, placeholder, make<CObjText>, // 1-8
    placeholder, placeholder, placeholder, make<CObjBargraph>, make<CObjBargraph>, make<CObjMeter>, placeholder, make<CObjTicker>, // 9-16
    placeholder, placeholder, placeholder, placeholder, placeholder, placeholder, placeholder, placeholder, // 17-24
    nullptr, nullptr, nullptr, nullptr, nullptr,                           // 25-29: no class
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
