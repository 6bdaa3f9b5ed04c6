// CExtPaintManagerOffice2003: the gradient colour scheme and the gradient backgrounds.
#include "CExtPaintManagerOffice2003.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CExtPaintManagerOffice2003, CExtPaintManagerXP)

namespace
{
COLORREF Mix(COLORREF a, COLORREF b, int nNum, int nDen)
{
    return RGB(GetRValue(a) + (GetRValue(b) - GetRValue(a)) * nNum / nDen,
               GetGValue(a) + (GetGValue(b) - GetGValue(a)) * nNum / nDen,
               GetBValue(a) + (GetBValue(b) - GetBValue(a)) * nNum / nDen);
}

// This look's gradients start at the top (bVertical) or the left edge.
void PaintGradientFromTopLeft(CDC& dc, const RECT& rc, COLORREF clrStart, COLORREF clrEnd, bool bVertical)
{
    if (bVertical)
        PaintGradientRect(dc, rc, clrEnd, clrStart, true);
    else
        PaintGradientRect(dc, rc, clrStart, clrEnd, false);
}
}

CExtPaintManagerOffice2003::CExtPaintManagerOffice2003()
{
}

void CExtPaintManagerOffice2003::InitTranslatedColors()
{
    CExtPaintManagerXP::InitTranslatedColors();
    if (GetScreenColorDepth() <= 8)
    {
        // Every other id of the gradient series gives the face colour then.
        AppendColor(3014, GetColor(COLOR_3DSHADOW));
        return;
    }
    InitUnthemedColors();
}

void CExtPaintManagerOffice2003::InitUnthemedColors()
{
    MapColor(3000, COLOR_WINDOW);
    MapColor(3001, COLOR_3DFACE);
    MapColor(3010, COLOR_WINDOW);
    AppendColor(3011, HLSAdjust(GetColor(COLOR_3DFACE), 0, -0.2, 0));
    AppendColor(3003, HLSAdjust(GetColor(COLOR_3DSHADOW), 0, 0.2, 0));
    MapColor(3002, COLOR_WINDOW);
    AppendColor(3004, HLSAdjust(GetColor(COLOR_3DSHADOW), 0, 0.25, 0));
    AppendColor(3005, HLSAdjust(GetColor(COLOR_3DSHADOW), 0, -0.1, 0));
    int n3007 = AppendColor(3007, HLSAdjust(GetColor(EXTCLR_XP_PUSHED_SELECTION), 0, 0.3, 0));
    MapColor(3006, n3007);
    int n3009 = AppendColor(3009, HLSAdjust(GetColor(EXTCLR_XP_PUSHED_SELECTION), 0, 0.6, 0));
    MapColor(3008, n3009);
    MapColor(3012, COLOR_WINDOW);
    MapColor(3013, COLOR_3DDKSHADOW);
    MapColor(3014, COLOR_3DSHADOW);
    MapColor(3015, COLOR_WINDOW);
    AppendColor(3016, GetColor(EXTCLR_XP_BAR_FACE));
    AppendColor(3017, GetColor(EXTCLR_XP_MENU_BACK));
    MapColor(3018, COLOR_3DFACE);
    MapColor(3025, COLOR_WINDOW);
    // A lighter menu background than the flat look's.
    AppendColor(EXTCLR_XP_MENU_BACK, HLSAdjust(GetColor(EXTCLR_XP_MENU_BACK), 0, 0.3, 0));
}

bool CExtPaintManagerOffice2003::IsToolbarBackgroundGradient(CExtControlBar* /*pBar*/)
{
    return GetScreenColorDepth() > 8;
}

bool CExtPaintManagerOffice2003::IsBackgroundCustomized(CObject*, LPARAM)
{
    return GetScreenColorDepth() > 8;
}

CSize CExtPaintManagerOffice2003::GetToolbarBackgroundInflate()
{
    return CSize(4, 4);
}

