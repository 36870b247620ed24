#pragma once
// The main frame's own commands: new, inserted, deleted and duplicated pages, the
// screen-saver page, the project and objects panes' item commands, the style gallery,
// the project's settings on the ribbon, and the target commands (Generate binary, Play,
// Download, tag memory size). They reach the editor through its host and the frame
// through CMainFrameCommandsHost, and serve at the main frame's level of the command
// table.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "diagram/CommandId.h"
#include "editor/document/CPropertySelectedList.h"
#include "editor/project/document/CProjectSettings.h"
#include "editor/shell/commands/CTargetCommands.h"
#include "platform/ui/CommandTable.h"

class CEditorHost;
class CMainFrameCommandsHost;
class CPage;
class CProject;

class CMainFrameCommands {
public:
    static constexpr int32_t kHoldFirstMin = 50;
    static constexpr int32_t kHoldFirstMax = 5000;
    static constexpr int32_t kHoldRepeatMin = 20;
    static constexpr int32_t kHoldRepeatMax = 2000;
    static constexpr int32_t kScreenSaverStartMax = 9999;
    static constexpr int32_t kTagMemorySizeMax = 999999;
    static constexpr int32_t kNewPageBase = 32970;   // new page of type n is 32970 + n
    static constexpr int32_t kNewPageTypes = 7;

    // Both hosts outlive the commands.
    CMainFrameCommands(CEditorHost& editor, CMainFrameCommandsHost& frame);
    ~CMainFrameCommands();
    CMainFrameCommands(const CMainFrameCommands&) = delete;
    CMainFrameCommands& operator=(const CMainFrameCommands&) = delete;

    // Every command with its update handler, into the main frame's target.
    void Register(CommandTarget& target);

    // Pages. A new page of type n (command 32970 + n); 32974 is the screen-saver page.
    void OnNewPage(int32_t commandId);
    // A new page (unique name, default settings) at position (0 top, the page count
    // appends); none without a project.
    CPage* InsertNewPage(int32_t position);
    void DeletePage(CPage& page);
    void DuplicatePage(CPage& page);
    void CreateScreenSaverPage();

    // The objects pane's selected item selected on the page (Ctrl adds to the selection).
    void OnSelectObject();
    void OnStyleGallery();
    void OnUpdateStyleGallery(CommandState& state);

    // The edit's text as an integer clamped to minimum..maximum; a clamped value is
    // written back into the edit ("%d").
    int32_t GetRibbonEditInt(int32_t maximum, int32_t minimum, CommandId edit);

    // Target commands.
    void OnBuildTarget() { m_target.OnBuildTarget(); }
    void OnSimulate() { m_target.OnSimulate(); }
    void OnDownload() { m_target.OnDownload(); }
    void OnTagMemorySize();
    // One poll of a running download (the frame's timer); false when none runs.
    bool PollDownload() { return m_target.PollDownload(); }
    bool IsDownloading() const { return m_target.IsDownloading(); }
    // The project is about to go: a running download is stopped and the compiled target
    // forgotten. The frame calls it before the open project is closed or replaced, since
    // the target commands hold on to the project they built for.
    void ForgetProject() { m_target.ForgetProject(); }
    // Where the engine lies, the simulation's folder, the last engine started.
    CTargetCommands& Target() { return m_target; }

    // The theme names of the style gallery, in its order; the loaded styles by default.
    void SetGalleryThemes(std::vector<std::u16string> names) { m_galleryThemes = std::move(names); }

private:
    CProject* Project() const;
    // A project setting changed: modified, target stale, title.
    void SettingChanged();
    void RegisterPages(CommandTarget& target);
    void RegisterPanes(CommandTarget& target);
    void RegisterSettings(CommandTarget& target);
    void RegisterTargetSettings(CommandTarget& target);
    void RegisterTarget(CommandTarget& target);
    struct NumberSetting {
        CommandId edit;
        int32_t CProjectSettings::*member;
        int32_t minimum, maximum;
        ControlKind kind;
    };
    static const NumberSetting kNumberSettings[];
    void OnNumberSetting(const NumberSetting& setting);
    void OnColorDepth(int32_t bits);
    void OnTextAntiAliasing();
    void OnNativeEncoding();
    // The page selected in the project pane; none without a project or a page item.
    CPage* SelectedPage() const;
    void OnInsertActionFromList();
    std::vector<std::u16string> GalleryThemes() const;
    // The active view's selection and the style name each item holds (empty for none).
    std::vector<std::u16string> SelectionStyles(std::optional<CPropertySelectedList>& selection) const;

    CEditorHost& m_editor;
    CMainFrameCommandsHost& m_frame;
    CTargetCommands m_target;
    std::optional<std::vector<std::u16string>> m_galleryThemes;
    // The style names the gallery's update saw last, and what it answered.
    std::vector<std::u16string> m_galleryStyles;
    bool m_galleryStylesSeen = false;
    bool m_galleryEnabled = false;
};
