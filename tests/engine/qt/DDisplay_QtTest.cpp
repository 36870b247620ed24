#include <gtest/gtest.h>

#include <QAction>
#include <QKeyEvent>
#include <QMenuBar>
#include <QTest>

#include "tests/support/engine/RecordingInput.h"
#include "engine/qt/DDisplay_Qt.h"
#include "engine/qt/DKeyTranslation.h"
#include "tests/support/ScriptedPrompts.h"

namespace {

class DisplayTest : public testing::Test {
protected:
    void SetUp() override
    {
        display.setInputSink(&project);
        ASSERT_EQ(display.open(nullptr, 320, 240), 0);
        canvas = display.window()->canvas();
        ASSERT_NE(canvas, nullptr);
        ASSERT_EQ(display.processMessages(), 1);
    }

    void sendKey(QEvent::Type type, int key, const QString& text, bool autoRepeat)
    {
        QKeyEvent event(type, key, Qt::NoModifier, text, autoRepeat);
        QCoreApplication::sendEvent(canvas, &event);
    }

    vx::test::RecordingInput project;
    DDisplay_Qt display;
    DEngineCanvas* canvas = nullptr;
};

QAction* action(QWidget* window, const char* name)
{
    return window->findChild<QAction*>(QString::fromLatin1(name));
}

} // namespace

TEST_F(DisplayTest, WindowHasTheClientSizeTitleAndMenus)
{
    EXPECT_EQ(display.window()->windowTitle(), "VX-Engine");
    EXPECT_EQ(canvas->size(), QSize(320, 240));
    ASSERT_EQ(display.setSize({800, 480}), 0);
    EXPECT_EQ(canvas->size(), QSize(800, 480));
    EXPECT_EQ(display.size(), (DSize{800, 480}));

    QStringList menus;
    for (QAction* menu : display.window()->menuBar()->actions())
        menus << menu->text();
    EXPECT_EQ(menus, QStringList({"Project", "Help"}));
    EXPECT_EQ(action(display.window(), "tags")->text(), "Tags...");
    EXPECT_EQ(action(display.window(), "tags")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_T));
    EXPECT_EQ(action(display.window(), "exit")->text(), "Exit");
}

TEST_F(DisplayTest, AboutAndTagsCommands)
{
    vx::test::ScriptedPrompts prompts;
    action(display.window(), "about")->trigger();
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, "VX-Engine version 1.50");
    EXPECT_EQ(prompts.messages[0].icon, Prompts::Icon::Information);

    int tagsRequests = 0;
    display.setTagsHandler([&] { ++tagsRequests; });
    display.window()->activateWindow();
    QTest::keyClick(canvas, Qt::Key_T, Qt::ControlModifier);
    EXPECT_EQ(tagsRequests, 1);
}

TEST_F(DisplayTest, KeysReachTheProjectOnceWithoutAutoRepeat)
{
    sendKey(QEvent::KeyPress, Qt::Key_Left, {}, false);
    EXPECT_EQ(project.lastKeyDown, 1u);
    sendKey(QEvent::KeyPress, Qt::Key_A, "a", false);
    EXPECT_EQ(project.lastKeyDown, uint32_t('a'));
    sendKey(QEvent::KeyPress, Qt::Key_Return, "\r", true); // a repeat: ignored
    EXPECT_EQ(project.lastKeyDown, uint32_t('a'));
    sendKey(QEvent::KeyRelease, Qt::Key_Return, "\r", true);
    EXPECT_EQ(project.lastKeyUp, 0u);
    sendKey(QEvent::KeyRelease, Qt::Key_A, "a", false);
    EXPECT_EQ(project.lastKeyUp, uint32_t('a'));
}

TEST_F(DisplayTest, OnlyTheLeftButtonActsAndMovesCountOnlyWhileItIsHeld)
{
    QTest::mouseMove(canvas, QPoint(10, 10));
    EXPECT_EQ(project.pointerEvents, 0);
    QTest::mousePress(canvas, Qt::RightButton, Qt::NoModifier, QPoint(20, 20));
    EXPECT_EQ(project.pointerEvents, 0);
    QTest::mouseRelease(canvas, Qt::RightButton, Qt::NoModifier, QPoint(20, 20));
    QTest::mousePress(canvas, Qt::LeftButton, Qt::NoModifier, QPoint(30, 40));
    EXPECT_EQ(project.pointerEvents, 1);
    EXPECT_EQ(project.lastPointer, (DPoint{30, 40}));
    QMouseEvent move(QEvent::MouseMove, QPointF(35, 45), QPointF(35, 45), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(canvas, &move);
    EXPECT_EQ(project.pointerEvents, 2);
    QTest::mouseRelease(canvas, Qt::LeftButton, Qt::NoModifier, QPoint(36, 46));
    EXPECT_EQ(project.pointerEvents, 3);
    EXPECT_EQ(project.lastPointer, (DPoint{36, 46}));
}

TEST_F(DisplayTest, CloseAndExitEndTheLoop)
{
    action(display.window(), "exit")->trigger();
    EXPECT_EQ(display.processMessages(), 0);
    DDisplay_Qt other;
    ASSERT_EQ(other.open(nullptr, 100, 100), 0);
    other.window()->close();
    EXPECT_EQ(other.processMessages(), 0);
}

TEST(DKeyTranslation, PanelCodes)
{
    struct Case {
        int key;
        QString text;
        uint32_t code;
    };
    const Case cases[] = {
        {Qt::Key_Left, {}, 1},        {Qt::Key_Right, {}, 2},     {Qt::Key_Up, {}, 5},
        {Qt::Key_Down, {}, 6},        {Qt::Key_Backspace, "\b", 8}, {Qt::Key_Delete, {}, 12},
        {Qt::Key_Return, "\r", 13},   {Qt::Key_Escape, "\x1b", 27}, {Qt::Key_Space, " ", 32},
        {Qt::Key_Home, {}, 36},       {Qt::Key_A, "A", 'A'},      {Qt::Key_5, "5", '5'},
        {Qt::Key_F1, {}, 0},          {Qt::Key_A, "\x01", 0},
        {Qt::Key_unknown, QString::fromUtf16(u"\xD83D\xDE00"), 0xDE00u * 65536u + 0xD83Du},
        {Qt::Key_unknown, QString::fromUtf16(u"\u00e9"), 0xE9},
    };
    for (const Case& c : cases)
        EXPECT_EQ(translateKey(c.key, c.text), c.code) << c.key;
}
