#include "ScreenPicture.h"

#include "WindowBitmap.h"

#include <stdio.h>

CScreenPicture::CScreenPicture(const CRect& rectScreen) : m_rect(rectScreen)
{
    HDC hScreen = ::GetDC(NULL);
    Take(hScreen, m_rect.TopLeft());
    ::ReleaseDC(NULL, hScreen);
}

CScreenPicture::CScreenPicture(HWND hWnd)
{
    ::GetWindowRect(hWnd, &m_rect);
    ::RedrawWindow(hWnd, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    for (int nRound = 0; nRound < 3; nRound++)
    {
        MSG msg;
        while (::PeekMessage(&msg, NULL, WM_PAINT, WM_PAINT, PM_REMOVE))
            ::DispatchMessage(&msg);
        ::Sleep(10);
    }
    // The window's own pixels, with those of its children: what the screen shows of it
    // where no other window covers it.
    HDC hWindow = ::GetWindowDC(hWnd);
    Take(hWindow, CPoint(0, 0));
    ::ReleaseDC(hWnd, hWindow);
}

CScreenPicture::~CScreenPicture()
{
    if (m_hBitmap != NULL)
        ::DeleteObject(m_hBitmap);
}

void CScreenPicture::Take(HDC hSource, CPoint ptSource)
{
    if (m_rect.IsRectEmpty() || hSource == NULL)
        return;
    HDC hMem = ::CreateCompatibleDC(hSource);
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = m_rect.Width();
    bmi.bmiHeader.biHeight = m_rect.Height();
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 24;
    void* pBits = NULL;
    m_hBitmap = ::CreateDIBSection(hSource, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
    if (m_hBitmap != NULL)
    {
        HGDIOBJ hOld = ::SelectObject(hMem, m_hBitmap);
        ::BitBlt(hMem, 0, 0, m_rect.Width(), m_rect.Height(), hSource, ptSource.x, ptSource.y, SRCCOPY);
        ::SelectObject(hMem, hOld);
        ::GdiFlush();
        m_pBits = static_cast<const BYTE*>(pBits);
    }
    ::DeleteDC(hMem);
}

COLORREF CScreenPicture::GetPixel(CPoint ptScreen) const
{
    if (m_pBits == NULL || !m_rect.PtInRect(ptScreen))
        return CLR_INVALID;
    const int nRow = m_rect.bottom - 1 - ptScreen.y;
    const BYTE* p = m_pBits + (size_t)nRow * RowBytes() + (size_t)(ptScreen.x - m_rect.left) * 3;
    return RGB(p[2], p[1], p[0]);
}

COLORREF CScreenPicture::GetClientPixel(HWND hWnd, CPoint ptClient) const
{
    ::ClientToScreen(hWnd, &ptClient);
    return GetPixel(ptClient);
}

int CScreenPicture::CountPixels(const CRect& rectScreen, COLORREF clr) const
{
    int nCount = 0;
    for (int y = rectScreen.top; y < rectScreen.bottom; y++)
        for (int x = rectScreen.left; x < rectScreen.right; x++)
            nCount += GetPixel(CPoint(x, y)) == clr ? 1 : 0;
    return nCount;
}

COLORREF CScreenPicture::GetListBoxLineColour(HWND hList, int nLine) const
{
    CRect rcLine;
    if (::SendMessage(hList, LB_GETITEMRECT, (WPARAM)nLine, (LPARAM)&rcLine) == LB_ERR)
        return CLR_INVALID;
    return GetClientPixel(hList, CPoint(rcLine.right - 3, rcLine.CenterPoint().y));
}

bool CScreenPicture::ShowsListBoxSelection(HWND hList) const
{
    const int nSelected = (int)::SendMessage(hList, LB_GETCURSEL, 0, 0);
    const int nCount = (int)::SendMessage(hList, LB_GETCOUNT, 0, 0);
    if (nSelected < 0 || nCount < 2)
        return false;
    const int nOther = nSelected == 0 ? 1 : 0;
    return GetListBoxLineColour(hList, nSelected) == ::GetSysColor(COLOR_HIGHLIGHT)
           && GetListBoxLineColour(hList, nOther) == ::GetSysColor(COLOR_WINDOW);
}

bool CScreenPicture::Save(LPCTSTR pszPath) const
{
    if (m_pBits == NULL)
        return false;
    BITMAPINFOHEADER bih = {};
    bih.biSize = sizeof(BITMAPINFOHEADER);
    bih.biWidth = m_rect.Width();
    bih.biHeight = m_rect.Height();
    bih.biPlanes = 1;
    bih.biBitCount = 24;
    BITMAPFILEHEADER bfh = {};
    bfh.bfType = 0x4D42;
    bfh.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    bfh.bfSize = bfh.bfOffBits + RowBytes() * (DWORD)m_rect.Height();
    bool bDone = false;
    if (FILE* pFile = fopen(pszPath, "wb"))
    {
        bDone = fwrite(&bfh, sizeof(bfh), 1, pFile) == 1 && fwrite(&bih, sizeof(bih), 1, pFile) == 1
                && fwrite(m_pBits, RowBytes(), (size_t)m_rect.Height(), pFile) == (size_t)m_rect.Height();
        bDone = fclose(pFile) == 0 && bDone;
    }
    return bDone;
}

bool CScreenPicture::SaveIfWanted(LPCTSTR pszName) const
{
    LPCTSTR pszFolder = ScreenshotFolder();
    if (pszFolder == NULL || *pszFolder == 0)
        return true;
    return Save(CString(pszFolder) + "\\" + pszName + ".bmp");
}
