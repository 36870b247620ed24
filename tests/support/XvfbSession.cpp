#include "tests/support/XvfbSession.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace vx::test {
namespace {

pid_t spawn(const std::vector<std::string>& argv, const std::vector<std::string>& extraEnvironment)
{
    std::vector<char*> args;
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    std::vector<std::string> environment;
    for (char** entry = environ; *entry; ++entry) {
        const std::string text(*entry);
        if (text.rfind("DISPLAY=", 0) == 0 || text.rfind("QT_QPA_PLATFORM=", 0) == 0)
            continue;
        environment.push_back(text);
    }
    environment.insert(environment.end(), extraEnvironment.begin(), extraEnvironment.end());
    std::vector<char*> envp;
    for (std::string& entry : environment)
        envp.push_back(entry.data());
    envp.push_back(nullptr);
    pid_t child = -1;
    if (const int error = posix_spawnp(&child, args[0], nullptr, nullptr, args.data(), envp.data()); error != 0) {
        std::fprintf(stderr, "cannot start %s: %s\n", args[0], std::strerror(error));
        return -1;
    }
    return child;
}

void stop(pid_t child)
{
    if (child <= 0)
        return;
    kill(child, SIGTERM);
    for (int i = 0; i < 50; ++i) {
        if (waitpid(child, nullptr, WNOHANG) == child)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
}

} // namespace

XvfbSession::XvfbSession(int width, int height)
{
    const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    for (int number = 90 + int(getpid() % 200); number < 400; ++number) {
        if (std::filesystem::exists("/tmp/.X" + std::to_string(number) + "-lock") ||
            std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(number)))
            continue;
        const pid_t server = spawn({"Xvfb", ":" + std::to_string(number), "-screen", "0", screen, "-nolisten", "tcp"}, {});
        if (server <= 0)
            return;
        const std::string socket = "/tmp/.X11-unix/X" + std::to_string(number);
        for (int i = 0; i < 100 && !std::filesystem::exists(socket); ++i) {
            if (waitpid(server, nullptr, WNOHANG) == server)
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        if (std::filesystem::exists(socket)) {
            m_number = number;
            m_server = server;
            return;
        }
        stop(server); // another server took the number first
    }
}

XvfbSession::~XvfbSession()
{
    for (pid_t child : m_children)
        stop(child);
    stop(m_server);
}

pid_t XvfbSession::start(const std::vector<std::string>& argv)
{
    if (!isRunning())
        return -1;
    const pid_t child = spawn(argv, {"DISPLAY=" + display(), "QT_QPA_PLATFORM=xcb"});
    if (child > 0)
        m_children.push_back(child);
    return child;
}

int XvfbSession::wait(pid_t child, int timeoutMs)
{
    for (int waited = 0; waited <= timeoutMs; waited += 20) {
        int status = 0;
        if (waitpid(child, &status, WNOHANG) == child) {
            std::erase(m_children, child);
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return -1;
}

bool XvfbSession::grab(const std::filesystem::path& png)
{
    if (!isRunning())
        return false;
    const pid_t grabber = spawn({"import", "-display", display(), "-window", "root", png.string()}, {});
    if (grabber <= 0)
        return false;
    int status = 0;
    waitpid(grabber, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 && std::filesystem::exists(png);
}

} // namespace vx::test
