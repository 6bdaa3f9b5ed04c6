// Entry of the framework's test programs: the application object is set up as the
// library's WinMain would, then the tests run on the user-interface thread.
#include "ulvanetest.h"
#include "TestExitCode.h"

CUlvaneTestApp theApp;

int main(int argc, char** argv)
{
    // Unbuffered, so a run stopped at its time limit shows the test it stopped in.
    setvbuf(stdout, NULL, _IONBF, 0);
    ::testing::InitGoogleTest(&argc, argv);
    if (!AfxWinInit(::GetModuleHandle(NULL), NULL, ::GetCommandLine(), SW_SHOWNORMAL))
        return 2;
    theApp.SetRegistryKey("Vorn Tests");
    return TestProgramExitCode(RUN_ALL_TESTS());
}
