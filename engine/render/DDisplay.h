#pragma once
// The window the engine draws into and takes its input from. The layer operations stand
// for a hardware overlay of the panel; a desktop display has none.

#include <cstdint>

#include "foundation/DGeometry.h"
#include "engine/core/DObject.h"

class DBitmap;
class DProject;
class DRenderer;

class DDisplay : public DObject {
public:
    // Creates the window of width by height and attaches the project; 0 on success.
    [[nodiscard]] virtual int open(DProject* project, int width, int height) = 0;
    virtual void close() = 0;
    virtual int setLayerVisible(int) { return 1; }
    // Resizes the client area to the page size; 0 on success, 1 keeps the old size.
    [[nodiscard]] virtual int setSize(DSize size) = 0;
    virtual int setLayerOrigin(DPoint) { return 1; }
    [[nodiscard]] int resize(DSize size) { return setSize(size); }
    virtual int setLayerX(int32_t, int32_t) { return 1; }
    virtual int setLayerY(int32_t, int32_t) { return 1; }
    virtual int showLayer(int32_t, int) { return 0; }
    // Handles every queued message and delivers its input; 0 once the window is gone.
    [[nodiscard]] virtual int processMessages() = 0;
    virtual DBitmap* targetBitmap() { return nullptr; }
    virtual DRenderer* renderer() { return nullptr; }
    DSize size() const { return m_size; }

protected:
    DSize m_size{640, 480};
};

// Where a renderer hands the composed picture of a presented rectangle.
class DPresentTarget {
public:
    virtual ~DPresentTarget() = default;
    // composed holds premultiplied ARGB pixels of the whole display; only rect changed.
    virtual void presentPixels(const DBitmap& composed, const DRect& rect) = 0;
};
