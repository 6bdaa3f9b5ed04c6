// Entry of the window-layer test programs: the application object is set up as the
// library's WinMain would, then the tests run on this (the user-interface) thread.
#include "wintest.h"
#include "TestExitCode.h"

CTestApp theApp;

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (!AfxWinInit(::GetModuleHandle(NULL), NULL, ::GetCommandLine(), SW_SHOWNORMAL))
        return 2;
    return TestProgramExitCode(RUN_ALL_TESTS());
}
