// CExtWndHookChain: subclassing a watched window, dispatching its messages to the
// sinks and dissolving the chain when the window goes.
#include "CExtWndHookChain.h"

#include <afxpriv.h>
#include <afxstat_.h>

#include <new>

#include "CExtWndMessageHook.h"

namespace
{
// Sinks copied before a dispatch; more than this many go to the heap.
const int nLocalSnapshot = 16;

WNDPROC GetWindowProcedure(HWND hWnd)
{
    return (WNDPROC)::GetWindowLongPtr(hWnd, GWLP_WNDPROC);
}
}

CExtWndHookChain::CExtWndHookChain(HWND hWnd, WNDPROC pfnPrev)
    : m_hWndHooked(hWnd), m_pfnPrevWndProc(pfnPrev), m_nDispatchDepth(0), m_bDissolved(false)
{
}

CExtWndHookChain::~CExtWndHookChain()
{
    if (!m_bDissolved)
        DetachAllHooks();
}

CExtWndHookChain* CExtWndHookChain::Find(HWND hWnd)
{
    CExtWndHookChain* pChain = NULL;
    if (hWnd != NULL && HookedWindowMap.Lookup(hWnd, pChain))
        return pChain;
    return NULL;
}

CExtWndHookChain* CExtWndHookChain::FindOrCreate(HWND hWnd)
{
    CExtWndHookChain* pChain = Find(hWnd);
    if (pChain != NULL)
        return pChain;
    if (hWnd == NULL || !::IsWindow(hWnd))
        return NULL;
    const WNDPROC pfnPrev = GetWindowProcedure(hWnd);
    if (pfnPrev == NULL)
        return NULL;
    pChain = new (std::nothrow) CExtWndHookChain(hWnd, pfnPrev);
    if (pChain == NULL)
        return NULL;
    try
    {
        HookedWindowMap.SetAt(hWnd, pChain);
    }
    catch (CException* e)
    {
        e->Delete();
        delete pChain;
        return NULL;
    }
    ::SetWindowLongPtr(hWnd, GWLP_WNDPROC, (LONG_PTR)&HookedWindowProc);
    if (GetWindowProcedure(hWnd) != &HookedWindowProc)
    {
        // A window of another process, or one that refuses: nothing is hooked.
        HookedWindowMap.RemoveKey(hWnd);
        pChain->m_bDissolved = true;
        delete pChain;
        return NULL;
    }
    return pChain;
}

bool CExtWndHookChain::IsHookInAnyChain(const CExtWndMessageHook* pHook)
{
    for (const CExtHookedWindowMap::CPair* pPair = HookedWindowMap.PGetFirstAssoc(); pPair != NULL;
         pPair = HookedWindowMap.PGetNextAssoc(pPair))
    {
        if (pPair->value != NULL && pPair->value->FindHook(pHook) >= 0)
            return true;
    }
    return false;
}

INT_PTR CExtWndHookChain::FindHook(const CExtWndMessageHook* pHook) const
{
    const INT_PTR nCount = m_arrHooks.GetSize();
    CExtWndMessageHook* const* pData = m_arrHooks.GetData();
    for (INT_PTR i = 0; i < nCount; i++)
    {
        if (pData[i] == pHook)
            return i;
    }
    return -1;
}

bool CExtWndHookChain::AddHook(CExtWndMessageHook* pHook, bool bAddToHead)
{
    try
    {
        if (bAddToHead)
            m_arrHooks.InsertAt(0, pHook);
        else
            m_arrHooks.Add(pHook);
    }
    catch (CException* e)
    {
        e->Delete();
        return false;
    }
    return true;
}

void CExtWndHookChain::RemoveHook(const CExtWndMessageHook* pHook)
{
    const INT_PTR nIndex = FindHook(pHook);
    if (nIndex >= 0)
        m_arrHooks.RemoveAt(nIndex);
}

