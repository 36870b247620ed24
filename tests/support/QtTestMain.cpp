// Test main for code that needs a QApplication: Qt runs on its offscreen platform,
// so no display is needed and nothing modal can block.
#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

#include "tests/support/TestEnvironment.h"

int main(int argc, char** argv)
{
    vx::test::isolateEnvironment();
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
