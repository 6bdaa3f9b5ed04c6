// Docking internals: dock bars, the floating mini frame, the dock context and the
// print preview view's class. Included by afxpriv.h; do not include directly.
#pragma once

#include "afxadv.h"

#include <map>

class CDockSlotArray;

/////////////////////////////////////////////////////////////////////////////
// CDockBar: the invisible container along one edge of a frame (or inside a floating
// mini frame) that lays its control bars out in rows.
//
// m_arrBars holds the bars in row order: a NULL entry ends a row and the first entry
// is always NULL; an entry below 0x10000 is the control id of a bar that left and may
// come back to that place (a placeholder).

class CDockBar : public CControlBar
{
    DECLARE_DYNAMIC(CDockBar)
public:
    explicit CDockBar(BOOL bFloating = FALSE);
    virtual ~CDockBar();

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID);

    virtual BOOL IsDockBar() const { return TRUE; }
    int GetDockedCount() const;
    virtual int GetDockedVisibleCount() const;
    CControlBar* GetDockedControlBar(int nPos) const;

    // Docks the bar; with a rectangle (screen) it goes where the rectangle's centre
    // lies, else back to its placeholder or into a new last row.
    void DockControlBar(CControlBar* pBar, LPCRECT lpRect = NULL);
    // Docks the bar at its placeholder when there is one (else as DockControlBar).
    void ReDockControlBar(CControlBar* pBar, LPCRECT lpRect = NULL);
    // Takes the bar out. nAddPlaceHolder 1 leaves its id as a placeholder, 0 also drops
    // an older placeholder of it, -1 only removes the entry. FALSE when not found.
    BOOL RemoveControlBar(CControlBar* pBar, int nPosExclude = -1, int nAddPlaceHolder = 0);
    void RemovePlaceHolder(CControlBar* pBar);
    void ShowAll(BOOL bShow);

    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    virtual void DoPaint(CDC* pDC);
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler);
    virtual void GetBarInfo(CControlBarInfo* pInfo);
    virtual void SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd);

    int FindBar(CControlBar* pBar, int nPosExclude = -1);
    // Index where a bar with this rectangle (client coordinates of the dock bar) and
    // centre goes; a row end is inserted when it opens a row of its own.
    int Insert(CControlBar* pBarIns, CRect rect, CPoint ptMid);

    BOOL m_bFloating;
    CPtrArray m_arrBars;
    BOOL m_bLayoutQuery;       // CalcFixedLayout measures only, moves nothing
    CRect m_rectLayout;        // area the frame gives the dock bar (empty: its client)

protected:
    BOOL IsHorzDockBar() const;
    void FillSlots(CDockSlotArray& slots, BOOL bHorz, AFX_SIZEPARENTPARAMS* pLayout);
    void RemoveEntryAt(int nPos);
    void RemoveDoubleRowEnds();
    void AttachBar(CControlBar* pBar);

    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnNcPaint();
    afx_msg void OnPaint();
    afx_msg void OnDestroy();
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    friend class CControlBar;
    friend class CFrameWnd;
    friend class CMiniDockFrameWnd;
};

/////////////////////////////////////////////////////////////////////////////
// CMiniDockFrameWnd: the small floating frame around a floating dock bar.

class CMiniDockFrameWnd : public CMiniFrameWnd
{
    DECLARE_DYNCREATE(CMiniDockFrameWnd)
public:
    CMiniDockFrameWnd();

    virtual BOOL Create(CWnd* pParent, DWORD dwBarStyle);
    // Sizes the frame around its dock bar's rows.
    virtual void RecalcLayout(BOOL bNotify = TRUE);

    CDockBar m_wndDockBar;

protected:
    // The first bar of the floating dock bar, or null.
    CControlBar* GetFirstBar() const;

    afx_msg void OnClose();
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    DECLARE_MESSAGE_MAP()
};

