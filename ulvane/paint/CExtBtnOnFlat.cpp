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
    switch (message)
    {
    case WM_MOUSEMOVE:
        if (m_hover.OnMouseMove(m_hWnd))
            ApplyFlat(!m_hover.IsHover());
        break;
    case WM_TIMER:
        if (wParam == CExtHoverTracker::nTimerID)
        {
            if (m_hover.OnTimer(m_hWnd))
                ApplyFlat(!m_hover.IsHover());
            return 0;
        }
        break;
    case WM_DESTROY:
        m_hover.Reset(m_hWnd);
        break;
    default:
        break;
    }
    return CButton::WindowProc(message, wParam, lParam);
}
