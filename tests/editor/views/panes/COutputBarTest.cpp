#include <gtest/gtest.h>

#include <QTest>
#include <QTextBlock>

#include "editor/views/panes/COutputBar.h"

namespace {

struct LineCase {
    const char* name;
    std::vector<std::u16string> lines;
    std::size_t clicked;
    std::optional<std::u16string> page;
    std::u16string object;
};

class OutputLine : public testing::TestWithParam<LineCase> {};

TEST_P(OutputLine, NamesThePageAndObject)
{
    const auto target = FindOutputLineTarget(GetParam().lines, GetParam().clicked);
    ASSERT_EQ(target.has_value(), GetParam().page.has_value());
    if (target) {
        EXPECT_EQ(target->page, *GetParam().page);
        EXPECT_EQ(target->object, GetParam().object);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, OutputLine,
    testing::Values(
        LineCase{"Warning",
                 {u"Page Main: compiling", u"Error in Pump object: Tag not found", u"Warning in Level object: clamped"},
                 2, u"Main", u"Level"},
        LineCase{"ErrorToTheEnd", {u"Page Alarms", u"Error in Horn"}, 1, u"Alarms", u"Horn"},
        LineCase{"NearestPageAbove", {u"Page A: x", u"Page B: y", u"Error in X object: z"}, 2, u"B", u"X"},
        LineCase{"ColonRightAfterPage", {u"Page:Main", u"Error in X object: z"}, 1, u"", u"X"},
        LineCase{"ShortPageLine", {u"Page", u"Warning in Y"}, 1, u"", u"Y"},
        LineCase{"NoPageAbove", {u"Error in X object: z"}, 0, std::nullopt, u""},
        LineCase{"PlainLine", {u"Page A: x", u"Compiled 3 pages"}, 1, std::nullopt, u""},
        LineCase{"WarningNamingNothing", {u"Page A: x", u"Warning"}, 1, std::nullopt, u""},
        LineCase{"OutOfRange", {u"Page A: x"}, 4, std::nullopt, u""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(COutputBar, ProgressReplacedInPlaceLeavesNothingOfTheOldNumber)
{
    COutputBar bar;
    bar.AppendText(QStringLiteral("Downloading   0 %"), 0x0000FF);
    bar.ReplaceTail(QStringLiteral(" 45 %"));
    bar.ReplaceTail(QStringLiteral("100 %"));
    EXPECT_EQ(bar.Text(), QStringLiteral("Downloading 100 %"));
    bar.AppendText(QStringLiteral("\nred line"), 0x0000FF);
    const QTextBlock last = bar.Edit()->document()->lastBlock();
    EXPECT_EQ(last.begin().fragment().charFormat().foreground().color(), QColor(255, 0, 0));
}

TEST(COutputBar, TheTextFillsThePaneInsideAOnePixelShadowFrame)
{
    COutputBar bar;
    bar.resize(200, 100);
    bar.show();
    QTRY_VERIFY(bar.Edit()->isVisible());
    EXPECT_EQ(bar.Edit()->geometry(), QRect(1, 1, 198, 98));
    const QImage image = bar.grab().toImage();
    const QColor shadow = bar.palette().color(QPalette::Dark);
    for (const QPoint corner : {QPoint(0, 0), QPoint(199, 0), QPoint(0, 99), QPoint(199, 99), QPoint(100, 99)})
        EXPECT_EQ(image.pixelColor(corner).rgb(), shadow.rgb()) << corner.x() << "," << corner.y();
}

TEST(COutputBar, ADoubleClickOnADiagnosticJumpsAndHighlightsTheLine)
{
    COutputBar bar;
    bar.AppendLine(u"Page Main: compiling\r\n", 0, nullptr, nullptr);
    bar.AppendLine(u"Warning in Level object: clamped\r\n", 0x00FFFF, nullptr, nullptr);
    std::vector<OutputLineTarget> jumps;
    bool pageFound = false;
    bar.Edit()->SetJump([&](const OutputLineTarget& target) {
        jumps.push_back(target);
        return pageFound;
    });
    bar.resize(400, 200);
    bar.show();
    bar.Edit()->OnLine(1);
    ASSERT_EQ(jumps.size(), 1u);
    EXPECT_FALSE(bar.Edit()->textCursor().hasSelection());
    pageFound = true;
    const QRect line = bar.Edit()->cursorRect(QTextCursor(bar.Edit()->document()->findBlockByNumber(1)));
    QTest::mouseDClick(bar.Edit()->viewport(), Qt::LeftButton, {}, line.center());
    ASSERT_EQ(jumps.size(), 2u);
    EXPECT_EQ(jumps[1].page, u"Main");
    EXPECT_EQ(jumps[1].object, u"Level");
    EXPECT_EQ(bar.Edit()->textCursor().selectedText(), QStringLiteral("Warning in Level object: clamped"));
}

} // namespace
