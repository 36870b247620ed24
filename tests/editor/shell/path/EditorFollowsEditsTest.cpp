// What the real editor's panes and lists do around an edit: the undo list's entries,
// the output pane's jump, what closing a project empties, the tag memory size typed,
// the page's icon, the properties pane and the status bar after a drag, and the page
// window that takes the focus.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDockWidget>
#include <QTextBlock>
#include <QTreeWidget>

#include "editor/views/CTagsBar.h"
#include "editor/views/panes/CObjectsBar.h"
#include "editor/shell/frame/CPageWindowList.h"
#include "editor/views/panes/CPaneTree.h"
#include "editor/views/panes/CProjectBar.h"
#include "editor/views/panes/PaneTreeItems.h"
#include "editor/views/properties/DPropButton.h"
#include "editor/views/properties/DPropCombo.h"
#include "editor/views/properties/DPropList.h"
#include "tests/editor/shell/path/EditorWithProject.h"

namespace {

using vx::test::EditorWithProject;

// The object of the active page named name; undo and redo put clones in place of objects.
CEditorObject* named(EditorWithProject& e, std::u16string_view name)
{
    for (int32_t i = 0; i < e.View()->GetContainer().GetSize(); ++i)
        if (CEditorObject* object = e.View()->GetObjectAt(i);
            object && CObjectNames::GetName(*object, NameKind::Current) == name)
            return object;
    return nullptr;
}

std::u16string boldOf(EditorWithProject& e)
{
    const CEditorObject* a = named(e, u"A");
    const CPropertyBase* bold = a ? a->GetFormat().FindProperty(u"Format", u"Bold") : nullptr;
    return bold ? bold->GetValueText() : std::u16string();
}

TEST(EditorFollowsEdits, TheThirdUndoEntryUndoesThreeStepsAndTheListsFollowEveryEdit)
{
    EditorWithProject e;
    ASSERT_TRUE(e.Open());
    const int before = int(e.Ribbon().ActionListLabels(ToInt(CommandId::EditUndo)).size());
    const std::u16string bold = boldOf(e);
    for (int edit = 1; edit <= 4; ++edit) {
        ASSERT_TRUE(e.Run(CommandId::FontBold));
        e.Idle();
        const QStringList labels = e.Ribbon().ActionListLabels(ToInt(CommandId::EditUndo));
        ASSERT_EQ(labels.size(), before + edit) << "the list follows each edit";
        EXPECT_TRUE(labels.front().startsWith(QStringLiteral("Bold = "))) << labels.front().toStdString();
    }
    ASSERT_TRUE(e.Settle());

    // The third entry, as the quick access bar's list runs it.
    e.Ribbon().ExecuteSteps(ToInt(CommandId::EditUndo), 3);
    e.Idle();
    EXPECT_NE(boldOf(e), bold) << "one toggle is left";
    EXPECT_EQ(e.Ribbon().ActionListLabels(ToInt(CommandId::EditUndo)).size(), before + 1);
    EXPECT_EQ(e.Ribbon().ActionListLabels(ToInt(CommandId::EditRedo)).size(), 3);
    EXPECT_TRUE(e.Project().IsModified());
    EXPECT_TRUE(e.Frame().windowTitle().endsWith(QLatin1Char('*')));

    // A plain click on Undo is one step.
    e.Ribbon().Execute(ToInt(CommandId::EditUndo), nullptr);
    EXPECT_EQ(boldOf(e), bold);
}

TEST(EditorFollowsEdits, ADoubleClickOnAnErrorLineOpensThePageAndSelectsTheObject)
{
    EditorWithProject e;
    ASSERT_TRUE(e.Open());
    // The button "C" goes to a page that does not exist: compiling it is an error.
    CEditorObject& button = e.Add(u"C", 300, 300, vx::test::kButtonObject);
    ASSERT_TRUE(button.GetProperties().SetPropertyValue(
        u"Behavior", u"_Action script",
        CPropertyValue(u"[{\"trigger\":\"On touch up\",\"triggerParams\":\"\",\"command\":\"Go to page X\","
                       u"\"params\":\"Nowhere\"}]")));
    CPage& page = *e.View()->GetPage();
    e.Frame().CloseAllPages();
    e.Idle();
    ASSERT_EQ(e.View(), nullptr);
    ASSERT_TRUE(e.Run(CommandId::Play));
    CEditEx* output = e.Frame().OutputBar().Edit();
    int errorLine = -1;
    for (QTextBlock block = output->document()->begin(); block.isValid(); block = block.next())
        if (block.text().startsWith(QStringLiteral("Error in C object")))
            errorLine = block.blockNumber();
    ASSERT_GE(errorLine, 0) << e.Frame().OutputBar().Text().toStdString();

    const QRect line = output->cursorRect(QTextCursor(output->document()->findBlockByNumber(errorLine)));
    QTest::mouseDClick(output->viewport(), Qt::LeftButton, {}, line.center());
    ASSERT_TRUE(vx::test::ShellHarness::runUntil([&] {
        e.Idle();
        return e.View() && e.View()->GetPage() == &page;
    }));
    CEditorObject* b = named(e, u"C");
    ASSERT_NE(b, nullptr);
    EXPECT_TRUE(vx::test::ShellHarness::runUntil([&] { return b->IsSelected(); }));
    EXPECT_EQ(e.View()->GetContainer().GetSelectCount(), 1);

    // On the page already open, the jump makes the object the only selection.
    e.Editor().SelectObject(*e.View()->GetObjectAt(0), true);
    QTest::mouseDClick(output->viewport(), Qt::LeftButton, {}, line.center());
    EXPECT_TRUE(b->IsSelected());
    EXPECT_EQ(e.View()->GetContainer().GetSelectCount(), 1);

    // A line of a page the project does not have, or of an object the page does not
    // have, opens nothing and marks nothing.
    COutputBar& bar = e.Frame().OutputBar();
    bar.AppendLine(u"Page Gone: compiling\r\n", 0, nullptr, nullptr);
    bar.AppendLine(u"Error in C object: Tag not found\r\n", 0x0000FF, nullptr, nullptr);
    output->setTextCursor(QTextCursor(output->document()));
    int gone = -1;
    for (QTextBlock block = output->document()->begin(); block.isValid(); block = block.next())
        if (block.text().startsWith(QStringLiteral("Error in C object: Tag not found")))
            gone = block.blockNumber();
    ASSERT_GE(gone, 0);
    output->OnLine(gone);
    EXPECT_TRUE(output->textCursor().selectedText().isEmpty());
    EXPECT_EQ(e.Frame().PageWindows().Count(), 1);
}

TEST(EditorFollowsEdits, CloseEmptiesThePanesTheClipboardAndTheStatusBar)
{
    EditorWithProject e;
    ASSERT_TRUE(e.Open());
    ASSERT_TRUE(e.Run(CommandId::Copy));
    ASSERT_TRUE(e.Run(CommandId::Play));
    ASSERT_FALSE(e.Frame().OutputBar().Text().isEmpty());
    e.Idle();
    ASSERT_EQ(e.Frame().StatusPosition(), QStringLiteral("20, 20"));
    ASSERT_EQ(e.Frame().StatusSize(), QStringLiteral("120 x 40"));
    ASSERT_FALSE(e.Frame().PropertiesBar()->Grid().Items().empty());
    ASSERT_GT(e.Frame().ProjectBar()->Tree()->topLevelItemCount(), 0);
    ASSERT_GT(e.Frame().ObjectsBar()->Tree()->topLevelItemCount(), 0);
    ASSERT_GT(e.Frame().GetClipboard().Count(), 0);

    ASSERT_TRUE(e.Run(CommandId::FileClose));
    e.Idle();
    ASSERT_EQ(e.shell.app->GetProject(), nullptr);
    EXPECT_EQ(e.Frame().ProjectBar()->Tree()->topLevelItemCount(), 0);
    EXPECT_EQ(e.Frame().ObjectsBar()->Tree()->topLevelItemCount(), 0);
    EXPECT_TRUE(e.Frame().PropertiesBar()->Grid().Items().empty());
    EXPECT_TRUE(e.Frame().OutputBar().Text().isEmpty());
    EXPECT_EQ(e.Frame().TagsBar(), nullptr);
    EXPECT_EQ(e.Frame().GetClipboard().Count(), 0);
    EXPECT_TRUE(e.Frame().StatusPosition().isEmpty());
    EXPECT_TRUE(e.Frame().StatusSize().isEmpty());
    EXPECT_TRUE(e.Ribbon().ActionListLabels(ToInt(CommandId::EditUndo)).isEmpty());
}

TEST(EditorFollowsEdits, TagMemorySizeTypedWithoutEnterIsStoredAndClamped)
{
    EditorWithProject e;
    ASSERT_TRUE(e.Open());
    auto* edit = qobject_cast<QLineEdit*>(e.Ribbon().ControlWidget(ToInt(CommandId::TagMemorySize)));
    ASSERT_NE(edit, nullptr);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("4096"));
    EXPECT_EQ(e.Project().Settings().target.tagMemorySize, 4096);
    EXPECT_TRUE(e.Project().IsModified());
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("1234567"));
    EXPECT_EQ(e.Project().Settings().target.tagMemorySize, 999999);
    EXPECT_EQ(edit->text(), QStringLiteral("999999"));
}

