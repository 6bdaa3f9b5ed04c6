// End to end, without windows: the IDE's debug session over loopback UDP against
// real debug clients running real scripts: the debug-interface library in this
// process (internal mode), and the debug client's test host in a process of its
// own (attach mode). The session's host records what would reach the panes.
#include "wintest.h"

#include <afxsock.h>
#include <tlhelp32.h>

#include "CBreakpoint.h"
#include "CDebugServer.h"
#include "CProject.h"
#include "CProjectFileEntry.h"
#include "DebugInterface.h"
#include "CDebugTestHostProcess.h"
#include "CRecordingSessionHost.h"
#include "VornTestFolder.h"

#include <memory>
#include <string>
#include <vector>

namespace
{
const UINT SERVER_PORT = 7550;
const DWORD STEP_TIMEOUT_MS = 10000;

enum Mode
{
    INTERNAL,
    INTERNAL50,   // internal mode for a Lua 5.0 project
    ATTACH
};

int CountThreadsOfThisProcess()
{
    HANDLE hSnapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (hSnapshot == INVALID_HANDLE_VALUE)
        return -1;
    THREADENTRY32 entry;
    entry.dwSize = sizeof(entry);
    int nCount = 0;
    for (BOOL bMore = ::Thread32First(hSnapshot, &entry); bMore; bMore = ::Thread32Next(hSnapshot, &entry))
        if (entry.th32OwnerProcessID == ::GetCurrentProcessId())
            nCount++;
    ::CloseHandle(hSnapshot);
    return nCount;
}

double NowMs()
{
    LARGE_INTEGER frequency, now;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&now);
    return 1000.0 * (double)now.QuadPart / (double)frequency.QuadPart;
}

struct CRow
{
    std::string name, value, type;
    int id;
};

class CEndToEndHost : public CRecordingSessionHost
{
public:
    int m_nBreaks = 0;
    CString m_strBreakFile;
    int m_nBreakLine = 0;
    int m_nStackRows = 0;
    int m_nLocalsRefreshed = 0;
    int m_nGlobalsRefreshed = 0;
    // The refresh counts when the last stop was shown: its answers come after.
    int m_nLocalsAtBreak = 0;
    int m_nGlobalsAtBreak = 0;
    int m_nMembersDone = -1;
    std::vector<CRow> m_locals, m_watches, m_members;

    virtual void ShowExecutionLine(CProjectFileEntry* pEntry, int nLine)
    {
        CRecordingSessionHost::ShowExecutionLine(pEntry, nLine);
        m_strBreakFile = pEntry->GetPath();
        m_nBreakLine = nLine + 1;
        m_nLocalsAtBreak = m_nLocalsRefreshed;
        m_nGlobalsAtBreak = m_nGlobalsRefreshed;
        m_nBreaks++;
    }
    virtual void ClearCallStack() { m_nStackRows = 0; }
    virtual void AddCallStackEntry(LPCTSTR pszFile, int nLine, LPCTSTR pszName, LPCTSTR pszNameWhat, LPCTSTR pszWhat)
    {
        CRecordingSessionHost::AddCallStackEntry(pszFile, nLine, pszName, pszNameWhat, pszWhat);
        m_nStackRows++;
    }
    virtual void ClearLocalVariables() { m_locals.clear(); }
    virtual void AddLocalVariableRow(LPCTSTR n, LPCTSTR v, LPCTSTR t, int id, int) { m_locals.push_back({n, v, t, id}); }
    virtual void RefreshLocalVariables() { m_nLocalsRefreshed++; }
    virtual void RefreshGlobalVariables() { m_nGlobalsRefreshed++; }
    virtual void ClearWatches() { m_watches.clear(); }
    virtual void AddWatchRow(LPCTSTR n, LPCTSTR v, LPCTSTR t, int id, int) { m_watches.push_back({n, v, t, id}); }
    virtual void AddTableMemberRow(LPCTSTR n, LPCTSTR v, LPCTSTR t, int id, int) { m_members.push_back({n, v, t, id}); }
    virtual void OnTableMembersUpdated(int nCount) { m_nMembersDone = nCount; }
    bool m_bForwardExecute = true;
    virtual void ExecuteFile(LPCTSTR pszPath)
    {
        CRecordingSessionHost::ExecuteFile(pszPath);
        if (m_bForwardExecute && g_pfnVornDebugIntExecuteFile != NULL)
            g_pfnVornDebugIntExecuteFile(pszPath);
    }

