// CExtCommandIcon: the bitmap and icon forms of a command's image, its tinted form,
// painting through per-mode cached images, resizing and archiving.
#include "CExtCommandIcon.h"

#include "CExtPaintManagerHolder.h"
#include "ExtPaintHelpers.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace
{
const double dDefaultLightness = 1.4;
const COLORREF clrNone = (COLORREF)-1;

// Icon record flags in an archive.
const BYTE nRecordIsIcon = 0x01;
const BYTE nRecordHasColor = 0x02;
const BYTE nRecordHasMask = 0x04;

// DIB pixels are 0x00RRGGBB, COLORREF is 0x00BBGGRR.
DWORD ColorToPixel(COLORREF clr)
{
    return ((DWORD)GetRValue(clr) << 16) | ((DWORD)GetGValue(clr) << 8) | GetBValue(clr);
}

CSize BitmapSize(HBITMAP hBitmap)
{
    BITMAP bm;
    if (hBitmap == NULL || ::GetObject(hBitmap, sizeof(bm), &bm) == 0)
        return CSize(0, 0);
    return CSize(bm.bmWidth, bm.bmHeight);
}

int BitmapBitsPerPixel(HBITMAP hBitmap)
{
    BITMAP bm;
    if (hBitmap == NULL || ::GetObject(hBitmap, sizeof(bm), &bm) == 0)
        return 0;
    return bm.bmBitsPixel * bm.bmPlanes;
}

void DeleteBitmap(HBITMAP& hBitmap)
{
    if (hBitmap != NULL)
        ::DeleteObject(hBitmap);
    hBitmap = NULL;
}

void DestroyIconHandle(HICON& hIcon)
{
    if (hIcon != NULL)
        ::DestroyIcon(hIcon);
    hIcon = NULL;
}

// The parts of an icon handle, deleted when it goes.
struct CIconParts : ICONINFO
{
    explicit CIconParts(HICON hIcon)
    {
        memset(static_cast<ICONINFO*>(this), 0, sizeof(ICONINFO));
        m_bValid = hIcon != NULL && ::GetIconInfo(hIcon, this) != FALSE;
    }
    ~CIconParts()
    {
        DeleteBitmap(hbmColor);
        DeleteBitmap(hbmMask);
    }
    bool m_bValid;
};

// A memory DC of the screen with its selection put back when it goes.
struct CMemoryDC
{
    CMemoryDC() : m_hDC(::CreateCompatibleDC(NULL)), m_hOld(NULL) {}
    ~CMemoryDC()
    {
        if (m_hOld != NULL)
            ::SelectObject(m_hDC, m_hOld);
        if (m_hDC != NULL)
            ::DeleteDC(m_hDC);
    }
    void Select(HGDIOBJ hObject)
    {
        HGDIOBJ hPrev = ::SelectObject(m_hDC, hObject);
        if (m_hOld == NULL)
            m_hOld = hPrev;
    }
    HDC m_hDC;
    HGDIOBJ m_hOld;
};

// The one memory DC every cached image is painted from: painting then makes no GDI
// object at all. The UI thread is the only painter in practice; the lock keeps two
// threads from selecting into it at once.
class CCachedImageSource
{
public:
    CCachedImageSource() : m_hDC(NULL) { ::InitializeCriticalSection(&m_cs); }
    ~CCachedImageSource()
    {
        if (m_hDC != NULL)
            ::DeleteDC(m_hDC);
        ::DeleteCriticalSection(&m_cs);
    }
    bool Blit(HDC hDC, POINT pt, CSize size, HBITMAP hImage)
    {
        ::EnterCriticalSection(&m_cs);
        if (m_hDC == NULL)
            m_hDC = ::CreateCompatibleDC(NULL);
        bool bDone = false;
        if (m_hDC != NULL)
        {
            HGDIOBJ hOld = ::SelectObject(m_hDC, hImage);
            bDone = ::BitBlt(hDC, pt.x, pt.y, size.cx, size.cy, m_hDC, 0, 0, SRCAND) &&
                    ::BitBlt(hDC, pt.x, pt.y, size.cx, size.cy, m_hDC, size.cx, 0, SRCPAINT);
            ::SelectObject(m_hDC, hOld);
        }
        ::LeaveCriticalSection(&m_cs);
        return bDone;
    }
    static CCachedImageSource& Get()
    {
        static CCachedImageSource s_source;
        return s_source;
    }

private:
    HDC m_hDC;
    CRITICAL_SECTION m_cs;
};

// The colour depth a paint on the DC has: a palette screen counts even for a DIB.
int PaintColorDepth(HDC hDC)
{
    const int nDevice = ::GetDeviceCaps(hDC, BITSPIXEL) * ::GetDeviceCaps(hDC, PLANES);
    return std::min(nDevice, GetScreenColorDepth());
}

bool IsColorUsed(const CMap<COLORREF, COLORREF, bool, bool>& setColors, COLORREF clr)
{
    bool bUnused;
    return setColors.Lookup(clr, bUnused) != FALSE;
}

// A colour the image does not use: the first free of the usual keys, then (when
// bCountUp) the first free value from 1 up.
COLORREF ChooseFreeColor(const CMap<COLORREF, COLORREF, bool, bool>& setColors, bool bCountUp)
{
    const COLORREF arrCandidates[4] = {RGB(255, 0, 255), RGB(0, 255, 0), RGB(192, 192, 192), 0x000001};
    for (int i = 0; i < (bCountUp ? 3 : 4); i++)
        if (!IsColorUsed(setColors, arrCandidates[i]))
            return arrCandidates[i];
    if (bCountUp)
        for (COLORREF clr = 1; clr < 0xFFFFFE; clr++)
            if (!IsColorUsed(setColors, clr))
                return clr;
    return clrNone;
}

void ArrayToSet(const CArray<COLORREF, COLORREF>& arrColors, CMap<COLORREF, COLORREF, bool, bool>& setColors)
{
    setColors.RemoveAll();
    for (INT_PTR i = 0; i < arrColors.GetSize(); i++)
        setColors.SetAt(arrColors[i], true);
}

// The transparent colour first, then every other colour once.
void ListColors(const CMap<COLORREF, COLORREF, bool, bool>& setColors, COLORREF clrFirst, COLORREF clrLeftOut,
                CArray<COLORREF, COLORREF>& arrColors)
{
    arrColors.RemoveAll();
    arrColors.Add(clrFirst);
    for (POSITION pos = setColors.GetStartPosition(); pos != NULL;)
    {
        COLORREF clr;
        bool bUnused;
        setColors.GetNextAssoc(pos, clr, bUnused);
        if (clr != clrFirst && clr != clrLeftOut)
            arrColors.Add(clr);
    }
}

// The mask bitmap's pixels as 32-bit values, top row first.
bool ReadMaskPixels(HBITMAP hMask, CSize size, std::vector<DWORD>& pixels)
{
    BITMAPINFO bmi;
    memset(&bmi, 0, sizeof(bmi));
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = size.cx;
    bmi.bmiHeader.biHeight = -size.cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    pixels.assign((size_t)size.cx * size.cy, 0);
    CMemoryDC dc;
    return dc.m_hDC != NULL && ::GetDIBits(dc.m_hDC, hMask, 0, size.cy, &pixels[0], &bmi, DIB_RGB_COLORS) != 0;
}

// Whether a DIB section keeps its top row first. The section's header does not say
// (its height reads positive either way), so one row the two orders would place
// differently is read through the system; the answer is kept for the next cell cut
// from the same strip.
bool IsStoredTopDown(HBITMAP hSource, const DIBSECTION& ds)
{
    struct CKnownOrder
    {
        HBITMAP hBitmap;
        const void* pBits;
        bool bTopDown;
    };
    thread_local CKnownOrder t_known = {NULL, NULL, false};
    if (t_known.hBitmap == hSource && t_known.pBits == ds.dsBm.bmBits)
        return t_known.bTopDown;
    const int nHeight = ds.dsBm.bmHeight, nWidth = ds.dsBm.bmWidth;
    const size_t nRowBytes = (size_t)ds.dsBm.bmWidthBytes;
    // The padding at a row's end may hold anything: only the pixels are compared.
    const size_t nPixelBytes = (size_t)nWidth * (ds.dsBm.bmBitsPixel / 8);
    const BYTE* pStored = (const BYTE*)ds.dsBm.bmBits;
    int nRow = 0;
    while (nRow < nHeight / 2 &&
           memcmp(pStored + nRow * nRowBytes, pStored + (size_t)(nHeight - 1 - nRow) * nRowBytes, nPixelBytes) == 0)
        nRow++;
    bool bTopDown = false;
    if (nRow < nHeight / 2)
    {
        // Scan line nRow counted from the bottom is stored row nRow in a bottom-up section.
        BITMAPINFO bmi;
        memset(&bmi, 0, sizeof(bmi));
        bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bmi.bmiHeader.biWidth = nWidth;
        bmi.bmiHeader.biHeight = nHeight;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = ds.dsBm.bmBitsPixel;
        bmi.bmiHeader.biCompression = BI_RGB;
        std::vector<BYTE> row(nRowBytes + 4);
        CMemoryDC dc;
        if (dc.m_hDC != NULL && ::GetDIBits(dc.m_hDC, hSource, (UINT)nRow, 1, row.data(), &bmi, DIB_RGB_COLORS) == 1)
            bTopDown = memcmp(row.data(), pStored + nRow * nRowBytes, nPixelBytes) != 0;
    }
    t_known = {hSource, ds.dsBm.bmBits, bTopDown};
    return bTopDown;
}

// A part of a bitmap as a 32-bit DIB section, read through the bitmap's pixels: much
// cheaper than a copy between two device contexts when a toolbar is cut into cells.
HBITMAP CopyBitmapPart(HBITMAP hSource, const CRect& rcPart)
{
    const CSize sizeSource = BitmapSize(hSource);
    BITMAPINFO bmi;
    memset(&bmi, 0, sizeof(bmi));
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = sizeSource.cx;
    bmi.bmiHeader.biHeight = sizeSource.cy; // bottom-up, as the copy
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    const int cy = rcPart.Height(), cx = rcPart.Width();
    DIBSECTION ds;
    if (::GetObject(hSource, sizeof(ds), &ds) == sizeof(ds) && ds.dsBm.bmBits != NULL &&
        ds.dsBmih.biCompression == BI_RGB && (ds.dsBm.bmBitsPixel == 24 || ds.dsBm.bmBitsPixel == 32))
    {
        // A DIB section of true colours: its rows are read where they are.
        void* pBits = NULL;
        HBITMAP hCopy = CreateDib32(cx, cy, &pBits, false);
        if (hCopy == NULL)
            return NULL;
        ::GdiFlush();
        const bool bTopDown = IsStoredTopDown(hSource, ds);
        const int nBytesPerPixel = ds.dsBm.bmBitsPixel / 8;
        for (int y = 0; y < cy; y++)
        {
            // Row y of the copy, counted from its bottom, is the part's row cy - 1 - y from its top.
            const int nSourceRow = rcPart.top + (cy - 1 - y);
            const int nStored = bTopDown ? nSourceRow : sizeSource.cy - 1 - nSourceRow;
            const BYTE* pRow = (const BYTE*)ds.dsBm.bmBits + (size_t)nStored * ds.dsBm.bmWidthBytes;
            DWORD* pOut = (DWORD*)pBits + (size_t)y * cx;
            for (int x = 0; x < cx; x++)
            {
                const BYTE* p = pRow + (size_t)(rcPart.left + x) * nBytesPerPixel;
                pOut[x] = (DWORD)p[0] | ((DWORD)p[1] << 8) | ((DWORD)p[2] << 16);
            }
        }
        return hCopy;
    }
    std::vector<DWORD> rows((size_t)sizeSource.cx * cy);
    CMemoryDC dc;
    if (dc.m_hDC == NULL ||
        ::GetDIBits(dc.m_hDC, hSource, (UINT)(sizeSource.cy - rcPart.bottom), (UINT)cy, rows.data(), &bmi,
                    DIB_RGB_COLORS) != cy)
        return NULL;
    void* pBits = NULL;
    HBITMAP hCopy = CreateDib32(cx, cy, &pBits, false);
    if (hCopy == NULL)
        return NULL;
    ::GdiFlush();
    for (int y = 0; y < cy; y++)
        memcpy((DWORD*)pBits + (size_t)y * cx, &rows[(size_t)y * sizeSource.cx + rcPart.left], (size_t)cx * 4);
    return hCopy;
}

// A stored bitmap read back; an unreadable one is an archive fault.
HBITMAP LoadArchivedBitmap(CArchive& ar)
{
    HBITMAP hBitmap = NULL;
    if (!SerializeBitmap(ar, &hBitmap))
        AfxThrowArchiveException(CArchiveException::badIndex);
    return hBitmap;
}

void StoreArchivedBitmap(CArchive& ar, HBITMAP hBitmap)
{
    if (!SerializeBitmap(ar, &hBitmap))
        AfxThrowArchiveException(CArchiveException::genericException);
}
}

