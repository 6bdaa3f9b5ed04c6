// CExtHostedBarsState: the idle update and the pre-translation of hosted bars.
#include "CExtHostedBarsState.h"

#include <afxstat_.h>

#include "CExtControlBar.h"

bool CExtHostedBarsState::IsIdleMessageNow() const
{
    if (!IsAttached())
        return false;
    CWinApp* pApp = AfxGetApp();
    return pApp != NULL && pApp->IsIdleMessage(&AfxGetThreadState()->m_msgCur) != FALSE;
}

void CExtHostedBarsState::AfterMessage(CWnd* pWnd, bool bWasIdle)
{
    if (!bWasIdle || (m_nFlags & eUpdateRunning) != 0 || pWnd == NULL || !::IsWindow(pWnd->m_hWnd))
        return;
    m_nFlags |= eUpdateRunning;
    CExtControlBar::UpdateChildBarsCmdUI(pWnd, TRUE);
    m_nFlags &= ~eUpdateRunning;
}

bool CExtHostedBarsState::PreTranslateForBars(CWnd* pWnd, MSG* pMsg)
{
    return pWnd != NULL && pWnd->m_hWnd != NULL && CExtControlBar::PreTranslateMessageForChildBars(pWnd, pMsg);
}
