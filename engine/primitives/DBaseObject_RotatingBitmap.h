#pragma once
// A bitmap turned about a pivot (a meter's needle picture), drawn into a picture of the
// primitive's size whenever the rotation changes.

#include "engine/primitives/DBaseObject_UnscaledBitmap.h"
#include "engine/render/DCachedPicture.h"

class DBaseObject_RotatingBitmap : public DBaseObject_UnscaledBitmap {
public:
    using DBaseObject_UnscaledBitmap::DBaseObject_UnscaledBitmap;

    void draw(DRenderer& renderer, const DRect& dirty) override;
    // The source's pivot lands on target (inside the primitive); angle in radians,
    // clockwise on screen. The source is borrowed (the widget owns its images).
    void setRotation(DBitmap* source, DPoint target, DPoint pivot, double angle);
    DBitmap* source() const { return m_source; }
    double angle() const { return m_angle; }

private:
    DBitmap* m_source = nullptr;
    DPoint m_target{};
    DPoint m_pivot{};
    double m_angle = 0;
    DCachedPicture m_picture;
};
