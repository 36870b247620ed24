#pragma once
// The view of one open page: it owns the page's entity container and the canvas that
// edits it, holds the page while it is attached, and answers the panes' questions
// about the selection. While the page is attached its objects live in the container
// alone; closing the view hands them back to the page in the container's order.

#include <QWidget>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "editor/project/page/CPageObserver.h"
#include "editor/views/page/CPageViewContainer.h"
#include "editor/views/page/DDiagramEditor.h"
#include "editor/views/page/ISelectableContents.h"
#include "platform/ui/CommandTable.h"

class CEditorHost;
class CEditorObject;
class CPage;
class CPageViewCommands;
class CPageViewEnvironment;
class DDiagramView;

class CChildViewPage : public QWidget, public ISelectableContents, private CPageObserver {
    Q_OBJECT
public:
    // The view of page (attached later). host and environment outlive the view; the
    // container copies to the environment's clipboard, so objects copy across pages.
    CChildViewPage(CEditorHost& host, CPageViewEnvironment& environment, CPage& page, QWidget* parent = nullptr);
    ~CChildViewPage() override;

    // The page attach, queued: the page's objects move into the container and the
    // object at selectIndex (page order) is selected, none when no object has that
    // index. A page already attached, or gone from the project, is not attached.
    void PostRefreshPage(int32_t selectIndex);
    void OnRefreshPage(int32_t selectIndex);
    // Hands the objects back to the page (container order), marks the project modified
    // when the container is, and unlinks page and canvas. Runs once; the destructor runs
    // it when nobody did.
    void OnDestroy();

    // The attached page; none before the attach and after OnDestroy.
    CPage* GetPage() const { return m_page; }
    // The page the view was made for, attached or not.
    CPage& GetViewedPage() const { return m_viewedPage; }
    DDiagramEditor& GetEditor() { return m_editor; }
    const DDiagramEditor& GetEditor() const { return m_editor; }
    DDiagramView& GetCanvas() const { return *m_canvas; }
    CPageViewContainer& GetContainer() { return m_container; }
    const CPageViewContainer& GetContainer() const { return m_container; }
    CEditorHost& GetHost() const { return m_host; }
    CPageViewEnvironment& GetEnvironment() const { return m_environment; }
    // The page object at a container index; none for an entity that is no page object.
    CEditorObject* GetObjectAt(int32_t index) const;

    // The view's commands (the view level of the command table).
    const CommandTarget& GetCommandTarget() const;

    // The project's view settings pushed to the canvas: paper size, zoom (|zoom text| *
    // 0.01, clamped; a text that is no number changes nothing), grid style, grid shown,
    // snapping. The attach, the frame's activation and the view commands push them.
    void PushViewSettings();
    // Every paint of the canvas pushes them first; only a change redraws.
    void PushViewSettingsOnPaint();

    // ISelectableContents
    bool IsAnySelected() const override;
    void GetSelection(CPropertySelectedList& list) const override;
    void CollectProperty(std::u16string_view containerName, std::u16string_view category,
                         std::u16string_view caption, CPropertySelectedList& list) const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // CPageObserver: the page's background changed.
    void OnBackgroundChanged(const CPage& page) override;
    // The project tree follows the page after each selection.
    void OnSelectionChanged();
    // The view's page is still one of the open project's.
    bool IsPageInProject() const;

    CEditorHost& m_host;
    CPageViewEnvironment& m_environment;
    CPage& m_viewedPage;
    CPageViewContainer m_container;
    DDiagramEditor m_editor;
    // Destroyed before the editor it shows.
    std::unique_ptr<DDiagramView> m_canvas;
    std::unique_ptr<CPageViewCommands> m_commands;
    CPage* m_page = nullptr;
    bool m_destroyed = false;
    // The view settings as last pushed: paper size, folder, zoom, grid style, grid, snap.
    std::u16string m_pushedSettings;
};
