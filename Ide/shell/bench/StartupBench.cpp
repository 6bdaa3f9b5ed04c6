// Start-up of the real Vorn.exe to an idle main frame with the default layout (no saved
// layout, no project, no file): from the process's creation until its main window
// shows and its message queue is idle. Each round starts the program alone (the
// baseline) and the program with the files the build ships beside it (the standard
// library's definition list, the snippets, the external tools). Run with
// build*/wine-run.sh (not a test).
#include "BenchClock.h"
#include "VornProcess.h"
#include "VornTestFolder.h"

#include <stdio.h>
#include <vector>

namespace
{
// The files a user's program folder holds besides the programs, copied from the build's.
bool CopyShippedFiles(const CString& strFolder)
{
    const CString strBin = TestProgramFolder() + "..\\bin\\";
    bool bCopied = ::CopyFileA(strBin + "lua51.fdl", strFolder + "lua51.fdl", FALSE)
                   && ::CopyFileA(strBin + "exttools.xml", strFolder + "exttools.xml", FALSE);
    ::CreateDirectoryA(strFolder + "CodeSnippets", NULL);
    WIN32_FIND_DATAA find;
    HANDLE hFind = ::FindFirstFileA(strBin + "CodeSnippets\\*.vcs", &find);
    if (hFind == INVALID_HANDLE_VALUE)
        return false;
    do
        bCopied = bCopied && ::CopyFileA(strBin + "CodeSnippets\\" + find.cFileName,
                                         strFolder + "CodeSnippets\\" + find.cFileName, FALSE);
    while (::FindNextFileA(hFind, &find));
    ::FindClose(hFind);
    return bCopied;
}

// One start to an idle main frame and its close; a negative time when either fails.
double TimeOneStart(CVornProcess& vorn)
{
    vorn.DeleteRegistryKey();
    const double t0 = Milliseconds();
    if (!vorn.Start() || vorn.WaitForMainWindow() == NULL)
        return -1;
    const double dMs = Milliseconds() - t0;
    if (!vorn.Close())
        return -1;
    return dMs;
}
} // namespace

int main()
{
    CTestFolder bareFolder, shippedFolder;
    CVornProcess bare(bareFolder.Path(), "VornStartupBench.exe");
    CVornProcess shipped(shippedFolder.Path(), "VornStartupBench.exe");
    if (!bare.IsInstalled() || !shipped.IsInstalled() || !CopyShippedFiles(shippedFolder.Path()))
    {
        printf("cannot copy the program and its files\n");
        return 1;
    }
    const int kRounds = 7;
    std::vector<double> bareTimes, shippedTimes, ratios;
    for (int i = 0; i < kRounds; i++)
    {
        const double msBare = TimeOneStart(bare);
        const double msShipped = TimeOneStart(shipped);
        if (msBare < 0 || msShipped < 0)
        {
            printf("round %d: the IDE did not start or close\n", i + 1);
            return 1;
        }
        bareTimes.push_back(msBare);
        shippedTimes.push_back(msShipped);
        ratios.push_back(msShipped / msBare);
        printf("round %d: alone %.0f ms, with the shipped files %.0f ms\n", i + 1, msBare, msShipped);
    }
    bare.DeleteRegistryKey();
#if defined(_WIN64)
    const char* pszArch = "x64";
#else
    const char* pszArch = "i686";
#endif
    printf("start-up to an idle main frame (%s, default layout): median %.0f ms alone, %.0f ms with the shipped "
           "files; ratio %.2f (median of the rounds' ratios)\n",
           pszArch, Median(bareTimes), Median(shippedTimes), Median(ratios));
    return 0;
}
