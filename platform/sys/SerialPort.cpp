#include "platform/sys/SerialPort.h"

#include <array>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

struct Speed {
    uint32_t baudRate;
    speed_t speed;
};

constexpr std::array<Speed, 24> kSpeeds{{
    {50, B50},         {75, B75},         {110, B110},       {134, B134},       {150, B150},
    {200, B200},       {300, B300},       {600, B600},       {1200, B1200},     {1800, B1800},
    {2400, B2400},     {4800, B4800},     {9600, B9600},     {19200, B19200},   {38400, B38400},
    {57600, B57600},   {115200, B115200}, {230400, B230400}, {460800, B460800}, {500000, B500000},
    {576000, B576000}, {921600, B921600}, {1000000, B1000000}, {2000000, B2000000},
}};

constexpr std::array<tcflag_t, 4> kCharacterSizes{CS5, CS6, CS7, CS8};

// Bits on the line per byte, generously: start, eight data, parity, two stop.
constexpr uint64_t kBitsPerByte = 12;
// Room for a slow peer or a stalled handshake beyond the line time.
constexpr int kDrainSlackMs = 2000;
constexpr std::chrono::milliseconds kDrainStep{2};

std::chrono::milliseconds lineTime(std::size_t bytes, uint32_t baudRate)
{
    const uint64_t rate = baudRate ? baudRate : 1;
    return std::chrono::milliseconds(uint64_t(bytes) * kBitsPerByte * 1000 / rate + kDrainSlackMs);
}

bool stopRequested(int stopEvent)
{
    pollfd stop{stopEvent, POLLIN, 0};
    return ::poll(&stop, 1, 0) > 0;
}

} // namespace

SerialPort::SerialPort() = default;

SerialPort::~SerialPort()
{
    Close();
}

int SerialPort::Keep(int error)
{
    m_lastError = error;
    return error;
}

unsigned SerialPort::SpeedOf(uint32_t baudRate)
{
    for (const Speed& entry : kSpeeds)
        if (entry.baudRate == baudRate)
            return unsigned(entry.speed);
    return 0;
}

int SerialPort::Open(const std::string& path)
{
    if (IsOpen())
        return Keep(EALREADY);
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return Keep(errno);
    // Without sharing: no second program may use the line meanwhile.
    if (!::isatty(fd) || ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = ::isatty(fd) ? EBUSY : ENOTTY;
        ::close(fd);
        return Keep(error);
    }
    const int stopEvent = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (stopEvent < 0) {
        const int error = errno;
        ::close(fd);
        return Keep(error);
    }
    m_fd = fd;
    m_stopEvent = stopEvent;
    return Keep(0);
}

void SerialPort::Close()
{
    StopListener();
    if (m_fd >= 0)
        ::close(m_fd);
    if (m_stopEvent >= 0)
        ::close(m_stopEvent);
    m_fd = -1;
    m_stopEvent = -1;
}

int SerialPort::Setup(const LineSettings& settings)
{
    if (!IsOpen())
        return Keep(EBADF);
    const speed_t speed = speed_t(SpeedOf(settings.baudRate));
    if (speed == 0 || settings.dataBits < 5 || settings.dataBits > 8)
        return Keep(EINVAL);
    termios line{};
    if (::tcgetattr(m_fd, &line) != 0)
        return Keep(errno);
    ::cfmakeraw(&line);
    line.c_cflag |= CLOCAL | CREAD;
    line.c_cflag &= ~(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
    line.c_cflag |= kCharacterSizes[std::size_t(settings.dataBits - 5)];
    line.c_iflag &= ~(INPCK | IXON | IXOFF | IXANY);
    switch (settings.parity) {
    case Parity::None: break;
    case Parity::Odd: line.c_cflag |= PARENB | PARODD; break;
    case Parity::Even: line.c_cflag |= PARENB; break;
    case Parity::Mark: line.c_cflag |= PARENB | CMSPAR | PARODD; break;
    case Parity::Space: line.c_cflag |= PARENB | CMSPAR; break;
    default: return Keep(EINVAL);
    }
    if (settings.parity != Parity::None)
        line.c_iflag |= INPCK;
    switch (settings.stopBits) {
    case StopBits::One: break;
    // termios knows one or two; a line of one and a half is the nearest, two.
    case StopBits::OneAndHalf:
    case StopBits::Two: line.c_cflag |= CSTOPB; break;
    default: return Keep(EINVAL);
    }
    switch (settings.handshake) {
    case Handshake::None: break;
    // RTS/CTS; termios has no DTR/DSR flow control, the lines stay raised.
    case Handshake::Hardware: line.c_cflag |= CRTSCTS; break;
    case Handshake::XonXoff: line.c_iflag |= IXON | IXOFF; break;
    default: return Keep(EINVAL);
    }
    line.c_cc[VMIN] = 0;
    line.c_cc[VTIME] = 0;
    if (::cfsetispeed(&line, speed) != 0 || ::cfsetospeed(&line, speed) != 0)
        return Keep(errno);
    if (::tcsetattr(m_fd, TCSANOW, &line) != 0)
        return Keep(errno);
    m_baudRate = settings.baudRate;
    return Keep(0);
}

int SerialPort::Write(std::span<const uint8_t> bytes)
{
    if (!IsOpen())
        return Keep(EBADF);
    const auto limit = std::chrono::steady_clock::now() + lineTime(bytes.size(), m_baudRate);
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(limit - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return Keep(ETIMEDOUT);
        std::array<pollfd, 2> waits{{{m_fd, POLLOUT, 0}, {m_stopEvent, POLLIN, 0}}};
        const int ready = ::poll(waits.data(), waits.size(), int(left.count()));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready < 0)
            return Keep(errno);
        if (waits[1].revents)
            return Keep(ECANCELED);
        if (waits[0].revents & (POLLERR | POLLHUP | POLLNVAL))
            return Keep(EIO);
        if (!(waits[0].revents & POLLOUT))
            continue;
        const ssize_t written = ::write(m_fd, bytes.data() + sent, bytes.size() - sent);
        if (written < 0 && (errno == EAGAIN || errno == EINTR))
            continue;
        if (written < 0)
            return Keep(errno);
        sent += std::size_t(written);
    }
    return Keep(WaitDrained(bytes.size()));
}

