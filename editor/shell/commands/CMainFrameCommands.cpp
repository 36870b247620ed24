#include "editor/shell/commands/CMainFrameCommands.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "diagram/view/DDiagramView.h"
#include "editor/document/CPropertyValue.h"
#include "editor/document/CTagType.h"
#include "editor/objects/CStyles.h"
#include "editor/project/document/CProject.h"
#include "editor/shell/commands/CMainFrameCommandsHost.h"
#include "editor/shell/commands/CScreenSaverPage.h"
#include "editor/views/CEditorHost.h"
#include "editor/views/page/CChildViewPage.h"
#include "editor/views/page/DDiagramEditor.h"
#include "foundation/target/TargetFormat.h"
#include "platform/ui/CommandTable.h"

namespace {

using target::PageType;

constexpr int32_t kTextAntiAliasingModes = 3; // "none", "normal", "clear type"
constexpr int32_t kFirstEncodingSlot = 10;    // slots before it are numbers and "native-encoding"
constexpr uint32_t kObjectItemIndexMask = 0xFFFF;
constexpr std::u16string_view kStyleCategory = u"Style";
constexpr std::u16string_view kStyleNameCaption = u"Style name";

bool isUniquePageType(int32_t type)
{
    return type == int32_t(PageType::Initial) || type == int32_t(PageType::Global) ||
        type == int32_t(PageType::ScreenSaver);
}

// Stores value; true when the setting held another one.
template <typename Value>
bool store(Value& setting, Value value)
{
    return std::exchange(setting, value) != value;
}

int32_t pageIndex(const CProject& project, const CPage& page)
{
    const auto pages = project.GetPages();
    for (std::size_t i = 0; i < pages.size(); ++i)
        if (pages[i].get() == &page)
            return int32_t(i);
    return -1;
}

} // namespace

// The project settings the ribbon's edits and combos hold as clamped numbers ("off" in
// the screen-saver combo reads as 0).
const CMainFrameCommands::NumberSetting CMainFrameCommands::kNumberSettings[] = {
    {CommandId::HoldFirst, &CProjectSettings::holdFirst, kHoldFirstMin, kHoldFirstMax, ControlKind::Combo},
    {CommandId::HoldRepeat, &CProjectSettings::holdRepeat, kHoldRepeatMin, kHoldRepeatMax, ControlKind::Combo},
    {CommandId::ScreenSaverTime, &CProjectSettings::SSstart, 0, kScreenSaverStartMax, ControlKind::Combo},
    {CommandId::PositionHorizontal, &CProjectSettings::layerHorzPosition, std::numeric_limits<int32_t>::min(),
     std::numeric_limits<int32_t>::max(), ControlKind::Edit},
    {CommandId::PositionVertical, &CProjectSettings::layerVertPosition, std::numeric_limits<int32_t>::min(),
     std::numeric_limits<int32_t>::max(), ControlKind::Edit},
};

CMainFrameCommands::CMainFrameCommands(CEditorHost& editor, CMainFrameCommandsHost& frame)
    : m_editor(editor), m_frame(frame), m_target(editor, frame)
{
}

CMainFrameCommands::~CMainFrameCommands() = default;

CProject* CMainFrameCommands::Project() const
{
    return m_editor.GetProject();
}

void CMainFrameCommands::SettingChanged()
{
    if (CProject* project = Project())
        project->SettingsChanged();
    m_editor.MarkProjectModified();
}

int32_t CMainFrameCommands::GetRibbonEditInt(int32_t maximum, int32_t minimum, CommandId edit)
{
    const int32_t read = CPropertyValue(m_frame.GetRibbonText(edit)).ToInt();
    const int32_t value = std::clamp(read, minimum, maximum);
    if (value != read)
        m_frame.SetRibbonText(edit, CPropertyValue(value).Text());
    return value;
}

// ---- registration

void CMainFrameCommands::Register(CommandTarget& target)
{
    RegisterPages(target);
    RegisterPanes(target);
    RegisterSettings(target);
    RegisterTargetSettings(target);
    RegisterTarget(target);
}