/////////////////////////////////////////////////////////////////////////////
// Construction and forms

CExtCommandIcon::CExtCommandIcon(HBITMAP hBitmap, COLORREF clrTransparent, const RECT* pPart)
    : m_hBitmap(NULL), m_clrTransparent(clrNone), m_sizeBitmap(0, 0), m_hIcon(NULL), m_sizeIcon(0, 0),
      m_hIconTinted(NULL), m_sizeTinted(0, 0), m_clrTint(clrNone), m_dLightness(dDefaultLightness)
{
    memset(m_arrCache, 0, sizeof(m_arrCache));
    if (hBitmap != NULL)
        AssignFromBitmap(hBitmap, clrTransparent, pPart);
}

CExtCommandIcon::CExtCommandIcon(HICON hIcon, bool bCopy)
    : m_hBitmap(NULL), m_clrTransparent(clrNone), m_sizeBitmap(0, 0), m_hIcon(NULL), m_sizeIcon(0, 0),
      m_hIconTinted(NULL), m_sizeTinted(0, 0), m_clrTint(clrNone), m_dLightness(dDefaultLightness)
{
    memset(m_arrCache, 0, sizeof(m_arrCache));
    AssignFromIcon(hIcon, bCopy);
}

CExtCommandIcon::CExtCommandIcon(const CExtCommandIcon& other)
    : m_hBitmap(NULL), m_clrTransparent(clrNone), m_sizeBitmap(0, 0), m_hIcon(NULL), m_sizeIcon(0, 0),
      m_hIconTinted(NULL), m_sizeTinted(0, 0), m_clrTint(clrNone), m_dLightness(dDefaultLightness)
{
    memset(m_arrCache, 0, sizeof(m_arrCache));
    Assign(other);
}

