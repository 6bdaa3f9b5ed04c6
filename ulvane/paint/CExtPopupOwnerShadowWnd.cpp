// CExtPopupOwnerShadowWnd: the click-through window with the shadow of a joined
// popup's owner button.
#include "CExtPopupOwnerShadowWnd.h"

#include "CExtPopupBaseWnd.h"
#include "ExtPaintHelpers.h"

BEGIN_MESSAGE_MAP(CExtPopupOwnerShadowWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_NCHITTEST()
    ON_WM_MOUSEACTIVATE()
END_MESSAGE_MAP()

CExtPopupOwnerShadowWnd::CExtPopupOwnerShadowWnd() : m_rcOwner(0, 0, 0, 0), m_nSize(0)
{
}

CExtPopupOwnerShadowWnd::~CExtPopupOwnerShadowWnd()
{
    Free();
}

CRect CExtPopupOwnerShadowWnd::GetAreaRect() const
{
    return CRect(m_rcOwner.left, m_rcOwner.top, m_rcOwner.right + m_nSize, m_rcOwner.bottom + m_nSize);
}

bool CExtPopupOwnerShadowWnd::Capture(const CRect& rcOwner, int nSize, COLORREF clrTint)
{
    m_bmpImage.DeleteObject();
    m_rcOwner = rcOwner;
    m_nSize = nSize;
    const CRect rcArea = GetAreaRect();
    if (nSize <= 0 || rcOwner.IsRectEmpty())
        return false;
    void* pBits = NULL;
    HBITMAP hImage = CreateDib32(rcArea.Width(), rcArea.Height(), &pBits, false);
    if (hImage == NULL)
        return false;
    HDC hScreen = ::GetDC(NULL);
    HDC hMem = hScreen != NULL ? ::CreateCompatibleDC(hScreen) : NULL;
    bool bCopied = false;
    if (hMem != NULL)
    {
        HGDIOBJ hOld = ::SelectObject(hMem, hImage);
        bCopied = ::BitBlt(hMem, 0, 0, rcArea.Width(), rcArea.Height(), hScreen, rcArea.left, rcArea.top, SRCCOPY) !=
                  FALSE;
        ::SelectObject(hMem, hOld);
        ::DeleteDC(hMem);
    }
    if (hScreen != NULL)
        ::ReleaseDC(NULL, hScreen);
    if (!bCopied)
    {
        ::DeleteObject(hImage);
        return false;
    }
    ::GdiFlush();
    // The same bands, corners and darkening as a popup's own shadow, cast by the owner.
    CExtPopupBaseWnd::CShadowRecord record;
    record.m_rcPopup = rcOwner;
    record.m_nSize = nSize;
    record.m_pBits = (DWORD*)pBits;
    record.m_rcBits = CRect(0, 0, rcArea.Width(), rcArea.Height());
    for (int y = 0; y < rcArea.Height(); y++)
    {
        for (int x = 0; x < rcArea.Width(); x++)
        {
            const int nPercent = record.ShadowPercentAt(x, y);
            if (nPercent < record.m_nLightest)
                record.DarkenShadowPixels(nPercent, x, y, clrTint);
        }
    }
    ::GdiFlush();
    m_bmpImage.Attach(hImage);
    return true;
}

HRGN CExtPopupOwnerShadowWnd::CreateBandsRegion(const CRect& rcLeftOut) const
{
    const CRect rcArea = GetAreaRect();
    HRGN hBands = ::CreateRectRgnIndirect(&rcArea);
    HRGN hOut = ::CreateRectRgnIndirect(&m_rcOwner);
    HRGN hLeftOut = ::CreateRectRgnIndirect(&rcLeftOut);
    int nResult = ERROR;
    if (hBands != NULL && hOut != NULL && hLeftOut != NULL && ::CombineRgn(hOut, hOut, hLeftOut, RGN_OR) != ERROR)
        nResult = ::CombineRgn(hBands, hBands, hOut, RGN_DIFF);
    if (hOut != NULL)
        ::DeleteObject(hOut);
    if (hLeftOut != NULL)
        ::DeleteObject(hLeftOut);
    if (nResult == ERROR || nResult == NULLREGION)
    {
        if (hBands != NULL)
            ::DeleteObject(hBands);
        return NULL;
    }
    return hBands;
}

void CExtPopupOwnerShadowWnd::DrawInto(CDC& dc, CPoint ptOrigin, const CRect& rcLeftOut) const
{
    if (!HasImage())
        return;
    HRGN hClip = CreateBandsRegion(rcLeftOut);
    if (hClip == NULL)
        return;
    ::OffsetRgn(hClip, -ptOrigin.x, -ptOrigin.y);
    CDC dcMem;
    if (dcMem.CreateCompatibleDC(&dc))
    {
        const int nSaved = dc.SaveDC();
        ::SelectClipRgn(dc.GetSafeHdc(), hClip);
        const CRect rcArea = GetAreaRect();
        HGDIOBJ hOld = ::SelectObject(dcMem.GetSafeHdc(), m_bmpImage.GetSafeHandle());
        dc.BitBlt(rcArea.left - ptOrigin.x, rcArea.top - ptOrigin.y, rcArea.Width(), rcArea.Height(), &dcMem, 0, 0,
                  SRCCOPY);
        ::SelectObject(dcMem.GetSafeHdc(), hOld);
        dc.RestoreDC(nSaved);
    }
    ::DeleteObject(hClip);
}

bool CExtPopupOwnerShadowWnd::CreateShadowWindow(HWND hWndOwner)
{
    if (m_hWnd != NULL)
        return true;
    LPCTSTR pszClass = AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW));
    const CRect rcArea = GetAreaRect();
    return CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, pszClass, "", WS_POPUP, rcArea.left,
                    rcArea.top, rcArea.Width(), rcArea.Height(), hWndOwner, NULL) != FALSE;
}

