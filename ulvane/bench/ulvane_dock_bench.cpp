// Times the dock bars' layout of a whole 1280 x 1000 frame through 20 sizes, from the
// frame's WM_SIZE to the last window moved (the frame is resized without redrawing and
// the paints it leaves waiting are handled after the clock stops):
//  - an everyday frame of 12 bars: four toolbar-like bars in two top rows at the
//    frame's edge, and in the circles inside it two resizable bars sharing a left row,
//    two sharing a bottom row, one at the right, one at the top of the next circle
//    and two nested in a container;
//  - a crowded frame: 24 toolbar-like bars in four top rows and 36 resizable bars over
//    circles 1 to 6, four of them pairs nested in containers;
// and, in the crowded frame, a toolbar's move along its full row (ShiftBarInRow), as
// a live drag makes one on every mouse move. Figures: the median over the sizes and
// the worst size (each size the median of its rounds), the single worst round, the
// windows one resize moves, the layout at an unchanged size (the decisions alone), and
// as baselines in the same run the same resizes with every bar hidden and the time one
// plain child window takes to move, so that the windowing system's share shows. The
// windowing system paints the frame and background of each moved window from inside
// its move: a second run times it apart (with hooks, which slow every message) and
// gives its share, by which the layout alone is estimated.
#include "MessagePump.h"
#include "BenchClock.h"
#include "CBenchFixedBar.h"
#include "CBenchPaneBar.h"
#include "CExtDockBar.h"
#include "CExtDockOuterBar.h"
#include "WindowMoves.h"

#include <stdio.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace
{
// The time spent painting while the clock runs: the windowing system sends the frame
// and erase paints of each moved window from inside its move.
int g_nPaintDepth = 0;
double g_dPaintStart = 0, g_dPaintMs = 0;

bool IsPaintMessage(UINT nMessage)
{
    return nMessage == WM_NCPAINT || nMessage == WM_ERASEBKGND || nMessage == WM_PAINT || nMessage == WM_PRINTCLIENT;
}

LRESULT CALLBACK PaintStarts(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode >= 0 && IsPaintMessage(((const CWPSTRUCT*)lParam)->message) && g_nPaintDepth++ == 0)
        g_dPaintStart = Milliseconds();
    return ::CallNextHookEx(NULL, nCode, wParam, lParam);
}

LRESULT CALLBACK PaintEnds(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode >= 0 && IsPaintMessage(((const CWPRETSTRUCT*)lParam)->message) && g_nPaintDepth > 0 &&
        --g_nPaintDepth == 0)
        g_dPaintMs += Milliseconds() - g_dPaintStart;
    return ::CallNextHookEx(NULL, nCode, wParam, lParam);
}

// Counts the painting time while it lives.
class CPaintClock
{
public:
    CPaintClock()
        : m_hStarts(::SetWindowsHookEx(WH_CALLWNDPROC, PaintStarts, NULL, ::GetCurrentThreadId())),
          m_hEnds(::SetWindowsHookEx(WH_CALLWNDPROCRET, PaintEnds, NULL, ::GetCurrentThreadId()))
    {
    }
    ~CPaintClock()
    {
        if (m_hStarts != NULL)
            ::UnhookWindowsHookEx(m_hStarts);
        if (m_hEnds != NULL)
            ::UnhookWindowsHookEx(m_hEnds);
    }
    bool IsCounting() const { return m_hStarts != NULL && m_hEnds != NULL; }
    // The painting time since the last call.
    double TakePaintMs()
    {
        const double dMs = g_dPaintMs;
        g_dPaintMs = 0;
        return dMs;
    }

private:
    HHOOK m_hStarts, m_hEnds;
};

class CBenchApp : public CWinApp
{
public:
    CBenchApp() : CWinApp("UlvaneDockBench") {}
};
CBenchApp theApp;

const int kSizes = 20;
const int kPasses = 5;

// The frame sizes in an order where each differs from the one before in both ways.
CSize FrameSize(int i)
{
    return CSize(1280 - 14 * (i * 7 % kSizes), 1000 - 10 * (i * 13 % kSizes));
}

// A frame with docking and the bars it holds; the frame is destroyed first.
struct CBenchFrame
{
    CFrameWnd* m_pFrame = NULL;
    std::vector<std::unique_ptr<CBenchFixedBar>> m_fixed;
    std::vector<std::unique_ptr<CBenchPaneBar>> m_panes;
    UINT m_nNextID = 0x7000;

