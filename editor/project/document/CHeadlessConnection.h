#pragma once
// How a program without views connects the model to its project: the command-line
// compiler, the benchmarks, the fuzz targets and the model's tests. Every change keeps
// its marks on the current project (modified, target stale); there is no frame, pane
// or ribbon to tell. Constructing it installs it as both the document's and the
// diagram's host; it gives the hosts it replaced back when it goes.

#include "diagram/CDiagramHost.h"
#include "editor/document/CDocumentHost.h"

class CProject;

class CHeadlessConnection final : public CDocumentHost, public CDiagramHost {
public:
    explicit CHeadlessConnection(CProject* project = nullptr);
    ~CHeadlessConnection() override;
    CHeadlessConnection(const CHeadlessConnection&) = delete;
    CHeadlessConnection& operator=(const CHeadlessConnection&) = delete;

    // The project the marks go to; none while no project is open.
    void SetProject(CProject* project) { m_project = project; }
    CProject* GetProject() const { return m_project; }

    // CDocumentHost and CDiagramHost: the project is modified and its target stale.
    void SetProjectModified() override;
    // No frame: its state is read from the project when someone asks.
    void RefreshFrameState() override {}

    // CDiagramHost: no objects pane, ribbon or property panes to follow the model.
    void ShowSelection() override {}
    void RefreshObjects(CDiagramEntityContainer&) override {}
    void EntityRemoved(CDiagramEntityContainer&, const CDiagramEntity&) override {}
    void UpdateUndoButtonList(CommandId, std::span<const std::u16string>) override {}
    void TrackPopup(std::span<const CEntityPopupItem>, int32_t, int32_t, CDiagramWindow*) override {}
    void RefreshPropertyPanes() override {}

private:
    CProject* m_project;
    CDocumentHost* m_previousDocument;
    CDiagramHost* m_previousDiagram;
};
