#pragma once
// What the file commands need of the main frame beyond the editor host: the window the
// questions belong to, the panes that take a new project, the ribbon, the main window's
// close answer, the recent-file list and the folders. The main frame answers in the
// program; tests answer with a recording host.

#include <filesystem>
#include <optional>

#include "diagram/CommandId.h"
#include "platform/ui/Prompts.h"

class CProject;
class QWidget;

class CFileCommandsHost {
public:
    virtual ~CFileCommandsHost() = default;

    // The window questions and file dialogs are shown over; none in tests.
    virtual QWidget* GetDialogParent() = 0;

    // The project pane and the tags pane show this project from now on; none: the project
    // is about to be deleted, so its page windows close. Called before a closed project
    // is deleted, and after a new one is made current.
    virtual void AttachProject(CProject* project) = 0;
    // The main frame's new-page operation for a command of the insert-page range.
    virtual void NewPage(CommandId command) = 0;
    // The ribbon's controls show the project's settings.
    virtual void ShowProjectSettings() = 0;
    // The tags grid's first row is selected (before a tag preset is read into it).
    virtual void SelectFirstTagRow() = 0;
    // The first page selected in the project tree and opened after the events at hand.
    virtual void SelectFirstPage() = 0;

    // The answer the main window's close handling got to "Do you want to save current
    // project?" (No when it asked nothing), while it closes; nothing otherwise. After
    // the close command, a project still open means the close was cancelled.
    virtual std::optional<Prompts::Answer> GetCloseAnswer() = 0;

    // The recent-file list takes the path first.
    virtual void AddToRecentFileList(const std::filesystem::path& path) = 0;
    // The remembered projects folder ("ProjectsPath"), also the last folder used.
    virtual std::filesystem::path GetProjectsFolder() = 0;
    virtual void SetProjectsFolder(const std::filesystem::path& folder) = 0;
    // The folder of the running program: "presets" and "art" lie in it.
    virtual std::filesystem::path GetProgramFolder() = 0;
};
