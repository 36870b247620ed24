#include "editor/views/panes/PaneTreeItems.h"

#include <QTreeWidgetItem>

#include "editor/views/panes/PaneItemData.h"

namespace PaneTreeItems {

void Set(QTreeWidgetItem& item, const QString& text, int32_t image, int32_t data)
{
    if (item.text(0) != text)
        item.setText(0, text);
    if (Image(item) != image || !item.data(0, PaneItemData::kImageRole).isValid())
        item.setData(0, PaneItemData::kImageRole, image);
    if (Data(item) != data || !item.data(0, PaneItemData::kDataRole).isValid())
        item.setData(0, PaneItemData::kDataRole, data);
}

int32_t Data(const QTreeWidgetItem& item) { return item.data(0, PaneItemData::kDataRole).toInt(); }
int32_t Image(const QTreeWidgetItem& item) { return item.data(0, PaneItemData::kImageRole).toInt(); }

} // namespace PaneTreeItems
