#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QSpinBox>
#include <QTest>

#include "editor/views/CTagsBar.h"

namespace {

// A shown pane over its own model.
class TagsPane : public testing::Test {
protected:
    void SetUp() override
    {
        tags.SetTagMemorySize(0x100);
        bar = std::make_unique<CTagsBar>(tags);
        bar->resize(900, 300);
        bar->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(bar.get()));
    }

    CTagsGrid& grid() { return bar->Grid(); }

    QAction* command(const QMenu& menu, const char* caption)
    {
        for (QAction* action : menu.actions())
            if (action->text() == QLatin1String(caption))
                return action;
        return nullptr;
    }

    void run(const char* caption)
    {
        const std::unique_ptr<QMenu> menu = grid().CreateContextMenu();
        QAction* action = command(*menu, caption);
        ASSERT_NE(action, nullptr) << caption;
        ASSERT_TRUE(action->isEnabled()) << caption;
        action->trigger();
    }

    // Opens the cell's editor as a double click does and hands it over.
    template <class Editor>
    Editor* edit(int row, TagColumn column)
    {
        const QModelIndex index = grid().ViewIndex(row, column);
        grid().setCurrentIndex(index);
        grid().edit(index);
        return qobject_cast<Editor*>(grid().indexWidget(index));
    }

    // Types into a text cell and presses Enter.
    void enter(int row, TagColumn column, const QString& typed)
    {
        auto* editor = edit<QLineEdit>(row, column);
        ASSERT_NE(editor, nullptr);
        editor->clear();
        QTest::keyClicks(editor, typed);
        QTest::keyClick(editor, Qt::Key_Return);
        ASSERT_TRUE(closed(row, column));
    }

    // The delegate commits and closes by a queued call.
    bool closed(int row, TagColumn column)
    {
        return QTest::qWaitFor([&] { return grid().indexWidget(grid().ViewIndex(row, column)) == nullptr; });
    }

    // A click on a column's header, with Shift to sort by a further column.
    void clickHeader(TagColumn column, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QHeaderView* header = grid().horizontalHeader();
        const int x = header->sectionViewportPosition(int(column)) + header->sectionSize(int(column)) / 2;
        QTest::mouseClick(header->viewport(), Qt::LeftButton, modifiers, QPoint(x, header->height() / 2));
    }

    // The names from the top of the view down.
    QStringList viewNames()
    {
        QStringList names;
        for (int row = 0; row < grid().model()->rowCount(); ++row)
            names << grid().model()->index(row, int(TagColumn::Name)).data().toString();
        return names;
    }

    QVariant shown(int row, TagColumn column, int role = Qt::DisplayRole)
    {
        return grid().model()->data(grid().ViewIndex(row, column), role);
    }

    CTagsModel tags;
    std::unique_ptr<CTagsBar> bar;
};

} // namespace

TEST_F(TagsPane, ColumnsAndCommandsStandInTheirOrder)
{
    const QStringList captions{"Name", "Type", "Size [bytes]", "Address (end) [hex]", "Warning", "Org.Name", "Fix.Name"};
    const int widths[] = {100, 150, 50, 100, 100};
    for (int column = 0; column < captions.size(); ++column) {
        EXPECT_EQ(grid().model()->headerData(column, Qt::Horizontal).toString(), captions[column]);
        EXPECT_EQ(grid().isColumnHidden(column), column >= 5);
        if (column < 5) {
            EXPECT_EQ(grid().columnWidth(column), widths[column]);
        }
    }
    const std::unique_ptr<QMenu> menu = grid().CreateContextMenu();
    QStringList items;
    for (const QAction* action : menu->actions())
        items << (action->isSeparator() ? QStringLiteral("-") : action->text());
    EXPECT_EQ(items, (QStringList{"Add new numeric tag", "Add new string tag", "Delete tags", "Duplicate tags",
                                  "Merge identical tags", "-", "Move to top", "Move up", "Move down", "Move to bottom"}));
    EXPECT_FALSE(command(*menu, "Delete tags")->isEnabled());
    EXPECT_FALSE(command(*menu, "Merge identical tags")->isEnabled());
}