int SerialPort::WaitDrained(std::size_t bytes)
{
    // Polled rather than tcdrain, so the stop event can end the wait.
    const auto limit = std::chrono::steady_clock::now() + lineTime(bytes, m_baudRate);
    for (;;) {
        int queued = 0;
        if (::ioctl(m_fd, TIOCOUTQ, &queued) != 0)
            return errno;
        if (queued <= 0)
            return 0;
        if (stopRequested(m_stopEvent))
            return ECANCELED;
        if (std::chrono::steady_clock::now() >= limit)
            return ETIMEDOUT;
        std::this_thread::sleep_for(kDrainStep);
    }
}

int SerialPort::Read(std::span<uint8_t> buffer, std::size_t& received, std::chrono::milliseconds timeout)
{
    received = 0;
    if (!IsOpen())
        return Keep(EBADF);
    std::array<pollfd, 2> waits{{{m_fd, POLLIN, 0}, {m_stopEvent, POLLIN, 0}}};
    int ready;
    do
        ready = ::poll(waits.data(), waits.size(), int(timeout.count()));
    while (ready < 0 && errno == EINTR);
    if (ready < 0)
        return Keep(errno);
    if (waits[1].revents)
        return Keep(ECANCELED);
    if (!(waits[0].revents & POLLIN))
        return Keep((waits[0].revents & (POLLERR | POLLHUP | POLLNVAL)) ? EIO : 0);
    const ssize_t count = ::read(m_fd, buffer.data(), buffer.size());
    if (count < 0)
        return Keep(errno == EAGAIN ? 0 : errno);
    received = std::size_t(count);
    return Keep(0);
}

int SerialPort::Purge()
{
    if (!IsOpen())
        return Keep(EBADF);
    return Keep(::tcflush(m_fd, TCIOFLUSH) == 0 ? 0 : errno);
}

int SerialPort::StartListener(SerialPortListener& listener)
{
    if (!IsOpen())
        return Keep(EBADF);
    if (m_listener.joinable())
        return Keep(EALREADY);
    uint64_t pending = 0;
    (void)!::read(m_stopEvent, &pending, sizeof pending); // a former stop no longer counts
    m_listener = std::thread([this, &listener] { Listen(listener); });
    return Keep(0);
}

void SerialPort::StopListener()
{
    if (!m_listener.joinable())
        return;
    const uint64_t one = 1;
    // The stop event stays set until Close, which also ends any write or read under way.
    (void)!::write(m_stopEvent, &one, sizeof one);
    m_listener.join();
}

void SerialPort::Listen(SerialPortListener& listener)
{
    for (;;) {
        std::array<pollfd, 2> waits{{{m_fd, POLLIN, 0}, {m_stopEvent, POLLIN, 0}}};
        const int ready = ::poll(waits.data(), waits.size(), -1);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready < 0 || waits[1].revents)
            return;
        const bool hungUp = waits[0].revents & (POLLERR | POLLHUP | POLLNVAL);
        int pending = 0;
        // A hung-up line may still hold the last bytes (a final answer): those first.
        if ((waits[0].revents & POLLIN) && (!hungUp || (::ioctl(m_fd, FIONREAD, &pending) == 0 && pending > 0))) {
            listener.OnEvent(SerialPortListener::Event::Received);
            continue;
        }
        if (hungUp || (waits[0].revents & POLLIN)) {
            listener.OnEvent(SerialPortListener::Event::Hangup);
            return;
        }
    }
}
