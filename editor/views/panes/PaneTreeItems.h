#pragma once
// Reading and writing the pane trees' items: text, picture and data are written only
// where they differ, so a rebuild repaints what changed. An item's icon is its picture
// of the pane's strip with its overlay drawn over it.

#include <QString>
#include <cstdint>

#include "editor/views/icons/CEditorIcons.h"
#include "editor/views/panes/PaneItemData.h"

class QTreeWidgetItem;

namespace PaneTreeItems {

// A tree's pictures are this many pixels a side.
inline constexpr int kIconSize = 16;
// An item without a picture.
inline constexpr int32_t kNoImage = -1;

void Set(QTreeWidgetItem& item, const QString& text, IconStrip strip, int32_t image, int32_t data);
void SetOverlay(QTreeWidgetItem& item, IconStrip strip, PaneItemData::Overlay overlay);
int32_t Data(const QTreeWidgetItem& item);
int32_t Image(const QTreeWidgetItem& item);
PaneItemData::Overlay GetOverlay(const QTreeWidgetItem& item);

} // namespace PaneTreeItems
