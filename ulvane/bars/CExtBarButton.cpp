// CExtBarButton: measuring, painting, updating, clicking and the drop-down menu of one
// bar button.
#include "CExtBarButton.h"

#include <afxpriv.h>

#include "CExtBarContentExpandButton.h"
#include "CExtCommandIcon.h"
#include "CExtCommandItem.h"
#include "CExtCommandManagerHolder.h"
#include "CExtPaintManagerHolder.h"
#include "CExtPopupMenuWnd.h"
#include "CExtToolControlBar.h"
#include "ExtBarQueries.h"
#include "ExtPaintHelpers.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

IMPLEMENT_DYNCREATE(CExtBarButton, CObject)

namespace
{
const int nSeparatorExtent = 6;

// The update handlers' answers applied to one button.
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
        if (IsContentExpandButton(m_pButton))
            return;
        const UINT nStyle = m_pButton->GetStyle();
        Apply(bOn ? (nStyle & ~TBBS_DISABLED) : (nStyle | TBBS_DISABLED));
        if (CExtCommandItem* pItem = m_pButton->GetCmdItem())
            pItem->StateEnable(bOn != FALSE);
    }
    virtual void SetCheck(int nCheck)
    {
        if (IsContentExpandButton(m_pButton))
            return;
        UINT nNew = m_pButton->GetStyle() & ~(TBBS_CHECKED | TBBS_INDETERMINATE);
        if (nCheck == 1)
            nNew |= TBBS_CHECKED;
        else if (nCheck == 2)
            nNew |= TBBS_INDETERMINATE;
        nNew |= TBBS_CHECKBOX;
        Apply(nNew);
        if (CExtCommandItem* pItem = m_pButton->GetCmdItem())
            pItem->StateSetCheck((nNew & (TBBS_CHECKED | TBBS_INDETERMINATE)) != 0);
    }
    virtual void SetRadio(BOOL bOn) { SetCheck(bOn ? 1 : 0); }
    virtual void SetText(LPCTSTR) {}

private:
    void Apply(UINT nNew)
    {
        CExtToolControlBar* pBar = m_pButton->GetBar();
        const int nIndex = pBar != NULL ? pBar->GetButtonIndex(m_pButton) : -1;
        if (nIndex >= 0)
            pBar->SetButtonStyle(nIndex, nNew);
        else
            m_pButton->SetStyle(nNew);
    }
    CExtBarButton* m_pButton;
};

// The wrap mark of each layout state.
BYTE WrapBitOf(int nState)
{
    return nState == 0 ? CExtBarButton::eWrapHorz : nState == 1 ? CExtBarButton::eWrapVert : CExtBarButton::eWrapFloating;
}
}

CExtBarButton::CExtBarButton(CExtToolControlBar* pBar, UINT nCmdID, UINT nStyle)
    : m_pBar(pBar), m_nCmdID(nCmdID), m_nEffectiveCmdID(nCmdID), m_nStyle(nStyle), m_size(0, 0),
      m_nFlagsA(eVisible), m_nFlagsB(0), m_pCtrl(NULL), m_hMenu(NULL), m_hMeasuredFont(NULL),
      m_sizeMeasuredText(0, 0)
{
    m_rc.SetRectEmpty();
    if (nCmdID == ID_SEPARATOR)
        m_nStyle |= TBBS_SEPARATOR;
    else
        m_nStyle &= ~TBBS_SEPARATOR;
}

CExtBarButton::~CExtBarButton()
{
    DestroyOwnedMenu();
    SetCtrlWindow(NULL);
}

void CExtBarButton::Serialize(CArchive& /*ar*/)
{
}

/////////////////////////////////////////////////////////////////////////////
// Control window

bool CExtBarButton::IsCtrlShownInLayout() const
{
    return m_pCtrl != NULL && m_pCtrl->GetSafeHwnd() != NULL &&
           ((m_nFlagsA & eVertical) == 0 || IsCtrlVisibleVertically());
}

void CExtBarButton::SyncCtrlWindow()
{
    if (m_pCtrl == NULL || m_pCtrl->GetSafeHwnd() == NULL)
        return;
    const bool bShow = IsVisible() && (m_nStyle & TBBS_HIDDEN) == 0 &&
                       ((m_nFlagsA & eVertical) == 0 || IsCtrlVisibleVertically());
    m_pCtrl->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
    m_pCtrl->EnableWindow(!IsDisabled());
    if (m_pCtrl->IsKindOf(RUNTIME_CLASS(CButton)))
        m_pCtrl->SendMessage(BM_SETCHECK, IsPressed() ? 1 : IsIndeterminate() ? 2 : 0);
}

