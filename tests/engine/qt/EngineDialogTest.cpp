// The engine's real dialogs on a private X server, answered from the keyboard.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/TestEnvironment.h"
#include "tests/support/XvfbSession.h"

namespace {

// A sanitized program on a loaded machine may take long to map a window or to exit.
constexpr int kTimeoutMs = 30000;

struct DialogCase {
    const char* name;
    std::vector<std::string> arguments;
    std::string title;
    std::string key;
};

class EngineDialog : public testing::TestWithParam<DialogCase> {};

TEST_P(EngineDialog, ClosingTheDialogEndsTheProgramCleanly)
{
    const DialogCase& c = GetParam();
    vx::test::XvfbSession x(1024, 768);
    ASSERT_TRUE(x.isRunning());
    std::vector<std::string> argv{vx::test::programPath("VX-Engine").string()};
    argv.insert(argv.end(), c.arguments.begin(), c.arguments.end());
    const pid_t engine = x.start(argv);
    ASSERT_GT(engine, 0);

    // On failure the session stops the engine when it goes.
    const unsigned long window = x.waitForWindow(c.title, kTimeoutMs);
    ASSERT_NE(window, 0u) << "no window titled \"" << c.title << "\"";
    EXPECT_EQ(x.wait(engine, 0), -1) << "the engine ended before the dialog was answered";
    ASSERT_TRUE(x.sendKey(window, c.key));
    EXPECT_EQ(x.wait(engine, kTimeoutMs), 0);
}

INSTANTIATE_TEST_SUITE_P(
    , EngineDialog,
    testing::Values(DialogCase{"NoPathCancelledOpenDialog", {}, "Select project", "Escape"},
                    DialogCase{"MissingFileAcknowledgedFailureBox",
                               {"-W", "800", "-H", "600", "/no/such.ddd"}, "Failed to open file", "Return"}),
    [](const testing::TestParamInfo<DialogCase>& info) { return std::string(info.param.name); });

} // namespace