    ~CBenchFrame()
    {
        theApp.m_pMainWnd = NULL;
        if (m_pFrame != NULL)
            m_pFrame->DestroyWindow();
        DispatchWaitingMessages();
    }
    bool Create(LPCTSTR pszTitle)
    {
        m_pFrame = new CFrameWnd;
        if (!m_pFrame->Create(NULL, pszTitle, WS_OVERLAPPEDWINDOW, CRect(CPoint(0, 0), FrameSize(0))))
        {
            m_pFrame = NULL;
            return false;
        }
        theApp.m_pMainWnd = m_pFrame;
        return CExtControlBar::FrameEnableDocking(m_pFrame) != FALSE;
    }
    // A toolbar-like bar docked at the top: on a row of its own, or after pAfter.
    CBenchFixedBar* AddFixed(int nLength, CBenchFixedBar* pAfter)
    {
        m_fixed.emplace_back(new CBenchFixedBar(nLength));
        CBenchFixedBar* pBar = m_fixed.back().get();
        if (!pBar->Create("Fixed bar", m_pFrame, m_nNextID++, WS_CHILD | WS_VISIBLE | CBRS_TOP))
            return NULL;
        pBar->EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP);
        if (pAfter != NULL)
            pBar->MoveNextToInDockBar(pAfter, true);
        return pBar;
    }
    // A resizable bar docked as a row of its own at the side and layer, or after pAfter
    // in its row.
    CBenchPaneBar* AddPane(UINT nSide, UINT nLayer, CBenchPaneBar* pAfter = NULL)
    {
        m_panes.emplace_back(new CBenchPaneBar);
        CBenchPaneBar* pBar = m_panes.back().get();
        if (!pBar->CreateIn(m_pFrame, m_nNextID++, CSize(200, 60), CSize(60, 200)) ||
            !pBar->DockAtFrameSide(nSide, nLayer, m_pFrame, false))
            return NULL;
        if (pAfter != NULL)
            pBar->MoveNextToInDockBar(pAfter, true);
        return pBar;
    }
    // A resizable bar nested with pWith in a container, on the side given.
    CBenchPaneBar* AddNested(CBenchPaneBar* pWith, UINT nSide)
    {
        CBenchPaneBar* pBar = AddPane(pWith->GetDockBarID(), pWith->GetDockLayer());
        if (pBar != NULL)
            pWith->DockNestedWith(pBar, nSide);
        return pBar;
    }
    void Show()
    {
        m_pFrame->ShowWindow(SW_SHOW);
        m_pFrame->RecalcLayout();
        DispatchWaitingMessages();
    }
    void ShowBars(BOOL bShow)
    {
        for (auto& bar : m_fixed)
            m_pFrame->ShowControlBar(bar.get(), bShow, FALSE);
        for (auto& bar : m_panes)
            m_pFrame->ShowControlBar(bar.get(), bShow, FALSE);
        m_pFrame->RecalcLayout();
        DispatchWaitingMessages();
    }
};

struct CResizeFigures
{
    double dMedian = 0, dWorstSize = 0, dWorstRound = 0;
    // With the painting counted: the median of the painting times' share of the whole.
    double dPaintShare = 0;
};

void ResizeWithoutRedraw(CFrameWnd* pFrame, CSize size)
{
    pFrame->SetWindowPos(NULL, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
}

// The moves the step makes, its waiting paints handled after.
CWindowMoves CountWindowMovesAndPaints(const std::function<void()>& step)
{
    const CWindowMoves moves = CountWindowMoves(step);
    DispatchWaitingMessages();
    return moves;
}

// One move of a plain child window of the frame, as the layouts make them.
double TimePlainMove(CFrameWnd* pFrame)
{
    CStatic wndPlain;
    if (!wndPlain.Create("", WS_CHILD | WS_VISIBLE, CRect(10, 10, 110, 60), pFrame))
        return 0;
    int nStep = 0;
    const double dTime = MedianMs(200, [&] {
        const int n = nStep++ % 2;
        wndPlain.SetWindowPos(NULL, 10 + n, 10, 100 + n, 50 + n, SWP_NOZORDER | SWP_NOACTIVATE);
    });
    wndPlain.DestroyWindow();
    DispatchWaitingMessages();
    return dTime;
}

// Each size's median over the rounds; their median and the worst of them. With the
// painting counted (its hooks slow every message down), its share of the whole too.
CResizeFigures TimeResizes(CFrameWnd* pFrame, bool bCountPainting)
{
    std::vector<std::vector<double>> rounds(kSizes);
    std::vector<double> paintShares;
    CResizeFigures figures;
    std::unique_ptr<CPaintClock> pPaintClock(bCountPainting ? new CPaintClock : NULL);
    for (int nPass = 0; nPass < kPasses; nPass++)
    {
        for (int i = 0; i < kSizes; i++)
        {
            if (pPaintClock)
                pPaintClock->TakePaintMs();
            const double t0 = Milliseconds();
            ResizeWithoutRedraw(pFrame, FrameSize(i));
            const double dTime = Milliseconds() - t0;
            if (pPaintClock && dTime > 0)
                paintShares.push_back(pPaintClock->TakePaintMs() / dTime);
            rounds[i].push_back(dTime);
            figures.dWorstRound = std::max(figures.dWorstRound, dTime);
            // The paints left waiting are handled after the clock has stopped.
            pFrame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_FRAME);
            DispatchWaitingMessages();
        }
    }
    std::vector<double> medians;
    for (const std::vector<double>& times : rounds)
        medians.push_back(Median(times));
    figures.dMedian = Median(medians);
    figures.dWorstSize = *std::max_element(medians.begin(), medians.end());
    if (!paintShares.empty())
        figures.dPaintShare = Median(paintShares);
    return figures;
}

