// CExtControlBar: the dockable, resizable bar of the framework. It docks in layers
// along the frame's sides (layer 0 at the edge holds the toolbars and the menu bar,
// each further layer lies inside the one before), floats in a floating frame, shows
// a caption with its buttons (hide, options) and splitters toward its neighbours,
// and lays out its dock row. Its first child window fills its client area.
// Toolbars, the menu bar and the IDE's docking panes derive from it.
#pragma once

#include <afxwin.h>
#include <afxext.h>
#include <afxpriv.h>
#include <afxmt.h>
#include <afxtempl.h>

#include <vector>

#include "CExtCaptureBridge.h"

class CExtDockBar;
class CExtMiniDockFrameWnd;
class CExtPopupMenuWnd;
class CExtBarNcAreaButton;
class CExtBarStateExtra;
class CExtBarDragState;

// The bar style the framework's bars are created with: visible child, docked at the
// top, gripper, tool tips and fly-by prompts, sizing itself.
#define EXT_DEFAULT_BAR_STYLE (WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY | \
                               CBRS_SIZE_DYNAMIC | CBRS_HIDE_INPLACE)

class CExtControlBar : public CControlBar, public CExtCaptureBridge
{
    DECLARE_DYNCREATE(CExtControlBar)
public:
    CExtControlBar();
    virtual ~CExtControlBar();

    // The capture goes through the bridge; the window's own form stays available.
    virtual HWND SetCapture(HWND hWnd) { return CExtCaptureBridge::SetCapture(hWnd); }
    CWnd* SetCapture() { return CWnd::FromHandle(SetCapture(m_hWnd)); }

    // Registered messages of the bar layer.
    static const UINT g_nMsgQueryRepositionCalcEffect;
    static const UINT g_nMsgQueryIcon;
    static const UINT g_nMsgPutToPopupMenu;
    static const UINT g_nMsgConstructPopupMenu;

    // Bar flags.
    enum
    {
        eBarCaptionAtTop = 0x01,
        eBarConstructed = 0x02,
        eBarEraseBackground = 0x04,   // WM_ERASEBKGND erases around the visible children
        eBarNotInFrame = 0x08,        // hosted by a dialog or another non-frame window
        eBarInFrameLayout = 0x10,
        eBarUpdateBlocked = 0x20,     // no command-UI update (running, or window closing)
        eBarInPanelsMenu = 0x40,
        eBarFixedMode = 0x80,         // toolbar-like: sized by its content, no caption
    };
    // Tracking flags.
    enum
    {
        eTrackRowResizing = 0x01,
        eTrackInRowResizing = 0x02,
        eTrackDragging = 0x04,
        eTrackFitFirstChild = 0x08,
        eTrackNoChildReposition = 0x10,   // also the guard of the visibility synchronisation
    };
    // Caption state flags.
    enum
    {
        eCaptionActive = 0x01,
        eCaptionLeadingResize = 0x02,
        eCaptionHoverTracking = 0x04,
    };

    // The sizes the bar takes docked in a horizontal row (at the top or bottom), in a
    // vertical row (left or right) and floating. Set them before creating the bar.
    void SetPreferredSizeHorizontal(CSize size) { m_sizeDockedH = size; }
    void SetPreferredSizeVertical(CSize size) { m_sizeDockedV = size; }
    void SetPreferredSizeFloating(CSize size) { m_sizeFloated = size; }
    CSize GetPreferredSizeHorizontal() const { return m_sizeDockedH; }
    CSize GetPreferredSizeVertical() const { return m_sizeDockedV; }
    CSize GetPreferredSizeFloating() const { return m_sizeFloated; }

    /////////////////////////////////////////////////////////////////////////
    // The bar's own virtual operations, in this order

