#pragma once
// The running project: the target file, its pages and the input routed to them.

#include <cstdint>
#include <memory>

#include "engine/DFile.h"
#include "engine/DGeometry.h"
#include "engine/DObject.h"
#include "foundation/DString.h"

class DPlatform;
class DRenderer;

class DProject : public DObject {
public:
    explicit DProject(DPlatform& platform) : m_platform(platform) {}
    ~DProject() override;

    // Opens and reads the target file; 0 on success. A failure prints its diagnostic line.
    [[nodiscard]] int load(const DString& path);
    void unload();

    // Keeps the display's renderer; the file object and the controllers start afresh.
    int attach(DRenderer* renderer)
    {
        m_renderer = renderer;
        return 0;
    }
    DRenderer* renderer() const { return m_renderer; }
    // 2 while the base page redraws, 1 while the current page redraws, 4 otherwise.
    uint32_t drawingPhase() const { return m_drawingPhase; }
    void setDrawingPhase(uint32_t phase) { m_drawingPhase = phase; }

    void render() {}
    void runDeferred() {}
    void tickTime(uint32_t now) { m_lastTick = now; }
    void onPointerDown(DPoint point) { m_lastPointer = point; ++m_pointerEvents; }
    void onPointerMove(DPoint point) { m_lastPointer = point; ++m_pointerEvents; }
    void onPointerUp(DPoint point) { m_lastPointer = point; ++m_pointerEvents; }
    void onKeyDown(uint32_t key) { m_lastKeyDown = key; }
    void onKeyUp(uint32_t key) { m_lastKeyUp = key; }

    uint32_t lastTick() const { return m_lastTick; }
    uint32_t lastKeyDown() const { return m_lastKeyDown; }
    uint32_t lastKeyUp() const { return m_lastKeyUp; }
    DPoint lastPointer() const { return m_lastPointer; }
    int pointerEvents() const { return m_pointerEvents; }

private:
    DPlatform& m_platform;
    std::unique_ptr<DFile> m_file;
    uint32_t m_lastTick = 0;
    uint32_t m_lastKeyDown = 0;
    uint32_t m_lastKeyUp = 0;
    DPoint m_lastPointer{};
    int m_pointerEvents = 0;
    DRenderer* m_renderer = nullptr;
    uint32_t m_drawingPhase = 4;
};
