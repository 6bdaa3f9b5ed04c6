// CExtPaintManagerXP: the flat colour scheme and the flat painting.
#include "CExtPaintManagerXP.h"

#include "CExtCommandIcon.h"
#include "CExtPaintManagerHolder.h"

IMPLEMENT_DYNCREATE(CExtPaintManagerXP, CExtPaintManager)

namespace
{
COLORREF ScaleChannels(COLORREF clr, int nRed, int nGreen, int nBlue)
{
    return RGB(GetRValue(clr) * nRed / 1000, GetGValue(clr) * nGreen / 1000, GetBValue(clr) * nBlue / 1000);
}
}

CExtPaintManagerXP::CExtPaintManagerXP()
    : m_nLookOptions(eLookShadowedGlyphs | eLookFlatVariant),
      m_pGlyphExpandArrowH(&CExtPaletteGlyph::GetRecord(CExtPaletteGlyph::eRecordDropArrow)),
      m_pGlyphExpandChevronH(&CExtPaletteGlyph::GetRecord(CExtPaletteGlyph::eRecordChevron)),
      m_pGlyphExpandArrowV(&CExtPaletteGlyph::GetRecord(CExtPaletteGlyph::eRecordDropArrowVertical2)),
      m_pGlyphExpandChevronV(&CExtPaletteGlyph::GetRecord(CExtPaletteGlyph::eRecordChevronVertical))
{
    m_nDisabledTextStyle = DSS_MONO;
    for (int& nId : m_arrMenuIconColumnIds)
        nId = -1;
    for (int& nId : m_arrPushButtonGradientIds)
        nId = -1;
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
    if (args.m_bNoFill)
        return;
    if (args.m_bResizable && args.m_bActive)
        FillRect(dc, rc, COLOR_HIGHLIGHT);
    else if (args.m_bResizable)
    {
        FillRect(dc, rc, EXTCLR_XP_BAR_FACE);
        if (!args.m_bFloating)
        {
            const COLORREF clrShadow = GetColor(COLOR_3DSHADOW);
            PaintRoundedFrame(dc, rc.left, rc.top, rc.Width(), rc.Height(), clrShadow, clrShadow);
        }
    }
    else
        FillRect(dc, rc, COLOR_3DSHADOW);
}