void CExtBarButton::SetCtrlWindow(CWnd* pCtrl, bool bNotOwned)
{
    if (m_pCtrl != NULL && m_pCtrl != pCtrl)
    {
        CWnd* pOld = m_pCtrl;
        m_pCtrl = NULL;
        if (pOld->GetSafeHwnd() != NULL && ::IsWindow(pOld->m_hWnd))
            pOld->DestroyWindow();
        if ((m_nFlagsA & eCtrlNotOwned) == 0)
            delete pOld;
    }
    m_pCtrl = pCtrl;
    if (bNotOwned)
        m_nFlagsA |= eCtrlNotOwned;
    else
        m_nFlagsA &= ~eCtrlNotOwned;
}

/////////////////////////////////////////////////////////////////////////////
// What the bar says

bool CExtBarButton::IsLargeIcon() const
{
    return !IsSeparator() && m_pBar != NULL && m_pBar->IsLargeIcons();
}

bool CExtBarButton::IsDisplayScreenTip() const
{
    return !IsSeparator() && m_pBar != NULL && m_pBar->IsDisplayScreenTips();
}

bool CExtBarButton::IsDisplayShortcutKeysOnScreenTip() const
{
    return !IsSeparator() && m_pBar != NULL && m_pBar->IsDisplayShortcutKeysOnScreenTips();
}

bool CExtBarButton::IsOnMenuBar() const
{
    return IsMenuBar(m_pBar);
}

/////////////////////////////////////////////////////////////////////////////
// Ids, style and flags

void CExtBarButton::SetCmdID(UINT nCmdID, bool bEffectiveOnly, bool bRecalcLayout)
{
    const bool bChanged = m_nEffectiveCmdID != nCmdID;
    m_nEffectiveCmdID = nCmdID;
    if (!bEffectiveOnly)
    {
        m_nCmdID = nCmdID;
        if (nCmdID != 0)
            m_nStyle &= ~TBBS_SEPARATOR;
        else
            m_nStyle |= TBBS_SEPARATOR;
    }
    if (bRecalcLayout && bChanged && m_pBar != NULL && m_pBar->GetSafeHwnd() != NULL)
        m_pBar->DelayRecalcFrameLayout();
}

bool CExtBarButton::ChangeFlagB(BYTE nBit, bool bSet)
{
    if (((m_nFlagsB & nBit) != 0) == bSet)
        return false;
    if (bSet)
        m_nFlagsB |= nBit;
    else
        m_nFlagsB &= ~nBit;
    return true;
}

void CExtBarButton::SetSeparatedDropDown(bool bSet)
{
    if (ChangeFlagB(eSeparatedDropDown, bSet))
        SyncCtrlWindow();
}

void CExtBarButton::SetAutoChangeID(bool bSet)
{
    if (ChangeFlagB(eAutoChangeID, bSet))
        SyncCtrlWindow();
}

void CExtBarButton::SetNoRotateVerticalLayout(bool bSet)
{
    if (ChangeFlagB(eNoRotate, bSet))
        SyncCtrlWindow();
}

void CExtBarButton::SetCtrlVisibleVertically(bool bSet)
{
    ChangeFlagB(eCtrlVisibleVert, bSet);
    SyncCtrlWindow();
}

void CExtBarButton::SetStyle(UINT nStyle)
{
    m_nStyle = nStyle;
    if ((nStyle & TBBS_PRESSED) == 0)
        m_nFlagsB &= ~ePressedOnArrow;
    if (nStyle & TBBS_SEPARATOR)
        m_nCmdID = m_nEffectiveCmdID = 0;
    SyncCtrlWindow();
}

void CExtBarButton::ModifyStyle(UINT nAdd, UINT nRemove)
{
    SetStyle((m_nStyle | nAdd) & ~nRemove);
}

void CExtBarButton::SetVertical(bool bVertical)
{
    if (bVertical)
        m_nFlagsA |= eVertical;
    else
        m_nFlagsA &= ~eVertical;
}

bool CExtBarButton::IsWrap(int nState) const
{
    return (m_nFlagsA & WrapBitOf(nState)) != 0;
}

void CExtBarButton::SetWrap(int nState, bool bWrap)
{
    if (bWrap)
        m_nFlagsA |= WrapBitOf(nState);
    else
        m_nFlagsA &= ~WrapBitOf(nState);
}

void CExtBarButton::Show(bool bShow)
{
    if (bShow)
        m_nFlagsA |= eVisible;
    else
        m_nFlagsA &= ~eVisible;
    SyncCtrlWindow();
}

void CExtBarButton::SetHover(bool bHover)
{
    if (bHover)
        m_nFlagsA |= eHover;
    else
        m_nFlagsA &= ~eHover;
    SyncCtrlWindow();
}

/////////////////////////////////////////////////////////////////////////////
// Texts and icon from the command profile

CExtCommandItem* CExtBarButton::GetCmdItem() const
{
    if (m_pBar == NULL || m_pBar->m_hWnd == NULL || IsSeparator())
        return NULL;
    const CString strProfile = g_CommandManagerHolder->GetProfileNameForWindow(m_pBar->m_hWnd);
    return strProfile.IsEmpty() ? NULL : g_CommandManagerHolder->GetCommand(strProfile, m_nEffectiveCmdID);
}

