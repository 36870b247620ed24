#include "platform/sys/CrashGuard.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <ctime>
#include <execinfo.h>
#include <fcntl.h>
#include <memory>
#include <system_error>
#include <unistd.h>

namespace {

constexpr std::array kSignals = {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT};
constexpr int kMaxFrames = 64;
// Room for the handler to run when the stack itself overflowed.
constexpr std::size_t kAltStackSize = 64 * 1024;

struct GuardState {
    bool installed = false;
    std::string header;      // name, version, subject and text lines, made at install
    std::string folder;
    std::array<struct sigaction, kSignals.size()> previous{};
    std::unique_ptr<char[]> altStack;
    stack_t previousStack{};
    std::string lastError;
};

GuardState& state()
{
    static GuardState s;
    return s;
}

void writeAll(int fd, const char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        data += n;
        size -= std::size_t(n);
    }
}

void writeText(int fd, const char* text) { writeAll(fd, text, std::strlen(text)); }

// Decimal digits of value into buffer, async-signal-safe; the end of what was written.
char* appendNumber(char* out, unsigned long long value)
{
    char digits[24];
    int count = 0;
    do {
        digits[count++] = char('0' + value % 10);
        value /= 10;
    } while (value != 0);
    while (count > 0)
        *out++ = digits[--count];
    return out;
}

char* appendText(char* out, const char* text)
{
    while (*text)
        *out++ = *text++;
    return out;
}

void onFatalSignal(int signal)
{
    GuardState& s = state();
    // The path: folder, "/crash-", seconds, "-", pid, ".txt". The folder's length was
    // checked at install against this buffer.
    char path[4096];
    char* end = path;
    end = appendText(end, s.folder.c_str());
    end = appendText(end, "/");
    end = appendText(end, CrashGuard::kReportPrefix);
    end = appendNumber(end, static_cast<unsigned long long>(::time(nullptr)));
    end = appendText(end, "-");
    end = appendNumber(end, static_cast<unsigned long long>(::getpid()));
    end = appendText(end, CrashGuard::kReportSuffix);
    *end = '\0';

    const int fd = ::open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd >= 0) {
        writeAll(fd, s.header.data(), s.header.size());
        char line[64];
        char* lineEnd = appendText(line, "Signal: ");
        lineEnd = appendNumber(lineEnd, static_cast<unsigned long long>(signal));
        lineEnd = appendText(lineEnd, "\nBacktrace:\n");
        writeAll(fd, line, std::size_t(lineEnd - line));
        void* frames[kMaxFrames];
        const int count = ::backtrace(frames, kMaxFrames);
        ::backtrace_symbols_fd(frames, count, fd);
        ::close(fd);
    } else {
        writeText(STDERR_FILENO, "crash report could not be written\n");
    }

    // Die of the same signal with its default action.
    struct sigaction dflt {};
    dflt.sa_handler = SIG_DFL;
    sigemptyset(&dflt.sa_mask);
    ::sigaction(signal, &dflt, nullptr);
    ::raise(signal);
}

void restore(GuardState& s, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i)
        ::sigaction(kSignals[i], &s.previous[i], nullptr);
    ::sigaltstack(&s.previousStack, nullptr);
    s.altStack.reset();
}

} // namespace

bool CrashGuard::install(const CrashReportInfo& info)
{
    GuardState& s = state();
    if (s.installed)
        uninstall();
    std::error_code error;
    std::filesystem::create_directories(info.folder, error);
    if (error || !std::filesystem::is_directory(info.folder)) {
        s.lastError = "cannot make the report folder " + info.folder.string() + ": " + error.message();
        return false;
    }
    s.folder = info.folder.string();
    constexpr std::size_t kRoomForName = 96;
    if (s.folder.size() + kRoomForName > 4096) {
        s.lastError = "the report folder's path is too long";
        return false;
    }
    s.header = "Application: " + info.applicationName + "\nVersion: " + info.version + "\nSubject: " + info.subject +
               "\n" + info.text + "\n";

    // backtrace loads its unwinder on first use; do that now, not inside the handler.
    void* warmUp[1];
    ::backtrace(warmUp, 1);

    s.altStack = std::make_unique<char[]>(kAltStackSize);
    stack_t stack{};
    stack.ss_sp = s.altStack.get();
    stack.ss_size = kAltStackSize;
    if (::sigaltstack(&stack, &s.previousStack) != 0) {
        s.lastError = std::string("sigaltstack: ") + std::strerror(errno);
        s.altStack.reset();
        return false;
    }
    struct sigaction action {};
    action.sa_handler = onFatalSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_ONSTACK | SA_RESETHAND;
    for (std::size_t i = 0; i < kSignals.size(); ++i) {
        if (::sigaction(kSignals[i], &action, &s.previous[i]) != 0) {
            s.lastError = std::string("sigaction: ") + std::strerror(errno);
            restore(s, i);
            return false;
        }
    }
    s.installed = true;
    s.lastError.clear();
    return true;
}

void CrashGuard::uninstall()
{
    GuardState& s = state();
    if (!s.installed)
        return;
    restore(s, kSignals.size());
    s.installed = false;
}

bool CrashGuard::installed() { return state().installed; }

std::string CrashGuard::lastError() { return state().lastError; }