    const CRow* Find(const std::vector<CRow>& rows, const std::string& strName) const
    {
        for (const CRow& row : rows)
            if (row.name == strName)
                return &row;
        return NULL;
    }
    std::string Value(const std::vector<CRow>& rows, const std::string& strName) const
    {
        const CRow* pRow = Find(rows, strName);
        return pRow != NULL ? pRow->value : "<none>";
    }
};

class DebugEndToEnd : public ::testing::TestWithParam<Mode>
{
protected:
    CTestFolder m_folder;
    CProject m_project;
    CEndToEndHost m_host;
    CDebugServer m_server;
    HMODULE m_hInterface = NULL;   // the debug-interface library, bound as the IDE binds it
    std::unique_ptr<CDebugTestHostProcess> m_pProcess;
    bool m_bRunning = false;
    int m_nBreaksSeen = 0;

    bool Internal() const { return GetParam() != ATTACH; }
    bool Lua50() const { return GetParam() == INTERNAL50; }
    // An expression in the project's Lua: a 5.1 one, or its 5.0 form.
    const char* InLua(const char* psz51, const char* psz50) const { return Lua50() ? psz50 : psz51; }
    const char* ClientLibrary() const { return GetParam() == INTERNAL50 ? "VornDebugClient50.dll" : "VornDebugClient51.dll"; }
    const char* InterfaceLibrary() const { return GetParam() == INTERNAL50 ? "VornDebugInt50.dll" : "VornDebugInt51.dll"; }

    void SetUp() override
    {
        if (GetParam() == INTERNAL50 && !VORN_HAVE_LUA50)
            GTEST_SKIP() << "this build has no Lua 5.0";
        ASSERT_TRUE(AfxSocketInit());
        ASSERT_TRUE(m_project.Create(m_folder.Path(), "demo"));
        m_host.m_pProject = &m_project;
        m_host.m_pServer = &m_server;
        m_server.SetHost(&m_host);
    }
    void TearDown() override { StopSession(); }

    CProjectFileEntry* AddScript(const CString& strName, const std::vector<std::string>& lines)
    {
        std::string text;
        for (const std::string& line : lines)
            text += line + "\n";
        WriteTestFile(m_folder / strName, text);
        CProjectFileEntry* pEntry = m_project.AddFile(m_folder / strName, "");
        EXPECT_TRUE(pEntry != NULL);
        return pEntry;
    }

    // Starts the session as Start does in the mode, and waits for the client.
    void StartSession(const CString& strMain)
    {
        m_project.SetMainFile(strMain);
        m_server.SetAttachMode(Internal() ? FALSE : TRUE);
        const size_t nOutputBefore = m_host.m_output.size();
        ASSERT_TRUE(m_server.Create(SERVER_PORT));
        m_bRunning = true;
        if (Internal())
        {
            ASSERT_TRUE(LoadDebugInterfaceLibrary(InterfaceLibrary(), m_hInterface));
            g_pfnVornDebugIntInitialize();
            g_pfnVornDebugIntConnect(NULL, 7550);
        }
        else
        {
            m_pProcess.reset(new CDebugTestHostProcess);
            ASSERT_TRUE(m_pProcess->Start(m_folder / strMain, m_folder.Path()));
        }
        // A short script may connect, run and disconnect within one round of
        // messages: the server's own line shows that the connect was made.
        ASSERT_TRUE(PumpUntil([&] { return m_server.IsConnected() || HasConnectedSince(nOutputBefore); }, STEP_TIMEOUT_MS))
            << m_host.m_output;
    }
    bool HasConnectedSince(size_t nOutputFrom) const
    {
        return m_host.m_output.find("Client connected.\n", nOutputFrom) != std::string::npos;
    }

