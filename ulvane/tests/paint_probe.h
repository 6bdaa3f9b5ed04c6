// Pixel probes of the painting tests: a 32-bit DIB selected into a memory DC, so
// every colour painted is read back exactly whatever the screen's depth.
#pragma once

#include <afxwin.h>

#include <vector>

// The colour of a 32-bit DIB pixel (blue in the low byte).
inline COLORREF ColorOfPixel(DWORD dw)
{
    return RGB((dw >> 16) & 0xFF, (dw >> 8) & 0xFF, dw & 0xFF);
}

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
        return ColorOfPixel(m_pBits[(size_t)y * m_cx + x]);
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
    // Whether the process can still make GDI objects and paint with them: a new brush
    // of the colour fills the top left corner; the colour read back there, or
    // CLR_INVALID when no brush could be made.
    COLORREF PaintWithNewBrush(COLORREF clr)
    {
        HBRUSH hBrush = ::CreateSolidBrush(clr);
        if (hBrush == NULL)
            return CLR_INVALID;
        CRect rc(0, 0, 4, 4);
        ::FillRect(m_dc.m_hDC, &rc, hBrush);
        ::DeleteObject(hBrush);
        return At(1, 1);
    }

private:
    CDC m_dc;
    HBITMAP m_hBitmap;
    HGDIOBJ m_hOld;
    DWORD* m_pBits = NULL;
    int m_cx, m_cy;
};

// The pixels of one painting into a fresh probe, row by row, for comparing paintings.
template<class F>
std::vector<COLORREF> Painted(int cx, int cy, F paint)
{
    CProbeDC probe(cx, cy);
    paint(probe.dc());
    std::vector<COLORREF> pixels;
    for (int y = 0; y < cy; y++)
        for (int x = 0; x < cx; x++)
            pixels.push_back(probe.At(x, y));
    return pixels;
}
