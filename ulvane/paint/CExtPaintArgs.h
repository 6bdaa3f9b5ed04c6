// The argument records of the paint manager's painting operations. A caller fills one
// for a single call and never keeps it; the look reads what it needs.
#pragma once

#include <afxwin.h>

class CExtCommandIcon;

struct CExtPaintPushButtonArgs
{
    CObject* m_pHelperSrc;
    LPARAM m_lParam;
    CRect m_rcClient;
    CString m_strText;
    CExtCommandIcon* m_pIcon;
    int m_nIconAlignment;        // bit 0 near edge, bit 1 far edge, bit 2 centred
    HFONT m_hFont;               // NULL: the look's font
    UINT m_nHelperSysCmdID;      // system-command glyph when there is no icon
    bool m_bHorz, m_bFlat, m_bHover, m_bPushed, m_bIndeterminate, m_bEnabled, m_bDrawBorder, m_bDrawFocusRect;
    bool m_bDefaultPushButton, m_bDropDown, m_bTransparentBackground, m_bSeparatedDropDown, m_bPushedDropDown;
    COLORREF m_clrDisabledText, m_clrText, m_clrHoverText, m_clrPushedText;   // (COLORREF)-1: the look's
    UINT m_nDrawTextFlags;
    bool m_bUseDrawText;         // DrawText with m_nDrawTextFlags instead of DrawState

    CExtPaintPushButtonArgs(CObject* pHelperSrc, const RECT& rcClient, LPCTSTR strText, CExtCommandIcon* pIcon,
                            bool bFlat, bool bHover, bool bPushed, bool bIndeterminate, bool bEnabled,
                            bool bDrawBorder, bool bDrawFocusRect, bool bDefaultPushButton)
        : m_pHelperSrc(pHelperSrc), m_lParam(0), m_rcClient(rcClient), m_strText(strText != NULL ? strText : ""),
          m_pIcon(pIcon), m_nIconAlignment(0), m_hFont(NULL), m_nHelperSysCmdID(0), m_bHorz(true), m_bFlat(bFlat),
          m_bHover(bHover), m_bPushed(bPushed), m_bIndeterminate(bIndeterminate), m_bEnabled(bEnabled),
          m_bDrawBorder(bDrawBorder), m_bDrawFocusRect(bDrawFocusRect), m_bDefaultPushButton(bDefaultPushButton),
          m_bDropDown(false), m_bTransparentBackground(false), m_bSeparatedDropDown(false),
          m_bPushedDropDown(false), m_clrDisabledText((COLORREF)-1), m_clrText((COLORREF)-1),
          m_clrHoverText((COLORREF)-1), m_clrPushedText((COLORREF)-1),
          m_nDrawTextFlags(DT_SINGLELINE | DT_CENTER | DT_VCENTER), m_bUseDrawText(false)
    {
    }
};

struct CExtPaintBarCaptionArgs
{
    CObject* m_pHelperSrc;
    LPARAM m_lParam;
    CRect m_rcCaption;
    CRect m_rcText;
    bool m_bActive, m_bFloating, m_bVertical, m_bResizable;
    CString m_strCaption;
    bool m_bHelperFlag;          // cleared; no look reads it
    bool m_bNoFill;              // the flat looks leave the caption's background alone

    CExtPaintBarCaptionArgs(CObject* pHelperSrc, const RECT& rcCaption, const RECT& rcText, LPCTSTR strCaption,
                            bool bActive, bool bFloating, bool bVertical, bool bResizable)
        : m_pHelperSrc(pHelperSrc), m_lParam(0), m_rcCaption(rcCaption), m_rcText(rcText), m_bActive(bActive),
          m_bFloating(bFloating), m_bVertical(bVertical), m_bResizable(bResizable),
          m_strCaption(strCaption != NULL ? strCaption : ""), m_bHelperFlag(false), m_bNoFill(false)
    {
    }
};