void CExtPaintManagerOffice2003::PaintFrameGradient(CDC& dc, const RECT& rc, CWnd* pWnd)
{
    // The gradient runs from the face colour at the frame's left edge to a lighter
    // one at its right edge, whatever part of it this window covers.
    const COLORREF clrLeft = GetColor(3001), clrRight = HLSAdjust(GetColor(3001), 0, 0.55, 0);
    CWnd* pFrame = pWnd != NULL ? pWnd->GetTopLevelParent() : NULL;
    if (pFrame == NULL || pFrame->m_hWnd == NULL)
    {
        PaintGradientFromTopLeft(dc, rc, clrLeft, clrRight, false);
        return;
    }
    CRect rcFrame;
    pFrame->GetClientRect(&rcFrame);
    pFrame->ClientToScreen(&rcFrame);
    CRect rcScreen(rc);
    pWnd->ClientToScreen(&rcScreen);
    const int nWidth = std::max(1, (int)rcFrame.Width());
    const int nFrom = std::min(std::max((int)(rcScreen.left - rcFrame.left), 0), nWidth);
    const int nTo = std::min(std::max((int)(rcScreen.right - rcFrame.left), 0), nWidth);
    PaintGradientFromTopLeft(dc, rc, Mix(clrLeft, clrRight, nFrom, nWidth), Mix(clrLeft, clrRight, nTo, nWidth), false);
}

bool CExtPaintManagerOffice2003::PaintDialogBackground(CDC& dc, CWnd* pWnd, LPARAM)
{
    if (!IsBackgroundCustomized() || pWnd == NULL || pWnd->m_hWnd == NULL)
        return false;
    CRect rc;
    pWnd->GetClientRect(&rc);
    PaintGradientFromTopLeft(dc, rc, GetColor(3001), HLSAdjust(GetColor(3001), 0, 0.45, 0), true);
    return true;
}

void CExtPaintManagerOffice2003::PaintToolbarBackground(CDC& dc, const RECT& rc, CWnd* pWnd, LPARAM lParam)
{
    if (!IsBackgroundCustomized())
    {
        CExtPaintManagerXP::PaintToolbarBackground(dc, rc, pWnd, lParam);
        return;
    }
    if (!dc.RectVisible(&rc))
        return;
    CRect r(rc);
    const bool bVertical = r.Height() > r.Width() * 2;
    const COLORREF clrLight = HLSAdjust(GetColor(3001), 0, 0.7, 0), clrDark = GetColor(3016);
    PaintGradientFromTopLeft(dc, r, clrLight, clrDark, !bVertical);
}

void CExtPaintManagerOffice2003::PaintDockBarBackground(CDC& dc, const RECT& rc, CWnd* pWnd, LPARAM lParam)
{
    if (!IsBackgroundCustomized())
    {
        CExtPaintManagerXP::PaintDockBarBackground(dc, rc, pWnd, lParam);
        return;
    }
    if (dc.RectVisible(&rc))
        PaintFrameGradient(dc, rc, pWnd);
}

void CExtPaintManagerOffice2003::PaintToolbarSeparator(CDC& dc, const RECT& rcIn, bool bHorz,
                                                       bool bTransparentBackground, CObject* pHelperSrc,
                                                       LPARAM lParam)
{
    if (!IsBackgroundCustomized())
    {
        CExtPaintManagerXP::PaintToolbarSeparator(dc, rcIn, bHorz, bTransparentBackground, pHelperSrc, lParam);
        return;
    }
    CRect rc(rcIn);
    if (rc.IsRectEmpty())
        return;
    // A dark line with a light one beside it.
    if (bHorz)
    {
        int x = rc.left + rc.Width() / 2;
        dc.FillSolidRect(x, rc.top + 2, 1, rc.Height() - 4, GetColor(3011));
        dc.FillSolidRect(x + 1, rc.top + 3, 1, rc.Height() - 4, GetColor(3010));
    }
    else
    {
        int y = rc.top + rc.Height() / 2;
        dc.FillSolidRect(rc.left + 2, y, rc.Width() - 4, 1, GetColor(3011));
        dc.FillSolidRect(rc.left + 3, y + 1, rc.Width() - 4, 1, GetColor(3010));
    }
}

void CExtPaintManagerOffice2003::PaintStatusPane(CDC& dc, CExtPaintStatusPaneArgs& args)
{
    CRect rc(args.m_rcItem);
    if (rc.IsRectEmpty() || args.m_nPart != 2)
        return;
    FrameRect(dc, rc, 3014);
}

void CExtPaintManagerOffice2003::PaintCaptionBackground(CDC& dc, CExtPaintBarCaptionArgs& args)
{
    if (!IsBackgroundCustomized() || (args.m_bResizable && args.m_bActive))
    {
        CExtPaintManagerXP::PaintCaptionBackground(dc, args);
        return;
    }
    PaintGradientFromTopLeft(dc, args.m_rcCaption, HLSAdjust(GetColor(3001), 0, 0.5, 0), GetColor(3001), !args.m_bVertical);
}