/////////////////////////////////////////////////////////////////////////////
// CDockContext: what a dockable bar remembers about where it was docked and floated,
// and moving it between the two.

class CDockContext
{
public:
    explicit CDockContext(CControlBar* pBar);
    virtual ~CDockContext();

    // Drags the bar with the mouse from pt (screen), showing where it would go: dropped
    // over a side it may dock on it docks there, anywhere else it floats; with Ctrl
    // held it always floats. Escape, the right button or a lost capture cancel.
    virtual void StartDrag(CPoint pt);
    // Sizes a floating bar that sizes itself (CBRS_SIZE_DYNAMIC) by dragging the
    // edge of its frame given by the hit-test code; other bars keep their size.
    virtual void StartResize(int nHitTest, CPoint pt);
    // Floats a docked bar at its last floating position; docks a floating one back
    // where it was docked last.
    virtual void ToggleDocking();

    // The steps of a drag: the mouse moved to pt (screen); a key went down or up;
    // the button was released; the drag was cancelled. The steps of a resize: the
    // edge moved with the mouse to pt.
    virtual void Move(CPoint pt);
    virtual void OnKey(int nChar, BOOL bDown);
    virtual void EndDrag();
    virtual void CancelDrag();
    virtual void Stretch(CPoint pt);

    UINT m_uMRUDockID;         // dock bar the bar was docked in last
    CRect m_rectMRUDockPos;    // its rectangle there (dock bar client coordinates)
    DWORD m_dwMRUFloatStyle;   // alignment it floated with last
    CPoint m_ptMRUFloatPos;    // where its floating frame stood last (screen)

    CControlBar* m_pBar;       // null once the bar was deleted during a drag
    CFrameWnd* m_pDockSite;
    DWORD m_dwDockStyle;
    BOOL m_bDragging;

    // While dragging: where the mouse is, where it took hold of the bar, the rectangle
    // the bar would take (the tracker shown), and the dock bar it would go to (null:
    // it would float).
    CPoint m_ptLast;
    CPoint m_ptGrabOffset;
    CRect m_rectTracker;
    CDockBar* m_pTargetDockBar;
    BOOL m_bMoved;

protected:
    void DropAt(CPoint ptScreen, CPoint ptGrabOffset);
    // The rectangle the bar takes dropped with its grab point at pt: docked on the side
    // it would dock at, else floating; sets m_pTargetDockBar.
    CRect CalcDropRect(CPoint pt);
    // Shows the tracker at m_rectTracker, or hides it.
    void DrawTracker(BOOL bShow);
    // Runs a mouse loop until the button is released (TRUE) or the move is cancelled;
    // every move reports the cursor's screen position. The loop ends at once when the
    // bar is deleted or its window destroyed meanwhile.
    template<class F> BOOL TrackMouse(F onMove);
    // The bar was deleted, or its window destroyed, since the drag took hold of hWndBar.
    BOOL IsBarGone(HWND hWndBar) const;

    CRect m_rectTrackerShown;
    BOOL m_bTrackerShown;
    // The bar went away during a drag: the context deletes itself when the drag ends.
    BOOL m_bOrphaned;
    friend class CControlBar;
};

/////////////////////////////////////////////////////////////////////////////
// Print preview. The view to print draws its pages through the printing steps onto
// metafiles made against the printer (or a default page when there is none); the
// preview view shows them scaled in the top-level frame, whose own bars and pane are
// hidden meanwhile.

class CPreviewView;

// What the frame looked like before the preview: restored exactly when it ends.
struct CPrintPreviewState
{
    CPrintPreviewState();

    HWND hWndPane;                    // the frame's pane (MDI client or view), hidden meanwhile
    CView* pViewActiveOld;            // the frame's active view before
    HWND hWndMDIChildActive;          // the active MDI child and whether it was maximised
    BOOL bMDIChildMaximized;
    HWND hWndFocus;
    CPtrArray barsHidden;             // the frame's bars that were shown
    HACCEL hAccelTable;
    BOOL (CALLBACK* lpfnCloseProc)(CFrameWnd* pFrameWnd);
};