TEST(EditorFollowsEdits, APageTypeChangeInThePropertiesPaneUpdatesThePagesIcon)
{
    EditorWithProject e;
    ASSERT_TRUE(e.Open());
    e.Editor().UnselectAll();
    e.Idle();
    QTreeWidgetItem* item = e.Frame().ProjectBar()->Tree()->topLevelItem(0)->child(0);
    ASSERT_NE(item, nullptr);
    const int32_t before = PaneTreeItems::Image(*item);
    auto* type = dynamic_cast<DPropList*>(e.Item(u"Page", u"Page type"));
    ASSERT_NE(type, nullptr);
    type->Combo()->setFocus();
    QTest::keyClick(type->Combo(), Qt::Key_Down);
    e.Idle();
    item = e.Frame().ProjectBar()->Tree()->topLevelItem(0)->child(0);
    EXPECT_NE(PaneTreeItems::Image(*item), before);
    EXPECT_EQ(PaneTreeItems::Image(*item), e.Project().GetPage(0).GetPageType() + 2);
}

TEST(EditorFollowsEdits, AfterADragThePropertiesPaneIsRefilledInPlaceAndTheStatusBarFollows)
{
    EditorWithProject e;
    ASSERT_TRUE(e.Open());
    e.Idle();
    DProp* x = e.Item(u"Position & Size", u"X");
    ASSERT_NE(x, nullptr);
    const int fills = e.Frame().PaneFillCount();
    e.Drag(e.OnCanvas(60, 40), e.OnCanvas(100, 80));
    e.Idle();
    EXPECT_GT(e.Frame().PaneFillCount(), fills);
    EXPECT_EQ(e.Item(u"Position & Size", u"X"), x) << "refilled in place, not rebuilt";
    EXPECT_EQ(x->GetValue().Text(), u"60");
    EXPECT_EQ(e.Frame().StatusPosition(), QStringLiteral("60, 60"));
    EXPECT_EQ(e.Frame().StatusSize(), QStringLiteral("120 x 40"));
}

