#include <gtest/gtest.h>

#include <QEventLoop>
#include <QTest>
#include <QTimer>

#include "platform/ui/IdleHook.h"

namespace {

TEST(IdleHook, RunsItsTasksInOrderWhenTheLoopIsAboutToWait)
{
    IdleHook hook;
    std::vector<int> ran;
    hook.add([&] { ran.push_back(1); });
    hook.add([&] { ran.push_back(2); });
    QTRY_VERIFY(hook.passes() > 0);
    ASSERT_GE(ran.size(), 2u);
    EXPECT_EQ(ran[0], 1);
    EXPECT_EQ(ran[1], 2);
}

TEST(IdleHook, ATaskThatRunsALoopOfItsOwnStartsNoPassInsideItself)
{
    IdleHook hook;
    int depth = 0;
    int deepest = 0;
    int nestedLoops = 0;
    hook.add([&] {
        ++depth;
        deepest = std::max(deepest, depth);
        if (nestedLoops < 2) {
            // A modal dialog's loop: it blocks and wakes while the pass is still running.
            ++nestedLoops;
            QEventLoop loop;
            QTimer::singleShot(5, &loop, &QEventLoop::quit);
            loop.exec();
        }
        --depth;
    });
    QTRY_VERIFY(nestedLoops == 2 && depth == 0);
    EXPECT_EQ(deepest, 1);
}

} // namespace
