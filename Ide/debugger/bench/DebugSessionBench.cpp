// Benchmark (not a test): the IDE's debug session over its real socket code against
// the two real debug clients: the debug client in its test host (attach mode) and
// the debug-interface library in this process (internal mode).
//
//   decisions   a loop line holds a disabled breakpoint: the client asks at every
//               pass and the session answers "go on". Decisions per second over
//               two seconds, and the cycle from one query to the next as the
//               session sees it (the script's round trip plus one loop pass):
//               median, 90th and 99th percentile. Then the same with an enabled
//               breakpoint whose condition is false (two round trips a pass).
//   big stop    a stop with a table of 100,000 numbers (1.6 MB) in scope, a watch
//               on its length: from the session's handling of the Break datagram
//               to the panes' rows all in (locals and globals refreshed, watch
//               row added); the host is a fake, so this is the session and the
//               client, not painting. Median and worst of 20 stops.
//   break       Debug > Break while the script runs `while true do end`: from the
//               request to the stop shown. Median and worst of 20 breaks.
//
// Binds the debug ports 7550/7551: run it with their machine-wide lock,
//   VORN_MACHINE_LOCK=vorn-debug-ports build-x64/wine-run.sh build-x64/tests/debugger_session_bench.exe
#include <afxwin.h>
#include <afxsock.h>

#include "CBreakpoint.h"
#include "DebugInterface.h"
#include "CDebugServer.h"
#include "CVariablesListCtrl.h"
#include "IDebugPanesHost.h"
#include "CDebugTestHostProcess.h"
#include "CProject.h"
#include "CProjectFileEntry.h"
#include "CRecordingSessionHost.h"
#include "VornTestFolder.h"

#include <algorithm>
#include <stdio.h>
#include <string>
#include <vector>

namespace
{
class CSessionBenchApp : public CWinApp
{
public:
    CSessionBenchApp() : CWinApp("VornDebugSessionBench") {}
    virtual int DoMessageBox(LPCTSTR lpszPrompt, UINT, UINT)
    {
        printf("message box: %s\n", lpszPrompt);
        return IDOK;
    }
};
CSessionBenchApp theApp;

double NowUs()
{
    LARGE_INTEGER frequency, now;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&now);
    return 1e6 * (double)now.QuadPart / (double)frequency.QuadPart;
}

