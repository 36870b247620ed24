#include "editor/project/CProjectFileKind.h"

#include <array>

#include "editor/project/wrapper/CProjectFileWrapper.h"

namespace {

struct Extension {
    std::string_view text;
    ProjectFileKind kind;
};

constexpr std::array<Extension, 4> kExtensions{{
    {".dctags", ProjectFileKind::TagsExport},
    {".dtags", ProjectFileKind::EngineTags},
    {".dpst", ProjectFileKind::Preset},
    {".tags", ProjectFileKind::TagListing},
}};

std::string lowerExtension(const std::filesystem::path& path)
{
    std::string extension = path.extension().string();
    for (char& c : extension)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return extension;
}

constexpr std::string_view kRetiredExtension = ".dxml";

} // namespace

ProjectFileKind KindOfFile(const std::filesystem::path& path)
{
    const std::string extension = lowerExtension(path);
    for (const Extension& entry : kExtensions)
        if (extension == entry.text)
            return entry.kind;
    return ProjectFileKind::Unknown;
}

bool IsRetiredProjectDocument(const std::filesystem::path& path)
{
    return lowerExtension(path) == kRetiredExtension;
}

ProjectDocumentKind KindOfProjectDocument(const std::filesystem::path& path, std::string_view content)
{
    if (IsRetiredProjectDocument(path))
        return ProjectDocumentKind::Retired;
    return content.starts_with(CProjectFileWrapper::kMagic) ? ProjectDocumentKind::Wrapped : ProjectDocumentKind::BareXml;
}
