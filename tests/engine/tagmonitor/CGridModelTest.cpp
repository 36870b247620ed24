#include <gtest/gtest.h>

#include <ostream>

#include <string>
#include <vector>

#include "engine/tagmonitor/grid/CGridGeometry.h"
#include "engine/tagmonitor/grid/CGridImageList.h"
#include "engine/tagmonitor/grid/CGridModel.h"
#include "engine/tagmonitor/grid/CGridNavigation.h"
#include "engine/tagmonitor/grid/CGridPrintLayout.h"
#include "tests/engine/tagmonitor/GridTestSupport.h"

namespace {

using vx::test::FixedMetrics;
using vx::test::RecordingListener;
using Key = CGridNavigation::Key;
constexpr uint32_t kFixedRowBits = CGridCell::kFixed | CGridCell::kFixedRow;
constexpr uint32_t kFixedColumnBits = CGridCell::kFixed | CGridCell::kFixedColumn;

// rows x columns of normal cells under one fixed row and beside one fixed column, every
// cell holding "r,c", rows 20 and columns 50 pixels.
class GridModelTest : public testing::Test {
protected:
    void SetUp() override
    {
        model.setListener(&listener);
        ASSERT_TRUE(model.setRowCount(5));
        ASSERT_TRUE(model.setColumnCount(4));
        ASSERT_TRUE(model.setFixedRowCount(1));
        ASSERT_TRUE(model.setFixedColumnCount(1));
        for (int row = 0; row < 5; ++row) {
            (void)model.setRowHeight(row, 20);
            for (int column = 0; column < 4; ++column)
                (void)model.setItemText(row, column, text(row, column));
        }
        for (int column = 0; column < 4; ++column)
            (void)model.setColumnWidth(column, 50);
    }
    static std::u16string text(int row, int column)
    {
        return std::u16string(1, char16_t(u'0' + row)) + u',' + char16_t(u'0' + column);
    }