struct CExtPaintBarFrameArgs
{
    CObject* m_pHelperSrc;
    LPARAM m_lParam;
    CRect m_rcBar;
    CRect m_rcClient;            // left unpainted
    bool m_bFloating, m_bResizable;
    bool m_bResizableCopy;       // the bar's not-fixed mode once more; floating frames pass false

    CExtPaintBarFrameArgs(CObject* pHelperSrc, const RECT& rcBar, const RECT& rcClient, bool bFloating,
                          bool bResizable, bool bResizableCopy = false)
        : m_pHelperSrc(pHelperSrc), m_lParam(0), m_rcBar(rcBar), m_rcClient(rcClient), m_bFloating(bFloating),
          m_bResizable(bResizable), m_bResizableCopy(bResizableCopy)
    {
    }
};

struct CExtPaintStatusPaneArgs
{
    CObject* m_pHelperSrc;
    LPARAM m_lParam;
    int m_nPart;                 // 2: the frame of one pane; other values: the bar's outer borders
    DWORD m_dwBarStyle;
    CRect m_rcItem;

    CExtPaintStatusPaneArgs(CObject* pHelperSrc, int nPart, DWORD dwBarStyle, const RECT& rcItem)
        : m_pHelperSrc(pHelperSrc), m_lParam(0), m_nPart(nPart), m_dwBarStyle(dwBarStyle), m_rcItem(rcItem)
    {
    }
};

struct CExtPaintControlFrameArgs
{
    CObject* m_pHelperSrc;
    LPARAM m_lParam;
    CRect m_rcControl;
    bool m_bHelperFlag;          // callers pass true; the painting does not read it
    bool m_bHover, m_bEnabled, m_bFocus;

    CExtPaintControlFrameArgs(CObject* pHelperSrc, const RECT& rcControl, bool bHover, bool bEnabled, bool bFocus)
        : m_pHelperSrc(pHelperSrc), m_lParam(0), m_rcControl(rcControl), m_bHelperFlag(true), m_bHover(bHover),
          m_bEnabled(bEnabled), m_bFocus(bFocus)
    {
    }
};

struct CExtPaintComboFrameArgs
{
    CObject* m_pHelperSrc;
    LPARAM m_lParam;
    CRect m_rcClient;
    bool m_bHover, m_bPushed, m_bEnabled;
    // (COLORREF)-1: the look's. The first two replace the idle frame's colours, the
    // third the outer ring of a hovered or pushed combo.
    COLORREF m_clrForceNA, m_clrForceNA2, m_clrForceActiveOuter;
    bool m_bNoOuterRing;

    CExtPaintComboFrameArgs(CObject* pHelperSrc, const RECT& rcClient, bool bHover, bool bPushed, bool bEnabled)
        : m_pHelperSrc(pHelperSrc), m_lParam(0), m_rcClient(rcClient), m_bHover(bHover), m_bPushed(bPushed),
          m_bEnabled(bEnabled), m_clrForceNA((COLORREF)-1), m_clrForceNA2((COLORREF)-1),
          m_clrForceActiveOuter((COLORREF)-1), m_bNoOuterRing(false)
    {
    }
};

struct CExtPaintNcButtonArgs
{
    CObject* m_pHelperSrc;
    LPARAM m_lParam;
    CRect m_rcButton;
    int m_nGlyphIndex;           // into the glyph table; 1 is painted as 21
    bool m_bHover, m_bPushed, m_bEnabled;
    bool m_bOnDockedCaption;     // the flat looks' glyph colours of a docked caption
    bool m_bCaptionActive;
    bool m_bNoInflate;           // classic: no 1-pixel growth; flat: glyph 1 kept on docked captions

    CExtPaintNcButtonArgs(CObject* pHelperSrc, const RECT& rcButton, int nGlyphIndex, bool bHover, bool bPushed,
                          bool bEnabled, bool bOnDockedCaption = false, bool bCaptionActive = false,
                          bool bNoInflate = false)
        : m_pHelperSrc(pHelperSrc), m_lParam(0), m_rcButton(rcButton), m_nGlyphIndex(nGlyphIndex), m_bHover(bHover),
          m_bPushed(bPushed), m_bEnabled(bEnabled), m_bOnDockedCaption(bOnDockedCaption),
          m_bCaptionActive(bCaptionActive), m_bNoInflate(bNoInflate)
    {
    }
};

