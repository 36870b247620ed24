#include "foundation/text/DFontCatalogue.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <utility>

#include "foundation/TextHelpers.h"
#include "foundation/text/DInstalledFonts_fontconfig.h"
#include "foundation/text/DTextDescriptor.h"
#include "foundation/text/DTextRenderer.h"
#include "platform/sys/Registry.h"

namespace {

bool sameFlag(int32_t a, int32_t b) { return (a != 0) == (b != 0); }

// A damaged file may claim any number of faces; no real collection comes near this.
constexpr FT_Long kMaxFacesPerFile = 1024;

const DFontFileDescriptor* findByName(std::u16string_view family, const DTextDescriptor& request,
                                      const DFontFaceList& faces)
{
    for (const auto& face : faces)
        if (face->friendlyName.view() == family && sameFlag(face->bold, request.bold) && sameFlag(face->italic, request.italic))
            return face.get();
    for (const auto& face : faces)
        if (face->friendlyName.view() == family)
            return face.get();
    DString normalised(family);
    normalised.keepAlphanumerics();
    normalised.toLower();
    for (const auto& face : faces)
        if (face->fileName == normalised)
            return face.get();
    return nullptr;
}

const DFontFileDescriptor* findByScore(const DTextDescriptor& request, const DFontFaceList& faces)
{
    const DFontFileDescriptor* best = nullptr;
    int64_t bestScore = 0;
    std::u16string_view family = request.family.view();
    for (const auto& face : faces) {
        std::u16string_view name = face->friendlyName.view();
        auto mismatch = std::mismatch(family.begin(), family.end(), name.begin(), name.end());
        int64_t score = sameFlag(face->bold, request.bold) + sameFlag(face->italic, request.italic) +
                        int64_t(mismatch.first - family.begin());
        if (score > bestScore) {
            bestScore = score;
            best = face.get();
        }
    }
    return best;
}

const DFontFileDescriptor* nearestStrike(const DFontFileDescriptor* chosen, const DTextDescriptor& request,
                                         const DFontFaceList& faces)
{
    const DFontFileDescriptor* best = chosen;
    int64_t bestDistance = -1;
    for (const auto& face : faces) {
        if (!(face->friendlyName == chosen->friendlyName))
            continue;
        int64_t distance = std::llabs(int64_t(face->multipleSize) - int64_t(request.size));
        if (bestDistance < 0 || distance < bestDistance) {
            bestDistance = distance;
            best = face.get();
        }
    }
    return best;
}

void appendFacesOf(FT_Library library, const std::string& path, DFontFaceList& faces)
{
    FT_Face probe = nullptr;
    if (FT_New_Face(library, path.c_str(), -1, &probe))
        return;
    FT_Long count = std::min(probe->num_faces, kMaxFacesPerFile);
    FT_Done_Face(probe);

    DString absPath(utf8ToWide(path));
    DString fileName = DFontFileDescriptor::makeFileName(utf8ToWide(std::filesystem::path(path).filename().string()));
    for (FT_Long index = 0; index < count; ++index) {
        FT_Face face = nullptr;
        if (FT_New_Face(library, path.c_str(), index, &face))
            continue;
        if (face->family_name) {
            auto descriptor = std::make_unique<DFontFileDescriptor>();
            descriptor->friendlyName = DFontFileDescriptor::makeFriendlyName(
                utf8ToWide(face->family_name), utf8ToWide(face->style_name ? face->style_name : ""));
            descriptor->absPath = absPath;
            descriptor->fileName = fileName;
            descriptor->describe(face);
            descriptor->faceIndex = int32_t(index);
            descriptor->fileExists = 1;
            std::printf("loaded: %s\n", face->family_name);
            faces.push_back(std::move(descriptor));
        }
        FT_Done_Face(face);
    }
}

} // namespace

DFontCatalogue::DFontCatalogue() : DFontCatalogue(std::make_unique<DInstalledFonts_fontconfig>()) {}

DFontCatalogue::DFontCatalogue(std::unique_ptr<DInstalledFonts> installed) : m_installed(std::move(installed)) {}

void DFontCatalogue::enumFonts(FT_Library library, DFontFaceList& faces)
{
    std::fputs("enumFonts\n", stdout);
    {
        // A face the list holds already (enumerated before) is not taken twice.
        std::set<std::pair<std::u16string, int32_t>> known;
        for (const auto& face : faces)
            known.emplace(face->absPath.view(), face->faceIndex);
        Registry registry;
        for (uint32_t index = 0;; ++index) {
            auto descriptor = std::make_unique<DFontFileDescriptor>();
            if (!descriptor->load(index, registry))
                break;
            if (known.emplace(descriptor->absPath.view(), descriptor->faceIndex).second)
                faces.push_back(std::move(descriptor));
        }
    }

    std::vector<std::string> paths;
    if (!m_installed || m_installed->fontFiles(paths))
        return;
    for (const std::string& path : paths)
        if (DTextRenderer::findFontByPath(faces, utf8ToWide(path)) < 0)
            appendFacesOf(library, path, faces);

    std::erase_if(faces, [](const auto& face) { return face->fileExists == 0; });
}

const DFontFileDescriptor* DFontCatalogue::findFace(const DTextDescriptor& request, const DFontFaceList& faces)
{
    const DFontFileDescriptor* chosen = findByName(request.family.view(), request, faces);
    if (!chosen && m_installed && !request.family.isEmpty() && !faces.empty()) {
        // A project made on another machine names a family this one lacks: take the
        // family the system draws instead, when the list has it.
        std::u16string family(request.family.view());
        auto found = m_substitutes.find(family);
        if (found == m_substitutes.end())
            found = m_substitutes.emplace(family, utf8ToWide(m_installed->substituteFamily(wideToUtf8(family)))).first;
        if (!found->second.empty() && found->second != family)
            chosen = findByName(found->second, request, faces);
    }
    if (!chosen)
        chosen = findByScore(request, faces);
    if (chosen && chosen->multipleFixed)
        chosen = nearestStrike(chosen, request, faces);
    return chosen;
}

void DFontCatalogue::saveFaces(const DFontFaceList& faces)
{
    Registry registry;
    registry.remove("FontCache");
    for (std::size_t index = 0; index < faces.size(); ++index)
        faces[index]->save(uint32_t(index), registry);
    (void)registry.sync(); // a cache that cannot be written is rebuilt at the next start
}
