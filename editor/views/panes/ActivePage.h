#pragma once
// The active page view as the panes reach it through the editor host: its container of
// objects and its page while a page is attached, a selection made as the canvas makes
// it, and a redraw after the panes changed what it shows.

class CDiagramEntity;
class CDiagramEntityContainer;
class CEditorHost;
class CPage;

namespace ActivePage {

// None without an active page view, or before its page is attached.
CDiagramEntityContainer* Container(CEditorHost& host);
CPage* Page(CEditorHost& host);
// The entity alone is selected.
void SelectOnly(CEditorHost& host, CDiagramEntity& entity);
void Redraw(CEditorHost& host);

} // namespace ActivePage
