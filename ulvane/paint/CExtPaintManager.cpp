// CExtPaintManager: colour tables, fonts, the colour arithmetic and the classic
// look's painting.
#include "CExtPaintManager.h"

#include "CExtCommandIcon.h"
#include "CExtPaintManagerHolder.h"
#include "ExtBarQueries.h"

#include <algorithm>
#include <cmath>
#include <vector>

IMPLEMENT_DYNCREATE(CExtPaintManager, CObject)

namespace
{
const int nSysColorCount = 50;

double Clamp01(double v)
{
    return v < 0.0 ? 0.0 : (v > 1.0 ? 1.0 : v);
}

double HueToChannel(double m1, double m2, double h)
{
    if (h < 0.0)
        h += 1.0;
    if (h > 1.0)
        h -= 1.0;
    if (6.0 * h < 1.0)
        return m1 + (m2 - m1) * h * 6.0;
    if (2.0 * h < 1.0)
        return m2;
    if (3.0 * h < 2.0)
        return m1 + (m2 - m1) * (2.0 / 3.0 - h) * 6.0;
    return m1;
}

double AdjustComponent(double v, double k)
{
    if (k > 0.0)
        v += k * (1.0 - v);
    else if (k < 0.0)
        v *= 1.0 + k;
    return Clamp01(v);
}

struct FontSearch
{
    LPCTSTR lpszFace;
    bool bFound;
};

int CALLBACK FindFontFamily(const LOGFONT* plf, const TEXTMETRIC*, DWORD, LPARAM lParam)
{
    FontSearch* pSearch = (FontSearch*)lParam;
    if (lstrcmpi(plf->lfFaceName, pSearch->lpszFace) != 0)
        return 1;
    pSearch->bFound = true;
    return 0;
}

// Whether a font family of that name is installed (case-insensitive).
bool IsFontInstalled(LPCTSTR lpszFace)
{
    FontSearch search = {lpszFace, false};
    HDC hDC = ::GetDC(NULL);
    LOGFONT lf;
    memset(&lf, 0, sizeof(lf));
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpyn(lf.lfFaceName, lpszFace, LF_FACESIZE);
    ::EnumFontFamiliesEx(hDC, &lf, FindFontFamily, (LPARAM)&search, 0);
    ::ReleaseDC(NULL, hDC);
    return search.bFound;
}

void RecreateFont(CFont& font, const LOGFONT& lf)
{
    font.DeleteObject();
    font.CreateFontIndirect(&lf);
}

LOGFONT RotatedFont(LOGFONT lf, LONG nEscapement, bool bArial)
{
    lf.lfEscapement = lf.lfOrientation = nEscapement;
    if (bArial)
        lstrcpyn(lf.lfFaceName, "Arial", LF_FACESIZE);
    return lf;
}

LOGFONT SmallFont(LOGFONT lf)
{
    if (lf.lfHeight < -11)
        lf.lfHeight = -11;
    return lf;
}

// a toward b by nNum / nDen, channel by channel.
COLORREF MixColors(COLORREF a, COLORREF b, int nNum, int nDen)
{
    auto Channel = [&](int x, int y) {
        return nDen == 2 ? x + (y - x) / 2 : x + ::MulDiv(y - x, nNum, nDen);
    };
    return RGB(Channel(GetRValue(a), GetRValue(b)), Channel(GetGValue(a), GetGValue(b)),
               Channel(GetBValue(a), GetBValue(b)));
}

// The size NONCLIENTMETRICS had before its last field: what every system accepts.
const UINT nNonClientMetricsSize = 340;
}

CExtPaintManager::CExtPaintManager()
    : m_mapColorTranslate(10), m_nDisabledTextStyle(DSS_DISABLED), m_bPreferTahoma(true), m_bMarlettInstalled(true)
{
    m_mapColorTranslate.InitHashTable(17);
    CreateHalftonePalette();
}

CExtPaintManager::~CExtPaintManager()
{
    // The brush table holds system brushes, which are never deleted; fonts, mixed
    // brushes and the palette go with their wrappers.
    ReleaseCachedDCs();
}

void CExtPaintManager::Serialize(CArchive& /*ar*/)
{
}

void CExtPaintManager::OnPaintSessionComplete(CObject* /*pHelperSrc*/)
{
    ReleaseCachedDCs();
}

void CExtPaintManager::CreateHalftonePalette()
{
    const BYTE arrRed[7] = {0, 42, 85, 127, 170, 212, 255};
    const BYTE arrGreenBlue[6] = {0, 51, 102, 153, 204, 255};
    const int nEntries = 7 * 6 * 6;
    std::vector<BYTE> buffer(sizeof(LOGPALETTE) + nEntries * sizeof(PALETTEENTRY));
    LOGPALETTE* pLogPalette = (LOGPALETTE*)buffer.data();
    pLogPalette->palVersion = 0x300;
    pLogPalette->palNumEntries = nEntries;
    int n = 0;
    for (BYTE r : arrRed)
        for (BYTE g : arrGreenBlue)
            for (BYTE b : arrGreenBlue)
                pLogPalette->palPalEntry[n++] = PALETTEENTRY{r, g, b, 0};
    m_paletteHalftone.Attach(::CreatePalette(pLogPalette));
}

CDC* CExtPaintManager::GetCachedDC(int nIndex, HBITMAP hBitmap)
{
    if (nIndex < 0 || nIndex >= 2)
        return NULL;
    CachedDC& cached = m_arrCachedDCs[nIndex];
    if (cached.dc.m_hDC == NULL)
    {
        if (!cached.dc.Attach(::CreateCompatibleDC(NULL)))
            return NULL;
        cached.hOldBitmap = ::SelectObject(cached.dc.m_hDC, hBitmap);
    }
    else
        ::SelectObject(cached.dc.m_hDC, hBitmap);
    return &cached.dc;
}

void CExtPaintManager::ReleaseCachedDCs()
{
    for (CachedDC& cached : m_arrCachedDCs)
    {
        if (cached.dc.m_hDC == NULL)
            continue;
        ::SelectObject(cached.dc.m_hDC, cached.hOldBitmap);
        cached.dc.DeleteDC();
        cached.hOldBitmap = NULL;
    }
}

CBrush& CExtPaintManager::GetMixedBrush(int nIndex)
{
    if (nIndex < 0 || nIndex >= nMixedBrushCount)
        nIndex = 0;
    return m_arrMixedBrushes[nIndex];
}

/////////////////////////////////////////////////////////////////////////////
// Colours

HBRUSH CExtPaintManager::GetBrush(int nSysColorIndex)
{
    if (nSysColorIndex < 0 || nSysColorIndex >= m_brushes.GetSize())
        nSysColorIndex = COLOR_3DFACE;
    HBRUSH hBrush = nSysColorIndex < m_brushes.GetSize() ? m_brushes[nSysColorIndex] : NULL;
    // Some systems have no brush for the newer indexes.
    return hBrush != NULL ? hBrush : ::GetSysColorBrush(COLOR_3DFACE);
}

COLORREF CExtPaintManager::GetColor(int nColorId)
{
    int nIndex = nColorId;
    if (nColorId > 999)
    {
        int nMapped = COLOR_3DFACE;
        nIndex = m_mapColorTranslate.Lookup(nColorId, nMapped) ? nMapped : COLOR_3DFACE;
    }
    if (nIndex < 0 || nIndex >= m_colors.GetSize())
        nIndex = COLOR_3DFACE;
    // Before the first synchronisation the table is still empty.
    if (nIndex >= m_colors.GetSize())
        return ::GetSysColor(COLOR_3DFACE);
    return m_colors[nIndex];
}

COLORREF CExtPaintManager::GetMenuFrameFillColor()
{
    return GetColor(EXTCLR_BAR_FACE);
}

COLORREF CExtPaintManager::GetShadowAdjustColor()
{
    return (COLORREF)-1;
}

int CExtPaintManager::GetControlBarSpacing(CExtControlBar* pBar)
{
    return IsMenuBar(pBar) ? 0 : 6;
}

bool CExtPaintManager::IsToolbarBackgroundGradient(CExtControlBar* /*pBar*/)
{
    return false;
}

int CExtPaintManager::AppendColor(int nColorId, COLORREF clr)
{
    int nIndex = (int)m_colors.Add(clr);
    MapColor(nColorId, nIndex);
    return nIndex;
}

void CExtPaintManager::MapColor(int nColorId, int nIndex)
{
    m_mapColorTranslate.SetAt(nColorId, nIndex);
}

void CExtPaintManager::InitTranslatedColors()
{
    // Translated colours appended by an earlier scheme go; the system entries stay.
    if (m_colors.GetSize() > nSysColorCount)
        m_colors.SetSize(nSysColorCount);
    m_mapColorTranslate.RemoveAll();
    MapColor(1000, COLOR_3DFACE);
    MapColor(1001, 2000);
    MapColor(1002, COLOR_3DLIGHT);
    MapColor(1003, 2002);
    MapColor(1004, COLOR_3DHILIGHT);
    MapColor(1005, 2004);
    MapColor(1006, COLOR_3DSHADOW);
    MapColor(1007, 2006);
    MapColor(1008, COLOR_3DDKSHADOW);
    MapColor(1009, 2008);
    MapColor(1010, COLOR_BTNTEXT);
    MapColor(1011, COLOR_BTNTEXT);
    MapColor(2010, COLOR_3DSHADOW);
}

CSize CExtPaintManager::GetPushedOffset()
{
    return CSize(1, 1);
}

void CExtPaintManager::SyncSystemResources()
{
    g_PaintManagerHolder.RefreshThemeData();
    CreateFonts();
    // The tables grow to the system's 50 entries and never shrink.
    if (m_colors.GetSize() < nSysColorCount)
        m_colors.SetSize(nSysColorCount);
    if (m_brushes.GetSize() < nSysColorCount)
        m_brushes.SetSize(nSysColorCount);
    for (int i = 0; i < nSysColorCount; i++)
    {
        m_colors[i] = ::GetSysColor(i);
        m_brushes[i] = ::GetSysColorBrush(i);
    }
    CreateMixedBrushes();
}

