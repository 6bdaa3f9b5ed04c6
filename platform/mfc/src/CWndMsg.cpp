// CWnd: message dispatch through message maps, commands, notifications,
// reflection to child controls and the default handlers.
#include "afxpriv.h"
#include <windowsx.h>

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
    ON_WM_DRAWITEM()
    ON_WM_MEASUREITEM()
    ON_WM_CTLCOLOR()
    ON_WM_COMPAREITEM()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_DELETEITEM()
    ON_WM_CHARTOITEM()
    ON_WM_VKEYTOITEM()
    ON_WM_NCDESTROY()
    ON_WM_PARENTNOTIFY()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_SETTINGCHANGE()
    ON_MESSAGE(WM_DISPLAYCHANGE, CWnd::OnDisplayChange)
END_MESSAGE_MAP()

// ---------------------------------------------------------------------------
// Lookup cache: (map, message) -> entry, so each message walks the maps once.
// Registered messages are not cached: their numbers live in variables that a program
// may fill only when it first needs them, after the message has already been seen.

namespace
{
struct MsgCacheEntry
{
    const AFX_MSGMAP* pMap;
    UINT nMsg;
    const AFX_MSGMAP_ENTRY* lpEntry;
    const AFX_MSGMAP* pEntryMap;
};
const int kMsgCacheSize = 512;
thread_local MsgCacheEntry t_msgCache[kMsgCacheSize];

const AFX_MSGMAP_ENTRY* FindRegisteredEntry(const AFX_MSGMAP_ENTRY* lpEntry, UINT nMsg)
{
    for (; lpEntry->nSig != AfxSig_end; ++lpEntry)
    {
        if (lpEntry->nMessage == 0xC000 && *(UINT*)lpEntry->nSig == nMsg)
            return lpEntry;
    }
    return NULL;
}

// The entry handling a window message in the map chain, or null.
const AFX_MSGMAP_ENTRY* FindWndMsg(const AFX_MSGMAP* pMessageMap, UINT nMsg)
{
    for (const AFX_MSGMAP* pMap = pMessageMap; pMap != NULL;
         pMap = pMap->pfnGetBaseMap != NULL ? pMap->pfnGetBaseMap() : NULL)
    {
        const AFX_MSGMAP_ENTRY* lpFound = nMsg < 0xC000 ? AfxFindMessageEntry(pMap->lpEntries, nMsg, 0, 0)
                                                        : FindRegisteredEntry(pMap->lpEntries, nMsg);
        if (lpFound != NULL)
            return lpFound;
    }
    return NULL;
}

const AFX_MSGMAP_ENTRY* LookupWndMsg(const AFX_MSGMAP* pMessageMap, UINT nMsg)
{
    if (nMsg >= 0xC000)
        return FindWndMsg(pMessageMap, nMsg);
    UINT iHash = (UINT)(((UINT_PTR)pMessageMap >> 4) ^ nMsg) & (kMsgCacheSize - 1);
    MsgCacheEntry& cache = t_msgCache[iHash];
    if (cache.pMap == pMessageMap && cache.nMsg == nMsg)
        return cache.lpEntry;

    const AFX_MSGMAP_ENTRY* lpFound = FindWndMsg(pMessageMap, nMsg);
    cache.pMap = pMessageMap;
    cache.nMsg = nMsg;
    cache.lpEntry = lpFound;
    return lpFound;
}

template<class F> inline F As(AFX_PMSG pfn)
{
    return reinterpret_cast<F>(pfn);
}

CPoint PointFromLParam(LPARAM lParam)
{
    return CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
}
}  // namespace

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT lResult = 0;

    if (message == WM_COMMAND)
    {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        lResult = 1;
        if (pResult != NULL)
            *pResult = lResult;
        return TRUE;
    }
    if (message == WM_NOTIFY)
    {
        NMHDR* pNMHDR = (NMHDR*)lParam;
        if (pNMHDR->hwndFrom == NULL || !OnNotify(wParam, lParam, &lResult))
            return FALSE;
        if (pResult != NULL)
            *pResult = lResult;
        return TRUE;
    }

    // All WM_CTLCOLORxxx messages go to the one WM_CTLCOLOR handler.
    UINT nLookup = message;
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
        nLookup = WM_CTLCOLOR;

    const AFX_MSGMAP_ENTRY* lpEntry = LookupWndMsg(GetMessageMap(), nLookup);
    if (lpEntry == NULL)
        return FALSE;

    AFX_PMSG pfn = lpEntry->pfn;
    CWnd* pThis = this;
    UINT_PTR nSig = message >= 0xC000 ? (UINT_PTR)AfxSig_lwl : lpEntry->nSig;
    switch (nSig)
    {
    case AfxSig_lwl:
        lResult = (pThis->*As<LRESULT (CCmdTarget::*)(WPARAM, LPARAM)>(pfn))(wParam, lParam);
        break;
    case AfxSig_vv:
        (pThis->*pfn)();
        break;
    case AfxSig_bv:
        lResult = (pThis->*As<BOOL (CCmdTarget::*)()>(pfn))();
        break;
    case AfxSig_uv:
        lResult = (pThis->*As<UINT (CCmdTarget::*)()>(pfn))();
        break;
    case AfxSig_is:
        lResult = (pThis->*As<int (CCmdTarget::*)(LPCREATESTRUCT)>(pfn))((LPCREATESTRUCT)lParam);
        break;
    case AfxSig_bs:
        lResult = (pThis->*As<BOOL (CCmdTarget::*)(LPCREATESTRUCT)>(pfn))((LPCREATESTRUCT)lParam);
        break;
    case AfxSig_vwii:
        (pThis->*As<void (CCmdTarget::*)(UINT, int, int)>(pfn))((UINT)wParam, LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_lwwM:
        lResult = (pThis->*As<LRESULT (CCmdTarget::*)(UINT, UINT, CMenu*)>(pfn))(
            LOWORD(wParam), HIWORD(wParam), CMenu::FromHandle((HMENU)lParam));
        break;
    case AfxSig_vPTR:
        (pThis->*As<void (CCmdTarget::*)(void*)>(pfn))((void*)lParam);
        lResult = TRUE;
        break;
    case AfxSig_vMOVE:
        (pThis->*As<void (CCmdTarget::*)(int, int)>(pfn))((short)LOWORD(lParam), (short)HIWORD(lParam));
        break;
    case AfxSig_vii:
        (pThis->*As<void (CCmdTarget::*)(int, int)>(pfn))((int)wParam, (int)lParam);
        break;
    case AfxSig_vwp:
        (pThis->*As<void (CCmdTarget::*)(UINT, CPoint)>(pfn))((UINT)wParam, PointFromLParam(lParam));
        break;
    case AfxSig_bwsp:
    {
        // The wheel's point is in screen coordinates.
        lResult = (pThis->*As<BOOL (CCmdTarget::*)(UINT, short, CPoint)>(pfn))(
            LOWORD(wParam), (short)HIWORD(wParam), PointFromLParam(lParam));
        break;
    }
    case AfxSig_vwww:
        (pThis->*As<void (CCmdTarget::*)(UINT, UINT, UINT)>(pfn))((UINT)wParam, LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_vW:
        // WM_CAPTURECHANGED names the new capture window in lParam, the others in wParam.
        (pThis->*As<void (CCmdTarget::*)(CWnd*)>(pfn))(
            CWnd::FromHandle((HWND)(message == WM_CAPTURECHANGED ? lParam : (LPARAM)wParam)));
        break;
    case AfxSig_vWp:
        (pThis->*As<void (CCmdTarget::*)(CWnd*, CPoint)>(pfn))(CWnd::FromHandle((HWND)wParam), PointFromLParam(lParam));
        break;
    case AfxSig_bD:
        lResult = (pThis->*As<BOOL (CCmdTarget::*)(CDC*)>(pfn))(CDC::FromHandle((HDC)wParam));
        break;
    case AfxSig_vw:
        (pThis->*As<void (CCmdTarget::*)(UINT_PTR)>(pfn))((UINT_PTR)wParam);
        break;
    case AfxSig_vb:
        (pThis->*As<void (CCmdTarget::*)(BOOL)>(pfn))((BOOL)wParam);
        break;
    case AfxSig_bb:
        lResult = (pThis->*As<BOOL (CCmdTarget::*)(BOOL)>(pfn))((BOOL)wParam);
        break;
    case AfxSig_vbw:
        (pThis->*As<void (CCmdTarget::*)(BOOL, UINT)>(pfn))((BOOL)wParam, (UINT)lParam);
        break;
    case AfxSig_vbd:
        (pThis->*As<void (CCmdTarget::*)(BOOL, DWORD)>(pfn))((BOOL)wParam, (DWORD)lParam);
        break;
    case AfxSig_vwl:
        (pThis->*As<void (CCmdTarget::*)(UINT, LPARAM)>(pfn))((UINT)wParam, lParam);
        break;
    case AfxSig_vws:
        (pThis->*As<void (CCmdTarget::*)(UINT, LPCTSTR)>(pfn))((UINT)wParam, (LPCTSTR)lParam);
        break;
    case AfxSig_up:
        lResult = (LRESULT)(int)(pThis->*As<UINT (CCmdTarget::*)(CPoint)>(pfn))(PointFromLParam(lParam));
        break;
    case AfxSig_vbn:
        (pThis->*As<void (CCmdTarget::*)(BOOL, NCCALCSIZE_PARAMS*)>(pfn))((BOOL)wParam, (NCCALCSIZE_PARAMS*)lParam);
        break;
    case AfxSig_vpos:
        (pThis->*As<void (CCmdTarget::*)(WINDOWPOS*)>(pfn))((WINDOWPOS*)lParam);
        break;
    case AfxSig_vmmi:
        (pThis->*As<void (CCmdTarget::*)(MINMAXINFO*)>(pfn))((MINMAXINFO*)lParam);
        break;
    case AfxSig_iWww:
        lResult = (pThis->*As<int (CCmdTarget::*)(CWnd*, UINT, UINT)>(pfn))(
            CWnd::FromHandle((HWND)wParam), LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_bWww:
        lResult = (pThis->*As<BOOL (CCmdTarget::*)(CWnd*, UINT, UINT)>(pfn))(
            CWnd::FromHandle((HWND)wParam), LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_vwWb:
        (pThis->*As<void (CCmdTarget::*)(UINT, CWnd*, BOOL)>(pfn))(
            LOWORD(wParam), CWnd::FromHandle((HWND)lParam), (BOOL)HIWORD(wParam));
        break;
    case AfxSig_vwwx:
        (pThis->*As<void (CCmdTarget::*)(UINT, UINT, CScrollBar*)>(pfn))(
            LOWORD(wParam), HIWORD(wParam), (CScrollBar*)CWnd::FromHandle((HWND)lParam));
        break;
    case AfxSig_vww:
        (pThis->*As<void (CCmdTarget::*)(UINT, UINT)>(pfn))(LOWORD(wParam), HIWORD(wParam));
        break;
    case AfxSig_vOWNER:
        (pThis->*As<void (CCmdTarget::*)(int, void*)>(pfn))((int)wParam, (void*)lParam);
        lResult = TRUE;
        break;
    case AfxSig_iis:
        lResult = (pThis->*As<int (CCmdTarget::*)(int, LPCOMPAREITEMSTRUCT)>(pfn))((int)wParam, (LPCOMPAREITEMSTRUCT)lParam);
        break;
    case AfxSig_iwWw:
        lResult = (pThis->*As<int (CCmdTarget::*)(UINT, CListBox*, UINT)>(pfn))(
            LOWORD(wParam), (CListBox*)CWnd::FromHandle((HWND)lParam), HIWORD(wParam));
        break;
    case AfxSig_hDWw:
        lResult = (LRESULT)(pThis->*As<HBRUSH (CCmdTarget::*)(CDC*, CWnd*, UINT)>(pfn))(
            CDC::FromHandle((HDC)wParam), CWnd::FromHandle((HWND)lParam), message - WM_CTLCOLORMSGBOX);
        break;
    case AfxSig_hDw:
    {
        AFX_CTLCOLOR* pCtl = (AFX_CTLCOLOR*)lParam;
        lResult = (LRESULT)(pThis->*As<HBRUSH (CCmdTarget::*)(CDC*, UINT)>(pfn))(CDC::FromHandle(pCtl->hDC), pCtl->nCtlType);
        break;
    }
    case AfxSig_vMwb:
        (pThis->*As<void (CCmdTarget::*)(CMenu*, UINT, BOOL)>(pfn))(
            CMenu::FromHandle((HMENU)wParam), LOWORD(lParam), (BOOL)HIWORD(lParam));
        break;
    case AfxSig_vM:
        (pThis->*As<void (CCmdTarget::*)(CMenu*)>(pfn))(CMenu::FromHandle((HMENU)wParam));
        break;
    case AfxSig_vwwh:
        (pThis->*As<void (CCmdTarget::*)(UINT, UINT, HMENU)>(pfn))(LOWORD(wParam), HIWORD(wParam), (HMENU)lParam);
        break;
    case AfxSig_vwW:
        (pThis->*As<void (CCmdTarget::*)(UINT, CWnd*)>(pfn))((UINT)wParam, CWnd::FromHandle((HWND)lParam));
        break;
    case AfxSig_vh:
        (pThis->*As<void (CCmdTarget::*)(HANDLE)>(pfn))((HANDLE)wParam);
        break;
    case AfxSig_bHELPINFO:
        lResult = (pThis->*As<BOOL (CCmdTarget::*)(HELPINFO*)>(pfn))((HELPINFO*)lParam);
        break;
    case AfxSig_vwpr:
        (pThis->*As<void (CCmdTarget::*)(UINT, LPRECT)>(pfn))((UINT)wParam, (LPRECT)lParam);
        lResult = TRUE;
        break;
    case AfxSig_vis:
        (pThis->*As<void (CCmdTarget::*)(int, LPSTYLESTRUCT)>(pfn))((int)wParam, (LPSTYLESTRUCT)lParam);
        break;
    case AfxSig_bWcds:
        lResult = (pThis->*As<BOOL (CCmdTarget::*)(CWnd*, COPYDATASTRUCT*)>(pfn))(
            CWnd::FromHandle((HWND)wParam), (COPYDATASTRUCT*)lParam);
        break;
    case AfxSig_vbWW:
        (pThis->*As<void (CCmdTarget::*)(BOOL, CWnd*, CWnd*)>(pfn))(
            m_hWnd == (HWND)lParam, CWnd::FromHandle((HWND)lParam), CWnd::FromHandle((HWND)wParam));
        break;
    default:
        return FALSE;
    }

    if (pResult != NULL)
        *pResult = lResult;
    return TRUE;
}

// ---------------------------------------------------------------------------
// Commands and notifications

BOOL CWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    return CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT nID = LOWORD(wParam);
    HWND hWndCtrl = (HWND)lParam;
    int nCode = HIWORD(wParam);

    if (hWndCtrl == NULL)
    {
        // Menu or accelerator: a command whose update handler disabled it is ignored,
        // as the user could not have chosen it.
        if (nID == 0)
            return FALSE;
        struct CTestCmdUI : public CCmdUI
        {
            BOOL m_bEnabled = TRUE;
            virtual void Enable(BOOL bOn) { m_bEnabled = bOn; m_bEnableChanged = TRUE; }
            virtual void SetCheck(int) {}
            virtual void SetRadio(BOOL) {}
            virtual void SetText(LPCTSTR) {}
        } test;
        test.m_nID = nID;
        OnCmdMsg(nID, CN_UPDATE_COMMAND_UI, &test, NULL);
        if (!test.m_bEnabled)
            return TRUE;
        nCode = CN_COMMAND;
    }
    else
    {
        if (AfxGetThreadState()->m_hLockoutNotifyWindow == m_hWnd)
            return TRUE;  // notifications suppressed while we change the control
        if (ReflectLastMsg(hWndCtrl))
            return TRUE;  // the control handled it itself
        if (nID == 0)
            return FALSE;
    }
    return OnCmdMsg(nID, nCode, NULL, NULL);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pNMHDR = (NMHDR*)lParam;
    HWND hWndCtrl = pNMHDR->hwndFrom;
    UINT nID = (UINT)(WORD)::GetDlgCtrlID(hWndCtrl);
    int nCode = pNMHDR->code;

    if (AfxGetThreadState()->m_hLockoutNotifyWindow == m_hWnd)
        return TRUE;
    if (ReflectLastMsg(hWndCtrl, pResult))
        return TRUE;

    AFX_NOTIFY notify;
    notify.pResult = pResult;
    notify.pNMHDR = pNMHDR;
    return OnCmdMsg(nID, MAKELONG(nCode, WM_NOTIFY), &notify, NULL);
}

// ---------------------------------------------------------------------------
// Reflection: a parent's message about a child goes to the child first.

BOOL PASCAL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWndChild);
    return pWnd != NULL && pWnd->SendChildNotifyLastMsg(pResult);
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult)
{
    const MSG& msg = AfxGetThreadState()->m_lastSentMsg;
    return OnChildNotify(msg.message, msg.wParam, msg.lParam, pResult);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT lResultDummy = 0;
    if (pResult == NULL)
        pResult = &lResultDummy;
    switch (message)
    {
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_PARENTNOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_COMPAREITEM:
        return CWnd::OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, pResult);
    case WM_COMMAND:
        if (CWnd::OnCmdMsg(0, MAKELONG(HIWORD(wParam), WM_REFLECT_BASE + WM_COMMAND), NULL, NULL))
        {
            *pResult = 1;
            return TRUE;
        }
        return FALSE;
    case WM_NOTIFY:
    {
        AFX_NOTIFY notify;
        notify.pResult = pResult;
        notify.pNMHDR = (NMHDR*)lParam;
        return CWnd::OnCmdMsg(0, MAKELONG(notify.pNMHDR->code, WM_REFLECT_BASE + WM_NOTIFY), &notify, NULL);
    }
    default:
        if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
        {
            AFX_CTLCOLOR ctl;
            ctl.hWnd = m_hWnd;
            ctl.hDC = (HDC)wParam;
            ctl.nCtlType = message - WM_CTLCOLORMSGBOX;
            BOOL bResult = CWnd::OnWndMsg(WM_REFLECT_BASE + WM_CTLCOLOR, 0, (LPARAM)&ctl, pResult);
            return bResult && *pResult != 0;
        }
        return FALSE;
    }
}

