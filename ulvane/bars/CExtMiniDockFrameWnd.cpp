// CExtMiniDockFrameWnd: border, caption and buttons of a floating frame drawn through
// the look, its hit codes, staying on the work area, moving and docking back its bar.
#include "CExtMiniDockFrameWnd.h"

#include "CExtBarNcAreaButton.h"
#include "CExtBarPopupMenuEvent.h"
#include "CExtControlBar.h"
#include "CExtDockBar.h"
#include "CExtDynControlBar.h"
#include "CExtOffscreenDC.h"
#include "CExtPaintManagerHolder.h"
#include "CExtPopupMenuWnd.h"
#include "ExtPaintHelpers.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CExtMiniDockFrameWnd, CMiniDockFrameWnd)

BEGIN_MESSAGE_MAP(CExtMiniDockFrameWnd, CMiniDockFrameWnd)
    ON_WM_NCCALCSIZE()
    ON_WM_PAINT()
    ON_WM_NCPAINT()
    ON_WM_NCACTIVATE()
    ON_WM_NCHITTEST()
    ON_WM_NCMOUSEMOVE()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_NCLBUTTONUP()
    ON_WM_NCLBUTTONDBLCLK()
    ON_WM_NCRBUTTONDOWN()
    ON_WM_SIZE()
    ON_WM_GETMINMAXINFO()
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_TIMER()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_RBUTTONDOWN()
    ON_WM_CAPTURECHANGED()
    ON_WM_CANCELMODE()
END_MESSAGE_MAP()

const int CExtMiniDockFrameWnd::g_nCaptionKeptVisible = 32;

namespace
{
// The system's caption, sizing border and edges: the frame draws its own in their place.
const DWORD g_dwSystemFrameStyles = WS_CAPTION | WS_THICKFRAME | MFS_4THICKFRAME;
const DWORD g_dwSystemFrameExStyles = WS_EX_STATICEDGE | WS_EX_WINDOWEDGE | WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME;

bool IsSizingHitTest(UINT nHitTest)
{
    return nHitTest >= HTLEFT && nHitTest <= HTBOTTOMRIGHT;
}

// Where a span [nPos, nPos + nExtent) may lie so that nKept of it stays within
// [nMin, nMax).
int ClampSpan(int nPos, int nExtent, int nMin, int nMax, int nKept)
{
    nKept = std::min(nKept, nExtent);
    return std::max(nMin - nExtent + nKept, std::min(nPos, nMax - nKept));
}
}

CExtMiniDockFrameWnd::CExtMiniDockFrameWnd()
    : m_bCloseButtonHover(false), m_bCorrectingPosition(false), m_nResizingHitTest(0), m_ptResizing(-1, -1),
      m_ptResizingStart(0, 0), m_rcResizingStart(0, 0, 0, 0), m_sizeResizingFrame(0, 0), m_bTrackingResize(false)
{
}

CExtMiniDockFrameWnd::~CExtMiniDockFrameWnd()
{
}

BOOL CExtMiniDockFrameWnd::Create(CWnd* pParent, DWORD dwBarStyle)
{
    if (!CMiniDockFrameWnd::Create(pParent, dwBarStyle))
        return FALSE;
    ModifyStyle(g_dwSystemFrameStyles, 0);
    ModifyStyleEx(g_dwSystemFrameExStyles, 0);
    SetWindowPos(NULL, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_FRAMECHANGED |
                     SWP_NOCOPYBITS | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING);
    // The bar's buttons need the frame's final caption: laid out once it is shown.
    SetTimer(eTimerInitialLayout, 1, NULL);
    return TRUE;
}

CExtControlBar* CExtMiniDockFrameWnd::GetFloatingExtBar() const
{
    CControlBar* pBar = GetFirstBar();
    if (pBar == NULL || pBar->m_hWnd == NULL || !pBar->IsKindOf(RUNTIME_CLASS(CExtControlBar)))
        return NULL;
    return (CExtControlBar*)pBar;
}

/////////////////////////////////////////////////////////////////////////////
// Geometry

void CExtMiniDockFrameWnd::CalcWindowRect(LPRECT lpClientRect, UINT /*nAdjustType*/)
{
    ::InflateRect(lpClientRect, ::GetSystemMetrics(SM_CXFRAME), ::GetSystemMetrics(SM_CYFRAME));
    lpClientRect->top -= ::GetSystemMetrics(SM_CYSMCAPTION);
}

