#pragma once
// The built styles folder and its four themes, bound as the program binds them when it
// starts; unbound again when it goes.

#include <filesystem>

#include "editor/objects/CStyles.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/editor/StylesFolder.h"

namespace vx::test {

inline std::filesystem::path builtStylesFolder()
{
    return std::filesystem::absolute(programPath("Styles"));
}

class BuiltStyles {
public:
    BuiltStyles() : m_count(CStyles::Get().Reload(m_path)) { CThemeProvider::Set(&CStyles::Get()); }
    ~BuiltStyles()
    {
        CThemeProvider::Set(nullptr);
        CStyles::Get().Clear();
    }
    BuiltStyles(const BuiltStyles&) = delete;
    BuiltStyles& operator=(const BuiltStyles&) = delete;

    // How many themes bound: four when the build is whole.
    int Count() const { return m_count; }
    const std::filesystem::path& Folder() const { return m_path; }

private:
    const std::filesystem::path m_path = builtStylesFolder();
    StylesFolder m_folder{m_path};
    int m_count;
};

} // namespace vx::test
