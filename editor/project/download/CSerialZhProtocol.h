#pragma once
// Sends a target binary to a panel: the request byte "P", then XMODEM-1K (1024-byte
// blocks, CRC-16) driven by the panel's answers, then one final byte from the panel.
// The listener thread advances the state on every answer; the user-interface thread
// polls state, offset and deadline, and may fail a transfer whose deadline passed.
// Shared fields are single 32-bit atomics; the listener's transitions are made only
// from the state it saw, so a time-out set meanwhile is never overwritten.

#include <atomic>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "editor/project/download/CDownloadClock.h"
#include "editor/project/download/CDownloadSettings.h"
#include "editor/project/download/CXmodemBlock.h"
#include "platform/sys/SerialPort.h"

enum class DownloadState : uint32_t {
    Idle = 0,
    RequestSent = 1,
    Sending = 2,
    EndSent = 3,
    WaitingFinal = 4,
    Done = 5,
    Failed = 6,
};

class CSerialZhProtocol final : private SerialPortListener {
public:
    static constexpr uint32_t kFinalByteWaitMs = 20000;
    static constexpr std::chrono::milliseconds kAnswerReadWait{500};
    static constexpr std::u16string_view kFailedMessage = u"Downloading target binary failed.";

    explicit CSerialZhProtocol(CDownloadSettings settings, const CDownloadClock& clock = CDownloadClock::System());
    // Stops the listener before anything it uses goes.
    ~CSerialZhProtocol() override;
    CSerialZhProtocol(const CSerialZhProtocol&) = delete;
    CSerialZhProtocol& operator=(const CSerialZhProtocol&) = delete;

    // Opens the port with the listener running, then applies the line settings.
    bool OpenPort();
    // False (state Failed) when the port cannot be opened or "P" cannot be sent.
    bool StartDownload(std::span<const uint8_t> data);
    // Closes the port; returns the message to show (empty unless the transfer failed)
    // and returns to Idle.
    std::u16string FinishDownload();
    // The poll's time-out: a deadline that has passed fails the transfer.
    void CheckDeadline();

    DownloadState State() const { return DownloadState(m_state.load()); }
    uint32_t Deadline() const { return m_deadline.load(); }
    // Bytes the panel has acknowledged.
    uint32_t Offset() const { return m_offset.load(); }
    uint32_t Length() const { return m_length.load(); }
    int LastError() const { return m_port.LastError(); }
    const CDownloadSettings& Settings() const { return m_settings; }

private:
    void OnEvent(Event event) override;
    void Answer(DownloadState state, uint8_t answer);
    // Sends the block at the offset; the deadline starts when it has left the line.
    void SendBlock(DownloadState from);
    void SendEnd(DownloadState from);
    void Send(std::span<const uint8_t> bytes, DownloadState from);
    bool Advance(DownloadState from, DownloadState to);
    void Arm(uint32_t milliseconds);

    CDownloadSettings m_settings;
    const CDownloadClock& m_clock;
    std::vector<uint8_t> m_data;
    std::atomic<uint32_t> m_state{uint32_t(DownloadState::Idle)};
    std::atomic<uint32_t> m_deadline{0};
    std::atomic<uint32_t> m_offset{0};
    std::atomic<uint32_t> m_length{0};
    // Listener thread only.
    uint32_t m_blockNumber = 1;
    int m_repeats = 0;
    CXmodemBlock::Block m_block{};
    std::array<uint8_t, CXmodemBlock::kSize> m_received{};
    // Last: destroyed first, so the listener ends while the fields above still exist.
    SerialPort m_port;
};
