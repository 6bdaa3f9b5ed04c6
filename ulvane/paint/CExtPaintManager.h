// CExtPaintManager: the classic look, and the interface every look implements. Every
// framework window paints by asking the holder for the current paint manager on each
// paint and calling it with colour ids, never with fixed colours, so the look can
// change while the program runs.
#pragma once

#include <afxwin.h>
#include <afxtempl.h>

#include "CExtPaintArgs.h"
#include "CExtPaletteGlyph.h"
#include "ExtPaintHelpers.h"

class CExtControlBar;

// Colour ids beyond the system colour indexes (0..49). The odd ids of the first group
// are the variants where the flat looks differ from the classic one.
enum
{
    EXTCLR_BAR_FACE = 1000,          // face of bars and menus
    EXTCLR_SELECTION = 1001,         // fill of a selected item
    EXTCLR_LIGHT_EDGE = 1002,
    EXTCLR_HILIGHT_EDGE = 1004,
    EXTCLR_SHADOW_EDGE = 1006,
    EXTCLR_DKSHADOW_EDGE = 1008,
    EXTCLR_TEXT = 1010,
    EXTCLR_TEXT_XP = 1011,
    EXTCLR_SHADOW = 2010,
    // The flat looks' own mixed colours.
    EXTCLR_XP_BAR_FACE = 2000,
    EXTCLR_XP_MENU_BACK = 2001,
    EXTCLR_XP_SEPARATOR = 2002,       // separator and grip lines
    EXTCLR_XP_PUSHED_SELECTION = 2003, // a selected item while pushed
    EXTCLR_XP_SELECTION_FRAME = 2004,
    EXTCLR_XP_RARELY_USED = 2005,     // background of rarely used items
    EXTCLR_XP_SELECTED_TEXT = 2006,
    EXTCLR_XP_MENU_FRAME = 2007,
    EXTCLR_XP_FLOATING_FACE = 2008,   // the menu background, on resizable floating bars
    EXTCLR_XP_FIXED_FLOATING_FACE = 2009, // the bar face, on fixed floating bars
};

class CExtPaintManager : public CObject
{
    DECLARE_DYNCREATE(CExtPaintManager)
public:
    CExtPaintManager();
    virtual ~CExtPaintManager();

    virtual void Serialize(CArchive& ar);

    // Bars call this after painting: the cached memory DCs are released.
    virtual void OnPaintSessionComplete(CObject* pHelperSrc);

    // A system brush (0..49); an index outside the table gives COLOR_3DFACE's.
    virtual HBRUSH GetBrush(int nSysColorIndex);
    // A colour by id: 0..49 system colours, 1000 and up translated through the look's
    // map; an id the map lacks, or whose entry lies outside the table, gives COLOR_3DFACE.
    virtual COLORREF GetColor(int nColorId);
    virtual COLORREF GetMenuFrameFillColor();
    virtual COLORREF GetShadowAdjustColor();

    // Deflates a docked bar's rectangle: by (1, 3) for vertical bars, else (3, 1).
    virtual void FixControlBarRect(CExtControlBar* pBar, RECT& rc);
    // 0 for the menu bar, 6 for other bars.
    virtual int GetControlBarSpacing(CExtControlBar* pBar);
    virtual bool IsToolbarBackgroundGradient(CExtControlBar* pBar);

    // Fills the translation map of the look's colour ids.
    virtual void InitTranslatedColors();
    virtual CSize GetPushedOffset();

    // Every pixel of the glyph whose index is not 0 in pColors[index]; nothing when the
    // glyph has no pixels or its rectangle is not visible.
    virtual void PaintGlyph(CDC& dc, int x, int y, const CExtPaletteGlyph& glyph, const COLORREF* pColors);
    // Centred in rc (a glyph bigger than rc starts left of and above it).
    virtual void PaintGlyphCentered(CDC& dc, const RECT& rc, const CExtPaletteGlyph& glyph, const COLORREF* pColors);

