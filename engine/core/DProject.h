#pragma once
// The loaded target file at run time: the project header and the page table, the pages
// (read each time they are shown), page switching with the base page, pop-ups and the
// screen saver, input routing, the dirty rectangles of each frame, the time-driven work
// and the queue of deferred actions.

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/core/DFile.h"
#include "foundation/DGeometry.h"
#include "engine/core/DInputSink.h"
#include "engine/tags/DItemDescriptor.h"
#include "engine/core/DObject.h"
#include "foundation/DString.h"
#include "foundation/target/TargetProject.h"

class DAction;
class DBaseObject;
class DDisplay;
class DController;
class DEngineServices;
class DItemObserver;
class DPage;
class DPlatform;
class DRenderer;
class DValue;

class DProject : public DObject, public DInputSink {
public:
    explicit DProject(DPlatform& platform);
    ~DProject() override;

    // Opens and reads the target file and shows its start page; 0 on success. A failure
    // prints its diagnostic line.
    [[nodiscard]] int load(const DString& path);
    // Reads a page's chunk: its header and its widgets.
    int loadPage(DPage& page);
    // Keeps the display and its renderer and initialises every controller in list order.
    [[nodiscard]] int attach(DRenderer* renderer, DDisplay* display);
    void unload();
    DRenderer* renderer() const { return m_renderer; }
    // The display lets go of its renderer.
    void detachRenderer() { m_renderer = nullptr; }

    // The tag controllers, borrowed; a controller's position is the controller index of
    // the tag references that name it (0 system, 1 local, 2 memory).
    void addController(DController& controller) { m_controllers.push_back(&controller); }
    const std::vector<DController*>& controllers() const { return m_controllers; }
    // The value of the item the descriptor names, or null; the item is kept in the descriptor.
    [[nodiscard]] DValue* findTag(DItemDescriptor& descriptor);
    enum class Binding { Unwatch = 0, Watch = 1 };
    // 0, or 1 when the descriptor names no item.
    [[nodiscard]] int bindTag(DItemDescriptor& descriptor, DItemObserver& observer, Binding binding);

    // Each frame: flush the widgets, redraw the dirty rectangles, present their union.
    void render();
    void invalidate(const DRect& rect);
    const std::vector<DRect>& dirtyRectangles() const { return m_dirty; }

    enum class Jump { Relative = 0, Absolute = 1 };
    void showPage(int32_t number, Jump jump);
    void changePageFocus();

    void onPointerDown(DPoint point) override;
    void onPointerMove(DPoint point) override;
    void onPointerUp(DPoint point) override;
    void onKeyDown(uint32_t key) override;
    void onKeyUp(uint32_t key) override;
    void tickTime(uint32_t now);

    // Takes a clone of a page change or reload to run after the frame is drawn.
    void defer(DAction* clone);
    void runDeferred();

    bool isLoaded() const { return m_loaded; }
    DFile* file() const { return m_file.get(); }
    DPlatform& platform() const { return m_platform; }
    // The engine that runs the project, for its actions; null for a project run on its own.
    DEngineServices* services() const { return m_services; }
    void setServices(DEngineServices* services) { m_services = services; }
    const target::ProjectHeader& header() const { return m_header; }
    DSize pageSize() const { return {int32_t(m_header.pageWidth), int32_t(m_header.pageHeight)}; }
    std::size_t pageCount() const { return m_pages.size(); }
    DPage* page(std::size_t index) const { return index < m_pages.size() ? m_pages[index].get() : nullptr; }
    DPage* basePage() const { return m_basePage; }
    DPage* currentPage() const { return m_currentPage; }
    DPage* focusPage() const { return m_focusPage; }
    int32_t currentIndex() const { return m_currentIndex; }
    int32_t previousIndex() const { return m_previousIndex; }
    // 2 while the base page redraws, 1 while the current page redraws, 4 otherwise.
    uint32_t drawingPhase() const { return m_drawingPhase; }
    void setDrawingPhase(uint32_t phase) { m_drawingPhase = phase; }

private:
    void closeFile();
    void redraw(DPage& page, DRect& united);
    // 1 when the press was taken (or swallowed), 0 when nothing was hit.
    int hitTest(DPage& page, DPoint point);
    void moveFocusTo(DPage* page);
    void makeRoomFor(uint32_t pageType);
    // A page that can lie under a pop-up: in the table, not a pop-up, not the base page.
    bool isPageUnderPopup(int32_t index) const;
    void afterInput();
    void restartInactivity();
    int32_t widgetNumberOn(DPage& page, const DBaseObject& primitive) const;

    DPlatform& m_platform;
    DEngineServices* m_services = nullptr;
    std::vector<std::unique_ptr<DPage>> m_pages;
    DRenderer* m_renderer = nullptr;
    DDisplay* m_display = nullptr;
    std::vector<DController*> m_controllers;
    DPage* m_basePage = nullptr;
    DPage* m_currentPage = nullptr;
    DPage* m_focusPage = nullptr;
    int32_t m_currentIndex = -1;
    int32_t m_previousIndex = -1;
    bool m_pointerPressed = false;
    DPoint m_lastPointer{};
    uint32_t m_holdDue = 0;
    bool m_keyPressed = false;
    uint32_t m_lastKey = 0;
    uint32_t m_keyDue = 0;
    std::unique_ptr<DFile> m_file;
    uint32_t m_drawingPhase = 4;
    std::vector<DRect> m_dirty;
    uint32_t m_inactivityDue = 0;
    std::vector<std::unique_ptr<DAction>> m_deferred;
    target::ProjectHeader m_header{};
    bool m_loaded = false;
};
