// CExtToolControlBar: the framework's toolbar: a fixed-size control bar whose client
// area is an ordered array of buttons. It lays them out for its three states (docked
// horizontally, docked vertically, floating), wraps them into rows when floating,
// hides what does not fit behind the chevron, paints them through the current look,
// tracks hover and press with the mouse, opens drop-down menus from buttons and
// routes command update and delivery through the command profile of its frame.
#pragma once

#include "CExtControlBar.h"
#include "CExtBarButton.h"
#include "CExtBarStateExtra.h"

class CExtBarContentExpandButton;

#define EXT_DEFAULT_TOOLBAR_STYLE EXT_DEFAULT_BAR_STYLE

class CExtToolControlBar : public CExtControlBar
{
    DECLARE_DYNCREATE(CExtToolControlBar)
public:
    CExtToolControlBar();
    virtual ~CExtToolControlBar();

    // Posted to a bar: open the menu of the button with index wParam.
    static const UINT g_nMsgTrackButtonMenu;
    // Sent to a button's control window: track a menu from it (wParam: the button,
    // lParam: select the first item).
    static const UINT g_nMsgContinueTrackMenu;

    // One value for all toolbars.
    static bool g_bLargeIcons;
    static bool g_bDisplayScreenTips;
    static bool g_bDisplayShortcutKeysOnScreenTips;
    static bool g_bMenuTracking;          // a popup opened from a bar button is tracked
    static bool g_bShowAllItems;          // popups from bar buttons show their rarely used items
    static int g_cxButtonDefault, g_cyButtonDefault;

    // Toolbar flags.
    enum
    {
        eChevronPanels = 0x01,   // the chevron's popup ends with the panels sub-menu
        ePanelMode = 0x02,       // one run, no chevron, not multi-row, layout not saved
    };
    // Layout flags.
    enum
    {
        eMinimizedOnRow = 0x01,
        eCalcLayoutGuard = 0x02,
    };
    // Layout states, the index of a button's wrap mark.
    enum { eStateDockedHorz = 0, eStateDockedVert = 1, eStateFloating = 2 };

    virtual BOOL Create(LPCTSTR lpszWindowName, CWnd* pParentWnd, UINT nID = AFX_IDW_TOOLBAR,
                        DWORD dwStyle = EXT_DEFAULT_TOOLBAR_STYLE);

    /////////////////////////////////////////////////////////////////////////
    // The toolbar's own virtual operations, in this order

    virtual void GetButtonRect(int nIndex, RECT& rc) const;
    virtual bool IsLargeIcons() const { return g_bLargeIcons; }
    virtual bool IsDisplayScreenTips() const { return g_bDisplayScreenTips; }
    virtual bool IsDisplayShortcutKeysOnScreenTips() const { return g_bDisplayShortcutKeysOnScreenTips; }
    // A new button owned by this bar; id 0 makes a separator.
    virtual CExtBarButton* OnCreateBarCommandButton(UINT nCmdID, DWORD dwStyle);
    // The chevron; null for a bar in panel mode.
    virtual CExtBarContentExpandButton* OnCreateBarRightButton();
    // Opens the button's menu (bPost: from the message loop).
    virtual bool TrackButtonMenu(int nIndex, bool bSelectAny = false, bool bPost = false);
    // Places every button for the bar's state and size.
    virtual void DoRecalcLayout();
    // Deflates by the borders, the bar borders (turned for vertical bars) and the gripper.
    virtual void AdjustInsideRect(RECT& rc, bool bHorz) const;
    // The size for a docking mode (LM_* flags) and a length to wrap at.
    virtual CSize CalcLayout(DWORD dwMode, int nLength);
    // The extent of the laid-out buttons.
    virtual CSize CalcSize(bool bVertical);
    // Chooses the wrap width for a length.
    virtual void SizeToolBar(int nLength, bool bVertical);
    virtual int WrapMultiRow(int nWidth);
    // Sets the wrap marks of the current state; returns the row count.
    virtual int WrapToolBar(int nWidth, int nHeight);
    virtual CSize GetButtonDefaultSize() const;
    virtual bool IsMultiRowLayout() const { return false; }
    virtual CFont* GetFont(bool bVertical);
    // The visible non-separator button under the point (client), or -1.
    virtual int HitTestButton(CPoint point) const;

