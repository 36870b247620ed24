#pragma once
// A serial line over termios: open by tty path (ports, USB adapters, pseudo-terminals),
// line settings, read with a time-out, write until drained, purge, and a listener
// thread that reports received bytes. Every operation returns 0 or an errno value and
// keeps it as the last error. A stop event (an eventfd) ends the listener and cuts any
// wait of a write or read short, so closing never hangs on a silent peer.

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <thread>

// Told on the listener thread. On Received the listener must read, or it is told again.
class SerialPortListener {
public:
    enum class Event { Received, Hangup };
    virtual ~SerialPortListener() = default;
    virtual void OnEvent(Event event) = 0;
};

class SerialPort {
public:
    // The Win32 codes "download.ini" stores.
    enum class Parity : int { None = 0, Odd = 1, Even = 2, Mark = 3, Space = 4 };
    enum class StopBits : int { One = 0, OneAndHalf = 1, Two = 2 };
    enum class Handshake : int { None = 0, Hardware = 1, XonXoff = 2 };

    struct LineSettings {
        uint32_t baudRate = 9600;
        int dataBits = 8;
        Parity parity = Parity::None;
        StopBits stopBits = StopBits::One;
        Handshake handshake = Handshake::None;
    };

    SerialPort();
    ~SerialPort();
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    // Exclusive use of a tty; EALREADY when this port is open already.
    [[nodiscard]] int Open(const std::string& path);
    // Stops the listener first, then closes.
    void Close();
    bool IsOpen() const { return m_fd >= 0; }

    [[nodiscard]] int Setup(const LineSettings& settings);
    // Writes every byte, then waits until the line has sent them. No fixed cut: a
    // 1029-byte block takes about 1.07 s at 9600 baud; the bound grows with the size.
    [[nodiscard]] int Write(std::span<const uint8_t> bytes);
    // Waits up to timeout for a first byte, then takes what is there; received is the
    // count (0 after a time-out, which is no error).
    [[nodiscard]] int Read(std::span<uint8_t> buffer, std::size_t& received, std::chrono::milliseconds timeout);
    // Discards both queues.
    [[nodiscard]] int Purge();

    // One listener; it is told until StopListener or Close. A hang-up is told once and
    // ends the thread.
    [[nodiscard]] int StartListener(SerialPortListener& listener);
    // Never from the listener's own thread.
    void StopListener();

    int LastError() const { return m_lastError; }

    // The speed constant of a baud rate; 0 when termios has none.
    static unsigned SpeedOf(uint32_t baudRate);

private:
    int Keep(int error);
    void Listen(SerialPortListener& listener);
    int WaitDrained(std::size_t bytes);

    int m_fd = -1;
    int m_stopEvent = -1;
    uint32_t m_baudRate = 9600;
    std::atomic<int> m_lastError{0};
    std::thread m_listener;
};
