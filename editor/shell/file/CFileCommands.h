#pragma once
// The one current project and the application's file commands: New, Open, Import,
// Save, Save As, Close, About and the preset commands. Opening reads the whole file
// before the open project is closed, so a file that is refused leaves it as it was; a
// save that fails or is cancelled cancels the close that asked for it.

#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "diagram/CommandId.h"
#include "editor/project/document/CProject.h"
#include "platform/ui/CommandTable.h"
#include "platform/ui/Prompts.h"

class CEditorHost;
class CFileCommandsHost;
class CProjectFileWriter;
class DXMLElement;

// Whether the save question offers Cancel.
enum class SaveQuestion { AllowCancel, YesNoOnly };
enum class CloseOutcome { Closed, Cancelled };
enum class OpenOutcome { Opened, Refused, Cancelled };
// Declined: the user chose not to save after all; Cancelled: a save the user wanted did
// not happen (no file chosen, the path question answered No).
enum class SaveOutcome { Saved, Failed, Declined, Cancelled };
enum class PresetKind { Project, ControllerTags };

class CFileCommands {
public:
    // Only the first names of each kind have commands.
    static constexpr int kPresetCommands = ToInt(CommandId::PresetLast) - ToInt(CommandId::PresetFirst) + 1;
    static constexpr int32_t kUpgradedFormatVersion = 2;

    // Both hosts outlive the commands. The open project goes with the commands without
    // a word to the hosts, which are going too.
    CFileCommands(CEditorHost& editor, CFileCommandsHost& host);
    ~CFileCommands();
    CFileCommands(const CFileCommands&) = delete;
    CFileCommands& operator=(const CFileCommands&) = delete;

    // The current project; none while no project is open.
    CProject* GetProject() const { return m_project.get(); }
    // The commands and their update handlers, for the application level.
    const CommandTarget& GetCommandTarget() const { return m_target; }

    // Closes the open project through the save question, then makes a new empty one
    // current; Cancelled leaves the open project as it is.
    CloseOutcome CreateProject(SaveQuestion question);
    // The save question, the save, then the project is deleted; Cancelled when the user
    // cancelled or the save failed (the project stays open).
    CloseOutcome QuerySaveProject(SaveQuestion question);
    // Reads a project or template file into a new project, or into the current one.
    OpenOutcome OpenProjectFile(const std::filesystem::path& path, ProjectReading reading);
    // Writes the current project to its full path.
    SaveOutcome SaveProjectFile();
    // Moves a file about to be upgraded to "<path>.old-<version>"; false to stop the open.
    bool RenameOldProjectFile(const std::filesystem::path& path, int32_t version);
    // A recent-file entry: opened as a project; the entry stays whatever the result.
    OpenOutcome OpenRecentFile(const std::filesystem::path& path);

    void OnFileNew();
    void OnFileOpen();
    void OnFileImport();
    void OnFileSave();
    void OnFileSaveAs();
    void OnFileClose();
    void OnAppAbout();
    void SaveWorkingPreset();
    void SaveWorkingTags();
    // n from 1 to kPresetCommands.
    void LoadPreset(int n);
    void LoadControllerTags(int n);

    // The program folder's "presets" folder.
    std::filesystem::path GetPresetsFolder() const;
    // The names the preset commands take by number: the ribbon's, as it listed them for
    // its buttons, or the presets folder listed again the same way.
    void SetPresetNames(PresetKind kind, std::vector<std::u16string> names);
    void RefreshPresetNames();
    const std::vector<std::u16string>& GetPresetNames(PresetKind kind) const;

    // Tests fail writes through a writer of their own.
    void SetFileWriter(std::unique_ptr<CProjectFileWriter> writer);

private:
    void RegisterCommands();
    // New: the closed project replaced by one with a first page.
    CloseOutcome NewProject();
    void PublishProject(std::unique_ptr<CProject> project);
    void DeleteProject();
    // The imported-not-saved question; true to go on with the save.
    bool ConfirmSaveAfterImport();
    // The save of the question's Yes: Save, or Save As without a path.
    SaveOutcome SaveForClose();
    SaveOutcome SaveAs();
    void ChooseAndOpen(ProjectReading reading);
    void FinishOpen(const std::filesystem::path& path, ProjectReading reading, const DXMLElement& root);
    Prompts::Answer Ask(std::u16string_view text, Prompts::Icon icon, Prompts::Buttons buttons);
    void ShowError(std::u16string_view text);
    std::filesystem::path PresetPath(std::u16string_view name, std::string_view extension) const;
    // The working preset file of that extension; the presets folder is made for it.
    std::filesystem::path WorkingFile(std::string_view extension) const;
    // The n-th name of its kind, from 1; none past the list.
    const std::u16string* PresetName(PresetKind kind, int n) const;
    bool HasProject() const { return m_project != nullptr; }

    CEditorHost& m_editor;
    CFileCommandsHost& m_host;
    std::unique_ptr<CProject> m_project;
    std::unique_ptr<CProjectFileWriter> m_writer;
    std::array<std::vector<std::u16string>, 2> m_presetNames;
    CommandTarget m_target;
};
