// Device contexts.
#include "afxpriv.h"

IMPLEMENT_DYNCREATE(CDC, CObject)
IMPLEMENT_DYNAMIC(CPaintDC, CDC)
IMPLEMENT_DYNAMIC(CClientDC, CDC)
IMPLEMENT_DYNAMIC(CWindowDC, CDC)

static void SetDCHandle(CObject* pObject, HANDLE h)
{
    CDC* pDC = (CDC*)pObject;
    pDC->m_hDC = pDC->m_hAttribDC = (HDC)h;
}

CHandleMap* PASCAL afxMapHDC(BOOL bCreate)
{
    return CHandleMap::GetThreadMap(AfxGetThreadState()->m_pmapHDC, bCreate, CHandleMap::Construct<CDC>, SetDCHandle);
}

CDC* PASCAL CDC::FromHandle(HDC hDC)
{
    return (CDC*)afxMapHDC(TRUE)->FromHandle(hDC);
}

void PASCAL CDC::DeleteTempMap()
{
    if (CHandleMap* pMap = afxMapHDC())
        pMap->DeleteTemp();
}

CDC::CDC() : m_hDC(NULL), m_hAttribDC(NULL), m_bPrinting(FALSE)
{
}

CDC::~CDC()
{
    if (m_hDC != NULL)
        ::DeleteDC(Detach());
}

BOOL CDC::Attach(HDC hDC)
{
    if (!afxMapHDC(TRUE)->AttachObject(this, m_hDC, hDC))
        return FALSE;
    SetAttribDC(m_hDC);
    return TRUE;
}

HDC CDC::Detach()
{
    ReleaseAttribDC();
    return CHandleMap::DetachObject(afxMapHDC(), this, m_hDC);
}

BOOL CDC::DeleteDC()
{
    if (m_hDC == NULL)
        return FALSE;
    return ::DeleteDC(Detach());
}

void CDC::SetAttribDC(HDC hDC) { m_hAttribDC = hDC; }
void CDC::SetOutputDC(HDC hDC) { m_hDC = hDC; }
void CDC::ReleaseAttribDC() { m_hAttribDC = NULL; }
void CDC::ReleaseOutputDC() { m_hDC = NULL; }

CWnd* CDC::GetWindow() const
{
    return CWnd::FromHandle(::WindowFromDC(m_hDC));
}

int CDC::ExcludeUpdateRgn(CWnd* pWnd)
{
    return ::ExcludeUpdateRgn(m_hDC, pWnd->GetSafeHwnd());
}

// Operations that change state apply to both contexts when they differ, so that
// measuring through the attribute context matches what is drawn.
#define BOTH_DCS(call_out, call_attr) \
    do { if (m_hDC != m_hAttribDC && m_hDC != NULL) { call_out; } if (m_hAttribDC != NULL) { call_attr; } } while (0)

int CDC::SaveDC()
{
    int nRetVal = 0;
    if (m_hAttribDC != NULL)
        nRetVal = ::SaveDC(m_hAttribDC);
    if (m_hDC != m_hAttribDC && ::SaveDC(m_hDC) != 0)
        nRetVal = -1;  // restored as the latest
    return nRetVal;
}

BOOL CDC::RestoreDC(int nSavedDC)
{
    BOOL bRetVal = TRUE;
    if (m_hDC != m_hAttribDC)
        bRetVal = ::RestoreDC(m_hDC, nSavedDC);
    if (m_hAttribDC != NULL)
        bRetVal = bRetVal && ::RestoreDC(m_hAttribDC, nSavedDC);
    return bRetVal;
}

CGdiObject* PASCAL CDC::SelectGdiObject(HDC hDC, HGDIOBJ h)
{
    return CGdiObject::FromHandle(::SelectObject(hDC, h));
}

CFont* CDC::SelectObject(CFont* pFont)
{
    HGDIOBJ hOld = NULL;
    if (m_hDC != m_hAttribDC && m_hDC != NULL)
        hOld = ::SelectObject(m_hDC, pFont->GetSafeHandle());
    if (m_hAttribDC != NULL)
        hOld = ::SelectObject(m_hAttribDC, pFont->GetSafeHandle());
    return (CFont*)CGdiObject::FromHandle(hOld);
}

