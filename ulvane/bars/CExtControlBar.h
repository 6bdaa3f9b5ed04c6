// CExtControlBar: the dockable, resizable bar of the framework. It docks in layers
// along the frame's sides (layer 0 at the edge holds the toolbars and the menu bar,
// each further layer lies inside the one before), floats in a floating frame, shows
// a caption with a close button, and is resized by dragging its inner edge. Its
// first child window fills its client area. Toolbars, the menu bar and the IDE's
// docking panes derive from it.
#pragma once

#include <afxwin.h>
#include <afxext.h>
#include <afxpriv.h>
#include <afxmt.h>

#include "CExtCaptureBridge.h"

class CExtDockBar;
class CExtMiniDockFrameWnd;

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

    // Creates the bar window. A bar created without a name (null) shows as its caption
    // the menu text its id has in the parent frame's command profile, else the first
    // line of the id's string resource.
    virtual BOOL Create(LPCTSTR lpszWindowName, CWnd* pParentWnd, UINT nID = AFX_IDW_DIALOGBAR,
                        DWORD dwStyle = EXT_DEFAULT_BAR_STYLE);

    // The sizes the bar takes docked in a horizontal row (at the top or bottom), in a
    // vertical row (left or right) and floating. Set them before creating the bar.
    void SetPreferredSizeHorizontal(CSize size) { m_sizeDockedH = size; }
    void SetPreferredSizeVertical(CSize size) { m_sizeDockedV = size; }
    void SetPreferredSizeFloating(CSize size) { m_sizeFloated = size; }
    CSize GetPreferredSizeHorizontal() const { return m_sizeDockedH; }
    CSize GetPreferredSizeVertical() const { return m_sizeDockedV; }
    CSize GetPreferredSizeFloating() const { return m_sizeFloated; }

    // Toolbar-like bars (fixed mode) size themselves from their content and have no
    // caption; resizable bars keep the sizes above.
    virtual bool IsFixedMode() const { return m_bFixedMode; }
    virtual bool IsFixedDockStyle() const { return IsFixedMode(); }
    virtual int GetMinimalWidth();
    virtual int GetMinimalHeight();
    virtual CSize GetMinimalSize();
    virtual CSize GetMinimalFloatingSize();

    // Docks the bar into the frame's dock bar of one side (AFX_IDW_DOCKBAR_TOP,
    // _LEFT, _RIGHT or _BOTTOM) at a layer: layer 0 lies at the frame's edge, layer n
    // inside layer n-1; missing layers are created. The frame defaults to the bar's
    // dock site. False when the frame has no docking or the side is not allowed.
    virtual bool DockAtFrameSide(UINT nDockBarID = AFX_IDW_DOCKBAR_TOP, UINT nLayer = 0, CFrameWnd* pFrame = NULL,
                                 bool bRecalcLayout = true);
    // Floats the bar with its floating frame's top-left corner at x, y (screen).
    virtual void FloatAt(int x, int y);
    // Floats a docked bar where it floated last; docks a floating one back where it
    // was docked last.
    virtual void ToggleDocking();
    // A visible bar is hidden when bToggle is set; a hidden one is shown.
    virtual void ToggleVisibility(bool bToggle = true);

    // The side and layer the bar is docked at; 0xE81F (AFX_IDW_DOCKBAR_FLOAT) when it
    // floats or is not docked.
    UINT GetDockBarID() const;
    UINT GetDockLayer() const;

    // Fits the first child window into the client area (cx, cy; -1: the client size).
    virtual void RepositionChildWindow(int cx = -1, int cy = -1, bool bRedraw = true);
    // Recomputes the caption and edges.
    virtual void RecalcNcArea();
    // Asks the frame to lay its bars out at the next idle time.
    virtual void DelayRecalcFrameLayout();

    // The client area's background through the current look.
    virtual void PaintBarBackground(CDC& dc, const RECT& rc);
    // Paints the client area (background through the current look); a derived bar that
    // paints itself calls this first.
    virtual void PaintClientArea(CDC& dc);

    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    virtual CSize CalcDynamicLayout(int nLength, DWORD nMode);
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler);
    virtual void DoPaint(CDC* pDC);
    virtual BOOL PreTranslateMessage(MSG* pMsg);

    /////////////////////////////////////////////////////////////////////////
    // The frame's side

    // Prepares a frame for the framework's bars: its four outer dock bars become the
    // framework's, and (bReplaceFloatingWnd) floating bars get its floating frames.
    static bool FrameEnableDocking(CFrameWnd* pFrame, DWORD dwDockStyle = CBRS_ALIGN_ANY,
                                   bool bReplaceFloatingWnd = true);
    // Shows the frame's bar with that id when it is hidden, hides it when it shows.
    static bool ToggleFrameBarByCommand(CFrameWnd* pFrame, UINT nCmdID);
    // Disables the item when the frame has no bar with its id, else checks it while
    // the bar is visible.
    static void UpdateFrameBarCommandUI(CFrameWnd* pFrame, CCmdUI* pCmdUI);
    // After a change of look: the docked bars' captions and edges, and the floating
    // frames' layout and paint.
    static void RecalcFrameBarsNcArea(CFrameWnd* pFrame);
    static void RedrawFloatingFrames(CFrameWnd* pFrame);

    // Bars hosted in a dialog or another window that is not a frame: the message goes
    // to each framework bar among the window's children in child order until one takes
    // it; the idle update reaches every one of them, with the window as command target.
    static bool PreTranslateMessageForChildBars(CWnd* pWndParent, MSG* pMsg);
    static void UpdateChildBarsCmdUI(CWnd* pWndParent, BOOL bDisableIfNoHandler = TRUE);

    // The frame's bar layout (positions, sizes, docking and visibility of its bars)
    // and its placement, kept in the current user's registry under the application's
    // key, the product key and the profile name. Loading applies a stored layout
    // whole or not at all: false (missing, stale or damaged data, or a frame bound to
    // no command profile) leaves the frame as it is, for the caller to lay out its
    // default. pFramePlacement receives the stored placement of the frame.
    static bool LoadBarState(CFrameWnd* pFrame, LPCTSTR lpszRegistryKey, LPCTSTR lpszProductKey,
                             LPCTSTR lpszProfileName, WINDOWPLACEMENT* pFramePlacement = NULL);
    static bool SaveBarState(CFrameWnd* pFrame, LPCTSTR lpszRegistryKey, LPCTSTR lpszProductKey,
                             LPCTSTR lpszProfileName, WINDOWPLACEMENT* pFramePlacement = NULL);

    // Every bar of the process, for the queries of the bar layer.
    static CCriticalSection g_csBars;
    static CArray<CExtControlBar*, CExtControlBar*> g_arrBars;

