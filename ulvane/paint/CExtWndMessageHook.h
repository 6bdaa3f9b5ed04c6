// CExtWndMessageHook: an object that watches and may intercept the messages of any
// window by its handle, without being the window's own object. Several sinks can watch
// one window and one sink several windows; each watched window is subclassed once with
// a shared procedure that offers every message to its sinks in order (see
// CExtWndHookChain). A derived sink overrides the handlers it needs; a handler that
// answers true keeps the message from the later sinks and the window.
#pragma once

#include <afxwin.h>

class CExtWndMessageHook
{
public:
    explicit CExtWndMessageHook(bool bEnableHook = true);
    // Only resets the object: a derived sink detaches itself before it dies.
    virtual ~CExtWndMessageHook();

    // True: the sink is deleted once it has left the last window it watched.
    virtual bool IsAutoDelete();
    // The watched window's previous procedure, for the message being dispatched (only
    // meaningful inside a dispatch).
    virtual LRESULT CallPrevWndProc(WPARAM wParam, LPARAM lParam);
    virtual LRESULT CallPrevWndProcMsg(UINT nMessage, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefaultWndProc();
    // Routes a message to the handlers below; true: handled, lResult goes back to the
    // sender. A sink may change wParam and lParam for the later sinks and the window.
    virtual bool DispatchMessage(LRESULT& lResult, HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam);
    virtual bool OnHookCmdMsg(LRESULT& lResult, HWND hWnd, WORD wNotifyCode, WORD wID, HWND hWndCtrl);
    virtual bool OnHookNotify(LRESULT& lResult, HWND hWnd, WPARAM wParam, LPARAM lParam);
    virtual bool OnHookPaint(LRESULT& lResult, HWND hWnd, WPARAM wParam);
    virtual bool OnHookEraseBackground(LRESULT& lResult, HWND hWnd, WPARAM wParam);
    virtual bool OnHookPrint(LRESULT& lResult, HWND hWnd, WPARAM wParam);
    virtual bool OnHookNcPaint(LRESULT& lResult, HWND hWnd, WPARAM wParam);
    // The watched window is being destroyed; its chain dissolves right after.
    virtual void OnHookWndNcDestroy();
    virtual void OnHookWndAttached(HWND hWnd);
    virtual void OnHookWndDetached(HWND hWnd);
    // Joins (bRemove false) or leaves the window's chain; a sink is held at most once
    // per window. False for no window, or joining one that does not exist or cannot
    // be hooked.
    virtual bool Attach(HWND hWnd, bool bRemove = false, bool bAddToHead = false);
    virtual void DetachFromAllWindows();

    bool IsHookAttached(HWND hWnd) const;
    bool IsHookEnabled() const { return m_bHookEnabled != FALSE; }

    BOOL m_bHookEnabled;
};
