#include "editor/shell/frame/CMainFrame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStatusBar>
#include <QStyle>
#include <algorithm>

#include "diagram/CommandId.h"
#include "editor/objects/CEditorObject.h"
#include "editor/objects/CStyles.h"
#include "editor/project/document/CProject.h"
#include "editor/shell/app/CScenewright2App.h"
#include "editor/shell/frame/CFrameLooks.h"
#include "editor/shell/frame/CFrameOutput.h"
#include "editor/shell/frame/CFramePrompts.h"
#include "editor/views/panes/COutputBar.h"
#include "platform/sys/Registry.h"

namespace {

struct PaneRow {
    FramePane pane;
    const char* title;
    CommandId command;
    Qt::DockWidgetArea side;
};

// The panes in the order they are made and docked, with their toggles and sides.
constexpr std::array<PaneRow, kFramePaneCount> kPanes{{
    {FramePane::Project, "Project", CommandId::PaneProject, Qt::LeftDockWidgetArea},
    {FramePane::Objects, "Objects", CommandId::PaneObjects, Qt::LeftDockWidgetArea},
    {FramePane::Properties, "Properties", CommandId::PaneProperties, Qt::RightDockWidgetArea},
    {FramePane::Output, "Output", CommandId::PaneOutput, Qt::BottomDockWidgetArea},
    {FramePane::Actions, "Actions", CommandId::PaneActions, Qt::RightDockWidgetArea},
    {FramePane::Tags, "Tags", CommandId::PaneTags, Qt::RightDockWidgetArea},
    {FramePane::ActionsList, "Actions list", CommandId::PaneActionsList, Qt::RightDockWidgetArea},
}};
constexpr int kSidePaneWidth = 200;
constexpr int kBottomPaneHeight = 150;

QString placeholderPosition() { return QStringLiteral("00000, 00000"); }
QString placeholderSize() { return QStringLiteral("00000 x 00000"); }

} // namespace

CMainFrame::CMainFrame(CScenewright2App& app, QWidget* parent)
    : QMainWindow(parent), m_app(app), m_prompts(std::make_unique<CFramePrompts>(this)),
      m_output(std::make_unique<CFrameOutput>())
{
    setObjectName(QStringLiteral("MainFrame"));
    setWindowTitle(QString::fromLatin1(kTitle));
}

CMainFrame::~CMainFrame()
{
    m_app.Commands().setActive(CommandLevel::MainFrame, nullptr);
    m_output->SetBar(nullptr);
}

bool CMainFrame::OnCreate()
{
    const auto stored = m_app.GetRegistry().readInteger(kLookKey);
    OnApplicationLook(stored && CFrameLooks::Find(int(*stored)) ? int(*stored) : kDefaultLook);
    CStyles::Get().Clear();
    CStyles::Get().Load(m_app.GetProgramFolder() / "Styles");
    m_app.SetSplashStatus(QString::fromLatin1(CScenewright2App::kStatusLoadingInterface));

    m_mdiArea = new QMdiArea(this);
    m_mdiArea->setViewMode(QMdiArea::TabbedView);
    m_mdiArea->setTabsClosable(true);
    m_mdiArea->setDocumentMode(true);
    setCentralWidget(m_mdiArea);
    if (!CreateStatusBar())
        return false;
    CreatePanes();
    AddFrameCommands();
    m_app.Commands().setActive(CommandLevel::MainFrame, &m_commands);
    resize(1024, 768);
    if (const auto state = m_app.GetRegistry().readString(kWorkspaceKey))
        restoreState(QByteArray::fromBase64(QString::fromStdU16String(*state).toLatin1()));
    UpdateTitle();
    return true;
}

void CMainFrame::CreatePanes()
{
    for (const PaneRow& row : kPanes) {
        auto* dock = new QDockWidget(QString::fromLatin1(row.title), this);
        dock->setObjectName(QString::fromLatin1(row.title));
        dock->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                          QDockWidget::DockWidgetFloatable);
        dock->setAllowedAreas(Qt::AllDockWidgetAreas);
        QWidget* content = nullptr;
        if (row.pane == FramePane::Output) {
            auto* output = new COutputBar(dock);
            m_output->SetBar(output);
            content = output;
        } else {
            // Filled when the pane's own widget is hosted.
            content = new QWidget(dock);
        }
        if (row.side == Qt::BottomDockWidgetArea)
            content->resize(content->width(), kBottomPaneHeight);
        else
            content->resize(kSidePaneWidth, kSidePaneWidth);
        dock->setWidget(content);
        addDockWidget(row.side, dock);
        m_docks[std::size_t(row.pane)] = dock;
    }
    resizeDocks({PaneDock(FramePane::Output)}, {kBottomPaneHeight}, Qt::Vertical);
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

std::optional<Prompts::Answer> CMainFrame::TakeCloseAnswer()
{
    std::optional<Prompts::Answer> answer = m_closeAnswer;
    m_closeAnswer.reset();
    return answer;
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

void CMainFrame::CloseAllPages()
{
    while (QMdiSubWindow* window = m_mdiArea->activeSubWindow() ? m_mdiArea->activeSubWindow()
                                                                : (m_mdiArea->subWindowList().isEmpty()
                                                                       ? nullptr
                                                                       : m_mdiArea->subWindowList().front())) {
        const auto before = m_mdiArea->subWindowList().size();
        window->close();
        if (m_mdiArea->subWindowList().size() == before)
            break; // the window refused to close
    }
}

void CMainFrame::RefreshBars()
{
    if (!m_active)
        return;
    CChildViewPage* view = GetActiveView();
    if (view != m_lastView) {
        RebuildObjectsPane();
        m_lastView = view;
    }
    if (view) {
        // The selection of the view: its selected objects, or the page.
        std::vector<CSelectable*> selection;
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
    if (!m_statusCleared) {
        ClearStatusBar();
        m_statusCleared = true;
    }
}

void CMainFrame::FillFromSelection(std::span<CSelectable* const> selection, PropertiesRefill refill)
{
    (void)refill;
    ++m_fillCount;
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

CProject* CMainFrame::GetProject() { return m_app.GetProject(); }
CChildViewPage* CMainFrame::GetActiveView() { return nullptr; }
CProjectPrompts& CMainFrame::GetPrompts() { return *m_prompts; }
CProjectOutput& CMainFrame::GetOutput() { return *m_output; }

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
    m_forceRefill = true;
    m_refillInPlace = refill == PropertiesRefill::InPlace;
}

void CMainFrame::ForgetLastView() { m_lastView = nullptr; }
void CMainFrame::SelectPageInProjectTree(std::u16string_view) {}
bool CMainFrame::IsPageItemSelectedInProjectTree() { return false; }
void CMainFrame::RebuildProjectTree(const CPage*) {}
void CMainFrame::RebuildObjectsPane() {}
void CMainFrame::RefreshTagsGrid() {}
void CMainFrame::StoreActionScript() {}
void CMainFrame::InsertAction(int32_t) {}
void CMainFrame::RefreshUndoLists() {}
CChildViewPage* CMainFrame::OpenPage(CPage&) { return nullptr; }

std::filesystem::path CMainFrame::GetImagesFolder() { return std::filesystem::path(m_app.ImagesFolder()); }
void CMainFrame::SetImagesFolder(const std::filesystem::path& folder)
{
    m_app.ImagesFolder() = folder.u16string();
}
