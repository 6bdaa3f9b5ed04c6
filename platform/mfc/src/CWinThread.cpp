// CWinThread: the message pump, pre-translation and idle processing.
#include "afxpriv.h"

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

CWinThread::CWinThread()
    : m_pMainWnd(NULL), m_pActiveWnd(NULL), m_bAutoDelete(TRUE), m_hThread(NULL), m_nThreadID(0)
{
}

CWinThread::~CWinThread()
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pState->m_pCurrentWinThread == this)
        pState->m_pCurrentWinThread = NULL;
}

CWnd* CWinThread::GetMainWnd()
{
    if (m_pActiveWnd != NULL)
        return m_pActiveWnd;
    return m_pMainWnd;
}

BOOL CWinThread::InitInstance()
{
    return FALSE;
}

int CWinThread::ExitInstance()
{
    return (int)AfxGetThreadState()->m_msgCur.wParam;
}

int CWinThread::Run()
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    for (;;)
    {
        // Idle work runs until a message arrives or nothing is left to do.
        while (bIdle && !::PeekMessage(&pState->m_msgCur, NULL, 0, 0, PM_NOREMOVE))
        {
            BOOL bMore = FALSE;
            AfxCallCatchingAll(&pState->m_msgCur, [&] { bMore = OnIdle(lIdleCount++); });
            if (!bMore)
                bIdle = FALSE;
        }

        do
        {
            if (!PumpMessage())
                return ExitInstance();
            if (IsIdleMessage(&pState->m_msgCur))
            {
                bIdle = TRUE;
                lIdleCount = 0;
            }
        } while (::PeekMessage(&pState->m_msgCur, NULL, 0, 0, PM_NOREMOVE));
    }
}

// Takes one message and dispatches it unless pre-translation consumed it. Without a
// thread object (test programs) the window tree alone pre-translates.
static BOOL PumpOneMessage(CWinThread* pThread)
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    MSG* pMsg = &pState->m_msgCur;
    if (!::GetMessage(pMsg, NULL, 0, 0))
        return FALSE;  // WM_QUIT
    CTempMapsInUse tempMapsInUse(pState);

    // A failure in a pre-translation hook must not end the loop; the message that
    // caused it is dropped.
    BOOL bHandled = FALSE;
    if (!AfxCallCatchingAll(pMsg, [&] {
            if (pMsg->message == WM_KICKIDLE)
                bHandled = TRUE;
            else if (pThread != NULL)
                bHandled = pThread->PreTranslateMessage(pMsg);
            else
                bHandled = CWnd::WalkPreTranslateTree(NULL, pMsg);
        }))
        bHandled = TRUE;
    if (!bHandled)
    {
        ::TranslateMessage(pMsg);
        ::DispatchMessage(pMsg);
    }
    return TRUE;
}

BOOL CWinThread::PumpMessage()
{
    return PumpOneMessage(this);
}

BOOL CWinThread::DispatchThreadMessageEx(MSG* pMsg)
{
    if (pMsg->hwnd != NULL)
        return FALSE;
    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap != NULL;
         pMap = pMap->pfnGetBaseMap != NULL ? pMap->pfnGetBaseMap() : NULL)
    {
        for (const AFX_MSGMAP_ENTRY* lpEntry = pMap->lpEntries; lpEntry->nSig != AfxSig_end; ++lpEntry)
        {
            if (lpEntry->nSig == AfxSig_vwwThread && lpEntry->nMessage == pMsg->message)
            {
                typedef void (AFX_MSG_CALL CWinThread::*ThreadHandler)(WPARAM, LPARAM);
                (this->*reinterpret_cast<ThreadHandler>(lpEntry->pfn))(pMsg->wParam, pMsg->lParam);
                return TRUE;
            }
        }
    }
    return FALSE;
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->hwnd == NULL && DispatchThreadMessageEx(pMsg))
        return TRUE;
    // From the message's window up to the main window...
    CWnd* pMainWnd = AfxGetMainWnd();
    if (CWnd::WalkPreTranslateTree(pMainWnd->GetSafeHwnd(), pMsg))
        return TRUE;
    // A key handled on the way may have closed the main window and deleted its object.
    pMainWnd = AfxGetMainWnd();
    // ...and the main window for messages of windows outside its tree (modeless
    // dialogs, floating frames), so its accelerators still work.
    if (pMainWnd != NULL && pMsg->hwnd != NULL)
    {
        CWnd* pWnd = CWnd::FromHandle(pMsg->hwnd);
        if (pWnd->GetTopLevelParent() != pMainWnd)
            return pMainWnd->PreTranslateMessage(pMsg);
    }
    return FALSE;
}

