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

    virtual void PaintSunkenBorder(CDC& dc, const RECT& rc, CObject* pHelperSrc = NULL, LPARAM lParam = 0);
    virtual void PaintPushButton(CDC& dc, CExtPaintPushButtonArgs& args);
    virtual CSize GetPushButtonMargins();
    virtual void PaintToolbarSeparator(CDC& dc, const RECT& rc, bool bHorz, bool bTransparentBackground,
                                       CObject* pHelperSrc = NULL, LPARAM lParam = 0);
    virtual void PaintControlBarCaption(CDC& dc, CExtPaintBarCaptionArgs& args);
    virtual void PaintControlBarFrame(CDC& dc, CExtPaintBarFrameArgs& args);
    virtual void PaintControlFrame(CDC& dc, CExtPaintControlFrameArgs& args);
    virtual void PaintComboFrame(CDC& dc, CExtPaintComboFrameArgs& args);
    virtual int GetTextHeight(bool bHorz);
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
    virtual void PaintResizingGripper(CDC& dc, const RECT& rc, CWnd* pWnd);

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
    void DrawTextIn(CDC& dc, const CString& strText, RECT rc, COLORREF clr, HFONT hFont, UINT nFormat);
    // A push button's drop arrow at the far end and its icon (centred when alone);
    // the answer is what is left of rcContent for the text.
    CRect PaintPushButtonGlyphs(CDC& dc, const CExtPaintPushButtonArgs& args, CRect rcContent, COLORREF clrArrow);

    CArray<COLORREF, COLORREF> m_colors;
    CArray<HBRUSH, HBRUSH> m_brushes;
    CMap<int, int, int, int> m_mapColorTranslate;
    int m_nDisabledTextStyle;      // DrawState flag for disabled text
    bool m_bPreferTahoma;

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
};
