#include <gtest/gtest.h>

#include <QTest>
#include <QTextBlock>

#include "editor/objects/CObjectNames.h"
#include "editor/views/panes/COutputBar.h"
#include "editor/views/panes/OutputJump.h"
#include "tests/editor/views/page/PageViewHarness.h"

namespace {

constexpr int32_t kText = 2;

// "Page 1" open in a view with "Level" and "Pump" on it, "Alarms" closed with "Horn";
// the output pane jumps through the host, which opens closed pages as the main frame
// does: a new frame whose attach is posted.
class OutputJumpTest : public testing::Test {
protected:
    OutputJumpTest()
    {
        CObjectNames::InitObjectName(page.AddObject(kText, 10, 10), u"Level");
        CObjectNames::InitObjectName(page.AddObject(kText, 80, 10), u"Pump");
        alarms.SetName(u"Alarms");
        CObjectNames::InitObjectName(alarms.AddObject(CEditorObject::CreateObject(kText, &alarms)), u"Horn");
        page.Open(1);
        page.host.openPage = [this](CPage& opened) -> CChildViewPage* {
            ++opens;
            if (&opened == &page.page)
                return &page.View();
            alarmsFrame = new CChildFramePage(page.host, page.environment, opened);
            alarmsFrame->GetView().PostRefreshPage(-1);
            page.host.activeView = &alarmsFrame->GetView();
            return page.host.activeView;
        };
        bar.SetHost(page.host);
        bar.AppendLine(u"Page Page 1: compiling\r\n", 0, nullptr, nullptr);
        bar.AppendLine(u"Warning in Level object: clamped\r\n", 0x00FFFF, nullptr, nullptr);
        bar.AppendLine(u"Page Alarms: compiling\r\n", 0, nullptr, nullptr);
        bar.AppendLine(u"Error in Horn object: Tag not found\r\n", 0x0000FF, nullptr, nullptr);
        bar.AppendLine(u"Error in Siren object: Tag not found\r\n", 0x0000FF, nullptr, nullptr);
        bar.AppendLine(u"Page Gone: compiling\r\n", 0, nullptr, nullptr);
        bar.AppendLine(u"Error in Horn object: Tag not found\r\n", 0x0000FF, nullptr, nullptr);
        bar.resize(500, 300);
        bar.show();
    }
    ~OutputJumpTest() override
    {
        page.host.activeView = nullptr;
        delete alarmsFrame.data();
    }

    QString Highlighted() const { return bar.Edit()->textCursor().selectedText(); }

    vx::test::PageViewHarness page;
    CPage& alarms = page.project.AddPage();
    QPointer<CChildFramePage> alarmsFrame;
    int opens = 0;
    COutputBar bar;
};

TEST_F(OutputJumpTest, AnOpenPageGetsTheNamedObjectAsItsOnlySelection)
{
    ASSERT_TRUE(page.Object(1).IsSelected());
    const QRect line = bar.Edit()->cursorRect(QTextCursor(bar.Edit()->document()->findBlockByNumber(1)));
    QTest::mouseDClick(bar.Edit()->viewport(), Qt::LeftButton, {}, line.center());
    EXPECT_EQ(opens, 1);
    EXPECT_TRUE(page.Object(0).IsSelected());
    EXPECT_FALSE(page.Object(1).IsSelected());
    EXPECT_EQ(Highlighted(), QStringLiteral("Warning in Level object: clamped"));
}

TEST_F(OutputJumpTest, AClosedPageOpensWithTheObjectSelectedOnceAttached)
{
    bar.Edit()->OnLine(3);
    EXPECT_EQ(opens, 1);
    ASSERT_TRUE(alarmsFrame);
    QTRY_VERIFY(alarmsFrame->GetView().GetPage() == &alarms);
    CEditorObject* horn = alarmsFrame->GetView().GetObjectAt(0);
    ASSERT_NE(horn, nullptr);
    QTRY_VERIFY(horn->IsSelected());
    EXPECT_EQ(Highlighted(), QStringLiteral("Error in Horn object: Tag not found"));
}

TEST_F(OutputJumpTest, AClosedPageWithoutTheObjectStaysClosedAndAnUnknownPageDoesNothing)
{
    bar.Edit()->OnLine(4);
    EXPECT_EQ(opens, 0);
    EXPECT_FALSE(alarmsFrame);
    // The page was found, so the line is marked.
    EXPECT_EQ(Highlighted(), QStringLiteral("Error in Siren object: Tag not found"));

    bar.Edit()->setTextCursor(QTextCursor(bar.Edit()->document()));
    bar.Edit()->OnLine(6);
    EXPECT_EQ(opens, 0);
    EXPECT_TRUE(Highlighted().isEmpty());
    EXPECT_FALSE(OutputJump::JumpTo(page.host, {u"Gone", u"Horn"}));
}

TEST_F(OutputJumpTest, ProgressGoesToTheTailOfTheLastLine)
{
    bar.Clear();
    bar.AppendText(QStringLiteral("Compiling   7 %"), 0);
    bar.ShowProgress(u" 42 %");
    EXPECT_EQ(bar.Text(), QStringLiteral("Compiling  42 %"));
}

} // namespace
