// CDockContext: a dockable bar's memory of where it was docked and floated, moving
// it between the two, and dragging it with the mouse.
#include "afxpriv.h"

#include <algorithm>

CDockContext::CDockContext(CControlBar* pBar)
    : m_uMRUDockID(0), m_dwMRUFloatStyle(0), m_ptMRUFloatPos(-1, -1), m_pBar(pBar),
      m_pDockSite(pBar->m_pDockSite), m_dwDockStyle(0), m_bDragging(FALSE), m_ptLast(0, 0), m_ptGrabOffset(0, 0),
      m_pTargetDockBar(NULL), m_bMoved(FALSE), m_bTrackerShown(FALSE), m_bOrphaned(FALSE)
{
    m_rectMRUDockPos.SetRectEmpty();
    m_rectTracker.SetRectEmpty();
    m_rectTrackerShown.SetRectEmpty();
}

CDockContext::~CDockContext()
{
}

void CDockContext::ToggleDocking()
{
    CFrameWnd* pDockSite = m_pBar->m_pDockSite != NULL ? m_pBar->m_pDockSite : m_pDockSite;
    if (pDockSite == NULL)
        return;

    if (m_pBar->IsFloating())
    {
        // Back to the dock bar and place it came from, when it may dock there.
        CDockBar* pDockBar = NULL;
        if (m_uMRUDockID != 0)
            pDockBar = (CDockBar*)pDockSite->GetControlBar(m_uMRUDockID);
        if (pDockBar == NULL || !pDockBar->IsDockBar() ||
            (m_pBar->m_dwDockStyle & pDockBar->m_dwStyle & CBRS_ALIGN_ANY) == 0)
        {
            pDockBar = NULL;
        }
        CRect rect(m_rectMRUDockPos);
        if (pDockBar != NULL && !rect.IsRectEmpty())
        {
            pDockBar->ClientToScreen(&rect);
            pDockSite->ReDockControlBar(m_pBar, pDockBar, &rect);
        }
        else
        {
            pDockSite->ReDockControlBar(m_pBar, pDockBar, NULL);
        }
        pDockSite->RecalcLayout();
        return;
    }

    // Float where it floated last; the first time, where it stands now.
    CPoint ptFloat = m_ptMRUFloatPos;
    if (ptFloat.x < 0 && ptFloat.y < 0)
    {
        CRect rectBar;
        m_pBar->GetWindowRect(&rectBar);
        ptFloat = rectBar.TopLeft();
    }
    DWORD dwStyle = m_dwMRUFloatStyle != 0 ? m_dwMRUFloatStyle : (m_pBar->m_dwStyle & CBRS_ALIGN_ANY);
    pDockSite->FloatControlBar(m_pBar, ptFloat, dwStyle);
    pDockSite->RecalcLayout();
}

