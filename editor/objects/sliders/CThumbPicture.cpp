#include "editor/objects/sliders/CThumbPicture.h"

#include "editor/objects/CEditorObject.h"
#include "editor/objects/CProgramFolder.h"
#include "editor/objects/shared/CObjectImageFile.h"
#include "foundation/TextHelpers.h"
#include "foundation/image/CWinFreeImage.h"

namespace {
constexpr std::u16string_view kThumbSuffix = u"-thumb.png";
} // namespace

std::filesystem::path CThumbPicture::PathOf(const CEditorObject& object)
{
    const std::u16string style = object.GetStyleName();
    if (style != kCustomStyle)
        return style.empty() ? std::filesystem::path() : CProgramFolder::Styles() / wideToUtf8(style + std::u16string(kThumbSuffix));
    const CPropertyCategory* group = object.GetFormat().FindCategory(u"Style");
    if (!group || group->GetProperties().size() < 2)
        return {};
    return CObjectImageFile::PathOf(group->GetProperties()[1]->GetValueText());
}

std::optional<DSize> CThumbPicture::SizeOf(const std::filesystem::path& path)
{
    if (path.empty())
        return std::nullopt;
    CWinFreeImage picture;
    if (!picture.Load(path, 0, 0))
        return std::nullopt;
    // A picture without area leaves the thumb's length undefined: as if it did not load.
    if (picture.width() <= 0 || picture.height() <= 0)
        return std::nullopt;
    return DSize{picture.width(), picture.height()};
}
