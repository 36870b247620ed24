#include "editor/objects/CObjectFonts.h"

#include <mutex>

#include "foundation/text/DRendererBitmap.h"

namespace {
foundation::DRendererBitmap* g_renderer = nullptr;
}

void CObjectFonts::Use(foundation::DRendererBitmap* renderer)
{
    g_renderer = renderer;
}

foundation::DRendererBitmap* CObjectFonts::Renderer()
{
    return g_renderer;
}

std::vector<const DFontFileDescriptor*> CObjectFonts::FacesOf(std::u16string_view family)
{
    std::vector<const DFontFileDescriptor*> found;
    if (!g_renderer || family.empty())
        return found;
    DTextRenderer& text = g_renderer->textRenderer();
    std::scoped_lock lock(text.renderLock());
    for (const auto& face : text.faces())
        if (face && face->friendlyName.view() == family)
            found.push_back(face.get());
    return found;
}

const DFontFileDescriptor* CObjectFonts::FindFace(const DTextDescriptor& descriptor)
{
    foundation::DRendererBitmap* renderer = Renderer();
    if (!renderer)
        return nullptr;
    DTextRenderer& fonts = renderer->textRenderer();
    std::scoped_lock lock(fonts.renderLock());
    return fonts.findFace(descriptor);
}
