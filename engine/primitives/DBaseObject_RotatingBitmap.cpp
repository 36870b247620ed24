#include "engine/primitives/DBaseObject_RotatingBitmap.h"

#include "engine/render/DRenderer.h"

void DBaseObject_RotatingBitmap::setRotation(DBitmap* source, DPoint target, DPoint pivot, double angle)
{
    if (source == m_source && target == m_target && pivot == m_pivot && angle == m_angle)
        return;
    m_source = source;
    m_target = target;
    m_pivot = pivot;
    m_angle = angle;
    m_dirty = true;
    invalidate();
}

void DBaseObject_RotatingBitmap::draw(DRenderer& renderer, const DRect& dirty)
{
    bool fresh = false;
    DBitmap* picture = m_picture.ensure(renderer, m_bounds, m_page, fresh);
    if (!picture)
        return;
    if ((m_dirty || fresh) && m_source) {
        renderer.fillRectOn(picture, 0, picture->bounds(), DFillMode::Opaque);
        renderer.drawTransformed(picture, m_source, m_target, m_pivot, m_angle);
        m_dirty = false;
    }
    m_bitmap = picture;
    DBaseObject_UnscaledBitmap::draw(renderer, dirty);
}
