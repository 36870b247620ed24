#pragma once
// A decoded tag reference: which controller, which item there, and the value's type and
// size. The target-file reader decodes the two reference words into these fields; binding
// fills in the item found.

#include <cstdint>

#include "foundation/target/TargetTag.h"

class DItem;

struct DItemDescriptor {
    // Controller indexes: positions in the project's controller list.
    static constexpr uint8_t kSystem = 0;
    static constexpr uint8_t kLocal = 1;
    static constexpr uint8_t kMemory = 2;
    // The "no tag" reference decodes to a controller that does not exist.
    static constexpr uint8_t kNoController = 0xFF;

    uint8_t controller = kNoController;
    uint8_t type = 4;
    uint16_t size = 0;
    uint32_t address = 0xFFFF; // byte address in the memory image, or the item's index
    DItem* item = nullptr;

    [[nodiscard]] bool isNoTag() const { return controller == kNoController; }

    // The descriptor of a reference from the file, not yet bound.
    [[nodiscard]] static DItemDescriptor fromReference(const target::TagReference& reference)
    {
        DItemDescriptor descriptor;
        if (!reference.isNone()) {
            descriptor.controller = uint8_t(reference.controller());
            descriptor.address = reference.address();
            descriptor.type = uint8_t(reference.valueType());
            descriptor.size = uint16_t(reference.valueSize());
        }
        return descriptor;
    }
};
