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
#include "ShellBenchSupport.h"
#include "resource.h"

#include <stdio.h>
#include <vector>

namespace
{
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

// The panes on the frame's four sides, the breakpoints beside the output.
void DockOnFourSides(CMainFrame* pFrame)
{
    pFrame->GetBar(ID_VIEW_PROJECT_EXPLORER).DockAtFrameSide(AFX_IDW_DOCKBAR_LEFT, 1, pFrame, false);
    pFrame->GetBar(ID_VIEW_VARIABLES).DockAtFrameSide(AFX_IDW_DOCKBAR_TOP, 1, pFrame, false);
    pFrame->GetBar(ID_VIEW_CALL_STACK).DockAtFrameSide(AFX_IDW_DOCKBAR_RIGHT, 1, pFrame, false);
    CExtControlBar& output = pFrame->GetBar(ID_VIEW_OUTPUT);
    output.DockAtFrameSide(AFX_IDW_DOCKBAR_BOTTOM, 1, pFrame, true);
    CRect rcOutput = WindowRectOf(&output);
    CRect rcDrop(CPoint(rcOutput.right - 2, rcOutput.CenterPoint().y), CSize(1, 1));
    pFrame->DockControlBar(&pFrame->GetBar(ID_VIEW_BREAKPOINTS), output.m_pDockBar, &rcDrop);
    ShowPanes(pFrame, TRUE);
    pFrame->RecalcLayout();
    DispatchWaitingMessagesAndIdle();
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
        DispatchWaitingMessagesAndIdle();
        // The explorer's caption active, the output's hide button under the cursor.
        CExtControlBar& explorer = pFrame->GetBar(ID_VIEW_PROJECT_EXPLORER);
        explorer.SetFocus();
        DispatchWaitingMessagesAndIdle();
        CExtControlBar& output = pFrame->GetBar(ID_VIEW_OUTPUT);
        for (int i = 0; i < output.GetNcAreaButtonCount(); i++)
        {
            CExtBarNcAreaButton* pButton = output.GetNcAreaButton(i);
            if (!pButton->IsKindOf(RUNTIME_CLASS(CExtBarNcAreaButtonClose)) || !pButton->OnQueryVisibility())
                continue;
            const CPoint pt = pButton->m_rc.CenterPoint() + WindowRectOf(&output).TopLeft();
            ::SetCursorPos(pt.x, pt.y);
            output.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(pt.x, pt.y));
        }
        pFrame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME | RDW_UPDATENOW);
        for (UINT nBar : g_arrDockingPanes)
            pFrame->GetBar(nBar).SendMessage(WM_NCPAINT);
        Picture(WindowRectOf(pFrame), CString("panes_") + look.pszName);

        // The panels menu over the call stack's caption.
        CExtControlBar& callStack = pFrame->GetBar(ID_VIEW_CALL_STACK);
        const CPoint ptMenu = callStack.m_rcCaption.TopLeft() + WindowRectOf(&callStack).TopLeft() + CSize(20, 8);
        DuringModalLoop(
            [&callStack, ptMenu] {
                callStack.TrackPanelsMenu(CExtBarPopupMenuEvent::eBarNcMenu, WM_RBUTTONUP, NULL, ptMenu);
            },
            [pFrame, &look] {
                Picture(WindowRectOf(pFrame), CString("panels_menu_") + look.pszName);
                CExtPopupMenuWnd::CancelTracking();
            });
    }
    // A floating pane.
    CExtControlBar& breakpoints = pFrame->GetBar(ID_VIEW_BREAKPOINTS);
    CRect rcFrame = WindowRectOf(pFrame);
    breakpoints.FloatAt(rcFrame.left + rcFrame.Width() / 2, rcFrame.top + rcFrame.Height() / 3);
    DispatchWaitingMessagesAndIdle();
    Picture(WindowRectAround(pFrame, breakpoints.GetParentFrame()), "floating_pane");
    return 0;
}
} // namespace

int main(int argc, char** argv)
{
    CShellBenchRun run;
    run.prepare = [](CMainFrame* pFrame) {
        ShowPanes(pFrame, TRUE);
        return true;
    };
    run.benchmark = RunBenchmark;
    run.pictures = TakePictures;
    return RunInIde(argc, argv, run);
}
