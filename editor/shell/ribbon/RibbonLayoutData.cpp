#include "editor/shell/ribbon/RibbonLayoutData.h"

#include "diagram/CommandId.h"
#include "editor/views/icons/CEditorIcons.h"

namespace {

using C = CommandId;
using I = RibbonItem;

constexpr RibbonElement category(const char16_t* label, IconStrip small, IconStrip large)
{
    return {I::Category, 0, label, int32_t(small), int32_t(large)};
}
constexpr RibbonElement category(const char16_t* label, IconStrip strip) { return category(label, strip, strip); }
constexpr RibbonElement panel(const char16_t* label) { return {I::Panel, 0, label}; }
constexpr RibbonElement large(C id, const char16_t* label, int32_t image) { return {I::LargeButton, ToInt(id), label, image}; }
constexpr RibbonElement small(C id, const char16_t* label, int32_t image = -1) { return {I::SmallButton, ToInt(id), label, image}; }
constexpr RibbonElement small(int32_t id, const char16_t* label, int32_t image = -1) { return {I::SmallButton, id, label, image}; }
constexpr RibbonElement hidden(C id, const char16_t* label, int32_t image) { return {I::HiddenButton, ToInt(id), label, image}; }
constexpr RibbonElement check(C id, const char16_t* label, int32_t image = -1) { return {I::CheckBox, ToInt(id), label, image}; }
constexpr RibbonElement combo(RibbonItem kind, C id, int32_t width, std::span<const char16_t* const> items = {})
{
    return {kind, ToInt(id), u"", -1, width, items};
}
constexpr RibbonElement edit(C id, const char16_t* label, int32_t width) { return {I::Edit, ToInt(id), label, -1, width}; }
constexpr RibbonElement label(const char16_t* text, int32_t image = -1) { return {I::Label, 0, text, image}; }
constexpr RibbonElement label(C id, const char16_t* text, int32_t image) { return {I::Label, ToInt(id), text, image}; }
constexpr RibbonElement slider(C id, int32_t minimum, int32_t maximum) { return {I::Slider, ToInt(id), u"", minimum, maximum}; }
constexpr RibbonElement colour(C id) { return {I::ColourButton, ToInt(id)}; }
constexpr RibbonElement gallery(C id, const char16_t* label) { return {I::StyleGallery, ToInt(id), label}; }
constexpr RibbonElement insert(C id, const char16_t* label) { return {I::InsertButton, ToInt(id), label}; }
constexpr RibbonElement action(int32_t id, const char16_t* label) { return {I::ActionButton, id, label}; }
constexpr RibbonElement beginGroup() { return {I::BeginGroup}; }
constexpr RibbonElement beginRow() { return {I::BeginRow}; }
constexpr RibbonElement endRow() { return {I::EndRow}; }
constexpr RibbonElement separator() { return {I::Separator}; }
template <std::size_t N>
constexpr RibbonElement shared(const RibbonElement (&list)[N])
{
    RibbonElement element{I::Shared};
    element.shared = list;
    element.sharedCount = N;
    return element;
}

constexpr const char16_t* kFontSizes[] = {u"8", u"9", u"10", u"11", u"12", u"14", u"16", u"18",
                                          u"20", u"22", u"24", u"26", u"28", u"36", u"48", u"72"};
constexpr const char16_t* kHoldFirst[] = {u"200", u"500", u"1000", u"1500", u"2000"};
constexpr const char16_t* kHoldRepeat[] = {u"100", u"200", u"300", u"500", u"1000"};
constexpr const char16_t* kScreenSaverStart[] = {u"off", u"15", u"30", u"60", u"120"};
constexpr const char16_t* kPageSizes[] = {u"240x320", u"480x272", u"480x320", u"640x480",
                                          u"800x480", u"800x600", u"1024x768"};
constexpr const char16_t* kZooms[] = {u"1%", u"2%", u"5%", u"10%", u"20%", u"50%", u"100%", u"200%", u"500%", u"1000%"};
constexpr const char16_t* kAntiAliasing[] = {u"none", u"normal", u"clear type"};

// Both the Home and the Format tab carry these.
constexpr RibbonElement kTextFormatting[] = {
    {I::FontCombo, ToInt(C::FontName), u"", -1, 100},
    combo(I::EditableCombo, C::FontSize, 30, kFontSizes),
    beginGroup(), small(C::FontBold, u"", 8), small(C::FontItalic, u"", 9), small(C::FontUnderline, u"", 10), endRow(),
    beginGroup(), small(C::FontGrow, u"", 58), small(C::FontShrink, u"", 59), colour(C::FontColour), endRow(),
    beginGroup(), small(C::TextAlignLeft, u"", 24), small(C::TextAlignCentre, u"", 25), small(C::TextAlignRight, u"", 26),
    endRow(),
};

constexpr RibbonElement kGroupingAndOrder[] = {
    small(C::Group, u"Group", 37),        small(C::OrderUp, u"Up", 41),
    small(C::OrderDown, u"Down", 42),     small(C::Ungroup, u"Ungroup", 38),
    small(C::OrderToFront, u"Bring to front", 39), small(C::OrderToBack, u"Send to back", 40),
};

constexpr RibbonElement kLayout[] = {
    category(u"&Home", IconStrip::Home, IconStrip::HomeLarge),
    panel(u"Page"),
    large(C::PageNew, u"New", 43),
    large(C::PageDelete, u"Delete", 3),
    large(C::PageDuplicate, u"Duplicate", 2),
    panel(u"Clipboard"),
    {I::PasteButton, ToInt(C::Paste), u"Paste\nv", 0},
    small(C::Cut, u"Cut\nx", 1),
    small(C::Copy, u"Copy\nc", 2),
    small(C::Clone, u"Clone\nr", 3),
    hidden(C::EditUndo, u"Undo", 4),
    hidden(C::EditRedo, u"Redo", 32),
    panel(u"Insert"),
    small(C::InsertButton, u"Button", 44),
    small(C::InsertImage, u"Image", 45),
    small(C::InsertText, u"Text", 47),
    small(C::InsertNumericField, u"Numeric field", 46),
    small(C::InsertDynamicImage, u"Dynamic image", 52),
    small(C::InsertColorBar, u"Color bar", 51),
    small(C::InsertLight, u"Light", 48),
    small(C::InsertSlider, u"Slider", 49),
    small(C::InsertMeter, u"Meter", 50),
    panel(u"Text formatting"),
    shared(kTextFormatting),
    panel(u"Grouping & Order"),
    shared(kGroupingAndOrder),
    panel(u"Style"),
    gallery(C::StyleGallery, u"Style"),

    category(u"&Project", IconStrip::Project),
    panel(u"Actions"),
    label(C::HoldPanelLabel, u"Hold trigger", 10),
    beginRow(), label(u"First:", 3), combo(I::EditableCombo, C::HoldFirst, 60, kHoldFirst), endRow(),
    beginRow(), label(u"Repeat:", 4), combo(I::EditableCombo, C::HoldRepeat, 60, kHoldRepeat), label(u"times [ms]"),
    endRow(),
    panel(u"Screen Saver"),
    large(C::ScreenSaverCreatePage, u"Create page", 6),
    label(C::ScreenSaverPanelLabel, u"Start time [s]:", 5),
    combo(I::EditableCombo, C::ScreenSaverTime, 50, kScreenSaverStart),
    panel(u"Position"),
    check(C::InitiallyVisible, u"Initially visible"),
    beginRow(), label(u"Horz. position", 13), edit(C::PositionHorizontal, u"", 60), endRow(),
    beginRow(), label(u"Vert. position", 14), edit(C::PositionVertical, u"", 60), endRow(),

    category(u"Pa&ge", IconStrip::Page),
    panel(u"Insert"),
    small(ToInt(C::InsertPageFirst) + 0, u"Normal", 3),
    small(ToInt(C::InsertPageFirst) + 1, u"Initial", 4),
    small(ToInt(C::InsertPageFirst) + 2, u"Global", 5),
    small(ToInt(C::InsertPageFirst) + 3, u"ScreenSaver", 6),
    small(ToInt(C::InsertPageFirst) + 4, u"Dialog", 7),
    small(ToInt(C::InsertPageFirst) + 5, u"Window", 8),
    panel(u"Properties"),
    beginRow(), label(u"Color:", 0), colour(C::PageColour), endRow(),
    beginRow(), label(u"Transparency:"), slider(C::PageTransparency, 0, 100), endRow(),
    beginRow(), label(u"Size:", 1), combo(I::EditableCombo, C::PageSize, 60, kPageSizes), endRow(),
    check(C::ResizePageObjects, u"Also resize page objects"),

    category(u"&View", IconStrip::View),
    panel(u"Zoom"),
    combo(I::PercentCombo, C::Zoom, 70, kZooms),
    small(C::ZoomFit, u"Fit to screen", 6),
    small(C::ZoomReset, u"Reset to default", 7),
    panel(u"Grid"),
    label(u"", 5),
    label(u"", 15),
    label(u"Type"),
    check(C::GridVisible, u"Visible"),
    check(C::SnapToGrid, u"Snap to grid"),
    beginGroup(), small(C::GridDots, u"", 0), small(C::GridLines, u"", 1), endRow(),
    panel(u"Windows"),
    check(C::PaneProject, u"Project\n1", CEditorIcons::kFirstPaneLabel + 0),
    check(C::PaneObjects, u"Objects\nb", CEditorIcons::kFirstPaneLabel + 1),
    check(C::PaneOutput, u"Output\no", CEditorIcons::kFirstPaneLabel + 2),
    check(C::PaneProperties, u"Properties\n2", CEditorIcons::kFirstPaneLabel + 3),
    check(C::PaneActions, u"Actions\na", CEditorIcons::kFirstPaneLabel + 4),
    check(C::PaneActionsList, u"Actions list\nl", CEditorIcons::kFirstPaneLabel + 5),
    check(C::PaneTags, u"Tags\nt", CEditorIcons::kFirstPaneLabel + 6),
    separator(),

    category(u"&Insert", IconStrip::Insert),
    panel(u"Static objects"),
    insert(C::InsertImage, u"Image"),
    insert(C::InsertText, u"Text"),
    panel(u"Dynamic objects"),
    insert(C::InsertLight, u"Light"),
    insert(C::InsertMeter, u"Meter"),
    insert(C::InsertGraph, u"Graph"),
    insert(C::InsertImageBar, u"Image bar"),
    insert(C::InsertColorBar, u"Color bar"),
    insert(C::InsertTicker, u"Ticker"),
    insert(C::InsertDynamicImage, u"Dynamic image"),
    insert(C::InsertMessageField, u"Message field"),
    panel(u"Data objects"),
    insert(C::InsertNumericField, u"Numeric field"),
    insert(C::InsertTextField, u"Text field"),
    insert(C::InsertDateTimeField, u"DTC field"),
    insert(C::InsertEditableNumField, u"Edit num field"),
    insert(C::InsertEditableTextField, u"Edit text field"),
    panel(u"Control objects"),
    insert(C::InsertButton, u"Button"),
    insert(C::InsertSlider, u"Slider"),
    insert(C::InsertKnob, u"Knob"),
    insert(C::InsertIndicatorButton, u"Indicator button"),
    insert(C::InsertListBox, u"List box"),
    insert(C::InsertDynamicListBox, u"Dynamic list box"),
    panel(u"Logical objects"),
    insert(C::InsertTrigger, u"Trigger"),
    insert(C::InsertTimer, u"Timer"),

    category(u"F&ormat", IconStrip::Home, IconStrip::HomeLarge),
    panel(u"Style"),
    gallery(C::StyleGallery, u"Style"),
    panel(u"Text formatting"),
    shared(kTextFormatting),
    small(C::TextRightToLeft, u"RTL", 60),
    panel(u"Position & Size"),
    beginRow(), label(u"    Position:"), edit(C::PositionX, u"X", 60), edit(C::PositionY, u"Y", 60), endRow(),
    beginRow(), label(u"Size:"), edit(C::SizeWidth, u"", 60), edit(C::SizeHeight, u"", 60), endRow(),
    beginRow(), check(C::LockSize, u"Lock size"), check(C::LockPosition, u"Lock position"), endRow(),
    small(C::OriginalSize, u"Set original size", 36),
    panel(u"Alignment"),
    small(C::AlignLeft, u"Left", 53),
    small(C::AlignRight, u"Right", 54),
    small(C::AlignTop, u"Top", 55),
    small(C::AlignBottom, u"Bottom", 56),
    panel(u"Grouping & Order"),
    shared(kGroupingAndOrder),

    category(u"&Actions", IconStrip::Actions),
    panel(u"Pages"),
    action(32878, u"Next"),
    action(32879, u"Prev"),
    action(32880, u"Goto"),
    action(32876, u"Last visited"),
    action(32877, u"Initial"),
    panel(u"Tags"),
    action(32881, u"Set"),
    action(32882, u"Increment"),
    action(32883, u"Decrement"),
    action(32886, u"Multiply"),
    action(32887, u"Divide"),
    action(32892, u"Bit-wise"),
    panel(u"String Tags"),
    action(32894, u"Set"),
    action(32895, u"Concatenate"),
    panel(u"Comparison"),
    action(32889, u"Compare"),
    action(32893, u"Else compare"),
    action(32890, u"Else"),
    action(32891, u"End"),
    panel(u"Target device"),
    action(32884, u"Turn LED on"),
    action(32885, u"Turn LED off"),
    action(32871, u"Show layer"),
    action(32872, u"Hide layer"),
    action(32873, u"Set layer X pos"),
    action(32874, u"Set layer Y pos"),
    panel(u"Objects"),
    action(32888, u"Set object focus"),
    action(32897, u"Change page focus"),
    panel(u"System"),
    action(32896, u"Send key"),
    action(32870, u"Sleep"),
    action(32875, u"Exit && load project"),

    category(u"&Target", IconStrip::Target),
    panel(u"Properties"),
    check(C::PremultipliedAlpha, u"Pre-multi alpha"),
    check(C::CompressedImages, u"Compressed images"),
    beginGroup(), small(C::ColorDepth16, u"32/16-bit"), small(C::ColorDepth18, u"32/18-bit"),
    small(C::ColorDepth32, u"32/24-bit"), endRow(),
    separator(),
    check(C::NavigationWithKeys, u"Navigation with keys"),
    separator(),
    beginRow(), label(u"Text anti-aliasing:"), combo(I::ListCombo, C::TextAntiAliasing, 60, kAntiAliasing), endRow(),
    beginRow(), label(u"Native text encoding:"), combo(I::EncodingCombo, C::NativeEncoding, 80), endRow(),
    panel(u"Download"),
    large(C::GenerateBinary, u"Generate binary", 2),
    // The download has no place of its own; it sits beside the file it sends.
    small(C::Download, u"Download", 0),
    edit(C::TagMemorySize, u"Tag memory size:", 50),
    panel(u"Simulate"),
    large(C::Play, u"Play", 1),
};

constexpr ApplicationElement kApplicationMenu[] = {
    {ApplicationItem::PresetMenu, ToInt(C::FileNew), u"&New", 0, u"New project with selected preset"},
    {ApplicationItem::Command, ToInt(C::FileOpen), u"&Open...", 1},
    {ApplicationItem::Command, ToInt(C::Import), u"&Import...", 11},
    {ApplicationItem::TagPresetMenu, ToInt(C::Controller), u"Controller...", 9, u"Presets with controller tags"},
    {ApplicationItem::Command, ToInt(C::FileSave), u"&Save", 2},
    {ApplicationItem::Command, ToInt(C::FileSaveAs), u"Save &As...", 3},
    {ApplicationItem::PrintMenu, ToInt(C::FilePrint), u"&Print", 4, u"Preview and print the document"},
    {ApplicationItem::Separator},
    {ApplicationItem::Command, ToInt(C::FileClose), u"&Close", 5},
    {ApplicationItem::RecentFiles, 0, u"", -1, u"Recent Documents"},
    {ApplicationItem::BottomCommand, ToInt(C::Options), u"Opt&ions", 10},
    {ApplicationItem::BottomCommand, ToInt(C::AppExit), u"E&xit", 8},
};

constexpr ApplicationSubItem kPrintMenu[] = {
    {ToInt(C::FilePrint), u"&Print", 4},
    {ToInt(C::FilePrintDirect), u"&Quick Print", 6},
    {ToInt(C::FilePrintPreview), u"Print Pre&view", 7},
};

constexpr QuickAccessDefault kQuickAccess[] = {
    {ToInt(C::FileNew), QuickAccessPlace::Listed},         {ToInt(C::FileOpen), QuickAccessPlace::Listed},
    {ToInt(C::FileSave), QuickAccessPlace::Shown},         {ToInt(C::FilePrintDirect), QuickAccessPlace::Shown},
    {ToInt(C::FilePrintPreview), QuickAccessPlace::Listed}, {ToInt(C::EditUndo), QuickAccessPlace::Shown},
    {ToInt(C::EditRedo), QuickAccessPlace::Shown},         {ToInt(C::GenerateBinary), QuickAccessPlace::Shown},
    {ToInt(C::Play), QuickAccessPlace::Shown},
};

constexpr int32_t kPopular[] = {
    ToInt(C::FileNew),  ToInt(C::FileOpen), ToInt(C::FileSave),       ToInt(C::FilePrintPreview), ToInt(C::FilePrintDirect),
    ToInt(C::EditUndo), ToInt(C::EditRedo), ToInt(C::GenerateBinary), ToInt(C::Play),
};

constexpr LookItem kLooks[] = {
    {ToInt(C::LookOffice2007Blue), u"&Blue Theme"},
    {ToInt(C::LookOffice2007Black), u"B&lack Theme"},
    {ToInt(C::LookOffice2007Silver), u"&Silver Theme"},
    {ToInt(C::LookOffice2007Aqua), u"&Aqua Theme"},
};

} // namespace

std::span<const RibbonElement> RibbonLayoutData() { return kLayout; }
std::span<const ApplicationElement> ApplicationMenuData() { return kApplicationMenu; }
std::span<const ApplicationSubItem> PrintMenuData() { return kPrintMenu; }
std::span<const QuickAccessDefault> QuickAccessDefaults() { return kQuickAccess; }
std::span<const int32_t> PopularCommands() { return kPopular; }
std::span<const LookItem> LooksMenuData() { return kLooks; }
