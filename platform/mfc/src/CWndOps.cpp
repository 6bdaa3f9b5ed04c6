// CWnd: relatives, styles, geometry, text, dialog updates and bar layout.
#include "afxpriv.h"

// ---------------------------------------------------------------------------
// Owner and relatives

CWnd* CWnd::GetOwner() const
{
    return m_hWndOwner != NULL ? CWnd::FromHandle(m_hWndOwner) : GetParent();
}

// The window's owner in our sense (objects with an owner set), else its parent for
// a child and its owner for a popup.
static HWND GetParentOwnerHandle(HWND hWnd)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd != NULL)
        return pWnd->GetOwner()->GetSafeHwnd();
    return (::GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD) ? ::GetParent(hWnd) : ::GetWindow(hWnd, GW_OWNER);
}

CFrameWnd* CWnd::GetParentFrame() const
{
    if (GetSafeHwnd() == NULL)
        return NULL;
    for (CWnd* pParent = GetParent(); pParent != NULL; pParent = pParent->GetParent())
    {
        if (pParent->IsFrameWnd())
            return (CFrameWnd*)pParent;
    }
    return NULL;
}

CFrameWnd* CWnd::GetTopLevelFrame() const
{
    if (GetSafeHwnd() == NULL)
        return NULL;
    CWnd* pFrame = IsFrameWnd() ? (CWnd*)this : (CWnd*)GetParentFrame();
    if (pFrame != NULL)
    {
        CWnd* pParentFrame;
        while ((pParentFrame = (CWnd*)pFrame->GetParentFrame()) != NULL)
            pFrame = pParentFrame;
    }
    return (CFrameWnd*)pFrame;
}

CWnd* CWnd::GetParentOwner() const
{
    if (GetSafeHwnd() == NULL)
        return NULL;
    HWND hWndParent = m_hWnd;
    HWND hWndT;
    while ((::GetWindowLong(hWndParent, GWL_STYLE) & WS_CHILD) && (hWndT = ::GetParent(hWndParent)) != NULL)
        hWndParent = hWndT;
    return CWnd::FromHandle(hWndParent);
}

CWnd* CWnd::GetTopLevelParent() const
{
    if (GetSafeHwnd() == NULL)
        return NULL;
    HWND hWndParent = m_hWnd;
    HWND hWndT;
    while ((hWndT = GetParentOwnerHandle(hWndParent)) != NULL)
        hWndParent = hWndT;
    return CWnd::FromHandle(hWndParent);
}

CWnd* CWnd::GetTopLevelOwner() const
{
    if (GetSafeHwnd() == NULL)
        return NULL;
    HWND hWndOwner = m_hWnd;
    HWND hWndT;
    while ((hWndT = ::GetWindow(hWndOwner, GW_OWNER)) != NULL)
        hWndOwner = hWndT;
    return CWnd::FromHandle(hWndOwner);
}

CWnd* CWnd::GetDescendantWindow(int nID, BOOL bOnlyPerm) const
{
    // The direct child first (fast), then a walk through the whole tree.
    HWND hWndChild = ::GetDlgItem(m_hWnd, nID);
    if (hWndChild != NULL)
    {
        CWnd* pWnd = bOnlyPerm ? CWnd::FromHandlePermanent(hWndChild) : CWnd::FromHandle(hWndChild);
        if (pWnd != NULL)
            return pWnd;
    }
    for (hWndChild = ::GetTopWindow(m_hWnd); hWndChild != NULL; hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT))
    {
        if (::GetTopWindow(hWndChild) == NULL)
            continue;
        CWnd wndChild(hWndChild);
        CWnd* pWnd = wndChild.GetDescendantWindow(nID, bOnlyPerm);
        wndChild.m_hWnd = NULL;
        if (pWnd != NULL)
            return pWnd;
    }
    return NULL;
}

BOOL CWnd::IsTopParentActive() const
{
    CWnd* pWndTopLevel = GetTopLevelParent();
    return pWndTopLevel != NULL && CWnd::GetForegroundWindow() == pWndTopLevel->GetLastActivePopup();
}