    // Lists the bar in the show/hide-panels menu (bar flag 0x40).
    virtual bool InsertToPanelsMenu(CExtPopupMenuWnd* pPopup);
    // Creates the bar window. A bar created without a name (null) shows as its caption
    // the menu text its id has in the parent's command profile, else the first line of
    // the id's string resource.
    virtual BOOL Create(LPCTSTR lpszWindowName, CWnd* pParentWnd, UINT nID = AFX_IDW_DIALOGBAR,
                        DWORD dwStyle = EXT_DEFAULT_BAR_STYLE);
    virtual bool IsDockSiteInPreviewMode();
    // Shows the bar through its frame and waits for it to show; false when it cannot.
    virtual bool EnsureBarVisible();
    virtual bool IsFixedMode() const { return (m_nBarFlags & eBarFixedMode) != 0; }
    virtual bool IsFixedDockStyle() const { return IsFixedMode(); }
    // Whether the bar draws a caption, and where (across the top or down the side).
    virtual bool IsBarWithGripper(bool* pbCaptionAtTop = NULL, bool* pbTextOnCaption = NULL);
    // The client area's background through the current look.
    virtual void PaintBarBackground(CDC& dc, const RECT& rc);
    virtual bool IsMinimizedOnRow() { return false; }
    virtual int GetMinimalWidth();
    virtual int GetMinimalHeight();
    virtual CSize GetMinimalFloatingSize();
    virtual CSize GetMinimalSize();
    virtual CExtBarStateExtra* GetBarStateExtra() { return NULL; }
    virtual void SetBarStateExtra(const CExtBarStateExtra* /*pExtra*/) {}
    virtual void ApplyBarStateExtra();
    virtual void ResetBarStateExtra();
    virtual bool IsStateRestorable() { return false; }
    // Asks the frame to lay its bars out at the next idle time.
    virtual void DelayRecalcFrameLayout();
    // Recomputes the caption, splitters and buttons.
    virtual void RecalcNcArea();
    virtual bool IsShowContentWhenResizing() { return false; }
    virtual bool IsShowContentWhenRowResizing() { return IsShowContentWhenResizing(); }
    virtual bool IsShowContentWhenRowRecalcing() { return IsShowContentWhenResizing(); }
    // Fits the first child window into the client area (cx, cy; -1: the client size).
    virtual void RepositionChildWindow(int cx = -1, int cy = -1, bool bRedraw = true);
    // Resizing with the mouse: across the row by the row splitter (row resizing) and
    // along it by a splitter toward a neighbour (in-row resizing). Start runs the
    // mouse loop until the button goes up or something cancels; points are screen
    // points.
    virtual void StartRowResizing(CPoint ptScreen);
    virtual void StopRowResizing(bool bCancel);
    virtual void TrackRowResizing(CPoint ptScreen);
    virtual void StartRowRecalcing(CPoint ptScreen);
    virtual void StopRowRecalcing(bool bCancel);
    virtual void TrackRowRecalcing(CPoint ptScreen);
    virtual bool IsRowRecalcAllowedBefore() { return true; }
    virtual bool IsRowRecalcAllowedAfter() { return true; }
    // Draw the tracker at the tracked coordinate; drawing again erases it.
    virtual void DrawRowResizingTracker();
    virtual void DrawRowRecalcingTracker();
    // Nests another bar with this one in a container bar that takes this bar's place:
    // pOther takes the half of this bar on nSide (a dock bar id: top, left, right,
    // bottom).
    virtual void DockNestedWith(CExtControlBar* pOther, UINT nSide);
    // Docks or floats the bar as the state says; false when it does nothing.
    virtual bool ApplyDragState(CExtBarDragState* pState);
    // Moving the bar with the mouse: waits until the cursor moved by the thresholds
    // from ptScreen, then runs the drag loop until the button goes up (the drop is
    // applied) or something cancels (nothing changes).
    virtual void StartDragging(POINT ptScreen, POINT ptGrabOffset, int nThresholdX, int nThresholdY);
    virtual void StopDragging(bool bCancel);
    virtual void TrackDragging(POINT ptScreen, bool bForceFloat);
    virtual void OnDraggingStarted();
    virtual void OnDraggingStopped(CExtBarDragState* pOld, CExtBarDragState* pNew, bool bCancel);
    virtual void UpdateDraggingCursor(POINT ptClient);
    virtual bool IsFloatingFrameZOrderKept() { return false; }
    virtual bool CanNestIntoBars() { return true; }
    virtual bool OnQueryBarHasChildBars() { return false; }
    // bToggle: a visible bar is hidden; a hidden one is shown either way, and a shown
    // resizable bar takes the focus.
    virtual void ToggleVisibility(bool bToggle = true);
    virtual void UpdateVisibilityCmdUI(CCmdUI* pCmdUI, bool bForce);
    // A new floating frame on the dock site; throws the resource exception when the
    // frame cannot be created.
    virtual CExtMiniDockFrameWnd* CreateFloatingFrame(DWORD dwStyle);
    // Floats a docked bar where it floated last; a floating resizable bar stays.
    virtual void ToggleDocking();
    // Floats the bar with its floating frame's top-left corner at x, y (screen).
    virtual void FloatAt(int x, int y, DWORD dwDockStyle = CBRS_ALIGN_TOP);
    virtual bool DockIntoDockBar(CExtControlBar* /*pTarget*/, UINT /*nDockBarID*/) { return false; }
    // Docks the bar as a row of its own into the frame's dock bar of one side
    // (AFX_IDW_DOCKBAR_TOP, _LEFT, _RIGHT or _BOTTOM) in a circle: 0 lies at the
    // frame's edge, n inside n-1; missing circles are appended, a layer above 16 is
    // taken as 16. Empty circles are then removed, so that layers given in ascending
    // order give compact circles in that order. The frame defaults to the bar's dock
    // site. False when the frame has no docking or the side is not allowed.
    virtual bool DockAtFrameSide(UINT nDockBarID = AFX_IDW_DOCKBAR_TOP, UINT nLayer = 0, CFrameWnd* pFrame = NULL,
                                 bool bRecalcLayout = true);
    virtual bool OnQueryDockTarget() { return false; }
    // Keeps the caption text clear of the visible buttons.
    virtual void CalcNcAreaButtonsRect(CRect& rcText);
    virtual void CreateNcAreaButtons();
    virtual int LayoutNcAreaButtons();
    virtual int HitTestHelpCommand(CPoint /*point*/) { return -1; }
    // A mouse move (client point) during hover tracking or a tracking loop: true when
    // it was handled.
    virtual bool OnNcAreaButtonsMouseMove(UINT nFlags, CPoint point);

