// Dock bars in the test frame: circles inserted and optimised away, containers that
// nest bars, fit them, hide with them and dissolve, the arrays' invariants through
// random docking, rows of toolbars in a narrow frame, the inner edge, the delayed
// layout, the panels menu on a right click and a clean teardown.
#include "frame_fixture.h"

#include "CExtBarPopupMenuEvent.h"
#include "CExtDockBar.h"
#include "CExtDockDynBar.h"
#include "CExtDockOuterBar.h"
#include "CExtDynControlBar.h"
#include "CExtPopupMenuWnd.h"
#include "ExtDockEntries.h"
#include "SentInput.h"
#include "WindowMoves.h"

#include <map>
#include <set>
#include <sstream>

using namespace ExtDockEntries;

namespace
{
const UINT arrSides[4] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT};

BOOL CALLBACK CollectDockBar(HWND hWnd, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CDockBar)))
        ((std::vector<CDockBar*>*)lParam)->push_back((CDockBar*)pWnd);
    return TRUE;
}

BOOL CALLBACK CollectOwned(HWND hWnd, LPARAM lParam)
{
    std::pair<HWND, std::vector<CDockBar*>*>* pArgs = (std::pair<HWND, std::vector<CDockBar*>*>*)lParam;
    if (::GetWindow(hWnd, GW_OWNER) == pArgs->first)
        ::EnumChildWindows(hWnd, CollectDockBar, (LPARAM)pArgs->second);
    return TRUE;
}

// Every dock bar of the frame: its circles, the containers' inner ones and those of
// its floating frames.
std::vector<CDockBar*> AllDockBars(CFrameWnd* pFrame)
{
    std::vector<CDockBar*> dockBars;
    ::EnumChildWindows(pFrame->m_hWnd, CollectDockBar, (LPARAM)&dockBars);
    std::pair<HWND, std::vector<CDockBar*>*> args(pFrame->m_hWnd, &dockBars);
    ::EnumWindows(CollectOwned, (LPARAM)&args);
    return dockBars;
}

// The arrays' rules: a row end first, none doubled, each bar in one array that its
// dock-bar pointer names, one placeholder per id per dock bar. Empty when they hold.
std::string ArrayFaults(CFrameWnd* pFrame)
{
    std::ostringstream faults;
    std::map<CControlBar*, int> seen;
    for (CDockBar* pDockBar : AllDockBars(pFrame))
    {
        const CPtrArray& arr = pDockBar->m_arrBars;
        if (arr.GetSize() == 0 || !IsRowEnd(arr[0]))
            faults << "dock bar " << pDockBar->GetDlgCtrlID() << " does not start with a row end; ";
        std::set<UINT> placeholders;
        for (INT_PTR i = 0; i < arr.GetSize(); i++)
        {
            if (i > 0 && IsRowEnd(arr[i]) && IsRowEnd(arr[i - 1]))
                faults << "two row ends at " << i << "; ";
            if (IsPlaceholder(arr[i]) && !placeholders.insert(PlaceholderID(arr[i])).second)
                faults << "placeholder " << PlaceholderID(arr[i]) << " twice; ";
            if (CControlBar* pBar = BarOf(arr[i]))
            {
                ++seen[pBar];
                if (pBar->m_pDockBar != pDockBar)
                    faults << "bar " << pBar->GetDlgCtrlID() << " points at another dock bar; ";
                if (!::IsWindow(pBar->m_hWnd))
                    faults << "a destroyed bar is still listed; ";
            }
        }
    }
    for (const auto& entry : seen)
    {
        if (entry.second != 1)
            faults << "bar " << entry.first->GetDlgCtrlID() << " in " << entry.second << " arrays; ";
    }
    return faults.str();
}

// Each side's circle numbers run 0, 1, 2, ... along links that agree both ways.
bool CirclesAreLinked(CFrameWnd* pFrame, UINT nCount)
{
    for (UINT nSide : arrSides)
    {
        CExtDockBar* pDockBar = CExtDockBar::FindDockBarInCircle(pFrame, 0, nSide, false);
        for (UINT n = 0; n < nCount; n++)
        {
            if (pDockBar == NULL || pDockBar->m_nCircleNo != n || (UINT)(WORD)pDockBar->GetDlgCtrlID() != nSide)
                return false;
            if (pDockBar->m_pDockBarInner != NULL && pDockBar->m_pDockBarInner->m_pDockBarOuter != pDockBar)
                return false;
            pDockBar = pDockBar->m_pDockBarInner;
        }
        if (pDockBar != NULL)
            return false;
    }
    return true;
}