CWnd* PASCAL CWnd::GetSafeOwner(CWnd* pParent, HWND* pWndTop)
{
    // A child cannot own a dialog: its top-level window does, or the application's
    // main window when none is given (then its last active popup, for nesting).
    HWND hWnd = pParent->GetSafeHwnd();
    if (hWnd == NULL)
        hWnd = AfxGetMainWnd()->GetSafeHwnd();
    while (hWnd != NULL && (::GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD))
        hWnd = ::GetParent(hWnd);
    // The top of the owner's chain (the main window above a floating tool window).
    HWND hWndTop = hWnd;
    for (HWND hWndUp = hWnd; hWndUp != NULL; hWndUp = ::GetParent(hWndUp))
        hWndTop = hWndUp;
    if (pParent == NULL && hWnd != NULL)
    {
        HWND hWndPopup = ::GetLastActivePopup(hWnd);
        if (hWndPopup != NULL && ::IsWindowVisible(hWndPopup) && ::IsWindowEnabled(hWndPopup))
            hWnd = hWndPopup;
    }
    // A modal caller disables the owner itself; the top window is disabled here, so
    // that no window of the chain takes input meanwhile. The caller enables it again.
    if (pWndTop != NULL)
    {
        *pWndTop = NULL;
        if (hWndTop != NULL && hWndTop != hWnd && ::IsWindowEnabled(hWndTop))
        {
            ::EnableWindow(hWndTop, FALSE);
            *pWndTop = hWndTop;
        }
    }
    return CWnd::FromHandle(hWnd);
}

void PASCAL CWnd::SendMessageToDescendants(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam,
                                           BOOL bDeep, BOOL bOnlyPerm)
{
    for (HWND hWndChild = ::GetTopWindow(hWnd); hWndChild != NULL; hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT))
    {
        if (!bOnlyPerm)
            ::SendMessage(hWndChild, message, wParam, lParam);
        else if (CWnd* pWnd = CWnd::FromHandlePermanent(hWndChild))
            AfxCallWndProc(pWnd, pWnd->m_hWnd, message, wParam, lParam);
        if (bDeep && ::GetTopWindow(hWndChild) != NULL)
            SendMessageToDescendants(hWndChild, message, wParam, lParam, bDeep, bOnlyPerm);
    }
}

// ---------------------------------------------------------------------------
// Styles

static BOOL ModifyStyleOf(HWND hWnd, int nStyleOffset, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    DWORD dwStyle = (DWORD)::GetWindowLong(hWnd, nStyleOffset);
    DWORD dwNewStyle = (dwStyle & ~dwRemove) | dwAdd;
    if (dwStyle == dwNewStyle)
        return FALSE;
    ::SetWindowLong(hWnd, nStyleOffset, (LONG)dwNewStyle);
    if (nFlags != 0)
        ::SetWindowPos(hWnd, NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

BOOL PASCAL CWnd::ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyStyleOf(hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags);
}

BOOL PASCAL CWnd::ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyStyleOf(hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyStyleOf(m_hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyStyleOf(m_hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}

// ---------------------------------------------------------------------------
// Geometry

void CWnd::ClientToScreen(LPRECT lpRect) const
{
    ::ClientToScreen(m_hWnd, (LPPOINT)lpRect);
    ::ClientToScreen(m_hWnd, ((LPPOINT)lpRect) + 1);
}

void CWnd::ScreenToClient(LPRECT lpRect) const
{
    ::ScreenToClient(m_hWnd, (LPPOINT)lpRect);
    ::ScreenToClient(m_hWnd, ((LPPOINT)lpRect) + 1);
}

void CWnd::CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType)
{
    DWORD dwExStyle = GetExStyle();
    if (nAdjustType == 0)
        dwExStyle &= ~WS_EX_CLIENTEDGE;
    ::AdjustWindowRectEx(lpClientRect, GetStyle(), FALSE, dwExStyle);
}

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    DWORD dwStyle = GetStyle();
    HWND hWndCenter = pAlternateOwner->GetSafeHwnd();
    if (pAlternateOwner == NULL)
        hWndCenter = (dwStyle & WS_CHILD) ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER);

    CRect rcDlg;
    GetWindowRect(&rcDlg);
    CRect rcArea;
    CRect rcCenter;
    if (!(dwStyle & WS_CHILD))
    {
        // Centre on the owner when it is visible and not minimised, within the work
        // area of its monitor; otherwise on that work area.
        if (hWndCenter != NULL)
        {
            DWORD dwCenterStyle = (DWORD)::GetWindowLong(hWndCenter, GWL_STYLE);
            if (!(dwCenterStyle & WS_VISIBLE) || (dwCenterStyle & WS_MINIMIZE))
                hWndCenter = NULL;
        }
        MONITORINFO mi;
        mi.cbSize = sizeof(mi);
        HMONITOR hMonitor = ::MonitorFromWindow(hWndCenter != NULL ? hWndCenter : m_hWnd, MONITOR_DEFAULTTONEAREST);
        if (::GetMonitorInfo(hMonitor, &mi))
            rcArea = mi.rcWork;
        else
            ::SystemParametersInfo(SPI_GETWORKAREA, 0, &rcArea, 0);
        if (hWndCenter != NULL)
            ::GetWindowRect(hWndCenter, &rcCenter);
        else
            rcCenter = rcArea;
    }
    else
    {
        HWND hWndParent = ::GetParent(m_hWnd);
        ::GetClientRect(hWndParent, &rcArea);
        if (hWndCenter != NULL)
            ::GetClientRect(hWndCenter, &rcCenter);
        else
            rcCenter = rcArea;
        ::MapWindowPoints(hWndCenter, hWndParent, (POINT*)&rcCenter, 2);
    }

    int xLeft = (rcCenter.left + rcCenter.right) / 2 - rcDlg.Width() / 2;
    int yTop = (rcCenter.top + rcCenter.bottom) / 2 - rcDlg.Height() / 2;
    if (xLeft + rcDlg.Width() > rcArea.right)
        xLeft = rcArea.right - rcDlg.Width();
    if (xLeft < rcArea.left)
        xLeft = rcArea.left;
    if (yTop + rcDlg.Height() > rcArea.bottom)
        yTop = rcArea.bottom - rcDlg.Height();
    if (yTop < rcArea.top)
        yTop = rcArea.top;
    SetWindowPos(NULL, xLeft, yTop, -1, -1, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CWnd::GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask)
{
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    lpScrollInfo->fMask = nMask;
    return ::GetScrollInfo(m_hWnd, nBar, lpScrollInfo);
}

BOOL CWnd::SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw)
{
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    ::SetScrollInfo(m_hWnd, nBar, lpScrollInfo, bRedraw);
    return TRUE;
}

