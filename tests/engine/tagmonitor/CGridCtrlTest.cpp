// The grid window on the offscreen platform: keys, the in-place editor, the wheel, the
// mouse, the clipboard, painting and printing.
#include <gtest/gtest.h>

#include <ostream>

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLabel>
#include <QMimeData>
#include <QPainter>
#include <QPdfWriter>
#include <QTest>
#include <QWheelEvent>
#include <memory>

#include "engine/tagmonitor/qt/CGridCtrl.h"
#include "tests/engine/tagmonitor/GridTestSupport.h"
#include "tests/engine/tagmonitor/RecordingPaintDevice.h"
#include "tests/support/TestEnvironment.h"

namespace {

using vx::test::RecordingListener;
using vx::test::RecordingPaintDevice;

constexpr int kRows = 60, kColumns = 4, kRowHeight = 20, kColumnWidth = 60;

uint32_t colourRef(const QColor& colour)
{
    return uint32_t(colour.red()) | uint32_t(colour.green()) << 8 | uint32_t(colour.blue()) << 16;
}

class GridCtrlTest : public testing::Test {
protected:
    void SetUp() override { build(); }

    // A grid of kRows rows and kColumns columns, all "old", shown and focused.
    void build()
    {
        grid = std::make_unique<CGridCtrl>();
        CGridModel& model = grid->model();
        model.setListener(&listener);
        ASSERT_TRUE(model.setColumnCount(kColumns));
        ASSERT_TRUE(model.setRowCount(kRows));
        ASSERT_TRUE(model.setFixedRowCount(1));
        ASSERT_TRUE(model.setFixedColumnCount(1));
        for (int row = 0; row < kRows; ++row) {
            (void)model.setRowHeight(row, kRowHeight);
            for (int column = 0; column < kColumns; ++column)
                (void)model.setItemText(row, column, u"old");
        }
        for (int column = 0; column < kColumns; ++column)
            (void)model.setColumnWidth(column, kColumnWidth);
        grid->resize(300, 200);
        grid->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(grid.get()));
        grid->setFocus();
        listener.seen.clear();
    }

    void focus(CGridCellId cell) { grid->model().moveFocus(cell, CGridModel::Extend::No); }
    QString editorText() const { return grid->editor() ? grid->editor()->text() : QStringLiteral("<none>"); }

    RecordingListener listener;
    std::unique_ptr<CGridCtrl> grid;
};

TEST_F(GridCtrlTest, ADigitOpensTheEditorAndReturnCommits)
{
    focus({1, 2});
    QTest::keyClick(grid.get(), Qt::Key_5, Qt::NoModifier);
    ASSERT_NE(grid->editor(), nullptr);
    EXPECT_EQ(editorText(), "5");
    EXPECT_EQ(listener.count(CGridCode::BeginEdit), 1);
    QTest::keyClick(grid->editor(), Qt::Key_Return);
    EXPECT_EQ(grid->editor(), nullptr);
    EXPECT_EQ(grid->model().itemText(1, 2), u"5");
    ASSERT_EQ(listener.count(CGridCode::EndEdit), 1);
    EXPECT_EQ(listener.seen.back().cell, (CGridCellId{1, 2}));
    EXPECT_TRUE(grid->model().itemState(1, 2) & CGridCell::kModified);
    EXPECT_TRUE(grid->hasFocus());
}

TEST_F(GridCtrlTest, EscapeRestoresTheTextAndTellsNoOne)
{
    focus({1, 2});
    QTest::keyClick(grid.get(), Qt::Key_7, Qt::NoModifier);
    ASSERT_NE(grid->editor(), nullptr);
    QTest::keyClick(grid->editor(), Qt::Key_Escape);
    EXPECT_EQ(grid->editor(), nullptr);
    EXPECT_EQ(grid->model().itemText(1, 2), u"old");
    EXPECT_EQ(listener.count(CGridCode::EndEdit), 0);
    // An edit ended without a change sends nothing either.
    QTest::keyClick(grid.get(), Qt::Key_F2);
    ASSERT_NE(grid->editor(), nullptr);
    EXPECT_EQ(editorText(), "old");
    QTest::keyClick(grid->editor(), Qt::Key_Return);
    EXPECT_EQ(listener.count(CGridCode::EndEdit), 0);
}