std::vector<CRect> PaneRects(CTestFrame& f)
{
    std::vector<CRect> rects;
    for (CWnd* pWnd : std::initializer_list<CWnd*>{&f.m_wndExplorer, &f.m_wndOutput, &f.m_wndBreakpoints,
                                                    &f.m_wndCallStack, &f.m_wndToolBar})
        rects.push_back(RectIn(pWnd, &f));
    return rects;
}
}

TEST_F(FrameTest, CirclesAreInsertedWhereNeededLinkedAndOptimisedAway)
{
    CTestFrame& f = *m_pFrame;
    const std::vector<CRect> before = PaneRects(f);
    ASSERT_EQ(5u, CExtDockBar::GetCircleCount(&f));
    ASSERT_EQ(2u, f.m_wndOutput.GetDockLayer());

    // An empty innermost circle is used as it is.
    EXPECT_EQ(5u, CExtDockBar::AppendDockCircle(&f));
    EXPECT_EQ(5u, CExtDockBar::InsertDockCircle(&f, 5));
    EXPECT_EQ(6u, CExtDockBar::GetCircleCount(&f));
    // Inserting before a circle with bars moves it and every circle inside it in.
    EXPECT_EQ(2u, CExtDockBar::InsertDockCircle(&f, 2));
    EXPECT_EQ(7u, CExtDockBar::GetCircleCount(&f));
    EXPECT_EQ(3u, f.m_wndOutput.GetDockLayer());
    EXPECT_EQ(5u, f.m_wndCallStack.GetDockLayer());
    EXPECT_TRUE(CirclesAreLinked(&f, 7));
    f.RecalcLayout();
    EXPECT_EQ(before, PaneRects(f)) << "empty circles take no room";

    // Optimising removes both empty circles and leaves the layout as it was.
    CExtDockBar::OptimizeDockCircles(&f);
    EXPECT_EQ(5u, CExtDockBar::GetCircleCount(&f));
    EXPECT_TRUE(CirclesAreLinked(&f, 5));
    EXPECT_EQ(2u, f.m_wndOutput.GetDockLayer());
    f.RecalcLayout();
    EXPECT_EQ(before, PaneRects(f));

    // A layer beyond the last one is appended and compacted; circle 0 always stays.
    f.m_wndOutput.DockAtFrameSide(AFX_IDW_DOCKBAR_RIGHT, 40, &f, true);
    EXPECT_EQ(5u, CExtDockBar::GetCircleCount(&f));
    EXPECT_EQ(4u, f.m_wndOutput.GetDockLayer());
    EXPECT_EQ((UINT)AFX_IDW_DOCKBAR_RIGHT, f.m_wndOutput.GetDockBarID());
    EXPECT_EQ("", ArrayFaults(&f));
}

