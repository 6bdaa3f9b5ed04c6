// Start-up of the real Vorn.exe to an idle main frame with the default layout (no saved
// layout, no project, no file): from the process's creation until its main window
// shows and its message queue is idle. Run with build*/wine-run.sh (not a test).
#include "VornProcess.h"
#include "VornTestFolder.h"

#include <algorithm>
#include <stdio.h>
#include <vector>

int main()
{
    CTestFolder folder;
    CVornProcess vorn(folder.Path(), "VornStartupBench.exe");
    if (!vorn.IsInstalled())
    {
        printf("cannot copy the program\n");
        return 1;
    }
    const int kRuns = 7;
    std::vector<double> times;
    for (int i = 0; i < kRuns; i++)
    {
        vorn.DeleteRegistryKey();
        LARGE_INTEGER freq, start, end;
        ::QueryPerformanceFrequency(&freq);
        ::QueryPerformanceCounter(&start);
        if (!vorn.Start() || vorn.WaitForMainWindow() == NULL)
        {
            printf("run %d: the IDE did not start\n", i + 1);
            return 1;
        }
        ::QueryPerformanceCounter(&end);
        const double ms = (end.QuadPart - start.QuadPart) * 1000.0 / freq.QuadPart;
        times.push_back(ms);
        printf("run %d: %.0f ms\n", i + 1, ms);
        if (!vorn.Close())
        {
            printf("run %d: the IDE did not close\n", i + 1);
            return 1;
        }
    }
    vorn.DeleteRegistryKey();
    std::sort(times.begin(), times.end());
#if defined(_WIN64)
    const char* pszArch = "x64";
#else
    const char* pszArch = "i686";
#endif
    printf("start-up to an idle main frame (%s, default layout): median %.0f ms, best %.0f ms, worst %.0f ms\n",
           pszArch, times[kRuns / 2], times.front(), times.back());
    return 0;
}
