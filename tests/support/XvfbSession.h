#pragma once
// A private X server for screenshot checks: starts Xvfb on a free display, runs programs
// on it, grabs the screen as a PNG, finds windows and types keys into them (xdotool), and
// stops everything when it goes.

#include <filesystem>
#include <string>
#include <sys/types.h>
#include <vector>

namespace vx::test {

class XvfbSession {
public:
    XvfbSession(int width = 1024, int height = 768);
    ~XvfbSession();
    XvfbSession(const XvfbSession&) = delete;
    XvfbSession& operator=(const XvfbSession&) = delete;

    bool isRunning() const { return m_server > 0; }
    std::string display() const { return ":" + std::to_string(m_number); }

    // Starts a program on this display; returns its process id, or -1.
    pid_t start(const std::vector<std::string>& argv);
    // Waits up to timeoutMs for a started program; returns its exit code, or -1 on timeout.
    int wait(pid_t child, int timeoutMs);
    // Runs this test program again on this display with only the test named test, the
    // environment variable variable naming folder (where the scenario leaves its files);
    // its exit code, or -1 when it did not start or end in time.
    int runThisProgram(const std::string& test, const std::string& variable, const std::filesystem::path& folder,
                       int timeoutMs);
    // Writes the whole screen to png; true on success.
    bool grab(const std::filesystem::path& png);
    // Waits up to timeoutMs for a mapped window titled exactly title; its id, or 0.
    unsigned long waitForWindow(const std::string& title, int timeoutMs);
    // Gives window the input focus and presses key ("Return", "Escape", ...) on the
    // server's keyboard; true on success.
    bool sendKey(unsigned long window, const std::string& key);
    // Runs xdotool with arguments on this display ("mousemove", "windowmove", ...); true
    // when it succeeded.
    bool xdotool(const std::vector<std::string>& arguments);

private:
    int m_number = -1;
    pid_t m_server = -1;
    std::vector<pid_t> m_children;
};

} // namespace vx::test