protected:
    // What the non-client area of a docked resizable bar holds, in window coordinates.
    struct NcLayout
    {
        CRect rcCaption, rcText, rcClose, rcRowSplitter, rcInRowSplitter, rcClient;
    };
    void CalcNcLayout(NcLayout& layout) const;
    bool HasCaption() const;
    bool IsCaptionActive() const;
    bool IsVerticalRow() const;
    // Resizing by the row edge (bRow) or toward the next bar of the row.
    void TrackSplitter(bool bRow, CPoint ptScreen);
    // Moving the bar with the mouse: docking where it is dropped near the frame's sides
    // or over a docked bar, floating elsewhere (always with Ctrl held).
    void TrackDragging(CPoint ptScreen);
    void TrackCloseButton();

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnNcPaint();
    afx_msg UINT OnNcHitTest(CPoint point);
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnClose();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpWndPos);
    afx_msg void OnSysColorChange();
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    CSize m_sizeDockedH;       // in a horizontal row
    CSize m_sizeDockedV;       // in a vertical row
    CSize m_sizeFloated;
    bool m_bFixedMode;
    int m_nCaptionHeight;
    int m_nSplitterWidth;
    CPoint m_ptFloatPos;       // last floating position (screen); -1, -1: none yet
    UINT m_nLastDockBarID;     // side and layer it was docked at last
    UINT m_nLastDockLayer;
    bool m_bCaptionActive;     // as painted last

    friend class CExtDockBar;
    friend class CExtMiniDockFrameWnd;
    friend class CExtFrameBarState;

public:
    // Whether the frame of pWnd (or pWnd itself, being a frame) is in context-help mode.
    static bool IsParentFrameInHelpMode(CWnd* pWnd);
};
