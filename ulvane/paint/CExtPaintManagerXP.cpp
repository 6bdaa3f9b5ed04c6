// CExtPaintManagerXP: the flat colour scheme and the flat painting.
#include "CExtPaintManagerXP.h"

#include "CExtCommandIcon.h"

IMPLEMENT_DYNCREATE(CExtPaintManagerXP, CExtPaintManager)

namespace
{
COLORREF ScaleChannels(COLORREF clr, int nRed, int nGreen, int nBlue)
{
    return RGB(GetRValue(clr) * nRed / 1000, GetGValue(clr) * nGreen / 1000, GetBValue(clr) * nBlue / 1000);
}
}

CExtPaintManagerXP::CExtPaintManagerXP()
{
    m_nDisabledTextStyle = DSS_MONO;
}

COLORREF CExtPaintManagerXP::GetMenuFrameFillColor()
{
    return GetColor(EXTCLR_XP_MENU_BACK);
}

CSize CExtPaintManagerXP::GetPushedOffset()
{
    return CSize(0, 0);
}

void CExtPaintManagerXP::InitTranslatedColors()
{
    m_nDisabledTextStyle = DSS_MONO;
    CExtPaintManager::InitTranslatedColors();

    const COLORREF clrFace = ::GetSysColor(COLOR_3DFACE), clrWindow = ::GetSysColor(COLOR_WINDOW);
    const COLORREF clrShadow = ::GetSysColor(COLOR_3DSHADOW), clrDkShadow = ::GetSysColor(COLOR_3DDKSHADOW);
    COLORREF face, menuBack, select, selectPushed, selectFrame, edge, faceDark, faceRare;
    if (GetScreenColorDepth() >= 9)
    {
        face = HLSAdjust(clrFace, 0, 0.2, 0);
        COLORREF u = HLSAdjust(clrFace, 0, 0.7, -0.5);
        u = RGB(GetRValue(u) + ::MulDiv(255 - GetRValue(u), 40, 100), GetGValue(u) + ::MulDiv(255 - GetGValue(u), 20, 100),
                GetBValue(u));
        menuBack = HLSAdjust(u, 0, 0.06, 0.05);
        select = HLSAdjust(::GetSysColor(COLOR_HIGHLIGHT), 0, 0.75, -0.75);
        selectPushed = HLSAdjust(select, 0, -0.25, 0.1);
        selectFrame = HLSAdjust(selectPushed, 0, -0.5, 0);
        edge = RGB((GetRValue(clrDkShadow) + 3 * GetRValue(clrShadow)) >> 2,
                   (GetGValue(clrDkShadow) + 3 * GetGValue(clrShadow)) >> 2,
                   (GetBValue(clrDkShadow) + 3 * GetBValue(clrShadow)) >> 2);
        faceDark = ScaleChannels(clrFace, 857, 857, 857);
        faceRare = ScaleChannels(clrFace, 999, 995, 995);
    }
    else
    {
        face = select = clrFace;
        edge = faceDark = selectPushed = faceRare = clrShadow;
        selectFrame = ::GetSysColor(COLOR_BTNTEXT);
        menuBack = clrWindow;
    }

    AppendColor(1000, face);
    AppendColor(1001, select);
    MapColor(EXTCLR_XP_BAR_FACE, COLOR_3DFACE);
    int nEdge = AppendColor(1002, edge);
    for (int nId : {1003, 1004, 1005, 1006, 1007, 1008, 1009, (int)EXTCLR_XP_SEPARATOR, (int)EXTCLR_XP_SELECTION_FRAME,
                    (int)EXTCLR_XP_SELECTED_TEXT, (int)EXTCLR_XP_FLOATING_FACE})
        MapColor(nId, nEdge);
    MapColor(1010, COLOR_BTNTEXT);
    AppendColor(1011, GetScreenColorDepth() <= 8 ? ::GetSysColor(COLOR_3DHILIGHT) : RGB(0, 0, 0));
    MapColor(2010, COLOR_3DSHADOW);
    MapColor(EXTCLR_XP_SELECTED_TEXT, COLOR_HIGHLIGHTTEXT);
    AppendColor(EXTCLR_XP_BAR_FACE, face);
    AppendColor(EXTCLR_XP_MENU_BACK, menuBack);
    AppendColor(EXTCLR_XP_SEPARATOR, faceDark);
    AppendColor(EXTCLR_XP_PUSHED_SELECTION, selectPushed);
    AppendColor(EXTCLR_XP_SELECTION_FRAME, selectFrame);
    AppendColor(EXTCLR_XP_RARELY_USED, faceRare);
    MapColor(EXTCLR_XP_MENU_FRAME, COLOR_3DDKSHADOW);
    AppendColor(EXTCLR_XP_FLOATING_FACE, menuBack);
    AppendColor(EXTCLR_XP_FIXED_FLOATING_FACE, GetColor(1000));
}

