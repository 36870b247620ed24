#include "editor/shell/commands/CTargetCommands.h"

#include "editor/objects/CProgramFolder.h"
#include "editor/project/compile/CRibbonFields.h"
#include "editor/project/compile/CTargetDriver.h"
#include "editor/project/document/CProject.h"
#include "editor/project/document/CProjectOutput.h"
#include "editor/project/download/CDownloadSettings.h"
#include "editor/project/download/CSerialZhProtocol.h"
#include "editor/project/tags/CProjectTags.h"
#include "editor/shell/commands/CMainFrameCommandsHost.h"
#include "editor/shell/commands/CTargetCommandTexts.h"
#include "editor/views/CEditorHost.h"
#include "platform/sys/Launch.h"
#include "platform/ui/Prompts.h"

// The layer position as the ribbon's two edits hold it when the target is built.
class CTargetCommands::RibbonFields final : public CRibbonFields {
public:
    explicit RibbonFields(CMainFrameCommandsHost& frame) : m_frame(frame) {}
    std::u16string LayerHorzPositionText() const override { return m_frame.GetRibbonText(CommandId::PositionHorizontal); }
    std::u16string LayerVertPositionText() const override { return m_frame.GetRibbonText(CommandId::PositionVertical); }

private:
    CMainFrameCommandsHost& m_frame;
};

CTargetCommands::CTargetCommands(CEditorHost& editor, CMainFrameCommandsHost& frame)
    : m_editor(editor), m_frame(frame), m_ribbonFields(std::make_unique<RibbonFields>(frame))
{
}

CTargetCommands::~CTargetCommands()
{
    ForgetProject();
}

CProject* CTargetCommands::Project() const
{
    return m_editor.GetProject();
}

void CTargetCommands::ForgetProject()
{
    // The driver stops a running transfer before the line it sends on goes.
    m_driver.reset();
    m_protocol.reset();
    m_driverProject = nullptr;
    m_switches.Reset();
}

CTargetDriver& CTargetCommands::Driver(CProject& project)
{
    if (m_driver && m_driverProject == &project)
        return *m_driver;
    ForgetProject();
    m_protocol = std::make_unique<CSerialZhProtocol>(
        CDownloadSettings::Read(ProgramFolder() / std::filesystem::path(CDownloadSettings::kFileName)));
    m_driver = std::make_unique<CTargetDriver>(project, m_protocol.get());
    m_driverProject = &project;
    // A new driver holds no binary yet.
    project.MarkTargetStale();
    return *m_driver;
}

std::filesystem::path CTargetCommands::ProgramFolder() const
{
    return m_programFolder.empty() ? CProgramFolder::Path() : m_programFolder;
}

std::filesystem::path CTargetCommands::TemporaryFolder()
{
    if (!m_temporaryFolder.empty())
        return m_temporaryFolder;
    std::string error;
    std::filesystem::path folder = Launch::privateTempFolder(error);
    if (folder.empty())
        ReportFailure(CTargetCommandTexts::FailureLine(CTargetCommandTexts::kNoTemporaryFolder, error));
    return folder;
}

void CTargetCommands::ReportFailure(std::u16string_view text)
{
    m_editor.GetOutput().AppendLine(text, CTargetCommandTexts::kFailureColor, nullptr, nullptr);
}

void CTargetCommands::OnBuildTarget()
{
    CProject* project = Project();
    if (!project)
        return;
    // What is typed into the actions pane is part of what is built.
    m_editor.StoreActionScript();
    Prompts::FileRequest request;
    request.title = QString::fromUtf16(CTargetCommandTexts::kSaveTitle);
    request.filters = CTargetCommandTexts::TargetFilters();
    const std::filesystem::path downloads = m_frame.GetDownloadsFolder();
    if (!downloads.empty())
        request.folder = QString::fromStdString(downloads.string());
    request.suggestedName = QString::fromStdU16String(project->GetFullPath().stem().u16string());
    request.mustExist = false;
    request.askOverwrite = false;
    const std::optional<QString> chosen = Prompts::saveFile(nullptr, request);
    if (!chosen)
        return;
    const std::filesystem::path path = CTargetCommandTexts::WithTargetExtension(chosen->toStdString());
    CTargetDriver& driver = Driver(*project);
    {
        const CCompileSwitches::Scope scope = m_switches.Apply(*project, BuildKind::Panel);
        (void)driver.BuildTarget(path, *m_ribbonFields);
    }
    m_frame.SetDownloadsFolder(path.parent_path());
}

void CTargetCommands::OnSimulate()
{
    m_lastEngine.reset();
    CProject* project = Project();
    if (!project)
        return;
    m_editor.StoreActionScript();
    const std::filesystem::path folder = TemporaryFolder();
    if (folder.empty())
        return;
    const std::filesystem::path targetPath = folder / kSimulationTarget;
    const std::filesystem::path tagsPath = folder / kSimulationTags;
    CTargetDriver& driver = Driver(*project);
    {
        const CCompileSwitches::Scope scope = m_switches.Apply(*project, BuildKind::Simulation);
        // The driver has told the user why.
        if (!driver.BuildTarget(targetPath, *m_ribbonFields))
            return;
    }
    if (const std::u16string error = CProjectTags::WriteTagsFile(tagsPath, project->Tags(),
                                                                 project->Settings().target.nativeEncoding);
        !error.empty()) {
        ReportFailure(CTargetCommandTexts::FailureLine(error));
        return;
    }
    const std::filesystem::path engine = ProgramFolder() / kEngineProgram;
    const Launch::Result started = Launch::spawn(
        engine, EngineArguments(project->GetPageSize(), project->Settings().target.tagMemorySize, targetPath));
    if (!started.started()) {
        ReportFailure(CTargetCommandTexts::FailureLine(CTargetCommandTexts::kEngineFailed, started.error));
        return;
    }
    m_lastEngine = started.pid;
}

std::vector<std::string> CTargetCommands::EngineArguments(const CPageSize& size, int32_t tagMemorySize,
                                                             const std::filesystem::path& target)
{
    return {"-w", std::to_string(size.width), "-h", std::to_string(size.height), "-m", std::to_string(tagMemorySize),
            target.string()};
}

void CTargetCommands::OnDownload()
{
    CProject* project = Project();
    if (!project)
        return;
    m_editor.StoreActionScript();
    CTargetDriver& driver = Driver(*project);
    const CCompileSwitches::Scope scope = m_switches.Apply(*project, BuildKind::Panel);
    (void)driver.Download();
}

bool CTargetCommands::PollDownload()
{
    CProject* project = Project();
    if (!project || !m_driver || m_driverProject != project)
        return false;
    return m_driver->PollDownload();
}

bool CTargetCommands::IsDownloading() const
{
    const CProject* project = Project();
    return project && project->IsDownloading();
}
