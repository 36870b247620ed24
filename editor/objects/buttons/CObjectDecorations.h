#pragma once
// The icon and text pictures buttons and lamps share: the "Icon" of "Appearance" loaded
// with the object's transparency and drawn rescaled at its place, and the "Text" laid out
// over the object's whole rectangle (the one-text mode of the base's text drawing). Both
// are drawn into the preview and, each on its own, into a picture of the object's size
// for the target file.

#include <memory>
#include <optional>
#include <string>

#include "editor/objects/shared/CObjectPicture.h"
#include "foundation/DGeometry.h"
#include "platform/gfx/Rect.h"
#include "platform/gfx/Surface.h"

class CEditorObject;
class CWinFreeImage;

class CObjectDecorations {
public:
    // The object's icon, premultiplied, its alpha scaled by "Transparency"; none when
    // "Icon" is empty or does not load.
    static std::unique_ptr<CWinFreeImage> LoadIcon(const CEditorObject& object);
    // "Text" of "Appearance"; empty for none.
    static std::u16string Text(const CEditorObject& object);

    // Blends the icon, rescaled to place, over the surface; false when nothing was drawn.
    static bool DrawIcon(gfx::Surface& surface, const CWinFreeImage& icon, const gfx::Rect& place);
    // Blends the text laid out over the whole surface; false without text or font.
    static bool DrawText(const CEditorObject& object, gfx::Surface& surface);

    // The icon at place on a picture of size; an invalid picture when size or place
    // have no area.
    static CObjectPicture IconPicture(DSize size, PictureAlpha alpha, const CWinFreeImage& icon,
                                      const gfx::Rect& place);
    // The text on a picture of size; invalid without text or area.
    static CObjectPicture TextPicture(const CEditorObject& object, DSize size, PictureAlpha alpha);
};
