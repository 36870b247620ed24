#include <gtest/gtest.h>

#include "tests/support/TestEnvironment.h"

int main(int argc, char** argv)
{
    vx::test::isolateEnvironment();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
