#include "editor/objects/CProgramFolder.h"

#include <cstdlib>
#include <system_error>

std::filesystem::path CProgramFolder::Path()
{
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path(".") : program.parent_path();
}

std::filesystem::path CProgramFolder::Styles()
{
    if (const char* folder = std::getenv("VX_STYLES_DIR"); folder && *folder)
        return folder;
    return Path() / "Styles";
}

std::filesystem::path CProgramFolder::Placeholders()
{
    return Path() / "placeholders";
}
