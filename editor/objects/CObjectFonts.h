#pragma once
// The editor's text services the objects use: its one bitmap renderer (with the text
// renderer and the installed faces), installed at start; none until then, so objects
// draw no text and know no faces.

#include <string_view>
#include <vector>

#include "foundation/text/DFontFileDescriptor.h"
#include "foundation/text/DTextDescriptor.h"

namespace foundation {
class DRendererBitmap;
}

class CObjectFonts {
public:
    // The caller keeps the renderer alive while it is in use; none uninstalls it.
    static void Use(foundation::DRendererBitmap* renderer);
    static foundation::DRendererBitmap* Renderer();
    // The installed faces whose friendly name is family (its regular, bold and italic faces).
    static std::vector<const DFontFileDescriptor*> FacesOf(std::u16string_view family);
    // The installed face a text of that descriptor is drawn with; none without a renderer.
    static const DFontFileDescriptor* FindFace(const DTextDescriptor& descriptor);
};
