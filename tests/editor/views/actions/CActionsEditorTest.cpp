#include <gtest/gtest.h>

#include <QMenu>
#include <QTimer>

#include "editor/views/actions/CDlgTrigger.h"

#include "foundation/TextHelpers.h"
#include "tests/editor/views/actions/ActionsPaneFixture.h"

namespace {

using vx::test::ActionsPaneFixture;

class ActionsGrid : public ActionsPaneFixture {
protected:
    // Two entries on touch up, one on press.
    void ShowThree()
    {
        SetScript(*button, u"[{\"trigger\":\"On touch up\",\"command\":\"Sleep\",\"params\":\"1\"},"
                           u"{\"trigger\":\"On touch up\",\"command\":\"Sleep\",\"params\":\"2\"},"
                           u"{\"trigger\":\"On press\",\"command\":\"Sleep\",\"params\":\"3\"}]");
        Show(button);
        ASSERT_EQ(entries().size(), 3u);
    }

    std::vector<std::pair<std::u16string, std::u16string>> Rows()
    {
        std::vector<std::pair<std::u16string, std::u16string>> rows;
        for (const CActionsGridData& entry : entries())
            rows.emplace_back(entry.trigger, entry.parameters);
        return rows;
    }

    QPoint Centre(const QTreeWidgetItem* item) { return grid().visualItemRect(item).center(); }

    QAction* Command(QMenu& menu, const char* caption)
    {
        for (QAction* action : menu.actions())
            if (action->text() == QLatin1String(caption))
                return action;
        return nullptr;
    }

    // Runs a context menu command at the row's place.
    void Run(const QTreeWidgetItem* row, const char* caption)
    {
        const std::unique_ptr<QMenu> menu = grid().CreateContextMenu(row ? Centre(row) : QPoint(2, 2));
        ASSERT_NE(menu, nullptr);
        QAction* action = Command(*menu, caption);
        ASSERT_NE(action, nullptr) << caption;
        ASSERT_TRUE(action->isEnabled()) << caption;
        action->trigger();
    }
};

TEST_F(ActionsGrid, RowsAreGroupedByTriggerUnderHiddenTriggerColumn)
{
    ShowThree();
    EXPECT_TRUE(grid().isColumnHidden(CActionsEditor::TriggerColumn));
    EXPECT_EQ(grid().headerItem()->text(CActionsEditor::ActionColumn), "Action");
    EXPECT_EQ(grid().headerItem()->text(CActionsEditor::ParametersColumn), "Parameters");
    ASSERT_EQ(grid().topLevelItemCount(), 2);
    EXPECT_EQ(grid().topLevelItem(0)->text(CActionsEditor::ActionColumn), "On touch up");
    EXPECT_EQ(grid().topLevelItem(0)->childCount(), 2);
    EXPECT_EQ(grid().topLevelItem(1)->childCount(), 1);
    EXPECT_EQ(grid().EntryItem(2)->text(CActionsEditor::ParametersColumn), "3");
    EXPECT_FALSE(grid().EntryItem(0)->icon(CActionsEditor::ActionColumn).isNull());
}

TEST_F(ActionsGrid, EntriesFollowTheRowsOrder)
{
    SetScript(*button, u"[{\"trigger\":\"On touch up\",\"command\":\"Sleep\",\"params\":\"1\"},"
                       u"{\"trigger\":\"On press\",\"command\":\"Sleep\",\"params\":\"2\"},"
                       u"{\"trigger\":\"On touch up\",\"command\":\"Sleep\",\"params\":\"3\"}]");
    Show(button);
    EXPECT_EQ(Rows(), (std::vector<std::pair<std::u16string, std::u16string>>{
                          {u"On touch up", u"1"}, {u"On touch up", u"3"}, {u"On press", u"2"}}));
    for (int32_t i = 0; i < 3; ++i)
        EXPECT_EQ(entries()[std::size_t(i)].index, i);
}

TEST_F(ActionsGrid, APlaceholderShowsOnlyWhereItsTriggerHasNoAction)
{
    SetScript(*button, u"[{\"trigger\":\"On press\",\"command\":\"<empty>\",\"params\":\"\"},"
                       u"{\"trigger\":\"On touch up\",\"command\":\"<empty>\",\"params\":\"\"},"
                       u"{\"trigger\":\"On touch up\",\"command\":\"Sleep\",\"params\":\"3\"}]");
    Show(button);
    EXPECT_EQ(Rows(), (std::vector<std::pair<std::u16string, std::u16string>>{{u"On press", u""},
                                                                              {u"On touch up", u"3"}}));
    EXPECT_TRUE(entries()[0].IsPlaceholder());
}

TEST_F(ActionsGrid, AddTriggerPutsAnEmptyGroupOnTop)
{
    ShowThree();
    const CSelectable* asked = nullptr;
    grid().SetTriggerChooser([&](QWidget*, const CSelectable* target) -> std::optional<std::u16string> {
        asked = target;
        return u"On key down ( Enter )";
    });
    const int modified = host.counts.modified;
    Run(nullptr, "Add trigger...");
    EXPECT_EQ(asked, button);
    ASSERT_EQ(entries().size(), 4u);
    EXPECT_EQ(entries()[0].trigger, u"On key down ( Enter )");
    EXPECT_TRUE(entries()[0].IsPlaceholder());
    EXPECT_TRUE(grid().topLevelItem(0)->isExpanded());
    EXPECT_TRUE(grid().IsDirty());
    EXPECT_GT(host.counts.modified, modified);

    grid().StoreScript();
    const std::string stored = wideToUtf8(Script(*button));
    EXPECT_NE(stored.find("\"trigger\" : \"On key down\""), std::string::npos) << stored;
    EXPECT_NE(stored.find("\"triggerParams\" : \"Enter\""), std::string::npos) << stored;
    EXPECT_NE(stored.find("\"command\" : \"<empty>\""), std::string::npos) << stored;
}

// The dialog itself, answered once it is up.
TEST_F(ActionsGrid, AddTriggerAsksTheDialogWithTheTargetsTriggers)
{
    ShowThree();
    QStringList offered;
    QTimer answer;
    answer.setInterval(10);
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<CDlgTrigger*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        answer.stop();
        QComboBox* triggers = dialog->TriggerBox();
        for (int i = 0; i < triggers->count(); ++i)
            offered << triggers->itemText(i);
        const int release = triggers->findText("On release");
        triggers->setCurrentIndex(release);
        emit triggers->activated(release);
        dialog->accept();
    });
    answer.start();
    Run(nullptr, "Add trigger...");
    EXPECT_EQ(offered.size(), 8);
    EXPECT_TRUE(offered.contains("On press"));
    EXPECT_FALSE(offered.contains("On entering page"));
    ASSERT_EQ(entries().size(), 4u);
    EXPECT_EQ(entries()[0].trigger, u"On release");
}

