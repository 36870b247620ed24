#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <poll.h>
#include <thread>
#include <vector>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include "platform/sys/SerialPort.h"
#include "tests/support/TestEnvironment.h"

namespace {

struct Pty {
    Pty() { ::openpty(&master, &slave, name, nullptr, nullptr); }
    ~Pty()
    {
        ::close(master);
        ::close(slave);
    }
    int master = -1;
    int slave = -1;
    char name[256] = {};
};

} // namespace

TEST(SerialPort, LineSettingsBecomeTermiosFlags)
{
    using P = SerialPort::Parity;
    using S = SerialPort::StopBits;
    using H = SerialPort::Handshake;
    struct Case {
        SerialPort::LineSettings line;
        tcflag_t cflagSet, cflagClear, iflagSet, iflagClear;
        speed_t speed;
    };
    const Case cases[] = {
        {{9600, 8, P::None, S::One, H::None}, CS8, PARENB | CSTOPB | CRTSCTS, 0, INPCK | IXON | IXOFF, B9600},
        {{115200, 7, P::Even, S::Two, H::Hardware}, CS7 | PARENB | CSTOPB | CRTSCTS, PARODD, INPCK, IXON, B115200},
        {{19200, 8, P::Odd, S::OneAndHalf, H::XonXoff}, CS8 | PARENB | PARODD | CSTOPB, CRTSCTS, INPCK | IXON | IXOFF, 0,
         B19200},
        {{1200, 5, P::Mark, S::One, H::None}, CS5 | PARENB | PARODD | CMSPAR, CSTOPB, INPCK, 0, B1200},
        {{2400, 6, P::Space, S::One, H::None}, CS6 | PARENB | CMSPAR, PARODD, INPCK, 0, B2400},
    };
    for (const Case& c : cases) {
        Pty pty;
        SerialPort port;
        ASSERT_EQ(port.Open(pty.name), 0);
        ASSERT_EQ(port.Setup(c.line), 0) << c.line.baudRate;
        termios line{};
        ASSERT_EQ(::tcgetattr(pty.slave, &line), 0);
        // A pseudo-terminal keeps eight data bits and no parity whatever it is told.
        const tcflag_t kept = ~tcflag_t(CSIZE | PARENB | PARODD | CMSPAR);
        EXPECT_EQ(line.c_cflag & c.cflagSet & kept, c.cflagSet & kept) << c.line.baudRate;
        EXPECT_EQ(line.c_cflag & c.cflagClear & kept, 0u) << c.line.baudRate;
        EXPECT_EQ(line.c_iflag & c.iflagSet, c.iflagSet) << c.line.baudRate;
        EXPECT_EQ(line.c_iflag & c.iflagClear, 0u) << c.line.baudRate;
        EXPECT_EQ(::cfgetospeed(&line), c.speed) << c.line.baudRate;
    }
}

TEST(SerialPort, RefusedOpensAndSettings)
{
    Pty pty;
    SerialPort port;
    ASSERT_EQ(port.Open(pty.name), 0);
    EXPECT_EQ(port.Open(pty.name), EALREADY);
    SerialPort second;
    EXPECT_EQ(second.Open(pty.name), EBUSY); // no sharing
    // What a missing "download.ini" gives: 0 baud, 0 data bits.
    EXPECT_EQ(port.Setup({0, 0, SerialPort::Parity::None, SerialPort::StopBits::One, SerialPort::Handshake::None}),
              EINVAL);
    EXPECT_EQ(port.Setup({9600, 8, SerialPort::Parity(7), SerialPort::StopBits::One, SerialPort::Handshake::None}),
              EINVAL);
    EXPECT_EQ(port.LastError(), EINVAL);
    vx::test::TempDir folder;
    vx::test::writeFile(folder / "plain", "x");
    SerialPort file;
    EXPECT_EQ(file.Open((folder / "plain").string()), ENOTTY);
    EXPECT_EQ(file.Open((folder / "missing").string()), ENOENT);
}

TEST(SerialPort, WriteReadAndTimeout)
{
    Pty pty;
    SerialPort port;
    ASSERT_EQ(port.Open(pty.name), 0);
    ASSERT_EQ(port.Setup({}), 0);
    const uint8_t out[] = {1, 2, 3};
    ASSERT_EQ(port.Write(out), 0);
    uint8_t echoed[3] = {};
    ASSERT_EQ(::read(pty.master, echoed, 3), 3);
    EXPECT_EQ(echoed[2], 3);
    std::array<uint8_t, 8> in{};
    std::size_t received = 7;
    EXPECT_EQ(port.Read(in, received, std::chrono::milliseconds(1)), 0);
    EXPECT_EQ(received, 0u);
    ASSERT_EQ(::write(pty.master, "ab", 2), 2);
    EXPECT_EQ(port.Read(in, received, std::chrono::milliseconds(5000)), 0);
    EXPECT_GE(received, 1u);
    EXPECT_EQ(in[0], 'a');
}

TEST(SerialPort, AWriteTheLineTakesLongOverIsNotCutShort)
{
    Pty pty;
    SerialPort port;
    ASSERT_EQ(port.Open(pty.name), 0);
    ASSERT_EQ(port.Setup({}), 0);
    // Far more than the pseudo-terminal buffers: the write waits on a reader that takes
    // its time, well past the half second a read or write once had.
    const std::vector<uint8_t> out(512 * 1024, 0x5A);
    std::size_t drained = 0;
    std::thread reader([&] {
        const auto start = std::chrono::steady_clock::now();
        const auto limit = start + std::chrono::seconds(30);
        std::vector<uint8_t> buffer(4096);
        // The first bytes are taken only after a while, as a slow line would.
        std::this_thread::sleep_until(start + std::chrono::milliseconds(700));
        while (drained < out.size() && std::chrono::steady_clock::now() < limit) {
            pollfd wait{pty.master, POLLIN, 0};
            if (::poll(&wait, 1, 100) > 0) {
                const ssize_t got = ::read(pty.master, buffer.data(), buffer.size());
                if (got > 0)
                    drained += std::size_t(got);
            }
        }
    });
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(port.Write(out), 0);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
    reader.join();
    EXPECT_EQ(drained, out.size());
}
