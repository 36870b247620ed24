#pragma once
// Takes the panel's pointer and keys to the pages: a press goes to the primitive it hits
// on the current page, else on the base page, which then captures the pointer; keys go
// to the focus page's focused widget. A held pointer or key repeats on the clock.

#include <cstdint>

#include "foundation/DGeometry.h"

class DPage;
class DPageStack;

class DInputRouter {
public:
    explicit DInputRouter(DPageStack& pages) : m_pages(pages) {}

    // Nothing is held any more.
    void release();

    void onPointerDown(DPoint point);
    void onPointerMove(DPoint point);
    void onPointerUp(DPoint point);
    void onKeyDown(uint32_t key);
    void onKeyUp(uint32_t key);
    // A held pointer or key repeats first after holdFirst, then every holdRepeat milliseconds.
    void tick(uint32_t now, uint32_t holdFirst, uint32_t holdRepeat);

private:
    // Due times of a held pointer or key; 0 until the first tick after the press.
    struct Hold {
        bool pressed = false;
        uint32_t due = 0;
        void press()
        {
            pressed = true;
            due = 0;
        }
        // Fires when the hold repeats now; the next repeat is due after the fire.
        template <class Fire>
        void tick(uint32_t now, uint32_t first, uint32_t repeat, Fire fire)
        {
            if (!pressed)
                return;
            if (due == 0) {
                due = now + first;
            } else if (int32_t(now - due) > 0) { // by signed difference: the 32-bit clock may wrap
                fire();
                due += repeat;
            }
        }
    };

    // 1 when the press was taken (or swallowed), 0 when nothing was hit.
    int hitTest(DPage& page, DPoint point);

    DPageStack& m_pages;
    Hold m_pointer;
    DPoint m_lastPointer{};
    Hold m_key;
    uint32_t m_lastKey = 0;
};
