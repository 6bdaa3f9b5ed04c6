// CExtBarButton: one element of a toolbar or of the menu bar: a command button, a
// separator, or a button with a drop-down menu. It measures and paints itself through
// the current look and takes its texts and icon from the bar's command profile.
#pragma once

#include <afxwin.h>
#include <afxext.h>

class CExtToolControlBar;
class CExtCommandItem;
class CExtCommandIcon;

class CExtBarButton : public CObject
{
    DECLARE_DYNCREATE(CExtBarButton)
public:
    explicit CExtBarButton(CExtToolControlBar* pBar = NULL, UINT nCmdID = ID_SEPARATOR, UINT nStyle = 0);
    virtual ~CExtBarButton();

    CExtToolControlBar* GetBar() const { return m_pBar; }
    // The basic id is the one the button was made with; the effective id is what it
    // delivers (a drop-down may change it).
    UINT GetCmdID(bool bEffective = true) const { return bEffective ? m_nEffectiveCmdID : m_nCmdID; }
    void SetCmdID(UINT nCmdID, bool bEffectiveOnly = false);
    bool IsSeparator() const { return m_nCmdID == ID_SEPARATOR; }

    UINT GetStyle() const { return m_nStyle; }
    virtual void SetStyle(UINT nStyle) { m_nStyle = nStyle; }
    void ModifyStyle(UINT nAdd, UINT nRemove = 0) { SetStyle((GetStyle() & ~nRemove) | nAdd); }
    bool IsDisabled() const { return (m_nStyle & TBBS_DISABLED) != 0; }

    bool IsVisible() const { return m_bVisible; }
    void Show(bool bShow) { m_bVisible = bShow; }
    bool IsHover() const { return m_bHover; }
    void SetHover(bool bHover) { m_bHover = bHover; }
    CRect GetRect() const { return m_rc; }
    void SetRect(const RECT& rc) { m_rc = rc; }
    // Rows of a wrapped (floating) bar end after a button with this mark.
    bool IsWrap() const { return m_bWrap; }
    void SetWrap(bool bWrap) { m_bWrap = bWrap; }

    // The drop-down menu: bPopupMenu: the handle is the popup itself, else its first
    // sub-menu is shown. With bAutoDestroyMenu the button owns the handle.
    bool SetMenu(HMENU hMenu, bool bPopupMenu = true, bool bAutoDestroyMenu = true);
    HMENU GetMenu() const { return m_hMenu; }
    virtual bool IsAbleToTrackMenu() const { return m_hMenu != NULL; }

    // The command's item in the bar's profile (null when it has none).
    CExtCommandItem* GetCmdItem() const;
    virtual CString GetText() const;
    virtual CExtCommandIcon* GetIcon() const;

    virtual CSize CalculateLayout(CDC& dc, CSize sizePreCalc, bool bHorz);
    virtual void Paint(CDC& dc, bool bHorz);
    // Enabled and checked from the target's update handlers.
    virtual void OnUpdateCmdUI(CCmdTarget* pTarget, BOOL bDisableIfNoHndler, int nIndex);
    // A click (bDown: the press, else the release) delivers the command on release.
    virtual void OnClick(CPoint point, bool bDown);
    // Opens the drop-down menu below (or beside) the button. The command goes to the
    // bar's frame. Returns the command chosen, 0 for none.
    virtual UINT OnTrackPopup(CPoint point, bool bSelectAny);
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const;

protected:
    CExtToolControlBar* m_pBar;
    UINT m_nCmdID;
    UINT m_nEffectiveCmdID;
    UINT m_nStyle;
    CRect m_rc;
    bool m_bVisible;
    bool m_bHover;
    bool m_bWrap;
    HMENU m_hMenu;
    bool m_bPopupMenu;
    bool m_bAutoDestroyMenu;
};
