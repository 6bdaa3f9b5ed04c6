// Resizing and dragging panes with real input: a thread moves the mouse and presses
// keys while the UI thread pumps, as a user's hand and the program would. Every loop
// ends on release and on every cancel; a cancel leaves the layout and the pixels as
// they were.
#include "frame_fixture.h"

#include "CExtBarDragState.h"
#include "CExtDockBar.h"
#include "CMouseHand.h"
#include "ScreenPicture.h"
#include "SentInput.h"

#include <functional>
#include <memory>
#include <vector>

namespace
{
CRect WindowRectOf(CWnd& wnd)
{
    CRect rc;
    wnd.GetWindowRect(&rc);
    return rc;
}

CPoint ScreenMiddleOf(CWnd& wnd, const CRect& rcInWindow)
{
    return rcInWindow.CenterPoint() + WindowRectOf(wnd).TopLeft();
}

// How many pixels of the frame differ between two pictures of it, leaving out the
// focused window (its caret blinks).
int DifferingPixels(const CScreenPicture& a, const CScreenPicture& b)
{
    CRect rcCaret;
    rcCaret.SetRectEmpty();
    if (::GetFocus() != NULL)
        ::GetWindowRect(::GetFocus(), &rcCaret);
    int nDiffering = 0;
    const CRect& rc = a.GetRect();
    for (int y = rc.top; y < rc.bottom; y++)
        for (int x = rc.left; x < rc.right; x++)
            if (!rcCaret.PtInRect(CPoint(x, y)) && a.GetPixel(CPoint(x, y)) != b.GetPixel(CPoint(x, y)))
                ++nDiffering;
    return nDiffering;
}

struct Placement
{
    UINT nDockBarID;
    UINT nLayer;
    CRect rc;
    bool operator==(const Placement& o) const { return nDockBarID == o.nDockBarID && nLayer == o.nLayer && rc == o.rc; }
};

void PrintTo(const Placement& p, std::ostream* os)
{
    *os << "dock bar " << std::hex << p.nDockBarID << std::dec << " layer " << p.nLayer << " ";
    ::PrintTo(p.rc, os);
}

Placement PlacementOf(CExtControlBar& bar)
{
    return Placement{bar.GetDockBarID(), bar.GetDockLayer(), WindowRectOf(bar)};
}

std::vector<Placement> PanePlacements(CTestFrame& f)
{
    return {PlacementOf(f.m_wndExplorer), PlacementOf(f.m_wndOutput), PlacementOf(f.m_wndBreakpoints),
            PlacementOf(f.m_wndCallStack)};
}

#define PLAY_OR_SKIP(hand, bar)                                                    \
    do                                                                             \
    {                                                                              \
        ASSERT_TRUE((hand).Play((bar).m_hWnd)) << "a loop did not end";           \
        ASSERT_EQ(0, (bar).m_nTrackingFlags & 0x07);                               \
        if ((hand).IsMisplaced())                                                  \
            GTEST_SKIP() << "the cursor could not be placed on this display";      \
    } while (0)
}

