#pragma once
// The renderer of a desktop window: draws like DRendererBitmap and presents a changed
// rectangle by laying the target over an 8 x 8 checkerboard (so transparent page areas
// show it) and handing the composed picture to the window.

#include "engine/render/DDisplay.h"
#include "engine/render/DRendererBitmap.h"

class DRendererComposed : public DRendererBitmap {
public:
    explicit DRendererComposed(DPresentTarget& window) : m_window(window) {}

    int init(DDisplay* display, DProject* project, int width, int height) override;
    void release() override;
    void present(const DRect& rect) override;

    const DBitmap& composed() const { return m_composed; }

private:
    DPresentTarget& m_window;
    DBitmap m_composed;
};