    virtual void PaintToolbarSeparatorArea(CDC& dc, CExtControlBar* pBar, int nIndex, const RECT& rc);
    // The chevron button at a toolbar's end: a drop arrow, and a double chevron when
    // the bar does not show all of its buttons.
    virtual void PaintToolbarExpandButton(CDC& dc, const RECT& rc, bool bHorz, bool bBarIsCompletelyVisible,
                                          bool bEnabled, bool bPushed, bool bHover, CObject* pHelperSrc = NULL,
                                          LPARAM lParam = 0, bool bTransparentBackground = false);
    virtual void PaintMenuExpandButton(CDC& dc, const RECT& rc, bool bPushed, bool bHover, CObject* pHelperSrc = NULL,
                                       LPARAM lParam = 0);
    virtual int GetMenuExpandButtonHeight();
    // Places where a derived look may add to the docking frame, bar and gripper.
    virtual void PaintDockingFrameHook(CDC& dc, const RECT& rc, CObject* pHelperSrc = NULL, LPARAM lParam = 0);
    virtual void PaintControlBarHook(CDC& dc, const RECT& rc, CObject* pHelperSrc = NULL, LPARAM lParam = 0);
    virtual void PaintGripperHook(CDC& dc, const RECT& rc, CObject* pHelperSrc = NULL, LPARAM lParam = 0);

    virtual void PaintSunkenBorder(CDC& dc, const RECT& rc, CObject* pHelperSrc = NULL, LPARAM lParam = 0);
    virtual void PaintSunkenBorderEx(CDC& dc, const RECT& rc, CObject* pHelperSrc = NULL, LPARAM lParam = 0);
    // Places the icon in rcItem by nIconAlignment and paints it; rcCaption is left
    // with the room for the text.
    virtual void PaintButtonIcon(CDC* pDC, bool bHorz, const CString& strText, CExtCommandIcon* pIcon,
                                 const RECT& rcItem, RECT& rcCaption, bool bPushed, bool bEnabled, bool bHover,
                                 int nIconAlignment);
    virtual void PaintNcAreaButton(CDC& dc, CExtPaintNcButtonArgs& args);
    // The glyph of close, minimise, restore, maximise or help; nothing for others.
    virtual void PaintSysCmdGlyph(CDC& dc, UINT nHelperSysCmdID, const RECT& rc, bool bHover, bool bPushed,
                                  bool bEnabled);
    virtual void PaintPushButton(CDC& dc, CExtPaintPushButtonArgs& args);
    virtual CSize GetPushButtonMargins();
    // The I-beam that shows where a dragged button would go.
    virtual void PaintDropMarker(CDC& dc, const RECT& rc, bool bAtStart, bool bHorz);
    virtual void PaintDoubleFrame(CDC& dc, const RECT& rc);
    virtual void PaintMenuItem(CDC& dc, CExtPaintMenuItemArgs& args);
    virtual void PaintMenuSeparator(CDC& dc, const RECT& rc, int nIconAreaWidth, bool bRarelyUsed,
                                    CObject* pHelperSrc = NULL, LPARAM lParam = 0);
    virtual void PaintToolbarSeparator(CDC& dc, const RECT& rc, bool bHorz, bool bTransparentBackground,
                                       CObject* pHelperSrc = NULL, LPARAM lParam = 0);
    virtual void PaintControlBarCaption(CDC& dc, CExtPaintBarCaptionArgs& args);
    virtual void PaintControlBarFrame(CDC& dc, CExtPaintBarFrameArgs& args);
    virtual void PaintControlFrame(CDC& dc, CExtPaintControlFrameArgs& args);
    virtual void PaintComboFrame(CDC& dc, CExtPaintComboFrameArgs& args);
    virtual int GetTextHeight(bool bHorz);
    virtual int GetMenuShadowSize();
    virtual int GetMenuBorderSize();
    virtual void PaintMenuBorder(CDC& dc, const RECT& rc, CObject* pHelperSrc = NULL, LPARAM lParam = 0);
    // Whether a popup opened from a bar button joins that button visually.
    virtual bool IsMenuMustCombineExcludeArea();
    // eCombineAlign: the open side, 1 bottom, 2 top, 3 left, 4 right.
    virtual void PaintMenuCombinedArea(CDC& dc, const RECT& rcArea, const RECT& rcClient, int eCombineAlign,
                                       CObject* pHelperSrc = NULL, LPARAM lParam = 0);
    virtual void PaintStatusPane(CDC& dc, CExtPaintStatusPaneArgs& args);
    // Whether dialogs, toolbars and dock bars get the look's own background.
    virtual bool IsBackgroundCustomized(CObject* pHelperSrc = NULL, LPARAM lParam = 0);
    // Paints a dialog's background; false: the caller paints it.
    virtual bool PaintDialogBackground(CDC& dc, CWnd* pWnd, LPARAM lParam = 0);
    virtual void PaintToolbarBackground(CDC& dc, const RECT& rc, CWnd* pWnd, LPARAM lParam = 0);
    virtual void PaintDockBarBackground(CDC& dc, const RECT& rc, CWnd* pWnd, LPARAM lParam = 0);

