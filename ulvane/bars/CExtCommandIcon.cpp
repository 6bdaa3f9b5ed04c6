// CExtCommandIcon: cutting icons from toolbar bitmaps and painting them.
#include "CExtCommandIcon.h"

#include "ExtPaintHelpers.h"

#include <vector>

CExtCommandIcon::CExtCommandIcon()
    : m_hIcon(NULL), m_size(0, 0)
{
}

CExtCommandIcon::CExtCommandIcon(const CExtCommandIcon& other)
    : m_hIcon(NULL), m_size(0, 0)
{
    *this = other;
}

CExtCommandIcon& CExtCommandIcon::operator=(const CExtCommandIcon& other)
{
    if (this != &other)
    {
        Empty();
        if (other.m_hIcon != NULL)
            AssignFromHICON(other.m_hIcon, true);
    }
    return *this;
}

CExtCommandIcon::~CExtCommandIcon()
{
    Empty();
}

void CExtCommandIcon::Empty()
{
    if (m_hIcon != NULL)
        ::DestroyIcon(m_hIcon);
    m_hIcon = NULL;
    m_size = CSize(0, 0);
}

bool CExtCommandIcon::AssignFromBitmap(HBITMAP hBitmap, const RECT& rcSrc, COLORREF clrTransparent)
{
    Empty();
    BITMAP bm;
    if (hBitmap == NULL || ::GetObject(hBitmap, sizeof(bm), &bm) == 0)
        return false;
    CRect rc(rcSrc);
    if (rc.left < 0 || rc.top < 0 || rc.right > bm.bmWidth || rc.bottom > bm.bmHeight || rc.IsRectEmpty())
        return false;
    const int cx = rc.Width(), cy = rc.Height();

    // The cell's pixels as 32-bit values, top row first.
    HDC hScreen = ::GetDC(NULL);
    HDC hSrc = ::CreateCompatibleDC(hScreen);
    HGDIOBJ hOldSrc = ::SelectObject(hSrc, hBitmap);
    void* pBits = NULL;
    HBITMAP hColor = CreateDib32(cx, cy, &pBits, true, hScreen);
    bool bDone = false;
    if (hColor != NULL && pBits != NULL)
    {
        HDC hDst = ::CreateCompatibleDC(hScreen);
        HGDIOBJ hOldDst = ::SelectObject(hDst, hColor);
        ::BitBlt(hDst, 0, 0, cx, cy, hSrc, rc.left, rc.top, SRCCOPY);
        ::SelectObject(hDst, hOldDst);
        ::DeleteDC(hDst);
        ::GdiFlush();

        // The mask: a 1 bit for every transparent pixel, which also becomes black in
        // the colour image so the icon draws cleanly.
        const int nMaskStride = ((cx + 15) / 16) * 2;
        std::vector<BYTE> mask((size_t)nMaskStride * cy, 0);
        DWORD* pPixels = (DWORD*)pBits;
        const DWORD dwTransparent = RGB(GetBValue(clrTransparent), GetGValue(clrTransparent), GetRValue(clrTransparent));
        for (int y = 0; y < cy; y++)
        {
            for (int x = 0; x < cx; x++)
            {
                DWORD& px = pPixels[y * cx + x];
                if ((px & 0x00FFFFFF) == dwTransparent)
                {
                    mask[(size_t)y * nMaskStride + x / 8] |= (BYTE)(0x80 >> (x % 8));
                    px = 0;
                }
            }
        }
        HBITMAP hMask = ::CreateBitmap(cx, cy, 1, 1, mask.data());
        if (hMask != NULL)
        {
            ICONINFO ii;
            ii.fIcon = TRUE;
            ii.xHotspot = ii.yHotspot = 0;
            ii.hbmMask = hMask;
            ii.hbmColor = hColor;
            m_hIcon = ::CreateIconIndirect(&ii);
            ::DeleteObject(hMask);
            bDone = m_hIcon != NULL;
        }
    }
    if (hColor != NULL)
        ::DeleteObject(hColor);
    ::SelectObject(hSrc, hOldSrc);
    ::DeleteDC(hSrc);
    ::ReleaseDC(NULL, hScreen);
    if (bDone)
        m_size = CSize(cx, cy);
    return bDone;
}

bool CExtCommandIcon::AssignFromHICON(HICON hIcon, bool bCopy)
{
    Empty();
    if (hIcon == NULL)
        return false;
    ICONINFO ii;
    if (!::GetIconInfo(hIcon, &ii))
        return false;
    BITMAP bm;
    memset(&bm, 0, sizeof(bm));
    ::GetObject(ii.hbmColor != NULL ? ii.hbmColor : ii.hbmMask, sizeof(bm), &bm);
    if (ii.hbmColor == NULL)
        bm.bmHeight /= 2;   // a monochrome icon stacks its two masks
    if (ii.hbmColor != NULL)
        ::DeleteObject(ii.hbmColor);
    if (ii.hbmMask != NULL)
        ::DeleteObject(ii.hbmMask);
    m_hIcon = bCopy ? ::CopyIcon(hIcon) : hIcon;
    if (m_hIcon == NULL)
        return false;
    m_size = CSize(bm.bmWidth, bm.bmHeight);
    return true;
}

void CExtCommandIcon::Paint(CDC& dc, int x, int y, EState eState, HBRUSH hBrush) const
{
    if (m_hIcon == NULL)
        return;
    if (eState == eStateMonochrome)
    {
        ::DrawState(dc.m_hDC, hBrush, NULL, (LPARAM)m_hIcon, 0, x, y, m_size.cx, m_size.cy, DST_ICON | DSS_MONO);
        return;
    }
    if (eState == eStateDisabled)
    {
        ::DrawState(dc.m_hDC, NULL, NULL, (LPARAM)m_hIcon, 0, x, y, m_size.cx, m_size.cy, DST_ICON | DSS_DISABLED);
        return;
    }
    ::DrawIconEx(dc.m_hDC, x, y, m_hIcon, m_size.cx, m_size.cy, 0, NULL, DI_NORMAL);
}