TEST_F(FrameTest, TheRowSplitterResizesOnReleaseAndEveryCancelLeavesThePaneAsItWas)
{
    CTestFrame& f = *m_pFrame;
    CExtControlBar& bar = f.m_wndExplorer;
    const int nWidth = WindowRectOf(bar).Width();
    const CPoint ptSplitter = ScreenMiddleOf(bar, bar.m_rcRowSplitter);

    {
        CMouseHand hand;
        hand.MoveTo(ptSplitter).Down().GlideTo(ptSplitter, ptSplitter + CPoint(60, 0)).Up();
        PLAY_OR_SKIP(hand, bar);
    }
    EXPECT_EQ(nWidth + 60, WindowRectOf(bar).Width());
    EXPECT_EQ(nWidth + 60, bar.GetPreferredSizeVertical().cx);
    const std::vector<Placement> before = PanePlacements(f);

    // Escape; the right button (its click then opens the bar's menu); WM_CANCELMODE
    // sent from another thread; the capture taken by another window; the quit.
    const CPoint ptNow = ScreenMiddleOf(bar, bar.m_rcRowSplitter);
    const HWND hWndBar = bar.m_hWnd;
    const HWND hWndOther = f.m_wndCallStack.m_hWnd;
    const int nMenusBefore = f.m_nPanelsMenuEvents;
    const std::vector<std::function<void(CMouseHand&)>> cancels = {
        [](CMouseHand& h) { h.Key(VK_ESCAPE); },
        [ptNow](CMouseHand& h) {
            h.MoveTo(ptNow).RightClick().Wait(300).OnUiThread([] {
                if (CExtPopupMenuWnd::IsTrackingActive())
                    CExtPopupMenuWnd::CancelTracking();
            });
        },
        [hWndBar](CMouseHand& h) { h.Send(hWndBar, WM_CANCELMODE); },
        [hWndOther](CMouseHand& h) { h.OnUiThread([hWndOther] { ::SetCapture(hWndOther); }); },
    };
    for (size_t i = 0; i < cancels.size(); i++)
    {
        SCOPED_TRACE(i);
        const CScreenPicture picBefore(WindowRectOf(f));
        std::unique_ptr<CScreenPicture> pMidway;
        CMouseHand hand;
        hand.MoveTo(ptNow).Down().GlideTo(ptNow, ptNow + CPoint(50, 0));
        hand.OnUiThread([&] { pMidway.reset(new CScreenPicture(WindowRectOf(f))); });
        cancels[i](hand);
        hand.Wait(100).Up();
        PLAY_OR_SKIP(hand, bar);
        ::ReleaseCapture();
        PumpPending();
        EXPECT_EQ(before, PanePlacements(f));
        // The menu of the right click took the focus: the caption shows it again.
        bar.SetFocus();
        PumpPending();
        const CScreenPicture picAfter(WindowRectOf(f));
        ASSERT_TRUE(pMidway != NULL);
        EXPECT_GT(DifferingPixels(picBefore, *pMidway), 0) << "the tracker shows while the splitter moves";
        EXPECT_EQ(0, DifferingPixels(picBefore, picAfter)) << "the tracker is gone";
    }
    EXPECT_GT(f.m_nPanelsMenuEvents, nMenusBefore) << "the right click opened the bar's menu";

    // Dragged far toward the frame's edge it stops at twice its minimum.
    {
        CMouseHand hand;
        hand.MoveTo(ptNow).Down().GlideTo(ptNow, CPoint(WindowRectOf(f).left + 2, ptNow.y)).Up();
        PLAY_OR_SKIP(hand, bar);
    }
    EXPECT_EQ(2 * bar.GetMinimalWidth(), WindowRectOf(bar).Width());
}

TEST_F(FrameTest, DraggingACaptionDocksOrFloatsOnReleaseAndCancelsChangeNothing)
{
    CTestFrame& f = *m_pFrame;
    CExtControlBar& bar = f.m_wndOutput;
    ASSERT_EQ((UINT)AFX_IDW_DOCKBAR_BOTTOM, bar.GetDockBarID());
    const CPoint ptCaption = ScreenMiddleOf(bar, bar.m_rcCaption);
    CRect rcInner;
    f.GetDlgItem(AFX_IDW_PANE_FIRST)->GetWindowRect(&rcInner);
    const CPoint ptLeftZone(rcInner.left + 10, rcInner.CenterPoint().y);
    const std::vector<Placement> before = PanePlacements(f);
    // The press gives the pane the focus: its caption shows it from then on.
    bar.SetFocus();
    PumpPending();

    // Escape over a docking zone: the tracker showed and is gone, nothing moved.
    {
        const CScreenPicture picBefore(WindowRectOf(f));
        std::unique_ptr<CScreenPicture> pMidway;
        CMouseHand hand;
        hand.MoveTo(ptCaption).Down().GlideTo(ptCaption, ptLeftZone);
        hand.OnUiThread([&] { pMidway.reset(new CScreenPicture(WindowRectOf(f))); }).Key(VK_ESCAPE).Wait(100).Up();
        PLAY_OR_SKIP(hand, bar);
        PumpPending();
        EXPECT_EQ(before, PanePlacements(f));
        ASSERT_TRUE(pMidway != NULL);
        EXPECT_GT(DifferingPixels(picBefore, *pMidway), 0);
        EXPECT_EQ(0, DifferingPixels(picBefore, CScreenPicture(WindowRectOf(f))));
        EXPECT_TRUE(CExtControlBar::g_DragStateCurrent.IsEmpty());
        EXPECT_EQ(NULL, CExtControlBar::g_pBarDragged);
    }

    // The quit ends the drag cancelled and reaches the loop outside with its code.
    {
        CMouseHand hand;
        hand.MoveTo(ptCaption).Down().GlideTo(ptCaption, ptLeftZone).OnUiThread([] { ::PostQuitMessage(7); });
        hand.Wait(100).GlideTo(ptLeftZone, ptLeftZone + CPoint(0, 20)).Up();
        PLAY_OR_SKIP(hand, bar);
        PumpPending();
        EXPECT_EQ(std::vector<int>{7}, hand.QuitCodes());
        EXPECT_EQ(before, PanePlacements(f));
    }

    // Released over the zone it docks there; released in the middle it floats.
    {
        CMouseHand hand;
        hand.MoveTo(ptCaption).Down().GlideTo(ptCaption, ptLeftZone).Up();
        PLAY_OR_SKIP(hand, bar);
    }
    PumpPending();
    EXPECT_EQ((UINT)AFX_IDW_DOCKBAR_LEFT, bar.GetDockBarID());
    const CPoint ptCaptionNow = ScreenMiddleOf(bar, bar.m_rcCaption);
    f.GetDlgItem(AFX_IDW_PANE_FIRST)->GetWindowRect(&rcInner);
    {
        CMouseHand hand;
        hand.MoveTo(ptCaptionNow).Down().GlideTo(ptCaptionNow, rcInner.CenterPoint()).Up();
        PLAY_OR_SKIP(hand, bar);
    }
    PumpPending();
    EXPECT_TRUE(bar.IsFloating());
}

