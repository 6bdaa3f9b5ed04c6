// CExtToolControlBar: the framework's toolbar: a fixed-size control bar whose
// buttons it lays out, paints through the current look and presses itself. Commands
// come from the command profile of the bar's frame; buttons follow the frame's
// command-update handlers and show tool tips from the commands' strings.
#pragma once

#include "CExtControlBar.h"
#include "CExtBarButton.h"

#define EXT_DEFAULT_TOOLBAR_STYLE EXT_DEFAULT_BAR_STYLE

class CExtToolControlBar : public CExtControlBar
{
    DECLARE_DYNCREATE(CExtToolControlBar)
public:
    CExtToolControlBar();
    virtual ~CExtToolControlBar();

    // Posted to a bar: open the menu of the button with index wParam.
    static const UINT g_nMsgTrackButtonMenu;
    static const UINT g_nMsgContinueTrackMenu;

    virtual BOOL Create(LPCTSTR lpszWindowName, CWnd* pParentWnd, UINT nID = AFX_IDW_TOOLBAR,
                        DWORD dwStyle = EXT_DEFAULT_TOOLBAR_STYLE);

    // Fills the frame's command profile from the toolbar resource (its bitmap's
    // 0xC0C0C0 pixels transparent) and makes one button per command.
    bool LoadToolbarResource(UINT nIDResource);
    // Replaces all buttons, one per id (ID_SEPARATOR makes a separator).
    bool SetButtons(const UINT* pIDs = NULL, int nCount = 0);
    bool InsertButton(int nPos = -1, UINT nCmdID = ID_SEPARATOR, bool bDoRecalcLayout = true);
    bool RemoveButton(int nPos, bool bDoRecalcLayout = true);
    void RemoveAllButtons();

    int GetButtonsCount() const { return (int)m_arrButtons.GetSize(); }
    CExtBarButton* GetButton(int nIndex) const;
    int GetButtonIndex(const CExtBarButton* pButton) const;
    // The index of the first button with that (basic) command id, or -1.
    int FindButtonByCommand(UINT nCmdID) const;
    // The command id at an index, 0 out of range.
    UINT GetButtonCommand(int nIndex) const;
    UINT GetButtonStyle(int nIndex) const;
    void SetButtonStyle(int nIndex, UINT nStyle);
    virtual void GetButtonRect(int nIndex, LPRECT lpRect) const;
    // Attaches a drop-down menu to the button (see CExtBarButton::SetMenu).
    bool SetButtonMenu(int nIndex, HMENU hMenu, bool bPopupMenu = true, bool bAutoDestroyMenu = true,
                       bool bDoRecalcLayout = true);
    // The attached menu as given to SetButtonMenu, so it can be rebuilt; null when none.
    HMENU GetButtonMenu(int nIndex) const;

    // Opens the button's menu (bPost: later, from the message loop).
    virtual bool TrackButtonMenu(int nIndex, bool bSelectAny = false, bool bPost = false);
    virtual CSize GetButtonDefaultSize() const;
    // Places every button for the bar's current orientation.
    virtual void DoRecalcLayout();
    // The visible, non-separator button under the point (client), or -1.
    virtual int HitTestButton(CPoint point) const;
    void InvalidateButton(int nIndex);
    // Ends every bar's hot tracking and an open button menu.
    static void CancelAllHotTracking();

    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    virtual CSize CalcDynamicLayout(int nLength, DWORD nMode);
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler);
    virtual void DoPaint(CDC* pDC);
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const;
    virtual CExtBarButton* OnCreateBarCommandButton(UINT nCmdID, UINT nStyle);
    virtual void DelayRecalcFrameLayout();

    // The window commands go to: the frame that docks the bar.
    CWnd* GetCommandTarget() const;
    bool IsHorizontal() const;

    // Toolbar flags.
    enum
    {
        // A panel: its buttons run in one line even floating, and its place is never
        // saved with the frame's bars.
        eToolbarPanelMode = 0x02,
    };
    BYTE GetToolbarFlags() const { return m_nToolbarFlags; }
    bool IsPanelMode() const { return (m_nToolbarFlags & eToolbarPanelMode) != 0; }
    // Draws the gripper of a docked bar with one along the part of rcClient before
    // rcContent.
    void PaintGripper(CDC& dc, const CRect& rcClient, const CRect& rcContent, bool bHorz);

protected:
    // Lays the buttons out in rows of at most nWrapWidth (along the bar), or in one
    // run; returns the size of the content (without the bar's borders).
    CSize LayoutButtons(bool bHorz, int nWrapWidth, bool bApply);
    CRect GetContentRect(bool bHorz) const;
    void SetHoverIndex(int nIndex);

    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    afx_msg void OnCancelMode();
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg LRESULT OnTrackButtonMenu(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    CArray<CExtBarButton*, CExtBarButton*> m_arrButtons;
    int m_nBtnIdxHover;
    int m_nBtnIdxPressed;
    int m_nBtnIdxMenuTracking;
    bool m_bTrackingLeave;
    int m_nFloatWrapWidth;       // the width a floating bar wraps its rows at
    BYTE m_nToolbarFlags;
};
