#pragma once
// A display without a window: it keeps the loop going for a set number of frames and
// records what it was asked to do, so the runtime can be tested headless. With drawing
// on, it draws into a software target and records every presented rectangle.

#include <memory>
#include <vector>

#include "engine/render/DDisplay.h"

class DRendererBitmap;

class DDisplay_Null : public DDisplay {
public:
    enum class Drawing { None, Software };

    // frames: how many times processMessages() answers non-zero.
    explicit DDisplay_Null(int frames, Drawing drawing = Drawing::None);
    ~DDisplay_Null() override;

    int open(DProject* project, int width, int height) override;
    void close() override;
    int processMessages() override;
    int setSize(DSize size) override;
    DBitmap* targetBitmap() override;
    DRenderer* renderer() override;

    bool isOpen() const { return m_open; }
    int width() const { return m_size.width; }
    int height() const { return m_size.height; }
    int messagePasses() const { return m_passes; }
    DProject* project() const { return m_project; }
    const std::vector<DRect>& presented() const;

private:
    int m_framesLeft;
    int m_passes = 0;
    bool m_open = false;
    DProject* m_project = nullptr;
    std::unique_ptr<DRendererBitmap> m_renderer;
};