void CExtBarButton::GetText(CString& strText) const
{
    strText.Empty();
    CExtCommandItem* pItem = GetCmdItem();
    if (pItem == NULL)
        return;
    strText = pItem->m_strToolbarText;
    const int nTab = strText.Find('\t');
    if (nTab >= 0)
        strText = strText.Left(nTab);
}

CString CExtBarButton::StripMnemonics(const CString& strText)
{
    CString strResult;
    for (int i = 0; i < strText.GetLength(); i++)
    {
        if (strText[i] != '&')
            strResult += strText[i];
        else if (i + 1 < strText.GetLength() && strText[i + 1] == '&')
            strResult += strText[++i];
    }
    return strResult;
}

CExtCommandIcon* CExtBarButton::GetIcon() const
{
    if (m_pBar == NULL || m_pBar->m_hWnd == NULL || IsSeparator())
        return NULL;
    const CString strProfile = g_CommandManagerHolder->GetProfileNameForWindow(m_pBar->m_hWnd);
    return strProfile.IsEmpty() ? NULL : g_CommandManagerHolder->GetCommandIcon(strProfile, m_nEffectiveCmdID);
}

CWnd* CExtBarButton::GetCmdTargetWnd() const
{
    return m_pBar != NULL ? m_pBar->GetCommandTarget() : NULL;
}

void CExtBarButton::ShowStatusText(UINT nCmdID) const
{
    if (m_pBar != NULL && m_pBar->GetSafeHwnd() != NULL)
        ShowCommandStatusText(m_pBar, nCmdID);
}

/////////////////////////////////////////////////////////////////////////////
// Place