CExtCommandIcon& CExtCommandIcon::operator=(const CExtCommandIcon& other)
{
    Assign(other);
    return *this;
}

CExtCommandIcon::CExtCommandIcon(CExtCommandIcon&& other) noexcept
    : m_hBitmap(NULL), m_clrTransparent(clrNone), m_sizeBitmap(0, 0), m_hIcon(NULL), m_sizeIcon(0, 0),
      m_hIconTinted(NULL), m_sizeTinted(0, 0), m_clrTint(clrNone), m_dLightness(dDefaultLightness)
{
    memset(m_arrCache, 0, sizeof(m_arrCache));
    SwapWith(other);
}

CExtCommandIcon& CExtCommandIcon::operator=(CExtCommandIcon&& other) noexcept
{
    if (&other != this)
    {
        Empty();
        SwapWith(other);
    }
    return *this;
}

void CExtCommandIcon::SwapWith(CExtCommandIcon& other) noexcept
{
    std::swap(m_hBitmap, other.m_hBitmap);
    std::swap(m_clrTransparent, other.m_clrTransparent);
    std::swap(m_sizeBitmap, other.m_sizeBitmap);
    std::swap(m_hIcon, other.m_hIcon);
    std::swap(m_sizeIcon, other.m_sizeIcon);
    std::swap(m_hIconTinted, other.m_hIconTinted);
    std::swap(m_sizeTinted, other.m_sizeTinted);
    std::swap(m_clrTint, other.m_clrTint);
    std::swap(m_dLightness, other.m_dLightness);
    for (int i = 0; i < nCacheSlots; i++)
        std::swap(m_arrCache[i], other.m_arrCache[i]);
}