TEST_F(FrameTest, NestedBarsFillTheirContainerHideWithItAndDissolveWhenOneIsLeft)
{
    CTestFrame& f = *m_pFrame;
    for (UINT nSide : arrSides)
    {
        SCOPED_TRACE(nSide);
        f.DockDefault();
        PumpPending();
        CDockBar* pOuter = f.m_wndOutput.m_pDockBar;
        const CRect rcOutputBefore = RectIn(&f.m_wndOutput, &f);
        f.m_wndOutput.DockNestedWith(&f.m_wndBreakpoints, nSide);
        PumpPending();

        CExtDockDynBar* pInner = DYNAMIC_DOWNCAST(CExtDockDynBar, f.m_wndOutput.m_pDockBar);
        ASSERT_TRUE(pInner != NULL);
        ASSERT_EQ((CDockBar*)pInner, f.m_wndBreakpoints.m_pDockBar);
        CExtDynControlBar* pContainer = pInner->GetContainer();
        ASSERT_TRUE(pContainer != NULL);
        EXPECT_EQ(pOuter, pContainer->m_pDockBar) << "the container takes the bar's place";
        EXPECT_EQ(rcOutputBefore, RectIn(pContainer, &f));
        EXPECT_EQ("", ArrayFaults(&f));

        // The two fill the inner dock bar exactly, side by side as asked, none below its minimum.
        CRect rcClient;
        pInner->GetClientRect(&rcClient);
        const CRect rcOut = RectIn(&f.m_wndOutput, pInner), rcBp = RectIn(&f.m_wndBreakpoints, pInner);
        CRect rcUnion, rcOverlap;
        rcUnion.UnionRect(&rcOut, &rcBp);
        EXPECT_EQ(rcClient, rcUnion);
        EXPECT_FALSE(rcOverlap.IntersectRect(&rcOut, &rcBp));
        EXPECT_EQ(rcClient.Width() * rcClient.Height(), rcOut.Width() * rcOut.Height() + rcBp.Width() * rcBp.Height());
        for (CExtControlBar* pBar : {&f.m_wndOutput, &f.m_wndBreakpoints})
        {
            const CRect rc = RectIn(pBar, pInner);
            EXPECT_GE(rc.Width(), pBar->GetMinimalWidth());
            EXPECT_GE(rc.Height(), pBar->GetMinimalHeight());
        }
        switch (nSide)
        {
        case AFX_IDW_DOCKBAR_TOP:
            EXPECT_EQ(rcBp.bottom, rcOut.top);
            break;
        case AFX_IDW_DOCKBAR_BOTTOM:
            EXPECT_EQ(rcOut.bottom, rcBp.top);
            break;
        case AFX_IDW_DOCKBAR_LEFT:
            EXPECT_EQ(rcBp.right, rcOut.left);
            break;
        default:
            EXPECT_EQ(rcOut.right, rcBp.left);
            break;
        }
        // Its minimal size comes from the rows inside.
        const bool bStacked = nSide == AFX_IDW_DOCKBAR_TOP || nSide == AFX_IDW_DOCKBAR_BOTTOM;
        const CSize sizeMin = pContainer->GetMinimalFloatingSize();
        if (bStacked)
            EXPECT_EQ(f.m_wndOutput.GetMinimalHeight() + f.m_wndBreakpoints.GetMinimalHeight(), sizeMin.cy);
        else
            EXPECT_EQ(f.m_wndOutput.GetMinimalWidth() + f.m_wndBreakpoints.GetMinimalWidth(), sizeMin.cx);
        // Laid out again at the same size, no window moves (the nested bars neither).
        EXPECT_EQ(0, CountWindowMoves([&] { f.RecalcLayout(); }).nMoves);

        // Hiding every nested bar hides the container; showing one shows it again.
        f.ShowControlBar(&f.m_wndOutput, FALSE, FALSE);
        f.ShowControlBar(&f.m_wndBreakpoints, FALSE, FALSE);
        f.RecalcLayout();
        PumpPending();
        EXPECT_FALSE(pContainer->IsWindowVisible());
        f.ShowControlBar(&f.m_wndOutput, TRUE, FALSE);
        f.RecalcLayout();
        PumpPending();
        EXPECT_TRUE(pContainer->IsWindowVisible());
        f.ShowControlBar(&f.m_wndBreakpoints, TRUE, FALSE);
        f.RecalcLayout();

        // With one bar left the container gives its place back to it.
        const HWND hWndContainer = pContainer->m_hWnd;
        f.m_wndBreakpoints.FloatAt(300, 300);
        CExtDockBar::OptimizeDockCircles(&f);
        PumpPending();
        EXPECT_FALSE(::IsWindow(hWndContainer));
        EXPECT_EQ(pOuter, f.m_wndOutput.m_pDockBar);
        EXPECT_EQ(pOuter, f.m_wndOutput.GetParent());
        EXPECT_EQ("", ArrayFaults(&f));
    }
}