void CExtBarButton::SetRect(const RECT& rc)
{
    m_rc = rc;
    if (IsCtrlShownInLayout())
    {
        CRect rcCtrl;
        m_pCtrl->GetWindowRect(&rcCtrl);
        m_pCtrl->SetWindowPos(NULL, rc.left, rc.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    }
    SyncCtrlWindow();
}

void CExtBarButton::GetRect(RECT& rc) const
{
    rc = m_rc;
    if (m_pBar == NULL || m_pBar->GetSafeHwnd() == NULL || IsOnMenuBar() || !m_pBar->IsDocked())
        return;
    CExtPaintManager* pPM = g_PaintManagerHolder.GetPaintManager();
    if (!pPM->IsBackgroundCustomized(m_pBar) || !pPM->IsToolbarBackgroundGradient(m_pBar))
        return;
    // The look's gradient reaches past the bar's edge: the buttons go with it.
    const CSize sizeInflate = pPM->GetToolbarBackgroundInflate();
    if (m_pBar->IsDockedVertically())
        ::OffsetRect(&rc, 0, sizeInflate.cy);
    else
        ::OffsetRect(&rc, sizeInflate.cx, 0);
}

void CExtBarButton::GetDropDownRect(RECT& rc) const
{
    GetRect(rc);
    const int nExtent = eDropDownArrowExtent + eDropDownMargins;
    if ((m_nFlagsA & eVertical) == 0 || IsNoRotateVerticalLayout())
        rc.left = std::max(rc.left, rc.right - nExtent);
    else
        rc.top = std::max(rc.top, rc.bottom - nExtent);
}

/////////////////////////////////////////////////////////////////////////////
// Menu

void CExtBarButton::DestroyOwnedMenu()
{
    if (m_hMenu != NULL && (m_nFlagsB & eDestroyMenu) != 0 && ::IsMenu(m_hMenu))
        ::DestroyMenu(m_hMenu);
    m_hMenu = NULL;
}

void CExtBarButton::SetMenu(HMENU hMenu, bool bPopupFlag, bool bDestroyOnReset)
{
    if (m_hMenu != hMenu)
        DestroyOwnedMenu();
    m_hMenu = hMenu;
    if (hMenu == NULL)
        return;
    if (m_pBar != NULL && m_pBar->GetSafeHwnd() != NULL)
    {
        const CString strProfile = g_CommandManagerHolder->GetProfileNameForWindow(m_pBar->m_hWnd);
        if (!strProfile.IsEmpty())
            g_CommandManagerHolder->UpdateFromMenu(strProfile, hMenu, false, true, true);
    }
    if (bPopupFlag)
        m_nFlagsA |= eMenuPopupFlag;
    else
        m_nFlagsA &= ~eMenuPopupFlag;
    m_nStyle &= ~TBBS_DISABLED;
    if (bDestroyOnReset)
        m_nFlagsB |= eDestroyMenu;
    else
        m_nFlagsB &= ~eDestroyMenu;
}

void CExtBarButton::SetAppendMdiWindowsMenu(bool bSet)
{
    ChangeFlagB(eAppendMdiWindows, bSet);
}

bool CExtBarButton::IsAbleToTrackMenu(bool /*bCustomizeMode*/) const
{
    return m_hMenu != NULL || IsContentExpandButton(this);
}

/////////////////////////////////////////////////////////////////////////////
// Measuring and painting

CSize CExtBarButton::CalculateLayout(CDC& dc, CSize sizePreCalc, bool bHorz)
{
    if (IsNoRotateVerticalLayout())
        bHorz = true;
    if (m_pCtrl != NULL && m_pCtrl->GetSafeHwnd() != NULL && (bHorz || IsCtrlVisibleVertically()))
    {
        CRect rcCtrl;
        m_pCtrl->GetWindowRect(&rcCtrl);
        m_size = CSize(rcCtrl.Width(), sizePreCalc.cy);
        return m_size;
    }
    CSize size = sizePreCalc;
    if (IsSeparator())
    {
        if (bHorz)
            size.cx = nSeparatorExtent;
        else
            size.cy = nSeparatorExtent;
        m_size = size;
        return size;
    }
    if (GetCmdItem() == NULL)
    {
        m_size = size;
        return size;
    }
    CSize sizeIcon(0, 0);
    CExtCommandIcon* pIcon = GetIcon();
    if (pIcon != NULL && !pIcon->IsEmpty())
        sizeIcon = pIcon->GetSize();
    if (IsLargeIcon())
        sizeIcon = CSize(sizeIcon.cx * 2, sizeIcon.cy * 2);
    CString strText;
    GetText(strText);
    strText = StripMnemonics(strText);
    const CSize sizeText = MeasureText(dc, strText);
    const bool bText = !strText.IsEmpty();
    CSize sizeContent;
    if (bHorz)
        sizeContent = CSize(sizeIcon.cx + (bText ? sizeText.cx + 6 : 0), std::max(sizeIcon.cy, sizeText.cy));
    else
        sizeContent = CSize(std::max(sizeIcon.cx, sizeText.cy), sizeIcon.cy + (bText ? sizeText.cx + 3 : 0));
    size.cx = std::max(size.cx, sizeContent.cx + 6);
    size.cy = std::max(size.cy, sizeContent.cy + 6);
    if (IsAbleToTrackMenu() && !IsOnMenuBar())
    {
        if (bHorz)
            size.cx += eDropDownArrowExtent + eDropDownMargins;
        else
            size.cy += eDropDownArrowExtent + eDropDownMargins;
    }
    m_size = size;
    return size;
}

CSize CExtBarButton::MeasureText(CDC& dc, const CString& strText)
{
    if (strText.IsEmpty())
        return CSize(0, 0);
    // Layouts measure every button many times over; the text's extent changes only
    // with the text and the font.
    const HFONT hFont = (HFONT)::GetCurrentObject(dc.m_hDC, OBJ_FONT);
    if (hFont != m_hMeasuredFont || strText != m_strMeasuredText)
    {
        CRect rcText(0, 0, 0, 0);
        ::DrawText(dc.m_hDC, strText, strText.GetLength(), &rcText, DT_CALCRECT | DT_SINGLELINE);
        m_sizeMeasuredText = rcText.Size();
        m_hMeasuredFont = hFont;
        m_strMeasuredText = strText;
    }
    return m_sizeMeasuredText;
}

void CExtBarButton::Paint(CDC& dc, bool bHorz)
{
    if (IsNoRotateVerticalLayout())
        bHorz = true;
    CRect rc;
    GetRect(rc);
    if ((m_pCtrl != NULL && m_pCtrl->GetSafeHwnd() != NULL && (bHorz || IsCtrlVisibleVertically())) ||
        rc.IsRectEmpty() || !IsVisible() || (m_nStyle & TBBS_HIDDEN) != 0 || !dc.RectVisible(&rc))
        return;
    CExtPaintManager* pPM = g_PaintManagerHolder.GetPaintManager();
    const bool bEnabled = !IsDisabled();
    const bool bTracking = CExtPopupMenuWnd::IsTrackingActive() || CExtToolControlBar::g_bMenuTracking;
    const bool bHover = bEnabled && !bTracking ? IsHover() : IsPushedForMenu();
    const bool bPushed = bEnabled && IsPressed();
    CString strText;
    GetText(strText);
    CExtCommandIcon* pIcon = GetIcon();
    CExtCommandIcon iconLarge;
    if (pIcon != NULL && !pIcon->IsEmpty() && IsLargeIcon())
    {
        const CSize sizeIcon = pIcon->GetSize();
        if (iconLarge.AssignResized(*pIcon, sizeIcon.cx * 2, sizeIcon.cy * 2))
            pIcon = &iconLarge;
    }
    CExtPaintPushButtonArgs args(this, rc, strText, pIcon, true, bHover, bPushed, bEnabled && IsIndeterminate(),
                                 bEnabled, true, false, false);
    args.m_bHorz = bHorz;
    args.m_nIconAlignment = 5;
    CFont* pFont = m_pBar != NULL ? m_pBar->GetFont(!bHorz) : NULL;
    args.m_hFont = pFont != NULL ? (HFONT)pFont->GetSafeHandle() : NULL;
    args.m_bDropDown = IsAbleToTrackMenu() && !IsOnMenuBar();
    args.m_bTransparentBackground = !(bEnabled && (bHover || bPushed));
    if (IsSeparatedDropDown())
    {
        args.m_bSeparatedDropDown = true;
        if (IsPressed() && ((m_nFlagsB & ePressedOnArrow) != 0 || CExtToolControlBar::g_bMenuTracking))
            args.m_bPushedDropDown = true;
    }
    pPM->PaintPushButton(dc, args);
}

void CExtBarButton::RedrawButton(bool bUpdateNow)
{
    if (m_pBar == NULL || m_pBar->GetSafeHwnd() == NULL || !IsVisible() || (m_nStyle & TBBS_HIDDEN) != 0)
        return;
    m_pBar->InvalidateButton(m_pBar->GetButtonIndex(this));
    if (bUpdateNow)
        m_pBar->UpdateWindow();
}

/////////////////////////////////////////////////////////////////////////////
// Mouse

void CExtBarButton::OnClick(CPoint point, bool bDown)
{
    bool bHitArrow = false;
    if (IsSeparatedDropDown())
    {
        CRect rcArrow;
        GetDropDownRect(rcArrow);
        bHitArrow = rcArrow.PtInRect(point) != FALSE;
    }
    if (bDown)
    {
        CExtToolControlBar::CancelAllHotTracking();
        if (IsSeparatedDropDown())
        {
            if (bHitArrow)
                m_nFlagsB |= ePressedOnArrow;
            else
                m_nFlagsB &= ~ePressedOnArrow;
        }
        if ((IsSeparatedDropDown() && !bHitArrow) || !IsAbleToTrackMenu())
            ShowStatusText(m_nCmdID);
        else
        {
            CExtToolControlBar::g_bShowAllItems = false;
            OnTrackPopup(point, false);
        }
        return;
    }
    ShowStatusText(AFX_IDS_IDLEMESSAGE);
    const bool bPressedOnArrow = (m_nFlagsB & ePressedOnArrow) != 0;
    m_nFlagsB &= ~ePressedOnArrow;
    if (IsAbleToTrackMenu() && !IsSeparatedDropDown())
        return;
    // A press on the arrow part opened the menu; its release delivers nothing.
    if (IsSeparatedDropDown() && bPressedOnArrow)
        return;
    if (m_pCtrl != NULL && m_pCtrl->GetSafeHwnd() != NULL && m_pCtrl->IsWindowVisible())
    {
        if (m_pBar != NULL && m_pBar->GetSafeHwnd() != NULL && ::GetCapture() == m_pBar->m_hWnd)
            m_pBar->SendMessage(WM_CANCELMODE);
        return;
    }
    OnDeliverCmd();
}

void CExtBarButton::OnDeliverCmd()
{
    if ((int)m_nCmdID <= 0 || m_pBar == NULL || m_pBar->GetSafeHwnd() == NULL)
        return;
    CExtCommandItem* pItem = GetCmdItem();
    if (pItem != NULL)
    {
        pItem->DeliverToOwner(m_pBar);
        return;
    }
    // A command the profile does not know still reaches the bar's owner.
    CWnd* pTarget = GetCmdTargetWnd();
    if (pTarget != NULL && pTarget->GetSafeHwnd() != NULL)
        pTarget->PostMessage(WM_COMMAND, m_nEffectiveCmdID, 0);
}

void CExtBarButton::OnHover(CPoint point, bool bOn)
{
    if (m_pBar == NULL || m_pBar->GetSafeHwnd() == NULL)
        return;
    if (!bOn)
    {
        ShowStatusText(AFX_IDS_IDLEMESSAGE);
        m_pBar->ReleaseBarCapture();
        return;
    }
    if (CExtToolControlBar::g_bMenuTracking)
        OnTrackPopup(point, false);
    else
    {
        const bool bIdle = IsOnMenuBar() || IsContentExpandButton(this) || (int)m_nEffectiveCmdID <= 0;
        ShowStatusText(bIdle ? (UINT)AFX_IDS_IDLEMESSAGE : m_nEffectiveCmdID);
    }
    if (m_pBar->GetSafeHwnd() == NULL)
        return;
    if (m_pCtrl == NULL || m_pCtrl->GetSafeHwnd() == NULL || !m_pCtrl->IsWindowVisible())
    {
        if (::GetCapture() != m_pBar->m_hWnd)
            m_pBar->SetCapture(m_pBar->m_hWnd);
    }
}

bool CExtBarButton::OnQueryCursor(CPoint /*point*/)
{
    return false;
}

/////////////////////////////////////////////////////////////////////////////
// The drop-down menu

UINT CExtBarButton::GetTrackPopupFlags() const
{
    if (m_pBar == NULL || m_pBar->GetSafeHwnd() == NULL)
        return TPMX_BOTTOMALIGN;
    UINT nSide = 0;
    if ((m_pBar->m_nBarFlags & CExtControlBar::eBarNotInFrame) != 0)
    {
        const DWORD dwAlign = m_pBar->GetBarStyle() & CBRS_ALIGN_ANY;
        nSide = dwAlign == CBRS_ALIGN_LEFT ? AFX_IDW_DOCKBAR_LEFT : dwAlign == CBRS_ALIGN_RIGHT ? AFX_IDW_DOCKBAR_RIGHT
                : dwAlign == CBRS_ALIGN_BOTTOM                         ? AFX_IDW_DOCKBAR_BOTTOM
                                                                       : 0;
    }
    else if (m_pBar->IsDocked())
        nSide = m_pBar->GetDockBarID();
    switch (nSide)
    {
    case AFX_IDW_DOCKBAR_LEFT:
        return TPMX_RIGHTALIGN;
    case AFX_IDW_DOCKBAR_RIGHT:
        return TPMX_LEFTALIGN;
    case AFX_IDW_DOCKBAR_BOTTOM:
        return TPMX_TOPALIGN;
    default:
        return TPMX_BOTTOMALIGN;
    }
}

void CExtBarButton::PaintCombinedButton(CExtPopupBaseWnd* pPopup, CDC& dc, HWND /*hWndOwner*/, const RECT& rcExclude)
{
    CExtToolControlBar* pBar = pPopup != NULL ? DYNAMIC_DOWNCAST(CExtToolControlBar, (CObject*)pPopup->GetPainterCookie()) : NULL;
    if (pBar == NULL || pBar->GetSafeHwnd() == NULL || ::IsRectEmpty(&rcExclude))
        return;
    CExtBarButton* pButton = pBar->GetButton(pBar->GetTrackingButton());
    if (pButton == NULL)
        return;
    CExtPaintManager* pPM = g_PaintManagerHolder.GetPaintManager();
    if (IsContentExpandButton(pButton) && pPM->IsBackgroundCustomized(pBar) && !IsMenuBar(pBar) && pBar->IsDocked() &&
        GetScreenColorDepth() > 8)
        return;
    // The button in the popup's client coordinates.
    CPoint ptOffset(0, 0);
    pBar->ClientToScreen(&ptOffset);
    pPopup->ScreenToClient(&ptOffset);
    const UINT nStyle = pButton->GetStyle();
    const bool bHover = pButton->IsHover();
    pButton->m_nStyle = nStyle & ~(TBBS_CHECKED | TBBS_PRESSED | TBBS_CHECKBOX);
    pButton->m_nFlagsA &= ~eHover;
    const CPoint ptOld = dc.SetViewportOrg(dc.GetViewportOrg() + ptOffset);
    pButton->Paint(dc, !pBar->IsDockedVertically());
    dc.SetViewportOrg(ptOld);
    if (bHover)
        pButton->m_nFlagsA |= eHover;
    pButton->m_nStyle = nStyle;
}

UINT CExtBarButton::GetPopupTrackFlags(bool bSelectAny) const
{
    UINT nFlags = GetTrackPopupFlags() | TPMX_OWNERDRAW_ITEMS | TPMX_COMBINE_BY_LOOK;
    if (bSelectAny)
        nFlags |= TPMX_SELECTFIRST;
    if (CExtToolControlBar::g_bShowAllItems)
        nFlags |= TPMX_SHOW_ALL_ITEMS;
    return nFlags;
}

CRect CExtBarButton::GetRectOnScreen() const
{
    CRect rc;
    GetRect(rc);
    m_pBar->ClientToScreen(&rc);
    return rc;
}

void CExtBarButton::TrackPopupWithoutWaiting(CExtPopupMenuWnd* pPopup, UINT nFlags, int nIndex)
{
    CExtToolControlBar* pBar = m_pBar;
    CRect rcButton = GetRectOnScreen();
    if (pPopup->TrackPopupMenu(nFlags, rcButton.left, rcButton.bottom, &rcButton, pBar, PaintCombinedButton, NULL,
                               true))
    {
        CExtToolControlBar::g_bMenuTracking = true;
        pBar->SetTrackingButton(nIndex);
    }
    else
        CExtToolControlBar::CancelAllHotTracking();
}

UINT CExtBarButton::OnTrackPopup(CPoint /*point*/, bool bSelectAny)
{
    if (IsDisabled() || m_pBar == NULL || m_pBar->GetSafeHwnd() == NULL)
        return (UINT)-1;
    if (m_pCtrl != NULL && m_pCtrl->GetSafeHwnd() != NULL)
    {
        m_pCtrl->SendMessage(CExtToolControlBar::g_nMsgContinueTrackMenu, (WPARAM)this, bSelectAny ? 1 : 0);
        return (UINT)-1;
    }
    if (!IsAbleToTrackMenu())
        return (UINT)-1;
    CExtToolControlBar* pBar = m_pBar;
    const int nIndex = pBar->GetButtonIndex(this);
    if (CExtToolControlBar::g_bMenuTracking && pBar->GetTrackingButton() == nIndex)
        return (UINT)-1;
    const bool bMenuTracking = CExtToolControlBar::g_bMenuTracking;
    CExtToolControlBar::CancelAllHotTracking();
    if (pBar->IsFloating())
    {
        pBar->GetTopLevelParent()->SetActiveWindow();
        CFrameWnd* pFrame = pBar->GetParentFrame();
        if (pFrame != NULL)
            pFrame->BringWindowToTop();
    }
    CWnd* pTarget = GetCmdTargetWnd();
    if (pTarget == NULL || pTarget->GetSafeHwnd() == NULL)
        return (UINT)-1;
    CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
    if (!pPopup->UpdateFromMenu(pTarget->m_hWnd, m_hMenu, IsMenuPopupFlag(), true))
    {
        delete pPopup;
        return (UINT)-1;
    }
    if (IsAppendMdiWindowsMenu())
        pPopup->BuildMdiWindowList(pTarget);
    CExtToolControlBar::g_bMenuTracking = bMenuTracking;

    const UINT nFlags = GetPopupTrackFlags(bSelectAny);
    pBar->SetTrackingButton(nIndex);
    if (!IsAutoChangeID() || CExtControlBar::IsParentFrameInHelpMode(pBar))
    {
        TrackPopupWithoutWaiting(pPopup, nFlags, nIndex);
        return (UINT)-1;
    }
    const CRect rcButton = GetRectOnScreen();
    const HWND hWndBar = pBar->m_hWnd;
    CExtToolControlBar::g_bMenuTracking = true;
    UINT nCmd = 0;
    const bool bTracked = pPopup->TrackPopupMenu(nFlags | TPMX_DO_MESSAGE_LOOP | TPMX_NO_CMD_DELIVERY, rcButton.left,
                                                 rcButton.bottom, &rcButton, pBar, PaintCombinedButton, &nCmd, true);
    // The chosen command may have closed the bar or rebuilt its buttons.
    if (!::IsWindow(hWndBar) || CWnd::FromHandlePermanent(hWndBar) != pBar || pBar->GetButton(nIndex) != this)
        return (UINT)-1;
    if (!bTracked)
    {
        CExtToolControlBar::CancelAllHotTracking();
        return (UINT)-1;
    }
    CExtToolControlBar::CancelAllHotTracking();
    if (nCmd != 0)
    {
        SetCmdID(nCmd, true, true);
        OnDeliverCmd();
    }
    return (UINT)-1;
}

bool CExtBarButton::PutToPopupMenu(CExtPopupMenuWnd* pPopup)
{
    if (pPopup == NULL)
        return false;
    if (m_pCtrl != NULL && m_pCtrl->GetSafeHwnd() != NULL &&
        m_pCtrl->SendMessage(CExtControlBar::g_nMsgPutToPopupMenu, (WPARAM)pPopup) != 0)
        return true;
    if (m_hMenu == NULL)
        return pPopup->InsertItem(m_nEffectiveCmdID, -1);
    CExtCommandItem* pItem = GetCmdItem();
    CString strText;
    if (pItem != NULL)
        strText = pItem->m_strMenuText.IsEmpty() ? pItem->m_strToolbarText : pItem->m_strMenuText;
    // A toolbar-only command still names its sub-menu: by its tip.
    if (strText.IsEmpty() && pItem != NULL)
        strText = pItem->m_strTipText;
    CExtCommandIcon* pIcon = GetIcon();
    HICON hIcon = pIcon != NULL && !pIcon->IsEmpty() ? pIcon->GetIcon() : NULL;
    if (!pPopup->InsertItem((UINT)-1, -1, strText, hIcon))
        return false;
    CExtPopupMenuWnd* pSub = pPopup->GetItemSubMenu(pPopup->GetItemCount() - 1);
    CWnd* pTarget = GetCmdTargetWnd();
    if (pSub != NULL)
        pSub->UpdateFromMenu(pTarget != NULL ? pTarget->GetSafeHwnd() : NULL, m_hMenu, IsMenuPopupFlag(), false);
    return true;
}

/////////////////////////////////////////////////////////////////////////////
// Tips, help and update

INT_PTR CExtBarButton::OnToolHitTest(CPoint /*point*/, TOOLINFO* pTI) const
{
    if (!IsDisplayScreenTip())
        return -1;
    CExtCommandItem* pItem = GetCmdItem();
    if (pItem == NULL || pItem->m_strTipText.IsEmpty())
        return -1;
    if (pTI == NULL)
        return (INT_PTR)m_nEffectiveCmdID;
    GetRect(pTI->rect);
    pTI->uId = (UINT_PTR)m_nEffectiveCmdID;
    pTI->hwnd = m_pBar->m_hWnd;
    CString strTip = pItem->m_strTipText;
    if (IsDisplayShortcutKeysOnScreenTip() && !pItem->m_strAccelText.IsEmpty())
        strTip += (strTip.IsEmpty() ? "(" : " (") + pItem->m_strAccelText + ")";
    // The tool tip control frees the text with the C runtime.
    char* pszText = (char*)calloc((size_t)strTip.GetLength() + 1, 1);
    if (pszText != NULL)
        memcpy(pszText, (LPCTSTR)strTip, (size_t)strTip.GetLength());
    pTI->lpszText = pszText != NULL ? pszText : LPSTR_TEXTCALLBACK;
    return (INT_PTR)m_nEffectiveCmdID;
}

int CExtBarButton::OnHelpHitTest(CPoint point)
{
    if (IsSeparator())
        return -1;
    if (IsAbleToTrackMenu())
    {
        if (m_pBar == NULL || m_pBar->m_pDockBar == NULL || m_pBar->m_pDockBar->GetSafeHwnd() == NULL)
            return -3;
        const HWND hWndBar = m_pBar->m_hWnd, hWndDockBar = m_pBar->m_pDockBar->m_hWnd;
        OnTrackPopup(point, false);
        return RunHelpLoop(hWndBar, hWndDockBar);
    }
    return GetCmdItem() != NULL ? (int)m_nEffectiveCmdID : -1;
}

namespace
{
bool g_bInHelpLoop = false;

// The help id of a system command: the frame's own range for the common ones.
int HelpIdOfSysCommand(UINT nSysCmd)
{
    switch (nSysCmd & 0xFFF0)
    {
    case SC_SIZE: case SC_MOVE: case SC_MINIMIZE: case SC_MAXIMIZE: case SC_NEXTWINDOW:
    case SC_PREVWINDOW: case SC_CLOSE: case SC_RESTORE: case SC_TASKLIST:
        return 0x1EF00 + (int)(((nSysCmd & 0xFFF0) - 0xF000) >> 4);
    default:
        return (int)nSysCmd;
    }
}

bool IsPopupWindow(HWND hWnd)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    return pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CExtPopupBaseWnd));
}
}