TEST_F(TagsPane, AddsTagsAndRefusesOrTakesNames)
{
    run("Add new numeric tag");
    run("Add new string tag");
    ASSERT_EQ(tags.RowCount(), 2);
    ASSERT_EQ(grid().model()->rowCount(), 2);
    EXPECT_EQ(shown(0, TagColumn::Type).toString(), "integer");
    EXPECT_EQ(shown(1, TagColumn::Type).toString(), "native-encoding");
    EXPECT_EQ(shown(1, TagColumn::Size).toInt(), 40);

    enter(0, TagColumn::Name, "Speed");
    EXPECT_EQ(tags.Row(0).name, u"Speed");
    EXPECT_EQ(shown(0, TagColumn::Name).toString(), "Speed");
    for (const char* refused : {"2fast", "sys_mine", "Speed"}) {
        enter(1, TagColumn::Name, refused);
        EXPECT_EQ(tags.Row(1).name, u"") << refused;
        EXPECT_EQ(shown(1, TagColumn::Name).toString(), "") << refused;
    }
    enter(0, TagColumn::Name, "Fan speed");
    EXPECT_EQ(shown(0, TagColumn::Name).toString(), "Fan speed");
    EXPECT_EQ(tags.Row(0).originalName, u"Speed");
}

TEST_F(TagsPane, AnOverlappingAddressTurnsRed)
{
    run("Add new numeric tag");
    run("Add new numeric tag");
    enter(0, TagColumn::Address, "10");
    EXPECT_EQ(shown(0, TagColumn::Address).toString(), "  10 (13)");
    EXPECT_FALSE(shown(0, TagColumn::Address, Qt::ForegroundRole).isValid());

    auto* editor = edit<QLineEdit>(0, TagColumn::Address);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), "10"); // the start alone while edited
    QTest::keyClick(editor, Qt::Key_Escape);
    ASSERT_TRUE(closed(0, TagColumn::Address));

    enter(1, TagColumn::Address, "12");
    EXPECT_EQ(shown(1, TagColumn::Warning).toString(), "nonalignment");
    enter(1, TagColumn::Address, "10");
    EXPECT_EQ(tags.Row(1).warning, u"overlapping");
    EXPECT_EQ(shown(1, TagColumn::Warning).toString(), "overlapping");
    EXPECT_EQ(shown(1, TagColumn::Address, Qt::ForegroundRole).value<QColor>(), QColor(255, 0, 0));
    EXPECT_EQ(shown(1, TagColumn::Warning, Qt::ForegroundRole).value<QColor>(), QColor(255, 0, 0));

    enter(1, TagColumn::Address, "14");
    EXPECT_EQ(shown(1, TagColumn::Warning).toString(), "");
    EXPECT_FALSE(shown(1, TagColumn::Address, Qt::ForegroundRole).isValid());
    enter(1, TagColumn::Address, "mem");
    EXPECT_EQ(shown(1, TagColumn::Address).toString(), "memory");
}

TEST_F(TagsPane, TypeListAndSizeCell)
{
    run("Add new numeric tag");
    run("Add new string tag");
    auto* types = edit<QComboBox>(0, TagColumn::Type);
    ASSERT_NE(types, nullptr);
    EXPECT_FALSE(types->isEditable());
    QStringList offered;
    for (int i = 0; i < types->count(); ++i)
        offered << types->itemText(i);
    EXPECT_EQ(offered, (QStringList{"short", "integer"}));
    types->setCurrentIndex(0);
    QTest::keyClick(types, Qt::Key_Return);
    ASSERT_TRUE(closed(0, TagColumn::Type));
    EXPECT_EQ(tags.Row(0).type, u"short");
    EXPECT_EQ(shown(0, TagColumn::Size).toInt(), 2);

    // Numbers take their size from their type; strings are clamped.
    EXPECT_FALSE(grid().model()->flags(grid().ViewIndex(0, TagColumn::Size)).testFlag(Qt::ItemIsEditable));
    EXPECT_FALSE(grid().model()->flags(grid().ViewIndex(0, TagColumn::Size)).testFlag(Qt::ItemIsEnabled));
    auto* size = edit<QSpinBox>(1, TagColumn::Size);
    ASSERT_NE(size, nullptr);
    size->selectAll();
    QTest::keyClicks(size, "10000");
    QTest::keyClick(size, Qt::Key_Return);
    ASSERT_TRUE(closed(1, TagColumn::Size));
    EXPECT_EQ(tags.Row(1).size, 8192);
    EXPECT_EQ(shown(1, TagColumn::Size).toInt(), 8192);

    auto* strings = edit<QComboBox>(1, TagColumn::Type);
    ASSERT_NE(strings, nullptr);
    EXPECT_EQ(strings->itemText(0), "native-encoding");
    EXPECT_EQ(strings->findText("integer"), -1);
    QTest::keyClick(strings, Qt::Key_Escape);
    ASSERT_TRUE(closed(1, TagColumn::Type));
}