void CExtMiniDockFrameWnd::OnNcCalcSize(BOOL /*bCalcValidRects*/, NCCALCSIZE_PARAMS* lpncsp)
{
    CRect& rc = *(CRect*)&lpncsp->rgrc[0];
    rc.DeflateRect(::GetSystemMetrics(SM_CXFRAME), ::GetSystemMetrics(SM_CYFRAME));
    rc.top += ::GetSystemMetrics(SM_CYSMCAPTION);
    if (rc.bottom < rc.top)
        rc.bottom = rc.top;
    if (rc.right < rc.left)
        rc.right = rc.left;
}

void CExtMiniDockFrameWnd::CalcCaptionRect(CRect& rcCaption) const
{
    rcCaption.SetRectEmpty();
    if (m_hWnd == NULL)
        return;
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    const int cxFrame = ::GetSystemMetrics(SM_CXFRAME), cyFrame = ::GetSystemMetrics(SM_CYFRAME);
    rcCaption.SetRect(cxFrame, cyFrame, rcWindow.Width() - cxFrame, cyFrame + ::GetSystemMetrics(SM_CYSMSIZE));
    if (rcCaption.right < rcCaption.left)
        rcCaption.right = rcCaption.left;
}

void CExtMiniDockFrameWnd::CalcCloseButtonRect(CRect& rcButton) const
{
    CRect rcCaption;
    CalcCaptionRect(rcCaption);
    rcButton.SetRect(rcCaption.right - ::GetSystemMetrics(SM_CXSMSIZE), rcCaption.top + 2, rcCaption.right - 3,
                     rcCaption.bottom - 2);
    if (rcButton.left < rcCaption.left)
        rcButton.left = rcCaption.left;
}

CSize CExtMiniDockFrameWnd::FitSizeToWorkArea(CSize size, const CRect& rcWorkArea)
{
    // Each direction on its own: a frame too wide keeps its height.
    return CSize(std::min((int)size.cx, rcWorkArea.Width()), std::min((int)size.cy, rcWorkArea.Height()));
}

CPoint CExtMiniDockFrameWnd::KeepCaptionOnWorkArea(const CRect& rcWindow, const CRect& rcWorkArea,
                                                   int nCaptionHeight)
{
    // Vertically the top stays inside with room for the caption, never above the top.
    int y = std::min((int)rcWindow.top, (int)rcWorkArea.bottom - nCaptionHeight);
    y = std::max(y, (int)rcWorkArea.top);
    const int x = ClampSpan(rcWindow.left, rcWindow.Width(), rcWorkArea.left, rcWorkArea.right, g_nCaptionKeptVisible);
    return CPoint(x, y);
}

CPoint CExtMiniDockFrameWnd::ScreenToWindow(CPoint ptScreen) const
{
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    return CPoint(ptScreen.x - rcWindow.left, ptScreen.y - rcWindow.top);
}

bool CExtMiniDockFrameWnd::IsOverCloseButton(CPoint ptScreen) const
{
    CRect rcButton;
    CalcCloseButtonRect(rcButton);
    return rcButton.PtInRect(ScreenToWindow(ptScreen)) != FALSE;
}

UINT CExtMiniDockFrameWnd::HitTestFrameArea(CPoint pt) const
{
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    const CSize size = rcWindow.Size();
    if (pt.x < 0 || pt.y < 0 || pt.x >= size.cx || pt.y >= size.cy)
        return HTNOWHERE;
    const int cxFrame = ::GetSystemMetrics(SM_CXFRAME), cyFrame = ::GetSystemMetrics(SM_CYFRAME);
    const int nCorner = ::GetSystemMetrics(SM_CYSMCAPTION);
    const bool bLeftEnd = pt.x < nCorner, bRightEnd = pt.x >= size.cx - nCorner;
    const bool bTopEnd = pt.y < nCorner, bBottomEnd = pt.y >= size.cy - nCorner;
    if (pt.y < cyFrame)
        return bLeftEnd ? HTTOPLEFT : bRightEnd ? HTTOPRIGHT : HTTOP;
    if (pt.y >= size.cy - cyFrame)
        return bLeftEnd ? HTBOTTOMLEFT : bRightEnd ? HTBOTTOMRIGHT : HTBOTTOM;
    if (pt.x < cxFrame)
        return bTopEnd ? HTTOPLEFT : bBottomEnd ? HTBOTTOMLEFT : HTLEFT;
    if (pt.x >= size.cx - cxFrame)
        return bTopEnd ? HTTOPRIGHT : bBottomEnd ? HTBOTTOMRIGHT : HTRIGHT;
    if (pt.y < cyFrame + nCorner)
        return HTCAPTION;
    return HTCLIENT;
}

