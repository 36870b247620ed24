#pragma once
// A window (the bounds) onto a content rectangle that moves by a scroll position:
// clamped to the content's edges, or repeating with a period.

#include "engine/primitives/DBaseObject_UnscaledBitmap.h"

class DBaseObject_ScrollingBitmap : public DBaseObject_UnscaledBitmap {
public:
    enum Mode : uint32_t { Clamped = 1, Wrapping = 2 };

    using DBaseObject_UnscaledBitmap::DBaseObject_UnscaledBitmap;

    void draw(DRenderer& renderer, const DRect& dirty) override;
    // The common words and the scroll mode; the content starts as the window.
    [[nodiscard]] int load(DFile& file) override;

    // Does nothing when the position is the current one; otherwise wraps or clamps it,
    // moves the content and marks the bounds dirty.
    void setScrollPosition(DPoint position);
    // The content's size; its top-left corner is the window's minus the scroll position.
    void setContentSize(DSize size) { m_contentSize = size; }
    void setWrapPeriod(DSize period) { m_period = period; }
    void setMargins(DSize margins) { m_margins = margins; }

    uint32_t mode() const { return m_mode; }
    DPoint scrollPosition() const { return m_scroll; }
    DRect content() const;
    DSize contentSize() const { return m_contentSize; }
    DSize wrapPeriod() const { return m_period; }
    int64_t windowWidth() const { return m_bounds.width(); }
    int64_t windowHeight() const { return m_bounds.height(); }
    // The content repeats along y (along x) with its period.
    bool wrapsVertically() const;
    bool wrapsHorizontally() const;

protected:
    // Wraps or clamps the position, moves the content and marks the bounds dirty even
    // when nothing changed; true when the stored position changed.
    bool applyScrollPosition(int64_t x, int64_t y);

    uint32_t m_mode = 0;
    DPoint m_scroll{};
    DSize m_period{};
    DSize m_margins{};
    DSize m_contentSize{};
};
