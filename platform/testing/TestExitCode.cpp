#include "TestExitCode.h"

#include <gtest/gtest.h>

int TestProgramExitCode(int nRunAllTestsResult)
{
    const ::testing::UnitTest& unit = *::testing::UnitTest::GetInstance();
    if (nRunAllTestsResult == 0 && unit.failed_test_count() == 0 && unit.successful_test_count() == 0
        && unit.skipped_test_count() > 0)
        return kEveryTestSkippedExitCode;
    return nRunAllTestsResult;
}
