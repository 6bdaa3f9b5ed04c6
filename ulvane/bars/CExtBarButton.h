// CExtBarButton: one element of a toolbar or of the menu bar: a command button, a
// separator, a button with a drop-down menu (whole-button or split), or the place of
// an attached control window. It measures and paints itself through the current
// look, takes its texts and icon from the bar's command profile, delivers its
// command and opens its menu.
#pragma once

#include <afxwin.h>
#include <afxext.h>

class CExtToolControlBar;
class CExtCommandItem;
class CExtCommandIcon;
class CExtPopupMenuWnd;
class CExtPopupBaseWnd;

#ifndef TBBS_INDETERMINATE
#define TBBS_INDETERMINATE 0x00100000
#endif

class CExtBarButton : public CObject
{
    DECLARE_DYNCREATE(CExtBarButton)
public:
    // Flags A.
    enum
    {
        eWrapHorz = 0x01,            // a row ends after this button, docked horizontally
        eWrapVert = 0x02,            // ... docked vertically
        eWrapFloating = 0x04,        // ... floating
        eVisible = 0x08,
        eHover = 0x10,
        eCtrlNotOwned = 0x20,        // the control window is not deleted with the button
        eVertical = 0x40,            // laid out in a vertical run
        eMenuPopupFlag = 0x80,       // the menu's first sub-menu is what opens
    };
    // Flags B.
    enum
    {
        eDestroyMenu = 0x01,
        eAppendMdiWindows = 0x02,
        eSeparatedDropDown = 0x04,   // split: the arrow part opens the menu
        eAutoChangeID = 0x08,        // the command chosen from the menu becomes the effective id
        ePressedOnArrow = 0x10,
        eNoRotate = 0x20,            // measured and painted horizontally in vertical bars too
        eCtrlVisibleVert = 0x40,
        ePushedForMenu = 0x80,       // painted hot while its menu is open
    };
    // Room of the drop-down arrow: the glyph and its margins.
    enum { eDropDownArrowExtent = 5, eDropDownMargins = 6 };

    // A separator without a bar; the bar's OnCreateBarCommandButton gives the others.
    explicit CExtBarButton(CExtToolControlBar* pBar = NULL, UINT nCmdID = ID_SEPARATOR, UINT nStyle = 0);
    virtual ~CExtBarButton();
    virtual void Serialize(CArchive& ar);

    CExtToolControlBar* GetBar() const { return m_pBar; }
    void SetBar(CExtToolControlBar* pBar) { m_pBar = pBar; }
    BYTE GetFlagsA() const { return m_nFlagsA; }
    BYTE GetFlagsB() const { return m_nFlagsB; }

