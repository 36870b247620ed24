#pragma once
// How the running editor connects the model to its project and views: every change a
// property, the tags, a page's container or the project make marks the open project
// (modified, target stale) and refreshes the title; the objects pane, the ribbon's undo
// and redo lists and the properties pane follow the page containers. The application
// installs it once at start-up, over whatever was installed, and keeps it for its life;
// the main frame joins it when it is made and leaves it when it goes, after its page
// windows.

#include "diagram/CDiagramHost.h"
#include "editor/document/CDocumentHost.h"

class CMainFrame;

class CFrameConnection final : public CDocumentHost, public CDiagramHost {
public:
    CFrameConnection();
    ~CFrameConnection() override;
    CFrameConnection(const CFrameConnection&) = delete;
    CFrameConnection& operator=(const CFrameConnection&) = delete;

    // The frame whose project and views follow the model; none before it is made and
    // after it is gone, when there is neither a project nor a view to tell.
    void SetFrame(CMainFrame* frame) { m_frame = frame; }

    // CDocumentHost and CDiagramHost
    void SetProjectModified() override;
    void RefreshFrameState() override;

    // CDiagramHost
    void ShowSelection() override;
    void RefreshObjects(CDiagramEntityContainer& container) override;
    void EntityRemoved(CDiagramEntityContainer& container, const CDiagramEntity& entity) override;
    void UpdateUndoButtonList(CommandId command, std::span<const std::u16string> labels) override;
    void RefreshPropertyPanes() override;

private:
    CMainFrame* m_frame = nullptr;
    CDocumentHost* m_previousDocument;
    CDiagramHost* m_previousDiagram;
};
