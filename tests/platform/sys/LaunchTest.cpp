#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <thread>

#include "platform/sys/Launch.h"
#include "tests/support/TestEnvironment.h"

namespace {

// Whether pid is a child that ended and was not reaped yet ("Z" in its status).
bool isZombie(pid_t pid)
{
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(stat, line))
        return false;
    const auto close = line.rfind(')');
    return close != std::string::npos && close + 2 < line.size() && line[close + 2] == 'Z';
}

bool exists(pid_t pid) { return ::kill(pid, 0) == 0; }

template <class Condition>
bool waitFor(Condition condition)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

TEST(Launch, HandsTheArgumentsOverAsTheyAreAndReapsTheChild)
{
    vx::test::TempDir dir;
    const auto out = dir / "args.txt";
    // Spaces, quotes and a semicolon reach the program untouched: no shell reads them.
    const Launch::Result started = Launch::spawn(
        "/bin/sh", {"-c", "printf '%s|' \"$@\" > \"$0\"", out.string(), "-w", "800", "a b\"c;d", "/p/temp.ddd"});
    ASSERT_TRUE(started.started()) << started.error;
    ASSERT_TRUE(waitFor([&] { return !exists(started.pid); }));
    EXPECT_FALSE(isZombie(started.pid));
    std::ifstream file(out);
    std::stringstream text;
    text << file.rdbuf();
    EXPECT_EQ(text.str(), "-w|800|a b\"c;d|/p/temp.ddd|");
}

TEST(Launch, AProgramThatIsNotThereIsAnError)
{
    const Launch::Result result = Launch::spawn("/no/such/VX-Engine", {});
    EXPECT_FALSE(result.started());
    EXPECT_NE(result.error.find("/no/such/VX-Engine"), std::string::npos);
}

TEST(Launch, ThePrivateTemporaryFolderIsOnlyOurs)
{
    std::string error;
    const auto folder = Launch::privateTempFolder(error);
    ASSERT_FALSE(folder.empty()) << error;
    struct stat info {};
    ASSERT_EQ(::stat(folder.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    // Opened to others, it is refused rather than used.
    ::chmod(folder.c_str(), 0755);
    EXPECT_TRUE(Launch::privateTempFolder(error).empty());
    EXPECT_FALSE(error.empty());
    ::chmod(folder.c_str(), 0700);
    EXPECT_EQ(Launch::privateTempFolder(error), folder);
}

} // namespace
