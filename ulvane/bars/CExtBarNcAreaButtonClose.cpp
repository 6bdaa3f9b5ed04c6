// CExtBarNcAreaButtonClose: hides its bar.
#include "CExtBarNcAreaButtonClose.h"

#include "CExtControlBar.h"

IMPLEMENT_DYNCREATE(CExtBarNcAreaButtonClose, CExtBarNcAreaButton)

CExtBarNcAreaButtonClose::CExtBarNcAreaButtonClose(CExtControlBar* pBar)
    : CExtBarNcAreaButton(pBar)
{
}

bool CExtBarNcAreaButtonClose::OnQueryVisibility()
{
    return CExtBarNcAreaButton::OnQueryVisibility() && (!m_pBar->IsFixedMode() || m_pBar->IsFloating());
}

void CExtBarNcAreaButtonClose::OnNcAreaDraw(CDC& dc)
{
    PaintGlyphButton(dc, 1);
}

UINT CExtBarNcAreaButtonClose::OnNcAreaHitTest(CPoint point)
{
    return CExtBarNcAreaButton::OnNcAreaHitTest(point) == HTCLIENT ? HTCLIENT : g_nCaptionButtonHitCode;
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

INT_PTR CExtBarNcAreaButtonClose::OnToolHitTest(CPoint /*point*/, TOOLINFO* pTI)
{
    return FillToolInfo(pTI, LoadTipText(nIdsTip, "Hide"));
}
