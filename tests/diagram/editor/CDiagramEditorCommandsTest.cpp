#include <gtest/gtest.h>

#include <cmath>

#include "tests/diagram/editor/EditorTestSupport.h"

using namespace diagramtest;

namespace {

class Commands : public EditorTest {
protected:
    // Two entities selected: 10-20 wide at the left, 50-100 at the right.
    void selectPair()
    {
        first = &add(10, 10, 20, 30, u"first");
        second = &add(50, 40, 100, 60, u"second");
        editor.SelectAll();
    }
    CDiagramEntity* first = nullptr;
    CDiagramEntity* second = nullptr;
};

// An object class with a natural size.
class SizedEntity : public TestEntity {
public:
    std::unique_ptr<CDiagramEntity> Clone() const override
    {
        auto clone = std::make_unique<SizedEntity>();
        clone->Copy(*this);
        clone->original = original;
        return clone;
    }
    CDiagramPoint GetOriginalSize() const override { return original; }
    CDiagramPoint original{0, 0};
};

} // namespace

TEST_F(Commands, AlignmentPutsEachSideOnTheSelectionBox)
{
    struct Case {
        void (CDiagramEditor::*command)();
        const char16_t* label;
        CDiagramRect first, second;
    };
    const Case cases[] = {
        {&CDiagramEditor::AlignLeft, u"align left", {10, 10, 20, 30}, {10, 40, 60, 60}},
        {&CDiagramEditor::AlignRight, u"align right", {90, 10, 100, 30}, {50, 40, 100, 60}},
        {&CDiagramEditor::AlignTop, u"align top", {10, 10, 20, 30}, {50, 10, 100, 30}},
        {&CDiagramEditor::AlignBottom, u"align bottom", {10, 40, 20, 60}, {50, 40, 100, 60}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.label, c.label + std::char_traits<char16_t>::length(c.label)));
        container.Clear();
        container.ClearUndo();
        selectPair();
        (editor.*c.command)();
        EXPECT_EQ(first->GetRect(), c.first);
        EXPECT_EQ(second->GetRect(), c.second);
        EXPECT_EQ(undoLabels(), (std::vector<std::u16string>{c.label}));
        EXPECT_TRUE(container.IsModified());

        // One entity selected: nothing to align with, no snapshot.
        editor.UnselectAll();
        editor.SelectObject(*first, true);
        (editor.*c.command)();
        EXPECT_EQ(first->GetRect(), c.first);
        EXPECT_EQ(container.GetUndoStack().size(), 1u);
    }
}

TEST_F(Commands, SameSizeTakesTheTopmostSelected)
{
    selectPair();
    editor.MakeSameSize();
    EXPECT_EQ(first->GetRect(), (CDiagramRect{10, 10, 60, 30}));
    EXPECT_EQ(second->GetRect(), (CDiagramRect{50, 40, 100, 60}));
    EXPECT_EQ(undoLabels(), (std::vector<std::u16string>{u"make same size"}));
}

TEST_F(Commands, LockStateOverTheSelection)
{
    selectPair();
    EXPECT_EQ(editor.LockState(kLockSize), 0);
    first->SetLock(kLockSize, true);
    EXPECT_EQ(editor.LockState(kLockSize), 2);
    EXPECT_EQ(editor.LockState(kLockPosition), 0);
    editor.Lock(kLockSize | kLockPosition, true);
    EXPECT_EQ(editor.LockState(kLockSize), 1);
    EXPECT_EQ(editor.LockState(kLockPosition), 1);
    editor.Lock(kLockPosition, false);
    EXPECT_EQ(editor.LockState(kLockPosition), 0);
    EXPECT_EQ(editor.LockState(kLockSize), 1);
    EXPECT_EQ(undoLabels(), (std::vector<std::u16string>{u"lock size/position", u"lock size/position"}));
    editor.UnselectAll();
    EXPECT_EQ(editor.LockState(kLockSize), 0);
}

TEST_F(Commands, UndoAndRedoTakeUpToTheStepsThereAre)
{
    selectPair();
    editor.AlignLeft();
    editor.AlignTop();
    editor.Undo(5);
    EXPECT_FALSE(container.CanUndo());
    ASSERT_EQ(container.GetRedoStack().size(), 2u);
    EXPECT_EQ(container.GetAt(1)->GetRect(), (CDiagramRect{50, 40, 100, 60}));
    editor.Redo(1);
    EXPECT_EQ(container.GetAt(1)->GetRect(), (CDiagramRect{10, 40, 60, 60}));
    EXPECT_EQ(host.undoLabels, (std::vector<std::u16string>{u"align left"}));
    EXPECT_EQ(host.redoLabels, (std::vector<std::u16string>{u"align top"}));
}

