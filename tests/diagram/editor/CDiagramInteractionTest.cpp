#include <gtest/gtest.h>

#include <cmath>

#include "tests/diagram/editor/EditorTestSupport.h"

using namespace diagramtest;

namespace {

class Interaction : public EditorTest {};

} // namespace

TEST_F(Interaction, PressAndMovesWithinTheThresholdAreAClick)
{
    CDiagramEntity& entity = add(100, 100, 200, 150);
    press(150, 120);
    move(154, 124);
    move(146, 116);
    release(146, 116);
    EXPECT_EQ(entity.GetRect(), (CDiagramRect{100, 100, 200, 150}));
    EXPECT_TRUE(entity.IsSelected());
    EXPECT_TRUE(container.GetUndoStack().empty());

    // Clicking it again without moving flips its click toggle; a drag does not.
    EXPECT_FALSE(entity.GetClickToggle());
    press(150, 120);
    release(150, 120);
    EXPECT_TRUE(entity.GetClickToggle());
    EXPECT_EQ(entity.GetLastClickPoint(), (CDiagramPoint{150, 120}));
    drag({150, 120}, {170, 120});
    EXPECT_TRUE(entity.GetClickToggle());
    EXPECT_EQ(entity.GetLastClickPoint(), (CDiagramPoint{-100, 0}));
}

TEST_F(Interaction, EachDragRecordsOneSnapshotWithItsLabel)
{
    CDiagramEntity& first = add(100, 100, 200, 150);
    CDiagramEntity& second = add(300, 100, 350, 150);
    drag({150, 120}, {190, 140});
    EXPECT_EQ(first.GetRect(), (CDiagramRect{140, 120, 240, 170}));
    EXPECT_EQ(undoLabels(), (std::vector<std::u16string>{u"single move/resize"}));
    EXPECT_EQ(editor.GetInteractionMode(), kModeNone);

    // Ctrl adds the second to the selection; dragging either moves both.
    press(320, 120, kModifierControl);
    release(320, 120, kModifierControl);
    ASSERT_EQ(editor.GetSelectCount(), 2);
    drag({320, 120}, {330, 100});
    EXPECT_EQ(first.GetRect(), (CDiagramRect{150, 100, 250, 150}));
    EXPECT_EQ(second.GetRect(), (CDiagramRect{310, 80, 360, 130}));
    EXPECT_EQ(undoLabels(), (std::vector<std::u16string>{u"single move/resize", u"multi-object move/resize"}));
}

TEST_F(Interaction, LockedEntityStaysBehind)
{
    CDiagramEntity& free = add(100, 100, 200, 150);
    CDiagramEntity& locked = add(300, 100, 350, 150);
    locked.SetLock(kLockPosition, true);
    editor.SelectAll();
    drag({150, 120}, {180, 120});
    EXPECT_EQ(free.GetRect(), (CDiagramRect{130, 100, 230, 150}));
    EXPECT_EQ(locked.GetRect(), (CDiagramRect{300, 100, 350, 150}));

    key(DiagramKey::Right);
    EXPECT_EQ(free.GetRect(), (CDiagramRect{131, 100, 231, 150}));
    EXPECT_EQ(locked.GetRect(), (CDiagramRect{300, 100, 350, 150}));

    // Alone, a locked entity does not move at all.
    editor.UnselectAll();
    drag({320, 120}, {360, 160});
    EXPECT_EQ(locked.GetRect(), (CDiagramRect{300, 100, 350, 150}));
}

TEST_F(Interaction, RubberBandSelectsTheSameEitherWay)
{
    CDiagramEntity& a = add(50, 50, 80, 80);
    CDiagramEntity& b = add(120, 50, 150, 80);
    CDiagramEntity& c = add(300, 200, 350, 250);
    for (const auto& [from, to] : {std::pair{CDiagramPoint{40, 40}, CDiagramPoint{160, 100}},
                                   std::pair{CDiagramPoint{160, 100}, CDiagramPoint{40, 40}}}) {
        editor.UnselectAll();
        press(from.x, from.y);
        EXPECT_EQ(editor.GetInteractionMode(), kModeRubberBand);
        const DiagramResponse response = move(to.x, to.y);
        EXPECT_FALSE(response.repaint.empty());
        EXPECT_EQ(editor.GetInteraction().GetRubberBand(), (CDiagramRect{40, 40, 160, 100}));
        release(to.x, to.y);
        EXPECT_TRUE(a.IsSelected());
        EXPECT_TRUE(b.IsSelected());
        EXPECT_FALSE(c.IsSelected());
    }
    // A band that only overlaps selects nothing.
    drag({45, 45}, {70, 70});
    EXPECT_FALSE(a.IsSelected());
    EXPECT_EQ(editor.GetSelectCount(), 0);
}