/////////////////////////////////////////////////////////////////////////////
// Staying on the work area

void CExtMiniDockFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    const CRect rcWorkArea = GetMonitorWorkArea(rcWindow).m_rcWorkArea;
    const CSize sizeFit = FitSizeToWorkArea(rcWindow.Size(), rcWorkArea);
    if (sizeFit != rcWindow.Size() && !rcWorkArea.IsRectEmpty())
    {
        // The next WM_SIZE, of the fitting size, does the rest.
        SetWindowPos(NULL, 0, 0, sizeFit.cx, sizeFit.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    CMiniDockFrameWnd::OnSize(nType, cx, cy);
    LayoutBarButtons();
    if (m_nResizingHitTest == 0)
        RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    PumpPendingPaintMessages();
}

void CExtMiniDockFrameWnd::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    CMiniDockFrameWnd::OnGetMinMaxInfo(lpMMI);
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    const CRect rcWorkArea = GetMonitorWorkArea(rcWindow).m_rcWorkArea;
    lpMMI->ptMaxTrackSize.x = std::min((int)lpMMI->ptMaxTrackSize.x, rcWorkArea.Width());
    lpMMI->ptMaxTrackSize.y = std::min((int)lpMMI->ptMaxTrackSize.y, rcWorkArea.Height());
}

void CExtMiniDockFrameWnd::OnWindowPosChanging(WINDOWPOS* lpWndPos)
{
    // The class library brings the system's frame back on some changes of state.
    if ((GetStyle() & g_dwSystemFrameStyles) != 0 || (GetExStyle() & g_dwSystemFrameExStyles) != 0)
    {
        ModifyStyle(g_dwSystemFrameStyles, 0);
        ModifyStyleEx(g_dwSystemFrameExStyles, 0);
        lpWndPos->flags |= SWP_FRAMECHANGED;
    }
    CMiniDockFrameWnd::OnWindowPosChanging(lpWndPos);
}

void CExtMiniDockFrameWnd::OnWindowPosChanged(WINDOWPOS* lpWndPos)
{
    CMiniDockFrameWnd::OnWindowPosChanged(lpWndPos);
    if (m_nResizingHitTest != 0 || m_bCorrectingPosition || (lpWndPos->flags & SWP_NOMOVE) != 0 ||
        GetFirstBar() == NULL)
        return;
    if (!KeepOnWorkArea())
        return;
    LayoutBarButtons();
    PostMessage(WM_NCPAINT);
    PumpPendingPaintMessages();
}

