// The floating frame: staying on the work area, its own non-client area and hit
// codes, its caption text and its caption's menu.
#include "frame_fixture.h"

#include "CExtBarNcAreaButton.h"
#include "CExtBarPopupMenuEvent.h"
#include "CExtDynControlBar.h"
#include "CExtMiniDockFrameWnd.h"
#include "ExtPaintHelpers.h"

namespace
{
CExtMiniDockFrameWnd* FloatingFrameOf(CControlBar& bar)
{
    CFrameWnd* pFrame = bar.GetParentFrame();
    if (pFrame == NULL || !pFrame->IsKindOf(RUNTIME_CLASS(CExtMiniDockFrameWnd)))
        return NULL;
    return (CExtMiniDockFrameWnd*)pFrame;
}

CRect WindowRectOf(CWnd* pWnd)
{
    CRect rc;
    pWnd->GetWindowRect(&rc);
    return rc;
}

UINT HitTestAt(CWnd* pWnd, CPoint ptScreen)
{
    return (UINT)pWnd->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptScreen.x, ptScreen.y));
}

void MoveTo(CWnd* pWnd, int x, int y)
{
    pWnd->SetWindowPos(NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    PumpPending();
}
}

TEST(FloatingFrameGeometry, EachDirectionShrinksAloneAndTheCaptionStaysReachable)
{
    const CRect rcWork(0, 0, 1000, 700);
    EXPECT_EQ(CSize(1000, 300), CExtMiniDockFrameWnd::FitSizeToWorkArea(CSize(1400, 300), rcWork));
    EXPECT_EQ(CSize(200, 700), CExtMiniDockFrameWnd::FitSizeToWorkArea(CSize(200, 900), rcWork));
    EXPECT_EQ(CSize(200, 300), CExtMiniDockFrameWnd::FitSizeToWorkArea(CSize(200, 300), rcWork));

    const int nKept = CExtMiniDockFrameWnd::g_nCaptionKeptVisible, nCaption = 18;
    auto Keep = [&](int x, int y, int cx) {
        return CExtMiniDockFrameWnd::KeepCaptionOnWorkArea(CRect(x, y, x + cx, y + 150), rcWork, nCaption);
    };
    EXPECT_EQ(CPoint(100, 100), Keep(100, 100, 300)) << "inside, it stays";
    EXPECT_EQ(CPoint(nKept - 300, 0), Keep(-900, -50, 300)) << "above and left: its right end shows";
    EXPECT_EQ(CPoint(1000 - nKept, 700 - nCaption), Keep(1500, 690, 300)) << "below and right: its caption shows";
    EXPECT_EQ(CPoint(-250, 700 - nCaption), Keep(-250, 700 - nCaption, 300)) << "partly out by less: it stays";
    EXPECT_EQ(CPoint(0, 0), Keep(-40, 0, 20)) << "narrower than what is kept: all of it shows";
    // A work area lower than a caption puts the top at the work area's top.
    EXPECT_EQ(CPoint(10, 0), CExtMiniDockFrameWnd::KeepCaptionOnWorkArea(CRect(10, 50, 110, 90), CRect(0, 0, 400, 10),
                                                                        nCaption));
}

TEST_F(FrameTest, AFloatingFrameKeepsItsCaptionOnTheWorkAreaAndATooWideOneItsHeight)
{
    CExtControlBar& bar = m_pFrame->m_wndOutput;
    bar.SetPreferredSizeFloating(CSize(300, 160));
    bar.FloatAt(300, 250);
    PumpPending();
    CExtMiniDockFrameWnd* pFrame = FloatingFrameOf(bar);
    ASSERT_TRUE(pFrame != NULL);
    const CRect rcWork = GetMonitorWorkArea(WindowRectOf(pFrame)).m_rcWorkArea;
    const CSize size = WindowRectOf(pFrame).Size();
    const int nKept = CExtMiniDockFrameWnd::g_nCaptionKeptVisible;

    MoveTo(pFrame, rcWork.left - 2000, rcWork.top - 500);
    EXPECT_EQ(CPoint(rcWork.left + nKept - size.cx, rcWork.top), WindowRectOf(pFrame).TopLeft());
    MoveTo(pFrame, rcWork.right + 100, rcWork.bottom - 3);
    EXPECT_EQ(CPoint(rcWork.right - nKept, rcWork.bottom - ::GetSystemMetrics(SM_CYSMCAPTION)),
              WindowRectOf(pFrame).TopLeft());
    EXPECT_EQ(size, WindowRectOf(pFrame).Size()) << "moving back keeps the size";

    // A pane wider than the work area gets its width and keeps its height.
    bar.SetPreferredSizeFloating(CSize(rcWork.Width() + 300, 160));
    bar.FloatAt(rcWork.left + 10, rcWork.top + 100);
    PumpPending();
    ASSERT_EQ(pFrame, FloatingFrameOf(bar));
    EXPECT_EQ(CSize(rcWork.Width(), size.cy), WindowRectOf(pFrame).Size());
}

