#pragma once
// Controller index 1: internal variables that exist only in the engine, one per address.

#include "engine/tags/DController.h"

class DController_Local : public DController {
public:
    DController_Local() : DController(Kind::Local) {}

    void update(uint32_t now) override;
    // The first item at the address, whatever its type; else a new one of the
    // descriptor's type and size.
    DItem* findItem(const DItemDescriptor& descriptor) override;
};