    // Stop as the Stop command runs it, after the notification that asked for it.
    void StopSession()
    {
        if (!m_bRunning)
            return;
        m_bRunning = false;
        m_server.Close();
        if (Internal())
        {
            if (m_hInterface != NULL)
            {
                g_pfnVornDebugIntDisconnect();
                g_pfnVornDebugIntShutdown();
            }
            FreeDebugInterfaceLibrary(m_hInterface);
        }
        else if (m_pProcess)
        {
            m_pProcess->End(1500);   // a script the session let go may run on
            m_pProcess.reset();
        }
        PumpUntil([] { return false; }, 30);
    }

    // Waits for the next stop and for the answers to its requests.
    void WaitForBreak(const CString& strFile, int nLine)
    {
        ASSERT_TRUE(PumpUntil([&] { return m_host.m_nBreaks > m_nBreaksSeen; }, STEP_TIMEOUT_MS))
            << "no stop; expected line " << nLine << "\n" << m_host.m_output;
        m_nBreaksSeen = m_host.m_nBreaks;
        EXPECT_EQ(nLine, m_host.m_nBreakLine);
        EXPECT_EQ(0, strFile.CompareNoCase(m_host.m_strBreakFile)) << (LPCTSTR)m_host.m_strBreakFile;
        WaitForPanes();
    }
    void WaitForPanes()
    {
        EXPECT_TRUE(PumpUntil([&] {
            return m_host.m_nLocalsRefreshed > m_host.m_nLocalsAtBreak &&
                   m_host.m_nGlobalsRefreshed > m_host.m_nGlobalsAtBreak;
        }, STEP_TIMEOUT_MS));
    }
    // Waits until the client disconnects at the script's end, then stops.
    void WaitForEnd()
    {
        EXPECT_TRUE(PumpUntil([&] { return m_host.m_nStopsPosted > 0; }, STEP_TIMEOUT_MS)) << m_host.m_output;
        StopSession();
    }
    bool WaitForOutput(const std::string& strText)
    {
        return PumpUntil([&] { return m_host.m_output.find(strText) != std::string::npos; }, STEP_TIMEOUT_MS);
    }
};
}  // namespace

TEST_P(DebugEndToEnd, ConditionsAndHitCountsDecideTheStops)
{
    CProjectFileEntry* pMain = AddScript("main.lua", {
        "local total = 0",          // 1
        "for i = 1, 6 do",          // 2
        "  total = total + i",      // 3  condition i % 3 == 0
        "  local again = i",        // 4  on the fourth hit only
        "end",                      // 5
        "print('total', total)",    // 6
    });
    CBreakpoint* pConditional = pMain->AddBreakpoint(3);
    pConditional->SetConditionEnable(1);
    pConditional->SetCondition(InLua("i % 3 == 0", "math.mod(i, 3) == 0"));
    CBreakpoint* pCounted = pMain->AddBreakpoint(4);
    pCounted->SetHitCountBreakWhen(1);
    pCounted->SetHitCountBreak(4);
    StartSession("main.lua");

    WaitForBreak(pMain->GetPath(), 3);
    EXPECT_EQ("3", m_host.Value(m_host.m_locals, "i"));
    m_server.Continue();
    WaitForBreak(pMain->GetPath(), 4);
    EXPECT_EQ("4", m_host.Value(m_host.m_locals, "i"));
    m_server.Continue();
    WaitForBreak(pMain->GetPath(), 3);
    EXPECT_EQ("6", m_host.Value(m_host.m_locals, "i"));
    m_server.Continue();
    EXPECT_TRUE(WaitForOutput("total\t21\n")) << m_host.m_output;
    WaitForEnd();
    EXPECT_EQ(3, m_host.m_nBreaks);
    EXPECT_EQ(6, pCounted->GetHitCount());
}