TEST_F(Interaction, ShiftKeepsTheRatioOfTheStartSize)
{
    CDiagramEntity& entity = add(100, 100, 200, 150); // 2:1
    press(150, 120);
    release(150, 120);
    press(200, 150); // its bottom-right marker
    EXPECT_EQ(editor.GetInteractionMode(), kModeResize);
    EXPECT_EQ(editor.GetInteractionSubMode(), DEHT_BOTTOMRIGHT);
    move(230, 170, kModifierShift);
    move(260, 190, kModifierShift);
    release(260, 190, kModifierShift);
    EXPECT_EQ(entity.GetRect(), (CDiagramRect{100, 100, 260, 180}));
    EXPECT_EQ(undoLabels(), (std::vector<std::u16string>{u"single move/resize"}));

    // Without Shift the corner follows the pointer.
    press(260, 180);
    EXPECT_EQ(editor.GetInteractionSubMode(), DEHT_BOTTOMRIGHT);
    move(280, 240);
    EXPECT_EQ(entity.GetRect(), (CDiagramRect{100, 100, 280, 240}));
    move(300, 280);
    EXPECT_EQ(entity.GetRect(), (CDiagramRect{100, 100, 300, 280}));
    release(300, 280);
}

TEST_F(Interaction, ShiftWithoutAStartWidthFollowsThePointer)
{
    CDiagramEntity& flat = add(100, 100, 100, 150); // no width to keep a ratio of
    editor.SelectObject(flat, true);
    drag({100, 150}, {140, 190}, kModifierShift);
    EXPECT_EQ(flat.GetRect(), (CDiagramRect{100, 100, 140, 190}));
    EXPECT_TRUE(std::isfinite(flat.GetRight()) && std::isfinite(flat.GetBottom()));
}

TEST_F(Interaction, ResizeKeepsLimitsAndRestraint)
{
    CDiagramEntity& entity = add(100, 100, 200, 150);
    entity.SetConstraints(20, 20, 150, -1);
    editor.SelectObject(entity, true);
    drag({200, 125}, {110, 125}); // right-middle marker, past the minimum
    EXPECT_EQ(entity.GetRect(), (CDiagramRect{100, 100, 120, 150}));
    drag({120, 125}, {390, 125}); // and past the maximum
    EXPECT_EQ(entity.GetRect(), (CDiagramRect{100, 100, 250, 150}));

    editor.SetRestraint(Restraint::Paper);
    drag({100, 100}, {-50, 50}); // top-left marker beyond the paper's left
    EXPECT_EQ(entity.GetRect(), (CDiagramRect{100, 50, 250, 150})); // the maximum holds the left
    entity.SetConstraints(20, 20, -1, -1);
    drag({100, 50}, {-50, -40});
    EXPECT_EQ(entity.GetRect(), (CDiagramRect{0, 0, 250, 150}));
}

TEST_F(Interaction, SnapsToTheGridWhileDraggingAndAtTheEnd)
{
    editor.SetSnapToGrid(Toggle::On);
    CDiagramEntity& entity = add(0, 0, 40, 40);
    press(5, 5);
    move(11, 5);
    move(18, 5); // left 13
    EXPECT_DOUBLE_EQ(entity.GetLeft(), 16);
    release(18, 5);
    EXPECT_DOUBLE_EQ(entity.GetLeft(), 16);
    EXPECT_DOUBLE_EQ(entity.GetRight(), 56);

    // Keys move by the grid step.
    key(DiagramKey::Down);
    EXPECT_DOUBLE_EQ(entity.GetTop(), 8);
}