bool CExtMiniDockFrameWnd::KeepOnWorkArea()
{
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    const CRect rcWorkArea = GetMonitorWorkArea(rcWindow).m_rcWorkArea;
    if (rcWorkArea.IsRectEmpty())
        return false;
    const CPoint pt = KeepCaptionOnWorkArea(rcWindow, rcWorkArea, ::GetSystemMetrics(SM_CYSMCAPTION));
    if (pt == rcWindow.TopLeft())
        return false;
    m_bCorrectingPosition = true;
    SetWindowPos(NULL, pt.x, pt.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_bCorrectingPosition = false;
    return true;
}

/////////////////////////////////////////////////////////////////////////////
// Caption and buttons

void CExtMiniDockFrameWnd::LayoutBarButtons()
{
    CExtControlBar* pBar = GetFloatingExtBar();
    if (pBar == NULL)
        return;
    pBar->CreateNcAreaButtons();
    pBar->LayoutNcAreaButtons();
}

bool CExtMiniDockFrameWnd::GetFloatingCaptionText(CString& strCaption)
{
    strCaption.Empty();
    CExtControlBar* pFloating = GetFloatingExtBar();
    CFrameWnd* pDockSite = pFloating != NULL ? pFloating->m_pDockSite : NULL;
    if (pDockSite == NULL)
        return false;
    CExtControlBar* pFound = NULL;
    {
        CSingleLock lock(&CExtControlBar::g_csBars, TRUE);
        for (INT_PTR i = 0; i < CExtControlBar::g_arrBars.GetSize() && pFound == NULL; i++)
        {
            CExtControlBar* pBar = CExtControlBar::g_arrBars[i];
            if (pBar->m_hWnd != NULL && pBar->m_pDockSite == pDockSite && !pBar->IsFixedMode() &&
                pBar->m_pDockBar != NULL && pBar->IsWindowVisible() &&
                !pBar->IsKindOf(RUNTIME_CLASS(CExtDynControlBar)) && pBar->GetParentFrame() == this &&
                !pBar->IsFloating() && pBar->GetExtDockBar() != NULL)
                pFound = pBar;
        }
    }
    if (pFound == NULL || !pFound->IsAloneInFloatingFrame())
        return false;
    pFound->GetWindowText(strCaption);
    return !strCaption.IsEmpty();
}

UINT CExtMiniDockFrameWnd::OnNcHitTest(CPoint point)
{
    const UINT nHitTest = HitTestFrameArea(ScreenToWindow(point));
    if (nHitTest == HTNOWHERE)
        return HTNOWHERE;
    CControlBar* pBar = GetFirstBar();
    CExtControlBar* pExtBar = GetFloatingExtBar();
    if (pExtBar != NULL)
    {
        const BYTE nOldFlags = pExtBar->m_nCaptionFlags;
        const UINT nButton = pExtBar->HitTestNcAreaButtons(point);
        if (nButton != HTCLIENT)
        {
            pExtBar->m_nCaptionFlags |= CExtControlBar::eCaptionHoverTracking;
            if (pExtBar->IsFloatingFrameZOrderKept())
                SetTimer(eTimerButtonsHover, 20, NULL);
            return nButton;
        }
        pExtBar->m_nCaptionFlags &= ~CExtControlBar::eCaptionHoverTracking;
        if (nOldFlags != pExtBar->m_nCaptionFlags)
            SendMessage(WM_NCPAINT);
    }
    if (pBar != NULL && (pExtBar == NULL || pExtBar->IsFixedMode()) && IsSizingHitTest(nHitTest))
    {
        // A toolbar grows by rows and columns: its corners size one way only, and one
        // that cannot be sized at all is moved by its border.
        if ((pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) == 0)
            return HTCAPTION;
        if (nHitTest == HTTOPLEFT || nHitTest == HTTOPRIGHT)
            return HTTOP;
        if (nHitTest == HTBOTTOMLEFT || nHitTest == HTBOTTOMRIGHT)
            return HTBOTTOM;
    }
    return nHitTest;
}

void CExtMiniDockFrameWnd::UpdateCloseButtonHover(CPoint ptScreen)
{
    const bool bHover = IsOverCloseButton(ptScreen);
    if (bHover != m_bCloseButtonHover)
    {
        m_bCloseButtonHover = bHover;
        SendMessage(WM_NCPAINT);
    }
    // The cursor may leave without another non-client message: looked at again soon.
    if (m_bCloseButtonHover)
        SetTimer(eTimerCloseHover, 20, NULL);
    else
        KillTimer(eTimerCloseHover);
}

void CExtMiniDockFrameWnd::OnNcMouseMove(UINT nHitTest, CPoint point)
{
    if (m_nResizingHitTest != 0)
        return;
    CExtControlBar* pBar = GetFloatingExtBar();
    if (pBar != NULL)
        pBar->HitTestNcAreaButtons(point);
    else
        UpdateCloseButtonHover(point);
    CMiniDockFrameWnd::OnNcMouseMove(nHitTest, point);
}

void CExtMiniDockFrameWnd::OnTimer(UINT_PTR nIDEvent)
{
    switch (nIDEvent)
    {
    case eTimerInitialLayout:
        KillTimer(nIDEvent);
        LayoutBarButtons();
        SendMessage(WM_NCPAINT);
        return;
    case eTimerCloseHover:
    {
        CPoint pt;
        ::GetCursorPos(&pt);
        UpdateCloseButtonHover(pt);
        return;
    }
    case eTimerDelayedLayout:
        KillTimer(nIDEvent);
        RecalcLayout();
        LayoutBarButtons();
        SendMessage(WM_NCPAINT);
        return;
    case eTimerButtonsHover:
    {
        CExtControlBar* pBar = GetFloatingExtBar();
        CPoint pt;
        ::GetCursorPos(&pt);
        if (pBar != NULL && pBar->HitTestNcAreaButtons(pt) == HTCLIENT)
        {
            PostMessage(WM_NCPAINT);
            pBar->m_nCaptionFlags &= ~CExtControlBar::eCaptionHoverTracking;
        }
        if (pBar == NULL || (pBar->m_nCaptionFlags & CExtControlBar::eCaptionHoverTracking) == 0)
            KillTimer(nIDEvent);
        return;
    }
    default:
        if (!OnBarTimer(nIDEvent))
            CMiniDockFrameWnd::OnTimer(nIDEvent);
    }
}

bool CExtMiniDockFrameWnd::OnBarTimer(UINT_PTR nIDEvent)
{
    CControlBar* pBar = GetFirstBar();
    if (pBar == NULL || pBar->m_hWnd == NULL || nIDEvent != (UINT_PTR)pBar->GetDlgCtrlID())
        return false;
    if (m_nResizingHitTest != 0)
        return true;
    // A frame under the cursor comes to the front, unless a menu is open or it
    // cannot take input.
    CPoint pt;
    ::GetCursorPos(&pt);
    const HWND hWndUnder = ::WindowFromPoint(pt);
    const bool bInside = hWndUnder == m_hWnd || ::IsChild(m_hWnd, hWndUnder);
    if (bInside && !CExtPopupMenuWnd::IsTrackingActive() && IsWindowEnabled() && ::GetFocus() != NULL)
        BringWindowToTop();
    return true;
}

/////////////////////////////////////////////////////////////////////////////
// Non-client painting

void CExtMiniDockFrameWnd::OnPaint()
{
    // The floating dock bar covers the client area.
    CPaintDC dc(this);
}

void CExtMiniDockFrameWnd::OnNcPaint()
{
    CRect rcWindow, rcClient;
    GetNonClientRects(m_hWnd, rcWindow, rcClient);
    CWindowDC dcWindow(this);
    dcWindow.ExcludeClipRect(&rcClient);
    {
        CExtOffscreenDC dc(&dcWindow, &rcWindow, CExtOffscreenDC::eOffscreen);
        PaintFrameNcArea(dc, rcWindow, rcClient);
    }
    g_PaintManagerHolder->OnPaintSessionComplete(this);
}

void CExtMiniDockFrameWnd::PaintFrameNcArea(CDC& dc, const CRect& rcWindow, const CRect& rcClient)
{
    CExtPaintManager* pPM = g_PaintManagerHolder.GetPaintManager();
    CExtControlBar* pBar = GetFloatingExtBar();
    const bool bResizable = pBar != NULL ? !pBar->IsFixedMode() : (GetFirstBar() != NULL &&
                                                                   (GetFirstBar()->m_dwStyle & CBRS_SIZE_DYNAMIC) != 0);
    CExtPaintBarFrameArgs frame(this, rcWindow, rcClient, true, bResizable);
    pPM->PaintControlBarFrame(dc, frame);

    CString strText;
    if (pBar != NULL && pBar->IsKindOf(RUNTIME_CLASS(CExtDynControlBar)))
        GetFloatingCaptionText(strText);
    else
        GetWindowText(strText);
    CRect rcCaption, rcButton;
    CalcCaptionRect(rcCaption);
    CalcCloseButtonRect(rcButton);
    CRect rcText(rcCaption.left, rcCaption.top, rcButton.left, rcCaption.bottom);
    if (pBar != NULL)
        pBar->CalcNcAreaButtonsRect(rcText);
    rcText.DeflateRect(2, 0);
    if (rcText.right < rcText.left)
        rcText.right = rcText.left;
    const HWND hWndFocus = ::GetFocus();
    const bool bActive = hWndFocus != NULL && (hWndFocus == m_hWnd || ::IsChild(m_hWnd, hWndFocus));
    const int nSaved = dc.SaveDC();
    dc.IntersectClipRect(&rcCaption);
    CExtPaintBarCaptionArgs caption(this, rcCaption, rcText, strText, bActive, true, false, bResizable);
    pPM->PaintControlBarCaption(dc, caption);
    dc.RestoreDC(nSaved);

    if (pBar != NULL)
    {
        pBar->PaintNcAreaButtons(dc);
        return;
    }
    CExtPaintNcButtonArgs button(this, rcButton, 1, m_bCloseButtonHover, false, true, false, bActive);
    pPM->PaintNcAreaButton(dc, button);
}

BOOL CExtMiniDockFrameWnd::OnNcActivate(BOOL bActive)
{
    const BOOL bResult = CMiniDockFrameWnd::OnNcActivate(bActive);
    SendMessage(WM_NCPAINT);
    CControlBar* pBar = GetFirstBar();
    if (bActive && pBar != NULL && pBar->m_hWnd != NULL)
        pBar->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    return bResult;
}

/////////////////////////////////////////////////////////////////////////////
// Clicks

void CExtMiniDockFrameWnd::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    CExtControlBar* pExtBar = GetFloatingExtBar();
    // A press on a button does nothing yet: the release acts.
    if ((pExtBar == NULL && IsOverCloseButton(point)) || nHitTest == HTGROWBOX ||
        nHitTest == HTMINBUTTON || nHitTest == HTMAXBUTTON)
    {
        if (pExtBar != NULL)
            SendMessage(WM_NCPAINT);
        return;
    }
    if (nHitTest == HTCAPTION)
    {
        ::SetActiveWindow(::GetWindow(m_hWnd, GW_OWNER));
        if (pExtBar == NULL || !pExtBar->IsFloatingFrameZOrderKept())
            BringWindowToTop();
        // A frame of several bars moves as a whole.
        if ((m_wndDockBar.m_dwStyle & CBRS_FLOAT_MULTI) != 0)
        {
            Default();
            return;
        }
        if (pExtBar != NULL && !pExtBar->IsFixedMode())
        {
            pExtBar->TrackDragging(point);
            return;
        }
    }
    else if (IsSizingHitTest(nHitTest))
    {
        // An active frame stays so: the focus leaving it would cancel the resize
        // (the system tells the window that loses it with WM_CANCELMODE).
        if (::GetActiveWindow() != m_hWnd)
            ::SetActiveWindow(::GetWindow(m_hWnd, GW_OWNER));
        if (pExtBar != NULL && !pExtBar->IsFixedMode())
        {
            StartFrameResizing(nHitTest, point);
            return;
        }
    }
    CMiniDockFrameWnd::OnNcLButtonDown(nHitTest, point);
}

