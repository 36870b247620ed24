#include "editor/shell/frame/CMainFrame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDockWidget>
#include <QGuiApplication>
#include <QTreeWidget>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStatusBar>
#include <QStyle>
#include <QTabBar>
#include <QUrl>
#include <algorithm>

#include "diagram/CommandId.h"
#include "editor/document/CPropertySelectedList.h"
#include "editor/objects/CEditorObject.h"
#include "editor/objects/CStyles.h"
#include "editor/project/document/CProject.h"
#include "editor/shell/app/CScenewright2App.h"
#include "editor/shell/CRecentFileList.h"
#include "editor/shell/commands/CMainFrameCommands.h"
#include "editor/shell/frame/CFrameConnection.h"
#include "editor/shell/frame/CFrameLooks.h"
#include "editor/shell/frame/CFramePrompts.h"
#include "editor/shell/frame/CFrameRibbonControls.h"
#include "editor/shell/frame/CPageWindowList.h"
#include "editor/shell/frame/CRibbonProjectSettings.h"
#include "editor/shell/frame/CStylePreviews.h"
#include "editor/shell/frame/CWindowsDialog.h"
#include "editor/shell/ribbon/CAcceleratorTable.h"
#include "editor/shell/ribbon/CRibbonLayout.h"
#include "editor/shell/ribbon/CRibbonOptions.h"
#include "editor/views/CTagsBar.h"
#include "editor/views/actions/CActionsBar.h"
#include "editor/views/actions/CActionsListBar.h"
#include "editor/views/icons/CEditorIcons.h"
#include "editor/views/properties/CPropertiesBar.h"
#include "editor/views/page/CChildViewPage.h"
#include "editor/views/panes/CObjectsBar.h"
#include "editor/views/panes/COutputBar.h"
#include "editor/views/panes/CPaneTree.h"
#include "editor/views/panes/CProjectBar.h"
#include "platform/sys/Registry.h"
#include "platform/ui/ribbon/CRibbonApplicationMenu.h"
#include "platform/ui/ribbon/CRibbonBar.h"

namespace {

struct PaneRow {
    FramePane pane;
    const char* title;
    CommandId command;
    Qt::DockWidgetArea side;
    int icon; // in the pane icons
};

// The panes in the order they are made and docked, with their toggles and sides.
constexpr std::array<PaneRow, kFramePaneCount> kPanes{{
    {FramePane::Project, "Project", CommandId::PaneProject, Qt::LeftDockWidgetArea, 0},
    {FramePane::Objects, "Objects", CommandId::PaneObjects, Qt::LeftDockWidgetArea, 0},
    {FramePane::Properties, "Properties", CommandId::PaneProperties, Qt::RightDockWidgetArea, 1},
    {FramePane::Output, "Output", CommandId::PaneOutput, Qt::BottomDockWidgetArea, 2},
    {FramePane::Actions, "Actions", CommandId::PaneActions, Qt::RightDockWidgetArea, 0},
    {FramePane::Tags, "Tags", CommandId::PaneTags, Qt::RightDockWidgetArea, 0},
    {FramePane::ActionsList, "Actions list", CommandId::PaneActionsList, Qt::RightDockWidgetArea, 0},
}};
constexpr int kSidePaneWidth = 200;
constexpr int kBottomPaneHeight = 150;

QString placeholderPosition() { return QStringLiteral("00000, 00000"); }
QString placeholderSize() { return QStringLiteral("00000 x 00000"); }

} // namespace

CMainFrame::CMainFrame(CScenewright2App& app, QWidget* parent)
    : QMainWindow(parent), m_app(app), m_prompts(std::make_unique<CFramePrompts>(this)),
      m_ribbonControls(std::make_unique<CFrameRibbonControls>()),
      m_frameCommands(std::make_unique<CMainFrameCommands>(*this, *this))
{
    setObjectName(QStringLiteral("MainFrame"));
    setWindowTitle(QString::fromLatin1(kTitle));
    setWindowIcon(CEditorIcons::ProgramIcon());
    // The output exists from the start: projects write to it from their first moment.
    m_outputBar = new COutputBar(this);
    m_mdiArea = new QMdiArea(this);
    m_pageWindows = std::make_unique<CPageWindowList>(*m_mdiArea, m_app.Commands(), *this, *this);
    m_outputBar->SetHost(*this);
}