template<class F>
bool Pump(F done, DWORD dwTimeoutMs)
{
    const DWORD dwStart = ::GetTickCount();
    while (!done())
    {
        if (::GetTickCount() - dwStart > dwTimeoutMs)
            return false;
        MSG msg;
        while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
        {
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
        if (!done())
            ::MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

double Percentile(std::vector<double> values, double dFraction)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    size_t nIndex = (size_t)(dFraction * (double)values.size());
    return values[std::min(nIndex, values.size() - 1)];
}

// Every breakpoint query looks the project up once, and so does every condition
// value: the times of those lookups are the times the session handled them.
class CTimingHost : public CRecordingSessionHost
{
public:
    bool m_bTimeLookups = false;
    std::vector<double> m_lookups;
    int m_nBreaks = 0;
    double m_dBreakStart = 0;
    bool m_bLocals = false, m_bGlobals = false, m_bWatch = false;
    // The Locals list the members of an expanded table go to, when one is given.
    CVariablesListCtrl* m_pLocals = NULL;
    bool m_bMembersDone = false;

    virtual CProject* GetProject()
    {
        if (m_bTimeLookups)
            m_lookups.push_back(NowUs());
        return m_pProject;
    }
    // The first thing the session does with a Break datagram.
    virtual void ClearExecutionMarks()
    {
        m_dBreakStart = NowUs();
        m_bLocals = m_bGlobals = m_bWatch = false;
    }
    virtual void ShowExecutionLine(CProjectFileEntry*, int) { m_nBreaks++; }
    virtual void AddCallStackEntry(LPCTSTR, int, LPCTSTR, LPCTSTR, LPCTSTR) {}
    virtual void AddLocalVariableRow(LPCTSTR n, LPCTSTR v, LPCTSTR t, int id, int p)
    {
        if (m_pLocals != NULL)
            m_pLocals->AddVariable(n, v, t, id, p);
    }
    virtual void AddTableMemberRow(LPCTSTR n, LPCTSTR v, LPCTSTR t, int id, int p)
    {
        if (m_pLocals != NULL)
            m_pLocals->AddVariable(n, v, t, id, p);
    }
    virtual void OnTableMembersUpdated(int)
    {
        if (m_pLocals != NULL)
            m_pLocals->OnExpansionDone();
        m_bMembersDone = true;
    }
    virtual void AddGlobalVariableRow(LPCTSTR, LPCTSTR, LPCTSTR, int, int) {}
    virtual void RefreshLocalVariables()
    {
        if (m_pLocals != NULL)
            m_pLocals->Refresh();
        m_bLocals = true;
    }
    virtual void RefreshGlobalVariables() { m_bGlobals = true; }
    virtual void AddWatchRow(LPCTSTR, LPCTSTR, LPCTSTR, int, int) { m_bWatch = true; }
    virtual void ClearCallStack() {}
    virtual void ClearLocalVariables()
    {
        if (m_pLocals != NULL)
            m_pLocals->Clear();
    }
    virtual void ClearGlobalVariables() {}
    virtual void ClearWatches() {}
    virtual void RefreshTitle() {}
    virtual void BringToForeground() {}
    virtual void ShowDebugPage() {}
    virtual void AppendOutput(LPCTSTR pszText) { m_output += pszText; }
    virtual void ExecuteFile(LPCTSTR pszPath)
    {
        if (g_pfnVornDebugIntExecuteFile != NULL)
            g_pfnVornDebugIntExecuteFile(pszPath);
    }
    bool PanesDone() const { return m_bLocals && m_bGlobals && m_bWatch; }
};

enum Mode
{
    INTERNAL,
    ATTACH
};

// One session of one script in one mode.
class CBenchSession
{
public:
    CTestFolder m_folder;
    CProject m_project;
    CTimingHost m_host;
    CDebugServer m_server;
    HMODULE m_hInterface = NULL;   // the debug-interface library, bound as the IDE binds it
    CDebugTestHostProcess m_process;
    Mode m_mode;
    CProjectFileEntry* m_pMain = NULL;

    CBenchSession(Mode mode, const std::string& strScript) : m_mode(mode)
    {
        m_project.Create(m_folder.Path(), "bench");
        WriteTestFile(m_folder / "main.lua", strScript);
        m_pMain = m_project.AddFile(m_folder / "main.lua", "");
        m_project.SetMainFile("main.lua");
        m_host.m_pProject = &m_project;
        m_host.m_pServer = &m_server;
        m_server.SetHost(&m_host);
    }
    bool Start()
    {
        m_server.SetAttachMode(m_mode == ATTACH);
        if (!m_server.Create(7550))
            return false;
        if (m_mode == INTERNAL)
        {
            if (!LoadDebugInterfaceLibrary("VornDebugInt51.dll", m_hInterface))
                return false;
            g_pfnVornDebugIntInitialize();
            g_pfnVornDebugIntConnect(NULL, 7550);
        }
        else if (!m_process.Start(m_folder / "main.lua", m_folder.Path()))
            return false;
        return Pump([&] { return m_server.IsConnected(); }, 10000);
    }
    bool WaitForEnd(DWORD dwTimeoutMs) { return Pump([&] { return m_host.m_nStopsPosted > 0; }, dwTimeoutMs); }
    void Stop()
    {
        m_server.Close();
        if (m_mode == INTERNAL && m_hInterface != NULL)
        {
            g_pfnVornDebugIntDisconnect();
            g_pfnVornDebugIntShutdown();
            FreeDebugInterfaceLibrary(m_hInterface);
        }
        m_process.End(3000);
        Pump([] { return false; }, 50);
    }
};

const char* ModeName(Mode mode)
{
    return mode == INTERNAL ? "stand-in (internal)" : "client test host (attach)";
}

const char DECISIONS_SCRIPT[] =
    "local deadline = os.clock() + 2\n"      // 1
    "local n = 0\n"                          // 2
    "while os.clock() < deadline do\n"       // 3
    "  n = n + 1\n"                          // 4  the breakpoint
    "end\n"                                  // 5
    "print('passes', n)\n";                  // 6

void MeasureDecisions(Mode mode, bool bFalseCondition)
{
    CBenchSession session(mode, DECISIONS_SCRIPT);
    CBreakpoint* pBreakpoint = session.m_pMain->AddBreakpoint(4);
    if (bFalseCondition)
    {
        pBreakpoint->SetConditionEnable(1);
        pBreakpoint->SetCondition("n < 0");
    }
    else
        pBreakpoint->SetEnabled(0);
    session.m_host.m_bTimeLookups = true;
    if (!session.Start())
    {
        printf("%s: the session did not start\n", ModeName(mode));
        session.Stop();
        return;
    }
    const double dStart = NowUs();
    const bool bEnded = session.WaitForEnd(20000);
    session.m_host.m_bTimeLookups = false;
    session.Stop();
    if (!bEnded)
    {
        printf("%s: the script did not end\n", ModeName(mode));
        return;
    }

    // A decision is one lookup, or two with a condition; the first few belong to the
    // connection and the first pass.
    const std::vector<double>& lookups = session.m_host.m_lookups;
    const size_t nStep = bFalseCondition ? 2 : 1;
    std::vector<double> cycles;
    for (size_t i = 10 * nStep; i + nStep < lookups.size(); i += nStep)
        cycles.push_back(lookups[i + nStep] - lookups[i]);
    const size_t nDecisions = cycles.size();
    double dSeconds = 0;
    for (double dCycle : cycles)
        dSeconds += dCycle / 1e6;
    if (dSeconds <= 0)
        dSeconds = (NowUs() - dStart) / 1e6;
    printf("%-26s %-22s %7zu decisions in %.2f s = %6.0f per second; cycle median %5.0f us, "
           "90th %5.0f us, 99th %6.0f us\n",
           ModeName(mode), bFalseCondition ? "false condition:" : "disabled breakpoint:", nDecisions, dSeconds,
           (double)nDecisions / dSeconds, Percentile(cycles, 0.5), Percentile(cycles, 0.9),
           Percentile(cycles, 0.99));
}

const char BIG_TABLE_SCRIPT[] =
    "local big = {}\n"                       // 1
    "for i = 1, 100000 do big[i] = i end\n"  // 2
    "for k = 1, 21 do\n"                     // 3
    "  local x = k\n"                        // 4  the breakpoint
    "end\n"                                  // 5
    "print('done', #big)\n";                 // 6

void MeasureBigTableStops(Mode mode)
{
    CBenchSession session(mode, BIG_TABLE_SCRIPT);
    session.m_pMain->AddBreakpoint(4);
    session.m_project.AddWatch("#big");
    if (!session.Start())
    {
        printf("%s: the session did not start\n", ModeName(mode));
        session.Stop();
        return;
    }
    std::vector<double> times;
    for (int nStop = 1; nStop <= 21; nStop++)
    {
        if (!Pump([&] { return session.m_host.m_nBreaks >= nStop && session.m_host.PanesDone(); }, 20000))
        {
            printf("%s: stop %d did not come\n", ModeName(mode), nStop);
            break;
        }
        // The first stop also pays for the first look at each function.
        if (nStop > 1)
            times.push_back((NowUs() - session.m_host.m_dBreakStart) / 1000.0);
        session.m_server.Continue();
    }
    session.WaitForEnd(10000);
    session.Stop();
    if (!times.empty())
        printf("%-26s stop with a 1.6 MB table in scope, Break to panes done: median %.2f ms, worst %.2f ms "
               "(%zu stops)\n",
               ModeName(mode), Percentile(times, 0.5), Percentile(times, 1.0), times.size());
}
// The Locals list's side of the session: a double-click asks the session for members.
class CBenchPanesHost : public IDebugPanesHost
{
public:
    explicit CBenchPanesHost(CDebugServer& server) : m_server(server) {}
    virtual CProject* GetPanesProject() { return NULL; }
    virtual CDebugServer& GetPanesDebugServer() { return m_server; }
    virtual CWnd* GetCommandWindow() { return NULL; }
    virtual void RefreshBreakpointMarks(CProjectFileEntry*) {}
    virtual void OpenProjectFileAtLine(CProjectFileEntry*, int) {}
    virtual void ClearExecutionMarks() {}
    virtual void ShowExecutionLine(CProjectFileEntry*, int) {}
    virtual BOOL RequestTableMembers(CVariablesListCtrl*, int nTableId) { return m_server.RequestTableMembers(nTableId); }
    virtual void RequestStackFrame(int) {}
    virtual void AppendDebugOutput(LPCTSTR) {}

private:
    CDebugServer& m_server;
};

// A double-click on a local table of nMembers numbers, until its members show in the
// Locals list; meanwhile the longest time one message kept the loop from input.
void MeasureExpansion(Mode mode, int nMembers)
{
    char szScript[256];
    sprintf(szScript, "local big = {}\nfor i = 1, %d do big[i] = i end\nlocal x = 1\nprint('done', #big)\n",
            nMembers);
    CBenchSession session(mode, szScript);
    session.m_pMain->AddBreakpoint(3);
    CWnd frame;
    frame.CreateEx(0, AfxRegisterWndClass(0), "Locals", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 600, 500),
                   NULL, 0);
    CVariablesListCtrl locals;
    locals.CreateList(&frame, 117);
    locals.MoveWindow(0, 0, 580, 460);
    CBenchPanesHost panesHost(session.m_server);
    locals.SetHost(&panesHost);
    session.m_host.m_pLocals = &locals;
    if (!session.Start() || !Pump([&] { return session.m_host.m_nBreaks >= 1 && session.m_host.m_bLocals; }, 20000))
    {
        printf("%s: no stop\n", ModeName(mode));
        session.m_host.m_pLocals = NULL;
        session.Stop();
        return;
    }
    int nRow = -1;
    for (int i = 0; i < locals.GetRowCount(); i++)
        if (locals.GetRow(i)->GetInfo()->GetName() == "big")
            nRow = i;
    locals.SelectRow(nRow);
    CRect rc;
    locals.GetItemRect(nRow, &rc, LVIR_BOUNDS);
    const double dStart = NowUs();
    locals.PostMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(rc.left + 60, rc.CenterPoint().y));
    double dWorst = 0;
    while (!session.m_host.m_bMembersDone && NowUs() - dStart < 60e6)
    {
        MSG msg;
        while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
        {
            const double dBefore = NowUs();
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
            dWorst = std::max(dWorst, NowUs() - dBefore);
        }
        ::MsgWaitForMultipleObjects(0, NULL, FALSE, 5, QS_ALLINPUT);
    }
    locals.UpdateWindow();
    const double dTotal = (NowUs() - dStart) / 1000.0;
    const bool bShown = locals.GetRowCount() > nMembers;
    session.m_host.m_pLocals = NULL;
    session.Stop();
    locals.DestroyWindow();
    frame.DestroyWindow();
    printf("%-26s expanding %6d members into the Locals list: %s in %.0f ms; longest message %.1f ms\n",
           ModeName(mode), nMembers, bShown ? "shown" : "NOT shown", dTotal, dWorst / 1000.0);
}

