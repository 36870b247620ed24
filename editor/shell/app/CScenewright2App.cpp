#include "editor/shell/app/CScenewright2App.h"

#include <QApplication>
#include <QMetaObject>
#include <QStandardPaths>
#include <array>
#include <cstdlib>
#include <ctime>

#include "editor/objects/CProgramFolder.h"
#include "editor/project/compile/CCompileStartup.h"
#include "editor/project/document/CProject.h"
#include "editor/shell/CPathSettings.h"
#include "editor/shell/CRecentFileList.h"
#include "editor/shell/CSplashScreenEx.h"
#include "editor/shell/file/CFileCommands.h"
#include "editor/shell/frame/CFrameConnection.h"
#include "editor/shell/frame/CMainFrame.h"
#include "foundation/worker/CBkgWorker.h"
#include "platform/sys/Registry.h"
#include "platform/ui/IdleHook.h"
#include "platform/ui/Prompts.h"
#include "platform/ui/ribbon/CRibbonBar.h"

namespace {

CScenewright2App* g_application = nullptr;

// The start-up's release steps, in the order of CCompileStartup::Released.
constexpr std::array<ShutdownStep, 3> kReleasedSteps{ShutdownStep::ImageLibraryReleased,
                                                     ShutdownStep::CompressionMemoryFreed, ShutdownStep::FontsCleared};

} // namespace

CScenewright2App::CScenewright2App(std::filesystem::path programFolder)
    : m_programFolder(programFolder.empty() ? CProgramFolder::Path() : std::move(programFolder)),
      m_connection(std::make_unique<CFrameConnection>()),
      m_registry(std::make_unique<Registry>()),
      m_pathSettings(std::make_unique<CPathSettings>(*m_registry)),
      m_recentFiles(std::make_unique<CRecentFileList>(*m_registry)),
      m_commands(std::make_unique<CommandTable>())
{
    g_application = this;
    m_downloadTimer.setInterval(kDownloadPollMs);
    connect(&m_downloadTimer, &QTimer::timeout, this, &CScenewright2App::PollDownload);
}

CScenewright2App::~CScenewright2App()
{
    m_idle.reset();
    if (m_splash)
        m_splash->deleteLater();
    m_commands->setActive(CommandLevel::Application, nullptr);
    // Open pages give their objects back before the project goes with the file commands.
    if (m_mainFrame)
        m_mainFrame->AttachProject(nullptr);
    m_fileCommands.reset();
    m_mainFrame.reset();
    if (g_application == this)
        g_application = nullptr;
}

CScenewright2App* CScenewright2App::Get() { return g_application; }

bool CScenewright2App::InitInstance()
{
    CreateSplash();
    m_projectsFolder = GetPathSetting(CPathSettings::kProjectsPath);
    m_downloadsFolder = GetPathSetting(CPathSettings::kDownloadsPath);
    m_imagesFolder = GetPathSetting(CPathSettings::kImagesPath);
    std::srand(unsigned(std::time(nullptr)));

    // The frame's style gallery shows the themes; the fonts follow once it is up.
    m_startup = std::make_unique<CCompileStartup>(m_programFolder / "Styles", CCompileStartup::Fonts::Later);
    m_mainFrame = std::make_unique<CMainFrame>(*this);
    m_connection->SetFrame(m_mainFrame.get());
    m_fileCommands = std::make_unique<CFileCommands>(*m_mainFrame, *m_mainFrame);
    m_commands->setActive(CommandLevel::Application, &m_fileCommands->GetCommandTarget());
    if (!m_mainFrame->OnCreate()) {
        m_commands->setActive(CommandLevel::Application, nullptr);
        m_fileCommands.reset();
        m_mainFrame.reset();
        m_startup.reset();
        CloseSplash();
        return false;
    }
    m_mainFrame->show();

    SetSplashStatus(QString::fromLatin1(kStatusEnumeratingFonts));
    m_startup->EnumerateFonts();

    // Pictures the worker finished are repainted on this thread.
    CBkgWorker& worker = CBkgWorker::Get();
    worker.SetPost([](std::function<void()> call) {
        if (QCoreApplication* application = QCoreApplication::instance())
            QMetaObject::invokeMethod(application, std::move(call), Qt::QueuedConnection);
    });
    worker.Start();
    m_workerStarted = true;

    m_idle = std::make_unique<IdleHook>();
    m_idle->add([this] { OnIdle(); });
    SetSplashStatus(QString::fromLatin1(kStatusReady));
    return true;
}