CMainFrame::~CMainFrame()
{
    m_app.Commands().setActive(CommandLevel::MainFrame, nullptr);
    m_app.SetDownloadPoll({});
    // The page windows give their objects back while the project is still there.
    m_pageWindows->CloseAll();
    m_ribbonControls->SetBar(nullptr);
    // The page windows go now, while the panes their containers tell are still here.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_app.Connection().SetFrame(nullptr);
}

bool CMainFrame::OnCreate()
{
    const auto stored = m_app.GetRegistry().readInteger(kLookKey);
    OnApplicationLook(stored && CFrameLooks::Find(int(*stored)) ? int(*stored) : kDefaultLook);
    m_app.SetSplashStatus(QString::fromLatin1(CScenewright2App::kStatusLoadingInterface));

    m_mdiArea->setViewMode(QMdiArea::TabbedView);
    m_mdiArea->setTabsClosable(true);
    m_mdiArea->setDocumentMode(true);
    setCentralWidget(m_mdiArea);
    // The windows dialog's menu entry: the context menu of the page tabs and the area around them.
    QAction* windows = m_app.Commands().action(ToInt(CommandId::WindowsDialog), QString::fromLatin1(kWindowsMenuText));
    for (QWidget* place : {static_cast<QWidget*>(m_mdiArea), static_cast<QWidget*>(m_mdiArea->findChild<QTabBar*>())})
        if (place) {
            place->setContextMenuPolicy(Qt::ActionsContextMenu);
            place->addAction(windows);
        }
    if (!CreateRibbon() || !CreateStatusBar())
        return false;
    CreatePanes();
    AddFrameCommands();
    m_app.Commands().setActive(CommandLevel::MainFrame, &m_commands);
    m_app.SetDownloadPoll([this] { return m_frameCommands->PollDownload(); });
    resize(1024, 768);
    if (const auto state = m_app.GetRegistry().readString(kWorkspaceKey))
        restoreState(QByteArray::fromBase64(QString::fromStdU16String(*state).toLatin1()));
    UpdateTitle();
    return true;
}

bool CMainFrame::CreateRibbon()
{
    m_ribbon = new CRibbonBar(m_app.Commands(), this);
    m_ribbonControls->SetBar(m_ribbon);
    const CRibbonSources sources{m_app.GetPresetsFolder(), CStylePreviews::Collect(CStyles::Get())};
    if (!CRibbonLayout::CreateRibbon(*m_ribbon, sources))
        return false;
    setMenuWidget(m_ribbon);
    // "Tag memory size:" takes every change of its edit, not only Enter.
    for (QWidget* widget : m_ribbon->ControlWidgets(ToInt(CommandId::TagMemorySize)))
        if (auto* edit = qobject_cast<QLineEdit*>(widget))
            connect(edit, &QLineEdit::textEdited, this,
                    [this, edit] { m_ribbon->Execute(ToInt(CommandId::TagMemorySize), edit); });
    // The undo and redo lists show the active page's history as it is when they open.
    for (const CommandId list : {CommandId::EditUndo, CommandId::EditRedo})
        m_ribbon->SetActionListSource(ToInt(list), [this, list] {
            QStringList labels;
            for (const std::u16string& label : UndoLabels(list))
                labels.push_back(QString::fromStdU16String(label));
            return labels;
        });
    m_ribbon->SetCustomizeHandler([this] { CRibbonOptions::ShowOptions(*m_ribbon, this); });
    CRibbonApplicationMenu& menu = m_ribbon->ApplicationMenu();
    menu.SetRecentFileHandler([this](const QString& path) {
        m_app.OpenDocumentFile(std::filesystem::path(path.toStdString()));
        ShowRecentFiles();
    });
    ShowRecentFiles();
    CAcceleratorTable::Install(*this, m_app.Commands());
    return true;
}

void CMainFrame::ShowRecentFiles()
{
    QStringList paths;
    for (const std::u16string& path : m_app.RecentFiles().Entries())
        paths << QString::fromStdU16String(path);
    m_ribbon->ApplicationMenu().SetRecentFiles(paths);
}

