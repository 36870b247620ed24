#include "editor/shell/commands/CMainFrameCommands.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "editor/document/CPropertyValue.h"
#include "editor/document/CTagType.h"
#include "editor/objects/CProgramFolder.h"
#include "editor/project/compile/CRibbonFields.h"
#include "editor/project/compile/CTargetDriver.h"
#include "editor/project/document/CProject.h"
#include "editor/project/document/CProjectOutput.h"
#include "editor/project/download/CDownloadSettings.h"
#include "editor/project/download/CSerialZhProtocol.h"
#include "editor/project/tags/CProjectTags.h"
#include "editor/shell/commands/CMainFrameCommandsHost.h"
#include "editor/shell/commands/CScreenSaverPage.h"
#include "editor/shell/commands/CTargetCommandTexts.h"
#include "editor/views/CEditorHost.h"
#include "foundation/target/TargetFormat.h"
#include "platform/sys/Launch.h"
#include "platform/ui/CommandTable.h"
#include "platform/ui/Prompts.h"

namespace {

using target::PageType;

constexpr int32_t kTextAntiAliasingModes = 3; // "none", "normal", "clear type"
constexpr int32_t kFirstEncodingSlot = 10;    // slots before it are numbers and "native-encoding"

bool isUniquePageType(int32_t type)
{
    return type == int32_t(PageType::Initial) || type == int32_t(PageType::Global) ||
        type == int32_t(PageType::ScreenSaver);
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

// The layer position as the ribbon's two edits hold it when the target is built.
class CMainFrameCommands::RibbonFields final : public CRibbonFields {
public:
    explicit RibbonFields(CMainFrameCommandsHost& frame) : m_frame(frame) {}
    std::u16string LayerHorzPositionText() const override { return m_frame.GetRibbonText(CommandId::PositionHorizontal); }
    std::u16string LayerVertPositionText() const override { return m_frame.GetRibbonText(CommandId::PositionVertical); }

private:
    CMainFrameCommandsHost& m_frame;
};

CMainFrameCommands::CMainFrameCommands(CEditorHost& editor, CMainFrameCommandsHost& frame)
    : m_editor(editor), m_frame(frame), m_ribbonFields(std::make_unique<RibbonFields>(frame))
{
}

CMainFrameCommands::~CMainFrameCommands()
{
    ForgetProject();
}

CProject* CMainFrameCommands::Project() const
{
    return m_editor.GetProject();
}

void CMainFrameCommands::ForgetProject()
{
    // The driver stops a running transfer before the line it sends on goes.
    m_driver.reset();
    m_protocol.reset();
    m_driverProject = nullptr;
    m_switches.Reset();
}

CTargetDriver& CMainFrameCommands::Driver(CProject& project)
{
    if (m_driver && m_driverProject == &project)
        return *m_driver;
    ForgetProject();
    m_protocol = std::make_unique<CSerialZhProtocol>(
        CDownloadSettings::Read(ProgramFolder() / std::filesystem::path(CDownloadSettings::kFileName)));
    m_driver = std::make_unique<CTargetDriver>(project, m_protocol.get());
    m_driverProject = &project;
    // A new driver holds no binary yet.
    project.MarkTargetStale();
    return *m_driver;
}

std::filesystem::path CMainFrameCommands::ProgramFolder() const
{
    return m_programFolder.empty() ? CProgramFolder::Path() : m_programFolder;
}

std::filesystem::path CMainFrameCommands::TemporaryFolder()
{
    if (!m_temporaryFolder.empty())
        return m_temporaryFolder;
    std::string error;
    std::filesystem::path folder = Launch::privateTempFolder(error);
    if (folder.empty())
        ReportFailure(CTargetCommandTexts::FailureLine(CTargetCommandTexts::kNoTemporaryFolder, error));
    return folder;
}

void CMainFrameCommands::ReportFailure(std::u16string_view text)
{
    m_editor.GetOutput().AppendLine(text, CTargetCommandTexts::kFailureColor, nullptr, nullptr);
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
    target.add(ToInt(CommandId::InsertPageBefore), [this] {
        if (CPage* page = m_frame.GetSelectedPage(); page && Project())
            InsertNewPage(pageIndex(*Project(), *page));
    });
    target.add(ToInt(CommandId::AppendPageAfter), [this] {
        if (CPage* page = m_frame.GetSelectedPage(); page && Project())
            InsertNewPage(pageIndex(*Project(), *page) + 1);
    });
    target.add(ToInt(CommandId::RenamePage), [this] { m_frame.EditSelectedPageLabel(); });
    target.add(ToInt(CommandId::DeletePage), [this] { OnSelectedPage(&CMainFrameCommands::DeleteSelectedPage); });
    target.add(
        ToInt(CommandId::DuplicatePage), [this] { OnSelectedPage(&CMainFrameCommands::DuplicateSelectedPage); },
        [this](CommandState& state) {
            const CPage* page = Project() ? m_frame.GetSelectedPage() : nullptr;
            state.enabled = page && !isUniquePageType(page->GetPageType());
        });
    target.add(ToInt(CommandId::ActivatePage), [this] { OnSelectedPage(&CMainFrameCommands::ActivateSelectedPage); });
    target.add(ToInt(CommandId::OpenPage), [this] { OnSelectedPage(&CMainFrameCommands::OpenSelectedPage); });
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
    target.add(ToInt(CommandId::GenerateBinary), [this] { OnBuildTarget(); }, projectOpen);
    target.add(ToInt(CommandId::TagMemorySize), [this] { OnTagMemorySize(); }, projectOpen, ControlKind::Edit);
    target.add(ToInt(CommandId::Play), [this] { OnSimulate(); }, projectOpen);
    target.add(ToInt(CommandId::Download), [this] { OnDownload(); }, projectOpen);
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

CPage& CMainFrameCommands::InsertNewPage(int32_t position)
{
    CProject& project = *Project();
    auto page = std::make_unique<CPage>();
    const std::u16string name = project.MakeUniquePageName({});
    page->SetName(name);
    page->SetOriginalName(name);
    CPage& inserted = project.InsertPage(position, std::move(page));
    m_editor.RebuildProjectTree(&inserted);
    m_editor.ForgetLastView();
    m_editor.MarkProjectModified();
    return inserted;
}

void CMainFrameCommands::OnSelectedPage(void (CMainFrameCommands::*operation)(CPage&))
{
    if (!Project())
        return;
    if (CPage* page = m_frame.GetSelectedPage())
        (this->*operation)(*page);
}

void CMainFrameCommands::OpenSelectedPage(CPage& page)
{
    (void)m_editor.OpenPage(page);
}

void CMainFrameCommands::ActivateSelectedPage(CPage& page)
{
    if (m_frame.IsPageOpen(page))
        m_frame.ActivatePageWindow(page);
}

void CMainFrameCommands::DeleteSelectedPage(CPage& page)
{
    DeletePage(page);
}

void CMainFrameCommands::DuplicateSelectedPage(CPage& page)
{
    if (!isUniquePageType(page.GetPageType()))
        DuplicatePage(page);
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
        created->SetName(kScreenSaverPageName);
        created->SetOriginalName(kScreenSaverPageName);
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
        if (std::exchange(project->Settings().*setting.member, value) != value)
            SettingChanged();
    }
}

void CMainFrameCommands::OnColorDepth(int32_t bits)
{
    CProject* project = Project();
    if (!project)
        return;
    // The depth decides every picture of the target, so it is a change like any other.
    if (std::exchange(project->Settings().target.colorBits, bits) != bits)
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
    if (std::exchange(project->Settings().target.textAliasing, index) != index)
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
    if (std::exchange(project->Settings().target.nativeEncoding, uint32_t(slot)) != uint32_t(slot))
        SettingChanged();
}

// ---- target commands

void CMainFrameCommands::OnBuildTarget()
{
    CProject* project = Project();
    if (!project)
        return;
    Prompts::FileRequest request;
    request.title = QString::fromUtf16(CTargetCommandTexts::kSaveTitle);
    request.filters = CTargetCommandTexts::TargetFilters();
    const std::filesystem::path downloads = m_frame.GetDownloadsFolder();
    if (!downloads.empty())
        request.folder = QString::fromStdString(downloads.string());
    request.suggestedName = QString::fromStdU16String(project->GetFullPath().stem().u16string());
    request.mustExist = false;
    const std::optional<QString> chosen = Prompts::saveFile(nullptr, request);
    if (!chosen)
        return;
    const std::filesystem::path path = CTargetCommandTexts::WithTargetExtension(chosen->toStdString());
    CTargetDriver& driver = Driver(*project);
    {
        const CCompileSwitches::Scope scope = m_switches.Apply(*project, BuildKind::Panel);
        (void)driver.BuildTarget(path, *m_ribbonFields);
    }
    m_frame.SetDownloadsFolder(path.parent_path());
}

void CMainFrameCommands::OnSimulate()
{
    m_lastEngine.reset();
    CProject* project = Project();
    if (!project)
        return;
    const std::filesystem::path folder = TemporaryFolder();
    if (folder.empty())
        return;
    const std::filesystem::path targetPath = folder / kSimulationTarget;
    const std::filesystem::path tagsPath = folder / kSimulationTags;
    CTargetDriver& driver = Driver(*project);
    {
        const CCompileSwitches::Scope scope = m_switches.Apply(*project, BuildKind::Simulation);
        // The driver has told the user why.
        if (!driver.BuildTarget(targetPath, *m_ribbonFields))
            return;
    }
    if (const std::u16string error = CProjectTags::WriteTagsFile(tagsPath, project->Tags(),
                                                                 project->Settings().target.nativeEncoding);
        !error.empty()) {
        ReportFailure(CTargetCommandTexts::FailureLine(error));
        return;
    }
    const std::filesystem::path engine = ProgramFolder() / kEngineProgram;
    const Launch::Result started = Launch::spawn(
        engine, EngineArguments(project->GetPageSize(), project->Settings().target.tagMemorySize, targetPath));
    if (!started.started()) {
        ReportFailure(CTargetCommandTexts::FailureLine(CTargetCommandTexts::kEngineFailed, started.error));
        return;
    }
    m_lastEngine = started.pid;
}

std::vector<std::string> CMainFrameCommands::EngineArguments(const CPageSize& size, int32_t tagMemorySize,
                                                             const std::filesystem::path& target)
{
    return {"-w", std::to_string(size.width), "-h", std::to_string(size.height), "-m", std::to_string(tagMemorySize),
            target.string()};
}

void CMainFrameCommands::OnDownload()
{
    CProject* project = Project();
    if (!project)
        return;
    CTargetDriver& driver = Driver(*project);
    const CCompileSwitches::Scope scope = m_switches.Apply(*project, BuildKind::Panel);
    (void)driver.Download();
}

bool CMainFrameCommands::PollDownload()
{
    CProject* project = Project();
    if (!project || !m_driver || m_driverProject != project)
        return false;
    return m_driver->PollDownload();
}

bool CMainFrameCommands::IsDownloading() const
{
    const CProject* project = Project();
    return project && project->IsDownloading();
}

void CMainFrameCommands::OnTagMemorySize()
{
    CProject* project = Project();
    if (!project)
        return;
    const int32_t value = GetRibbonEditInt(kTagMemorySizeMax, 0, CommandId::TagMemorySize);
    if (std::exchange(project->Settings().target.tagMemorySize, value) == value)
        return;
    SettingChanged();
    // A smaller memory may leave rows without a warning out of it, so every row is checked.
    CTagsModel& tags = project->Tags();
    for (int row = 0; row < tags.RowCount(); ++row)
        tags.ValidateAddresses(row);
    m_editor.RefreshTagsGrid();
}
