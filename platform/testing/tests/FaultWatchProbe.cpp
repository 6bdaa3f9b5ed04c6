// A test whose timer callback faults. The system's message dispatch swallows the fault,
// so the test itself ends as passed; the program must still fail, naming the test.
#include <gtest/gtest.h>

#include <windows.h>

namespace
{
volatile int* g_pNowhere = NULL;
bool g_bTimerRan = false;

void CALLBACK FaultingTick(HWND, UINT, UINT_PTR nTimer, DWORD)
{
    ::KillTimer(NULL, nTimer);
    g_bTimerRan = true;
    *g_pNowhere = 1;
}
} // namespace

TEST(FaultWatch, AFaultInATimerCallbackFailsTheProgram)
{
    ::SetTimer(NULL, 0, 10, FaultingTick);
    const DWORD dwEnd = ::GetTickCount() + 5000;
    MSG msg;
    while (!g_bTimerRan && ::GetTickCount() < dwEnd)
    {
        if (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&msg);
        else
            ::Sleep(1);
    }
    EXPECT_TRUE(g_bTimerRan);
}