void CExtPaintManager::CreateMixedBrushes()
{
    const COLORREF clrFace = GetColor(COLOR_3DFACE), clrHilight = GetColor(COLOR_3DHILIGHT);
    const COLORREF clrShadow = GetColor(COLOR_3DSHADOW), clrDkShadow = GetColor(COLOR_3DDKSHADOW);
    const COLORREF clrSysFace = ::GetSysColor(COLOR_3DFACE), clrSysHilight = ::GetSysColor(COLOR_3DHILIGHT);
    const COLORREF clrSysShadow = ::GetSysColor(COLOR_3DSHADOW), clrSysDkShadow = ::GetSysColor(COLOR_3DDKSHADOW);
    // Each group of four: the look's face toward its highlight, the system's likewise,
    // the look's shadow toward its face, the system's likewise.
    const COLORREF arrFrom[4] = {clrFace, clrSysFace, clrShadow, clrSysShadow};
    const COLORREF arrTo[4] = {clrHilight, clrSysHilight, clrFace, clrSysFace};
    const int arrNum[3][4] = {{1, 1, 1, 1}, {3, 3, 2, 2}, {4, 4, 1, 1}};
    const int arrDen[3] = {2, 5, 5};
    const bool bPatterns = GetScreenColorDepth() <= 8;
    for (int nGroup = 0; nGroup < 3; nGroup++)
    {
        for (int k = 0; k < 4; k++)
        {
            CBrush& brush = m_arrMixedBrushes[nGroup * 4 + k];
            brush.DeleteObject();
            COLORREF a = arrFrom[k], b = arrTo[k];
            if (!bPatterns)
            {
                brush.CreateSolidBrush(MixColors(a, b, arrNum[nGroup][k], arrDen[nGroup]));
                continue;
            }
            HBITMAP hPattern = NULL;
            if (nGroup == 0)
                hPattern = CreatePatternBitmap(a, b, 1, 1, 0, 0);
            else if (nGroup == 1)
                hPattern = CreatePatternBitmap(a, b, 1, 1, 2, 0, k < 2 ? b : (COLORREF)-1);
            else if (k < 2)
                hPattern = CreatePatternBitmap(a, b, 1, 1, 2, 2, b);
            else // the darkest pair: dark shadow dotted over the shadow
                hPattern = CreatePatternBitmap(k == 2 ? clrDkShadow : clrSysDkShadow, k == 2 ? clrShadow : clrSysShadow,
                                               1, 1, 0, 0);
            if (hPattern == NULL)
                continue;
            brush.Attach(::CreatePatternBrush(hPattern));
            // The brush keeps its own copy of the pattern.
            ::DeleteObject(hPattern);
        }
    }
}

