#include "tests/support/XvfbSession.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace vx::test {
namespace {

// Descriptors a started program gets besides the caller's standard ones.
struct Streams {
    int output = -1;   // its standard output, when not -1
    int passOn = -1;   // handed on as descriptor passOnAs, when not -1
    int passOnAs = -1;
    bool quiet = false; // standard error to /dev/null
};

// Starts argv with the caller's environment, extraEnvironment ("NAME=value") replacing
// entries of the same name.
pid_t spawn(const std::vector<std::string>& argv, const std::vector<std::string>& extraEnvironment,
            const Streams& streams = {})
{
    std::vector<char*> args;
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    std::vector<std::string> environment;
    for (char** entry = environ; *entry; ++entry) {
        const std::string text(*entry);
        const std::string name = text.substr(0, text.find('=') + 1);
        const bool replaced = name.empty() || name == "DISPLAY=" || name == "QT_QPA_PLATFORM=" ||
            std::any_of(extraEnvironment.begin(), extraEnvironment.end(),
                        [&](const std::string& extra) { return extra.rfind(name, 0) == 0; });
        if (!replaced)
            environment.push_back(text);
    }
    environment.insert(environment.end(), extraEnvironment.begin(), extraEnvironment.end());
    std::vector<char*> envp;
    for (std::string& entry : environment)
        envp.push_back(entry.data());
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (streams.output >= 0)
        posix_spawn_file_actions_adddup2(&actions, streams.output, STDOUT_FILENO);
    if (streams.passOn >= 0)
        posix_spawn_file_actions_adddup2(&actions, streams.passOn, streams.passOnAs);
    if (streams.quiet)
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t child = -1;
    const int error = posix_spawnp(&child, args[0], &actions, nullptr, args.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) {
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

// Reads fd into text until its writer closes it, end (when not 0) has been read, or the
// deadline; true when it stopped for the first two.
bool readUntil(int fd, std::chrono::steady_clock::time_point deadline, std::string& text, char end = 0)
{
    while (std::chrono::steady_clock::now() < deadline) {
        pollfd readable{fd, POLLIN, 0};
        if (poll(&readable, 1, 50) <= 0)
            continue;
        char buffer[512];
        const ssize_t n = read(fd, buffer, end ? 1 : sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return true;
        text.append(buffer, size_t(n));
        if (end && text.back() == end)
            return true;
    }
    return false;
}

// Runs argv to its end, at most timeoutMs; its exit code (-1 when it could not start or
// was stopped) and its standard output.
int runTool(const std::vector<std::string>& argv, const std::vector<std::string>& environment, int timeoutMs,
            std::string* output = nullptr)
{
    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0)
        return -1;
    const pid_t child = spawn(argv, environment, {.output = pipeEnds[1]});
    close(pipeEnds[1]);
    if (child <= 0) {
        close(pipeEnds[0]);
        return -1;
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    std::string text;
    readUntil(pipeEnds[0], deadline, text);
    close(pipeEnds[0]);
    if (output)
        *output = text;
    int status = 0;
    while (std::chrono::steady_clock::now() < deadline) {
        if (waitpid(child, &status, WNOHANG) == child)
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    stop(child);
    return -1;
}

// Leaks that last the process's life inside system libraries (dbus, fontconfig) would make
// a sanitized program's exit status 1; the test suppressions apply to the started programs too.
std::string leakOptions()
{
    std::string options = "LSAN_OPTIONS=";
#ifdef VX_TEST_LSAN_SUPPRESSIONS
    options += "suppressions=" VX_TEST_LSAN_SUPPRESSIONS ":print_suppressions=0";
#endif
    if (const char* own = std::getenv("LSAN_OPTIONS"); own && *own)
        options += std::string(":") + own; // later options win
    return options;
}

} // namespace

XvfbSession::XvfbSession(int width, int height)
{
    // The server picks a free display itself and names it once it takes connections, so
    // sessions started side by side (tests run in parallel) never race for one number.
    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0)
        return;
    const int passOnAs = pipeEnds[1] == 3 ? 4 : 3;
    const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    // Quiet: it reports every display it finds taken on the way. No reset: by default the
    // server resets when its last client leaves, dropping a client that is just connecting
    // (a short xdotool or import call ending as the program starts).
    const pid_t server = spawn({"Xvfb", "-displayfd", std::to_string(passOnAs), "-screen", "0", screen, "-nolisten",
                                "tcp", "-noreset"},
                               {}, {.passOn = pipeEnds[1], .passOnAs = passOnAs, .quiet = true});
    close(pipeEnds[1]);
    std::string number;
    // A sanitized test on a loaded machine may wait a while for the server.
    const bool told = server > 0 &&
        readUntil(pipeEnds[0], std::chrono::steady_clock::now() + std::chrono::seconds(30), number, '\n');
    close(pipeEnds[0]);
    if (told && number.size() > 1 && number.back() == '\n' &&
        number.find_first_not_of("0123456789\n") == std::string::npos) {
        m_number = std::stoi(number);
        m_server = server;
        return;
    }
    std::fprintf(stderr, "Xvfb did not start\n");
    stop(server);
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
    const pid_t child = spawn(argv, {"DISPLAY=" + display(), "QT_QPA_PLATFORM=xcb", leakOptions()});
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

int XvfbSession::runThisProgram(const std::string& test, const std::string& variable,
                                const std::filesystem::path& folder, int timeoutMs)
{
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || !isRunning())
        return -1;
    const pid_t child = spawn({self.string(), "--gtest_filter=" + test},
                              {"DISPLAY=" + display(), "QT_QPA_PLATFORM=xcb", leakOptions(), variable + "=" + folder.string()});
    if (child <= 0)
        return -1;
    m_children.push_back(child);
    return wait(child, timeoutMs);
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

unsigned long XvfbSession::waitForWindow(const std::string& title, int timeoutMs)
{
    if (!isRunning())
        return 0;
    const std::vector<std::string> environment{"DISPLAY=" + display()};
    // xdotool matches names by a case-blind pattern: search for any mapped window, then
    // compare each name exactly.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    do {
        std::string ids;
        runTool({"xdotool", "search", "--onlyvisible", "--name", "."}, environment, 5000, &ids);
        std::istringstream lines(ids);
        for (unsigned long id = 0; lines >> id;) {
            std::string name;
            if (runTool({"xdotool", "getwindowname", std::to_string(id)}, environment, 5000, &name) == 0 &&
                name == title + "\n")
                return id;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    } while (std::chrono::steady_clock::now() < deadline);
    return 0;
}

bool XvfbSession::sendKey(unsigned long window, const std::string& key)
{
    if (!isRunning() || window == 0)
        return false;
    const std::vector<std::string> environment{"DISPLAY=" + display()};
    // No window manager runs here, so the focus is set directly; the key then goes through
    // XTEST like a real keyboard's, which Qt does not drop as it may drop sent events.
    return runTool({"xdotool", "windowfocus", "--sync", std::to_string(window)}, environment, 10000) == 0 &&
        runTool({"xdotool", "key", key}, environment, 10000) == 0;
}

bool XvfbSession::xdotool(const std::vector<std::string>& arguments)
{
    if (!isRunning())
        return false;
    std::vector<std::string> argv{"xdotool"};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    return runTool(argv, {"DISPLAY=" + display()}, 10000) == 0;
}

} // namespace vx::test
