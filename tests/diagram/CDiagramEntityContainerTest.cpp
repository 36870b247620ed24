#include <gtest/gtest.h>

#include <string>

#include "diagram/CDiagramClipboardHandler.h"
#include "diagram/CDiagramEntityContainer.h"
#include "diagram/EntityTextLine.h"
#include "tests/diagram/DiagramTestSupport.h"

using namespace diagramtest;

namespace {

std::u16string names(const CDiagramEntityContainer& container)
{
    std::u16string out;
    for (int32_t i = 0; i < container.GetSize(); ++i)
        out += container.GetAt(i)->GetName();
    return out;
}

void fill(CDiagramEntityContainer& container, std::u16string_view letters)
{
    for (char16_t letter : letters)
        container.Add(makeEntity(0, 0, 10, 10, std::u16string(1, letter)));
}

} // namespace

TEST(CDiagramEntityContainer, KeepsAtMostThirtySnapshots)
{
    RecordingHost host;
    CDiagramEntityContainer container;
    for (int i = 1; i <= 31; ++i)
        container.Snapshot(u"edit " + EntityTextLine::FormatInt(i));
    ASSERT_EQ(container.GetUndoStack().size(), 30u);
    EXPECT_EQ(container.GetUndoStack().front()->label, u"edit 2"); // the oldest went
    EXPECT_EQ(container.GetUndoStack().back()->label, u"edit 31");
    ASSERT_EQ(host.undoLabels.size(), 30u);
    EXPECT_EQ(host.undoLabels.front(), u"edit 31"); // newest first
    EXPECT_TRUE(host.redoLabels.empty());

    container.SetUndoDepth(0);
    EXPECT_TRUE(container.GetUndoStack().empty());
    container.Snapshot(u"ignored");
    EXPECT_FALSE(container.CanUndo());
}

TEST(CDiagramEntityContainer, UndoAndRedoRestoreFreshClones)
{
    RecordingHost host;
    CDiagramEntityContainer container;
    container.SetPaperSize(800, 480);
    fill(container, u"ab");
    CDiagramEntity* before = container.GetAt(0);

    container.Snapshot(u"delete/cut");
    container.RemoveAt(0);
    container.SetPaperSize(320, 240);
    EXPECT_EQ(names(container), u"b");

    container.Undo();
    EXPECT_EQ(names(container), u"ab");
    EXPECT_EQ(container.GetPaperSize(), (CDiagramPoint{800, 480}));
    EXPECT_NE(dynamic_cast<TestEntity*>(container.GetAt(0)), nullptr);
    EXPECT_EQ(container.GetAt(0)->GetParent(), &container);
    EXPECT_NE(container.GetAt(0), before);
    ASSERT_EQ(container.GetRedoStack().size(), 1u);
    EXPECT_EQ(container.GetRedoStack().back()->label, u"delete/cut");
    EXPECT_FALSE(container.CanUndo());

    container.Redo();
    EXPECT_EQ(names(container), u"b");
    EXPECT_EQ(container.GetPaperSize(), (CDiagramPoint{320, 240}));
    ASSERT_EQ(container.GetUndoStack().size(), 1u);
    EXPECT_EQ(container.GetUndoStack().back()->label, u"delete/cut");

    // Snapshots hold detached clones that point at no container.
    for (const auto& entity : container.GetUndoStack().back()->entities)
        EXPECT_EQ(entity->GetParent(), nullptr);

    container.Undo(); // both stacks empty afterwards in turn: nothing happens
    container.Undo();
    EXPECT_EQ(names(container), u"ab");
}

TEST(CDiagramEntityContainer, ANewEditClearsRedo)
{
    CDiagramEntityContainer container;
    fill(container, u"a");
    container.Snapshot(u"one");
    container.Undo();
    ASSERT_TRUE(container.CanRedo());
    container.Snapshot(u"two");
    EXPECT_FALSE(container.CanRedo());
}

