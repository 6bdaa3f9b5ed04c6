// CExtBarButton: measuring, painting, updating and clicking one bar button.
#include "CExtBarButton.h"

#include "CExtCommandIcon.h"
#include "CExtCommandManagerHolder.h"
#include "CExtPaintManagerHolder.h"
#include "CExtPopupMenuWnd.h"
#include "CExtToolControlBar.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CExtBarButton, CObject)

namespace
{
const int nSeparatorExtent = 8;
const int nDropDownExtent = 11;

// Button state from the command-update handlers.
class CButtonCmdUI : public CCmdUI
{
public:
    explicit CButtonCmdUI(CExtBarButton* pButton)
        : m_pButton(pButton)
    {
    }
    virtual void Enable(BOOL bOn)
    {
        m_bEnableChanged = TRUE;
        UINT nStyle = m_pButton->GetStyle();
        UINT nNew = bOn ? (nStyle & ~TBBS_DISABLED) : ((nStyle | TBBS_DISABLED) & ~TBBS_PRESSED);
        Apply(nNew);
    }
    virtual void SetCheck(int nCheck)
    {
        UINT nNew = m_pButton->GetStyle() & ~(TBBS_CHECKED | TBBS_INDETERMINATE);
        if (nCheck == 1)
            nNew |= TBBS_CHECKED;
        else if (nCheck == 2)
            nNew |= TBBS_INDETERMINATE;
        Apply(nNew);
    }
    virtual void SetRadio(BOOL bOn) { SetCheck(bOn ? 1 : 0); }
    virtual void SetText(LPCTSTR) {}

private:
    void Apply(UINT nNew)
    {
        if (nNew == m_pButton->GetStyle())
            return;
        m_pButton->SetStyle(nNew);
        CExtToolControlBar* pBar = m_pButton->GetBar();
        if (pBar != NULL && pBar->m_hWnd != NULL)
            pBar->InvalidateButton(pBar->GetButtonIndex(m_pButton));
    }
    CExtBarButton* m_pButton;
};
}

CExtBarButton::CExtBarButton(CExtToolControlBar* pBar, UINT nCmdID, UINT nStyle)
    : m_pBar(pBar), m_nCmdID(nCmdID), m_nEffectiveCmdID(nCmdID), m_nStyle(nStyle), m_bVisible(true),
      m_bHover(false), m_bWrap(false), m_hMenu(NULL), m_bPopupMenu(true), m_bAutoDestroyMenu(false)
{
    m_rc.SetRectEmpty();
    if (nCmdID == ID_SEPARATOR)
        m_nStyle |= TBBS_SEPARATOR;
}

CExtBarButton::~CExtBarButton()
{
    SetMenu(NULL);
}

void CExtBarButton::SetCmdID(UINT nCmdID, bool bEffectiveOnly)
{
    m_nEffectiveCmdID = nCmdID;
    if (!bEffectiveOnly)
        m_nCmdID = nCmdID;
}

bool CExtBarButton::SetMenu(HMENU hMenu, bool bPopupMenu, bool bAutoDestroyMenu)
{
    const bool bValid = hMenu == NULL || ::IsMenu(hMenu);
    if (m_hMenu != NULL && m_hMenu != hMenu && m_bAutoDestroyMenu && ::IsMenu(m_hMenu))
        ::DestroyMenu(m_hMenu);
    m_hMenu = bValid ? hMenu : NULL;
    m_bPopupMenu = bPopupMenu;
    m_bAutoDestroyMenu = bAutoDestroyMenu;
    return bValid;
}

CExtCommandItem* CExtBarButton::GetCmdItem() const
{
    if (m_pBar == NULL || m_pBar->m_hWnd == NULL || IsSeparator())
        return NULL;
    const CString strProfile = g_CommandManagerHolder->GetProfileNameForWindow(m_pBar->m_hWnd);
    return g_CommandManagerHolder->GetCommand(strProfile, m_nCmdID);
}

CString CExtBarButton::GetText() const
{
    CExtCommandItem* pItem = GetCmdItem();
    return pItem != NULL ? pItem->m_strToolbarText : CString();
}

CExtCommandIcon* CExtBarButton::GetIcon() const
{
    if (m_pBar == NULL || m_pBar->m_hWnd == NULL || IsSeparator())
        return NULL;
    const CString strProfile = g_CommandManagerHolder->GetProfileNameForWindow(m_pBar->m_hWnd);
    return g_CommandManagerHolder->GetCommandIcon(strProfile, m_nCmdID);
}