TEST_F(ActionsGrid, AddTriggerCancelledChangesNothing)
{
    ShowThree();
    grid().SetTriggerChooser([](QWidget*, const CSelectable*) { return std::optional<std::u16string>(); });
    Run(nullptr, "Add trigger...");
    EXPECT_EQ(entries().size(), 3u);
    EXPECT_FALSE(grid().IsDirty());
}

TEST_F(ActionsGrid, DuplicateAndDeleteNeedARow)
{
    ShowThree();
    const std::unique_ptr<QMenu> onGroup = grid().CreateContextMenu(Centre(grid().GroupItem(u"On press")));
    ASSERT_NE(onGroup, nullptr);
    EXPECT_FALSE(Command(*onGroup, "Duplicate")->isEnabled());
    EXPECT_TRUE(Command(*onGroup, "Delete")->isEnabled());
    EXPECT_TRUE(Command(*onGroup, "Add trigger...")->isEnabled());

    const QPoint below(5, grid().viewport()->height() - 2);
    const std::unique_ptr<QMenu> nowhere = grid().CreateContextMenu(below);
    EXPECT_FALSE(Command(*nowhere, "Duplicate")->isEnabled());
    EXPECT_FALSE(Command(*nowhere, "Delete")->isEnabled());
}

TEST_F(ActionsGrid, DuplicateInsertsACopyAfterTheRow)
{
    ShowThree();
    Run(grid().EntryItem(0), "Duplicate");
    EXPECT_EQ(Rows(), (std::vector<std::pair<std::u16string, std::u16string>>{
                          {u"On touch up", u"1"}, {u"On touch up", u"1"}, {u"On touch up", u"2"}, {u"On press", u"3"}}));
    EXPECT_TRUE(grid().IsDirty());
}

TEST_F(ActionsGrid, DeleteARowOrAWholeGroup)
{
    ShowThree();
    Run(grid().EntryItem(1), "Delete");
    EXPECT_EQ(Rows(), (std::vector<std::pair<std::u16string, std::u16string>>{{u"On touch up", u"1"},
                                                                              {u"On press", u"3"}}));
    Run(grid().GroupItem(u"On touch up"), "Delete");
    EXPECT_EQ(Rows(), (std::vector<std::pair<std::u16string, std::u16string>>{{u"On press", u"3"}}));
    EXPECT_TRUE(grid().hasFocus() || !grid().isActiveWindow());
    grid().StoreScript();
    EXPECT_EQ(Script(*button).find(u"\"1\""), std::u16string::npos);
}

