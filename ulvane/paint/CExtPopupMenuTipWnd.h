// CExtPopupMenuTipWnd: the balloon tip of a popup menu item: an icon and a text in a
// rounded balloon whose arrow points at the item. It never takes the activation and
// never animates; it shows a moment after it was asked for.
#pragma once

#include "CExtPopupBaseWnd.h"

class CExtPopupMenuTipWnd : public CExtPopupBaseWnd
{
    DECLARE_DYNCREATE(CExtPopupMenuTipWnd)
public:
    enum
    {
        nTipTimerID = 669,
        nTipDelay = 1000,   // ms
    };
    // Layout flags.
    enum
    {
        eArrowRight = 0x01,  // the arrow is at the right side, else at the left
        eArrowTop = 0x02,    // the arrow is at the top: the balloon is below the target
    };
    enum
    {
        nArrowHeight = 25,
        nArrowBaseFrom = 12,  // the arrow's base, from its side edge
        nArrowBaseTo = 37,
        nTextMarginX = 12,
        nTextMarginY = 10,
        nIconGap = 5,
    };

    CExtPopupMenuTipWnd();
    virtual ~CExtPopupMenuTipWnd();

    // Leading and trailing white space is dropped.
    void SetText(LPCTSTR lpszText);
    const CString& GetText() const { return m_strText; }
    // NULL: no icon. The tip does not own the icon.
    void SetIcon(HICON hIcon, CSize sizeIcon);
    BYTE GetLayoutFlags() const { return m_nLayoutFlags; }

    // Lays the balloon out for the text and the target (screen) and shows it, without
    // activating it, after the tip delay; pWndOwner is the menu.
    bool Show(CWnd* pWndOwner, LPCTSTR lpszText, const RECT& rcTarget);
    void Hide();

    // The window rectangle of a balloon whose text measures sizeText, next to rcTarget
    // and inside rcBounds, and its layout flags.
    static CRect CalcLayout(CSize sizeText, CSize sizeIcon, const CRect& rcTarget, const CRect& rcBounds,
                            BYTE& nLayoutFlags);
    // The balloon's outline in window coordinates: rounded body and arrow.
    static bool CreateBalloonRegion(CRgn& rgn, CSize sizeWindow, BYTE nLayoutFlags);

    virtual void PaintContent(CDC& dc, bool bOnScreen);

protected:
    CSize MeasureText();
    static bool RegisterTipClass();

    CString m_strText;
    HICON m_hIcon;
    CSize m_sizeIcon;
    CRect m_rcTarget;
    CRect m_rcWindow;
    BYTE m_nLayoutFlags;

    afx_msg void OnTimer(UINT_PTR nIDEvent);
    DECLARE_MESSAGE_MAP()
};