TEST_F(Interaction, MovesKeepToTheRestraintUnlessShiftIsHeld)
{
    editor.SetRestraint(Restraint::Margins);
    CDiagramEntity& entity = add(100, 100, 150, 150);
    drag({120, 120}, {20, 20});
    EXPECT_EQ(entity.GetRect(), (CDiagramRect{8, 8, 58, 58}));
    drag({20, 20}, {5, 5}, kModifierShift);
    EXPECT_EQ(entity.GetRect(), (CDiagramRect{-7, -7, 43, 43}));
}

TEST_F(Interaction, DragLeavingTheWindowScrollsTenPixelsPerMove)
{
    CDiagramEntity& entity = add(100, 100, 150, 150);
    press(120, 120);
    move(130, 130);
    move(450, 130);
    EXPECT_EQ(editor.GetViewport().GetScrollPosition(), (CDiagramPoint{10, 0}));
    move(450, 130);
    EXPECT_EQ(editor.GetViewport().GetScrollPosition(), (CDiagramPoint{20, 0}));
    move(200, -20);
    EXPECT_EQ(editor.GetViewport().GetScrollPosition(), (CDiagramPoint{20, 0})); // already at the top
    release(200, -20);
    EXPECT_GT(window.layouts, 0);
    EXPECT_DOUBLE_EQ(entity.GetLeft(), 200);

    // A paper that fits the window does not scroll.
    container.SetPaperSize(0, 0);
    editor.SetVirtualSize(300, 200);
    press(210, 110);
    move(220, 120);
    move(500, 500);
    EXPECT_EQ(editor.GetViewport().GetScrollPosition(), (CDiagramPoint{0, 0}));
    release(500, 500);
}

TEST_F(Interaction, HitTestsMatchWhatIsDrawnAtEveryZoom)
{
    CDiagramEntity& entity = add(100, 100, 150, 150);
    editor.SetZoom(2.0);
    press(250, 250); // inside the drawn 200..300
    release(250, 250);
    EXPECT_TRUE(entity.IsSelected());
    press(160, 160); // where the page rectangle would be, but nothing is drawn there
    release(160, 160);
    EXPECT_FALSE(entity.IsSelected());

    // Markers have screen size: the bottom-right one at 300 picks the resize.
    press(250, 250);
    release(250, 250);
    press(302, 302);
    EXPECT_EQ(editor.GetInteractionMode(), kModeResize);
    release(302, 302);

    editor.SetZoom(1.5);
    editor.SetScrollPosition(ScrollAxis::Horizontal, 30);
    EXPECT_EQ(editor.VirtualToScreen(entity.GetRect()).left, 120);
    EXPECT_EQ(editor.ScreenToVirtual({120, 0}).x, 100);
    editor.UnselectAll();
    press(121, 160);
    release(121, 160);
    EXPECT_TRUE(entity.IsSelected());
}

TEST_F(Interaction, PaperResizesByItsMarkersWithinItsRestraint)
{
    struct Case {
        Restraint restraint;
        CDiagramPoint paper;
    };
    const Case cases[] = {
        {Restraint::None, {100, 50}},
        {Restraint::Paper, {250, 180}},   // the entities' box
        {Restraint::Margins, {258, 196}}, // plus the right and bottom margins
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.restraint));
        container.Clear();
        container.ClearUndo();
        add(100, 100, 250, 180);
        editor.UnselectAll();
        editor.SetVirtualSize(300, 200);
        editor.SetPaperResize(Toggle::On);
        editor.SetRestraint(c.restraint);
        press(295, 195); // inside the right edge's zone: the paper is selected
        release(295, 195);
        ASSERT_TRUE(editor.IsPaperSelected());
        EXPECT_EQ(editor.GetCursorAt({299, 199}), DiagramCursor::SizeNWSE);
        press(299, 199);
        ASSERT_EQ(editor.GetInteractionMode(), kModePaperResize);
        EXPECT_EQ(editor.GetInteractionSubMode(), DEHT_BOTTOMRIGHT);
        EXPECT_EQ(undoLabels(), (std::vector<std::u16string>{u"rubberband"}));
        move(200, 120);
        move(100, 50);
        release(100, 50);
        EXPECT_EQ(editor.GetVirtualSize(), c.paper);
        EXPECT_EQ(container.GetPaperSize(), c.paper);
    }
    // Undo gives the paper back.
    editor.Undo(1);
    EXPECT_EQ(container.GetPaperSize(), (CDiagramPoint{300, 200}));
}

