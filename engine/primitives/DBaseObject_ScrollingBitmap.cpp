#include "engine/primitives/DBaseObject_ScrollingBitmap.h"

#include <algorithm>
#include <climits>

#include "engine/core/DFile.h"
#include "engine/render/DRenderer.h"
#include "engine/core/DStatus.h"
#include "foundation/target/TargetBytes.h"
#include "foundation/target/TargetElement.h"

namespace {

// A content that is at least as large as the window repeats when wrapping (so a strip
// exactly as wide as its window still cycles); it scrolls clamped only when larger.
bool repeats(int64_t content, int64_t window, int64_t period)
{
    return period > 0 && content >= window;
}

// One axis of a new scroll position. Wrapping brings it into 0..period by whole periods
// (arithmetic instead of loops, so a far position costs nothing); clamping keeps the
// content's far edge, plus the margin, at or beyond the window's far edge.
int64_t placeOnAxis(int64_t position, int64_t content, int64_t window, int64_t period, int64_t margin,
                    bool wrapping)
{
    if (wrapping) {
        if (!repeats(content, window, period))
            return 0;
        if (position < 0) {
            position %= period;
            if (position < 0)
                position += period;
        } else if (position > period) {
            position %= period;
            if (position == 0)
                position = period;
        }
        return position;
    }
    if (content <= window)
        return 0;
    position = std::max(position, -margin);
    const int64_t shortfall = window - content + position - margin;
    if (shortfall > 0)
        position -= shortfall;
    return position;
}

// A rectangle of left, top and size, kept inside 32 bits whatever the file said.
DRect rectOf(int64_t left, int64_t top, int64_t width, int64_t height)
{
    return {saturated32(left), saturated32(top), saturated32(left + width - 1), saturated32(top + height - 1)};
}

} // namespace

int DBaseObject_ScrollingBitmap::load(DFile& file)
{
    int status = DBaseObject::load(file);
    target::ScrollingWords words;
    if (status == DStatus::Ok)
        status = target::readRecord(file, words);
    m_mode = status == DStatus::Ok ? words.mode : 0;
    m_contentSize = {saturated32(m_bounds.width()), saturated32(m_bounds.height())};
    return status;
}

DRect DBaseObject_ScrollingBitmap::content() const
{
    return rectOf(int64_t(m_bounds.left) - m_scroll.x, int64_t(m_bounds.top) - m_scroll.y, m_contentSize.width,
                  m_contentSize.height);
}

bool DBaseObject_ScrollingBitmap::wrapsVertically() const
{
    return m_mode == Wrapping && repeats(m_contentSize.height, windowHeight(), m_period.height);
}

bool DBaseObject_ScrollingBitmap::wrapsHorizontally() const
{
    return m_mode == Wrapping && repeats(m_contentSize.width, windowWidth(), m_period.width);
}

void DBaseObject_ScrollingBitmap::setScrollPosition(DPoint position)
{
    if (position == m_scroll)
        return;
    (void)applyScrollPosition(position.x, position.y);
}

bool DBaseObject_ScrollingBitmap::applyScrollPosition(int64_t x, int64_t y)
{
    const bool wrapping = m_mode == Wrapping;
    const DPoint next{saturated32(placeOnAxis(x, m_contentSize.width, windowWidth(), m_period.width, m_margins.width,
                                          wrapping)),
                      saturated32(placeOnAxis(y, m_contentSize.height, windowHeight(), m_period.height,
                                          m_margins.height, wrapping))};
    const bool changed = next != m_scroll;
    m_scroll = next;
    invalidate();
    return changed;
}

void DBaseObject_ScrollingBitmap::draw(DRenderer& renderer, const DRect& dirty)
{
    if (!dirty.meets(m_visibleRect))
        return;
    const DRect clip = dirty.intersected(m_visibleRect);
    if (m_bitmap && m_contentSize.width > 0 && m_contentSize.height > 0) {
        const int64_t left = int64_t(m_bounds.left) - m_scroll.x, top = int64_t(m_bounds.top) - m_scroll.y;
        // The covered width and height of the clip (0 when the copy misses it).
        const auto drawAt = [&](int64_t dx, int64_t dy) -> DSize {
            const DRect copy = rectOf(left + dx, top + dy, m_contentSize.width, m_contentSize.height);
            if (!copy.meets(clip))
                return {};
            const DRect part = copy.intersected(clip);
            renderer.drawBitmap(m_bitmap, part,
                               {saturated32(int64_t(part.left) - copy.left), saturated32(int64_t(part.top) - copy.top)},
                               drawFlags());
            return {int32_t(part.width()), int32_t(part.height())};
        };
        const DSize covered = drawAt(0, 0);
        if (m_mode == Wrapping) {
            // Positions lie in 0..period, so an uncovered part is always right of or below the content.
            const bool alongX = wrapsHorizontally() && covered.width < clip.width();
            const bool alongY = wrapsVertically() && covered.height < clip.height();
            if (alongX)
                drawAt(m_period.width, 0);
            if (alongY)
                drawAt(0, m_period.height);
            if (alongX && alongY)
                drawAt(m_period.width, m_period.height);
        }
    }
    if (m_focused)
        drawFocusFrame(renderer, clip);
}
