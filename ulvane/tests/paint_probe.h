// Pixel probes of the painting tests: a 32-bit DIB selected into a memory DC, so
// every colour painted is read back exactly whatever the screen's depth.
#pragma once

#include <afxwin.h>

class CProbeDC
{
public:
    CProbeDC(int cx, int cy, COLORREF clrFill = RGB(1, 2, 3)) : m_cx(cx), m_cy(cy)
    {
        BITMAPINFO bmi;
        memset(&bmi, 0, sizeof(bmi));
        bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bmi.bmiHeader.biWidth = cx;
        bmi.bmiHeader.biHeight = -cy;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        bmi.bmiHeader.biCompression = BI_RGB;
        m_hBitmap = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, (void**)&m_pBits, NULL, 0);
        m_dc.Attach(::CreateCompatibleDC(NULL));
        m_hOld = ::SelectObject(m_dc.m_hDC, m_hBitmap);
        Fill(clrFill);
    }
    ~CProbeDC()
    {
        ::SelectObject(m_dc.m_hDC, m_hOld);
        m_dc.DeleteDC();
        ::DeleteObject(m_hBitmap);
    }
    CDC& dc() { return m_dc; }
    void Fill(COLORREF clr) { m_dc.FillSolidRect(0, 0, m_cx, m_cy, clr); }
    COLORREF At(int x, int y)
    {
        ::GdiFlush();
        const DWORD dw = m_pBits[(size_t)y * m_cx + x];
        return RGB((dw >> 16) & 0xFF, (dw >> 8) & 0xFF, dw & 0xFF);
    }
    // How many pixels of the rectangle have the colour.
    int Count(const RECT& rc, COLORREF clr)
    {
        int n = 0;
        for (int y = rc.top; y < rc.bottom; y++)
            for (int x = rc.left; x < rc.right; x++)
                n += At(x, y) == clr ? 1 : 0;
        return n;
    }
    int Count(COLORREF clr) { return Count(CRect(0, 0, m_cx, m_cy), clr); }

private:
    CDC m_dc;
    HBITMAP m_hBitmap;
    HGDIOBJ m_hOld;
    DWORD* m_pBits = NULL;
    int m_cx, m_cy;
};
