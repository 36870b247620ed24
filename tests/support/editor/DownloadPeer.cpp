#include "tests/support/editor/DownloadPeer.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <spawn.h>
#include <sys/wait.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

#include "tests/support/TestEnvironment.h"

extern char** environ;

namespace vx::test {

namespace {

// The wrapper on B: $1 the tty, $2 the received file (rx writes only below its working
// folder), $3 "final" or "missing", then rx's options.
// - The line's mode is its own, set before anything is read: socat may still be setting
//   up B when the wrapper starts.
// - rx purges its input right after each answer; a block or end byte that came back
//   quicker would be dropped, rx would time out and ask again with a byte the sender
//   takes for an error. So rx reads from a fifo that a purge cannot empty.
// - rx flushes its tty when it ends, which could drop its last ACK unsent: it writes
//   through a pipe too. The final byte goes out only once rx and that pipe are done.
constexpr const char* kWrapper = R"sh(
tty=$1; out=$2; final=$3; shift 3
stty -F "$tty" raw -echo || exit 1
cd "$(dirname "$out")" || exit 1
out=$(basename "$out")
exec >"$tty"
dd bs=1 count=1 if="$tty" of=/dev/null 2>/dev/null
mkfifo "$out.in" || exit 1
cat <"$tty" >"$out.in" &
feeder=$!
{ rx -X -c -b "$@" "$out" <"$out.in" 2>"$out.log"; echo "rx $?" >>"$out.log"; } | cat
kill "$feeder"
[ "$final" = final ] && printf F
exec sleep 120
)sh";

bool waitForPath(const std::filesystem::path& path)
{
    for (int i = 0; i < 500; ++i) {
        std::error_code error;
        if (std::filesystem::exists(path, error))
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

} // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& arguments)
{
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
    if (posix_spawnp(&m_pid, argv[0], nullptr, &attributes, argv.data(), environ) != 0)
        m_pid = -1;
    posix_spawnattr_destroy(&attributes);
}

ChildProcess::~ChildProcess()
{
    if (m_pid <= 0)
        return;
    ::kill(-m_pid, SIGTERM);
    int status = 0;
    ::waitpid(m_pid, &status, 0);
}

RxPeer::RxPeer(const std::filesystem::path& folder, FinalByte finalByte, const std::vector<std::string>& rxOptions)
    : m_a(folder / "A"), m_b(folder / "B"), m_received(folder / "received.bin")
{
    m_socat = std::make_unique<ChildProcess>(std::vector<std::string>{
        "socat", "pty,raw,echo=0,link=" + m_a.string(), "pty,raw,echo=0,link=" + m_b.string()});
    if (!m_socat->Started() || !waitForPath(m_a) || !waitForPath(m_b))
        return;
    std::vector<std::string> wrapper{"sh", "-c", kWrapper, "wrapper", m_b.string(), m_received.string(),
                                     finalByte == FinalByte::Sent ? "final" : "missing"};
    wrapper.insert(wrapper.end(), rxOptions.begin(), rxOptions.end());
    m_wrapper = std::make_unique<ChildProcess>(wrapper);
    m_ready = m_wrapper->Started();
}

RxPeer::~RxPeer()
{
    m_wrapper.reset();
    m_socat.reset();
}

std::string RxPeer::Received() const
{
    return readFile(m_received);
}

std::string RxPeer::Log() const
{
    std::filesystem::path log = m_received;
    log += ".log";
    return readFile(log);
}

PtyPeer::PtyPeer()
{
    char name[256] = {};
    if (::openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0)
        return;
    m_slavePath = name;
    termios line{};
    ::tcgetattr(m_slave, &line);
    ::cfmakeraw(&line);
    ::tcsetattr(m_slave, TCSANOW, &line);
}

PtyPeer::~PtyPeer()
{
    CloseMaster();
    if (m_slave >= 0)
        ::close(m_slave);
}

std::string PtyPeer::ReadBytes(std::size_t count, std::chrono::milliseconds timeout)
{
    std::string bytes;
    const auto limit = std::chrono::steady_clock::now() + timeout;
    while (bytes.size() < count && m_master >= 0) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(limit - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            break;
        pollfd wait{m_master, POLLIN, 0};
        if (::poll(&wait, 1, int(left.count())) <= 0)
            continue;
        char buffer[4096];
        const ssize_t got = ::read(m_master, buffer, std::min(sizeof buffer, count - bytes.size()));
        if (got > 0)
            bytes.append(buffer, std::size_t(got));
        else if (got < 0 && errno != EAGAIN && errno != EINTR && errno != EIO)
            break;
    }
    return bytes;
}

void PtyPeer::Answer(uint8_t byte)
{
    (void)!::write(m_master, &byte, 1);
}

void PtyPeer::Answer(std::string_view bytes)
{
    (void)!::write(m_master, bytes.data(), bytes.size());
}

void PtyPeer::CloseMaster()
{
    if (m_master >= 0)
        ::close(m_master);
    m_master = -1;
}

CDownloadSettings DownloadSettingsFor(const std::string& device, int retries, uint32_t timeoutMs)
{
    CDownloadSettings settings;
    settings.line = {9600, 8, SerialPort::Parity::None, SerialPort::StopBits::One, SerialPort::Handshake::None};
    settings.retries = retries;
    settings.timeoutMs = timeoutMs;
    settings.port = 0;
    settings.device = device;
    return settings;
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit)
{
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        if (condition())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return false;
}

bool WaitForState(const CSerialZhProtocol& protocol, std::initializer_list<DownloadState> states,
                  std::chrono::milliseconds limit)
{
    const std::vector<DownloadState> wanted(states);
    return WaitUntil([&] { return std::find(wanted.begin(), wanted.end(), protocol.State()) != wanted.end(); }, limit);
}

} // namespace vx::test