CExtCommandIcon::~CExtCommandIcon()
{
    DestroyTintedForm();
    DestroyIconForm();
    DestroyBitmapForm();
    DropPaintCache();
}

bool CExtCommandIcon::IsEmpty() const
{
    return m_hBitmap == NULL && m_hIcon == NULL;
}

void CExtCommandIcon::Empty()
{
    DestroyTintedForm();
    DestroyIconForm();
    DestroyBitmapForm();
    DropPaintCache();
    m_clrTint = clrNone;
    m_dLightness = dDefaultLightness;
}

void CExtCommandIcon::DestroyTintedForm()
{
    DestroyIconHandle(m_hIconTinted);
    m_sizeTinted = CSize(0, 0);
    if (m_arrCache[ePaintTinted].hBitmap != NULL)
        DeleteBitmap(m_arrCache[ePaintTinted].hBitmap);
    m_arrCache[ePaintTinted].bBlendedImage = false;
}

void CExtCommandIcon::DestroyIconForm()
{
    DestroyIconHandle(m_hIcon);
    m_sizeIcon = CSize(0, 0);
    DropPaintCache();
}

void CExtCommandIcon::DestroyBitmapForm()
{
    DeleteBitmap(m_hBitmap);
    m_sizeBitmap = CSize(0, 0);
    m_clrTransparent = clrNone;
}

void CExtCommandIcon::DropPaintCache()
{
    for (int i = 0; i < nCacheSlots; i++)
    {
        DeleteBitmap(m_arrCache[i].hBitmap);
        m_arrCache[i].bBlendedImage = false;
        m_arrCache[i].clrBrush = clrNone;
    }
}

CSize CExtCommandIcon::MeasureIcon(HICON hIcon)
{
    CIconParts parts(hIcon);
    if (!parts.m_bValid)
        return CSize(0, 0);
    // Measured in int: a hot spot above 127 doubles past a byte.
    int cx = (int)std::min<DWORD>(parts.xHotspot, 0x3FFFFFFF) * 2;
    int cy = (int)std::min<DWORD>(parts.yHotspot, 0x3FFFFFFF) * 2;
    if (cx == 0 || cy == 0)
    {
        if (parts.hbmColor != NULL)
            return BitmapSize(parts.hbmColor);
        // A mask-only icon stacks its AND and XOR masks.
        CSize size = BitmapSize(parts.hbmMask);
        return CSize(size.cx, size.cy / 2);
    }
    return CSize(cx, cy);
}

HICON CExtCommandIcon::CopyIconHandle(HICON hIcon)
{
    CIconParts parts(hIcon);
    return parts.m_bValid ? ::CreateIconIndirect(&parts) : NULL;
}

void CExtCommandIcon::Assign(const CExtCommandIcon& other)
{
    if (&other == this)
        return;
    DestroyTintedForm();
    DropPaintCache();
    if (other.m_hBitmap != NULL)
    {
        DestroyIconForm();
        if (other.m_hBitmap != m_hBitmap)
        {
            DestroyBitmapForm();
            m_hBitmap = CopyBitmapArea(other.m_hBitmap);
            m_sizeBitmap = BitmapSize(m_hBitmap);
        }
        m_clrTransparent = m_hBitmap != NULL ? other.m_clrTransparent : clrNone;
    }
    else
    {
        DestroyBitmapForm();
        DestroyIconForm();
        if (other.m_hIcon != NULL)
        {
            m_hIcon = CopyIconHandle(other.m_hIcon);
            m_sizeIcon = m_hIcon != NULL ? other.m_sizeIcon : CSize(0, 0);
        }
    }
    m_clrTint = other.m_clrTint;
    m_dLightness = other.m_dLightness;
}

bool CExtCommandIcon::AssignFromIcon(HICON hIcon, bool bCopy)
{
    if (hIcon != NULL && hIcon == m_hIcon && !bCopy)
        return true;
    DestroyTintedForm();
    DestroyBitmapForm();
    DestroyIconForm();
    if (hIcon == NULL)
        return false;
    m_hIcon = bCopy ? CopyIconHandle(hIcon) : hIcon;
    m_sizeIcon = MeasureIcon(m_hIcon);
    return m_hIcon != NULL;
}

