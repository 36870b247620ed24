#pragma once
// A drawing primitive: a small rectangle of a widget that draws itself into dirty
// rectangles and relays pointer events to its widget. A page keeps its primitives in
// one flat list in file order; the widget that created a primitive owns it.

#include <cstdint>

#include "engine/render/DBitmap.h"
#include "engine/render/DRenderer.h"
#include "foundation/DGeometry.h"
#include "engine/core/DObject.h"
#include "foundation/target/TargetElement.h"

class DCompositeObject;
class DFile;
class DPage;

class DBaseObject : public DObject {
public:
    // Flag bits of the primitive record.
    static constexpr uint32_t kGreyDraw = target::kElementFlagGreyscale;
    static constexpr uint32_t kVisible = target::kElementFlagVisible;
    static constexpr uint32_t kTouchable = target::kElementFlagTouchable;
    static constexpr uint32_t kFocusTracking = target::kElementFlagFocusTracking;

    // The focus frame's colour.
    static constexpr DColor kFocusColour = 0xFF8080FFu;

    DBaseObject(uint32_t typeId, DCompositeObject* owner, DPage* page);
    ~DBaseObject() override = default;

    // Reads one primitive record at the file's position and creates its kind; none for a
    // kind without a class (then nothing more is read). The file ends past the record.
    [[nodiscard]] static DBaseObject* create(DCompositeObject* owner, DPage* page, DFile& file);

    virtual void draw(DRenderer& renderer, const DRect& dirty) = 0;
    virtual void onPointerDown(DPoint point);
    virtual void onPointerMove(DPoint point);
    virtual void onPointerUp(DPoint point);
    virtual void onPointerHold(DPoint point);
    // The six common words; a kind reads its own words after them.
    [[nodiscard]] virtual int load(DFile& file);
    virtual void resolveBitmap(DRenderer&) {}

    uint32_t typeId() const { return m_typeId; }
    uint32_t flags() const { return m_flags; }
    bool isVisible() const { return m_flags & kVisible; }
    bool isTouchable() const { return m_flags & kTouchable; }
    const DRect& bounds() const { return m_bounds; }
    const DRect& visibleRect() const { return m_visibleRect; }
    DCompositeObject* owner() const { return m_owner; }
    DPage* page() const { return m_page; }
    void setPage(DPage* page) { m_page = page; }
    bool isFocused() const { return m_focused; }
    void setFocused(bool focused) { m_focused = focused; }
    bool isDirty() const { return m_dirty; }
    void setDirty(bool dirty) { m_dirty = dirty; }

    // Narrows the drawn part of the bounds; marks only the strip that changed.
    void setVisibleRect(const DRect& requested);
    // Moves the primitive (bounds and visible part) so its top-left is at topLeft; the
    // old and the new place are marked dirty.
    void moveTo(DPoint topLeft);
    // Marks a rectangle of the page dirty.
    void invalidate(const DRect& rect) const;
    void invalidate() const { invalidate(m_bounds); }

    // The draw mode handed to the renderer: a grey primitive is copied, not blended.
    uint32_t drawFlags() const
    {
        return (m_focused ? DDrawMode::Focused : 0u) | ((m_flags & kGreyDraw) ? DDrawMode::Copy : 0u);
    }

protected:
    // The one-pixel focus frame along the bounds' edges that lie inside clip.
    void drawFocusFrame(DRenderer& renderer, const DRect& clip) const;

    uint32_t m_typeId;
    uint32_t m_flags = 0;
    bool m_focused = false;
    bool m_dirty = false;
    uint32_t m_extra = 0;
    DRect m_bounds{};
    DRect m_visibleRect{};
    DCompositeObject* m_owner;
    DPage* m_page;
};
