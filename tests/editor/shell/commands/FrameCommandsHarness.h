#pragma once
// The main frame's commands over a project of the fake editor host, a fake frame that
// records what the commands ask of it, and a command table with the commands at the
// main frame's level, run as the ribbon runs them.

#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "editor/project/document/CProject.h"
#include "editor/shell/commands/CMainFrameCommands.h"
#include "editor/shell/commands/CMainFrameCommandsHost.h"
#include "platform/ui/CommandTable.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/editor/FakeEditorHost.h"

namespace vx::test {

// Sets a variable for the programs the test starts, and puts the old value back.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const std::string& value) : m_name(name)
    {
        if (const char* old = std::getenv(name))
            m_old = old;
        setenv(name, value.c_str(), 1);
    }
    ~ScopedVariable()
    {
        if (m_old)
            setenv(m_name, m_old->c_str(), 1);
        else
            unsetenv(m_name);
    }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

class FakeFrame : public CMainFrameCommandsHost {
public:
    std::u16string GetRibbonText(CommandId control) override { return texts[control]; }
    void SetRibbonText(CommandId control, std::u16string_view text) override
    {
        texts[control] = std::u16string(text);
        ++writtenBack[control];
    }
    int32_t GetRibbonIndex(CommandId control) override
    {
        const auto found = indexes.find(control);
        return found == indexes.end() ? -1 : found->second;
    }
    void SetRibbonIndex(CommandId control, int32_t index) override { indexes[control] = index; }

    CPage* GetSelectedPage() override { return selectedPage; }
    void EditSelectedPageLabel() override { ++pageLabelEdits; }
    std::optional<uint32_t> GetSelectedObjectItemData() override { return objectItem; }
    void EditSelectedObjectLabel() override { ++objectLabelEdits; }
    void DeleteSelectedObject() override { ++objectDeletes; }
    bool ActionsPaneShowsObject() override { return actionsShowObject; }
    int32_t GetSelectedActionItemData() override { return actionItem; }

    bool IsPageOpen(const CPage& page) override { return openPages.contains(&page); }
    void ActivatePageWindow(const CPage& page) override { activated.push_back(&page); }
    void ClosePageWindow(const CPage& page) override
    {
        closed.push_back(&page);
        if (!refuseClose)
            openPages.erase(&page);
    }
    bool IsMainWindowActive() override { return active; }
    bool IsControlHeld() override { return controlHeld; }
    std::filesystem::path GetDownloadsFolder() override { return downloads; }
    void SetDownloadsFolder(const std::filesystem::path& folder) override { downloads = folder; }

    std::map<CommandId, std::u16string> texts;
    std::map<CommandId, int> writtenBack;
    std::map<CommandId, int32_t> indexes;
    CPage* selectedPage = nullptr;
    std::optional<uint32_t> objectItem;
    int pageLabelEdits = 0, objectLabelEdits = 0, objectDeletes = 0;
    bool actionsShowObject = false;
    int32_t actionItem = -1;
    std::set<const CPage*> openPages;
    std::vector<const CPage*> activated, closed;
    bool refuseClose = false;
    bool active = true;
    bool controlHeld = false;
    std::filesystem::path downloads;
};

struct FrameCommandsHarness {
    FrameCommandsHarness()
    {
        commands.Register(target);
        table.setActive(CommandLevel::MainFrame, &target);
    }
    ~FrameCommandsHarness() { table.setActive(CommandLevel::MainFrame, nullptr); }
    FrameCommandsHarness(const FrameCommandsHarness&) = delete;
    FrameCommandsHarness& operator=(const FrameCommandsHarness&) = delete;

    // Types text into a ribbon control, then runs its command as Enter does.
    bool Enter(CommandId id, std::u16string_view text)
    {
        frame.texts[id] = std::u16string(text);
        return Run(id);
    }
    bool Run(CommandId id) { return table.execute(ToInt(id)); }
    bool Run(int32_t id) { return table.execute(id); }
    CommandState State(CommandId id) const { return table.state(ToInt(id)); }
    CommandState State(int32_t id) const { return table.state(id); }
    CProjectSettings& Settings() { return editor.project->Settings(); }
    // The project counts as saved: neither modified nor stale.
    void Settle()
    {
        editor.project->SetModified(false);
        editor.project->ClearTargetStale();
        editor.counts = {};
    }

    ScriptedPrompts dialogs;
    FakeEditorHost editor;
    FakeFrame frame;
    CProject& project = editor.MakeProject();
    CMainFrameCommands commands{editor, frame};
    CommandTarget target;
    CommandTable table;
};

} // namespace vx::test
