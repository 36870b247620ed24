#include "editor/project/compile/CCompileStartup.h"

#include <FreeImage.h>

#include "editor/objects/CObjectFonts.h"
#include "editor/objects/CProgramFolder.h"
#include "editor/objects/CStyles.h"
#include "foundation/CCompressedBuffer.h"
#include "foundation/text/DRendererBitmap.h"

CCompileStartup::CCompileStartup(const std::filesystem::path& stylesFolder, Fonts fonts)
{
    // Connections a program without views needs are installed here, before anything
    // can reach the document.
    CStyles::Get().Reload(stylesFolder.empty() ? CProgramFolder::Styles() : stylesFolder);
    FreeImage_Initialise(FALSE);
    if (fonts == Fonts::Now)
        EnumerateFonts();
}

CCompileStartup::~CCompileStartup()
{
    const auto released = [this](Released step) {
        if (m_observer)
            m_observer(step);
    };
    FreeImage_DeInitialise();
    released(Released::ImageLibrary);
    CCompressedBuffer::FreeShared();
    released(Released::CompressionMemory);
    if (m_renderer) {
        CObjectFonts::Use(nullptr);
        (void)m_renderer->textRenderer().clear();
        m_renderer.reset();
    }
    released(Released::Fonts);
    CStyles::Get().Clear();
}

void CCompileStartup::EnumerateFonts()
{
    if (m_renderer)
        return;
    m_renderer = std::make_unique<foundation::DRendererBitmap>();
    m_renderer->textRenderer().enumFonts();
    CObjectFonts::Use(m_renderer.get());
}
