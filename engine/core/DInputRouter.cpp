#include "engine/core/DInputRouter.h"

#include <vector>

#include "engine/core/DPage.h"
#include "engine/core/DPageStack.h"
#include "engine/primitives/DBaseObject.h"
#include "engine/widgets/DCompositeObject.h"
#include "foundation/target/TargetActions.h"

namespace {

// The widget's number in the page's focus order: one of the page under a pop-up sits
// behind the pop-up's own widgets.
int32_t widgetNumberOn(DPage& page, const DBaseObject& primitive)
{
    int32_t number = primitive.owner()->index();
    if (primitive.owner()->page() != &page)
        number += int32_t(page.widgets().size());
    return number;
}

} // namespace

void DInputRouter::release()
{
    m_pointer.pressed = false;
    m_key.pressed = false;
}

int DInputRouter::hitTest(DPage& page, DPoint point)
{
    DBaseObject* captured = page.capture();
    if (!page.isPressed() && captured)
        return 1;
    const DCompositeObject* capturedWidget = captured ? captured->owner() : nullptr;
    // The pop-up's own primitives, topmost first, then those of the page under it.
    DPage* const layers[] = {&page, page.pageUnder()};
    DBaseObject* hit = nullptr;
    for (DPage* layer : layers) {
        if (!layer || hit)
            continue;
        for (DBaseObject* primitive : layer->primitives()) {
            if (!primitive->owner() || primitive->owner() == capturedWidget)
                continue;
            if (captured && !primitive->owner()->slidesOn())
                continue;
            if (layer != &page && page.type() == DPage::Dialog)
                return 1; // a dialog blocks the page below it
            if (primitive->isTouchable() && primitive->bounds().contains(point)) {
                hit = primitive;
                break;
            }
        }
    }
    if (!hit)
        return 0;
    page.setFocus(widgetNumberOn(page, *hit));
    if (captured)
        captured->onPointerUp(point);
    hit->onPointerDown(point);
    page.setCapture(hit);
    page.setPressed(true);
    return 1;
}

void DInputRouter::onPointerDown(DPoint point)
{
    if (DPage* current = m_pages.currentPage()) {
        DPage* base = m_pages.basePage();
        DPage* hitPage = nullptr;
        if (hitTest(*current, point))
            hitPage = current;
        else if (base && base != current && hitTest(*base, point))
            hitPage = base;
        if (hitPage && hitPage != m_pages.focusPage())
            m_pages.moveFocusTo(hitPage);
    }
    m_pointer.press();
    m_lastPointer = point;
}

void DInputRouter::onPointerMove(DPoint point)
{
    m_lastPointer = point;
    DPage* page = m_pages.focusPage();
    if (page && page->capture()) {
        DBaseObject* captured = page->capture();
        if (!page->isPressed() || !captured->owner() || !captured->owner()->slidesOn())
            captured->onPointerMove(point);
        else if (!hitTest(*page, point))
            captured->onPointerMove(point);
    }
}

void DInputRouter::onPointerUp(DPoint point)
{
    m_pointer.pressed = false;
    if (DPage* page = m_pages.focusPage()) {
        if (DBaseObject* captured = page->capture()) {
            // Released first, so the widget's release is no longer inside a capture.
            page->setCapture(nullptr);
            page->setPressed(false);
            captured->onPointerUp(point);
        }
        const int32_t pressed = page->pressedIndex();
        if (pressed != -1 && pressed != page->focusIndex()) {
            if (DCompositeObject* widget = page->widgetAt(std::size_t(pressed)))
                widget->setFocus(0);
            page->setPressedIndex(-1);
        }
    }
}

void DInputRouter::onKeyDown(uint32_t key)
{
    if (DPage* page = m_pages.focusPage()) {
        if (DCompositeObject* widget = page->focusedWidget())
            widget->onKey(key);
        if (key == uint32_t(target::KeyCode::Enter) || key == uint32_t(target::KeyCode::Escape))
            page->setPressedIndex(-1);
    }
    m_key.press();
    m_lastKey = key;
}

void DInputRouter::onKeyUp(uint32_t key)
{
    m_key.pressed = false;
    if (DPage* page = m_pages.focusPage())
        if (DCompositeObject* widget = page->focusedWidget())
            widget->onKeyUp(key);
}

void DInputRouter::tick(uint32_t now, uint32_t holdFirst, uint32_t holdRepeat)
{
    m_pointer.tick(now, holdFirst, holdRepeat, [this] {
        if (DPage* page = m_pages.focusPage(); page && page->capture())
            page->capture()->onPointerHold(m_lastPointer);
    });
    m_key.tick(now, holdFirst, holdRepeat, [this] {
        if (DPage* page = m_pages.focusPage())
            if (DCompositeObject* widget = page->focusedWidget())
                widget->onKeyHold(m_lastKey);
    });
}
