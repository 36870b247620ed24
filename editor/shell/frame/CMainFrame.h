#pragma once
// The editor's main window: the ribbon, a status bar with the selection's position and
// size, seven docking panes, the page windows in an MDI area, and the looks. It keeps
// the title, asks the save question when the window closes and, at idle time, keeps the
// panes in step with the selection of the active page view. The panes reach the editor
// around them through it (CEditorHost).

#include <QMainWindow>
#include <QString>
#include <array>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "editor/views/CEditorHost.h"
#include "platform/ui/CommandTable.h"
#include "platform/ui/Prompts.h"

class CScenewright2App;
class CFrameOutput;
class CFramePrompts;
class CSelectable;
class QDockWidget;
class QLabel;
class QMdiArea;
class QMdiSubWindow;

// The seven panes, in the order they are made and docked.
enum class FramePane { Project, Objects, Properties, Output, Actions, Tags, ActionsList };
inline constexpr std::size_t kFramePaneCount = 7;

class CMainFrame : public QMainWindow, public CEditorHost {
    Q_OBJECT
public:
    static constexpr const char* kTitle = "VX-Editor";
    static constexpr const char* kSaveQuestion = "Do you want to save current project?";
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
    int CurrentLook() const { return m_look; }

    // The title the window shows: "VX-Editor", " - " and the project's name, "*" while modified.
    QString ComputeTitle() const;

    // The save question when the window closes; true when the window may close. The
    // answer (No when nothing was asked) is kept for the Close command.
    bool OnClose();
    // The answer the close handling gave, taken once by the Close command.
    std::optional<Prompts::Answer> TakeCloseAnswer();

    // The idle synchronisation of the panes with the active page view.
    void RefreshBars();
    // How often the properties pane was filled by RefreshBars.
    int PropertiesFillCount() const { return m_fillCount; }

    QDockWidget* PaneDock(FramePane pane) const { return m_docks[std::size_t(pane)]; }
    void TogglePane(FramePane pane);
    QMdiArea* MdiArea() const { return m_mdiArea; }
    // Sends close to every page window until none is left.
    void CloseAllPages();
    // The status bar's two panes: "%d, %d" and "%d x %d" of the selection, empty without one.
    QString StatusPosition() const;
    QString StatusSize() const;
    void UpdateStatusBar(std::span<CSelectable* const> selection);

    CommandTarget& FrameCommands() { return m_commands; }
    CScenewright2App& App() const { return m_app; }

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

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void CreatePanes();
    bool CreateStatusBar();
    void AddFrameCommands();
    void ClearStatusBar();
    void FillFromSelection(std::span<CSelectable* const> selection, PropertiesRefill refill);

    CScenewright2App& m_app;
    std::unique_ptr<CFramePrompts> m_prompts;
    std::unique_ptr<CFrameOutput> m_output;
    CommandTarget m_commands;
    std::array<QDockWidget*, kFramePaneCount> m_docks{};
    QMdiArea* m_mdiArea = nullptr;
    QLabel* m_statusPosition = nullptr;
    QLabel* m_statusSize = nullptr;

    int m_look = kDefaultLook;
    bool m_active = false;
    bool m_forceRefill = true;
    bool m_refillInPlace = false;
    bool m_statusCleared = false;
    int m_fillCount = 0;
    std::optional<Prompts::Answer> m_closeAnswer;
    // What the idle synchronisation saw last.
    CChildViewPage* m_lastView = nullptr;
    std::optional<std::vector<CSelectable*>> m_lastSelection;
};