    // System changes: the resources and translated colours are rebuilt.
    virtual void OnSysColorChange();
    virtual void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    virtual void OnDisplayChange(int nDepthBPP, CPoint ptSizes);
    virtual void OnThemeChanged(WPARAM wParam, LPARAM lParam);

    virtual CSize GetToolbarBackgroundInflate();
    // The editable field of a menu item.
    virtual void PaintInPlaceWnd(CDC& dc, CExtPaintInPlaceWndArgs& args);
    // The colour disabled icons are blended toward, and by how much (-1: none).
    virtual COLORREF GetIconAlphaColor();
    virtual double GetIconAlphaFactor();
    virtual void PaintResizingGripper(CDC& dc, const RECT& rc, CWnd* pWnd);

    // A 7-pixel check mark at (x, y) in clr with an outline in its inverse, and a
    // 6 by 6 radio dot likewise.
    static void PaintCheckMark(CDC& dc, int x, int y, COLORREF clr);
    static void PaintRadioDot(CDC& dc, int x, int y, COLORREF clr);

    // Rebuilds the theme data, fonts, system colours and brushes.
    void SyncSystemResources();

    // Memory DC nIndex (0 or 1) kept between paints, with hBitmap selected; NULL when
    // it cannot be made. OnPaintSessionComplete lets both go.
    CDC* GetCachedDC(int nIndex, HBITMAP hBitmap);
    void ReleaseCachedDCs();

    // {height of the bold (bBold) or normal font + 2, height of the normal font + 2}.
    CSize GetMenuFontHeights(bool bBold);
    // The single-line text's rectangle at the origin, and its width.
    CRect GetTextExtent(CDC& dc, HFONT hFont, const CString& strText);
    int GetTextExtentWidth(CDC& dc, HFONT hFont, const CString& strText);

    // One of the twelve mixed brushes (0..11): the face, highlight and shadow colours
    // mixed by halves and fifths, pattern brushes on palette screens.
    CBrush& GetMixedBrush(int nIndex);
    CPalette& GetHalftonePalette() { return m_paletteHalftone; }
    // Entries of the colour table: the 50 system colours and the look's own.
    INT_PTR GetColorTableSize() const { return m_colors.GetSize(); }

    // Colour arithmetic of the flat looks: hue, lightness and saturation in [0, 1].
    static void RGBtoHLS(COLORREF clr, double& h, double& l, double& s);
    static COLORREF HLStoRGB(double h, double l, double s);
    // Moves each component toward 1 (positive change) or 0 (negative) by that share.
    static COLORREF HLSAdjust(COLORREF clr, double dH, double dL, double dS);

    // Fonts by role: Vert runs down (rotated 270), VertX up (rotated 90); the small
    // ones are at most 11 pixels high.
    CFont m_FontNormal, m_FontNormalVert, m_FontNormalVertX, m_FontBold, m_FontBoldVert, m_FontBoldVertX;
    CFont m_FontSmall, m_FontSmallVert, m_FontSmallVertX, m_FontSmallBold, m_FontSmallBoldVert, m_FontSmallBoldVertX;
    CFont m_FontMarlett;

    enum { nMixedBrushCount = 12 };

protected:
    // Stores a colour after the table's entries and maps the id to it.
    int AppendColor(int nColorId, COLORREF clr);
    void MapColor(int nColorId, int nIndex);

    void FillRect(CDC& dc, const RECT& rc, int nColorId);
    void FrameRect(CDC& dc, const RECT& rc, int nColorId);
    // Draw3dRect in two colour ids.
    void Draw3dFrame(CDC& dc, const RECT& rc, int nTopLeftId, int nBottomRightId);
    void DrawTextIn(CDC& dc, const CString& strText, RECT rc, COLORREF clr, HFONT hFont, UINT nFormat);
    // A two-colour glyph centred in rc in clr.
    void PaintGlyphIn(CDC& dc, const RECT& rc, const CExtPaletteGlyph& glyph, COLORREF clr);
    static const CExtPaletteGlyph* SysCmdGlyph(UINT nHelperSysCmdID);

