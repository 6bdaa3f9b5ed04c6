// CExtHoverTracker: cursor checks of the flat controls.
#include "CExtHoverTracker.h"

#include "CExtPopupMenuWnd.h"

namespace
{
// Whether hWnd belongs to the active window's tree, so it may light up; never while
// a menu is tracked.
bool IsInActiveTree(HWND hWnd)
{
    return CExtPopupMenuWnd::IsWindowInActiveTree(hWnd, ::GetActiveWindow());
}
}

bool CExtHoverTracker::Update(HWND hWnd)
{
    POINT pt;
    ::GetCursorPos(&pt);
    RECT rc;
    ::GetWindowRect(hWnd, &rc);
    const bool bHover = ::PtInRect(&rc, pt) && IsInActiveTree(hWnd);
    if (!bHover && m_bTimer)
    {
        ::KillTimer(hWnd, nTimerID);
        m_bTimer = false;
    }
    if (bHover == m_bHover)
        return false;
    m_bHover = bHover;
    return true;
}

bool CExtHoverTracker::OnMouseMove(HWND hWnd)
{
    if (!m_bTimer && IsInActiveTree(hWnd))
        m_bTimer = ::SetTimer(hWnd, nTimerID, nPeriodMs, NULL) != 0;
    return Update(hWnd);
}

bool CExtHoverTracker::OnTimer(HWND hWnd)
{
    return Update(hWnd);
}

void CExtHoverTracker::Reset(HWND hWnd)
{
    if (m_bTimer && hWnd != NULL)
        ::KillTimer(hWnd, nTimerID);
    m_bTimer = false;
    m_bHover = false;
}

bool CExtHoverTracker::FilterMessage(HWND hWnd, UINT message, WPARAM wParam, bool& bChanged)
{
    bChanged = false;
    switch (message)
    {
    case WM_MOUSEMOVE:
        bChanged = OnMouseMove(hWnd);
        return false;
    case WM_TIMER:
        if (wParam != nTimerID)
            return false;
        bChanged = OnTimer(hWnd);
        return true;
    case WM_DESTROY:
        Reset(hWnd);
        return false;
    default:
        return false;
    }
}
