// CExtPopupMenuTipWnd: layout, outline, delayed showing and painting of a menu tip.
#include "CExtPopupMenuTipWnd.h"

#include "CExtPaintManagerHolder.h"
#include "ExtPaintHelpers.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CExtPopupMenuTipWnd, CExtPopupBaseWnd)

namespace
{
const char szTipClass[] = "Ulvane-PopupMenuTip";
const int nBodyCornerX = 12, nBodyCornerY = 10;
const int nInfoIconSize = 16;
}

BEGIN_MESSAGE_MAP(CExtPopupMenuTipWnd, CExtPopupBaseWnd)
    ON_WM_TIMER()
END_MESSAGE_MAP()

CExtPopupMenuTipWnd::CExtPopupMenuTipWnd()
    : m_hIcon((HICON)::LoadImage(NULL, IDI_INFORMATION, IMAGE_ICON, nInfoIconSize, nInfoIconSize, LR_SHARED)),
      m_sizeIcon(nInfoIconSize, nInfoIconSize), m_rcTarget(0, 0, 0, 0), m_rcWindow(0, 0, 0, 0), m_nLayoutFlags(0)
{
    m_nAnimKind = eAnimNone;
    m_nAnimFlags |= eAnimFinished;
}

CExtPopupMenuTipWnd::~CExtPopupMenuTipWnd()
{
}

void CExtPopupMenuTipWnd::SetText(LPCTSTR lpszText)
{
    m_strText = lpszText != NULL ? lpszText : "";
    m_strText.TrimLeft();
    m_strText.TrimRight();
}

void CExtPopupMenuTipWnd::SetIcon(HICON hIcon, CSize sizeIcon)
{
    m_hIcon = hIcon;
    m_sizeIcon = hIcon != NULL ? sizeIcon : CSize(0, 0);
}

bool CExtPopupMenuTipWnd::RegisterTipClass()
{
    WNDCLASS wc;
    if (::GetClassInfo(AfxGetInstanceHandle(), szTipClass, &wc))
        return true;
    memset(&wc, 0, sizeof(wc));
    wc.style = CS_SAVEBITS;
    wc.lpfnWndProc = ::DefWindowProc;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hCursor = ::LoadCursor(NULL, IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    wc.lpszClassName = szTipClass;
    return ::RegisterClass(&wc) != 0;
}

CRect CExtPopupMenuTipWnd::CalcLayout(CSize sizeText, CSize sizeIcon, const CRect& rcTarget, const CRect& rcBounds,
                                      BYTE& nLayoutFlags)
{
    CSize sizeBody(sizeText.cx + 2 * nTextMarginX, sizeText.cy + 2 * nTextMarginY);
    if (sizeIcon.cx > 0)
        sizeBody.cx += sizeIcon.cx + nIconGap;
    sizeBody.cy = std::max(sizeBody.cy, (LONG)sizeIcon.cy);
    const CSize sizeWindow(sizeBody.cx, sizeBody.cy + nArrowHeight);
    // Below the target with the arrow at the left; flipped where that leaves the bounds.
    nLayoutFlags = eArrowTop;
    CRect rc(CPoint(rcTarget.left, rcTarget.bottom), sizeWindow);
    if (rc.right > rcBounds.right)
    {
        nLayoutFlags |= eArrowRight;
        rc.OffsetRect(rcTarget.right - rc.right, 0);
    }
    if (rc.bottom > rcBounds.bottom)
    {
        nLayoutFlags &= ~eArrowTop;
        rc.OffsetRect(0, rcTarget.top - rc.bottom);
    }
    if (rc.left < rcBounds.left)
        rc.OffsetRect(rcBounds.left - rc.left, 0);
    if (rc.top < rcBounds.top)
        rc.OffsetRect(0, rcBounds.top - rc.top);
    return rc;
}

bool CExtPopupMenuTipWnd::CreateBalloonRegion(CRgn& rgn, CSize sizeWindow, BYTE nLayoutFlags)
{
    const bool bTop = (nLayoutFlags & eArrowTop) != 0;
    const bool bRight = (nLayoutFlags & eArrowRight) != 0;
    const int nBodyTop = bTop ? nArrowHeight : 0;
    const int nBodyBottom = bTop ? sizeWindow.cy : sizeWindow.cy - nArrowHeight;
    CRgn rgnArrow;
    if (!rgn.CreateRoundRectRgn(0, nBodyTop, sizeWindow.cx + 1, nBodyBottom + 1, nBodyCornerX, nBodyCornerY))
        return false;
    const int xFrom = bRight ? sizeWindow.cx - nArrowBaseTo : nArrowBaseFrom;
    const int xTo = bRight ? sizeWindow.cx - nArrowBaseFrom : nArrowBaseTo;
    const int xTip = bRight ? xTo : xFrom;
    const int yBase = bTop ? nBodyTop + 1 : nBodyBottom - 1;
    const int yTip = bTop ? 0 : sizeWindow.cy;
    POINT pts[3] = {{xFrom, yBase}, {xTo, yBase}, {xTip, yTip}};
    if (!rgnArrow.CreatePolygonRgn(pts, 3, WINDING))
        return false;
    return rgn.CombineRgn(&rgn, &rgnArrow, RGN_OR) != ERROR;
}

CSize CExtPopupMenuTipWnd::MeasureText()
{
    CRect rcText(0, 0, 0, 0);
    HDC hDC = ::CreateCompatibleDC(NULL);
    if (hDC == NULL)
        return CSize(0, 0);
    HGDIOBJ hOldFont = ::SelectObject(hDC, g_PaintManagerHolder->m_FontNormal.GetSafeHandle());
    ::DrawText(hDC, m_strText, m_strText.GetLength(), &rcText, DT_CALCRECT | DT_LEFT | DT_NOPREFIX);
    ::SelectObject(hDC, hOldFont);
    ::DeleteDC(hDC);
    return rcText.Size();
}

bool CExtPopupMenuTipWnd::Show(CWnd* pWndOwner, LPCTSTR lpszText, const RECT& rcTarget)
{
    SetText(lpszText);
    m_rcTarget = rcTarget;
    if (m_hWnd == NULL)
    {
        if (!RegisterTipClass() ||
            !CreateEx(WS_EX_TOPMOST, szTipClass, "", WS_POPUP, 0, 0, 1, 1,
                      pWndOwner != NULL ? pWndOwner->GetSafeHwnd() : NULL, NULL))
            return false;
    }
    KillTimer(nTipTimerID);
    if (IsWindowVisible())
        ShowWindow(SW_HIDE);
    const CExtMonitorInfo monitor = GetMonitorWorkArea(m_rcTarget);
    const CRect rcBounds = g_bUseDesktopWorkArea ? monitor.m_rcWorkArea : monitor.m_rcMonitor;
    m_rcWindow = CalcLayout(MeasureText(), m_hIcon != NULL ? m_sizeIcon : CSize(0, 0), m_rcTarget, rcBounds,
                            m_nLayoutFlags);
    CRgn rgn;
    if (CreateBalloonRegion(rgn, m_rcWindow.Size(), m_nLayoutFlags))
        SetWindowRgn((HRGN)rgn.Detach(), FALSE);   // the window owns the region now
    SetWindowPos(&CWnd::wndTopMost, m_rcWindow.left, m_rcWindow.top, m_rcWindow.Width(), m_rcWindow.Height(),
                 SWP_NOACTIVATE | SWP_NOREDRAW);
    SetTimer(nTipTimerID, nTipDelay, NULL);
    return true;
}

void CExtPopupMenuTipWnd::Hide()
{
    if (m_hWnd == NULL)
        return;
    KillTimer(nTipTimerID);
    if (IsWindowVisible())
        ShowWindow(SW_HIDE);
}

void CExtPopupMenuTipWnd::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != nTipTimerID)
    {
        CExtPopupBaseWnd::OnTimer(nIDEvent);
        return;
    }
    KillTimer(nTipTimerID);
    ShowWindow(SW_SHOWNA);
    UpdateWindow();
}