const char ENDLESS_SCRIPT[] = "local n = 0\nwhile true do end\n";

void MeasureBreaks(Mode mode)
{
    CBenchSession session(mode, ENDLESS_SCRIPT);
    if (!session.Start())
    {
        printf("%s: the session did not start\n", ModeName(mode));
        session.Stop();
        return;
    }
    Pump([] { return false; }, 200);
    std::vector<double> times;
    for (int nBreak = 1; nBreak <= 20; nBreak++)
    {
        const double dStart = NowUs();
        session.m_server.Break();
        if (!Pump([&] { return session.m_host.m_nBreaks >= nBreak; }, 10000))
        {
            printf("%s: break %d did not come\n", ModeName(mode), nBreak);
            break;
        }
        times.push_back((NowUs() - dStart) / 1000.0);
        // No watches here: the stop is done once locals and globals are in.
        Pump([&] { return session.m_host.m_bLocals && session.m_host.m_bGlobals; }, 10000);
        session.m_server.Continue();
        Pump([] { return false; }, 30);
    }
    session.Stop();
    if (!times.empty())
        printf("%-26s Break on while true do end, request to stop shown: median %.2f ms, worst %.2f ms "
               "(%zu breaks)\n",
               ModeName(mode), Percentile(times, 0.5), Percentile(times, 1.0), times.size());
}
}  // namespace

int main(int argc, char** argv)
{
    if (!AfxWinInit(::GetModuleHandle(NULL), NULL, ::GetCommandLine(), SW_SHOWNORMAL) || !AfxSocketInit())
        return 2;
    const bool bAll = argc < 2;
    auto Wanted = [&](const char* pszName) {
        for (int i = 1; i < argc; i++)
            if (strcmp(argv[i], pszName) == 0)
                return true;
        return bAll;
    };
    printf("%d-bit build\n", (int)(8 * sizeof(void*)));
    for (Mode mode : {ATTACH, INTERNAL})
    {
        if (Wanted("decisions"))
        {
            MeasureDecisions(mode, false);
            MeasureDecisions(mode, true);
        }
        if (Wanted("bigstop"))
            MeasureBigTableStops(mode);
        if (Wanted("break"))
            MeasureBreaks(mode);
        if (Wanted("expand"))
        {
            MeasureExpansion(mode, 10000);
            MeasureExpansion(mode, 100000);
        }
    }
    return 0;
}
