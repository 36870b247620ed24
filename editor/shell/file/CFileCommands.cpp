#include "editor/shell/file/CFileCommands.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <system_error>

#include "editor/document/CCompileReport.h"
#include "editor/objects/shared/CObjectImageFile.h"
#include "editor/project/document/CProjectFile.h"
#include "editor/project/document/CProjectOutput.h"
#include "editor/project/document/CProjectSettings.h"
#include "editor/project/tags/CPreset.h"
#include "editor/project/tags/CProjectTags.h"
#include "editor/project/wrapper/CProjectFileWrapper.h"
#include "editor/shell/CAboutDlg.h"
#include "editor/shell/file/CFileCommandsHost.h"
#include "editor/shell/file/CProjectFileWriter.h"
#include "editor/shell/file/FileMessages.h"
#include "editor/shell/ribbon/CPresetList.h"
#include "editor/views/CEditorHost.h"
#include "foundation/TextHelpers.h"
#include "foundation/xml/DXMLElement.h"
#include "foundation/xml/DXMLParser.h"

namespace {

constexpr std::string_view kPresetsFolder = "presets";
constexpr std::string_view kAboutPicture = "art/about.png";

QString toQString(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), qsizetype(text.size()));
}

QString pathQString(const std::filesystem::path& path)
{
    return QString::fromStdString(path.string());
}

std::filesystem::path toPath(const QString& text)
{
    return std::filesystem::path(text.toStdString());
}

std::u16string pathText(const std::filesystem::path& path)
{
    return utf8ToWide(path.string());
}

std::string lowerText(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; });
    return text;
}

bool hasExtension(const std::filesystem::path& path, std::string_view extension)
{
    return lowerText(path.extension().string()) == extension;
}

// A folder as the projects folder setting holds it, so that the same folder compares equal.
std::string folderText(const std::filesystem::path& folder)
{
    std::string text = folder.lexically_normal().string();
    while (text.size() > 1 && text.back() == '/')
        text.pop_back();
    return text;
}

// Moves from to to, never replacing a file at to.
int renameWithoutReplacing(const std::filesystem::path& from, const std::filesystem::path& to)
{
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    // A file system without the no-replace move.
    std::error_code error;
    if (std::filesystem::exists(to, error) || error)
        return EEXIST;
    std::filesystem::rename(from, to, error);
    return error.value();
}

} // namespace

CFileCommands::CFileCommands(CEditorHost& editor, CFileCommandsHost& host)
    : m_editor(editor), m_host(host), m_writer(std::make_unique<CProjectFileWriter>())
{
    RegisterCommands();
}

CFileCommands::~CFileCommands() = default;

void CFileCommands::SetFileWriter(std::unique_ptr<CProjectFileWriter> writer)
{
    m_writer = writer ? std::move(writer) : std::make_unique<CProjectFileWriter>();
}

void CFileCommands::RegisterCommands()
{
    const auto whenOpen = [this](CommandState& state) { state.enabled = HasProject(); };
    const auto add = [this](CommandId id, CommandTarget::Handler handler, CommandTarget::Update update = {}) {
        m_target.add(ToInt(id), std::move(handler), std::move(update));
    };
    add(CommandId::FileNew, [this] { OnFileNew(); });
    add(CommandId::FileOpen, [this] { OnFileOpen(); });
    add(CommandId::Import, [this] { OnFileImport(); },
        [this](CommandState& state) { state.enabled = HasProject() && m_project->GetPageCount() > 0; });
    add(CommandId::FileSave, [this] { OnFileSave(); }, [this](CommandState& state) {
        state.enabled = HasProject() && m_project->IsModified() && !m_project->GetFullPath().empty();
    });
    add(CommandId::FileSaveAs, [this] { OnFileSaveAs(); }, whenOpen);
    add(CommandId::FileClose, [this] { OnFileClose(); }, whenOpen);
    add(CommandId::AppAbout, [this] { OnAppAbout(); });
    add(CommandId::SaveWorkingPreset, [this] { SaveWorkingPreset(); }, whenOpen);
    add(CommandId::SaveWorkingTags, [this] { SaveWorkingTags(); }, whenOpen);
    // The menu item that lists the controller presets; the presets themselves act.
    add(CommandId::Controller, [] {}, whenOpen);
    for (int n = 1; n <= kPresetCommands; ++n) {
        m_target.add(ToInt(CommandId::PresetFirst) + n - 1, [this, n] { LoadPreset(n); });
        m_target.add(ToInt(CommandId::TagPresetFirst) + n - 1, [this, n] { LoadControllerTags(n); }, whenOpen);
    }
}

