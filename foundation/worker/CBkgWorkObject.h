#pragma once
// The base of everything the background worker renders: a lock the worker and the
// user-interface thread share, the Render operation, and what the worker asks and tells
// the object around it.

#include <cstdint>
#include <mutex>
#include <optional>

#include "foundation/DGeometry.h"

class CBkgWorkItem;

// What the page view showing an object is doing, for the resize deferral.
enum class ViewInteraction { Other, Resize };

struct CBkgViewActivity {
    ViewInteraction interaction = ViewInteraction::Other;
    uint32_t lastInteractionTick = 0;   // milliseconds of the worker's clock
};

class CBkgWorkObject {
public:
    CBkgWorkObject() = default;
    // Waits for a Render in progress to end before the object goes.
    virtual ~CBkgWorkObject();
    CBkgWorkObject(const CBkgWorkObject&) = delete;
    CBkgWorkObject& operator=(const CBkgWorkObject&) = delete;

    virtual void Lock();
    virtual void Unlock();
    virtual bool TryLock();
    // Draws the object's picture; runs on the worker thread under the object's lock.
    virtual uint32_t Render(CBkgWorkItem& item) = 0;

    // The size of the object's integer rectangle.
    virtual DSize GetWorkSize() const = 0;
    // Whether the drawing may be put off while the object is being resized.
    virtual bool CanDeferRender() const { return true; }
    // The page view showing the object, when its parent window is one.
    virtual std::optional<CBkgViewActivity> GetViewActivity() const { return std::nullopt; }
    // After an item, rendered or not, on the worker thread under the object's lock: the
    // cached picture is stale and the pending-work flag cleared.
    virtual void OnWorkDone(CBkgWorkItem& /*item*/) {}
    // On the user-interface thread, by a queued call after OnWorkDone: repaint the object.
    virtual void RepaintView() {}

private:
    std::recursive_mutex m_section;
};