TEST_F(TagsPane, SortingTheViewLeavesTheModelOrder)
{
    for (const char* name : {"b", "c", "a"}) {
        run("Add new numeric tag");
        enter(tags.RowCount() - 1, TagColumn::Name, name);
    }
    for (int row = 0; row < tags.RowCount(); ++row)
        tags.SetAddress(row, u"memory");
    clickHeader(TagColumn::Name);
    EXPECT_EQ(viewNames(), (QStringList{"a", "b", "c"}));
    EXPECT_EQ(tags.Row(0).name, u"b");
    // The listing, as the target, places in the model's order.
    const std::u16string listing = tags.AllocateMemoryTags();
    EXPECT_LT(listing.find(u"   b        0"), listing.find(u"   c        4"));
    EXPECT_LT(listing.find(u"   c        4"), listing.find(u"   a        8"));
    // Moves are off while sorted.
    grid().setCurrentIndex(grid().ViewIndex(1, TagColumn::Name));
    const std::unique_ptr<QMenu> menu = grid().CreateContextMenu();
    EXPECT_FALSE(command(*menu, "Move up")->isEnabled());

    // A second click turns the order round, a third gives the model's order back.
    clickHeader(TagColumn::Name);
    EXPECT_EQ(viewNames(), (QStringList{"c", "b", "a"}));
    clickHeader(TagColumn::Name);
    EXPECT_EQ(viewNames(), (QStringList{"b", "c", "a"}));
    EXPECT_EQ(grid().Sorting(), GridSorting::Unsorted);
    grid().setCurrentIndex(grid().ViewIndex(2, TagColumn::Name));
    run("Move to top");
    EXPECT_EQ(tags.Row(0).name, u"a");
    EXPECT_EQ(grid().CurrentRow(), 0);
}

TEST_F(TagsPane, DuplicateAndDeleteWorkOnTheSelection)
{
    run("Add new numeric tag");
    enter(0, TagColumn::Name, "Level");
    grid().selectRow(0);
    run("Duplicate tags");
    grid().selectRow(0);
    run("Duplicate tags");
    ASSERT_EQ(tags.RowCount(), 3);
    EXPECT_EQ(tags.Row(1).name, u"Level:2");
    EXPECT_EQ(tags.Row(2).name, u"Level:3");
    grid().selectRow(1);
    run("Delete tags");
    ASSERT_EQ(tags.RowCount(), 2);
    EXPECT_EQ(tags.Row(1).name, u"Level:3");
}

TEST_F(TagsPane, AWarnedAddressIsDrawnInRed)
{
    run("Add new numeric tag");
    run("Add new numeric tag");
    tags.SetAddress(0, u"10");
    tags.SetAddress(1, u"10");
    ASSERT_EQ(tags.Row(1).warning, u"overlapping");
    grid().clearSelection();
    grid().setCurrentIndex({});
    const QImage picture = grid().viewport()->grab().toImage();
    auto redPixels = [&](int row) {
        const QRect cell = grid().visualRect(grid().ViewIndex(row, TagColumn::Address));
        int count = 0;
        for (int y = cell.top(); y <= cell.bottom(); ++y)
            for (int x = cell.left(); x <= cell.right(); ++x) {
                const QColor pixel = picture.pixelColor(x * picture.width() / grid().viewport()->width(),
                                                        y * picture.height() / grid().viewport()->height());
                count += pixel.red() > 160 && pixel.green() < 90 && pixel.blue() < 90;
            }
        return count;
    };
    EXPECT_EQ(redPixels(0), 0);
    EXPECT_GT(redPixels(1), 10);
}

TEST_F(TagsPane, SortsBySeveralColumns)
{
    const std::pair<const char*, const char16_t*> rows[] = {{"d", u"integer"}, {"c", u"short"}, {"b", u"integer"}, {"a", u"short"}};
    for (const auto& [name, type] : rows) {
        run("Add new numeric tag");
        enter(tags.RowCount() - 1, TagColumn::Name, name);
        tags.SetType(tags.RowCount() - 1, type);
    }
    clickHeader(TagColumn::Type);
    clickHeader(TagColumn::Name, Qt::ShiftModifier);
    EXPECT_EQ(viewNames(), (QStringList{"b", "d", "a", "c"}));
    clickHeader(TagColumn::Name, Qt::ShiftModifier); // the further key turns round
    EXPECT_EQ(viewNames(), (QStringList{"d", "b", "c", "a"}));
    EXPECT_EQ(tags.Row(0).name, u"d");
    EXPECT_EQ(tags.Row(3).name, u"a");
}
