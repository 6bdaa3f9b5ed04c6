// The framework's process-wide objects as another process sees them, and what is left
// of them at a process's exit, through a probe program that uses the framework.
#include <gtest/gtest.h>

#include <afxwin.h>

#include <string>
#include <vector>

#include "CExtControlBar.h"
#include "CExtPopupMenuWnd.h"
#include "CExtToolControlBar.h"
#include "RegisteredMessages.h"

namespace
{
struct ProbeRun
{
    bool bRan = false;
    DWORD dwExitCode = (DWORD)-1;
    std::vector<std::string> lines;
};

// Runs the probe beside this program with one mode and collects its output lines.
ProbeRun RunProbe(const char* pszMode)
{
    ProbeRun run;
    char szPath[MAX_PATH] = "";
    ::GetModuleFileNameA(NULL, szPath, MAX_PATH);
    char* pszSlash = strrchr(szPath, '\\');
    if (pszSlash == NULL)
        return run;
    strcpy(pszSlash + 1, "ulvane_process_probe.exe");
    SECURITY_ATTRIBUTES sa = {sizeof(sa), NULL, TRUE};
    HANDLE hRead = NULL, hWrite = NULL;
    if (!::CreatePipe(&hRead, &hWrite, &sa, 0))
        return run;
    ::SetHandleInformation(hRead, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA si;
    memset(&si, 0, sizeof(si));
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = si.hStdError = hWrite;
    si.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION pi;
    std::string strCommand = std::string("\"") + szPath + "\" " + pszMode;
    std::vector<char> command(strCommand.begin(), strCommand.end());
    command.push_back(0);
    const BOOL bStarted = ::CreateProcessA(szPath, command.data(), NULL, NULL, TRUE, 0, NULL, NULL, &si, &pi);
    ::CloseHandle(hWrite);
    if (!bStarted)
    {
        ::CloseHandle(hRead);
        return run;
    }
    std::string strOutput;
    char buffer[512];
    DWORD dwRead = 0;
    while (::ReadFile(hRead, buffer, sizeof(buffer), &dwRead, NULL) && dwRead > 0)
        strOutput.append(buffer, dwRead);
    ::CloseHandle(hRead);
    run.bRan = ::WaitForSingleObject(pi.hProcess, 30000) == WAIT_OBJECT_0;
    ::GetExitCodeProcess(pi.hProcess, &run.dwExitCode);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    size_t nStart = 0;
    for (size_t nEnd; (nEnd = strOutput.find('\n', nStart)) != std::string::npos; nStart = nEnd + 1)
    {
        std::string strLine = strOutput.substr(nStart, nEnd - nStart);
        if (!strLine.empty() && strLine.back() == '\r')
            strLine.pop_back();
        run.lines.push_back(strLine);
    }
    return run;
}

typedef std::vector<std::string> Lines;
}

TEST(ProcessObjectsTest, AnotherProcessGetsTheSameSixteenNumbers)
{
    const std::vector<UINT> ours = RegisteredMessages();
    const ProbeRun run = RunProbe("messages");
    ASSERT_TRUE(run.bRan);
    EXPECT_EQ(0u, run.dwExitCode);
    ASSERT_EQ(16u, run.lines.size());
    for (size_t i = 0; i < 16; i++)
        EXPECT_EQ(std::to_string(ours[i]), run.lines[i]) << "message " << i;
}

TEST(ProcessObjectsTest, ATrackedMenuClosesAtTheApplicationsExitAndIsOnlyFreedAfterTheLooks)
{
    // The application's exit closes it while the glyphs are there; the hooks go after it.
    ProbeRun run = RunProbe("application-exit-with-menu");
    ASSERT_TRUE(run.bRan);
    EXPECT_EQ(0u, run.dwExitCode);
    EXPECT_EQ((Lines{"freed closed=1 hooks=1 glyphs=1", "application ended"}), run.lines);
    // Left open, the tracking context's exit step frees it after the looks and glyphs
    // have gone: unhooked first, never closed, and the process ends cleanly.
    run = RunProbe("exit-with-menu");
    ASSERT_TRUE(run.bRan);
    EXPECT_EQ(0u, run.dwExitCode);
    EXPECT_EQ((Lines{"freed closed=0 hooks=0 glyphs=0"}), run.lines);
}

TEST(ProcessObjectsTest, FirstUseBrushesExistOnlyWhenUsedAndGoFirstAtExit)
{
    // Unused, none is made and none is left to take down.
    ProbeRun run = RunProbe("no-layer-brushes");
    ASSERT_TRUE(run.bRan);
    EXPECT_EQ(0u, run.dwExitCode);
    EXPECT_EQ((Lines{"start live=0", "exit live=0 deleted=0"}), run.lines);
    // Used, each kind of window has its own, kept between uses, and all three are
    // deleted at exit before the objects built ahead of main.
    run = RunProbe("layer-brushes");
    ASSERT_TRUE(run.bRan);
    EXPECT_EQ(0u, run.dwExitCode);
    EXPECT_EQ((Lines{"start live=0", "used live=3 same=1", "exit live=0 deleted=3"}), run.lines);
}