TEST_P(DebugEndToEnd, BreakStopsAnEndlessLoopQuicklyAndStopEndsIt)
{
    CProjectFileEntry* pMain = AddScript("main.lua", {
        "local n = 0",            // 1
        "while true do end",      // 2
    });
    const int nThreadsBefore = CountThreadsOfThisProcess();
    StartSession("main.lua");
    PumpUntil([] { return false; }, 300);   // the loop runs

    const double dStart = NowMs();
    m_server.Break();
    ASSERT_TRUE(PumpUntil([&] { return m_host.m_nBreaks > 0; }, STEP_TIMEOUT_MS));
    const double dElapsed = NowMs() - dStart;
    EXPECT_LT(dElapsed, 100.0);
    EXPECT_EQ(2, m_host.m_nBreakLine);
    EXPECT_EQ(0, pMain->GetPath().CompareNoCase(m_host.m_strBreakFile));
    WaitForPanes();
    EXPECT_EQ("0", m_host.Value(m_host.m_locals, "n"));

    // Running again, then stopped mid-run: the script ends and nothing is left behind.
    m_server.Continue();
    PumpUntil([] { return false; }, 200);
    const double dStop = NowMs();
    StopSession();
    EXPECT_LT(NowMs() - dStop, 4000.0);
    if (Internal())
    {
        EXPECT_TRUE(::GetModuleHandleA(InterfaceLibrary()) == NULL);
        EXPECT_TRUE(PumpUntil([&] { return CountThreadsOfThisProcess() <= nThreadsBefore; }, 3000))
            << CountThreadsOfThisProcess() << " threads, " << nThreadsBefore << " before";
    }
}

TEST_P(DebugEndToEnd, StepsOverACoroutineResumeAndIntoIt)
{
    CProjectFileEntry* pMain = AddScript("main.lua", {
        "local co = coroutine.create(function(a)",   // 1
        "  local b = a + 1",                         // 2
        "  coroutine.yield(b)",                      // 3
        "  return b * 2",                            // 4
        "end)",                                      // 5
        "local ok, v = coroutine.resume(co, 1)",     // 6
        "local w = v + 1",                           // 7
        "local ok2, z = coroutine.resume(co)",       // 8
        "print('done', w, z)",                       // 9
    });
    if (Lua50())
        GTEST_SKIP() << "Lua 5.0 cannot tell the client which thread runs: a step does not follow a resume";
    pMain->AddBreakpoint(6);
    StartSession("main.lua");
    WaitForBreak(pMain->GetPath(), 6);
    m_server.StepOver();
    WaitForBreak(pMain->GetPath(), 7);
    EXPECT_EQ("2", m_host.Value(m_host.m_locals, "v"));
    m_server.StepOver();
    WaitForBreak(pMain->GetPath(), 8);
    m_server.StepInto();
    WaitForBreak(pMain->GetPath(), 4);   // where the coroutine yielded, one line on
    EXPECT_EQ("2", m_host.Value(m_host.m_locals, "b"));
    m_server.StepOut();
    WaitForBreak(pMain->GetPath(), 9);
    m_server.Continue();
    EXPECT_TRUE(WaitForOutput("done\t3\t4\n")) << m_host.m_output;
    WaitForEnd();
}

TEST_P(DebugEndToEnd, StepsIntoOverAndOutWithTheLocalsOfEachStop)
{
    CProjectFileEntry* pMain = AddScript("main.lua", {
        "local function square(n)",      // 1
        "  local sq = n * n",            // 2
        "  return sq",                   // 3
        "end",                           // 4
        "local a = 3",                   // 5
        "local b = square(a)",           // 6
        "local c = square(b)",           // 7
        "print('squares', b, c)",        // 8
    });
    pMain->AddBreakpoint(6);
    StartSession("main.lua");
    WaitForBreak(pMain->GetPath(), 6);
    EXPECT_EQ("3", m_host.Value(m_host.m_locals, "a"));
    m_server.StepInto();
    WaitForBreak(pMain->GetPath(), 2);
    EXPECT_EQ("3", m_host.Value(m_host.m_locals, "n"));
    m_server.StepOver();
    WaitForBreak(pMain->GetPath(), 3);
    EXPECT_EQ("9", m_host.Value(m_host.m_locals, "sq"));
    m_server.StepOut();
    WaitForBreak(pMain->GetPath(), 7);
    EXPECT_EQ("9", m_host.Value(m_host.m_locals, "b"));
    m_server.StepOver();
    WaitForBreak(pMain->GetPath(), 8);
    EXPECT_EQ("81", m_host.Value(m_host.m_locals, "c"));
    m_server.Continue();
    EXPECT_TRUE(WaitForOutput("squares\t9\t81\n")) << m_host.m_output;
    WaitForEnd();
}