// ---------------------------------------------------------------------------
// Default handlers: the message's own procedure, after the child had its turn
// for messages about child controls.

int CWnd::OnCreate(LPCREATESTRUCT) { return (int)Default(); }
BOOL CWnd::OnNcCreate(LPCREATESTRUCT) { return (BOOL)Default(); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnPaint() { Default(); }
void CWnd::OnNcPaint() { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return (BOOL)Default(); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnMove(int, int) { Default(); }
void CWnd::OnSizing(UINT, LPRECT) { Default(); }
void CWnd::OnMoving(UINT, LPRECT) { Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
void CWnd::OnCaptureChanged(CWnd*) { Default(); }
void CWnd::OnCancelMode() { Default(); }
void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }
void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnEnable(BOOL) { Default(); }
void CWnd::OnActivate(UINT, CWnd*, BOOL) { Default(); }
void CWnd::OnActivateApp(BOOL, DWORD) { Default(); }
BOOL CWnd::OnNcActivate(BOOL) { return (BOOL)Default(); }
int CWnd::OnMouseActivate(CWnd*, UINT, UINT) { return (int)Default(); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return (BOOL)Default(); }
UINT CWnd::OnNcHitTest(CPoint) { return (UINT)Default(); }
void CWnd::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) { Default(); }
void CWnd::OnWindowPosChanging(WINDOWPOS*) { Default(); }
void CWnd::OnWindowPosChanged(WINDOWPOS*) { Default(); }
void CWnd::OnGetMinMaxInfo(MINMAXINFO*) { Default(); }
UINT CWnd::OnGetDlgCode() { return (UINT)Default(); }
BOOL CWnd::OnQueryEndSession() { return (BOOL)Default(); }
void CWnd::OnEndSession(BOOL) { Default(); }
void CWnd::OnDropFiles(HDROP) { Default(); }
BOOL CWnd::OnHelpInfo(HELPINFO*) { return (BOOL)Default(); }
void CWnd::OnStyleChanged(int, LPSTYLESTRUCT) { Default(); }
void CWnd::OnStyleChanging(int, LPSTYLESTRUCT) { Default(); }
BOOL CWnd::OnCopyData(CWnd*, COPYDATASTRUCT*) { return (BOOL)Default(); }
void CWnd::OnEnterIdle(UINT, CWnd*) { Default(); }
void CWnd::OnMDIActivate(BOOL, CWnd*, CWnd*) { Default(); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysDeadChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnMButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDblClk(UINT, CPoint) { Default(); }
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return (BOOL)Default(); }
void CWnd::OnNcMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnNcRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnNcMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcMButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnNcRButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnMouseLeave() { Default(); }
void CWnd::OnMouseHover(UINT, CPoint) { Default(); }
LRESULT CWnd::OnMenuChar(UINT, UINT, CMenu*) { return Default(); }
void CWnd::OnEnterMenuLoop(BOOL) { Default(); }
void CWnd::OnExitMenuLoop(BOOL) { Default(); }
void CWnd::OnInitMenu(CMenu*) { Default(); }
void CWnd::OnInitMenuPopup(CMenu*, UINT, BOOL) { Default(); }
void CWnd::OnMenuSelect(UINT, UINT, HMENU) { Default(); }

// The result of the control the message is about, when it handled the reflected
// message itself, else the default procedure's.
static LRESULT ReflectOrDefault(CWnd* pWnd, HWND hWndChild)
{
    LRESULT lResult = 0;
    if (hWndChild != NULL && CWnd::ReflectLastMsg(hWndChild, &lResult))
        return lResult;
    return pWnd->Default();
}

void CWnd::OnHScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    ReflectOrDefault(this, pScrollBar->GetSafeHwnd());
}