TEST(EditorFollowsEdits, ActivatingAPageWindowSelectsItsPageAndRefillsTheUndoLists)
{
    EditorWithProject e;
    ASSERT_TRUE(e.Open());
    ASSERT_TRUE(e.Run(CommandId::FontBold));
    CPage& first = *e.View()->GetPage();
    ASSERT_TRUE(e.Run(CommandId::PageNew));
    CPage& second = e.Project().GetPage(1);
    (void)e.Frame().OpenPage(second);
    ASSERT_TRUE(vx::test::ShellHarness::runUntil([&] { return e.View() && e.View()->GetPage() == &second; }));
    e.Idle();
    EXPECT_TRUE(e.Ribbon().ActionListLabels(ToInt(CommandId::EditUndo)).isEmpty()) << "the new page has no history";

    // The first page's window takes the focus back.
    e.Frame().ActivatePageWindow(first);
    e.Idle();
    ASSERT_EQ(e.View()->GetPage(), &first);
    QFocusEvent focus(QEvent::FocusIn);
    QApplication::sendEvent(e.View()->parentWidget(), &focus);
    EXPECT_EQ(e.Frame().GetSelectedPage(), &first);
    EXPECT_FALSE(e.Ribbon().ActionListLabels(ToInt(CommandId::EditUndo)).isEmpty());
}