    /////////////////////////////////////////////////////////////////////////
    // Overrides

    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const;
    virtual LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam);
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    virtual CSize CalcDynamicLayout(int nLength, DWORD nMode);
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler);
    virtual void DoPaint(CDC* pDC);
    virtual DWORD RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout);
    virtual bool IsMinimizedOnRow() { return (m_nLayoutFlags & eMinimizedOnRow) != 0; }
    virtual CSize GetMinimalSize();
    virtual CExtBarStateExtra* GetBarStateExtra() { return &m_stateExtra; }
    virtual void SetBarStateExtra(const CExtBarStateExtra* pExtra);
    virtual bool IsStateRestorable() { return (m_nToolbarFlags & ePanelMode) == 0; }
    virtual void DelayRecalcFrameLayout();
    virtual bool IsShowContentWhenResizing() { return true; }
    virtual bool CanNestIntoBars() { return false; }
    virtual void ToggleDocking();
    virtual int HitTestHelpCommand(CPoint point);
    virtual bool OnNcAreaButtonsMouseMove(UINT nFlags, CPoint point);
    virtual void UpdateDraggingCursor(POINT ptClient);

    /////////////////////////////////////////////////////////////////////////
    // Buttons

    int GetButtonsCount() const { return (int)m_arrButtons.GetSize(); }
    CExtBarButton* GetButton(int nIndex) const;
    int GetButtonIndex(const CExtBarButton* pButton) const;
    // The first button whose basic command id is nCmdID, or -1.
    int FindButtonByCommand(UINT nCmdID) const;
    // The basic command id at an index, 0 out of range.
    UINT GetButtonCommand(int nIndex) const;
    UINT GetButtonStyle(int nIndex) const;
    HMENU GetButtonMenu(int nIndex) const;
    bool SetButtonAppendMdiWindowsMenu(int nIndex, bool bAppend);
    // Attaches a drop-down menu (see CExtBarButton::SetMenu).
    bool SetButtonMenu(int nIndex, HMENU hMenu, bool bPopupFlag = false, bool bDestroyOnReset = true,
                       bool bDoRecalcLayout = true);
    // Replaces all buttons, one per id (0 makes a separator), and adds the chevron.
    bool SetButtons(const UINT* pIDs = NULL, int nCount = 0);
    // nPos < 0 appends (before the chevron).
    bool InsertButton(int nPos = -1, UINT nCmdID = ID_SEPARATOR, bool bDoRecalcLayout = true);
    bool RemoveButton(int nPos, bool bDoRecalcLayout = true);
    void RemoveAllButtons();
    void SetButtonStyle(int nIndex, UINT nStyle);
    void InvalidateButton(int nIndex);
    // The old tracking button looks released, the new one pushed for its menu.
    void SetTrackingButton(int nIndex);
    int GetTrackingButton() const { return m_nBtnIdxMenuTracking; }
    int GetPressedButton() const { return m_nBtnIdxPressed; }
    int GetHoverButton() const { return m_nBtnIdxHover; }
    void UpdateButtonCmdUI(int nIndex);
    // Fills the frame's command profile from the toolbar resource (its bitmap's
    // 0xC0C0C0 pixels transparent) and makes one button per command.
    bool LoadToolbarResource(UINT nIDResource);
    int GetNextVisibleButton(int nFrom, bool bForward, bool bSkipDisabled) const;
    int FindButtonByMnemonic(TCHAR chUpperKey) const;
    int HitTest(CPoint point, DWORD dwStyleMustHave, DWORD dwStyleMustNotHave, bool bNearest) const;
    CExtBarContentExpandButton* GetRightButton() const { return m_pRightBtn; }
    // Ends every bar's hot tracking and an open button menu.
    static void CancelAllHotTracking();

    // The window commands and updates go to: the owner, else the parent; for a
    // floating bar its frame.
    CWnd* GetCommandTarget() const;
    // The buttons run horizontally (docked at the top or bottom, or floating).
    bool IsHorizontal() const;
    // The index of the current layout state (the wrap mark buttons use).
    int GetLayoutState() const;
    bool IsPanelMode() const { return (m_nToolbarFlags & ePanelMode) != 0; }
    // Draws the gripper of a docked bar along the part of rcClient before rcContent.
    void PaintGripper(CDC& dc, const CRect& rcClient, const CRect& rcContent, bool bHorz);

    BYTE m_nToolbarFlags;
    BYTE m_nLayoutFlags;

protected:
    using CWnd::GetFont;
    // The chevron is the last element, when there is one.
    int GetLastLayoutIndex() const;
    bool IsHiddenForLayout(int nIndex) const;
    // The bar is in the active window tree (it may hot-track).
    bool IsInActiveTree() const;
    void SetHoverIndex(int nIndex, CPoint point);
    void ReleaseBarCapture();
    // Hands the layout queries another orientation and state than the bar's own.
    struct CLayoutQuery;
    void ResetTrackingIndexes();
    void LayOutRun(CDC& dc, const CRect& rc, bool bHorz, bool bWrapRows, bool bCustomized);

    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnCancelMode();
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnTrackButtonMenu(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    CExtBarContentExpandButton* m_pRightBtn;
    CArray<CExtBarButton*, CExtBarButton*> m_arrButtons;
    CExtBarStateExtra m_stateExtra;
    int m_nBtnIdxMenuTracking;
    int m_nBtnIdxPressed;
    int m_nBtnIdxHover;
    int m_nMRUWidth;             // the width a floating bar was last given
    int m_nQueryState;           // -1, or the state a layout query asks about
    int m_nQueryHorz;            // -1, or the orientation a layout query asks about

    friend class CExtBarButton;
    friend class CExtBarContentExpandButton;
};
