#pragma once
// The editor's main window: the ribbon, a status bar with the selection's position and
// size, seven docking panes, the page windows in an MDI area, and the looks. It keeps
// the title, asks the save question when the window closes and, at idle time, keeps the
// panes in step with the selection of the active page view. The panes, the page views
// and the commands reach the editor around them through it.

#include <QMainWindow>
#include <QString>
#include <array>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "diagram/CDiagramClipboardHandler.h"
#include "editor/shell/commands/CMainFrameCommandsHost.h"
#include "editor/shell/file/CFileCommandsHost.h"
#include "editor/views/CEditorHost.h"
#include "editor/views/page/CPageViewEnvironment.h"
#include "platform/ui/CommandTable.h"
#include "platform/ui/Prompts.h"

class CScenewright2App;
class CDiagramEntity;
class CDiagramEntityContainer;
class CFramePrompts;
class CFrameRibbonControls;
class CMainFrameCommands;
class CActionsBar;
class CActionsListBar;
class CObjectsBar;
class COutputBar;
class CPageWindowList;
class CProjectBar;
class CPropertiesBar;
class CRibbonBar;
class CSelectable;
class CTagsBar;
class QDockWidget;
class QLabel;
class QMdiArea;

// The seven panes, in the order they are made and docked.
enum class FramePane { Project, Objects, Properties, Output, Actions, Tags, ActionsList };
inline constexpr std::size_t kFramePaneCount = 7;

