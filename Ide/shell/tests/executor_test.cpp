// The process runner with real child processes under Wine.
#include "CExecutor.h"
#include "VornTestFolder.h"

#include <string>
#include <vector>

namespace
{
class CRecordingErrors : public IApiErrorSink
{
public:
    std::vector<std::string> m_steps;
    virtual void ShowApiError(LPCTSTR pszStep, DWORD) { m_steps.push_back(pszStep); }
};

CString HelperCommand(LPCTSTR pszArgs)
{
    return "\"" + TestProgramFolder() + "vorn_child_helper.exe\" " + pszArgs;
}
} // namespace

TEST(Executor, CollectsStdoutAndStderrInWriteOrder)
{
    CRecordingErrors errors;
    CExecutor executor(&errors);
    ASSERT_TRUE(executor.Execute(HelperCommand("both")));
    EXPECT_TRUE(executor.WasStarted());
    EXPECT_EQ(executor.GetExitCode(), 0u);
    CString strOutput = executor.GetOutput();
    strOutput.Remove('\r');
    EXPECT_STREQ(strOutput, "out1\nerr1\nout2\n");
    EXPECT_TRUE(errors.m_steps.empty());
}

TEST(Executor, OutputEndsAtNulAndEmptyOutputIsEmpty)
{
    CExecutor executor;
    ASSERT_TRUE(executor.Execute(HelperCommand("nul")));
    EXPECT_STREQ(executor.GetOutput(), "ab");

    CString strOutput("stale");
    DWORD dwExit = 99;
    CExecutor quiet;
    ASSERT_TRUE(quiet.RunCommand(HelperCommand("exit 0"), strOutput, dwExit));
    EXPECT_STREQ(strOutput, "");
    EXPECT_EQ(dwExit, 0u);
}

TEST(Executor, ReportsExitCodeAndLargeOutput)
{
    CString strOutput;
    DWORD dwExit = 0;
    CExecutor executor;
    ASSERT_TRUE(executor.RunCommand(HelperCommand("exit 3"), strOutput, dwExit));
    EXPECT_EQ(dwExit, 3u);

    CExecutor big;
    ASSERT_TRUE(big.RunCommand(HelperCommand("big"), strOutput, dwExit));
    EXPECT_EQ(strOutput.GetLength(), 200000);
}

TEST(Executor, ChildReadingStdinSeesItsEnd)
{
    CExecutor executor;
    ASSERT_TRUE(executor.Execute(HelperCommand("stdin")));
    CString strOutput = executor.GetOutput();
    strOutput.Remove('\r');
    EXPECT_STREQ(strOutput, "read 0\n");

    CMemFile input;
    input.Write("hello", 5);
    CExecutor fed;
    ASSERT_TRUE(fed.Execute(HelperCommand("stdin"), &input));
    strOutput = fed.GetOutput();
    strOutput.Remove('\r');
    EXPECT_STREQ(strOutput, "read 5\n");
}

TEST(Executor, MissingProgramIsReportedOnceAndNotStarted)
{
    CRecordingErrors errors;
    CExecutor executor(&errors);
    EXPECT_FALSE(executor.Execute("\"C:\\no\\such\\program.exe\" -x"));
    EXPECT_FALSE(executor.WasStarted());
    EXPECT_STREQ(executor.GetOutput(), "");
    EXPECT_EQ(errors.m_steps, (std::vector<std::string>{ "CExecutor::PrepAndLaunchRedirectedChild::CreateProcess" }));

    CString strOutput("stale");
    DWORD dwExit = 0;
    EXPECT_FALSE(executor.RunCommand("\"C:\\no\\such\\program.exe\"", strOutput, dwExit));
    EXPECT_STREQ(strOutput, "");
}

// Each run closes every handle it opened, the child's process handle included.
TEST(Executor, LeavesNoHandlesOpen)
{
    typedef BOOL(WINAPI * PFN_GETHANDLECOUNT)(HANDLE, PDWORD);
    PFN_GETHANDLECOUNT pfnGetHandleCount =
        (PFN_GETHANDLECOUNT)::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "GetProcessHandleCount");
    if (pfnGetHandleCount == NULL)
        GTEST_SKIP() << "no handle count on this system";
    CString strOutput;
    DWORD dwExit = 0;
    {
        CExecutor warmUp;
        warmUp.RunCommand(HelperCommand("exit 0"), strOutput, dwExit);
    }
    DWORD dwBefore = 0, dwAfter = 0;
    pfnGetHandleCount(::GetCurrentProcess(), &dwBefore);
    for (int i = 0; i < 5; i++)
    {
        CExecutor executor;
        ASSERT_TRUE(executor.RunCommand(HelperCommand("both"), strOutput, dwExit));
    }
    pfnGetHandleCount(::GetCurrentProcess(), &dwAfter);
    EXPECT_EQ(dwAfter, dwBefore);
}
