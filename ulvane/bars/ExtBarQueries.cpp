// What the looks ask of a bar.
#include "ExtBarQueries.h"

#include "CExtBarContentExpandButton.h"
#include "CExtDynControlBar.h"
#include "CExtMenuControlBar.h"
#include "CExtDockBar.h"
#include "CExtPanelControlBar.h"
#include "CExtToolControlBar.h"

bool IsMenuBar(const CExtControlBar* pBar)
{
    return pBar != NULL && pBar->IsKindOf(RUNTIME_CLASS(CExtMenuControlBar));
}

bool IsBarVertical(const CExtControlBar* pBar)
{
    return pBar != NULL && (const_cast<CExtControlBar*>(pBar)->GetBarStyle() & CBRS_ORIENT_VERT) != 0;
}

bool IsBarFloating(const CExtControlBar* pBar)
{
    return pBar != NULL && pBar->m_hWnd != NULL && pBar->IsFloating();
}

bool IsContentExpandButton(const CExtBarButton* pButton)
{
    return pButton != NULL && pButton->IsKindOf(RUNTIME_CLASS(CExtBarContentExpandButton));
}

bool IsDynamicContainerBar(const CExtControlBar* pBar)
{
    return pBar != NULL && pBar->IsKindOf(RUNTIME_CLASS(CExtDynControlBar));
}

bool HasDockSite(const CExtControlBar* pBar)
{
    return pBar != NULL && pBar->m_pDockSite != NULL;
}

bool IsBarParentNotFrame(const CExtControlBar* pBar)
{
    if (pBar == NULL || pBar->m_hWnd == NULL || pBar->m_pDockSite != NULL)
        return false;
    CWnd* pParent = pBar->GetParent();
    return pParent == NULL || !pParent->IsKindOf(RUNTIME_CLASS(CFrameWnd));
}

bool IsDockedInFrameOuterBars(const CExtControlBar* pBar)
{
    return pBar != NULL && pBar->m_pDockSite != NULL && IsFrameOuterDockBar(pBar->m_pDockBar) &&
           pBar->m_pDockBar->GetParent() == pBar->m_pDockSite;
}

bool IsFrameOuterDockBar(const CWnd* pWnd)
{
    if (pWnd == NULL || pWnd->m_hWnd == NULL || !pWnd->IsKindOf(RUNTIME_CLASS(CDockBar)))
        return false;
    const int nID = pWnd->GetDlgCtrlID();
    CWnd* pParent = pWnd->GetParent();
    return nID >= (int)AFX_IDW_DOCKBAR_TOP && nID <= (int)AFX_IDW_DOCKBAR_BOTTOM && pParent != NULL &&
           pParent->IsKindOf(RUNTIME_CLASS(CFrameWnd)) && !pParent->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd));
}

bool IsPanelBar(const CExtControlBar* pBar)
{
    return pBar != NULL && pBar->IsKindOf(RUNTIME_CLASS(CExtPanelControlBar));
}

CExtBarButton* GetMenuTrackingButton(const CExtToolControlBar* pBar)
{
    return pBar != NULL ? pBar->GetButton(pBar->GetTrackingButton()) : NULL;
}