TEST_F(FrameTest, AFloatingFrameHasTheLooksBorderAndCaptionAndItsHitCodes)
{
    CTestFrame& f = *m_pFrame;
    CExtControlBar& bar = f.m_wndOutput;
    bar.FloatAt(300, 250);
    PumpPending();
    CExtMiniDockFrameWnd* pFrame = FloatingFrameOf(bar);
    ASSERT_TRUE(pFrame != NULL);
    EXPECT_EQ(0u, pFrame->GetStyle() & (WS_CAPTION | WS_THICKFRAME)) << "the system draws no frame of its own";
    EXPECT_EQ(0u, pFrame->GetExStyle() & (WS_EX_TOOLWINDOW | WS_EX_WINDOWEDGE));

    // The client area lies inside the border, below the caption.
    const CRect rcWindow = WindowRectOf(pFrame);
    CRect rcClient;
    pFrame->GetClientRect(&rcClient);
    pFrame->ClientToScreen(&rcClient);
    const int cxFrame = ::GetSystemMetrics(SM_CXFRAME), cyFrame = ::GetSystemMetrics(SM_CYFRAME);
    EXPECT_EQ(CRect(rcWindow.left + cxFrame, rcWindow.top + cyFrame + ::GetSystemMetrics(SM_CYSMCAPTION),
                    rcWindow.right - cxFrame, rcWindow.bottom - cyFrame),
              rcClient);

    CRect rcCaption;
    pFrame->CalcCaptionRect(rcCaption);
    rcCaption.OffsetRect(rcWindow.TopLeft());
    EXPECT_EQ((UINT)HTCAPTION, HitTestAt(pFrame, CPoint(rcCaption.left + 10, rcCaption.CenterPoint().y)));
    EXPECT_EQ((UINT)HTTOPLEFT, HitTestAt(pFrame, rcWindow.TopLeft()));
    EXPECT_EQ((UINT)HTBOTTOMRIGHT, HitTestAt(pFrame, rcWindow.BottomRight() - CSize(1, 1)));
    EXPECT_EQ((UINT)HTLEFT, HitTestAt(pFrame, CPoint(rcWindow.left, rcWindow.CenterPoint().y)));
    EXPECT_EQ((UINT)HTNOWHERE, HitTestAt(pFrame, rcWindow.BottomRight() + CSize(5, 5)));
    // The pane's hide button sits on the frame's caption and answers as a button.
    ASSERT_GE(bar.GetNcAreaButtonCount(), 1);
    CExtBarNcAreaButton* pHide = bar.GetNcAreaButton(0);
    ASSERT_TRUE(pHide->OnQueryVisibility());
    CRect rcHide(pHide->m_rc);
    rcHide.OffsetRect(rcWindow.TopLeft());
    EXPECT_TRUE(rcCaption.PtInRect(rcHide.CenterPoint()));
    EXPECT_EQ(CExtBarNcAreaButton::g_nCaptionButtonHitCode, HitTestAt(pFrame, rcHide.CenterPoint()));

    // A floating toolbar grows by rows and columns: its corners size one way.
    f.FloatControlBar(&f.m_wndToolBar, CPoint(500, 500));
    PumpPending();
    CExtMiniDockFrameWnd* pToolFrame = FloatingFrameOf(f.m_wndToolBar);
    ASSERT_TRUE(pToolFrame != NULL);
    const CRect rcTool = WindowRectOf(pToolFrame);
    const UINT nCorner = HitTestAt(pToolFrame, rcTool.TopLeft());
    EXPECT_TRUE(nCorner == HTTOP || nCorner == HTCAPTION) << nCorner;
    EXPECT_NE((UINT)HTBOTTOMRIGHT, HitTestAt(pToolFrame, rcTool.BottomRight() - CSize(1, 1)));
}