TEST_F(Commands, PositionAndSizeFromTheRibbon)
{
    selectPair();
    first->SetMinimumSize(5, 5);
    editor.SetX(780);
    EXPECT_DOUBLE_EQ(first->GetLeft(), 780);
    EXPECT_DOUBLE_EQ(second->GetLeft(), 750); // kept on the 800 paper
    editor.SetWidth(-1);
    EXPECT_DOUBLE_EQ(first->GetRight() - first->GetLeft(), 5); // the minimum width
    editor.SetHeight(30);
    EXPECT_DOUBLE_EQ(second->GetBottom(), 70);
    editor.SetY(12);
    EXPECT_DOUBLE_EQ(first->GetTop(), 12);
    EXPECT_EQ(undoLabels(), (std::vector<std::u16string>{u"X = 780 (from ribbon)", u"Width = -1 (from ribbon)",
                                                          u"Height = 30 (from ribbon)", u"Y = 12 (from ribbon)"}));
    EXPECT_GT(host.propertyRefreshes, 0);
}

TEST_F(Commands, OriginalSizeFitsThePaperKeepingTheRatio)
{
    auto sized = std::make_unique<SizedEntity>();
    sized->original = {200, 100};
    sized->SetRect(700, 10, 710, 20);
    CDiagramEntity& entity = *sized;
    editor.AddObject(std::move(sized));
    add(10, 10, 20, 20); // has none
    editor.SelectAll();
    EXPECT_EQ(editor.MakeOriginalSize(CheckOnly::Yes), 1);
    EXPECT_TRUE(container.GetUndoStack().empty());
    EXPECT_EQ(editor.MakeOriginalSize(CheckOnly::No), 1);
    EXPECT_EQ(entity.GetRect(), (CDiagramRect{700, 10, 800, 60}));
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0], kOriginalSizeShrunkMessage);
    EXPECT_EQ(undoLabels(), (std::vector<std::u16string>{u"make original size"}));

    editor.UnselectAll();
    editor.SelectObject(*container.GetAt(1), true);
    EXPECT_EQ(editor.MakeOriginalSize(CheckOnly::Yes), 0);
}

TEST_F(Commands, ScalingSkipsAnAxisOfNoExtentAndKeepsLockedCorners)
{
    CDiagramEntity& a = add(10, 10, 20, 20);
    CDiagramEntity& b = add(30, 10, 40, 20);
    CDiagramEntity& sizeLocked = add(50, 10, 60, 20);
    sizeLocked.SetLock(kLockSize, true);
    b.SetLock(kLockPosition, true);
    editor.SelectAll();
    editor.ScaleObjects({10, 10, 40, 10}, {10, 10, 70, 10}, ScaleTargets::Selected);
    EXPECT_EQ(a.GetRect(), (CDiagramRect{10, 10, 30, 20}));
    EXPECT_EQ(b.GetRect(), (CDiagramRect{30, 10, 50, 20})); // left and top kept, size scaled
    EXPECT_EQ(sizeLocked.GetRect(), (CDiagramRect{50, 10, 60, 20}));
    EXPECT_TRUE(std::isfinite(a.GetTop()) && std::isfinite(a.GetBottom()));

    // Scaling everything from the low edge, then the undo lists go.
    container.Snapshot(u"x");
    editor.ScaleObjects({0, 0, 100, 100}, {50, 0, 100, 100}, ScaleTargets::All);
    EXPECT_EQ(a.GetRect(), (CDiagramRect{55, 10, 65, 20}));
    EXPECT_FALSE(container.CanUndo());
}

TEST_F(Commands, ClipboardDuplicateAndReorder)
{
    selectPair();
    editor.Copy();
    editor.Paste();
    EXPECT_EQ(container.GetSize(), 4);
    EXPECT_EQ(editor.GetSelectCount(), 2); // only the pasted ones
    editor.Cut();
    EXPECT_EQ(container.GetSize(), 2);
    editor.PasteToPosition({200, 200});
    EXPECT_EQ(container.GetSize(), 4);
    EXPECT_EQ(editor.GetSelectionRect().left, 180);

    editor.UnselectAll();
    editor.SelectObject(*container.GetAt(0), true);
    editor.DuplicateSelected();
    EXPECT_EQ(container.GetSize(), 5);
    EXPECT_EQ(editor.GetSelectedObject(), container.GetAt(4));
    EXPECT_EQ(editor.GetSelectCount(), 1);
    EXPECT_EQ(container.GetAt(4)->GetRect(), (CDiagramRect{20, 20, 30, 40}));

    editor.ReorderObject(0, 1);
    EXPECT_EQ(container.GetAt(1)->GetName(), u"first");
    editor.ReorderObject(1, -1);
    EXPECT_EQ(container.GetSize(), 4);
}

