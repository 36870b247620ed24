#include "foundation/text/DInstalledFonts_fontconfig.h"

#include "platform/sys/FontList.h"

int DInstalledFonts_fontconfig::fontFiles(std::vector<std::string>& paths)
{
    paths.clear();
    std::vector<FontList::File> files;
    if (FontList::installed(files))
        return 1;
    paths.reserve(files.size());
    for (FontList::File& file : files)
        paths.push_back(std::move(file.path));
    return 0;
}

std::string DInstalledFonts_fontconfig::substituteFamily(const std::string& family)
{
    return FontList::substituteFamily(family);
}