void CExtPaintManager::CreateFonts()
{
    NONCLIENTMETRICS ncm;
    memset(&ncm, 0, sizeof(ncm));
    ncm.cbSize = nNonClientMetricsSize;
    LOGFONT lf;
    if (::SystemParametersInfo(SPI_GETNONCLIENTMETRICS, nNonClientMetricsSize, &ncm, 0))
    {
        lf = ncm.lfMenuFont;
        const int nCharset = ::GetTextCharset(NULL);
        lf.lfCharSet = nCharset >= 0 ? (BYTE)nCharset : (BYTE)DEFAULT_CHARSET;
        if (m_bPreferTahoma && IsFontInstalled("Tahoma"))
            lstrcpyn(lf.lfFaceName, "Tahoma", LF_FACESIZE);
    }
    else if (::GetObject(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf) == 0)
        ::GetObject(::GetStockObject(SYSTEM_FONT), sizeof(lf), &lf);
    RecreateFont(m_FontNormal, lf);
    if (m_FontNormal.GetSafeHandle() == NULL)
    {
        ::GetObject(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
        RecreateFont(m_FontNormal, lf);
    }

    LOGFONT lfBold = lf;
    lfBold.lfWeight = FW_HEAVY;
    RecreateFont(m_FontBold, lfBold);

    LOGFONT lfMarlett = lf;
    lfMarlett.lfCharSet = SYMBOL_CHARSET;
    lfMarlett.lfWeight = 0;
    lfMarlett.lfHeight = ::GetSystemMetrics(SM_CYMENUCHECK) - 1;
    lstrcpyn(lfMarlett.lfFaceName, "Marlett", LF_FACESIZE);
    RecreateFont(m_FontMarlett, lfMarlett);
    m_bMarlettInstalled = IsFontInstalled("Marlett");

    // Older systems rotate only outline faces well.
    const bool bArial = g_PaintManagerHolder.IsWin9x() || g_PaintManagerHolder.IsNT4();
    RecreateFont(m_FontNormalVert, RotatedFont(lf, 2700, bArial));
    RecreateFont(m_FontNormalVertX, RotatedFont(lf, 900, bArial));
    RecreateFont(m_FontBoldVert, RotatedFont(lfBold, 2700, bArial));
    RecreateFont(m_FontBoldVertX, RotatedFont(lfBold, 900, bArial));

    RecreateFont(m_FontSmall, SmallFont(lf));
    RecreateFont(m_FontSmallVert, SmallFont(RotatedFont(lf, 2700, bArial)));
    RecreateFont(m_FontSmallVertX, SmallFont(RotatedFont(lf, 900, bArial)));
    RecreateFont(m_FontSmallBold, SmallFont(lfBold));
    RecreateFont(m_FontSmallBoldVert, SmallFont(RotatedFont(lfBold, 2700, bArial)));
    RecreateFont(m_FontSmallBoldVertX, SmallFont(RotatedFont(lfBold, 900, bArial)));
}

CSize CExtPaintManager::GetMenuFontHeights(bool bBold)
{
    auto HeightOf = [](HDC hDC, CFont& font) {
        HGDIOBJ hFont = font.GetSafeHandle() != NULL ? (HGDIOBJ)font.GetSafeHandle() : ::GetStockObject(DEFAULT_GUI_FONT);
        HGDIOBJ hOld = ::SelectObject(hDC, hFont);
        TEXTMETRIC tm;
        memset(&tm, 0, sizeof(tm));
        ::GetTextMetrics(hDC, &tm);
        ::SelectObject(hDC, hOld);
        return (int)tm.tmHeight + 2;
    };
    HDC hDC = ::GetDC(NULL);
    if (hDC == NULL)
        return CSize(0, 0);
    CSize size(HeightOf(hDC, bBold ? m_FontBold : m_FontNormal), HeightOf(hDC, m_FontNormal));
    ::ReleaseDC(NULL, hDC);
    return size;
}

CRect CExtPaintManager::GetTextExtent(CDC& dc, HFONT hFont, const CString& strText)
{
    CRect rc(0, 0, 0, 0);
    HGDIOBJ hOld = ::SelectObject(dc.m_hDC, hFont != NULL ? hFont : (HFONT)m_FontNormal.GetSafeHandle());
    ::DrawText(dc.m_hDC, strText, strText.GetLength(), &rc, DT_CALCRECT | DT_SINGLELINE);
    ::SelectObject(dc.m_hDC, hOld);
    rc.OffsetRect(-rc.TopLeft());
    return rc;
}

int CExtPaintManager::GetTextExtentWidth(CDC& dc, HFONT hFont, const CString& strText)
{
    return GetTextExtent(dc, hFont, strText).Width();
}

void CExtPaintManager::RGBtoHLS(COLORREF clr, double& h, double& l, double& s)
{
    const double r = GetRValue(clr) / 255.0, g = GetGValue(clr) / 255.0, b = GetBValue(clr) / 255.0;
    const double dMax = std::max(r, std::max(g, b)), dMin = std::min(r, std::min(g, b));
    l = (dMax + dMin) / 2.0;
    if (dMax == dMin)
    {
        s = h = 0.0;
        return;
    }
    const double d = dMax - dMin;
    s = l < 0.5 ? d / (dMax + dMin) : d / (2.0 - dMax - dMin);
    if (r == dMax)
        h = (g - b) / d;
    else if (g == dMax)
        h = 2.0 + (b - r) / d;
    else
        h = 4.0 + (r - g) / d;
    h /= 6.0;
    if (h < 0.0)
        h += 1.0;
}

COLORREF CExtPaintManager::HLStoRGB(double h, double l, double s)
{
    if (s == 0.0)
    {
        BYTE v = (BYTE)(l * 255.0);
        return RGB(v, v, v);
    }
    const double m2 = l <= 0.5 ? l * (1.0 + s) : l + s - l * s;
    const double m1 = 2.0 * l - m2;
    return RGB((BYTE)(HueToChannel(m1, m2, h + 1.0 / 3.0) * 255.0), (BYTE)(HueToChannel(m1, m2, h) * 255.0),
               (BYTE)(HueToChannel(m1, m2, h - 1.0 / 3.0) * 255.0));
}

COLORREF CExtPaintManager::HLSAdjust(COLORREF clr, double dH, double dL, double dS)
{
    double h, l, s;
    RGBtoHLS(clr, h, l, s);
    return HLStoRGB(AdjustComponent(h, dH), AdjustComponent(l, dL), AdjustComponent(s, dS));
}

/////////////////////////////////////////////////////////////////////////////
// Glyphs

void CExtPaintManager::PaintGlyph(CDC& dc, int x, int y, const CExtPaletteGlyph& glyph, const COLORREF* pColors)
{
    const int* pData = glyph.GetData();
    if (pData == NULL || pColors == NULL || glyph.GetWidth() <= 0 || glyph.GetHeight() <= 0)
        return;
    const CRect rc(x, y, x + glyph.GetWidth(), y + glyph.GetHeight());
    if (!dc.RectVisible(&rc))
        return;
    const int nColors = glyph.GetColorCount();
    for (int row = 0; row < glyph.GetHeight(); row++)
    {
        for (int col = 0; col < glyph.GetWidth(); col++)
        {
            const int nIndex = *pData++;
            if (nIndex > 0 && nIndex < nColors)
                dc.SetPixelV(x + col, y + row, pColors[nIndex]);
        }
    }
}

void CExtPaintManager::PaintGlyphCentered(CDC& dc, const RECT& rcIn, const CExtPaletteGlyph& glyph,
                                          const COLORREF* pColors)
{
    CRect rc(rcIn);
    rc.NormalizeRect();
    if (rc.IsRectEmpty())
        return;
    PaintGlyph(dc, rc.left + (rc.Width() - glyph.GetWidth()) / 2, rc.top + (rc.Height() - glyph.GetHeight()) / 2,
               glyph, pColors);
}

/////////////////////////////////////////////////////////////////////////////
// Drawing helpers

void CExtPaintManager::FillRect(CDC& dc, const RECT& rc, int nColorId)
{
    dc.FillSolidRect(&rc, GetColor(nColorId));
}

void CExtPaintManager::FrameRect(CDC& dc, const RECT& rc, int nColorId)
{
    COLORREF clr = GetColor(nColorId);
    dc.Draw3dRect(&rc, clr, clr);
}

void CExtPaintManager::DrawTextIn(CDC& dc, const CString& strText, RECT rc, COLORREF clr, HFONT hFont, UINT nFormat)
{
    HGDIOBJ hOldFont = ::SelectObject(dc.m_hDC, hFont != NULL ? hFont : (HFONT)m_FontNormal.GetSafeHandle());
    int nOldMode = dc.SetBkMode(TRANSPARENT);
    COLORREF clrOld = dc.SetTextColor(clr);
    ::DrawText(dc.m_hDC, strText, strText.GetLength(), &rc, nFormat);
    dc.SetTextColor(clrOld);
    dc.SetBkMode(nOldMode);
    ::SelectObject(dc.m_hDC, hOldFont);
}

/////////////////////////////////////////////////////////////////////////////
// Painting, classic look

void CExtPaintManager::Draw3dFrame(CDC& dc, const RECT& rc, int nTopLeftId, int nBottomRightId)
{
    dc.Draw3dRect(&rc, GetColor(nTopLeftId), GetColor(nBottomRightId));
}

void CExtPaintManager::PaintGlyphIn(CDC& dc, const RECT& rc, const CExtPaletteGlyph& glyph, COLORREF clr)
{
    const COLORREF arrColors[2] = {0, clr};
    PaintGlyphCentered(dc, rc, glyph, arrColors);
}

const CExtPaletteGlyph* CExtPaintManager::SysCmdGlyph(UINT nHelperSysCmdID)
{
    switch (nHelperSysCmdID & 0xFFF0)
    {
    case SC_CLOSE:
        return CExtPaletteGlyph::GetTableGlyph(1);
    case SC_MINIMIZE:
        return CExtPaletteGlyph::GetTableGlyph(6);
    case SC_RESTORE:
        return CExtPaletteGlyph::GetTableGlyph(7);
    case SC_MAXIMIZE:
        return CExtPaletteGlyph::GetTableGlyph(8);
    case SC_CONTEXTHELP:
        return CExtPaletteGlyph::GetTableGlyph(9);
    default:
        return NULL;
    }
}

void CExtPaintManager::FixControlBarRect(CExtControlBar* pBar, RECT& rc)
{
    CRect r(rc);
    if (IsBarVertical(pBar))
        r.DeflateRect(1, 3);
    else
        r.DeflateRect(3, 1);
    rc = r;
}

void CExtPaintManager::PaintToolbarSeparatorArea(CDC&, CExtControlBar*, int, const RECT&)
{
}

void CExtPaintManager::PaintToolbarExpandButton(CDC& dc, const RECT& rcIn, bool bHorz, bool bBarIsCompletelyVisible,
                                                bool bEnabled, bool bPushed, bool bHover, CObject* pHelperSrc,
                                                LPARAM lParam, bool bTransparentBackground)
{
    CRect rc(rcIn);
    if (rc.IsRectEmpty())
        return;
    CExtPaintPushButtonArgs args(pHelperSrc, rc, "", NULL, true, bHover, bPushed, false, bEnabled, true, false, false);
    args.m_lParam = lParam;
    args.m_bHorz = bHorz;
    args.m_bTransparentBackground = bTransparentBackground;
    args.m_nIconAlignment = 5;
    PaintPushButton(dc, args);
    PaintExpandGlyphs(dc, rc, bHorz, bBarIsCompletelyVisible, bEnabled, bPushed, GetExpandChevronShift());
}

int CExtPaintManager::GetExpandChevronShift()
{
    return 0;
}

void CExtPaintManager::PaintExpandGlyphs(CDC& dc, const CRect& rcIn, bool bHorz, bool bBarIsCompletelyVisible,
                                         bool bEnabled, bool bPushed, int nChevronShift)
{
    const CExtPaletteGlyph& arrow = GetExpandGlyph(bHorz, false);
    const CExtPaletteGlyph& chevron = GetExpandGlyph(bHorz, true);
    CRect rc(rcIn);
    const CSize sizePushed = GetPushedOffset();
    if (bPushed)
        rc.OffsetRect(sizePushed);
    const int n = 3 * std::max(1, (int)(bHorz ? sizePushed.cy : sizePushed.cx));
    CRect rcArrow, rcChevron;
    if (bHorz)
    {
        rcArrow.SetRect(rc.left, rc.bottom - n - arrow.GetHeight(), rc.right, rc.bottom - n);
        rcChevron.SetRect(rc.left + nChevronShift, rc.top + n, rc.right + nChevronShift, rc.top + n + chevron.GetHeight());
    }
    else
    {
        rcArrow.SetRect(rc.left + n, rc.top, rc.left + n + arrow.GetWidth(), rc.bottom);
        rcChevron.SetRect(rc.right - n - chevron.GetWidth(), rc.top + nChevronShift, rc.right - n,
                          rc.bottom + nChevronShift);
    }
    if (!bEnabled)
    {
        PaintDisabledExpandArrow(dc, rcArrow, arrow);
        return;
    }
    PaintGlyphIn(dc, rcArrow, arrow, GetColor(EXTCLR_TEXT));
    if (!bBarIsCompletelyVisible)
        PaintGlyphIn(dc, rcChevron, chevron, GetColor(EXTCLR_TEXT));
}

void CExtPaintManager::PaintDisabledExpandArrow(CDC& dc, const CRect& rcArrow, const CExtPaletteGlyph& arrow)
{
    CRect rcLight(rcArrow);
    rcLight.OffsetRect(1, 1);
    PaintGlyphIn(dc, rcLight, arrow, GetColor(COLOR_3DHILIGHT));
    PaintGlyphIn(dc, rcArrow, arrow, GetColor(COLOR_3DSHADOW));
}

const CExtPaletteGlyph& CExtPaintManager::GetExpandGlyph(bool bHorz, bool bChevron)
{
    // Vertical bars take the arrow that points right, as on push buttons.
    if (bChevron)
        return CExtPaletteGlyph::GetRecord(bHorz ? CExtPaletteGlyph::eRecordChevron
                                                 : CExtPaletteGlyph::eRecordChevronVertical);
    return CExtPaletteGlyph::GetRecord(bHorz ? CExtPaletteGlyph::eRecordDropArrow
                                             : CExtPaletteGlyph::eRecordDropArrowVertical2);
}

void CExtPaintManager::PaintMenuExpandButton(CDC& dc, const RECT& rcIn, bool bPushed, bool bHover,
                                             CObject* pHelperSrc, LPARAM lParam)
{
    CRect rc(rcIn);
    if (rc.IsRectEmpty())
        return;
    if (bPushed)
    {
        dc.FillRect(&rc, &GetMixedBrush(0));
        Draw3dFrame(dc, rc, EXTCLR_HILIGHT_EDGE, EXTCLR_SHADOW_EDGE);
    }
    else
    {
        CExtPaintMenuItemArgs args(pHelperSrc, rc, 0, "", "", NULL, false, bHover, false, false, false, true, false,
                                   false, false, 0);
        args.m_lParam = lParam;
        PaintMenuItem(dc, args);
    }
    PaintGlyphIn(dc, rc, CExtPaletteGlyph::GetRecord(CExtPaletteGlyph::eRecordChevronVertical), GetColor(EXTCLR_TEXT));
}

int CExtPaintManager::GetMenuExpandButtonHeight()
{
    return ::GetSystemMetrics(SM_CYMENUCHECK);
}

void CExtPaintManager::PaintDockingFrameHook(CDC&, const RECT&, CObject*, LPARAM)
{
}

void CExtPaintManager::PaintControlBarHook(CDC&, const RECT&, CObject*, LPARAM)
{
}

void CExtPaintManager::PaintGripperHook(CDC&, const RECT&, CObject*, LPARAM)
{
}

void CExtPaintManager::PaintSunkenBorder(CDC& dc, const RECT& rc, CObject*, LPARAM)
{
    if (::IsRectEmpty(&rc))
        return;
    Draw3dFrame(dc, rc, COLOR_3DSHADOW, COLOR_3DHILIGHT);
}

void CExtPaintManager::PaintSunkenBorderEx(CDC& dc, const RECT& rc, CObject* pHelperSrc, LPARAM lParam)
{
    PaintSunkenBorder(dc, rc, pHelperSrc, lParam);
}

CPoint CExtPaintManager::PlaceButtonIcon(bool bHorz, bool bHasText, CSize sizeIcon, const RECT& rcItem,
                                         RECT& rcCaption, int nIconAlignment)
{
    const CRect rc(rcItem);
    // Along the button: near edge (with text), far edge, or centred; across: centred.
    const int nAlongStart = bHorz ? rc.left : rc.top, nAlongEnd = bHorz ? rc.right : rc.bottom;
    const int nIconAlong = bHorz ? sizeIcon.cx : sizeIcon.cy, nIconAcross = bHorz ? sizeIcon.cy : sizeIcon.cx;
    int nAlong;
    if (bHasText && (nIconAlignment & 2) != 0)
    {
        nAlong = nAlongEnd - 3 - nIconAlong;
        (bHorz ? rcCaption.right : rcCaption.bottom) = nAlong;
    }
    else if (bHasText && (nIconAlignment & 4) == 0)
    {
        nAlong = nAlongStart + 3;
        (bHorz ? rcCaption.left : rcCaption.top) = nAlong + nIconAlong;
    }
    else
        nAlong = nAlongStart + (nAlongEnd - nAlongStart - nIconAlong) / 2;
    const int nAcrossStart = bHorz ? rc.top : rc.left, nAcrossEnd = bHorz ? rc.bottom : rc.right;
    const int nAcross = nAcrossStart + (nAcrossEnd - nAcrossStart - nIconAcross) / 2;
    return bHorz ? CPoint(nAlong, nAcross) : CPoint(nAcross, nAlong);
}

void CExtPaintManager::PaintButtonIcon(CDC* pDC, bool bHorz, const CString& strText, CExtCommandIcon* pIcon,
                                       const RECT& rcItem, RECT& rcCaption, bool bPushed, bool bEnabled, bool,
                                       int nIconAlignment)
{
    if (pDC == NULL || pIcon == NULL || pIcon->IsEmpty())
        return;
    CPoint pt = PlaceButtonIcon(bHorz, !strText.IsEmpty(), pIcon->GetSize(), rcItem, rcCaption, nIconAlignment);
    if (bPushed)
        pt += GetPushedOffset();
    pIcon->Paint(pDC->GetSafeHdc(), pt, bEnabled ? CExtCommandIcon::ePaintNormal : CExtCommandIcon::ePaintDisabled);
}

CRect CExtPaintManager::PrepareNcButtonRect(const CExtPaintNcButtonArgs& args, bool bInflate)
{
    CRect rc(args.m_rcButton);
    if (bInflate)
        rc.InflateRect(1, 1);
    // Odd sizes centre the glyphs exactly.
    if ((rc.Width() & 1) == 0)
        rc.right--;
    if ((rc.Height() & 1) == 0)
        rc.bottom--;
    return rc;
}

void CExtPaintManager::PaintNcAreaButton(CDC& dc, CExtPaintNcButtonArgs& args)
{
    if (args.m_rcButton.IsRectEmpty())
        return;
    CRect rc = PrepareNcButtonRect(args, !args.m_bNoInflate);
    FillRect(dc, rc, COLOR_3DFACE);
    const CExtPaletteGlyph* pGlyph = CExtPaletteGlyph::GetTableGlyph(args.m_nGlyphIndex == 1 ? 21 : args.m_nGlyphIndex);
    if (pGlyph != NULL)
    {
        CRect rcGlyph(rc);
        if (args.m_bPushed)
            rcGlyph.OffsetRect(1, 1);
        PaintGlyphIn(dc, rcGlyph, *pGlyph, args.m_bEnabled ? RGB(0, 0, 0) : GetColor(COLOR_3DSHADOW));
    }
    if (args.m_bEnabled && args.m_bPushed)
        Draw3dFrame(dc, rc, COLOR_3DSHADOW, COLOR_3DHILIGHT);
    else if (args.m_bEnabled && args.m_bHover)
    {
        Draw3dFrame(dc, rc, COLOR_3DFACE, COLOR_3DDKSHADOW);
        rc.DeflateRect(1, 1);
        Draw3dFrame(dc, rc, COLOR_3DHILIGHT, COLOR_3DSHADOW);
    }
    else
        Draw3dFrame(dc, rc, COLOR_3DHILIGHT, COLOR_3DSHADOW);
}

void CExtPaintManager::PaintSysCmdGlyph(CDC& dc, UINT nHelperSysCmdID, const RECT& rcIn, bool bHover, bool bPushed,
                                        bool bEnabled)
{
    const CExtPaletteGlyph* pGlyph = SysCmdGlyph(nHelperSysCmdID);
    CRect rc(rcIn);
    if (pGlyph == NULL || rc.IsRectEmpty())
        return;
    if (bPushed)
        rc.OffsetRect(GetPushedOffset());
    if (bEnabled)
    {
        PaintGlyphIn(dc, rc, *pGlyph, GetColor(bHover ? COLOR_HIGHLIGHTTEXT : EXTCLR_TEXT));
        return;
    }
    CRect rcLight(rc);
    rcLight.OffsetRect(1, 1);
    PaintGlyphIn(dc, rcLight, *pGlyph, GetColor(EXTCLR_HILIGHT_EDGE));
    PaintGlyphIn(dc, rc, *pGlyph, GetColor(EXTCLR_SHADOW_EDGE));
}

void CExtPaintManager::NormalizePushButtonState(CExtPaintPushButtonArgs& args)
{
    if (!args.m_bEnabled)
        args.m_bHover = args.m_bIndeterminate = args.m_bDrawFocusRect = false;
    if (args.m_bSeparatedDropDown && (args.m_bPushed || args.m_bPushedDropDown))
        args.m_bHover = false;
}

CRect CExtPaintManager::SplitDropDownPart(const CExtPaintPushButtonArgs& args, CRect& rcMain)
{
    if (!args.m_bDropDown)
        return CRect(0, 0, 0, 0);
    const CExtPaletteGlyph& arrow = GetPushButtonArrow(args.m_bHorz);
    CRect rcDrop(rcMain);
    if (args.m_bHorz)
        rcMain.right = rcDrop.left = rcDrop.right - (arrow.GetWidth() + 6);
    else
        rcMain.bottom = rcDrop.top = rcDrop.bottom - (arrow.GetHeight() + 6);
    return rcDrop;
}

const CExtPaletteGlyph& CExtPaintManager::GetPushButtonArrow(bool bHorz)
{
    return CExtPaletteGlyph::GetRecord(bHorz ? CExtPaletteGlyph::eRecordDropArrow
                                             : CExtPaletteGlyph::eRecordDropArrowVertical2);
}

void CExtPaintManager::PaintPushButton(CDC& dc, CExtPaintPushButtonArgs& args)
{
    if (args.m_rcClient.IsRectEmpty())
        return;
    NormalizePushButtonState(args);
    CDCStateKeeper state(dc);
    dc.SetBkMode(TRANSPARENT);
    const COLORREF clrBack = GetColor(args.m_bHover || args.m_bPushed ? EXTCLR_SELECTION : EXTCLR_BAR_FACE);
    const bool bShowPushed = (args.m_bPushed && !args.m_bSeparatedDropDown) || args.m_bPushedDropDown;
    const bool bMixedFill = args.m_bEnabled && args.m_bPushed && args.m_bHover;
    CRect rcMain(args.m_rcClient);
    const CRect rcDrop = SplitDropDownPart(args, rcMain);
    CBrush brushBack(clrBack);
    if (args.m_bDropDown)
    {
        if (!args.m_bTransparentBackground)
            dc.FillRect(&rcDrop, bMixedFill ? &GetMixedBrush(0) : &brushBack);
        if (args.m_bSeparatedDropDown)
        {
            if (args.m_bPushedDropDown)
                Draw3dFrame(dc, rcDrop, EXTCLR_SHADOW_EDGE, EXTCLR_HILIGHT_EDGE);
            else if (!args.m_bFlat || (args.m_bHover && args.m_bDrawBorder))
                Draw3dFrame(dc, rcDrop, EXTCLR_HILIGHT_EDGE, EXTCLR_SHADOW_EDGE);
        }
    }
    if (!args.m_bTransparentBackground)
        dc.FillRect(&rcMain, bMixedFill ? &GetMixedBrush(0) : &brushBack);
    // Sunken frames take the classic edge ids: the flat variants (1005, 1007) lie
    // outside this look's table and would leave a pushed button without an edge.
    if (args.m_bPushed)
    {
        if (!args.m_bFlat || args.m_bDrawBorder)
            Draw3dFrame(dc, rcMain, EXTCLR_SHADOW_EDGE, EXTCLR_HILIGHT_EDGE);
    }
    else if (args.m_bFlat)
    {
        if (args.m_bHover && args.m_bDrawBorder)
            Draw3dFrame(dc, rcMain, EXTCLR_HILIGHT_EDGE, EXTCLR_SHADOW_EDGE);
    }
    else if (args.m_bHover)
    {
        Draw3dFrame(dc, rcMain, EXTCLR_SHADOW_EDGE, EXTCLR_DKSHADOW_EDGE);
        CRect rcInner(rcMain);
        rcInner.DeflateRect(1, 1);
        Draw3dFrame(dc, rcInner, EXTCLR_HILIGHT_EDGE, EXTCLR_SHADOW_EDGE);
    }
    else
        Draw3dFrame(dc, rcMain, EXTCLR_HILIGHT_EDGE, EXTCLR_SHADOW_EDGE);

    if (args.m_bDropDown)
    {
        CRect rcArrow(rcDrop);
        if (bShowPushed)
            rcArrow.OffsetRect(GetPushedOffset());
        const int nArrowId = args.m_bEnabled ? (args.m_clrText != (COLORREF)-1 ? (int)args.m_clrText : EXTCLR_TEXT)
                                             : (args.m_clrDisabledText != (COLORREF)-1 ? (int)args.m_clrDisabledText
                                                                                       : EXTCLR_SHADOW_EDGE);
        PaintGlyphIn(dc, rcArrow, GetPushButtonArrow(args.m_bHorz), GetColor(nArrowId));
    }
    CRect rcContent(rcMain);
    rcContent.DeflateRect(3, 3);
    CRect rcCaption(rcContent);
    PaintPushButtonIconOrGlyph(dc, args, rcContent, rcCaption, bShowPushed);
    if (!args.m_strText.IsEmpty() && !rcCaption.IsRectEmpty())
    {
        COLORREF clrText;
        if (!args.m_bEnabled)
            clrText = args.m_clrDisabledText != (COLORREF)-1 ? args.m_clrDisabledText : GetColor(COLOR_3DFACE);
        else if (args.m_bPushed && args.m_clrPushedText != (COLORREF)-1)
            clrText = GetColor((int)args.m_clrPushedText);
        else if (args.m_bHover && args.m_clrHoverText != (COLORREF)-1)
            clrText = GetColor((int)args.m_clrHoverText);
        else if (args.m_bHover || args.m_bPushed)
            clrText = GetColor(COLOR_3DDKSHADOW);
        else
            clrText = GetColor(args.m_clrText != (COLORREF)-1 ? (int)args.m_clrText : COLOR_BTNTEXT);
        if (bShowPushed)
            rcCaption.OffsetRect(GetPushedOffset());
        PaintPushButtonText(dc, args, rcCaption, clrText, args.m_bUseDrawText);
    }
    if (args.m_bDrawFocusRect)
    {
        CRect rcFocus(rcContent);
        dc.DrawFocusRect(&rcFocus);
    }
}

void CExtPaintManager::PaintPushButtonIconOrGlyph(CDC& dc, const CExtPaintPushButtonArgs& args, const CRect& rcContent,
                                                  CRect& rcCaption, bool bShowPushed)
{
    if (args.m_pIcon != NULL && !args.m_pIcon->IsEmpty())
    {
        RECT rc = rcCaption;
        PaintButtonIcon(&dc, args.m_bHorz, args.m_strText, args.m_pIcon, rcContent, rc, bShowPushed, args.m_bEnabled,
                        args.m_bHover, args.m_nIconAlignment);
        rcCaption = rc;
    }
    else
        PaintSysCmdGlyph(dc, args.m_nHelperSysCmdID, rcContent, args.m_bHover, bShowPushed, args.m_bEnabled);
}

HFONT CExtPaintManager::PushButtonFont(const CExtPaintPushButtonArgs& args, CFont& fontRotated)
{
    if (args.m_hFont != NULL)
    {
        if (args.m_bHorz)
            return args.m_hFont;
        LOGFONT lf;
        if (::GetObject(args.m_hFont, sizeof(lf), &lf) == 0 || lf.lfEscapement != 0)
            return args.m_hFont;
        lf.lfEscapement = lf.lfOrientation = 2700;
        fontRotated.CreateFontIndirect(&lf);
        return (HFONT)fontRotated.GetSafeHandle();
    }
    if (args.m_bHorz)
        return (HFONT)(args.m_bDefaultPushButton ? m_FontBold : m_FontNormal).GetSafeHandle();
    return (HFONT)(args.m_bDefaultPushButton ? m_FontBoldVert : m_FontNormalVert).GetSafeHandle();
}

void CExtPaintManager::PaintPushButtonText(CDC& dc, const CExtPaintPushButtonArgs& args, const CRect& rcCaption,
                                           COLORREF clrText, bool bDrawText)
{
    CFont fontRotated;
    HFONT hFont = PushButtonFont(args, fontRotated);
    HGDIOBJ hOldFont = ::SelectObject(dc.m_hDC, hFont);
    dc.SetTextColor(clrText);
    if (args.m_bHorz)
    {
        // Measured, then placed by the centring flags.
        CRect rcMeasure(0, 0, rcCaption.Width(), 0);
        ::DrawText(dc.m_hDC, args.m_strText, args.m_strText.GetLength(), &rcMeasure, DT_CALCRECT | DT_SINGLELINE);
        CRect rcText(rcCaption);
        if (args.m_nDrawTextFlags & DT_CENTER)
            rcText.left += (rcCaption.Width() - rcMeasure.Width()) / 2;
        if (args.m_nDrawTextFlags & DT_VCENTER)
            rcText.top += (rcCaption.Height() - rcMeasure.Height()) / 2;
        if (bDrawText)
        {
            CRect rcDraw(rcCaption);
            ::DrawText(dc.m_hDC, args.m_strText, args.m_strText.GetLength(), &rcDraw, args.m_nDrawTextFlags);
        }
        else
        {
            const UINT nState = DST_PREFIXTEXT | (args.m_bEnabled ? 0 : (UINT)m_nDisabledTextStyle);
            HBRUSH hBrush = args.m_bEnabled || m_nDisabledTextStyle == DSS_DISABLED ? NULL : GetBrush(COLOR_3DSHADOW);
            ::DrawState(dc.m_hDC, hBrush, NULL, (LPARAM)(LPCTSTR)args.m_strText, args.m_strText.GetLength(), rcText.left,
                        rcText.top, rcMeasure.Width(), rcMeasure.Height(), nState);
        }
    }
    else
        PaintVerticalText(dc, args.m_strText, rcCaption, args.m_bEnabled, clrText);
    ::SelectObject(dc.m_hDC, hOldFont);
}

void CExtPaintManager::PaintVerticalText(CDC& dc, const CString& strText, const CRect& rcCaption, bool bEnabled,
                                         COLORREF clrText)
{
    // The rotated font runs downward from the far edge; the mnemonic is underlined by
    // a line of its own.
    CString strPlain;
    int nMnemonic = -1;
    for (int i = 0; i < strText.GetLength(); i++)
    {
        if (strText[i] == '&' && i + 1 < strText.GetLength())
        {
            i++;
            if (strText[i] != '&' && nMnemonic < 0)
                nMnemonic = strPlain.GetLength();
        }
        strPlain += strText[i];
    }
    TEXTMETRIC tm;
    ::GetTextMetrics(dc.m_hDC, &tm);
    const CSize sizeText = dc.GetTextExtent(strPlain);
    const int x = rcCaption.right - (rcCaption.Width() - tm.tmHeight) / 2;
    const int y = rcCaption.top + (rcCaption.Height() - sizeText.cx) / 2;
    auto DrawAt = [&](int dx, int dy, COLORREF clr) {
        dc.SetTextColor(clr);
        ::ExtTextOut(dc.m_hDC, x + dx, y + dy, 0, NULL, strPlain, strPlain.GetLength(), NULL);
        if (nMnemonic >= 0)
        {
            const int nFrom = dc.GetTextExtent(strPlain.Left(nMnemonic)).cx;
            const int nTo = dc.GetTextExtent(strPlain.Left(nMnemonic + 1)).cx;
            dc.FillSolidRect(x + dx - tm.tmHeight + tm.tmDescent / 2, y + dy + nFrom, 1, nTo - nFrom, clr);
        }
    };
    if (!bEnabled)
    {
        DrawAt(1, 1, GetColor(COLOR_3DHILIGHT));
        DrawAt(0, 0, GetColor(COLOR_3DSHADOW));
    }
    else
        DrawAt(0, 0, clrText);
}

CSize CExtPaintManager::GetPushButtonMargins()
{
    return CSize(6, 6);
}

void CExtPaintManager::PaintDropMarker(CDC& dc, const RECT& rcIn, bool bAtStart, bool bHorz)
{
    CRect rc(rcIn);
    if (rc.IsRectEmpty())
        return;
    const COLORREF clr = GetColor(COLOR_BTNTEXT);
    if (bHorz)
    {
        // A vertical beam between buttons of a horizontal bar.
        const int x = bAtStart ? rc.left : rc.right - 2;
        dc.FillSolidRect(x, rc.top, 2, rc.Height(), clr);
        dc.FillSolidRect(x - 2, rc.top, 6, 1, clr);
        dc.FillSolidRect(x - 1, rc.top + 1, 4, 1, clr);
        dc.FillSolidRect(x - 2, rc.bottom - 1, 6, 1, clr);
        dc.FillSolidRect(x - 1, rc.bottom - 2, 4, 1, clr);
    }
    else
    {
        const int y = bAtStart ? rc.top : rc.bottom - 2;
        dc.FillSolidRect(rc.left, y, rc.Width(), 2, clr);
        dc.FillSolidRect(rc.left, y - 2, 1, 6, clr);
        dc.FillSolidRect(rc.left + 1, y - 1, 1, 4, clr);
        dc.FillSolidRect(rc.right - 1, y - 2, 1, 6, clr);
        dc.FillSolidRect(rc.right - 2, y - 1, 1, 4, clr);
    }
}

void CExtPaintManager::PaintDoubleFrame(CDC& dc, const RECT& rcIn)
{
    CRect rc(rcIn);
    if (rc.IsRectEmpty() || !dc.RectVisible(&rc))
        return;
    FrameRect(dc, rc, COLOR_BTNTEXT);
    rc.DeflateRect(1, 1);
    FrameRect(dc, rc, COLOR_BTNTEXT);
}

void CExtPaintManager::PaintMenuItem(CDC& dc, CExtPaintMenuItemArgs& args)
{
    const CRect rcItem(args.m_rcItem);
    if (rcItem.IsRectEmpty())
        return;
    CDCStateKeeper state(dc);
    const COLORREF clrBack = GetColor(args.m_bSelected ? COLOR_HIGHLIGHT : EXTCLR_BAR_FACE);
    const COLORREF clrText = GetColor(args.m_bSelected ? COLOR_HIGHLIGHTTEXT : EXTCLR_TEXT);
    FillRect(dc, rcItem, EXTCLR_BAR_FACE);
    if (args.m_bRarelyUsed)
    {
        CRect rcBand(rcItem.left - 3, rcItem.top, rcItem.right + 4, rcItem.bottom);
        dc.FillRect(&rcBand, &GetMixedBrush(0));
        // A run of rarely used items forms one band: dark above, light below.
        if (!args.m_bRarelyUsedPrev)
            dc.FillSolidRect(rcBand.left, rcBand.top, rcBand.Width(), 1, GetColor(COLOR_3DSHADOW));
        if (!args.m_bRarelyUsedNext)
            dc.FillSolidRect(rcBand.left, rcBand.bottom - 1, rcBand.Width(), 1, GetColor(COLOR_3DHILIGHT));
    }
    const bool bHasIcon = args.m_pIcon != NULL && !args.m_pIcon->IsEmpty();
    const bool bMarked = args.m_bChecked || args.m_bRadio;
    CRect rcTextPart(rcItem);
    if (bHasIcon || bMarked)
        rcTextPart.left += args.m_nIconAreaWidth;
    if (args.m_bSelected || !args.m_bRarelyUsed)
        dc.FillSolidRect(&rcTextPart, clrBack);
    rcTextPart.left = rcItem.left + args.m_nIconAreaWidth;
    CRect rcText(rcTextPart);
    rcText.DeflateRect(6, 3);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(clrText);
    HGDIOBJ hOldFont = ::SelectObject(dc.m_hDC, m_FontNormal.GetSafeHandle());
    PaintMenuItemTexts(dc, args, rcText, NULL);
    if (args.m_bPopup)
        PaintSubmenuArrow(dc, args, args.m_bSelected ? GetColor(COLOR_HIGHLIGHTTEXT) : GetColor(EXTCLR_TEXT), clrText);
    ::SelectObject(dc.m_hDC, hOldFont);

    CRect rcCell = MenuIconCell(args);
    if (args.m_bHasCheckArea && args.m_bCheckAreaChecked)
    {
        CRect rcCheck(rcItem.left + 1, rcItem.top + 1, rcItem.left + rcItem.Height() - 2, rcItem.bottom - 2);
        dc.FillRect(&rcCheck, &GetMixedBrush(0));
        const CPoint pt = rcCheck.CenterPoint();
        PaintCheckMark(dc, pt.x - 3, pt.y - 3, GetColor(EXTCLR_TEXT));
        Draw3dFrame(dc, rcCheck, EXTCLR_SHADOW_EDGE, EXTCLR_HILIGHT_EDGE);
    }
    CRect rcIconFrame(rcCell);
    rcIconFrame.InflateRect(2, 2);
    if (bMarked)
        dc.FillRect(&rcIconFrame, &GetMixedBrush(0));
    if (bHasIcon)
    {
        args.m_pIcon->Paint(dc.GetSafeHdc(), rcCell.TopLeft(),
                            args.m_bEnabled ? CExtCommandIcon::ePaintNormal : CExtCommandIcon::ePaintDisabled);
        if (args.m_bSelected && args.m_bEnabled && !bMarked)
            Draw3dFrame(dc, rcIconFrame, EXTCLR_HILIGHT_EDGE, EXTCLR_SHADOW_EDGE);
    }
    else
        PaintSysCmdGlyph(dc, args.m_nHelperSysCmdID, rcCell, args.m_bSelected, false, args.m_bEnabled);
    if (bMarked)
    {
        if (!bHasIcon)
            PaintMenuMark(dc, args, rcCell);
        Draw3dFrame(dc, rcIconFrame, EXTCLR_SHADOW_EDGE, EXTCLR_HILIGHT_EDGE);
    }
    if (!args.m_rcInPlaceWnd.IsRectEmpty())
        PaintMenuItemInPlaceField(dc, args);
}

void CExtPaintManager::PaintMenuMark(CDC& dc, const CExtPaintMenuItemArgs& args, const CRect& rcCell)
{
    const CPoint pt = rcCell.CenterPoint();
    if (args.m_bChecked)
        PaintCheckMark(dc, pt.x - 3, pt.y - 3, GetColor(EXTCLR_TEXT));
    else
        PaintRadioDot(dc, pt.x - 3, pt.y - 3, GetColor(EXTCLR_TEXT));
}

CRect CExtPaintManager::MenuIconCell(const CExtPaintMenuItemArgs& args)
{
    const CRect& rcItem = args.m_rcItem;
    CSize size(16, 16);
    if (args.m_pIcon != NULL && !args.m_pIcon->IsEmpty())
    {
        size = args.m_pIcon->GetSize();
        if (size.cx <= 18 && size.cy < size.cx)
            size.cy = size.cx;
    }
    CRect rcCell(rcItem.TopLeft(), size);
    rcCell.OffsetRect(0, (rcItem.Height() - size.cy) / 2);
    if (args.m_bHasCheckArea)
    {
        const int h = args.m_nIconAreaWidth / 2;
        rcCell.OffsetRect((h - size.cx) / 2 + h - 2, 0);
    }
    else
        rcCell.OffsetRect((args.m_nIconAreaWidth - size.cx) / 2, 0);
    return rcCell;
}

void CExtPaintManager::PaintMenuItemTexts(CDC& dc, const CExtPaintMenuItemArgs& args, const CRect& rcText,
                                          HBRUSH hDisabledBrush)
{
    const UINT nState = DST_PREFIXTEXT | (args.m_bEnabled ? 0 : (UINT)m_nDisabledTextStyle);
    HBRUSH hBrush = args.m_bEnabled ? NULL : hDisabledBrush;
    auto DrawOne = [&](const CString& str, int x) {
        CRect rcMeasure = GetTextExtent(dc, (HFONT)::GetCurrentObject(dc.m_hDC, OBJ_FONT), str);
        const int y = rcText.top + (rcText.Height() - rcMeasure.Height()) / 2;
        ::DrawState(dc.m_hDC, hBrush, NULL, (LPARAM)(LPCTSTR)str, str.GetLength(), x, y, rcMeasure.Width(),
                    rcMeasure.Height(), nState);
        return rcMeasure.Width();
    };
    if (!args.m_strText.IsEmpty())
        DrawOne(args.m_strText, rcText.left);
    if (!args.m_strAccelText.IsEmpty())
    {
        const int nWidth = GetTextExtentWidth(dc, (HFONT)::GetCurrentObject(dc.m_hDC, OBJ_FONT), args.m_strAccelText);
        DrawOne(args.m_strAccelText, rcText.right - nWidth - 16);
    }
}

void CExtPaintManager::PaintSubmenuArrow(CDC& dc, const CExtPaintMenuItemArgs& args, COLORREF clrGlyph,
                                         COLORREF clrText)
{
    CRect rcCell(args.m_rcItem);
    rcCell.DeflateRect(3, 3);
    rcCell.left = rcCell.right - 16;
    if (args.m_bPopupArrowGlyph)
    {
        PaintGlyphIn(dc, rcCell,
                     CExtPaletteGlyph::GetRecord(args.m_bPopupArrowGlyphBar ? CExtPaletteGlyph::eRecordSubmenuArrowBar
                                                                            : CExtPaletteGlyph::eRecordSubmenuArrow),
                     clrGlyph);
        return;
    }
    if (!m_bMarlettInstalled)
    {
        PaintGlyphIn(dc, rcCell, CExtPaletteGlyph::GetRecord(CExtPaletteGlyph::eRecordSubmenuArrow), clrText);
        return;
    }
    HGDIOBJ hOld = ::SelectObject(dc.m_hDC, m_FontMarlett.GetSafeHandle());
    dc.SetTextColor(clrText);
    ::DrawText(dc.m_hDC, "8", 1, &rcCell, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    ::SelectObject(dc.m_hDC, hOld);
}

void CExtPaintManager::PaintMenuItemInPlaceField(CDC& dc, const CExtPaintMenuItemArgs& args)
{
    CRect rc(args.m_rcInPlaceWnd);
    rc.InflateRect(2, 2, 2, 3);
    const int cxThumb = ::GetSystemMetrics(SM_CXHTHUMB);
    if (args.m_bPopup)
    {
        rc.right += cxThumb;
        CExtPaintComboFrameArgs combo(args.m_pHelperSrc, rc, args.m_bSelected,
                                      args.m_bSelected && args.m_bHelperPopupDropped, args.m_bEnabled);
        combo.m_bNoOuterRing = true;
        PaintComboFrame(dc, combo);
        rc.DeflateRect(1, 1);
        rc.right -= cxThumb;
    }
    else
    {
        FrameRect(dc, rc, COLOR_3DFACE);
        rc.DeflateRect(1, 1);
        if (args.m_bSelected)
            Draw3dFrame(dc, rc, COLOR_3DSHADOW, COLOR_3DHILIGHT);
        else
            FrameRect(dc, rc, COLOR_3DFACE);
    }
    rc.DeflateRect(1, 1);
    PaintInPlaceText(dc, args, rc, CRect(5, 2, 1, 2));
}

void CExtPaintManager::PaintInPlaceText(CDC& dc, const CExtPaintMenuItemArgs& args, CRect rc, const CRect& rcInset)
{
    FillRect(dc, rc, args.m_bEnabled ? COLOR_WINDOW : COLOR_3DFACE);
    if (args.m_strInPlaceText.IsEmpty())
        return;
    CDCStateKeeper state(dc);
    rc.DeflateRect(rcInset.left, rcInset.top, rcInset.right, rcInset.bottom);
    DrawTextIn(dc, args.m_strInPlaceText, rc, GetColor(COLOR_BTNTEXT), NULL, DT_SINGLELINE | DT_NOPREFIX);
}

void CExtPaintManager::PaintMenuSeparator(CDC& dc, const RECT& rcIn, int, bool bRarelyUsed, CObject*, LPARAM)
{
    CRect rc(rcIn);
    if (rc.IsRectEmpty())
        return;
    if (bRarelyUsed)
    {
        CRect rcBand(rc.left - 3, rc.top, rc.right + 4, rc.bottom);
        dc.FillRect(&rcBand, &GetMixedBrush(0));
    }
    else
        FillRect(dc, rc, EXTCLR_BAR_FACE);
    const int nInset = ::GetSystemMetrics(SM_CXSMICON) / 2;
    CRect rcLine(rc.left + nInset, rc.top + rc.Height() / 2 - 1, rc.right - nInset, rc.top + rc.Height() / 2 + 1);
    if (!rcLine.IsRectEmpty())
        Draw3dFrame(dc, rcLine, bRarelyUsed ? EXTCLR_BAR_FACE : EXTCLR_SHADOW_EDGE, EXTCLR_HILIGHT_EDGE);
}

void CExtPaintManager::PaintToolbarSeparator(CDC& dc, const RECT& rcIn, bool bHorz, bool bTransparentBackground,
                                             CObject*, LPARAM)
{
    CRect rc(rcIn);
    if (rc.IsRectEmpty())
        return;
    if (!bTransparentBackground)
        FillRect(dc, rc, EXTCLR_BAR_FACE);
    // Two pixels across the middle, the far end one shorter.
    CRect rcLine;
    if (bHorz)
        rcLine.SetRect(rc.left + rc.Width() / 2 - 1, rc.top, rc.left + rc.Width() / 2 + 1, rc.bottom - 1);
    else
        rcLine.SetRect(rc.left, rc.top + rc.Height() / 2 - 1, rc.right - 1, rc.top + rc.Height() / 2 + 1);
    Draw3dFrame(dc, rcLine, EXTCLR_SHADOW_EDGE, EXTCLR_HILIGHT_EDGE);
}

void CExtPaintManager::PaintControlBarCaption(CDC& dc, CExtPaintBarCaptionArgs& args)
{
    CRect rc(args.m_rcCaption);
    if (rc.IsRectEmpty())
        return;
    if (!args.m_bResizable && !args.m_bFloating)
    {
        // A fixed docked bar has a gripper: two raised bars side by side.
        CRect rcBar;
        if (args.m_bVertical)
            rcBar.SetRect(rc.left + 4, rc.top + 1, rc.left + 7, rc.bottom);
        else
            rcBar.SetRect(rc.left + 1, rc.top + 4, rc.right - 1, rc.top + 7);
        for (int i = 0; i < 2; i++)
        {
            Draw3dFrame(dc, rcBar, EXTCLR_HILIGHT_EDGE, EXTCLR_SHADOW_EDGE);
            rcBar.OffsetRect(args.m_bVertical ? 3 : 0, args.m_bVertical ? 0 : 3);
        }
        return;
    }
    if (!args.m_bFloating)
        rc.DeflateRect(1, 1);
    int nFrom, nTo, nText;
    if (args.m_bFloating && !args.m_bResizable)
        nFrom = nTo = COLOR_HIGHLIGHT, nText = COLOR_HIGHLIGHTTEXT;
    else if (args.m_bActive || args.m_bFloating)
        nFrom = COLOR_ACTIVECAPTION, nTo = COLOR_GRADIENTACTIVECAPTION, nText = COLOR_CAPTIONTEXT;
    else
        nFrom = COLOR_INACTIVECAPTION, nTo = COLOR_GRADIENTINACTIVECAPTION, nText = COLOR_INACTIVECAPTIONTEXT;
    if (nFrom == nTo || GetScreenColorDepth() <= 8)
        FillRect(dc, rc, nFrom);
    else if (args.m_bVertical) // from the bottom, where the text starts
        PaintGradientRect(dc, rc, GetColor(nFrom), GetColor(nTo), true);
    else
        PaintGradientRect(dc, rc, GetColor(nFrom), GetColor(nTo), false);
    PaintCaptionText(dc, args, GetColor(nText), args.m_bVertical ? m_FontSmallBoldVertX : m_FontSmallBold);
}

void CExtPaintManager::PaintCaptionText(CDC& dc, const CExtPaintBarCaptionArgs& args, COLORREF clrText, CFont& font)
{
    if (args.m_strCaption.IsEmpty())
        return;
    CDCStateKeeper state(dc);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(clrText);
    HGDIOBJ hOld = ::SelectObject(dc.m_hDC, font.GetSafeHandle());
    CRect rcText(args.m_rcText);
    if (!args.m_bVertical)
        ::DrawText(dc.m_hDC, args.m_strCaption, args.m_strCaption.GetLength(), &rcText,
                   DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    else
    {
        // Upward text: its baseline runs along the right of the strip, from the bottom.
        dc.IntersectClipRect(&rcText);
        TEXTMETRIC tm;
        ::GetTextMetrics(dc.m_hDC, &tm);
        const int x = rcText.left + (rcText.Width() - tm.tmHeight) / 2;
        CRect rcDraw(x, rcText.bottom, x + rcText.Height(), rcText.bottom + tm.tmHeight);
        ::DrawText(dc.m_hDC, args.m_strCaption, args.m_strCaption.GetLength(), &rcDraw,
                   DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX);
    }
    ::SelectObject(dc.m_hDC, hOld);
}

void CExtPaintManager::PaintControlBarFrame(CDC& dc, CExtPaintBarFrameArgs& args)
{
    CRect rc(args.m_rcBar);
    if (rc.IsRectEmpty())
        return;
    int nSaved = dc.SaveDC();
    dc.ExcludeClipRect(&args.m_rcClient);
    FillRect(dc, rc, EXTCLR_BAR_FACE);
    if (args.m_bFloating)
    {
        Draw3dFrame(dc, rc, EXTCLR_BAR_FACE, EXTCLR_DKSHADOW_EDGE);
        rc.DeflateRect(1, 1);
        Draw3dFrame(dc, rc, EXTCLR_HILIGHT_EDGE, EXTCLR_SHADOW_EDGE);
    }
    else if (!args.m_bResizable)
        Draw3dFrame(dc, rc, EXTCLR_HILIGHT_EDGE, EXTCLR_SHADOW_EDGE);
    dc.RestoreDC(nSaved);
}

void CExtPaintManager::PaintControlFrame(CDC& dc, CExtPaintControlFrameArgs& args)
{
    CRect rc(args.m_rcControl);
    if (rc.IsRectEmpty())
        return;
    // Outermost first: two rings that show hover and focus, then three of the window.
    if (args.m_bEnabled && args.m_bHover && args.m_bFocus)
    {
        Draw3dFrame(dc, rc, COLOR_3DSHADOW, COLOR_3DHILIGHT);
        rc.DeflateRect(1, 1);
        Draw3dFrame(dc, rc, COLOR_3DDKSHADOW, COLOR_3DFACE);
    }
    else if (args.m_bEnabled && (args.m_bHover || args.m_bFocus))
    {
        FrameRect(dc, rc, EXTCLR_BAR_FACE);
        rc.DeflateRect(1, 1);
        Draw3dFrame(dc, rc, COLOR_3DSHADOW, COLOR_3DHILIGHT);
    }
    else
    {
        FrameRect(dc, rc, EXTCLR_BAR_FACE);
        rc.DeflateRect(1, 1);
        FrameRect(dc, rc, EXTCLR_BAR_FACE);
    }
    for (int i = 0; i < 3; i++)
    {
        rc.DeflateRect(1, 1);
        FrameRect(dc, rc, COLOR_WINDOW);
    }
}

CFont& CExtPaintManager::GetComboArrowFont(CDC& dc)
{
    // Kept per look for the DC's resolution: no font is made per paint.
    const int nDpiX = std::max(1, dc.GetDeviceCaps(LOGPIXELSX)), nDpiY = std::max(1, dc.GetDeviceCaps(LOGPIXELSY));
    if (m_FontComboArrow.GetSafeHandle() == NULL || m_nComboArrowDpi != nDpiX * 10000 + nDpiY)
    {
        m_FontComboArrow.DeleteObject();
        LOGFONT lf;
        memset(&lf, 0, sizeof(lf));
        lf.lfHeight = -::MulDiv(::MulDiv(6, 96, nDpiX), nDpiY, 72);
        lf.lfCharSet = SYMBOL_CHARSET;
        lstrcpyn(lf.lfFaceName, "Marlett", LF_FACESIZE);
        m_FontComboArrow.CreateFontIndirect(&lf);
        m_nComboArrowDpi = nDpiX * 10000 + nDpiY;
    }
    return m_FontComboArrow;
}

void CExtPaintManager::PaintComboArrowButton(CDC& dc, const CExtPaintComboFrameArgs& args, const CRect& rcButton)
{
    CExtPaintPushButtonArgs button(args.m_pHelperSrc, rcButton, "6", NULL, true, args.m_bHover, args.m_bPushed, false,
                                   args.m_bEnabled, true, false, false);
    button.m_nIconAlignment = 5;
    button.m_hFont = (HFONT)GetComboArrowFont(dc).GetSafeHandle();
    button.m_bUseDrawText = true;
    PaintPushButton(dc, button);
}

void CExtPaintManager::PaintComboFrame(CDC& dc, CExtPaintComboFrameArgs& args)
{
    CRect rc(args.m_rcClient);
    if (rc.IsRectEmpty())
        return;
    const bool bHot = args.m_bHover || args.m_bPushed;
    if (!args.m_bNoOuterRing)
    {
        if (bHot)
            Draw3dFrame(dc, rc, EXTCLR_SHADOW_EDGE, EXTCLR_HILIGHT_EDGE);
        else if (args.m_clrForceNA != (COLORREF)-1)
            dc.Draw3dRect(&rc, args.m_clrForceNA, args.m_clrForceNA2 != (COLORREF)-1 ? args.m_clrForceNA2
                                                                                      : args.m_clrForceNA);
        else
            FrameRect(dc, rc, EXTCLR_BAR_FACE);
    }
    rc.DeflateRect(1, 1);
    FrameRect(dc, rc, args.m_bEnabled ? COLOR_3DFACE : EXTCLR_HILIGHT_EDGE);
    rc.DeflateRect(1, 1);
    CRect rcButton(rc.right - ::GetSystemMetrics(SM_CXHTHUMB), rc.top, rc.right, rc.bottom);
    dc.FillSolidRect(rcButton.left - 3, rc.top, 3, rc.Height(), GetColor(args.m_bEnabled ? COLOR_WINDOW : COLOR_3DFACE));
    if (bHot)
        FillRect(dc, rcButton, COLOR_3DFACE);
    FrameRect(dc, rcButton, COLOR_3DFACE);
    CRect rcInner(rcButton);
    rcInner.DeflateRect(1, 1);
    FrameRect(dc, rcInner, COLOR_3DHILIGHT);
    PaintComboArrowButton(dc, args, rcButton);
    if (!bHot)
        FrameRect(dc, rcButton, COLOR_3DHILIGHT);
}

int CExtPaintManager::GetTextHeight(bool /*bHorz*/)
{
    return GetMenuFontHeights(false).cx;
}

int CExtPaintManager::GetMenuShadowSize()
{
    return 4;
}

int CExtPaintManager::GetMenuBorderSize()
{
    return 4;
}

void CExtPaintManager::PaintMenuBorder(CDC& dc, const RECT& rcIn, CObject*, LPARAM)
{
    CRect rc(rcIn);
    if (rc.IsRectEmpty())
        return;
    Draw3dFrame(dc, rc, EXTCLR_BAR_FACE, EXTCLR_DKSHADOW_EDGE);
    rc.DeflateRect(1, 1);
    Draw3dFrame(dc, rc, EXTCLR_HILIGHT_EDGE, EXTCLR_SHADOW_EDGE);
    for (int i = 0; i < 2; i++)
    {
        rc.DeflateRect(1, 1);
        FrameRect(dc, rc, EXTCLR_BAR_FACE);
    }
}

bool CExtPaintManager::IsMenuMustCombineExcludeArea()
{
    return false;
}

CRect CExtPaintManager::WidenOnOpenSide(const RECT& rcArea, int eCombineAlign, int nBy)
{
    CRect rc(rcArea);
    switch (eCombineAlign)
    {
    case 1:
        rc.bottom += nBy;
        break;
    case 2:
        rc.top -= nBy;
        break;
    case 3:
        rc.left -= nBy;
        break;
    case 4:
        rc.right += nBy;
        break;
    default:
        break;
    }
    return rc;
}

void CExtPaintManager::PaintOpenFrame(CDC& dc, const CRect& rc, int eCombineAlign, int nTopLeftId, int nBottomRightId)
{
    const COLORREF clrTopLeft = GetColor(nTopLeftId), clrBottomRight = GetColor(nBottomRightId);
    if (eCombineAlign != 2)
        dc.FillSolidRect(rc.left, rc.top, rc.Width(), 1, clrTopLeft);
    if (eCombineAlign != 3)
        dc.FillSolidRect(rc.left, rc.top, 1, rc.Height(), clrTopLeft);
    if (eCombineAlign != 4)
        dc.FillSolidRect(rc.right - 1, rc.top, 1, rc.Height(), clrBottomRight);
    if (eCombineAlign != 1)
        dc.FillSolidRect(rc.left, rc.bottom - 1, rc.Width(), 1, clrBottomRight);
}

void CExtPaintManager::PaintMenuCombinedArea(CDC& dc, const RECT& rcArea, const RECT& rcClient, int eCombineAlign,
                                             CObject*, LPARAM)
{
    if (::IsRectEmpty(&rcArea))
        return;
    CRect rc = WidenOnOpenSide(rcArea, eCombineAlign, GetMenuBorderSize() - 1);
    const int nSaved = dc.SaveDC();
    dc.ExcludeClipRect(&rcClient);
    FillRect(dc, rc, EXTCLR_BAR_FACE);
    PaintOpenFrame(dc, rc, eCombineAlign, EXTCLR_BAR_FACE, EXTCLR_SHADOW_EDGE);
    rc.DeflateRect(1, 1);
    PaintOpenFrame(dc, rc, eCombineAlign, EXTCLR_HILIGHT_EDGE, EXTCLR_DKSHADOW_EDGE);
    dc.RestoreDC(nSaved);
}

void CExtPaintManager::PaintStatusPane(CDC& dc, CExtPaintStatusPaneArgs& args)
{
    CRect rc(args.m_rcItem);
    if (rc.IsRectEmpty())
        return;
    if (args.m_nPart == 2)
    {
        Draw3dFrame(dc, rc, EXTCLR_SHADOW_EDGE, EXTCLR_HILIGHT_EDGE);
        return;
    }
    const COLORREF clr = GetColor(EXTCLR_BAR_FACE);
    if (args.m_dwBarStyle & CBRS_BORDER_LEFT)
        dc.FillSolidRect(rc.left, rc.top, 1, rc.Height(), clr);
    if (args.m_dwBarStyle & CBRS_BORDER_TOP)
        dc.FillSolidRect(rc.left, rc.top, rc.Width(), 1, clr);
    if (args.m_dwBarStyle & CBRS_BORDER_RIGHT)
        dc.FillSolidRect(rc.right - 1, rc.top, 1, rc.Height(), clr);
    if (args.m_dwBarStyle & CBRS_BORDER_BOTTOM)
        dc.FillSolidRect(rc.left, rc.bottom - 1, rc.Width(), 1, clr);
}

bool CExtPaintManager::IsBackgroundCustomized(CObject*, LPARAM)
{
    return false;
}

bool CExtPaintManager::PaintDialogBackground(CDC&, CWnd*, LPARAM)
{
    return false;
}

void CExtPaintManager::PaintToolbarBackground(CDC& dc, const RECT& rc, CWnd*, LPARAM)
{
    if (dc.RectVisible(&rc))
        FillRect(dc, rc, EXTCLR_BAR_FACE);
}

void CExtPaintManager::PaintDockBarBackground(CDC& dc, const RECT& rc, CWnd*, LPARAM)
{
    if (dc.RectVisible(&rc))
        FillRect(dc, rc, COLOR_3DFACE);
}

void CExtPaintManager::OnSysColorChange()
{
    OnPaintSessionComplete(NULL);
    SyncSystemResources();
    InitTranslatedColors();
}

void CExtPaintManager::OnSettingChange(UINT, LPCTSTR)
{
    OnSysColorChange();
}

void CExtPaintManager::OnDisplayChange(int, CPoint)
{
    OnSysColorChange();
}

void CExtPaintManager::OnThemeChanged(WPARAM, LPARAM)
{
    OnSysColorChange();
}

CSize CExtPaintManager::GetToolbarBackgroundInflate()
{
    return CSize(0, 0);
}

void CExtPaintManager::PaintInPlaceWnd(CDC& dc, CExtPaintInPlaceWndArgs& args)
{
    if (args.m_rcWnd.IsRectEmpty())
        return;
    if (args.m_bDropDown)
    {
        CExtPaintComboFrameArgs combo(args.m_pHelperSrc, args.m_rcWnd, args.m_bHover, args.m_bPushed, args.m_bEnabled);
        PaintComboFrame(dc, combo);
        dc.SelectClipRgn(NULL);
    }
    else if (args.m_bEnabled && (args.m_bHover || args.m_bPushed))
        Draw3dFrame(dc, args.m_rcWnd, COLOR_3DSHADOW, COLOR_3DHILIGHT);
    PaintInPlaceWndText(dc, args);
}

void CExtPaintManager::PaintInPlaceWndText(CDC& dc, const CExtPaintInPlaceWndArgs& args)
{
    FillRect(dc, args.m_rcText, args.m_bEnabled ? COLOR_WINDOW : COLOR_3DFACE);
    if (args.m_strText.IsEmpty())
        return;
    CRect rcText(args.m_rcText);
    rcText.DeflateRect(5, 2, 0, 0);
    DrawTextIn(dc, args.m_strText, rcText, GetColor(COLOR_BTNTEXT), NULL, args.m_nDrawTextFlags);
}

COLORREF CExtPaintManager::GetIconAlphaColor()
{
    return (COLORREF)-1;
}

double CExtPaintManager::GetIconAlphaFactor()
{
    return 0.0;
}

void CExtPaintManager::PaintResizingGripper(CDC& dc, const RECT& rcIn, CWnd*)
{
    CRect rc(rcIn);
    if (rc.IsRectEmpty() || !dc.RectVisible(&rc))
        return;
    CDCStateKeeper state(dc);
    HGDIOBJ hOld = ::SelectObject(dc.m_hDC, m_FontMarlett.GetSafeHandle());
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(GetColor(EXTCLR_TEXT));
    ::DrawText(dc.m_hDC, "o", 1, &rc, DT_RIGHT | DT_BOTTOM | DT_SINGLELINE);
    ::SelectObject(dc.m_hDC, hOld);
}

void CExtPaintManager::PaintCheckMark(CDC& dc, int x, int y, COLORREF clr)
{
    const COLORREF clrOutline = dc.GetNearestColor(RGB(255 - GetRValue(clr), 255 - GetGValue(clr), 255 - GetBValue(clr)));
    for (int i = 0; i < 3; i++)
    {
        dc.SetPixelV(x + i, y + i + 2, clr);
        dc.SetPixelV(x + i, y + i + 3, clr);
        dc.SetPixelV(x + i, y + i + 4, clrOutline);
    }
    for (int i = 0; i < 4; i++)
    {
        dc.SetPixelV(x + i + 3, y - i + 3, clr);
        dc.SetPixelV(x + i + 3, y - i + 4, clr);
        dc.SetPixelV(x + i + 3, y - i + 5, clrOutline);
    }
}

void CExtPaintManager::PaintRadioDot(CDC& dc, int x, int y, COLORREF clr)
{
    const COLORREF clrOutline = dc.GetNearestColor(RGB(255 - GetRValue(clr), 255 - GetGValue(clr), 255 - GetBValue(clr)));
    auto Dot = [&](int dx, int dy, COLORREF c) {
        CBrush brush(c);
        CPen pen(PS_SOLID, 1, c);
        CBrush* pOldBrush = dc.SelectObject(&brush);
        CPen* pOldPen = dc.SelectObject(&pen);
        dc.Ellipse(x + dx, y + dy, x + dx + 6, y + dy + 6);
        dc.SelectObject(pOldBrush);
        dc.SelectObject(pOldPen);
    };
    Dot(1, 1, clrOutline);
    Dot(0, 0, clr);
}