void CExtMiniDockFrameWnd::OnNcLButtonUp(UINT nHitTest, CPoint point)
{
    if (m_nResizingHitTest != 0)
    {
        StopFrameResizing();
        return;
    }
    CExtControlBar* pExtBar = GetFloatingExtBar();
    if (pExtBar != NULL && (pExtBar->m_nTrackingFlags & CExtControlBar::eTrackDragging) != 0)
    {
        CMiniDockFrameWnd::OnNcLButtonUp(nHitTest, point);
        return;
    }
    if (pExtBar != NULL)
    {
        // The bar's buttons are clicked where this frame shows them.
        if ((pExtBar->m_nCaptionFlags & CExtControlBar::eCaptionHoverTracking) != 0)
            pExtBar->SendMessage(WM_NCLBUTTONUP, nHitTest, MAKELPARAM(point.x, point.y));
        else
            CMiniDockFrameWnd::OnNcLButtonUp(nHitTest, point);
        return;
    }
    CControlBar* pBar = GetFirstBar();
    if (pBar != NULL && IsOverCloseButton(point))
    {
        CFrameWnd* pDockSite = pBar->m_pDockSite != NULL ? pBar->m_pDockSite : GetParentFrame();
        if (pDockSite != NULL)
            pDockSite->ShowControlBar(pBar, FALSE, FALSE);
        return;
    }
    CMiniDockFrameWnd::OnNcLButtonUp(nHitTest, point);
}

