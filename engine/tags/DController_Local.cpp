#include "engine/tags/DController_Local.h"

void DController_Local::update(uint32_t)
{
    writeWrittenItems();
}

DItem* DController_Local::findItem(const DItemDescriptor& descriptor)
{
    for (const auto& item : m_items)
        if (item->address() == descriptor.address)
            return item.get();
    if (!DValue::isNumberType(descriptor.type) && !DValue::isStringType(descriptor.type))
        return nullptr; // a type without values makes no item
    return appendItem(descriptor.address, descriptor.type, descriptor.size);
}
