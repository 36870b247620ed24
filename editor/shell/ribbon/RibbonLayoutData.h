#pragma once
// The ribbon's layout as data, in building order: categories, their panels and each
// panel's controls with label, command id, image index and width. CRibbonLayout reads it.

#include <cstdint>
#include <span>

#include "platform/ui/ribbon/CRibbonQuickAccessBar.h"

enum class RibbonItem {
    Category,      // label, image = small strip, width = large strip
    Panel,         // label
    LargeButton,   // id, label, image
    SmallButton,   // id, label, image
    PasteButton,   // a large button with the paste menu
    HiddenButton,  // id, label, image: in the ribbon's list, on no panel, with a list of steps
    CheckBox,      // id, label, image (an icon before the label, -1 none)
    ListCombo,     // id, items, width
    EditableCombo, // id, items, width
    PercentCombo,  // an editable combo whose items carry their percent as item data
    FontCombo,     // id
    EncodingCombo, // id, width: the character-encoding names with their slot as item data
    Edit,          // id, label, width
    Slider,        // id, image = minimum, width = maximum
    ColourButton,  // id: the palette with "Other..."
    StyleGallery,  // id, label: one preview per theme
    Label,         // label, image; id 0 for a static text
    BeginGroup,    // a framed row of buttons
    BeginRow,      // a plain row: a caption and its control
    EndRow,        // ends a group or a row
    Separator,
    Shared,        // the elements of another list, in place
    InsertButton,  // id, label: a generated object button
    ActionButton,  // id, label: a generated action button
};

struct RibbonElement {
    RibbonItem item;
    int32_t id = 0;
    const char16_t* label = u"";
    int32_t image = -1;
    int32_t width = 0;
    std::span<const char16_t* const> items = {};
    // For Shared: the list to insert.
    const RibbonElement* shared = nullptr;
    std::size_t sharedCount = 0;
};

// Every category from "&Home" on.
std::span<const RibbonElement> RibbonLayoutData();

// The application menu.
enum class ApplicationItem {
    Command,         // id, label, image
    PresetMenu,      // id, label, image, caption: New with one item per preset
    TagPresetMenu,   // Controller with one item per tag preset
    PrintMenu,       // id, label, image, caption, then the print commands
    Separator,
    RecentFiles,     // caption
    BottomCommand,   // id, label, image
};

struct ApplicationElement {
    ApplicationItem item;
    int32_t id = 0;
    const char16_t* label = u"";
    int32_t image = -1;
    const char16_t* caption = u"";
};

std::span<const ApplicationElement> ApplicationMenuData();

// The print sub-items, under the Print item's caption.
struct ApplicationSubItem {
    int32_t id;
    const char16_t* label;
    int32_t image;
};
std::span<const ApplicationSubItem> PrintMenuData();

// The quick access bar's commands, in order, shown or only listed.
struct QuickAccessDefault {
    int32_t id;
    QuickAccessPlace place;
};
std::span<const QuickAccessDefault> QuickAccessDefaults();

// The options dialog's "Popular Commands".
std::span<const int32_t> PopularCommands();

// Menu 122 on the tab row: the four Office 2007 looks.
struct LookItem {
    int32_t id;
    const char16_t* label;
};
std::span<const LookItem> LooksMenuData();
