// CExtPaintManager: colour tables, fonts, the colour arithmetic and the classic
// look's painting.
#include "CExtPaintManager.h"

#include "CExtCommandIcon.h"
#include "CExtPaintManagerHolder.h"

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
    : m_mapColorTranslate(10), m_nDisabledTextStyle(DSS_DISABLED), m_bPreferTahoma(true)
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
    if (nSysColorIndex >= m_brushes.GetSize())
        return ::GetSysColorBrush(COLOR_3DFACE);
    return m_brushes[nSysColorIndex];
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

int CExtPaintManager::GetControlBarSpacing(CExtControlBar* /*pBar*/)
{
    return 6;
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

void CExtPaintManager::PaintSunkenBorder(CDC& dc, const RECT& rc, CObject*, LPARAM)
{
    dc.Draw3dRect(&rc, GetColor(COLOR_3DSHADOW), GetColor(COLOR_3DHILIGHT));
}

void CExtPaintManager::PaintPushButton(CDC& dc, CExtPaintPushButtonArgs& args)
{
    CRect rc(args.m_rcClient);
    if (rc.IsRectEmpty())
        return;
    if (!args.m_bEnabled)
        args.m_bHover = args.m_bDrawFocusRect = false;
    const bool bShowPushed = args.m_bPushed || args.m_bIndeterminate;
    if (!args.m_bTransparentBackground)
    {
        if (args.m_bIndeterminate && args.m_bEnabled)
        {
            dc.FillSolidRect(&rc, GetColor(COLOR_3DHILIGHT));
        }
        else
            FillRect(dc, rc, args.m_bFlat ? EXTCLR_BAR_FACE : COLOR_3DFACE);
    }
    if (args.m_bFlat)
    {
        if (bShowPushed)
            dc.Draw3dRect(&rc, GetColor(COLOR_3DSHADOW), GetColor(COLOR_3DHILIGHT));
        else if (args.m_bHover || (args.m_bDrawBorder && args.m_bHover))
            dc.Draw3dRect(&rc, GetColor(COLOR_3DHILIGHT), GetColor(COLOR_3DSHADOW));
    }
    else
    {
        CRect rcEdge(rc);
        if (args.m_bDefaultPushButton)
        {
            FrameRect(dc, rcEdge, COLOR_3DDKSHADOW);
            rcEdge.DeflateRect(1, 1);
        }
        ::DrawEdge(dc.m_hDC, &rcEdge, bShowPushed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    }

    CRect rcContent(rc);
    rcContent.DeflateRect(3, 3);
    if (bShowPushed)
        rcContent.OffsetRect(GetPushedOffset());
    rcContent = PaintPushButtonGlyphs(dc, args, rcContent, GetColor(args.m_bEnabled ? COLOR_BTNTEXT : COLOR_3DSHADOW));
    if (!args.m_strText.IsEmpty())
    {
        HFONT hFont = args.m_hFont != NULL ? args.m_hFont
                                           : (HFONT)(args.m_bDefaultPushButton ? m_FontBold : m_FontNormal).GetSafeHandle();
        if (!args.m_bEnabled)
        {
            // Embossed: a highlight copy one pixel down and right, then the shadow.
            CRect rcLight(rcContent);
            rcLight.OffsetRect(1, 1);
            DrawTextIn(dc, args.m_strText, rcLight, GetColor(COLOR_3DHILIGHT), hFont, args.m_nDrawTextFlags);
            DrawTextIn(dc, args.m_strText, rcContent, GetColor(COLOR_3DSHADOW), hFont, args.m_nDrawTextFlags);
        }
        else
        {
            COLORREF clr = args.m_clrText != (COLORREF)-1 ? args.m_clrText : GetColor(COLOR_BTNTEXT);
            DrawTextIn(dc, args.m_strText, rcContent, clr, hFont, args.m_nDrawTextFlags);
        }
    }
    if (args.m_bDrawFocusRect)
    {
        CRect rcFocus(rc);
        rcFocus.DeflateRect(4, 4);
        dc.DrawFocusRect(&rcFocus);
    }
}

CRect CExtPaintManager::PaintPushButtonGlyphs(CDC& dc, const CExtPaintPushButtonArgs& args, CRect rcContent,
                                              COLORREF clrArrow)
{
    if (args.m_bDropDown)
    {
        CRect rcArrow(rcContent.right - 10, rcContent.top, rcContent.right, rcContent.bottom);
        rcContent.right = rcArrow.left;
        CPoint pt(rcArrow.CenterPoint());
        for (int i = 0; i < 3; i++)
            dc.FillSolidRect(pt.x - 2 + i, pt.y - 1 + i, 5 - 2 * i, 1, clrArrow);
    }
    if (args.m_pIcon != NULL && !args.m_pIcon->IsEmpty())
    {
        CSize sizeIcon = args.m_pIcon->GetSize();
        int x = args.m_strText.IsEmpty() ? rcContent.left + (rcContent.Width() - sizeIcon.cx) / 2 : rcContent.left;
        int y = rcContent.top + (rcContent.Height() - sizeIcon.cy) / 2;
        args.m_pIcon->Paint(dc, x, y, args.m_bEnabled ? CExtCommandIcon::eStateNormal : CExtCommandIcon::eStateDisabled);
        if (!args.m_strText.IsEmpty())
            rcContent.left = x + sizeIcon.cx + 3;
    }
    return rcContent;
}

CSize CExtPaintManager::GetPushButtonMargins()
{
    return CSize(6, 6);
}

void CExtPaintManager::PaintToolbarSeparator(CDC& dc, const RECT& rcIn, bool bHorz, bool bTransparentBackground,
                                             CObject*, LPARAM)
{
    CRect rc(rcIn);
    if (rc.IsRectEmpty())
        return;
    if (!bTransparentBackground)
        FillRect(dc, rc, EXTCLR_BAR_FACE);
    if (bHorz)
    {
        int x = rc.left + rc.Width() / 2 - 1;
        dc.FillSolidRect(x, rc.top + 1, 1, rc.Height() - 2, GetColor(COLOR_3DSHADOW));
        dc.FillSolidRect(x + 1, rc.top + 1, 1, rc.Height() - 2, GetColor(COLOR_3DHILIGHT));
    }
    else
    {
        int y = rc.top + rc.Height() / 2 - 1;
        dc.FillSolidRect(rc.left + 1, y, rc.Width() - 2, 1, GetColor(COLOR_3DSHADOW));
        dc.FillSolidRect(rc.left + 1, y + 1, rc.Width() - 2, 1, GetColor(COLOR_3DHILIGHT));
    }
}

void CExtPaintManager::PaintControlBarCaption(CDC& dc, CExtPaintBarCaptionArgs& args)
{
    CRect rc(args.m_rcCaption);
    if (rc.IsRectEmpty())
        return;
    if (!args.m_bResizable && !args.m_bFloating)
    {
        // A fixed docked bar has a gripper instead: two raised lines.
        FillRect(dc, rc, EXTCLR_BAR_FACE);
        CRect rcGrip(rc);
        if (args.m_bVertical)
        {
            rcGrip.DeflateRect(2, 3);
            rcGrip.right = rcGrip.left + 3;
            ::DrawEdge(dc.m_hDC, &rcGrip, BDR_RAISEDINNER, BF_RECT);
            rcGrip.OffsetRect(3, 0);
            ::DrawEdge(dc.m_hDC, &rcGrip, BDR_RAISEDINNER, BF_RECT);
        }
        else
        {
            rcGrip.DeflateRect(3, 2);
            rcGrip.bottom = rcGrip.top + 3;
            ::DrawEdge(dc.m_hDC, &rcGrip, BDR_RAISEDINNER, BF_RECT);
            rcGrip.OffsetRect(0, 3);
            ::DrawEdge(dc.m_hDC, &rcGrip, BDR_RAISEDINNER, BF_RECT);
        }
        return;
    }
    dc.FillSolidRect(&rc, GetColor(args.m_bActive ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
    COLORREF clrText = GetColor(args.m_bActive ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT);
    DrawTextIn(dc, args.m_strCaption, args.m_rcText, clrText,
               (HFONT)(args.m_bVertical ? m_FontNormalVert : m_FontSmall).GetSafeHandle(),
               DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS | DT_NOPREFIX);
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
        ::DrawEdge(dc.m_hDC, &rc, EDGE_RAISED, BF_RECT);
    dc.RestoreDC(nSaved);
}

void CExtPaintManager::PaintControlFrame(CDC& dc, CExtPaintControlFrameArgs& args)
{
    CRect rc(args.m_rcControl);
    if (rc.IsRectEmpty())
        return;
    if (args.m_bEnabled && (args.m_bHover || args.m_bFocus))
        ::DrawEdge(dc.m_hDC, &rc, EDGE_SUNKEN, BF_RECT);
    else
    {
        dc.Draw3dRect(&rc, GetColor(COLOR_3DSHADOW), GetColor(COLOR_3DHILIGHT));
        rc.DeflateRect(1, 1);
        dc.Draw3dRect(&rc, GetColor(COLOR_3DFACE), GetColor(COLOR_3DFACE));
    }
}

void CExtPaintManager::PaintComboFrame(CDC& dc, CExtPaintComboFrameArgs& args)
{
    CRect rc(args.m_rcClient);
    if (rc.IsRectEmpty())
        return;
    if (args.m_bEnabled && (args.m_bHover || args.m_bPushed))
        ::DrawEdge(dc.m_hDC, &rc, EDGE_SUNKEN, BF_RECT);
    else
    {
        dc.Draw3dRect(&rc, GetColor(COLOR_3DSHADOW), GetColor(COLOR_3DHILIGHT));
        CRect rcInner(rc);
        rcInner.DeflateRect(1, 1);
        dc.Draw3dRect(&rcInner, GetColor(COLOR_3DFACE), GetColor(COLOR_3DFACE));
    }
    CRect rcButton(rc);
    rcButton.DeflateRect(2, 2);
    rcButton.left = rcButton.right - ::GetSystemMetrics(SM_CXHTHUMB);
    UINT nState = DFCS_SCROLLCOMBOBOX | (args.m_bEnabled ? 0 : DFCS_INACTIVE) | (args.m_bPushed ? DFCS_PUSHED : 0);
    ::DrawFrameControl(dc.m_hDC, &rcButton, DFC_SCROLL, nState);
}

int CExtPaintManager::GetTextHeight(bool /*bHorz*/)
{
    return GetMenuFontHeights(false).cx;
}

void CExtPaintManager::PaintStatusPane(CDC& dc, CExtPaintStatusPaneArgs& args)
{
    CRect rc(args.m_rcItem);
    if (rc.IsRectEmpty() || args.m_nPart != 2)
        return;
    dc.Draw3dRect(&rc, GetColor(COLOR_3DSHADOW), GetColor(COLOR_3DHILIGHT));
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

void CExtPaintManager::PaintResizingGripper(CDC& dc, const RECT& rc, CWnd*)
{
    if (::IsRectEmpty(&rc))
        return;
    RECT r = rc;
    ::DrawFrameControl(dc.m_hDC, &r, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
}
