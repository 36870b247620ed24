#include "editor/shell/frame/CStylePreviews.h"

#include <QImage>
#include <cstdlib>
#include <memory>

#include "editor/objects/CStyles.h"
#include "platform/sys/Library.h"
#include "themes/ThemeInterface.h"

namespace {

struct SurfaceDeleter {
    void operator()(VxThemeSurface* surface) const { std::free(surface); }
};

QImage previewOf(const CStyle& style)
{
    Library library;
    if (library.load(style.GetPath()) != 0)
        return {};
    const auto query = library.function<QueryFunction>(VX_THEME_QUERY);
    if (!query)
        return {};
    const std::unique_ptr<VxThemeSurface, SurfaceDeleter> surface(
        reinterpret_cast<VxThemeSurface*>(query(ThemeQueryPreview, nullptr, nullptr)));
    if (!surface || !surface->pixels || surface->width <= 0 || surface->height <= 0 ||
        surface->stride < surface->width * 4)
        return {};
    // A copy: the plug-in's block is freed here.
    return QImage(reinterpret_cast<const uchar*>(surface->pixels), surface->width, surface->height, surface->stride,
                  QImage::Format_ARGB32_Premultiplied)
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
