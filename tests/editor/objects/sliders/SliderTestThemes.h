#pragma once
// The built styles folder for the slider and graph tests: the plug-ins and the thumb
// pictures are found there (VX_STYLES_DIR), and the real themes can be installed as the
// objects' theme provider.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "editor/objects/CStyles.h"
#include "tests/support/TestEnvironment.h"

namespace vx::test {

class StylesFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (const char* old = std::getenv("VX_STYLES_DIR"))
            m_old = old;
        setenv("VX_STYLES_DIR", folder.c_str(), 1);
    }
    void TearDown() override
    {
        CThemeProvider::Set(nullptr);
        if (m_old)
            setenv("VX_STYLES_DIR", m_old->c_str(), 1);
        else
            unsetenv("VX_STYLES_DIR");
    }
    // The four plug-ins as the objects' themes.
    void UseRealThemes()
    {
        ASSERT_EQ(styles.Load(folder), 4);
        CThemeProvider::Set(&styles);
    }

    const std::filesystem::path folder = std::filesystem::absolute(programPath("Styles"));
    CStyles styles;

private:
    std::optional<std::string> m_old;
};

} // namespace vx::test
