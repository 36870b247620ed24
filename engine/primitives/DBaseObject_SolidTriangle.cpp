#include "engine/primitives/DBaseObject_SolidTriangle.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "engine/render/DRenderer.h"
#include "engine/primitives/DWidgetMath.h"

DBaseObject_SolidTriangle::Corners DBaseObject_SolidTriangle::cornersOf(double angle, int32_t halfWidth, int32_t length,
                                                                        DPoint pivot, int32_t tipRadius)
{
    const double sine = std::sin(angle), cosine = std::cos(angle);
    const double h = halfWidth, back = double(length) - tipRadius, r = tipRadius;
    const auto at = [&](double dx, double dy) {
        return DPoint{toCoordinate(double(pivot.x) + dx), toCoordinate(double(pivot.y) + dy)};
    };
    return {at(-r * sine, r * cosine), at(-h * cosine + back * sine, -h * sine - back * cosine),
            at(h * cosine + back * sine, h * sine - back * cosine)};
}

DRect DBaseObject_SolidTriangle::boxOf(const Corners& corners) const
{
    const DRect box{std::min({corners.tip.x, corners.first.x, corners.second.x}),
                    std::min({corners.tip.y, corners.first.y, corners.second.y}),
                    std::max({corners.tip.x, corners.first.x, corners.second.x}),
                    std::max({corners.tip.y, corners.first.y, corners.second.y})};
    const DRect local{0, 0, int32_t(std::clamp<int64_t>(m_bounds.width() - 1, 0, INT32_MAX)),
                      int32_t(std::clamp<int64_t>(m_bounds.height() - 1, 0, INT32_MAX))};
    return box.intersected(local);
}

void DBaseObject_SolidTriangle::setColour(DColor colour)
{
    if (colour == m_colour)
        return;
    m_colour = colour;
    m_dirty = true;
    invalidate();
}

void DBaseObject_SolidTriangle::setNeedle(double angle, const Needle& needle)
{
    if (angle == m_angle && needle == m_needle)
        return;
    m_angle = angle;
    m_needle = needle;
    m_dirty = true;
    const DRect box = boxOf(cornersOf(angle, needle.baseWidth / 2, needle.length, needle.pivot, needle.tipRadius));
    const DRect changed = m_box.united(box);
    m_box = box;
    invalidate({toCoordinate(int64_t(m_bounds.left) + changed.left), toCoordinate(int64_t(m_bounds.top) + changed.top),
                toCoordinate(int64_t(m_bounds.left) + changed.right), toCoordinate(int64_t(m_bounds.top) + changed.bottom)});
}

void DBaseObject_SolidTriangle::draw(DRenderer& renderer, const DRect& dirty)
{
    bool fresh = false;
    DBitmap* picture = m_picture.ensure(renderer, m_bounds, m_page, fresh);
    if (!picture)
        return;
    if (m_dirty || fresh) {
        renderer.fillRectOn(picture, 0, picture->bounds(), DFillMode::Opaque);
        const int32_t half = m_needle.baseWidth / 2;
        const DColor rim = (m_colour & 0x00FFFFFFu) | uint32_t(alphaOf(m_colour) >> 1) << 24;
        // The renderer walks only the rows and columns inside the picture.
        const Corners outer = cornersOf(m_angle, half, m_needle.length, m_needle.pivot, m_needle.tipRadius);
        renderer.fillTriangle(picture, rim, outer.tip, outer.first, outer.second);
        const Corners inner = cornersOf(m_angle, half - 1, m_needle.length - 6, m_needle.pivot,
                                        m_needle.tipRadius - 5);
        renderer.fillTriangle(picture, m_colour, inner.tip, inner.first, inner.second);
        m_dirty = false;
    }
    m_bitmap = picture;
    DBaseObject_UnscaledBitmap::draw(renderer, dirty);
}
