#pragma once
// What every page view command works with: the view, its canvas and container, the
// project and its settings, the ribbon controls, and the few steps the commands share
// (the selected objects, a text property merged over them, the marks a view setting
// change leaves).

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "diagram/CommandId.h"
#include "editor/document/CPropertySelectedList.h"

class CChildViewPage;
class CommandTarget;
class CDiagramEntityContainer;
class CEditorHost;
class CEditorObject;
class CPage;
class CPageRibbonControls;
class CProject;
class CPropertyValue;
class DDiagramEditor;
struct CPageViewSettings;

// How many selected objects a command needs.
enum class SelectionNeed { Any, ExactlyOne, Several };

class CPageCommandContext;

// A command on the selection: enabled, and acting, only when the selection has what it
// needs.
struct SelectionCommand {
    CommandId id;
    SelectionNeed need;
    void (*act)(CPageCommandContext& context);
};

class CPageCommandContext {
public:
    // The category of the text-format properties in the objects' "Format" container.
    static constexpr std::u16string_view kTextCategory = u"Format";
    static constexpr std::u16string_view kFormatContainer = u"Format";

    explicit CPageCommandContext(CChildViewPage& view) : m_view(view) {}

    CChildViewPage& View() const { return m_view; }
    DDiagramEditor& Editor() const;
    CDiagramEntityContainer& Container() const;
    CEditorHost& Host() const;
    CPageRibbonControls& Ribbon() const;
    CPageViewSettings& ViewSettings() const;
    // None while no project is open, or the page is not attached.
    CProject* Project() const;
    CPage* Page() const;

    // The selected page objects in container order.
    std::vector<CEditorObject*> SelectedObjects() const;
    int32_t SelectedCount() const;
    bool Has(SelectionNeed need) const;
    // One text-format property merged over the selection.
    void MergeText(std::u16string_view caption, CPropertySelectedList& merged) const;
    // Stores a text-format value on every given object, each its own undo step, and
    // asks for a new preview of each that changed.
    static void SetText(const std::vector<CEditorObject*>& objects, std::u16string_view caption,
                        const CPropertyValue& value);

    // Registers commands on the selection into target.
    void AddSelectionCommands(CommandTarget& target, std::span<const SelectionCommand> commands);

    // A view setting changed: the project and the container are modified, and the
    // properties pane refreshes in place when an object is selected.
    void ViewSettingChanged() const;
    // The properties pane is filled again from scratch.
    void RequestFullRefill() const;

private:
    CChildViewPage& m_view;
};
