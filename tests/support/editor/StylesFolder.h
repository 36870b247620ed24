#pragma once
// Points the theme plug-ins at a styles folder while it lives (VX_STYLES_DIR): a test
// program does not lie beside the built "Styles" as the editor does.

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

namespace vx::test {

class StylesFolder {
public:
    explicit StylesFolder(const std::filesystem::path& folder)
    {
        if (const char* old = std::getenv("VX_STYLES_DIR"))
            m_old = old;
        setenv("VX_STYLES_DIR", folder.c_str(), 1);
    }
    ~StylesFolder()
    {
        if (m_old)
            setenv("VX_STYLES_DIR", m_old->c_str(), 1);
        else
            unsetenv("VX_STYLES_DIR");
    }
    StylesFolder(const StylesFolder&) = delete;
    StylesFolder& operator=(const StylesFolder&) = delete;

private:
    std::optional<std::string> m_old;
};

} // namespace vx::test