TEST_F(FrameTest, RightClickingAFloatingCaptionShowsThePanelsMenu)
{
    CTestFrame& f = *m_pFrame;
    f.m_wndOutput.FloatAt(300, 250);
    PumpPending();
    CExtMiniDockFrameWnd* pFrame = FloatingFrameOf(f.m_wndOutput);
    ASSERT_TRUE(pFrame != NULL);
    CRect rcCaption;
    pFrame->CalcCaptionRect(rcCaption);
    rcCaption.OffsetRect(WindowRectOf(pFrame).TopLeft());
    const CPoint pt(rcCaption.left + 10, rcCaption.CenterPoint().y);
    ASSERT_EQ((UINT)HTCAPTION, HitTestAt(pFrame, pt));

    f.m_panelsMenuKinds.clear();
    pFrame->SendMessage(WM_NCRBUTTONDOWN, HTCAPTION, MAKELPARAM(pt.x, pt.y));
    ASSERT_TRUE(PumpUntil(IsMenuReadyForInput, 5000));
    EXPECT_EQ((std::vector<int>{CExtBarPopupMenuEvent::eFloatingFrameMenu, CExtBarPopupMenuEvent::eFloatingFrameMenu}),
              f.m_panelsMenuKinds);
    CExtPopupMenuWnd* pPopup = CExtPopupMenuWnd::GetFocusPopup();
    bool bListsOutput = false;
    for (int i = 0; i < pPopup->GetItemCount(); i++)
        bListsOutput |= pPopup->GetItemCmdID(i) == (int)ID_VIEW_OUTPUT;
    EXPECT_TRUE(bListsOutput);
    CExtPopupMenuWnd::CancelTracking();
    PumpPending();

    // Off the caption the frame leaves the click to the system: no menu of its own.
    f.m_panelsMenuKinds.clear();
    pFrame->SendMessage(WM_NCRBUTTONDOWN, HTLEFT, MAKELPARAM(pt.x, pt.y));
    PumpPending();
    EXPECT_TRUE(f.m_panelsMenuKinds.empty());
    EXPECT_FALSE(CExtPopupMenuWnd::IsTrackingActive());
}

TEST_F(FrameTest, AFloatingContainerShowsTheCaptionOfItsOnlyVisiblePane)
{
    CTestFrame& f = *m_pFrame;
    f.m_wndOutput.DockNestedWith(&f.m_wndBreakpoints, AFX_IDW_DOCKBAR_BOTTOM);
    f.RecalcLayout();
    PumpPending();
    CWnd* pInner = f.m_wndOutput.GetParent();
    CWnd* pContainer = pInner != NULL ? pInner->GetParent() : NULL;
    if (pContainer == NULL || !pContainer->IsKindOf(RUNTIME_CLASS(CExtDynControlBar)))
        GTEST_SKIP() << "the panes could not be nested here";
    ((CExtDynControlBar*)pContainer)->FloatAt(300, 250);
    PumpPending();
    CExtMiniDockFrameWnd* pFrame = FloatingFrameOf(f.m_wndOutput);
    ASSERT_TRUE(pFrame != NULL);
    ASSERT_EQ(pFrame, FloatingFrameOf(f.m_wndBreakpoints));
    ASSERT_EQ((CControlBar*)pContainer, pFrame->GetFloatingBar());

    CString strCaption = "stale";
    EXPECT_FALSE(pFrame->GetFloatingCaptionText(strCaption)) << "two panes: neither names the frame";
    EXPECT_STREQ("", strCaption);

    f.ShowControlBar(&f.m_wndBreakpoints, FALSE, FALSE);
    f.RecalcLayout();
    PumpPending();
    ASSERT_EQ(pFrame, FloatingFrameOf(f.m_wndOutput));
    CString strOutput;
    f.m_wndOutput.GetWindowText(strOutput);
    ASSERT_FALSE(strOutput.IsEmpty());
    EXPECT_TRUE(pFrame->GetFloatingCaptionText(strCaption));
    EXPECT_STREQ(strOutput, strCaption);
}

