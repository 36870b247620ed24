#include "editor/views/panes/PaneTreeItems.h"

#include <QPainter>
#include <QPixmap>
#include <QTreeWidgetItem>
#include <array>

#include "editor/views/panes/CPaneTree.h"

namespace PaneTreeItems {

namespace {

// The overlays' pictures in the strip, by overlay number.
constexpr std::array<int, 3> kOverlayImages{CEditorIcons::kScriptOverlay, CEditorIcons::kLockOverlay,
                                            CEditorIcons::kThirdOverlay};

void refreshIcon(QTreeWidgetItem& item, IconStrip strip)
{
    const int32_t image = Image(item);
    const int overlay = int(GetOverlay(item));
    QIcon icon = image == kNoImage ? QIcon() : CEditorIcons::Icon(strip, image);
    if (overlay > 0 && overlay <= int(kOverlayImages.size())) {
        QPixmap picture = icon.isNull() ? QPixmap(kIconSize, kIconSize) : icon.pixmap(kIconSize, kIconSize);
        if (icon.isNull())
            picture.fill(Qt::transparent);
        QPainter painter(&picture);
        CEditorIcons::Icon(strip, kOverlayImages[std::size_t(overlay - 1)]).paint(&painter, picture.rect());
        painter.end();
        icon = QIcon(picture);
    }
    item.setIcon(0, icon);
}

} // namespace

void Set(QTreeWidgetItem& item, const QString& text, IconStrip strip, int32_t image, int32_t data)
{
    // An edit under way was meant for what the item showed before.
    if (item.text(0) != text || Data(item) != data)
        if (auto* tree = qobject_cast<CPaneTree*>(item.treeWidget()); tree && tree->currentItem() == &item)
            tree->CancelLabelEdit();
    if (item.text(0) != text)
        item.setText(0, text);
    if (Image(item) != image || !item.data(0, PaneItemData::kImageRole).isValid()) {
        item.setData(0, PaneItemData::kImageRole, image);
        refreshIcon(item, strip);
    }
    if (Data(item) != data || !item.data(0, PaneItemData::kDataRole).isValid())
        item.setData(0, PaneItemData::kDataRole, data);
}

void SetOverlay(QTreeWidgetItem& item, IconStrip strip, PaneItemData::Overlay overlay)
{
    if (GetOverlay(item) == overlay)
        return;
    item.setData(0, PaneItemData::kOverlayRole, int(overlay));
    refreshIcon(item, strip);
}

int32_t Data(const QTreeWidgetItem& item) { return item.data(0, PaneItemData::kDataRole).toInt(); }
int32_t Image(const QTreeWidgetItem& item) { return item.data(0, PaneItemData::kImageRole).toInt(); }

PaneItemData::Overlay GetOverlay(const QTreeWidgetItem& item)
{
    return PaneItemData::Overlay(item.data(0, PaneItemData::kOverlayRole).toInt());
}

} // namespace PaneTreeItems
