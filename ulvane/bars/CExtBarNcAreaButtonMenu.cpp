// CExtBarNcAreaButtonMenu: the show/hide-panels menu under the button.
#include "CExtBarNcAreaButtonMenu.h"

#include "CExtBarPopupMenuEvent.h"
#include "CExtControlBar.h"
#include "CExtDockBar.h"
#include "CExtPopupMenuWnd.h"

IMPLEMENT_DYNCREATE(CExtBarNcAreaButtonMenu, CExtBarNcAreaGlyphButton)

CExtBarNcAreaButtonMenu::CExtBarNcAreaButtonMenu(CExtControlBar* pBar)
    : CExtBarNcAreaGlyphButton(pBar, 3, nIdsTip, "Options")
{
}

bool CExtBarNcAreaButtonMenu::OnQueryVisibility()
{
    return CExtBarNcAreaButton::OnQueryVisibility() && m_pBar->IsFixedMode() && m_pBar->IsFloating();
}

bool CExtBarNcAreaButtonMenu::OnNcAreaClicked(CPoint point)
{
    if (!IsInside(point))
        return false;
    if (CExtControlBar::IsParentFrameInHelpMode(m_pBar))
        return true;
    CRect rcScreen = GetScreenRect();
    m_pBar->TrackPanelsMenu(CExtBarPopupMenuEvent::eOptionsButtonMenu, WM_NCLBUTTONDOWN, this,
                            CPoint(rcScreen.left, rcScreen.bottom), &rcScreen);
    return true;
}
