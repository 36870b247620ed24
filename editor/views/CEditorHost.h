#pragma once
// What the page views, the panes and the application's commands reach of the editor
// around them: the open project, the active page view and the other panes. The main
// frame answers in the program; tests answer with a host of their own. Every pane may
// be missing (a test host without it): the host then does nothing for it.

#include <cstdint>
#include <filesystem>
#include <string_view>

class CChildViewPage;
class CPage;
class CProject;
class CProjectOutput;
class CProjectPrompts;

enum class PropertiesRefill {
    Full,    // rebuild the properties grid from the selection
    InPlace, // keep the grid's layout, refresh its values
};

class CEditorHost {
public:
    virtual ~CEditorHost() = default;

    // The open project; none while no project is open.
    virtual CProject* GetProject() = 0;
    // The page view that is active; none without an open page.
    virtual CChildViewPage* GetActiveView() = 0;
    // Questions and messages: message boxes in the program, scripted answers in tests.
    virtual CProjectPrompts& GetPrompts() = 0;
    // The output pane as the project writes to it.
    virtual CProjectOutput& GetOutput() = 0;

    // The project's modified and target-stale marks set, and the title refreshed.
    virtual void MarkProjectModified() = 0;
    // The main window's title follows the project's name and modified mark.
    virtual void UpdateTitle() = 0;
    // Asks the idle refresh to fill the properties pane again.
    virtual void RequestPropertiesRefill(PropertiesRefill refill) = 0;
    // The idle refresh forgets the page view it saw last, so the objects pane is rebuilt.
    virtual void ForgetLastView() = 0;

    // Project pane: selects the page's item (by the page's name); the page tree built
    // again with one page selected, or none.
    virtual void SelectPageInProjectTree(std::u16string_view pageName) = 0;
    // Whether the project tree's current item is a page item.
    virtual bool IsPageItemSelectedInProjectTree() = 0;
    virtual void RebuildProjectTree(const CPage* select) = 0;
    // Objects pane: rebuilt from the active view.
    virtual void RebuildObjectsPane() = 0;
    // Tags pane: the grid shows the project's tags again.
    virtual void RefreshTagsGrid() = 0;
    // Actions pane: the script being edited is stored into its object; an action is
    // inserted (the action's command id).
    virtual void StoreActionScript() = 0;
    virtual void InsertAction(int32_t commandId) = 0;
    // The ribbon's undo and redo lists follow the active view's stacks.
    virtual void RefreshUndoLists() = 0;

    // Opens the page in a page window, or activates its open window; its view.
    virtual CChildViewPage* OpenPage(CPage& page) = 0;

    // The remembered images folder (setting "ImagesPath"); empty when not set.
    virtual std::filesystem::path GetImagesFolder() = 0;
    virtual void SetImagesFolder(const std::filesystem::path& folder) = 0;
};