    /////////////////////////////////////////////////////////////////////////
    // The class library's operations

    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    virtual CSize CalcDynamicLayout(int nLength, DWORD nMode);
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler);
    virtual void DoPaint(CDC* pDC);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const;
    virtual LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam);
    // Paints the client area (background through the current look); a derived bar that
    // paints itself calls this first.
    virtual void PaintClientArea(CDC& dc);

    /////////////////////////////////////////////////////////////////////////
    // Where the bar is

    // The side the bar is docked at; 0xE81F (AFX_IDW_DOCKBAR_FLOAT) when it floats or
    // is not docked. The layer of that side it is docked in (0 when floating).
    UINT GetDockBarID() const;
    UINT GetDockLayer() const;
    bool IsDockedAtLeft() const;
    bool IsDockedAtRight() const;
    bool IsDockedAtBottom() const;
    bool IsDockedHorizontally() const;
    bool IsDockedVertically() const;
    bool IsDocked() const;
    BOOL IsFloating() const;
    // Visible and resizable, and the only such bar in its floating frame.
    bool IsAloneInFloatingFrame() const;

    // Row queries of the bar's dock row.
    bool IsFirstInRow(bool bResizableOnly) const;
    bool IsLastInRow(bool bResizableOnly) const;
    bool IsAtMinimalLength();
    bool IsOnlyBarInRow(bool bFixedOnly, bool bResizableOnly) const;
    // Gives the bar a row of its own in its dock bar, as long as the dock bar allows,
    // and lays the frame out.
    void MakeAloneInRow();
    // The visible bars of the bar's row, their union rectangle (screen), the bar's index
    // among them, whether a resizable bar is among them and whether the row is full (a
    // bar of it takes its whole row, or their lengths reach the dock bar's length less
    // one). Each out argument may be NULL. False when the bar is in no dock bar.
    bool GetRowBars(CArray<CControlBar*, CControlBar*>* pArrBars, CRect* pRcUnion = NULL, INT_PTR* pnIndex = NULL,
                    bool* pbHasResizable = NULL, bool* pbFull = NULL);
    // The same, the resizable bars of the row only.
    bool GetRowResizableBars(CArray<CControlBar*, CControlBar*>* pArrBars, CRect* pRcUnion = NULL,
                             INT_PTR* pnIndex = NULL, bool* pbHasResizable = NULL, bool* pbFull = NULL);
    // The same for the next row (bForward) or the previous one, whose bars come last
    // first. False when there is no such row.
    bool GetRowNeighbours(bool bForward, CArray<CControlBar*, CControlBar*>* pArrBars, CRect* pRcUnion = NULL,
                          bool* pbHasResizable = NULL, bool* pbFull = NULL);
    // Moves the bar in its dock bar's list right before (or after) another bar of it.
    bool MoveNextToInDockBar(CControlBar* pOther, bool bAfter);
    // Which sides have a splitter toward a neighbour (a row before or after, a bar
    // before or after in the row).
    void GetSplitterSides(bool& bLeft, bool& bTop, bool& bRight, bool& bBottom) const;
    // Every other resizable bar of the row gives up all it has above its minimum to
    // this one.
    void MaximizeInRow();
    // Hidden bars give their length back to their row, shown ones take it again.
    void SyncNestedVisibility();
    // A nested bar shows or hides its container; a hidden container hides its bars.
    void SyncContainerVisibility();
    void ReclaimRowLength();

    // The caption buttons under a screen point: 1 for none, else their hit code.
    UINT HitTestNcAreaButtons(CPoint ptScreen, CExtBarNcAreaButton** ppButton = NULL);
    void PaintNcAreaButtons(CDC& dc);
    int GetNcAreaButtonCount() const { return (int)m_arrNcButtons.GetSize(); }
    CExtBarNcAreaButton* GetNcAreaButton(int nIndex) const;

    // Builds and shows the show/hide-panels menu at a screen point (or against an
    // exclude rectangle): the frame is told first and may build it itself.
    bool TrackPanelsMenu(int nKind, UINT nMessage, CObject* pSource, CPoint ptScreen, LPCRECT lpRcExclude = NULL);

    // One visible bar of a dock row, in row terms, for the row arithmetic.
    struct ROWBAR
    {
        bool bResizable;
        int nLength;      // resizable: the remembered length; others: their window's
        int nMinLength;   // resizable bars only
        int nCross;       // resizable: the remembered thickness across the row
    };
    // What SpreadRowLengths decided.
    struct ROWDECISION
    {
        int nBreakAfter;      // -1: the row stays whole; else a row end follows that bar
        bool bWorkingMoves;   // the working bar lies beyond the break: it decides nothing
        int nCross;           // the common thickness of the row's resizable bars
    };
    // The row of visible bars as it stands, nWorking its first resizable bar, within
    // nExtent (nBorders of it kept free): where it breaks when the bars' minima do
    // not fit, and the lengths of its resizable bars (updated in bars) so that they
    // fill the row, none below its minimum.
    static ROWDECISION SpreadRowLengths(std::vector<ROWBAR>& bars, int nWorking, int nExtent, int nBorders);

    /////////////////////////////////////////////////////////////////////////
    // The frame's side

    // EnableFrameDocking under the name the frames call it by.
    static bool FrameEnableDocking(CFrameWnd* pFrame, DWORD dwDockStyle = CBRS_ALIGN_ANY,
                                   bool bReplaceFloatingWnd = true);
    // Shows the frame's bar with that id when it is hidden, hides it when it shows
    // (bToggle false: shows it and gives it the focus).
    static bool ToggleFrameBarByCommand(CFrameWnd* pFrame, UINT nCmdID, bool bToggle = true);
    // Disables the item when the frame has no bar with its id, else checks it while
    // the bar is visible.
    static void UpdateFrameBarCommandUI(CFrameWnd* pFrame, CCmdUI* pCmdUI, bool bForce = true);
    // After a change of look: the docked bars' captions and edges, and the floating
    // frames' layout and paint.
    static void RecalcFrameBarsNcArea(CFrameWnd* pFrame);
    static void RedrawFloatingFrames(CFrameWnd* pFrame);

    // Bars hosted in a dialog or another window that is not a frame: the message goes
    // to each framework bar among the window's children in child order until one takes
    // it; the idle update reaches every one of them, with the window as command target.
    static bool PreTranslateMessageForChildBars(CWnd* pWndParent, MSG* pMsg);
    static void UpdateChildBarsCmdUI(CWnd* pWndParent, BOOL bDisableIfNoHandler = TRUE);

    // Filter bits of GetFrameControlBars.
    enum
    {
        eFilterFixed = 0x001,
        eFilterResizableAtMin = 0x002,
        eFilterResizableAboveMin = 0x004,
        eFilterDockedTop = 0x008,
        eFilterDockedBottom = 0x010,
        eFilterDockedLeft = 0x020,
        eFilterDockedRight = 0x040,
        eFilterFloating = 0x080,
        eFilterIsVisible = 0x100,
        eFilterIsNotVisible = 0x200,
        eFilterWindowVisible = 0x400,
        eFilterWindowHidden = 0x800,
        eFilterAll = 0xFFF,
        eFilterPtInBar = 0x8000,
        eFilterPtInClient = 0x10000,
        eFilterPtInCaption = 0x20000,
    };
    // The framework bars of a frame that pass the filter (containers and bars hosted
    // outside frames never do).
    static void GetFrameControlBars(CFrameWnd* pFrame, CArray<CExtControlBar*, CExtControlBar*>& arrBars,
                                    DWORD dwFilter = eFilterAll, CPoint ptScreen = CPoint(-1, -1));
    // Moves the focus to the window that holds the bar, unless it is there already.
    static void FocusBarFrame(CExtControlBar* pBar);
    // The class library's bar placement, asking each child first whether it takes part.
    static void RepositionBarsEx(CWnd* pWnd, UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver,
                                 UINT nFlag = reposDefault, LPRECT lpRectParam = NULL,
                                 LPCRECT lpRectClient = NULL, BOOL bStretch = TRUE);
    // The frame's bar layout (positions, sizes, docking and visibility of its bars)
    // and its placement, kept in the current user's registry under the application's
    // key, the product key and the profile name. Loading applies a stored layout
    // whole or not at all: false (missing, stale or damaged data, or a frame bound to
    // no command profile) leaves the frame as it is, for the caller to lay out its
    // default. pFramePlacement receives the stored placement of the frame.
    static bool LoadBarState(CFrameWnd* pFrame, LPCTSTR lpszRegistryKey, LPCTSTR lpszProductKey,
                             LPCTSTR lpszProfileName, WINDOWPLACEMENT* pFramePlacement = NULL,
                             CDWordArray* pUnnamedBarIDs = NULL);
    static bool SaveBarState(CFrameWnd* pFrame, LPCTSTR lpszRegistryKey, LPCTSTR lpszProductKey,
                             LPCTSTR lpszProfileName, WINDOWPLACEMENT* pFramePlacement = NULL);

    // Every bar of the process, for the queries of the bar layer.
    static CCriticalSection g_csBars;
    static CArray<CExtControlBar*, CExtControlBar*> g_arrBars;

    // The drag in progress: the drop shown, the drop the cursor means now, the bar
    // dragged (null when none) and the guard of the tracking step.
    static CExtBarDragState g_DragStateCurrent;
    static CExtBarDragState g_DragStateNew;
    static CExtControlBar* g_pBarDragged;
    static bool g_bUpdatingDragState;
    // The system's cursors of the loops.
    static HCURSOR g_hCursorArrow;
    static HCURSOR g_hCursorMove;
    static HCURSOR g_hCursorResizeV;
    static HCURSOR g_hCursorResizeH;

    BYTE m_nBarFlags;
    int m_nCaptionExtentH;        // across the top
    int m_nCaptionExtentV;        // down the side
    int m_nResizeBorderV;         // thickness of horizontal splitters
    int m_nResizeBorderH;         // thickness of vertical splitters
    int m_nNcOverheadH;
    int m_nNcOverheadV;
    int m_nTrackedCoord;
    int m_nTrackedExtent;
    CSize m_sizeDockedH;          // in a horizontal row
    CSize m_sizeDockedV;          // in a vertical row
    CSize m_sizeFloated;
    CRect m_rcCaption;            // these four in window coordinates
    CRect m_rcRowSplitter;
    CRect m_rcTrailingSplitter;
    CRect m_rcLeadingSplitter;
    BYTE m_nTrackingFlags;
    int m_nReclaimLength;         // what the bar takes back from its row when shown again
    CPoint m_ptFloatPos;          // last floating position (screen)
    CPoint m_ptGrabFloating;
    CPoint m_ptGrabHorz;
    CPoint m_ptGrabVert;
    BYTE m_nCaptionFlags;
    CPoint m_ptLastDrag;
    bool m_bRowTrackerDrawn;      // the row or in-row tracker shows
    CArray<CExtBarNcAreaButton*, CExtBarNcAreaButton*> m_arrNcButtons;

