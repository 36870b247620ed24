#pragma once
// What the diagram model asks of the editor around it: the objects pane, the ribbon's
// undo lists, the project's modified mark and the entity context menu. The editor
// installs its own host; the default does nothing, so the model runs headless.

#include <cstdint>
#include <span>
#include <string>

#include "diagram/CommandId.h"

class CDiagramEntity;
class CDiagramEntityContainer;
class CDiagramWindow; // a window of the editing view, opaque to the model

// One line of the entity context menu; command 0 is a separator.
struct CEntityPopupItem {
    int32_t command;
    const char16_t* caption;
};

class CDiagramHost {
public:
    virtual ~CDiagramHost() = default;

    // The current project's modified mark (the container keeps its own).
    virtual void SetProjectModified() {}
    // The objects pane shows the current selection of the active page.
    virtual void ShowSelection() {}
    // The objects pane rebuilds the tree of the active page.
    virtual void RefreshObjects(CDiagramEntityContainer& /*container*/) {}
    // An entity leaves the container (deleted or handed out); whatever points at it
    // (the objects pane's tree) lets go before it goes.
    virtual void EntityRemoved(CDiagramEntityContainer& /*container*/, const CDiagramEntity& /*entity*/) {}
    // The ribbon's undo or redo button lists these labels, newest first.
    virtual void UpdateUndoButtonList(CommandId /*command*/, std::span<const std::u16string> /*labels*/) {}
    // Tracks an entity's context menu at a client point of parent; the chosen command
    // goes to parent. The default lets the window show it.
    virtual void TrackPopup(std::span<const CEntityPopupItem> items, int32_t x, int32_t y, CDiagramWindow* parent);
    // The main frame refreshes its property panes from the selection.
    virtual void RefreshPropertyPanes() {}
    // Milliseconds of a monotonic clock, wrapping at 32 bits.
    virtual uint32_t TickCount();

    // The host in use: the installed one, or the do-nothing default.
    static CDiagramHost& Get();
    // Installs a host (none restores the default); the caller keeps it alive.
    static void Set(CDiagramHost* host);
};
