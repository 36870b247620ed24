#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

#include "editor/document/PropertyKind.h"
#include "editor/views/dialogs/CDlgMultitext.h"
#include "editor/views/dialogs/CDlgResizeLayout.h"
#include "editor/views/dialogs/CListColors.h"
#include "editor/views/dialogs/CListFiles.h"
#include "editor/views/dialogs/CListMessages.h"
#include "editor/views/dialogs/ListValue.h"
#include "tests/support/ScriptedPrompts.h"

namespace {

const std::u16string S(1, kListSeparator);

TEST(ListValue, ColoursSkipRunsOfSeparatorsAndMissingRowsAreBlack)
{
    EXPECT_EQ(ListValue::ParseColors(u"ff" + S, 3), (std::vector<uint32_t>{0xFF, 0, 0}));
    EXPECT_EQ(ListValue::JoinColors({0xFF, 0, 0}), u"ff" + S + u"0" + S + u"0" + S);
    EXPECT_EQ(ListValue::ParseColors(S + S + u"FF00" + S + S + u"c0c0c0", 2), (std::vector<uint32_t>{0xFF00, 0xC0C0C0}));
    EXPECT_EQ(ListValue::ParseColors(u"zz" + S + u"10", 2), (std::vector<uint32_t>{0, 0x10}));
}

TEST(ListValue, AColourIsTheTokensLeadingHexadecimalNumber)
{
    EXPECT_EQ(ListValue::ParseColors(u"12zz" + S + u" 0xC0" + S + u"123456789" + S + u"-", 4),
              (std::vector<uint32_t>{0x12, 0xC0, 0xFFFFFFFF, 0}));
    EXPECT_EQ(ListValue::JoinColors({0xFFFFFFFF, 0xA}), u"ffffffff" + S + u"a" + S);
}

TEST(ListValue, TextsKeepEmptyPiecesAndRowsBeyondThemAreEmpty)
{
    EXPECT_EQ(ListValue::ParseTexts(u"a" + S + S + u"c" + S, 4), (std::vector<std::u16string>{u"a", u"", u"c", u""}));
    EXPECT_EQ(ListValue::ParseTexts(u"a" + S + u"b", 1), (std::vector<std::u16string>{u"a"}));
    EXPECT_EQ(ListValue::JoinTexts({u"a", u""}), u"a" + S + S);
    for (const int64_t count : {0, -4})
        EXPECT_EQ(ListValue::RowCount(count), 1);
    EXPECT_EQ(ListValue::RowCount(7), 7);
}

struct MoveCase {
    unsigned flags;
    QRect expected;
};

TEST(CDlgResizeLayout, EdgesFollowTheChangeWholeOrHalf)
{
    const QRect start(10, 20, 100, 50);
    // dx = 31, dy = -11: halves truncate towards zero (15, -5).
    const MoveCase cases[] = {
        {0, start},
        {CDlgResizeLayout::LeftFollows | CDlgResizeLayout::RightFollows, QRect(41, 20, 100, 50)},
        {CDlgResizeLayout::kGrows, QRect(10, 20, 131, 39)},
        {CDlgResizeLayout::kKeepsToBottomRight, QRect(41, 9, 100, 50)},
        {CDlgResizeLayout::LeftFollowsHalf | CDlgResizeLayout::RightFollowsHalf, QRect(25, 20, 100, 50)},
        {CDlgResizeLayout::TopFollowsHalf | CDlgResizeLayout::BottomFollows, QRect(10, 15, 100, 44)},
    };
    for (const MoveCase& c : cases)
        EXPECT_EQ(CDlgResizeLayout::Moved(start, c.flags, 31, -11), c.expected) << c.flags;
}

TEST(CDlgResizeLayout, DialogUnitsScaleByTheFontsBaseUnits)
{
    EXPECT_EQ(CDlgResizeLayout::DlgUnitsToPixels(QRect(5, 5, 155, 102), 6, 13), QRect(8, 8, 232, 166));
}

// An owner of 300 x 200 with a control at (10, 20, 100 x 50) under the flags.
struct LaidOut {
    explicit LaidOut(unsigned flags)
    {
        owner.resize(300, 200);
        control = new QWidget(&owner);
        control->setGeometry(10, 20, 100, 50);
        layout.Init(&owner);
        layout.Add(control, flags);
        layout.Add(control, 0);
    }
    QWidget owner;
    QWidget* control;
    CDlgResizeLayout layout;
};

TEST(CDlgResizeLayout, MinimisingMovesNothingAndAControlIsRegisteredOnce)
{
    LaidOut grows(CDlgResizeLayout::kGrows);
    EXPECT_TRUE(grows.layout.Contains(grows.control));
    grows.layout.Apply(CDlgResizeLayout::SizeType::Minimized, 0, 0);
    EXPECT_EQ(grows.control->geometry(), QRect(10, 20, 100, 50));
    // The first registration holds: the control grows.
    grows.layout.Apply(CDlgResizeLayout::SizeType::Maximized, 400, 260);
    EXPECT_EQ(grows.control->geometry(), QRect(10, 20, 200, 110));

    CDlgResizeLayout uninitialised;
    QWidget alone;
    alone.setGeometry(1, 2, 3, 4);
    uninitialised.Add(&alone, CDlgResizeLayout::kKeepsToBottomRight);
    uninitialised.Apply(CDlgResizeLayout::SizeType::Restored, 500, 500);
    EXPECT_EQ(alone.geometry(), QRect(1, 2, 3, 4));
}

TEST(CDlgResizeLayout, AControlThatOnlyMovesKeepsItsSizeAndOneThatOnlyGrowsItsPlace)
{
    LaidOut moves(CDlgResizeLayout::LeftFollows | CDlgResizeLayout::TopFollowsHalf);
    moves.control->resize(70, 40);
    moves.layout.Apply(CDlgResizeLayout::SizeType::Restored, 350, 221);
    EXPECT_EQ(moves.control->geometry(), QRect(60, 30, 70, 40));

    LaidOut grows(CDlgResizeLayout::RightFollowsHalf);
    grows.control->move(5, 6);
    grows.layout.Apply(CDlgResizeLayout::SizeType::Restored, 350, 200);
    EXPECT_EQ(grows.control->geometry(), QRect(5, 6, 125, 50));
}

TEST(CListDialog, EnlargingWidensTheGridAndMovesCloseWithoutDrift)
{
    CListMessages dialog(3, u"", nullptr);
    dialog.show();
    const QRect grid = dialog.Grid()->geometry();
    const QRect close = dialog.CloseButton()->geometry();
    dialog.resize(dialog.width() + 100, dialog.height());
    QTRY_COMPARE(dialog.Grid()->width(), grid.width() + 100);
    EXPECT_EQ(dialog.CloseButton()->geometry(), close.translated(100, 0));
    dialog.resize(dialog.width() + 50, dialog.height() + 20);
    dialog.resize(dialog.width() - 150, dialog.height() - 20);
    // Back at the start size: nothing drifted.
    QTRY_COMPARE(dialog.Grid()->geometry(), grid);
    EXPECT_EQ(dialog.CloseButton()->geometry(), close);
}

TEST(CListDialog, MessagesComeBackWithTheirEditsEachEndedBySeparator)
{
    CListMessages dialog(3, u"one" + S + S + u"three" + S, nullptr);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Message editor"));
    EXPECT_EQ(dialog.Grid()->horizontalHeaderItem(1)->text(), QStringLiteral("Message"));
    EXPECT_EQ(dialog.Grid()->item(1, 0)->text(), QStringLiteral("1"));
    EXPECT_EQ(dialog.Grid()->item(1, 1)->text(), QString());
    dialog.Grid()->item(1, 1)->setText(QStringLiteral("two"));
    QTest::mouseClick(dialog.CloseButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Result(), u"one" + S + u"two" + S + u"three" + S);
}

TEST(CListDialog, ColoursShowTheirValuesAndTheCloseBoxCancels)
{
    CListColors dialog(3, u"ff" + S, nullptr);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Color editor"));
    EXPECT_EQ(dialog.Button(0)->text(), QStringLiteral("ff"));
    EXPECT_EQ(dialog.Button(2)->text(), QStringLiteral("0"));
    dialog.SetColor(2, 0xC08040);
    EXPECT_EQ(dialog.Button(2)->icon().pixmap(14, 14).toImage().pixelColor(7, 7), QColor(0x40, 0x80, 0xC0));
    dialog.reject();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(dialog.Result(), u"ff" + S + u"0" + S + u"c08040" + S);
}

TEST(CListDialog, ABrowsedFileIsKeptRelativeToTheProjectAndItsFolderRemembered)
{
    vx::test::ScriptedPrompts prompts;
    prompts.fileAnswers.push_back(QStringLiteral("/data/panel/images/pump.png"));
    prompts.fileAnswers.push_back(QStringLiteral("/elsewhere/logo.png"));
    QString remembered;
    CListFiles dialog(2, u"", {QStringLiteral("/data/panel"), [] { return QStringLiteral("/data/start"); },
                               [&](const QString& folder) { remembered = folder; }});
    dialog.show();
    QTest::mouseClick(dialog.Item(0)->Button(), Qt::LeftButton);
    ASSERT_EQ(prompts.fileRequests.size(), 1u);
    EXPECT_EQ(prompts.fileRequests[0].folder, QStringLiteral("/data/start"));
    EXPECT_TRUE(prompts.fileRequests[0].mustExist);
    EXPECT_EQ(dialog.Item(0)->Path(), QStringLiteral("images/pump.png"));
    EXPECT_EQ(remembered, QStringLiteral("/data/panel/images"));
    QTest::mouseClick(dialog.Item(1)->Button(), Qt::LeftButton);
    EXPECT_EQ(dialog.Item(1)->Path(), QStringLiteral("../../elsewhere/logo.png"));
    dialog.accept();
    EXPECT_EQ(dialog.Result(), u"images/pump.png" + S + u"../../elsewhere/logo.png" + S);
    // A project with no folder yet keeps the full path.
    EXPECT_EQ(CFileItem::RelativeTo(QString(), QStringLiteral("/a/b.png")), QStringLiteral("/a/b.png"));
}

TEST(CDlgMultitext, ReturnGoesIntoTheTextAndOkHandsItBack)
{
    CDlgMultitext dialog(QStringLiteral("line one"));
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Dialog"));
    EXPECT_EQ(dialog.Edit()->lineWrapMode(), QPlainTextEdit::NoWrap);
    dialog.Edit()->moveCursor(QTextCursor::End);
    QTest::keyClick(dialog.Edit(), Qt::Key_Return);
    QTest::keyClicks(dialog.Edit(), QStringLiteral("line two"));
    EXPECT_TRUE(dialog.isVisible());
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Text(), QStringLiteral("line one\nline two"));
    // The controls stand where the template puts them.
    EXPECT_EQ(dialog.Edit()->geometry(), CDlgResizeLayout::DlgUnitsToPixels(CDlgMultitext::kEditUnits, dialog));
    EXPECT_LT(dialog.Edit()->geometry().right(), dialog.OkButton()->geometry().left());
}

} // namespace