void CExtPaintManagerXP::PaintGripperStripes(CDC& dc, const CRect& rcIn, bool bVertical)
{
    CRect rc(rcIn);
    rc.DeflateRect(1, 1);
    FillRect(dc, rc, EXTCLR_BAR_FACE);
    const COLORREF clrShadow = GetColor(COLOR_3DSHADOW), clrFace = GetColor(COLOR_3DFACE);
    const COLORREF clrStripe =
        GetScreenColorDepth() > 8 ? dc.GetNearestColor(RGB((GetRValue(clrShadow) + 2 * GetRValue(clrFace)) / 3,
                                                           (GetGValue(clrShadow) + 2 * GetGValue(clrFace)) / 3,
                                                           (GetBValue(clrShadow) + 2 * GetBValue(clrFace)) / 3))
                                  : clrShadow;
    if (bVertical)
    {
        // A strip down the bar's start, striped across on every second row.
        for (int y = rcIn.top + 2; y < rcIn.bottom - 2; y += 2)
            dc.FillSolidRect(rcIn.left + 6, y, 3, 1, clrStripe);
    }
    else
    {
        for (int x = rcIn.left + 3; x < rcIn.right - 1; x += 2)
            dc.FillSolidRect(x, rcIn.top + 6, 1, 3, clrStripe);
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
    // Resizable bars carry a plain caption, floating toolbars a bold one; placed as
    // the classic look places its text.
    CFont& font = args.m_bResizable ? (args.m_bVertical ? m_FontSmallVertX : m_FontSmall)
                                    : (args.m_bVertical ? m_FontSmallBoldVertX : m_FontSmallBold);
    PaintCaptionText(dc, args, clrText, font);
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

/////////////////////////////////////////////////////////////////////////////
// Flat painting of the operations the classic look also has

void CExtPaintManagerXP::PaintPushButton(CDC& dc, CExtPaintPushButtonArgs& args)
{
    if (args.m_rcClient.IsRectEmpty())
        return;
    NormalizePushButtonState(args);
    CDCStateKeeper state(dc);
    dc.SetBkMode(TRANSPARENT);
    const bool bShowPushed = (args.m_bPushed && !args.m_bSeparatedDropDown) || args.m_bPushedDropDown;
    const bool bHot = args.m_bHover || args.m_bPushed || args.m_bPushedDropDown;
    CRect rcMain(args.m_rcClient);
    const CRect rcDrop = SplitDropDownPart(args, rcMain);
    const CRect rcAll(args.m_rcClient);
    // The whole button, then the pushed part.
    if (bHot)
        FillRect(dc, rcAll, EXTCLR_SELECTION);
    else if (!args.m_bTransparentBackground)
        FillRect(dc, rcAll, args.m_bFlat ? EXTCLR_BAR_FACE : COLOR_3DFACE);
    if (args.m_bPushed || args.m_bPushedDropDown)
    {
        const CRect& rcPushed = args.m_bPushedDropDown && args.m_bDropDown ? rcDrop : rcMain;
        FillRect(dc, rcPushed, args.m_bHover ? EXTCLR_XP_PUSHED_SELECTION : EXTCLR_SELECTION);
        if (args.m_bPushed && !args.m_bHover && args.m_bSeparatedDropDown && !args.m_bPushedDropDown)
            FillRect(dc, rcMain, EXTCLR_BAR_FACE);
    }
    PaintPushButtonGradient(dc, args, rcMain);
    PaintFlatButtonFrames(dc, args, rcAll, rcMain, rcDrop, bShowPushed);

    if (args.m_bDropDown)
    {
        int nArrowId;
        if (!args.m_bEnabled)
            nArrowId = args.m_clrDisabledText != (COLORREF)-1 ? (int)args.m_clrDisabledText : EXTCLR_SHADOW_EDGE;
        else if (args.m_bHover || args.m_bPushedDropDown)
            nArrowId = args.m_clrPushedText != (COLORREF)-1 ? (int)args.m_clrPushedText
                       : args.m_bHover && args.m_bPushedDropDown ? COLOR_HIGHLIGHTTEXT
                                                                 : EXTCLR_TEXT_XP;
        else
            nArrowId = args.m_clrText != (COLORREF)-1 ? (int)args.m_clrText : (args.m_bFlat ? EXTCLR_TEXT : COLOR_BTNTEXT);
        PaintGlyphIn(dc, rcDrop, GetPushButtonArrow(args.m_bHorz), GetColor(nArrowId));
    }
    CRect rcContent(rcMain);
    rcContent.DeflateRect(3, 3);
    CRect rcCaption(rcContent);
    PaintPushButtonIconOrGlyph(dc, args, rcContent, rcCaption, args.m_bPushed || args.m_bPushedDropDown);
    if (!args.m_strText.IsEmpty() && !rcCaption.IsRectEmpty())
    {
        COLORREF clrText;
        if (!args.m_bEnabled)
            clrText = args.m_clrDisabledText != (COLORREF)-1 ? args.m_clrDisabledText : GetColor(COLOR_3DSHADOW);
        else if (args.m_bHover && args.m_bPushed)
            clrText = args.m_clrPushedText != (COLORREF)-1 ? args.m_clrPushedText : GetColor(EXTCLR_XP_SELECTED_TEXT);
        else if (args.m_bHover || args.m_bPushed)
            clrText = args.m_clrHoverText != (COLORREF)-1 ? args.m_clrHoverText : GetColor(EXTCLR_TEXT_XP);
        else
            clrText = args.m_clrText != (COLORREF)-1 ? args.m_clrText
                                                     : GetColor(args.m_bFlat ? EXTCLR_TEXT : COLOR_BTNTEXT);
        if (bShowPushed)
            rcCaption.OffsetRect(GetPushedOffset());
        PaintPushButtonText(dc, args, rcCaption, clrText, true);
    }
    if (args.m_bDrawFocusRect)
    {
        CRect rcFocus(rcContent);
        dc.DrawFocusRect(&rcFocus);
    }
}

void CExtPaintManagerXP::PaintPushButtonGradient(CDC& dc, const CExtPaintPushButtonArgs& args, const CRect& rcMain)
{
    // Pairs for hovered and pushed, hovered, pushed; this look defines none.
    int nPair = -1;
    if (args.m_bHover && args.m_bPushed)
        nPair = 2;
    else if (args.m_bHover)
        nPair = 0;
    else if (args.m_bPushed)
        nPair = 1;
    if (nPair < 0 || m_arrPushButtonGradientIds[nPair * 2] < 0 || m_arrPushButtonGradientIds[nPair * 2 + 1] < 0)
        return;
    PaintGradientRect(dc, rcMain, GetColor(m_arrPushButtonGradientIds[nPair * 2 + 1]),
                      GetColor(m_arrPushButtonGradientIds[nPair * 2]), args.m_bHorz);
}

void CExtPaintManagerXP::PaintFlatButtonFrames(CDC& dc, const CExtPaintPushButtonArgs& args, const CRect& rcAll,
                                               const CRect& rcMain, const CRect& rcDrop, bool bShowPushed)
{
    const int nFrameId = !args.m_bFlat && !args.m_bHover && !bShowPushed ? COLOR_3DDKSHADOW : EXTCLR_XP_SELECTION_FRAME;
    auto FramePart = [&](const CRect& rc, bool bPartPushed) {
        if (bPartPushed)
        {
            if (!args.m_bFlat || args.m_bDrawBorder)
                FrameRect(dc, rc, nFrameId);
        }
        else if (args.m_bFlat)
        {
            if (args.m_bHover && args.m_bDrawBorder)
                FrameRect(dc, rc, nFrameId);
        }
        else
            FrameRect(dc, rc, nFrameId);
    };
    FramePart(args.m_bSeparatedDropDown ? rcMain : rcAll, bShowPushed);
    if (args.m_bDropDown && args.m_bSeparatedDropDown)
        FramePart(rcDrop, args.m_bPushedDropDown);
    if (!args.m_bFlat && !bShowPushed && args.m_bHover)
    {
        CRect rcOuter(rcAll);
        rcOuter.InflateRect(1, 1);
        FrameRect(dc, rcOuter, nFrameId);
    }
}

void CExtPaintManagerXP::PaintButtonIcon(CDC* pDC, bool bHorz, const CString& strText, CExtCommandIcon* pIcon,
                                         const RECT& rcItem, RECT& rcCaption, bool bPushed, bool bEnabled, bool bHover,
                                         int nIconAlignment)
{
    if (pDC == NULL || pIcon == NULL || pIcon->IsEmpty())
        return;
    CPoint pt = PlaceButtonIcon(bHorz, !strText.IsEmpty(), pIcon->GetSize(), rcItem, rcCaption, nIconAlignment);
    if (bPushed)
        pt += GetPushedOffset();
    const bool bShadowed = (m_nLookOptions & eLookShadowedGlyphs) != 0;
    if (bShadowed)
        pt.Offset(1, 1);
    if (!bEnabled)
    {
        CBrush brush(GetColor(EXTCLR_XP_SEPARATOR));
        int nMode = CExtCommandIcon::ePaintMonochrome;
        const COLORREF clrAlpha = GetIconAlphaColor();
        if (clrAlpha != (COLORREF)-1)
        {
            // Blended toward the look's colour; the monochrome form where no blend can be made.
            pIcon->SetTintColor(clrAlpha);
            pIcon->SetLightness(GetIconAlphaFactor());
            nMode = CExtCommandIcon::ePaintTinted;
        }
        pIcon->Paint(pDC->GetSafeHdc(), pt, nMode, (HBRUSH)brush.GetSafeHandle());
        return;
    }
    if (bShadowed && bHover && !bPushed)
    {
        // Raised over its own shadow.
        CBrush brush(GetColor(COLOR_3DSHADOW));
        pIcon->Paint(pDC->GetSafeHdc(), pt, CExtCommandIcon::ePaintMonochrome, (HBRUSH)brush.GetSafeHandle());
        pt.Offset(-2, -2);
    }
    pIcon->Paint(pDC->GetSafeHdc(), pt, CExtCommandIcon::ePaintNormal);
}

void CExtPaintManagerXP::PaintNcAreaButton(CDC& dc, CExtPaintNcButtonArgs& args)
{
    if (args.m_rcButton.IsRectEmpty())
        return;
    CRect rc = PrepareNcButtonRect(args, false);
    COLORREF clrGlyph;
    if (!args.m_bEnabled)
        clrGlyph = GetColor(COLOR_3DSHADOW);
    else if (args.m_bHover || args.m_bPushed)
        clrGlyph = RGB(0, 0, 0);
    else if (args.m_bOnDockedCaption)
        clrGlyph = GetColor(args.m_bCaptionActive ? COLOR_HIGHLIGHTTEXT : COLOR_3DDKSHADOW);
    else
        clrGlyph = GetColor(COLOR_3DHILIGHT);
    if (args.m_bEnabled && (args.m_bHover || args.m_bPushed))
    {
        FillRect(dc, rc, args.m_bPushed ? EXTCLR_XP_PUSHED_SELECTION : EXTCLR_SELECTION);
        CRect rcFrame(rc);
        rcFrame.InflateRect(1, 1);
        FrameRect(dc, rcFrame, args.m_bCaptionActive ? EXTCLR_XP_PUSHED_SELECTION : EXTCLR_XP_SELECTION_FRAME);
    }
    int nGlyph = args.m_nGlyphIndex;
    if (nGlyph == 1 && args.m_bOnDockedCaption && !args.m_bNoInflate)
        nGlyph = 16;
    const CExtPaletteGlyph* pGlyph = CExtPaletteGlyph::GetTableGlyph(nGlyph);
    if (pGlyph != NULL)
        PaintGlyphIn(dc, rc, *pGlyph, clrGlyph);
}

void CExtPaintManagerXP::PaintSysCmdGlyph(CDC& dc, UINT nHelperSysCmdID, const RECT& rcIn, bool bHover, bool bPushed,
                                          bool bEnabled)
{
    const CExtPaletteGlyph* pGlyph = SysCmdGlyph(nHelperSysCmdID);
    CRect rc(rcIn);
    if (pGlyph == NULL || rc.IsRectEmpty())
        return;
    if (bPushed)
        rc.OffsetRect(GetPushedOffset());
    if (!bEnabled)
    {
        PaintGlyphIn(dc, rc, *pGlyph, GetColor(COLOR_3DSHADOW));
        return;
    }
    if ((m_nLookOptions & eLookShadowedGlyphs) != 0 && bHover && !bPushed)
    {
        PaintGlyphIn(dc, rc, *pGlyph, GetColor(COLOR_3DSHADOW));
        rc.OffsetRect(-2, -2);
    }
    PaintGlyphIn(dc, rc, *pGlyph, GetColor(EXTCLR_TEXT));
}

void CExtPaintManagerXP::PaintControlBarFrame(CDC& dc, CExtPaintBarFrameArgs& args)
{
    CRect rc(args.m_rcBar);
    if (rc.IsRectEmpty())
        return;
    const int nSaved = dc.SaveDC();
    dc.ExcludeClipRect(&args.m_rcClient);
    int nFace = EXTCLR_BAR_FACE;
    if (args.m_bFloating)
        nFace = args.m_bResizable ? EXTCLR_XP_FLOATING_FACE : EXTCLR_XP_FIXED_FLOATING_FACE;
    FillRect(dc, rc, nFace);
    if (args.m_bFloating)
    {
        // Two shadow rings whose inner corners are filled in: a rounded frame.
        FrameRect(dc, rc, COLOR_3DSHADOW);
        rc.DeflateRect(1, 1);
        FrameRect(dc, rc, COLOR_3DSHADOW);
        const COLORREF clr = GetColor(COLOR_3DSHADOW);
        dc.SetPixelV(rc.left + 1, rc.top + 1, clr);
        dc.SetPixelV(rc.right - 2, rc.top + 1, clr);
        dc.SetPixelV(rc.left + 1, rc.bottom - 2, clr);
        dc.SetPixelV(rc.right - 2, rc.bottom - 2, clr);
    }
    else if (!args.m_bResizableCopy && GetScreenColorDepth() <= 8)
    {
        dc.SetTextColor(GetColor(COLOR_3DSHADOW));
        dc.SetBkColor(GetColor(COLOR_3DFACE));
        CPen* pOldPen = dc.SelectObject(&GetPaletteFramePen());
        const POINT ring[5] = {{rc.left, rc.top}, {rc.right - 1, rc.top}, {rc.right - 1, rc.bottom - 1},
                               {rc.left, rc.bottom - 1}, {rc.left, rc.top}};
        dc.Polyline(ring, 5);
        dc.SelectObject(pOldPen);
    }
    else if (!args.m_bResizable)
        FrameRect(dc, rc, COLOR_3DFACE);
    dc.RestoreDC(nSaved);
}

CPen& CExtPaintManagerXP::GetPaletteFramePen()
{
    if (m_penPaletteFrame.GetSafeHandle() != NULL)
        return m_penPaletteFrame;
    static const WORD arrHalftone[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
    HPEN hPen = NULL;
    if (m_bmpPaletteFramePattern.GetSafeHandle() != NULL || m_bmpPaletteFramePattern.CreateBitmap(8, 8, 1, 1, arrHalftone))
    {
        LOGBRUSH lb = {BS_PATTERN, 0, (ULONG_PTR)m_bmpPaletteFramePattern.GetSafeHandle()};
        hPen = ::ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT | PS_JOIN_MITER, 1, &lb, 0, NULL);
    }
    if (hPen == NULL)
        hPen = ::CreatePen(PS_SOLID, 1, GetColor(COLOR_3DSHADOW));
    if (hPen == NULL)
        return *CPen::FromHandle((HPEN)::GetStockObject(BLACK_PEN));
    m_penPaletteFrame.Attach(hPen);
    return m_penPaletteFrame;
}

void CExtPaintManagerXP::PaintComboFrame(CDC& dc, CExtPaintComboFrameArgs& args)
{
    CRect rc(args.m_rcClient);
    if (rc.IsRectEmpty())
        return;
    const bool bHot = args.m_bHover || args.m_bPushed;
    // The record's colours replace the look's only while the combo is idle.
    const COLORREF clrInner = !bHot && args.m_clrForceNA != (COLORREF)-1 ? args.m_clrForceNA
                                                                          : GetColor(args.m_bEnabled ? COLOR_WINDOW
                                                                                                     : COLOR_3DFACE);
    const COLORREF clrRing = !bHot && args.m_clrForceNA2 != (COLORREF)-1 ? args.m_clrForceNA2
                                                                          : GetColor(EXTCLR_XP_MENU_BACK);
    const COLORREF clrOuter = bHot && args.m_clrForceActiveOuter != (COLORREF)-1 ? args.m_clrForceActiveOuter
                                                                                  : GetColor(EXTCLR_BAR_FACE);
    if (!args.m_bNoOuterRing)
        dc.Draw3dRect(&rc, clrOuter, clrOuter);
    CRect rcRing(rc);
    rcRing.DeflateRect(1, 1);
    dc.Draw3dRect(&rcRing, clrRing, clrRing);
    CRect rcInside(rcRing);
    rcInside.DeflateRect(1, 1);
    CRect rcButton(rcInside.right - ::GetSystemMetrics(SM_CXHTHUMB), rcInside.top, rcInside.right, rcInside.bottom);
    CRect rcButtonRing(rcButton);
    dc.Draw3dRect(&rcButtonRing, clrRing, clrRing);
    rcButtonRing.DeflateRect(1, 1);
    dc.Draw3dRect(&rcButtonRing, clrRing, clrRing);
    dc.FillSolidRect(rcButton.left - 3, rcInside.top, 3, rcInside.Height(), clrInner);
    FillRect(dc, rcButton, EXTCLR_BAR_FACE);
    PaintComboArrowButton(dc, args, rcButton);
    if (!bHot)
        dc.Draw3dRect(&rcButton, clrRing, clrRing);
    else
        FrameRect(dc, rcRing, EXTCLR_XP_SELECTION_FRAME);
}

const CExtPaletteGlyph& CExtPaintManagerXP::GetExpandGlyph(bool bHorz, bool bChevron)
{
    const CExtPaletteGlyph* pGlyph = bChevron ? (bHorz ? m_pGlyphExpandChevronH : m_pGlyphExpandChevronV)
                                              : (bHorz ? m_pGlyphExpandArrowH : m_pGlyphExpandArrowV);
    return pGlyph != NULL ? *pGlyph : CExtPaintManager::GetExpandGlyph(bHorz, bChevron);
}

void CExtPaintManagerXP::PaintDisabledExpandArrow(CDC& dc, const CRect& rcArrow, const CExtPaletteGlyph& arrow)
{
    PaintGlyphIn(dc, rcArrow, arrow, GetColor(COLOR_3DSHADOW));
}

int CExtPaintManagerXP::GetExpandChevronShift()
{
    return 1;
}

void CExtPaintManagerXP::PaintMenuExpandButton(CDC& dc, const RECT& rcIn, bool bPushed, bool bHover,
                                               CObject* pHelperSrc, LPARAM lParam)
{
    CRect rc(rcIn);
    if (rc.IsRectEmpty())
        return;
    PaintMenuExpandButtonBackground(dc, rc, bPushed, bHover, pHelperSrc, lParam);
    CRect rcGlyph(rc);
    if (bPushed)
        rcGlyph.OffsetRect(GetPushedOffset());
    PaintGlyphIn(dc, rcGlyph, CExtPaletteGlyph::GetRecord(CExtPaletteGlyph::eRecordChevronVertical),
                 GetColor(EXTCLR_TEXT));
}

void CExtPaintManagerXP::PaintMenuExpandButtonBackground(CDC& dc, const CRect& rc, bool bPushed, bool bHover,
                                                         CObject* pHelperSrc, LPARAM lParam)
{
    if (bPushed)
    {
        CExtPaintPushButtonArgs args(pHelperSrc, rc, "", NULL, true, bHover, true, false, true, true, false, false);
        args.m_lParam = lParam;
        args.m_nIconAlignment = 5;
        PaintPushButton(dc, args);
    }
    else
    {
        CExtPaintMenuItemArgs args(pHelperSrc, rc, 0, "", "", NULL, false, bHover, false, false, false, true, false,
                                   false, false, 0);
        args.m_lParam = lParam;
        PaintMenuItem(dc, args);
    }
}

int CExtPaintManagerXP::GetMenuBorderSize()
{
    return 2;
}

void CExtPaintManagerXP::PaintMenuBorder(CDC& dc, const RECT& rcIn, CObject*, LPARAM)
{
    CRect rc(rcIn);
    if (rc.IsRectEmpty())
        return;
    FrameRect(dc, rc, EXTCLR_XP_MENU_FRAME);
    rc.DeflateRect(1, 1);
    FrameRect(dc, rc, EXTCLR_XP_MENU_BACK);
    rc.right--;
    rc.bottom--;
    FrameRect(dc, rc, EXTCLR_XP_MENU_BACK);
}

bool CExtPaintManagerXP::IsMenuMustCombineExcludeArea()
{
    return true;
}

void CExtPaintManagerXP::PaintMenuCombinedArea(CDC& dc, const RECT& rcArea, const RECT& rcClient, int eCombineAlign,
                                               CObject*, LPARAM)
{
    if (::IsRectEmpty(&rcArea))
        return;
    CRect rc(rcArea);
    CRect rcExclude(rcClient);
    if (eCombineAlign == 1 || eCombineAlign == 2)
        rcExclude.DeflateRect(1, 0);
    else if (eCombineAlign == 3 || eCombineAlign == 4)
        rcExclude.DeflateRect(0, 1);
    const int nSaved = dc.SaveDC();
    dc.ExcludeClipRect(&rcExclude);
    FillRect(dc, rc, EXTCLR_XP_BAR_FACE);
    PaintOpenFrame(dc, rc, eCombineAlign, EXTCLR_XP_MENU_FRAME, EXTCLR_XP_MENU_FRAME);
    dc.RestoreDC(nSaved);
}

void CExtPaintManagerXP::PaintMenuIconColumn(CDC& dc, const CRect& rcColumn, bool bRarelyUsed)
{
    const int nFrom = m_arrMenuIconColumnIds[bRarelyUsed ? 2 : 0], nTo = m_arrMenuIconColumnIds[bRarelyUsed ? 3 : 1];
    if (nFrom < 0 || nTo < 0)
    {
        FillRect(dc, rcColumn, bRarelyUsed ? EXTCLR_XP_RARELY_USED : EXTCLR_BAR_FACE);
        return;
    }
    if (g_PaintManagerHolder.AreTaskbandColorsUsable())
    {
        PaintGradientRect(dc, rcColumn, GetColor(nFrom), GetColor(nTo), false);
        return;
    }
    CRect rcGradient(rcColumn);
    rcGradient.right = rcColumn.left + ::MulDiv(rcColumn.Width(), 7, 10);
    PaintGradientRect(dc, rcGradient, GetColor(nFrom), GetColor(nTo), false);
    FillRect(dc, CRect(rcGradient.right, rcColumn.top, rcColumn.right, rcColumn.bottom), nTo);
}

void CExtPaintManagerXP::PaintMenuSeparator(CDC& dc, const RECT& rcIn, int nIconAreaWidth, bool bRarelyUsed, CObject*,
                                            LPARAM)
{
    CRect rc(rcIn);
    if (rc.IsRectEmpty())
        return;
    CRect rcColumn(rc.left, rc.top, rc.left + nIconAreaWidth, rc.bottom);
    PaintMenuIconColumn(dc, rcColumn, bRarelyUsed);
    FillRect(dc, CRect(rcColumn.right, rc.top, rc.right, rc.bottom), EXTCLR_XP_MENU_BACK);
    dc.FillSolidRect(rcColumn.right + 3, rc.top + rc.Height() / 2, rc.right - rcColumn.right - 3, 1,
                     GetColor(bRarelyUsed ? EXTCLR_XP_RARELY_USED : EXTCLR_BAR_FACE));
}

void CExtPaintManagerXP::PaintMenuItem(CDC& dc, CExtPaintMenuItemArgs& args)
{
    const CRect rcItem(args.m_rcItem);
    if (rcItem.IsRectEmpty())
        return;
    CDCStateKeeper state(dc);
    const int nCheckFill = args.m_bSelected ? EXTCLR_XP_PUSHED_SELECTION : EXTCLR_SELECTION;
    const int nColumnWidth = args.m_bNoIconArea ? 0 : args.m_nIconAreaWidth;
    CRect rcColumn(rcItem.left, rcItem.top, rcItem.left + nColumnWidth, rcItem.bottom);
    if (nColumnWidth > 0)
        PaintMenuIconColumn(dc, rcColumn, args.m_bRarelyUsed);
    CRect rcTextArea(rcColumn.right, rcItem.top, rcItem.right, rcItem.bottom);
    FillRect(dc, rcTextArea, EXTCLR_XP_MENU_BACK);
    if (args.m_bSelected)
    {
        CRect rcSelect(rcItem.left, rcItem.top, rcItem.right, rcItem.bottom - 1);
        FillRect(dc, rcSelect, EXTCLR_SELECTION);
        FrameRect(dc, rcSelect, EXTCLR_XP_SELECTION_FRAME);
    }
    CRect rcText(rcTextArea);
    rcText.DeflateRect(3, 1);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(GetColor(EXTCLR_TEXT));
    HGDIOBJ hOldFont = ::SelectObject(dc.m_hDC, m_FontNormal.GetSafeHandle());
    PaintMenuItemTexts(dc, args, CRect(rcText.left, rcText.top, rcText.right, rcText.bottom),
                       GetBrush(COLOR_3DSHADOW));
    if (args.m_bPopup)
        PaintSubmenuArrow(dc, args, GetColor(EXTCLR_TEXT), GetColor(EXTCLR_TEXT));
    ::SelectObject(dc.m_hDC, hOldFont);

    const bool bHasIcon = args.m_pIcon != NULL && !args.m_pIcon->IsEmpty();
    const bool bMarked = args.m_bChecked || args.m_bRadio;
    CRect rcCell = MenuIconCell(args);
    CRect rcIconFrame(rcCell);
    rcIconFrame.InflateRect(2, 2);
    if (args.m_bHasCheckArea && args.m_bCheckAreaChecked)
    {
        CRect rcCheck(rcItem.left + 1, rcItem.top + 1, rcItem.left + rcItem.Height() - 1, rcItem.bottom - 1);
        PaintCheckBackground(dc, rcCheck, args.m_bSelected, nCheckFill);
        const CPoint pt = rcCheck.CenterPoint();
        PaintCheckMark(dc, pt.x - 3, pt.y - 3, GetColor(EXTCLR_TEXT));
        FrameRect(dc, rcCheck, EXTCLR_XP_SELECTION_FRAME);
    }
    if (bMarked)
        PaintCheckBackground(dc, rcIconFrame, args.m_bSelected, nCheckFill);
    if (bHasIcon)
        args.m_pIcon->Paint(dc.GetSafeHdc(), rcCell.TopLeft(),
                            args.m_bEnabled ? CExtCommandIcon::ePaintNormal : CExtCommandIcon::ePaintDisabled);
    else
        PaintSysCmdGlyph(dc, args.m_nHelperSysCmdID, rcCell, args.m_bSelected, false, args.m_bEnabled);
    if (bMarked)
    {
        if (!bHasIcon)
            PaintMenuMark(dc, args, rcCell);
        FrameRect(dc, rcIconFrame, EXTCLR_XP_SELECTION_FRAME);
    }
    if (!args.m_rcInPlaceWnd.IsRectEmpty())
        PaintFlatInPlaceField(dc, args);
}

void CExtPaintManagerXP::PaintCheckBackground(CDC& dc, const CRect& rc, bool bSelected, int nFillId)
{
    // Normal items use the pushed pair, selected ones the last pair.
    const int nFrom = m_arrPushButtonGradientIds[bSelected ? 4 : 2], nTo = m_arrPushButtonGradientIds[bSelected ? 5 : 3];
    if (nFrom >= 0 && nTo >= 0)
        PaintGradientRect(dc, rc, GetColor(nTo), GetColor(nFrom), true);
    else
        FillRect(dc, rc, nFillId);
}

void CExtPaintManagerXP::PaintFlatInPlaceField(CDC& dc, const CExtPaintMenuItemArgs& args)
{
    CRect rc(args.m_rcInPlaceWnd);
    rc.InflateRect(1, 2);
    const int cxThumb = ::GetSystemMetrics(SM_CXHTHUMB);
    if (args.m_bPopup)
    {
        rc.right += cxThumb;
        CRect rcCombo(rc);
        rcCombo.InflateRect(1, 1);
        CExtPaintComboFrameArgs combo(args.m_pHelperSrc, rcCombo, args.m_bSelected,
                                      args.m_bSelected && args.m_bHelperPopupDropped, args.m_bEnabled);
        combo.m_bNoOuterRing = true;
        PaintComboFrame(dc, combo);
        if (args.m_bSelected)
            FrameRect(dc, rc, EXTCLR_XP_SELECTION_FRAME);
        else
        {
            FrameRect(dc, rc, EXTCLR_BAR_FACE);
            FrameRect(dc, CRect(rc.right - cxThumb, rc.top + 1, rc.right - 1, rc.bottom - 1), COLOR_WINDOW);
        }
        rc.right -= cxThumb;
    }
    else
        FrameRect(dc, rc, args.m_bSelected ? EXTCLR_XP_SELECTION_FRAME : COLOR_3DLIGHT);
    rc.DeflateRect(1, 1);
    PaintInPlaceText(dc, args, rc, CRect(5, 3, 1, 2));
}

void CExtPaintManagerXP::PaintInPlaceWnd(CDC& dc, CExtPaintInPlaceWndArgs& args)
{
    if (args.m_rcWnd.IsRectEmpty())
        return;
    if (args.m_bDropDown)
    {
        CExtPaintManager::PaintInPlaceWnd(dc, args);
        return;
    }
    if (args.m_bEnabled && (args.m_bHover || args.m_bPushed))
    {
        CRect rcRing(args.m_rcText);
        rcRing.InflateRect(1, 1);
        FrameRect(dc, rcRing, EXTCLR_XP_SELECTION_FRAME);
    }
    PaintInPlaceWndText(dc, args);
}