class CMainFrame : public QMainWindow,
                   public CEditorHost,
                   public CFileCommandsHost,
                   public CMainFrameCommandsHost,
                   public CPageViewEnvironment {
    Q_OBJECT
public:
    static constexpr const char* kTitle = "VX-Editor";
    static constexpr const char* kSaveQuestion = "Do you want to save current project?";
    static constexpr const char* kWindowsMenuText = "&Windows...";
    static constexpr const char* kHelpMissing = "The help file %1 could not be opened.";
    // Look ids: Office 2000 ... Office 2007 aqua; the stored default is Office 2007 blue.
    static constexpr int kLookFirst = 32826;
    static constexpr int kLookLast = 32834;
    static constexpr int kDefaultLook = 32831;
    static constexpr const char* kLookKey = "Settings/ApplicationLook";
    static constexpr const char* kWorkspaceKey = "Settings/Workspace";

    explicit CMainFrame(CScenewright2App& app, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // Builds the look, the themes, the ribbon, the status bar and the panes; false when
    // a part could not be made, which ends the start-up.
    bool OnCreate();

    // The look of id (kLookFirst..kLookLast), written to the workspace.
    void OnApplicationLook(int id);
    // The help index: the program's help file, shown by the desktop's viewer.
    void OnHelpFinder();
    int CurrentLook() const { return m_look; }

    // The title the window shows: "VX-Editor", " - " and the project's name, "*" while modified.
    QString ComputeTitle() const;

    // The save question when the window closes; true when the window may close. The
    // answer (No when nothing was asked) stands while the Close command runs.
    bool OnClose();

    // The idle synchronisation of the panes with the active page view.
    void RefreshBars();
    // How often RefreshBars filled the panes from a selection.
    int PaneFillCount() const { return m_fillCount; }

    QDockWidget* PaneDock(FramePane pane) const { return m_docks[std::size_t(pane)]; }
    void TogglePane(FramePane pane);
    QMdiArea* MdiArea() const { return m_mdiArea; }
    CPageWindowList& PageWindows() const { return *m_pageWindows; }
    CRibbonBar* Ribbon() const { return m_ribbon; }
    CProjectBar* ProjectBar() const { return m_projectBar; }
    CObjectsBar* ObjectsBar() const { return m_objectsBar; }
    COutputBar& OutputBar() const { return *m_outputBar; }
    CTagsBar* TagsBar() const { return m_tagsBar; }
    CPropertiesBar* PropertiesBar() const { return m_propertiesBar; }
    CActionsBar* ActionsBar() const { return m_actionsBar; }
    CMainFrameCommands& FrameCommands() const { return *m_frameCommands; }
    // Sends close to every page window until none is left.
    void CloseAllPages();
    // The status bar's two panes: "%d, %d" and "%d x %d" of the selection, empty without one.
    QString StatusPosition() const;
    QString StatusSize() const;
    void UpdateStatusBar(std::span<CSelectable* const> selection);

    CScenewright2App& App() const { return m_app; }

    // What the model's changes tell the views, through the frame's connection: the
    // objects pane marks the selection, follows a changed page and lets go of an entity
    // that leaves it; the ribbon's undo and redo lists take a container's labels.
    // A change of the model: the project is marked and the panes showing the selection follow.
    void OnModelChanged();
    void ShowObjectsSelection();
    void OnObjectsChanged(CDiagramEntityContainer& container);
    void OnEntityRemoved(CDiagramEntityContainer& container, const CDiagramEntity& entity);
    void SetUndoLabels(CommandId command, std::span<const std::u16string> labels);
    // The labels the undo (EditUndo) or redo (EditRedo) list shows, newest first.
    std::vector<std::u16string> UndoLabels(CommandId command) const;

    // CEditorHost
    CProject* GetProject() override;
    CChildViewPage* GetActiveView() override;
    CProjectPrompts& GetPrompts() override;
    CProjectOutput& GetOutput() override;
    void MarkProjectModified() override;
    void UpdateTitle() override;
    void RequestPropertiesRefill(PropertiesRefill refill) override;
    void ForgetLastView() override;
    void SelectPageInProjectTree(std::u16string_view pageName) override;
    bool IsPageItemSelectedInProjectTree() override;
    void RebuildProjectTree(const CPage* select) override;
    void RebuildObjectsPane() override;
    void RefreshTagsGrid() override;
    void StoreActionScript() override;
    void InsertAction(int32_t commandId) override;
    void RefreshUndoLists() override;
    CChildViewPage* OpenPage(CPage& page) override;
    std::filesystem::path GetImagesFolder() override;
    void SetImagesFolder(const std::filesystem::path& folder) override;

    // CFileCommandsHost
    QWidget* GetDialogParent() override { return this; }
    void AttachProject(CProject* project) override;
    void NewPage(CommandId command) override;
    void ShowProjectSettings() override;
    void SelectFirstTagRow() override;
    void SelectFirstPage() override;
    std::optional<Prompts::Answer> GetCloseAnswer() override { return m_closeAnswer; }
    void AddToRecentFileList(const std::filesystem::path& path) override;
    std::filesystem::path GetProjectsFolder() override;
    void SetProjectsFolder(const std::filesystem::path& folder) override;
    std::filesystem::path GetProgramFolder() override;

    // CMainFrameCommandsHost
    std::u16string GetRibbonText(CommandId control) override;
    void SetRibbonText(CommandId control, std::u16string_view text) override;
    int32_t GetRibbonIndex(CommandId control) override;
    void SetRibbonIndex(CommandId control, int32_t index) override;
    CPage* GetSelectedPage() override;
    void EditSelectedPageLabel() override;
    std::optional<uint32_t> GetSelectedObjectItemData() override;
    void EditSelectedObjectLabel() override;
    void DeleteSelectedObject() override;
    bool ActionsPaneShowsObject() override;
    int32_t GetSelectedActionItemData() override;
    bool IsPageOpen(const CPage& page) override;
    void ActivatePageWindow(const CPage& page) override;
    void ClosePageWindow(const CPage& page) override;
    bool IsMainWindowActive() override { return m_active; }
    bool IsControlHeld() override;
    std::filesystem::path GetDownloadsFolder() override;
    void SetDownloadsFolder(const std::filesystem::path& folder) override;

    // CPageViewEnvironment
    CDiagramClipboardHandler& GetClipboard() override { return m_clipboard; }
    CPageRibbonControls& GetRibbon() override;
    CPageViewSettings& GetViewSettings() override { return m_viewSettings; }
    void DeletePage(CPage& page) override;
    void DuplicatePage(CPage& page) override;
    bool CanInsertAction() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    bool CreateRibbon();
    // The application menu lists the recent files.
    void ShowRecentFiles();
    void CreatePanes();
    bool CreateStatusBar();
    void AddFrameCommands();
    void ClearStatusBar();
    void FillFromSelection(std::span<CSelectable* const> selection, PropertiesRefill refill);
    // The properties and actions panes let go of the items they show.
    void DropSelection();
    // The tags pane shows the project's tags; an empty pane without a project.
    void ShowTags(CProject* project);

    CScenewright2App& m_app;
    std::unique_ptr<CFramePrompts> m_prompts;
    std::unique_ptr<CFrameRibbonControls> m_ribbonControls;
    std::unique_ptr<CMainFrameCommands> m_frameCommands;
    std::unique_ptr<CPageWindowList> m_pageWindows;
    CDiagramClipboardHandler m_clipboard;
    CPageViewSettings m_viewSettings;
    CommandTarget m_commands;
    std::array<QDockWidget*, kFramePaneCount> m_docks{};
    // Widgets owned by the window tree.
    CRibbonBar* m_ribbon = nullptr;
    QMdiArea* m_mdiArea = nullptr;
    COutputBar* m_outputBar = nullptr;
    CProjectBar* m_projectBar = nullptr;
    CObjectsBar* m_objectsBar = nullptr;
    CTagsBar* m_tagsBar = nullptr;
    CPropertiesBar* m_propertiesBar = nullptr;
    CActionsBar* m_actionsBar = nullptr;
    CActionsListBar* m_actionsListBar = nullptr;
    QLabel* m_statusPosition = nullptr;
    QLabel* m_statusSize = nullptr;

    int m_look = kDefaultLook;
    bool m_active = false;
    bool m_forceRefill = true;
    bool m_refillInPlace = false;
    bool m_statusCleared = false;
    // Between the close of a project and its deletion: the panes already show none.
    bool m_projectClosing = false;
    int m_fillCount = 0;
    std::optional<Prompts::Answer> m_closeAnswer;
    // What the idle synchronisation saw last.
    CChildViewPage* m_lastView = nullptr;
    std::optional<std::vector<CSelectable*>> m_lastSelection;
    std::vector<std::u16string> m_undoLabels;
    std::vector<std::u16string> m_redoLabels;
};
