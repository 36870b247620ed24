#include <gtest/gtest.h>

#include <QTest>
#include <QTreeWidget>

#include "editor/views/actions/CActionsListBar.h"
#include "tests/support/editor/FakeEditorHost.h"

namespace {

class ActionsList : public testing::Test {
protected:
    void SetUp() override
    {
        bar.resize(240, 500);
        bar.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&bar));
    }

    void DoubleClick(QTreeWidgetItem* item)
    {
        ASSERT_NE(item, nullptr);
        QTreeWidget* tree = bar.Tree();
        tree->scrollToItem(item);
        const QPoint centre = tree->visualItemRect(item).center();
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, centre);
        QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, centre);
    }

    vx::test::FakeEditorHost host;
    CActionsListBar bar{host};
};

TEST_F(ActionsList, CategoriesInOrderEachExpanded)
{
    const std::pair<const char*, int> expected[] = {{"Pages", 5},      {"Tags", 6},          {"String Tags", 2},
                                                    {"Comparison", 4}, {"Target device", 6}, {"Objects", 2},
                                                    {"System", 3}};
    QTreeWidget* tree = bar.Tree();
    ASSERT_EQ(tree->topLevelItemCount(), int(std::size(expected)));
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        QTreeWidgetItem* category = tree->topLevelItem(i);
        EXPECT_EQ(category->text(0), expected[i].first);
        EXPECT_EQ(category->childCount(), expected[i].second);
        EXPECT_TRUE(category->isExpanded());
        EXPECT_EQ(CActionsListBar::ItemData(category), CActionsListBar::kCategoryData);
        for (int a = 0; a < category->childCount(); ++a)
            EXPECT_FALSE(category->child(a)->icon(0).isNull()) << category->child(a)->text(0).toStdString();
    }
    EXPECT_EQ(CActionsListBar::ItemData(bar.FindItem("String Tags", "Concatenate")), 32895);
    EXPECT_EQ(CActionsListBar::ItemData(bar.FindItem("System", "Exit & load project")), 32875);
}

TEST_F(ActionsList, DoubleClickInsertsTheAction)
{
    DoubleClick(bar.FindItem("Tags", "Set"));
    EXPECT_EQ(host.insertedActions, (std::vector<int32_t>{32881}));
    EXPECT_EQ(bar.Tree()->currentItem(), bar.FindItem("Tags", "Set"));
    DoubleClick(bar.FindItem("System", "Sleep"));
    EXPECT_EQ(host.insertedActions, (std::vector<int32_t>{32881, 32870}));
}

TEST_F(ActionsList, DoubleClickOnACategoryInsertsNothing)
{
    bar.OnDoubleClick(bar.FindItem("Comparison"));
    EXPECT_TRUE(host.insertedActions.empty());
}

} // namespace