bool CExtCommandIcon::AssignFromBitmap(HBITMAP hBitmap, COLORREF clrTransparent, const RECT* pPart)
{
    DestroyTintedForm();
    DestroyIconForm();
    if (hBitmap != NULL && hBitmap == m_hBitmap && pPart == NULL)
    {
        m_clrTransparent = clrTransparent;
        return true;
    }
    DestroyBitmapForm();
    if (hBitmap == NULL)
        return false;
    if (pPart != NULL)
    {
        // A part outside the bitmap would copy undefined pixels.
        const CSize sizeSource = BitmapSize(hBitmap);
        const CRect rcPart(*pPart);
        if (rcPart.IsRectEmpty() || rcPart.left < 0 || rcPart.top < 0 || rcPart.right > sizeSource.cx ||
            rcPart.bottom > sizeSource.cy)
            return false;
    }
    m_hBitmap = pPart != NULL ? CopyBitmapPart(hBitmap, *pPart) : CopyBitmapArea(hBitmap);
    if (m_hBitmap == NULL)
        return false;
    m_clrTransparent = clrTransparent;
    m_sizeBitmap = BitmapSize(m_hBitmap);
    return true;
}

CSize CExtCommandIcon::GetSize() const
{
    if (m_hBitmap != NULL)
        return m_sizeBitmap;
    if (m_hIcon != NULL)
        return m_sizeIcon;
    return CSize(0, 0);
}

HICON CExtCommandIcon::GetIcon(bool bMakeFromBitmap)
{
    if (m_hIcon == NULL && m_hBitmap != NULL && bMakeFromBitmap)
    {
        m_hIcon = CreateIconFromBitmap(m_hBitmap, m_clrTransparent);
        m_sizeIcon = m_hIcon != NULL ? m_sizeBitmap : CSize(0, 0);
    }
    return m_hIcon;
}

HICON CExtCommandIcon::DetachAsIcon(bool bMakeFromBitmap)
{
    if (IsEmpty())
        return NULL;
    DestroyTintedForm();
    HICON hIcon = GetIcon(bMakeFromBitmap);
    m_hIcon = NULL;
    Empty();
    return hIcon;
}

HICON CExtCommandIcon::GetTintedIcon()
{
    if (m_clrTint == clrNone)
        return NULL;
    if (m_hIconTinted == NULL)
        BuildTintedIcon();
    return m_hIconTinted;
}

COLORREF CExtCommandIcon::SetTintColor(COLORREF clrTint)
{
    const COLORREF clrOld = m_clrTint;
    if (clrTint != clrOld)
    {
        DestroyTintedForm();
        m_clrTint = clrTint;
    }
    return clrOld;
}

double CExtCommandIcon::SetLightness(double dLightness)
{
    const double dOld = m_dLightness;
    if (dLightness != dOld)
    {
        DestroyTintedForm();
        m_dLightness = dLightness;
    }
    return dOld;
}

/////////////////////////////////////////////////////////////////////////////
// System notifications

void CExtCommandIcon::OnSysColorChange()
{
    CExtPaintManager* pLook = g_PaintManagerHolder.GetPaintManager();
    if (pLook != NULL)
    {
        SetTintColor(pLook->GetIconAlphaColor());
        SetLightness(pLook->GetIconAlphaFactor());
    }
    // The disabled form takes the system colours; a bitmap-based icon also remakes
    // its icon form.
    DropPaintCache();
    if (!IsEmpty() && IsBitmapBased())
        DestroyIconForm();
}

void CExtCommandIcon::OnSettingChange(UINT, LPCTSTR)
{
    OnSysColorChange();
}

void CExtCommandIcon::OnDisplayChange(int, int, int)
{
    OnSysColorChange();
}

void CExtCommandIcon::OnThemeChanged(WPARAM, LPARAM)
{
    OnSysColorChange();
}

/////////////////////////////////////////////////////////////////////////////
// Pixels, colours, tint and size

