#include "engine/primitives/DBaseObject_SolidRect.h"

#include "engine/render/DRenderer.h"

void DBaseObject_SolidRect::draw(DRenderer& renderer, const DRect& dirty)
{
    if (!dirty.meets(m_visibleRect))
        return;
    renderer.fillRect(m_colour, dirty.intersected(m_visibleRect),
                      (m_flags & kGreyDraw) ? DFillMode::Opaque : DFillMode::Blend);
}

void DBaseObject_SolidRect::setColour(DColor colour)
{
    if (colour == m_colour)
        return;
    m_colour = colour;
    invalidate(m_visibleRect);
}