TEST_P(DebugEndToEnd, RunToCursorAndTheLocalsOfRowOneAcrossPcall)
{
    CProjectFileEntry* pMain = AddScript("main.lua", {
        "local function inner(t)",                  // 1
        "  local x = t.x",                          // 2
        "  return x",                               // 3
        "end",                                      // 4
        "local function outer()",                   // 5
        "  local o = 'outer'",                      // 6
        "  local ok, v = pcall(inner, {x = 5})",    // 7
        "  return v",                               // 8
        "end",                                      // 9
        "local r = outer()",                        // 10
        "local after = r + 1",                      // 11
        "print('after', after)",                    // 12
    });
    pMain->AddBreakpoint(3);
    StartSession("main.lua");
    WaitForBreak(pMain->GetPath(), 3);
    EXPECT_EQ(3, m_host.m_nStackRows) << "inner, outer and the main chunk; pcall has no row";
    EXPECT_EQ("5", m_host.Value(m_host.m_locals, "x"));

    // Row 1 is outer, though pcall lies between it and inner on Lua's stack.
    m_host.m_nSelectedRow = 1;
    const int nRefreshed = m_host.m_nLocalsRefreshed;
    m_server.RequestLocals(m_server.GetStackLevel());
    ASSERT_TRUE(PumpUntil([&] { return m_host.m_nLocalsRefreshed > nRefreshed; }));
    EXPECT_EQ("outer", m_host.Value(m_host.m_locals, "o"));
    EXPECT_EQ("<none>", m_host.Value(m_host.m_locals, "x"));
    m_project.AddWatch("o .. '!'");
    EXPECT_EQ(1, m_server.EvaluateWatches(m_server.GetStackLevel()));
    ASSERT_TRUE(PumpUntil([&] { return !m_host.m_watches.empty(); }));
    EXPECT_EQ("outer!", m_host.m_watches[0].value);
    m_host.m_nSelectedRow = 0;

    m_server.RunToCursor(pMain->GetPath(), 11);
    WaitForBreak(pMain->GetPath(), 11);
    EXPECT_EQ("5", m_host.Value(m_host.m_locals, "r"));
    m_server.Continue();
    EXPECT_TRUE(WaitForOutput("after\t6\n")) << m_host.m_output;
    WaitForEnd();
}

TEST_P(DebugEndToEnd, WatchesTableMembersAndOutput)
{
    CProjectFileEntry* pMain = AddScript("main.lua", {
        "local t = {x = 1, name = 'tee', list = {1, 2, 3}}",   // 1
        "print('hello from the script')",                      // 2
        "local y = t.x",                                       // 3
        "print('bye')",                                        // 4
    });
    pMain->AddBreakpoint(3);
    m_project.AddWatch("t.x + 41");
    const char* pszCount = InLua("#t.list", "table.getn(t.list)");
    m_project.AddWatch(pszCount);
    StartSession("main.lua");
    WaitForBreak(pMain->GetPath(), 3);
    EXPECT_NE(std::string::npos, m_host.m_output.find("hello from the script\n"));
    ASSERT_TRUE(PumpUntil([&] { return m_host.m_watches.size() >= 2; }));
    EXPECT_EQ("42", m_host.Value(m_host.m_watches, "t.x + 41"));
    EXPECT_EQ("3", m_host.Value(m_host.m_watches, pszCount));

    const CRow* pTable = m_host.Find(m_host.m_locals, "t");
    ASSERT_TRUE(pTable != NULL);
    EXPECT_EQ("Table", pTable->type);
    ASSERT_TRUE(m_server.RequestTableMembers(pTable->id));
    ASSERT_TRUE(PumpUntil([&] { return m_host.m_nMembersDone >= 0; }));
    EXPECT_EQ(3, m_host.m_nMembersDone);
    EXPECT_EQ("1", m_host.Value(m_host.m_members, "x"));
    EXPECT_EQ("tee", m_host.Value(m_host.m_members, "name"));
    const CRow* pList = m_host.Find(m_host.m_members, "list");
    ASSERT_TRUE(pList != NULL);
    EXPECT_EQ("Table", pList->type);
    EXPECT_GT(pList->id, 0);

    m_server.Continue();
    EXPECT_TRUE(WaitForOutput("bye\n")) << m_host.m_output;
    WaitForEnd();
}

