#pragma once
// A rectangle filled with one colour.

#include "engine/primitives/DBaseObject.h"

class DBaseObject_SolidRect : public DBaseObject {
public:
    using DBaseObject::DBaseObject;
    void draw(DRenderer& renderer, const DRect& dirty) override;
    DColor colour() const { return m_colour; }
    void setColour(DColor colour);

private:
    DColor m_colour = 0;
};
