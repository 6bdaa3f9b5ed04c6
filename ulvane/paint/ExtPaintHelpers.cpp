// The painting layer's free helpers.
#include "ExtPaintHelpers.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

namespace
{
int g_nScreenColorDepthOverride = 0;

// Bitmap limits a loaded stream must keep: beyond them the data is refused.
const LONG nMaxBitmapSide = 32767;
const ULONGLONG nMaxBitmapPixels = 16u * 1024u * 1024u;
const WORD nBmpFileType = 19778; // "BM"
const UINT nBmpFileHeaderSize = 14;

// A memory DC compatible with the screen, deleted with this object.
struct ScreenMemoryDC
{
    ScreenMemoryDC() : hDC(::CreateCompatibleDC(NULL)) {}
    ~ScreenMemoryDC()
    {
        if (hDC != NULL)
            ::DeleteDC(hDC);
    }
    HDC hDC;
};

UINT BitmapStride(LONG nWidth, UINT nBitCount)
{
    return (UINT)((((ULONGLONG)nWidth * nBitCount + 31) / 32) * 4);
}

// DIB pixels are 0x00RRGGBB, COLORREF is 0x00BBGGRR.
COLORREF DibPixelToColor(DWORD dw)
{
    return RGB((dw >> 16) & 0xFF, (dw >> 8) & 0xFF, dw & 0xFF);
}

DWORD ColorToDibPixel(COLORREF clr)
{
    return ((DWORD)GetRValue(clr) << 16) | ((DWORD)GetGValue(clr) << 8) | GetBValue(clr);
}

// The DIB bit counts this layer stores and loads.
UINT NormalizedBitCount(UINT nBits)
{
    if (nBits <= 1)
        return 1;
    if (nBits <= 4)
        return 4;
    if (nBits <= 8)
        return 8;
    if (nBits <= 16)
        return 16;
    if (nBits <= 24)
        return 24;
    return 32;
}

// Reads up to nWanted bytes, growing the buffer only by what has arrived.
bool ReadExactly(CArchive& ar, std::vector<BYTE>& data, ULONGLONG nWanted)
{
    const UINT nChunk = 64 * 1024;
    data.clear();
    while (data.size() < nWanted)
    {
        const UINT nNext = (UINT)std::min<ULONGLONG>(nChunk, nWanted - data.size());
        const size_t nAt = data.size();
        data.resize(nAt + nNext);
        const UINT nRead = ar.Read(&data[nAt], nNext);
        data.resize(nAt + nRead);
        if (nRead < nNext)
            return false;
    }
    return true;
}

template<class T>
T ReadField(const BYTE* p)
{
    T v;
    memcpy(&v, p, sizeof(v));
    return v;
}

// Where the parts of a packed DIB lie, once every field has been checked against the
// bytes that are there.
struct PackedDibLayout
{
    BITMAPINFOHEADER header;
    UINT nMaskBytes;
    UINT nColors;
    size_t nColorTableAt;
    size_t nBitsAt;
    size_t nBitsSize;
};

bool ReadPackedDibLayout(const std::vector<BYTE>& data, DWORD dwFileOffBits, PackedDibLayout& layout)
{
    const ULONGLONG nSize = data.size();
    if (nSize < sizeof(BITMAPINFOHEADER))
        return false;
    const DWORD biSize = ReadField<DWORD>(&data[0]);
    if (biSize < sizeof(BITMAPINFOHEADER) || biSize > nSize)
        return false;
    memcpy(&layout.header, &data[0], sizeof(BITMAPINFOHEADER));
    const BITMAPINFOHEADER& bih = layout.header;
    const LONG nWidth = bih.biWidth;
    // A negative height is a top-down bitmap.
    const LONGLONG llHeight = bih.biHeight < 0 ? -(LONGLONG)bih.biHeight : (LONGLONG)bih.biHeight;
    if (nWidth < 1 || nWidth > nMaxBitmapSide || llHeight < 1 || llHeight > nMaxBitmapSide)
        return false;
    const LONG nHeight = (LONG)llHeight;
    if ((ULONGLONG)nWidth * (ULONGLONG)nHeight > nMaxBitmapPixels)
        return false;
    const UINT nBits = bih.biBitCount;
    if (nBits != 1 && nBits != 4 && nBits != 8 && nBits != 16 && nBits != 24 && nBits != 32)
        return false;
    if (bih.biCompression != BI_RGB && !(bih.biCompression == BI_BITFIELDS && (nBits == 16 || nBits == 32)))
        return false;
    if (nBits <= 8 && bih.biClrUsed > (1u << nBits))
        return false;
    if (nBits > 8 && bih.biClrUsed > 256)
        return false;
    layout.nColors = bih.biClrUsed != 0 ? bih.biClrUsed : (nBits <= 8 ? 1u << nBits : 0);
    // The three masks follow a plain header; a longer header holds them itself.
    layout.nMaskBytes = bih.biCompression == BI_BITFIELDS ? 12 : 0;
    const ULONGLONG nMasksEnd = std::max<ULONGLONG>(biSize, sizeof(BITMAPINFOHEADER) + layout.nMaskBytes);
    layout.nColorTableAt = (size_t)nMasksEnd;
    const ULONGLONG nTableEnd = nMasksEnd + 4ull * layout.nColors;
    if (nTableEnd > nSize)
        return false;
    ULONGLONG nBitsAt = nTableEnd;
    if (dwFileOffBits != 0)
    {
        if (dwFileOffBits < nBmpFileHeaderSize + nTableEnd)
            return false;
        nBitsAt = dwFileOffBits - nBmpFileHeaderSize;
    }
    const ULONGLONG nBitsSize = (ULONGLONG)BitmapStride(nWidth, nBits) * (ULONGLONG)nHeight;
    if (nBitsAt > nSize || nBitsSize > nSize - nBitsAt)
        return false;
    layout.nBitsAt = (size_t)nBitsAt;
    layout.nBitsSize = (size_t)nBitsSize;
    return true;
}

HBITMAP CreateBitmapFromPackedDib(const std::vector<BYTE>& data, const PackedDibLayout& layout)
{
    std::vector<BYTE> info(sizeof(BITMAPINFOHEADER) + layout.nMaskBytes + 4 * layout.nColors);
    BITMAPINFOHEADER bih = layout.header;
    bih.biSize = sizeof(BITMAPINFOHEADER);
    bih.biSizeImage = 0; // never trusted: the pixel size follows from the checked fields
    memcpy(&info[0], &bih, sizeof(bih));
    if (layout.nMaskBytes != 0)
        memcpy(&info[sizeof(bih)], &data[sizeof(BITMAPINFOHEADER)], layout.nMaskBytes);
    if (layout.nColors != 0)
        memcpy(&info[sizeof(bih) + layout.nMaskBytes], &data[layout.nColorTableAt], 4 * layout.nColors);
    void* pBits = NULL;
    HBITMAP hBitmap = ::CreateDIBSection(NULL, (BITMAPINFO*)&info[0], DIB_RGB_COLORS, &pBits, NULL, 0);
    if (hBitmap == NULL || pBits == NULL)
    {
        if (hBitmap != NULL)
            ::DeleteObject(hBitmap);
        return NULL;
    }
    ::GdiFlush();
    memcpy(pBits, &data[layout.nBitsAt], layout.nBitsSize);
    return hBitmap;
}

bool LoadBitmapStream(CArchive& ar, HBITMAP* phBitmap, DWORD dwKnownSize)
{
    ULONGLONG nDibSize = dwKnownSize;
    DWORD dwOffBits = 0;
    if (dwKnownSize == 0)
    {
        BYTE fileHeader[nBmpFileHeaderSize];
        if (ar.Read(fileHeader, sizeof(fileHeader)) != sizeof(fileHeader))
            return false;
        const DWORD bfSize = ReadField<DWORD>(fileHeader + 2);
        if (ReadField<WORD>(fileHeader) != nBmpFileType || bfSize <= nBmpFileHeaderSize)
            return false;
        nDibSize = bfSize - nBmpFileHeaderSize;
        dwOffBits = ReadField<DWORD>(fileHeader + 10);
    }
    std::vector<BYTE> data;
    if (!ReadExactly(ar, data, nDibSize))
        return false;
    PackedDibLayout layout;
    if (!ReadPackedDibLayout(data, dwOffBits, layout))
        return false;
    *phBitmap = CreateBitmapFromPackedDib(data, layout);
    return *phBitmap != NULL;
}

bool StoreBitmapStream(CArchive& ar, HBITMAP hBitmap)
{
    HGLOBAL hPacked = BitmapToPackedDib(hBitmap, NULL);
    if (hPacked == NULL)
        return false;
    const BITMAPINFOHEADER* pHeader = (const BITMAPINFOHEADER*)::GlobalLock(hPacked);
    const DWORD dwPackedSize = (DWORD)::GlobalSize(hPacked);
    const UINT nColors = pHeader->biBitCount <= 8 ? 1u << pHeader->biBitCount : 0;
    ar << nBmpFileType;
    ar << (DWORD)(dwPackedSize + nBmpFileHeaderSize);
    ar << (WORD)0 << (WORD)0;
    ar << (DWORD)(pHeader->biSize + 4 * nColors + nBmpFileHeaderSize);
    ar.Write(pHeader, dwPackedSize);
    ::GlobalUnlock(hPacked);
    ::GlobalFree(hPacked);
    return true;
}

// Each pixel of a bitmap as a 32-bit top-down DIB copy; false when it cannot be read.
bool ReadBitmapPixels(HBITMAP hBitmap, std::vector<DWORD>& pixels, SIZE& size)
{
    BITMAP bm;
    if (hBitmap == NULL || ::GetObject(hBitmap, sizeof(bm), &bm) == 0 || bm.bmWidth <= 0 || bm.bmHeight <= 0)
        return false;
    BITMAPINFO bmi;
    memset(&bmi, 0, sizeof(bmi));
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = bm.bmWidth;
    bmi.bmiHeader.biHeight = -bm.bmHeight;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    pixels.assign((size_t)bm.bmWidth * bm.bmHeight, 0);
    ScreenMemoryDC dc;
    if (dc.hDC == NULL || ::GetDIBits(dc.hDC, hBitmap, 0, bm.bmHeight, &pixels[0], &bmi, DIB_RGB_COLORS) == 0)
        return false;
    size.cx = bm.bmWidth;
    size.cy = bm.bmHeight;
    return true;
}
}