void CMainFrame::CreatePanes()
{
    for (const PaneRow& row : kPanes) {
        auto* dock = new QDockWidget(QString::fromLatin1(row.title), this);
        dock->setObjectName(QString::fromLatin1(row.title));
        dock->setWindowIcon(CEditorIcons::PaneIcon(row.icon));
        dock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                          QDockWidget::DockWidgetFloatable);
        dock->setAllowedAreas(Qt::AllDockWidgetAreas);
        QWidget* content = nullptr;
        switch (row.pane) {
        case FramePane::Project:
            content = m_projectBar = new CProjectBar(*this, m_app.Commands(), dock);
            m_projectBar->SetPageWindows(m_pageWindows.get());
            break;
        case FramePane::Objects:
            content = m_objectsBar = new CObjectsBar(*this, m_app.Commands(), dock);
            break;
        case FramePane::Properties:
            content = m_propertiesBar = new CPropertiesBar(*this, dock);
            break;
        case FramePane::Output:
            content = m_outputBar;
            break;
        case FramePane::Actions:
            content = m_actionsBar = new CActionsBar(*this, dock);
            break;
        case FramePane::Tags:
            // The project's tags, once there is a project.
            content = new QWidget(dock);
            break;
        case FramePane::ActionsList:
            content = m_actionsListBar = new CActionsListBar(*this, dock);
            break;
        }
        if (row.side == Qt::BottomDockWidgetArea)
            content->resize(content->width(), kBottomPaneHeight);
        else
            content->resize(kSidePaneWidth, kSidePaneWidth);
        dock->setWidget(content);
        addDockWidget(row.side, dock);
        m_docks[std::size_t(row.pane)] = dock;
    }
    // The script panes and the tags share one place under the properties, as tabs.
    tabifyDockWidget(PaneDock(FramePane::Actions), PaneDock(FramePane::Tags));
    tabifyDockWidget(PaneDock(FramePane::Tags), PaneDock(FramePane::ActionsList));
    PaneDock(FramePane::Actions)->raise();
    resizeDocks({PaneDock(FramePane::Output)}, {kBottomPaneHeight}, Qt::Vertical);
    resizeDocks({PaneDock(FramePane::Properties), PaneDock(FramePane::Actions)}, {kSidePaneWidth, kSidePaneWidth},
                Qt::Vertical);
    resizeDocks({PaneDock(FramePane::Project), PaneDock(FramePane::Properties)}, {kSidePaneWidth, kSidePaneWidth * 5 / 4},
                Qt::Horizontal);
}

bool CMainFrame::CreateStatusBar()
{
    QStatusBar* bar = statusBar();
    if (!bar)
        return false;
    m_statusPosition = new QLabel(bar);
    m_statusSize = new QLabel(bar);
    for (auto [label, placeholder] : {std::pair{m_statusPosition, placeholderPosition()}, std::pair{m_statusSize, placeholderSize()}}) {
        // The placeholder only sets the pane's width.
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(placeholder) + 8);
        label->setText(placeholder);
        bar->addPermanentWidget(label);
    }
    return true;
}

void CMainFrame::AddFrameCommands()
{
    for (const PaneRow& row : kPanes) {
        const FramePane pane = row.pane;
        m_commands.add(
            ToInt(row.command), [this, pane] { TogglePane(pane); },
            [this, pane](CommandState& state) {
                state.checked = PaneDock(pane) && PaneDock(pane)->toggleViewAction()->isChecked();
            },
            ControlKind::Check);
    }
    for (int id = kLookFirst; id <= kLookLast; ++id)
        m_commands.add(
            id, [this, id] { OnApplicationLook(id); }, [this, id](CommandState& state) { state.checked = m_look == id; },
            ControlKind::Check);
    m_commands.add(ToInt(CommandId::CloseAllPages), [this] { CloseAllPages(); });
    m_commands.add(ToInt(CommandId::WindowsDialog), [this] { CWindowsDialog(*m_pageWindows, this).exec(); });
    m_commands.add(ToInt(CommandId::AppExit), [this] { close(); });
    m_commands.add(ToInt(CommandId::Help), [this] { OnHelpFinder(); });
    m_commands.add(ToInt(CommandId::Options), [this] { CRibbonOptions::ShowOptions(*m_ribbon, this); });
    m_frameCommands->Register(m_commands);
}

