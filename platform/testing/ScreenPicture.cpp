#include "ScreenPicture.h"

#include "WindowBitmap.h"

#include <stdio.h>

namespace
{
// Lets the window's new place in the z-order reach the display and the parts it
// uncovered be painted again.
void LetTheWindowShow()
{
    for (int nRound = 0; nRound < 5; nRound++)
    {
        MSG msg;
        while (::PeekMessage(&msg, NULL, WM_PAINT, WM_PAINT, PM_REMOVE))
            ::DispatchMessage(&msg);
        ::Sleep(20);
    }
}
} // namespace

CScreenPicture::CScreenPicture(const CRect& rectScreen) : m_rect(rectScreen)
{
    Take();
}

CScreenPicture::CScreenPicture(HWND hWnd)
{
    ::GetWindowRect(hWnd, &m_rect);
    const bool bWasTopmost = (::GetWindowLong(hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    const UINT nFlags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
    if (!bWasTopmost)
        ::SetWindowPos(hWnd, HWND_TOPMOST, 0, 0, 0, 0, nFlags);
    ::RedrawWindow(hWnd, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    LetTheWindowShow();
    Take();
    if (!bWasTopmost)
        ::SetWindowPos(hWnd, HWND_NOTOPMOST, 0, 0, 0, 0, nFlags);
}

CScreenPicture::~CScreenPicture()
{
    if (m_hBitmap != NULL)
        ::DeleteObject(m_hBitmap);
}

void CScreenPicture::Take()
{
    if (m_rect.IsRectEmpty())
        return;
    HDC hScreen = ::GetDC(NULL);
    HDC hMem = ::CreateCompatibleDC(hScreen);
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = m_rect.Width();
    bmi.bmiHeader.biHeight = m_rect.Height();
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 24;
    void* pBits = NULL;
    m_hBitmap = ::CreateDIBSection(hScreen, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
    if (m_hBitmap != NULL)
    {
        HGDIOBJ hOld = ::SelectObject(hMem, m_hBitmap);
        ::BitBlt(hMem, 0, 0, m_rect.Width(), m_rect.Height(), hScreen, m_rect.left, m_rect.top, SRCCOPY);
        ::SelectObject(hMem, hOld);
        ::GdiFlush();
        m_pBits = static_cast<const BYTE*>(pBits);
    }
    ::DeleteDC(hMem);
    ::ReleaseDC(NULL, hScreen);
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

int CScreenPicture::CountClientPixels(HWND hWnd, COLORREF clr) const
{
    CRect rcClient;
    ::GetClientRect(hWnd, &rcClient);
    CPoint ptOrigin(0, 0);
    ::ClientToScreen(hWnd, &ptOrigin);
    int nCount = 0;
    for (int y = 0; y < rcClient.bottom; y++)
        for (int x = 0; x < rcClient.right; x++)
            nCount += GetPixel(ptOrigin + CPoint(x, y)) == clr ? 1 : 0;
    return nCount;
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
