#pragma once
// Shared set-up of the text tests: fonts by path from Debian's font packages, a fake
// system font list, renderers over exactly the files a test names.

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "foundation/TextHelpers.h"
#include "foundation/text/DFontCatalogue.h"
#include "foundation/text/DInstalledFonts.h"
#include "foundation/text/DRendererBitmap.h"
#include "foundation/text/DTextRenderer.h"
#include "platform/sys/Registry.h"
#include "tests/support/TestEnvironment.h"

namespace textfixtures {

inline const std::string kDejaVu = "/usr/share/fonts/truetype/dejavu/";
inline const std::string kLiberation = "/usr/share/fonts/truetype/liberation2/";

// What the fake system answers; the test keeps it and may change it between calls.
struct SystemFonts {
    std::vector<std::string> paths;
    std::map<std::string, std::string> substitutes;
    bool listFails = false;
    int listed = 0;
};

class FakeInstalledFonts final : public DInstalledFonts {
public:
    explicit FakeInstalledFonts(std::shared_ptr<SystemFonts> system) : m_system(std::move(system)) {}
    int fontFiles(std::vector<std::string>& paths) override
    {
        ++m_system->listed;
        if (m_system->listFails)
            return 1;
        paths = m_system->paths;
        return 0;
    }
    std::string substituteFamily(const std::string& family) override
    {
        auto found = m_system->substitutes.find(family);
        return found == m_system->substitutes.end() ? std::string() : found->second;
    }

private:
    std::shared_ptr<SystemFonts> m_system;
};

inline std::unique_ptr<DFontSource> catalogueOver(std::shared_ptr<SystemFonts> system)
{
    return std::make_unique<DFontCatalogue>(std::make_unique<FakeInstalledFonts>(std::move(system)));
}

inline void forgetFontCache()
{
    Registry registry;
    registry.remove("FontCache");
    (void)registry.sync();
}

inline std::shared_ptr<SystemFonts> systemWith(std::vector<std::string> paths)
{
    auto system = std::make_shared<SystemFonts>();
    system->paths = std::move(paths);
    return system;
}

// A request for family at size, its face chosen by the renderer.
inline DTextDescriptor requestFor(DTextRenderer& renderer, const std::u16string& family, int32_t size,
                                  uint32_t colour = 0xFF000000u, int32_t italic = 0)
{
    DTextDescriptor request;
    request.family = DString(family);
    request.italic = italic;
    request.size = size;
    request.colour = colour;
    request.face = renderer.findFace(request);
    return request;
}

inline std::string baseName(const DFontFileDescriptor* face)
{
    return face ? std::filesystem::path(wideToUtf8(face->absPath.view())).filename().string() : std::string("(none)");
}

// Writes a bitmap-only BDF font of one strike: family "VX Bitmap", the glyph "A" a
// solid block 8 wide and pixelSize tall, advance 9.
inline void writeBitmapFont(const std::filesystem::path& path, int pixelSize)
{
    int ascent = pixelSize * 3 / 4;
    std::string rows;
    for (int i = 0; i < pixelSize; ++i)
        rows += "FF\n";
    std::string text = "STARTFONT 2.1\nFONT -vx-VX Bitmap-medium-r-normal--" + std::to_string(pixelSize) +
                       "-0-75-75-c-80-iso10646-1\nSIZE " + std::to_string(pixelSize) +
                       " 75 75\nFONTBOUNDINGBOX 8 " + std::to_string(pixelSize) + " 0 " +
                       std::to_string(ascent - pixelSize) +
                       "\nSTARTPROPERTIES 7\nFAMILY_NAME \"VX Bitmap\"\nWEIGHT_NAME \"Medium\"\nPIXEL_SIZE " +
                       std::to_string(pixelSize) + "\nFONT_ASCENT " + std::to_string(ascent) + "\nFONT_DESCENT " +
                       std::to_string(pixelSize - ascent) +
                       "\nCHARSET_REGISTRY \"ISO10646\"\nCHARSET_ENCODING \"1\"\nENDPROPERTIES\nCHARS 1\n"
                       "STARTCHAR A\nENCODING 65\nSWIDTH 500 0\nDWIDTH 9 0\nBBX 8 " +
                       std::to_string(pixelSize) + " 0 " + std::to_string(ascent - pixelSize) + "\nBITMAP\n" + rows +
                       "ENDCHAR\nENDFONT\n";
    vx::test::writeFile(path, text);
}

} // namespace textfixtures
