#include "editor/views/panes/ActivePage.h"

#include "editor/views/CEditorHost.h"
#include "editor/views/page/CChildViewPage.h"

namespace ActivePage {

namespace {

CChildViewPage* attachedView(CEditorHost& host)
{
    CChildViewPage* view = host.GetActiveView();
    return view && view->GetPage() ? view : nullptr;
}

} // namespace

CDiagramEntityContainer* Container(CEditorHost& host)
{
    CChildViewPage* view = attachedView(host);
    return view ? &view->GetContainer() : nullptr;
}

CPage* Page(CEditorHost& host)
{
    CChildViewPage* view = attachedView(host);
    return view ? view->GetPage() : nullptr;
}

void SelectOnly(CEditorHost& host, CDiagramEntity& entity)
{
    if (CChildViewPage* view = attachedView(host)) {
        view->GetEditor().UnselectAll();
        view->GetEditor().SelectObject(entity, true);
    }
}

void Redraw(CEditorHost& host)
{
    if (CChildViewPage* view = attachedView(host))
        view->GetEditor().RedrawWindow();
}

} // namespace ActivePage