void CExtPaintManagerXP::PaintSunkenBorder(CDC& dc, const RECT& rc, CObject*, LPARAM)
{
    FrameRect(dc, rc, COLOR_3DSHADOW);
}

void CExtPaintManagerXP::PaintPushButton(CDC& dc, CExtPaintPushButtonArgs& args)
{
    CRect rc(args.m_rcClient);
    if (rc.IsRectEmpty())
        return;
    if (!args.m_bEnabled)
        args.m_bHover = args.m_bIndeterminate = args.m_bDrawFocusRect = false;
    const bool bShowPushed = args.m_bPushed;

    if (!args.m_bTransparentBackground || args.m_bHover || bShowPushed)
    {
        int nFill = args.m_bFlat ? EXTCLR_BAR_FACE : COLOR_3DFACE;
        if (args.m_bHover && bShowPushed)
            nFill = EXTCLR_XP_PUSHED_SELECTION;
        else if (args.m_bHover || bShowPushed)
            nFill = EXTCLR_SELECTION;
        FillRect(dc, rc, nFill);
    }
    // Frames: a flat button only while hovered or pushed with its border asked for;
    // a standard button always, darker while idle.
    if (!args.m_bFlat)
        FrameRect(dc, rc, args.m_bHover || bShowPushed ? EXTCLR_XP_SELECTION_FRAME : COLOR_3DDKSHADOW);
    else if (args.m_bDrawBorder && (args.m_bHover || bShowPushed))
        FrameRect(dc, rc, EXTCLR_XP_SELECTION_FRAME);

    CRect rcContent(rc);
    rcContent.DeflateRect(3, 3);
    rcContent = PaintPushButtonGlyphs(dc, args, rcContent, GetColor(args.m_bEnabled ? EXTCLR_TEXT : COLOR_3DSHADOW));
    if (!args.m_strText.IsEmpty())
    {
        COLORREF clr;
        if (!args.m_bEnabled)
            clr = args.m_clrDisabledText != (COLORREF)-1 ? args.m_clrDisabledText : GetColor(COLOR_3DSHADOW);
        else if (args.m_bHover && bShowPushed)
            clr = args.m_clrPushedText != (COLORREF)-1 ? args.m_clrPushedText : GetColor(EXTCLR_XP_SELECTED_TEXT);
        else if (args.m_bHover || bShowPushed)
            clr = args.m_clrHoverText != (COLORREF)-1 ? args.m_clrHoverText : GetColor(EXTCLR_TEXT_XP);
        else
            clr = args.m_clrText != (COLORREF)-1 ? args.m_clrText : GetColor(args.m_bFlat ? EXTCLR_TEXT : COLOR_BTNTEXT);
        HFONT hFont = args.m_hFont != NULL ? args.m_hFont
                                           : (HFONT)(args.m_bDefaultPushButton ? m_FontBold : m_FontNormal).GetSafeHandle();
        DrawTextIn(dc, args.m_strText, rcContent, clr, hFont, args.m_nDrawTextFlags);
    }
    if (args.m_bDrawFocusRect)
    {
        CRect rcFocus(rc);
        rcFocus.DeflateRect(3, 3);
        dc.DrawFocusRect(&rcFocus);
    }
}

