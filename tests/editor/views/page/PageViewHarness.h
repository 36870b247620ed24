#pragma once
// A page view over a project of the fake editor host: a recording ribbon, a page view
// environment that counts the main frame's page commands, and objects placed on the
// project's first page before the view attaches it.

#include <QApplication>
#include <QPointer>
#include <map>
#include <memory>

#include "diagram/CDiagramClipboardHandler.h"
#include "diagram/view/DDiagramView.h"
#include "editor/objects/CEditorObject.h"
#include "editor/project/document/CProject.h"
#include "editor/views/page/CChildFramePage.h"
#include "editor/views/page/CChildViewPage.h"
#include "editor/views/page/CPageViewEnvironment.h"
#include "editor/views/page/commands/CPageRibbonControls.h"
#include "foundation/worker/CBkgWorker.h"
#include "platform/ui/CommandTable.h"
#include "tests/support/editor/FakeEditorHost.h"

namespace vx::test {

// The editor's background worker for the objects' pictures, with its repaints posted
// to the user-interface thread, while it lives.
struct PreviewWorker {
    PreviewWorker()
    {
        // Posted to an object of this harness, so repaints still queued when it goes are dropped.
        worker.SetPost([this](std::function<void()> call) {
            QMetaObject::invokeMethod(&repaints, std::move(call), Qt::QueuedConnection);
        });
        CEditorObject::UseWorker(&worker);
        worker.Start();
    }
    ~PreviewWorker()
    {
        (void)worker.Stop();
        // Repaints it posted run now, while the worker they call back still lives.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
        CEditorObject::UseWorker(nullptr);
    }
    PreviewWorker(const PreviewWorker&) = delete;
    PreviewWorker& operator=(const PreviewWorker&) = delete;
    QObject repaints;
    CBkgWorker worker;
};

class RecordingRibbon : public CPageRibbonControls {
public:
    std::u16string GetText(CommandId control) const override { return find(texts, control, std::u16string()); }
    void SetText(CommandId control, std::u16string_view text) override { texts[control] = std::u16string(text); }
    uint32_t GetColour(CommandId control) const override { return find(colours, control, 0u); }
    void SetColour(CommandId control, uint32_t colour) override { colours[control] = colour; }
    int32_t GetPosition(CommandId control) const override { return find(positions, control, 0); }
    void SetPosition(CommandId control, int32_t position) override { positions[control] = position; }
    // The undo and redo lists are the main frame's: nothing is chosen here.
    int32_t GetChosenIndex(CommandId) const override { return -1; }
    bool HasFocus(CommandId control) const override { return focused.contains(control); }
    bool IsHighlighted(CommandId) const override { return false; }

    std::map<CommandId, std::u16string> texts;
    std::map<CommandId, uint32_t> colours;
    std::map<CommandId, int32_t> positions;
    std::map<CommandId, bool> focused;

private:
    template <typename Map, typename Value>
    static Value find(const Map& map, CommandId control, Value fallback)
    {
        const auto found = map.find(control);
        return found == map.end() ? fallback : found->second;
    }
};

class FakePageViewEnvironment : public CPageViewEnvironment {
public:
    CDiagramClipboardHandler& GetClipboard() override { return clipboard; }
    CPageRibbonControls& GetRibbon() override { return ribbon; }
    CPageViewSettings& GetViewSettings() override { return settings; }
    void DeletePage(CPage& page) override { deleted.push_back(&page); }
    void DuplicatePage(CPage& page) override { duplicated.push_back(&page); }
    bool CanInsertAction() override { return actionsPaneShowsScript; }

    CDiagramClipboardHandler clipboard;
    RecordingRibbon ribbon;
    CPageViewSettings settings;
    std::vector<CPage*> deleted, duplicated;
    bool actionsPaneShowsScript = false;
};

struct PageViewHarness {
    PageViewHarness() = default;
    PageViewHarness(const PageViewHarness&) = delete;
    PageViewHarness& operator=(const PageViewHarness&) = delete;

    FakeEditorHost host;
    FakePageViewEnvironment environment;
    CProject& project = host.MakeProject();
    CPage& page = project.AddPage();
    // The frame deletes itself when it closes.
    QPointer<CChildFramePage> frame;
    CommandTable commands;

    ~PageViewHarness()
    {
        commands.setActive(CommandLevel::View, nullptr);
        commands.setActive(CommandLevel::ChildFrame, nullptr);
        host.activeView = nullptr;
        delete frame.data();
    }

    // An object of the type row on the page, at left, top with that size.
    CEditorObject& AddObject(int32_t row, int32_t left, int32_t top, int32_t width = 40, int32_t height = 30)
    {
        std::unique_ptr<CEditorObject> object = CEditorObject::CreateObject(row, &page);
        object->SetRect(left, top, left + width, top + height);
        return page.AddObject(std::move(object));
    }

    // The page's window, shown at a size, with the page attached and one object chosen.
    CChildViewPage& Open(int32_t selectIndex = -1, int width = 900, int height = 600)
    {
        frame = new CChildFramePage(host, environment, page);
        frame->resize(width, height);
        frame->show();
        View().OnRefreshPage(selectIndex);
        host.activeView = &View();
        commands.setActive(CommandLevel::View, &View().GetCommandTarget());
        commands.setActive(CommandLevel::ChildFrame, &frame->GetCommandTarget());
        return View();
    }
    CChildViewPage& View() const { return frame->GetView(); }
    DDiagramEditor& Canvas() const { return View().GetEditor(); }
    CEditorObject& Object(int32_t index) const { return *View().GetObjectAt(index); }

    void Select(std::initializer_list<int32_t> indexes)
    {
        Canvas().UnselectAll();
        for (const int32_t index : indexes)
            Canvas().SelectObject(Object(index), true);
    }
    // Runs a command as the ribbon does; false when nobody served it.
    bool Run(CommandId id) { return commands.execute(ToInt(id)); }
    CommandState State(CommandId id) const { return commands.state(ToInt(id)); }
    RecordingRibbon& Ribbon() { return environment.ribbon; }
};

} // namespace vx::test
