// CExtWndHookChain: the sinks that watch one window, in dispatch order, and the
// window's previous procedure. The library makes one when the first sink joins a
// window (subclassing it with HookedWindowProc) and dissolves it when the window is
// destroyed: the previous procedure comes back and auto-delete sinks that watch no
// other window are deleted. Everything runs on the thread that owns the windows.
#pragma once

#include <afxwin.h>
#include <afxtempl.h>

class CExtWndMessageHook;

class CExtWndHookChain
{
public:
    // The window's chain, or NULL.
    static CExtWndHookChain* Find(HWND hWnd);
    // The window's chain, made (and the window subclassed) when it has none; NULL
    // when hWnd is no window or the chain cannot be made.
    static CExtWndHookChain* FindOrCreate(HWND hWnd);
    // Whether any window's chain holds the sink.
    static bool IsHookInAnyChain(const CExtWndMessageHook* pHook);

    ~CExtWndHookChain();

    INT_PTR FindHook(const CExtWndMessageHook* pHook) const;
    // Inserts the sink (at the front or the end); false when it cannot be stored.
    bool AddHook(CExtWndMessageHook* pHook, bool bAddToHead);
    void RemoveHook(const CExtWndMessageHook* pHook);
    INT_PTR GetHookCount() const { return m_arrHooks.GetSize(); }

    // Offers the message to the sinks in order (the ones attached when it came in and
    // still attached when their turn comes), then to the previous procedure.
    LRESULT DispatchToHooks(UINT nMessage, WPARAM& wParam, LPARAM& lParam);
    // Deletes the auto-delete sinks that watch no other window, forgets the others and
    // gives the window its previous procedure back while it still holds ours.
    void DetachAllHooks();

    static LRESULT CALLBACK HookedWindowProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);

    CArray<CExtWndMessageHook*, CExtWndMessageHook*> m_arrHooks;
    HWND m_hWndHooked;
    WNDPROC m_pfnPrevWndProc;

private:
    CExtWndHookChain(HWND hWnd, WNDPROC pfnPrev);
    CExtWndHookChain(const CExtWndHookChain&) = delete;
    void operator=(const CExtWndHookChain&) = delete;

    LRESULT DispatchGuarded(UINT nMessage, WPARAM& wParam, LPARAM& lParam);
    void EndWindow();

    int m_nDispatchDepth;   // dispatches of this chain under way (nested sends)
    bool m_bDissolved;      // the window is gone; the last dispatch out deletes the chain
};

// Window handle to chain, for every hooked window of the process.
typedef CMap<HWND, HWND, CExtWndHookChain*, CExtWndHookChain*> CExtHookedWindowMap;
extern CExtHookedWindowMap HookedWindowMap;