void CExtPaintManagerXP::PaintToolbarSeparator(CDC& dc, const RECT& rcIn, bool bHorz, bool bTransparentBackground,
                                               CObject*, LPARAM)
{
    CRect rc(rcIn);
    if (rc.IsRectEmpty())
        return;
    if (!bTransparentBackground)
        FillRect(dc, rc, EXTCLR_BAR_FACE);
    if (bHorz)
        dc.FillSolidRect(rc.left + rc.Width() / 2, rc.top + 1, 1, rc.Height() - 2, GetColor(EXTCLR_XP_SEPARATOR));
    else
        dc.FillSolidRect(rc.left + 1, rc.top + rc.Height() / 2, rc.Width() - 2, 1, GetColor(EXTCLR_XP_SEPARATOR));
}

void CExtPaintManagerXP::PaintCaptionBackground(CDC& dc, CExtPaintBarCaptionArgs& args)
{
    CRect rc(args.m_rcCaption);
    if (args.m_bResizable && args.m_bActive)
        FillRect(dc, rc, COLOR_HIGHLIGHT);
    else if (args.m_bResizable)
    {
        FillRect(dc, rc, EXTCLR_XP_BAR_FACE);
        if (!args.m_bFloating)
            FrameRect(dc, rc, COLOR_3DSHADOW);
    }
    else
        FillRect(dc, rc, COLOR_3DSHADOW);
}

void CExtPaintManagerXP::PaintGripperStripes(CDC& dc, const CRect& rc, bool bVertical)
{
    FillRect(dc, rc, EXTCLR_BAR_FACE);
    const COLORREF clr = GetColor(EXTCLR_XP_SEPARATOR);
    if (bVertical)
    {
        // Horizontal stripes across the top of a vertical bar.
        for (int x = rc.left + 3; x < rc.right - 2; x += 2)
            dc.FillSolidRect(x, rc.top + rc.Height() / 2 - 1, 1, 3, clr);
    }
    else
    {
        for (int y = rc.top + 3; y < rc.bottom - 2; y += 2)
            dc.FillSolidRect(rc.left + rc.Width() / 2 - 1, y, 3, 1, clr);
    }
}

void CExtPaintManagerXP::PaintControlBarCaption(CDC& dc, CExtPaintBarCaptionArgs& args)
{
    CRect rc(args.m_rcCaption);
    if (rc.IsRectEmpty())
        return;
    if (!args.m_bResizable && !args.m_bFloating)
    {
        PaintGripperStripes(dc, rc, args.m_bVertical);
        return;
    }
    PaintCaptionBackground(dc, args);
    COLORREF clrText = GetColor(args.m_bResizable && !args.m_bActive ? COLOR_BTNTEXT : COLOR_HIGHLIGHTTEXT);
    CFont& font = args.m_bResizable ? (args.m_bVertical ? m_FontNormalVert : m_FontSmall)
                                    : (args.m_bVertical ? m_FontBoldVert : m_FontSmallBold);
    DrawTextIn(dc, args.m_strCaption, args.m_rcText, clrText, (HFONT)font.GetSafeHandle(),
               DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS | DT_NOPREFIX);
}

void CExtPaintManagerXP::PaintControlBarFrame(CDC& dc, CExtPaintBarFrameArgs& args)
{
    CRect rc(args.m_rcBar);
    if (rc.IsRectEmpty())
        return;
    int nSaved = dc.SaveDC();
    dc.ExcludeClipRect(&args.m_rcClient);
    int nFace = EXTCLR_BAR_FACE;
    if (args.m_bFloating)
        nFace = args.m_bResizable ? EXTCLR_XP_FLOATING_FACE : EXTCLR_XP_FIXED_FLOATING_FACE;
    FillRect(dc, rc, nFace);
    if (args.m_bFloating)
    {
        FrameRect(dc, rc, COLOR_3DSHADOW);
        CRect rcInner(rc);
        rcInner.DeflateRect(1, 1);
        FrameRect(dc, rcInner, COLOR_3DSHADOW);
    }
    dc.RestoreDC(nSaved);
}

