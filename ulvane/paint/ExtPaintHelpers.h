// The painting layer's free helpers: screen depth, banded gradients, pattern bitmaps,
// frames without corners, pending paint messages, clipping out children, monitor work
// areas, and bitmap copies, conversions, streams and icons. None keeps state; each
// one that makes GDI objects or memory answers NULL or false when a step fails and
// frees what it had made up to then.
#pragma once

#include <afxwin.h>
#include <afxtempl.h>

#include "CExtMonitorInfo.h"

// Bits per pixel of the screen. Tests may pretend another depth (0 ends that).
int GetScreenColorDepth();
void SetScreenColorDepthOverride(int nBitsPerPixel);

// Dispatches the waiting WM_NCPAINT, WM_ERASEBKGND and WM_PAINT messages (each kind
// asked for, in that order). A WM_QUIT met on the way stops it and stays queued.
void PumpPendingPaintMessages(bool bNcPaint = true, bool bEraseBkgnd = true, bool bPaint = true);

// Takes every visible child window of hWndParent out of the DC's clip region, except
// those for which pfnKeepInClip answers true.
void ExcludeVisibleChildren(HDC hDC, HWND hWndParent, bool (*pfnKeepInClip)(HWND) = NULL);

// The window's rectangle and its client area, both relative to the window's top-left
// corner: what a non-client painter draws in and leaves alone.
void GetNonClientRects(HWND hWnd, CRect& rcWindow, CRect& rcClient);

// The monitor nearest to the point or rectangle.
CExtMonitorInfo GetMonitorWorkArea(POINT pt);
CExtMonitorInfo GetMonitorWorkArea(const RECT& rc);
// Moves rc, keeping its size, back over the nearest monitor (or its work area).
void FitRectIntoMonitor(RECT& rc, bool bWorkArea, bool bBothEdges);

// A 32-bit DIB section (top-down or bottom-up) and its pixels; NULL when it cannot be made.
HBITMAP CreateDib32(LONG cx, LONG cy, void** ppBits, bool bTopDown, HDC hDC = NULL);
// A copy of a part of a bitmap (all of it for NULL): with ppBits a 32-bit bottom-up
// DIB section whose bits are returned, else a bitmap of the source's format.
HBITMAP CopyBitmapArea(HBITMAP hSrc, const RECT* pRect = NULL, void** ppBits = NULL);
// A fixed global block with the header, colour table and bits of the bitmap.
HGLOBAL BitmapToPackedDib(HBITMAP hBitmap, HPALETTE hPalette = NULL);
// Stores a bitmap as a BMP file, or loads one (dwKnownSize: the bytes follow without a
// file header). Loading checks every size and offset against the bytes read before it
// makes anything; bad data gives false and *phBitmap NULL.
bool SerializeBitmap(CArchive& ar, HBITMAP* phBitmap, DWORD dwKnownSize = 0);
HBITMAP LoadBitmapFromResource(HINSTANCE hInst, HRSRC hRsrc);
// An icon from a bitmap (or a part), clrTransparent as its mask colour; bRemapSysColors
// turns the three standard greys into the current shadow, face and light colours.
HICON CreateIconFromBitmap(HBITMAP hBitmap, COLORREF clrTransparent, const RECT* pPart = NULL,
                           bool bRemapSysColors = false);

// The distinct colours of a bitmap's pixels (the set is emptied first), and a
// bitmap's colour table (its pixels' colours above 8 bits per pixel).
bool CollectBitmapColors(HBITMAP hBitmap, CMap<COLORREF, COLORREF, bool, bool>& setColors);
bool GetBitmapColorTable(HBITMAP hBitmap, CArray<COLORREF, COLORREF>& arrColors);

// Bands of solid colour from clrFrom to clrTo: rightward from the left edge, or
// upward from the bottom edge when bVertical.
void PaintGradientRect(CDC& dc, const RECT& rc, COLORREF clrFrom, COLORREF clrTo, bool bVertical,
                       UINT nSteps = 256);
// A 16 by 16 two- or three-colour pattern compatible with the screen; -1 for a is the
// face colour, for b the highlight, for c the colour a.
HBITMAP CreatePatternBitmap(COLORREF clrA, COLORREF clrB, int mx, int my, int cx, int cy,
                            COLORREF clrC = (COLORREF)-1);
// A 1-pixel frame like Draw3dRect without its four corner pixels.
void PaintRoundedFrame(CDC& dc, int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight);

// Saves a DC's state for one painting operation and puts it back afterwards.
class CDCStateKeeper
{
public:
    explicit CDCStateKeeper(CDC& dc) : m_dc(dc), m_nSaved(dc.SaveDC()) {}
    ~CDCStateKeeper() { m_dc.RestoreDC(m_nSaved); }

private:
    CDCStateKeeper(const CDCStateKeeper&) = delete;
    void operator=(const CDCStateKeeper&) = delete;

    CDC& m_dc;
    int m_nSaved;
};
