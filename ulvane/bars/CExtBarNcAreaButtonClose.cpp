// CExtBarNcAreaButtonClose: hides its bar.
#include "CExtBarNcAreaButtonClose.h"

#include "CExtControlBar.h"

IMPLEMENT_DYNCREATE(CExtBarNcAreaButtonClose, CExtBarNcAreaGlyphButton)

CExtBarNcAreaButtonClose::CExtBarNcAreaButtonClose(CExtControlBar* pBar)
    : CExtBarNcAreaGlyphButton(pBar, 1, nIdsTip, "Hide")
{
}

bool CExtBarNcAreaButtonClose::OnQueryVisibility()
{
    return CExtBarNcAreaButton::OnQueryVisibility() && (!m_pBar->IsFixedMode() || m_pBar->IsFloating());
}

bool CExtBarNcAreaButtonClose::OnNcAreaClicked(CPoint point)
{
    if (!IsInside(point))
        return false;
    CFrameWnd* pFrame = m_pBar->m_pDockSite != NULL ? m_pBar->m_pDockSite : m_pBar->GetParentFrame();
    if (pFrame != NULL)
        pFrame->ShowControlBar(m_pBar, FALSE, FALSE);
    else
        m_pBar->ShowWindow(SW_HIDE);
    return true;
}