void CMainFrameCommands::RegisterPages(CommandTarget& target)
{
    const auto projectOpen = [this](CommandState& state) { state.enabled = Project() != nullptr; };
    for (int32_t type = 1; type <= kNewPageTypes; ++type) {
        const int32_t id = kNewPageBase + type;
        target.add(
            id, [this, id] { OnNewPage(id); },
            [this, type](CommandState& state) {
                const CProject* project = Project();
                state.enabled = project && (!isUniquePageType(type) || project->FindPageOfType(type) < 0);
            });
    }
    target.add(ToInt(CommandId::PageNew), [this] { OnNewPage(kNewPageBase + int32_t(PageType::Normal)); },
               projectOpen);
    target.add(ToInt(CommandId::InsertPageAtTop), [this] { InsertNewPage(0); }, projectOpen);
    target.add(
        ToInt(CommandId::InsertPageAtBottom),
        [this] {
            if (CProject* project = Project())
                InsertNewPage(project->GetPageCount());
        },
        projectOpen);
    // Beside the page selected in the project pane: before it (0) or after it (1).
    for (const auto& [id, offset] : {std::pair{CommandId::InsertPageBefore, 0}, std::pair{CommandId::AppendPageAfter, 1}})
        target.add(ToInt(id), [this, offset] {
            const CPage* page = SelectedPage();
            if (const int32_t index = page ? pageIndex(*Project(), *page) : -1; index >= 0)
                InsertNewPage(index + offset);
        });
    target.add(ToInt(CommandId::RenamePage), [this] { m_frame.EditSelectedPageLabel(); });
    target.add(ToInt(CommandId::DeletePage), [this] {
        if (CPage* page = SelectedPage())
            DeletePage(*page);
    });
    target.add(
        ToInt(CommandId::DuplicatePage),
        [this] {
            if (CPage* page = SelectedPage(); page && !isUniquePageType(page->GetPageType()))
                DuplicatePage(*page);
        },
        [this](CommandState& state) {
            const CPage* page = SelectedPage();
            state.enabled = page && !isUniquePageType(page->GetPageType());
        });
    target.add(ToInt(CommandId::ActivatePage), [this] {
        if (CPage* page = SelectedPage(); page && m_frame.IsPageOpen(*page))
            m_frame.ActivatePageWindow(*page);
    });
    target.add(ToInt(CommandId::OpenPage), [this] {
        if (CPage* page = SelectedPage())
            (void)m_editor.OpenPage(*page);
    });
    target.add(
        ToInt(CommandId::ScreenSaverCreatePage), [this] { CreateScreenSaverPage(); },
        [this](CommandState& state) {
            const CProject* project = Project();
            state.enabled = project && project->FindPageOfType(int32_t(PageType::ScreenSaver)) < 0;
        });
}

void CMainFrameCommands::RegisterPanes(CommandTarget& target)
{
    target.add(ToInt(CommandId::SelectObject), [this] { OnSelectObject(); });
    target.add(ToInt(CommandId::InsertActionFromList), [this] { OnInsertActionFromList(); });
    target.add(ToInt(CommandId::RenameObject), [this] { m_frame.EditSelectedObjectLabel(); });
    target.add(ToInt(CommandId::DeleteObject), [this] { m_frame.DeleteSelectedObject(); });
    target.add(
        ToInt(CommandId::StyleGallery), [this] { OnStyleGallery(); },
        [this](CommandState& state) { OnUpdateStyleGallery(state); }, ControlKind::Gallery);
}

void CMainFrameCommands::RegisterSettings(CommandTarget& target)
{
    const auto projectOpen = [this](CommandState& state) { state.enabled = Project() != nullptr; };
    for (const NumberSetting& setting : kNumberSettings)
        target.add(ToInt(setting.edit), [this, &setting] { OnNumberSetting(setting); }, projectOpen, setting.kind);
    target.add(
        ToInt(CommandId::InitiallyVisible),
        [this] {
            if (CProject* project = Project()) {
                bool& visible = project->Settings().layerInitiallyVisible;
                visible = !visible;
                SettingChanged();
            }
        },
        [this](CommandState& state) {
            const CProject* project = Project();
            state.enabled = project != nullptr;
            state.checked = project && project->Settings().layerInitiallyVisible;
        },
        ControlKind::Check);
    // Their ribbon elements are enabled only because the commands exist.
    target.add(ToInt(CommandId::HoldPanelLabel), [] {}, projectOpen, ControlKind::Label);
    target.add(ToInt(CommandId::ScreenSaverPanelLabel), [] {}, projectOpen, ControlKind::Label);
    target.add(ToInt(CommandId::StatusPosition), [] {}, {}, ControlKind::Label);
    target.add(ToInt(CommandId::StatusSize), [] {}, {}, ControlKind::Label);
}

