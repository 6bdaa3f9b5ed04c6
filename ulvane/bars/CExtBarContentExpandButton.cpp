// CExtBarContentExpandButton: measuring, painting, the tip and the popup of the chevron.
#include "CExtBarContentExpandButton.h"

#include "CExtBarPopupMenuEvent.h"
#include "CExtDockBar.h"
#include "CExtPaintManagerHolder.h"
#include "CExtPopupMenuWnd.h"
#include "CExtToolControlBar.h"

#include <cstdlib>
#include <cstring>

IMPLEMENT_DYNCREATE(CExtBarContentExpandButton, CExtBarButton)

namespace
{
const UINT nTipStringID = 30045;
const UINT nPanelsStringID = 30009;

// The string resource, else the text the framework brings.
CString LoadStringOr(UINT nID, LPCTSTR lpszDefault)
{
    CString str;
    if (!str.LoadString(nID) || str.IsEmpty())
        str = lpszDefault;
    return str;
}
}

CExtBarContentExpandButton::CExtBarContentExpandButton(CExtToolControlBar* pBar)
    : CExtBarButton(pBar, (UINT)eCmdID, 0), m_nFlagsC(0)
{
}

void CExtBarContentExpandButton::SetBarCompletelyVisible(bool bSet)
{
    if (bSet)
        m_nFlagsC |= eBarCompletelyVisible;
    else
        m_nFlagsC &= ~eBarCompletelyVisible;
}

void CExtBarContentExpandButton::ForgetButton(const CExtBarButton* pButton)
{
    for (INT_PTR i = m_arrHiddenButtons.GetSize() - 1; i >= 0; i--)
    {
        if (m_arrHiddenButtons[i] == pButton)
            m_arrHiddenButtons.RemoveAt(i);
    }
}

CSize CExtBarContentExpandButton::CalculateLayout(CDC& /*dc*/, CSize sizePreCalc, bool bHorz)
{
    m_size = bHorz ? CSize((int)eExtent, sizePreCalc.cy) : CSize(sizePreCalc.cx, (int)eExtent);
    return m_size;
}

bool CExtBarContentExpandButton::PutToPopupMenu(CExtPopupMenuWnd* /*pPopup*/)
{
    return false;
}

void CExtBarContentExpandButton::Paint(CDC& dc, bool bHorz)
{
    CRect rc;
    GetRect(rc);
    if (rc.IsRectEmpty() || !IsVisible() || (m_nStyle & TBBS_HIDDEN) != 0 || !dc.RectVisible(&rc))
        return;
    const bool bHidesSome = m_arrHiddenButtons.GetSize() > 0;
    const bool bPanels = m_pBar != NULL && (m_pBar->m_nToolbarFlags & CExtToolControlBar::eChevronPanels) != 0;
    const bool bEnabled = !IsDisabled() && (bPanels || bHidesSome);
    const bool bPushed = bEnabled && IsPressed();
    const bool bHover = bEnabled && IsHover() && !CExtPopupMenuWnd::IsTrackingActive() &&
                        !CExtToolControlBar::g_bMenuTracking;
    g_PaintManagerHolder->PaintToolbarExpandButton(dc, rc, bHorz, !bHidesSome, bEnabled, bPushed, bHover, this, 0,
                                                   !bHover && !bPushed);
}

void CExtBarContentExpandButton::OnClick(CPoint point, bool bDown)
{
    if (!bDown)
        return;
    CExtToolControlBar::g_bShowAllItems = false;
    OnTrackPopup(point, false);
}

INT_PTR CExtBarContentExpandButton::OnToolHitTest(CPoint /*point*/, TOOLINFO* pTI) const
{
    if (pTI == NULL || m_pBar == NULL)
        return AFX_IDS_IDLEMESSAGE;
    GetRect(pTI->rect);
    pTI->uId = AFX_IDS_IDLEMESSAGE;
    pTI->hwnd = m_pBar->m_hWnd;
    const CString strTip = LoadStringOr(nTipStringID, "Where are buttons?");
    char* pszText = (char*)calloc((size_t)strTip.GetLength() + 1, 1);
    if (pszText != NULL)
        memcpy(pszText, (LPCTSTR)strTip, (size_t)strTip.GetLength());
    pTI->lpszText = pszText != NULL ? pszText : LPSTR_TEXTCALLBACK;
    return AFX_IDS_IDLEMESSAGE;
}