void CMainFrame::OnHelpFinder()
{
    const std::filesystem::path file = m_app.GetHelpFilePath();
    std::error_code error;
    if (std::filesystem::is_regular_file(file, error) &&
        QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(file.string()))))
        return;
    Prompts::message(this, {QString::fromLatin1(kTitle),
                            QString::fromLatin1(kHelpMissing).arg(QString::fromStdString(file.string())),
                            Prompts::Icon::Warning, Prompts::Buttons::Ok});
}

void CMainFrame::OnApplicationLook(int id)
{
    const CFrameLooks::Look* look = CFrameLooks::Find(id);
    if (!look)
        return;
    if (QApplication::style()->name().compare(QStringLiteral("fusion"), Qt::CaseInsensitive) != 0)
        QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication::setPalette(CFrameLooks::Palette(*look));
    m_look = id;
    if (m_mdiArea)
        m_mdiArea->setTabsMovable(look->mdiTabs);
    m_app.GetRegistry().writeInteger(kLookKey, id);
}

QString CMainFrame::ComputeTitle() const
{
    QString title = QString::fromLatin1(kTitle);
    CProject* project = m_app.GetProject();
    if (!project)
        return title;
    const std::filesystem::path name = project->GetFullPath().stem();
    if (!name.empty())
        title += QStringLiteral(" - ") + QString::fromStdString(name.string());
    if (project->IsModified())
        title += QLatin1Char('*');
    return title;
}

void CMainFrame::UpdateTitle()
{
    const QString title = ComputeTitle();
    if (windowTitle() != title)
        setWindowTitle(title);
}

bool CMainFrame::OnClose()
{
    m_closeAnswer.reset();
    CProject* project = m_app.GetProject();
    Prompts::Answer answer = Prompts::Answer::No;
    // A script still in the actions pane is an edit: it counts before the question.
    if (project)
        StoreActionScript();
    if (project && project->IsModified()) {
        answer = Prompts::message(this, {QString::fromLatin1(kTitle), QString::fromLatin1(kSaveQuestion),
                                         Prompts::Icon::Question, Prompts::Buttons::YesNoCancel});
        if (answer == Prompts::Answer::Cancel)
            return false;
    }
    if (project) {
        m_closeAnswer = answer;
        m_app.Commands().execute(ToInt(CommandId::FileClose));
        m_closeAnswer.reset();
        // A save that failed or was cancelled keeps the project, and the editor with it.
        if (m_app.GetProject())
            return false;
    }
    m_app.GetRegistry().writeString(kWorkspaceKey, QString::fromLatin1(saveState().toBase64()).toStdU16String());
    return true;
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (OnClose())
        event->accept();
    else
        event->ignore();
}

void CMainFrame::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange)
        m_active = isActiveWindow();
    QMainWindow::changeEvent(event);
}

void CMainFrame::TogglePane(FramePane pane)
{
    if (QDockWidget* dock = PaneDock(pane))
        dock->setVisible(dock->isHidden());
}

void CMainFrame::CloseAllPages() { m_pageWindows->CloseAll(); }

void CMainFrame::RefreshBars()
{
    if (!m_statusCleared) {
        ClearStatusBar();
        m_statusCleared = true;
    }
    if (!m_active)
        return;
    CChildViewPage* view = GetActiveView();
    if (view != m_lastView) {
        RebuildObjectsPane();
        m_lastView = view;
    } else if (m_objectsBar && !m_objectsBar->UpdateItemStates()) {
        // The page's objects changed (attached, inserted, deleted) since the tree was built.
        RebuildObjectsPane();
    }
    if (view) {
        // The selection of the view: its selected objects, or the page.
        CPropertySelectedList list;
        view->GetSelection(list);
        const std::vector<CSelectable*> selection(list.GetSelection().begin(), list.GetSelection().end());
        const bool same = m_lastSelection && *m_lastSelection == selection;
        if (!same || m_forceRefill) {
            const PropertiesRefill refill = m_forceRefill && same && m_refillInPlace ? PropertiesRefill::InPlace
                                                                                      : PropertiesRefill::Full;
            m_lastSelection = selection;
            m_forceRefill = false;
            m_refillInPlace = false;
            FillFromSelection(selection, refill);
        }
    } else if (m_lastSelection) {
        m_lastSelection.reset();
        FillFromSelection({}, PropertiesRefill::Full);
    }
}

