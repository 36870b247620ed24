#include "editor/views/page/CChildViewPage.h"

#include <QResizeEvent>
#include <QTimer>
#include <algorithm>

#include "diagram/view/DDiagramView.h"
#include "editor/document/CPropertySelectedList.h"
#include "editor/document/CPropertyValue.h"
#include "editor/objects/CEditorObject.h"
#include "editor/project/document/CProject.h"
#include "editor/project/page/CPage.h"
#include "editor/views/CEditorHost.h"
#include "editor/views/page/CAttachDiagramHost.h"
#include "editor/views/page/CPageViewEnvironment.h"
#include "editor/views/page/commands/CPageViewCommands.h"
#include "editor/views/page/commands/ZoomText.h"

CChildViewPage::CChildViewPage(CEditorHost& host, CPageViewEnvironment& environment, CPage& page, QWidget* parent)
    : QWidget(parent), m_host(host), m_environment(environment), m_viewedPage(page), m_container(&page)
{
    m_container.SetClipboardHandler(&environment.GetClipboard());
    m_canvas = std::make_unique<DDiagramView>(m_editor, &m_container, this);
    m_canvas->setGeometry(rect());
    m_editor.SetSelectionHook([this] { OnSelectionChanged(); });
    m_container.SetRepaint([this](const CDiagramEntity& entity) {
        m_editor.InvalidateClient(m_editor.VirtualToScreen(entity.GetRect()));
    });
    if (CProject* project = m_host.GetProject()) {
        const CPageSize size = project->GetPageSize();
        m_editor.SetVirtualSize(size.width, size.height);
        m_editor.SetProjectFolder(project->GetFolder());
    }
    m_commands = std::make_unique<CPageViewCommands>(*this);
    m_canvas->viewport()->installEventFilter(this);
}

CChildViewPage::~CChildViewPage()
{
    OnDestroy();
}

const CommandTarget& CChildViewPage::GetCommandTarget() const { return m_commands->GetTarget(); }

CEditorObject* CChildViewPage::GetObjectAt(int32_t index) const
{
    return dynamic_cast<CEditorObject*>(m_container.GetAt(index));
}

bool CChildViewPage::IsPageInProject() const
{
    const CProject* project = m_host.GetProject();
    if (!project)
        return false;
    const auto pages = project->GetPages();
    return std::any_of(pages.begin(), pages.end(), [this](const auto& page) { return page.get() == &m_viewedPage; });
}

void CChildViewPage::PostRefreshPage(int32_t selectIndex)
{
    QTimer::singleShot(0, this, [this, selectIndex] { OnRefreshPage(selectIndex); });
}

void CChildViewPage::OnRefreshPage(int32_t selectIndex)
{
    if (m_page || m_destroyed || !IsPageInProject())
        return;
    CPage& page = m_viewedPage;
    page.SetEditor(&m_container, this);
    m_page = &page;

    // From here on the container alone owns the objects.
    std::vector<std::unique_ptr<CEditorObject>> objects = page.ReleaseObjects();
    CDiagramEntity* selected = nullptr;
    {
        const CAttachDiagramHost opening;
        for (std::size_t index = 0; index < objects.size(); ++index) {
            CDiagramEntity* entity = objects[index].get();
            m_editor.AddObject(std::move(objects[index]));
            if (int64_t(index) == selectIndex)
                selected = entity;
        }
    }
    if (selected)
        m_editor.SelectObject(*selected, true);

    // The setters write the values back normalised and push them to the canvas.
    page.SetBackgroundColor(page.GetBackgroundColor());
    page.SetBackgroundImage(page.GetBackgroundImage());
    page.SetBackgroundTransparency(page.GetBackgroundTransparency());
    PushViewSettings();

    m_container.SetModified(false);
    if (selected)
        m_host.RequestPropertiesRefill(PropertiesRefill::InPlace);
    // The undo and redo lists follow the active page, attached now.
    m_host.RefreshUndoLists();
    update();
}

