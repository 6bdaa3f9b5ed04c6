// CExtMiniDockFrameWnd: the floating frame of the framework's bars. It draws its own
// border and caption through the current look, shows the caption buttons of its bar
// (or a close button of its own), keeps its caption on the work area of its monitor,
// and moves and docks back a resizable bar by the framework's own rules.
#pragma once

#include <afxwin.h>
#include <afxpriv.h>

#include "CExtCaptureBridge.h"

class CExtControlBar;

class CExtMiniDockFrameWnd : public CMiniDockFrameWnd, public CExtCaptureBridge
{
    DECLARE_DYNCREATE(CExtMiniDockFrameWnd)
public:
    CExtMiniDockFrameWnd();
    virtual ~CExtMiniDockFrameWnd();

    virtual HWND SetCapture(HWND hWnd) { return CExtCaptureBridge::SetCapture(hWnd); }

    virtual BOOL Create(CWnd* pParent, DWORD dwBarStyle);
    // The client area lies inside the sizing border, below the caption.
    virtual void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = 0);

    // The caption across the frame's top, and the frame's own close button at its
    // right end, in window coordinates.
    void CalcCaptionRect(CRect& rcCaption) const;
    void CalcCloseButtonRect(CRect& rcButton) const;

    // The caption of a frame whose container holds one visible pane: that pane's
    // text. False (and empty text) when it holds several or the pane has no text.
    bool GetFloatingCaptionText(CString& strCaption);

    // The bar the frame floats (first of its floating dock bar), and that bar when it
    // is one of the framework's.
    CControlBar* GetFloatingBar() const { return GetFirstBar(); }
    CExtControlBar* GetFloatingExtBar() const;

    // What keeps a frame on its work area, as arithmetic on rectangles. The size a
    // frame may have: each direction larger than the work area shrinks to it, the
    // other stays.
    static CSize FitSizeToWorkArea(CSize size, const CRect& rcWorkArea);
    // Where a frame of that rectangle goes so that its caption can be reached: its
    // top within the work area with a caption's height left below it, and at least
    // g_nCaptionKeptVisible pixels of it (its whole width when narrower) across.
    static CPoint KeepCaptionOnWorkArea(const CRect& rcWindow, const CRect& rcWorkArea, int nCaptionHeight);
    static const int g_nCaptionKeptVisible;

    // Sizing the frame by one of its edges or corners (a hit code HTLEFT to
    // HTBOTTOMRIGHT) from a screen point, in a loop of its own that ends when the
    // button goes up, the capture is lost, a key or command comes, the application
    // is deactivated, the frame goes away or the thread is asked to quit (WM_QUIT is
    // posted again for the outer loop).
    void StartFrameResizing(UINT nHitTest, CPoint ptScreen);
    void TrackFrameResizing(CPoint ptScreen);
    void StopFrameResizing();
    bool IsFrameResizing() const { return m_nResizingHitTest != 0; }
    // The window rectangle a resize from rcStart by the mouse moved by sizeDelta
    // gives, each moved edge stopping where the size would fall below sizeMin.
    static CRect CalcResizedRect(const CRect& rcStart, UINT nHitTest, CSize sizeDelta, CSize sizeMin);

protected:
    // A screen point in window coordinates.
    CPoint ScreenToWindow(CPoint ptScreen) const;
    // Whether a screen point lies on the frame's own close button.
    bool IsOverCloseButton(CPoint ptScreen) const;
    // The frame's own hit codes of a point in window coordinates, before the bar's
    // buttons or rules are asked.
    UINT HitTestFrameArea(CPoint ptWindow) const;
    // The frame's own close button, shown when the frame floats no framework bar.
    void UpdateCloseButtonHover(CPoint ptScreen);
    void PaintFrameNcArea(CDC& dc, const CRect& rcWindow, const CRect& rcClient);
    // The bar's buttons follow the frame's caption.
    void LayoutBarButtons();
    // Moves the frame back when its caption left the work area; false when it stays.
    bool KeepOnWorkArea();
    void ShowCaptionMenu();
    // The timer whose id is the bar's: false for any other id.
    bool OnBarTimer(UINT_PTR nIDEvent);
    // The resize's own message loop.
    void RunFrameResizingLoop();

    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnPaint();
    afx_msg void OnNcPaint();
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg UINT OnNcHitTest(CPoint point);
    afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonUp(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    afx_msg void OnNcRButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpWndPos);
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpWndPos);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnCancelMode();
    DECLARE_MESSAGE_MAP()

    // Timers: the bar's first button layout, the close button's hover, a deferred
    // relayout, and the hover of a bar whose frame keeps its z-order.
    enum
    {
        eTimerInitialLayout = 1,
        eTimerCloseHover = 2,
        eTimerDelayedLayout = 3,
        eTimerButtonsHover = 4,
    };

    bool m_bCloseButtonHover;
    bool m_bCorrectingPosition;   // the frame moves itself back onto its work area
    UINT m_nResizingHitTest;      // 0 when no resize runs
    CPoint m_ptResizing;          // the last point a resize followed; -1, -1 before
    CPoint m_ptResizingStart;     // where the resize started (screen)
    CRect m_rcResizingStart;      // the window rectangle when the resize started
    CSize m_sizeResizingFrame;    // what the window has around its bar
    bool m_bTrackingResize;       // a resize step is running
};
