#pragma once
// The file commands over a recording editor host, a recording frame, scripted prompts
// and a temporary folder that is both the projects folder and the program folder.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "editor/project/document/CProjectFile.h"
#include "editor/project/wrapper/CProjectFileWrapper.h"
#include "editor/shell/file/CFileCommands.h"
#include "editor/shell/file/CFileCommandsHost.h"
#include "foundation/TextHelpers.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/editor/FakeEditorHost.h"

namespace vx::test {

class RecordingFileHost : public CFileCommandsHost {
public:
    explicit RecordingFileHost(FakeEditorHost& editor) : m_editor(editor) {}

    std::optional<Prompts::Answer> closeAnswer;
    std::vector<std::filesystem::path> recent;
    std::filesystem::path projectsFolder;
    std::filesystem::path programFolder;
    std::vector<CommandId> newPages;
    int attached = 0, settingsShown = 0, firstTagRow = 0, firstPage = 0;
    // Also told of every recent file, when set.
    std::function<void(const std::filesystem::path&)> onRecent;

    QWidget* GetDialogParent() override { return nullptr; }
    void AttachProject(CProject* project) override
    {
        m_editor.project = project;
        ++attached;
    }
    void NewPage(CommandId command) override
    {
        newPages.push_back(command);
        if (m_editor.project)
            m_editor.project->AddPage(ToInt(command) - ToInt(CommandId::InsertPageFirst) + 1);
    }
    void ShowProjectSettings() override { ++settingsShown; }
    void SelectFirstTagRow() override { ++firstTagRow; }
    void SelectFirstPage() override { ++firstPage; }
    std::optional<Prompts::Answer> GetCloseAnswer() override { return closeAnswer; }
    void AddToRecentFileList(const std::filesystem::path& path) override
    {
        recent.push_back(path);
        if (onRecent)
            onRecent(path);
    }
    std::filesystem::path GetProjectsFolder() override { return projectsFolder; }
    void SetProjectsFolder(const std::filesystem::path& folder) override { projectsFolder = folder; }
    std::filesystem::path GetProgramFolder() override { return programFolder; }

private:
    FakeEditorHost& m_editor;
};

inline constexpr std::string_view kSmallProject = R"(<?xml version="1.0" standalone="yes" encoding="UTF-8"?>
<project formatVersion="2" pageSize="320x240"><tags><integer address="10">T1</integer></tags>
<page><name>Page 1</name><pageType>Initial</pageType><object><type>button</type><objectName>button-1</objectName><posLeft>10</posLeft><posTop>10</posTop><posRight>60</posRight><posBottom>40</posBottom></object></page>
<page><name>Page 2</name></page></project>)";

// The same document in the older version: moved aside and written again when opened.
inline std::string OlderProject(std::string_view version = "1")
{
    std::string text(kSmallProject);
    text.replace(text.find("formatVersion=\"2\""), 17, "formatVersion=\"" + std::string(version) + "\"");
    return text;
}

class FileCommandsTest : public ::testing::Test {
protected:
    TempDir dir;
    ScriptedPrompts prompts;
    FakeEditorHost editor;
    RecordingFileHost host{editor};
    CFileCommands commands{editor, host};

    FileCommandsTest()
    {
        host.projectsFolder = dir.path();
        host.programFolder = dir.path() / "program";
    }

    std::filesystem::path WriteProject(const std::string& name, std::string_view xml)
    {
        const std::filesystem::path path = dir / name;
        writeFile(path, CProjectFile::Wrap(xml));
        return path;
    }

    // The XML text inside a project file; empty when it does not read.
    static std::string Inside(const std::filesystem::path& path)
    {
        const std::string file = readFile(path);
        return CProjectFileWrapper::Decode(std::span(reinterpret_cast<const uint8_t*>(file.data()), file.size())).xml;
    }

    // A project opened from a file of its own, not modified.
    std::filesystem::path OpenSmall(const std::string& name = "small.vxp")
    {
        const std::filesystem::path path = WriteProject(name, kSmallProject);
        EXPECT_EQ(commands.OpenProjectFile(path, ProjectReading::Load), OpenOutcome::Opened);
        prompts.messages.clear();
        return path;
    }

    std::string Document() { return CProjectFile::DocumentText(*commands.GetProject()); }

    std::vector<std::u16string> Shown() const
    {
        std::vector<std::u16string> texts;
        for (const auto& message : prompts.messages)
            texts.push_back(message.text.toStdU16String());
        return texts;
    }

    // Every file name in the temporary folder, sorted.
    std::vector<std::string> Files() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
            if (entry.is_regular_file())
                names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

} // namespace vx::test