void CWnd::OnVScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    ReflectOrDefault(this, pScrollBar->GetSafeHwnd());
}

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (lpDrawItemStruct->CtlType == ODT_MENU)
    {
        CMenu* pMenu = (CMenu*)afxMapHMENU(TRUE)->LookupPermanent((HANDLE)lpDrawItemStruct->hwndItem);
        if (pMenu != NULL)
        {
            pMenu->DrawItem(lpDrawItemStruct);
            return;
        }
    }
    else if (ReflectLastMsg(lpDrawItemStruct->hwndItem))
        return;
    Default();
}

void CWnd::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT)
{
    if (nIDCtl != 0)
    {
        HWND hWndChild = ::GetDlgItem(m_hWnd, nIDCtl);
        if (hWndChild != NULL && ReflectLastMsg(hWndChild))
            return;
    }
    Default();
}

void CWnd::OnDeleteItem(int, LPDELETEITEMSTRUCT lpDeleteItemStruct)
{
    ReflectOrDefault(this, lpDeleteItemStruct->hwndItem);
}

int CWnd::OnCompareItem(int, LPCOMPAREITEMSTRUCT lpCompareItemStruct)
{
    return (int)ReflectOrDefault(this, lpCompareItemStruct->hwndItem);
}

int CWnd::OnVKeyToItem(UINT, CListBox* pListBox, UINT)
{
    return (int)ReflectOrDefault(this, pListBox->GetSafeHwnd());
}