template<class F>
BOOL CDockContext::TrackMouse(F onMove)
{
    BOOL bReleased = FALSE;
    HWND hWndBar = m_pBar->m_hWnd;
    m_bDragging = TRUE;
    ::SetCapture(hWndBar);
    while (!IsBarGone(hWndBar) && ::GetCapture() == hWndBar)
    {
        MSG msg;
        if (!::GetMessage(&msg, NULL, 0, 0))
        {
            AfxPostQuitMessage((int)msg.wParam);
            break;
        }
        // A message another thread sent, handled inside GetMessage, may have
        // destroyed the bar: what comes now is no longer the drag's.
        if (IsBarGone(hWndBar))
        {
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
            break;
        }
        if (msg.message == WM_LBUTTONUP)
        {
            onMove(CPoint(msg.pt));
            bReleased = TRUE;
            break;
        }
        if (msg.message == WM_MOUSEMOVE)
        {
            onMove(CPoint(msg.pt));
            continue;
        }
        if ((msg.message == WM_KEYDOWN || msg.message == WM_KEYUP) && msg.wParam != VK_ESCAPE)
        {
            OnKey((int)msg.wParam, msg.message == WM_KEYDOWN);
            continue;
        }
        if ((msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) || msg.message == WM_RBUTTONDOWN)
            break;
        // A handler may destroy the bar's window: the loop's test ends the drag
        // with it, whoever holds the capture then.
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
    // A bar deleted meanwhile left its window and this context behind: nothing of
    // either is touched any more.
    if (m_bOrphaned)
        return FALSE;
    m_bDragging = FALSE;
    if (IsBarGone(hWndBar))
        return FALSE;
    if (::GetCapture() == hWndBar)
        ::ReleaseCapture();
    return bReleased;
}

BOOL CDockContext::IsBarGone(HWND hWndBar) const
{
    return m_bOrphaned || m_pBar->m_hWnd != hWndBar || !::IsWindow(hWndBar);
}

CRect CDockContext::CalcDropRect(CPoint pt)
{
    CFrameWnd* pDockSite = m_pBar->m_pDockSite != NULL ? m_pBar->m_pDockSite : m_pDockSite;
    CRect rect;
    m_pBar->GetWindowRect(&rect);
    rect.OffsetRect(pt - m_ptGrabOffset - rect.TopLeft());
    m_pTargetDockBar = NULL;

    // Ctrl keeps the bar from docking anywhere.
    DWORD dwSide = 0;
    if (::GetKeyState(VK_CONTROL) >= 0 && pDockSite != NULL)
        dwSide = pDockSite->CanDock(rect, m_pBar->m_dwDockStyle, &m_pTargetDockBar);
    if (dwSide != 0 && m_pTargetDockBar != NULL)
    {
        // Docked with the size it has in that orientation.
        BOOL bHorz = (dwSide & CBRS_ORIENT_HORZ) != 0;
        CSize size = m_pBar->CalcDynamicLayout(-1, bHorz ? (LM_HORZ | LM_HORZDOCK) : LM_VERTDOCK);
        rect.right = rect.left + size.cx;
        rect.bottom = rect.top + size.cy;
        return rect;
    }
    m_pTargetDockBar = NULL;
    DWORD dwMode = (m_pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) ? (LM_HORZ | LM_MRUWIDTH)
                                                            : ((m_pBar->m_dwStyle & CBRS_ORIENT_VERT) ? 0 : LM_HORZ);
    CSize size = m_pBar->CalcDynamicLayout(-1, dwMode);
    rect.right = rect.left + size.cx;
    rect.bottom = rect.top + size.cy;
    return rect;
}

void CDockContext::DrawTracker(BOOL bShow)
{
    // Drawn by inverting with the halftone brush on the screen, and erased by drawing
    // it again, so nothing underneath needs repainting.
    auto invert = [](const CRect& rect) {
        HDC hDC = ::GetDCEx(NULL, NULL, DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE);
        if (hDC == NULL)
            return;
        CDC::FromHandle(hDC)->DrawDragRect(&rect, CSize(3, 3), NULL, CSize(0, 0));
        ::ReleaseDC(NULL, hDC);
    };
    if (m_bTrackerShown && (!bShow || m_rectTrackerShown != m_rectTracker))
    {
        invert(m_rectTrackerShown);
        m_bTrackerShown = FALSE;
    }
    if (bShow && !m_bTrackerShown && !m_rectTracker.IsRectEmpty())
    {
        invert(m_rectTracker);
        m_rectTrackerShown = m_rectTracker;
        m_bTrackerShown = TRUE;
    }
}

void CDockContext::Move(CPoint pt)
{
    m_ptLast = pt;
    m_rectTracker = CalcDropRect(pt);
    DrawTracker(TRUE);
}

void CDockContext::OnKey(int nChar, BOOL /*bDown*/)
{
    // Ctrl changes where a drop goes: the tracker follows at once.
    if (nChar == VK_CONTROL && m_bMoved)
        Move(m_ptLast);
}

void CDockContext::EndDrag()
{
    DrawTracker(FALSE);
    if (m_bMoved)
        DropAt(m_ptLast, m_ptGrabOffset);
}

void CDockContext::CancelDrag()
{
    DrawTracker(FALSE);
}

void CDockContext::StartDrag(CPoint pt)
{
    CFrameWnd* pDockSite = m_pBar->m_pDockSite != NULL ? m_pBar->m_pDockSite : m_pDockSite;
    if (pDockSite == NULL || m_bDragging)
        return;

    CRect rectBar;
    m_pBar->GetWindowRect(&rectBar);
    m_ptGrabOffset = pt - rectBar.TopLeft();
    m_ptLast = pt;
    m_bMoved = FALSE;
    m_pTargetDockBar = NULL;
    const CSize sizeThreshold(::GetSystemMetrics(SM_CXDRAG), ::GetSystemMetrics(SM_CYDRAG));
    BOOL bReleased = TrackMouse([&](CPoint ptMouse) {
        if (!m_bMoved && abs(ptMouse.x - pt.x) <= sizeThreshold.cx && abs(ptMouse.y - pt.y) <= sizeThreshold.cy)
            return;
        // A click without a move is no drag.
        m_bMoved = TRUE;
        Move(ptMouse);
    });
    if (m_bOrphaned)
    {
        delete this;
        return;
    }
    if (bReleased)
        EndDrag();
    else
        CancelDrag();
}

void CDockContext::Stretch(CPoint /*pt*/)
{
}

void CDockContext::StartResize(int nHitTest, CPoint pt)
{
    if (m_bDragging || !m_pBar->IsFloating() || (m_pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) == 0)
        return;
    CFrameWnd* pMiniFrame = m_pBar->GetParentFrame();
    HWND hWndMiniFrame = pMiniFrame->GetSafeHwnd();
    CRect rectStart;
    m_pBar->GetWindowRect(&rectStart);
    const BOOL bHeight = nHitTest == HTTOP || nHitTest == HTBOTTOM;
    const BOOL bFromFarEdge = nHitTest == HTRIGHT || nHitTest == HTBOTTOM || nHitTest == HTBOTTOMRIGHT ||
                              nHitTest == HTTOPRIGHT;
    TrackMouse([&](CPoint ptMouse) {
        // The dragged edge moves with the mouse; the bar answers what length it takes.
        int nDelta = bHeight ? ptMouse.y - pt.y : ptMouse.x - pt.x;
        int nLength = (bHeight ? rectStart.Height() : rectStart.Width()) + (bFromFarEdge ? nDelta : -nDelta);
        m_pBar->CalcDynamicLayout(std::max(nLength, 1), LM_HORZ | LM_COMMIT | (bHeight ? LM_LENGTHY : 0));
        Stretch(ptMouse);
        if (::IsWindow(hWndMiniFrame))
            pMiniFrame->RecalcLayout();
    });
    if (m_bOrphaned)
        delete this;
}

void CDockContext::DropAt(CPoint ptScreen, CPoint ptGrabOffset)
{
    CFrameWnd* pDockSite = m_pBar->m_pDockSite != NULL ? m_pBar->m_pDockSite : m_pDockSite;
    m_ptGrabOffset = ptGrabOffset;
    CRect rect = CalcDropRect(ptScreen);
    if (m_pTargetDockBar != NULL)
    {
        pDockSite->DockControlBar(m_pBar, m_pTargetDockBar, &rect);
    }
    else
    {
        DWORD dwStyle = m_pBar->m_dwStyle & CBRS_ORIENT_VERT ? CBRS_ALIGN_LEFT : CBRS_ALIGN_TOP;
        pDockSite->FloatControlBar(m_pBar, rect.TopLeft(), dwStyle);
    }
    pDockSite->RecalcLayout();
}