void CMainFrame::FillFromSelection(std::span<CSelectable* const> selection, PropertiesRefill refill)
{
    ++m_fillCount;
    if (m_propertiesBar)
        m_propertiesBar->FillProperties(CPropertySelectedList(selection), refill);
    // In place the selection is the same: the actions pane keeps its target and what is
    // being typed into it.
    if (m_actionsBar && refill == PropertiesRefill::Full)
        m_actionsBar->ShowObjectActions(selection);
    UpdateStatusBar(selection);
}

void CMainFrame::UpdateStatusBar(std::span<CSelectable* const> selection)
{
    std::optional<CDiagramRect> united;
    for (CSelectable* item : selection) {
        const auto* object = dynamic_cast<const CEditorObject*>(item);
        if (!object)
            continue;
        const CDiagramRect rect = object->GetRect().Normalized();
        united = united ? CDiagramRect{std::min(united->left, rect.left), std::min(united->top, rect.top),
                                       std::max(united->right, rect.right), std::max(united->bottom, rect.bottom)}
                        : rect;
    }
    if (united) {
        m_statusPosition->setText(QStringLiteral("%1, %2").arg(united->left).arg(united->top));
        m_statusSize->setText(QStringLiteral("%1 x %2").arg(united->Width()).arg(united->Height()));
    } else {
        ClearStatusBar();
    }
}

void CMainFrame::ClearStatusBar()
{
    m_statusPosition->clear();
    m_statusSize->clear();
}

QString CMainFrame::StatusPosition() const { return m_statusPosition->text(); }
QString CMainFrame::StatusSize() const { return m_statusSize->text(); }

// CEditorHost

CProject* CMainFrame::GetProject() { return m_projectClosing ? nullptr : m_app.GetProject(); }
CChildViewPage* CMainFrame::GetActiveView() { return m_pageWindows->ActiveView(); }
CProjectPrompts& CMainFrame::GetPrompts() { return *m_prompts; }
CProjectOutput& CMainFrame::GetOutput() { return *m_outputBar; }

void CMainFrame::MarkProjectModified()
{
    if (CProject* project = GetProject()) {
        project->SetModified(true);
        project->MarkTargetStale();
    }
    UpdateTitle();
}

void CMainFrame::RequestPropertiesRefill(PropertiesRefill refill)
{
    // A full refill asked for stays full.
    const bool fullPending = m_forceRefill && !m_refillInPlace;
    m_forceRefill = true;
    m_refillInPlace = refill == PropertiesRefill::InPlace && !fullPending;
}

void CMainFrame::OnModelChanged()
{
    MarkProjectModified();
    // What changed may be shown in the properties pane and the status bar: both follow in place.
    RequestPropertiesRefill(PropertiesRefill::InPlace);
}

void CMainFrame::ForgetLastView() { m_lastView = nullptr; }

void CMainFrame::SelectPageInProjectTree(std::u16string_view pageName)
{
    if (m_projectBar)
        m_projectBar->SelectPageByName(pageName);
}

bool CMainFrame::IsPageItemSelectedInProjectTree() { return m_projectBar && m_projectBar->IsPageItemSelected(); }

void CMainFrame::RebuildProjectTree(const CPage* select)
{
    if (!m_projectBar)
        return;
    int32_t index = -1;
    if (CProject* project = GetProject(); project && select)
        for (int32_t i = 0; i < project->GetPageCount(); ++i)
            if (&project->GetPage(i) == select)
                index = i;
    m_projectBar->Rebuild(index);
}

void CMainFrame::RebuildObjectsPane()
{
    if (m_objectsBar)
        m_objectsBar->Rebuild();
}

void CMainFrame::RefreshTagsGrid()
{
    if (m_tagsBar)
        m_tagsBar->Grid().viewport()->update();
}

