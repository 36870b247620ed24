// The sender against a receiver the test plays byte by byte on a pseudo-terminal.
#include <gtest/gtest.h>

#include "editor/project/download/CDownloadMonitor.h"
#include "tests/support/editor/DownloadPeer.h"
#include "tests/support/TestEnvironment.h"

using vx::test::ManualClock;
using vx::test::PtyPeer;

namespace {

constexpr std::size_t kBlock = CXmodemBlock::kSize;

std::vector<uint8_t> binaryOf(std::size_t size)
{
    std::vector<uint8_t> data(size);
    for (std::size_t i = 0; i < size; ++i)
        data[i] = uint8_t(i * 7 + 3);
    return data;
}

struct Sender {
    explicit Sender(PtyPeer& peer, int retries = 3, uint32_t timeoutMs = 5000)
        : protocol(vx::test::DownloadSettingsFor(peer.SlavePath(), retries, timeoutMs), clock)
    {
    }
    ManualClock clock;
    CSerialZhProtocol protocol;
    CDownloadMonitor monitor;
};

// Starts, checks "P", answers "C" and takes the first block.
std::string startTransfer(PtyPeer& peer, Sender& sender, std::span<const uint8_t> binary)
{
    EXPECT_TRUE(sender.protocol.StartDownload(binary));
    EXPECT_EQ(peer.ReadBytes(1), "P");
    peer.Answer(CXmodemBlock::kReady);
    return peer.ReadBytes(kBlock);
}

// A one-block binary sent and acknowledged, up to its end byte.
void sendToEnd(PtyPeer& peer, Sender& sender, std::span<const uint8_t> binary)
{
    ASSERT_EQ(startTransfer(peer, sender, binary).size(), kBlock);
    EXPECT_EQ(sender.monitor.Poll(sender.protocol).output, u"  0 %");
    peer.Answer(CXmodemBlock::kAck);
    EXPECT_EQ(peer.ReadBytes(1), "\x04");
}

} // namespace

TEST(CXmodemBlock, LayoutPaddingAndWrap)
{
    const std::vector<uint8_t> binary = binaryOf(1025);
    CXmodemBlock::Block block;
    CXmodemBlock::Build(binary, 1024, 256 + 2, block);
    EXPECT_EQ(block[0], CXmodemBlock::kStart);
    EXPECT_EQ(block[1], 2);
    EXPECT_EQ(block[2], 253);
    EXPECT_EQ(block[3], binary[1024]);
    EXPECT_TRUE(std::all_of(block.begin() + 4, block.begin() + 3 + 1024, [](uint8_t b) { return b == 0x1A; }));
    // The XMODEM check value of "123456789".
    const std::string check = "123456789";
    EXPECT_EQ(CXmodemBlock::Crc16({reinterpret_cast<const uint8_t*>(check.data()), check.size()}), 0x31C3);
    const uint16_t crc = CXmodemBlock::Crc16({block.data() + 3, 1024});
    EXPECT_EQ(block[1027], crc >> 8);
    EXPECT_EQ(block[1028], crc & 0xFF);
}

TEST(CSerialZhProtocol, RetriesAllowThreeRepeatsTheFourthNakFails)
{
    PtyPeer peer;
    Sender sender(peer);
    const std::vector<uint8_t> binary = binaryOf(100);
    const std::string first = startTransfer(peer, sender, binary);
    ASSERT_EQ(first.size(), kBlock);
    for (int repeat = 0; repeat < 3; ++repeat) {
        peer.Answer(CXmodemBlock::kNak);
        EXPECT_EQ(peer.ReadBytes(kBlock), first) << repeat;
    }
    peer.Answer(CXmodemBlock::kNak);
    ASSERT_TRUE(vx::test::WaitForState(sender.protocol, {DownloadState::Failed}));
    const CDownloadPoll poll = sender.monitor.Poll(sender.protocol);
    EXPECT_EQ(poll.output, u"\r\n");
    EXPECT_EQ(poll.message, CSerialZhProtocol::kFailedMessage);
    EXPECT_EQ(sender.protocol.State(), DownloadState::Idle);
}

TEST(CSerialZhProtocol, EndRepeatedUntilAcknowledgedThenFinalByte)
{
    // The ACK of the end and the final byte may come apart or in one read: both count.
    for (const bool together : {false, true}) {
        PtyPeer peer;
        Sender sender(peer);
        const std::vector<uint8_t> binary = binaryOf(1024);
        sendToEnd(peer, sender, binary);
        peer.Answer(CXmodemBlock::kNak);
        EXPECT_EQ(peer.ReadBytes(1), "\x04");
        if (together) {
            peer.Answer(std::string_view("\x06" "F", 2));
        } else {
            peer.Answer(CXmodemBlock::kAck);
            ASSERT_TRUE(vx::test::WaitForState(sender.protocol, {DownloadState::WaitingFinal}));
            EXPECT_EQ(sender.monitor.Poll(sender.protocol).output, u" 99 %");
            peer.Answer('F');
        }
        ASSERT_TRUE(vx::test::WaitForState(sender.protocol, {DownloadState::Done}, std::chrono::seconds(10)))
            << together << " " << int(sender.protocol.State());
        EXPECT_EQ(sender.protocol.Deadline(), 0u);
        const CDownloadPoll poll = sender.monitor.Poll(sender.protocol);
        EXPECT_FALSE(poll.running);
        EXPECT_EQ(poll.output, u"100 %\r\n");
        EXPECT_EQ(poll.message, u"");
    }
}

