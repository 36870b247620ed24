#pragma once
// The target commands: Generate binary writes the project's target where the user
// chooses, Play hands it to the engine program as a simulation, Download sends it to a
// panel. Each build sets the compile switches of its kind first. The compiled target and
// the serial line belong to the project they were made for.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

#include "editor/shell/commands/CCompileSwitches.h"

class CEditorHost;
class CMainFrameCommandsHost;
class CProject;
class CSerialZhProtocol;
class CTargetDriver;
struct CPageSize;

class CTargetCommands {
public:
    static constexpr std::string_view kEngineProgram = "VX-Engine";
    // The simulation's files in the temporary folder: "temp." + "ddd" and + "dtags".
    static constexpr std::string_view kSimulationTarget = "temp.ddd";
    static constexpr std::string_view kSimulationTags = "temp.dtags";

    // Both hosts outlive the commands.
    CTargetCommands(CEditorHost& editor, CMainFrameCommandsHost& frame);
    ~CTargetCommands();
    CTargetCommands(const CTargetCommands&) = delete;
    CTargetCommands& operator=(const CTargetCommands&) = delete;

    void OnBuildTarget();
    void OnSimulate();
    void OnDownload();
    // One poll of a running download (the frame's timer); false when none runs.
    bool PollDownload();
    bool IsDownloading() const;
    // The project is about to go: a running download is stopped and the compiled target
    // forgotten.
    void ForgetProject();

    // The engine's arguments: "-w", width, "-h", height, "-m", tag memory, the path.
    static std::vector<std::string> EngineArguments(const CPageSize& size, int32_t tagMemorySize,
                                                    const std::filesystem::path& target);
    // Where the engine and "download.ini" lie (the program's folder by default), and
    // the simulation's folder (the user's private temporary folder by default).
    void SetProgramFolder(const std::filesystem::path& folder) { m_programFolder = folder; }
    void SetTemporaryFolder(const std::filesystem::path& folder) { m_temporaryFolder = folder; }
    // The engine the last Play started; none when it did not start.
    std::optional<pid_t> LastEnginePid() const { return m_lastEngine; }

private:
    class RibbonFields;

    CProject* Project() const;
    // The driver of the open project, made on first use.
    CTargetDriver& Driver(CProject& project);
    std::filesystem::path ProgramFolder() const;
    // Empty, with the reason reported in the output pane, when there is none.
    std::filesystem::path TemporaryFolder();
    void ReportFailure(std::u16string_view text);

    CEditorHost& m_editor;
    CMainFrameCommandsHost& m_frame;
    std::unique_ptr<RibbonFields> m_ribbonFields;
    CProject* m_driverProject = nullptr;
    // The line goes after the driver, which stops a transfer on it first.
    std::unique_ptr<CSerialZhProtocol> m_protocol;
    std::unique_ptr<CTargetDriver> m_driver;
    CCompileSwitches m_switches;
    std::filesystem::path m_programFolder;
    std::filesystem::path m_temporaryFolder;
    std::optional<pid_t> m_lastEngine;
};