void CExtMiniDockFrameWnd::OnNcLButtonDblClk(UINT nHitTest, CPoint point)
{
    // A double click on a button is two clicks on it, not the system's.
    if (nHitTest == HTMINBUTTON || nHitTest == HTMAXBUTTON || (nHitTest == HTCAPTION && IsOverCloseButton(point)))
        return;
    CExtControlBar* pBar = GetFloatingExtBar();
    if (nHitTest == HTCAPTION && pBar != NULL)
    {
        // The frame goes away when its bar docks: nothing of it is touched afterwards.
        pBar->ToggleDocking();
        return;
    }
    CMiniDockFrameWnd::OnNcLButtonDblClk(nHitTest, point);
}

void CExtMiniDockFrameWnd::OnNcRButtonDown(UINT nHitTest, CPoint point)
{
    if (m_nResizingHitTest != 0)
    {
        StopFrameResizing();
        return;
    }
    if (nHitTest == HTCAPTION && GetFloatingExtBar() != NULL)
    {
        if (!CExtControlBar::IsParentFrameInHelpMode(this))
            ShowCaptionMenu();
        return;
    }
    CMiniDockFrameWnd::OnNcRButtonDown(nHitTest, point);
}

void CExtMiniDockFrameWnd::ShowCaptionMenu()
{
    CExtControlBar* pBar = GetFloatingExtBar();
    CFrameWnd* pFrame = pBar->m_pDockSite != NULL ? pBar->m_pDockSite : GetParentFrame();
    if (pFrame == NULL || pFrame->m_hWnd == NULL)
        return;
    CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
    if (!pPopup->InitEmptyMenu(pFrame->m_hWnd) ||
        !CExtDockBar::ConstructPanelsMenu(pFrame, pPopup, CExtBarPopupMenuEvent::eFloatingFrameMenu, pBar,
                                          WM_NCRBUTTONDOWN, NULL) ||
        pPopup->GetItemCount() == 0)
    {
        delete pPopup;
        return;
    }
    CPoint pt;
    ::GetCursorPos(&pt);
    // The menu frees itself once tracked, whether or not it could be shown; the
    // focus stays where it is.
    pPopup->TrackPopupMenu(TPMX_OWNERDRAW_ITEMS, pt.x, pt.y);
}