TEST(FloatingFrameGeometry, AResizedEdgeStopsAtTheMinimalSizeAndTheOppositeOneStays)
{
    const CRect rcStart(100, 100, 400, 300);
    const CSize sizeMin(120, 80);
    EXPECT_EQ(CRect(100, 100, 450, 300), CExtMiniDockFrameWnd::CalcResizedRect(rcStart, HTRIGHT, CSize(50, 9), sizeMin));
    EXPECT_EQ(CRect(280, 100, 400, 300), CExtMiniDockFrameWnd::CalcResizedRect(rcStart, HTLEFT, CSize(500, 0), sizeMin));
    EXPECT_EQ(CRect(60, 220, 400, 300),
              CExtMiniDockFrameWnd::CalcResizedRect(rcStart, HTTOPLEFT, CSize(-40, 400), sizeMin));
    EXPECT_EQ(CRect(100, 100, 220, 330),
              CExtMiniDockFrameWnd::CalcResizedRect(rcStart, HTBOTTOMRIGHT, CSize(-900, 30), sizeMin));
}

namespace
{
// Presses the left button at one point, moves to another in steps a few ms apart and
// lets go, from a thread of its own while the test's thread pumps; a resize still
// running a while after that is cancelled, so that a fault fails instead of hanging.
struct CEdgeDrag
{
    CPoint ptFrom, ptTo;
    HWND hWndFrame;
    CExtMiniDockFrameWnd* pFrame;
    volatile bool bDone = false;

    static void Button(DWORD dwFlags)
    {
        INPUT in = {};
        in.type = INPUT_MOUSE;
        in.mi.dwFlags = dwFlags;
        ::SendInput(1, &in, sizeof(INPUT));
    }
    static DWORD WINAPI Run(LPVOID pParam)
    {
        CEdgeDrag* p = (CEdgeDrag*)pParam;
        CSentInput::MoveTo(p->ptFrom);
        ::Sleep(60);
        Button(MOUSEEVENTF_LEFTDOWN);
        ::Sleep(60);
        for (int i = 1; i <= 8; i++)
        {
            CSentInput::MoveTo(CPoint(p->ptFrom.x + (p->ptTo.x - p->ptFrom.x) * i / 8,
                                      p->ptFrom.y + (p->ptTo.y - p->ptFrom.y) * i / 8));
            ::Sleep(15);
        }
        ::Sleep(60);
        Button(MOUSEEVENTF_LEFTUP);
        for (int i = 0; i < 100 && p->pFrame->IsFrameResizing(); i++)
            ::Sleep(30);
        if (p->pFrame->IsFrameResizing())
            ::PostMessage(p->hWndFrame, WM_CANCELMODE, 0, 0);
        p->bDone = true;
        return 0;
    }
};
}

TEST_F(FrameTest, DraggingAFloatingFramesEdgeResizesItsPaneDownToItsMinimum)
{
    CExtControlBar& bar = m_pFrame->m_wndOutput;
    bar.SetPreferredSizeFloating(CSize(300, 160));
    bar.FloatAt(300, 250);
    PumpPending();
    CExtMiniDockFrameWnd* pFrame = FloatingFrameOf(bar);
    ASSERT_TRUE(pFrame != NULL);
    pFrame->SetForegroundWindow();
    PumpPending();
    const CRect rcStart = WindowRectOf(pFrame);
    const CPoint ptEdge(rcStart.right - 1, rcStart.CenterPoint().y);
    if (::WindowFromPoint(ptEdge) != pFrame->m_hWnd)
        GTEST_SKIP() << "the frame's edge cannot be reached by the mouse here";
    ASSERT_EQ((UINT)HTRIGHT, HitTestAt(pFrame, ptEdge));

    auto Drag = [&](CPoint ptFrom, CPoint ptTo) {
        CEdgeDrag drag;
        drag.ptFrom = ptFrom;
        drag.ptTo = ptTo;
        drag.hWndFrame = pFrame->m_hWnd;
        drag.pFrame = pFrame;
        HANDLE hThread = ::CreateThread(NULL, 0, CEdgeDrag::Run, &drag, 0, NULL);
        const bool bEnded = PumpUntil([&] { return drag.bDone; }, 8000);
        ::WaitForSingleObject(hThread, 8000);
        ::CloseHandle(hThread);
        PumpPending();
        return bEnded && !pFrame->IsFrameResizing();
    };
    // Wider by the distance moved; the bar follows, and nothing is left running.
    ASSERT_TRUE(Drag(ptEdge, ptEdge + CSize(80, 40)));
    EXPECT_FALSE(pFrame->IsFrameResizing());
    EXPECT_EQ(rcStart.Width() + 80, WindowRectOf(pFrame).Width());
    EXPECT_EQ(rcStart.Height(), WindowRectOf(pFrame).Height());
    EXPECT_EQ(rcStart.TopLeft(), WindowRectOf(pFrame).TopLeft());
    EXPECT_EQ(380, bar.GetPreferredSizeFloating().cx);
    EXPECT_EQ(::GetCapture(), (HWND)NULL);

    // The left edge dragged past the right one stops at the pane's minimal width.
    const CRect rcWide = WindowRectOf(pFrame);
    const CPoint ptLeft(rcWide.left, rcWide.CenterPoint().y);
    ASSERT_EQ((UINT)HTLEFT, HitTestAt(pFrame, ptLeft));
    ASSERT_TRUE(Drag(ptLeft, CPoint(rcWide.right + 100, ptLeft.y)));
    const CSize sizeMin = bar.GetMinimalFloatingSize();
    EXPECT_EQ(std::max(bar.GetMinimalWidth(), (int)sizeMin.cx), bar.GetPreferredSizeFloating().cx);
    EXPECT_EQ(rcWide.right, WindowRectOf(pFrame).right) << "the opposite edge stays";
    EXPECT_FALSE(pFrame->IsFrameResizing());
}

