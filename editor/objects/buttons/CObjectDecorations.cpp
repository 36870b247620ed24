#include "editor/objects/buttons/CObjectDecorations.h"

#include "editor/objects/CEditorObject.h"
#include "editor/objects/shared/CObjectImageFile.h"
#include "foundation/image/CWinFreeImage.h"
#include "platform/gfx/DeviceContext.h"

namespace {
constexpr std::u16string_view kAppearance = u"Appearance";
} // namespace

std::unique_ptr<CWinFreeImage> CObjectDecorations::LoadIcon(const CEditorObject& object)
{
    return CObjectImageFile::Load(object, kAppearance, u"Icon", PictureAlpha::Premultiplied,
                                  object.GetAppearanceInt(u"Transparency"));
}

std::u16string CObjectDecorations::Text(const CEditorObject& object)
{
    const CPropertyBase* text = object.FindProperty(kAppearance, u"Text");
    return text ? text->GetValueText() : std::u16string();
}

bool CObjectDecorations::DrawIcon(gfx::Surface& surface, const CWinFreeImage& icon, const gfx::Rect& place)
{
    if (!surface.isValid() || place.isEmpty() || !icon.isLoaded())
        return false;
    // Rescaled once, on a copy: the loaded icon keeps its own size for the next placement.
    CWinFreeImage placed;
    if (!icon.CopyTo(placed) || !placed.Rescale(place.width(), place.height()))
        return false;
    gfx::DeviceContext dc(surface);
    return placed.Draw(dc, place.left, place.top, place.width(), place.height());
}

bool CObjectDecorations::DrawText(const CEditorObject& object, gfx::Surface& surface)
{
    if (!surface.isValid())
        return false;
    const std::u16string text = Text(object);
    gfx::Surface laidOut = object.RenderTextPreview(text, {surface.width(), surface.height()});
    if (!laidOut.isValid())
        return false;
    gfx::DeviceContext dc(surface);
    const gfx::Rect whole{0, 0, surface.width(), surface.height()};
    return dc.alphaBlend(whole, laidOut.pixels(), whole) == 0;
}

CObjectPicture CObjectDecorations::IconPicture(DSize size, PictureAlpha alpha, const CWinFreeImage& icon,
                                               const gfx::Rect& place)
{
    if (place.isEmpty())
        return CObjectPicture({0, 0}, alpha);
    CObjectPicture picture(size, alpha);
    if (picture.IsValid())
        DrawIcon(picture.Surface(), icon, place);
    return picture;
}

CObjectPicture CObjectDecorations::TextPicture(const CEditorObject& object, DSize size, PictureAlpha alpha)
{
    if (Text(object).empty())
        return CObjectPicture({0, 0}, alpha);
    CObjectPicture picture(size, alpha);
    if (picture.IsValid())
        DrawText(object, picture.Surface());
    return picture;
}