bool CExtPopupOwnerShadowWnd::ShowBelow(HWND hWndPopup, HWND hWndOwner)
{
    CRect rcPopup;
    if (!HasImage() || hWndPopup == NULL || !::GetWindowRect(hWndPopup, &rcPopup))
        return false;
    HRGN hRegion = CreateBandsRegion(rcPopup);
    if (hRegion == NULL)
    {
        Hide();
        return false;
    }
    if (!CreateShadowWindow(hWndOwner))
    {
        ::DeleteObject(hRegion);
        return false;
    }
    const CRect rcArea = GetAreaRect();
    ::OffsetRgn(hRegion, -rcArea.left, -rcArea.top);
    SetWindowRgn(hRegion, FALSE);   // the window owns the region
    // Just below the popup: the popup's own shadow lies over the owner's.
    ::SetWindowPos(m_hWnd, hWndPopup, rcArea.left, rcArea.top, rcArea.Width(), rcArea.Height(),
                   SWP_NOACTIVATE | SWP_SHOWWINDOW);
    ::RedrawWindow(m_hWnd, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    return true;
}

void CExtPopupOwnerShadowWnd::Hide()
{
    if (m_hWnd == NULL || !IsWindowVisible())
        return;
    ShowWindow(SW_HIDE);
    // What it covered of the owner's window paints at once: a menu opened next takes
    // its shadow from the screen.
    HWND hWndOwner = ::GetWindow(m_hWnd, GW_OWNER);
    if (hWndOwner == NULL)
        return;
    CRect rcArea = GetAreaRect();
    ::MapWindowPoints(NULL, hWndOwner, (LPPOINT)&rcArea, 2);
    ::RedrawWindow(hWndOwner, &rcArea, NULL, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void CExtPopupOwnerShadowWnd::Free()
{
    if (m_hWnd != NULL)
        DestroyWindow();
    m_bmpImage.DeleteObject();
    m_rcOwner.SetRectEmpty();
    m_nSize = 0;
}

void CExtPopupOwnerShadowWnd::OnPaint()
{
    CPaintDC dc(this);
    if (!HasImage())
        return;
    CDC dcMem;
    if (!dcMem.CreateCompatibleDC(&dc))
        return;
    const CRect rcArea = GetAreaRect();
    CBitmap* pOld = dcMem.SelectObject(&m_bmpImage);
    dc.BitBlt(0, 0, rcArea.Width(), rcArea.Height(), &dcMem, 0, 0, SRCCOPY);
    dcMem.SelectObject(pOld);
}

BOOL CExtPopupOwnerShadowWnd::OnEraseBkgnd(CDC* /*pDC*/)
{
    return TRUE;
}

UINT CExtPopupOwnerShadowWnd::OnNcHitTest(CPoint /*point*/)
{
    return (UINT)HTTRANSPARENT;
}

int CExtPopupOwnerShadowWnd::OnMouseActivate(CWnd* /*pDesktopWnd*/, UINT /*nHitTest*/, UINT /*message*/)
{
    return MA_NOACTIVATE;
}
