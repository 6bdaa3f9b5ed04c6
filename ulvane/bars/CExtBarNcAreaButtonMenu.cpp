// CExtBarNcAreaButtonMenu: the show/hide-panels menu under the button.
#include "CExtBarNcAreaButtonMenu.h"

#include "CExtBarPopupMenuEvent.h"
#include "CExtControlBar.h"
#include "CExtDockBar.h"
#include "CExtPopupMenuWnd.h"

IMPLEMENT_DYNCREATE(CExtBarNcAreaButtonMenu, CExtBarNcAreaButton)

CExtBarNcAreaButtonMenu::CExtBarNcAreaButtonMenu(CExtControlBar* pBar)
    : CExtBarNcAreaButton(pBar)
{
}

bool CExtBarNcAreaButtonMenu::OnQueryVisibility()
{
    return CExtBarNcAreaButton::OnQueryVisibility() && m_pBar->IsFixedMode() && m_pBar->IsFloating();
}

void CExtBarNcAreaButtonMenu::OnNcAreaDraw(CDC& dc)
{
    PaintGlyphButton(dc, 3);
}

UINT CExtBarNcAreaButtonMenu::OnNcAreaHitTest(CPoint point)
{
    return CExtBarNcAreaButton::OnNcAreaHitTest(point) == HTCLIENT ? HTCLIENT : g_nCaptionButtonHitCode;
}

bool CExtBarNcAreaButtonMenu::OnNcAreaClicked(CPoint point)
{
    if (!IsInside(point))
        return false;
    if (CExtControlBar::IsParentFrameInHelpMode(m_pBar))
        return true;
    CWnd* pShowing = m_pBar;
    if (m_pBar->IsFloating() && m_pBar->GetParentFrame() != NULL)
        pShowing = m_pBar->GetParentFrame();
    CRect rcScreen(m_rc), rcWindow;
    pShowing->GetWindowRect(&rcWindow);
    rcScreen.OffsetRect(rcWindow.TopLeft());
    m_pBar->TrackPanelsMenu(CExtBarPopupMenuEvent::eOptionsButtonMenu, WM_NCLBUTTONDOWN, this,
                            CPoint(rcScreen.left, rcScreen.bottom), &rcScreen);
    return true;
}

INT_PTR CExtBarNcAreaButtonMenu::OnToolHitTest(CPoint /*point*/, TOOLINFO* pTI)
{
    return FillToolInfo(pTI, LoadTipText(nIdsTip, "Options"));
}
