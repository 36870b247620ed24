#pragma once
// What the main frame's commands need of the frame beyond the editor host: the ribbon's
// edit and combo values, the items selected in the project, objects and actions-list
// panes, the page windows, the keyboard and the downloads folder. The main frame answers
// in the program; tests answer with a fake.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "diagram/CommandId.h"

class CPage;

class CMainFrameCommandsHost {
public:
    virtual ~CMainFrameCommandsHost() = default;

    // The text of a ribbon edit or editable combo as the user left it; a clamped value
    // is written back.
    virtual std::u16string GetRibbonText(CommandId control) = 0;
    virtual void SetRibbonText(CommandId control, std::u16string_view text) = 0;
    // The chosen entry of a ribbon combo or gallery; -1 for none. Setting -1 shows none.
    virtual int32_t GetRibbonIndex(CommandId control) = 0;
    virtual void SetRibbonIndex(CommandId control, int32_t index) = 0;

    // Project pane: the page of the selected item, none when no page item is selected;
    // label editing of the selected item.
    virtual CPage* GetSelectedPage() = 0;
    virtual void EditSelectedPageLabel() = 0;

    // Objects pane: the selected item's data (object index + 1 in the low 16 bits for
    // an object item, 0 for a group item), none without a selection; label editing;
    // the pane's delete of the selected object.
    virtual std::optional<uint32_t> GetSelectedObjectItemData() = 0;
    virtual void EditSelectedObjectLabel() = 0;
    virtual void DeleteSelectedObject() = 0;

    // Actions: whether the actions pane shows an object's script; the item data of the
    // actions list's selected item (the action's command id), -1 for none or a group.
    virtual bool ActionsPaneShowsObject() = 0;
    virtual int32_t GetSelectedActionItemData() = 0;

    // Page windows: a page's open window, activated; closed as its own Close would.
    virtual bool IsPageOpen(const CPage& page) = 0;
    virtual void ActivatePageWindow(const CPage& page) = 0;
    virtual void ClosePageWindow(const CPage& page) = 0;

    virtual bool IsMainWindowActive() = 0;
    virtual bool IsControlHeld() = 0;

    // The remembered downloads folder (setting "DownloadsPath"); empty when not set.
    virtual std::filesystem::path GetDownloadsFolder() = 0;
    virtual void SetDownloadsFolder(const std::filesystem::path& folder) = 0;
};
