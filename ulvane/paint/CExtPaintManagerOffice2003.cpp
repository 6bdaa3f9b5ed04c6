// CExtPaintManagerOffice2003: the gradient colour scheme, the three cached gradient
// bitmaps, and the operations that paint with them.
#include "CExtPaintManagerOffice2003.h"

#include "CExtBarContentExpandButton.h"
#include "CExtControlBar.h"
#include "CExtDockOuterBar.h"
#include "CExtPaintManagerHolder.h"
#include "CExtPopupMenuWnd.h"
#include "CExtStatusControlBar.h"
#include "CExtToolControlBar.h"
#include "ExtBarQueries.h"
#include "CExtCommandIcon.h"

#include <math.h>

#include <algorithm>

IMPLEMENT_DYNCREATE(CExtPaintManagerOffice2003, CExtPaintManagerXP)

namespace
{
// Colour ids of this look.
enum
{
    eClrBackLight = 3000,
    eClrBackDark = 3001,
    eClrGripLight = 3002,
    eClrGripDark = 3003,
    eClrExpandLight = 3004,
    eClrExpandDark = 3005,
    eClrExpandHover1 = 3006,
    eClrExpandHover2 = 3007,
    eClrExpandPushed1 = 3008,
    eClrExpandPushed2 = 3009,
    eClrSeparatorLight = 3010,
    eClrSeparatorDark = 3011,
    eClrExpandGlyphShadow = 3012,
    eClrExpandGlyph = 3013,
    eClrStatusPaneFrame = 3014,
    eClrColumnFrom = 3015,
    eClrColumnTo = 3016,
    eClrRareColumnFrom = 3017,
    eClrRareColumnTo = 3018,
    eClrMenuExpandOctagon = 3025,
};

// Taskband colours by their place in the holder's list.
enum { eTaskband3804 = 0, eTaskband3806 = 2, eTaskband3821 = 5, eTaskband3823 = 6 };

COLORREF A(COLORREF clr, double dL, double dS)
{
    return CExtPaintManager::HLSAdjust(clr, 0, dL, dS);
}

COLORREF ScaleChannels(COLORREF clr, int nRed, int nGreen, int nBlue)
{
    return RGB(GetRValue(clr) * nRed / 1000, GetGValue(clr) * nGreen / 1000, GetBValue(clr) * nBlue / 1000);
}

// The lightness step of the colour arithmetic, on one value.
double Blend(double v, double f)
{
    if (f > 0)
        v += (1 - v) * f;
    else if (f < 0)
        v *= 1 + f;
    return std::min(1.0, std::max(0.0, v));
}

// A pixel of the gradients: b less the weight w of (b - a), channel by channel.
DWORD MixPixel(COLORREF a, COLORREF b, double w)
{
    const int r = (int)(GetRValue(b) - w * (GetRValue(b) - GetRValue(a)));
    const int g = (int)(GetGValue(b) - w * (GetGValue(b) - GetGValue(a)));
    const int bl = (int)(GetBValue(b) - w * (GetBValue(b) - GetBValue(a)));
    return ((DWORD)r << 16) | ((DWORD)g << 8) | (DWORD)bl;
}

// Regions select in device units; the painting works in logical ones.
CRect ToDevice(CDC& dc, const CRect& rc)
{
    CRect r(rc);
    dc.LPtoDP(&r);
    r.NormalizeRect();
    return r;
}

bool MakeRoundRegion(CDC& dc, CRgn& rgn, const CRect& rc, CSize sizeEllipse)
{
    const CRect r = ToDevice(dc, rc);
    return rgn.CreateRoundRectRgn(r.left, r.top, r.right, r.bottom, sizeEllipse.cx, sizeEllipse.cy) != FALSE;
}

bool MakeRectRegion(CDC& dc, CRgn& rgn, const CRect& rc)
{
    const CRect r = ToDevice(dc, rc);
    return rgn.CreateRectRgn(r.left, r.top, r.right, r.bottom) != FALSE;
}

// The client rectangle of pOf in pInto's client (or window) coordinates.
CRect ClientRectIn(CWnd* pOf, CWnd* pInto, bool bWindowCoords)
{
    CRect rc;
    pOf->GetClientRect(&rc);
    pOf->ClientToScreen(&rc);
    if (bWindowCoords)
    {
        CRect rcWindow;
        pInto->GetWindowRect(&rcWindow);
        rc.OffsetRect(-rcWindow.TopLeft());
    }
    else
        pInto->ScreenToClient(&rc);
    return rc;
}

// The frame whose client area a window's background gradient spans: the frame that
// docks a bar, else the window's own frame.
CWnd* BackgroundFrameOf(CWnd* pWnd)
{
    if (pWnd == NULL || pWnd->m_hWnd == NULL)
        return NULL;
    CControlBar* pBar = DYNAMIC_DOWNCAST(CControlBar, pWnd);
    if (pBar != NULL && pBar->m_pDockSite != NULL && pBar->m_pDockSite->m_hWnd != NULL)
        return pBar->m_pDockSite;
    if (pWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
        return pWnd;
    return pWnd->GetParentFrame();
}

bool IsTopLevel(CWnd* pWnd)
{
    return (pWnd->GetStyle() & WS_CHILD) == 0;
}

// Dialog backgrounds: where the gradient comes from.
enum { eSourceBackground, eSourceBarBitmap, eSourceRowGradient };
}

CExtPaintManagerOffice2003::CExtPaintManagerOffice2003()
    : m_nStretchedNext(0), m_sizeCell(16, 16), m_nToolbarLineColorId(-1), m_sizeRounding(4, 4)
{
    for (CStretched& stretched : m_arrStretched)
        stretched.hBitmap = NULL;
    m_nLookOptions = eLookGradientVariant;
    m_arrMenuIconColumnIds[0] = eClrColumnFrom;
    m_arrMenuIconColumnIds[1] = eClrColumnTo;
    m_arrMenuIconColumnIds[2] = eClrRareColumnFrom;
    m_arrMenuIconColumnIds[3] = eClrRareColumnTo;
    for (int i = 0; i < nGradientCount; i++)
    {
        m_arrGradientBitmaps[i] = NULL;
        m_arrGradientPixels[i] = NULL;
        m_sizeGradient[i] = CSize(0, 0);
    }
    static const POINT arrOctagon[8] = {{4, 0}, {11, 0}, {15, 4}, {15, 11}, {11, 15}, {4, 15}, {0, 11}, {0, 4}};
    m_rgnOctagon.CreatePolygonRgn(const_cast<POINT*>(arrOctagon), 8, ALTERNATE);
}

CExtPaintManagerOffice2003::~CExtPaintManagerOffice2003()
{
    DeleteGradientBitmaps();
}

/////////////////////////////////////////////////////////////////////////////
// Colour scheme and gradient bitmaps

void CExtPaintManagerOffice2003::DropStretched()
{
    for (CStretched& stretched : m_arrStretched)
    {
        if (stretched.hBitmap != NULL)
            ::DeleteObject(stretched.hBitmap);
        stretched.hBitmap = NULL;
    }
    m_nStretchedNext = 0;
}

void CExtPaintManagerOffice2003::DeleteGradientBitmaps()
{
    // A cached memory DC may still hold one of them.
    ReleaseCachedDCs();
    DropStretched();
    for (int i = 0; i < nGradientCount; i++)
    {
        if (m_arrGradientBitmaps[i] != NULL)
            ::DeleteObject(m_arrGradientBitmaps[i]);
        m_arrGradientBitmaps[i] = NULL;
        m_arrGradientPixels[i] = NULL;
    }
}

void CExtPaintManagerOffice2003::ResetGradientState()
{
    for (int& nId : m_arrPushButtonGradientIds)
        nId = -1;
    m_nToolbarLineColorId = -1;
    g_PaintManagerHolder.RereadThemeData();
}

void CExtPaintManagerOffice2003::InitTranslatedColors()
{
    ResetGradientState();
    CExtPaintManagerXP::InitTranslatedColors();
    DeleteGradientBitmaps();
    if (GetScreenColorDepth() <= 8)
    {
        // Every other id of this look then gives the face colour.
        AppendColor(eClrStatusPaneFrame, GetColor(COLOR_3DSHADOW));
        return;
    }
    for (CSize& size : m_sizeGradient)
        size = CSize(nGradientSize, nGradientSize);
    const bool bThemed = g_PaintManagerHolder.AreTaskbandColorsUsable();
    if (bThemed)
        InitThemedColors();
    else
        InitUnthemedColors();
    CreateGradientBitmaps(bThemed);
}

void CExtPaintManagerOffice2003::InitThemedColors()
{
    const COLORREF t1 = g_PaintManagerHolder.GetTaskbandColor(eTaskband3804);
    const COLORREF t3 = g_PaintManagerHolder.GetTaskbandColor(eTaskband3806);
    const COLORREF t6 = g_PaintManagerHolder.GetTaskbandColor(eTaskband3821);
    const COLORREF t7 = g_PaintManagerHolder.GetTaskbandColor(eTaskband3823);
    double h1, l1, s1, h3, l3, s3, h6, l6, s6;
    RGBtoHLS(t1, h1, l1, s1);
    RGBtoHLS(t3, h3, l3, s3);
    RGBtoHLS(t6, h6, l6, s6);
    const COLORREF base = HLStoRGB(h6, (l1 + l3) / 2, s6);

    AppendColor(1000, A(base, 0.2, 0));
    AppendColor(1001, A(t7, 0.6, 0.45));
    MapColor(EXTCLR_XP_BAR_FACE, COLOR_3DFACE);
    const int nEdge = AppendColor(1002, A(base, -0.25, 0));
    for (int nId : {1003, 1004, 1005, 1006, 1007, 1008, 1009, (int)EXTCLR_XP_SEPARATOR, (int)EXTCLR_XP_SELECTION_FRAME,
                    (int)EXTCLR_XP_SELECTED_TEXT, (int)EXTCLR_XP_FLOATING_FACE})
        MapColor(nId, nEdge);
    MapColor(1010, COLOR_BTNTEXT);
    MapColor(1011, COLOR_BTNTEXT);
    MapColor(EXTCLR_SHADOW, COLOR_3DSHADOW);
    MapColor(EXTCLR_XP_SELECTED_TEXT, COLOR_BTNTEXT);
    AppendColor(EXTCLR_XP_BAR_FACE, A(base, 0.2, 0));
    COLORREF m = A(base, 0.95, -0.05);
    m = RGB(GetRValue(m) + ::MulDiv(255 - GetRValue(m), 40, 100), GetGValue(m) + ::MulDiv(255 - GetGValue(m), 20, 100),
            GetBValue(m));
    AppendColor(EXTCLR_XP_MENU_BACK, A(m, 0.06, 0.05));
    AppendColor(EXTCLR_XP_SEPARATOR, ScaleChannels(base, 857, 857, 857));
    AppendColor(EXTCLR_XP_PUSHED_SELECTION, A(t7, -0.3, 0.45));
    AppendColor(EXTCLR_XP_SELECTION_FRAME, A(A(A(base, 0.2, 0), -0.25, 0.1), -0.5, 0));
    AppendColor(EXTCLR_XP_RARELY_USED, ScaleChannels(base, 999, 995, 995));
    AppendColor(EXTCLR_XP_MENU_FRAME, A(base, -0.68, 0));
    AppendColor(EXTCLR_XP_FIXED_FLOATING_FACE, A(base, 0.5, 0));

    AppendColor(eClrBackLight, A(base, 0.3, 0));
    AppendColor(eClrBackDark, A(base, 0, 0.1));
    AppendColor(eClrSeparatorLight, A(base, 0.98, 0));
    AppendColor(eClrSeparatorDark, A(base, -0.45, 0));
    AppendColor(eClrGripDark, A(base, -0.6, 0));
    AppendColor(eClrGripLight, A(base, 0.95, 0));
    AppendColor(eClrExpandLight, A(base, -0.1, 0));
    AppendColor(eClrExpandDark, A(base, -0.6, 0));
    AppendColor(eClrExpandHover1, A(t7, 0.85, 0));
    AppendColor(eClrExpandHover2, A(t7, -0.05, 0));
    AppendColor(eClrExpandPushed1, A(t7, 0.3, 0));
    AppendColor(eClrExpandPushed2, A(t7, -0.3, 0));
    AppendColor(eClrExpandGlyphShadow, A(base, 0.97, 0));
    AppendColor(eClrExpandGlyph, A(base, -0.97, 0));
    MapColor(eClrStatusPaneFrame, COLOR_3DSHADOW);
    AppendColor(eClrColumnFrom, A(base, 0.75, 0));
    AppendColor(eClrColumnTo, A(GetColor(EXTCLR_XP_BAR_FACE), -0.1, 0));
    AppendColor(eClrRareColumnFrom, A(base, 0.3, 0));
    AppendColor(eClrRareColumnTo, A(base, -0.25, 0));
    AppendColor(3019, A(t7, 0.8, 0));
    AppendColor(3020, A(t7, 0.2, 0));
    AppendColor(3021, A(t7, 0.4, 0));
    AppendColor(3022, A(t7, -0.05, 0));
    AppendColor(3023, A(t7, -0.3, 0.75));
    AppendColor(3024, A(t7, 0.5, 0));
    AppendColor(eClrMenuExpandOctagon, A(base, 0.77, 0));

    for (int i = 0; i < 6; i++)
        m_arrPushButtonGradientIds[i] = 3019 + i;
    m_nToolbarLineColorId = eClrExpandDark;
    // Whatever asks for these system colours gets the theme's, until the next
    // synchronisation with the system.
    m_colors[COLOR_3DFACE] = base;
    m_colors[COLOR_3DLIGHT] = A(base, 0.45, 0.1);
    m_colors[COLOR_3DHILIGHT] = A(base, 0.75, 0);
    m_colors[COLOR_3DSHADOW] = A(base, -0.45, 0.1);
    m_colors[COLOR_3DDKSHADOW] = A(base, -0.75, 0);
}

void CExtPaintManagerOffice2003::InitUnthemedColors()
{
    MapColor(eClrBackLight, COLOR_WINDOW);
    MapColor(eClrBackDark, COLOR_3DFACE);
    MapColor(eClrSeparatorLight, COLOR_WINDOW);
    AppendColor(eClrSeparatorDark, A(GetColor(COLOR_3DFACE), -0.2, 0));
    AppendColor(eClrGripDark, A(GetColor(COLOR_3DSHADOW), 0.2, 0));
    MapColor(eClrGripLight, COLOR_WINDOW);
    AppendColor(eClrExpandLight, A(GetColor(COLOR_3DSHADOW), 0.25, 0));
    AppendColor(eClrExpandDark, A(GetColor(COLOR_3DSHADOW), -0.1, 0));
    MapColor(eClrExpandHover1, AppendColor(eClrExpandHover2, A(GetColor(EXTCLR_XP_PUSHED_SELECTION), 0.3, 0)));
    MapColor(eClrExpandPushed1, AppendColor(eClrExpandPushed2, A(GetColor(EXTCLR_XP_PUSHED_SELECTION), 0.6, 0)));
    MapColor(eClrExpandGlyphShadow, COLOR_WINDOW);
    MapColor(eClrExpandGlyph, COLOR_3DDKSHADOW);
    MapColor(eClrStatusPaneFrame, COLOR_3DSHADOW);
    MapColor(eClrColumnFrom, COLOR_WINDOW);
    AppendColor(eClrColumnTo, GetColor(EXTCLR_XP_BAR_FACE));
    AppendColor(eClrRareColumnFrom, GetColor(EXTCLR_XP_MENU_BACK));
    MapColor(eClrRareColumnTo, COLOR_3DFACE);
    MapColor(eClrMenuExpandOctagon, COLOR_WINDOW);
    // A lighter menu background than the flat look's.
    AppendColor(EXTCLR_XP_MENU_BACK, A(GetColor(EXTCLR_XP_MENU_BACK), 0.3, 0));
}

DWORD* CExtPaintManagerOffice2003::CreateGradientBitmap(int nIndex)
{
    HDC hDesktop = ::GetWindowDC(::GetDesktopWindow());
    void* pBits = NULL;
    HBITMAP hBitmap = CreateDib32(m_sizeGradient[nIndex].cx, m_sizeGradient[nIndex].cy, &pBits, true, hDesktop);
    if (hDesktop != NULL)
        ::ReleaseDC(::GetDesktopWindow(), hDesktop);
    if (hBitmap != NULL && pBits == NULL)
    {
        ::DeleteObject(hBitmap);
        hBitmap = NULL;
    }
    m_arrGradientBitmaps[nIndex] = hBitmap;
    m_arrGradientPixels[nIndex] = hBitmap != NULL ? (DWORD*)pBits : NULL;
    return m_arrGradientPixels[nIndex];
}

void CExtPaintManagerOffice2003::CreateGradientBitmaps(bool bThemed)
{
    const int n = nGradientSize;
    const COLORREF clrLight = GetColor(eClrBackLight), clrDark = GetColor(eClrBackDark);
    // The toolbar gradients.
    const COLORREF a = bThemed ? A(clrLight, 0.5, 0.2) : clrLight;
    const COLORREF b = bThemed ? A(clrDark, -0.3, -0.2) : clrDark;
    DWORD* pHorz = CreateGradientBitmap(eGradientHorzBar);
    DWORD* pVert = CreateGradientBitmap(eGradientVertBar);
    if (bThemed)
    {
        // Each depends on one coordinate only: one colour per row, or per column.
        DWORD arrLine[nGradientSize];
        for (int i = 0; i < n; i++)
        {
            const double t = 1 - i / 128.0;
            arrLine[i] = MixPixel(a, b, Blend(1, 0.2 * (4 * t + t * fabs(t))));
        }
        for (int y = 0; y < n; y++)
            for (int x = 0; x < n; x++)
            {
                if (pHorz != NULL)
                    pHorz[y * n + x] = arrLine[y];
                if (pVert != NULL)
                    pVert[y * n + x] = arrLine[x];
            }
    }
    else
    {
        const double dN = sqrt(131072.0) + sqrt(sqrt(131072.0));
        double arrCube[nGradientSize];
        for (int i = 0; i < n; i++)
        {
            const double t = 1 - i / 128.0;
            arrCube[i] = t * t * t;
        }
        for (int y = 0; y < n; y++)
            for (int x = 0; x < n; x++)
            {
                const double r = sqrt((double)(x * x + y * y));
                const double v = sqrt(std::max(0.0, 1 - (r + sqrt(r)) / dN));
                if (pHorz != NULL)
                    pHorz[y * n + x] = MixPixel(a, b, Blend(v, arrCube[y]));
                if (pVert != NULL)
                    pVert[y * n + x] = MixPixel(a, b, Blend(v, arrCube[x]));
            }
    }
    // The backgrounds: the dark colour at the top left, fading toward the light one to
    // the right and, more slowly, downwards.
    DWORD* pBack = CreateGradientBitmap(eGradientBackground);
    if (pBack != NULL)
    {
        const double dReach = sqrt(95846.4);
        for (int y = 0; y < n; y++)
            for (int x = 0; x < n; x++)
            {
                const double w = 1 - sqrt(x * x + y * y / 64.0) / dReach;
                // a + (b - a) w, written as b less (1 - w) of (b - a).
                pBack[y * n + x] = MixPixel(clrLight, clrDark, 1 - w);
            }
    }
    ::GdiFlush();
}

HBITMAP CExtPaintManagerOffice2003::GetGradientBitmap(int nIndex) const
{
    return nIndex >= 0 && nIndex < nGradientCount ? m_arrGradientBitmaps[nIndex] : NULL;
}

const DWORD* CExtPaintManagerOffice2003::GetGradientPixels(int nIndex) const
{
    return nIndex >= 0 && nIndex < nGradientCount ? m_arrGradientPixels[nIndex] : NULL;
}

bool CExtPaintManagerOffice2003::HasGradientBitmaps() const
{
    for (HBITMAP hBitmap : m_arrGradientBitmaps)
        if (hBitmap == NULL)
            return false;
    return true;
}

int CExtPaintManagerOffice2003::GetPushButtonGradientId(int nIndex) const
{
    return nIndex >= 0 && nIndex < 6 ? m_arrPushButtonGradientIds[nIndex] : -1;
}

bool CExtPaintManagerOffice2003::CanPaintGradients() const
{
    return GetScreenColorDepth() > 8 && HasGradientBitmaps();
}

/////////////////////////////////////////////////////////////////////////////
// Simple answers

COLORREF CExtPaintManagerOffice2003::GetShadowAdjustColor()
{
    return g_PaintManagerHolder.AreTaskbandColorsUsable() ? g_PaintManagerHolder.GetTaskbandColor(eTaskband3821)
                                                          : (COLORREF)-1;
}

void CExtPaintManagerOffice2003::FixControlBarRect(CExtControlBar* pBar, RECT& rc)
{
    if (GetScreenColorDepth() > 8)
        return;
    CExtPaintManager::FixControlBarRect(pBar, rc);
    CRect r(rc);
    if (IsBarVertical(pBar))
        r.InflateRect(0, 2);
    else
        r.InflateRect(2, 0);
    rc = r;
}

int CExtPaintManagerOffice2003::GetControlBarSpacing(CExtControlBar* pBar)
{
    if (pBar != NULL && !IsDockedInFrameOuterBars(pBar) && !IsBarParentNotFrame(pBar) && GetScreenColorDepth() > 8)
        return 0;
    return CExtPaintManager::GetControlBarSpacing(pBar);
}

bool CExtPaintManagerOffice2003::IsToolbarBackgroundGradient(CExtControlBar* pBar)
{
    return HasDockSite(pBar) && !IsBarParentNotFrame(pBar) && !IsMenuBar(pBar) && !IsPanelBar(pBar) &&
           !IsDockedInFrameOuterBars(pBar) && GetScreenColorDepth() > 8;
}

bool CExtPaintManagerOffice2003::IsFrameToolbar(CExtControlBar* pBar)
{
    return HasDockSite(pBar) && !IsBarParentNotFrame(pBar) && !IsMenuBar(pBar) && !IsPanelBar(pBar) &&
           IsDockedInFrameOuterBars(pBar);
}

int CExtPaintManagerOffice2003::GetMenuExpandButtonHeight()
{
    return std::max(::GetSystemMetrics(SM_CYMENUCHECK), (int)m_sizeCell.cy + 2);
}

bool CExtPaintManagerOffice2003::IsBackgroundCustomized(CObject*, LPARAM)
{
    return GetScreenColorDepth() > 8;
}

CSize CExtPaintManagerOffice2003::GetToolbarBackgroundInflate()
{
    return m_sizeRounding;
}

COLORREF CExtPaintManagerOffice2003::GetIconAlphaColor()
{
    return GetColor(COLOR_3DFACE);
}

double CExtPaintManagerOffice2003::GetIconAlphaFactor()
{
    return 0.7;
}

/////////////////////////////////////////////////////////////////////////////
// Backgrounds

HBITMAP CExtPaintManagerOffice2003::GetStretched(int nIndex, const CRect& rcSource, CSize sizeTarget)
{
    for (const CStretched& stretched : m_arrStretched)
        if (stretched.hBitmap != NULL && stretched.nIndex == nIndex && stretched.rcSource == rcSource &&
            stretched.sizeTarget == sizeTarget)
            return stretched.hBitmap;
    HBITMAP hSource = GetGradientBitmap(nIndex);
    void* pBits = NULL;
    HBITMAP hStretched = hSource != NULL ? CreateDib32(sizeTarget.cx, sizeTarget.cy, &pBits, true) : NULL;
    if (hStretched == NULL)
        return NULL;
    CDC* pSource = GetCachedDC(0, hSource);
    CDC* pTarget = GetCachedDC(1, hStretched);
    BOOL bDone = FALSE;
    if (pSource != NULL && pTarget != NULL)
    {
        pTarget->SetStretchBltMode(g_PaintManagerHolder.IsWin9x() ? COLORONCOLOR : HALFTONE);
        // HALFTONE asks for the brush origin to be set again.
        ::SetBrushOrgEx(pTarget->m_hDC, 0, 0, NULL);
        bDone = pTarget->StretchBlt(0, 0, sizeTarget.cx, sizeTarget.cy, pSource, rcSource.left, rcSource.top,
                                    rcSource.Width(), rcSource.Height(), SRCCOPY);
    }
    if (pTarget != NULL)
        ReleaseCachedDCs();
    if (!bDone)
    {
        ::DeleteObject(hStretched);
        return NULL;
    }
    CStretched& slot = m_arrStretched[m_nStretchedNext];
    m_nStretchedNext = (m_nStretchedNext + 1) % nStretchedCount;
    if (slot.hBitmap != NULL)
        ::DeleteObject(slot.hBitmap);
    slot.nIndex = nIndex;
    slot.rcSource = rcSource;
    slot.sizeTarget = sizeTarget;
    slot.hBitmap = hStretched;
    return hStretched;
}

bool CExtPaintManagerOffice2003::StretchGradient(CDC& dc, int nIndex, const CRect& rcTarget, const CRect* prcSource)
{
    if (GetGradientBitmap(nIndex) == NULL)
        return false;
    if (rcTarget.IsRectEmpty() || !dc.RectVisible(&rcTarget))
        return true;
    const CRect rcSource = prcSource != NULL ? *prcSource : CRect(CPoint(0, 0), m_sizeGradient[nIndex]);
    HBITMAP hStretched = GetStretched(nIndex, rcSource, rcTarget.Size());
    CDC* pMem = hStretched != NULL ? GetCachedDC(0, hStretched) : NULL;
    if (pMem == NULL)
        return false;
    // Only the part the clip lets through is copied.
    CRect rcClip, rcCopy;
    if (dc.GetClipBox(&rcClip) == ERROR || !rcCopy.IntersectRect(&rcClip, &rcTarget))
        rcCopy = rcTarget;
    return dc.BitBlt(rcCopy.left, rcCopy.top, rcCopy.Width(), rcCopy.Height(), pMem, rcCopy.left - rcTarget.left,
                     rcCopy.top - rcTarget.top, SRCCOPY) != FALSE;
}

bool CExtPaintManagerOffice2003::PaintFrameBackground(CDC& dc, CWnd* pWnd, bool bWindowCoords)
{
    CWnd* pFrame = BackgroundFrameOf(pWnd);
    if (pFrame == NULL)
        return false;
    return StretchGradient(dc, eGradientBackground, ClientRectIn(pFrame, pWnd, bWindowCoords));
}

void CExtPaintManagerOffice2003::PaintToolbarBackground(CDC& dc, const RECT& rcIn, CWnd* pWnd, LPARAM lParam)
{
    CRect rc(rcIn);
    if (!CanPaintGradients() || pWnd == NULL || pWnd->m_hWnd == NULL)
    {
        CExtPaintManagerXP::PaintToolbarBackground(dc, rc, pWnd, lParam);
        return;
    }
    if (rc.IsRectEmpty() || !dc.RectVisible(&rc))
        return;
    CExtControlBar* pBar = DYNAMIC_DOWNCAST(CExtControlBar, pWnd);
    const bool bToolbar = pBar != NULL && pBar->IsKindOf(RUNTIME_CLASS(CExtToolControlBar)) && !IsMenuBar(pBar) &&
                          !IsPanelBar(pBar);
    const bool bRounded = bToolbar && IsFrameToolbar(pBar);
    CRect rcBar;
    pWnd->GetClientRect(&rcBar);
    CRgn rgnRound;
    if (bRounded && !MakeRoundRegion(dc, rgnRound, rcBar, m_sizeRounding))
    {
        CExtPaintManagerXP::PaintToolbarBackground(dc, rc, pWnd, lParam);
        return;
    }
    CDCStateKeeper state(dc);
    dc.IntersectClipRect(&rc);
    if (!PaintFrameBackground(dc, pWnd))
    {
        CExtPaintManagerXP::PaintToolbarBackground(dc, rc, pWnd, lParam);
        return;
    }
    if (!bToolbar)
        return;
    if (bRounded)
        ::ExtSelectClipRgn(dc.m_hDC, (HRGN)rgnRound.GetSafeHandle(), RGN_AND);
    const bool bVertical = bRounded && IsBarVertical(pBar);
    if (!StretchGradient(dc, bVertical ? eGradientVertBar : eGradientHorzBar, rcBar))
        FillRect(dc, rcBar, EXTCLR_BAR_FACE);
    if (bRounded && m_nToolbarLineColorId >= 0)
    {
        const COLORREF clrLine = GetColor(m_nToolbarLineColorId);
        if (bVertical)
            dc.FillSolidRect(rcBar.right - 2, rcBar.top, 1, rcBar.Height(), clrLine);
        else
            dc.FillSolidRect(rcBar.left, rcBar.bottom - 2, rcBar.Width(), 1, clrLine);
    }
}

void CExtPaintManagerOffice2003::PaintDockBarBackground(CDC& dc, const RECT& rcIn, CWnd* pWnd, LPARAM lParam)
{
    CRect rc(rcIn);
    // The frame's outer dock bars, whatever class the frame made them of.
    const bool bOuter = pWnd != NULL && (pWnd->IsKindOf(RUNTIME_CLASS(CExtDockOuterBar)) || IsFrameOuterDockBar(pWnd));
    if (!bOuter || !CanPaintGradients())
    {
        CExtPaintManagerXP::PaintDockBarBackground(dc, rc, pWnd, lParam);
        return;
    }
    if (rc.IsRectEmpty() || !dc.RectVisible(&rc))
        return;
    CDCStateKeeper state(dc);
    dc.IntersectClipRect(&rc);
    if (!PaintFrameBackground(dc, pWnd))
        CExtPaintManagerXP::PaintDockBarBackground(dc, rc, pWnd, lParam);
}

bool CExtPaintManagerOffice2003::FindDialogBackgroundSource(CWnd* pWnd, CWnd*& pSource, int& nKind)
{
    for (CWnd* pCur = pWnd; pCur != NULL && pCur->m_hWnd != NULL; pCur = pCur->GetParent())
    {
        if (pCur != pWnd)
        {
            CExtToolControlBar* pBar = DYNAMIC_DOWNCAST(CExtToolControlBar, pCur);
            if (pBar != NULL)
            {
                pSource = pBar;
                if (!HasDockSite(pBar) || IsPanelBar(pBar) || IsMenuBar(pBar))
                    nKind = eSourceBackground;
                else
                    nKind = IsDockedInFrameOuterBars(pBar) ? eSourceBarBitmap : eSourceRowGradient;
                return true;
            }
            if (IsTopLevel(pCur))
            {
                pSource = pCur;
                nKind = eSourceBackground;
                return pCur->IsKindOf(RUNTIME_CLASS(CFrameWnd)) != FALSE;
            }
        }
    }
    return false;
}

bool CExtPaintManagerOffice2003::PaintDialogBackground(CDC& dc, CWnd* pWnd, LPARAM)
{
    if (!IsBackgroundCustomized(pWnd, 0) || GetGradientBitmap(eGradientBackground) == NULL || pWnd == NULL ||
        pWnd->m_hWnd == NULL)
        return false;
    CWnd* pSource = NULL;
    int nKind = eSourceBackground;
    if (!FindDialogBackgroundSource(pWnd, pSource, nKind))
        return false;
    const CRect rcTarget = ClientRectIn(pSource, pWnd, false);
    if (rcTarget.IsRectEmpty() || !dc.RectVisible(&rcTarget))
        return true;
    if (nKind == eSourceRowGradient)
    {
        PaintGradientRect(dc, rcTarget, GetColor(eClrColumnTo), GetColor(eClrSeparatorLight), true);
        return true;
    }
    int nBitmap = eGradientBackground;
    if (nKind == eSourceBarBitmap)
        nBitmap = IsBarVertical(static_cast<CExtControlBar*>(pSource)) ? eGradientVertBar : eGradientHorzBar;
    return StretchGradient(dc, nBitmap, rcTarget);
}

void CExtPaintManagerOffice2003::PaintControlBarFrame(CDC& dc, CExtPaintBarFrameArgs& args)
{
    CExtControlBar* pBar = DYNAMIC_DOWNCAST(CExtControlBar, args.m_pHelperSrc);
    CRect rc(args.m_rcBar);
    if (rc.IsRectEmpty())
        return;
    if (pBar == NULL || pBar->m_hWnd == NULL || args.m_bFloating || IsBarFloating(pBar) || !CanPaintGradients())
    {
        CExtPaintManagerXP::PaintControlBarFrame(dc, args);
        return;
    }
    {
        CDCStateKeeper state(dc);
        dc.ExcludeClipRect(&args.m_rcClient);
        if (PaintFrameBackground(dc, pBar, true))
            return;
    }
    CExtPaintManagerXP::PaintControlBarFrame(dc, args);
}

void CExtPaintManagerOffice2003::PaintToolbarSeparatorArea(CDC& dc, CExtControlBar* pBar, int, const RECT& rc)
{
    if (::IsRectEmpty(&rc))
        return;
    PaintGradientRect(dc, rc, GetColor(eClrColumnTo), GetColor(eClrSeparatorLight), IsBarVertical(pBar));
}

/////////////////////////////////////////////////////////////////////////////
// Bars

void CExtPaintManagerOffice2003::PaintToolbarSeparator(CDC& dc, const RECT& rcIn, bool bHorz,
                                                       bool bTransparentBackground, CObject* pHelperSrc,
                                                       LPARAM lParam)
{
    const bool bStatusBar = pHelperSrc != NULL && pHelperSrc->IsKindOf(RUNTIME_CLASS(CExtStatusControlBar));
    const bool bOwn = pHelperSrc != NULL && (pHelperSrc->IsKindOf(RUNTIME_CLASS(CExtToolControlBar)) ||
                                             pHelperSrc->IsKindOf(RUNTIME_CLASS(CExtBarButton)) || bStatusBar);
    if (!bOwn || GetScreenColorDepth() <= 8)
    {
        CExtPaintManagerXP::PaintToolbarSeparator(dc, rcIn, bHorz, bTransparentBackground, pHelperSrc, lParam);
        return;
    }
    CRect rc(rcIn);
    if (rc.IsRectEmpty())
        return;
    if (!bTransparentBackground)
        FillRect(dc, rc, EXTCLR_BAR_FACE);
    // Two pixels across the middle: dark on the top and left, light on the bottom and right.
    CRect rcLine;
    if (bHorz)
    {
        rcLine.SetRect(rc.left + rc.Width() / 2 - 1, rc.top, rc.left + rc.Width() / 2 + 1, rc.bottom);
        if (!bStatusBar)
        {
            rcLine.top += 3;
            rcLine.bottom -= 4;
        }
    }
    else
    {
        rcLine.SetRect(rc.left, rc.top + rc.Height() / 2 - 1, rc.right, rc.top + rc.Height() / 2 + 1);
        if (!bStatusBar)
        {
            rcLine.left += 4;
            rcLine.right -= 5;
        }
    }
    if (!rcLine.IsRectEmpty())
        Draw3dFrame(dc, rcLine, eClrSeparatorDark, eClrSeparatorLight);
}

void CExtPaintManagerOffice2003::PaintStatusPane(CDC& dc, CExtPaintStatusPaneArgs& args)
{
    CRect rc(args.m_rcItem);
    if (rc.IsRectEmpty())
        return;
    if (args.m_nPart == 2)
        FrameRect(dc, rc, eClrStatusPaneFrame);
    else
        CExtPaintManager::PaintStatusPane(dc, args);
}

void CExtPaintManagerOffice2003::PaintResizingGripper(CDC& dc, const RECT& rcIn, CWnd* pWnd)
{
    if (GetScreenColorDepth() <= 8)
    {
        CExtPaintManager::PaintResizingGripper(dc, rcIn, pWnd);
        return;
    }
    CRect rc(rcIn);
    if (rc.IsRectEmpty())
        return;
    // Three dots in the rightmost column, two in the next, one in the third.
    const COLORREF clrLight = GetColor(eClrGripLight), clrDark = GetColor(eClrGripDark);
    for (int nColumn = 0; nColumn < 3; nColumn++)
        for (int nRow = 0; nColumn + nRow < 3; nRow++)
        {
            const int x = rc.right - 2 - 4 * nColumn, y = rc.bottom - 2 - 4 * nRow;
            dc.FillSolidRect(x, y, 2, 2, clrLight);
            dc.FillSolidRect(x - 1, y - 1, 2, 2, clrDark);
        }
}

void CExtPaintManagerOffice2003::PaintToolbarGripperDots(CDC& dc, const CRect& rc, bool bVertical)
{
    const COLORREF clrLight = GetColor(eClrGripLight), clrDark = GetColor(eClrGripDark);
    if (bVertical)
    {
        // A column of dots down the strip, centred across it.
        const int x = rc.left + (rc.Width() - 3) / 2;
        for (int y = rc.top + 3; y + 3 <= rc.bottom - 2; y += 4)
        {
            dc.FillSolidRect(x + 1, y + 1, 2, 2, clrLight);
            dc.FillSolidRect(x, y, 2, 2, clrDark);
        }
    }
    else
    {
        const int y = rc.top + (rc.Height() - 3) / 2;
        for (int x = rc.left + 3; x + 3 <= rc.right - 2; x += 4)
        {
            dc.FillSolidRect(x + 1, y + 1, 2, 2, clrLight);
            dc.FillSolidRect(x, y, 2, 2, clrDark);
        }
    }
}

void CExtPaintManagerOffice2003::PaintControlBarCaption(CDC& dc, CExtPaintBarCaptionArgs& args)
{
    CRect rc(args.m_rcCaption);
    if (rc.IsRectEmpty())
        return;
    CExtControlBar* pBar = DYNAMIC_DOWNCAST(CExtControlBar, args.m_pHelperSrc);
    if (pBar == NULL || pBar->m_hWnd == NULL || args.m_bFloating || IsBarFloating(pBar) || !CanPaintGradients() ||
        !IsDockedInFrameOuterBars(pBar))
    {
        CExtPaintManagerXP::PaintControlBarCaption(dc, args);
        return;
    }
    if (!args.m_bResizable)
    {
        // A toolbar's gripper: the toolbar's gradient behind a row of dots.
        PaintToolbarBackground(dc, rc, pBar);
        PaintToolbarGripperDots(dc, rc, args.m_bVertical);
        return;
    }
    const bool bNoFill = args.m_bNoFill;
    if (!args.m_bActive)
    {
        // The band reaches 4 pixels into the client area, under the caption's rounding.
        CRect rcClient;
        pBar->GetClientRect(&rcClient);
        pBar->ClientToScreen(&rcClient);
        CRect rcWindow;
        pBar->GetWindowRect(&rcWindow);
        CRect rcBand(rc.left, rc.top, rc.right, rcClient.top - rcWindow.top + 4);
        if (rcBand.bottom < rc.bottom)
            rcBand.bottom = rc.bottom;
        PaintGradientRect(dc, rcBand, GetColor(eClrBackLight), GetColor(eClrBackDark), false);
        args.m_bNoFill = true;
    }
    CExtPaintManagerXP::PaintControlBarCaption(dc, args);
    args.m_bNoFill = bNoFill;
}

/////////////////////////////////////////////////////////////////////////////
// Expand buttons

void CExtPaintManagerOffice2003::PaintMenuExpandButton(CDC& dc, const RECT& rcIn, bool bPushed, bool bHover,
                                                       CObject* pHelperSrc, LPARAM lParam)
{
    CRect rc(rcIn);
    if (rc.IsRectEmpty())
        return;
    if (!CanPaintGradients() || m_rgnOctagon.GetSafeHandle() == NULL)
    {
        CExtPaintManagerXP::PaintMenuExpandButton(dc, rc, bPushed, bHover, pHelperSrc, lParam);
        return;
    }
    if (rc.Width() % 2 != 0)
        rc.right--;
    // A moved copy: the member stays at its origin, so repeated paints cannot drift it.
    CRgn rgnCell;
    if (!rgnCell.CreateRectRgn(0, 0, 0, 0) || rgnCell.CombineRgn(&m_rgnOctagon, NULL, RGN_COPY) == ERROR)
    {
        CExtPaintManagerXP::PaintMenuExpandButton(dc, rc, bPushed, bHover, pHelperSrc, lParam);
        return;
    }
    PaintMenuExpandButtonBackground(dc, rc, bPushed, bHover, pHelperSrc, lParam);
    CRect rcCell(CPoint(rc.left + (rc.Width() - m_sizeCell.cx) / 2, rc.top + (rc.Height() - m_sizeCell.cy) / 2),
                 m_sizeCell);
    rgnCell.OffsetRgn(rcCell.TopLeft());
    CBrush brush(GetColor(eClrMenuExpandOctagon));
    dc.FillRgn(&rgnCell, &brush);
    if (bPushed)
        rcCell.OffsetRect(GetPushedOffset());
    PaintGlyphIn(dc, rcCell, CExtPaletteGlyph::GetRecord(CExtPaletteGlyph::eRecordChevronVertical),
                 GetColor(EXTCLR_TEXT));
}

void CExtPaintManagerOffice2003::PaintExpandGlyphPair(CDC& dc, const CRect& rcButton, bool bHorz,
                                                      bool bBarIsCompletelyVisible)
{
    const CExtPaletteGlyph& arrow = GetExpandGlyph(bHorz, false);
    const CExtPaletteGlyph& chevron = GetExpandGlyph(bHorz, true);
    const CSize sizePushed = GetPushedOffset();
    const int n = 3 * std::max(1, (int)(bHorz ? sizePushed.cy : sizePushed.cx));
    const int w = rcButton.Width(), h = rcButton.Height();
    CPoint ptArrow, ptChevron;
    if (bHorz)
    {
        ptArrow.SetPoint(rcButton.left + (w - arrow.GetWidth()) / 2 + 1, rcButton.top + h - arrow.GetHeight() - n - 1);
        ptChevron.SetPoint(rcButton.left + (w - chevron.GetWidth()) / 2 + 1, rcButton.top + n + 1);
    }
    else
    {
        // Each placed with the other's size.
        ptArrow.SetPoint(rcButton.left + w - chevron.GetWidth() - n - 1,
                         rcButton.top + (h - chevron.GetHeight()) / 2 + 1);
        ptChevron.SetPoint(rcButton.left + n + 1, rcButton.top + (h - arrow.GetHeight()) / 2 + 1);
    }
    const COLORREF arrShadow[2] = {0, GetColor(eClrExpandGlyphShadow)};
    const COLORREF arrGlyph[2] = {0, GetColor(eClrExpandGlyph)};
    PaintGlyph(dc, ptArrow.x + 1, ptArrow.y + 1, arrow, arrShadow);
    PaintGlyph(dc, ptArrow.x, ptArrow.y, arrow, arrGlyph);
    if (!bBarIsCompletelyVisible)
    {
        PaintGlyph(dc, ptChevron.x + 1, ptChevron.y + 1, chevron, arrShadow);
        PaintGlyph(dc, ptChevron.x, ptChevron.y, chevron, arrGlyph);
    }
}

bool CExtPaintManagerOffice2003::PaintExpandButtonGradient(CDC& dc, CExtBarButton* pButton, const RECT& rcIn,
                                                           bool bHorz, bool bBarIsCompletelyVisible, bool bPushed,
                                                           bool bHover)
{
    CExtToolControlBar* pBar = pButton->GetBar();
    if (pBar == NULL || pBar->m_hWnd == NULL)
        return false;
    CRect rcClient;
    pBar->GetClientRect(&rcClient);
    // The button moves to the bar's far end and reaches across it; the rest of the bar
    // is cut at the button's near edge.
    CRect rcButton(rcIn), rcRest(rcClient);
    if (bHorz)
    {
        rcButton.OffsetRect(rcClient.right - rcButton.right, 0);
        rcButton.top = rcClient.top;
        rcButton.bottom = rcClient.bottom - 1;
        rcRest.right = rcButton.left;
        rcButton.left -= m_sizeRounding.cx + 1;
    }
    else
    {
        rcButton.OffsetRect(0, rcClient.bottom - rcButton.bottom);
        rcButton.left = rcClient.left;
        rcButton.right = rcClient.right - 1;
        rcRest.bottom = rcButton.top;
        rcButton.top -= m_sizeRounding.cy + 1;
    }
    CRgn rgnBar, rgnRest;
    if (!MakeRoundRegion(dc, rgnBar, rcClient, m_sizeRounding) || !MakeRoundRegion(dc, rgnRest, rcRest, m_sizeRounding) ||
        rgnBar.CombineRgn(&rgnBar, &rgnRest, RGN_DIFF) == ERROR)
        return false;
    CDCStateKeeper state(dc);
    ::ExtSelectClipRgn(dc.m_hDC, (HRGN)rgnBar.GetSafeHandle(), RGN_AND);
    if (bHover || bPushed)
    {
        CRect rcFill(rcButton);
        rcFill.InflateRect(1, 1);
        // Horizontal bars run from the first id at the bottom, vertical ones from the left.
        int nFrom, nTo;
        if (bPushed)
            nFrom = bHorz ? eClrExpandPushed1 : eClrExpandPushed2, nTo = bHorz ? eClrExpandPushed2 : eClrExpandPushed1;
        else
            nFrom = bHorz ? eClrExpandHover2 : eClrExpandHover1, nTo = bHorz ? eClrExpandHover1 : eClrExpandHover2;
        PaintGradientRect(dc, rcFill, GetColor(nFrom), GetColor(nTo), bHorz);
    }
    else
    {
        const int nFrom = bHorz ? eClrExpandDark : eClrExpandLight, nTo = bHorz ? eClrExpandLight : eClrExpandDark;
        if (g_PaintManagerHolder.AreTaskbandColorsUsable())
            PaintGradientRect(dc, rcButton, GetColor(nFrom), GetColor(nTo), bHorz);
        else
        {
            // The near three fifths across the bar a gradient, the far two fifths plain.
            CRect rcNear(rcButton), rcFar(rcButton);
            if (bHorz)
                rcNear.bottom = rcFar.top = rcButton.top + ::MulDiv(rcButton.Height(), 3, 5);
            else
                rcNear.right = rcFar.left = rcButton.left + ::MulDiv(rcButton.Width(), 3, 5);
            FillRect(dc, rcFar, eClrExpandDark);
            PaintGradientRect(dc, rcNear, GetColor(nFrom), GetColor(nTo), bHorz);
        }
    }
    PaintExpandGlyphPair(dc, rcButton, bHorz, bBarIsCompletelyVisible);
    return true;
}

void CExtPaintManagerOffice2003::PaintToolbarExpandButton(CDC& dc, const RECT& rcIn, bool bHorz,
                                                          bool bBarIsCompletelyVisible, bool bEnabled, bool bPushed,
                                                          bool bHover, CObject* pHelperSrc, LPARAM lParam,
                                                          bool bTransparentBackground)
{
    CRect rc(rcIn);
    rc.NormalizeRect();
    if (rc.IsRectEmpty() || !dc.RectVisible(&rc))
        return;
    CExtBarButton* pButton = DYNAMIC_DOWNCAST(CExtBarButton, pHelperSrc);
    const bool bOwn = pButton != NULL && IsContentExpandButton(pButton) && bEnabled &&
                      IsBackgroundCustomized(pHelperSrc, 0) && GetScreenColorDepth() > 8 &&
                      IsFrameToolbar(pButton->GetBar());
    if (bOwn && PaintExpandButtonGradient(dc, pButton, rc, bHorz, bBarIsCompletelyVisible, bPushed, bHover))
        return;
    CExtPaintManagerXP::PaintToolbarExpandButton(dc, rc, bHorz, bBarIsCompletelyVisible, bEnabled, bPushed, bHover,
                                                 pHelperSrc, lParam, bTransparentBackground);
}

/////////////////////////////////////////////////////////////////////////////
// Menus and combo boxes

void CExtPaintManagerOffice2003::PaintCombinedAreaPatches(CDC& dc, const CRect& r, int eCombineAlign)
{
    // The toolbar's rounded corner next to the chevron, mended in the pushed colour.
    const int cx = m_sizeRounding.cx, cy = m_sizeRounding.cy;
    const COLORREF clr = GetColor(eClrExpandPushed1);
    switch (eCombineAlign)
    {
    case 1:
        dc.FillSolidRect(r.right - cx - 2, r.bottom - cy - 1, cx + 2, cy, clr);
        break;
    case 2:
        dc.FillSolidRect(r.right - cx - 2, r.top + 1, cx + 2, cy, clr);
        dc.FillSolidRect(r.right - cx, r.bottom - cy - 1, cx, cy, clr);
        break;
    case 3:
        dc.FillSolidRect(r.right - cx, r.bottom - cy - 1, cx, cy, clr);
        break;
    case 4:
        dc.FillSolidRect(r.right - cx - 2, r.bottom - cy, cx + 1, cy, clr);
        break;
    }
}

void CExtPaintManagerOffice2003::PaintMenuCombinedArea(CDC& dc, const RECT& rcAreaIn, const RECT& rcClient,
                                                       int eCombineAlign, CObject* pHelperSrc, LPARAM lParam)
{
    CRect rcArea(rcAreaIn);
    if (rcArea.IsRectEmpty())
        return;
    CExtPopupMenuWnd* pPopup = DYNAMIC_DOWNCAST(CExtPopupMenuWnd, pHelperSrc);
    if (pPopup == NULL || !CanPaintGradients())
    {
        CExtPaintManagerXP::PaintMenuCombinedArea(dc, rcArea, rcClient, eCombineAlign, pHelperSrc, lParam);
        return;
    }
    // The popup's painter cookie is the window that opened it.
    CObject* pOwner = (CObject*)pPopup->GetPainterCookie();
    CExtToolControlBar* pToolBar = pOwner != NULL ? DYNAMIC_DOWNCAST(CExtToolControlBar, pOwner) : NULL;
    CExtBarButton* pTracked = pToolBar != NULL ? GetMenuTrackingButton(pToolBar) : NULL;
    if (pToolBar != NULL)
    {
        if (!HasDockSite(pToolBar) || IsBarParentNotFrame(pToolBar))
        {
            CExtPaintManagerXP::PaintMenuCombinedArea(dc, rcArea, rcClient, eCombineAlign, pHelperSrc, lParam);
            return;
        }
        if (pTracked != NULL && IsContentExpandButton(pTracked) && !IsMenuBar(pToolBar))
        {
            if (!g_PaintManagerHolder.AreTaskbandColorsUsable())
                PaintCombinedAreaPatches(dc, rcArea, eCombineAlign);
            return;
        }
    }
    CRect rcExclude(rcClient);
    if (eCombineAlign == 1 || eCombineAlign == 2)
        rcExclude.DeflateRect(1, 0);
    else if (eCombineAlign == 3 || eCombineAlign == 4)
        rcExclude.DeflateRect(0, 1);
    bool bPlain = pPopup->IsSubMenuPopup();
    if (bPlain && pTracked != NULL)
    {
        CExtCommandIcon* pIcon = pTracked->GetIcon();
        bPlain = !IsMenuBar(pToolBar) && (pIcon == NULL || pIcon->IsEmpty());
    }
    CDCStateKeeper state(dc);
    if (bPlain)
    {
        if (eCombineAlign == 4)
            rcArea.right--;
        {
            CDCStateKeeper clip(dc);
            dc.ExcludeClipRect(&rcExclude);
            FillRect(dc, rcArea, EXTCLR_XP_BAR_FACE);
        }
        FrameRect(dc, rcArea, EXTCLR_XP_MENU_FRAME);
        return;
    }
    FillRect(dc, rcArea, EXTCLR_XP_MENU_BACK);
    dc.ExcludeClipRect(&rcExclude);
    const CRect rcQuarter(0, 0, nGradientSize / 2, nGradientSize / 2);
    StretchGradient(dc, eGradientHorzBar, rcArea, &rcQuarter);
    FrameRect(dc, rcArea, EXTCLR_XP_MENU_FRAME);
}

void CExtPaintManagerOffice2003::PaintComboFrame(CDC& dc, CExtPaintComboFrameArgs& args)
{
    CRect rcClient(args.m_rcClient);
    if (rcClient.IsRectEmpty())
        return;
    const bool bOwn = args.m_pHelperSrc != NULL &&
                      (args.m_pHelperSrc->IsKindOf(RUNTIME_CLASS(CComboBox)) ||
                       args.m_pHelperSrc->IsKindOf(RUNTIME_CLASS(CExtBarButton))) &&
                      args.m_bEnabled && args.m_clrForceNA == (COLORREF)-1 && args.m_clrForceNA2 == (COLORREF)-1 &&
                      args.m_clrForceActiveOuter == (COLORREF)-1 && IsBackgroundCustomized(args.m_pHelperSrc, 0) &&
                      CanPaintGradients();
    if (!bOwn)
    {
        CExtPaintManagerXP::PaintComboFrame(dc, args);
        return;
    }
    const int w = ::GetSystemMetrics(SM_CXHTHUMB);
    CRect rcInner(rcClient);
    rcInner.DeflateRect(1, 1);
    const CRect rcButton(rcInner.right - w, rcInner.top, rcInner.right, rcInner.bottom);
    const CRect rcEdit(rcInner.left + 1, rcInner.top + 1, rcInner.right - w - 2, rcInner.bottom - 1);
    // Everything but the edit field; the regions go with this scope on every path.
    CRgn rgnFrame, rgnEdit;
    if (!MakeRectRegion(dc, rgnFrame, rcClient) || !MakeRectRegion(dc, rgnEdit, rcEdit) ||
        rgnFrame.CombineRgn(&rgnFrame, &rgnEdit, RGN_DIFF) == ERROR)
    {
        CExtPaintManagerXP::PaintComboFrame(dc, args);
        return;
    }
    {
        CDCStateKeeper state(dc);
        ::ExtSelectClipRgn(dc.m_hDC, (HRGN)rgnFrame.GetSafeHandle(), RGN_AND);
        CWnd* pWnd = DYNAMIC_DOWNCAST(CWnd, args.m_pHelperSrc);
        bool bBackground = true;
        if (pWnd != NULL)
            bBackground = PaintDialogBackground(dc, pWnd);
        if (bBackground)
        {
            FrameRect(dc, rcInner, COLOR_WINDOW);
            CRect rcRing(rcInner.left, rcInner.top + 1, rcInner.right - (w - 1), rcInner.bottom - 1);
            for (int i = 0; i < 4; i++)
            {
                FrameRect(dc, rcRing, COLOR_WINDOW);
                rcRing.right--;
            }
            const bool bHot = args.m_bHover || args.m_bPushed;
            if (bHot)
                FrameRect(dc, rcInner, EXTCLR_XP_SELECTION_FRAME);
            CExtPaintPushButtonArgs button(args.m_pHelperSrc, rcButton, "6", NULL, true, bHot, args.m_bPushed, false,
                                           true, true, false, false);
            button.m_nIconAlignment = 5;
            button.m_hFont = (HFONT)GetComboArrowFont(dc).GetSafeHandle();
            button.m_bUseDrawText = true;
            button.m_bTransparentBackground = !bHot;
            PaintPushButton(dc, button);
            return;
        }
    }
    // No gradient behind it: the flat frame, with the clip as it was.
    CExtPaintManagerXP::PaintComboFrame(dc, args);
}
