// CExtPaintManagerXP: the flat look, and the default one: bars and menus in pastel
// colours mixed from the system colours, one-pixel frames, a light selection with a
// darker frame.
#pragma once

#include "CExtPaintManager.h"

class CExtPaintManagerXP : public CExtPaintManager
{
    DECLARE_DYNCREATE(CExtPaintManagerXP)
public:
    CExtPaintManagerXP();

    virtual COLORREF GetMenuFrameFillColor();
    virtual void InitTranslatedColors();
    virtual CSize GetPushedOffset();

    virtual void PaintSunkenBorder(CDC& dc, const RECT& rc, CObject* pHelperSrc = NULL, LPARAM lParam = 0);
    virtual void PaintPushButton(CDC& dc, CExtPaintPushButtonArgs& args);
    virtual void PaintToolbarSeparator(CDC& dc, const RECT& rc, bool bHorz, bool bTransparentBackground,
                                       CObject* pHelperSrc = NULL, LPARAM lParam = 0);
    virtual void PaintControlBarCaption(CDC& dc, CExtPaintBarCaptionArgs& args);
    virtual void PaintControlBarFrame(CDC& dc, CExtPaintBarFrameArgs& args);
    virtual void PaintControlFrame(CDC& dc, CExtPaintControlFrameArgs& args);
    virtual void PaintComboFrame(CDC& dc, CExtPaintComboFrameArgs& args);
    virtual void PaintStatusPane(CDC& dc, CExtPaintStatusPaneArgs& args);
    virtual void PaintResizingGripper(CDC& dc, const RECT& rc, CWnd* pWnd);

    virtual void PaintButtonIcon(CDC* pDC, bool bHorz, const CString& strText, CExtCommandIcon* pIcon,
                                 const RECT& rcItem, RECT& rcCaption, bool bPushed, bool bEnabled, bool bHover,
                                 int nIconAlignment);
    virtual void PaintNcAreaButton(CDC& dc, CExtPaintNcButtonArgs& args);
    virtual void PaintSysCmdGlyph(CDC& dc, UINT nHelperSysCmdID, const RECT& rc, bool bHover, bool bPushed,
                                  bool bEnabled);
    virtual void PaintMenuExpandButton(CDC& dc, const RECT& rc, bool bPushed, bool bHover, CObject* pHelperSrc = NULL,
                                       LPARAM lParam = 0);
    virtual void PaintMenuItem(CDC& dc, CExtPaintMenuItemArgs& args);
    virtual void PaintMenuSeparator(CDC& dc, const RECT& rc, int nIconAreaWidth, bool bRarelyUsed,
                                    CObject* pHelperSrc = NULL, LPARAM lParam = 0);
    virtual int GetMenuBorderSize();
    virtual void PaintMenuBorder(CDC& dc, const RECT& rc, CObject* pHelperSrc = NULL, LPARAM lParam = 0);
    virtual bool IsMenuMustCombineExcludeArea();
    virtual void PaintMenuCombinedArea(CDC& dc, const RECT& rcArea, const RECT& rcClient, int eCombineAlign,
                                       CObject* pHelperSrc = NULL, LPARAM lParam = 0);
    virtual void PaintInPlaceWnd(CDC& dc, CExtPaintInPlaceWndArgs& args);

    // Look options: glyph and icon shadows under hover, and the flat or the gradient
    // variant of the shared button and caption painting.
    enum
    {
        eLookShadowedGlyphs = 0x01,
        eLookFlatVariant = 0x02,
        eLookGradientVariant = 0x04,
    };

protected:
    virtual const CExtPaletteGlyph& GetExpandGlyph(bool bHorz, bool bChevron);
    virtual int GetExpandChevronShift();
    virtual void PaintDisabledExpandArrow(CDC& dc, const CRect& rcArrow, const CExtPaletteGlyph& arrow);
    // An empty menu item, or a pushed flat button: what the menu's expand glyph sits on.
    void PaintMenuExpandButtonBackground(CDC& dc, const CRect& rc, bool bPushed, bool bHover, CObject* pHelperSrc,
                                         LPARAM lParam);
    void PaintPushButtonGradient(CDC& dc, const CExtPaintPushButtonArgs& args, const CRect& rcMain);
    void PaintFlatButtonFrames(CDC& dc, const CExtPaintPushButtonArgs& args, const CRect& rcAll, const CRect& rcMain,
                               const CRect& rcDrop, bool bShowPushed);
    // The icon column of menu items: flat, or the look's gradient.
    void PaintMenuIconColumn(CDC& dc, const CRect& rcColumn, bool bRarelyUsed);
    void PaintCheckBackground(CDC& dc, const CRect& rc, bool bSelected, int nFillId);
    void PaintFlatInPlaceField(CDC& dc, const CExtPaintMenuItemArgs& args);

    DWORD m_nLookOptions;
    // Expand-button glyphs: drop arrow and double chevron, for horizontal and vertical bars.
    const CExtPaletteGlyph* m_pGlyphExpandArrowH;
    const CExtPaletteGlyph* m_pGlyphExpandChevronH;
    const CExtPaletteGlyph* m_pGlyphExpandArrowV;
    const CExtPaletteGlyph* m_pGlyphExpandChevronV;
    // Icon-column gradient ids of normal and rarely used menu items (-1: flat).
    int m_arrMenuIconColumnIds[4];
    // Push-button gradient pairs: hovered, pushed, hovered and pushed (-1: flat).
    int m_arrPushButtonGradientIds[6];

    // The caption's fill and text colours, shared with the gradient look.
    virtual void PaintCaptionBackground(CDC& dc, CExtPaintBarCaptionArgs& args);
    void PaintGripperStripes(CDC& dc, const CRect& rc, bool bVertical);

    // The pen of a docked toolbar's frame on palette screens, where the face ring would
    // vanish into the face: a halftone of the DC's text and background colours, else a
    // solid shadow pen, else the black stock pen. Made once per look.
    CPen& GetPaletteFramePen();

private:
    CBitmap m_bmpPaletteFramePattern;  // outlives the pen made from it
    CPen m_penPaletteFrame;
};