void CMainFrameCommands::RegisterTargetSettings(CommandTarget& target)
{
    const auto flagBit = [this](CommandId id, uint32_t bit) {
        return std::pair{[this, id, bit] {
                             CProject* project = Project();
                             if (!project)
                                 return;
                             int32_t& flags = project->Settings().target.targetFlags;
                             flags = int32_t(uint32_t(flags) ^ bit);
                             SettingChanged();
                             // The "Navigation" groups appear or vanish.
                             if (id == CommandId::NavigationWithKeys)
                                 m_editor.RequestPropertiesRefill(PropertiesRefill::Full);
                         },
                         [this, bit](CommandState& state) {
                             const CProject* project = Project();
                             state.enabled = project != nullptr;
                             state.checked = project && (uint32_t(project->Settings().target.targetFlags) & bit) != 0;
                         }};
    };
    for (const auto& [id, bit] : {std::pair{CommandId::PremultipliedAlpha, target::kTargetFlagPremultiply},
                                  std::pair{CommandId::CompressedImages, target::kTargetFlagCompress},
                                  std::pair{CommandId::NavigationWithKeys, target::kTargetFlagFocusTracking}}) {
        auto [handler, update] = flagBit(id, bit);
        target.add(ToInt(id), handler, update, ControlKind::Check);
    }
    for (const auto& [id, bits] : {std::pair{CommandId::ColorDepth16, 16}, std::pair{CommandId::ColorDepth18, 18},
                                   std::pair{CommandId::ColorDepth32, 32}, std::pair{CommandId::ColorDepth8, 8}})
        target.add(
            ToInt(id), [this, bits] { OnColorDepth(bits); },
            [this, bits](CommandState& state) {
                const CProject* project = Project();
                state.enabled = project != nullptr;
                state.checked = project && project->Settings().target.colorBits == bits;
            },
            ControlKind::Check);
    const auto projectOpen = [this](CommandState& state) { state.enabled = Project() != nullptr; };
    target.add(ToInt(CommandId::TextAntiAliasing), [this] { OnTextAntiAliasing(); }, projectOpen, ControlKind::Combo);
    target.add(ToInt(CommandId::NativeEncoding), [this] { OnNativeEncoding(); }, projectOpen, ControlKind::Combo);
}

void CMainFrameCommands::RegisterTarget(CommandTarget& target)
{
    const auto projectOpen = [this](CommandState& state) { state.enabled = Project() != nullptr; };
    target.add(ToInt(CommandId::GenerateBinary), [this] { m_target.OnBuildTarget(); }, projectOpen);
    target.add(ToInt(CommandId::TagMemorySize), [this] { OnTagMemorySize(); }, projectOpen, ControlKind::Edit);
    target.add(ToInt(CommandId::Play), [this] { m_target.OnSimulate(); }, projectOpen);
    target.add(ToInt(CommandId::Download), [this] { m_target.OnDownload(); }, projectOpen);
}

// ---- pages

void CMainFrameCommands::OnNewPage(int32_t commandId)
{
    const int32_t type = commandId - kNewPageBase;
    if (type == int32_t(PageType::ScreenSaver)) {
        CreateScreenSaverPage();
        return;
    }
    CProject* project = Project();
    if (!project || type < 1 || type > kNewPageTypes)
        return;
    CPage& page = project->AddPage(type);
    m_editor.RebuildProjectTree(&page);
    m_editor.ForgetLastView();
    m_editor.MarkProjectModified();
}

CPage* CMainFrameCommands::InsertNewPage(int32_t position)
{
    CProject* open = Project();
    if (!open)
        return nullptr;
    CProject& project = *open;
    auto page = std::make_unique<CPage>();
    const std::u16string name = project.MakeUniquePageName({});
    page->SetName(name);
    page->SetOriginalName(name);
    CPage& inserted = project.InsertPage(position, std::move(page));
    m_editor.RebuildProjectTree(&inserted);
    m_editor.ForgetLastView();
    m_editor.MarkProjectModified();
    return &inserted;
}