TEST_F(FrameTest, APaneDestroyedByATimerDuringItsDragEndsTheLoopAndLeavesNoDragBehind)
{
    CTestFrame& f = *m_pFrame;
    CExtControlBar& bar = f.m_wndOutput;
    const CPoint ptCaption = ScreenMiddleOf(bar, bar.m_rcCaption);
    CRect rcInner;
    f.GetDlgItem(AFX_IDW_PANE_FIRST)->GetWindowRect(&rcInner);
    const CPoint ptLeftZone(rcInner.left + 10, rcInner.CenterPoint().y);
    const Placement explorer = PlacementOf(f.m_wndExplorer);

    static CExtControlBar* s_pBar;
    static bool s_bNamedAfterwards;
    s_pBar = &bar;
    s_bNamedAfterwards = true;
    struct CTimer
    {
        static void CALLBACK OnTimer(HWND, UINT, UINT_PTR nIDEvent, DWORD)
        {
            ::KillTimer(NULL, nIDEvent);
            s_pBar->DestroyWindow();
            s_bNamedAfterwards = CExtControlBar::g_pBarDragged == s_pBar ||
                                 CExtControlBar::g_DragStateCurrent.m_pTarget == s_pBar ||
                                 CExtControlBar::g_DragStateNew.m_pTarget == s_pBar;
        }
    };
    CMouseHand hand;
    hand.MoveTo(ptCaption).Down().GlideTo(ptCaption, ptLeftZone);
    hand.OnUiThread([] { ::SetTimer(NULL, 0, 50, CTimer::OnTimer); });
    hand.Wait(300).GlideTo(ptLeftZone, ptLeftZone + CPoint(0, 30)).Up();
    ASSERT_TRUE(hand.Play(bar.m_hWnd)) << "the loop did not end";
    if (hand.IsMisplaced())
        GTEST_SKIP() << "the cursor could not be placed on this display";
    PumpPending();
    EXPECT_FALSE(::IsWindow(bar.m_hWnd));
    EXPECT_FALSE(s_bNamedAfterwards) << "the drag data still named the destroyed bar";
    EXPECT_EQ(NULL, CExtControlBar::g_pBarDragged);
    EXPECT_TRUE(CExtControlBar::g_DragStateCurrent.IsEmpty());
    EXPECT_EQ(NULL, ::GetCapture());
    EXPECT_EQ(explorer.nDockBarID, f.m_wndExplorer.GetDockBarID()) << "no drop happened";
    EXPECT_EQ(explorer.nLayer, f.m_wndExplorer.GetDockLayer());

    // The bar the drag aims at goes: the drag goes on and drops where the cursor is.
    CExtControlBar& dragged = f.m_wndCallStack;
    s_pBar = &f.m_wndExplorer;
    s_bNamedAfterwards = true;
    const CPoint ptFrom = ScreenMiddleOf(dragged, dragged.m_rcCaption);
    const CPoint ptOverTarget = WindowRectOf(f.m_wndExplorer).CenterPoint();
    CMouseHand hand2;
    hand2.MoveTo(ptFrom).Down().GlideTo(ptFrom, ptOverTarget);
    hand2.OnUiThread([] { ::SetTimer(NULL, 0, 50, CTimer::OnTimer); });
    hand2.Wait(300).GlideTo(ptOverTarget, ptOverTarget + CPoint(0, 10), 2).Up();
    ASSERT_TRUE(hand2.Play(dragged.m_hWnd)) << "the loop did not end";
    PumpPending();
    EXPECT_FALSE(::IsWindow(f.m_wndExplorer.m_hWnd));
    EXPECT_FALSE(s_bNamedAfterwards) << "the drag still aimed at the destroyed bar";
    EXPECT_TRUE(dragged.IsFloating()) << "nothing left to dock beside there";
    EXPECT_EQ(NULL, CExtControlBar::g_pBarDragged);
}

