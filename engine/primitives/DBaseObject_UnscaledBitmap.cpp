#include "engine/primitives/DBaseObject_UnscaledBitmap.h"

#include "engine/render/DRenderer.h"

void DBaseObject_UnscaledBitmap::draw(DRenderer& renderer, const DRect& dirty)
{
    if (!m_bitmap || !dirty.meets(m_visibleRect))
        return;
    const DRect clip = dirty.intersected(m_visibleRect);
    renderer.drawBitmap(m_bitmap, clip, {clip.left - m_bounds.left, clip.top - m_bounds.top}, drawFlags());
    if (m_focused)
        drawFocusFrame(renderer, clip);
}

void DBaseObject_UnscaledBitmap::resolveBitmap(DRenderer& renderer)
{
    if (m_bitmap)
        (void)renderer.resolveBitmap(m_bitmap);
}

void DBaseObject_UnscaledBitmap::setBitmap(DBitmap* bitmap)
{
    if (bitmap == m_bitmap)
        return;
    m_bitmap = bitmap;
    invalidate();
}