CGdiObject* CDC::SelectStockObject(int nIndex)
{
    HGDIOBJ hObject = ::GetStockObject(nIndex);
    HGDIOBJ hOld = NULL;
    if (m_hDC != m_hAttribDC && m_hDC != NULL)
        hOld = ::SelectObject(m_hDC, hObject);
    if (m_hAttribDC != NULL)
        hOld = ::SelectObject(m_hAttribDC, hObject);
    return CGdiObject::FromHandle(hOld);
}

COLORREF CDC::SetBkColor(COLORREF crColor)
{
    COLORREF crOld = CLR_INVALID;
    BOTH_DCS(crOld = ::SetBkColor(m_hDC, crColor), crOld = ::SetBkColor(m_hAttribDC, crColor));
    return crOld;
}

int CDC::SetBkMode(int nBkMode)
{
    int nOld = 0;
    BOTH_DCS(nOld = ::SetBkMode(m_hDC, nBkMode), nOld = ::SetBkMode(m_hAttribDC, nBkMode));
    return nOld;
}

int CDC::SetROP2(int nDrawMode)
{
    int nOld = 0;
    BOTH_DCS(nOld = ::SetROP2(m_hDC, nDrawMode), nOld = ::SetROP2(m_hAttribDC, nDrawMode));
    return nOld;
}

int CDC::SetStretchBltMode(int nStretchMode)
{
    int nOld = 0;
    BOTH_DCS(nOld = ::SetStretchBltMode(m_hDC, nStretchMode), nOld = ::SetStretchBltMode(m_hAttribDC, nStretchMode));
    return nOld;
}

COLORREF CDC::SetTextColor(COLORREF crColor)
{
    COLORREF crOld = CLR_INVALID;
    BOTH_DCS(crOld = ::SetTextColor(m_hDC, crColor), crOld = ::SetTextColor(m_hAttribDC, crColor));
    return crOld;
}

int CDC::SetPolyFillMode(int nPolyFillMode)
{
    int nOld = 0;
    BOTH_DCS(nOld = ::SetPolyFillMode(m_hDC, nPolyFillMode), nOld = ::SetPolyFillMode(m_hAttribDC, nPolyFillMode));
    return nOld;
}

UINT CDC::SetTextAlign(UINT nFlags)
{
    UINT nOld = 0;
    BOTH_DCS(nOld = ::SetTextAlign(m_hDC, nFlags), nOld = ::SetTextAlign(m_hAttribDC, nFlags));
    return nOld;
}

int CDC::SetMapMode(int nMapMode)
{
    int nOld = 0;
    BOTH_DCS(nOld = ::SetMapMode(m_hDC, nMapMode), nOld = ::SetMapMode(m_hAttribDC, nMapMode));
    return nOld;
}

CPoint CDC::SetViewportOrg(int x, int y)
{
    POINT pt = { 0, 0 };
    BOTH_DCS(::SetViewportOrgEx(m_hDC, x, y, &pt), ::SetViewportOrgEx(m_hAttribDC, x, y, &pt));
    return pt;
}

CPoint CDC::OffsetViewportOrg(int nWidth, int nHeight)
{
    POINT pt = { 0, 0 };
    BOTH_DCS(::OffsetViewportOrgEx(m_hDC, nWidth, nHeight, &pt), ::OffsetViewportOrgEx(m_hAttribDC, nWidth, nHeight, &pt));
    return pt;
}

CSize CDC::SetViewportExt(int cx, int cy)
{
    SIZE size = { 0, 0 };
    BOTH_DCS(::SetViewportExtEx(m_hDC, cx, cy, &size), ::SetViewportExtEx(m_hAttribDC, cx, cy, &size));
    return size;
}

CSize CDC::ScaleViewportExt(int xNum, int xDenom, int yNum, int yDenom)
{
    SIZE size = { 0, 0 };
    BOTH_DCS(::ScaleViewportExtEx(m_hDC, xNum, xDenom, yNum, yDenom, &size),
             ::ScaleViewportExtEx(m_hAttribDC, xNum, xDenom, yNum, yDenom, &size));
    return size;
}

CPoint CDC::SetWindowOrg(int x, int y)
{
    POINT pt = { 0, 0 };
    BOTH_DCS(::SetWindowOrgEx(m_hDC, x, y, &pt), ::SetWindowOrgEx(m_hAttribDC, x, y, &pt));
    return pt;
}

