#include "editor/views/panes/OutputJump.h"

#include <QPointer>
#include <QTimer>

#include "editor/objects/CEditorObject.h"
#include "editor/objects/CObjectNames.h"
#include "editor/project/document/CProject.h"
#include "editor/views/CEditorHost.h"
#include "diagram/view/DDiagramView.h"
#include "editor/views/page/CChildViewPage.h"

namespace OutputJump {

namespace {

void selectNamed(CChildViewPage& view, const std::u16string& name)
{
    DDiagramEditor& editor = view.GetEditor();
    editor.UnselectAll();
    if (CEditorObject* object = CObjectNames::FindPageObject(view.GetContainer(), name, NameKind::Current))
        editor.SelectObject(*object, true);
    editor.RedrawWindow();
    view.GetCanvas().setFocus();
}

} // namespace

bool JumpTo(CEditorHost& host, const OutputLineTarget& target)
{
    CProject* project = host.GetProject();
    const int32_t pageIndex = project ? project->FindPage(target.page, PageName::Current) : -1;
    if (pageIndex < 0)
        return false;
    CPage& page = project->GetPage(pageIndex);
    const bool open = page.GetOwnerEditor() != nullptr;
    if (!open && page.FindObjectByName(target.object) < 0)
        return true;
    CChildViewPage* view = host.OpenPage(page);
    if (!view)
        return true;
    if (view->GetPage()) {
        selectNamed(*view, target.object);
        return true;
    }
    // A new window attaches its page once the event loop runs; select after that.
    QTimer::singleShot(0, view, [view = QPointer<CChildViewPage>(view), name = target.object] {
        if (view && view->GetPage())
            selectNamed(*view, name);
    });
    return true;
}

} // namespace OutputJump