TEST(CDiagramEntityContainer, ZOrderMovesAtBothEnds)
{
    CDiagramEntityContainer container;
    fill(container, u"abc");
    CDiagramEntity* a = container.GetAt(0);
    CDiagramEntity* c = container.GetAt(2);

    container.PopUp(c);
    container.PushDown(a);
    EXPECT_EQ(names(container), u"abc");
    EXPECT_EQ(container.GetUndoStack().size(), 2u); // recorded all the same

    container.PopUp(a);
    EXPECT_EQ(names(container), u"bac");
    container.PushDown(c);
    EXPECT_EQ(names(container), u"bca");
    container.ToFront(container.GetAt(0));
    EXPECT_EQ(names(container), u"cab");
    container.ToFront(container.GetAt(2));
    EXPECT_EQ(names(container), u"cab");
    container.ToBottom(container.GetAt(2));
    EXPECT_EQ(names(container), u"bca");
    container.ToBottom(container.GetAt(0));
    EXPECT_EQ(names(container), u"bca");
    EXPECT_EQ(container.GetUndoStack().back()->label, u"bottom");
}

TEST(CDiagramEntityContainer, GroupTakesTheNextNumber)
{
    CDiagramEntity::ResetHighestGroup();
    CDiagramEntityContainer container;
    fill(container, u"abc");
    container.GetAt(0)->SetGroup(2);
    container.GetAt(1)->SetGroup(5);
    container.GetAt(0)->Select(true);
    container.GetAt(1)->Select(true);
    EXPECT_EQ(container.Group(), 1);
    EXPECT_EQ(container.GetAt(0)->GetGroup(), 6);
    EXPECT_EQ(container.GetAt(1)->GetGroup(), 6);
    EXPECT_EQ(container.GetAt(2)->GetGroup(), 0);
    EXPECT_EQ(CDiagramEntity::GetHighestGroup(), 6);
    EXPECT_EQ(container.GetUndoStack().back()->label, u"group");

    container.Ungroup();
    EXPECT_EQ(container.GetAt(0)->GetGroup(), 0);
    EXPECT_EQ(CDiagramEntity::GetHighestGroup(), 6); // never lowered
}

TEST(CDiagramEntityContainer, PasteGivesCopiedGroupsANewNumber)
{
    CDiagramEntity::ResetHighestGroup();
    CDiagramEntityContainer container;
    fill(container, u"abc");
    for (int i = 0; i < 2; ++i) {
        container.GetAt(i)->SetGroup(4);
        container.GetAt(i)->Select(true);
    }
    container.CopySelected();
    EXPECT_EQ(container.ClipboardCount(), 2);
    container.UnselectAll();

    container.Paste();
    ASSERT_EQ(container.GetSize(), 5);
    const int32_t first = container.GetAt(3)->GetGroup();
    EXPECT_NE(first, 4);
    EXPECT_EQ(container.GetAt(4)->GetGroup(), first);
    EXPECT_TRUE(container.GetAt(3)->IsSelected());
    EXPECT_EQ(container.GetAt(3)->GetRect(), (CDiagramRect{10, 10, 20, 20}));
    EXPECT_EQ(static_cast<TestEntity*>(container.GetAt(3))->invalidated, 1);

    container.Paste(); // the kept clones stay: a second copy at the same place, another group
    ASSERT_EQ(container.GetSize(), 7);
    EXPECT_EQ(container.GetAt(5)->GetRect(), (CDiagramRect{10, 10, 20, 20}));
    EXPECT_NE(container.GetAt(5)->GetGroup(), first);
    EXPECT_EQ(container.GetUndoStack().back()->label, u"paste");
}

TEST(CDiagramEntityContainer, ClipboardOutlivesItsSourcePage)
{
    CDiagramClipboardHandler shared;
    CDiagramEntityContainer target;
    target.SetClipboardHandler(&shared);
    {
        CDiagramEntityContainer source;
        source.SetClipboardHandler(&shared);
        fill(source, u"xy");
        source.GetAt(1)->Select(true);
        source.Cut(source.GetAt(1));
        EXPECT_EQ(names(source), u"x");
    }
    ASSERT_EQ(shared.Count(), 1);
    EXPECT_EQ(shared.Items()[0]->GetParent(), nullptr);

    target.Paste();
    ASSERT_EQ(target.GetSize(), 1);
    EXPECT_EQ(target.GetAt(0)->GetName(), u"y");
    EXPECT_EQ(target.GetAt(0)->GetParent(), &target);
    target.ClipboardClear();
    EXPECT_EQ(shared.Count(), 0);
}

