#pragma once
// A picture an object renders for the target file or its preview: a cleared 32-bit
// surface that is drawn premultiplied (as cairo and the device context draw) and handed
// on premultiplied or straight, as the compile's targetFlags bit 0 asks. The alpha form
// is a parameter: the project's flags are never changed to get another form.
//
// A picture of a width or height <= 0 is never made: the surface stays invalid, ToImage
// gives none, and the image collector then appends an empty entry.

#include <cstdint>
#include <memory>
#include <utility>

#include "foundation/DGeometry.h"
#include "platform/gfx/Surface.h"

class CResourceIndex;
class CWinFreeImage;
class DRIFFFile;

enum class PictureAlpha { Straight, Premultiplied };

class CObjectPicture {
public:
    // The form targetFlags asks for (bit 0: premultiplied).
    static PictureAlpha AlphaOf(uint32_t targetFlags);
    static bool IsDrawable(DSize size) { return size.width > 0 && size.height > 0; }

    CObjectPicture(DSize size, PictureAlpha alpha);
    // Takes over a premultiplied surface drawn elsewhere (an invalid one stays invalid).
    static CObjectPicture Adopt(gfx::Surface surface, PictureAlpha alpha);

    bool IsValid() const { return m_surface.isValid(); }
    DSize Size() const { return {m_surface.width(), m_surface.height()}; }
    PictureAlpha Alpha() const { return m_alpha; }
    // Where the object draws, premultiplied.
    gfx::Surface& Surface() { return m_surface; }
    const gfx::Surface& Surface() const { return m_surface; }

    // The pixels in the picture's alpha form as an image for the image collector; none
    // for an invalid picture.
    std::unique_ptr<CWinFreeImage> ToImage() const;
    // Appends the picture's one resource entry: its image chunk's offset, or 0 for an
    // invalid picture (the class then warns in its compile).
    uint32_t Collect(DRIFFFile& target, CResourceIndex& resources) const;
    // Hands the surface on as it is (premultiplied), for a preview.
    gfx::Surface TakeSurface() { return std::move(m_surface); }

    // A premultiplied pixel made straight again (colours divided by alpha, rounded).
    static uint32_t Unpremultiply(uint32_t pixel);

private:
    gfx::Surface m_surface;
    PictureAlpha m_alpha;
};