void CExtPopupMenuTipWnd::PaintContent(CDC& dc, bool /*bOnScreen*/)
{
    CRect rcClient;
    GetClientRect(&rcClient);
    CRgn rgn;
    if (!CreateBalloonRegion(rgn, rcClient.Size(), m_nLayoutFlags))
        return;
    CExtPaintManager* pPM = g_PaintManagerHolder.GetPaintManager();
    CBrush brFill, brOuter, brInner;
    if (brFill.CreateSolidBrush(pPM->GetColor(COLOR_INFOBK)))
        dc.FillRgn(&rgn, &brFill);
    if (brOuter.CreateSolidBrush(pPM->GetColor(COLOR_BTNFACE)))
        dc.FrameRgn(&rgn, &brOuter, 3, 3);
    if (brInner.CreateSolidBrush(pPM->GetColor(COLOR_3DDKSHADOW)))
        dc.FrameRgn(&rgn, &brInner, 1, 1);
    const int yOffset = (m_nLayoutFlags & eArrowTop) != 0 ? nArrowHeight : 0;
    int xText = nTextMarginX;
    if (m_hIcon != NULL)
    {
        ::DrawIconEx(dc.GetSafeHdc(), nTextMarginX, nTextMarginY + yOffset, m_hIcon, m_sizeIcon.cx, m_sizeIcon.cy, 0,
                     NULL, DI_NORMAL);
        xText = 17 + m_sizeIcon.cx;
    }
    CRect rcText(xText, nTextMarginY + yOffset, rcClient.right - nTextMarginX, rcClient.bottom);
    const int nOldMode = dc.SetBkMode(TRANSPARENT);
    const COLORREF clrOld = dc.SetTextColor(pPM->GetColor(COLOR_INFOTEXT));
    CFont* pOldFont = dc.SelectObject(&pPM->m_FontNormal);
    dc.DrawText(m_strText, &rcText, DT_LEFT | DT_NOPREFIX);
    dc.SelectObject(pOldFont);
    dc.SetTextColor(clrOld);
    dc.SetBkMode(nOldMode);
}
