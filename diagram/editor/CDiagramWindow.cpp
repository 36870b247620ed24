#include "diagram/editor/CDiagramWindow.h"

#include <vector>

void CDiagramWindow::TrackPopup(std::span<const CEntityPopupItem> items, CDiagramPoint clientPoint)
{
    std::vector<CDiagramMenuItem> lines;
    lines.reserve(items.size());
    for (const CEntityPopupItem& item : items)
        lines.push_back({item.command, item.caption, true});
    TrackMenu(lines, clientPoint);
}