bool CExtCommandIcon::ExtractBitmap(HBITMAP* phBitmap, COLORREF* pclrTransparent, CArray<COLORREF, COLORREF>* pColors,
                                    DWORD** ppPixels) const
{
    if (phBitmap != NULL)
        *phBitmap = NULL;
    if (ppPixels != NULL)
        *ppPixels = NULL;
    // Pixels live in the bitmap handed out.
    if (IsEmpty() || phBitmap == NULL)
        return false;
    CMap<COLORREF, COLORREF, bool, bool> setColors;
    COLORREF clrOut = clrNone;
    HBITMAP hOut = NULL;
    void* pBits = NULL;
    if (m_hBitmap != NULL)
    {
        CArray<COLORREF, COLORREF> arrTable;
        GetBitmapColorTable(m_hBitmap, arrTable);
        ArrayToSet(arrTable, setColors);
        clrOut = ppPixels != NULL ? ChooseFreeColor(setColors, true) : m_clrTransparent;
        if (clrOut == clrNone)
            return false;
        hOut = CopyBitmapArea(m_hBitmap, NULL, ppPixels != NULL ? &pBits : NULL);
        if (hOut == NULL)
            return false;
        if (pBits != NULL && clrOut != m_clrTransparent)
        {
            ::GdiFlush();
            DWORD* pPixels = (DWORD*)pBits;
            const DWORD dwFrom = ColorToPixel(m_clrTransparent), dwTo = ColorToPixel(clrOut);
            for (size_t i = 0, n = (size_t)m_sizeBitmap.cx * m_sizeBitmap.cy; i < n; i++)
                if ((pPixels[i] & 0xFFFFFF) == dwFrom)
                    pPixels[i] = dwTo;
        }
        if (pColors != NULL)
            ListColors(setColors, clrOut, ppPixels != NULL ? m_clrTransparent : clrNone, *pColors);
    }
    else
    {
        CollectColors(setColors);
        clrOut = ChooseFreeColor(setColors, false);
        const CSize size = m_sizeIcon;
        if (clrOut == clrNone || size.cx <= 0 || size.cy <= 0)
            return false;
        hOut = CreateDib32(size.cx, size.cy, &pBits, false);
        if (hOut == NULL)
            return false;
        ::GdiFlush();
        DWORD* pPixels = (DWORD*)pBits;
        const DWORD dwKey = ColorToPixel(clrOut);
        std::fill(pPixels, pPixels + (size_t)size.cx * size.cy, dwKey);
        {
            CMemoryDC dc;
            dc.Select(hOut);
            ::DrawIconEx(dc.m_hDC, 0, 0, m_hIcon, size.cx, size.cy, 0, NULL, DI_NORMAL);
        }
        ::GdiFlush();
        CIconParts parts(m_hIcon);
        std::vector<DWORD> mask;
        if (parts.hbmColor != NULL && parts.hbmMask != NULL && BitmapSize(parts.hbmMask) == size &&
            ReadMaskPixels(parts.hbmMask, size, mask))
        {
            // The DIB is bottom-up, the mask rows top-down.
            for (int y = 0; y < size.cy; y++)
                for (int x = 0; x < size.cx; x++)
                    if ((mask[(size_t)y * size.cx + x] & 0xFFFFFF) == 0xFFFFFF)
                        pPixels[(size_t)(size.cy - 1 - y) * size.cx + x] = dwKey;
        }
        if (pColors != NULL)
            ListColors(setColors, clrOut, clrNone, *pColors);
    }
    *phBitmap = hOut;
    if (pclrTransparent != NULL)
        *pclrTransparent = clrOut;
    if (ppPixels != NULL)
        *ppPixels = (DWORD*)pBits;
    return true;
}

void CExtCommandIcon::BuildTintedIcon()
{
    DestroyTintedForm();
    if (m_clrTint == clrNone || IsEmpty())
        return;
    HBITMAP hBitmap = NULL;
    COLORREF clrKey = clrNone;
    DWORD* pPixels = NULL;
    if (!ExtractBitmap(&hBitmap, &clrKey, NULL, &pPixels) || pPixels == NULL)
    {
        DeleteBitmap(hBitmap);
        return;
    }
    const CSize size = BitmapSize(hBitmap);
    const DWORD dwKey = ColorToPixel(clrKey);
    const int tR = GetRValue(m_clrTint), tG = GetGValue(m_clrTint), tB = GetBValue(m_clrTint);
    for (size_t i = 0, n = (size_t)size.cx * size.cy; i < n; i++)
    {
        const DWORD px = pPixels[i] & 0xFFFFFF;
        if (px == dwKey)
            continue;
        double e = (0.3 * ((px >> 16) & 0xFF) + 0.5 * ((px >> 8) & 0xFF) + 0.2 * (px & 0xFF)) / 255.0;
        if (m_dLightness > 0)
            e = e + m_dLightness * (1.0 - e);
        else if (m_dLightness < 0)
            e = e * (1.0 + m_dLightness);
        e = std::min(1.0, std::max(0.0, e));
        const int n255 = (int)(e * 255.0);
        const DWORD r = (DWORD)(n255 + 3 * ::MulDiv(tR, n255, 255)) / 4;
        const DWORD g = (DWORD)(n255 + 3 * ::MulDiv(tG, n255, 255)) / 4;
        DWORD b = (DWORD)(n255 + 3 * ::MulDiv(tB, n255, 255)) / 4;
        DWORD dwNew = (r << 16) | (g << 8) | b;
        // A tinted pixel that met the transparent colour would vanish.
        if (dwNew == dwKey)
            dwNew ^= 1;
        pPixels[i] = dwNew;
    }
    m_hIconTinted = CreateIconFromBitmap(hBitmap, clrKey);
    m_sizeTinted = m_hIconTinted != NULL ? size : CSize(0, 0);
    DeleteBitmap(hBitmap);
}

void CExtCommandIcon::CollectColors(CMap<COLORREF, COLORREF, bool, bool>& setColors) const
{
    setColors.RemoveAll();
    if (m_hBitmap != NULL)
    {
        CollectBitmapColors(m_hBitmap, setColors);
        return;
    }
    CIconParts parts(m_hIcon);
    if (parts.m_bValid)
        CollectBitmapColors(parts.hbmColor != NULL ? parts.hbmColor : parts.hbmMask, setColors);
}

int CExtCommandIcon::GetBitsPerPixel() const
{
    if (m_hBitmap != NULL)
        return BitmapBitsPerPixel(m_hBitmap);
    CIconParts parts(m_hIcon);
    if (!parts.m_bValid)
        return 0;
    return parts.hbmColor != NULL ? BitmapBitsPerPixel(parts.hbmColor) : 1;
}