CSize CExtBarButton::CalculateLayout(CDC& dc, CSize sizePreCalc, bool bHorz)
{
    if (IsSeparator())
        return bHorz ? CSize(nSeparatorExtent, sizePreCalc.cy) : CSize(sizePreCalc.cx, nSeparatorExtent);
    CSize size = sizePreCalc;
    CExtCommandIcon* pIcon = GetIcon();
    if (pIcon != NULL && !pIcon->IsEmpty())
    {
        CSize sizeIcon = pIcon->GetSize();
        size.cx = std::max(size.cx, sizeIcon.cx + 7);
        size.cy = std::max(size.cy, sizeIcon.cy + 6);
    }
    CString strText = GetText();
    if (!strText.IsEmpty())
    {
        CRect rcText(0, 0, 0, 0);
        HGDIOBJ hOld = ::SelectObject(dc.m_hDC, g_PaintManagerHolder->m_FontNormal.GetSafeHandle());
        ::DrawText(dc.m_hDC, strText, strText.GetLength(), &rcText, DT_CALCRECT | DT_SINGLELINE);
        ::SelectObject(dc.m_hDC, hOld);
        size.cx = (pIcon != NULL ? size.cx : 8) + rcText.Width() + 6;
    }
    if (m_hMenu != NULL)
    {
        if (bHorz)
            size.cx += nDropDownExtent;
        else
            size.cy += nDropDownExtent;
    }
    return size;
}

void CExtBarButton::Paint(CDC& dc, bool bHorz)
{
    CExtPaintManager* pPM = g_PaintManagerHolder.GetPaintManager();
    if (IsSeparator())
    {
        pPM->PaintToolbarSeparator(dc, m_rc, bHorz, true, m_pBar);
        return;
    }
    const bool bEnabled = !IsDisabled();
    const bool bPushed = (m_nStyle & (TBBS_PRESSED | TBBS_CHECKED)) != 0;
    CExtPaintPushButtonArgs args(m_pBar, m_rc, GetText(), GetIcon(), true, m_bHover, bPushed,
                                 (m_nStyle & TBBS_INDETERMINATE) != 0, bEnabled, true, false, false);
    args.m_bHorz = bHorz;
    args.m_bDropDown = m_hMenu != NULL;
    args.m_bTransparentBackground = true;
    pPM->PaintPushButton(dc, args);
}

void CExtBarButton::OnUpdateCmdUI(CCmdTarget* pTarget, BOOL bDisableIfNoHndler, int nIndex)
{
    if (IsSeparator() || pTarget == NULL)
        return;
    // A button with a drop-down menu stays usable for its menu.
    if (m_hMenu != NULL)
        bDisableIfNoHndler = FALSE;
    CButtonCmdUI state(this);
    state.m_nID = m_nEffectiveCmdID;
    state.m_nIndex = (UINT)nIndex;
    state.m_pOther = m_pBar;
    state.DoUpdate(pTarget, bDisableIfNoHndler);
}

void CExtBarButton::OnClick(CPoint /*point*/, bool bDown)
{
    if (bDown || IsSeparator() || IsDisabled() || m_pBar == NULL)
        return;
    CWnd* pTarget = m_pBar->GetCommandTarget();
    if (pTarget == NULL)
        return;
    CExtCommandItem* pItem = GetCmdItem();
    if (pItem != NULL && pItem->m_nCmdID == m_nEffectiveCmdID)
        pItem->Deliver(pTarget->m_hWnd, false);
    else
        pTarget->PostMessage(WM_COMMAND, m_nEffectiveCmdID, 0);
}

UINT CExtBarButton::OnTrackPopup(CPoint /*point*/, bool bSelectAny)
{
    if (m_hMenu == NULL || m_pBar == NULL)
        return 0;
    CWnd* pTarget = m_pBar->GetCommandTarget();
    if (pTarget == NULL)
        return 0;
    CRect rc(m_rc);
    m_pBar->ClientToScreen(&rc);
    // The menu opens away from the side the bar is docked at.
    UINT nAlign = TPMX_BOTTOMALIGN;
    switch (m_pBar->GetDockBarID())
    {
    case AFX_IDW_DOCKBAR_LEFT:
        nAlign = TPMX_RIGHTALIGN;
        break;
    case AFX_IDW_DOCKBAR_RIGHT:
        nAlign = TPMX_LEFTALIGN;
        break;
    case AFX_IDW_DOCKBAR_BOTTOM:
        nAlign = TPMX_TOPALIGN;
        break;
    }
    CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
    if (!pPopup->UpdateFromMenu(pTarget->m_hWnd, m_hMenu, !m_bPopupMenu, true))
    {
        delete pPopup;
        return 0;
    }
    UINT nCmd = 0;
    pPopup->TrackPopupMenu(nAlign | TPMX_COMBINE_BY_LOOK | TPMX_DO_MESSAGE_LOOP | (bSelectAny ? TPMX_SELECTFIRST : 0),
                           rc.left, rc.bottom, &rc, NULL, NULL, &nCmd);
    return nCmd;
}

INT_PTR CExtBarButton::OnToolHitTest(CPoint /*point*/, TOOLINFO* pTI) const
{
    if (IsSeparator() || m_nEffectiveCmdID == 0)
        return -1;
    if (pTI != NULL && m_pBar != NULL)
    {
        pTI->hwnd = m_pBar->m_hWnd;
        pTI->uId = (UINT_PTR)m_nEffectiveCmdID;
        pTI->rect = m_rc;
        // The profile's tip when it has one; else the frame asks the string resource.
        CExtCommandItem* pItem = GetCmdItem();
        if (pItem != NULL && !pItem->m_strTipText.IsEmpty())
            pTI->lpszText = _strdup(pItem->m_strTipText);
        else
            pTI->lpszText = LPSTR_TEXTCALLBACK;
    }
    return (INT_PTR)m_nEffectiveCmdID;
}
