// The download against a real XMODEM receiver: lrzsz's rx on a socat pseudo-terminal pair.
#include <gtest/gtest.h>

#include <numeric>

#include "editor/project/download/CDownloadMonitor.h"
#include "tests/support/editor/DownloadPeer.h"
#include "tests/support/TestEnvironment.h"

using vx::test::FinalByte;
using vx::test::ManualClock;
using vx::test::RxPeer;

namespace {

std::vector<uint8_t> binaryOf(std::size_t size)
{
    std::vector<uint8_t> data(size);
    uint32_t seed = 0x12345678;
    for (uint8_t& byte : data) {
        seed = seed * 1103515245 + 12345;
        byte = uint8_t(seed >> 16);
    }
    return data;
}

// What rx keeps: the binary, then only the padding of its last block.
void expectReceived(const std::string& received, const std::vector<uint8_t>& sent)
{
    const std::size_t blocks = (sent.size() + CXmodemBlock::kDataSize - 1) / CXmodemBlock::kDataSize;
    ASSERT_GE(received.size(), sent.size());
    ASSERT_LE(received.size(), blocks * CXmodemBlock::kDataSize);
    EXPECT_TRUE(std::equal(sent.begin(), sent.end(), reinterpret_cast<const uint8_t*>(received.data())));
    for (std::size_t i = sent.size(); i < received.size(); ++i)
        ASSERT_EQ(uint8_t(received[i]), CXmodemBlock::kPadding) << i;
}

// Polls as the editor's idle processing does until the transfer ends; the output text.
std::u16string pollToEnd(CSerialZhProtocol& protocol, CDownloadMonitor& monitor, std::u16string& message)
{
    std::u16string output;
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    for (;;) {
        const CDownloadPoll poll = monitor.Poll(protocol);
        output += poll.output;
        message += poll.message;
        if (!poll.running || std::chrono::steady_clock::now() > limit)
            return output;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

enum class Outcome { Done, AllAcknowledged, Failed };

struct Transfer {
    const char* name;
    std::size_t size;
    std::vector<std::string> rxOptions;
    Outcome outcome;
};

// Named in the test's output by its name alone.
void PrintTo(const Transfer& transfer, std::ostream* out)
{
    *out << transfer.name;
}

class RxDownload : public ::testing::TestWithParam<Transfer> {};

} // namespace

TEST_P(RxDownload, ReceivedFileIsTheBinary)
{
    vx::test::TempDir folder;
    RxPeer peer(folder.path(), FinalByte::Sent, GetParam().rxOptions);
    ASSERT_TRUE(peer.Ready());
    ManualClock clock;
    CSerialZhProtocol protocol(vx::test::DownloadSettingsFor(peer.Device()), clock);
    CDownloadMonitor monitor;
    const std::vector<uint8_t> binary = binaryOf(GetParam().size);
    ASSERT_TRUE(protocol.StartDownload(binary));
    if (GetParam().outcome == Outcome::AllAcknowledged) {
        // rx with its own CRC errors does not end after the last ACK, so no final byte.
        ASSERT_TRUE(vx::test::WaitForState(protocol, {DownloadState::WaitingFinal, DownloadState::Done}))
            << int(protocol.State()) << peer.Log();
        expectReceived(peer.Received(), binary);
        EXPECT_NE(peer.Log().find("Retry"), std::string::npos) << "no block was repeated";
        return;
    }
    std::u16string message;
    const std::u16string output = pollToEnd(protocol, monitor, message);
    if (GetParam().outcome == Outcome::Done) {
        EXPECT_EQ(message, u"") << peer.Log();
        EXPECT_TRUE(output.ends_with(u" 99 %100 %\r\n")) << std::string(output.begin(), output.end());
        expectReceived(peer.Received(), binary);
    } else {
        EXPECT_EQ(message, CSerialZhProtocol::kFailedMessage);
        EXPECT_EQ(output.find(u"100 %"), std::u16string::npos);
        EXPECT_TRUE(output.ends_with(u"\r\n"));
    }
    EXPECT_EQ(protocol.State(), DownloadState::Idle) << peer.Log();
}

INSTANTIATE_TEST_SUITE_P(Sizes, RxDownload,
                         ::testing::Values(Transfer{"TwoBlocks", 2048, {}, Outcome::Done},
                                           Transfer{"OneByteIntoAThirdBlock", 2049, {}, Outcome::Done},
                                           // More than 255 blocks: the block number wraps.
                                           Transfer{"BlockNumbersWrap", 300 * 1024 + 7, {}, Outcome::Done},
                                           // rx's own CRC errors: NAKs within the retries.
                                           Transfer{"NaksWithinTheRetries", 8 * 1024, {"--errors", "3000"},
                                                    Outcome::AllAcknowledged},
                                           // Every block spoiled: the fourth NAK fails.
                                           Transfer{"RetriesExhausted", 4096, {"--errors", "1"}, Outcome::Failed}),
                         [](const ::testing::TestParamInfo<Transfer>& info) { return std::string(info.param.name); });

TEST(RxDownloadFinalByte, MissingFinalByteFailsAfterTwentySeconds)
{
    vx::test::TempDir folder;
    RxPeer peer(folder.path(), FinalByte::Missing);
    ASSERT_TRUE(peer.Ready());
    ManualClock clock;
    CSerialZhProtocol protocol(vx::test::DownloadSettingsFor(peer.Device()), clock);
    CDownloadMonitor monitor;
    const std::vector<uint8_t> binary = binaryOf(3000);
    ASSERT_TRUE(protocol.StartDownload(binary));
    ASSERT_TRUE(vx::test::WaitForState(protocol, {DownloadState::WaitingFinal, DownloadState::Failed}))
        << int(protocol.State()) << " " << peer.Log();
    ASSERT_EQ(protocol.State(), DownloadState::WaitingFinal) << peer.Log();
    clock.Advance(CSerialZhProtocol::kFinalByteWaitMs - 1);
    EXPECT_TRUE(monitor.Poll(protocol).running);
    EXPECT_EQ(protocol.State(), DownloadState::WaitingFinal);
    clock.Advance(1);
    EXPECT_TRUE(monitor.Poll(protocol).running);
    EXPECT_EQ(protocol.State(), DownloadState::Failed);
    const CDownloadPoll last = monitor.Poll(protocol);
    EXPECT_FALSE(last.running);
    EXPECT_EQ(last.output, u"\r\n");
    EXPECT_EQ(last.message, CSerialZhProtocol::kFailedMessage);
    expectReceived(peer.Received(), binary);
}