CPoint CDC::OffsetWindowOrg(int nWidth, int nHeight)
{
    POINT pt = { 0, 0 };
    BOTH_DCS(::OffsetWindowOrgEx(m_hDC, nWidth, nHeight, &pt), ::OffsetWindowOrgEx(m_hAttribDC, nWidth, nHeight, &pt));
    return pt;
}

CSize CDC::SetWindowExt(int cx, int cy)
{
    SIZE size = { 0, 0 };
    BOTH_DCS(::SetWindowExtEx(m_hDC, cx, cy, &size), ::SetWindowExtEx(m_hAttribDC, cx, cy, &size));
    return size;
}

CSize CDC::ScaleWindowExt(int xNum, int xDenom, int yNum, int yDenom)
{
    SIZE size = { 0, 0 };
    BOTH_DCS(::ScaleWindowExtEx(m_hDC, xNum, xDenom, yNum, yDenom, &size),
             ::ScaleWindowExtEx(m_hAttribDC, xNum, xDenom, yNum, yDenom, &size));
    return size;
}

void CDC::DPtoLP(LPSIZE lpSize) const
{
    // A size is the difference of two points.
    POINT pts[2] = { { 0, 0 }, { lpSize->cx, lpSize->cy } };
    ::DPtoLP(m_hAttribDC, pts, 2);
    lpSize->cx = pts[1].x - pts[0].x;
    lpSize->cy = pts[1].y - pts[0].y;
}

void CDC::LPtoDP(LPSIZE lpSize) const
{
    POINT pts[2] = { { 0, 0 }, { lpSize->cx, lpSize->cy } };
    ::LPtoDP(m_hAttribDC, pts, 2);
    lpSize->cx = pts[1].x - pts[0].x;
    lpSize->cy = pts[1].y - pts[0].y;
}

int CDC::SelectClipRgn(CRgn* pRgn)
{
    int nRetVal = ERROR;
    BOTH_DCS(nRetVal = ::SelectClipRgn(m_hDC, (HRGN)pRgn->GetSafeHandle()),
             nRetVal = ::SelectClipRgn(m_hAttribDC, (HRGN)pRgn->GetSafeHandle()));
    return nRetVal;
}

int CDC::SelectClipRgn(CRgn* pRgn, int nMode)
{
    int nRetVal = ERROR;
    BOTH_DCS(nRetVal = ::ExtSelectClipRgn(m_hDC, (HRGN)pRgn->GetSafeHandle(), nMode),
             nRetVal = ::ExtSelectClipRgn(m_hAttribDC, (HRGN)pRgn->GetSafeHandle(), nMode));
    return nRetVal;
}

int CDC::ExcludeClipRect(int x1, int y1, int x2, int y2)
{
    int nRetVal = ERROR;
    BOTH_DCS(nRetVal = ::ExcludeClipRect(m_hDC, x1, y1, x2, y2), nRetVal = ::ExcludeClipRect(m_hAttribDC, x1, y1, x2, y2));
    return nRetVal;
}

int CDC::IntersectClipRect(int x1, int y1, int x2, int y2)
{
    int nRetVal = ERROR;
    BOTH_DCS(nRetVal = ::IntersectClipRect(m_hDC, x1, y1, x2, y2), nRetVal = ::IntersectClipRect(m_hAttribDC, x1, y1, x2, y2));
    return nRetVal;
}

int CDC::OffsetClipRgn(int x, int y)
{
    int nRetVal = ERROR;
    BOTH_DCS(nRetVal = ::OffsetClipRgn(m_hDC, x, y), nRetVal = ::OffsetClipRgn(m_hAttribDC, x, y));
    return nRetVal;
}

CPoint CDC::MoveTo(int x, int y)
{
    POINT pt = { 0, 0 };
    BOTH_DCS(::MoveToEx(m_hDC, x, y, &pt), ::MoveToEx(m_hAttribDC, x, y, &pt));
    return pt;
}

BOOL CDC::LineTo(int x, int y)
{
    if (m_hAttribDC != NULL && m_hDC != m_hAttribDC)
        ::MoveToEx(m_hAttribDC, x, y, NULL);
    return ::LineTo(m_hDC, x, y);
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr)
{
    // ExtTextOut with an opaque rectangle fills without a brush.
    ::SetBkColor(m_hDC, clr);
    ::ExtTextOut(m_hDC, 0, 0, ETO_OPAQUE, lpRect, NULL, 0, NULL);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr)
{
    RECT rect = { x, y, x + cx, y + cy };
    FillSolidRect(&rect, clr);
}

