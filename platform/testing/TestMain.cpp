// Entry of the test programs that need nothing set up before their tests.
#include "TestExitCode.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    return TestProgramExitCode(RUN_ALL_TESTS());
}
