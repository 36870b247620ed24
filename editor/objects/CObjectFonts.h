#pragma once
// The installed faces objects check their font family against when they read it: the
// editor's text renderer's list, installed at start; none, so no faces, until then.

#include <string_view>
#include <vector>

#include "foundation/text/DFontFileDescriptor.h"

class CObjectFonts {
public:
    // The caller keeps the list alive while it is in use; none uninstalls it.
    static void Use(const DFontFaceList* faces);
    // The faces whose friendly name is family (its regular, bold and italic faces).
    static std::vector<const DFontFileDescriptor*> FacesOf(std::u16string_view family);
};
