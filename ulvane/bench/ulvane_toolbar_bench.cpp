// Times a 40-button toolbar (icons, ten buttons with text, six separators, two
// drop-downs) docked at the top of a frame: the button layout at 20 widths (from
// nothing hidden to most buttons in the chevron), the floating width search, the
// size the rows ask for, and one paint; medians of 200 rounds. As a baseline in the
// same run, the same layout of a bar with only the chevron.
#include "MessagePump.h"
#include "CExtCommandItem.h"
#include "CExtCommandManagerHolder.h"
#include "CExtControlBar.h"
#include "CExtToolControlBar.h"
#include "BenchClock.h"
#include "ulvane_test_res.h"

#include <stdio.h>

#include <vector>

namespace
{
class CBenchApp : public CWinApp
{
public:
    CBenchApp() : CWinApp("UlvaneToolbarBench") {}
};
CBenchApp theApp;

const char* const g_pszProfile = "Ulvane-toolbar-bench";

// Ten buttons get a text, two a drop-down menu.
void DressButtons(CExtToolControlBar& bar)
{
    int nTexts = 0, nMenus = 0;
    for (int i = 0; i < bar.GetButtonsCount() - 1; i++)
    {
        const UINT nID = bar.GetButtonCommand(i);
        if (nID == 0)
            continue;
        CExtCommandItem* pItem = g_CommandManagerHolder->AllocateCommand(g_pszProfile, nID);
        if (pItem != NULL && nTexts < 10 && i % 3 == 1)
        {
            pItem->m_strToolbarText.Format("Text %d", ++nTexts);
        }
        else if (nMenus < 2 && i % 7 == 4)
        {
            HMENU hMenu = ::CreatePopupMenu();
            ::AppendMenu(hMenu, MF_STRING, 0x6000 + nMenus, "Entry");
            bar.SetButtonMenu(i, hMenu, false, true, false);
            nMenus++;
        }
    }
}
}

int main()
{
    static char szNoArguments[] = "";
    if (!AfxWinInit(::GetModuleHandle(NULL), NULL, szNoArguments, SW_SHOWNORMAL))
        return 2;
    CFrameWnd* pFrame = new CFrameWnd;
    if (!pFrame->Create(NULL, "toolbar", WS_OVERLAPPEDWINDOW, CRect(0, 0, 1200, 600)))
        return 3;
    theApp.m_pMainWnd = pFrame;
    if (!g_CommandManagerHolder->CreateProfile(g_pszProfile, pFrame->m_hWnd) ||
        !CExtControlBar::FrameEnableDocking(pFrame))
        return 4;
    CExtToolControlBar bar, empty;
    if (!bar.Create(NULL, pFrame, AFX_IDW_TOOLBAR, 0x5040283C) || !bar.LoadToolbarResource(IDR_BAR40) ||
        !empty.Create(NULL, pFrame, AFX_IDW_TOOLBAR + 1, 0x5040283C) || !empty.SetButtons(NULL, 0))
        return 5;
    DressButtons(bar);
    bar.EnableDocking(CBRS_ALIGN_ANY);
    empty.EnableDocking(CBRS_ALIGN_ANY);
    pFrame->DockControlBar(&bar);
    pFrame->DockControlBar(&empty);
    pFrame->ShowWindow(SW_SHOW);
    pFrame->RecalcLayout();
    DispatchWaitingMessages();
    const CSize sizeFull = bar.CalcDynamicLayout(-1, LM_HORZ | LM_HORZDOCK);

    const int nRounds = 200;
    CRect rcBar;
    bar.GetWindowRect(&rcBar);
    // From the full length down to a few buttons, one width per round; only the
    // layout itself is timed.
    auto layOutAt = [&](CExtToolControlBar& target) {
        std::vector<double> times;
        for (int i = 0; i < nRounds; i++)
        {
            const int cx = 60 + (sizeFull.cx - 60) * (i % 20) / 19;
            target.SetWindowPos(NULL, 0, 0, cx, rcBar.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
            const double dStart = Milliseconds();
            target.DoRecalcLayout();
            times.push_back(Milliseconds() - dStart);
        }
        return Median(times);
    };
    const double dLayout = layOutAt(bar);
    const double dBaseline = layOutAt(empty);
    const double dCalc = MedianMs(nRounds, [&] { bar.CalcDynamicLayout(-1, LM_HORZ | LM_HORZDOCK); });
    bar.SetWindowPos(NULL, 0, 0, sizeFull.cx, rcBar.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    bar.DoRecalcLayout();
    const double dPaint = MedianMs(nRounds, [&] { bar.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW); });

    pFrame->FloatControlBar(&bar, CPoint(200, 200));
    DispatchWaitingMessages();
    int nLengthStep = 0;
    const double dFloat = MedianMs(nRounds, [&] { bar.SizeToolBar(100 + 37 * (nLengthStep++ % 20), false); });

    printf("40-button toolbar (10 with text, 6 separators, 2 drop-downs); medians of %d rounds\n", nRounds);
    printf("DoRecalcLayout, chevron-only bar (baseline):    %7.3f ms\n", dBaseline);
    printf("DoRecalcLayout docked, 20 widths:               %7.3f ms (%.1f x baseline)\n", dLayout, dLayout / dBaseline);
    printf("CalcLayout as the row asks for it:              %7.3f ms\n", dCalc);
    printf("one paint of the docked bar:                    %7.3f ms\n", dPaint);
    printf("floating width search (SizeToolBar):            %7.3f ms\n", dFloat);
    pFrame->DestroyWindow();
    return 0;
}