TEST(EditorFollowsEdits, AnObjectRemovedOnTheCanvasEndsTheObjectsPanesDragAndTheTreeFollows)
{
    EditorWithProject e;
    ASSERT_TRUE(e.Open());
    e.Idle();
    CPaneTree& tree = *e.Frame().ObjectsBar()->Tree();
    QTreeWidgetItem* a = tree.topLevelItem(0)->child(0);
    ASSERT_NE(a, nullptr);
    const QPoint start = tree.visualItemRect(a).center();
    QTest::mousePress(tree.viewport(), Qt::LeftButton, {}, start);
    QTest::mouseMove(tree.viewport(), start + QPoint(QApplication::startDragDistance() + 2, 0));
    ASSERT_TRUE(tree.IsDragging());
    // The canvas deletes "A" while the pane drags it.
    e.View()->GetContainer().RemoveAt(0);
    EXPECT_FALSE(tree.IsDragging());
    EXPECT_EQ(tree.topLevelItemCount(), 0);
    QTest::mouseRelease(tree.viewport(), Qt::LeftButton, {}, start + QPoint(0, 40));
    ASSERT_TRUE(vx::test::ShellHarness::runUntil([&] {
        e.Idle();
        return tree.topLevelItemCount() == 2;
    }));
    ASSERT_EQ(tree.topLevelItem(0)->childCount(), 1);
    EXPECT_EQ(tree.topLevelItem(0)->child(0)->text(0), QStringLiteral("B"));
}

} // namespace

namespace {

// A person's path: an edit in the properties pane of a saved project, then New: the
// editor asks to save, Yes saves, and the project opened again holds the edit.
TEST(EditorFollowsEdits, NewAsksToSaveAnEditAndTheReopenedProjectHoldsIt)
{
    EditorWithProject e;
    ASSERT_TRUE(e.Open());
    ASSERT_TRUE(e.Run(CommandId::InsertButton));
    e.Drag(e.OnCanvas(300, 300), e.OnCanvas(400, 360));
    e.Idle();
    auto* text = dynamic_cast<DPropButton*>(e.Item(u"Appearance", u"Text"));
    ASSERT_NE(text, nullptr);
    vx::test::typeInto(text->LineEdit(), QStringLiteral("Start pump"));
    e.Idle();
    ASSERT_TRUE(e.Frame().windowTitle().endsWith(QLatin1Char('*')));

    e.shell.prompts.messages.clear();
    e.shell.prompts.answers.push_back(Prompts::Answer::Yes);
    ASSERT_TRUE(e.Run(CommandId::FileNew));
    ASSERT_EQ(e.shell.prompts.messages.size(), 1u);
    EXPECT_EQ(e.shell.prompts.messages[0].text, QString::fromLatin1(CMainFrame::kSaveQuestion));
    EXPECT_NE(e.SavedDocument().find("Start pump"), std::string::npos);

    e.shell.app->OpenDocumentFile(e.file);
    ASSERT_NE(e.shell.app->GetProject(), nullptr);
    EXPECT_FALSE(e.Project().IsModified());
    EXPECT_NE(CProjectFile::DocumentText(e.Project()).find("Start pump"), std::string::npos);
}

} // namespace
