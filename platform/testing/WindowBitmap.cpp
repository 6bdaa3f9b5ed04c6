#include "WindowBitmap.h"

#include <stdio.h>
#include <stdlib.h>

bool SaveScreenBitmap(const CRect& rect, LPCTSTR pszPath)
{
    HDC hScreen = ::GetDC(NULL);
    HDC hMem = ::CreateCompatibleDC(hScreen);
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = rect.Width();
    bmi.bmiHeader.biHeight = rect.Height();
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 24;
    void* pBits = NULL;
    HBITMAP hBitmap = ::CreateDIBSection(hScreen, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
    HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
    ::BitBlt(hMem, 0, 0, rect.Width(), rect.Height(), hScreen, rect.left, rect.top, SRCCOPY);
    ::SelectObject(hMem, hOld);
    ::GdiFlush();
    const DWORD cbRow = ((DWORD)rect.Width() * 3 + 3) & ~3u;
    BITMAPFILEHEADER bfh = {};
    bfh.bfType = 0x4D42;
    bfh.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    bfh.bfSize = bfh.bfOffBits + cbRow * (DWORD)rect.Height();
    bool bDone = false;
    if (FILE* pFile = fopen(pszPath, "wb"))
    {
        bDone = fwrite(&bfh, sizeof(bfh), 1, pFile) == 1 && fwrite(&bmi.bmiHeader, sizeof(BITMAPINFOHEADER), 1, pFile) == 1
                && fwrite(pBits, cbRow, (size_t)rect.Height(), pFile) == (size_t)rect.Height();
        fclose(pFile);
    }
    ::DeleteObject(hBitmap);
    ::DeleteDC(hMem);
    ::ReleaseDC(NULL, hScreen);
    return bDone;
}

bool SaveWindowBitmap(CWnd* pWnd, LPCTSTR pszPath)
{
    CRect rect;
    pWnd->GetWindowRect(&rect);
    return SaveScreenBitmap(rect, pszPath);
}

LPCTSTR ScreenshotFolder()
{
    return getenv("VORN_SCREENSHOT_DIR");
}