BOOL CWinThread::ProcessMessageFilter(int, LPMSG lpMsg)
{
    return lpMsg != NULL && PreTranslateMessage(lpMsg);
}

BOOL CWinThread::IsIdleMessage(MSG* pMsg)
{
    return AfxIsIdleMessage(pMsg);
}

BOOL AFXAPI AfxIsIdleMessage(MSG* pMsg)
{
    // Messages that come all the time (caret blinks, paints, a mouse that does not
    // move) must not restart idle processing, or it would never end.
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE)
    {
        if (pState->m_ptCursorLast == CPoint(pMsg->pt) && pMsg->message == pState->m_nMsgLast)
            return FALSE;
        pState->m_ptCursorLast = pMsg->pt;
        pState->m_nMsgLast = pMsg->message;
        return TRUE;
    }
    return pMsg->message != WM_PAINT && pMsg->message != WM_SYSTIMER;
}

BOOL CWinThread::OnIdle(LONG lCount)
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (lCount <= 0)
    {
        // Update the user interface: the main window and everything inside it, then
        // the other frames of the thread.
        CWnd* pMainWnd = m_pMainWnd;
        if (pMainWnd != NULL && pMainWnd->m_hWnd != NULL && pMainWnd->IsWindowVisible())
        {
            AfxCallWndProc(pMainWnd, pMainWnd->m_hWnd, WM_IDLEUPDATECMDUI, (WPARAM)TRUE, 0);
            pMainWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, (WPARAM)TRUE, 0, TRUE, TRUE);
        }
        std::vector<CWnd*> frames = pState->m_frameList;
        for (CWnd* pFrame : frames)
        {
            if (pFrame != pMainWnd && pFrame->m_hWnd != NULL && pFrame->IsWindowVisible())
            {
                AfxCallWndProc(pFrame, pFrame->m_hWnd, WM_IDLEUPDATECMDUI, (WPARAM)TRUE, 0);
                pFrame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, (WPARAM)TRUE, 0, TRUE, TRUE);
            }
        }
    }
    else if (lCount >= 1)
    {
        // Temporary objects made by FromHandle during the messages go now.
        if (pState->m_nTempMapLock == 0)
        {
            AfxLockTempMaps();
            AfxUnlockTempMaps();
        }
    }
    return lCount < 1;
}

LRESULT CWinThread::ProcessWndProcException(CException* e, const MSG* pMsg)
{
    LRESULT lResult = 0;
    if (pMsg != NULL)
    {
        if (pMsg->message == WM_CREATE)
            lResult = -1;  // creation fails
        else if (pMsg->message == WM_PAINT)
            ::ValidateRect(pMsg->hwnd, NULL);  // or it would repaint for ever
    }
    if (e == NULL)
        AfxMessageBox(AFX_IDP_INTERNAL_FAILURE, MB_ICONSTOP);
    else if (!e->IsKindOf(RUNTIME_CLASS(CUserException)))
        e->ReportError(MB_ICONEXCLAMATION, AFX_IDP_INTERNAL_FAILURE);
    return lResult;
}

LRESULT AFXAPI AfxProcessWndProcException(CException* e, const MSG* pMsg)
{
    // The handler itself must not let anything escape either.
    try
    {
        if (CWinThread* pThread = AfxGetThread())
            return pThread->ProcessWndProcException(e, pMsg);
    }
    catch (CException* e2)
    {
        e2->Delete();
    }
    catch (...)
    {
    }
    if (pMsg != NULL && pMsg->message == WM_CREATE)
        return -1;
    return 0;
}

BOOL AFXAPI AfxPumpMessage()
{
    CWinThread* pThread = AfxGetThread();
    return pThread != NULL ? pThread->PumpMessage() : PumpOneMessage(NULL);
}

void AFXAPI AfxPostQuitMessage(int nExitCode)
{
    ::PostQuitMessage(nExitCode);
}