TEST_P(DebugEndToEnd, RelativeNamesWithDotDotFindTheProjectFile)
{
    ASSERT_TRUE(::CreateDirectoryA(m_folder / "sub", NULL));
    AddScript("main.lua", {"dofile('sub/../a.lua')", "print('main done')"});
    CProjectFileEntry* pOther = AddScript("a.lua", {"local v = 10", "print('v', v)"});
    pOther->AddBreakpoint(2);
    StartSession("main.lua");
    WaitForBreak(pOther->GetPath(), 2);
    EXPECT_EQ("10", m_host.Value(m_host.m_locals, "v"));
    m_server.Continue();
    EXPECT_TRUE(WaitForOutput("main done\n")) << m_host.m_output;
    WaitForEnd();
}

std::string ModeName(const ::testing::TestParamInfo<Mode>& info)
{
    return info.param == INTERNAL ? "Internal" : info.param == INTERNAL50 ? "Internal50" : "Attach";
}

INSTANTIATE_TEST_SUITE_P(Modes, DebugEndToEnd, ::testing::Values(INTERNAL, ATTACH, INTERNAL50), ModeName);

// ---- internal mode only: what the debug-interface library does of its own -----------------

class DebugInterfaceLibrary : public DebugEndToEnd
{
};

TEST_P(DebugInterfaceLibrary, RunErrorsAndLoadErrorsReachTheDebugPage)
{
    AddScript("main.lua", {
        "local function fail()",   // 1
        "  error('boom')",         // 2
        "end",                     // 3
        "fail()",                  // 4
    });
    StartSession("main.lua");
    WaitForEnd();
    EXPECT_NE(std::string::npos, m_host.m_output.find("main.lua:2: boom\nstack traceback:\n")) << m_host.m_output;
    EXPECT_NE(std::string::npos, m_host.m_output.find(InLua("in function 'fail'", "in function `fail'")))
        << m_host.m_output;
    EXPECT_NE(std::string::npos, m_host.m_output.find("Client disconnected...\n"));

    m_host.m_output.clear();
    m_host.m_nStopsPosted = 0;
    AddScript("broken.lua", {"local = 1"});
    StartSession("broken.lua");
    WaitForEnd();
    EXPECT_NE(std::string::npos, m_host.m_output.find("broken.lua:1:")) << m_host.m_output;
    EXPECT_NE(std::string::npos, m_host.m_output.find("Client disconnected...\n"));
}

TEST_P(DebugInterfaceLibrary, OsExitEndsTheScriptAndLeavesTheIdeRunning)
{
    AddScript("main.lua", {"print('before')", "os.exit(3)", "print('after')"});
    StartSession("main.lua");
    WaitForEnd();
    EXPECT_NE(std::string::npos, m_host.m_output.find("before\n"));
    EXPECT_EQ(std::string::npos, m_host.m_output.find("after\n"));
    EXPECT_NE(std::string::npos, m_host.m_output.find("Client disconnected...\n"));
}

TEST_P(DebugInterfaceLibrary, ModulesComeFromTheScriptsFolderUnderAbsoluteNames)
{
    ASSERT_TRUE(::CreateDirectoryA(m_folder / "lib", NULL));
    // Lua 5.0 takes the name as it is written: a subfolder is written as one.
    AddScript("main.lua", {InLua("local m = require('lib.helper')", "local m = require('lib/helper')"),
                           "print(m.twice(21))"});
    CProjectFileEntry* pHelper = AddScript("lib\\helper.lua", {
        "local M = {}",                                        // 1
        "function M.twice(n)",                                 // 2
        "  return n * 2",                                      // 3
        "end",                                                 // 4
        "return M",                                            // 5
    });
    pHelper->AddBreakpoint(3);
    StartSession("main.lua");
    WaitForBreak(pHelper->GetPath(), 3);
    m_server.Continue();
    EXPECT_TRUE(WaitForOutput("42\n")) << m_host.m_output;
    WaitForEnd();
}

