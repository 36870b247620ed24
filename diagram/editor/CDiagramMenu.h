#pragma once
// The canvas context menu shown when a right click does not land on exactly one
// selected entity: clipboard and grouping commands, greyed where they cannot act.

#include <span>
#include <vector>

#include "diagram/editor/CDiagramWindow.h"

class CDiagramEditor;

class CDiagramMenu {
public:
    virtual ~CDiagramMenu() = default;
    // The lines in order, each enabled as the editor's state allows.
    virtual std::vector<CDiagramMenuItem> GetItems(const CDiagramEditor& editor) const;
    // The lines as they stand before their enabled states are set.
    static std::span<const CDiagramMenuItem> Layout();
};
