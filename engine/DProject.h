#pragma once
// The running project: the target file, its pages and the input routed to them.

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/DFile.h"
#include "engine/DGeometry.h"
#include "engine/DItemDescriptor.h"
#include "engine/DObject.h"
#include "foundation/DString.h"

class DController;
class DItemObserver;
class DPlatform;
class DRenderer;
class DValue;

class DProject : public DObject {
public:
    explicit DProject(DPlatform& platform) : m_platform(platform) {}
    ~DProject() override;

    // Opens and reads the target file; 0 on success. A failure prints its diagnostic line.
    [[nodiscard]] int load(const DString& path);
    // Keeps the display's renderer and initialises every controller in list order; 0 on success.
    [[nodiscard]] int attach(DRenderer* renderer);
    // Closes the file and releases every controller's items; the controllers stay listed.
    void unload();

    DRenderer* renderer() const { return m_renderer; }
    // The display lets go of its renderer.
    void detachRenderer() { m_renderer = nullptr; }
    // 2 while the base page redraws, 1 while the current page redraws, 4 otherwise.
    uint32_t drawingPhase() const { return m_drawingPhase; }
    void setDrawingPhase(uint32_t phase) { m_drawingPhase = phase; }
    // The tag controllers, borrowed; a controller's position is the controller index of
    // the tag references that name it (0 system, 1 local, 2 memory).
    void addController(DController& controller) { m_controllers.push_back(&controller); }
    const std::vector<DController*>& controllers() const { return m_controllers; }
    // The value of the item the descriptor names, or null (no tag, no such controller,
    // no such item); the item found is kept in the descriptor. Whoever changes the value
    // marks it written.
    [[nodiscard]] DValue* findTag(DItemDescriptor& descriptor);
    // Watch: the observer is told of every change of the item; Unwatch takes it off.
    enum class Binding { Unwatch = 0, Watch = 1 };
    // 0, or 1 when the descriptor names no item.
    [[nodiscard]] int bindTag(DItemDescriptor& descriptor, DItemObserver& observer, Binding binding);

    // The page on top, -1 before the first page.
    int32_t currentIndex() const { return m_currentIndex; }

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
    void closeFile();

    DPlatform& m_platform;
    std::vector<DController*> m_controllers;
    std::unique_ptr<DFile> m_file;
    int32_t m_currentIndex = -1;
    uint32_t m_lastTick = 0;
    uint32_t m_lastKeyDown = 0;
    uint32_t m_lastKeyUp = 0;
    DPoint m_lastPointer{};
    int m_pointerEvents = 0;
    DRenderer* m_renderer = nullptr;
    uint32_t m_drawingPhase = 4;
};