CrashReportInfo CScenewright2App::CrashReport()
{
    CrashReportInfo info;
    info.applicationName = kReportApplication;
    info.version = kVersion;
    info.subject = kReportSubject;
    info.text = kReportText;
    info.folder = std::filesystem::path(QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation).toStdString());
    if (info.folder.empty())
        info.folder = GetTempFolder();
    return info;
}

int CScenewright2App::Run()
{
    if (!CrashGuard::install(CrashReport())) {
        Prompts::message(m_mainFrame.get(), {QStringLiteral("crInstall error"),
                                             QString::fromStdString(CrashGuard::lastError()).left(256),
                                             Prompts::Icon::Error, Prompts::Buttons::Ok});
        return 1;
    }
    const int code = QApplication::exec();
    CrashGuard::uninstall();
    return code;
}

bool CScenewright2App::OnIdle()
{
    if (m_splash)
        CloseSplash();
    if (m_mainFrame) {
        m_mainFrame->RefreshBars();
        // Every ribbon control takes its enabled, checked and text state from the handlers.
        if (CRibbonBar* ribbon = m_mainFrame->Ribbon())
            ribbon->UpdateControls();
    }
    m_commands->updateActions();
    CProject* project = GetProject();
    if (!project)
        return false;
    // The poll runs from a timer while the transfer lasts, so the progress moves without input.
    if (project->IsDownloading() && m_downloadPoll && !m_downloadTimer.isActive())
        m_downloadTimer.start();
    return m_downloadTimer.isActive();
}

void CScenewright2App::PollDownload()
{
    if (!m_downloadPoll || !m_downloadPoll())
        m_downloadTimer.stop();
}

int CScenewright2App::ExitInstance()
{
    m_downloadTimer.stop();
    m_idle.reset();
    SetPathSetting(CPathSettings::kProjectsPath, m_projectsFolder);
    SetPathSetting(CPathSettings::kDownloadsPath, m_downloadsFolder);
    SetPathSetting(CPathSettings::kImagesPath, m_imagesFolder);
    m_shutdownTrace.push_back(ShutdownStep::FoldersWritten);
    // The worker may still be drawing with the image library, the fonts and the
    // compression memory: it stops before any of them goes.
    if (m_workerStarted) {
        (void)CBkgWorker::Get().Stop();
        m_workerStarted = false;
    }
    m_shutdownTrace.push_back(ShutdownStep::WorkerStopped);
    if (m_startup) {
        m_startup->SetReleaseObserver([this](CCompileStartup::Released step) {
            m_shutdownTrace.push_back(kReleasedSteps[std::size_t(step)]);
        });
        m_startup.reset();
    }
    (void)m_registry->sync();
    return 0;
}

void CScenewright2App::OpenDocumentFile(const std::filesystem::path& path)
{
    if (m_fileCommands)
        (void)m_fileCommands->OpenRecentFile(path);
}

CProject* CScenewright2App::GetProject() const { return m_fileCommands ? m_fileCommands->GetProject() : nullptr; }

std::filesystem::path CScenewright2App::GetTempFolder()
{
    static const std::filesystem::path folder = std::filesystem::temp_directory_path();
    return folder;
}

std::filesystem::path CScenewright2App::GetFolderOfPath(const std::filesystem::path& path) { return path.parent_path(); }

std::u16string CScenewright2App::GetPathSetting(std::string_view key) const { return m_pathSettings->GetPathSetting(key); }

void CScenewright2App::SetPathSetting(std::string_view key, std::u16string_view value)
{
    m_pathSettings->SetPathSetting(key, value);
}

void CScenewright2App::SetSplashStatus(const QString& text)
{
    m_splashHistory.push_back(text);
    if (m_splash)
        m_splash->SetText(text);
}

void CScenewright2App::CreateSplash()
{
    auto* splash = new CSplashScreenEx;
    if (!splash->Create(nullptr)) {
        delete splash;
        return;
    }
    m_splash = splash;
    // Its window deletes itself when it closes.
    connect(m_splash, &QObject::destroyed, this, [this] { m_splash = nullptr; });
    m_splash->SetBitmap(QString::fromStdString((m_programFolder / "art" / "splash.png").string()));
    m_splash->SetTextFont(kVersionRect, QStringLiteral("version ") + QString::fromLatin1(kVersion));
    m_splash->m_textRect = kStatusRect;
    m_splash->m_format = CSplashScreenEx::kFormatCentred;
    m_splash->Show();
    SetSplashStatus(QString::fromLatin1(kStatusInitializing));
}

void CScenewright2App::CloseSplash()
{
    if (!m_splash)
        return;
    CSplashScreenEx* splash = m_splash;
    m_splash = nullptr;
    splash->Close();
}