protected:
    virtual void PreSubclassWindow();
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);

    bool IsVerticalRow() const { return IsDockedVertically(); }
    // The length along its row, and the minimum of it.
    int GetRowLength() const;
    int GetMinimalRowLength();
    void SetRowLength(int nLength);
    // The bar's row in its dock bar: the entries between the row ends around it.
    bool GetRowRange(INT_PTR& nFirst, INT_PTR& nLast) const;
    // The row queries' common part, over the entries [nFirst, nLast] of the dock bar.
    bool CollectRowBars(INT_PTR nFirst, INT_PTR nLast, bool bResizableOnly, bool bLastFirst,
                        CArray<CControlBar*, CControlBar*>* pArrBars, CRect* pRcUnion, INT_PTR* pnIndex,
                        bool* pbHasResizable, bool* pbFull);
    // The dock bar this bar lies in, when it is one of the framework's.
    CExtDockBar* GetExtDockBar() const;
    // The frame whose bars this bar belongs to: the dock site, the owner frame of a
    // floating frame, or the parent frame.
    CFrameWnd* GetBarFrame() const;
    void DeleteNcAreaButtons();
    // The row layout of a docked bar (CalcDynamicLayout's docked modes).
    CSize CalcRowLayout(int nLength, DWORD nMode);
    CSize GetSizeInRow(bool bHorzRow, bool bStretch);
    void UpdateCaptionState(bool bForce);

    // The mouse loop of the tracking operation nFlag (eTrackRowResizing,
    // eTrackInRowResizing or eTrackDragging), set by the caller: it pumps the thread's
    // messages until the operation's stop clears the flag. False when the bar's window
    // was destroyed meanwhile: the caller must not touch the object then.
    bool RunTrackingLoop(BYTE nFlag);
    // A press on a floating frame's caption drags the bar it floats.
    void TrackDragging(CPoint ptScreen);
    // Whether msg, next in the queue, cancels the operation nFlag.
    static bool IsTrackingCancelMessage(BYTE nFlag, const MSG& msg);
    void StopTracking(BYTE nFlag, bool bCancel);
    // Waits until the cursor moves by the thresholds (ptScreen: where it got): false when the button went up,
    // a key was pressed or something else ended the wait first.
    bool WaitForDragThreshold(CPoint& ptScreen, int nThresholdX, int nThresholdY);
    // The drop a cursor position means: docking near the sides of the area the bars
    // leave free or over a docked bar, floating elsewhere (always with bForceFloat).
    void PredictDrop(CPoint ptScreen, bool bForceFloat, CExtBarDragState& state);
    // The window goes or the object dies while a loop of it runs: the drag data
    // naming it is cleared, its trackers erased and the capture released.
    void AbandonTracking();
    // Row resizing and in-row resizing: the cross extent, the length in the row and
    // its minimum, and the row's neighbour bar on one side.
    int GetRowCrossExtent() const;
    int GetMinimalCrossExtent();
    void SetRowCrossExtent(int nExtent);
    CExtControlBar* GetResizableNeighbourInRow(bool bAfter);

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnDestroy();
    afx_msg void OnNcDestroy();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnNcPaint();
    afx_msg UINT OnNcHitTest(CPoint point);
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonUp(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    afx_msg void OnNcRButtonUp(UINT nHitTest, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnClose();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpWndPos);
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpWndPos);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnCancelMode();
    afx_msg void OnSysColorChange();
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    afx_msg LRESULT OnDisplayChangeMsg(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnThemeChanged(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    friend class CExtDockBar;
    friend class CExtMiniDockFrameWnd;
    friend class CExtFrameBarState;
    friend class CExtBarNcAreaButton;

public:
    // Whether the frame of pWnd (or pWnd itself, being a frame) is in context-help mode.
    static bool IsParentFrameInHelpMode(CWnd* pWnd);
};

// Prepares a frame for the framework's bars: the class library's outer dock bars of
// the sides in dwAlignment become the framework's (the bars they hold moving over),
// and (bUseLibraryFloatingFrame) floating bars get its floating frames. False, with
// nothing changed, when dwAlignment names no side.
bool EnableFrameDocking(CFrameWnd* pFrame, DWORD dwAlignment = CBRS_ALIGN_ANY, bool bUseLibraryFloatingFrame = true);
