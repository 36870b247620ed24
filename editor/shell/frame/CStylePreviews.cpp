#include "editor/shell/frame/CStylePreviews.h"

#include <QImage>

#include "editor/objects/CStyles.h"

namespace {

QImage previewOf(CStyle& style)
{
    const CStyle::Preview preview = style.GetPreview();
    if (preview.pixels.empty())
        return {};
    // A copy: the preview's pixels go with it.
    return QImage(reinterpret_cast<const uchar*>(preview.pixels.data()), preview.width, preview.height,
                  preview.width * 4, QImage::Format_ARGB32_Premultiplied)
        .copy();
}

} // namespace

std::vector<RibbonGalleryItem> CStylePreviews::Collect(CStyles& styles)
{
    std::vector<RibbonGalleryItem> items;
    for (int index = 0; index < styles.GetCount(); ++index) {
        CStyle* style = styles.GetAt(index);
        items.push_back({previewOf(*style), QString::fromStdU16String(style->GetName())});
    }
    return items;
}
