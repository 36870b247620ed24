// The tags dialog on the offscreen platform over a tag memory of the test's own.
#include <gtest/gtest.h>

#include <QApplication>
#include <QScrollBar>
#include <QTest>
#include <array>
#include <cstring>
#include <memory>
#include <vector>

#include "engine/core/DFile_Memory.h"
#include "engine/tagmonitor/qt/CDlgTags.h"
#include "engine/tagmonitor/qt/CGridCtrl.h"
#include "engine/tagmonitor/qt/CTagsDialogSlot.h"
#include "foundation/TextHelpers.h"
#include "tests/support/TagsFileWriter.h"
#include "tests/support/TestEnvironment.h"

namespace {

using vx::test::TagsFileEntry;

// Rows in file order: 1 level (short at 0x10), 2 count (integer at 0x20), 3 label (UTF-8,
// 8 bytes at 0x40), 4 odd (an unknown type at 0x60).
const std::vector<TagsFileEntry> kEntries{
    {u"short", u"level", u"10", {}, {}},
    {u"integer", u"count", u"20", {}, {}},
    {u"UTF-8", u"label", u"40", u"8", {}},
    {u"no-such-type", u"odd", u"60", u"4", {}},
};
constexpr int kLevel = 1, kCount = 2, kLabel = 3, kOdd = 4;

// Counts the paints of a widget.
class PaintCounter : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
    int paints = 0;
};