    virtual void SyncCtrlWindow();
    virtual bool IsLargeIcon() const;
    virtual bool IsDisplayScreenTip() const;
    virtual bool IsDisplayShortcutKeysOnScreenTip() const;
    // The basic id is the one the button was made with; the effective id is what it
    // delivers (a drop-down choice may change it).
    virtual UINT GetCmdID(bool bEffective = true) const { return bEffective ? m_nEffectiveCmdID : m_nCmdID; }
    virtual void SetCmdID(UINT nCmdID, bool bEffectiveOnly = false, bool bRecalcLayout = false);
    virtual bool IsSeparatedDropDown() const { return (m_nFlagsB & eSeparatedDropDown) != 0; }
    virtual void SetSeparatedDropDown(bool bSet = true);
    virtual bool IsAutoChangeID() const { return (m_nFlagsB & eAutoChangeID) != 0; }
    virtual void SetAutoChangeID(bool bSet = true);
    virtual bool IsNoRotateVerticalLayout() const { return (m_nFlagsB & eNoRotate) != 0; }
    virtual void SetNoRotateVerticalLayout(bool bSet = true);
    virtual bool IsCtrlVisibleVertically() const { return (m_nFlagsB & eCtrlVisibleVert) != 0; }
    virtual void SetCtrlVisibleVertically(bool bSet = true);
    virtual CWnd* GetCtrlWindow() const { return m_pCtrl; }
    // The old control is destroyed and, unless it was marked not owned, deleted.
    virtual void SetCtrlWindow(CWnd* pCtrl, bool bNotOwned = false);
    virtual UINT GetStyle() const { return m_nStyle; }
    virtual void SetStyle(UINT nStyle);
    virtual void ModifyStyle(UINT nAdd, UINT nRemove = 0);
    virtual void SetPushedForMenu() { m_nFlagsB |= ePushedForMenu; }
    virtual void ClearPushedForMenu() { m_nFlagsB &= ~ePushedForMenu; }
    virtual bool IsPushedForMenu() const { return (m_nFlagsB & ePushedForMenu) != 0; }
    virtual void SetVertical(bool bVertical);
    virtual bool IsWrap(int nState) const;
    virtual void SetWrap(int nState, bool bWrap);
    virtual bool IsSeparator() const { return (m_nStyle & TBBS_SEPARATOR) != 0; }
    virtual bool IsDisabled() const { return (m_nStyle & TBBS_DISABLED) != 0; }
    virtual bool IsIndeterminate() const { return (m_nStyle & TBBS_INDETERMINATE) != 0; }
    virtual bool IsPressed() const { return (m_nStyle & (TBBS_CHECKED | TBBS_PRESSED)) != 0; }
    virtual void Show(bool bShow);
    virtual bool IsVisible() const { return (m_nFlagsA & eVisible) != 0; }
    virtual void SetHover(bool bHover);
    virtual bool IsHover() const { return (m_nFlagsA & eHover) != 0; }
    // The command's toolbar text up to its first tab; empty for a separator.
    virtual void GetText(CString& strText) const;
    virtual void SetRect(const RECT& rc);
    virtual void GetRect(RECT& rc) const;
    virtual void GetDropDownRect(RECT& rc) const;
    virtual CSize GetSize() const { return m_size; }
    // bPopupFlag: the menu's first sub-menu opens; bDestroyOnReset: the button owns it.
    virtual void SetMenu(HMENU hMenu, bool bPopupFlag, bool bDestroyOnReset);
    virtual HMENU GetMenu() const { return m_hMenu; }
    virtual void SetAppendMdiWindowsMenu(bool bSet);
    virtual bool IsAppendMdiWindowsMenu() const { return (m_nFlagsB & eAppendMdiWindows) != 0; }
    virtual bool IsAbleToTrackMenu(bool bCustomizeMode = false) const;
    virtual bool IsMenuPopupFlag() const { return (m_nFlagsA & eMenuPopupFlag) != 0; }
    virtual CSize CalculateLayout(CDC& dc, CSize sizePreCalc, bool bHorz);
    virtual bool PutToPopupMenu(CExtPopupMenuWnd* pPopup);
    virtual CExtCommandIcon* GetIcon() const;
    virtual CWnd* GetCmdTargetWnd() const;
    virtual void Paint(CDC& dc, bool bHorz);
    // Opens the drop-down menu; the popup tracks without waiting. Always -1.
    virtual UINT OnTrackPopup(CPoint point, bool bSelectAny);
    virtual void OnHover(CPoint point, bool bOn);
    // bDown: the press, else the release, which delivers the command.
    virtual void OnClick(CPoint point, bool bDown);
    virtual void OnDeliverCmd();
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const;
    virtual int OnHelpHitTest(CPoint point);
    virtual void OnUpdateCmdUI(CWnd* pTarget, BOOL bDisableIfNoHndler, int nIndex);
    virtual bool IsPlainButton() const;
    virtual void RedrawButton(bool bUpdateNow = false);
    virtual UINT GetTrackPopupFlags() const;
    virtual bool OnQueryCursor(CPoint point);

    // The command's item in the bar's profile, by the effective id (null when none).
    CExtCommandItem* GetCmdItem() const;
    // Whether the attached control shows in the current orientation.
    bool IsCtrlShownInLayout() const;
    // The exclude-area painter of a popup opened from a bar button: the bar's tracking
    // button drawn into the popup where it joins the button. The cookie is the bar.
    static void PaintCombinedButton(CExtPopupBaseWnd* pPopup, CDC& dc, HWND hWndOwner, const RECT& rcExclude);

protected:
    // The flags a popup opened from this button tracks with.
    UINT GetPopupTrackFlags(bool bSelectAny) const;
    CRect GetRectOnScreen() const;
    // Tracks the popup under this button without waiting; while it shows, the button
    // at nIndex stays the bar's tracking button. Once tracked, the popup frees itself.
    void TrackPopupWithoutWaiting(CExtPopupMenuWnd* pPopup, UINT nFlags, int nIndex);
    // The text without its mnemonic marks ("&&" stays one "&").
    static CString StripMnemonics(const CString& strText);
    // The text's extent in the DC's font, measured again only when either changed.
    CSize MeasureText(CDC& dc, const CString& strText);
    // Sets or clears a flags-B bit; false when it was so already.
    bool ChangeFlagB(BYTE nBit, bool bSet);
    void DestroyOwnedMenu();
    // The modal loop of help mode over the button's open menu: the help id of what is
    // chosen, -3 when the menu closes without a choice, on re-entry, when either
    // window goes or when the message loop ends (WM_QUIT is posted again).
    static int RunHelpLoop(HWND hWndBar, HWND hWndDockBar);
    // Shows the command's prompt (or the idle text) in the frame's status bar.
    void ShowStatusText(UINT nCmdID) const;
    bool IsOnMenuBar() const;

    CExtToolControlBar* m_pBar;
    UINT m_nCmdID;
    UINT m_nEffectiveCmdID;
    UINT m_nStyle;
    CSize m_size;
    CRect m_rc;
    BYTE m_nFlagsA;
    BYTE m_nFlagsB;
    CWnd* m_pCtrl;
    HMENU m_hMenu;
    HFONT m_hMeasuredFont;
    CString m_strMeasuredText;
    CSize m_sizeMeasuredText;
};
