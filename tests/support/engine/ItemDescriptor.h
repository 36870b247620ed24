#pragma once
// A descriptor of a controller's item, not yet bound, as a widget's tag reference decodes to.

#include <cstdint>

#include "engine/tags/DItemDescriptor.h"

namespace vx::test {

inline DItemDescriptor itemDescriptor(uint8_t controller, uint32_t address, uint8_t type, uint16_t size)
{
    DItemDescriptor descriptor;
    descriptor.controller = controller;
    descriptor.address = address;
    descriptor.type = type;
    descriptor.size = size;
    return descriptor;
}

} // namespace vx::test