bool CExtCommandIcon::AssignResized(const CExtCommandIcon& srcIn, int cx, int cy)
{
    if (srcIn.IsEmpty() || cx < 1 || cy < 1)
        return false;
    // Resizing an icon into itself works on a copy.
    const CExtCommandIcon* pCopy = &srcIn == this ? new CExtCommandIcon(srcIn) : NULL;
    const CExtCommandIcon& src = pCopy != NULL ? *pCopy : srcIn;
    Empty();
    bool bResult = false;
    if (src.GetSize() == CSize(cx, cy))
    {
        Assign(src);
        bResult = !IsEmpty();
    }
    else
    {
        HBITMAP hSource = NULL;
        COLORREF clrKey = clrNone;
        if (src.ExtractBitmap(&hSource, &clrKey))
        {
            HBITMAP hStretched = CreateDib32(cx, cy, NULL, false);
            if (hStretched != NULL)
            {
                const CSize sizeSource = BitmapSize(hSource);
                {
                    CMemoryDC dcSource, dcTarget;
                    dcSource.Select(hSource);
                    dcTarget.Select(hStretched);
                    // No blending of eliminated pixels: the transparent colour stays exact.
                    ::SetStretchBltMode(dcTarget.m_hDC, COLORONCOLOR);
                    ::StretchBlt(dcTarget.m_hDC, 0, 0, cx, cy, dcSource.m_hDC, 0, 0, sizeSource.cx, sizeSource.cy,
                                 SRCCOPY);
                }
                if (src.IsBitmapBased())
                    AssignFromBitmap(hStretched, src.GetTransparentColor());
                else
                {
                    CExtCommandIcon temp(hStretched, clrKey);
                    AssignFromIcon(temp.DetachAsIcon(), false);
                }
                DeleteBitmap(hStretched);
            }
            DeleteBitmap(hSource);
        }
        bResult = !IsEmpty();
    }
    delete pCopy;
    return bResult;
}

/////////////////////////////////////////////////////////////////////////////
// Painting

bool CExtCommandIcon::Paint(HDC hDC, POINT pt, int nMode, HBRUSH hBrush)
{
    if (hDC == NULL)
        return false;
    if (nMode == ePaintTinted)
    {
        if (PaintColorDepth(hDC) > 8 && GetTintedIcon() != NULL)
            return PaintIcon(hDC, pt, ePaintTinted, m_hIconTinted, m_sizeTinted, DST_ICON, NULL);
        nMode = ePaintMonochrome;
    }
    UINT nFlags = DST_ICON;
    if (nMode == ePaintDisabled)
        nFlags |= DSS_DISABLED;
    else if (nMode == ePaintMonochrome)
        nFlags |= DSS_MONO;
    else if (nMode != ePaintNormal)
        return false;
    HICON hIcon = GetIcon(true);
    if (hIcon == NULL)
        return false;
    return PaintIcon(hDC, pt, nMode, hIcon, GetSize(), nFlags, hBrush);
}

bool CExtCommandIcon::PaintIcon(HDC hDC, POINT pt, int nSlot, HICON hIcon, CSize size, UINT nFlags, HBRUSH hBrush)
{
    CPaintCache& cache = m_arrCache[nSlot];
    bool bCacheable = true;
    COLORREF clrBrush = clrNone;
    if ((nFlags & DSS_MONO) != 0)
    {
        // Only a solid brush's image is known by its colour.
        LOGBRUSH lb;
        bCacheable = hBrush != NULL && ::GetObject(hBrush, sizeof(lb), &lb) == sizeof(lb) && lb.lbStyle == BS_SOLID;
        clrBrush = bCacheable ? lb.lbColor : clrNone;
        if (cache.hBitmap != NULL && cache.clrBrush != clrBrush)
            DeleteBitmap(cache.hBitmap);
    }
    if (bCacheable && cache.hBitmap == NULL && !cache.bBlendedImage)
    {
        PrepareCachedImage(cache, hIcon, size, nFlags, hBrush);
        cache.clrBrush = clrBrush;
    }
    if (bCacheable && cache.hBitmap != NULL && CCachedImageSource::Get().Blit(hDC, pt, size, cache.hBitmap))
        return true;
    return ::DrawState(hDC, hBrush, NULL, (LPARAM)hIcon, 0, pt.x, pt.y, size.cx, size.cy, nFlags) != FALSE;
}