void CMainFrame::StoreActionScript()
{
    if (m_actionsBar)
        m_actionsBar->StoreScript();
}

void CMainFrame::InsertAction(int32_t commandId)
{
    if (m_actionsBar)
        m_actionsBar->InsertAction(commandId);
}
void CMainFrame::RefreshUndoLists()
{
    m_undoLabels.clear();
    m_redoLabels.clear();
    if (CChildViewPage* view = GetActiveView()) {
        CDiagramEntityContainer& container = view->GetContainer();
        container.UpdateUndoButtonList(container.GetUndoStack(), CommandId::EditUndo);
        container.UpdateUndoButtonList(container.GetRedoStack(), CommandId::EditRedo);
    }
}

CChildViewPage* CMainFrame::OpenPage(CPage& page) { return &m_pageWindows->Open(page); }

std::filesystem::path CMainFrame::GetImagesFolder() { return std::filesystem::path(m_app.ImagesFolder()); }
void CMainFrame::SetImagesFolder(const std::filesystem::path& folder) { m_app.ImagesFolder() = folder.u16string(); }

// CFileCommandsHost

void CMainFrame::AttachProject(CProject* project)
{
    m_projectClosing = false;
    if (!project) {
        // The project is about to go: nothing may keep a hold on it. Its page windows
        // hand their objects back while it is still here.
        m_frameCommands->ForgetProject();
        DropSelection();
        m_pageWindows->CloseAll();
        m_lastView = nullptr;
        // From here on the panes show no project.
        m_projectClosing = true;
        m_clipboard.Clear();
        m_outputBar->Clear();
        m_undoLabels.clear();
        m_redoLabels.clear();
        ClearStatusBar();
    }
    ShowTags(project);
    if (m_projectBar)
        m_projectBar->Rebuild();
    RebuildObjectsPane();
    RequestPropertiesRefill(PropertiesRefill::Full);
}

void CMainFrame::ShowTags(CProject* project)
{
    QDockWidget* dock = PaneDock(FramePane::Tags);
    if (!dock)
        return;
    QWidget* old = dock->widget();
    m_tagsBar = project ? new CTagsBar(project->Tags(), dock) : nullptr;
    dock->setWidget(m_tagsBar ? static_cast<QWidget*>(m_tagsBar) : new QWidget(dock));
    // The old grid reads the old project's tags: it goes now, not later.
    delete old;
}

void CMainFrame::NewPage(CommandId command) { m_frameCommands->OnNewPage(ToInt(command)); }
void CMainFrame::ShowProjectSettings()
{
    if (CProject* project = GetProject(); project && m_ribbon)
        CRibbonProjectSettings::Show(*m_ribbon, project->Settings());
}

void CMainFrame::SelectFirstTagRow()
{
    if (m_tagsBar && m_tagsBar->Grid().model() && m_tagsBar->Grid().model()->rowCount() > 0)
        m_tagsBar->Grid().setCurrentIndex(m_tagsBar->Grid().model()->index(0, 0));
}

void CMainFrame::SelectFirstPage()
{
    if (m_projectBar)
        (void)m_projectBar->SelectFirstPage();
}

void CMainFrame::AddToRecentFileList(const std::filesystem::path& path)
{
    m_app.RecentFiles().Add(path.u16string());
    ShowRecentFiles();
}
std::filesystem::path CMainFrame::GetProjectsFolder() { return std::filesystem::path(m_app.ProjectsFolder()); }
void CMainFrame::SetProjectsFolder(const std::filesystem::path& folder) { m_app.ProjectsFolder() = folder.u16string(); }
std::filesystem::path CMainFrame::GetProgramFolder() { return m_app.GetProgramFolder(); }

// CMainFrameCommandsHost

std::u16string CMainFrame::GetRibbonText(CommandId control) { return m_ribbonControls->GetText(control); }
void CMainFrame::SetRibbonText(CommandId control, std::u16string_view text) { m_ribbonControls->SetText(control, text); }
int32_t CMainFrame::GetRibbonIndex(CommandId control) { return m_ribbon ? m_ribbon->ControlValue(ToInt(control)) : -1; }