int CWnd::OnCharToItem(UINT, CListBox* pListBox, UINT)
{
    return (int)ReflectOrDefault(this, pListBox->GetSafeHwnd());
}

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* pWnd, UINT)
{
    return (HBRUSH)ReflectOrDefault(this, pWnd->GetSafeHwnd());
}

void CWnd::OnParentNotify(UINT message, LPARAM lParam)
{
    if (LOWORD(message) == WM_CREATE || LOWORD(message) == WM_DESTROY)
    {
        if (ReflectLastMsg((HWND)lParam))
            return;
    }
    Default();
}

// System-wide changes reach a top-level window only; pass them on to its children.
static void ForwardToDescendantsOfTopLevel(CWnd* pWnd)
{
    if (!(pWnd->GetStyle() & WS_CHILD))
    {
        const MSG& msg = AfxGetThreadState()->m_lastSentMsg;
        pWnd->SendMessageToDescendants(msg.message, msg.wParam, msg.lParam, TRUE, TRUE);
    }
}

void CWnd::OnSysColorChange()
{
    ForwardToDescendantsOfTopLevel(this);
    Default();
}

void CWnd::OnSettingChange(UINT, LPCTSTR)
{
    ForwardToDescendantsOfTopLevel(this);
    Default();
}

LRESULT CWnd::OnDisplayChange(WPARAM, LPARAM)
{
    ForwardToDescendantsOfTopLevel(this);
    return Default();
}