CPage* CMainFrameCommands::SelectedPage() const
{
    return Project() ? m_frame.GetSelectedPage() : nullptr;
}

void CMainFrameCommands::DeletePage(CPage& page)
{
    CProject* project = Project();
    if (!project || pageIndex(*project, page) < 0)
        return;
    if (m_frame.IsPageOpen(page)) {
        m_frame.ActivatePageWindow(page);
        m_frame.ClosePageWindow(page);
    }
    // A window that would not close still shows the page: it stays.
    if (page.GetOwnerEditor() || m_frame.IsPageOpen(page))
        return;
    m_editor.ForgetLastView();
    (void)project->RemovePage(page);
    m_editor.RebuildProjectTree(nullptr);
    m_editor.MarkProjectModified();
}

void CMainFrameCommands::DuplicatePage(CPage& page)
{
    CProject* project = Project();
    if (!project || pageIndex(*project, page) < 0)
        return;
    // An open page's objects live in its editor.
    page.TakeEditorObjects();
    auto copy = std::make_unique<CPage>();
    copy->CopyFrom(page, *project);
    CPage& appended = project->AppendPage(std::move(copy));
    m_editor.RebuildProjectTree(&appended);
    m_editor.ForgetLastView();
    m_editor.MarkProjectModified();
}

void CMainFrameCommands::CreateScreenSaverPage()
{
    CProject* project = Project();
    if (!project)
        return;
    const int32_t existing = project->FindPageOfType(int32_t(PageType::ScreenSaver));
    CPage* page = existing >= 0 ? &project->GetPage(existing) : nullptr;
    // An open screen-saver page is the user's to change.
    if (page && (page->GetOwnerEditor() || m_frame.IsPageOpen(*page)))
        return;
    if (page) {
        page->ClearObjects();
    } else {
        auto created = std::make_unique<CPage>();
        created->SetName(CScreenSaverPage::kPageName);
        created->SetOriginalName(CScreenSaverPage::kPageName);
        created->SetPageType(int32_t(PageType::ScreenSaver));
        page = &project->AppendPage(std::move(created));
    }
    CScreenSaverPage::Fill(*project, *page);
    m_editor.RefreshTagsGrid();
    m_editor.MarkProjectModified();
    m_editor.ForgetLastView();
    m_editor.RebuildProjectTree(project->GetPageCount() > 0 ? &project->GetPage(0) : nullptr);
}

// ---- panes

void CMainFrameCommands::OnSelectObject()
{
    CChildViewPage* view = m_editor.GetActiveView();
    const std::optional<uint32_t> data = m_frame.GetSelectedObjectItemData();
    if (!view || !data)
        return;
    DDiagramEditor& editor = view->GetEditor();
    const int32_t index = int32_t(*data & kObjectItemIndexMask) - 1;
    if (index < 0 || !m_frame.IsControlHeld())
        editor.UnselectAll();
    if (CDiagramEntity* entity = editor.GetObjectAt(index))
        editor.SelectObject(*entity, !entity->IsSelected());
    editor.RedrawWindow();
    view->GetCanvas().setFocus();
}

std::vector<std::u16string> CMainFrameCommands::SelectionStyles(std::optional<CPropertySelectedList>& selection) const
{
    std::vector<std::u16string> styles;
    CChildViewPage* view = m_editor.GetActiveView();
    if (!view)
        return styles;
    selection.emplace();
    view->GetSelection(*selection);
    for (CSelectable* item : selection->GetSelection()) {
        const CPropertyBase* style = item->GetFormat().FindProperty(kStyleCategory, kStyleNameCaption);
        // An item without a style stands as the empty name, which no theme answers.
        styles.push_back(style ? style->GetValueText() : std::u16string());
    }
    return styles;
}

void CMainFrameCommands::OnStyleGallery()
{
    const std::vector<std::u16string> themes = GalleryThemes();
    const int32_t chosen = m_frame.GetRibbonIndex(CommandId::StyleGallery);
    if (chosen < 0 || chosen >= int32_t(themes.size()))
        return;
    const std::u16string& name = themes[std::size_t(chosen)];
    std::optional<CPropertySelectedList> selection;
    (void)SelectionStyles(selection);
    if (!selection)
        return;
    for (CSelectable* item : selection->GetSelection())
        if (item->GetFormat().SetPropertyValue(kStyleCategory, kStyleNameCaption, CPropertyValue(name))) {
            item->OnStyleChanged(name);
            item->Invalidate();
        }
    m_editor.RequestPropertiesRefill(PropertiesRefill::Full);
}