/////////////////////////////////////////////////////////////////////////////
// Sizing by the edges

CRect CExtMiniDockFrameWnd::CalcResizedRect(const CRect& rcStart, UINT nHitTest, CSize sizeDelta, CSize sizeMin)
{
    CRect rc(rcStart);
    const bool bLeft = nHitTest == HTLEFT || nHitTest == HTTOPLEFT || nHitTest == HTBOTTOMLEFT;
    const bool bRight = nHitTest == HTRIGHT || nHitTest == HTTOPRIGHT || nHitTest == HTBOTTOMRIGHT;
    const bool bTop = nHitTest == HTTOP || nHitTest == HTTOPLEFT || nHitTest == HTTOPRIGHT;
    const bool bBottom = nHitTest == HTBOTTOM || nHitTest == HTBOTTOMLEFT || nHitTest == HTBOTTOMRIGHT;
    // The edge that moves stops at the minimal size; the opposite one stays.
    if (bLeft)
        rc.left = std::min(rcStart.left + sizeDelta.cx, rcStart.right - sizeMin.cx);
    if (bRight)
        rc.right = std::max(rcStart.right + sizeDelta.cx, rcStart.left + sizeMin.cx);
    if (bTop)
        rc.top = std::min(rcStart.top + sizeDelta.cy, rcStart.bottom - sizeMin.cy);
    if (bBottom)
        rc.bottom = std::max(rcStart.bottom + sizeDelta.cy, rcStart.top + sizeMin.cy);
    return rc;
}

void CExtMiniDockFrameWnd::StartFrameResizing(UINT nHitTest, CPoint ptScreen)
{
    CExtPopupMenuWnd::CancelTracking();
    CControlBar* pBar = GetFirstBar();
    if (pBar == NULL || !IsSizingHitTest(nHitTest) || m_nResizingHitTest != 0)
        return;
    CExtControlBar* pExtBar = GetFloatingExtBar();
    if (pExtBar == NULL || pExtBar->IsFixedMode())
    {
        // A toolbar sizes by rows and columns through its dock context.
        if (pBar->m_pDockContext != NULL)
            pBar->m_pDockContext->StartResize((int)nHitTest, ptScreen);
        return;
    }
    CRect rcBar;
    pBar->GetWindowRect(&rcBar);
    GetWindowRect(&m_rcResizingStart);
    m_sizeResizingFrame = m_rcResizingStart.Size() - rcBar.Size();
    m_ptResizingStart = m_ptResizing = ptScreen;
    m_nResizingHitTest = nHitTest;
    // While it is sized, the frame's size makes the bar's, not the other way round.
    ModifyStyle(FWS_SNAPTOBARS, 0);
    BringWindowToTop();
    SetCapture(m_hWnd);
    RunFrameResizingLoop();
}

