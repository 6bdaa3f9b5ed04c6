// CDockContext: a dockable bar's memory of where it was docked and floated, moving
// it between the two, and dragging it with the mouse.
#include "afxpriv.h"

#include <algorithm>

CDockContext::CDockContext(CControlBar* pBar)
    : m_uMRUDockID(0), m_dwMRUFloatStyle(0), m_ptMRUFloatPos(-1, -1), m_pBar(pBar),
      m_pDockSite(pBar->m_pDockSite), m_dwDockStyle(0), m_bDragging(FALSE)
{
    m_rectMRUDockPos.SetRectEmpty();
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
    while (::GetCapture() == hWndBar)
    {
        MSG msg;
        if (!::GetMessage(&msg, NULL, 0, 0))
        {
            AfxPostQuitMessage((int)msg.wParam);
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
        if ((msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) || msg.message == WM_RBUTTONDOWN)
            break;
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
    if (::GetCapture() == hWndBar)
        ::ReleaseCapture();
    m_bDragging = FALSE;
    return bReleased;
}

void CDockContext::StartDrag(CPoint pt)
{
    CFrameWnd* pDockSite = m_pBar->m_pDockSite != NULL ? m_pBar->m_pDockSite : m_pDockSite;
    if (pDockSite == NULL || m_bDragging)
        return;

    CRect rectBar;
    m_pBar->GetWindowRect(&rectBar);
    const CPoint ptGrabOffset = pt - rectBar.TopLeft();
    const CSize sizeThreshold(::GetSystemMetrics(SM_CXDRAG), ::GetSystemMetrics(SM_CYDRAG));
    CPoint ptLast = pt;
    BOOL bMoved = FALSE;
    BOOL bReleased = TrackMouse([&](CPoint ptMouse) {
        ptLast = ptMouse;
        if (abs(ptMouse.x - pt.x) > sizeThreshold.cx || abs(ptMouse.y - pt.y) > sizeThreshold.cy)
            bMoved = TRUE;
    });
    // A click without a move is no drag.
    if (bReleased && bMoved)
        DropAt(ptLast, ptGrabOffset);
}

void CDockContext::StartResize(int nHitTest, CPoint pt)
{
    if (m_bDragging || !m_pBar->IsFloating() || (m_pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) == 0)
        return;
    CFrameWnd* pMiniFrame = m_pBar->GetParentFrame();
    CRect rectStart;
    m_pBar->GetWindowRect(&rectStart);
    const BOOL bHeight = nHitTest == HTTOP || nHitTest == HTBOTTOM;
    const BOOL bFromFarEdge = nHitTest == HTRIGHT || nHitTest == HTBOTTOM;
    TrackMouse([&](CPoint ptMouse) {
        // The dragged edge moves with the mouse; the bar answers what length it takes.
        int nDelta = bHeight ? ptMouse.y - pt.y : ptMouse.x - pt.x;
        int nLength = (bHeight ? rectStart.Height() : rectStart.Width()) + (bFromFarEdge ? nDelta : -nDelta);
        m_pBar->CalcDynamicLayout(std::max(nLength, 1), LM_HORZ | LM_COMMIT | (bHeight ? LM_LENGTHY : 0));
        pMiniFrame->RecalcLayout();
    });
}

void CDockContext::DropAt(CPoint ptScreen, CPoint ptGrabOffset)
{
    CFrameWnd* pDockSite = m_pBar->m_pDockSite != NULL ? m_pBar->m_pDockSite : m_pDockSite;
    CRect rect;
    m_pBar->GetWindowRect(&rect);
    rect.OffsetRect(ptScreen - ptGrabOffset - rect.TopLeft());

    CDockBar* pDockBar = NULL;
    DWORD dwSide = pDockSite->CanDock(rect, m_pBar->m_dwDockStyle, &pDockBar);
    if (dwSide != 0 && pDockBar != NULL)
    {
        // Docked with the size it has in that orientation.
        BOOL bHorz = (dwSide & CBRS_ORIENT_HORZ) != 0;
        CSize size = m_pBar->CalcDynamicLayout(-1, bHorz ? (LM_HORZ | LM_HORZDOCK) : LM_VERTDOCK);
        rect.right = rect.left + size.cx;
        rect.bottom = rect.top + size.cy;
        pDockSite->DockControlBar(m_pBar, pDockBar, &rect);
    }
    else
    {
        DWORD dwStyle = m_pBar->m_dwStyle & CBRS_ORIENT_VERT ? CBRS_ALIGN_LEFT : CBRS_ALIGN_TOP;
        pDockSite->FloatControlBar(m_pBar, rect.TopLeft(), dwStyle);
    }
    pDockSite->RecalcLayout();
}