TEST_F(ActionsGrid, NoTargetNoMenu)
{
    bar->ShowObjectActions({});
    EXPECT_EQ(grid().CreateContextMenu({2, 2}), nullptr);
}

TEST_F(ActionsGrid, ADragAcrossAGroupBorderTakesTheNeighboursTrigger)
{
    ShowThree();
    const int modified = host.counts.modified;
    QWidget* viewport = grid().viewport();
    QTest::mousePress(viewport, Qt::LeftButton, {}, Centre(grid().EntryItem(1)));
    EXPECT_TRUE(grid().IsDragging());
    QTest::mouseMove(viewport, Centre(grid().EntryItem(2)));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, Centre(grid().EntryItem(2)));
    EXPECT_FALSE(grid().IsDragging());
    EXPECT_EQ(Rows(), (std::vector<std::pair<std::u16string, std::u16string>>{
                          {u"On touch up", u"1"}, {u"On press", u"3"}, {u"On press", u"2"}}));
    EXPECT_EQ(grid().SelectedEntry(), 2);
    EXPECT_GT(host.counts.modified, modified);
    const std::string stored = wideToUtf8(Script(*button));
    const std::size_t two = stored.find("\"params\" : \"2\"");
    ASSERT_NE(two, std::string::npos) << stored;
    EXPECT_EQ(stored.find("\"trigger\" : \"On press\"", two), two + stored.substr(two).find("\"trigger\""));
}

TEST_F(ActionsGrid, ADragUpOverTheBorderEndsTheOtherGroup)
{
    ShowThree();
    QWidget* viewport = grid().viewport();
    QTest::mousePress(viewport, Qt::LeftButton, {}, Centre(grid().EntryItem(2)));
    QTest::mouseMove(viewport, Centre(grid().EntryItem(0)));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, Centre(grid().EntryItem(0)));
    EXPECT_EQ(Rows(), (std::vector<std::pair<std::u16string, std::u16string>>{
                          {u"On touch up", u"3"}, {u"On touch up", u"1"}, {u"On touch up", u"2"}}));
    EXPECT_EQ(grid().topLevelItemCount(), 1);
}

TEST_F(ActionsGrid, APressWithoutAMoveChangesNothing)
{
    ShowThree();
    const int modified = host.counts.modified;
    QWidget* viewport = grid().viewport();
    QTest::mouseClick(viewport, Qt::LeftButton, {}, Centre(grid().EntryItem(1)));
    EXPECT_EQ(grid().SelectedEntry(), 1);
    EXPECT_EQ(host.counts.modified, modified);
    EXPECT_EQ(bar->ParameterBox(0)->currentText(), "2");
}

TEST_F(ActionsGrid, APlaceholderRowIsNotDragged)
{
    SetScript(*button, u"[{\"trigger\":\"On press\",\"command\":\"<empty>\",\"params\":\"\"},"
                       u"{\"trigger\":\"On touch up\",\"command\":\"Sleep\",\"params\":\"3\"}]");
    Show(button);
    QTest::mousePress(grid().viewport(), Qt::LeftButton, {}, Centre(grid().EntryItem(0)));
    EXPECT_FALSE(grid().IsDragging());
    QTest::mouseRelease(grid().viewport(), Qt::LeftButton, {}, Centre(grid().EntryItem(0)));
}

} // namespace

namespace {

// The pane's controls follow its size: the left column takes half the growth, the right
// column moves by half and takes the other half, the grid takes it all.
TEST_F(ActionsGrid, ThePaneLaysItsControlsOutAsItGrows)
{
    const QRect box1 = box(0)->geometry(), box2 = box(1)->geometry(), box4 = box(3)->geometry();
    const QRect label2 = bar->PromptLabel(1)->geometry();
    const QRect table = grid().geometry();
    bar->resize(bar->width() + 100, bar->height() + 50);
    ASSERT_TRUE(QTest::qWaitFor([&] { return grid().geometry() != table; }));
    EXPECT_EQ(box(0)->geometry(), box1.adjusted(0, 0, 50, 0));
    EXPECT_EQ(box(1)->geometry(), box2.adjusted(50, 0, 100, 0));
    EXPECT_EQ(box(3)->geometry(), box4.adjusted(50, 0, 100, 0));
    EXPECT_EQ(bar->PromptLabel(1)->geometry(), label2.adjusted(50, 0, 100, 0));
    EXPECT_EQ(grid().geometry(), table.adjusted(0, 0, 100, 50));
    // The boxes stand in two columns above the grid.
    EXPECT_LT(box1.right(), box2.left());
    EXPECT_LE(box4.bottom(), table.top());
}

} // namespace
