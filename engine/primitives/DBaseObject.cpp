#include "engine/primitives/DBaseObject.h"

#include <algorithm>
#include <climits>

#include "engine/widgets/DCompositeObject.h"
#include "engine/core/DFile.h"
#include "engine/core/DPage.h"
#include "engine/core/DProject.h"
#include "engine/render/DRenderer.h"
#include "engine/core/DStatus.h"

DBaseObject::DBaseObject(uint32_t typeId, DCompositeObject* owner, DPage* page)
    : m_typeId(typeId), m_owner(owner), m_page(page)
{
}

void DBaseObject::onPointerDown(DPoint point)
{
    if (isTouchable() && m_owner)
        m_owner->onPointerDown(point);
}

void DBaseObject::onPointerMove(DPoint point)
{
    if (isTouchable() && m_owner)
        m_owner->onPointerMove(point);
}

void DBaseObject::onPointerUp(DPoint point)
{
    if (isTouchable() && m_owner)
        m_owner->onPointerUp(point);
}

void DBaseObject::onPointerHold(DPoint point)
{
    if (isTouchable() && m_owner)
        m_owner->onPointerHold(point);
}

int DBaseObject::load(DFile& file)
{
    target::ElementRecordBody body;
    const int status = target::readRecordWords(file, body);
    m_bounds = {body.left, body.top, body.right, body.bottom};
    m_flags = body.flags;
    m_extra = body.extra;
    m_visibleRect = m_bounds;
    invalidate();
    return status;
}

void DBaseObject::invalidate(const DRect& rect) const
{
    if (m_page && m_page->project())
        m_page->project()->invalidate(rect);
}

void DBaseObject::setVisibleRect(const DRect& requested)
{
    const DRect next = requested.meets(m_bounds) ? requested.intersected(m_bounds) : DRect{};
    if (next == m_visibleRect)
        return;
    const DRect old = m_visibleRect;
    m_visibleRect = next;
    // A bar that grows or shrinks marks only the strip that changed.
    const DRect changed = old.united(next);
    const DRect common = old.meets(next) ? old.intersected(next) : DRect{};
    const bool spansWidth = common.left == changed.left && common.right == changed.right;
    const bool spansHeight = common.top == changed.top && common.bottom == changed.bottom;
    invalidate(!common.isEmpty() && (spansWidth || spansHeight) ? changed.subtracted(common) : changed);
}

void DBaseObject::moveTo(DPoint topLeft)
{
    const int64_t dx = int64_t(topLeft.x) - m_bounds.left, dy = int64_t(topLeft.y) - m_bounds.top;
    if (dx == 0 && dy == 0)
        return;
    // Bounds come from the file: a far edge pushed past the coordinate range stays at its end.
    const auto shifted = [dx, dy](const DRect& rect) {
        const auto move = [](int32_t value, int64_t by) {
            return saturated32(value + by);
        };
        return DRect{move(rect.left, dx), move(rect.top, dy), move(rect.right, dx), move(rect.bottom, dy)};
    };
    invalidate();
    m_bounds = shifted(m_bounds);
    m_visibleRect = shifted(m_visibleRect);
    invalidate();
}

void DBaseObject::drawFocusFrame(DRenderer& renderer, const DRect& clip) const
{
    if (clip.top == m_bounds.top)
        renderer.fillRect(kFocusColour, {clip.left, clip.top, clip.right, clip.top}, DFillMode::Opaque);
    if (clip.right == m_bounds.right)
        renderer.fillRect(kFocusColour, {clip.right, clip.top, clip.right, clip.bottom}, DFillMode::Opaque);
    if (clip.bottom == m_bounds.bottom)
        renderer.fillRect(kFocusColour, {clip.left, clip.bottom, clip.right, clip.bottom}, DFillMode::Opaque);
    if (clip.left == m_bounds.left)
        renderer.fillRect(kFocusColour, {clip.left, clip.top, clip.left, clip.bottom}, DFillMode::Opaque);
}
