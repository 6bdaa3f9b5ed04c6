// CExtWndMessageHook: joining and leaving windows' chains, and the default handlers.
#include "CExtWndMessageHook.h"

#include <afxstat_.h>

#include "CExtWndHookChain.h"

namespace
{
// The first window whose chain holds the sink, or NULL.
HWND FindFirstWindowHolding(const CExtWndMessageHook* pHook)
{
    for (const CExtHookedWindowMap::CPair* pPair = HookedWindowMap.PGetFirstAssoc(); pPair != NULL;
         pPair = HookedWindowMap.PGetNextAssoc(pPair))
    {
        if (pPair->value != NULL && pPair->value->FindHook(pHook) >= 0)
            return pPair->key;
    }
    return NULL;
}

int CountWindowsHolding(const CExtWndMessageHook* pHook)
{
    int nCount = 0;
    for (const CExtHookedWindowMap::CPair* pPair = HookedWindowMap.PGetFirstAssoc(); pPair != NULL;
         pPair = HookedWindowMap.PGetNextAssoc(pPair))
    {
        if (pPair->value != NULL && pPair->value->FindHook(pHook) >= 0)
            nCount++;
    }
    return nCount;
}
}

CExtWndMessageHook::CExtWndMessageHook(bool bEnableHook)
    : m_bHookEnabled(bEnableHook ? TRUE : FALSE)
{
}

CExtWndMessageHook::~CExtWndMessageHook()
{
    m_bHookEnabled = FALSE;
}

bool CExtWndMessageHook::IsAutoDelete()
{
    return false;
}

LRESULT CExtWndMessageHook::CallPrevWndProc(WPARAM wParam, LPARAM lParam)
{
    return CallPrevWndProcMsg(AfxGetThreadState()->m_lastSentMsg.message, wParam, lParam);
}

LRESULT CExtWndMessageHook::CallPrevWndProcMsg(UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    const HWND hWnd = AfxGetThreadState()->m_lastSentMsg.hwnd;
    CExtWndHookChain* pChain = CExtWndHookChain::Find(hWnd);
    if (pChain == NULL)
        return ::DefWindowProc(hWnd, nMessage, wParam, lParam);
    return ::CallWindowProc(pChain->m_pfnPrevWndProc, hWnd, nMessage, wParam, lParam);
}

LRESULT CExtWndMessageHook::DefaultWndProc()
{
    const MSG& msg = AfxGetThreadState()->m_lastSentMsg;
    return CallPrevWndProcMsg(msg.message, msg.wParam, msg.lParam);
}

bool CExtWndMessageHook::DispatchMessage(LRESULT& lResult, HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam)
{
    if (!m_bHookEnabled)
        return false;
    switch (nMessage)
    {
    case WM_COMMAND:
        return OnHookCmdMsg(lResult, hWnd, HIWORD(wParam), LOWORD(wParam), (HWND)lParam);
    case WM_NOTIFY:
        return OnHookNotify(lResult, hWnd, wParam, lParam);
    case WM_PAINT:
        return OnHookPaint(lResult, hWnd, wParam);
    case WM_ERASEBKGND:
        return OnHookEraseBackground(lResult, hWnd, wParam);
    case WM_PRINT:
        return OnHookPrint(lResult, hWnd, wParam);
    case WM_NCPAINT:
        return OnHookNcPaint(lResult, hWnd, wParam);
    default:
        return false;
    }
}

bool CExtWndMessageHook::OnHookCmdMsg(LRESULT&, HWND, WORD, WORD, HWND)
{
    return false;
}

bool CExtWndMessageHook::OnHookNotify(LRESULT&, HWND, WPARAM, LPARAM)
{
    return false;
}

bool CExtWndMessageHook::OnHookPaint(LRESULT&, HWND, WPARAM)
{
    return false;
}

bool CExtWndMessageHook::OnHookEraseBackground(LRESULT&, HWND, WPARAM)
{
    return false;
}

bool CExtWndMessageHook::OnHookPrint(LRESULT&, HWND, WPARAM)
{
    return false;
}

bool CExtWndMessageHook::OnHookNcPaint(LRESULT&, HWND, WPARAM)
{
    return false;
}

void CExtWndMessageHook::OnHookWndNcDestroy()
{
}

void CExtWndMessageHook::OnHookWndAttached(HWND)
{
}

void CExtWndMessageHook::OnHookWndDetached(HWND)
{
}

bool CExtWndMessageHook::Attach(HWND hWnd, bool bRemove, bool bAddToHead)
{
    if (hWnd == NULL)
        return false;
    if (!bRemove)
    {
        if (!::IsWindow(hWnd))
            return false;
        CExtWndHookChain* pChain = CExtWndHookChain::FindOrCreate(hWnd);
        if (pChain == NULL)
            return false;
        if (pChain->FindHook(this) >= 0)
            return true;
        if (!pChain->AddHook(this, bAddToHead))
            return false;
        OnHookWndAttached(hWnd);
        return true;
    }
    CExtWndHookChain* pChain = CExtWndHookChain::Find(hWnd);
    if (pChain == NULL || pChain->FindHook(this) < 0)
        return true;
    OnHookWndDetached(hWnd);
    // The notification may have destroyed the window (and so the chain).
    pChain = CExtWndHookChain::Find(hWnd);
    if (pChain != NULL)
        pChain->RemoveHook(this);
    // A sink that still watches another window stays alive for it.
    if (IsAutoDelete() && !CExtWndHookChain::IsHookInAnyChain(this))
        delete this;
    return true;
}

void CExtWndMessageHook::DetachFromAllWindows()
{
    // One window at a time, without a list to allocate; an auto-delete sink is gone
    // after leaving its last window, so nothing of it is read after that.
    const int nCount = CountWindowsHolding(this);
    for (int i = 0; i < nCount; i++)
    {
        const HWND hWnd = FindFirstWindowHolding(this);
        if (hWnd == NULL)
            break;
        Attach(hWnd, true, false);
    }
}

bool CExtWndMessageHook::IsHookAttached(HWND hWnd) const
{
    CExtWndHookChain* pChain = CExtWndHookChain::Find(hWnd);
    return pChain != NULL && pChain->FindHook(this) >= 0;
}
