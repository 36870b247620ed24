#include <gtest/gtest.h>

#include <QMenu>
#include <QTest>

#include "editor/document/CObjectTypeTable.h"
#include "editor/objects/CObjectNames.h"
#include "editor/views/panes/CObjectsBar.h"
#include "editor/views/panes/CPaneTree.h"
#include "editor/views/panes/PaneTreeItems.h"
#include "tests/editor/views/page/PageViewHarness.h"
#include "tests/editor/views/panes/PaneHarness.h"

namespace {

using PaneItemData::Overlay;

constexpr int32_t kText = 2, kButton = 17, kTagTrigger = 23, kTimer = 24;

// A page of "A" (text), "T" (timer), "B" (button), "C" (text) and "G" (tag trigger),
// open in a view, with the objects pane beside it.
class ObjectsPane : public testing::Test {
protected:
    ObjectsPane()
    {
        const std::pair<int32_t, const char16_t*> objects[] = {
            {kText, u"A"}, {kTimer, u"T"}, {kButton, u"B"}, {kText, u"C"}, {kTagTrigger, u"G"}};
        int32_t left = 10;
        for (const auto& [row, name] : objects) {
            CObjectNames::InitObjectName(page.AddObject(row, left, 10), name);
            left += 60;
        }
        page.Open();
        // What the main frame's select-object command does with the pane's item.
        commands.Serve(CommandId::SelectObject, [this] {
            const int32_t index = PaneItemData::ObjectIndex(bar.GetSelectedItemData());
            if (!(bar.GetClickModifiers() & Qt::ControlModifier) || index < 0)
                page.Canvas().UnselectAll();
            if (index >= 0)
                page.Canvas().SelectObject(page.Object(index), !page.Object(index).IsSelected());
        });
        bar.resize(240, 400);
        bar.show();
        bar.Rebuild();
    }

    CDiagramEntityContainer& Container() { return page.View().GetContainer(); }
    QTreeWidgetItem* Root(int group) { return bar.Tree()->topLevelItem(group); }
    QTreeWidgetItem* Item(int group, int child) { return Root(group)->child(child); }
    std::vector<QString> Texts(int group)
    {
        std::vector<QString> texts;
        for (int i = 0; i < Root(group)->childCount(); ++i)
            texts.push_back(Item(group, i)->text(0));
        return texts;
    }
    std::u16string Order()
    {
        std::u16string names;
        for (int32_t i = 0; i < Container().GetSize(); ++i)
            names += CObjectNames::GetName(page.Object(i), NameKind::Current);
        return names;
    }
    std::vector<std::u16string> Selected()
    {
        std::vector<std::u16string> names;
        for (int32_t i = 0; i < Container().GetSize(); ++i)
            if (page.Object(i).IsSelected())
                names.push_back(CObjectNames::GetName(page.Object(i), NameKind::Current));
        return names;
    }
    static bool Bold(QTreeWidgetItem* item) { return item->font(0).bold(); }
    static Overlay OverlayOf(QTreeWidgetItem* item)
    {
        return Overlay(item->data(0, PaneItemData::kOverlayRole).toInt());
    }