TEST_P(DebugInterfaceLibrary, StopEndsAScriptThatNeverStoppedAtItsNextHookEvent)
{
    AddScript("main.lua", {"local n = 0", "while true do end"});
    const int nThreadsBefore = CountThreadsOfThisProcess();
    StartSession("main.lua");
    PumpUntil([] { return false; }, 300);   // the loop runs, the client only counts
    m_server.Close();
    const double dStart = NowMs();
    g_pfnVornDebugIntDisconnect();
    g_pfnVornDebugIntShutdown();
    EXPECT_LT(NowMs() - dStart, 1000.0) << "Shutdown waited for the script's end";
    FreeDebugInterfaceLibrary(m_hInterface);
    m_bRunning = false;
    EXPECT_TRUE(::GetModuleHandleA(InterfaceLibrary()) == NULL);
    EXPECT_TRUE(::GetModuleHandleA(ClientLibrary()) == NULL);
    EXPECT_TRUE(PumpUntil([&] { return CountThreadsOfThisProcess() <= nThreadsBefore; }, 3000));
}

TEST_P(DebugInterfaceLibrary, StopWhileStoppedAtABreakpointEndsTheScript)
{
    CProjectFileEntry* pMain = AddScript("main.lua", {
        "local n = 0",             // 1
        "while true do",           // 2
        "  n = n + 1",             // 3  the breakpoint
        "end",                     // 4
    });
    pMain->AddBreakpoint(3);
    const int nThreadsBefore = CountThreadsOfThisProcess();
    StartSession("main.lua");
    WaitForBreak(pMain->GetPath(), 3);
    const double dStart = NowMs();
    StopSession();
    EXPECT_LT(NowMs() - dStart, 1000.0);
    EXPECT_TRUE(::GetModuleHandleA(InterfaceLibrary()) == NULL);
    EXPECT_TRUE(PumpUntil([&] { return CountThreadsOfThisProcess() <= nThreadsBefore; }, 3000));
}

TEST_P(DebugInterfaceLibrary, AnOverlongPathIsRefusedAndTheSessionEnds)
{
    AddScript("main.lua", {"print('ran')"});
    m_host.m_bForwardExecute = false;
    StartSession("main.lua");
    // 300 characters: refused, never cut to a path of another file.
    std::vector<char> path(512, 'a');
    memcpy(path.data(), "C:\\", 3);
    path[300] = '\0';
    g_pfnVornDebugIntExecuteFile(path.data());
    WaitForEnd();
    EXPECT_NE(std::string::npos, m_host.m_output.find("one of 256 characters or more")) << m_host.m_output;
    EXPECT_EQ(std::string::npos, m_host.m_output.find("ran\n"));
}

TEST_P(DebugInterfaceLibrary, LoadedRunAndFreedTwentyTimesLeavesNoThread)
{
    AddScript("main.lua", {"print('run')"});
    // One session first: the sockets' own helpers may stay for the process.
    StartSession("main.lua");
    WaitForEnd();
    PumpUntil([] { return false; }, 200);
    const int nThreadsBefore = CountThreadsOfThisProcess();
    for (int i = 0; i < 20 && !HasFailure(); i++)
    {
        m_host.m_nStopsPosted = 0;
        m_host.m_output.clear();
        StartSession("main.lua");
        EXPECT_TRUE(WaitForOutput("run\n")) << "run " << i;
        WaitForEnd();
    }
    EXPECT_TRUE(::GetModuleHandleA(InterfaceLibrary()) == NULL);
    EXPECT_TRUE(::GetModuleHandleA(ClientLibrary()) == NULL);
    EXPECT_TRUE(PumpUntil([&] { return CountThreadsOfThisProcess() <= nThreadsBefore; }, 3000))
        << CountThreadsOfThisProcess() << " threads, " << nThreadsBefore << " before";
}

INSTANTIATE_TEST_SUITE_P(Internal, DebugInterfaceLibrary, ::testing::Values(INTERNAL, INTERNAL50), ModeName);