Prompts::Answer CFileCommands::Ask(std::u16string_view text, Prompts::Icon icon, Prompts::Buttons buttons)
{
    return Prompts::message(m_host.GetDialogParent(),
                            {toQString(FileMessages::kCaption), toQString(text), icon, buttons});
}

void CFileCommands::ShowError(std::u16string_view text)
{
    (void)Ask(text, Prompts::Icon::Error, Prompts::Buttons::Ok);
}

void CFileCommands::PublishProject(std::unique_ptr<CProject> project)
{
    m_project = std::move(project);
    if (!m_project->GetFullPath().empty())
        CObjectImageFile::SetProjectFolder(m_project->GetFolder());
    m_host.AttachProject(m_project.get());
    m_editor.RebuildProjectTree(nullptr);
    m_editor.UpdateTitle();
}

void CFileCommands::DeleteProject()
{
    m_host.AttachProject(nullptr);
    m_project.reset();
    m_editor.ForgetLastView();
    m_editor.UpdateTitle();
}

CloseOutcome CFileCommands::CreateProject(SaveQuestion question)
{
    if (HasProject() && QuerySaveProject(question) == CloseOutcome::Cancelled)
        return CloseOutcome::Cancelled;
    PublishProject(std::make_unique<CProject>(m_editor.GetPrompts(), m_editor.GetOutput()));
    return CloseOutcome::Closed;
}

CloseOutcome CFileCommands::QuerySaveProject(SaveQuestion question)
{
    if (!HasProject())
        return CloseOutcome::Closed;
    // A script still in the actions pane is an edit: it counts before the question.
    m_editor.StoreActionScript();
    bool save = false;
    if (const std::optional<Prompts::Answer> answer = m_host.GetCloseAnswer()) {
        save = *answer == Prompts::Answer::Yes;
    } else if (m_project->IsModified()) {
        const Prompts::Answer answer =
            Ask(FileMessages::kSaveQuestion, Prompts::Icon::Question,
                question == SaveQuestion::AllowCancel ? Prompts::Buttons::YesNoCancel : Prompts::Buttons::YesNo);
        if (answer == Prompts::Answer::Cancel)
            return CloseOutcome::Cancelled;
        save = answer == Prompts::Answer::Yes;
    } else if (question == SaveQuestion::AllowCancel) {
        if (Ask(FileMessages::kLeaveQuestion, Prompts::Icon::Question, Prompts::Buttons::YesNo) != Prompts::Answer::Yes)
            return CloseOutcome::Cancelled;
    }
    if (save) {
        const SaveOutcome saved = SaveForClose();
        if (saved == SaveOutcome::Failed || saved == SaveOutcome::Cancelled)
            return CloseOutcome::Cancelled;
    }
    DeleteProject();
    return CloseOutcome::Closed;
}

bool CFileCommands::ConfirmSaveAfterImport()
{
    if (!m_project->IsImportedNotSaved())
        return true;
    return Ask(FileMessages::kImportedNotSaved, Prompts::Icon::Question, Prompts::Buttons::YesNo)
        != Prompts::Answer::No;
}

SaveOutcome CFileCommands::SaveForClose()
{
    if (m_project->GetFullPath().empty())
        return SaveAs();
    if (!ConfirmSaveAfterImport())
        return SaveOutcome::Declined;
    return SaveProjectFile();
}

SaveOutcome CFileCommands::SaveProjectFile()
{
    if (!HasProject() || m_project->GetFullPath().empty())
        return SaveOutcome::Failed;
    // The project says why itself when it refuses to be written.
    const std::string text = CProjectFile::DocumentText(*m_project);
    if (text.empty())
        return SaveOutcome::Failed;
    const std::vector<uint8_t> file = CProjectFileWrapper::Encode(text);
    if (file.empty()) {
        ShowError(FileMessages::kNotCompressed);
        return SaveOutcome::Failed;
    }
    if (const std::u16string error = m_writer->Write(m_project->GetFullPath(), file); !error.empty()) {
        ShowError(error);
        return SaveOutcome::Failed;
    }
    m_project->SetModified(false);
    m_editor.UpdateTitle();
    return SaveOutcome::Saved;
}