    vx::test::PageViewHarness page;
    vx::test::PaneCommands commands{page.commands, {CommandId::RenameObject, CommandId::DeleteObject}};
    CObjectsBar bar{page.host, page.commands};
};

TEST_F(ObjectsPane, ObjectsStandUnderTheirGroupsWithTheirIndexAndKindsImage)
{
    ASSERT_EQ(bar.Tree()->topLevelItemCount(), 2);
    EXPECT_EQ(Root(0)->text(0), QStringLiteral("Page"));
    EXPECT_EQ(Root(1)->text(0), QStringLiteral("Page (logical)"));
    EXPECT_EQ(PaneTreeItems::Data(*Root(0)), 0);
    EXPECT_EQ(PaneTreeItems::Data(*Root(1)), 1 << 16);
    EXPECT_EQ(Texts(0), (std::vector<QString>{"A", "B", "C"}));
    EXPECT_EQ(Texts(1), (std::vector<QString>{"T", "G"}));
    // Running position in the tree, then the index in the page plus 1.
    EXPECT_EQ(PaneTreeItems::Data(*Item(0, 1)), (1 << 16) | 3);
    EXPECT_EQ(PaneTreeItems::Data(*Item(1, 0)), (3 << 16) | 2);
    EXPECT_EQ(PaneTreeItems::Data(*Item(1, 1)), (4 << 16) | 5);
    EXPECT_EQ(PaneTreeItems::Image(*Item(0, 1)), CObjectTypeTable::Rows()[kButton].icon);
    EXPECT_FALSE(Item(0, 1)->icon(0).isNull());
    EXPECT_EQ(Item(0, 1)->icon(0).pixmap(16, 16).toImage(), CEditorIcons::ObjectTypeIcon(kButton).pixmap(16, 16).toImage());
    EXPECT_TRUE(Root(0)->isExpanded());
    EXPECT_TRUE(Root(1)->isExpanded());

    // Without an active view the tree is empty and no item names an object.
    page.host.activeView = nullptr;
    EXPECT_FALSE(bar.IsObjectItemSelected());
    bar.Rebuild();
    EXPECT_EQ(bar.Tree()->topLevelItemCount(), 0);
}

TEST_F(ObjectsPane, SelectedObjectsAreBoldAndThePageRootWhenNoneIs)
{
    EXPECT_TRUE(Bold(Root(0)));
    page.Select({2, 1});
    EXPECT_TRUE(bar.UpdateItemStates());
    EXPECT_FALSE(Bold(Root(0)));
    EXPECT_FALSE(Bold(Item(0, 0)));
    EXPECT_TRUE(Bold(Item(0, 1)));
    EXPECT_TRUE(Bold(Item(1, 0)));
    page.Select({});
    EXPECT_TRUE(bar.UpdateItemStates());
    EXPECT_TRUE(Bold(Root(0)));
    EXPECT_FALSE(Bold(Item(0, 1)));

    // A tree that no longer matches the page asks to be rebuilt.
    page.Canvas().AddObject(CEditorObject::CreateObject(kText, &page.page));
    EXPECT_FALSE(bar.UpdateItemStates());
}

struct OverlayCase {
    const char* name;
    std::u16string script;
    uint32_t lock;
    Overlay overlay;
};

class ObjectOverlay : public ObjectsPane, public testing::WithParamInterface<OverlayCase> {};

TEST_P(ObjectOverlay, FollowsTheTrimmedScriptLengthAndTheLock)
{
    CEditorObject& button = page.Object(2);
    CPropertyBase* script = button.FindProperty(u"Behavior", u"_Action script");
    ASSERT_NE(script, nullptr);
    script->SetValue(CPropertyValue(GetParam().script));
    button.SetLock(GetParam().lock, true);
    EXPECT_EQ(CObjectsBar::OverlayOf(button), GetParam().overlay);
    ASSERT_TRUE(bar.UpdateItemStates());
    EXPECT_EQ(OverlayOf(Item(0, 1)), GetParam().overlay);
    // The overlay is drawn over the kind's picture.
    const QImage shown = Item(0, 1)->icon(0).pixmap(16, 16).toImage();
    const QImage kind = CEditorIcons::ObjectTypeIcon(kButton).pixmap(16, 16).toImage();
    EXPECT_EQ(shown != kind, GetParam().overlay != Overlay::None);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ObjectOverlay,
    testing::Values(OverlayCase{"NineteenCharacters", u"  [12345678901234567]  ", 0, Overlay::None},
                    OverlayCase{"TwentyCharacters", u"\t[123456789012345678]\n", 0, Overlay::Script},
                    OverlayCase{"Empty", u"", 0, Overlay::None},
                    OverlayCase{"LockedSize", u"", 2, Overlay::Locked},
                    OverlayCase{"LockedPosition", u"[12345678901234567890]", 4, Overlay::Locked},
                    OverlayCase{"OtherLockBit", u"", 1, Overlay::None}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ObjectsPane, APlainClickSelectsOneObjectAndCtrlBuildsASelection)
{
    vx::test::Click(*bar.Tree(), Item(0, 0));
    EXPECT_EQ(commands.Posted(), (std::vector<int32_t>{ToInt(CommandId::SelectObject)}));
    EXPECT_EQ(Selected(), (std::vector<std::u16string>{u"A"}));
    vx::test::Click(*bar.Tree(), Item(0, 2), Qt::ControlModifier);
    commands.Posted();
    vx::test::Click(*bar.Tree(), Item(1, 0), Qt::ControlModifier);
    commands.Posted();
    EXPECT_EQ(Selected(), (std::vector<std::u16string>{u"A", u"T", u"C"}));
    ASSERT_TRUE(bar.UpdateItemStates());
    EXPECT_TRUE(Bold(Item(0, 2)));
    vx::test::Click(*bar.Tree(), Item(0, 1));
    commands.Posted();
    EXPECT_EQ(Selected(), (std::vector<std::u16string>{u"B"}));
    // A click on a root clears the selection.
    vx::test::Click(*bar.Tree(), Root(1));
    commands.Posted();
    EXPECT_TRUE(Selected().empty());
}

TEST_F(ObjectsPane, DraggingWithinAGroupChangesTheZOrderOneStepAtATime)
{
    vx::test::Drag(*bar.Tree(), Item(0, 0), {Item(0, 1), Item(0, 2)});
    EXPECT_EQ(Order(), u"TBCAG");
    EXPECT_EQ(Texts(0), (std::vector<QString>{"B", "C", "A"}));
    EXPECT_EQ(Selected(), (std::vector<std::u16string>{u"A"}));
    ASSERT_FALSE(Container().GetUndoStack().empty());
    EXPECT_EQ(Container().GetUndoStack().back()->label, u"change object Z order");
    EXPECT_TRUE(Container().IsModified());
    // Undo brings the old order back.
    Container().Undo();
    EXPECT_EQ(Order(), u"ATBCG");
}

TEST_F(ObjectsPane, DraggingOntoTheOtherGroupDoesNothing)
{
    vx::test::Drag(*bar.Tree(), Item(0, 2), {Item(1, 0), Item(1, 1), Root(0)});
    EXPECT_EQ(Order(), u"ATBCG");
    vx::test::Drag(*bar.Tree(), Root(0), {Item(0, 1)});
    EXPECT_EQ(Order(), u"ATBCG");
    // Within the logical group it moves.
    vx::test::Drag(*bar.Tree(), Item(1, 1), {Item(1, 0)});
    EXPECT_EQ(Order(), u"AGTBC");
}

TEST_F(ObjectsPane, RenamingToANameOnThisPageIsRefusedWithTheMessage)
{
    bar.Tree()->setCurrentItem(Item(0, 1));
    ASSERT_TRUE(bar.StartLabelEdit());
    ASSERT_TRUE(vx::test::EditLabel(*bar.Tree(), QStringLiteral("T")));
    EXPECT_EQ(page.host.prompts.messages,
              (std::vector<std::u16string>{u"Specified name is already used on this page by another object."}));
    EXPECT_EQ(Item(0, 1)->text(0), QStringLiteral("B"));
    EXPECT_EQ(CObjectNames::GetName(page.Object(2), NameKind::Current), u"B");
    EXPECT_EQ(page.host.counts.refillFull, 0);
}

TEST_F(ObjectsPane, ANameUsedOnAnotherPageIsAccepted)
{
    CPage& other = page.project.AddPage();
    CObjectNames::InitObjectName(other.AddObject(CEditorObject::CreateObject(kText, &other)), u"Pump");
    const int modified = page.host.counts.modified;
    bar.Tree()->setCurrentItem(Item(0, 1));
    QTest::keyClick(bar.Tree(), Qt::Key_F2);
    ASSERT_TRUE(vx::test::EditLabel(*bar.Tree(), QStringLiteral("Pump")));
    EXPECT_TRUE(page.host.prompts.messages.empty());
    EXPECT_EQ(Item(0, 1)->text(0), QStringLiteral("Pump"));
    EXPECT_EQ(CObjectNames::GetName(page.Object(2), NameKind::Current), u"Pump");
    EXPECT_EQ(CObjectNames::GetName(page.Object(2), NameKind::Original), u"B");
    EXPECT_EQ(page.host.counts.refillFull, 1);
    EXPECT_GT(page.host.counts.modified, modified);
    // The property model recorded the change on the page.
    EXPECT_EQ(Container().GetUndoStack().back()->label, u"Name = Pump");
}

TEST_F(ObjectsPane, AnEditUnderWayEndsWhenItsItemComesToShowAnotherObject)
{
    bar.Tree()->setCurrentItem(Item(0, 0));
    ASSERT_TRUE(bar.StartLabelEdit());
    // "A" goes above "B" elsewhere; the first item now shows "B".
    Container().Swap(0, 2);
    bar.Rebuild();
    EXPECT_FALSE(bar.Tree()->IsEditingLabel());
    EXPECT_FALSE(vx::test::EditLabel(*bar.Tree(), QStringLiteral("Renamed")));
    EXPECT_EQ(Order(), u"BTACG");
    EXPECT_EQ(Texts(0), (std::vector<QString>{"B", "A", "C"}));
}

TEST_F(ObjectsPane, TheMenuRenamesOrDeletesAndDeletingIsUndoable)
{
    QTest::mouseClick(bar.Tree()->viewport(), Qt::RightButton, {}, vx::test::Centre(*bar.Tree(), Item(0, 2)));
    ASSERT_TRUE(bar.OpenMenu());
    ASSERT_EQ(bar.OpenMenu()->actions().size(), 2);
    EXPECT_EQ(bar.OpenMenu()->actions()[0]->text(), QStringLiteral("Rename"));
    bar.OpenMenu()->actions()[1]->trigger();
    EXPECT_EQ(commands.Posted(), (std::vector<int32_t>{ToInt(CommandId::DeleteObject)}));
    bar.DeleteSelectedObject();
    EXPECT_EQ(Order(), u"ATBG");
    EXPECT_EQ(Texts(0), (std::vector<QString>{"A", "B"}));
    EXPECT_EQ(Container().GetUndoStack().back()->label, u"remove object");
    // Roots have no menu and delete nothing.
    QTest::mouseClick(bar.Tree()->viewport(), Qt::RightButton, {}, vx::test::Centre(*bar.Tree(), Root(0)));
    EXPECT_FALSE(bar.OpenMenu());
    bar.DeleteSelectedObject();
    EXPECT_EQ(Order(), u"ATBG");
}

} // namespace