TEST_F(FrameTest, DockBarArraysStaySoundThroughRandomDockingRemovalNestingAndDestruction)
{
    CTestFrame& f = *m_pFrame;
    CExtControlBar* arrPanes[4] = {&f.m_wndExplorer, &f.m_wndOutput, &f.m_wndBreakpoints, &f.m_wndCallStack};
    unsigned int nSeed = 4242;
    auto Next = [&nSeed](unsigned int nRange) { return ((nSeed = nSeed * 1103515245u + 12345u) >> 8) % nRange; };
    for (int nStep = 0; nStep < 80; nStep++)
    {
        CExtControlBar* pPane = arrPanes[Next(4)];
        CExtControlBar* pOther = arrPanes[Next(4)];
        const UINT nSide = arrSides[Next(4)];
        const unsigned int nOp = Next(5);
        switch (nOp)
        {
        case 0:
            pPane->DockAtFrameSide(nSide, Next(5), &f, false);
            break;
        case 1:
            // Taken out in one of the modes, then docked again.
            if (CExtDockBar* pDockBar = DYNAMIC_DOWNCAST(CExtDockBar, pPane->m_pDockBar))
            {
                pDockBar->RemoveControlBar(pPane, -1, (int)Next(3) - 1, false);
                pPane->DockAtFrameSide(nSide, 1 + Next(3), &f, false);
            }
            break;
        case 2:
            if (pPane != pOther && pPane->IsDocked() && !pPane->m_pDockBar->IsKindOf(RUNTIME_CLASS(CExtDockDynBar)))
                pPane->DockNestedWith(pOther, nSide);
            break;
        case 3:
            pPane->FloatAt(200 + 10 * nStep, 200);
            break;
        default:
            CExtDockBar::OptimizeDockCircles(&f);
            break;
        }
        f.RecalcLayout();
        PumpPending();
        ASSERT_EQ("", ArrayFaults(&f)) << "step " << nStep << ", operation " << nOp;
    }
    // A destroyed bar leaves no entry behind.
    f.m_wndCallStack.DestroyWindow();
    f.RecalcLayout();
    EXPECT_EQ("", ArrayFaults(&f));
}