SaveOutcome CFileCommands::SaveAs()
{
    Prompts::FileRequest request;
    request.title = QStringLiteral("Save As");
    request.filters = {toQString(FileMessages::kProjectFilter), toQString(FileMessages::kTemplateFilter)};
    request.folder = pathQString(m_host.GetProjectsFolder());
    request.suggestedName = pathQString(m_project->GetFullPath().stem());
    request.mustExist = false;
    request.askOverwrite = false;
    const std::optional<QString> chosen = Prompts::saveFile(m_host.GetDialogParent(), request);
    if (!chosen || chosen->isEmpty())
        return SaveOutcome::Cancelled;
    std::filesystem::path path = toPath(*chosen);
    if (!path.has_extension())
        path += FileMessages::kDefaultExtension;
    m_project->SetPath(path);
    m_editor.UpdateTitle();
    if (folderText(path.parent_path()) != folderText(m_host.GetProjectsFolder())
        && Ask(FileMessages::kPathChanged, Prompts::Icon::Question, Prompts::Buttons::YesNo)
            == Prompts::Answer::No)
        return SaveOutcome::Cancelled;
    const SaveOutcome saved = SaveProjectFile();
    if (saved == SaveOutcome::Saved) {
        m_host.AddToRecentFileList(path);
        m_host.SetProjectsFolder(path.parent_path());
        CObjectImageFile::SetProjectFolder(path.parent_path());
    }
    return saved;
}

bool CFileCommands::RenameOldProjectFile(const std::filesystem::path& path, int32_t version)
{
    std::filesystem::path renamed = path;
    renamed += FileMessages::kOldSuffix;
    renamed += std::to_string(version);
    const std::u16string name = pathText(renamed);
    if (renameWithoutReplacing(path, renamed) == 0) {
        Ask(std::u16string(FileMessages::kRenamed) + name, Prompts::Icon::Information, Prompts::Buttons::Ok);
        return true;
    }
    const std::u16string question =
        std::u16string(FileMessages::kRenameFailedBefore) + name + std::u16string(FileMessages::kRenameFailedAfter);
    return Ask(question, Prompts::Icon::Warning, Prompts::Buttons::OkCancel)
        == Prompts::Answer::Ok;
}

OpenOutcome CFileCommands::OpenProjectFile(const std::filesystem::path& path, ProjectReading reading)
{
    // Templates are merged into an open project; there is nothing to import into without one.
    if (HasProject() && reading == ProjectReading::Load && hasExtension(path, FileMessages::kTemplateExtension))
        reading = ProjectReading::Import;
    if (!HasProject())
        reading = ProjectReading::Load;

    std::string xml;
    if (const CProjectFile::OpenResult read = CProjectFile::ReadDocumentText(path, xml); !read.ok()) {
        if (!read.message.empty())
            ShowError(read.message);
        return OpenOutcome::Refused;
    }
    DXMLParser parser(xml.data(), xml.size());
    (void)parser.parse();
    const DXMLElement* root = parser.root().getChild(CProject::kRootName);
    if (!root) {
        ShowError(CProjectFile::kParseFailed);
        return OpenOutcome::Refused;
    }
    const int32_t version = CProjectSettings::ReadFormatVersion(*root);

    // The whole document is read before anything else changes: a reading that fails
    // leaves the open project as it was.
    std::unique_ptr<CProject> fresh;
    CProject* target = m_project.get();
    if (reading == ProjectReading::Load) {
        fresh = std::make_unique<CProject>(m_editor.GetPrompts(), m_editor.GetOutput());
        target = fresh.get();
    }
    if (const ProjectReadResult result = target->ReadXml(parser.root(), reading); !result.ok()) {
        if (result.status == ProjectReadStatus::PageRefused)
            ShowError(CProjectFile::kParseFailed);
        return OpenOutcome::Refused;
    }
    const auto warnIfEndedEarly = [&] {
        if (parser.EndedEarly())
            m_editor.GetOutput().AppendLine(CProjectFile::EndedEarlyMessage(path), CCompileReport::kMessageColor,
                                            nullptr, nullptr);
    };
    if (reading == ProjectReading::Import) {
        FinishOpen(path, reading, *root);
        warnIfEndedEarly();
        return OpenOutcome::Opened;
    }

    if (HasProject() && QuerySaveProject(SaveQuestion::YesNoOnly) == CloseOutcome::Cancelled)
        return OpenOutcome::Cancelled;
    const bool upgrade = version < kUpgradedFormatVersion;
    if (upgrade && !RenameOldProjectFile(path, version))
        return OpenOutcome::Cancelled;
    fresh->SetPath(path);
    fresh->SetModified(false);
    PublishProject(std::move(fresh));
    FinishOpen(path, reading, *root);
    warnIfEndedEarly();
    // Its old form was moved aside: the project is written again in the current one.
    if (upgrade && ConfirmSaveAfterImport() && SaveProjectFile() != SaveOutcome::Saved)
        m_project->SetModified(true);
    m_editor.UpdateTitle();
    return OpenOutcome::Opened;
}

