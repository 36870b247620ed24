#pragma once
// The editor's one application object: it brings the editor up behind its splash screen
// in a fixed order, runs the event loop inside the crash guard, does the idle work
// (closing the splash screen, keeping the panes in step with the selection, polling a
// running download) and takes everything down again in order on exit.

#include <QObject>
#include <QRect>
#include <QString>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sys/CrashGuard.h"
#include "platform/ui/CommandTable.h"

class CCompileStartup;
class CFileCommands;
class CFrameConnection;
class CMainFrame;
class CPathSettings;
class CProject;
class CRecentFileList;
class CSplashScreenEx;
class IdleHook;
class Registry;

// What the shut-down did, in the order it did it.
enum class ShutdownStep { FoldersWritten, WorkerStopped, ImageLibraryReleased, CompressionMemoryFreed, FontsCleared };

class CScenewright2App : public QObject {
    Q_OBJECT
public:
    // The crash report's fields.
    static constexpr const char* kReportApplication = "VX Editor";
    static constexpr const char* kReportSubject = "VX Editor error report";
    static constexpr const char* kReportText = "VX Editor error report content is in attachment";
    static constexpr const char* kVersion = VX_EDITOR_VERSION;
    // The splash screen's texts and where they stand on its picture.
    static constexpr const char* kStatusInitializing = "Initializing application...";
    static constexpr const char* kStatusLoadingInterface = "Loading settings and user interface...";
    static constexpr const char* kStatusEnumeratingFonts = "Enumerating fonts...";
    static constexpr const char* kStatusReady = "Ready!";
    static constexpr QRect kVersionRect{QPoint(76, 240), QPoint(289, 314)};
    static constexpr QRect kStatusRect{QPoint(160, 370), QPoint(479, 409)};

    // programFolder: where the program lies with its Styles/, art/ and presets/.
    explicit CScenewright2App(std::filesystem::path programFolder = {});
    ~CScenewright2App() override;
    CScenewright2App(const CScenewright2App&) = delete;
    CScenewright2App& operator=(const CScenewright2App&) = delete;

    // The one application object while it lives; none before and after.
    static CScenewright2App* Get();

    // False when the editor could not come up; the process ends then.
    bool InitInstance();
    // The event loop inside the crash guard: its exit code, or 1 when the guard could not
    // be installed.
    int Run();
    // What a crash report holds and where it goes (the user's data folder).
    static CrashReportInfo CrashReport();
    // The idle pass: true while more idle work is wanted.
    bool OnIdle();
    int ExitInstance();
    // From the recent-file list: opened as a project, never as an import.
    void OpenDocumentFile(const std::filesystem::path& path);

    CMainFrame* GetMainFrame() const { return m_mainFrame.get(); }
    CProject* GetProject() const;
    Registry& GetRegistry() const { return *m_registry; }
    CRecentFileList& RecentFiles() const { return *m_recentFiles; }
    CommandTable& Commands() const { return *m_commands; }
    // The file commands, which hold the current project; none before the start-up made them.
    CFileCommands* FileCommands() const { return m_fileCommands.get(); }
    IdleHook* Idle() const { return m_idle.get(); }
    // How the model's changes reach the open project and the views, for the application's life.
    CFrameConnection& Connection() const { return *m_connection; }

    const std::filesystem::path& GetProgramFolder() const { return m_programFolder; }
    // The user's temporary folder.
    static std::filesystem::path GetTempFolder();
    static std::filesystem::path GetFolderOfPath(const std::filesystem::path& path);
    // "AppSettings" values; an empty one falls back to the documents folder + "VX-Engine Projects".
    std::u16string GetPathSetting(std::string_view key) const;
    void SetPathSetting(std::string_view key, std::u16string_view value);
    std::u16string& ProjectsFolder() { return m_projectsFolder; }
    std::u16string& DownloadsFolder() { return m_downloadsFolder; }
    std::u16string& ImagesFolder() { return m_imagesFolder; }
    std::filesystem::path GetPresetsFolder() const { return m_programFolder / "presets"; }
    // The program's path with the extension ".chm".
    std::filesystem::path GetHelpFilePath() const { return m_programFolder / "VX-Editor.chm"; }

    // The splash screen's status line; every text it was given, in order.
    void SetSplashStatus(const QString& text);
    const std::vector<QString>& SplashHistory() const { return m_splashHistory; }
    CSplashScreenEx* Splash() const { return m_splash; }

    // What polls a running download (the target driver's poll); while the project
    // downloads, a timer calls it until it answers false.
    void SetDownloadPoll(std::function<bool()> poll) { m_downloadPoll = std::move(poll); }
    const QTimer& DownloadTimer() const { return m_downloadTimer; }
    static constexpr int kDownloadPollMs = 50;

    const std::vector<ShutdownStep>& ShutdownTrace() const { return m_shutdownTrace; }

private:
    void CreateSplash();
    void CloseSplash();
    void PollDownload();

    std::filesystem::path m_programFolder;
    // Installed first and given back last: nothing of the editor runs without it.
    std::unique_ptr<CFrameConnection> m_connection;
    std::unique_ptr<Registry> m_registry;
    std::unique_ptr<CPathSettings> m_pathSettings;
    std::unique_ptr<CRecentFileList> m_recentFiles;
    std::unique_ptr<CommandTable> m_commands;
    std::unique_ptr<IdleHook> m_idle;
    std::unique_ptr<CCompileStartup> m_startup;
    std::unique_ptr<CMainFrame> m_mainFrame;
    // Made after the frame it reaches, gone before it.
    std::unique_ptr<CFileCommands> m_fileCommands;
    // Owned by its window, which deletes itself when closed.
    CSplashScreenEx* m_splash = nullptr;
    std::vector<QString> m_splashHistory;

    std::u16string m_projectsFolder;
    std::u16string m_downloadsFolder;
    std::u16string m_imagesFolder;

    std::function<bool()> m_downloadPoll;
    QTimer m_downloadTimer;
    std::vector<ShutdownStep> m_shutdownTrace;
    bool m_workerStarted = false;
};