/////////////////////////////////////////////////////////////////////////////
// Screen, messages, clipping and monitors

int GetScreenColorDepth()
{
    if (g_nScreenColorDepthOverride > 0)
        return g_nScreenColorDepthOverride;
    HDC hDC = ::GetDC(NULL);
    if (hDC == NULL)
        return 32;
    const int nBits = ::GetDeviceCaps(hDC, BITSPIXEL) * ::GetDeviceCaps(hDC, PLANES);
    ::ReleaseDC(NULL, hDC);
    return nBits;
}

void SetScreenColorDepthOverride(int nBitsPerPixel)
{
    g_nScreenColorDepthOverride = nBitsPerPixel > 0 ? nBitsPerPixel : 0;
}

void PumpPendingPaintMessages(bool bNcPaint, bool bEraseBkgnd, bool bPaint)
{
    const UINT arrKinds[3] = {WM_NCPAINT, WM_ERASEBKGND, WM_PAINT};
    const bool arrWanted[3] = {bNcPaint, bEraseBkgnd, bPaint};
    // A window that never validates itself would keep WM_PAINT waiting for ever.
    const int nMaxPerKind = 10000;
    for (int nKind = 0; nKind < 3; nKind++)
    {
        if (!arrWanted[nKind])
            continue;
        const UINT nMsg = arrKinds[nKind];
        MSG msg;
        for (int n = 0; n < nMaxPerKind && ::PeekMessage(&msg, NULL, nMsg, nMsg, PM_NOREMOVE); n++)
        {
            // A filtered peek still reports a pending WM_QUIT; it must stay for the
            // message loop, with its exit code.
            if (msg.message == WM_QUIT)
                return;
            const BOOL bGot = ::GetMessage(&msg, NULL, nMsg, nMsg);
            if (bGot == 0 || bGot == -1 || msg.message == WM_QUIT)
            {
                if (bGot == 0 || msg.message == WM_QUIT)
                    ::PostQuitMessage((int)msg.wParam);
                return;
            }
            ::DispatchMessage(&msg);
        }
    }
}

