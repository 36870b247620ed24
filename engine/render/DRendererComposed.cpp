#include "engine/render/DRendererComposed.h"

#include <algorithm>

#include "engine/core/DStatus.h"

int DRendererComposed::init(DDisplay* display, DProject* project, int width, int height)
{
    if (DRendererBitmap::init(display, project, width, height) != DStatus::Ok)
        return DStatus::Failed;
    return m_composed.allocate({width, height}, 4);
}

void DRendererComposed::release()
{
    m_composed.freePixels();
    DRendererBitmap::release();
}

void DRendererComposed::present(const DRect& rect)
{
    if (!m_composed.pixels() || !m_target.pixels() || !rect.meets(m_target.bounds()))
        return;
    const DRect area = rect.intersected(m_target.bounds());
    for (int32_t y = area.top; y <= area.bottom; ++y) {
        const auto* in = reinterpret_cast<const uint32_t*>(m_target.row(y));
        auto* out = reinterpret_cast<uint32_t*>(m_composed.row(y));
        for (int32_t x = area.left; x <= area.right; ++x) {
            const uint32_t cell = ((x >> 3) & 1) == ((y >> 3) & 1) ? 0xFF808080u : 0xFFC0C0C0u;
            out[x] = blendOver(in[x], cell);
        }
    }
    m_window.presentPixels(m_composed, area);
}