struct CExtPaintMenuItemArgs
{
    CObject* m_pHelperSrc;
    LPARAM m_lParam;
    CRect m_rcItem;
    int m_nIconAreaWidth;
    CString m_strText, m_strAccelText;
    CExtCommandIcon* m_pIcon;
    // State.
    bool m_bPopup, m_bSelected, m_bChecked, m_bRadio, m_bIndeterminate, m_bEnabled, m_bRarelyUsed;
    bool m_bRarelyUsedPrev;      // the item above is rarely used too
    // Style.
    bool m_bRarelyUsedNext;      // the item below is rarely used too
    bool m_bNoIconArea;          // no icon column
    bool m_bPopupArrowGlyph;     // the sub-menu arrow is a glyph, not a symbol character
    bool m_bPopupArrowGlyphBar;  // the second arrow glyph, with a bar at its left
    bool m_bHasCheckArea, m_bCheckAreaChecked;
    UINT m_nHelperSysCmdID;      // system-command glyph when there is no icon
    CRect m_rcInPlaceWnd;        // empty: no editable field in the item
    CString m_strInPlaceText;
    bool m_bHelperPopupDropped;  // the item's sub-popup is showing

    CExtPaintMenuItemArgs(CObject* pHelperSrc, const RECT& rcItem, int nIconAreaWidth, LPCTSTR strText,
                          LPCTSTR strAccelText, CExtCommandIcon* pIcon, bool bPopup, bool bSelected, bool bChecked,
                          bool bRadio, bool bIndeterminate, bool bEnabled, bool bRarelyUsed, bool bRarelyUsedPrev,
                          bool bRarelyUsedNext, UINT nHelperSysCmdID)
        : m_pHelperSrc(pHelperSrc), m_lParam(0), m_rcItem(rcItem), m_nIconAreaWidth(nIconAreaWidth),
          m_strText(strText != NULL ? strText : ""), m_strAccelText(strAccelText != NULL ? strAccelText : ""),
          m_pIcon(pIcon), m_bPopup(bPopup), m_bSelected(bSelected), m_bChecked(bChecked), m_bRadio(bRadio),
          m_bIndeterminate(bIndeterminate), m_bEnabled(bEnabled), m_bRarelyUsed(bRarelyUsed),
          m_bRarelyUsedPrev(bRarelyUsedPrev), m_bRarelyUsedNext(bRarelyUsedNext), m_bNoIconArea(false),
          m_bPopupArrowGlyph(false), m_bPopupArrowGlyphBar(false), m_bHasCheckArea(false),
          m_bCheckAreaChecked(false), m_nHelperSysCmdID(nHelperSysCmdID), m_rcInPlaceWnd(0, 0, 0, 0),
          m_bHelperPopupDropped(false)
    {
    }
};

struct CExtPaintInPlaceWndArgs
{
    CObject* m_pHelperSrc;
    LPARAM m_lParam;
    CWnd* m_pWnd;
    UINT m_nDrawTextFlags;
    CString m_strText;
    CRect m_rcWnd, m_rcText;
    bool m_bDropDown;            // framed as a combo box
    bool m_bHover, m_bPushed, m_bEnabled;

    CExtPaintInPlaceWndArgs(CObject* pHelperSrc, CWnd* pWnd, UINT nDrawTextFlags, const CString& strText,
                            const RECT& rcWnd, const RECT& rcText, bool bDropDown, bool bHover, bool bPushed,
                            bool bEnabled)
        : m_pHelperSrc(pHelperSrc), m_lParam(0), m_pWnd(pWnd), m_nDrawTextFlags(nDrawTextFlags), m_strText(strText),
          m_rcWnd(rcWnd), m_rcText(rcText), m_bDropDown(bDropDown), m_bHover(bHover), m_bPushed(bPushed),
          m_bEnabled(bEnabled)
    {
    }
};