bool CExtBarContentExpandButton::BuildPopup(CExtPopupMenuWnd* pPopup)
{
    CExtToolControlBar* pBar = m_pBar;
    CWnd* pFrame = pBar->GetBarFrame();
    if (pFrame == NULL)
        pFrame = GetCmdTargetWnd();
    const bool bPanels = (pBar->m_nToolbarFlags & CExtToolControlBar::eChevronPanels) != 0;
    const bool bDockedPanels = bPanels && pBar->IsDocked();
    CExtBarPopupMenuEvent event(CExtBarPopupMenuEvent::eChevronMenu, pPopup, pBar, WM_NCLBUTTONDOWN, this);
    if (!event.Notify(pFrame))
    {
        for (INT_PTR i = 0; i < m_arrHiddenButtons.GetSize(); i++)
        {
            CExtBarButton* pButton = m_arrHiddenButtons[i];
            if (pButton->IsSeparator())
            {
                if (pPopup->GetItemCount() > 0)
                    pPopup->InsertItem(ID_SEPARATOR, -1);
                continue;
            }
            pButton->PutToPopupMenu(pPopup);
        }
        if (pPopup->GetItemCount() > 0 && bDockedPanels)
            pPopup->InsertItem(ID_SEPARATOR, -1);
        if (bDockedPanels)
        {
            CExtBarPopupMenuEvent eventPanels(CExtBarPopupMenuEvent::eChevronPanelsMenu, pPopup, pBar,
                                              WM_NCLBUTTONDOWN, this);
            if (!eventPanels.Notify(pFrame))
            {
                const CString strText = LoadStringOr(nPanelsStringID, "&Show/hide panels");
                CFrameWnd* pDockSite = pBar->m_pDockSite;
                if (pPopup->InsertItem((UINT)-1, -1, strText))
                {
                    const int nItem = pPopup->GetItemCount() - 1;
                    CExtPopupMenuWnd* pSub = pPopup->GetItemSubMenu(nItem);
                    if (pSub == NULL || pDockSite == NULL ||
                        !CExtDockBar::ConstructPanelsMenu(pDockSite, pSub,
                                                          CExtBarPopupMenuEvent::eChevronPanelsContent, pBar,
                                                          WM_NCLBUTTONDOWN, this) ||
                        pSub->GetItemCount() == 0)
                        pPopup->RemoveItem(nItem);
                }
            }
            eventPanels.m_nFlags |= CExtBarPopupMenuEvent::eFlagAfterContent;
            eventPanels.Notify(pFrame);
        }
    }
    event.m_nFlags |= CExtBarPopupMenuEvent::eFlagAfterContent;
    event.Notify(pFrame);
    // A trailing separator shows nothing.
    while (pPopup->GetItemCount() > 0 && pPopup->GetItemCmdID(pPopup->GetItemCount() - 1) == 0)
        pPopup->RemoveItem(pPopup->GetItemCount() - 1);
    return pPopup->GetItemCount() > 0;
}

UINT CExtBarContentExpandButton::OnTrackPopup(CPoint /*point*/, bool bSelectAny)
{
    CExtToolControlBar* pBar = m_pBar;
    if (IsDisabled() || pBar == NULL || pBar->GetSafeHwnd() == NULL)
        return (UINT)-1;
    const int nIndex = pBar->GetButtonIndex(this);
    if (CExtToolControlBar::g_bMenuTracking && pBar->GetTrackingButton() == nIndex)
        return (UINT)-1;
    if ((pBar->m_nToolbarFlags & CExtToolControlBar::eChevronPanels) == 0 && m_arrHiddenButtons.GetSize() == 0)
        return (UINT)-1;
    const bool bMenuTracking = CExtToolControlBar::g_bMenuTracking;
    CExtToolControlBar::CancelAllHotTracking();
    CExtToolControlBar::g_bMenuTracking = bMenuTracking;
    if (pBar->IsFloating())
    {
        CFrameWnd* pFrame = pBar->GetParentFrame();
        if (pFrame != NULL)
            pFrame->SetActiveWindow();
    }
    CWnd* pTarget = GetCmdTargetWnd();
    if (pTarget == NULL || pTarget->GetSafeHwnd() == NULL)
        return (UINT)-1;
    CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
    if (!pPopup->InitEmptyMenu(pTarget->m_hWnd) || !BuildPopup(pPopup))
    {
        // Never tracked: still ours to delete.
        delete pPopup;
        return (UINT)-1;
    }
    const UINT nFlags = GetPopupTrackFlags(bSelectAny);
    pBar->SetTrackingButton(nIndex);
    TrackPopupWithoutWaiting(pPopup, nFlags, nIndex);
    return (UINT)-1;
}