TEST_F(Commands, SelectAllLeavesLogicalObjectsOut)
{
    class Logical : public TestEntity {
    public:
        bool IsLogical() const override { return true; }
        std::unique_ptr<CDiagramEntity> Clone() const override
        {
            auto clone = std::make_unique<Logical>();
            clone->Copy(*this);
            return clone;
        }
    };
    add(10, 10, 20, 20);
    editor.StartInsert(std::make_unique<Logical>()); // inserted at once
    ASSERT_EQ(container.GetSize(), 2);
    EXPECT_EQ(container.GetAt(1)->GetRect(), (CDiagramRect{0, 3000, 5, 3005}));
    EXPECT_TRUE(container.GetAt(1)->IsSelected());
    EXPECT_EQ(editor.GetInteractionMode(), kModeNone);
    EXPECT_EQ(undoLabels(), (std::vector<std::u16string>{u"insert logical object"}));

    // Exclusive selection keeps visible and logical objects apart.
    editor.SelectObject(*container.GetAt(0), true, SelectKind::Exclusive);
    EXPECT_FALSE(container.GetAt(1)->IsSelected());
    editor.SelectAll();
    EXPECT_TRUE(container.GetAt(0)->IsSelected());
    EXPECT_FALSE(container.GetAt(1)->IsSelected());
}

TEST_F(Commands, SavesThePaperAndEveryEntity)
{
    selectPair();
    container.SetModified(true);
    std::vector<std::u16string> lines;
    editor.SaveToStrings(lines);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], u"paper:800,600;");
    EXPECT_EQ(lines[1].substr(0, 5), u"test:");
    EXPECT_FALSE(container.IsModified());
}

TEST_F(Commands, MenuGreysWhatCannotAct)
{
    auto states = [&] {
        std::vector<bool> enabled;
        for (const CDiagramMenuItem& item : editor.GetPopupMenu().GetItems(editor))
            if (item.command != 0)
                enabled.push_back(item.enabled);
        return enabled;
    };
    //                  Cut    Copy   Paste  ToPos  Group  Ungroup
    EXPECT_EQ(states(), (std::vector<bool>{false, false, false, false, false, false}));
    CDiagramEntity& one = add(10, 10, 20, 20);
    editor.SelectObject(one, true);
    EXPECT_EQ(states(), (std::vector<bool>{true, true, false, false, false, false}));
    editor.Copy();
    EXPECT_EQ(states(), (std::vector<bool>{true, true, true, true, false, false}));
    add(30, 10, 40, 20);
    editor.SelectAll();
    EXPECT_EQ(states(), (std::vector<bool>{true, true, true, true, true, true}));

    // Its commands come back through the editor.
    editor.OnCommand(ToInt(CommandId::EditGroup));
    EXPECT_NE(container.GetAt(0)->GetGroup(), 0);
    EXPECT_EQ(container.GetAt(0)->GetGroup(), container.GetAt(1)->GetGroup());
    editor.OnCommand(ToInt(CommandId::EditUngroup));
    EXPECT_EQ(container.GetAt(0)->GetGroup(), 0);
    editor.OnCommand(ToInt(CommandId::EditCut));
    EXPECT_EQ(container.GetSize(), 0);
    editor.OnRButtonDown({{100, 100}});
    editor.OnCommand(ToInt(CommandId::EditPasteToPosition));
    EXPECT_EQ(container.GetSize(), 2);
    EXPECT_EQ(editor.GetSelectionRect().left, 80);
}

TEST(CDiagramEditor, UnsetPaperTakesTheWindowSizeAndNewStartsAfresh)
{
    RecordingHost host;
    CDiagramEntityContainer container;
    CDiagramEditor editor;
    editor.Create(&container, nullptr, {640, 400});
    EXPECT_EQ(container.GetPaperSize(), (CDiagramPoint{640, 400}));
    EXPECT_EQ(editor.GetVirtualSize(), (CDiagramPoint{640, 400}));

    container.Add(makeEntity(1, 1, 20, 20));
    container.Snapshot(u"x");
    editor.SetZoom(3);
    editor.StartInsert(std::make_unique<TestEntity>());
    editor.New();
    EXPECT_EQ(container.GetSize(), 0);
    EXPECT_FALSE(container.CanUndo());
    EXPECT_FALSE(container.IsModified());
    EXPECT_DOUBLE_EQ(editor.GetZoom(), 1.0);
    EXPECT_EQ(editor.GetInteractionMode(), kModeNone);
    EXPECT_EQ(editor.GetInsertObject(), nullptr);

    // Without a container of its own given, the editor makes one.
    CDiagramEditor standalone;
    standalone.Create(nullptr, nullptr, {100, 80});
    EXPECT_EQ(standalone.GetContainer().GetPaperSize(), (CDiagramPoint{100, 80}));
}