class CPreviewView : public CView
{
    DECLARE_DYNCREATE(CPreviewView)
public:
    CPreviewView();
    virtual ~CPreviewView();

    // Runs the print view's prepare and begin steps against the printer and lays out
    // the first page; FALSE when the preview cannot start (the end step has then run).
    BOOL SetPrintView(CView* pPrintView);
    // Runs the end step, restores the frame and destroys this view and its bar.
    void ClosePreview();

    virtual void OnDraw(CDC* pDC);
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);

    // State the tests and the toolbar read.
    UINT GetCurrentPage() const { return m_nCurrentPage; }
    UINT GetPageCount() const;
    UINT GetPagesShown() const { return m_nPages; }
    int GetZoomState() const { return m_nZoomState; }
    CView* GetPrintView() const { return m_pPrintView; }
    CPrintInfo* GetPrintInfo() const { return m_pPreviewInfo; }
    // Where page i (0: the current one) lies in the client area, for the probes.
    CRect GetPageRect(UINT nIndex) const;
    // Page text for the status bar: "Page n" or "Pages n-m".
    CString GetPageDescription() const;
    // The page as the print view drew it (printer units), drawn when first asked for;
    // null outside the document. The preview owns it.
    HENHMETAFILE GetPagePicture(UINT nPage);

    enum { ZOOM_OUT = 0, ZOOM_MIDDLE = 1, ZOOM_IN = 2 };

    void SetCurrentPage(UINT nPage);
    void SetZoomState(int nZoomState, CPoint ptCenter);
    void SetPagesShown(UINT nPages);

    CPrintPreviewState* m_pPreviewState;   // the frame's state before; owned
    CControlBar* m_pToolBar;               // the preview's toolbar; owned

protected:
    // Printer geometry in printer pixels: the paper, where its printable area starts,
    // and the printable area itself.
    CSize m_sizePaper;
    CPoint m_ptPrintOffset;
    CSize m_sizePrintable;
    CSize m_sizePrinterDpi;
    HDC m_hPrinterDC;                      // the print info's printer DC, or null
    HDC m_hScreenIC;                       // reference for the default page

    CView* m_pPrintView;
    CPrintInfo* m_pPreviewInfo;
    UINT m_nCurrentPage;
    UINT m_nPages;
    int m_nZoomState;
    CPoint m_ptScroll;
    BOOL m_bBeginPrintingDone;
    BOOL m_bClosing;
    // One picture per page, drawn when first shown.
    std::map<UINT, HENHMETAFILE> m_pagePictures;

    void TakePageGeometry();
    void FreePagePictures();
    double GetScale() const;
    CSize GetLayoutSize() const;
    void UpdateScrollBars();
    void ScrollTo(CPoint pt);
    void ShowPageDescription();
    void DrawPage(CDC* pDC, const CRect& rcPaper, UINT nPage);
    UINT LastFirstPage() const;
    // The end step, the toolbar's end and the frame restored.
    void EndPreviewSteps();

    afx_msg void OnDestroy();

    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnPreviewClose();
    afx_msg void OnPreviewPrint();
    afx_msg void OnNextPage();
    afx_msg void OnPrevPage();
    afx_msg void OnNumPageChange();
    afx_msg void OnZoomIn();
    afx_msg void OnZoomOut();
    afx_msg void OnUpdateNextPage(CCmdUI* pCmdUI);
    afx_msg void OnUpdatePrevPage(CCmdUI* pCmdUI);
    afx_msg void OnUpdateNumPageChange(CCmdUI* pCmdUI);
    afx_msg void OnUpdateZoomIn(CCmdUI* pCmdUI);
    afx_msg void OnUpdateZoomOut(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()
};
