#pragma once
// One action of a trigger. Page changes and reloads are deferred: a clone waits in the
// project's list until the frame has been drawn.

#include <cstdint>

#include "engine/DObject.h"

class DAction : public DObject {
public:
    // 0, or 1 for a comparison that failed.
    virtual int execute(int runNow) = 0;
};
