// CWnd: tool tips for windows that enable them. One tool tip control per thread,
// owned by the top-level window, asks OnToolHitTest which tool is under the mouse;
// its text comes through TTN_NEEDTEXT to the owner.
#include "afxpriv.h"
#include "afxcmn.h"

BOOL CWnd::EnableToolTips(BOOL bEnable)
{
    if (bEnable)
        m_nFlags |= WF_TOOLTIPS;
    else
    {
        m_nFlags &= ~WF_TOOLTIPS;
        CancelToolTips();
    }
    return TRUE;
}

INT_PTR CWnd::OnToolHitTest(CPoint point, TOOLINFO* pTI) const
{
    // The child control under the point (disabled ones included) is the tool.
    HWND hWndChild = ::ChildWindowFromPointEx(m_hWnd, point, CWP_SKIPINVISIBLE);
    if (hWndChild == NULL || hWndChild == m_hWnd)
        return -1;
    INT_PTR nHit = (INT_PTR)(WORD)::GetDlgCtrlID(hWndChild);
    if (pTI != NULL)
    {
        pTI->hwnd = m_hWnd;
        pTI->uId = (UINT_PTR)hWndChild;
        pTI->uFlags |= TTF_IDISHWND;
        pTI->lpszText = LPSTR_TEXTCALLBACK;
        if (!(::SendMessage(hWndChild, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON))
            pTI->uFlags |= TTF_NOTBUTTON | TTF_CENTERTIP;
    }
    return nHit;
}

void PASCAL CWnd::CancelToolTips(BOOL bKeys)
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pState->m_pToolTip != NULL && pState->m_pToolTip->m_hWnd != NULL)
        pState->m_pToolTip->SendMessage(TTM_ACTIVATE, FALSE);
    // The next mouse move finds the tool again.
    pState->m_pLastHit = NULL;
    pState->m_nLastHit = -1;
    if (bKeys && pState->m_pToolTip != NULL && pState->m_pToolTip->m_hWnd != NULL)
        pState->m_pToolTip->SendMessage(TTM_POP);
}

static void RelayToolTipMessage(CToolTipCtrl* pToolTip, MSG* pMsg)
{
    // The tool tip sees mouse moves in the coordinates of its tool's window.
    MSG msg = *pMsg;
    pToolTip->SendMessage(TTM_RELAYEVENT, 0, (LPARAM)&msg);
}

static BOOL IsMouseButtonDown()
{
    return ::GetKeyState(VK_LBUTTON) < 0 || ::GetKeyState(VK_RBUTTON) < 0 || ::GetKeyState(VK_MBUTTON) < 0;
}

void CWnd::FilterToolTipMessage(MSG* pMsg)
{
    UINT message = pMsg->message;
    BOOL bMouse = message == WM_MOUSEMOVE || message == WM_NCMOUSEMOVE || message == WM_LBUTTONUP ||
                  message == WM_RBUTTONUP || message == WM_MBUTTONUP;
    AFX_THREAD_STATE* pState = AfxGetThreadState();

    if (!bMouse || IsMouseButtonDown())
    {
        // Keys and clicks hide the tip.
        if ((message >= WM_KEYFIRST && message <= WM_KEYLAST) || message == WM_LBUTTONDOWN ||
            message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN || message == WM_NCLBUTTONDOWN)
            CancelToolTips(TRUE);
        return;
    }

    // Only the innermost window with tool tips on handles the message.
    CWnd* pWnd = CWnd::FromHandle(pMsg->hwnd);
    while (pWnd != NULL && !(pWnd->m_nFlags & (WF_TOOLTIPS | WF_TRACKINGTOOLTIPS)))
        pWnd = pWnd->GetParent();
    if (pWnd != this)
        return;

    CWnd* pOwner = GetParentOwner();
    CToolTipCtrl* pToolTip = pState->m_pToolTip;
    if (pToolTip != NULL && (pToolTip->m_hWnd == NULL || pToolTip->GetOwner() != pOwner))
    {
        pToolTip->DestroyWindow();
        delete pToolTip;
        pState->m_pToolTip = pToolTip = NULL;
        pState->m_pLastHit = NULL;
        pState->m_nLastHit = -1;
    }
    if (pToolTip == NULL)
    {
        pToolTip = new CToolTipCtrl;
        if (!pToolTip->Create(pOwner, TTS_ALWAYSTIP))
        {
            delete pToolTip;
            return;
        }
        pToolTip->SendMessage(TTM_ACTIVATE, FALSE);
        pState->m_pToolTip = pToolTip;
    }

    CPoint point = pMsg->pt;
    ::ScreenToClient(m_hWnd, &point);
    TOOLINFO tiHit;
    memset(&tiHit, 0, sizeof(tiHit));
    tiHit.cbSize = TTTOOLINFOA_V2_SIZE;
    INT_PTR nHit = OnToolHitTest(point, &tiHit);
    CWnd* pHitWnd = nHit == -1 ? NULL : this;

    if (pState->m_nLastHit != nHit || pState->m_pLastHit != pHitWnd)
    {
        if (nHit != -1)
        {
            TOOLINFO ti = tiHit;
            ti.uFlags &= ~(TTF_NOTBUTTON | TTF_ALWAYSTIP);
            if (m_nFlags & WF_TRACKINGTOOLTIPS)
                ti.uFlags |= TTF_TRACK;
            pToolTip->SendMessage(TTM_ADDTOOL, 0, (LPARAM)&ti);
            pToolTip->SendMessage(TTM_ACTIVATE, TRUE);
            if (m_nFlags & WF_TRACKINGTOOLTIPS)
                pToolTip->SendMessage(TTM_TRACKACTIVATE, TRUE, (LPARAM)&ti);
            ::SetWindowPos(pToolTip->m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOSIZE | SWP_NOMOVE | SWP_NOOWNERZORDER);
        }
        else
            pToolTip->SendMessage(TTM_ACTIVATE, FALSE);

        RelayToolTipMessage(pToolTip, pMsg);

        // The previous tool goes only after the relay, so the tip hides cleanly.
        if (pState->m_pLastInfo != NULL && pState->m_pLastInfo->cbSize != 0)
            pToolTip->SendMessage(TTM_DELTOOL, 0, (LPARAM)pState->m_pLastInfo);
        if (pState->m_pLastInfo == NULL)
            pState->m_pLastInfo = new TOOLINFO;
        *pState->m_pLastInfo = tiHit;
        pState->m_pLastInfo->lpszText = NULL;
        if (nHit == -1)
            pState->m_pLastInfo->cbSize = 0;
        pState->m_pLastHit = pHitWnd;
        pState->m_nLastHit = nHit;
    }
    else if (nHit != -1)
        RelayToolTipMessage(pToolTip, pMsg);

    // OnToolHitTest may hand over text it allocated.
    if (tiHit.lpszText != LPSTR_TEXTCALLBACK && tiHit.lpszText != NULL && tiHit.hinst == NULL)
        free(tiHit.lpszText);
}
