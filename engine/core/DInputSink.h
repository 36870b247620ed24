#pragma once
// Where the display and the long-press keys deliver the panel's input: the project.

#include <cstdint>

#include "foundation/DGeometry.h"

class DInputSink {
public:
    virtual ~DInputSink() = default;
    virtual void onPointerDown(DPoint point) = 0;
    virtual void onPointerMove(DPoint point) = 0;
    virtual void onPointerUp(DPoint point) = 0;
    virtual void onKeyDown(uint32_t key) = 0;
    virtual void onKeyUp(uint32_t key) = 0;
};