CScrollBar* CWnd::GetScrollBarCtrl(int) const
{
    return NULL;  // windows use their own scroll bars
}

// ---------------------------------------------------------------------------
// Text

void CWnd::SetWindowText(LPCTSTR lpszString)
{
    ::SetWindowText(m_hWnd, lpszString);
}

void CWnd::GetWindowText(CString& rString) const
{
    int nLen = ::GetWindowTextLength(m_hWnd);
    ::GetWindowText(m_hWnd, rString.GetBufferSetLength(nLen), nLen + 1);
    rString.ReleaseBuffer();
}

int CWnd::GetDlgItemText(int nID, CString& rString) const
{
    rString.Empty();
    HWND hWnd = ::GetDlgItem(m_hWnd, nID);
    if (hWnd == NULL)
        return 0;
    int nLen = ::GetWindowTextLength(hWnd);
    ::GetWindowText(hWnd, rString.GetBufferSetLength(nLen), nLen + 1);
    rString.ReleaseBuffer();
    return rString.GetLength();
}

int CWnd::GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton)
{
    for (int nID = nIDFirstButton; nID <= nIDLastButton; nID++)
    {
        if (IsDlgButtonChecked(nID))
            return nID;
    }
    return 0;
}

int CWnd::MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType)
{
    if (lpszCaption == NULL)
        lpszCaption = AfxGetAppName();
    return ::MessageBox(GetSafeHwnd(), lpszText, lpszCaption, nType);
}

void CWnd::WinHelp(DWORD_PTR dwData, UINT nCmd)
{
    if (CWinApp* pApp = AfxGetApp())
        pApp->WinHelp(dwData, nCmd);
}

// ---------------------------------------------------------------------------
// Dialog controls at idle time