class DlgTagsTest : public testing::Test {
protected:
    void SetUp() override
    {
        const std::string text = vx::test::writeTagsFile(kEntries);
        DFile_Memory file(std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
        ASSERT_EQ(file.open(DString()), 0);
        dialog = std::make_unique<CDlgTags>(file, [this] { return CTagMemory{memory.data(), uint32_t(memory.size())}; });
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
        dialog->grid().setFocus();
    }

    CGridModel& model() { return dialog->grid().model(); }
    std::u16string value(int row) { return model().itemText(row, CDlgTags::Value); }
    int32_t number(uint32_t address)
    {
        int32_t n = 0;
        std::memcpy(&n, memory.data() + address, 4);
        return n;
    }
    void type(int row, const char* text)
    {
        model().moveFocus({row, CDlgTags::Value}, CGridModel::Extend::No);
        QTest::keyClicks(&dialog->grid(), QString::fromUtf8(text).left(1));
        ASSERT_NE(dialog->grid().editor(), nullptr);
        QTest::keyClicks(dialog->grid().editor(), QString::fromUtf8(text).mid(1));
    }

    std::array<uint8_t, 256> memory{};
    std::unique_ptr<CDlgTags> dialog;
};

TEST_F(DlgTagsTest, ListsTheTagsInTheirColumns)
{
    EXPECT_EQ(dialog->windowTitle(), "Tags");
    ASSERT_EQ(model().rowCount(), 5);
    EXPECT_EQ(model().fixedRowCount(), 1);
    EXPECT_EQ(model().fixedColumnCount(), 3);
    const std::u16string headers[] = {u"Name", u"Type", u"Size", u"Value"};
    for (int column = 0; column < 4; ++column)
        EXPECT_EQ(model().itemText(0, column), headers[column]);
    EXPECT_EQ(model().columnWidth(0), 120u);
    EXPECT_EQ(model().columnWidth(1), model().defaultCell(CGridModel::CellKind::FixedColumn).width);
    EXPECT_EQ(model().columnWidth(2), 35u);
    EXPECT_EQ(model().columnWidth(3), 180u);
    EXPECT_EQ(model().rowHeight(0), 25u);
    EXPECT_EQ(model().rowHeight(kLabel), 22u);
    EXPECT_EQ(model().itemText(kLevel, 0), u"level");
    EXPECT_EQ(model().itemText(kLevel, 2), u"2");
    EXPECT_EQ(model().itemText(kLabel, 1), u"UTF-8");
    EXPECT_EQ(model().itemText(kLabel, 2), u"8");
    EXPECT_EQ(model().itemData(kCount, 0), 0x20u);
    EXPECT_EQ(int32_t(model().itemData(kOdd, 1)), -1);
    EXPECT_EQ(value(kCount), u"-"); // until the first refresh
    // Only the Value column can be edited.
    EXPECT_FALSE(model().isCellEditable({kCount, 2}));
    EXPECT_TRUE(model().isCellEditable({kCount, 3}));
}

TEST_F(DlgTagsTest, TheGridFollowsTheWindowLessFifteenPixels)
{
    const QPoint origin = dialog->grid().pos();
    dialog->resize(640, 420);
    EXPECT_EQ(dialog->grid().size(), QSize(640 - 15, 420 - 15));
    EXPECT_EQ(dialog->grid().pos(), origin);
}

TEST_F(DlgTagsTest, RefreshShowsTheMemoryAndRepaintsOnlyOnChange)
{
    memory[0x10] = 0xFF;
    memory[0x11] = 0xFF;
    std::memset(memory.data() + 0x20, 0xFF, 4);
    std::memcpy(memory.data() + 0x40, "hi", 3);
    EXPECT_TRUE(dialog->refresh());
    EXPECT_EQ(value(kLevel), u"65535");
    EXPECT_EQ(value(kCount), u"-1");
    EXPECT_EQ(value(kLabel), u"hi");
    EXPECT_EQ(value(kOdd), u"-"); // never read

    QApplication::processEvents();
    PaintCounter counter;
    dialog->grid().viewport()->installEventFilter(&counter);
    EXPECT_FALSE(dialog->refresh());
    QApplication::processEvents();
    EXPECT_EQ(counter.paints, 0);
    std::memcpy(memory.data() + 0x20, "\x07\0\0\0", 4);
    EXPECT_TRUE(dialog->refresh());
    EXPECT_EQ(value(kCount), u"7");
    EXPECT_TRUE(QTest::qWaitFor([&] { return counter.paints > 0; }));
    dialog->grid().viewport()->removeEventFilter(&counter);
    // The timer refreshes on its own.
    memory[0x20] = 9;
    EXPECT_TRUE(QTest::qWaitFor([&] { return value(kCount) == u"9"; }));
}

TEST_F(DlgTagsTest, ATypedValueIsWrittenIntoTheMemory)
{
    type(kCount, "5");
    QTest::keyClick(dialog->grid().editor(), Qt::Key_Return);
    EXPECT_EQ(number(0x20), 5);
    // A short keeps its low 16 bits, shown after the next refresh.
    type(kLevel, "70000");
    QTest::keyClick(dialog->grid().editor(), Qt::Key_Return);
    EXPECT_EQ(memory[0x10] | memory[0x11] << 8, 4464);
    EXPECT_EQ(value(kLevel), u"70000");
    (void)dialog->refresh();
    EXPECT_EQ(value(kLevel), u"4464");
    // A string within its size.
    std::memset(memory.data() + 0x40, 'z', 9);
    type(kLabel, "abcdefghij");
    QTest::keyClick(dialog->grid().editor(), Qt::Key_Tab);
    EXPECT_EQ(std::memcmp(memory.data() + 0x40, "abcdefghz", 9), 0);
}

TEST_F(DlgTagsTest, EscapeAndUnchangedTextWriteNothing)
{
    memory[0x20] = 3;
    (void)dialog->refresh();
    type(kCount, "8");
    QTest::keyClick(dialog->grid().editor(), Qt::Key_Escape);
    EXPECT_EQ(number(0x20), 3);
    EXPECT_EQ(value(kCount), u"3");
    EXPECT_TRUE(dialog->isVisible()); // Escape in the editor does not close the window
    type(kCount, "3");
    memory[0x20] = 4; // changed behind the editor
    QTest::keyClick(dialog->grid().editor(), Qt::Key_Return);
    EXPECT_EQ(number(0x20), 4);
}

TEST_F(DlgTagsTest, TheRefreshLeavesAnOpenEditorAlone)
{
    type(kCount, "12");
    memory[0x20] = 77;
    EXPECT_TRUE(dialog->refresh());
    ASSERT_NE(dialog->grid().editor(), nullptr);
    EXPECT_EQ(dialog->grid().editor()->text(), "12");
    EXPECT_EQ(value(kCount), u"77");
    QTest::keyClick(dialog->grid().editor(), Qt::Key_Return);
    EXPECT_EQ(number(0x20), 12);
}

TEST_F(DlgTagsTest, AnEditOfAnUnknownTypeIsRefused)
{
    std::memset(memory.data() + 0x60, 0xAB, 4);
    type(kOdd, "1");
    QTest::keyClick(dialog->grid().editor(), Qt::Key_Return);
    EXPECT_EQ(value(kOdd), u"-");
    EXPECT_EQ(memory[0x60], 0xAB);
}

TEST_F(DlgTagsTest, CuttingAValueStoresItsEmptyForm)
{
    std::memcpy(memory.data() + 0x20, "\x05\0\0\0", 4);
    std::memcpy(memory.data() + 0x40, "text", 5);
    (void)dialog->refresh();
    model().moveFocus({kCount, CDlgTags::Value}, CGridModel::Extend::No);
    QTest::keyClick(&dialog->grid(), Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(&dialog->grid(), Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(number(0x20), 0);
    EXPECT_EQ(memory[0x40], 0);
}

TEST_F(DlgTagsTest, ClosingHidesTheWindowAndMarksItClosed)
{
    EXPECT_FALSE(dialog->isClosed());
    QTest::keyClick(&dialog->grid(), Qt::Key_Escape);
    EXPECT_TRUE(dialog->isClosed());
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(DlgTagsTest, GoingAwayWithAnOpenEditWritesNothing)
{
    type(kCount, "99");
    dialog.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(number(0x20), 0);
}

class TagsDialogSlotTest : public testing::Test {
protected:
    CTagMemorySource source()
    {
        return [this] { return CTagMemory{memory.data(), uint32_t(memory.size())}; };
    }
    DString write(const std::string& text)
    {
        vx::test::writeFile(dir / "panel.dtags", text);
        return DString(utf8ToWide((dir / "panel.dtags").string()));
    }
    std::array<uint8_t, 64> memory{};
    vx::test::TempDir dir;
    CTagsDialogSlot slot;
};

TEST_F(TagsDialogSlotTest, OpensOneDialogAndAFreshOneAfterClosing)
{
    const DString path = write(vx::test::writeTagsFile(kEntries));
    slot.show(path, source());
    CDlgTags* first = slot.dialog();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isVisible());
    first->setProperty("first", true);
    slot.show(path, source());
    EXPECT_EQ(slot.dialog(), first);
    // Closed: the next request reads the file again.
    first->reject();
    (void)write(vx::test::writeTagsFile(std::span(kEntries).first(1)));
    slot.show(path, source());
    ASSERT_NE(slot.dialog(), nullptr);
    EXPECT_FALSE(slot.dialog()->property("first").isValid());
    EXPECT_EQ(slot.dialog()->grid().model().rowCount(), 2);
}

TEST_F(TagsDialogSlotTest, NoPathOrNoFileOpensNothing)
{
    slot.show(DString(), source());
    EXPECT_EQ(slot.dialog(), nullptr);
    slot.show(DString(utf8ToWide((dir / "missing.dtags").string())), source());
    EXPECT_EQ(slot.dialog(), nullptr);
}

class HostileTagsFile : public TagsDialogSlotTest, public testing::WithParamInterface<std::string> {};

TEST_P(HostileTagsFile, ShowsWhatItCanAndRefreshesSafely)
{
    slot.show(write(GetParam()), source());
    ASSERT_NE(slot.dialog(), nullptr);
    for (int i = 0; i < 3; ++i)
        (void)slot.dialog()->refresh();
    CGridModel& model = slot.dialog()->grid().model();
    for (int row = 1; row < model.rowCount(); ++row) {
        model.moveFocus({row, CDlgTags::Value}, CGridModel::Extend::No);
        QTest::keyClick(&slot.dialog()->grid(), Qt::Key_1);
        if (slot.dialog()->grid().editor())
            QTest::keyClick(slot.dialog()->grid().editor(), Qt::Key_Return);
    }
    (void)slot.dialog()->refresh();
}

INSTANTIATE_TEST_SUITE_P(
    , HostileTagsFile,
    testing::Values(std::string(), std::string("\0\0\0\0", 4), std::string("<tags>"),
                    std::string("<tags><integer address=\"3c\">edge</integer><integer address=\"3d\">past</integer>"
                                "<UTF-32LE address=\"0\" size=\"64\">whole</UTF-32LE></tags>"),
                    std::string("<tags><ASCII address=\"ffffffff\" size=\"4294967295\">wrap</ASCII>"
                                "<UTF-8 address=\"-1\" size=\"-1\">neg</UTF-8>"
                                "<native-encoding address=\"0\" size=\"0\">empty</native-encoding></tags>"),
                    std::string("<tags><x address=\"0\" size=\"9999999999999999999999\">big</x>") +
                        std::string(10000, '<') + "</tags>",
                    std::string(100000, 'A')));

} // namespace
