#pragma once
// The active page view as the panes reach it through the editor host: its container of
// objects, its page, and a redraw after the panes changed what it shows.

class CDiagramEntityContainer;
class CEditorHost;
class CPage;

namespace ActivePage {

// None without an active page view.
CDiagramEntityContainer* Container(CEditorHost& host);
CPage* Page(CEditorHost& host);
void Redraw(CEditorHost& host);

} // namespace ActivePage
