// CExtDockBar: a framework dock bar along one side of a frame, at one layer ("circle")
// of docking: circle 0 lies at the frame's edge, each further circle inside the one
// before it. It lays its bars out in rows, keeps the line of its inner edge for the
// docking prediction, paints through the look, offers the panels menu on a right
// click and undocks its bars when it goes.
//
// The bar array's entries are row ends, placeholders and bars (ExtDockEntries.h).
#pragma once

#include <afxwin.h>
#include <afxpriv.h>

class CExtControlBar;
class CExtDynControlBar;
class CExtPopupMenuWnd;

class CExtDockBar : public CDockBar
{
    DECLARE_DYNCREATE(CExtDockBar)
public:
    explicit CExtDockBar(UINT nCircleNo = 0);
    virtual ~CExtDockBar();

    // Creates the window in the framework's dock bar class.
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID);

    /////////////////////////////////////////////////////////////////////////
    // The dock bar's own virtual operations, in this order

    // While locked the bar neither takes part in the frame's layout nor re-lays out
    // the containers nested in it.
    virtual void SetLayoutLock(bool bLock);
    // Re-lays out the inner dock bar of every visible container docked here.
    virtual void RecalcNestedLayout();
    // Lets every container docked here dissolve what it no longer needs.
    virtual void OptimizeNestedContainers();

    /////////////////////////////////////////////////////////////////////////
    // The class library's operations

    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    virtual void DoPaint(CDC* pDC);
    virtual void DrawBorders(CDC* pDC, CRect& rect);
    // Undocks every bar first (they are re-parented to their dock site).
    virtual BOOL DestroyWindow();

    bool IsLayoutLocked() const { return (m_nLockFlags & eLocked) != 0; }

    // Takes a bar out. nMode 1 keeps its id as a placeholder (a resizable framework
    // bar never does: its mode counts as 0); 0 also drops its placeholder here or,
    // without one, in the frame's other dock bars; -1 removes only the entry. With
    // bDelayRecalc the frame lays out again later. 0 when the bar is not here or has
    // no dock context.
    int RemoveControlBar(CControlBar* pBar, int nPosExclude = -1, int nMode = 0, bool bDelayRecalc = true);
    // Docks a bar where the rectangle's centre (screen) lies, or in a new last row.
    // bMove moves it there once more after showing it.
    void DockControlBar(CControlBar* pBar, LPCRECT lpRect = NULL, bool bMove = false);
    // Docks a bar as a row of its own before or after the row holding pRefEntry.
    void DockControlBarInNewRow(void* pRefEntry, CControlBar* pBar, bool bBefore);
    // Docks a bar as a whole row at the front (right and bottom dock bars with
    // bAtFront) or at the end.
    void DockControlBarAsRow(CControlBar* pBar, bool bAtFront);

    // Removes a placeholder of the id here; false when there is none.
    bool RemovePlaceholderOf(UINT nID);

    // The line of the inner edge at the last layout, in screen coordinates now.
    CRect GetLastInnerEdge() const;

    // The frame's dock bar of a side in a circle; with bCreate, missing circles up to
    // that one are appended first. Null when the frame has no framework docking.
    static CExtDockBar* FindDockBarInCircle(CFrameWnd* pFrame, UINT nCircleNo, UINT nDockBarID, bool bCreate);
    // A new circle nCircleNo, the old one and those inside it moving in by one;
    // nothing is created when the four dock bars of that circle are empty. Returns the
    // circle number the caller docks into (0 on failure).
    static UINT InsertDockCircle(CFrameWnd* pFrame, UINT nCircleNo);
    // Creates the four dock bars of a new innermost circle; returns its number.
    static UINT AppendDockCircle(CFrameWnd* pFrame);
    // Removes empty circles (never circle 0) and dissolves containers that hold one
    // bar or none.
    static void OptimizeDockCircles(CFrameWnd* pFrame);
    // The number of circles the frame has (at least 1 once docking is enabled).
    static UINT GetCircleCount(CFrameWnd* pFrame);
    // A dock bar's circle: a platform dock bar (a floating frame's) counts as 0.
    static UINT CircleOf(CDockBar* pDockBar);

    // Whether the bar is the last visible bar of its row here (it then has no edge
    // toward a next bar), and the next visible bar of its row.
    bool IsLastVisibleInRow(CControlBar* pBar) const;
    CControlBar* GetNextVisibleInRow(CControlBar* pBar) const;
    // The visible resizable bars of the bar's row.
    void GetRowBars(CControlBar* pBar, CPtrArray& bars) const;
    // Whether the array holds no bar (row ends and placeholders only).
    bool HoldsNoBars() const;

    // Fills a menu with the show/hide-panels list of the frame's bars: toolbars and
    // resizable bars, one separator between the two kinds. The frame is told first
    // (CExtControlBar::g_nMsgConstructPopupMenu) and may fill the menu itself; it is
    // told again once the list is in. False when the menu cannot be filled.
    // The display-change handling the frame's bars share: the default processing of
    // pWnd's current message, then both holders hear of the new depth and size.
    static LRESULT ForwardDisplayChange(CWnd* pWnd, WPARAM wParam, LPARAM lParam);

    static bool ConstructPanelsMenu(CFrameWnd* pFrame, CExtPopupMenuWnd* pPopup, int nKind, CControlBar* pBar,
                                    UINT nMessage, CObject* pSource);

    // The length a row of this dock bar has: the layout's while one runs, else the
    // window's (its client's when the window is empty), at least 3.
    int GetRowExtent() const;

    bool IsHorzDockBar() const { return (m_dwStyle & CBRS_ORIENT_HORZ) != 0; }

    enum
    {
        eLocked = 0x01,
    };
    enum
    {
        eNestedLayoutRunning = 0x01,
    };
    BYTE m_nLockFlags;
    UINT m_nCircleNo;
    CExtDockBar* m_pDockBarOuter;    // the same side one circle further out
    CExtDockBar* m_pDockBarInner;    // and one further in
    CRect m_rcLastInnerEdge;         // frame client coordinates (they survive moves of the frame)
    BYTE m_nReentryFlags;
    int m_nLayoutExtent;             // the row length of the running layout; 0 outside one

protected:
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam);

    // The bar takes this dock bar's side, all borders and the floating state.
    void TakeBarStyle(CControlBar* pBar);
    // Hides a bar arriving from elsewhere, re-parents it here and takes it out of the
    // dock bar it was in.
    void AdoptBar(CControlBar* pBar);
    // Every bar is re-parented to its dock site and leaves the array.
    void UndockAll();
    void UnlinkFromCircle();
    // Removes the id's placeholder here, else in the frame's other dock bars.
    void RemovePlaceholderHereOrElsewhere(UINT nID);
    // A row end before the first entry, none doubled.
    void CleanRowEnds();
    // A bar's window rectangle in this dock bar's client coordinates.
    CRect GetBarRectInClient(CControlBar* pBar) const;

    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg void OnCancelMode();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnNcPaint();
    afx_msg void OnDestroy();
    afx_msg LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    friend class CExtDynControlBar;
    friend class CExtDockDynBar;
};