TEST_F(Interaction, InsertPlacesTheTemplateAndSizesItFromTheClick)
{
    auto stamp = std::make_unique<TestEntity>();
    editor.StartInsert(std::move(stamp));
    EXPECT_EQ(editor.GetInteractionMode(), kModeInsert);
    EXPECT_EQ(editor.GetCursorAt({10, 10}), DiagramCursor::Cross);
    press(50, 60);
    ASSERT_EQ(container.GetSize(), 1);
    EXPECT_EQ(container.GetAt(0)->GetRect(), (CDiagramRect{50, 60, 55, 65})); // its minimum size
    EXPECT_EQ(editor.GetInteractionMode(), kModeResize);
    move(70, 80);
    move(90, 100);
    release(90, 100);
    EXPECT_EQ(container.GetAt(0)->GetRect(), (CDiagramRect{50, 60, 90, 100}));
    EXPECT_EQ(undoLabels(), (std::vector<std::u16string>{u"insert visual object"}));
    EXPECT_EQ(editor.GetInteractionMode(), kModeInsert); // repeated insertion

    // Outside the restraint the click places nothing.
    editor.SetRestraint(Restraint::Paper);
    editor.SetScrollPosition(ScrollAxis::Horizontal, 400);
    editor.SetVirtualSize(500, 600);
    press(399, 10); // page x 499 is on the paper; scroll back and try off it
    release(399, 10);
    EXPECT_EQ(container.GetSize(), 2);
    key(DiagramKey::Escape);
    EXPECT_EQ(editor.GetInteractionMode(), kModeNone);
    EXPECT_FALSE(editor.GetRepeatedInsertion());
}

TEST_F(Interaction, KeyMaskSwitchesKeyGroupsOff)
{
    struct Case {
        uint32_t group;
        DiagramKeyEvent event;
    };
    const Case cases[] = {
        {kKeysArrows, {DiagramKey::Right}},
        {kKeysDelete, {DiagramKey::Delete}},
        {kKeysInsert, {DiagramKey::Insert}},
        {kKeysPages, {DiagramKey::PageUp}},
        {kKeysEscape, {DiagramKey::Escape}},
        {kKeysZoom, {DiagramKey::KeypadPlus}},
        {kKeysEditing, {DiagramKey::Character, u'A', kModifierControl}},
        {kKeysEditing, {DiagramKey::Enter}},
    };
    add(10, 10, 50, 50);
    add(60, 10, 90, 50);
    editor.SelectObject(*container.GetAt(0), true);
    for (const Case& c : cases) {
        editor.SetKeyMask(kKeysAll & ~c.group);
        EXPECT_EQ(editor.OnKeyDown(c.event).handled, Handled::No) << c.group;
        editor.SetKeyMask(kKeysAll);
        EXPECT_TRUE(editor.HandlesKey(c.event)) << c.group;
    }
    EXPECT_TRUE(container.GetUndoStack().empty());
    EXPECT_DOUBLE_EQ(editor.GetZoom(), 1.0);
    EXPECT_FALSE(editor.HandlesKey({DiagramKey::Character, u'Q', kModifierControl}));
}

TEST_F(Interaction, KeysEditTheSelection)
{
    CDiagramEntity& entity = add(10, 10, 50, 50, u"a");
    add(60, 10, 90, 50, u"b");
    editor.SelectObject(entity, true);
    key(DiagramKey::Right, kModifierShift); // grows the selection's box by one step
    EXPECT_EQ(entity.GetRect(), (CDiagramRect{10, 10, 51, 50}));
    key(DiagramKey::Insert); // duplicate
    EXPECT_EQ(container.GetSize(), 3);
    EXPECT_EQ(editor.GetSelectCount(), 1);
    key(DiagramKey::Delete);
    EXPECT_EQ(container.GetSize(), 2);
    ctrl(u'Z');
    EXPECT_EQ(container.GetSize(), 3);
    ctrl(u'Y');
    EXPECT_EQ(container.GetSize(), 2);
    // Undo and redo put fresh clones in place.
    editor.SelectObject(*container.GetAt(0), true);
    key(DiagramKey::PageUp);
    EXPECT_EQ(container.GetAt(1)->GetName(), u"a");
    key(DiagramKey::PageDown, kModifierControl);
    EXPECT_EQ(container.GetAt(0)->GetName(), u"a");
    ctrl(u'A');
    EXPECT_EQ(editor.GetSelectCount(), 2);
    key(DiagramKey::KeypadPlus);
    EXPECT_DOUBLE_EQ(editor.GetZoom(), 1.01);
    EXPECT_EQ(undoLabels().front(), u"resize with keys");
}

