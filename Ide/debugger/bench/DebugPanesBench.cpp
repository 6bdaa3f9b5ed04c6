// Speed of the debugger's panes (x64 or i686, printed): what a stop costs them, with and
// without a large expanded table left from the last stop; adding and opening the members
// of a large table; painting rows with long values. Run by hand, not a test.
#include <afxwin.h>

#include <algorithm>
#include <stdio.h>
#include <vector>

#include "CCallStackWnd.h"
#include "CLocalVariablesPage.h"
#include "CVariablesListCtrl.h"

namespace
{
class CPanesBenchApp : public CWinApp
{
public:
    CPanesBenchApp() : CWinApp("VornPanesBench") {}
};
CPanesBenchApp theApp;

double Milliseconds(LARGE_INTEGER a, LARGE_INTEGER b)
{
    LARGE_INTEGER f;
    ::QueryPerformanceFrequency(&f);
    return 1000.0 * double(b.QuadPart - a.QuadPart) / double(f.QuadPart);
}

template <class F>
double TimeOnce(F f)
{
    LARGE_INTEGER t0, t1;
    ::QueryPerformanceCounter(&t0);
    f();
    ::QueryPerformanceCounter(&t1);
    return Milliseconds(t0, t1);
}

template <class F>
double Median(int nRuns, F f)
{
    std::vector<double> times;
    for (int i = 0; i < nRuns; i++)
        times.push_back(TimeOnce(f));
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void PumpPending()
{
    MSG msg;
    while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
    {
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
}

// nCount members, in no order, under the row with id 1.
void AddTableMembers(CVariablesListCtrl& list, int nCount)
{
    CString strName, strValue;
    for (int i = 0; i < nCount; i++)
    {
        strName.Format("member%06d", (i * 7919) % nCount);
        strValue.Format("%d", i);
        list.AddVariable(strName, strValue, "Number", -2, 1);
    }
}

// A table of nCount members under the row with id 1, opened as the session's answer does.
void AddAndOpenTable(CVariablesListCtrl& list, int nCount)
{
    AddTableMembers(list, nCount);
    CTreeListItem* pTable = list.FindRowById(1);
    list.SortChildren(pTable, TRUE);
    list.Expand(pTable, pTable->GetIndex());
}

// What one stop does to the panes: the call stack and the locals anew, then painted.
void Stop(CWnd& frame, CCallStackWnd& stack, CVariablesListCtrl& locals)
{
    stack.Clear();
    stack.AddFrame("C:\\p\\main.lua", 12, "f", "global", "Lua");
    stack.AddFrame("C:\\p\\main.lua", 30, "", "", "main");
    locals.Clear();
    locals.AddVariable("t", "table: 0x1", "Table", 1, -2);
    for (int i = 0; i < 10; i++)
    {
        CString strName;
        strName.Format("v%d", i);
        locals.AddVariable(strName, "12", "Number", -2, -2);
    }
    locals.Refresh();
    frame.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}
} // namespace

int main()
{
    if (!AfxWinInit(::GetModuleHandle(NULL), NULL, ::GetCommandLine(), SW_SHOWNORMAL))
        return 2;
    printf("%d-bit build\n", (int)(8 * sizeof(void*)));
    CWnd frame;
    frame.CreateEx(0, AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1)), "Panes",
                   WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 900, 700), NULL, 0);
    theApp.m_pMainWnd = &frame;
    CCallStackWnd stack;
    stack.Create(&frame, 123);
    stack.MoveWindow(0, 0, 900, 150);
    CVariablesListCtrl locals;
    locals.CreateList(&frame, 117);
    locals.MoveWindow(0, 150, 900, 550);
    PumpPending();

    // A stop with small locals: the baseline.
    const double dSmall = Median(21, [&] {
        Stop(frame, stack, locals);
        PumpPending();
    });
    // The same stop while the last one left a 100,000-member table open.
    std::vector<double> bigStops;
    for (int i = 0; i < 5; i++)
    {
        AddAndOpenTable(locals, 100000);
        bigStops.push_back(TimeOnce([&] { Stop(frame, stack, locals); }));
        // The rows of the cleared table are freed after the repaint, outside the stop.
        PumpPending();
    }
    std::sort(bigStops.begin(), bigStops.end());
    AddAndOpenTable(locals, 100000);
    printf("clear of the locals with 100,000 members open:           %7.2f ms, rows freed afterwards in %.2f ms\n",
           TimeOnce([&] { locals.Clear(); }), TimeOnce([&] { PumpPending(); }));
    printf("stop to repaint, panes' part, small locals:              median %7.2f ms\n", dSmall);
    printf("stop to repaint, panes' part, 100,000 members open:      median %7.2f ms (x%.1f)\n",
           bigStops[bigStops.size() / 2], bigStops[bigStops.size() / 2] / dSmall);

    for (int nMembers : { 10000, 100000 })
    {
        Stop(frame, stack, locals);
        const double dAdd = TimeOnce([&] { AddTableMembers(locals, nMembers); });
        CTreeListItem* pTable = locals.FindRowById(1);
        const double dOpen = TimeOnce([&] {
            locals.SortChildren(pTable, TRUE);
            locals.Expand(pTable, pTable->GetIndex());
            locals.EnsureVisible(pTable->GetIndex(), FALSE);
            locals.UpdateWindow();
        });
        printf("%6d members: added %7.1f ms (%.2f us each), sorted, opened and painted %7.1f ms\n", nMembers, dAdd,
               1000.0 * dAdd / nMembers, dOpen);
    }

    // 40 rows with 256-character values, painted.
    locals.Clear();
    const CString strLong('v', 256);
    for (int i = 0; i < 40; i++)
    {
        CString strName;
        strName.Format("value%02d", i);
        locals.AddVariable(strName, strLong, "String", -2, -2);
    }
    locals.SetColumnWidth(1, 600);
    const double dPaint = Median(21, [&] {
        locals.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    });
    printf("repaint of 40 rows with 256-character values:             median %7.2f ms (%d rows visible)\n", dPaint,
           locals.GetCountPerPage());
    stack.DestroyWindow();
    locals.DestroyWindow();
    frame.DestroyWindow();
    return 0;
}
