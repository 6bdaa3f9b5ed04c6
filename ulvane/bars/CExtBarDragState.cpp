// CExtBarDragState: the drop record of a bar drag and its tracker.
#include "CExtBarDragState.h"

#include "CExtControlBar.h"

CExtBarDragState::CExtBarDragState(CExtControlBar* pBar)
{
    Reset(pBar);
}

void CExtBarDragState::Reset(CExtControlBar* pBar)
{
    m_nFlags = eEmpty;
    m_nKind = eFloat;
    m_nReserved = 0;
    m_nCircle = 0;
    m_rcTracker.SetRectEmpty();
    m_pBar = pBar;
    m_pTarget = NULL;
}

CExtBarDragState& CExtBarDragState::operator=(const CExtBarDragState& other)
{
    if (this == &other)
        return *this;
    m_pTarget = other.m_pTarget;
    m_nFlags = other.m_nFlags;
    m_nKind = other.m_nKind;
    m_nReserved = other.m_nReserved;
    m_nCircle = other.m_nCircle;
    m_rcTracker = other.m_rcTracker;
    m_pBar = other.m_pBar;
    return *this;
}

bool CExtBarDragState::operator==(const CExtBarDragState& other) const
{
    return IsEmpty() == other.IsEmpty() && m_nKind == other.m_nKind && m_nCircle == other.m_nCircle &&
           m_rcTracker == other.m_rcTracker && m_pBar == other.m_pBar && m_pTarget == other.m_pTarget &&
           IsNested() == other.IsNested();
}

void CExtBarDragState::SetEmpty(bool bEmpty)
{
    m_nFlags = bEmpty ? (m_nFlags | eEmpty) : (m_nFlags & ~eEmpty);
}

void CExtBarDragState::SetNested(bool bNested)
{
    m_nFlags = bNested ? (m_nFlags | eNest) : (m_nFlags & ~eNest);
}

CWnd* CExtBarDragState::GetTrackerWindow(CRect& rcClipped) const
{
    rcClipped = m_rcTracker;
    if (m_pTarget != NULL && m_pTarget->m_pDockBar != NULL && m_pTarget->m_pDockBar->GetSafeHwnd() != NULL)
    {
        CRect rcDockBar;
        m_pTarget->m_pDockBar->GetWindowRect(&rcDockBar);
        rcClipped.IntersectRect(&rcClipped, &rcDockBar);
        return m_pTarget->GetParentFrame();
    }
    if (m_nKind >= eSideTop && m_nKind <= eInnerRight && m_pBar != NULL)
        return m_pBar->m_pDockSite;
    return NULL;
}

bool CExtBarDragState::HasTracker() const
{
    if (IsEmpty() || m_nKind == eRecalcOnly || m_pBar == NULL || m_pBar->IsFixedMode() ||
        m_pBar->IsShowContentWhenResizing() || m_rcTracker.IsRectEmpty())
        return false;
    CRect rc;
    GetTrackerWindow(rc);
    // A tracker no thicker than its frame would only be a smear.
    const CSize sizeFrame(::GetSystemMetrics(SM_CXFRAME), ::GetSystemMetrics(SM_CYFRAME));
    return !rc.IsRectEmpty() && rc.Width() > 2 * sizeFrame.cx + 1 && rc.Height() > 2 * sizeFrame.cy + 1;
}

void CExtBarDragState::Draw() const
{
    if (!HasTracker())
        return;
    CRect rc;
    CWnd* pWnd = GetTrackerWindow(rc);
    InvertTracker(pWnd, rc, CSize(::GetSystemMetrics(SM_CXFRAME), ::GetSystemMetrics(SM_CYFRAME)));
}

void CExtBarDragState::InvertTracker(CWnd* pWnd, const CRect& rc, CSize sizeFrame)
{
    HWND hWnd = pWnd != NULL ? pWnd->GetSafeHwnd() : NULL;
    if (pWnd != NULL && (hWnd == NULL || !::IsWindow(hWnd)))
        return;
    const DWORD dwFlags = DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE | (hWnd != NULL ? DCX_CLIPSIBLINGS : 0);
    HDC hDC = ::GetDCEx(hWnd, NULL, dwFlags);
    if (hDC == NULL)
        return;
    CRect rcIn(rc);
    if (hWnd != NULL)
    {
        CRect rcWindow;
        ::GetWindowRect(hWnd, &rcWindow);
        rcIn.OffsetRect(-rcWindow.left, -rcWindow.top);
    }
    CDC* pDC = CDC::FromHandle(hDC);
    CBrush* pOldBrush = pDC->SelectObject(CDC::GetHalftoneBrush());
    const bool bFilled = sizeFrame.cx <= 0 || sizeFrame.cy <= 0 || 2 * sizeFrame.cx >= rcIn.Width() ||
                         2 * sizeFrame.cy >= rcIn.Height();
    if (bFilled)
        pDC->PatBlt(rcIn.left, rcIn.top, rcIn.Width(), rcIn.Height(), PATINVERT);
    else
    {
        // The frame's four sides, none of them overlapping, so that every pixel of it
        // is inverted exactly once.
        const int nInnerHeight = rcIn.Height() - 2 * sizeFrame.cy;
        pDC->PatBlt(rcIn.left, rcIn.top, rcIn.Width(), sizeFrame.cy, PATINVERT);
        pDC->PatBlt(rcIn.left, rcIn.bottom - sizeFrame.cy, rcIn.Width(), sizeFrame.cy, PATINVERT);
        pDC->PatBlt(rcIn.left, rcIn.top + sizeFrame.cy, sizeFrame.cx, nInnerHeight, PATINVERT);
        pDC->PatBlt(rcIn.right - sizeFrame.cx, rcIn.top + sizeFrame.cy, sizeFrame.cx, nInnerHeight, PATINVERT);
    }
    pDC->SelectObject(pOldBrush);
    ::ReleaseDC(hWnd, hDC);
}