TEST_F(FrameTest, AToolbarWiderThanItsDockBarKeepsItsLineAndAQueryMovesNothing)
{
    CTestFrame& f = *m_pFrame;
    CExtDockBar* pTop = DYNAMIC_DOWNCAST(CExtDockBar, f.GetControlBar(AFX_IDW_DOCKBAR_TOP));
    ASSERT_TRUE(pTop != NULL);
    // Narrower than the toolbar: the layout ends, and the toolbar stays at its row's start.
    f.SetWindowPos(NULL, 0, 0, 90, 500, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
    f.RecalcLayout();
    f.RecalcLayout();
    EXPECT_EQ("", ArrayFaults(&f));
    EXPECT_LT(pTop->m_arrBars.GetSize(), 8) << "no row ends pile up";
    EXPECT_EQ(0, RectIn(&f.m_wndToolBar, pTop).left);

    // A layout query measures only.
    f.SetWindowPos(NULL, 0, 0, 900, 700, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
    f.RecalcLayout();
    f.m_wndToolBar.SetWindowPos(NULL, -30, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    const CRect rcMoved = RectIn(&f.m_wndToolBar, pTop);
    pTop->m_bLayoutQuery = TRUE;
    const CSize sizeQuery = pTop->CalcFixedLayout(FALSE, TRUE);
    pTop->m_bLayoutQuery = FALSE;
    EXPECT_EQ(rcMoved, RectIn(&f.m_wndToolBar, pTop));
    EXPECT_EQ(RectIn(&f.m_wndToolBar, &f.m_wndToolBar).Height(), sizeQuery.cy);
    pTop->CalcFixedLayout(FALSE, TRUE);
    EXPECT_EQ(0, RectIn(&f.m_wndToolBar, pTop).left);
}

TEST_F(FrameTest, TheInnerEdgeFollowsTheFrameAndABusyFrameGetsOneRetriedLayout)
{
    CTestFrame& f = *m_pFrame;
    CExtDockBar* pLeft = CExtDockBar::FindDockBarInCircle(&f, 1, AFX_IDW_DOCKBAR_LEFT, false);
    ASSERT_TRUE(pLeft != NULL);
    CRect rcExplorer;
    f.m_wndExplorer.GetWindowRect(&rcExplorer);
    const CRect rcEdge = pLeft->GetLastInnerEdge();
    EXPECT_EQ(rcExplorer.right, rcEdge.left);
    EXPECT_EQ(rcEdge.left, rcEdge.right);
    // Moved without a new layout, the edge still lies where the bar's edge is.
    f.SetWindowPos(NULL, 37, 23, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    f.m_wndExplorer.GetWindowRect(&rcExplorer);
    EXPECT_EQ(rcExplorer.right, pLeft->GetLastInnerEdge().left);

    // Requests during the frame's own layout wait for one retry timer.
    CExtDockOuterBar* pServer = CExtDockOuterBar::GetLayoutServer(&f);
    ASSERT_EQ(f.GetControlBar(AFX_IDW_DOCKBAR_TOP), (CControlBar*)pServer);
    f.m_wndExplorer.SetPreferredSizeVertical(CSize(260, 200));
    f.m_bInRecalcLayout = TRUE;
    for (int i = 0; i < 5; i++)
        pServer->RequestFrameLayout();
    f.m_bInRecalcLayout = FALSE;
    EXPECT_TRUE(pServer->IsFrameLayoutPending());
    EXPECT_TRUE(PumpUntil([&] { return !pServer->IsFrameLayoutPending(); }, 3000));
    EXPECT_EQ(260, RectIn(&f.m_wndExplorer, &f).Width());
}

TEST_F(FrameTest, RightClickingADockBarShowsThePanelsMenuAndAnEmptyOneShowsNothing)
{
    CTestFrame& f = *m_pFrame;
    f.m_wndToolBar.SetWindowText("Standard");
    CWnd* pTop = f.GetControlBar(AFX_IDW_DOCKBAR_TOP);
    CRect rcToolBar;
    f.m_wndToolBar.GetWindowRect(&rcToolBar);
    const CPoint pt(rcToolBar.right + 40, rcToolBar.CenterPoint().y);
    if (::WindowFromPoint(pt) != pTop->m_hWnd || ::GetForegroundWindow() != f.m_hWnd)
        GTEST_SKIP() << "the dock bar cannot be clicked here (covered or not in the foreground)";

    f.m_panelsMenuFlags.clear();
    CSentInput::RightClickAt(pt);
    ASSERT_TRUE(PumpUntil(IsMenuReadyForInput, 5000));
    EXPECT_EQ((std::vector<BYTE>{0, (BYTE)CExtBarPopupMenuEvent::eFlagAfterContent}), f.m_panelsMenuFlags);
    EXPECT_GE(CExtPopupMenuWnd::GetFocusPopup()->GetItemCount(), 5);
    CExtPopupMenuWnd::CancelTracking();
    PumpPending();

    // A frame that fills the menu is told once, and its content is what shows.
    f.m_bBuildPanelsMenu = true;
    f.m_panelsMenuFlags.clear();
    CSentInput::RightClickAt(pt);
    ASSERT_TRUE(PumpUntil(IsMenuReadyForInput, 5000));
    EXPECT_EQ((std::vector<BYTE>{(BYTE)0}), f.m_panelsMenuFlags);
    ASSERT_EQ(1, CExtPopupMenuWnd::GetFocusPopup()->GetItemCount());
    EXPECT_EQ(ID_TEST_ALPHA, CExtPopupMenuWnd::GetFocusPopup()->GetItemCmdID(0));
    CExtPopupMenuWnd::CancelTracking();
    PumpPending();

    // A dock bar without bars asks nobody and shows nothing.
    f.m_panelsMenuFlags.clear();
    CExtDockBar* pEmpty = CExtDockBar::FindDockBarInCircle(&f, CExtDockBar::AppendDockCircle(&f), AFX_IDW_DOCKBAR_RIGHT, false);
    ASSERT_TRUE(pEmpty != NULL);
    pEmpty->SendMessage(WM_CONTEXTMENU, (WPARAM)pEmpty->m_hWnd, MAKELPARAM(pt.x, pt.y));
    PumpPending();
    EXPECT_TRUE(f.m_panelsMenuFlags.empty());
    EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
}

TEST_F(FrameTest, ADestroyedFrameLeavesNoDockBarOrContainerAlive)
{
    CTestFrame& f = *m_pFrame;
    f.m_wndOutput.DockNestedWith(&f.m_wndBreakpoints, AFX_IDW_DOCKBAR_RIGHT);
    PumpPending();
    std::vector<HWND> windows;
    for (CDockBar* pDockBar : AllDockBars(&f))
        windows.push_back(pDockBar->m_hWnd);
    CExtDockDynBar* pInner = DYNAMIC_DOWNCAST(CExtDockDynBar, f.m_wndOutput.m_pDockBar);
    ASSERT_TRUE(pInner != NULL && pInner->GetContainer() != NULL);
    windows.push_back(pInner->GetContainer()->m_hWnd);
    ASSERT_GE(windows.size(), 4u * 3u + 2u);
    f.DestroyWindow();
    m_pFrame = NULL;
    AfxGetApp()->m_pMainWnd = NULL;
    PumpPending();
    for (HWND hWnd : windows)
    {
        EXPECT_FALSE(::IsWindow(hWnd));
        EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
    }
}