TEST(CSerialZhProtocol, WhatTheLineHeldBeforeTheRequestIsNoAnswer)
{
    PtyPeer peer;
    Sender sender(peer);
    peer.Answer(CXmodemBlock::kNak);   // left over from an earlier session
    const std::vector<uint8_t> binary = binaryOf(10);
    EXPECT_EQ(startTransfer(peer, sender, binary).size(), kBlock);
    EXPECT_EQ(sender.protocol.State(), DownloadState::Sending);
}

TEST(CSerialZhProtocol, FailuresNeverShowAHundredPercent)
{
    struct Case {
        const char* what;
        std::function<void(PtyPeer&, Sender&)> provoke;
    };
    const std::vector<uint8_t> binary = binaryOf(3000);
    const Case cases[] = {
        {"another answer than C",
         [&](PtyPeer& peer, Sender& sender) {
             ASSERT_TRUE(sender.protocol.StartDownload(binary));
             EXPECT_EQ(peer.ReadBytes(1), "P");
             peer.Answer(CXmodemBlock::kNak);
         }},
        {"a stray byte while blocks go",
         [&](PtyPeer& peer, Sender& sender) {
             (void)startTransfer(peer, sender, binary);
             peer.Answer('C');
         }},
        {"the line hangs up",
         [&](PtyPeer& peer, Sender& sender) {
             (void)startTransfer(peer, sender, binary);
             peer.CloseMaster();
         }},
        {"the answer's deadline passes",
         [&](PtyPeer& peer, Sender& sender) {
             (void)startTransfer(peer, sender, binary);
             // The answer's deadline starts once the block has left the line.
             ASSERT_TRUE(vx::test::WaitUntil([&] { return sender.protocol.Deadline() != 0; }));
             sender.clock.Advance(5000);
             EXPECT_TRUE(sender.monitor.Poll(sender.protocol).running);
         }},
    };
    for (const Case& c : cases) {
        PtyPeer peer;
        Sender sender(peer);
        c.provoke(peer, sender);
        ASSERT_TRUE(vx::test::WaitForState(sender.protocol, {DownloadState::Failed})) << c.what;
        std::u16string output;
        CDownloadPoll poll;
        do {
            poll = sender.monitor.Poll(sender.protocol);
            output += poll.output;
        } while (poll.running);
        EXPECT_EQ(output.find(u"100 %"), std::u16string::npos) << c.what;
        EXPECT_EQ(poll.message, CSerialZhProtocol::kFailedMessage) << c.what;
    }
}

TEST(CSerialZhProtocol, ZeroTimeoutFailsTheFirstPoll)
{
    PtyPeer peer;
    Sender sender(peer, 3, 0);
    const std::vector<uint8_t> binary = binaryOf(10);
    ASSERT_TRUE(sender.protocol.StartDownload(binary));
    EXPECT_TRUE(sender.monitor.Poll(sender.protocol).running);
    EXPECT_EQ(sender.protocol.State(), DownloadState::Failed);
}

TEST(CSerialZhProtocol, NoPortNoStart)
{
    vx::test::TempDir folder;
    // A missing file: port 0, 0 baud, 0 data bits.
    const CDownloadSettings missing = CDownloadSettings::Read(folder / "download.ini");
    EXPECT_EQ(missing.port, 0);
    EXPECT_EQ(missing.line.baudRate, 0u);
    EXPECT_EQ(missing.DevicePath(), "");
    CSerialZhProtocol protocol(missing);
    const std::vector<uint8_t> binary = binaryOf(10);
    EXPECT_FALSE(protocol.StartDownload(binary));
    EXPECT_EQ(protocol.State(), DownloadState::Failed);
    EXPECT_EQ(protocol.FinishDownload(), CSerialZhProtocol::kFailedMessage);

    vx::test::writeFile(folder / "download.ini", "[Serial]\nport=3\nbaudrate=115200\ndataBits=7\nparity=2\n"
                                                 "stopBits=2\nhandshake=1\nretries=5\ntimeout=1500\n");
    const CDownloadSettings three = CDownloadSettings::Read(folder / "download.ini");
    EXPECT_EQ(three.DevicePath(), "/dev/ttyS2");
    EXPECT_EQ(three.line.baudRate, 115200u);
    EXPECT_EQ(three.line.dataBits, 7);
    EXPECT_EQ(three.line.parity, SerialPort::Parity::Even);
    EXPECT_EQ(three.line.stopBits, SerialPort::StopBits::Two);
    EXPECT_EQ(three.line.handshake, SerialPort::Handshake::Hardware);
    EXPECT_EQ(three.retries, 5);
    EXPECT_EQ(three.timeoutMs, 1500u);
    vx::test::writeFile(folder / "download.ini", "[serial]\nPORT=3\ndevice=/dev/ttyUSB0\n");
    EXPECT_EQ(CDownloadSettings::Read(folder / "download.ini").DevicePath(), "/dev/ttyUSB0");
}

TEST(CSerialZhProtocol, ClosingDuringADownloadStopsTheListenerFirst)
{
    PtyPeer peer;
    const std::vector<uint8_t> binary = binaryOf(50000);
    {
        Sender sender(peer);
        (void)startTransfer(peer, sender, binary);
        peer.Answer(CXmodemBlock::kAck);
        // Gone while the listener is sending: it ends before anything it uses.
    }
    SUCCEED();
}
