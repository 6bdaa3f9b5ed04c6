// CExtDockBar: a framework dock bar along one side of a frame, at one layer ("circle")
// of docking: circle 0 lies at the frame's edge, each further circle inside the one
// before it. It lays its bars out in rows; resizable bars in a row share its length.
#pragma once

#include <afxwin.h>
#include <afxpriv.h>

class CExtControlBar;
class CExtPopupMenuWnd;

class CExtDockBar : public CDockBar
{
    DECLARE_DYNCREATE(CExtDockBar)
public:
    explicit CExtDockBar(UINT nCircleNo = 0);
    virtual ~CExtDockBar();

    // Creates the window in the framework's dock bar class.
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID);

    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    virtual void DoPaint(CDC* pDC);

    // The frame's dock bar of a side in a circle; with bCreate, missing circles up to
    // that one are created first. Null when the frame has no framework docking.
    static CExtDockBar* FindDockBarInCircle(CFrameWnd* pFrame, UINT nCircleNo, UINT nDockBarID, bool bCreate);
    // Creates the four dock bars of a new innermost circle; returns its number.
    static UINT AppendDockCircle(CFrameWnd* pFrame);
    // The number of circles the frame has (at least 1 once docking is enabled).
    static UINT GetCircleCount(CFrameWnd* pFrame);

    // Whether the bar is the last visible bar of its row here (it then has no edge
    // toward a next bar), and the next visible bar of its row.
    bool IsLastVisibleInRow(CControlBar* pBar) const;
    CControlBar* GetNextVisibleInRow(CControlBar* pBar) const;
    // The visible resizable bars of the bar's row.
    void GetRowBars(CControlBar* pBar, CPtrArray& bars) const;

    // Fills a menu with the show/hide-panels list of the frame's bars: toolbars and
    // resizable bars, one separator between the two kinds. The frame is told first
    // (CExtControlBar::g_nMsgConstructPopupMenu) and may fill the menu itself; it is
    // told again once the list is in. False when the menu cannot be filled.
    static bool ConstructPanelsMenu(CFrameWnd* pFrame, CExtPopupMenuWnd* pPopup, int nKind, CControlBar* pBar,
                                    UINT nMessage, CObject* pSource);

    // The length a row of this dock bar has: the layout's while one runs, else the
    // window's (its client's when the window is empty), at least 3.
    int GetRowExtent() const;

    bool IsHorzDockBar() const { return (m_dwStyle & CBRS_ORIENT_HORZ) != 0; }

    UINT m_nCircleNo;
    int m_nLayoutExtent;             // the row length of the running layout; 0 outside one
    CExtDockBar* m_pDockBarOuter;    // the same side one circle further out
    CExtDockBar* m_pDockBarInner;    // and one further in

protected:
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};