void PrintResizeLine(const char* pszWhat, const CResizeFigures& figures)
{
    printf("  %-40s median %8.3f ms, worst size %8.3f ms, worst round %8.3f ms\n", pszWhat, figures.dMedian,
           figures.dWorstSize, figures.dWorstRound);
}

// The frame's resizes with its bars and with every bar hidden (the baseline), its
// layout at an unchanged size (every decision made, no window moved) and the windows
// one resize moves.
void TimeAndPrintResizes(CBenchFrame& f, const char* pszName, double dPlainMove)
{
    const CResizeFigures bars = TimeResizes(f.m_pFrame, false);
    const CResizeFigures counted = TimeResizes(f.m_pFrame, true);
    const CWindowMoves moved = CountWindowMovesAndPaints([&] { ResizeWithoutRedraw(f.m_pFrame, FrameSize(1)); });
    const CWindowMoves movedStill = CountWindowMovesAndPaints([&] { f.m_pFrame->RecalcLayout(); });
    const double dStill = MedianMs(200, [&] { f.m_pFrame->RecalcLayout(); });
    f.ShowBars(FALSE);
    const CResizeFigures hidden = TimeResizes(f.m_pFrame, false);
    const CWindowMoves movedHidden = CountWindowMovesAndPaints([&] { ResizeWithoutRedraw(f.m_pFrame, FrameSize(0)); });
    f.ShowBars(TRUE);
    printf("%s, %d sizes x %d rounds (WM_SIZE to the last window moved):\n", pszName, kSizes, kPasses);
    PrintResizeLine("with the bars:", bars);
    PrintResizeLine("bars hidden (baseline):", hidden);
    printf("  painting inside the moves: %.0f %% of the time (hooked run, median %.3f ms);\n"
           "  the layout without it about %.3f ms\n",
           100 * counted.dPaintShare, counted.dMedian, bars.dMedian * (1 - counted.dPaintShare));
    printf("  %.1f x baseline; a resize makes %d moves of %d windows (bars hidden: %d of %d),\n"
           "  as many plain window moves take %.3f ms;\n"
           "  the layout at an unchanged size: %.3f ms, %d moves\n",
           bars.dMedian / hidden.dMedian, moved.nMoves, moved.nWindows, movedHidden.nMoves, movedHidden.nWindows,
           moved.nMoves * dPlainMove, dStill, movedStill.nMoves);
}

bool BuildEverydayFrame(CBenchFrame& f)
{
    if (!f.Create("everyday"))
        return false;
    CBenchFixedBar* pFirst = f.AddFixed(220, NULL);
    CBenchFixedBar* pThird = f.AddFixed(300, NULL);
    if (pFirst == NULL || pThird == NULL || f.AddFixed(260, pFirst) == NULL || f.AddFixed(180, pThird) == NULL)
        return false;
    // The resizable bars inside the toolbars' frame-edge circle, as the IDE docks its
    // panes: there they share their rows.
    CBenchPaneBar* pLeft = f.AddPane(AFX_IDW_DOCKBAR_LEFT, 1);
    CBenchPaneBar* pBottom = f.AddPane(AFX_IDW_DOCKBAR_BOTTOM, 1);
    if (pLeft == NULL || pBottom == NULL || f.AddPane(AFX_IDW_DOCKBAR_LEFT, 1, pLeft) == NULL ||
        f.AddPane(AFX_IDW_DOCKBAR_BOTTOM, 1, pBottom) == NULL || f.AddPane(AFX_IDW_DOCKBAR_RIGHT, 1) == NULL ||
        f.AddPane(AFX_IDW_DOCKBAR_TOP, 2) == NULL)
        return false;
    CBenchPaneBar* pNestedFirst = f.AddPane(AFX_IDW_DOCKBAR_RIGHT, 2);
    return pNestedFirst != NULL && f.AddNested(pNestedFirst, AFX_IDW_DOCKBAR_BOTTOM) != NULL;
}

