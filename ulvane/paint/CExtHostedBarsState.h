// CExtHostedBarsState: what a resizable dialog or page does for the framework bars it
// hosts as children: they see its keyboard messages first, and after a message that
// the application counts as an idle one their buttons' command states are updated
// (commands without a handler disabled), never twice at once.
#pragma once

#include <afxwin.h>

class CExtHostedBarsState
{
public:
    enum
    {
        eWindowAttached = 0x01,
        eUpdateRunning = 0x02,
    };

    CExtHostedBarsState() : m_nFlags(0) {}

    bool IsAttached() const { return (m_nFlags & eWindowAttached) != 0; }
    void OnAttached() { m_nFlags |= eWindowAttached; }
    void OnDestroyed() { m_nFlags &= ~eWindowAttached; }

    // Before the message is handled: whether the thread's current message is an idle
    // one (only asked while attached).
    bool IsIdleMessageNow() const;
    // After the message: the update, when the window is still there and it was idle.
    void AfterMessage(CWnd* pWnd, bool bWasIdle);
    // The bars' pre-translation; true when one took the message.
    static bool PreTranslateForBars(CWnd* pWnd, MSG* pMsg);

private:
    BYTE m_nFlags;
};