void CFileCommands::FinishOpen(const std::filesystem::path& path, ProjectReading reading, const DXMLElement& root)
{
    m_host.ShowProjectSettings();
    m_editor.RebuildProjectTree(nullptr);
    m_editor.ForgetLastView();
    if (reading == ProjectReading::Import) {
        m_project->SetModified(true);
        m_editor.RefreshTagsGrid();
        m_editor.UpdateTitle();
        return;
    }
    // Older projects kept their tags in a file beside them; a document with tags of its
    // own is never overwritten by one.
    std::error_code error;
    std::filesystem::path beside = path;
    beside.replace_extension(".dtags");
    if (!root.getChild(u"tags") && std::filesystem::is_regular_file(beside, error)) {
        if (const std::u16string message = CProjectTags::LoadTagsFile(path, TagsPath::BesideTarget, m_project->Tags(),
                                                                      TagsReading::Load, IdenticalTags::Keep);
            !message.empty())
            ShowError(message);
    }
    m_editor.RefreshTagsGrid();
    m_project->SetModified(false);
    m_host.SelectFirstPage();
    m_host.AddToRecentFileList(path);
    m_host.SetProjectsFolder(path.parent_path());
}

OpenOutcome CFileCommands::OpenRecentFile(const std::filesystem::path& path)
{
    return OpenProjectFile(path, ProjectReading::Load);
}

void CFileCommands::ChooseAndOpen(ProjectReading reading)
{
    Prompts::FileRequest request;
    request.title = reading == ProjectReading::Import ? QStringLiteral("Import") : QStringLiteral("Open");
    request.filters = {toQString(FileMessages::kProjectFilter), toQString(FileMessages::kTemplateFilter)};
    request.folder = pathQString(m_host.GetProjectsFolder());
    request.mustExist = true;
    const std::optional<QString> chosen = Prompts::openFile(m_host.GetDialogParent(), request);
    if (!chosen || chosen->isEmpty())
        return;
    std::filesystem::path path = toPath(*chosen);
    if (!path.has_extension())
        path += FileMessages::kDefaultExtension;
    (void)OpenProjectFile(path, reading);
}

CloseOutcome CFileCommands::NewProject()
{
    if (CreateProject(SaveQuestion::AllowCancel) == CloseOutcome::Cancelled)
        return CloseOutcome::Cancelled;
    m_host.NewPage(CommandId::InsertPageFirst);
    m_project->SetModified(false);
    m_host.SelectFirstPage();
    m_host.ShowProjectSettings();
    m_editor.RequestPropertiesRefill(PropertiesRefill::Full);
    m_editor.UpdateTitle();
    return CloseOutcome::Closed;
}

void CFileCommands::OnFileNew()
{
    (void)NewProject();
}

void CFileCommands::OnFileOpen()
{
    ChooseAndOpen(ProjectReading::Load);
}

void CFileCommands::OnFileImport()
{
    if (HasProject())
        ChooseAndOpen(ProjectReading::Import);
}

