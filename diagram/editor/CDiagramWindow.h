#pragma once
// What the diagram editor asks of the window that shows it. The editor runs without
// one (headless tests and benchmarks): then nothing is shown and nothing asked.

#include <cstdint>
#include <span>
#include <string_view>

#include "diagram/CDiagramHost.h"
#include "diagram/DiagramGeometry.h"

// One line of a context menu; command 0 is a separator.
struct CDiagramMenuItem {
    int32_t command = 0;
    const char16_t* caption = u"";
    bool enabled = true;
};

class CDiagramWindow {
public:
    virtual ~CDiagramWindow() = default;

    // A client rectangle (right and bottom outside) needs painting again.
    virtual void InvalidateRect(const CDiagramRect& /*clientRect*/) {}
    // Scroll ranges, pages or positions changed; the window lays its bars out again.
    virtual void ScrollLayoutChanged() {}
    // The 10 ms panning timer runs while on; each tick calls the editor's OnPanTimer.
    virtual void SetPanTimer(bool /*running*/) {}
    // Shows a context menu at a client point; the chosen command goes to the editor's
    // OnCommand.
    virtual void TrackMenu(std::span<const CDiagramMenuItem> /*items*/, CDiagramPoint /*clientPoint*/) {}
    // An entity's own context menu, every line enabled.
    void TrackPopup(std::span<const CEntityPopupItem> items, CDiagramPoint clientPoint);
    // An information message.
    virtual void ShowMessage(std::u16string_view /*text*/) {}
};