LRESULT CExtWndHookChain::DispatchToHooks(UINT nMessage, WPARAM& wParam, LPARAM& lParam)
{
    // The sinks as they were when the message came in: handlers may attach, detach or
    // delete sinks meanwhile, and only those still attached get their turn.
    CExtWndMessageHook* arrLocal[nLocalSnapshot];
    const INT_PTR nCount = m_arrHooks.GetSize();
    CExtWndMessageHook** pSnapshot = arrLocal;
    if (nCount > nLocalSnapshot)
        pSnapshot = new (std::nothrow) CExtWndMessageHook*[nCount];
    if (pSnapshot == NULL)
        return 0;
    for (INT_PTR i = 0; i < nCount; i++)
        pSnapshot[i] = m_arrHooks[i];
    struct CFreeSnapshot
    {
        CExtWndMessageHook** p;
        CExtWndMessageHook** pLocal;
        ~CFreeSnapshot()
        {
            if (p != pLocal)
                delete[] p;
        }
    } freeSnapshot = {pSnapshot, arrLocal};

    for (INT_PTR i = 0; i < nCount && !m_bDissolved; i++)
    {
        CExtWndMessageHook* pHook = pSnapshot[i];
        if (FindHook(pHook) < 0)
            continue;
        if (nMessage == WM_NCDESTROY)
        {
            pHook->OnHookWndNcDestroy();
            continue;
        }
        LRESULT lResult = 0;
        if (pHook->DispatchMessage(lResult, m_hWndHooked, nMessage, wParam, lParam))
            return lResult;
    }
    // A handler destroyed the window: there is nothing left to pass the message to.
    if (m_bDissolved)
        return 0;
    const WNDPROC pfnPrev = m_pfnPrevWndProc;
    const HWND hWnd = m_hWndHooked;
    if (nMessage == WM_NCDESTROY)
        EndWindow();
    return ::CallWindowProc(pfnPrev, hWnd, nMessage, wParam, lParam);
}

void CExtWndHookChain::DetachAllHooks()
{
    // Each sink leaves the array before the test whether another window still has it.
    while (m_arrHooks.GetSize() > 0)
    {
        CExtWndMessageHook* pHook = m_arrHooks[0];
        m_arrHooks.RemoveAt(0);
        if (pHook != NULL && pHook->IsAutoDelete() && !IsHookInAnyChain(pHook))
            delete pHook;
    }
    m_arrHooks.RemoveAll();
    // A procedure set after ours keeps its place; it calls ours, which then passes
    // the messages to the default procedure.
    if (::IsWindow(m_hWndHooked) && GetWindowProcedure(m_hWndHooked) == &HookedWindowProc)
        ::SetWindowLongPtr(m_hWndHooked, GWLP_WNDPROC, (LONG_PTR)m_pfnPrevWndProc);
}

void CExtWndHookChain::EndWindow()
{
    if (m_bDissolved)
        return;
    m_bDissolved = true;
    HookedWindowMap.RemoveKey(m_hWndHooked);
    DetachAllHooks();
}

LRESULT CExtWndHookChain::DispatchGuarded(UINT nMessage, WPARAM& wParam, LPARAM& lParam)
{
    m_nDispatchDepth++;
    LRESULT lResult = 0;
    AfxCallCatchingAll(&AfxGetThreadState()->m_lastSentMsg,
                       [&] { lResult = DispatchToHooks(nMessage, wParam, lParam); }, &lResult);
    // Even when a handler failed the window is gone: its handle may come back.
    if (nMessage == WM_NCDESTROY && !m_bDissolved)
        EndWindow();
    m_nDispatchDepth--;
    if (m_bDissolved && m_nDispatchDepth == 0)
        delete this;
    return lResult;
}

LRESULT CALLBACK CExtWndHookChain::HookedWindowProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    const MSG msgSaved = pState->m_lastSentMsg;
    pState->m_lastSentMsg.hwnd = hWnd;
    pState->m_lastSentMsg.message = nMessage;
    pState->m_lastSentMsg.wParam = wParam;
    pState->m_lastSentMsg.lParam = lParam;
    LRESULT lResult = 0;
    CExtWndHookChain* pChain = Find(hWnd);
    if (pChain != NULL)
        lResult = pChain->DispatchGuarded(nMessage, wParam, lParam);
    else
        lResult = ::DefWindowProc(hWnd, nMessage, wParam, lParam);
    pState->m_lastSentMsg = msgSaved;
    return lResult;
}
