#pragma once
// Peers for the serial download tests: lrzsz's rx behind a socat pseudo-terminal pair,
// and a pseudo-terminal whose far end the test drives byte by byte.

#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

#include "editor/project/download/CDownloadClock.h"
#include "editor/project/download/CSerialZhProtocol.h"

namespace vx::test {

// A clock that moves only when told.
class ManualClock final : public CDownloadClock {
public:
    uint32_t Now() const override { return m_now.load(); }
    void Advance(uint32_t milliseconds) { m_now += milliseconds; }

private:
    std::atomic<uint32_t> m_now{1000};
};

// A child process in a group of its own, ended with its group when the object goes.
class ChildProcess {
public:
    explicit ChildProcess(const std::vector<std::string>& arguments);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    bool Started() const { return m_pid > 0; }

private:
    pid_t m_pid = -1;
};

enum class FinalByte { Sent, Missing };

// "socat pty,raw,echo=0,link=A pty,raw,echo=0,link=B"; on B a wrapper swallows the
// request byte, runs "rx -X -c" into a file, then answers the final byte (or not).
class RxPeer {
public:
    RxPeer(const std::filesystem::path& folder, FinalByte finalByte, const std::vector<std::string>& rxOptions = {});
    ~RxPeer();
    bool Ready() const { return m_ready; }
    // The sender's end.
    std::string Device() const { return m_a.string(); }
    std::string Received() const;
    std::string Log() const;

private:
    std::filesystem::path m_a, m_b, m_received;
    std::unique_ptr<ChildProcess> m_socat;
    std::unique_ptr<ChildProcess> m_wrapper;
    bool m_ready = false;
};

// A pseudo-terminal; the sender opens SlavePath, the test reads and answers on the master.
class PtyPeer {
public:
    PtyPeer();
    ~PtyPeer();
    std::string SlavePath() const { return m_slavePath; }
    // Bytes the sender wrote, waiting up to timeout for count of them.
    std::string ReadBytes(std::size_t count, std::chrono::milliseconds timeout = std::chrono::seconds(10));
    void Answer(uint8_t byte);
    // Several answers in one write, so the sender may read them together.
    void Answer(std::string_view bytes);
    void CloseMaster();

private:
    int m_master = -1;
    int m_slave = -1; // held open, so a closed sender end never hangs up the line
    std::string m_slavePath;
};

// Settings for a peer on device: 8N1, the given retries and answer time-out.
CDownloadSettings DownloadSettingsFor(const std::string& device, int retries = 3, uint32_t timeoutMs = 5000);

// Waits (bounded) until condition holds.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit = std::chrono::seconds(60));

// Waits (bounded) until the protocol reaches one of the states.
bool WaitForState(const CSerialZhProtocol& protocol, std::initializer_list<DownloadState> states,
                  std::chrono::milliseconds limit = std::chrono::seconds(60));

} // namespace vx::test