TEST_F(FrameTest, InRowSplittersMoveLengthBetweenNeighboursAndStopAtTheirMinimum)
{
    CTestFrame& f = *m_pFrame;
    CExtControlBar& left = f.m_wndOutput;
    CExtControlBar& right = f.m_wndBreakpoints;
    const CRect rcOutput = WindowRectOf(left);
    CRect rcDrop(CPoint(rcOutput.right - 2, rcOutput.CenterPoint().y), CSize(1, 1));
    f.DockControlBar(&right, left.m_pDockBar, &rcDrop);
    f.RecalcLayout();
    PumpPending();
    ASSERT_EQ(left.m_pDockBar, right.m_pDockBar);
    const int nLeft = WindowRectOf(left).Width(), nRight = WindowRectOf(right).Width();

    // The trailing edge of the first, then the leading edge of the second.
    const CPoint ptTrailing = ScreenMiddleOf(left, left.m_rcTrailingSplitter);
    {
        CMouseHand hand;
        hand.MoveTo(ptTrailing).Down().GlideTo(ptTrailing, ptTrailing + CPoint(40, 0)).Up();
        PLAY_OR_SKIP(hand, left);
    }
    EXPECT_EQ(nLeft + 40, WindowRectOf(left).Width());
    EXPECT_EQ(nRight - 40, WindowRectOf(right).Width());
    const CPoint ptLeading = ScreenMiddleOf(right, right.m_rcLeadingSplitter);
    {
        CMouseHand hand;
        hand.MoveTo(ptLeading).Down().GlideTo(ptLeading, ptLeading - CPoint(30, 0)).Up();
        PLAY_OR_SKIP(hand, right);
    }
    EXPECT_EQ(nLeft + 10, WindowRectOf(left).Width());
    EXPECT_EQ(nRight - 10, WindowRectOf(right).Width());

    // Past the neighbour it stops at the neighbour's minimum; pushing on moves nothing.
    for (int nPass = 0; nPass < 2; nPass++)
    {
        SCOPED_TRACE(nPass);
        const CPoint pt = ScreenMiddleOf(left, left.m_rcTrailingSplitter);
        CMouseHand hand;
        hand.MoveTo(pt).Down().GlideTo(pt, CPoint(WindowRectOf(right).right + 40, pt.y)).Up();
        PLAY_OR_SKIP(hand, left);
        EXPECT_EQ(right.GetMinimalWidth(), WindowRectOf(right).Width());
        EXPECT_EQ(nLeft + nRight - right.GetMinimalWidth(), WindowRectOf(left).Width());
    }
}

TEST_F(FrameTest, ARowSplitterTakesWhatItGivesFromTheNeighbouringRowDownToItsMinimum)
{
    CTestFrame& f = *m_pFrame;
    CExtControlBar& outer = f.m_wndExplorer;
    CExtControlBar& inner = f.m_wndCallStack;
    CExtDockBar* pDockBar = (CExtDockBar*)outer.m_pDockBar;
    pDockBar->DockControlBarAsRow(&inner, false);
    f.RecalcLayout();
    PumpPending();
    ASSERT_EQ(outer.m_pDockBar, inner.m_pDockBar);
    const int nOuter = WindowRectOf(outer).Width(), nInner = WindowRectOf(inner).Width();
    ASSERT_GT(nInner, 40);

    const CPoint pt = ScreenMiddleOf(outer, outer.m_rcRowSplitter);
    {
        CMouseHand hand;
        hand.MoveTo(pt).Down().GlideTo(pt, pt + CPoint(30, 0)).Up();
        PLAY_OR_SKIP(hand, outer);
    }
    EXPECT_EQ(nOuter + 30, WindowRectOf(outer).Width());
    EXPECT_EQ(nInner - 30, WindowRectOf(inner).Width());

    const CPoint ptNow = ScreenMiddleOf(outer, outer.m_rcRowSplitter);
    {
        CMouseHand hand;
        hand.MoveTo(ptNow).Down().GlideTo(ptNow, ptNow + CPoint(nInner + 100, 0)).Up();
        PLAY_OR_SKIP(hand, outer);
    }
    EXPECT_EQ(inner.GetMinimalWidth(), WindowRectOf(inner).Width());
    EXPECT_EQ(inner.GetMinimalWidth(), inner.GetPreferredSizeVertical().cx);
}