void CWnd::UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    CCmdUI state;
    CWnd wndTemp;  // stands for each child without entering the handle map
    for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != NULL; hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT))
    {
        wndTemp.m_hWnd = hWndChild;
        state.m_nID = (UINT)(WORD)::GetDlgCtrlID(hWndChild);
        state.m_pOther = &wndTemp;

        // A control that updates itself comes first, then this window's own update
        // handler for the control.
        CWnd* pChild = CWnd::FromHandlePermanent(hWndChild);
        if (pChild != NULL)
        {
            state.m_pOther = pChild;
            if (pChild->CWnd::OnCmdMsg(0, MAKELONG((WORD)CN_UPDATE_COMMAND_UI, WM_COMMAND + WM_REFLECT_BASE), &state, NULL))
                continue;
            state.m_pOther = &wndTemp;
        }
        if (CWnd::OnCmdMsg(state.m_nID, CN_UPDATE_COMMAND_UI, &state, NULL))
            continue;

        // Only push buttons are disabled for lack of a handler; check boxes, radio
        // buttons and group boxes act on their own.
        BOOL bDisableTemp = bDisableIfNoHndler;
        if (bDisableTemp)
        {
            if ((wndTemp.SendMessage(WM_GETDLGCODE) & DLGC_BUTTON) == 0)
                bDisableTemp = FALSE;
            else
            {
                UINT nStyle = (UINT)(wndTemp.GetStyle() & 0x0F);
                if (nStyle == (UINT)BS_AUTOCHECKBOX || nStyle == (UINT)BS_AUTO3STATE ||
                    nStyle == (UINT)BS_GROUPBOX || nStyle == (UINT)BS_AUTORADIOBUTTON)
                    bDisableTemp = FALSE;
            }
        }
        state.DoUpdate(pTarget, bDisableTemp);
    }
    wndTemp.m_hWnd = NULL;
}

// ---------------------------------------------------------------------------
// Layout of control bars

void AFXAPI AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect)
{
    if (lpLayout != NULL && lpLayout->hDWP == NULL)
        return;  // a query (or a batch that failed): nothing moves
    HWND hWndParent = ::GetParent(hWnd);
    CRect rectOld;
    ::GetWindowRect(hWnd, &rectOld);
    ::MapWindowPoints(NULL, hWndParent, (POINT*)&rectOld, 2);
    if (::EqualRect(&rectOld, lpRect))
        return;  // nothing to do
    int cx = lpRect->right - lpRect->left;
    int cy = lpRect->bottom - lpRect->top;
    if (lpLayout != NULL)
        lpLayout->hDWP = ::DeferWindowPos(lpLayout->hDWP, hWnd, NULL, lpRect->left, lpRect->top, cx, cy,
                                          SWP_NOACTIVATE | SWP_NOZORDER);
    else
        ::SetWindowPos(hWnd, NULL, lpRect->left, lpRect->top, cx, cy, SWP_NOACTIVATE | SWP_NOZORDER);
}

void CWnd::RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlags,
                          LPRECT lpRectParam, LPCRECT lpRectClient, BOOL bStretch)
{
    // Each bar with an id in the range takes its part of the client area in
    // WM_SIZEPARENT; the window with nIDLeftOver gets what remains.
    AFX_SIZEPARENTPARAMS layout;
    HWND hWndLeftOver = NULL;
    layout.bStretch = bStretch;
    layout.sizeTotal.cx = layout.sizeTotal.cy = 0;
    if (lpRectClient != NULL)
        layout.rect = *lpRectClient;
    else
        ::GetClientRect(m_hWnd, &layout.rect);
    UINT nMode = nFlags & ~reposNoPosLeftOver;
    layout.hDWP = nMode != reposQuery ? ::BeginDeferWindowPos(8) : NULL;

    for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != NULL; hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT))
    {
        UINT nIDC = (UINT)(WORD)::GetDlgCtrlID(hWndChild);
        if (nIDC == nIDLeftOver)
            hWndLeftOver = hWndChild;
        else if (nIDC >= nIDFirst && nIDC <= nIDLast && CWnd::FromHandlePermanent(hWndChild) != NULL)
            ::SendMessage(hWndChild, WM_SIZEPARENT, 0, (LPARAM)&layout);
    }

    if (nMode == reposQuery)
    {
        if (bStretch)
            ::CopyRect(lpRectParam, &layout.rect);
        else
        {
            lpRectParam->left = lpRectParam->top = 0;
            lpRectParam->right = layout.sizeTotal.cx;
            lpRectParam->bottom = layout.sizeTotal.cy;
        }
        return;
    }

    if (nIDLeftOver != 0 && hWndLeftOver != NULL)
    {
        if (nMode == reposExtra && lpRectParam != NULL)
        {
            layout.rect.left += lpRectParam->left;
            layout.rect.top += lpRectParam->top;
            layout.rect.right -= lpRectParam->right;
            layout.rect.bottom -= lpRectParam->bottom;
        }
        if ((nFlags & reposNoPosLeftOver) != reposNoPosLeftOver)
        {
            CWnd::FromHandle(hWndLeftOver)->CalcWindowRect(&layout.rect);
            AfxRepositionWindow(&layout, hWndLeftOver, &layout.rect);
        }
    }

    if (layout.hDWP != NULL)
        ::EndDeferWindowPos(layout.hDWP);
}
