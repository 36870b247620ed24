#pragma once
// Reading and writing the pane trees' items: text, image and data are written only
// where they differ, so a rebuild repaints what changed.

#include <QString>
#include <cstdint>

class QTreeWidgetItem;

namespace PaneTreeItems {

void Set(QTreeWidgetItem& item, const QString& text, int32_t image, int32_t data);
int32_t Data(const QTreeWidgetItem& item);
int32_t Image(const QTreeWidgetItem& item);

} // namespace PaneTreeItems
