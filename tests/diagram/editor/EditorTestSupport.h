#pragma once
// Shared by the editor tests: an editor over a page of test entities, with a window
// and a host that record what the editor asked of them.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "diagram/editor/CDiagramEditor.h"
#include "tests/diagram/DiagramTestSupport.h"

namespace diagramtest {

class RecordingWindow : public CDiagramWindow {
public:
    void InvalidateRect(const CDiagramRect& rect) override { invalidated.push_back(rect); }
    void ScrollLayoutChanged() override { ++layouts; }
    void SetPanTimer(bool running) override { panTimer = running; }
    void TrackMenu(std::span<const CDiagramMenuItem> items, CDiagramPoint point) override
    {
        menu.assign(items.begin(), items.end());
        menuAt = point;
    }
    void ShowMessage(std::u16string_view text) override { messages.emplace_back(text); }

    std::vector<CDiagramRect> invalidated;
    int layouts = 0;
    bool panTimer = false;
    std::vector<CDiagramMenuItem> menu;
    CDiagramPoint menuAt{-1, -1};
    std::vector<std::u16string> messages;
};

// A host whose clock the test sets.
class ClockHost : public RecordingHost {
public:
    uint32_t TickCount() override { return now; }
    void RefreshPropertyPanes() override { ++propertyRefreshes; }
    uint32_t now = 1000;
    int propertyRefreshes = 0;
};

class EditorTest : public testing::Test {
protected:
    static constexpr CDiagramPoint kClient{400, 300};

    void SetUp() override
    {
        CDiagramEntity::ResetHighestGroup();
        container.SetPaperSize(800, 600);
        editor.Create(&container, &window, kClient);
    }

    // Adds an entity with no size limits, so a rectangle stays as given.
    CDiagramEntity& add(double l, double t, double r, double b, std::u16string name = u"")
    {
        auto entity = makeEntity(l, t, r, b, std::move(name));
        entity->SetConstraints(-1, -1, -1, -1);
        entity->SetRect(l, t, r, b);
        CDiagramEntity& added = *entity;
        editor.AddObject(std::move(entity));
        return added;
    }

    DiagramResponse press(int32_t x, int32_t y, uint32_t modifiers = kModifierNone)
    {
        return editor.OnLButtonDown({{x, y}, modifiers});
    }
    DiagramResponse move(int32_t x, int32_t y, uint32_t modifiers = kModifierNone)
    {
        return editor.OnMouseMove({{x, y}, modifiers});
    }
    DiagramResponse release(int32_t x, int32_t y, uint32_t modifiers = kModifierNone)
    {
        return editor.OnLButtonUp({{x, y}, modifiers});
    }
    // A press, moves in steps to the end point and the release there.
    void drag(CDiagramPoint from, CDiagramPoint to, uint32_t modifiers = kModifierNone)
    {
        press(from.x, from.y, modifiers);
        move((from.x + to.x) / 2, (from.y + to.y) / 2, modifiers);
        move(to.x, to.y, modifiers);
        release(to.x, to.y, modifiers);
    }
    DiagramResponse key(DiagramKey k, uint32_t modifiers = kModifierNone, char16_t character = 0)
    {
        return editor.OnKeyDown({k, character, modifiers});
    }
    DiagramResponse wheel(int32_t delta) { return editor.OnMouseWheel({delta, {0, 0}, kModifierNone}); }
    DiagramResponse ctrl(char16_t character) { return key(DiagramKey::Character, kModifierControl, character); }

    std::vector<std::u16string> undoLabels() const
    {
        std::vector<std::u16string> labels;
        for (const auto& item : container.GetUndoStack())
            labels.push_back(item->label);
        return labels;
    }

    ClockHost host;
    RecordingWindow window;
    CDiagramEntityContainer container;
    CDiagramEditor editor;
};

} // namespace diagramtest
