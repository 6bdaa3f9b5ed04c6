// Command targets: message map lookup and command dispatch.
#include "afxpriv.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* PASCAL CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY _messageEntries[] = { { 0, 0, 0, 0, AfxSig_end, (AFX_PMSG)0 } };
    static const AFX_MSGMAP messageMap = { NULL, &_messageEntries[0] };
    return &messageMap;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

CCmdTarget::CCmdTarget()
{
}

CCmdTarget::~CCmdTarget()
{
}

const AFX_MSGMAP_ENTRY* AFXAPI AfxFindMessageEntry(const AFX_MSGMAP_ENTRY* lpEntry,
                                                   UINT nMsg, UINT nCode, UINT nID)
{
    for (; lpEntry->nSig != AfxSig_end; ++lpEntry)
    {
        if (lpEntry->nMessage == nMsg && lpEntry->nCode == nCode &&
            nID >= lpEntry->nID && nID <= lpEntry->nLastID)
            return lpEntry;
    }
    return NULL;
}

template<class F> static inline F HandlerAs(AFX_PMSG pfn)
{
    return reinterpret_cast<F>(pfn);
}

// Calls a command, update or notification handler; returns whether it handled it.
static BOOL DispatchCmdMsg(CCmdTarget* pTarget, UINT nID, AFX_PMSG pfn, void* pExtra, UINT_PTR nSig)
{
    AFX_NOTIFY* pNotify = (AFX_NOTIFY*)pExtra;
    switch (nSig)
    {
    case AfxSigCmd_v:
        (pTarget->*pfn)();
        return TRUE;
    case AfxSigCmd_b:
        return (pTarget->*HandlerAs<BOOL (CCmdTarget::*)()>(pfn))();
    case AfxSigCmd_RANGE:
        (pTarget->*HandlerAs<void (CCmdTarget::*)(UINT)>(pfn))(nID);
        return TRUE;
    case AfxSigCmd_EX:
        return (pTarget->*HandlerAs<BOOL (CCmdTarget::*)(UINT)>(pfn))(nID);
    case AfxSigNotify_v:
        (pTarget->*HandlerAs<void (CCmdTarget::*)(NMHDR*, LRESULT*)>(pfn))(pNotify->pNMHDR, pNotify->pResult);
        return TRUE;
    case AfxSigNotify_b:
        return (pTarget->*HandlerAs<BOOL (CCmdTarget::*)(NMHDR*, LRESULT*)>(pfn))(pNotify->pNMHDR, pNotify->pResult);
    case AfxSigNotify_RANGE:
        (pTarget->*HandlerAs<void (CCmdTarget::*)(UINT, NMHDR*, LRESULT*)>(pfn))(nID, pNotify->pNMHDR, pNotify->pResult);
        return TRUE;
    case AfxSigNotify_EX:
        return (pTarget->*HandlerAs<BOOL (CCmdTarget::*)(UINT, NMHDR*, LRESULT*)>(pfn))(nID, pNotify->pNMHDR, pNotify->pResult);
    case AfxSigCmdUI:
    {
        // An update handler that calls ContinueRouting lets later targets decide.
        CCmdUI* pCmdUI = (CCmdUI*)pExtra;
        pCmdUI->m_bContinueRouting = FALSE;
        (pTarget->*HandlerAs<void (CCmdTarget::*)(CCmdUI*)>(pfn))(pCmdUI);
        BOOL bResult = !pCmdUI->m_bContinueRouting;
        pCmdUI->m_bContinueRouting = FALSE;
        return bResult;
    }
    default:
        return FALSE;
    }
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    // nCode: CN_UPDATE_COMMAND_UI, or MAKELONG(notification code, message); a zero
    // message means WM_COMMAND.
    UINT nMsg = 0;
    if ((UINT)nCode != CN_UPDATE_COMMAND_UI)
    {
        nMsg = HIWORD(nCode);
        nCode = LOWORD(nCode);
    }
    if (nMsg == 0)
        nMsg = WM_COMMAND;

    for (const AFX_MSGMAP* pMessageMap = GetMessageMap(); pMessageMap != NULL;
         pMessageMap = pMessageMap->pfnGetBaseMap != NULL ? pMessageMap->pfnGetBaseMap() : NULL)
    {
        const AFX_MSGMAP_ENTRY* lpEntry = AfxFindMessageEntry(pMessageMap->lpEntries, nMsg, (UINT)nCode, nID);
        if (lpEntry == NULL)
            continue;
        if (pHandlerInfo != NULL)
        {
            // Only asked who would handle it.
            pHandlerInfo->pTarget = this;
            pHandlerInfo->pmf = lpEntry->pfn;
            return TRUE;
        }
        return DispatchCmdMsg(this, nID, lpEntry->pfn, pExtra, lpEntry->nSig);
    }
    return FALSE;
}

void CCmdTarget::BeginWaitCursor()
{
    AfxGetApp()->DoWaitCursor(1);
}

void CCmdTarget::EndWaitCursor()
{
    AfxGetApp()->DoWaitCursor(-1);
}

void CCmdTarget::RestoreWaitCursor()
{
    AfxGetApp()->DoWaitCursor(0);
}

CWaitCursor::CWaitCursor()
{
    AfxGetApp()->BeginWaitCursor();
}

CWaitCursor::~CWaitCursor()
{
    AfxGetApp()->EndWaitCursor();
}

void CWaitCursor::Restore()
{
    AfxGetApp()->RestoreWaitCursor();
}