// How the first key reaches the grid: typed on it, composed by an input method, or as the
// key that ends an edit begun with Enter on the cell before.
enum class Via { Grid, InputMethod, EndOfEdit };

struct FirstKeyCase {
    const char* name;
    Via via;
    int key;
    const char* text;
    CGridCellId edited;
    const char* editor;
    const char* selected;
};

void PrintTo(const FirstKeyCase& c, std::ostream* out)
{
    *out << c.name;
}

constexpr CGridCellId kStart{2, 1};

class FirstKey : public GridCtrlTest, public testing::WithParamInterface<FirstKeyCase> {};

TEST_P(FirstKey, OpensTheEditorWithItsText)
{
    const FirstKeyCase& c = GetParam();
    (void)grid->model().setItemText(kStart.row, kStart.column, u"first");
    focus(kStart);
    const QString text = QString::fromUtf8(c.text);
    switch (c.via) {
    case Via::Grid: {
        QKeyEvent press(QEvent::KeyPress, c.key, Qt::NoModifier, text);
        QApplication::sendEvent(grid.get(), &press);
        break;
    }
    case Via::InputMethod: {
        QInputMethodEvent composed;
        composed.setCommitString(text);
        QApplication::sendEvent(grid.get(), &composed);
        break;
    }
    case Via::EndOfEdit:
        QTest::keyClick(grid.get(), Qt::Key_Return);
        ASSERT_NE(grid->editor(), nullptr);
        QTest::keyClick(grid->editor(), Qt::Key(c.key));
        break;
    }
    EXPECT_EQ(grid->model().focusCell(), c.edited);
    EXPECT_EQ(editorText(), QString::fromUtf8(c.editor));
    ASSERT_NE(grid->editor(), nullptr);
    EXPECT_EQ(grid->editor()->selectedText(), QString::fromUtf8(c.selected));
    EXPECT_EQ(listener.count(CGridCode::EndEdit), 0);
}

INSTANTIATE_TEST_SUITE_P(
    , FirstKey,
    testing::Values(FirstKeyCase{"Tab", Via::EndOfEdit, Qt::Key_Tab, "", {2, 2}, "old", "old"},
                    FirstKeyCase{"PageUp", Via::EndOfEdit, Qt::Key_PageUp, "", {1, 1}, "old", "old"},
                    FirstKeyCase{"Down", Via::EndOfEdit, Qt::Key_Down, "", {3, 1}, "old", "old"},
                    FirstKeyCase{"Space", Via::Grid, Qt::Key_Space, " ", kStart, "first", "first"},
                    FirstKeyCase{"Exclamation", Via::Grid, Qt::Key_Exclam, "!", kStart, "!", ""},
                    FirstKeyCase{"Parenthesis", Via::Grid, Qt::Key_ParenLeft, "(", kStart, "(", ""},
                    FirstKeyCase{"Dollar", Via::Grid, Qt::Key_Dollar, "$", kStart, "$", ""},
                    FirstKeyCase{"Letter", Via::Grid, Qt::Key_A, "a", kStart, "a", ""},
                    FirstKeyCase{"Digit", Via::Grid, Qt::Key_7, "7", kStart, "7", ""},
                    FirstKeyCase{"Umlaut", Via::Grid, Qt::Key_Adiaeresis, "\xc3\xa4", kStart, "\xc3\xa4", ""},
                    FirstKeyCase{"Composed", Via::InputMethod, 0, "\xe6\xbc\xa2\xe5\xad\x97", kStart,
                                 "\xe6\xbc\xa2\xe5\xad\x97", ""},
                    FirstKeyCase{"Enter", Via::Grid, Qt::Key_Return, "\r", kStart, "first", ""},
                    FirstKeyCase{"Backspace", Via::Grid, Qt::Key_Backspace, "\b", kStart, "firs", ""},
                    FirstKeyCase{"F2", Via::Grid, Qt::Key_F2, "", kStart, "first", ""}),
    [](const testing::TestParamInfo<FirstKeyCase>& info) { return std::string(info.param.name); });

