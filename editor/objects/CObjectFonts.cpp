#include "editor/objects/CObjectFonts.h"

namespace {
const DFontFaceList* g_faces = nullptr;
}

void CObjectFonts::Use(const DFontFaceList* faces)
{
    g_faces = faces;
}

std::vector<const DFontFileDescriptor*> CObjectFonts::FacesOf(std::u16string_view family)
{
    std::vector<const DFontFileDescriptor*> found;
    if (!g_faces || family.empty())
        return found;
    for (const auto& face : *g_faces)
        if (face && face->friendlyName.view() == family)
            found.push_back(face.get());
    return found;
}