TEST_F(Interaction, EditKeysWaitUntilTheDragEnds)
{
    CDiagramEntity& entity = add(100, 100, 200, 150);
    press(150, 120);
    move(170, 120);
    for (const DiagramKeyEvent& event :
         {DiagramKeyEvent{DiagramKey::Delete}, DiagramKeyEvent{DiagramKey::Character, u'X', kModifierControl},
          DiagramKeyEvent{DiagramKey::Character, u'Z', kModifierControl}, DiagramKeyEvent{DiagramKey::Insert}}) {
        EXPECT_EQ(editor.OnKeyDown(event).handled, Handled::No);
        EXPECT_FALSE(editor.HandlesKey(event));
    }
    ASSERT_EQ(container.GetSize(), 1);
    move(190, 120);
    release(190, 120);
    EXPECT_EQ(entity.GetRect(), (CDiagramRect{140, 100, 240, 150}));

    // A command from elsewhere ends the drag first; moves after it touch nothing.
    press(150, 120);
    move(170, 120);
    editor.Undo(1);
    ASSERT_EQ(container.GetSize(), 1);
    move(200, 140);
    release(200, 140);
    EXPECT_EQ(container.GetAt(0)->GetRect(), (CDiagramRect{140, 100, 240, 150})); // as before that drag
}

TEST_F(Interaction, WindowShortcutsAreLeftToTheWindow)
{
    add(10, 10, 50, 50);
    add(60, 10, 90, 50);
    editor.SelectAll();
    editor.DeleteSelected();
    editor.SetWindowShortcuts({{DiagramKey::Character, u'Z', kModifierControl}});
    EXPECT_FALSE(editor.HandlesKey({DiagramKey::Character, u'Z', kModifierControl}));
    EXPECT_EQ(ctrl(u'Z').handled, Handled::No);
    EXPECT_EQ(container.GetSize(), 0); // the window's own undo is the only one
    editor.SetWindowShortcuts({});
    EXPECT_EQ(ctrl(u'Z').handled, Handled::Yes);
    EXPECT_EQ(container.GetSize(), 2);
}

TEST_F(Interaction, WheelScrollsOnePositionPerNotchOrZooms)
{
    editor.SetScrollPosition(ScrollAxis::Vertical, 50);
    wheel(-40);
    wheel(-40);
    EXPECT_EQ(editor.GetViewport().GetScrollPosition().y, 50);
    wheel(-40);
    EXPECT_EQ(editor.GetViewport().GetScrollPosition().y, 51);
    wheel(240);
    EXPECT_EQ(editor.GetViewport().GetScrollPosition().y, 49);

    editor.SetWheelMode(WheelMode::Zoom);
    wheel(-120);
    EXPECT_DOUBLE_EQ(editor.GetZoom(), 1.01);
    wheel(120);
    wheel(120);
    EXPECT_DOUBLE_EQ(editor.GetZoom(), 0.99);

    // Without a vertical bar the wheel is not the editor's.
    editor.SetWheelMode(WheelMode::Scroll);
    editor.SetZoom(0.1);
    EXPECT_EQ(wheel(-120).handled, Handled::No);
}

TEST_F(Interaction, MovesRecordTheInteractionTick)
{
    add(100, 100, 200, 150);
    host.now = 4321;
    press(150, 120);
    move(152, 121); // below the threshold: no tick
    EXPECT_EQ(editor.GetInteractionTick(), 0u);
    move(170, 120);
    EXPECT_EQ(editor.GetInteractionTick(), 4321u);
    host.now = 4400;
    move(180, 120);
    EXPECT_EQ(editor.GetInteractionTick(), 4400u);
    release(180, 120);
}

