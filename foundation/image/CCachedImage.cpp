#include "foundation/image/CCachedImage.h"

void CCachedImage::Unload()
{
    CWinFreeImage::Unload();
    m_scaled.Unload();
}

void CCachedImage::OnImageChanged()
{
    m_scaled.Unload();
}

bool CCachedImage::DrawScaled(gfx::DeviceContext& dc, StaleCopy stale, int x, int y, int width, int height)
{
    if (!isLoaded())
        return false;
    const int w = width == -1 ? this->width() : width;
    const int h = height == -1 ? this->height() : height;
    if (w == this->width() && h == this->height()) {
        Draw(dc, x, y, w, h);
        return false;
    }
    if (w <= 0 || h <= 0)
        return false;
    if (m_scaled.width() != w || m_scaled.height() != h) {
        const bool keepOld = stale == StaleCopy::Allow && m_scaled.isLoaded();
        // Should rescaling fail, the image itself is stretched.
        if (!keepOld && !RescaleInto(m_scaled, w, h) && !m_scaled.isLoaded())
            CopyTo(m_scaled);
    }
    m_scaled.Draw(dc, x, y, w, h);
    return m_scaled.width() != w || m_scaled.height() != h;
}
