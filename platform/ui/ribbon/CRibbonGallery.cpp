#include "platform/ui/ribbon/CRibbonGallery.h"

#include <QPixmap>

#include "platform/ui/ribbon/CRibbonBar.h"

namespace {

constexpr int kVisibleItems = 4;
constexpr int kItemSpacing = 4;

} // namespace

CRibbonGallery::CRibbonGallery(CRibbonBar& bar, int id, const std::vector<RibbonGalleryItem>& items)
    : m_bar(bar), m_id(id)
{
    setViewMode(QListView::IconMode);
    setFlow(QListView::LeftToRight);
    setWrapping(false);
    setMovement(QListView::Static);
    setIconSize(QSize(kPreviewWidth, kPreviewHeight));
    setSpacing(kItemSpacing / 2);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (const RibbonGalleryItem& item : items) {
        QPixmap preview(kPreviewWidth, kPreviewHeight);
        if (item.preview.isNull())
            preview.fill(Qt::white); // a theme that did not load shows an empty preview
        else
            preview = QPixmap::fromImage(item.preview.scaled(kPreviewWidth, kPreviewHeight, Qt::KeepAspectRatio,
                                                             Qt::SmoothTransformation));
        auto* entry = new QListWidgetItem(QIcon(preview), QString(), this);
        entry->setToolTip(item.name);
        entry->setData(Qt::UserRole, item.name);
        entry->setSizeHint(QSize(kPreviewWidth + kItemSpacing, kPreviewHeight + kItemSpacing));
    }
    setFixedSize(kVisibleItems * (kPreviewWidth + 2 * kItemSpacing) + 4, kPreviewHeight + 3 * kItemSpacing + 16);
    connect(this, &QListWidget::itemClicked, this, [this] { m_bar.Execute(m_id, this); });
}

int CRibbonGallery::ChosenIndex() const
{
    const QList<QListWidgetItem*> chosen = selectedItems();
    return chosen.isEmpty() ? -1 : row(chosen.first());
}

void CRibbonGallery::ChooseByName(const QString& name)
{
    for (int index = 0; index < count(); ++index)
        if (!name.isEmpty() && item(index)->data(Qt::UserRole).toString() == name) {
            Choose(index);
            return;
        }
    Choose(-1);
}

void CRibbonGallery::Choose(int index)
{
    if (index == ChosenIndex())
        return;
    clearSelection();
    if (index >= 0 && index < count())
        item(index)->setSelected(true);
}