namespace
{
void CALLBACK PostQuitSeven(HWND, UINT, UINT_PTR nIDEvent, DWORD)
{
    ::KillTimer(NULL, nIDEvent);
    ::PostQuitMessage(7);
}
}

TEST_F(FrameTest, AQuitAskedForWhileAFrameIsSizedEndsTheSizingAndReachesTheOuterLoop)
{
    CExtControlBar& bar = m_pFrame->m_wndOutput;
    bar.SetPreferredSizeFloating(CSize(300, 160));
    bar.FloatAt(300, 250);
    PumpPending();
    CExtMiniDockFrameWnd* pFrame = FloatingFrameOf(bar);
    ASSERT_TRUE(pFrame != NULL);
    pFrame->SetForegroundWindow();
    PumpPending();
    const CRect rcStart = WindowRectOf(pFrame);
    const CPoint ptEdge(rcStart.CenterPoint().x, rcStart.bottom - 1);
    if (::WindowFromPoint(ptEdge) != pFrame->m_hWnd)
        GTEST_SKIP() << "the frame's edge cannot be reached by the mouse here";
    ASSERT_EQ((UINT)HTBOTTOM, HitTestAt(pFrame, ptEdge));

    CEdgeDrag drag;
    drag.ptFrom = ptEdge;
    drag.ptTo = ptEdge + CSize(0, 200);
    drag.hWndFrame = pFrame->m_hWnd;
    drag.pFrame = pFrame;
    // Due while the button is down and the mouse moves.
    ::SetTimer(NULL, 0, 130, PostQuitSeven);
    HANDLE hThread = ::CreateThread(NULL, 0, CEdgeDrag::Run, &drag, 0, NULL);
    // The test's own pump, which keeps what a quit carries instead of dropping it.
    WPARAM nQuitCode = 0;
    int nQuits = 0;
    const DWORD dwStart = ::GetTickCount();
    while (!drag.bDone && ::GetTickCount() - dwStart < 8000)
    {
        MSG msg;
        while (::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
        {
            if (msg.message == WM_QUIT)
            {
                nQuitCode = msg.wParam;
                ++nQuits;
                continue;
            }
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
        ::Sleep(5);
    }
    ::WaitForSingleObject(hThread, 8000);
    ::CloseHandle(hThread);
    PumpPending();
    EXPECT_TRUE(drag.bDone);
    EXPECT_FALSE(pFrame->IsFrameResizing());
    EXPECT_EQ(1, nQuits);
    EXPECT_EQ((WPARAM)7, nQuitCode);
    EXPECT_LT(WindowRectOf(pFrame).Height(), rcStart.Height() + 200) << "the moves after the quit size nothing";
    EXPECT_EQ(::GetCapture(), (HWND)NULL);
}
