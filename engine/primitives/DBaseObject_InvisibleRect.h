#pragma once
// A touch area that draws nothing.

#include "engine/primitives/DBaseObject.h"

class DBaseObject_InvisibleRect : public DBaseObject {
public:
    using DBaseObject::DBaseObject;
    void draw(DRenderer&, const DRect&) override {}
};
