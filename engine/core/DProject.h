#pragma once
// The loaded target file at run time. The project ties its parts together: the reader
// of the file, the page stack (base page, current page and pop-ups, focus page), the
// input router, the dirty region of each frame and the queue of deferred actions; it
// keeps the tag controllers and does the time work of each frame.

#include <cstdint>
#include <vector>

#include "engine/core/DDeferredActions.h"
#include "engine/core/DDirtyRegion.h"
#include "engine/core/DFile.h"
#include "engine/core/DInputRouter.h"
#include "engine/core/DInputSink.h"
#include "engine/core/DObject.h"
#include "engine/core/DPageStack.h"
#include "engine/core/DProjectReader.h"
#include "engine/tags/DItemDescriptor.h"
#include "foundation/DGeometry.h"
#include "foundation/DString.h"
#include "foundation/target/TargetProject.h"

class DAction;
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
    int loadPage(DPage& page) { return m_reader.loadPage(page); }
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
    void invalidate(const DRect& rect) { m_dirty.invalidate(rect); }
    const std::vector<DRect>& dirtyRectangles() const { return m_dirty.rectangles(); }

    using Jump = DPageJump;
    void showPage(int32_t number, Jump jump) { m_pages.showPage(number, jump); }
    void changePageFocus() { m_pages.changePageFocus(); }

    // The input router takes the input; then the screen saver goes or its time-out restarts.
    void onPointerDown(DPoint point) override { routed(&DInputRouter::onPointerDown, point); }
    void onPointerMove(DPoint point) override { routed(&DInputRouter::onPointerMove, point); }
    void onPointerUp(DPoint point) override { routed(&DInputRouter::onPointerUp, point); }
    void onKeyDown(uint32_t key) override { routed(&DInputRouter::onKeyDown, key); }
    void onKeyUp(uint32_t key) override { routed(&DInputRouter::onKeyUp, key); }
    // The screen-saver time-out, pointer hold and key repeat, then the pages' ticks.
    void tickTime(uint32_t now);
    // The screen saver waits the header's time-out from now again.
    void restartInactivity();

    // Takes a clone of a page change or reload to run after the frame is drawn.
    void defer(std::unique_ptr<DAction> clone);
    void runDeferred() { m_deferred.run(); }

    bool isLoaded() const { return m_loaded; }
    DFile* file() const { return m_reader.file(); }
    DPlatform& platform() const { return m_platform; }
    // The engine that runs the project, for its actions; null for a project run on its own.
    DEngineServices* services() const { return m_services; }
    void setServices(DEngineServices* services) { m_services = services; }
    const target::ProjectHeader& header() const { return m_reader.header(); }
    DSize pageSize() const { return {int32_t(header().pageWidth), int32_t(header().pageHeight)}; }
    std::size_t pageCount() const { return m_pages.count(); }
    DPage* page(std::size_t index) const { return m_pages.page(index); }
    DPage* basePage() const { return m_pages.basePage(); }
    DPage* currentPage() const { return m_pages.currentPage(); }
    DPage* focusPage() const { return m_pages.focusPage(); }
    int32_t currentIndex() const { return m_pages.currentIndex(); }
    int32_t previousIndex() const { return m_pages.previousIndex(); }
    // 2 while the base page redraws, 1 while the current page redraws, 4 otherwise.
    uint32_t drawingPhase() const { return m_drawingPhase; }
    void setDrawingPhase(uint32_t phase) { m_drawingPhase = phase; }

private:
    // Display size and layer, and the input origin, from the project header.
    void applyHeader();
    template <class Input>
    void routed(void (DInputRouter::*handler)(Input), Input input)
    {
        (m_input.*handler)(input);
        afterInput();
    }
    void afterInput();

    DPlatform& m_platform;
    DEngineServices* m_services = nullptr;
    DRenderer* m_renderer = nullptr;
    DDisplay* m_display = nullptr;
    std::vector<DController*> m_controllers;
    DPageStack m_pages{*this};
    DProjectReader m_reader{*this, m_pages};
    DInputRouter m_input{m_pages};
    DDirtyRegion m_dirty;
    DDeferredActions m_deferred;
    uint32_t m_drawingPhase = 4;
    uint32_t m_inactivityDue = 0;
    bool m_loaded = false;
};
