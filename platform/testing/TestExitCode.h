// The exit code of a test program, so that CTest tells a program whose every test was
// skipped apart from one whose tests passed.
#pragma once

// CTest shows a program that ends with this code as skipped (its SKIP_RETURN_CODE).
const int kEveryTestSkippedExitCode = 77;

// What main() returns after RUN_ALL_TESTS(): the skip code when no test failed, none
// passed and at least one was skipped; RUN_ALL_TESTS()'s own result otherwise.
int TestProgramExitCode(int nRunAllTestsResult);