void CExtPaintManagerXP::PaintControlFrame(CDC& dc, CExtPaintControlFrameArgs& args)
{
    CRect rc(args.m_rcControl);
    if (rc.IsRectEmpty())
        return;
    int nOuter = EXTCLR_BAR_FACE, nInner = EXTCLR_BAR_FACE;
    if (args.m_bEnabled && args.m_bHover && args.m_bFocus)
        nOuter = nInner = EXTCLR_XP_SELECTION_FRAME;
    else if (args.m_bEnabled && (args.m_bHover || args.m_bFocus))
        nInner = EXTCLR_XP_SELECTION_FRAME;
    FrameRect(dc, rc, nOuter);
    rc.DeflateRect(1, 1);
    FrameRect(dc, rc, nInner);
    for (int i = 0; i < 3; i++)
    {
        rc.DeflateRect(1, 1);
        FrameRect(dc, rc, COLOR_WINDOW);
    }
}

void CExtPaintManagerXP::PaintComboFrame(CDC& dc, CExtPaintComboFrameArgs& args)
{
    CRect rc(args.m_rcClient);
    if (rc.IsRectEmpty())
        return;
    const bool bHot = args.m_bEnabled && (args.m_bHover || args.m_bPushed);
    FrameRect(dc, rc, bHot ? EXTCLR_XP_SELECTION_FRAME : EXTCLR_BAR_FACE);
    CRect rcInner(rc);
    rcInner.DeflateRect(1, 1);
    FrameRect(dc, rcInner, args.m_bEnabled ? COLOR_WINDOW : COLOR_3DFACE);

    CRect rcButton(rcInner);
    rcButton.DeflateRect(1, 1);
    rcButton.left = rcButton.right - ::GetSystemMetrics(SM_CXHTHUMB);
    FillRect(dc, rcButton, bHot ? (args.m_bPushed ? EXTCLR_XP_PUSHED_SELECTION : EXTCLR_SELECTION) : EXTCLR_BAR_FACE);
    if (bHot)
        FrameRect(dc, CRect(rcButton.left - 1, rcButton.top - 1, rcButton.right + 1, rcButton.bottom + 1),
                  EXTCLR_XP_SELECTION_FRAME);
    // The drop arrow.
    CPoint pt(rcButton.CenterPoint());
    COLORREF clrArrow = GetColor(args.m_bEnabled ? EXTCLR_TEXT : COLOR_3DSHADOW);
    for (int i = 0; i < 3; i++)
        dc.FillSolidRect(pt.x - 2 + i, pt.y - 1 + i, 5 - 2 * i, 1, clrArrow);
}

void CExtPaintManagerXP::PaintStatusPane(CDC& dc, CExtPaintStatusPaneArgs& args)
{
    CRect rc(args.m_rcItem);
    if (rc.IsRectEmpty() || args.m_nPart != 2)
        return;
    FrameRect(dc, rc, COLOR_3DSHADOW);
}

void CExtPaintManagerXP::PaintResizingGripper(CDC& dc, const RECT& rcIn, CWnd*)
{
    CRect rc(rcIn);
    if (rc.IsRectEmpty())
        return;
    // Dots in a triangle toward the corner.
    const COLORREF clrDark = GetColor(COLOR_3DSHADOW), clrLight = GetColor(COLOR_3DHILIGHT);
    for (int i = 0; i < 3; i++)
    {
        for (int j = 0; i + j < 3; j++)
        {
            int x = rc.right - 4 - 4 * i, y = rc.bottom - 4 - 4 * j;
            dc.FillSolidRect(x + 1, y + 1, 2, 2, clrLight);
            dc.FillSolidRect(x, y, 2, 2, clrDark);
        }
    }
}