void CFileCommands::OnFileSave()
{
    if (!HasProject())
        return;
    // What is typed into the actions pane is part of what is saved.
    m_editor.StoreActionScript();
    if (m_project->GetFullPath().empty()) {
        (void)SaveAs();
        return;
    }
    if (ConfirmSaveAfterImport())
        (void)SaveProjectFile();
}

void CFileCommands::OnFileSaveAs()
{
    if (!HasProject())
        return;
    m_editor.StoreActionScript();
    (void)SaveAs();
}

void CFileCommands::OnFileClose()
{
    (void)QuerySaveProject(SaveQuestion::YesNoOnly);
}

void CFileCommands::OnAppAbout()
{
    CAboutDlg about(pathQString(m_host.GetProgramFolder() / kAboutPicture), m_host.GetDialogParent());
    about.exec();
}

std::filesystem::path CFileCommands::GetPresetsFolder() const
{
    return m_host.GetProgramFolder() / kPresetsFolder;
}

void CFileCommands::RefreshPresetNames()
{
    SetPresetNames(PresetKind::Project, CPresetList::List(GetPresetsFolder(), CPresetList::kPresetExtension));
    SetPresetNames(PresetKind::ControllerTags,
                   CPresetList::List(GetPresetsFolder(), CPresetList::kTagPresetExtension));
}

void CFileCommands::SetPresetNames(PresetKind kind, std::vector<std::u16string> names)
{
    m_presetNames[std::size_t(kind)] = std::move(names);
}

const std::vector<std::u16string>& CFileCommands::GetPresetNames(PresetKind kind) const
{
    return m_presetNames[std::size_t(kind)];
}

std::filesystem::path CFileCommands::PresetPath(std::u16string_view name, std::string_view extension) const
{
    std::filesystem::path path = GetPresetsFolder() / wideToUtf8(name);
    path += extension;
    return path;
}

std::filesystem::path CFileCommands::WorkingFile(std::string_view extension) const
{
    std::error_code ignored;
    std::filesystem::create_directories(GetPresetsFolder(), ignored);
    return PresetPath(CPresetList::kWorkingName, extension);
}

const std::u16string* CFileCommands::PresetName(PresetKind kind, int n) const
{
    const auto& names = GetPresetNames(kind);
    return n >= 1 && std::size_t(n) <= names.size() ? &names[std::size_t(n - 1)] : nullptr;
}

void CFileCommands::SaveWorkingPreset()
{
    if (!HasProject())
        return;
    if (const std::u16string error = CPreset::WritePreset(WorkingFile(CPresetList::kPresetExtension), m_project->Settings().target);
        !error.empty())
        ShowError(error);
}

void CFileCommands::SaveWorkingTags()
{
    if (!HasProject())
        return;
    if (const std::u16string error = CProjectTags::WriteTagsFile(WorkingFile(CPresetList::kTagPresetExtension), m_project->Tags(),
                                                                 m_project->Settings().target.nativeEncoding);
        !error.empty())
        ShowError(error);
}

void CFileCommands::LoadPreset(int n)
{
    const std::u16string* name = PresetName(PresetKind::Project, n);
    if (!name)
        return;
    const std::filesystem::path path = PresetPath(*name, CPresetList::kPresetExtension);
    // A cancelled save question ends the command: the project still open is not the new one.
    if (NewProject() == CloseOutcome::Cancelled)
        return;
    if (const std::u16string error = CPreset::ReadPreset(path, m_project->Settings().target); !error.empty()) {
        ShowError(error);
        return;
    }
    m_project->SettingsChanged();
    m_project->SetModified(false);
    m_host.ShowProjectSettings();
    m_editor.UpdateTitle();
}

void CFileCommands::LoadControllerTags(int n)
{
    const std::u16string* name = PresetName(PresetKind::ControllerTags, n);
    if (!HasProject() || !name)
        return;
    m_host.SelectFirstTagRow();
    if (const std::u16string error =
            CProjectTags::LoadTagsFile(PresetPath(*name, CPresetList::kTagPresetExtension), TagsPath::Exact, m_project->Tags(),
                                       TagsReading::Load, IdenticalTags::Keep);
        !error.empty()) {
        ShowError(error);
        return;
    }
    m_editor.RefreshTagsGrid();
    m_editor.MarkProjectModified();
}
