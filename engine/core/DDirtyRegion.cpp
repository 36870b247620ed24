#include "engine/core/DDirtyRegion.h"

#include <algorithm>
#include <cassert>

#include "engine/core/DPage.h"
#include "engine/primitives/DBaseObject.h"
#include "engine/render/DRenderer.h"

namespace {

// The renderer's frame begins before the first primitive a rectangle draws.
void drawIn(DPage& page, DRenderer& renderer, const DRect& dirty, bool& begun)
{
    const std::vector<DBaseObject*>& primitives = page.primitives();
    for (std::size_t i = primitives.size(); i-- > 0;) {
        DBaseObject* primitive = primitives[i];
        if (!primitive->isVisible() || !primitive->bounds().meets(dirty))
            continue;
        if (!begun) {
            renderer.beginFrame();
            begun = true;
        }
        primitive->draw(renderer, dirty);
    }
}

} // namespace

void DDirtyRegion::invalidate(const DRect& rect)
{
    // A primitive that marks itself while it is drawn would draw again every frame.
    assert(!m_painting && "a rectangle was marked dirty while the pages were drawn");
    std::size_t i = 0;
    while (i < m_rectangles.size() && !m_rectangles[i].meets(rect))
        ++i;
    if (i == m_rectangles.size()) {
        m_rectangles.push_back(rect);
        return;
    }
    DRect grown = m_rectangles[i].united(rect);
    for (std::size_t j = i + 1; j < m_rectangles.size();) {
        if (m_rectangles[j].meets(grown)) {
            grown = grown.united(m_rectangles[j]);
            m_rectangles.erase(m_rectangles.begin() + std::ptrdiff_t(j));
        } else {
            ++j;
        }
    }
    m_rectangles[i] = grown;
}

void DDirtyRegion::redraw(DPage& page, DRenderer* renderer, DRect& united)
{
    m_painting = true;
    // By index: a release build that marks during the walk changes the list, not the walk's footing.
    for (std::size_t i = 0; i < m_rectangles.size(); ++i) {
        const DRect dirty = m_rectangles[i];
        if (renderer) {
            bool begun = false;
            if (DPage* under = page.pageUnder())
                drawIn(*under, *renderer, dirty, begun);
            drawIn(page, *renderer, dirty, begun);
        }
        united = united.united(dirty);
    }
    m_painting = false;
}

void DDirtyRegion::present(DRenderer* renderer, DRect united)
{
    m_rectangles.clear();
    if (united.isEmpty() || !renderer || !renderer->target())
        return;
    const DRect display = renderer->target()->bounds();
    united.left = std::max(united.left, 0);
    united.top = std::max(united.top, 0);
    united.right = std::min(united.right, display.right);
    united.bottom = std::min(united.bottom, display.bottom);
    renderer->present(united);
}