TEST_F(GridCtrlTest, KeysThatEndAnEditMoveOnAndEditTheNextCell)
{
    focus({1, 2});
    QTest::keyClick(grid.get(), Qt::Key_1);
    QTest::keyClick(grid->editor(), Qt::Key_Tab);
    EXPECT_EQ(grid->model().itemText(1, 2), u"1");
    EXPECT_EQ(grid->model().focusCell(), (CGridCellId{1, 3}));
    ASSERT_NE(grid->editor(), nullptr);
    EXPECT_EQ(grid->editor()->selectedText(), "old"); // selected, to be typed over
    QTest::keyClick(grid->editor(), Qt::Key_2);
    QTest::keyClick(grid->editor(), Qt::Key_Down);
    EXPECT_EQ(grid->model().itemText(1, 3), u"2");
    EXPECT_EQ(grid->model().focusCell(), (CGridCellId{2, 3}));
    ASSERT_NE(grid->editor(), nullptr);
    QTest::keyClick(grid->editor(), Qt::Key_Escape);
    // An edit begun with F2 (as with the mouse) keeps the arrows for the caret.
    QTest::keyClick(grid.get(), Qt::Key_F2);
    QTest::keyClick(grid->editor(), Qt::Key_Left);
    ASSERT_NE(grid->editor(), nullptr);
    EXPECT_EQ(grid->editor()->cursorPosition(), 2);
    QTest::keyClick(grid->editor(), Qt::Key_Escape);
    EXPECT_EQ(grid->model().focusCell(), (CGridCellId{2, 3}));
}

TEST_F(GridCtrlTest, TabWalksTheCellsAndStaysAtTheLast)
{
    focus({1, 3});
    QTest::keyClick(grid.get(), Qt::Key_Tab);
    EXPECT_EQ(grid->model().focusCell(), (CGridCellId{2, 1}));
    QTest::keyClick(grid.get(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(grid->model().focusCell(), (CGridCellId{1, 3}));
    focus({kRows - 1, kColumns - 1});
    QTest::keyClick(grid.get(), Qt::Key_Tab);
    EXPECT_EQ(grid->model().focusCell(), (CGridCellId{kRows - 1, kColumns - 1}));
}

TEST_F(GridCtrlTest, ArrowsScrollTheFocusIntoView)
{
    focus({1, 1});
    for (int i = 0; i < 20; ++i)
        QTest::keyClick(grid.get(), Qt::Key_Down);
    EXPECT_EQ(grid->model().focusCell(), (CGridCellId{21, 1}));
    const QRect rect = grid->cellRect({21, 1});
    EXPECT_TRUE(grid->viewport()->rect().contains(rect)) << rect.y();
    QTest::keyClick(grid.get(), Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(grid->model().selectedRange(), (CGridCellRange{21, 1, 22, 1}));
}

TEST_F(GridCtrlTest, TheWheelScrollsTheDesktopsLinesANotchAndAddsUpSmallSteps)
{
    // The desktop's setting is read when the grid is made.
    const int desktop = QApplication::wheelScrollLines();
    QApplication::setWheelScrollLines(5);
    build();
    QApplication::setWheelScrollLines(desktop);
    const auto turn = [&](int delta) {
        QWheelEvent wheel(QPointF(50, 50), grid->viewport()->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, delta),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(grid->viewport(), &wheel);
        return int(grid->gridViewport().scrollY / kRowHeight);
    };
    EXPECT_EQ(turn(-120), 5);
    EXPECT_EQ(turn(120), 0);
    EXPECT_EQ(turn(-240), 10);
    // A touchpad's eighth of a notch is 5/8 of a line: the second makes one, eight make five.
    EXPECT_EQ(turn(-15), 10);
    EXPECT_EQ(turn(-15), 11);
    for (int step = 2; step < 8; ++step)
        (void)turn(-15);
    EXPECT_EQ(turn(0), 15);
    // Turning back starts afresh: what was carried does not scroll the other way.
    EXPECT_EQ(turn(-15), 15);
    EXPECT_EQ(turn(15), 15);
    EXPECT_EQ(turn(15), 14);
    // A setting of -1 scrolls a page per notch.
    grid->setWheelLines(-1);
    const uint64_t before = grid->gridViewport().scrollY;
    (void)turn(-120);
    EXPECT_EQ(grid->gridViewport().scrollY - before, uint64_t(grid->viewport()->height() - kRowHeight));
}

TEST_F(GridCtrlTest, AClickOnTheFocusCellEditsOnRelease)
{
    const QPoint centre = grid->cellRect({2, 2}).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, centre);
    EXPECT_EQ(grid->model().focusCell(), (CGridCellId{2, 2}));
    EXPECT_EQ(grid->editor(), nullptr);
    EXPECT_EQ(listener.count(CGridCode::Click), 1);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, centre);
    ASSERT_NE(grid->editor(), nullptr);
    EXPECT_EQ(grid->editor()->cursorPosition(), 3); // the caret at the end, nothing selected
    EXPECT_TRUE(grid->editor()->selectedText().isEmpty());
}

TEST_F(GridCtrlTest, AReleaseWithAFocusCellPostsTheCommandAfterTheClick)
{
    // Beyond the last column no cell takes the focus: nothing to tell.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, QPoint(kColumns * kColumnWidth + 20, 50));
    QCoreApplication::processEvents();
    EXPECT_TRUE(listener.commands.empty());

    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->cellRect({3, 1}).center());
    EXPECT_TRUE(listener.commands.empty()); // posted, not sent from inside the release
    QTRY_COMPARE(listener.commands.size(), size_t(1));
    EXPECT_EQ(listener.commands.front(), (CGridCellId{3, 1}));
    EXPECT_EQ(listener.count(CGridCode::Click), 1);
}

