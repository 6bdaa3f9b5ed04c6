// Times a toolbar's move along a full frame-edge row, as a live drag makes one on
// every mouse move: eight toolbar-like bars of 200 pixels (each keeping an extra
// record) share one top row of a 1280-pixel frame, so the row is packed and every
// move goes through the trial layout, the decision and the row's re-layout and
// redraw. Figures: medians of 500 moves, alternating 3 pixels back and on, for the
// row's first bar, a middle one and its last; as a baseline in the same run, the
// frame's RecalcLayout at an unchanged size.
#include "MessagePump.h"
#include "CBenchFixedBar.h"
#include "CExtDockOuterBar.h"
#include "BenchClock.h"

#include <stdio.h>

#include <memory>
#include <vector>

namespace
{
class CBenchApp : public CWinApp
{
public:
    CBenchApp() : CWinApp("UlvaneRowBench") {}
};
CBenchApp theApp;
}

int main()
{
    static char szNoArguments[] = "";
    if (!AfxWinInit(::GetModuleHandle(NULL), NULL, szNoArguments, SW_SHOWNORMAL))
        return 2;
    CFrameWnd* pFrame = new CFrameWnd;
    if (!pFrame->Create(NULL, "rows", WS_OVERLAPPEDWINDOW, CRect(0, 0, 1280, 1000)))
        return 3;
    theApp.m_pMainWnd = pFrame;
    if (!CExtControlBar::FrameEnableDocking(pFrame))
        return 4;
    std::vector<std::unique_ptr<CBenchFixedBar>> bars;
    for (int i = 0; i < 8; i++)
    {
        bars.emplace_back(new CBenchFixedBar);
        if (!bars.back()->Create("Row bar", pFrame, 0x7000 + i, WS_CHILD | WS_VISIBLE | CBRS_TOP))
            return 5;
        bars.back()->EnableDocking(CBRS_ALIGN_ANY);
        pFrame->DockControlBar(bars.back().get(), AFX_IDW_DOCKBAR_TOP);
        if (i > 0)
            bars.back()->MoveNextToInDockBar(bars[i - 1].get(), true);
    }
    pFrame->ShowWindow(SW_SHOW);
    pFrame->RecalcLayout();
    DispatchWaitingMessages();
    CExtDockOuterBar* pDock = (CExtDockOuterBar*)pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP);

    const int nRounds = 500;
    const double dBaseline = MedianMs(nRounds, [&] { pFrame->RecalcLayout(); });
    auto moves = [&](CBenchFixedBar* pBar) {
        int nStep = 0;
        return MedianMs(nRounds, [&] {
            bool bFull = false;
            pDock->ShiftBarInRow(pBar, nStep++ % 2 == 0 ? -3 : 3, &bFull);
        });
    };
    const double dFirst = moves(bars[0].get());
    const double dMiddle = moves(bars[4].get());
    const double dLast = moves(bars[7].get());
    printf("8 fixed bars in one full top row; medians of %d rounds\n", nRounds);
    printf("frame RecalcLayout, same size (baseline): %7.3f ms\n", dBaseline);
    printf("ShiftBarInRow, first bar:                 %7.3f ms (%.2f x baseline)\n", dFirst, dFirst / dBaseline);
    printf("ShiftBarInRow, middle bar:                %7.3f ms (%.2f x baseline)\n", dMiddle, dMiddle / dBaseline);
    printf("ShiftBarInRow, last bar:                  %7.3f ms (%.2f x baseline)\n", dLast, dLast / dBaseline);
    pFrame->DestroyWindow();
    return 0;
}
