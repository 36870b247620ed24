#include "editor/project/CProjectFileKind.h"

#include <array>
#include <string_view>

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

} // namespace

ProjectFileKind KindOfFile(const std::filesystem::path& path)
{
    std::string extension = path.extension().string();
    for (char& c : extension)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    for (const Extension& entry : kExtensions)
        if (extension == entry.text)
            return entry.kind;
    return ProjectFileKind::Unknown;
}