TEST_F(Interaction, RightClickSelectsAndOpensTheMenuThatFits)
{
    CDiagramEntity& a = add(10, 10, 50, 50);
    CDiagramEntity& b = add(60, 10, 90, 50);
    editor.SelectObject(a, true);
    editor.OnRButtonDown({{70, 20}});
    EXPECT_TRUE(b.IsSelected());
    EXPECT_FALSE(a.IsSelected());
    EXPECT_EQ(editor.GetPastePosition(), (CDiagramPoint{70, 20}));
    editor.OnRButtonUp({{70, 20}});
    ASSERT_EQ(window.menu.size(), CDiagramEntity::PopupItems().size()); // its own popup
    EXPECT_EQ(window.menuAt, (CDiagramPoint{70, 20}));

    editor.SelectAll();
    editor.OnRButtonDown({{70, 20}}); // already selected: the selection stays
    editor.OnRButtonUp({{70, 20}});
    ASSERT_EQ(window.menu.size(), CDiagramMenu::Layout().size());
    EXPECT_EQ(window.menu[0].command, ToInt(CommandId::EditCut));

    // The entity popup's commands come back through the editor.
    editor.SelectObject(a, false);
    editor.OnCommand(CMD_DUPLICATE);
    EXPECT_EQ(container.GetSize(), 3);
}

TEST_F(Interaction, MiddleButtonPansUntilAPress)
{
    add(10, 10, 50, 50);
    editor.OnMButtonDown({{100, 100}});
    EXPECT_TRUE(window.panTimer);
    EXPECT_TRUE(editor.GetInteraction().IsPanning());
    DiagramResponse response = editor.OnPanTimer({260, 100});
    EXPECT_EQ(editor.GetViewport().GetScrollPosition(), (CDiagramPoint{10, 0}));
    EXPECT_EQ(response.cursor, DiagramCursor::SizeWE);
    EXPECT_EQ(editor.OnPanTimer({250, 200}).cursor, DiagramCursor::SizeNWSE);
    EXPECT_EQ(editor.OnPanTimer({-50, 0}).cursor, DiagramCursor::SizeNWSE);
    EXPECT_EQ(editor.OnPanTimer({105, 300}).cursor, DiagramCursor::SizeNS);
    press(20, 20);
    EXPECT_FALSE(window.panTimer);
    EXPECT_FALSE(editor.GetInteraction().IsPanning());
    release(20, 20);
}

TEST_F(Interaction, CursorsFollowWhatIsUnderThePointer)
{
    CDiagramEntity& entity = add(100, 100, 200, 150);
    EXPECT_EQ(editor.GetCursorAt({150, 120}), DiagramCursor::SizeAll);
    EXPECT_EQ(editor.GetCursorAt({10, 10}), DiagramCursor::None);
    editor.SelectObject(entity, true);
    EXPECT_EQ(editor.GetCursorAt({200, 150}), DiagramCursor::SizeNWSE);
    EXPECT_EQ(editor.GetCursorAt({150, 100}), DiagramCursor::SizeNS);
    press(200, 125);
    EXPECT_EQ(move(230, 125).cursor, DiagramCursor::SizeWE);
    release(230, 125);
}

TEST_F(Interaction, BandAndArrowStepsFollowTheZoom)
{
    CDiagramEntity& entity = add(100, 100, 150, 150);
    editor.SetZoom(2.0);
    drag({190, 190}, {310, 310}); // the drawn 200..300, in page pixels 95..155
    EXPECT_TRUE(entity.IsSelected());

    struct Case {
        double zoom;
        Toggle snap;
        double step;
    };
    const Case cases[] = {{0.5, Toggle::Off, 2}, {2.0, Toggle::Off, 1}, {2.0, Toggle::On, 4}, {0.5, Toggle::On, 16}};
    for (const Case& c : cases) {
        entity.SetRect(96, 96, 146, 146);
        editor.SetZoom(c.zoom);
        editor.SetSnapToGrid(c.snap);
        key(DiagramKey::Right);
        const double expected = c.snap == Toggle::On ? editor.SnapX(96 + c.step) : 96 + c.step;
        EXPECT_DOUBLE_EQ(entity.GetLeft(), expected) << c.zoom;
    }
}