    // Push buttons: the state rules every look shares, the drop-down part at the far
    // end, the icon or system glyph, the font and the text.
    static void NormalizePushButtonState(CExtPaintPushButtonArgs& args);
    CRect SplitDropDownPart(const CExtPaintPushButtonArgs& args, CRect& rcMain);
    static const CExtPaletteGlyph& GetPushButtonArrow(bool bHorz);
    void PaintPushButtonIconOrGlyph(CDC& dc, const CExtPaintPushButtonArgs& args, const CRect& rcContent,
                                    CRect& rcCaption, bool bShowPushed);
    HFONT PushButtonFont(const CExtPaintPushButtonArgs& args, CFont& fontRotated);
    void PaintPushButtonText(CDC& dc, const CExtPaintPushButtonArgs& args, const CRect& rcCaption, COLORREF clrText,
                             bool bDrawText);
    void PaintVerticalText(CDC& dc, const CString& strText, const CRect& rcCaption, bool bEnabled, COLORREF clrText);
    // Where an icon goes in rcItem; rcCaption keeps the room left for the text.
    static CPoint PlaceButtonIcon(bool bHorz, bool bHasText, CSize sizeIcon, const RECT& rcItem, RECT& rcCaption,
                                  int nIconAlignment);
    static CRect PrepareNcButtonRect(const CExtPaintNcButtonArgs& args, bool bInflate);

    // Expand buttons: the arrow and chevron glyphs of the look and their placement.
    virtual const CExtPaletteGlyph& GetExpandGlyph(bool bHorz, bool bChevron);
    // How far the chevron sits off centre, across the bar.
    virtual int GetExpandChevronShift();
    void PaintExpandGlyphs(CDC& dc, const CRect& rc, bool bHorz, bool bBarIsCompletelyVisible, bool bEnabled,
                           bool bPushed, int nChevronShift);
    virtual void PaintDisabledExpandArrow(CDC& dc, const CRect& rcArrow, const CExtPaletteGlyph& arrow);

    // Menu items: the icon cell, the texts, the sub-menu arrow and the in-place field.
    static CRect MenuIconCell(const CExtPaintMenuItemArgs& args);
    // The check mark or radio dot of an item without an icon, in the cell's middle.
    void PaintMenuMark(CDC& dc, const CExtPaintMenuItemArgs& args, const CRect& rcCell);
    void PaintMenuItemTexts(CDC& dc, const CExtPaintMenuItemArgs& args, const CRect& rcText, HBRUSH hDisabledBrush);
    void PaintSubmenuArrow(CDC& dc, const CExtPaintMenuItemArgs& args, COLORREF clrGlyph, COLORREF clrText);
    void PaintMenuItemInPlaceField(CDC& dc, const CExtPaintMenuItemArgs& args);
    void PaintInPlaceText(CDC& dc, const CExtPaintMenuItemArgs& args, CRect rc, const CRect& rcInset);
    void PaintInPlaceWndText(CDC& dc, const CExtPaintInPlaceWndArgs& args);

    void PaintCaptionText(CDC& dc, const CExtPaintBarCaptionArgs& args, COLORREF clrText, CFont& font);
    // The combo box's arrow: a flat button with the symbol font's arrow.
    CFont& GetComboArrowFont(CDC& dc);
    void PaintComboArrowButton(CDC& dc, const CExtPaintComboFrameArgs& args, const CRect& rcButton);
    // Combined menu areas: the area grown on its open side, and a frame without it.
    static CRect WidenOnOpenSide(const RECT& rcArea, int eCombineAlign, int nBy);
    void PaintOpenFrame(CDC& dc, const CRect& rc, int eCombineAlign, int nTopLeftId, int nBottomRightId);

    CArray<COLORREF, COLORREF> m_colors;
    CArray<HBRUSH, HBRUSH> m_brushes;
    CMap<int, int, int, int> m_mapColorTranslate;
    int m_nDisabledTextStyle;      // DrawState flag for disabled text
    bool m_bPreferTahoma;
    // Without the symbol face its characters would show as another font's letters.
    bool m_bMarlettInstalled;

private:
    struct CachedDC
    {
        CDC dc;
        HGDIOBJ hOldBitmap = NULL;
    };

    void CreateFonts();
    void CreateMixedBrushes();
    void CreateHalftonePalette();

    CachedDC m_arrCachedDCs[2];
    CPalette m_paletteHalftone;
    CBrush m_arrMixedBrushes[nMixedBrushCount];
    CFont m_FontComboArrow;
    int m_nComboArrowDpi = 0;
};