void CDC::Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    Draw3dRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top,
               clrTopLeft, clrBottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    FillSolidRect(x, y, cx - 1, 1, clrTopLeft);
    FillSolidRect(x, y, 1, cy - 1, clrTopLeft);
    FillSolidRect(x + cx, y, -1, cy, clrBottomRight);
    FillSolidRect(x, y + cy, cx, -1, clrBottomRight);
}

CBrush* PASCAL CDC::GetHalftoneBrush()
{
    // A checkerboard of single pixels, made once per process.
    static HBRUSH s_hbrHalftone = NULL;
    if (s_hbrHalftone == NULL)
    {
        WORD grayPattern[8];
        for (int i = 0; i < 8; i++)
            grayPattern[i] = (WORD)(0x5555 << (i & 1));
        HBITMAP grayBitmap = ::CreateBitmap(8, 8, 1, 1, grayPattern);
        if (grayBitmap != NULL)
        {
            s_hbrHalftone = ::CreatePatternBrush(grayBitmap);
            ::DeleteObject(grayBitmap);
        }
    }
    return CBrush::FromHandle(s_hbrHalftone);
}

void CDC::DrawDragRect(LPCRECT lpRect, SIZE size, LPCRECT lpRectLast, SIZE sizeLast, CBrush* pBrush, CBrush* pBrushLast)
{
    // The frame is the rectangle less its inside, drawn by XOR so that drawing it
    // again erases it.
    CRgn rgnNew, rgnOutside, rgnInside;
    rgnOutside.CreateRectRgnIndirect(lpRect);
    CRect rect = *lpRect;
    rect.InflateRect(-size.cx, -size.cy);
    rect.IntersectRect(rect, lpRect);
    rgnInside.CreateRectRgnIndirect(rect);
    rgnNew.CreateRectRgn(0, 0, 0, 0);
    rgnNew.CombineRgn(&rgnOutside, &rgnInside, RGN_XOR);

    CBrush* pBrushOld = NULL;
    if (pBrush == NULL)
        pBrush = CDC::GetHalftoneBrush();
    if (pBrushLast == NULL)
        pBrushLast = pBrush;

    CRgn rgnLast, rgnUpdate;
    if (lpRectLast != NULL)
    {
        rgnLast.CreateRectRgn(0, 0, 0, 0);
        rgnOutside.SetRectRgn(lpRectLast);
        rect = *lpRectLast;
        rect.InflateRect(-sizeLast.cx, -sizeLast.cy);
        rect.IntersectRect(rect, lpRectLast);
        rgnInside.SetRectRgn(rect);
        rgnLast.CombineRgn(&rgnOutside, &rgnInside, RGN_XOR);
        if (pBrush->m_hObject == pBrushLast->m_hObject)
        {
            rgnUpdate.CreateRectRgn(0, 0, 0, 0);
            rgnUpdate.CombineRgn(&rgnLast, &rgnNew, RGN_XOR);
        }
    }
    if (pBrush->m_hObject != pBrushLast->m_hObject && lpRectLast != NULL)
    {
        SelectClipRgn(&rgnLast);
        GetClipBox(&rect);
        pBrushOld = SelectObject(pBrushLast);
        PatBlt(rect.left, rect.top, rect.Width(), rect.Height(), PATINVERT);
        SelectObject(pBrushOld);
        pBrushOld = NULL;
    }
    SelectClipRgn(rgnUpdate.m_hObject != NULL ? &rgnUpdate : &rgnNew);
    GetClipBox(&rect);
    pBrushOld = SelectObject(pBrush);
    PatBlt(rect.left, rect.top, rect.Width(), rect.Height(), PATINVERT);
    if (pBrushOld != NULL)
        SelectObject(pBrushOld);
    SelectClipRgn(NULL);
}

BOOL CDC::DrawState(CPoint pt, CSize size, HBITMAP hBitmap, UINT nFlags, HBRUSH hBrush)
{
    return ::DrawState(m_hDC, hBrush, NULL, (LPARAM)hBitmap, 0, pt.x, pt.y, size.cx, size.cy, nFlags | DST_BITMAP);
}

