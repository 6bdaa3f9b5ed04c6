// The running IDE in the shell's benchmark programs: its application with every
// question answered No, its start and close around a run, its docking panes, pictures
// of the screen for the --pictures mode, and steps taken inside a modal loop.
#pragma once

#include "BenchClock.h"
#include "CMainFrame.h"
#include "CVornApp.h"
#include "MessagePump.h"

#include <functional>

class CBenchVornApp : public CVornApp
{
public:
    // Questions are answered No: nothing is saved or replaced.
    virtual int DoMessageBox(LPCTSTR, UINT, UINT) { return IDNO; }
};
extern CBenchVornApp theApp;

// What one program runs in the started IDE: prepare (once the main frame is idle;
// false when it failed, after saying why), then the benchmark, or the pictures when
// the command line is --pictures <folder>.
struct CShellBenchRun
{
    std::function<bool(CMainFrame*)> prepare;
    std::function<int(CMainFrame*)> benchmark;
    std::function<int(CMainFrame*)> pictures;
};

// Starts the IDE, runs the run on its main frame and closes the IDE; the run's result,
// or 2 to 4 when the IDE did not start, showed no main frame or was not prepared.
int RunInIde(int argc, char** argv, const CShellBenchRun& run);

// The IDE's five docking panes, by their command ids.
extern const UINT g_arrDockingPanes[5];
// Every docking pane shown (or hidden) without a layout, then the messages handled.
void ShowPanes(CMainFrame* pFrame, BOOL bShow);

// What the screen shows of the rectangle, written as <name>.bmp into the folder
// --pictures named.
void Picture(const CRect& rcScreen, const CString& strName);
CRect WindowRectOf(CWnd* pWnd);
// The rectangle around both windows (a frame and a window floating beside it).
CRect WindowRectAround(CWnd* pWnd, CWnd* pOther);

// Calls start, which enters a modal loop, and step once from a timer inside that loop,
// after the paints waiting there; the messages left are handled afterwards.
void DuringModalLoop(const std::function<void()>& start, const std::function<void()>& step);
