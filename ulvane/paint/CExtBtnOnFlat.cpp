// CExtBtnOnFlat: flat until hovered.
#include "CExtBtnOnFlat.h"

IMPLEMENT_DYNCREATE(CExtBtnOnFlat, CButton)

CExtBtnOnFlat::CExtBtnOnFlat()
    : m_bFlat(true)
{
}

void CExtBtnOnFlat::PreSubclassWindow()
{
    CButton::PreSubclassWindow();
    ApplyFlat(true);
}

void CExtBtnOnFlat::ApplyFlat(bool bFlat)
{
    m_bFlat = bFlat;
    if (m_hWnd == NULL)
        return;
    ModifyStyle(bFlat ? 0 : BS_FLAT, bFlat ? BS_FLAT : 0);
    RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

LRESULT CExtBtnOnFlat::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    bool bHoverChanged = false;
    const bool bTrackerOwn = m_hover.FilterMessage(m_hWnd, message, wParam, bHoverChanged);
    if (bHoverChanged)
        ApplyFlat(!m_hover.IsHover());
    if (bTrackerOwn)
        return 0;
    return CButton::WindowProc(message, wParam, lParam);
}
