// Times the bar layer's layout and idle work in a frame of 24 resizable bars (each
// with an edit child) docked four to a row in six rows: two at the top, two at the
// bottom, one at the left and one at the right. Figures: the frame's RecalcLayout at
// an unchanged size (the layout's own work: every row decided, nothing moves), a
// frame-resize step (every bar and its child moved and its caption laid out), and
// one idle pass of the caption update over every bar, as medians of 200 rounds; as
// a baseline in the same run, the same two layouts with the bars hidden.
#include "MessagePump.h"
#include "CBenchPaneBar.h"
#include "CExtDockBar.h"
#include "BenchClock.h"

#include <stdio.h>

#include <memory>
#include <vector>

namespace
{
class CBenchApp : public CWinApp
{
public:
    CBenchApp() : CWinApp("UlvaneBarBench") {}
};
CBenchApp theApp;

// Docks the bars into one row of the side's dock bar at the layer.
void DockRow(CFrameWnd* pFrame, std::vector<std::unique_ptr<CBenchPaneBar>>& panes, size_t nFirst, UINT nSide, UINT nLayer)
{
    for (size_t i = nFirst; i < nFirst + 4; i++)
        panes[i]->DockAtFrameSide(nSide, nLayer, pFrame, false);
    CExtDockBar* pDockBar = CExtDockBar::FindDockBarInCircle(pFrame, nLayer, nSide, false);
    // Each bar docked on a row of its own: the row ends between them go.
    for (INT_PTR i = pDockBar->m_arrBars.GetSize() - 2; i > 1; i--)
        if (pDockBar->m_arrBars[i] == NULL && pDockBar->m_arrBars[i - 1] != NULL && pDockBar->m_arrBars[i + 1] != NULL)
            pDockBar->m_arrBars.RemoveAt(i);
}

}

int main()
{
    static char szNoArguments[] = "";
    if (!AfxWinInit(::GetModuleHandle(NULL), NULL, szNoArguments, SW_SHOWNORMAL))
        return 2;
    CFrameWnd* pFrame = new CFrameWnd;
    if (!pFrame->Create(NULL, "bars", WS_OVERLAPPEDWINDOW, CRect(0, 0, 1200, 900)))
        return 3;
    theApp.m_pMainWnd = pFrame;
    if (!CExtControlBar::FrameEnableDocking(pFrame))
        return 4;
    std::vector<std::unique_ptr<CBenchPaneBar>> panes;
    for (int i = 0; i < 24; i++)
    {
        panes.emplace_back(new CBenchPaneBar);
        if (!panes.back()->CreateIn(pFrame, 0x7000 + i, CSize(150 + 10 * i, 100), CSize(120, 100 + 5 * i)))
            return 5;
    }
    const struct
    {
        UINT nSide, nLayer;
    } rows[] = {{AFX_IDW_DOCKBAR_TOP, 1},    {AFX_IDW_DOCKBAR_TOP, 2},  {AFX_IDW_DOCKBAR_BOTTOM, 1},
                {AFX_IDW_DOCKBAR_BOTTOM, 2}, {AFX_IDW_DOCKBAR_LEFT, 1}, {AFX_IDW_DOCKBAR_RIGHT, 1}};
    for (size_t r = 0; r < 6; r++)
        DockRow(pFrame, panes, 4 * r, rows[r].nSide, rows[r].nLayer);
    pFrame->ShowWindow(SW_SHOW);
    pFrame->RecalcLayout();
    DispatchWaitingMessages();

    const int nRounds = 200;
    // Alternating frame sizes, so that every round lays the rows out afresh.
    int nStep = 0;
    auto resizeAndLayout = [&] {
        const int cx = 1200 + (nStep++ % 2 == 0 ? 16 : -16);
        pFrame->SetWindowPos(NULL, 0, 0, cx, 900, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
        pFrame->RecalcLayout();
    };
    const double dLayout = MedianMs(nRounds, resizeAndLayout);
    auto layoutOnly = [&] { pFrame->RecalcLayout(); };
    const double dStill = MedianMs(nRounds, layoutOnly);
    const double dIdle = MedianMs(nRounds, [&] {
        for (auto& pane : panes)
            pane->SendMessage(WM_IDLEUPDATECMDUI, TRUE);
    });
    for (auto& pane : panes)
        pFrame->ShowControlBar(pane.get(), FALSE, FALSE);
    pFrame->RecalcLayout();
    DispatchWaitingMessages();
    const double dBaseline = MedianMs(nRounds, resizeAndLayout);
    const double dStillBaseline = MedianMs(nRounds, layoutOnly);
    printf("24 resizable bars in 6 rows; medians of %d rounds\n", nRounds);
    printf("RecalcLayout, same size, bars hidden (baseline):   %7.3f ms\n", dStillBaseline);
    printf("RecalcLayout, same size, with the bars:            %7.3f ms (%.1f x baseline)\n", dStill,
           dStill / dStillBaseline);
    printf("frame resize step with the bars hidden (baseline): %7.3f ms\n", dBaseline);
    printf("frame resize step, RecalcLayout with the bars:      %7.3f ms (%.1f x baseline)\n", dLayout,
           dLayout / dBaseline);
    printf("idle caption update of all 24 bars:                %7.3f ms\n", dIdle);
    pFrame->DestroyWindow();
    return 0;
}