void CChildViewPage::OnDestroy()
{
    if (m_destroyed)
        return;
    m_destroyed = true;
    if (!m_page)
        return;
    m_editor.UnselectAll();
    if (m_container.IsModified())
        m_host.MarkProjectModified();
    // A page the project no longer holds keeps nothing: its objects go with the view.
    if (IsPageInProject()) {
        m_page->ClearObjects();
        while (m_container.GetSize() > 0) {
            std::unique_ptr<CDiagramEntity> entity = m_container.Detach(0);
            if (auto* object = dynamic_cast<CEditorObject*>(entity.get())) {
                (void)entity.release();
                m_page->AddObject(std::unique_ptr<CEditorObject>(object));
            }
        }
        m_page->SetEditor(nullptr);
    }
    m_page = nullptr;
}

bool CChildViewPage::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Paint && watched == m_canvas->viewport())
        PushViewSettingsOnPaint();
    return QWidget::eventFilter(watched, event);
}

namespace {

// The project's view settings as one text, to tell whether they changed.
std::u16string viewSettingsText(const CProject& project)
{
    const CProjectSettings& settings = project.Settings();
    const CPageSize size = project.GetPageSize();
    std::u16string text = CPropertyValue(size.width).Text() + u'x' + CPropertyValue(size.height).Text();
    for (const std::u16string& part : {project.GetFolder().u16string(), settings.zoom,
                                       CPropertyValue(settings.gridStyle).Text(), std::u16string(settings.grid ? u"1" : u"0"),
                                       std::u16string(settings.gridSnap ? u"1" : u"0")})
        text += u'\x1' + part;
    return text;
}

} // namespace

void CChildViewPage::PushViewSettingsOnPaint()
{
    const CProject* project = m_host.GetProject();
    if (!project || !m_page || viewSettingsText(*project) == m_pushedSettings)
        return;
    PushViewSettings();
}

void CChildViewPage::PushViewSettings()
{
    const CProject* project = m_host.GetProject();
    if (!project)
        return;
    m_pushedSettings = viewSettingsText(*project);
    const CProjectSettings& settings = project->Settings();
    const CPageSize size = project->GetPageSize();
    m_editor.SetVirtualSize(size.width, size.height);
    // The folder moves with a save under another name; background images follow it.
    m_editor.SetProjectFolder(project->GetFolder());
    if (const std::optional<double> zoom = ZoomText::ParseFactor(settings.zoom))
        m_editor.SetZoom(*zoom);
    m_editor.SetGridStyleCode(settings.gridStyle);
    m_editor.SetGridVisible(settings.grid ? Toggle::On : Toggle::Off);
    m_editor.SetSnapToGrid(settings.gridSnap ? Toggle::On : Toggle::Off);
    m_editor.RedrawWindow();
}

bool CChildViewPage::IsAnySelected() const { return m_editor.IsAnySelected(); }

void CChildViewPage::GetSelection(CPropertySelectedList& list) const
{
    bool any = false;
    for (int32_t index = 0; index < m_container.GetSize(); ++index)
        if (CEditorObject* object = GetObjectAt(index); object && object->IsSelected()) {
            list.AddItem(object);
            any = true;
        }
    if (!any && m_page)
        list.AddItem(m_page);
}

void CChildViewPage::CollectProperty(std::u16string_view containerName, std::u16string_view category,
                                     std::u16string_view caption, CPropertySelectedList& list) const
{
    for (int32_t index = 0; index < m_container.GetSize(); ++index)
        if (CEditorObject* object = GetObjectAt(index); object && object->IsSelected()) {
            object->MergeProperty(containerName, category, caption, list);
            list.AddItem(object);
        }
}

void CChildViewPage::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_canvas->setGeometry(0, 0, event->size().width(), event->size().height());
}

void CChildViewPage::OnBackgroundChanged(const CPage& page)
{
    m_editor.SetPaperColour(gfx::Colour::fromColorRef(page.GetBackgroundColor()));
    m_editor.SetBackgroundTransparency(page.GetBackgroundTransparency());
    m_editor.SetBackgroundImage(page.GetBackgroundImage());
    m_editor.RedrawWindow();
}

void CChildViewPage::OnSelectionChanged()
{
    if (m_page && m_host.GetProject() && !m_host.IsPageItemSelectedInProjectTree())
        m_host.SelectPageInProjectTree(m_page->GetName());
}
