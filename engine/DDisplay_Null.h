#pragma once
// A display without a window: it keeps the loop going for a set number of frames and
// records what it was asked to do, so the runtime can be tested headless.

#include "engine/DDisplay.h"

class DDisplay_Null : public DDisplay {
public:
    // frames: how many times processMessages() answers non-zero.
    explicit DDisplay_Null(int frames) : m_framesLeft(frames) {}

    int open(DProject* project, int width, int height) override;
    void close() override { m_open = false; }
    int processMessages() override;
    int setSize(DSize size) override
    {
        m_size = size;
        m_width = size.width;
        m_height = size.height;
        return 0;
    }

    bool isOpen() const { return m_open; }
    int width() const { return m_width; }
    int height() const { return m_height; }
    int messagePasses() const { return m_passes; }
    DProject* project() const { return m_project; }

private:
    int m_framesLeft;
    int m_passes = 0;
    int m_width = 0;
    int m_height = 0;
    bool m_open = false;
    DProject* m_project = nullptr;
};
