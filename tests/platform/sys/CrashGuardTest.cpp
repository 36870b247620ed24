#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/sys/CrashGuard.h"
#include "tests/support/TestEnvironment.h"

namespace {

namespace fs = std::filesystem;

CrashReportInfo reportInto(const fs::path& folder)
{
    return {"VX Editor", "1.51.0.7", "VX Editor error report", "VX Editor error report content is in attachment",
            folder};
}

std::vector<fs::path> reportsIn(const fs::path& folder)
{
    std::vector<fs::path> reports;
    if (fs::is_directory(folder))
        for (const auto& entry : fs::directory_iterator(folder))
            reports.push_back(entry.path());
    return reports;
}

class CrashGuardDeathTest : public ::testing::TestWithParam<int> {};

// The child writes a report and still dies of the signal it got.
TEST_P(CrashGuardDeathTest, WritesAReportThenDiesOfTheSameSignal)
{
    // Forked, not re-run: the child must write into this test's folder.
    GTEST_FLAG_SET(death_test_style, "fast");
    vx::test::TempDir dir;
    const fs::path folder = dir.path() / "reports" / "nested";
    const int signal = GetParam();
    EXPECT_EXIT(
        {
            if (!CrashGuard::install(reportInto(folder)))
                std::_Exit(3);
            std::raise(signal);
            std::_Exit(4);
        },
        ::testing::KilledBySignal(signal), "");

    const auto reports = reportsIn(folder);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_TRUE(reports[0].filename().string().starts_with(CrashGuard::kReportPrefix));
    std::ifstream file(reports[0]);
    std::stringstream text;
    text << file.rdbuf();
    const std::string report = text.str();
    EXPECT_NE(report.find("Application: VX Editor\n"), std::string::npos) << report;
    EXPECT_NE(report.find("Version: 1.51.0.7\n"), std::string::npos);
    EXPECT_NE(report.find("Subject: VX Editor error report\n"), std::string::npos);
    EXPECT_NE(report.find("Signal: " + std::to_string(signal) + "\n"), std::string::npos);
    EXPECT_NE(report.find("Backtrace:\n"), std::string::npos);
    // At least one frame line follows the heading.
    EXPECT_GT(report.size(), report.find("Backtrace:\n") + 12);
}

INSTANTIATE_TEST_SUITE_P(FatalSignals, CrashGuardDeathTest,
                         ::testing::Values(SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT));

TEST(CrashGuard, InstallAndUninstallRestoreTheHandlersThatWereThere)
{
    vx::test::TempDir dir;
    struct sigaction before {};
    ASSERT_EQ(::sigaction(SIGFPE, nullptr, &before), 0);
    ASSERT_TRUE(CrashGuard::install(reportInto(dir.path())));
    EXPECT_TRUE(CrashGuard::installed());
    struct sigaction during {};
    ::sigaction(SIGFPE, nullptr, &during);
    EXPECT_NE(during.sa_handler, before.sa_handler);
    CrashGuard::uninstall();
    EXPECT_FALSE(CrashGuard::installed());
    struct sigaction after {};
    ::sigaction(SIGFPE, nullptr, &after);
    EXPECT_EQ(after.sa_handler, before.sa_handler);
}

TEST(CrashGuard, AFolderThatCannotBeMadeIsAnErrorAndInstallsNothing)
{
    vx::test::TempDir dir;
    const fs::path file = dir.path() / "a-file";
    std::ofstream(file) << "x";
    EXPECT_FALSE(CrashGuard::install(reportInto(file / "reports")));
    EXPECT_FALSE(CrashGuard::installed());
    EXPECT_FALSE(CrashGuard::lastError().empty());
}

} // namespace