TEST_F(GridCtrlTest, ADragWithCtrlKeepsTheEarlierSelection)
{
    const auto drag = [&](CGridCellId from, CGridCellId to, Qt::KeyboardModifiers modifiers) {
        const QPoint a = grid->cellRect(from).center(), b = grid->cellRect(to).center();
        QTest::mousePress(grid->viewport(), Qt::LeftButton, modifiers, a);
        QMouseEvent move(QEvent::MouseMove, QPointF(b), grid->viewport()->mapToGlobal(QPointF(b)), Qt::NoButton,
                         Qt::LeftButton, modifiers);
        QApplication::sendEvent(grid->viewport(), &move);
        QTest::mouseRelease(grid->viewport(), Qt::LeftButton, modifiers, b);
    };
    const auto selected = [&] {
        const std::set<CGridCellId>& cells = grid->model().selectedCells();
        return std::vector<CGridCellId>(cells.begin(), cells.end());
    };
    drag({1, 1}, {1, 2}, Qt::NoModifier);
    drag({3, 2}, {4, 3}, Qt::ControlModifier);
    EXPECT_EQ(selected(), (std::vector<CGridCellId>{{1, 1}, {1, 2}, {3, 2}, {3, 3}, {4, 2}, {4, 3}}));
    EXPECT_EQ(grid->model().focusCell(), (CGridCellId{4, 3}));
    // Without Ctrl a drag selects its own cells only.
    drag({6, 1}, {7, 1}, Qt::NoModifier);
    EXPECT_EQ(selected(), (std::vector<CGridCellId>{{6, 1}, {7, 1}}));
}

TEST_F(GridCtrlTest, DraggingAHeaderBoundaryResizesTheColumn)
{
    const QRect header = grid->cellRect({0, 1});
    const QPoint boundary(header.right() + 1, header.center().y());
    QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, boundary);
    QMouseEvent move(QEvent::MouseMove, QPointF(boundary + QPoint(25, 0)),
                     grid->viewport()->mapToGlobal(QPointF(boundary + QPoint(25, 0))), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(grid->viewport(), &move);
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, boundary + QPoint(25, 0));
    EXPECT_EQ(grid->model().columnWidth(1), uint32_t(kColumnWidth + 25));
    // Dragged past its left edge the column keeps one pixel.
    const QRect again = grid->cellRect({0, 1});
    QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, QPoint(again.right() + 1, 5));
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, QPoint(again.left() - 10, 5));
    EXPECT_EQ(grid->model().columnWidth(1), 1u);
}

