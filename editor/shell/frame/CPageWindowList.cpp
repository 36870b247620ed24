#include "editor/shell/frame/CPageWindowList.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include "editor/views/CEditorHost.h"
#include "editor/views/page/CChildFramePage.h"
#include "editor/views/page/CChildViewPage.h"
#include "platform/ui/CommandTable.h"

CPageWindowList::CPageWindowList(QMdiArea& area, CommandTable& commands, CEditorHost& host,
                                 CPageViewEnvironment& environment)
    : m_area(area), m_commands(commands), m_host(host), m_environment(environment)
{
    connect(&m_area, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* window) {
        Route();
        // The activated page window takes the focus, as a click on its tab gives it:
        // its page is selected in the project tree and the undo lists follow it.
        if (CChildFramePage* frame = FrameOf(window))
            frame->OnSetFocus();
    });
}

CPageWindowList::~CPageWindowList()
{
    m_commands.setActive(CommandLevel::View, nullptr);
    m_commands.setActive(CommandLevel::ChildFrame, nullptr);
}

CChildFramePage* CPageWindowList::FrameOf(QMdiSubWindow* window)
{
    return window ? qobject_cast<CChildFramePage*>(window->widget()) : nullptr;
}

CChildFramePage* CPageWindowList::Find(const CPage& page) const
{
    for (QMdiSubWindow* window : m_area.subWindowList())
        if (CChildFramePage* frame = FrameOf(window); frame && &frame->GetView().GetViewedPage() == &page)
            return frame;
    return nullptr;
}

CChildFramePage* CPageWindowList::Active() const { return FrameOf(m_area.currentSubWindow()); }

CChildViewPage* CPageWindowList::ActiveView() const
{
    CChildFramePage* frame = Active();
    return frame ? &frame->GetView() : nullptr;
}

int CPageWindowList::Count() const { return int(m_area.subWindowList().size()); }

std::vector<CChildFramePage*> CPageWindowList::Frames() const
{
    std::vector<CChildFramePage*> frames;
    for (QMdiSubWindow* window : m_area.subWindowList())
        if (CChildFramePage* frame = FrameOf(window))
            frames.push_back(frame);
    return frames;
}

CChildViewPage& CPageWindowList::Open(CPage& page)
{
    if (CChildFramePage* frame = Find(page)) {
        Activate(page);
        return frame->GetView();
    }
    auto* frame = new CChildFramePage(m_host, m_environment, page);
    QMdiSubWindow* window = m_area.addSubWindow(frame);
    window->setAttribute(Qt::WA_DeleteOnClose);
    connect(frame, &CChildFramePage::frameClosing, this, &CPageWindowList::OnFrameClosed);
    frame->UpdateFrameText();
    frame->ActivateFrame();
    m_area.setActiveSubWindow(window);
    Route();
    frame->GetView().PostRefreshPage(-1);
    return frame->GetView();
}

void CPageWindowList::Activate(const CPage& page)
{
    CChildFramePage* frame = Find(page);
    if (!frame)
        return;
    auto* window = qobject_cast<QMdiSubWindow*>(frame->parentWidget());
    m_area.setActiveSubWindow(window);
    frame->ActivateFrame();
    Route();
}

void CPageWindowList::Close(const CPage& page)
{
    if (CChildFramePage* frame = Find(page))
        CloseWindow(qobject_cast<QMdiSubWindow*>(frame->parentWidget()));
}

void CPageWindowList::CloseAll()
{
    for (QMdiSubWindow* window : m_area.subWindowList())
        CloseWindow(window);
}

void CPageWindowList::CloseWindow(QMdiSubWindow* window)
{
    CChildFramePage* frame = FrameOf(window);
    if (!frame)
        return;
    const bool wasActive = window == m_area.currentSubWindow();
    OnFrameClosing(frame);
    // The objects go back to their page before the page, or the project, may go.
    frame->GetView().OnDestroy();
    disconnect(frame, nullptr, this, nullptr);
    m_area.removeSubWindow(window);
    window->hide();
    // The close may be asked from a handler of the window itself.
    window->deleteLater();
    if (wasActive)
        ActivateNext(window);
    Route();
}

void CPageWindowList::ActivateNext(const QMdiSubWindow* leaving)
{
    const QList<QMdiSubWindow*> windows = m_area.subWindowList();
    QMdiSubWindow* next = nullptr;
    bool passed = false;
    for (QMdiSubWindow* window : windows) {
        if (window == leaving) {
            passed = true;
            continue;
        }
        if (!FrameOf(window) || window->isHidden())
            continue;
        next = window;
        if (passed)
            break;
    }
    if (!next)
        return;
    m_area.setActiveSubWindow(next);
    if (CChildFramePage* frame = FrameOf(next))
        frame->ActivateFrame();
}

void CPageWindowList::SetPageWindowTitle(const CPage& page, std::u16string_view)
{
    if (CChildFramePage* frame = Find(page))
        frame->UpdateFrameText();
}

void CPageWindowList::Route()
{
    CChildFramePage* frame = Active();
    m_commands.setActive(CommandLevel::ChildFrame, frame ? &frame->GetCommandTarget() : nullptr);
    m_commands.setActive(CommandLevel::View, frame ? &frame->GetView().GetCommandTarget() : nullptr);
    // The objects pane lists the active page's objects, not the last page's.
    m_host.RebuildObjectsPane();
}

void CPageWindowList::OnFrameClosing(CChildFramePage* frame)
{
    if (m_commands.active(CommandLevel::ChildFrame) == &frame->GetCommandTarget()) {
        m_commands.setActive(CommandLevel::ChildFrame, nullptr);
        m_commands.setActive(CommandLevel::View, nullptr);
    }
}

void CPageWindowList::OnFrameClosed(CChildFramePage* frame)
{
    // Closed by its own window: that window still stands until deleted.
    auto* window = qobject_cast<QMdiSubWindow*>(frame->parentWidget());
    const bool wasActive = window && window == m_area.currentSubWindow();
    OnFrameClosing(frame);
    if (wasActive)
        ActivateNext(window);
    Route();
}
