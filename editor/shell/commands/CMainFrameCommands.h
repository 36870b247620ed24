#pragma once
// The main frame's own commands: new, inserted, deleted and duplicated pages, the
// screen-saver page, the project and objects panes' item commands, the style gallery,
// the project's settings on the ribbon, and the target commands (Generate binary, Play,
// Download, tag memory size). They reach the editor through its host and the frame
// through CMainFrameCommandsHost, and serve at the main frame's level of the command
// table.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

#include "diagram/CommandId.h"
#include "editor/project/document/CProjectSettings.h"
#include "editor/shell/commands/CCompileSwitches.h"
#include "platform/ui/CommandTable.h"

class CEditorHost;
class CMainFrameCommandsHost;
class CPage;
class CProject;
class CSerialZhProtocol;
class CTargetDriver;

class CMainFrameCommands {
public:
    static constexpr int32_t kHoldFirstMin = 50;
    static constexpr int32_t kHoldFirstMax = 5000;
    static constexpr int32_t kHoldRepeatMin = 20;
    static constexpr int32_t kHoldRepeatMax = 2000;
    static constexpr int32_t kScreenSaverStartMax = 9999;
    static constexpr int32_t kTagMemorySizeMax = 999999;
    static constexpr int32_t kNewPageBase = 32970;   // new page of type n is 32970 + n
    static constexpr int32_t kNewPageTypes = 7;
    static constexpr std::u16string_view kScreenSaverPageName = u"Screen saver page";
    static constexpr std::u16string_view kScreenSaverTag = u"SSAVER__";
    static constexpr std::string_view kEngineProgram = "VX-Engine";
    // The simulation's files in the temporary folder: "temp." + "ddd" and + "dtags".
    static constexpr std::string_view kSimulationTarget = "temp.ddd";
    static constexpr std::string_view kSimulationTags = "temp.dtags";

    // Both hosts outlive the commands.
    CMainFrameCommands(CEditorHost& editor, CMainFrameCommandsHost& frame);
    ~CMainFrameCommands();
    CMainFrameCommands(const CMainFrameCommands&) = delete;
    CMainFrameCommands& operator=(const CMainFrameCommands&) = delete;

    // Every command with its update handler, into the main frame's target.
    void Register(CommandTarget& target);

    // Pages. A new page of type n (command 32970 + n); 32974 is the screen-saver page.
    void OnNewPage(int32_t commandId);
    // A new page (unique name, default settings) at position (0 top, the page count
    // appends).
    CPage& InsertNewPage(int32_t position);
    void DeletePage(CPage& page);
    void DuplicatePage(CPage& page);
    void CreateScreenSaverPage();

    // The objects pane's selected item selected on the page (Ctrl adds to the selection).
    void OnSelectObject();
    void OnStyleGallery();
    void OnUpdateStyleGallery(CommandState& state);

    // The edit's text as an integer clamped to minimum..maximum; a clamped value is
    // written back into the edit ("%d").
    int32_t GetRibbonEditInt(int32_t maximum, int32_t minimum, CommandId edit);

    // Target commands.
    void OnBuildTarget();
    void OnSimulate();
    void OnDownload();
    void OnTagMemorySize();
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
    // A project setting changed: modified, target stale, title.
    void SettingChanged();
    void RegisterPages(CommandTarget& target);
    void RegisterPanes(CommandTarget& target);
    void RegisterSettings(CommandTarget& target);
    void RegisterTargetSettings(CommandTarget& target);
    void RegisterTarget(CommandTarget& target);
    struct NumberSetting {
        CommandId edit;
        int32_t CProjectSettings::*member;
        int32_t minimum, maximum;
        ControlKind kind;
    };
    static const NumberSetting kNumberSettings[];
    void OnNumberSetting(const NumberSetting& setting);
    void OnColorDepth(int32_t bits);
    void OnTextAntiAliasing();
    void OnNativeEncoding();
    void OnSelectedPage(void (CMainFrameCommands::*operation)(CPage&));
    void OpenSelectedPage(CPage& page);
    void ActivateSelectedPage(CPage& page);
    void DeleteSelectedPage(CPage& page);
    void DuplicateSelectedPage(CPage& page);
    void OnInsertActionFromList();

    CEditorHost& m_editor;
    CMainFrameCommandsHost& m_frame;
    std::unique_ptr<RibbonFields> m_ribbonFields;
    // The driver and its serial line belong to the project they were made for.
    CProject* m_driverProject = nullptr;
    std::unique_ptr<CSerialZhProtocol> m_protocol;
    std::unique_ptr<CTargetDriver> m_driver;
    CCompileSwitches m_switches;
    std::filesystem::path m_programFolder;
    std::filesystem::path m_temporaryFolder;
    std::optional<pid_t> m_lastEngine;
    // The style names the gallery's update saw last.
    std::vector<std::u16string> m_galleryStyles;
    bool m_galleryStylesSeen = false;
};