int CExtBarButton::RunHelpLoop(HWND hWndBar, HWND hWndDockBar)
{
    if (g_bInHelpLoop)
        return -3;
    struct CGuard
    {
        CGuard() { g_bInHelpLoop = true; }
        ~CGuard() { g_bInHelpLoop = false; }
    } guard;
    for (;;)
    {
        if (!::IsWindow(hWndBar) || !::IsWindow(hWndDockBar))
            return -3;
        MSG msg;
        // What is waiting first: a command may already be on its way.
        if (!::PeekMessage(&msg, NULL, 0, 0, PM_REMOVE))
        {
            if (!CExtPopupMenuWnd::IsTrackingActive())
                return -3;   // the menu closed without a choice
            ::WaitMessage();
            continue;
        }
        switch (msg.message)
        {
        case WM_QUIT:
            ::PostQuitMessage((int)msg.wParam);
            return -3;
        case WM_COMMAND:
            return (int)LOWORD(msg.wParam);
        case WM_SYSCOMMAND:
            return HelpIdOfSysCommand((UINT)msg.wParam);
        case WM_LBUTTONDOWN:
            if (IsPopupWindow(msg.hwnd))
            {
                const int nHelpId = (int)::SendMessage(msg.hwnd, WM_HELPHITTEST, 0, msg.lParam);
                if (nHelpId > 0)
                    return nHelpId;
            }
            break;
        default:
            break;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
}

void CExtBarButton::OnUpdateCmdUI(CWnd* pTarget, BOOL bDisableIfNoHndler, int nIndex)
{
    if (IsSeparator() || pTarget == NULL || (IsOnMenuBar() && IsAbleToTrackMenu()))
        return;
    CButtonCmdUI state(this);
    state.m_nID = m_nCmdID;
    state.m_nIndex = (UINT)nIndex;
    state.m_nIndexMax = m_pBar != NULL ? (UINT)m_pBar->GetButtonsCount() : 0;
    state.m_pOther = m_pBar;
    state.DoUpdate(pTarget, bDisableIfNoHndler);
}

bool CExtBarButton::IsPlainButton() const
{
    return !IsSeparator() && (m_pCtrl == NULL || m_pCtrl->GetSafeHwnd() == NULL);
}