bool CExtCommandIcon::PrepareCachedImage(CPaintCache& cache, HICON hIcon, CSize size, UINT nFlags, HBRUSH hBrush)
{
    DeleteBitmap(cache.hBitmap);
    cache.bBlendedImage = false;
    if (size.cx <= 0 || size.cy <= 0)
        return false;
    // The state drawn over white and over black: a pixel alike in both is the image's,
    // white over black is the background showing through, anything else is blended.
    void* pWhiteBits = NULL;
    void* pBlackBits = NULL;
    HBITMAP hOverWhite = CreateDib32(size.cx, size.cy, &pWhiteBits, true);
    HBITMAP hOverBlack = CreateDib32(size.cx, size.cy, &pBlackBits, true);
    bool bDrawn = false;
    const size_t nPixels = (size_t)size.cx * size.cy;
    if (hOverWhite != NULL && hOverBlack != NULL)
    {
        ::GdiFlush();
        std::fill((DWORD*)pWhiteBits, (DWORD*)pWhiteBits + nPixels, 0xFFFFFFu);
        std::fill((DWORD*)pBlackBits, (DWORD*)pBlackBits + nPixels, 0u);
        CMemoryDC dc;
        dc.Select(hOverWhite);
        bDrawn = ::DrawState(dc.m_hDC, hBrush, NULL, (LPARAM)hIcon, 0, 0, 0, size.cx, size.cy, nFlags) != FALSE;
        ::SelectObject(dc.m_hDC, hOverBlack);
        bDrawn = bDrawn && ::DrawState(dc.m_hDC, hBrush, NULL, (LPARAM)hIcon, 0, 0, 0, size.cx, size.cy, nFlags);
        ::GdiFlush();
    }
    void* pBits = NULL;
    HBITMAP hImage = bDrawn ? CreateDib32(size.cx * 2, size.cy, &pBits, true) : NULL;
    if (hImage != NULL)
    {
        ::GdiFlush();
        const DWORD* pWhite = (const DWORD*)pWhiteBits;
        const DWORD* pBlack = (const DWORD*)pBlackBits;
        DWORD* pOut = (DWORD*)pBits;
        for (int y = 0; y < size.cy && !cache.bBlendedImage; y++)
        {
            DWORD* pMaskRow = pOut + (size_t)y * size.cx * 2;
            DWORD* pColorRow = pMaskRow + size.cx;
            for (int x = 0; x < size.cx; x++)
            {
                const DWORD w = pWhite[(size_t)y * size.cx + x] & 0xFFFFFF;
                const DWORD b = pBlack[(size_t)y * size.cx + x] & 0xFFFFFF;
                if (w == b)
                {
                    pMaskRow[x] = 0;
                    pColorRow[x] = w;
                }
                else if (w == 0xFFFFFF && b == 0)
                {
                    pMaskRow[x] = 0xFFFFFF;
                    pColorRow[x] = 0;
                }
                else
                {
                    cache.bBlendedImage = true;
                    break;
                }
            }
        }
        if (cache.bBlendedImage)
            DeleteBitmap(hImage);
    }
    DeleteBitmap(hOverWhite);
    DeleteBitmap(hOverBlack);
    cache.hBitmap = hImage;
    // A state that cannot be drawn at all is not tried again until the icon changes.
    if (!bDrawn)
        cache.bBlendedImage = true;
    return hImage != NULL;
}

/////////////////////////////////////////////////////////////////////////////
// Archive

void CExtCommandIcon::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
    {
        if (IsEmpty())
        {
            ar << (BYTE)0;
            return;
        }
        if (m_hBitmap != NULL)
        {
            ar << (BYTE)1;
            StoreArchivedBitmap(ar, m_hBitmap);
            ar << (DWORD)m_clrTransparent;
            return;
        }
        CIconParts parts(m_hIcon);
        if (!parts.m_bValid)
            AfxThrowArchiveException(CArchiveException::genericException);
        BYTE nFlags = (BYTE)((parts.fIcon ? nRecordIsIcon : 0) | (parts.hbmColor != NULL ? nRecordHasColor : 0) |
                             (parts.hbmMask != NULL ? nRecordHasMask : 0));
        ar << (BYTE)2 << nFlags << (DWORD)parts.xHotspot << (DWORD)parts.yHotspot;
        if (parts.hbmColor != NULL)
            StoreArchivedBitmap(ar, parts.hbmColor);
        if (parts.hbmMask != NULL)
            StoreArchivedBitmap(ar, parts.hbmMask);
        return;
    }

    Empty();
    BYTE nKind = 0;
    ar >> nKind;
    if (nKind == 0)
        return;
    HBITMAP hColor = NULL, hMask = NULL;
    try
    {
        if (nKind == 1)
        {
            hColor = LoadArchivedBitmap(ar);
            DWORD dwTransparent = 0;
            ar >> dwTransparent;
            m_hBitmap = hColor;
            hColor = NULL;
            m_clrTransparent = (COLORREF)dwTransparent;
            m_sizeBitmap = BitmapSize(m_hBitmap);
            return;
        }
        if (nKind != 2)
            AfxThrowArchiveException(CArchiveException::badIndex);
        BYTE nFlags = 0;
        DWORD dwHotX = 0, dwHotY = 0;
        ar >> nFlags >> dwHotX >> dwHotY;
        if (nFlags & nRecordHasColor)
            hColor = LoadArchivedBitmap(ar);
        if (nFlags & nRecordHasMask)
            hMask = LoadArchivedBitmap(ar);
    }
    catch (...)
    {
        DeleteBitmap(hColor);
        DeleteBitmap(hMask);
        Empty();
        throw;
    }
    ICONINFO ii;
    ii.fIcon = TRUE;
    ii.xHotspot = 0;
    ii.yHotspot = 0;
    ii.hbmColor = hColor;
    ii.hbmMask = hMask;
    // An icon always: its size comes from its bitmaps.
    m_hIcon = hMask != NULL ? ::CreateIconIndirect(&ii) : NULL;
    m_sizeIcon = MeasureIcon(m_hIcon);
    DeleteBitmap(hColor);
    DeleteBitmap(hMask);
}