BOOL CDC::DrawState(CPoint pt, CSize size, CBitmap* pBitmap, UINT nFlags, CBrush* pBrush)
{
    return DrawState(pt, size, (HBITMAP)pBitmap->GetSafeHandle(), nFlags, (HBRUSH)pBrush->GetSafeHandle());
}

BOOL CDC::DrawState(CPoint pt, CSize size, HICON hIcon, UINT nFlags, HBRUSH hBrush)
{
    return ::DrawState(m_hDC, hBrush, NULL, (LPARAM)hIcon, 0, pt.x, pt.y, size.cx, size.cy, nFlags | DST_ICON);
}

BOOL CDC::DrawState(CPoint pt, CSize size, HICON hIcon, UINT nFlags, CBrush* pBrush)
{
    return DrawState(pt, size, hIcon, nFlags, (HBRUSH)pBrush->GetSafeHandle());
}

BOOL CDC::DrawState(CPoint pt, CSize size, LPCTSTR lpszText, UINT nFlags, BOOL bPrefixText, int nTextLen, HBRUSH hBrush)
{
    return ::DrawState(m_hDC, hBrush, NULL, (LPARAM)lpszText, (WPARAM)nTextLen, pt.x, pt.y, size.cx, size.cy,
                       nFlags | (bPrefixText ? DST_PREFIXTEXT : DST_TEXT));
}

BOOL CDC::DrawState(CPoint pt, CSize size, LPCTSTR lpszText, UINT nFlags, BOOL bPrefixText, int nTextLen, CBrush* pBrush)
{
    return DrawState(pt, size, lpszText, nFlags, bPrefixText, nTextLen, (HBRUSH)pBrush->GetSafeHandle());
}

BOOL CDC::TextOut(int x, int y, LPCTSTR lpszString, int nCount)
{
    return ::TextOut(m_hDC, x, y, lpszString, nCount);
}

BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCTSTR lpszString, UINT nCount, LPINT lpDxWidths)
{
    return ::ExtTextOut(m_hDC, x, y, nOptions, lpRect, lpszString, nCount, lpDxWidths);
}

int CDC::DrawText(LPCTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat)
{
    return ::DrawText(m_hDC, lpszString, nCount, lpRect, nFormat);
}

CSize CDC::GetTextExtent(LPCTSTR lpszString, int nCount) const
{
    SIZE size = { 0, 0 };
    ::GetTextExtentPoint32(m_hAttribDC, lpszString, nCount, &size);
    return size;
}

CSize CDC::GetOutputTextExtent(LPCTSTR lpszString, int nCount) const
{
    SIZE size = { 0, 0 };
    ::GetTextExtentPoint32(m_hDC, lpszString, nCount, &size);
    return size;
}

CSize CDC::GetTabbedTextExtent(LPCTSTR lpszString, int nCount, int nTabPositions, LPINT lpnTabStopPositions) const
{
    DWORD dw = ::GetTabbedTextExtent(m_hAttribDC, lpszString, nCount, nTabPositions, lpnTabStopPositions);
    return CSize(LOWORD(dw), HIWORD(dw));
}

int CDC::StartDoc(LPCTSTR lpszDocName)
{
    DOCINFO di;
    memset(&di, 0, sizeof(di));
    di.cbSize = sizeof(di);
    di.lpszDocName = lpszDocName;
    return ::StartDoc(m_hDC, &di);
}

// ---------------------------------------------------------------------------

// A failed BeginPaint/GetDC means the window is gone or the system is out of
// resources; constructors report it the library's way.
static HDC CheckDC(HDC hDC)
{
    if (hDC == NULL)
        AfxThrowResourceException();
    return hDC;
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd->m_hWnd)
{
    Attach(CheckDC(::BeginPaint(m_hWnd, &m_ps)));
}

CPaintDC::~CPaintDC()
{
    ::EndPaint(m_hWnd, &m_ps);
    Detach();
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd->GetSafeHwnd())
{
    Attach(CheckDC(::GetDC(m_hWnd)));
}

CClientDC::~CClientDC()
{
    ::ReleaseDC(m_hWnd, Detach());
}

CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(pWnd->GetSafeHwnd())
{
    Attach(CheckDC(::GetWindowDC(m_hWnd)));
}

CWindowDC::~CWindowDC()
{
    ::ReleaseDC(m_hWnd, Detach());
}