// Returns a toolbar-like bar in the middle of the first (full) top row.
CBenchFixedBar* BuildCrowdedFrame(CBenchFrame& f)
{
    if (!f.Create("crowded"))
        return NULL;
    CBenchFixedBar* pMiddle = NULL;
    for (int nRow = 0; nRow < 4; nRow++)
    {
        CBenchFixedBar* pPrevious = NULL;
        for (int i = 0; i < 6; i++)
        {
            // 160 to 260 pixels: 1260 a row, more than the narrower sizes leave.
            pPrevious = f.AddFixed(160 + 20 * ((i + nRow) % 6), pPrevious);
            if (pPrevious == NULL)
                return NULL;
            if (nRow == 0 && i == 3)
                pMiddle = pPrevious;
        }
    }
    // Six bars in each circle: one at the left and one at the right, two sharing the
    // bottom row, and at the top one or (in the last two circles) two; in the first
    // four circles the left bar is a container of two.
    for (UINT nCircle = 1; nCircle <= 6; nCircle++)
    {
        CBenchPaneBar* pLeft = f.AddPane(AFX_IDW_DOCKBAR_LEFT, nCircle);
        CBenchPaneBar* pBottom = f.AddPane(AFX_IDW_DOCKBAR_BOTTOM, nCircle);
        CBenchPaneBar* pTop = f.AddPane(AFX_IDW_DOCKBAR_TOP, nCircle);
        if (pLeft == NULL || pBottom == NULL || pTop == NULL || f.AddPane(AFX_IDW_DOCKBAR_RIGHT, nCircle) == NULL ||
            f.AddPane(AFX_IDW_DOCKBAR_BOTTOM, nCircle, pBottom) == NULL)
            return NULL;
        if (nCircle > 4 && f.AddPane(AFX_IDW_DOCKBAR_TOP, nCircle, pTop) == NULL)
            return NULL;
        if (nCircle <= 4 && f.AddNested(pLeft, AFX_IDW_DOCKBAR_BOTTOM) == NULL)
            return NULL;
    }
    return pMiddle;
}

}

int main()
{
    static char szNoArguments[] = "";
    if (!AfxWinInit(::GetModuleHandle(NULL), NULL, szNoArguments, SW_SHOWNORMAL))
        return 2;
    double dPlainMove = 0;
    {
        CBenchFrame f;
        if (!BuildEverydayFrame(f))
            return 3;
        f.Show();
        dPlainMove = TimePlainMove(f.m_pFrame);
        printf("one plain child window move (the windowing system's own cost): %.3f ms\n", dPlainMove);
        CString strName;
        strName.Format("everyday frame, %u bars in %u circles", (unsigned)(f.m_fixed.size() + f.m_panes.size()),
                       CExtDockBar::GetCircleCount(f.m_pFrame));
        TimeAndPrintResizes(f, strName, dPlainMove);
    }
    {
        CBenchFrame f;
        CBenchFixedBar* pMiddle = BuildCrowdedFrame(f);
        if (pMiddle == NULL)
            return 4;
        f.Show();
        CString strName;
        strName.Format("crowded frame, %u fixed and %u resizable bars in %u circles", (unsigned)f.m_fixed.size(),
                       (unsigned)f.m_panes.size(), CExtDockBar::GetCircleCount(f.m_pFrame));
        TimeAndPrintResizes(f, strName, dPlainMove);

        // The toolbar's move in a frame too narrow for its row.
        f.m_pFrame->SetWindowPos(NULL, 0, 0, 1100, 1000, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        DispatchWaitingMessages();
        CExtDockOuterBar* pTop = (CExtDockOuterBar*)f.m_pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP);
        const int nMoves = 300;
        int nStep = 0, nFull = 0;
        auto shift = [&] {
            bool bFull = false;
            pTop->ShiftBarInRow(pMiddle, nStep++ % 2 == 0 ? -3 : 3, &bFull);
            nFull += bFull ? 1 : 0;
        };
        const double dShift = MedianMs(nMoves, shift);
        const double dRecalc = MedianMs(nMoves, [&] { f.m_pFrame->RecalcLayout(); });
        printf("ShiftBarInRow, a toolbar in the middle of the crowded frame's full top row, medians of %d moves:\n"
               "  %.3f ms with the row's redraw; the frame's RecalcLayout at the same size (baseline) %.3f ms;\n"
               "  the row reported full on %d of %d moves\n",
               nMoves, dShift, dRecalc, nFull, nMoves);
    }
    return 0;
}