void CMainFrameCommands::OnUpdateStyleGallery(CommandState& state)
{
    if (!m_frame.IsMainWindowActive() || !m_editor.GetActiveView()) {
        state.enabled = false;
        return;
    }
    std::optional<CPropertySelectedList> selection;
    std::vector<std::u16string> styles = SelectionStyles(selection);
    if (m_galleryStylesSeen && styles == m_galleryStyles) {
        state.enabled = m_galleryEnabled;
        return;
    }
    m_galleryStylesSeen = true;
    m_galleryStyles = std::move(styles);
    const bool anyStyle = std::any_of(m_galleryStyles.begin(), m_galleryStyles.end(),
                                      [](const std::u16string& name) { return !name.empty(); });
    const bool same = std::adjacent_find(m_galleryStyles.begin(), m_galleryStyles.end(), std::not_equal_to<>()) ==
        m_galleryStyles.end();
    m_galleryEnabled = anyStyle;
    state.enabled = anyStyle;
    int32_t index = -1;
    if (anyStyle && same) {
        const std::vector<std::u16string> themes = GalleryThemes();
        const auto found = std::find(themes.begin(), themes.end(), m_galleryStyles.front());
        index = found == themes.end() ? -1 : int32_t(found - themes.begin());
    }
    m_frame.SetRibbonIndex(CommandId::StyleGallery, index);
}

std::vector<std::u16string> CMainFrameCommands::GalleryThemes() const
{
    if (m_galleryThemes)
        return *m_galleryThemes;
    std::vector<std::u16string> names;
    const CStyles& styles = CStyles::Get();
    for (int index = 0; index < styles.GetCount(); ++index)
        names.push_back(styles.GetAt(index)->GetName());
    return names;
}

void CMainFrameCommands::OnInsertActionFromList()
{
    if (!m_frame.ActionsPaneShowsObject())
        return;
    const int32_t action = m_frame.GetSelectedActionItemData();
    if (action >= 0)
        m_editor.InsertAction(action);
}

// ---- project settings

void CMainFrameCommands::OnNumberSetting(const NumberSetting& setting)
{
    if (CProject* project = Project()) {
        const int32_t value = GetRibbonEditInt(setting.maximum, setting.minimum, setting.edit);
        if (store(project->Settings().*setting.member, value))
            SettingChanged();
    }
}

void CMainFrameCommands::OnColorDepth(int32_t bits)
{
    CProject* project = Project();
    if (!project)
        return;
    // The depth decides every picture of the target, so it is a change like any other.
    if (store(project->Settings().target.colorBits, bits))
        SettingChanged();
}

void CMainFrameCommands::OnTextAntiAliasing()
{
    CProject* project = Project();
    if (!project)
        return;
    const int32_t index = m_frame.GetRibbonIndex(CommandId::TextAntiAliasing);
    if (index < 0 || index >= kTextAntiAliasingModes)
        return;
    if (store(project->Settings().target.textAliasing, index))
        SettingChanged();
}

void CMainFrameCommands::OnNativeEncoding()
{
    CProject* project = Project();
    if (!project)
        return;
    // The chosen name's slot in the tag type table; only character encodings qualify.
    const int32_t slot = CTagType::Slot(m_frame.GetRibbonText(CommandId::NativeEncoding));
    if (slot < kFirstEncodingSlot)
        return;
    if (store(project->Settings().target.nativeEncoding, uint32_t(slot)))
        SettingChanged();
}

void CMainFrameCommands::OnTagMemorySize()
{
    CProject* project = Project();
    if (!project)
        return;
    const int32_t value = GetRibbonEditInt(kTagMemorySizeMax, 0, CommandId::TagMemorySize);
    if (!store(project->Settings().target.tagMemorySize, value))
        return;
    SettingChanged();
    // A smaller memory may leave rows without a warning out of it, so every row is checked.
    CTagsModel& tags = project->Tags();
    for (int row = 0; row < tags.RowCount(); ++row)
        tags.ValidateAddresses(row);
    m_editor.RefreshTagsGrid();
}
