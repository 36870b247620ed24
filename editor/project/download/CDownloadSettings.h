#pragma once
// The "Serial" section of "download.ini" beside the editor's program: the line, the
// retries and the answer time-out. Every key is read as text and taken as an integer; a
// missing key counts as 0. "port" n names /dev/ttyS(n-1); a "device" key names any tty
// path instead (a USB adapter, a pseudo-terminal).

#include <cstdint>
#include <filesystem>
#include <string>

#include "platform/sys/SerialPort.h"

struct CDownloadSettings {
    static constexpr std::u16string_view kFileName = u"download.ini";
    static constexpr std::u16string_view kSection = u"Serial";

    SerialPort::LineSettings line;
    int retries = 0;
    uint32_t timeoutMs = 0;
    int port = 1;
    std::string device; // from "device"; empty when the file names none

    // The settings a missing file leaves: port 0, 0 baud, 0 data bits, and so on.
    static CDownloadSettings Read(const std::filesystem::path& iniPath);
    // "download.ini" in the running program's folder.
    static std::filesystem::path DefaultPath();

    // The tty to open; empty when there is none (port 0 and no "device").
    std::string DevicePath() const;
};