namespace
{
class CCountingBar : public CExtControlBar
{
public:
    int m_nDragsStarted = 0;
    virtual void OnDraggingStarted()
    {
        ++m_nDragsStarted;
        CExtControlBar::OnDraggingStarted();
    }
};
}

TEST_F(FrameTest, ADragStartsOnlyOnceTheHeldButtonMovesTheCursor)
{
    CTestFrame& f = *m_pFrame;
    CCountingBar bar;
    bar.SetPreferredSizeVertical(CSize(150, 200));
    ASSERT_TRUE(bar.Create(NULL, &f, ID_VIEW_VARIABLES, 0x5040283C));
    ASSERT_TRUE(bar.DockAtFrameSide(AFX_IDW_DOCKBAR_RIGHT, 1, &f));
    PumpPending();
    const Placement before = PlacementOf(bar);
    const CPoint pt = ScreenMiddleOf(bar, bar.m_rcCaption);

    // A click; a press let go before the move; a key while pressed.
    const std::vector<std::function<void(CMouseHand&)>> presses = {
        [pt](CMouseHand& h) { h.MoveTo(pt).Down().Up(); },
        [pt](CMouseHand& h) { h.MoveTo(pt).Down().Up().GlideTo(pt, pt - CPoint(80, 0)); },
        [pt](CMouseHand& h) { h.MoveTo(pt).Down().Key(VK_SHIFT).GlideTo(pt, pt - CPoint(80, 0)).Up(); },
    };
    for (size_t i = 0; i < presses.size(); i++)
    {
        SCOPED_TRACE(i);
        CMouseHand hand;
        presses[i](hand);
        PLAY_OR_SKIP(hand, bar);
        EXPECT_EQ(0, bar.m_nDragsStarted);
        EXPECT_EQ(before, PlacementOf(bar));
        EXPECT_NE(bar.m_hWnd, ::GetCapture());
    }
    CMouseHand hand;
    hand.MoveTo(pt).Down().GlideTo(pt, pt + CPoint(0, 1), 1).Key(VK_ESCAPE).Up();
    PLAY_OR_SKIP(hand, bar);
    EXPECT_EQ(1, bar.m_nDragsStarted) << "one pixel is enough";
    bar.DestroyWindow();
}

TEST_F(FrameTest, CtrlJudgesTheDropAgainWhereTheCursorStands)
{
    CTestFrame& f = *m_pFrame;
    CExtControlBar& bar = f.m_wndOutput;
    CRect rcInner;
    f.GetDlgItem(AFX_IDW_PANE_FIRST)->GetWindowRect(&rcInner);
    const CPoint ptLeftZone(rcInner.left + 10, rcInner.CenterPoint().y);

    // Pressed and let go on the way: the drop still docks.
    CPoint ptCaption = ScreenMiddleOf(bar, bar.m_rcCaption);
    {
        CMouseHand hand;
        hand.MoveTo(ptCaption).Down().GlideTo(ptCaption, ptLeftZone).KeyDown(VK_CONTROL).Wait(50).KeyUp(VK_CONTROL);
        hand.Wait(50).Up();
        PLAY_OR_SKIP(hand, bar);
    }
    EXPECT_EQ((UINT)AFX_IDW_DOCKBAR_LEFT, bar.GetDockBarID());

    // Pressed over a docking zone without a move: released there, the bar floats.
    f.GetDlgItem(AFX_IDW_PANE_FIRST)->GetWindowRect(&rcInner);
    const CPoint ptRightZone(rcInner.right - 10, rcInner.CenterPoint().y);
    ptCaption = ScreenMiddleOf(bar, bar.m_rcCaption);
    {
        CMouseHand hand;
        hand.MoveTo(ptCaption).Down().GlideTo(ptCaption, ptRightZone).Wait(50).KeyDown(VK_CONTROL).Wait(50).Up();
        hand.KeyUp(VK_CONTROL);
        PLAY_OR_SKIP(hand, bar);
    }
    EXPECT_TRUE(bar.IsFloating());
}