TEST_F(GridCtrlTest, ClipboardKeysCopyCutAndPaste)
{
    CGridModel& model = grid->model();
    (void)model.setItemText(1, 1, u"a");
    (void)model.setItemText(1, 2, u"b");
    (void)model.setItemText(2, 1, u"c");
    (void)model.setItemText(2, 2, u"d");
    focus({1, 1});
    QTest::keyClick(grid.get(), Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(grid.get(), Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(grid.get(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "a\tb\r\nc\td");
    QTest::keyClick(grid.get(), Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(model.itemText(2, 2), u"");
    focus({5, 2});
    QTest::keyClick(grid.get(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(model.itemText(5, 2), u"a");
    EXPECT_EQ(model.itemText(6, 3), u"d");
    EXPECT_EQ(model.itemText(7, 2), u"old");
}

TEST_F(GridCtrlTest, HeaderClicksSortAndDropsPaste)
{
    CGridModel& model = grid->model();
    model.settings().sortOnHeaderClick = true;
    for (int row = 1; row < kRows; ++row)
        (void)model.setItemText(row, 2, std::u16string(1, char16_t(u'z' - row % 26)));
    const QPoint header = grid->cellRect({0, 2}).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, header);
    EXPECT_EQ(model.sortColumn(), 2);
    EXPECT_EQ(model.itemText(1, 2), u"a");
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, header, 500);
    EXPECT_EQ(model.sortOrder(), CGridModel::SortOrder::Descending);
    EXPECT_EQ(model.itemText(1, 2), u"z");

    // Dropped text is pasted at the cell under the pointer.
    model.settings().dragAndDrop = true;
    QMimeData data;
    data.setText(QStringLiteral("p\tq"));
    const QPoint at = grid->cellRect({3, 1}).center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(grid->viewport(), &enter);
    QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(grid->viewport(), &move);
    EXPECT_TRUE(model.itemState(3, 1) & CGridCell::kDropHighlighted);
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(grid->viewport(), &drop);
    EXPECT_EQ(model.itemText(3, 1), u"p");
    EXPECT_EQ(model.itemText(3, 2), u"q");
    EXPECT_FALSE(model.itemState(3, 1) & CGridCell::kDropHighlighted);
}

TEST_F(GridCtrlTest, ATextTooLongForItsCellShowsInATip)
{
    (void)grid->model().setItemText(2, 1, u"a text far too long for a column of sixty pixels");
    const QPoint over = grid->cellRect({2, 1}).center();
    QMouseEvent move(QEvent::MouseMove, QPointF(over), grid->viewport()->mapToGlobal(QPointF(over)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(grid->viewport(), &move);
    auto* tip = grid->findChild<QLabel*>(QStringLiteral("ZTitleTip"));
    ASSERT_NE(tip, nullptr);
    EXPECT_TRUE(tip->isVisible());
    EXPECT_EQ(tip->text(), "a text far too long for a column of sixty pixels");
    EXPECT_GT(tip->width(), grid->cellRect({2, 1}).width());
    // A short text shows none; a key hides it.
    QMouseEvent elsewhere(QEvent::MouseMove, QPointF(grid->cellRect({3, 1}).center()),
                          grid->viewport()->mapToGlobal(QPointF(grid->cellRect({3, 1}).center())), Qt::NoButton,
                          Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(grid->viewport(), &elsewhere);
    EXPECT_FALSE(tip->isVisible());
}

TEST_F(GridCtrlTest, DestroyingTheGridCancelsTheEditSilently)
{
    focus({1, 2});
    QTest::keyClick(grid.get(), Qt::Key_9);
    ASSERT_NE(grid->editor(), nullptr);
    grid.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(listener.count(CGridCode::EndEdit), 0);
}

TEST_F(GridCtrlTest, ACellPaintsInItsOwnFont)
{
    CGridModel& model = grid->model();
    model.setFocusCell({});
    model.clearSelection();
    (void)model.setRowHeight(1, 40);
    (void)model.setColumnWidth(2, 120); // room for the large text, not an ellipsis
    (void)model.setItemText(1, 1, u"WW");
    (void)model.setItemText(1, 2, u"WW");
    ASSERT_TRUE(model.setItemFont(1, 2, CGridFont{{}, 30, CGridFont::kBold}));
    const QImage picture = grid->viewport()->grab().toImage();
    const auto inked = [&](CGridCellId id) {
        const QRect rect = grid->cellRect(id).adjusted(1, 1, -1, -1);
        int dark = 0;
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            for (int x = rect.left(); x <= rect.right(); ++x)
                dark += qGray(picture.pixel(x, y)) < 128;
        return dark;
    };
    const int plain = inked({1, 1}), large = inked({1, 2});
    EXPECT_GT(plain, 0);
    EXPECT_GT(large, 2 * plain);
}

TEST(VirtualGridCtrl, APaintAnnouncesTheVisibleCellsBeforeItAsksForThem)
{
    RecordingListener listener;
    listener.answer = [](const CGridNotification& n) {
        if (n.code == CGridCode::GetDisplayInfo)
            n.item->text = u"v";
        return 0;
    };
    CGridCtrl grid;
    CGridModel& model = grid.model();
    model.setListener(&listener);
    model.setVirtualMode(true);
    ASSERT_TRUE(model.setColumnCount(3));
    ASSERT_TRUE(model.setRowCount(1000));
    for (int column = 0; column < 3; ++column)
        (void)model.setColumnWidth(column, 50);
    grid.resize(200, 150);
    listener.seen.clear();
    (void)grid.viewport()->grab();
    ASSERT_FALSE(listener.seen.empty());
    const CGridNotification& hint = listener.seen.front();
    ASSERT_EQ(hint.code, CGridCode::CacheHint);
    EXPECT_EQ(hint.range.minRow, 0);
    EXPECT_EQ(hint.range.maxColumn, 2);
    EXPECT_LT(hint.range.maxRow, 100); // only what shows
    // Every cell read while painting lies in the announced range.
    for (const CGridNotification& n : listener.seen) {
        if (n.code == CGridCode::GetDisplayInfo) {
            EXPECT_TRUE(hint.range.contains(n.cell)) << n.cell.row << "," << n.cell.column;
        }
    }
    EXPECT_GE(listener.count(CGridCode::GetDisplayInfo), (hint.range.maxRow + 1) * (hint.range.maxColumn + 1));
}

TEST_F(GridCtrlTest, ACellDrawsItsImageAtItsTopLeft)
{
    CGridModel& model = grid->model();
    model.setFocusCell({});
    model.clearSelection();
    CGridImageList_Qt images(10, 10);
    QPixmap red(10, 10);
    red.fill(Qt::red);
    const int index = images.add(red);
    grid->setImageList(&images);
    ASSERT_TRUE(model.setItemImage(1, 1, index));
    const QImage picture = grid->viewport()->grab().toImage();
    const QRect withImage = grid->cellRect({1, 1}), without = grid->cellRect({1, 2});
    const int margin = model.defaultCell(CGridModel::CellKind::Normal).margin;
    EXPECT_EQ(picture.pixelColor(withImage.topLeft() + QPoint(margin + 4, 4)), QColor(Qt::red));
    EXPECT_NE(picture.pixelColor(without.topLeft() + QPoint(margin + 4, 4)), QColor(Qt::red));
    grid->setImageList(nullptr);
}

TEST_F(GridCtrlTest, PaintsCellsGridLinesAndTheBackgroundBeyond)
{
    grid->model().setFocusCell({});
    grid->model().clearSelection();
    (void)grid->model().setRowCount(3);
    const QImage picture = grid->viewport()->grab().toImage();
    const QRect cell = grid->cellRect({1, 1});
    // The grid line at the cell's right edge and its bottom.
    EXPECT_EQ(picture.pixel(cell.right() + 1, cell.center().y()) & 0xFFFFFF, 0xC0C0C0u);
    EXPECT_EQ(picture.pixel(cell.center().x(), cell.bottom() + 1) & 0xFFFFFF, 0xC0C0C0u);
    // Normal cells on the window colour, the area below the last row in the shadow colour.
    EXPECT_EQ(picture.pixel(cell.left() + 1, cell.top() + 1), grid->palette().color(QPalette::Base).rgb());
    EXPECT_EQ(picture.pixel(5, grid->viewport()->height() - 3), grid->palette().color(QPalette::Dark).rgb());
    // The header is drawn raised: light on its top edge.
    EXPECT_EQ(picture.pixel(grid->cellRect({0, 2}).center().x(), 0), grid->palette().color(QPalette::Light).rgb());
}

TEST_F(GridCtrlTest, TheDefaultColoursFollowTheDesktopUnlessTheProgramChoseThem)
{
    CGridModel& model = grid->model();
    model.setFocusCell({});
    model.clearSelection();
    (void)model.setRowCount(3);
    constexpr uint32_t kChosen = 0x00FFFF; // yellow, as 0xBBGGRR
    model.defaultCell(CGridModel::CellKind::FixedRow).backColour = kChosen;
    const QPalette before = QApplication::palette();
    QPalette desktop = before;
    desktop.setColor(QPalette::Text, QColor(0x10, 0x20, 0x30));
    desktop.setColor(QPalette::Base, QColor(0x20, 0x20, 0x60));
    desktop.setColor(QPalette::Button, QColor(0x40, 0x50, 0x40));
    desktop.setColor(QPalette::Dark, QColor(0x05, 0x06, 0x07));
    const CGridDefaultCell& normal = model.defaultCell(CGridModel::CellKind::Normal);
    // The desktop's change reaches the widgets as a posted event.
    QApplication::setPalette(desktop);
    ASSERT_TRUE(QTest::qWaitFor([&] { return normal.textColour == 0x302010u; }));
    const QImage picture = grid->viewport()->grab().toImage();
    EXPECT_EQ(normal.textColour, 0x302010u);
    EXPECT_EQ(normal.backColour, 0x602020u);
    EXPECT_EQ(model.defaultCell(CGridModel::CellKind::FixedColumn).backColour, 0x405040u);
    EXPECT_EQ(model.defaultCell(CGridModel::CellKind::Corner).textColour, 0x302010u);
    EXPECT_EQ(model.defaultCell(CGridModel::CellKind::FixedRow).backColour, kChosen);
    EXPECT_EQ(model.settings().backgroundColour, 0x070605u);
    const QRect cell = grid->cellRect({1, 1}), header = grid->cellRect({0, 2});
    EXPECT_EQ(picture.pixelColor(cell.left() + 1, cell.top() + 1), QColor(0x20, 0x20, 0x60));
    EXPECT_EQ(picture.pixelColor(header.left() + 2, header.top() + 2), QColor(0xFF, 0xFF, 0x00));
    EXPECT_EQ(picture.pixelColor(5, grid->viewport()->height() - 3), QColor(0x05, 0x06, 0x07));
    // Back on the old desktop, all but the chosen colour return.
    QApplication::setPalette(before);
    EXPECT_TRUE(QTest::qWaitFor([&] { return normal.backColour == colourRef(before.color(QPalette::Base)); }));
    EXPECT_EQ(model.defaultCell(CGridModel::CellKind::FixedRow).backColour, kChosen);
}

// A grid of 12 columns of 90 pixels beside a fixed column of 60, and rows of 20 under a
// fixed row; headers "C1" to "C12" and "R1" on, the normal cells filled in kFill.
class GridPrinting : public testing::Test {
protected:
    static constexpr int kColumns = 12, kColumnWidth = 90;
    static inline const QColor kFill{0x12, 0xC4, 0x56}; // nowhere else on a page

    void build(int rows)
    {
        CGridModel& model = grid.model();
        ASSERT_TRUE(model.setColumnCount(kColumns + 1));
        ASSERT_TRUE(model.setRowCount(rows + 1));
        ASSERT_TRUE(model.setFixedRowCount(1));
        ASSERT_TRUE(model.setFixedColumnCount(1));
        (void)model.setColumnWidth(0, 60);
        for (int column = 1; column <= kColumns; ++column) {
            (void)model.setColumnWidth(column, kColumnWidth);
            (void)model.setItemText(0, column, u"C" + toU16(column));
        }
        for (int row = 0; row <= rows; ++row) {
            (void)model.setRowHeight(row, 20);
            if (row > 0)
                (void)model.setItemText(row, 0, u"R" + toU16(row));
        }
        model.defaultCell(CGridModel::CellKind::Normal).backColour = colourRef(kFill);
    }
    static std::u16string toU16(int number) { return QString::number(number).toStdU16String(); }

    CGridCtrl grid;
};

struct PrintCase {
    const char* name;
    bool printerScale;
    int dotsPerInch;
    int rows;
    int pages;
    std::vector<std::pair<int, int>> columnPages; // first and last header of each, across
};

void PrintTo(const PrintCase& c, std::ostream* out)
{
    *out << c.name;
}

class PrintedPages : public GridPrinting, public testing::WithParamInterface<PrintCase> {};

// The lowest row of the page with a dark grey line across half its width: the footer's
// black line, grey where the page is drawn smaller than the grid.
int footerLine(const QImage& page)
{
    const auto darkGrey = [](QRgb pixel) {
        return qRed(pixel) == qGreen(pixel) && qGreen(pixel) == qBlue(pixel) && qGray(pixel) < 128;
    };
    for (int y = page.height() - 1; y >= 0; --y) {
        const auto* line = reinterpret_cast<const QRgb*>(page.constScanLine(y));
        int dark = 0;
        for (int x = 0; x < page.width(); ++x)
            dark += darkGrey(line[x]);
        if (dark > page.width() / 2)
            return y;
    }
    return -1;
}

TEST_P(PrintedPages, CountTheirColumnsAndKeepTheRowsAboveTheFooter)
{
    const PrintCase& c = GetParam();
    build(c.rows);
    grid.model().settings().printerScale = c.printerScale;
    // Letter paper at the case's resolution.
    const int width = 17 * c.dotsPerInch / 2, height = 11 * c.dotsPerInch;
    const RecordingPaintDevice paper(width, height, c.dotsPerInch);
    ASSERT_EQ(grid.beginPrinting(paper), c.pages);
    const int columnPages = int(c.columnPages.size());
    int rowLabels = 0;
    for (int page = 1; page <= c.pages; ++page) {
        RecordingPaintDevice recorded(width, height, c.dotsPerInch);
        QPainter painter(&recorded);
        grid.printPage(painter, page);
        painter.end();
        const QString footer = QStringLiteral("Page %1 of %2").arg(page).arg(c.pages);
        EXPECT_TRUE(recorded.holds(footer)) << footer.toStdString();
        // Across the columns, then down the rows.
        const auto [first, last] = c.columnPages[std::size_t((page - 1) % columnPages)];
        for (int column = 1; column <= kColumns; ++column)
            EXPECT_EQ(recorded.holds(QStringLiteral("C%1").arg(column)), column >= first && column <= last)
                << "page " << page << " column " << column;
        int labels = 0;
        for (const RecordingPaintDevice::Text& text : recorded.texts())
            labels += text.text.startsWith('R');
        EXPECT_GT(labels, 0) << "page " << page; // the fixed column on every page
        rowLabels += labels;
    }
    EXPECT_EQ(rowLabels, c.rows * columnPages);

    // The fullest page, painted: its rows end above the footer's line.
    QImage image(width, height, QImage::Format_RGB32);
    constexpr double kInchesPerMetre = 39.37;
    image.setDotsPerMeterX(int(std::lround(c.dotsPerInch * kInchesPerMetre)));
    image.setDotsPerMeterY(int(std::lround(c.dotsPerInch * kInchesPerMetre)));
    image.fill(Qt::white);
    QPainter painter(&image);
    grid.printPage(painter, 1);
    painter.end();
    grid.endPrinting();
    const int footer = footerLine(image);
    ASSERT_GT(footer, height / 2) << "the footer's line is missing, or rows cover it";
    int lowestFill = -1;
    for (int y = 0; y < height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < width; ++x)
            if ((line[x] & 0xFFFFFF) == (kFill.rgb() & 0xFFFFFF))
                lowestFill = y;
    }
    EXPECT_GT(lowestFill, footer / 2);
    EXPECT_LT(lowestFill, footer);
}

INSTANTIATE_TEST_SUITE_P(
    , PrintedPages,
    testing::Values(PrintCase{"FittedAt100Dpi", false, 100, 100, 2, {{1, 12}}},
                    PrintCase{"FittedAt200Dpi", false, 200, 100, 2, {{1, 12}}},
                    PrintCase{"OnePage", false, 100, 45, 1, {{1, 12}}},
                    PrintCase{"PrinterScaleAt100Dpi", true, 100, 45, 6, {{1, 5}, {6, 10}, {11, 12}}},
                    PrintCase{"PrinterScaleAt200Dpi", true, 200, 45, 6, {{1, 5}, {6, 10}, {11, 12}}}),
    [](const testing::TestParamInfo<PrintCase>& info) { return std::string(info.param.name); });

TEST_F(GridPrinting, PrintsEveryPageToAPdfFile)
{
    build(100);
    vx::test::TempDir dir;
    const std::string path = (dir / "grid.pdf").string();
    {
        QPdfWriter pdf(QString::fromStdString(path));
        grid.print(pdf);
    }
    const std::string written = vx::test::readFile(path);
    ASSERT_GT(written.size(), 100u);
    EXPECT_EQ(written.substr(0, 4), "%PDF");
    std::size_t pages = 0;
    for (std::size_t at = written.find("/Type /Page"); at != std::string::npos; at = written.find("/Type /Page", at + 1))
        pages += written.compare(at, 12, "/Type /Pages") != 0;
    EXPECT_EQ(pages, 2u);
}

} // namespace