void CExtMiniDockFrameWnd::RunFrameResizingLoop()
{
    const HWND hWnd = m_hWnd;
    for (;;)
    {
        // A frame destroyed by a message of the loop is not touched again.
        if (!::IsWindow(hWnd) || m_nResizingHitTest == 0)
            return;
        // What is sent (a lost capture, deactivation) never shows in the queue: the
        // state itself is looked at on each pass.
        if (::GetCapture() != hWnd || (::GetKeyState(VK_LBUTTON) & 0x8000) == 0)
        {
            StopFrameResizing();
            return;
        }
        MSG msg;
        if (!::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE))
        {
            ::WaitMessage();
            continue;
        }
        if (msg.message == WM_QUIT)
        {
            ::PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE);
            StopFrameResizing();
            // The outer loop ends the thread with the code it was given.
            ::PostQuitMessage((int)msg.wParam);
            return;
        }
        // These end the resize and are left for the thread's own loop.
        if (msg.message == WM_ACTIVATEAPP || msg.message == WM_COMMAND ||
            (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST))
        {
            StopFrameResizing();
            return;
        }
        if (!::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
}

void CExtMiniDockFrameWnd::TrackFrameResizing(CPoint ptScreen)
{
    if (m_nResizingHitTest == 0 || m_bTrackingResize || ptScreen == m_ptResizing)
        return;
    CExtControlBar* pBar = GetFloatingExtBar();
    if (pBar == NULL)
        return;
    m_bTrackingResize = true;
    m_ptResizing = ptScreen;
    const CSize sizeMinFloating = pBar->GetMinimalFloatingSize();
    const CSize sizeMinBar(std::max(pBar->GetMinimalWidth(), (int)sizeMinFloating.cx),
                           std::max(pBar->GetMinimalHeight(), (int)sizeMinFloating.cy));
    const CRect rc = CalcResizedRect(m_rcResizingStart, m_nResizingHitTest,
                                     CSize(ptScreen.x - m_ptResizingStart.x, ptScreen.y - m_ptResizingStart.y),
                                     sizeMinBar + m_sizeResizingFrame);
    // The bar takes the new size at the frame's next layout.
    pBar->m_sizeFloated = rc.Size() - m_sizeResizingFrame;
    SetWindowPos(NULL, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    RecalcLayout();
    m_bTrackingResize = false;
}

void CExtMiniDockFrameWnd::StopFrameResizing()
{
    if (m_nResizingHitTest == 0)
        return;
    // Cleared first: letting the capture go comes back here through WM_CAPTURECHANGED.
    m_nResizingHitTest = 0;
    m_ptResizing = CPoint(-1, -1);
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    ModifyStyle(0, FWS_SNAPTOBARS);
    RecalcLayout();
    SendMessage(WM_NCPAINT);
}

void CExtMiniDockFrameWnd::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_nResizingHitTest == 0)
    {
        CMiniDockFrameWnd::OnMouseMove(nFlags, point);
        return;
    }
    ClientToScreen(&point);
    TrackFrameResizing(point);
}

void CExtMiniDockFrameWnd::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_nResizingHitTest != 0)
        StopFrameResizing();
    else
        CMiniDockFrameWnd::OnLButtonUp(nFlags, point);
}

void CExtMiniDockFrameWnd::OnRButtonDown(UINT nFlags, CPoint point)
{
    if (m_nResizingHitTest != 0)
        StopFrameResizing();
    else
        CMiniDockFrameWnd::OnRButtonDown(nFlags, point);
}

void CExtMiniDockFrameWnd::OnCaptureChanged(CWnd* pWnd)
{
    if (m_nResizingHitTest != 0 && (pWnd == NULL || pWnd->m_hWnd != m_hWnd))
        StopFrameResizing();
    CMiniDockFrameWnd::OnCaptureChanged(pWnd);
}

void CExtMiniDockFrameWnd::OnCancelMode()
{
    CMiniDockFrameWnd::OnCancelMode();
    CExtPopupMenuWnd::CancelTracking();
    StopFrameResizing();
}
