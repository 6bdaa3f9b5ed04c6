// Shared pieces of the framework's tests: the application object, readable geometry
// and a message pump.
#pragma once

#include <afxwin.h>
#include <afxext.h>
#include <afxpriv.h>
#include <gtest/gtest.h>

#include "CExtPopupMenuWnd.h"
#include "CExtPopupTrackContext.h"
#include "MessagePump.h"
#include "SentInput.h"
#include "ulvane_test_res.h"

#include <functional>
#include <vector>

class CUlvaneTestApp : public CWinApp
{
public:
    CUlvaneTestApp() : CWinApp("UlvaneTest") {}
    int m_nExceptions = 0;
    virtual LRESULT ProcessWndProcException(CException* e, const MSG* pMsg)
    {
        ++m_nExceptions;
        return CWinApp::ProcessWndProcException(e, pMsg);
    }
    // A command the application's own routing takes, counted when it runs.
    UINT m_nCommandToTake = 0;
    int m_nCommandsTaken = 0;
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
    {
        if (m_nCommandToTake != 0 && nID == m_nCommandToTake && nCode == (int)CN_COMMAND)
        {
            if (pHandlerInfo == NULL)
                ++m_nCommandsTaken;
            return TRUE;
        }
        return CWinApp::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }
};

extern CUlvaneTestApp theApp;

inline void PrintTo(const CRect& r, std::ostream* os)
{
    *os << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
}
inline void PrintTo(const CSize& s, std::ostream* os)
{
    *os << s.cx << "x" << s.cy;
}

// Dispatches the thread's queued messages, with the idle updates of the frame layer.
inline void PumpPending()
{
    DispatchWaitingMessagesAndIdle();
}

// The window's rectangle in the client coordinates of another.
inline CRect RectIn(CWnd* pWnd, CWnd* pRelativeTo)
{
    CRect rc;
    pWnd->GetWindowRect(&rc);
    pRelativeTo->ScreenToClient(&rc);
    return rc;
}

// Whether a tracked menu shows, has finished opening and takes keys.
inline bool IsMenuReadyForInput()
{
    CExtPopupMenuWnd* pFocus = CExtPopupMenuWnd::GetFocusPopup();
    return CExtPopupMenuWnd::IsTrackingActive() && pFocus != NULL && pFocus->GetSafeHwnd() != NULL &&
           pFocus->IsWindowVisible() && g_PopupTrackContext.GetAnimatingPopup() == NULL;
}

// Keys typed into the next menu through the input queue once it is ready, 40 ms apart
// (also into a menu that runs its own loop).
inline void TypeIntoNextMenu(const std::vector<WORD>& keys)
{
    std::vector<std::vector<WORD>> chords;
    for (WORD vk : keys)
        chords.push_back({vk});
    // A menu the keys did not close is cancelled, so that the test fails instead of
    // waiting for ever.
    // Only the next menu: a later test's menu is none of this watchdog's business.
    static UINT s_nWatchedSerial = 0;
    s_nWatchedSerial = g_PopupTrackContext.GetTrackSerial() + 1;
    struct CWatchdog
    {
        static void CALLBACK OnTimer(HWND, UINT, UINT_PTR nIDEvent, DWORD)
        {
            ::KillTimer(NULL, nIDEvent);
            if (g_PopupTrackContext.GetTrackSerial() != s_nWatchedSerial)
                return;
            CSentInput::StopFeeding();
            CExtPopupMenuWnd::CancelTracking();
        }
    };
    static UINT_PTR s_nWatchdog = 0;
    if (s_nWatchdog != 0)
        ::KillTimer(NULL, s_nWatchdog);
    s_nWatchdog = ::SetTimer(NULL, 0, 10000 + 40 * (UINT)keys.size(), CWatchdog::OnTimer);
    CSentInput::FeedChords(chords, IsMenuReadyForInput, 40, 10000, [] { CExtPopupMenuWnd::CancelTracking(); });
}

// Dispatches messages until the condition holds or the time is up; whether it held.
inline bool PumpUntil(const std::function<bool()>& condition, DWORD dwTimeoutMs = 5000)
{
    const DWORD dwStart = ::GetTickCount();
    while (!condition())
    {
        if (::GetTickCount() - dwStart > dwTimeoutMs)
            return false;
        PumpPending();
        ::Sleep(5);
    }
    return true;
}