void CMainFrame::SetRibbonIndex(CommandId control, int32_t index)
{
    if (m_ribbon)
        m_ribbon->SetControlValue(ToInt(control), index);
}

CPage* CMainFrame::GetSelectedPage() { return m_projectBar ? m_projectBar->GetSelectedPage() : nullptr; }

void CMainFrame::EditSelectedPageLabel()
{
    if (m_projectBar)
        m_projectBar->StartLabelEdit();
}

std::optional<uint32_t> CMainFrame::GetSelectedObjectItemData()
{
    if (!m_objectsBar || !m_objectsBar->Tree()->currentItem())
        return std::nullopt;
    return uint32_t(m_objectsBar->GetSelectedItemData());
}

void CMainFrame::EditSelectedObjectLabel()
{
    if (m_objectsBar)
        m_objectsBar->StartLabelEdit();
}

void CMainFrame::DeleteSelectedObject()
{
    if (m_objectsBar)
        m_objectsBar->DeleteSelectedObject();
}

bool CMainFrame::ActionsPaneShowsObject() { return m_actionsBar && m_actionsBar->HasTarget(); }

int32_t CMainFrame::GetSelectedActionItemData()
{
    QTreeWidgetItem* item = m_actionsListBar ? m_actionsListBar->Tree()->currentItem() : nullptr;
    return item ? CActionsListBar::ItemData(item) : -1;
}
bool CMainFrame::IsPageOpen(const CPage& page) { return m_pageWindows->Find(page) != nullptr; }
void CMainFrame::ActivatePageWindow(const CPage& page) { m_pageWindows->Activate(page); }
void CMainFrame::ClosePageWindow(const CPage& page)
{
    // The page may go after this: the panes let go of what it shows first.
    DropSelection();
    m_pageWindows->Close(page);
}

void CMainFrame::DropSelection()
{
    if (m_propertiesBar)
        m_propertiesBar->DropSelection();
    if (m_actionsBar) {
        // What was typed into the script goes into its item before the pane lets go.
        m_actionsBar->StoreScript();
        m_actionsBar->ForgetProject();
    }
    m_lastSelection.reset();
    RequestPropertiesRefill(PropertiesRefill::Full);
}

bool CMainFrame::IsControlHeld()
{
    const Qt::KeyboardModifiers clicked = m_objectsBar ? m_objectsBar->GetClickModifiers() : Qt::NoModifier;
    return ((clicked | QGuiApplication::keyboardModifiers()) & Qt::ControlModifier) != 0;
}

std::filesystem::path CMainFrame::GetDownloadsFolder() { return std::filesystem::path(m_app.DownloadsFolder()); }
void CMainFrame::SetDownloadsFolder(const std::filesystem::path& folder) { m_app.DownloadsFolder() = folder.u16string(); }

// CPageViewEnvironment

CPageRibbonControls& CMainFrame::GetRibbon() { return *m_ribbonControls; }
void CMainFrame::DeletePage(CPage& page) { m_frameCommands->DeletePage(page); }
void CMainFrame::DuplicatePage(CPage& page) { m_frameCommands->DuplicatePage(page); }
bool CMainFrame::CanInsertAction() { return m_actionsBar && m_actionsBar->HasTarget(); }

// What the frame's connection passes on

void CMainFrame::ShowObjectsSelection()
{
    if (m_objectsBar && !m_objectsBar->UpdateItemStates())
        RebuildObjectsPane();
}

void CMainFrame::OnObjectsChanged(CDiagramEntityContainer& container)
{
    const CChildViewPage* view = GetActiveView();
    if (view && &view->GetContainer() == &container)
        RebuildObjectsPane();
}

void CMainFrame::OnEntityRemoved(CDiagramEntityContainer& container, const CDiagramEntity& entity)
{
    if (m_objectsBar)
        m_objectsBar->OnEntityRemoved(container, entity);
}

void CMainFrame::SetUndoLabels(CommandId command, std::span<const std::u16string> labels)
{
    (command == CommandId::EditRedo ? m_redoLabels : m_undoLabels).assign(labels.begin(), labels.end());
}

std::vector<std::u16string> CMainFrame::UndoLabels(CommandId command) const
{
    return command == CommandId::EditRedo ? m_redoLabels : m_undoLabels;
}
