#include "editor/objects/CFileReference.h"

#include <string>

#include "editor/objects/CProgramFolder.h"
#include "foundation/TextHelpers.h"

namespace {

// Documents from Windows write "\" between folders.
std::filesystem::path portable(std::u16string_view value)
{
    std::string path = wideToUtf8(value);
    for (char& c : path)
        if (c == '\\')
            c = '/';
    return path;
}

} // namespace

std::filesystem::path CFileReference::Resolve(std::u16string_view value, const std::filesystem::path& projectFolder,
                                              const std::filesystem::path& placeholderFolder)
{
    if (value.size() < 2)
        return {};
    if (value[0] == u'%')
        return placeholderFolder / portable(value.substr(1));
    if (value[0] == u'/' || value[1] == u':')
        return portable(value);
    return projectFolder / portable(value);
}

std::filesystem::path CFileReference::Resolve(std::u16string_view value, const std::filesystem::path& projectFolder)
{
    return Resolve(value, projectFolder, CProgramFolder::Placeholders());
}
