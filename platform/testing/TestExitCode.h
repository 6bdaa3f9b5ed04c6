// The exit code of a test program, so that CTest tells a program whose every test was
// skipped apart from one whose tests passed, and fails a program whose code faulted even
// where the system swallowed the fault (a timer callback's, for one).
#pragma once

// CTest shows a program that ends with this code as skipped (its SKIP_RETURN_CODE).
const int kEveryTestSkippedExitCode = 77;

// How many hardware faults (access violations and the like) were raised in this
// program's own code so far, caught or not.
int SwallowedFaultCount();

// What main() returns after RUN_ALL_TESTS(): 1 when this program's code faulted; else
// the skip code when no test failed, none passed and at least one was skipped;
// RUN_ALL_TESTS()'s own result otherwise.
int TestProgramExitCode(int nRunAllTestsResult);
