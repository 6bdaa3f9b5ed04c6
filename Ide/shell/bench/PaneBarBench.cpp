// The docking panes of the running IDE: one frame-resize step (the frame's layout with
// its panes, menu bar, toolbar and status bar), timed from the size change until the
// layout is done, against the same step with the panes hidden as the baseline in the
// same run. Medians of 101 rounds. Run with build*/wine-run.sh (not a test).
//
// With --pictures <folder> it writes instead, in each look, what the screen shows of
// the frame with panes on its four sides: one pane's caption active, another's hide
// button under the cursor, the panels menu open over a caption, and a floating pane.
#include "CExtBarNcAreaButtonClose.h"
#include "CExtBarPopupMenuEvent.h"
#include "CExtPopupMenuWnd.h"
#include "CMainFrame.h"
#include "CVornApp.h"
#include "ScreenPicture.h"
#include "VornTestFolder.h"
#include "resource.h"

#include <algorithm>
#include <functional>
#include <stdio.h>
#include <vector>

namespace
{
class CBenchVornApp : public CVornApp
{
public:
    // Questions are answered No: nothing is saved or replaced.
    virtual int DoMessageBox(LPCTSTR, UINT, UINT) { return IDNO; }
};
CBenchVornApp theApp;

double Milliseconds()
{
    static LARGE_INTEGER s_freq = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return (double)now.QuadPart * 1000.0 / (double)s_freq.QuadPart;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void PumpWithIdle()
{
    MSG msg;
    for (int nRound = 0; nRound < 3; nRound++)
    {
        while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
        {
            if (msg.message == WM_QUIT)
                continue;
            if (!AfxGetThread()->PreTranslateMessage(&msg))
            {
                ::TranslateMessage(&msg);
                ::DispatchMessage(&msg);
            }
        }
        for (LONG lCount = 0; theApp.OnIdle(lCount); lCount++)
        {
        }
    }
}

const UINT kPanes[] = {ID_VIEW_PROJECT_EXPLORER, ID_VIEW_OUTPUT, ID_VIEW_BREAKPOINTS, ID_VIEW_VARIABLES,
                       ID_VIEW_CALL_STACK};

void ShowPanes(CMainFrame* pFrame, BOOL bShow)
{
    for (UINT nBar : kPanes)
        pFrame->ShowControlBar(&pFrame->GetBar(nBar), bShow, FALSE);
    PumpWithIdle();
}

double ResizeStep(CMainFrame* pFrame)
{
    std::vector<double> steps;
    CRect rc;
    pFrame->GetWindowRect(&rc);
    for (int i = 0; i < 101; i++)
    {
        const int cx = rc.Width() + (i % 2 == 0 ? 16 : 0);
        const double t0 = Milliseconds();
        pFrame->SetWindowPos(NULL, 0, 0, cx, rc.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
        pFrame->RecalcLayout();
        steps.push_back(Milliseconds() - t0);
    }
    return Median(steps);
}

int RunBenchmark(CMainFrame* pFrame)
{
    ShowPanes(pFrame, FALSE);
    const double dBaseline = ResizeStep(pFrame);
    ShowPanes(pFrame, TRUE);
    const double dPanes = ResizeStep(pFrame);
    printf("frame resize step, panes hidden (baseline): %7.3f ms\n", dBaseline);
    printf("frame resize step with the five panes:      %7.3f ms (%.1f x baseline)\n", dPanes, dPanes / dBaseline);
    return 0;
}

/////////////////////////////////////////////////////////////////////////////
// Pictures

CString g_strPictures;

void Picture(const CRect& rc, const CString& strName)
{
    CScreenPicture picture(rc);
    if (!picture.Save(g_strPictures + strName + ".bmp"))
        printf("could not write %s\n", (LPCTSTR)strName);
}

CRect RectOf(CWnd* pWnd)
{
    CRect rc;
    pWnd->GetWindowRect(&rc);
    return rc;
}

std::function<void()> g_step;
void CALLBACK RunStep(HWND, UINT, UINT_PTR nIDEvent, DWORD)
{
    ::KillTimer(NULL, nIDEvent);
    try
    {
        g_step();
    }
    catch (...)
    {
    }
}

// The panes on the frame's four sides, the breakpoints beside the output.
void DockOnFourSides(CMainFrame* pFrame)
{
    pFrame->GetBar(ID_VIEW_PROJECT_EXPLORER).DockAtFrameSide(AFX_IDW_DOCKBAR_LEFT, 1, pFrame, false);
    pFrame->GetBar(ID_VIEW_VARIABLES).DockAtFrameSide(AFX_IDW_DOCKBAR_TOP, 1, pFrame, false);
    pFrame->GetBar(ID_VIEW_CALL_STACK).DockAtFrameSide(AFX_IDW_DOCKBAR_RIGHT, 1, pFrame, false);
    CExtControlBar& output = pFrame->GetBar(ID_VIEW_OUTPUT);
    output.DockAtFrameSide(AFX_IDW_DOCKBAR_BOTTOM, 1, pFrame, true);
    CRect rcOutput = RectOf(&output);
    CRect rcDrop(CPoint(rcOutput.right - 2, rcOutput.CenterPoint().y), CSize(1, 1));
    pFrame->DockControlBar(&pFrame->GetBar(ID_VIEW_BREAKPOINTS), output.m_pDockBar, &rcDrop);
    ShowPanes(pFrame, TRUE);
    pFrame->RecalcLayout();
    PumpWithIdle();
}

int TakePictures(CMainFrame* pFrame)
{
    struct Look
    {
        void (CMainFrame::*pfnSet)();
        const char* pszName;
    };
    const Look looks[] = {{&CMainFrame::SetUIStyleClassic, "classic"},
                          {&CMainFrame::SetUIStyleXP, "xp"},
                          {&CMainFrame::SetUIStyleOffice2003, "office2003"}};
    DockOnFourSides(pFrame);
    for (const Look& look : looks)
    {
        (pFrame->*look.pfnSet)();
        PumpWithIdle();
        // The explorer's caption active, the output's hide button under the cursor.
        CExtControlBar& explorer = pFrame->GetBar(ID_VIEW_PROJECT_EXPLORER);
        explorer.SetFocus();
        PumpWithIdle();
        CExtControlBar& output = pFrame->GetBar(ID_VIEW_OUTPUT);
        for (int i = 0; i < output.GetNcAreaButtonCount(); i++)
        {
            CExtBarNcAreaButton* pButton = output.GetNcAreaButton(i);
            if (!pButton->IsKindOf(RUNTIME_CLASS(CExtBarNcAreaButtonClose)) || !pButton->OnQueryVisibility())
                continue;
            const CPoint pt = pButton->m_rc.CenterPoint() + RectOf(&output).TopLeft();
            ::SetCursorPos(pt.x, pt.y);
            output.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y));
        }
        pFrame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME | RDW_UPDATENOW);
        for (UINT nBar : kPanes)
            pFrame->GetBar(nBar).SendMessage(WM_NCPAINT);
        Picture(RectOf(pFrame), CString("panes_") + look.pszName);

        // The panels menu over the call stack's caption.
        CExtControlBar& callStack = pFrame->GetBar(ID_VIEW_CALL_STACK);
        const CPoint ptMenu = callStack.m_rcCaption.TopLeft() + RectOf(&callStack).TopLeft() + CSize(20, 8);
        g_step = [pFrame, &look] {
            Picture(RectOf(pFrame), CString("panels_menu_") + look.pszName);
            CExtPopupMenuWnd::CancelTracking();
        };
        ::SetTimer(NULL, 0, 700, RunStep);
        callStack.TrackPanelsMenu(CExtBarPopupMenuEvent::eBarNcMenu, WM_RBUTTONUP, NULL, ptMenu);
        PumpWithIdle();
    }
    // A floating pane.
    CExtControlBar& breakpoints = pFrame->GetBar(ID_VIEW_BREAKPOINTS);
    CRect rcFrame = RectOf(pFrame);
    breakpoints.FloatAt(rcFrame.left + rcFrame.Width() / 2, rcFrame.top + rcFrame.Height() / 3);
    PumpWithIdle();
    CRect rcAll = rcFrame;
    rcAll.UnionRect(rcAll, RectOf(breakpoints.GetParentFrame()));
    Picture(rcAll, "floating_pane");
    return 0;
}
} // namespace

int main(int argc, char** argv)
{
    static char szNoArguments[] = "";
    if (!AfxWinInit(::GetModuleHandle(NULL), NULL, szNoArguments, SW_SHOWNORMAL))
        return 2;
    if (argc >= 3 && lstrcmpA(argv[1], "--pictures") == 0)
    {
        g_strPictures = argv[2];
        if (g_strPictures.Right(1) != "\\")
            g_strPictures += "\\";
    }
    if (!theApp.InitInstance())
    {
        printf("the IDE did not start\n");
        return 3;
    }
    PumpWithIdle();
    CMainFrame* pFrame = theApp.GetMainFrame();
    int nResult = 4;
    if (pFrame != NULL)
    {
        pFrame->SetForegroundWindow();
        ShowPanes(pFrame, TRUE);
        nResult = g_strPictures.IsEmpty() ? RunBenchmark(pFrame) : TakePictures(pFrame);
    }
    if (theApp.m_pMainWnd != NULL && ::IsWindow(theApp.m_pMainWnd->m_hWnd))
        theApp.m_pMainWnd->SendMessage(WM_CLOSE);
    PumpWithIdle();
    theApp.ExitInstance();
    return nResult;
}
