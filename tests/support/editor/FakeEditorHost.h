#pragma once
// An editor host for pane and view tests: a project of its own (or one handed in), a
// recording output, scripted prompts, and a count of every request the panes make.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editor/views/CEditorHost.h"
#include "tests/support/editor/ProjectHarness.h"

namespace vx::test {

class FakeEditorHost : public CEditorHost {
public:
    RecordingProjectOutput output;
    ScriptedProjectPrompts prompts;
    std::unique_ptr<CProject> ownProject;
    CProject* project = nullptr;
    CChildViewPage* activeView = nullptr;
    std::filesystem::path imagesFolder;

    struct Counts {
        int modified = 0, title = 0, refillFull = 0, refillInPlace = 0, forgetView = 0;
        int rebuildProjectTree = 0, rebuildObjects = 0, refreshTags = 0, storeScript = 0, undoLists = 0;
    } counts;
    std::vector<std::u16string> selectedPageItems;
    std::vector<int32_t> insertedActions;
    bool pageItemSelected = false;
    // What OpenPage answers; none by default.
    std::function<CChildViewPage*(CPage&)> openPage;

    // A fresh project that the host owns.
    CProject& MakeProject()
    {
        ownProject = std::make_unique<CProject>(prompts, output);
        project = ownProject.get();
        return *project;
    }

    CProject* GetProject() override { return project; }
    CChildViewPage* GetActiveView() override { return activeView; }
    CProjectPrompts& GetPrompts() override { return prompts; }
    CProjectOutput& GetOutput() override { return output; }
    void MarkProjectModified() override
    {
        ++counts.modified;
        if (project) {
            project->SetModified(true);
            project->MarkTargetStale();
        }
        UpdateTitle();
    }
    void UpdateTitle() override { ++counts.title; }
    void RequestPropertiesRefill(PropertiesRefill refill) override
    {
        ++(refill == PropertiesRefill::Full ? counts.refillFull : counts.refillInPlace);
    }
    void ForgetLastView() override { ++counts.forgetView; }
    void SelectPageInProjectTree(std::u16string_view pageName) override
    {
        selectedPageItems.emplace_back(pageName);
        pageItemSelected = true;
    }
    bool IsPageItemSelectedInProjectTree() override { return pageItemSelected; }
    void RebuildProjectTree(const CPage*) override { ++counts.rebuildProjectTree; }
    void RebuildObjectsPane() override { ++counts.rebuildObjects; }
    void RefreshTagsGrid() override { ++counts.refreshTags; }
    void StoreActionScript() override { ++counts.storeScript; }
    void InsertAction(int32_t commandId) override { insertedActions.push_back(commandId); }
    void RefreshUndoLists() override { ++counts.undoLists; }
    CChildViewPage* OpenPage(CPage& page) override { return openPage ? openPage(page) : nullptr; }
    std::filesystem::path GetImagesFolder() override { return imagesFolder; }
    void SetImagesFolder(const std::filesystem::path& folder) override { imagesFolder = folder; }
};

} // namespace vx::test