    FixedMetrics metrics;
    CGridModel model{&metrics};
    RecordingListener listener;
};

TEST(GridModel, CountsGiveCellsTheirFixedBits)
{
    CGridModel model;
    ASSERT_TRUE(model.setColumnCount(4));
    ASSERT_TRUE(model.setFixedColumnCount(3));
    ASSERT_TRUE(model.setRowCount(1));
    ASSERT_TRUE(model.setFixedRowCount(1));
    for (int column = 0; column < 4; ++column)
        EXPECT_EQ(model.itemState(0, column), kFixedRowBits | (column < 3 ? kFixedColumnBits : 0u)) << column;
    // New rows below are fixed only in the fixed columns.
    EXPECT_EQ(model.insertRow(u"name"), 1);
    EXPECT_EQ(model.itemState(1, 0) & ~CGridCell::kModified, kFixedColumnBits);
    EXPECT_EQ(model.itemState(1, 3), 0u);
    // A fixed row count above the row count raises it.
    ASSERT_TRUE(model.setFixedRowCount(4));
    EXPECT_EQ(model.rowCount(), 4);
    EXPECT_EQ(model.itemState(3, 3), kFixedRowBits);
    // Rows that stop being fixed lose the bits again, but keep the fixed column's.
    ASSERT_TRUE(model.setFixedRowCount(1));
    EXPECT_EQ(model.itemState(3, 3), 0u);
    EXPECT_EQ(model.itemState(3, 1), kFixedColumnBits);
}

TEST(GridModel, SizesComeFromTheFontOrTheFallback)
{
    CGridModel plain;
    const CGridDefaultCell& fallback = plain.defaultCell(CGridModel::CellKind::Normal);
    EXPECT_EQ(fallback.width, 40u);
    EXPECT_EQ(fallback.height, 16u);
    EXPECT_EQ(fallback.margin, 3);

    FixedMetrics metrics;
    CGridModel model(&metrics);
    const CGridDefaultCell& measured = model.defaultCell(CGridModel::CellKind::FixedColumn);
    EXPECT_EQ(measured.width, 14u * FixedMetrics::kUnitWidth);
    EXPECT_EQ(measured.height, uint32_t(FixedMetrics::kLineHeight * 3 / 2));
    EXPECT_EQ(measured.margin, FixedMetrics::kUnitWidth);
    // Appending to a grid without columns gives it one; the row is as high as its heading.
    EXPECT_EQ(model.insertRow(u"heading"), 0);
    EXPECT_EQ(model.columnCount(), 1);
    EXPECT_EQ(model.rowHeight(0), uint32_t(FixedMetrics::kLineHeight + 2 * FixedMetrics::kUnitWidth));
    EXPECT_EQ(model.itemText(0, 0), u"heading");
    EXPECT_EQ(model.insertRow(u""), 1);
    EXPECT_EQ(model.rowHeight(1), model.defaultCell(CGridModel::CellKind::FixedRow).height);
}

TEST_F(GridModelTest, OutOfRangeChangesNothing)
{
    EXPECT_FALSE(model.setItemText(5, 0, u"x"));
    EXPECT_FALSE(model.setItemData(0, -1, 1));
    EXPECT_FALSE(model.setColumnWidth(4, 10));
    EXPECT_FALSE(model.setRowCount(-1));
    EXPECT_EQ(model.itemText(9, 9), u"");
    EXPECT_EQ(model.itemData(-1, 0), 0u);
    EXPECT_EQ(model.cell(5, 0), nullptr);
}

TEST_F(GridModelTest, RunningSumsFollowEverySizeChange)
{
    EXPECT_EQ(model.totalHeight(), 100u);
    EXPECT_EQ(model.rowTop(3), 60u);
    (void)model.setRowHeight(1, 0); // hidden
    (void)model.setColumnWidth(2, 80);
    EXPECT_EQ(model.rowTop(3), 40u);
    EXPECT_EQ(model.columnLeft(3), 180u);
    EXPECT_EQ(model.rowAt(20), 2); // the hidden row holds no pixel
    EXPECT_EQ(model.rowAt(79), 4);
    EXPECT_EQ(model.rowAt(80), 5);
    EXPECT_EQ(model.columnAt(179), 2);
    // A hidden row keeps its cells.
    EXPECT_EQ(model.itemText(1, 1), u"1,1");
}

TEST_F(GridModelTest, GeometryPlacesFixedAndScrolledCells)
{
    const CGridViewport view{50, 40, 120, 70};
    EXPECT_EQ(CGridGeometry::topRow(model, view), 3);
    EXPECT_EQ(CGridGeometry::leftColumn(model, view), 2);
    const CGridRect fixed = CGridGeometry::cellRect(model, view, {0, 0});
    EXPECT_EQ(fixed.left, 0);
    EXPECT_EQ(fixed.right, 49); // one short of the next cell: the grid line
    const CGridRect scrolled = CGridGeometry::cellRect(model, view, {3, 2});
    EXPECT_EQ(scrolled.left, 50);
    EXPECT_EQ(scrolled.top, 20);
    EXPECT_EQ(CGridGeometry::cellAt(model, view, 10, 10), (CGridCellId{0, 0}));
    EXPECT_EQ(CGridGeometry::cellAt(model, view, 60, 25), (CGridCellId{3, 2}));
    EXPECT_EQ(CGridGeometry::cellAt(model, view, 119, 59), (CGridCellId{4, 3}));
    EXPECT_FALSE(CGridGeometry::cellAt(model, view, 119, 60).isValid()); // below the last row
    EXPECT_FALSE(CGridGeometry::cellAt(model, view, 120, 10).isValid());
    EXPECT_EQ(CGridGeometry::visibleRange(model, view), (CGridCellRange{3, 2, 4, 3}));
    EXPECT_EQ(CGridGeometry::maxScrollY(model, 70), 30u);
    // Bringing a cell above the view into it moves as little as needed.
    EXPECT_EQ(CGridGeometry::scrolledTo(model, view, {1, 1}).scrollY, 0u);
    EXPECT_EQ(CGridGeometry::scrolledTo(model, view, {1, 1}).scrollX, 0u);
    EXPECT_EQ(CGridGeometry::scrolledTo(model, {0, 0, 120, 70}, {4, 3}).scrollY, 30u);
}

struct MoveCase {
    const char* name;
    CGridCellId from;
    Key key;
    CGridNavigation::Direction direction;
    CGridNavigation::Control control;
    int rowsScrolled;
    std::optional<CGridCellId> to;
};

void PrintTo(const MoveCase& c, std::ostream* out)
{
    *out << c.name;
}

class GridNavigation : public GridModelTest, public testing::WithParamInterface<MoveCase> {};

TEST_P(GridNavigation, MovesTheFocusSkippingHiddenAndFixedCells)
{
    (void)model.setColumnWidth(2, 0);
    (void)model.setRowHeight(3, 0);
    const MoveCase& c = GetParam();
    EXPECT_EQ(CGridNavigation::move(model, c.from, c.key, c.direction, c.control, c.rowsScrolled), c.to);
}

using D = CGridNavigation::Direction;
using C = CGridNavigation::Control;
INSTANTIATE_TEST_SUITE_P(
    , GridNavigation,
    testing::Values(
        MoveCase{"DownSkipsHiddenRow", {2, 1}, Key::Down, D::Forward, C::Up, 0, CGridCellId{4, 1}},
        MoveCase{"DownAtBottomStays", {4, 1}, Key::Down, D::Forward, C::Up, 0, CGridCellId{4, 1}},
        MoveCase{"UpNeverIntoFixedRow", {1, 1}, Key::Up, D::Forward, C::Up, 0, CGridCellId{1, 1}},
        MoveCase{"RightSkipsHiddenColumn", {1, 1}, Key::Right, D::Forward, C::Up, 0, CGridCellId{1, 3}},
        MoveCase{"LeftNeverIntoFixedColumn", {1, 1}, Key::Left, D::Forward, C::Up, 0, CGridCellId{1, 1}},
        MoveCase{"HomeFirstColumn", {2, 3}, Key::Home, D::Forward, C::Up, 0, CGridCellId{2, 1}},
        MoveCase{"CtrlEndLastCell", {1, 1}, Key::End, D::Forward, C::Down, 0, CGridCellId{4, 3}},
        MoveCase{"TabWrapsToNextRow", {1, 3}, Key::Tab, D::Forward, C::Up, 0, CGridCellId{2, 1}},
        MoveCase{"TabOverHiddenRow", {2, 3}, Key::Tab, D::Forward, C::Up, 0, CGridCellId{4, 1}},
        MoveCase{"TabAtLastCellLeaves", {4, 3}, Key::Tab, D::Forward, C::Up, 0, std::nullopt},
        MoveCase{"BacktabWrapsBack", {2, 1}, Key::Tab, D::Backward, C::Up, 0, CGridCellId{1, 3}},
        MoveCase{"BacktabAtFirstLeaves", {1, 1}, Key::Tab, D::Backward, C::Up, 0, std::nullopt},
        MoveCase{"PageDownUnmovedGoesLast", {1, 1}, Key::PageDown, D::Forward, C::Up, 0, CGridCellId{4, 1}},
        MoveCase{"PageUpByRowsScrolled", {4, 1}, Key::PageUp, D::Forward, C::Up, -2, CGridCellId{2, 1}},
        MoveCase{"NoFocusNoMove", {-1, -1}, Key::Down, D::Forward, C::Up, 0, std::nullopt}),
    [](const testing::TestParamInfo<MoveCase>& info) { return std::string(info.param.name); });

TEST_F(GridModelTest, ShrinkingClearsFocusAndSelectionThatWent)
{
    model.moveFocus({4, 3}, CGridModel::Extend::No);
    model.selectRange({2, 2, 4, 3}, CGridModel::SelectMode::Replace);
    ASSERT_EQ(model.selectedCells().size(), 6u);
    ASSERT_TRUE(model.setRowCount(3));
    EXPECT_FALSE(model.focusCell().isValid());
    EXPECT_EQ(model.selectedCells().size(), 2u);
    EXPECT_EQ(model.selectedRange(), (CGridCellRange{2, 2, 2, 3}));
    ASSERT_TRUE(model.setColumnCount(3));
    EXPECT_EQ(model.selectedRange(), (CGridCellRange{2, 2, 2, 2}));
    EXPECT_TRUE(model.copyText() == u"2,2"); // nothing of what went is reached
    model.deleteAllItems();
    EXPECT_TRUE(model.selectedCells().empty());
    EXPECT_EQ(model.rowCount(), 0);
}

TEST_F(GridModelTest, MovingTheFocusSelectsAndTellsTheParent)
{
    model.moveFocus({1, 1}, CGridModel::Extend::No);
    model.moveFocus({2, 2}, CGridModel::Extend::FromStart);
    EXPECT_EQ(model.focusCell(), (CGridCellId{2, 2}));
    EXPECT_EQ(model.selectedRange(), (CGridCellRange{1, 1, 2, 2}));
    EXPECT_TRUE(model.itemState(1, 1) & CGridCell::kSelected);
    EXPECT_TRUE(model.itemState(2, 2) & CGridCell::kFocused);
    EXPECT_EQ(listener.count(CGridCode::SelectionChanging), 2);
    EXPECT_EQ(listener.count(CGridCode::SelectionChanged), 2);
    // The fixed cells are never selected.
    model.selectAll();
    EXPECT_EQ(model.selectedCells().size(), 12u);
}

TEST_F(GridModelTest, CopyGivesTabsBetweenCellsAndLineBreaksBetweenRows)
{
    (void)model.setItemText(1, 1, u"a");
    (void)model.setItemText(1, 2, u"b");
    (void)model.setItemText(2, 1, u"c");
    (void)model.setItemText(2, 2, u"d");
    model.selectRange({1, 1, 2, 2}, CGridModel::SelectMode::Replace);
    EXPECT_TRUE(model.copyText() == u"a\tb\r\nc\td");
    // Hidden rows and columns are left out.
    (void)model.setColumnWidth(2, 0);
    EXPECT_TRUE(model.copyText() == u"a\t\r\nc\t");
}

TEST_F(GridModelTest, PasteFillsABlockFromTheTarget)
{
    model.pasteText(u"a, b\r\n c\td\r\n", {1, 1});
    EXPECT_EQ(model.itemText(1, 1), u"a");
    EXPECT_EQ(model.itemText(1, 2), u"b");
    EXPECT_EQ(model.itemText(2, 1), u"c");
    EXPECT_EQ(model.itemText(2, 2), u"d");
    // The final line feed starts no empty line: the row below keeps its text.
    EXPECT_EQ(model.itemText(3, 1), u"3,1");
    EXPECT_EQ(listener.count(CGridCode::EndEdit), 4);
    // Past the last column the line is dropped; past the last row, the rest.
    model.pasteText(u"x,y,z\nlast\nnone", {3, 2});
    EXPECT_EQ(model.itemText(3, 2), u"x");
    EXPECT_EQ(model.itemText(3, 3), u"y");
    EXPECT_EQ(model.itemText(4, 2), u"last");
    // Hidden columns are skipped.
    (void)model.setColumnWidth(2, 0);
    model.pasteText(u"p,q", {1, 1});
    EXPECT_EQ(model.itemText(1, 2), u"b");
    EXPECT_EQ(model.itemText(1, 3), u"q");
    // The target: the selection's top-left, then the focus cell.
    EXPECT_EQ(model.pasteTarget({1, 1}), (CGridCellId{1, 1}));
    model.moveFocus({3, 3}, CGridModel::Extend::No);
    model.clearSelection();
    EXPECT_EQ(model.pasteTarget({1, 1}), (CGridCellId{3, 3}));
}

TEST_F(GridModelTest, EditsCommitOnlyChangedTextTheParentAccepts)
{
    const CGridCellId cell{1, 1};
    ASSERT_TRUE(model.beginEdit(cell));
    EXPECT_TRUE(model.cell(cell)->editing);
    model.endEdit(cell, u"new", u"1,1", CGridModel::EditEnd::Cancel);
    EXPECT_EQ(model.itemText(1, 1), u"1,1"); // Escape never commits
    EXPECT_FALSE(model.cell(cell)->editing);
    // The cell changed meanwhile, the editor's text did not: no edit.
    (void)model.setItemText(1, 1, u"refreshed");
    model.endEdit(cell, u"1,1", u"1,1", CGridModel::EditEnd::Commit);
    EXPECT_EQ(model.itemText(1, 1), u"refreshed");
    EXPECT_EQ(listener.count(CGridCode::EndEdit), 0);
    model.endEdit(cell, u"typed", u"1,1", CGridModel::EditEnd::Commit);
    EXPECT_EQ(model.itemText(1, 1), u"typed");
    ASSERT_EQ(listener.count(CGridCode::EndEdit), 1);
    EXPECT_EQ(listener.seen.back().cell, cell);
    // A negative answer puts the old text back.
    listener.answer = [](const CGridNotification& n) { return n.code == CGridCode::EndEdit ? -1 : 0; };
    model.endEdit(cell, u"refused", u"typed", CGridModel::EditEnd::Commit);
    EXPECT_EQ(model.itemText(1, 1), u"typed");
    // Fixed, read-only and refused cells do not start.
    listener.answer = [](const CGridNotification& n) { return n.code == CGridCode::BeginEdit ? -1 : 0; };
    EXPECT_FALSE(model.beginEdit(cell));
    listener.answer = nullptr;
    EXPECT_FALSE(model.beginEdit({0, 1}));
    (void)model.setItemState(2, 2, CGridCell::kReadOnly);
    EXPECT_FALSE(model.beginEdit({2, 2}));
    EXPECT_FALSE(model.setTextAsEdit({2, 2}, u"x"));
    model.settings().editable = false;
    EXPECT_FALSE(model.beginEdit(cell));
}

TEST_F(GridModelTest, CutEmptiesTheSelectedCellsAsEdits)
{
    model.selectRange({1, 1, 1, 2}, CGridModel::SelectMode::Replace);
    model.cutSelection();
    EXPECT_EQ(model.itemText(1, 1), u"");
    EXPECT_EQ(model.itemText(1, 2), u"");
    EXPECT_EQ(listener.count(CGridCode::EndEdit), 2);
}

TEST_F(GridModelTest, SortingMovesWholeRows)
{
    const std::u16string keys[] = {u"b", u"d", u"a", u"c"};
    for (int row = 1; row < 5; ++row) {
        (void)model.setItemText(row, 2, keys[row - 1]);
        (void)model.setRowHeight(row, uint32_t(10 + row));
    }
    model.moveFocus({1, 1}, CGridModel::Extend::No);
    model.sortByHeaderClick(2);
    EXPECT_EQ(model.sortColumn(), 2);
    EXPECT_EQ(model.sortOrder(), CGridModel::SortOrder::Ascending);
    std::u16string order;
    for (int row = 1; row < 5; ++row)
        order += model.itemText(row, 2);
    EXPECT_EQ(order, u"abcd");
    EXPECT_EQ(model.itemText(1, 1), u"3,1"); // the rest of the row came along
    EXPECT_EQ(model.rowHeight(1), 13u);
    EXPECT_EQ(model.itemText(0, 2), u"0,2"); // the header stays
    EXPECT_FALSE(model.focusCell().isValid());
    EXPECT_TRUE(model.selectedCells().empty());
    // The second click sorts descending.
    model.sortByHeaderClick(2);
    EXPECT_EQ(model.sortOrder(), CGridModel::SortOrder::Descending);
    EXPECT_EQ(model.itemText(1, 2), u"d");
    // Marking a cell of the sort column modified ends the sort.
    model.setModified({3, 2});
    EXPECT_EQ(model.sortColumn(), -1);
    // Ordinal: upper case before lower case.
    (void)model.setItemText(1, 2, u"Z");
    model.sortByColumn(2, CGridModel::SortOrder::Ascending);
    EXPECT_EQ(model.itemText(1, 2), u"Z");
}

// Paper of 72 dots per inch whose sides divide by 3: at printer scale a page is as many
// grid pixels as the paper has dots (x 96 / 72 x 3 / 4).
constexpr int kPaperDpi = 72, kScreenDpi = 96;

TEST_F(GridModelTest, PrintingCutsTheGridIntoPagesThatLeaveTheMarginsFree)
{
    using Scale = CGridPrintLayout::PrinterScale;
    // Lines of 14, characters of 7: margins of 28 either side; the bands take 8 lines and
    // the fixed row 20 pixels of every page.
    constexpr int kBands = 8 * FixedMetrics::kLineHeight + 20;

    // Scaled to the page's width: the grid (200) and its margins, as high as the paper's shape.
    const CGridPrintLayout fitted(model, {850, 1100, 100, 100}, kScreenDpi, kScreenDpi, metrics, Scale::Off);
    EXPECT_EQ(fitted.sideMargin(), 28);
    EXPECT_EQ(fitted.pageWidth(), 256);
    EXPECT_EQ(fitted.pageHeight(), 256 * 1100 / 850);
    EXPECT_EQ(fitted.bodyHeight(), uint64_t(fitted.pageHeight() - kBands));
    ASSERT_EQ(fitted.pageCount(), 1);
    EXPECT_EQ(fitted.rowsOf(1).first, 1);
    EXPECT_EQ(fitted.rowsOf(1).last, 4);
    EXPECT_EQ(fitted.columnsOf(1).first, 1);
    EXPECT_EQ(fitted.columnsOf(1).last, 3);
    EXPECT_EQ(CGridPrintLayout::footerText(1, fitted.pageCount()), u"Page 1 of 1");

    // At printer scale: a body of 216 - 56 - 50 = 110 pixels takes two columns of 50, one
    // of 177 - kBands = 45 pixels two rows of 20. Across, then down.
    const CGridPrintLayout scaled(model, {216, 177, kPaperDpi, kPaperDpi}, kScreenDpi, kScreenDpi, metrics, Scale::On);
    EXPECT_EQ(scaled.pageWidth(), 216);
    EXPECT_EQ(scaled.pageHeight(), 177);
    EXPECT_EQ(scaled.bodyWidth(), 110u);
    EXPECT_EQ(scaled.bodyHeight(), 45u);
    EXPECT_EQ(scaled.footerTop(), 177 - 3 * FixedMetrics::kLineHeight);
    ASSERT_EQ(scaled.pageCount(), 4);
    const int pages[][4] = {{1, 2, 1, 2}, {1, 2, 3, 3}, {3, 4, 1, 2}, {3, 4, 3, 3}};
    for (int page = 1; page <= 4; ++page) {
        const auto& [firstRow, lastRow, firstColumn, lastColumn] = pages[page - 1];
        EXPECT_EQ(scaled.rowsOf(page).first, firstRow) << page;
        EXPECT_EQ(scaled.rowsOf(page).last, lastRow) << page;
        EXPECT_EQ(scaled.columnsOf(page).first, firstColumn) << page;
        EXPECT_EQ(scaled.columnsOf(page).last, lastColumn) << page;
    }
    EXPECT_EQ(CGridPrintLayout::footerText(2, scaled.pageCount()), u"Page 2 of 4");

    // A row taller than a page, and every row on a page too small for any, still get a page
    // each, and the count ends; a hidden row takes none.
    (void)model.setRowHeight(2, 5000);
    (void)model.setRowHeight(3, 0);
    const CGridPrintLayout tiny(model, {216, 30, kPaperDpi, kPaperDpi}, kScreenDpi, kScreenDpi, metrics, Scale::On);
    EXPECT_EQ(tiny.bodyHeight(), 1u);
    ASSERT_EQ(tiny.rowPages().size(), 3u);
    EXPECT_EQ(tiny.rowPages()[1].first, 2);
    EXPECT_EQ(tiny.rowPages()[1].last, 3);
    // A grid of header rows only prints one page.
    (void)model.setRowCount(1);
    EXPECT_EQ(CGridPrintLayout(model, {216, 177, kPaperDpi, kPaperDpi}, kScreenDpi, kScreenDpi, metrics, Scale::On)
                  .rowPages()
                  .size(),
              1u);
}

// Measures the first 52 letters of the width sample 9 pixels each; any other text 7.
class SampleMetrics final : public CGridTextMetrics {
public:
    int textWidth(std::u16string_view text) const override
    {
        return text == CGridPrintLayout::kWidthSample.substr(0, 52) ? 52 * 9 : int(text.size()) * 7;
    }
    int lineHeight() const override { return 14; }
};

TEST_F(GridModelTest, ThePrintMarginsAreFourAverageCharactersOfTheFirst52Letters)
{
    const SampleMetrics sample;
    const CGridPrintLayout layout(model, {850, 1100, 100, 100}, kScreenDpi, kScreenDpi, sample,
                                  CGridPrintLayout::PrinterScale::Off);
    EXPECT_EQ(layout.averageCharWidth(), 9);
    EXPECT_EQ(layout.sideMargin(), 36);
}

TEST_F(GridModelTest, ACellsOwnFontIsMeasuredForItsExtentAndTheFit)
{
    const int margin = model.defaultCell(CGridModel::CellKind::Normal).margin;
    const std::pair<int, int> plain{3 * FixedMetrics::kUnitWidth + 2 * margin, FixedMetrics::kLineHeight + 2 * margin};
    EXPECT_EQ(model.textExtent({2, 2}), plain);

    ASSERT_TRUE(model.setItemFont(2, 2, CGridFont{u"Serif", 30, CGridFont::kBold}));
    EXPECT_EQ(model.textExtent({2, 2}), std::make_pair(3 * 15 + 2 * margin, 30 + 2 * margin));
    EXPECT_EQ(model.textExtent({3, 2}), plain); // its neighbours keep the grid's font
    model.autoSizeColumn(2);
    EXPECT_EQ(model.columnWidth(2), uint32_t(3 * 15 + 2 * margin + 1));
    model.autoSizeRow(2);
    EXPECT_EQ(model.rowHeight(2), uint32_t(30 + 2 * margin + 1));

    // Without a font of its own, a cell takes its default cell's, and then the grid's.
    ASSERT_TRUE(model.setItemFont(2, 2, std::nullopt));
    EXPECT_EQ(model.textExtent({2, 2}), plain);
    model.defaultCell(CGridModel::CellKind::Normal).font = CGridFont{{}, 10};
    EXPECT_EQ(model.textExtent({2, 2}).first, 3 * 5 + 2 * margin);
    EXPECT_EQ(model.textExtent({0, 2}).first, 3 * FixedMetrics::kUnitWidth + 2 * model.defaultCell(CGridModel::CellKind::FixedRow).margin);
    EXPECT_FALSE(model.setItemFont(9, 0, CGridFont{}));
}

TEST_F(GridModelTest, TheColumnOrderIsWhatCallersHitTestsAndKeysSee)
{
    (void)model.setColumnWidth(3, 80); // stored column 3
    ASSERT_TRUE(model.setColumnOrder({0, 3, 1, 2}));
    EXPECT_EQ(model.itemText(1, 1), u"1,3");
    EXPECT_EQ(model.columnWidth(1), 80u);
    EXPECT_EQ(model.columnLeft(2), 130u);
    const CGridViewport view{0, 0, 400, 200};
    EXPECT_EQ(CGridGeometry::cellAt(model, view, 120, 30), (CGridCellId{1, 1}));
    EXPECT_EQ(CGridGeometry::cellAt(model, view, 140, 30), (CGridCellId{1, 2}));
    EXPECT_EQ(CGridNavigation::move(model, {1, 1}, Key::Right), (CGridCellId{1, 2}));
    EXPECT_EQ(CGridNavigation::move(model, {1, 1}, Key::End), (CGridCellId{1, 3}));
    (void)model.setColumnWidth(2, 0); // hides stored column 1
    EXPECT_EQ(CGridNavigation::move(model, {1, 1}, Key::Right), (CGridCellId{1, 3}));
    (void)model.setColumnWidth(2, 50);
    model.selectRange({1, 1, 1, 3}, CGridModel::SelectMode::Replace);
    EXPECT_EQ(model.copyText(), u"1,3\t1,1\t1,2");

    // A new row and a new column keep what is shown where it is shown.
    EXPECT_EQ(model.insertRow(u"new"), 5);
    EXPECT_EQ(model.itemText(5, 0), u"new");
    EXPECT_EQ(model.itemState(5, 1), 0u);
    ASSERT_TRUE(model.setColumnCount(5));
    EXPECT_EQ(model.columnOrder(), (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(model.itemText(1, 1), u"1,3");
    EXPECT_EQ(model.columnWidth(1), 80u);
    EXPECT_EQ(model.itemText(1, 3), u"1,2");
}

TEST_F(GridModelTest, AColumnOrderThatIsNoPermutationOrMovesAFixedColumnIsRefused)
{
    const std::vector<int> bad[] = {{0, 1, 2}, {0, 1, 2, 2}, {0, 1, 2, 4}, {0, 1, 2, -1}, {1, 0, 2, 3}};
    for (const std::vector<int>& order : bad) {
        EXPECT_FALSE(model.setColumnOrder(order)) << order.size();
        EXPECT_EQ(model.columnOrder(), (std::vector<int>{0, 1, 2, 3}));
    }
    ASSERT_TRUE(model.setFixedColumnCount(2));
    EXPECT_TRUE(model.setColumnOrder({1, 0, 3, 2})); // the fixed ones among themselves
    EXPECT_EQ(model.itemState(2, 0) & ~CGridCell::kModified, kFixedColumnBits);
    EXPECT_EQ(model.itemState(2, 2) & ~CGridCell::kModified, 0u);
    EXPECT_EQ(model.itemText(2, 0), u"2,1");
}

// A parent that holds rows x 3 values "r,c" (row 0 the headers) in virtual mode.
class VirtualGridTest : public testing::Test {
protected:
    void SetUp() override
    {
        listener.answer = [this](const CGridNotification& n) {
            if (n.code == CGridCode::GetDisplayInfo)
                n.item->text = values.at(std::size_t(n.cell.row)).at(std::size_t(n.cell.column));
            if (n.code == CGridCode::EndEdit)
                values.at(std::size_t(model.rowOrder()[std::size_t(n.cell.row)])).at(std::size_t(n.cell.column)) =
                    n.item->text;
            return 0;
        };
        model.setListener(&listener);
        model.setVirtualMode(true);
        ASSERT_TRUE(model.setColumnCount(3));
        ASSERT_TRUE(model.setRowCount(int(values.size())));
        ASSERT_TRUE(model.setFixedRowCount(1));
        listener.seen.clear();
    }

    std::vector<std::vector<std::u16string>> values{
        {u"h0", u"h1", u"h2"}, {u"b", u"2", u"x"}, {u"c", u"1", u"y"}, {u"a", u"3", u"z"}};
    FixedMetrics metrics;
    CGridModel model{&metrics};
    RecordingListener listener;
};

TEST_F(VirtualGridTest, CellsAreAskedOfTheParentAndNeverStored)
{
    EXPECT_TRUE(model.isVirtual());
    EXPECT_EQ(model.itemText(2, 1), u"1");
    EXPECT_EQ(model.itemState(0, 1), kFixedRowBits);
    EXPECT_EQ(listener.count(CGridCode::GetDisplayInfo), 2);
    EXPECT_FALSE(model.setItemText(1, 1, u"no"));
    EXPECT_FALSE(model.setItemData(1, 1, 7));
    EXPECT_EQ(model.insertRow(u"no"), -1);
    EXPECT_EQ(model.itemText(1, 1), u"2");

    // An edit reaches the parent with its text, which the parent keeps.
    EXPECT_TRUE(model.setTextAsEdit({1, 1}, u"9"));
    EXPECT_EQ(values[1][1], u"9");
    EXPECT_EQ(model.itemText(1, 1), u"9");
}

TEST_F(VirtualGridTest, CopyAndFitAnnounceTheCellsTheyRead)
{
    model.selectRange({1, 0, 2, 1}, CGridModel::SelectMode::Replace);
    listener.seen.clear();
    EXPECT_EQ(model.copyText(), u"b\t2\r\nc\t1");
    ASSERT_FALSE(listener.seen.empty());
    EXPECT_EQ(listener.seen.front().code, CGridCode::CacheHint);
    EXPECT_EQ(listener.seen.front().range, (CGridCellRange{1, 0, 2, 1}));

    listener.seen.clear();
    model.autoSizeColumn(2);
    ASSERT_GE(listener.seen.size(), 2u);
    EXPECT_EQ(listener.seen.front().range, (CGridCellRange{0, 2, 3, 2}));
    EXPECT_EQ(listener.seen.back().code, CGridCode::CacheHint);
    EXPECT_EQ(listener.seen.back().range, CGridCellRange{});
    EXPECT_EQ(model.columnWidth(2), uint32_t(2 * FixedMetrics::kUnitWidth + 2 * model.defaultCell(CGridModel::CellKind::FixedRow).margin + 2));
}

TEST_F(VirtualGridTest, SortingReordersTheRowsShownNotTheParentsRows)
{
    model.sortByColumn(0, CGridModel::SortOrder::Ascending);
    EXPECT_EQ(model.rowOrder(), (std::vector<int>{0, 3, 1, 2}));
    EXPECT_EQ(model.itemText(1, 0), u"a");
    EXPECT_EQ(model.itemText(1, 2), u"z");
    model.sortByColumn(1, CGridModel::SortOrder::Descending);
    EXPECT_EQ(model.rowOrder(), (std::vector<int>{0, 3, 1, 2}));
    EXPECT_EQ(values[1][0], u"b"); // the parent's own rows never move

    // Leaving virtual mode deletes every item.
    model.setVirtualMode(false);
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_TRUE(model.rowOrder().empty());
}

class SquareImages final : public CGridImageList {
public:
    int imageCount() const override { return 2; }
    int imageWidth() const override { return 16; }
    int imageHeight() const override { return 40; }
};

TEST_F(GridModelTest, AnImageWidensItsCellAndMayMakeItTaller)
{
    const std::pair<int, int> plain = model.cellExtent({2, 2});
    SquareImages images;
    ASSERT_TRUE(model.setItemImage(2, 2, 1));
    EXPECT_EQ(model.cellExtent({2, 2}), plain); // no list yet
    model.setImageList(&images);
    const int margin = model.defaultCell(CGridModel::CellKind::Normal).margin; // 7, under half of "2,2"
    EXPECT_EQ(model.cellExtent({2, 2}), std::make_pair(plain.first + 16 + margin, 40 + 2 * margin + 1));
    ASSERT_TRUE(model.setItemImage(2, 2, 2)); // past the list's end: no image
    EXPECT_EQ(model.cellExtent({2, 2}), plain);
    ASSERT_TRUE(model.setItemImage(2, 2, 0));
    model.autoSizeRow(2);
    EXPECT_EQ(model.rowHeight(2), uint32_t(40 + 2 * margin + 1));
    EXPECT_FALSE(model.setItemImage(9, 9, 0));
}

} // namespace
