#pragma once
// The built styles folder for the slider and graph tests: the plug-ins and the thumb
// pictures are found there, and the real themes can be bound as the program binds them.

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "tests/support/editor/BuiltStyles.h"

namespace vx::test {

class BuiltStylesTest : public ::testing::Test {
protected:
    void TearDown() override { m_real.reset(); }
    // The four plug-ins as the objects' themes.
    void UseRealThemes()
    {
        m_real.emplace();
        ASSERT_EQ(m_real->Count(), 4);
    }

    const std::filesystem::path folder = builtStylesFolder();

private:
    StylesFolder m_folder{folder};
    std::optional<BuiltStyles> m_real;
};

} // namespace vx::test
