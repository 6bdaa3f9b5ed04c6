#include "ShellBenchSupport.h"

#include "ScreenPicture.h"
#include "resource.h"

#include <stdio.h>

CBenchVornApp theApp;

const UINT g_arrDockingPanes[5] = {ID_VIEW_PROJECT_EXPLORER, ID_VIEW_OUTPUT, ID_VIEW_BREAKPOINTS, ID_VIEW_VARIABLES,
                                   ID_VIEW_CALL_STACK};

namespace
{
// The folder of the pictures, with its trailing backslash; empty: the benchmark runs.
CString g_strPictures;

void ReadPictureFolder(int argc, char** argv)
{
    if (argc < 3 || lstrcmpA(argv[1], "--pictures") != 0)
        return;
    g_strPictures = argv[2];
    if (g_strPictures.Right(1) != "\\")
        g_strPictures += "\\";
}

int RunOnMainFrame(const CShellBenchRun& run)
{
    CMainFrame* pFrame = theApp.GetMainFrame();
    if (pFrame == NULL)
    {
        printf("the IDE showed no main frame\n");
        return 4;
    }
    if (run.prepare && !run.prepare(pFrame))
        return 4;
    pFrame->SetForegroundWindow();
    return g_strPictures.IsEmpty() ? run.benchmark(pFrame) : run.pictures(pFrame);
}

std::function<void()> g_step;

void CALLBACK RunStep(HWND, UINT, UINT_PTR nIDEvent, DWORD)
{
    ::KillTimer(NULL, nIDEvent);
    try
    {
        DispatchWaitingMessages();
        g_step();
    }
    catch (...)
    {
    }
}
} // namespace

int RunInIde(int argc, char** argv, const CShellBenchRun& run)
{
    static char szNoArguments[] = "";
    if (!AfxWinInit(::GetModuleHandle(NULL), NULL, szNoArguments, SW_SHOWNORMAL))
        return 2;
    ReadPictureFolder(argc, argv);
    if (!theApp.InitInstance())
    {
        printf("the IDE did not start\n");
        return 3;
    }
    DispatchWaitingMessagesAndIdle();
    const int nResult = RunOnMainFrame(run);
    if (theApp.m_pMainWnd != NULL && ::IsWindow(theApp.m_pMainWnd->m_hWnd))
        theApp.m_pMainWnd->SendMessage(WM_CLOSE);
    DispatchWaitingMessagesAndIdle();
    theApp.ExitInstance();
    return nResult;
}

void ShowPanes(CMainFrame* pFrame, BOOL bShow)
{
    for (UINT nBar : g_arrDockingPanes)
        pFrame->ShowControlBar(&pFrame->GetBar(nBar), bShow, FALSE);
    DispatchWaitingMessagesAndIdle();
}

void Picture(const CRect& rcScreen, const CString& strName)
{
    CScreenPicture picture(rcScreen);
    if (!picture.Save(g_strPictures + strName + ".bmp"))
        printf("could not write %s\n", (LPCTSTR)strName);
}

CRect WindowRectOf(CWnd* pWnd)
{
    CRect rc;
    pWnd->GetWindowRect(&rc);
    return rc;
}

CRect WindowRectAround(CWnd* pWnd, CWnd* pOther)
{
    CRect rc;
    rc.UnionRect(WindowRectOf(pWnd), WindowRectOf(pOther));
    return rc;
}

void DuringModalLoop(const std::function<void()>& start, const std::function<void()>& step)
{
    g_step = step;
    ::SetTimer(NULL, 0, 700, RunStep);
    start();
    DispatchWaitingMessagesAndIdle();
}