TEST(CDiagramEntityContainer, PasteToPositionAddsThroughAdd)
{
    CDiagramEntity::ResetHighestGroup();
    RecordingHost host;
    CDiagramEntityContainer container;
    container.Add(makeEntity(100, 50, 120, 70, u"a"));
    container.Add(makeEntity(130, 80, 150, 100, u"b"));
    container.GetAt(0)->SetGroup(1);
    container.GetAt(1)->SetGroup(1);
    container.SelectAll();
    container.CopySelected();
    container.UnselectAll();
    container.SetModified(false);
    const int modifiedBefore = host.projectModified;

    container.PasteToPosition({400, 300});
    ASSERT_EQ(container.GetSize(), 4);
    EXPECT_TRUE(container.IsModified());
    EXPECT_GT(host.projectModified, modifiedBefore);
    // The set keeps its shape; its corner lands 20 pixels up and left of the point.
    EXPECT_EQ(container.GetAt(2)->GetRect(), (CDiagramRect{380, 280, 400, 300}));
    EXPECT_EQ(container.GetAt(3)->GetRect(), (CDiagramRect{410, 310, 430, 330}));
    EXPECT_EQ(container.GetAt(2)->GetParent(), &container);
    EXPECT_TRUE(container.GetAt(3)->IsSelected());
    EXPECT_EQ(container.GetAt(2)->GetGroup(), 2);
    EXPECT_EQ(container.GetAt(3)->GetGroup(), 2);
    EXPECT_EQ(container.GetUndoStack().back()->label, u"paste to position");

    container.ClipboardClear();
    container.PasteToPosition({0, 0}); // nothing kept: only the snapshot
    EXPECT_EQ(container.GetSize(), 4);
}

TEST(CDiagramEntityContainer, PaperLine)
{
    CDiagramEntityContainer container;
    EXPECT_TRUE(container.FromString(u"paper:800,480;"));
    EXPECT_EQ(container.GetPaperSize(), (CDiagramPoint{800, 480}));
    EXPECT_EQ(container.GetString(), u"paper:800,480;");
    for (const char16_t* line : {u"paper:800;", u"paper:1,2,3;", u"page:1,2;", u"paper", u""})
        EXPECT_FALSE(container.FromString(line));
    EXPECT_EQ(container.GetPaperSize(), (CDiagramPoint{800, 480}));
}

TEST(CDiagramEntityContainer, TellsTheHostBeforeAnEntityGoes)
{
    RecordingHost host;
    {
        CDiagramEntityContainer container;
        fill(container, u"abcdef");
        container.RemoveAt(1);
        EXPECT_EQ(host.removed, u"b");
        container.SetAt(0, makeEntity(0, 0, 10, 10, u"z"));
        EXPECT_EQ(host.removed, u"ba");
        std::unique_ptr<CDiagramEntity> kept = container.Detach(0);
        EXPECT_EQ(host.removed, u"baz");
        container.GetAt(0)->Select(true);
        container.Cut(container.GetAt(0));
        EXPECT_EQ(host.removed, u"bazc");
        container.Undo(); // the restore replaces every entity
        EXPECT_EQ(host.removed, u"bazcdef");
        host.removed.clear();
    }
    EXPECT_EQ(host.removed, u"cdef"); // a closing page lets go of all
}

TEST(CDiagramEntityContainer, EditsAndTheirSnapshots)
{
    CDiagramEntityContainer container;
    fill(container, u"abc");
    container.DeleteSelected(); // nothing selected: still a snapshot
    EXPECT_EQ(container.GetSize(), 3);
    EXPECT_EQ(container.GetUndoStack().back()->label, u"delete/cut");

    container.GetAt(0)->Select(true);
    container.GetAt(2)->Select(true);
    EXPECT_EQ(container.GetSelectCount(), 2);
    container.DeleteSelected();
    EXPECT_EQ(names(container), u"b");

    CDiagramEntity stranger;
    EXPECT_EQ(container.Duplicate(&stranger), -1);
    EXPECT_EQ(container.GetUndoStack().size(), 2u);
    EXPECT_EQ(container.Duplicate(container.GetAt(0)), 1);
    EXPECT_EQ(container.GetUndoStack().back()->label, u"duplicate");

    // Out-of-range indices are ignored.
    EXPECT_EQ(container.GetAt(-1), nullptr);
    EXPECT_EQ(container.GetAt(2), nullptr);
    container.RemoveAt(5);
    container.Swap(0, 9);
    container.SelectAt(9, true);
    container.Remove(&stranger);
    EXPECT_EQ(container.GetSize(), 2);

    std::unique_ptr<CDiagramEntity> taken = container.Detach(0);
    ASSERT_NE(taken, nullptr);
    EXPECT_EQ(taken->GetParent(), nullptr);
    EXPECT_EQ(container.GetSize(), 1);
}