void GetNonClientRects(HWND hWnd, CRect& rcWindow, CRect& rcClient)
{
    ::GetWindowRect(hWnd, &rcWindow);
    ::GetClientRect(hWnd, &rcClient);
    ::ClientToScreen(hWnd, (LPPOINT)&rcClient);
    ::ClientToScreen(hWnd, ((LPPOINT)&rcClient) + 1);
    rcClient.OffsetRect(-rcWindow.TopLeft());
    rcWindow.OffsetRect(-rcWindow.TopLeft());
}

void ExcludeVisibleChildren(HDC hDC, HWND hWndParent, bool (*pfnKeepInClip)(HWND))
{
    if (hDC == NULL || hWndParent == NULL || !::IsWindow(hWndParent))
        return;
    for (HWND hWnd = ::GetWindow(hWndParent, GW_CHILD); hWnd != NULL; hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
    {
        const LONG_PTR nStyle = ::GetWindowLongPtr(hWnd, GWL_STYLE);
        if ((nStyle & WS_VISIBLE) == 0 || (nStyle & WS_CHILD) == 0)
            continue;
        if (pfnKeepInClip != NULL && pfnKeepInClip(hWnd))
            continue;
        RECT rc;
        ::GetWindowRect(hWnd, &rc);
        ::MapWindowPoints(NULL, hWndParent, (LPPOINT)&rc, 2);
        ::ExcludeClipRect(hDC, rc.left, rc.top, rc.right, rc.bottom);
    }
}

CExtMonitorInfo GetMonitorWorkArea(POINT pt)
{
    RECT rc = {pt.x, pt.y, pt.x + 1, pt.y + 1};
    return CExtMonitorInfo(rc);
}

CExtMonitorInfo GetMonitorWorkArea(const RECT& rc)
{
    return CExtMonitorInfo(rc);
}

void FitRectIntoMonitor(RECT& rc, bool bWorkArea, bool bBothEdges)
{
    const CExtMonitorInfo info(rc);
    const CRect& rcArea = bWorkArea ? info.m_rcWorkArea : info.m_rcMonitor;
    CRect r(rc);
    if (r.right > rcArea.right)
        r.OffsetRect(rcArea.right - r.right, 0);
    if (r.bottom > rcArea.bottom)
        r.OffsetRect(0, rcArea.bottom - r.bottom);
    if (bBothEdges)
    {
        if (r.left < rcArea.left)
            r.OffsetRect(rcArea.left - r.left, 0);
        if (r.top < rcArea.top)
            r.OffsetRect(0, rcArea.top - r.top);
    }
    rc = r;
}

/////////////////////////////////////////////////////////////////////////////
// Bitmaps

HBITMAP CreateDib32(LONG cx, LONG cy, void** ppBits, bool bTopDown, HDC hDC)
{
    BITMAPINFO bmi;
    memset(&bmi, 0, sizeof(bmi));
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = bTopDown ? -cy : cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    bmi.bmiHeader.biSizeImage = (DWORD)cx * (DWORD)cy * 4;
    void* pBits = NULL;
    HBITMAP hBitmap = ::CreateDIBSection(hDC, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
    if (hBitmap == NULL || pBits == NULL)
    {
        if (hBitmap != NULL)
            ::DeleteObject(hBitmap);
        return NULL;
    }
    if (ppBits != NULL)
        *ppBits = pBits;
    return hBitmap;
}

HBITMAP CopyBitmapArea(HBITMAP hSrc, const RECT* pRect, void** ppBits)
{
    BITMAP bm;
    if (ppBits != NULL)
        *ppBits = NULL;
    if (hSrc == NULL || ::GetObject(hSrc, sizeof(bm), &bm) == 0)
        return NULL;
    CRect rc(0, 0, bm.bmWidth, bm.bmHeight);
    if (pRect != NULL)
        rc = *pRect;
    if (rc.IsRectEmpty())
        return NULL;
    ScreenMemoryDC dcSrc, dcDst;
    if (dcSrc.hDC == NULL || dcDst.hDC == NULL)
        return NULL;
    HGDIOBJ hOldSrc = ::SelectObject(dcSrc.hDC, hSrc);
    HBITMAP hCopy = NULL;
    void* pBits = NULL;
    if (ppBits != NULL)
        hCopy = CreateDib32(rc.Width(), rc.Height(), &pBits, false);
    else // the source selected, the copy takes its format
        hCopy = ::CreateCompatibleBitmap(dcSrc.hDC, rc.Width(), rc.Height());
    if (hCopy != NULL)
    {
        HGDIOBJ hOldDst = ::SelectObject(dcDst.hDC, hCopy);
        const BOOL bCopied = ::BitBlt(dcDst.hDC, 0, 0, rc.Width(), rc.Height(), dcSrc.hDC, rc.left, rc.top, SRCCOPY);
        ::SelectObject(dcDst.hDC, hOldDst);
        if (!bCopied)
        {
            ::DeleteObject(hCopy);
            hCopy = NULL;
        }
    }
    ::SelectObject(dcSrc.hDC, hOldSrc);
    if (hCopy != NULL && ppBits != NULL)
        *ppBits = pBits;
    return hCopy;
}

HGLOBAL BitmapToPackedDib(HBITMAP hBitmap, HPALETTE hPalette)
{
    BITMAP bm;
    if (hBitmap == NULL || ::GetObject(hBitmap, sizeof(bm), &bm) == 0 || bm.bmWidth <= 0 || bm.bmHeight <= 0)
        return NULL;
    const UINT nBits = NormalizedBitCount((UINT)bm.bmBitsPixel * bm.bmPlanes);
    const UINT nColors = nBits <= 8 ? 1u << nBits : 0;
    const SIZE_T nBitsSize = (SIZE_T)BitmapStride(bm.bmWidth, nBits) * bm.bmHeight;
    const SIZE_T nHeaderSize = sizeof(BITMAPINFOHEADER) + 4 * nColors;
    HGLOBAL hPacked = ::GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, nHeaderSize + nBitsSize);
    if (hPacked == NULL)
        return NULL;
    BITMAPINFOHEADER* pHeader = (BITMAPINFOHEADER*)hPacked;
    pHeader->biSize = sizeof(BITMAPINFOHEADER);
    pHeader->biWidth = bm.bmWidth;
    pHeader->biHeight = bm.bmHeight;
    pHeader->biPlanes = 1;
    pHeader->biBitCount = (WORD)nBits;
    pHeader->biCompression = BI_RGB;
    pHeader->biSizeImage = (DWORD)nBitsSize;
    pHeader->biClrUsed = nColors;
    HDC hDC = ::GetDC(NULL);
    HPALETTE hOldPalette = ::SelectPalette(hDC, hPalette != NULL ? hPalette : (HPALETTE)::GetStockObject(DEFAULT_PALETTE), FALSE);
    ::RealizePalette(hDC);
    const int nLines = ::GetDIBits(hDC, hBitmap, 0, bm.bmHeight, (BYTE*)hPacked + nHeaderSize, (BITMAPINFO*)pHeader,
                                   DIB_RGB_COLORS);
    ::SelectPalette(hDC, hOldPalette, FALSE);
    ::ReleaseDC(NULL, hDC);
    if (nLines == 0)
    {
        ::GlobalFree(hPacked);
        return NULL;
    }
    // GetDIBits may have rewritten the header's colour count; the table keeps its size.
    pHeader->biClrUsed = nColors;
    return hPacked;
}

bool SerializeBitmap(CArchive& ar, HBITMAP* phBitmap, DWORD dwKnownSize)
{
    if (phBitmap == NULL)
        return false;
    try
    {
        if (ar.IsStoring())
            return StoreBitmapStream(ar, *phBitmap);
        *phBitmap = NULL;
        return LoadBitmapStream(ar, phBitmap, dwKnownSize);
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (...)
    {
    }
    if (ar.IsLoading() && *phBitmap != NULL)
    {
        ::DeleteObject(*phBitmap);
        *phBitmap = NULL;
    }
    return false;
}

HBITMAP LoadBitmapFromResource(HINSTANCE hInst, HRSRC hRsrc)
{
    if (hRsrc == NULL)
        return NULL;
    const DWORD dwSize = ::SizeofResource(hInst, hRsrc);
    HGLOBAL hData = ::LoadResource(hInst, hRsrc);
    BYTE* pData = hData != NULL ? (BYTE*)::LockResource(hData) : NULL;
    if (pData == NULL || dwSize == 0)
        return NULL;
    HBITMAP hBitmap = NULL;
    try
    {
        CMemFile file(pData, dwSize);
        CArchive ar(&file, CArchive::load, 4096);
        if (!SerializeBitmap(ar, &hBitmap, dwSize))
            hBitmap = NULL;
        ar.Close();
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (...)
    {
    }
    return hBitmap;
}

HICON CreateIconFromBitmap(HBITMAP hBitmap, COLORREF clrTransparent, const RECT* pPart, bool bRemapSysColors)
{
    void* pBits = NULL;
    HBITMAP hCopy = CopyBitmapArea(hBitmap, pPart, &pBits);
    if (hCopy == NULL)
        return NULL;
    BITMAP bm;
    ::GetObject(hCopy, sizeof(bm), &bm);
    if (bRemapSysColors)
    {
        const COLORREF arrFrom[3] = {RGB(128, 128, 128), RGB(192, 192, 192), RGB(223, 223, 223)};
        const int arrTo[3] = {COLOR_3DSHADOW, COLOR_3DFACE, COLOR_3DLIGHT};
        DWORD* pPixels = (DWORD*)pBits;
        const size_t nCount = (size_t)bm.bmWidth * bm.bmHeight;
        ::GdiFlush();
        for (size_t i = 0; i < nCount; i++)
        {
            const COLORREF clr = DibPixelToColor(pPixels[i] & 0xFFFFFF);
            if (clr == clrTransparent)
                continue;
            for (int k = 0; k < 3; k++)
            {
                if (clr == arrFrom[k])
                {
                    pPixels[i] = ColorToDibPixel(::GetSysColor(arrTo[k]));
                    break;
                }
            }
        }
    }
    HICON hIcon = NULL;
    HIMAGELIST hImageList = ImageList_Create(bm.bmWidth, bm.bmHeight, ILC_COLOR32 | ILC_MASK, 1, 0);
    if (hImageList != NULL)
    {
        if (ImageList_AddMasked(hImageList, hCopy, clrTransparent) == 0)
            hIcon = ImageList_GetIcon(hImageList, 0, ILD_NORMAL);
        ImageList_Destroy(hImageList);
    }
    ::DeleteObject(hCopy);
    return hIcon;
}

bool CollectBitmapColors(HBITMAP hBitmap, CMap<COLORREF, COLORREF, bool, bool>& setColors)
{
    setColors.RemoveAll();
    std::vector<DWORD> pixels;
    SIZE size;
    if (!ReadBitmapPixels(hBitmap, pixels, size))
        return false;
    for (DWORD dw : pixels)
        setColors.SetAt(DibPixelToColor(dw & 0xFFFFFF), true);
    return true;
}

bool GetBitmapColorTable(HBITMAP hBitmap, CArray<COLORREF, COLORREF>& arrColors)
{
    arrColors.RemoveAll();
    DIBSECTION ds;
    BITMAP bm;
    if (hBitmap == NULL || ::GetObject(hBitmap, sizeof(bm), &bm) == 0)
        return false;
    const UINT nBits = (UINT)bm.bmBitsPixel * bm.bmPlanes;
    if (nBits <= 8 && ::GetObject(hBitmap, sizeof(ds), &ds) == sizeof(ds))
    {
        // A DIB section keeps its own table.
        RGBQUAD table[256];
        ScreenMemoryDC dc;
        HGDIOBJ hOld = ::SelectObject(dc.hDC, hBitmap);
        const UINT nCount = ::GetDIBColorTable(dc.hDC, 0, 256, table);
        ::SelectObject(dc.hDC, hOld);
        for (UINT i = 0; i < nCount; i++)
            arrColors.Add(RGB(table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue));
        return nCount != 0;
    }
    CMap<COLORREF, COLORREF, bool, bool> setColors;
    if (!CollectBitmapColors(hBitmap, setColors))
        return false;
    POSITION pos = setColors.GetStartPosition();
    while (pos != NULL)
    {
        COLORREF clr;
        bool bUnused;
        setColors.GetNextAssoc(pos, clr, bUnused);
        arrColors.Add(clr);
    }
    return true;
}

/////////////////////////////////////////////////////////////////////////////
// Painting

void PaintGradientRect(CDC& dc, const RECT& rc, COLORREF clrFrom, COLORREF clrTo, bool bVertical, UINT nSteps)
{
    if (::IsRectEmpty(&rc))
        return;
    const int nExtent = bVertical ? rc.bottom - rc.top : rc.right - rc.left;
    int nBands = (int)std::min<UINT>(nSteps, (UINT)nExtent);
    // A palette screen dithers thin bands into noise: each band is 4 pixels at least.
    if (nBands > 0 && GetScreenColorDepth() <= 8 && nExtent / nBands < 4)
        nBands = nExtent / 4;
    if (nBands <= 0)
        return;
    int nEdge = bVertical ? rc.bottom : rc.left;
    for (int n = 0; n <= nBands; n++)
    {
        const int r = (GetRValue(clrFrom) * (nBands - n) + GetRValue(clrTo) * n) / nBands;
        const int g = (GetGValue(clrFrom) * (nBands - n) + GetGValue(clrTo) * n) / nBands;
        const int b = (GetBValue(clrFrom) * (nBands - n) + GetBValue(clrTo) * n) / nBands;
        RECT rcBand = rc;
        if (bVertical)
        {
            int nTop = rc.bottom - ::MulDiv(n, nExtent, nBands) - 1;
            if (n == nBands || nTop < rc.top)
                nTop = rc.top;
            rcBand.top = nTop;
            rcBand.bottom = nEdge;
            nEdge = nTop;
        }
        else
        {
            int nRight = rc.left + ::MulDiv(n, nExtent, nBands) + 1;
            if (n == nBands || nRight > rc.right)
                nRight = rc.right;
            rcBand.left = nEdge;
            rcBand.right = nRight;
            nEdge = nRight;
        }
        if (::IsRectEmpty(&rcBand))
            continue;
        HBRUSH hBrush = ::CreateSolidBrush(RGB(r, g, b));
        if (hBrush == NULL)
            continue;
        ::FillRect(dc.m_hDC, &rcBand, hBrush);
        ::DeleteObject(hBrush);
    }
}

HBITMAP CreatePatternBitmap(COLORREF clrA, COLORREF clrB, int mx, int my, int cx, int cy, COLORREF clrC)
{
    if (clrA == (COLORREF)-1)
        clrA = ::GetSysColor(COLOR_3DFACE);
    if (clrB == (COLORREF)-1)
        clrB = ::GetSysColor(COLOR_3DHILIGHT);
    if (clrC == (COLORREF)-1)
        clrC = clrA;
    HDC hScreen = ::GetDC(NULL);
    HBITMAP hBitmap = hScreen != NULL ? ::CreateCompatibleBitmap(hScreen, 16, 16) : NULL;
    if (hScreen != NULL)
        ::ReleaseDC(NULL, hScreen);
    if (hBitmap == NULL)
        return NULL;
    ScreenMemoryDC dc;
    if (dc.hDC == NULL)
    {
        ::DeleteObject(hBitmap);
        return NULL;
    }
    HGDIOBJ hOld = ::SelectObject(dc.hDC, hBitmap);
    for (int y = 0; y < 16; y++)
    {
        for (int x = 0; x < 16; x++)
        {
            COLORREF clr;
            if ((x & cx) != 0 || (y & cy) != 0)
                clr = clrC;
            else if ((y & my) != 0 ? (x & mx) != 0 : (x & mx) == 0)
                clr = clrA;
            else
                clr = clrB;
            ::SetPixel(dc.hDC, x, y, clr);
        }
    }
    ::SelectObject(dc.hDC, hOld);
    return hBitmap;
}

void PaintRoundedFrame(CDC& dc, int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    if (cx <= 2 || cy <= 2)
        return;
    dc.FillSolidRect(x + 1, y, cx - 2, 1, clrTopLeft);
    dc.FillSolidRect(x, y + 1, 1, cy - 2, clrTopLeft);
    dc.FillSolidRect(x + 1, y + cy - 1, cx - 2, 1, clrBottomRight);
    dc.FillSolidRect(x + cx - 1, y + 1, 1, cy - 2, clrBottomRight);
}
