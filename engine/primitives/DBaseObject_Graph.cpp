#include "engine/primitives/DBaseObject_Graph.h"

#include <algorithm>
#include <climits>

#include "engine/render/DRenderer.h"

namespace {

// A column of the own bitmap from x to x + step, inclusive.
DRect columnRect(int64_t left, int64_t right, int64_t height)
{
    return {saturated32(left), 0, saturated32(right), saturated32(height - 1)};
}

} // namespace

DBaseObject_Graph::DBaseObject_Graph(uint32_t typeId, DCompositeObject* owner, DPage* page)
    : DBaseObject_UnscaledBitmap(typeId, owner, page)
{
    m_dirty = true;
}

DBaseObject_Graph::~DBaseObject_Graph() = default;

bool DBaseObject_Graph::isUsable() const
{
    const int64_t width = m_bounds.width(), height = m_bounds.height();
    return width > 0 && height > 0 && width <= kLargestSide && height <= kLargestSide;
}

int32_t DBaseObject_Graph::rowOf(int32_t value) const
{
    return saturated32(int64_t(m_bounds.bottom) - m_bounds.top - value);
}

void DBaseObject_Graph::markAllDirty()
{
    for (Sample& sample : m_samples)
        sample.dirty = true;
    m_dirty = true;
    invalidate();
}

template <class Field>
void DBaseObject_Graph::redrawWith(Field& field, Field value)
{
    if (field == value)
        return;
    field = value;
    markAllDirty();
}

void DBaseObject_Graph::setColour(DColor colour)
{
    redrawWith(m_colour, colour);
}

void DBaseObject_Graph::setStyle(Style style)
{
    redrawWith(m_style, style);
}

void DBaseObject_Graph::setStep(int32_t step)
{
    if (step == m_step)
        return;
    m_step = step;
    m_samples.clear();
    m_first = 0;
    // A step of 0 (or less) from the file leaves the graph empty.
    if (step > 0 && isUsable()) {
        const int64_t width = m_bounds.width();
        m_samples.resize(std::size_t((width + step - 1) / step));
    }
    m_cursor = 0;
    m_cursorX = 0;
    m_dirty = true;
    invalidate();
}

void DBaseObject_Graph::append(int32_t value)
{
    if (m_samples.empty())
        return;
    // The first sample leaves and its slot becomes the last.
    m_samples[m_first] = {true, true, rowOf(value)};
    m_first = (m_first + 1) % m_samples.size();
    ++m_appended;
    m_dirty = true;
    invalidate();
}

void DBaseObject_Graph::writeAtCursor(int32_t value)
{
    const std::size_t count = m_samples.size();
    if (count == 0 || m_cursor >= count)
        return;
    at(m_cursor) = {true, true, rowOf(value)};
    int64_t left = int64_t(m_bounds.left) + m_cursorX;
    if (m_cursor != count - 1)
        m_cursorX += m_step;
    ++m_cursor;
    const auto mark = [&](int64_t right) {
        const DRect area{saturated32(left), m_bounds.top, saturated32(right), m_bounds.bottom};
        if (area.meets(m_bounds))
            invalidate(area.intersected(m_bounds));
    };
    if (m_cursor == count) {
        mark(m_bounds.right);
        m_cursor = 0;
        m_cursorX = 0;
        left = m_bounds.left;
    }
    mark(int64_t(m_bounds.left) + 2 * int64_t(m_step) + m_cursorX);
    // The erase gap ahead of the cursor.
    at(m_cursor) = {true, false, 0};
    m_dirty = true;
}

void DBaseObject_Graph::draw(DRenderer& renderer, const DRect& dirty)
{
    if (isUsable() && !m_own && !m_ownFailed) {
        m_own.reset(renderer.createBitmap(int(m_bounds.width()), int(m_bounds.height()), 0));
        m_ownFailed = !m_own;
    }
    m_bitmap = m_own.get();
    if (m_bitmap && m_dirty) {
        const int64_t width = m_bounds.width(), shift = int64_t(std::min<uint64_t>(m_appended, UINT32_MAX)) * m_step;
        // The picture moves left by the appended samples; their columns are drawn anew.
        if (m_appended && shift > 0 && shift < width)
            renderer.blit(m_bitmap, m_bitmap, {0, 0, int32_t(width - shift - 1), int32_t(m_bounds.height() - 1)},
                          {int32_t(shift), 0}, DDrawMode::Copy);
        m_appended = 0;
        drawSamples(renderer);
        m_dirty = false;
    }
    DBaseObject_UnscaledBitmap::draw(renderer, dirty);
}

void DBaseObject_Graph::drawSamples(DRenderer& renderer)
{
    if (m_step <= 0)
        return;
    DBitmap* own = m_bitmap;
    const int64_t width = m_bounds.width(), height = m_bounds.height();
    bool hasPrevious = false;
    DPoint previous{};
    bool previousValid = false;
    int64_t x = 0;
    for (std::size_t i = 0; i < m_samples.size() && x <= width - 1; ++i, x += m_step) {
        Sample& sample = at(i);
        const DPoint point{int32_t(x), sample.y};
        const bool inside = sample.valid && sample.y >= 0 && sample.y < height;
        if (m_style == Dots) {
            if (sample.dirty)
                renderer.fillRectOn(own, 0, columnRect(x, x + m_step, height), DFillMode::Opaque);
            if (inside)
                renderer.setPixel(own, m_colour, point);
        } else if (sample.dirty) {
            if (hasPrevious) {
                renderer.fillRectOn(own, 0, columnRect(int64_t(previous.x) + 1, x + m_step, height), DFillMode::Opaque);
                if (previousValid && sample.valid)
                    renderer.drawLine(own, m_colour, previous, point);
            } else {
                renderer.fillRectOn(own, 0, columnRect(x, x + m_step, height), DFillMode::Opaque);
                if (inside)
                    renderer.setPixel(own, m_colour, point);
            }
        }
        sample.dirty = false;
        hasPrevious = true;
        previous = point;
        previousValid = sample.valid;
    }
}
