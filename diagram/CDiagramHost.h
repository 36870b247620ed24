#pragma once
// What the diagram model asks of the editor around it: the objects pane, the ribbon's
// undo lists, the project's modified mark and the entity context menu. The running
// editor installs its main frame's connection once at start-up; a program without views
// installs its headless connection. A call that finds no host stops a debug build.

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

    // The current project's modified mark and stale target (the container keeps its own).
    virtual void SetProjectModified() = 0;
    // The objects pane shows the current selection of the active page.
    virtual void ShowSelection() = 0;
    // The objects pane rebuilds the tree of the active page.
    virtual void RefreshObjects(CDiagramEntityContainer& container) = 0;
    // An entity leaves the container (deleted or handed out); whatever points at it
    // (the objects pane's tree) lets go before it goes.
    virtual void EntityRemoved(CDiagramEntityContainer& container, const CDiagramEntity& entity) = 0;
    // The ribbon's undo or redo button lists these labels, newest first.
    virtual void UpdateUndoButtonList(CommandId command, std::span<const std::u16string> labels) = 0;
    // Tracks an entity's context menu at a client point of parent; the chosen command
    // goes to parent. Here the window shows it.
    virtual void TrackPopup(std::span<const CEntityPopupItem> items, int32_t x, int32_t y, CDiagramWindow* parent);
    // The main frame refreshes its property panes from the selection.
    virtual void RefreshPropertyPanes() = 0;
    // Milliseconds of a monotonic clock, wrapping at 32 bits.
    virtual uint32_t TickCount();

    // The host installed; a debug build stops when there is none.
    static CDiagramHost& Get();
    // Installs host (none uninstalls) and answers the one it replaces.
    static CDiagramHost* Set(CDiagramHost* host);
    static bool IsInstalled();
};
