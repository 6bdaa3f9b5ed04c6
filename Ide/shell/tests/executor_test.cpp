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

// The highest of many new handles: a handle left open anywhere among the low slots
// pushes it up, since the system fills the lowest free slots first.
static UINT_PTR HighestOfNewHandles()
{
    HANDLE handles[256];
    UINT_PTR nHighest = 0;
    for (HANDLE& hHandle : handles)
    {
        hHandle = ::CreateEventA(NULL, TRUE, FALSE, NULL);
        if ((UINT_PTR)hHandle > nHighest)
            nHighest = (UINT_PTR)hHandle;
    }
    for (HANDLE hHandle : handles)
        ::CloseHandle(hHandle);
    return nHighest;
}

// Each run closes every handle it opened, the child's process handle included.
TEST(Executor, LeavesNoHandlesOpen)
{
    CString strOutput;
    DWORD dwExit = 0;
    {
        CExecutor warmUp;
        warmUp.RunCommand(HelperCommand("exit 0"), strOutput, dwExit);
    }
    const UINT_PTR nBefore = HighestOfNewHandles();
    for (int i = 0; i < 5; i++)
    {
        CExecutor executor;
        ASSERT_TRUE(executor.RunCommand(HelperCommand("both"), strOutput, dwExit));
        CExecutor missing;
        missing.RunCommand("\"C:\\no\\such.exe\"", strOutput, dwExit);
    }
    EXPECT_EQ(HighestOfNewHandles(), nBefore);
}
