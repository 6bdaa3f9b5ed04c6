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
          m_nDrawTextFlags(DT_SINGLELINE | DT_CENTER | DT_VCENTER)
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

    CExtPaintBarCaptionArgs(CObject* pHelperSrc, const RECT& rcCaption, const RECT& rcText, LPCTSTR strCaption,
                            bool bActive, bool bFloating, bool bVertical, bool bResizable)
        : m_pHelperSrc(pHelperSrc), m_lParam(0), m_rcCaption(rcCaption), m_rcText(rcText), m_bActive(bActive),
          m_bFloating(bFloating), m_bVertical(bVertical), m_bResizable(bResizable),
          m_strCaption(strCaption != NULL ? strCaption : "")
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

    CExtPaintBarFrameArgs(CObject* pHelperSrc, const RECT& rcBar, const RECT& rcClient, bool bFloating,
                          bool bResizable)
        : m_pHelperSrc(pHelperSrc), m_lParam(0), m_rcBar(rcBar), m_rcClient(rcClient), m_bFloating(bFloating),
          m_bResizable(bResizable)
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
    bool m_bHover, m_bEnabled, m_bFocus;

    CExtPaintControlFrameArgs(CObject* pHelperSrc, const RECT& rcControl, bool bHover, bool bEnabled, bool bFocus)
        : m_pHelperSrc(pHelperSrc), m_lParam(0), m_rcControl(rcControl), m_bHover(bHover), m_bEnabled(bEnabled),
          m_bFocus(bFocus)
    {
    }
};

struct CExtPaintComboFrameArgs
{
    CObject* m_pHelperSrc;
    LPARAM m_lParam;
    CRect m_rcClient;
    bool m_bHover, m_bPushed, m_bEnabled;

    CExtPaintComboFrameArgs(CObject* pHelperSrc, const RECT& rcClient, bool bHover, bool bPushed, bool bEnabled)
        : m_pHelperSrc(pHelperSrc), m_lParam(0), m_rcClient(rcClient), m_bHover(bHover), m_bPushed(bPushed),
          m_bEnabled(bEnabled)
    {
    }
};
