// CExtButton: a push button the current look paints, lit while the mouse is over
// it, with two icons, a cursor, a tooltip and an optional drop-down menu shown as the
// framework's popup (the whole button or, split, only its right part). Dialogs
// subclass it onto their buttons; set-up makes the window a plain push button and
// the class paints every state itself, through an off-screen DC.
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

#include "CExtCaptureBridge.h"

class CExtCommandIcon;
class CExtPopupBaseWnd;
class CExtPopupMenuWnd;

class CExtButton : public CButton, public CExtCaptureBridge
{
    DECLARE_DYNCREATE(CExtButton)
public:
    CExtButton();
    virtual ~CExtButton();

    // The capture goes through the bridge; the window's own form stays available.
    virtual HWND SetCapture(HWND hWnd) { return CExtCaptureBridge::SetCapture(hWnd); }
    CWnd* SetCapture() { return CWnd::FromHandle(SetCapture(m_hWnd)); }

    // Icons shown while hovered and otherwise (null: the same one for both); the
    // button owns them and destroys each handle once.
    void SetIcon(HICON hIconHover, HICON hIconNormal = NULL);
    void SetIconFromResource(UINT nIDIcon, UINT nIDIconNormal = 0);
    // The cursor shown over the button (owned; null: the class's).
    void SetBtnCursor(HCURSOR hCursor);
    bool IsDefault() const { return m_bDefault; }
    bool IsHover() const { return m_bHover; }
    bool IsPushed() const { return m_bPushed; }

    // Deletes the object when its window is gone (buttons a sheet subclasses itself).
    void SetAutoDelete(bool bAutoDelete) { m_bAutoDelete = bAutoDelete; }

    // Hit parts: 0 outside, 1 the main part, 2 the drop-down part of a split button.
    enum { eHitNone = 0, eHitMain = 1, eHitDropDown = 2 };
    int HitTestPart(CPoint ptScreen) const;

    virtual void OnClick(bool bKeyboard, bool bFromDropDown);
    virtual bool TrackDropDownMenu(bool bKeyboard);
    virtual bool HasMenu() const { return m_menu.GetSafeHmenu() != NULL; }
    virtual bool AddToPopupMenu(CExtPopupMenuWnd* pPopup);
    virtual void PaintButton(CDC* pDC, bool bTransparentBackground);

    // The exclude-area painter of the drop-down menu: the button drawn into the
    // menu's DC where it sits under the menu (the cookie is the button).
    static void PaintDropDownExcludeArea(CExtPopupBaseWnd* pPopup, CDC& dc, HWND hWndOwner, const RECT& rcExclude);

    CMenu m_menu;
    UINT m_nMenuOpt;                // track flags of the drop-down menu (4: below)
    int m_nMenuLeftAreaWidth;
    int m_nButtonLook;              // look values; only the flat byte of the second is read
    int m_nButtonLookFlags;
    bool m_bSeparatedDropDown;
    bool m_bAutoChangeID;
    bool m_bAutoChangeCmdIcon;
    bool m_bMouseDisabled;

protected:
    virtual void PreSubclassWindow();
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual void PostNcDestroy();

    bool IsFlatLook() const { return ((m_nButtonLookFlags >> 8) & 0xFF) != 0; }
    // The control bar the button lives on, or NULL.
    CWnd* GetHostBar() const;
    CExtCommandIcon* GetIconToShow(bool bHover) const;
    void ClearIcons();
    void ClearStates();
    void PaintNow();
    bool HandleMouseMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool HandleKey(const MSG* pMsg);
    void RelayToToolTip(MSG* pMsg);
    // After a modal track: the chosen command becomes the button's.
    void ApplyChosenCommand(UINT nCmdID, HWND hWndReceiver);
    bool IsStillThisButton(HWND hWnd) const;

    bool m_bDefault;
    bool m_bHover;
    bool m_bPushed;
    bool m_bKeyPushed;
    int m_nTrackingHT;
    bool m_bAutoDelete;
    HCURSOR m_hCursor;
    CToolTipCtrl m_wndToolTip;
    CExtCommandIcon* m_pIconHover;
    CExtCommandIcon* m_pIconNormal;
};
