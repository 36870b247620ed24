#pragma once
// Delivers the open project's target binary: saved to a file (the build command and the
// simulator), or sent to the panel over the serial port with its progress polled. The
// binary is rebuilt only when the project changed since the last compile; errors refuse
// delivery, warnings only warn.

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "editor/project/download/CDownloadMonitor.h"

class CProject;
class CRibbonFields;
class CSerialZhProtocol;

class CTargetDriver {
public:
    // The protocol is the project's serial line; none where nothing can be downloaded.
    explicit CTargetDriver(CProject& project, CSerialZhProtocol* protocol = nullptr);
    // Stops a running transfer first, so the listener never outlives what it sends.
    ~CTargetDriver();
    CTargetDriver(const CTargetDriver&) = delete;
    CTargetDriver& operator=(const CTargetDriver&) = delete;

    // Compiles when the project changed (the target is stale): the old binary goes, the
    // result is reset.
    void Rebuild();
    // Writes the binary (and beside a rebuilt one its tag listing, path + ".tags")
    // through a temporary file in the same folder renamed over the old one, so a running
    // engine never reads half a file. False when a download runs, errors refuse it, or
    // the file cannot be written.
    bool SaveTargetBinary(const std::filesystem::path& path);
    // Takes the layer position from the ribbon's fields into the settings, then saves.
    bool BuildTarget(const std::filesystem::path& path, const CRibbonFields& fields);
    bool Download();
    // From the editor's idle time; false when no download runs.
    bool PollDownload();

    std::span<const uint8_t> Binary() const { return m_binary; }
    uint32_t Result() const { return m_result; }
    // How many compiles ran; saving an unchanged project compiles nothing.
    int CompileCount() const { return m_compileCount; }

private:
    // False when errors refuse delivery; warnings are shown and delivery goes on.
    bool AcceptResult();
    void Compile();

    CProject& m_project;
    CSerialZhProtocol* m_protocol;
    CDownloadMonitor m_monitor;
    std::vector<uint8_t> m_binary;
    uint32_t m_result = 0;
    int m_compileCount = 0;
};
