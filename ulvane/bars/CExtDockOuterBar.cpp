// CExtDockOuterBar: the frame-edge dock bars; delayed frame layouts and system changes.
#include "CExtDockOuterBar.h"

#include "CExtCommandManagerHolder.h"
#include "CExtPaintManagerHolder.h"

IMPLEMENT_DYNCREATE(CExtDockOuterBar, CExtDockBar)

BEGIN_MESSAGE_MAP(CExtDockOuterBar, CExtDockBar)
    ON_WM_TIMER()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_SETTINGCHANGE()
    ON_MESSAGE(WM_DISPLAYCHANGE, OnDisplayChange)
    ON_MESSAGE(WM_THEMECHANGED, OnThemeChanged)
END_MESSAGE_MAP()

CExtDockOuterBar::CExtDockOuterBar()
    : CExtDockBar(0), m_nOuterFlags(0)
{
}

CExtDockOuterBar* CExtDockOuterBar::GetLayoutServer(CFrameWnd* pFrame)
{
    if (pFrame == NULL || pFrame->m_hWnd == NULL)
        return NULL;
    static const UINT arrOrder[4] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT,
                                     AFX_IDW_DOCKBAR_RIGHT};
    for (UINT nID : arrOrder)
    {
        CControlBar* pBar = pFrame->GetControlBar(nID);
        if (pBar != NULL && pBar->IsKindOf(RUNTIME_CLASS(CExtDockOuterBar)))
            return (CExtDockOuterBar*)pBar;
    }
    return NULL;
}

bool CExtDockOuterBar::TryFrameLayout()
{
    CFrameWnd* pFrame = GetDockingFrame();
    if (pFrame == NULL || pFrame->m_hWnd == NULL)
        return true;   // nothing left to lay out
    if ((m_nOuterFlags & eLayoutRunning) != 0 || pFrame->m_bInRecalcLayout)
        return false;
    m_nOuterFlags |= eLayoutRunning;
    pFrame->RecalcLayout();
    m_nOuterFlags &= ~eLayoutRunning;
    return true;
}

void CExtDockOuterBar::RequestFrameLayout()
{
    if ((m_nOuterFlags & eLayoutPending) != 0 || m_hWnd == NULL)
        return;
    if (TryFrameLayout())
        return;
    m_nOuterFlags |= eLayoutPending;
    SetTimer(nIdLayoutRetryTimer, 1, NULL);
}

void CExtDockOuterBar::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != nIdLayoutRetryTimer)
    {
        CExtDockBar::OnTimer(nIDEvent);
        return;
    }
    if (!TryFrameLayout())
        return;
    KillTimer(nIdLayoutRetryTimer);
    m_nOuterFlags &= ~eLayoutPending;
}

void CExtDockOuterBar::OnSysColorChange()
{
    CExtDockBar::OnSysColorChange();
    g_PaintManagerHolder.OnSysColorChange(this);
    g_CommandManagerHolder.OnSysColorChange(this);
}

void CExtDockOuterBar::OnSettingChange(UINT uFlags, LPCTSTR lpszSection)
{
    CExtDockBar::OnSettingChange(uFlags, lpszSection);
    g_PaintManagerHolder.OnSettingChange(this, uFlags, lpszSection);
    g_CommandManagerHolder.OnSettingChange(this, uFlags, lpszSection);
}

LRESULT CExtDockOuterBar::OnDisplayChange(WPARAM wParam, LPARAM lParam)
{
    const LRESULT lResult = Default();
    const int cx = (short)LOWORD(lParam), cy = (short)HIWORD(lParam);
    g_PaintManagerHolder.OnDisplayChange(this, (int)wParam, CPoint(cx, cy));
    g_CommandManagerHolder.OnDisplayChange(this, (int)wParam, cx, cy);
    return lResult;
}

LRESULT CExtDockOuterBar::OnThemeChanged(WPARAM wParam, LPARAM lParam)
{
    const LRESULT lResult = Default();
    g_PaintManagerHolder.OnThemeChanged(this, wParam, lParam);
    g_CommandManagerHolder.OnThemeChanged(this, wParam, lParam);
    return lResult;
}
